// Text as pixels, for a device font to draw: every face the programs ask for is served by
// Liberation Sans (regular or bold), sized in points at 96 dots per inch.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/Device.h"

namespace platform {

struct TextBitmap {
    int width = 0, height = 0;
    std::vector<uint32_t> argb;  // rows top down; the text colour with the glyph coverage as alpha
};

// The text in one line; empty when there is nothing to draw or the font cannot be opened.
// Fonts are opened once per face file, size and weight and kept.
TextBitmap RasterizeText(const d3d::FontDesc& font, const std::string& text, uint32_t argb);

// Where the top-left corner of a width x height text goes in rect: centred across with
// DT_CENTER and down with DT_VCENTER, otherwise at the left and the top.
std::pair<int, int> PlaceText(const d3d::Rect& rect, uint32_t format, int width, int height);

}  // namespace platform
