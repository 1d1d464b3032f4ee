#include "platform/gl/Letterbox.h"

#include <cstdint>

namespace platform {

PixelRect Letterbox(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || windowWidth <= 0 || windowHeight <= 0) {
        return {0, 0, windowWidth, windowHeight};
    }
    // Compare the aspects in integers so that equal aspects give no bars at all.
    const int64_t wideness = int64_t{windowWidth} * pictureHeight - int64_t{windowHeight} * pictureWidth;
    PixelRect box{0, 0, windowWidth, windowHeight};
    if (wideness > 0) {
        box.Width = static_cast<int>(int64_t{windowHeight} * pictureWidth / pictureHeight);
        box.X = (windowWidth - box.Width) / 2;
    } else if (wideness < 0) {
        box.Height = static_cast<int>(int64_t{windowWidth} * pictureHeight / pictureWidth);
        box.Y = (windowHeight - box.Height) / 2;
    }
    return box;
}

void WindowToPicture(const PixelRect& box, int pictureWidth, int pictureHeight, float windowX, float windowY,
                     float& pictureX, float& pictureY) {
    if (box.Width <= 0 || box.Height <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
        pictureX = windowX;
        pictureY = windowY;
        return;
    }
    pictureX = (windowX - static_cast<float>(box.X)) * static_cast<float>(pictureWidth) / static_cast<float>(box.Width);
    pictureY = (windowY - static_cast<float>(box.Y)) * static_cast<float>(pictureHeight) / static_cast<float>(box.Height);
}

}  // namespace platform
