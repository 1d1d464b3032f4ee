// The shader programs of the OpenGL device: the fixed-function pipeline of the original
// device as far as the programs use it (transforms, pre-transformed vertices, point sprites,
// texture stage 0, alpha test). One program is made for each combination of stage operations,
// alpha test, texture and vertex kind that is drawn with, so that no shader branches on its
// states: a software renderer runs a branch-free shader several times faster.
#pragma once
#include <epoxy/gl.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace d3d {

// Vertex attribute slots.
enum : GLuint { kAttribPosition = 0, kAttribColor = 1, kAttribTexCoord = 2, kAttribLayer = 3 };

// What a program is made for.
struct GlProgramKey {
    std::array<GLint, 3> ColorOp{}, AlphaOp{};  // operation, argument 1, argument 2
    GLint AlphaFunc = 8;                        // the comparison of the alpha test; 8 always passes
    bool Texture = false, Sprite = false, Pretransformed = false, PointScale = false;
    bool TextureArray = false;  // the picture is a layer of a texture array (batches)
    bool operator==(const GlProgramKey&) const = default;
};

struct GlProgram {
    GLuint Id = 0;
    GLint View = -1, Projection = -1, Screen = -1, Point = -1, PointScale = -1, AlphaRef = -1;
    // What was last sent to the uniforms (the numbers of the device's transforms and size).
    uint64_t TransformsSent = 0, ScreenSent = 0;
    float AlphaRefSent = -1;
    std::array<float, 4> PointSent{-1, -1, -1, -1};
    std::array<float, 3> PointScaleSent{-1, -1, -1};

    // Compiles and links; false (and a message on stderr) on failure.
    bool Build(const GlProgramKey& key);
    void Release();
};

class GlPrograms {
public:
    ~GlPrograms() { Release(); }
    // The program of the key, made on first use; nullptr when it cannot be built.
    GlProgram* Get(const GlProgramKey& key);
    void Release();

private:
    std::vector<std::pair<GlProgramKey, std::unique_ptr<GlProgram>>> programs_;
};

}  // namespace d3d
