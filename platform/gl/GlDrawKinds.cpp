#include "platform/gl/GlDrawKinds.h"

#include <cstdio>

#include "platform/D3DTypes.h"

namespace d3d {

const std::vector<GlDrawKind>& KnownDrawKinds() {
    static const std::vector<GlDrawKind> kinds = [] {
        constexpr GLint kModulate = TOP_MODULATE, kSelect = TOP_SELECTARG1;
        constexpr GLint kTexture = TA_TEXTURE, kCurrent = TA_CURRENT, kDiffuse = TA_DIFFUSE;
        // The stage every picture is drawn with: its colours tinted by the diffuse colour, its
        // own alpha.
        const GlProgramKey world{.ColorOp = {kModulate, kTexture, kCurrent},
                                 .AlphaOp = {kSelect, kTexture, kCurrent},
                                 .Texture = true,
                                 .PointScale = true};
        GlProgramKey batched = world, sprites = world, screen = world, translucent = world, text = world;
        batched.TextureArray = true;
        sprites.Sprite = true;
        screen.PointScale = false;
        screen.Pretransformed = true;
        translucent = screen;
        translucent.AlphaOp = {kModulate, kDiffuse, kCurrent};  // the button's own level of translucency
        text = screen;
        text.ColorOp = text.AlphaOp = {kModulate, kTexture, kDiffuse};
        const GlSampling linear{GL_LINEAR, GL_LINEAR, GL_REPEAT, GL_REPEAT};
        const GlSampling exact{GL_NEAREST, GL_NEAREST, GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE};
        constexpr GLenum kAlpha = GL_SRC_ALPHA, kInverseAlpha = GL_ONE_MINUS_SRC_ALPHA;
        return std::vector<GlDrawKind>{
            // The track: opaque faces in batches, with blending off (the editor, the level
            // select) and on (play, once the shadow has turned it on).
            {.Program = batched, .Sampling = linear, .PowerOfTwoWide = true, .PowerOfTwoHigh = true},
            {.Program = batched, .Sampling = linear, .PowerOfTwoWide = true, .PowerOfTwoHigh = true, .Blend = true,
             .SrcBlend = kAlpha, .DestBlend = kInverseAlpha},
            // Meshes (the vehicle, stars) and faces with see-through texels, one by one.
            {.Program = world, .Sampling = linear, .PowerOfTwoWide = true, .PowerOfTwoHigh = true, .Blend = true,
             .SrcBlend = kAlpha, .DestBlend = kInverseAlpha},
            // Sparks and the explosion.
            {.Program = sprites, .Primitive = GL_POINTS, .Sampling = linear, .PowerOfTwoWide = true,
             .PowerOfTwoHigh = true, .Blend = true, .SrcBlend = kAlpha, .DestBlend = kInverseAlpha, .DepthWrite = false},
            // The background picture, under the blending the draws before it left.
            {.Program = screen, .ScreenFvf = FVF_SCREENVERTEX, .Sampling = linear, .DepthWrite = false},
            {.Program = screen, .ScreenFvf = FVF_SCREENVERTEX, .Sampling = linear, .Blend = true, .SrcBlend = kAlpha,
             .DestBlend = kInverseAlpha, .DepthWrite = false},
            // Menu buttons, opaque and translucent.
            {.Program = screen, .ScreenFvf = FVF_SCREENVERTEX, .Sampling = linear, .Blend = true, .SrcBlend = kAlpha,
             .DestBlend = kInverseAlpha, .DepthTest = false, .DepthWrite = false, .Multisample = false},
            {.Program = translucent, .ScreenFvf = FVF_SCREENVERTEX, .Sampling = linear, .Blend = true,
             .SrcBlend = kAlpha, .DestBlend = GL_ONE, .DepthTest = false, .DepthWrite = false, .Multisample = false},
            // Text.
            {.Program = text, .ScreenFvf = FVF_SCREENVERTEX, .Sampling = exact, .Blend = true, .SrcBlend = kAlpha,
             .DestBlend = kInverseAlpha, .DepthTest = false, .DepthWrite = false},
        };
    }();
    return kinds;
}

std::string Describe(const GlDrawKind& k) {
    const GlProgramKey& p = k.Program;
    char line[640];
    std::snprintf(line, sizeof line,
                  "program {%d %d %d / %d %d %d, alpha test %d, texture %d, sprite %d, pre-transformed %d, point "
                  "scale %d, array %d}, fvf 0x%X, primitive 0x%X, sampling {0x%X 0x%X 0x%X 0x%X}, powers of two %d %d, "
                  "blend %d 0x%X 0x%X, depth test %d write %d func 0x%X, multisample %d",
                  p.ColorOp[0], p.ColorOp[1], p.ColorOp[2], p.AlphaOp[0], p.AlphaOp[1], p.AlphaOp[2], p.AlphaFunc,
                  p.Texture, p.Sprite, p.Pretransformed, p.PointScale, p.TextureArray, k.ScreenFvf, k.Primitive,
                  k.Sampling.MagFilter, k.Sampling.MinFilter, k.Sampling.WrapS, k.Sampling.WrapT, k.PowerOfTwoWide,
                  k.PowerOfTwoHigh, k.Blend, k.SrcBlend, k.DestBlend, k.DepthTest, k.DepthWrite, k.DepthFunc,
                  k.Multisample);
    return line;
}

}  // namespace d3d
