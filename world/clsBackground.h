// One picture stretched over the whole back buffer, behind everything else.
#pragma once
#include <array>
#include <string>

#include "platform/Device.h"

class clsBackground {
public:
    // Forgets the file name; the picture stays and is drawn as before.
    void resetbackground();
    // Makes the picture and the screen-filling quad from a full file name. A missing or
    // unreadable picture is logged and leaves the background empty. The picture made last is
    // kept when the same file is asked for again on the same device (the menus ask on every
    // layout); resetbackground makes the next create read the file again.
    void create(const std::string& Texture);
    void draw();

    const std::string& ImageName() const { return ImageName_; }

private:
    d3d::TexturePtr Picture;
    uint64_t PictureDevice_ = 0;  // the serial of the device the picture was made on
    std::array<d3d::ScreenVertex, 4> Vertices{};
    d3d::VertexBufferPtr VertexBuffer;
    std::string ImageName_;
};

extern clsBackground gBackground;
