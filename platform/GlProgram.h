// The one shader program of the OpenGL device: the fixed-function pipeline of the original
// device as far as the programs use it (transforms, pre-transformed vertices, point sprites,
// texture stage 0, alpha test).
#pragma once
#include <epoxy/gl.h>

namespace d3d {

// Vertex attribute slots.
enum : GLuint { kAttribPosition = 0, kAttribColor = 1, kAttribTexCoord = 2 };

struct GlProgram {
    GLuint Id = 0;
    GLint WorldView = -1, Projection = -1, Screen = -1, Pretransformed = -1, Point = -1, PointScale = -1;
    GLint HasTexture = -1, Sprite = -1, ColorOp = -1, AlphaOp = -1, AlphaFunc = -1, AlphaRef = -1;

    // Compiles and links; false (and a message on stderr) on failure.
    bool Build();
    void Release();
};

}  // namespace d3d
