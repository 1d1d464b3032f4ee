// Where a picture of one size sits, scaled with its aspect kept, inside a window of another:
// centred, with bars left and right or above and below.
#pragma once

namespace platform {

struct PixelRect {
    int X = 0, Y = 0, Width = 0, Height = 0;
};

// The largest rectangle of the picture's aspect that fits the window, centred.
PixelRect Letterbox(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight);

// A window position mapped into picture pixels through the letterbox.
void WindowToPicture(const PixelRect& box, int pictureWidth, int pictureHeight, float windowX, float windowY,
                     float& pictureX, float& pictureY);

}  // namespace platform
