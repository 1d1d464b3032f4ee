#include "platform/GlProgram.h"

#include <iostream>
#include <string>

namespace d3d {
namespace {

// Positions: transformed by world x view, then projection to the original 0..1 depth range
// (z' = 2z - w turns it into OpenGL's -1..1); or, pre-transformed, pixels with a top-left origin.
const char* kVertexShader = R"(
#version 120
attribute vec4 a_position;
attribute vec4 a_color;     // the bytes of a packed ARGB colour: b, g, r, a
attribute vec2 a_texcoord;
uniform mat4 u_worldView;
uniform mat4 u_projection;
uniform vec2 u_screen;         // back-buffer width and height
uniform bool u_pretransformed;
uniform vec4 u_point;          // size, scaling on (1) or off (0), minimum, maximum
uniform vec3 u_pointScale;     // A, B, C of the distance scaling
varying vec4 v_color;
varying vec2 v_texcoord;

void main() {
    v_color = a_color.bgra;
    v_texcoord = a_texcoord;
    float size = u_point.x;
    if (u_pretransformed) {
        float w = a_position.w > 0.0 ? 1.0 / a_position.w : 1.0;
        vec2 ndc = vec2(a_position.x / u_screen.x * 2.0 - 1.0, 1.0 - a_position.y / u_screen.y * 2.0);
        gl_Position = vec4(ndc * w, (2.0 * a_position.z - 1.0) * w, w);
    } else {
        vec4 eye = u_worldView * vec4(a_position.xyz, 1.0);
        vec4 clip = u_projection * eye;
        clip.z = 2.0 * clip.z - clip.w;
        gl_Position = clip;
        if (u_point.y > 0.5) {
            float d = length(eye.xyz);
            size = u_screen.y * size * sqrt(1.0 / (u_pointScale.x + u_pointScale.y * d + u_pointScale.z * d * d));
        }
    }
    gl_PointSize = clamp(size, u_point.z, u_point.w);
}
)";

// Stage 0: operations 2 select arg 1, 3 select arg 2, 4 modulate, 5 modulate 2x, 7 add;
// anything else passes the diffuse colour. Arguments: 2 texture, otherwise diffuse.
const char* kFragmentShader = R"(
#version 120
uniform sampler2D u_texture;
uniform bool u_hasTexture;
uniform bool u_sprite;
uniform ivec3 u_colorOp;   // operation, argument 1, argument 2
uniform ivec3 u_alphaOp;
uniform int u_alphaFunc;   // comparison 1..8 of the fragment's alpha with the reference
uniform float u_alphaRef;
varying vec4 v_color;
varying vec2 v_texcoord;

vec4 Arg(int arg, vec4 tex) { return arg == 2 ? tex : v_color; }

vec4 Combine(ivec3 op, vec4 tex) {
    vec4 a1 = Arg(op.y, tex);
    vec4 a2 = Arg(op.z, tex);
    if (op.x == 2) return a1;
    if (op.x == 3) return a2;
    if (op.x == 4) return a1 * a2;
    if (op.x == 5) return min(2.0 * a1 * a2, 1.0);
    if (op.x == 7) return min(a1 + a2, 1.0);
    return v_color;
}

bool AlphaPasses(float a) {
    if (u_alphaFunc == 1) return false;
    if (u_alphaFunc == 2) return a < u_alphaRef;
    if (u_alphaFunc == 3) return a == u_alphaRef;
    if (u_alphaFunc == 4) return a <= u_alphaRef;
    if (u_alphaFunc == 5) return a > u_alphaRef;
    if (u_alphaFunc == 6) return a != u_alphaRef;
    if (u_alphaFunc == 7) return a >= u_alphaRef;
    return true;
}

void main() {
    vec2 uv = u_sprite ? gl_PointCoord : v_texcoord;
    vec4 tex = u_hasTexture ? texture2D(u_texture, uv) : vec4(1.0);
    vec4 color = Combine(u_colorOp, tex);
    if (u_colorOp.x != 1) color.a = Combine(u_alphaOp, tex).a;  // a disabled stage passes diffuse whole
    if (!AlphaPasses(floor(color.a * 255.0 + 0.5))) discard;
    gl_FragColor = color;
}
)";

GLuint Compile(GLenum type, const char* source) {
    GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[2048];
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::cerr << "shader compile failed: " << log << std::endl;
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

}  // namespace

bool GlProgram::Build() {
    GLuint vs = Compile(GL_VERTEX_SHADER, kVertexShader);
    GLuint fs = Compile(GL_FRAGMENT_SHADER, kFragmentShader);
    if (!vs || !fs) {
        glDeleteShader(vs);
        glDeleteShader(fs);
        return false;
    }
    Id = glCreateProgram();
    glAttachShader(Id, vs);
    glAttachShader(Id, fs);
    glBindAttribLocation(Id, kAttribPosition, "a_position");
    glBindAttribLocation(Id, kAttribColor, "a_color");
    glBindAttribLocation(Id, kAttribTexCoord, "a_texcoord");
    glLinkProgram(Id);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(Id, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[2048];
        glGetProgramInfoLog(Id, sizeof log, nullptr, log);
        std::cerr << "shader link failed: " << log << std::endl;
        Release();
        return false;
    }
    WorldView = glGetUniformLocation(Id, "u_worldView");
    Projection = glGetUniformLocation(Id, "u_projection");
    Screen = glGetUniformLocation(Id, "u_screen");
    Pretransformed = glGetUniformLocation(Id, "u_pretransformed");
    Point = glGetUniformLocation(Id, "u_point");
    PointScale = glGetUniformLocation(Id, "u_pointScale");
    HasTexture = glGetUniformLocation(Id, "u_hasTexture");
    Sprite = glGetUniformLocation(Id, "u_sprite");
    ColorOp = glGetUniformLocation(Id, "u_colorOp");
    AlphaOp = glGetUniformLocation(Id, "u_alphaOp");
    AlphaFunc = glGetUniformLocation(Id, "u_alphaFunc");
    AlphaRef = glGetUniformLocation(Id, "u_alphaRef");
    glUseProgram(Id);
    glUniform1i(glGetUniformLocation(Id, "u_texture"), 0);
    return true;
}

void GlProgram::Release() {
    if (Id) glDeleteProgram(Id);
    Id = 0;
}

}  // namespace d3d
