#include "ui/FontFieldTable.h"

#include <algorithm>
#include <stdexcept>
#include <string>

FontFieldTable gFontFields;
int32_t gFontFieldCount = 0;

clsFontField& FontFieldTable::operator()(int32_t i) {
    if (i < 1 || i > static_cast<int32_t>(fields_.size()))
        throw std::out_of_range("text field " + std::to_string(i) + " of " + std::to_string(fields_.size()));
    return fields_[static_cast<size_t>(i) - 1];
}

void FontFieldTable::ReDim(int32_t count) {
    fields_.assign(static_cast<size_t>(std::max(count, 0)), clsFontField{});
    gFontFieldCount = static_cast<int32_t>(fields_.size());
}
