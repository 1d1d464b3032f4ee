// Records and constants shared by the drawing code and the graphics device.
// Layouts are byte-exact: the vertex records are handed to the device as they are.
#pragma once
#include <cstdint>

namespace d3d {

struct Vector3 {
    float X = 0, Y = 0, Z = 0;
};

struct Vector4 {
    float X = 0, Y = 0, Z = 0, W = 0;
};

// Colour components on the 0..255 scale, as the makers store them.
struct ColorValue {
    float R = 0, G = 0, B = 0, A = 0;
};

// (A, B, C) is the unit normal, D = -(normal . point). All zeros stands for "no face".
struct Plane {
    float A = 0, B = 0, C = 0, D = 0;
};

// Row vectors: v' = v x M, translation in m41..m43.
struct Matrix {
    float m11 = 0, m12 = 0, m13 = 0, m14 = 0;
    float m21 = 0, m22 = 0, m23 = 0, m24 = 0;
    float m31 = 0, m32 = 0, m33 = 0, m34 = 0;
    float m41 = 0, m42 = 0, m43 = 0, m44 = 0;
};

struct LitVertex {
    float X, Y, Z;
    int32_t Diffuse;
    int32_t Specular;
    float Tu, Tv;
};

struct ScreenVertex {
    float X, Y, Z, Rhw;
    int32_t Diffuse;
    int32_t Specular;
    float Tu, Tv;
};

struct PointVertex {
    float X, Y, Z;
    int32_t Diffuse;
    float Tu, Tv;
};

// Vertex of a loaded mesh: position, normal, texture coordinates.
struct MeshVertex {
    float X, Y, Z;
    float Nx, Ny, Nz;
    float Tu, Tv;
};

struct Material {
    ColorValue Diffuse, Ambient, Specular, Emissive;
    float Power = 0;
};

static_assert(sizeof(Vector3) == 12);
static_assert(sizeof(Vector4) == 16);
static_assert(sizeof(ColorValue) == 16);
static_assert(sizeof(Plane) == 16);
static_assert(sizeof(Matrix) == 64);
static_assert(sizeof(LitVertex) == 28);
static_assert(sizeof(ScreenVertex) == 32);
static_assert(sizeof(PointVertex) == 24);
static_assert(sizeof(MeshVertex) == 32);
static_assert(sizeof(Material) == 68);

// Flexible vertex format codes.
enum : uint32_t {
    FVF_XYZ = 0x002,
    FVF_XYZRHW = 0x004,
    FVF_NORMAL = 0x010,
    FVF_DIFFUSE = 0x040,
    FVF_SPECULAR = 0x080,
    FVF_TEX1 = 0x100,
    FVF_LITVERTEX = FVF_XYZ | FVF_DIFFUSE | FVF_SPECULAR | FVF_TEX1,        // 0x1C2
    FVF_SCREENVERTEX = FVF_XYZRHW | FVF_DIFFUSE | FVF_SPECULAR | FVF_TEX1,  // 0x1C4
    FVF_POINTVERTEX = FVF_XYZ | FVF_DIFFUSE | FVF_TEX1,                     // 0x142
    FVF_MESHVERTEX = FVF_XYZ | FVF_NORMAL | FVF_TEX1,                       // 0x112
};

enum TransformType : uint32_t { TS_VIEW = 2, TS_PROJECTION = 3, TS_WORLD = 256 };

enum PrimitiveType : uint32_t {
    PT_POINTLIST = 1,
    PT_LINELIST = 2,
    PT_LINESTRIP = 3,
    PT_TRIANGLELIST = 4,
    PT_TRIANGLESTRIP = 5,
    PT_TRIANGLEFAN = 6,
};

// Render states the programs set (numeric values as the original device API has them).
enum RenderState : uint32_t {
    RS_ZENABLE = 7,
    RS_FILLMODE = 8,
    RS_ZWRITEENABLE = 14,
    RS_ALPHATESTENABLE = 15,
    RS_SRCBLEND = 19,
    RS_DESTBLEND = 20,
    RS_CULLMODE = 22,
    RS_ZFUNC = 23,
    RS_ALPHAREF = 24,
    RS_ALPHAFUNC = 25,
    RS_ALPHABLENDENABLE = 27,
    RS_LIGHTING = 137,
    RS_AMBIENT = 139,
    RS_POINTSIZE = 154,
    RS_POINTSIZE_MIN = 155,
    RS_POINTSPRITEENABLE = 156,
    RS_POINTSCALEENABLE = 157,
    RS_POINTSCALE_A = 158,
    RS_POINTSCALE_B = 159,
    RS_POINTSCALE_C = 160,
    RS_MULTISAMPLEANTIALIAS = 161,
    RS_POINTSIZE_MAX = 166,
};
constexpr uint32_t RS_COUNT = 256;

enum Blend : uint32_t {
    BLEND_ZERO = 1,
    BLEND_ONE = 2,
    BLEND_SRCCOLOR = 3,
    BLEND_INVSRCCOLOR = 4,
    BLEND_SRCALPHA = 5,
    BLEND_INVSRCALPHA = 6,
    BLEND_DESTALPHA = 7,
    BLEND_INVDESTALPHA = 8,
    BLEND_DESTCOLOR = 9,
    BLEND_INVDESTCOLOR = 10,
};

enum Cull : uint32_t { CULL_NONE = 1, CULL_CW = 2, CULL_CCW = 3 };
enum Cmp : uint32_t {
    CMP_NEVER = 1, CMP_LESS, CMP_EQUAL, CMP_LESSEQUAL, CMP_GREATER, CMP_NOTEQUAL, CMP_GREATEREQUAL, CMP_ALWAYS
};

enum TextureStageState : uint32_t {
    TSS_COLOROP = 1,
    TSS_COLORARG1 = 2,
    TSS_COLORARG2 = 3,
    TSS_ALPHAOP = 4,
    TSS_ALPHAARG1 = 5,
    TSS_ALPHAARG2 = 6,
    TSS_ADDRESSU = 13,
    TSS_ADDRESSV = 14,
    TSS_MAGFILTER = 16,
    TSS_MINFILTER = 17,
    TSS_MIPFILTER = 18,
};
constexpr uint32_t TSS_COUNT = 32;

enum TextureOp : uint32_t {
    TOP_DISABLE = 1,
    TOP_SELECTARG1 = 2,
    TOP_SELECTARG2 = 3,
    TOP_MODULATE = 4,
    TOP_MODULATE2X = 5,
    TOP_ADD = 7,
};

enum TextureArg : uint32_t { TA_DIFFUSE = 0, TA_CURRENT = 1, TA_TEXTURE = 2 };
enum TextureFilter : uint32_t { TEXF_NONE = 0, TEXF_POINT = 1, TEXF_LINEAR = 2 };
enum TextureAddress : uint32_t { TADDRESS_WRAP = 1, TADDRESS_MIRROR = 2, TADDRESS_CLAMP = 3 };

enum ClearFlags : uint32_t { CLEAR_TARGET = 1, CLEAR_ZBUFFER = 2 };

// Result codes the programs look at.
enum Result : int32_t {
    D3D_OK = 0,
    D3DERR_DEVICELOST = static_cast<int32_t>(0x88760868),
    D3DERR_DEVICENOTRESET = static_cast<int32_t>(0x88760869),
    D3DERR_NOTAVAILABLE = static_cast<int32_t>(0x8876086A),
    D3DERR_INVALIDCALL = static_cast<int32_t>(0x8876086C),
};

}  // namespace d3d
