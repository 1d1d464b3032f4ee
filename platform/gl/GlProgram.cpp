#include "platform/gl/GlProgram.h"

#include <iostream>
#include <string>

namespace d3d {
namespace {

// Positions: in world coordinates (the device applies the world transform), transformed by the
// view, then the projection to the original 0..1 depth range (z' = 2z - w turns it into
// OpenGL's -1..1); or, pre-transformed, pixels with a top-left origin. Point sizes shrink with
// the distance from the eye when scaling is on.
const char* kVertexShader = R"(
attribute vec4 a_position;
attribute vec4 a_color;     // the bytes of a packed ARGB colour: b, g, r, a
attribute vec2 a_texcoord;
#if TEXTURE_ARRAY
attribute float a_layer;
varying float v_layer;
#endif
uniform mat4 u_view;
uniform mat4 u_projection;
uniform vec2 u_screen;         // back-buffer width and height
uniform vec4 u_point;          // size, scaling on (1) or off (0), minimum, maximum
uniform vec3 u_pointScale;     // A, B, C of the distance scaling
varying vec4 v_color;
varying vec2 v_texcoord;

void main() {
    v_color = a_color.bgra;
    v_texcoord = a_texcoord;
#if TEXTURE_ARRAY
    v_layer = a_layer;
#endif
    float size = u_point.x;
#if PRETRANSFORMED
    float w = a_position.w > 0.0 ? 1.0 / a_position.w : 1.0;
    vec2 ndc = vec2(a_position.x / u_screen.x * 2.0 - 1.0, 1.0 - a_position.y / u_screen.y * 2.0);
    gl_Position = vec4(ndc * w, (2.0 * a_position.z - 1.0) * w, w);
#else
    vec4 eye = u_view * a_position;
    vec4 clip = u_projection * eye;
    clip.z = 2.0 * clip.z - clip.w;
    gl_Position = clip;
#if POINT_SCALE
    float d = length(eye.xyz);
    size = u_screen.y * size * sqrt(1.0 / (u_pointScale.x + u_pointScale.y * d + u_pointScale.z * d * d));
#endif
#endif
    gl_PointSize = clamp(size, u_point.z, u_point.w);
}
)";

// Texture stage 0 as an expression: operations 2 select arg 1, 3 select arg 2, 4 modulate,
// 5 modulate 2x, 7 add; anything else passes the diffuse colour. Arguments: 2 the texture,
// anything else the diffuse colour.
std::string StageExpression(const std::array<GLint, 3>& op) {
    auto arg = [](GLint a) { return std::string(a == 2 ? "tex" : "v_color"); };
    const std::string a1 = arg(op[1]), a2 = arg(op[2]);
    switch (op[0]) {
        case 2: return a1;
        case 3: return a2;
        case 4: return "(" + a1 + " * " + a2 + ")";
        case 5: return "min(2.0 * " + a1 + " * " + a2 + ", 1.0)";
        case 7: return "min(" + a1 + " + " + a2 + ", 1.0)";
        default: return "v_color";
    }
}

// The comparison of the alpha test (1 never passes, 8 always); the alpha is taken on the
// 0..255 scale of the reference.
std::string AlphaTest(GLint func) {
    static const char* const kCompare[] = {"", "", "<", "==", "<=", ">", "!=", ">="};
    if (func == 1) return "    discard;\n";
    if (func < 2 || func > 7) return "";
    return std::string("    if (!(floor(color.a * 255.0 + 0.5) ") + kCompare[func] + " u_alphaRef)) discard;\n";
}

std::string FragmentShader(const GlProgramKey& key) {
    std::string s = key.TextureArray ? "#extension GL_EXT_texture_array : enable\nuniform sampler2DArray u_texture;\n"
                                       "varying float v_layer;\n"
                                     : "uniform sampler2D u_texture;\n";
    s += "uniform float u_alphaRef;\nvarying vec4 v_color;\nvarying vec2 v_texcoord;\n\nvoid main() {\n";
    const std::string uv = key.Sprite ? "gl_PointCoord" : "v_texcoord";
    if (key.TextureArray)
        s += "    vec4 tex = texture2DArray(u_texture, vec3(" + uv + ", v_layer));\n";
    else
        s += key.Texture ? "    vec4 tex = texture2D(u_texture, " + uv + ");\n" : "    vec4 tex = vec4(1.0);\n";
    s += "    vec4 color = " + StageExpression(key.ColorOp) + ";\n";
    if (key.ColorOp[0] != 1) s += "    color.a = " + StageExpression(key.AlphaOp) + ".a;\n";  // a disabled stage passes diffuse whole
    s += AlphaTest(key.AlphaFunc);
    s += "    gl_FragColor = color;\n}\n";
    return s;
}

GLuint Compile(GLenum type, const std::string& source) {
    GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
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

bool GlProgram::Build(const GlProgramKey& key) {
    const std::string defines = std::string("#version 120\n#define PRETRANSFORMED ") + (key.Pretransformed ? "1" : "0") +
                                "\n#define POINT_SCALE " + (key.PointScale ? "1" : "0") + "\n#define TEXTURE_ARRAY " +
                                (key.TextureArray ? "1" : "0") + "\n";
    GLuint vs = Compile(GL_VERTEX_SHADER, defines + kVertexShader);
    GLuint fs = Compile(GL_FRAGMENT_SHADER, "#version 120\n" + FragmentShader(key));
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
    glBindAttribLocation(Id, kAttribLayer, "a_layer");
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
    View = glGetUniformLocation(Id, "u_view");
    Projection = glGetUniformLocation(Id, "u_projection");
    Screen = glGetUniformLocation(Id, "u_screen");
    Point = glGetUniformLocation(Id, "u_point");
    PointScale = glGetUniformLocation(Id, "u_pointScale");
    AlphaRef = glGetUniformLocation(Id, "u_alphaRef");
    return true;  // u_texture keeps its first value, texture unit 0
}

void GlProgram::Release() {
    if (Id) glDeleteProgram(Id);
    Id = 0;
}

GlProgram* GlPrograms::Get(const GlProgramKey& key) {
    for (auto& [k, program] : programs_)
        if (k == key) return program.get();
    auto program = std::make_unique<GlProgram>();
    if (!program->Build(key)) program.reset();
    programs_.emplace_back(key, std::move(program));
    return programs_.back().second.get();
}

void GlPrograms::Release() {
    for (auto& [key, program] : programs_)
        if (program) program->Release();
    programs_.clear();
}

}  // namespace d3d
