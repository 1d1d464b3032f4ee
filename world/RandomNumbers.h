// The program's one source of uniform random numbers, seeded once when first used.
#pragma once
#include <functional>

namespace RandomNumbers {

// A number in [0, 1).
float Rnd();
// Replaces the generator (tests hand in a seeded or scripted one); an empty function
// restores the program's own.
void SetSource(std::function<float()> source);

}  // namespace RandomNumbers
