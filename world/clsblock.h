// A block of the track: the textured box the vehicle drives on. Its action code makes it a
// plain block, the finish, a jump pad, ice, a falling block, a turbo pad, an instant-kill block
// or scenery; the collision code acts on the code and starts the block's hop and fall.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "world/TrackBox.h"

class clsblock : public TrackBox {
public:
    // Builds the unit box at the position with the size; the depth is kept 0.1 short, and
    // the collision planes are made from that (a later scalez write leaves them short).
    void create(float CoordX, float CoordY, float CoordZ, float scaleX, float scaleY, float scalez);

    void Bounce();
    void Fall();
    float fallvel() const { return FallSpeed; }
    // Whether drawing moves the block on: it falls (for ever) or hops.
    bool FallingOrHopping() const { return Falling || Bouncing; }

    float Xpos() const { return Position.X; }
    void Xpos(float NewVal);
    float Ypos() const { return Position.Y; }
    void Ypos(float NewVal);
    int32_t Zpos() const;
    void Zpos(int32_t NewVal);

    using TrackBox::scaleX;
    using TrackBox::scaleY;
    using TrackBox::scalez;

    // Loads TextureDir + Name onto face "A".."D" (either case); other faces are ignored.
    void Texture(std::string Name, const std::string& face, const std::string& TextureDir);
    // Moves each face that shows a frame of the animated texture on to the next frame.
    void UpdateAnimatedTexture();
    void SETTEXTURE() const;
    // The texture repeats of the top and of the side faces, as TextAlignTop and TextAlignSide.
    uint8_t TextureScaleAlignTop() const { return TopTextureRepeat; }
    uint8_t TextureScaleAlignside() const { return SideTextureRepeat; }

    // Draws the block; while the rules say the world animates, it also advances its fall and
    // hop by one step.
    void draw();

private:
    void AdvanceFall();
    void AdvanceHop();

    std::array<bool, kFaceCount> FaceAnimated{};
    bool Falling = false;
    bool Bouncing = false;
    float BounceT = 0;
    float BounceBaseY = 0;
    float FallSpeed = 0;
};
