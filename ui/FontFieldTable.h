// The text fields of the current screen, numbered from 1. Every screen layout re-dimensions
// the table, which discards the fields of the screen before.
#pragma once
#include <cstdint>
#include <vector>

#include "ui/clsFontField.h"

class FontFieldTable {
public:
    // Field i, 1 to gFontFieldCount; any other index throws std::out_of_range.
    clsFontField& operator()(int32_t i);
    // Replaces every field by count fresh ones and sets gFontFieldCount.
    void ReDim(int32_t count);

private:
    std::vector<clsFontField> fields_;
};

extern FontFieldTable gFontFields;
extern int32_t gFontFieldCount;
