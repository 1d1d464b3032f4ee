#include "world/RandomNumbers.h"

#include <random>

namespace RandomNumbers {
namespace {

float ProgramGenerator() {
    static std::mt19937 generator{std::random_device{}()};
    static std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    float r = unit(generator);
    return r < 1.0f ? r : 0.0f;  // the distribution may round up to 1 in float
}

std::function<float()>& Source() {
    static std::function<float()> source = ProgramGenerator;
    return source;
}

}  // namespace

float Rnd() { return Source()(); }

void SetSource(std::function<float()> source) { Source() = source ? std::move(source) : ProgramGenerator; }

}  // namespace RandomNumbers
