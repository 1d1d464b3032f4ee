// The kinds of draw the OpenGL device makes, told apart by what a software renderer compiles
// code for on first use: the program, the blend and depth states, the sampling and shape of
// the picture, the layout of the vertices and the primitive. Such a compile takes tens of
// milliseconds, too long for the middle of a play step, so the device draws every kind the
// programs are known to draw once, off screen, one at a time when the program has a moment
// with nothing else to do: see GlDevice::RehearseNext.
#pragma once
#include <epoxy/gl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gl/GlProgram.h"
#include "platform/gl/GlResources.h"

namespace d3d {

struct GlDrawKind {
    GlProgramKey Program;
    // Pre-transformed vertices: their format (its fields, in the device's order, with no gaps);
    // 0 for world vertices, which all share one layout.
    uint32_t ScreenFvf = 0;
    GLenum Primitive = GL_TRIANGLES;  // GL_POINTS, GL_LINES or GL_TRIANGLES, strips and fans included
    GlSampling Sampling;
    bool PowerOfTwoWide = false, PowerOfTwoHigh = false;  // the picture's sides (a batch's array)
    bool Blend = false;
    GLenum SrcBlend = GL_ONE, DestBlend = GL_ZERO;
    bool DepthTest = true, DepthWrite = true;
    GLenum DepthFunc = GL_LEQUAL;
    bool Multisample = true;
    bool operator==(const GlDrawKind&) const = default;
};

// The primitive class of a GL mode.
GLenum PrimitiveClass(GLenum mode);

// Every kind the game and the editor are known to draw.
const std::vector<GlDrawKind>& KnownDrawKinds();
// The kind as a line of that list.
std::string Describe(const GlDrawKind& kind);

}  // namespace d3d
