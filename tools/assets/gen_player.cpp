// The player's vehicle: models/player.x (a text .x mesh built from boxes), its skins in
// skins/, and the sixteen explosion pictures misc/explode1.bmp .. explode16.bmp.
//
// The vehicle fills the collision box the game gives it: x -0.4..0.4, y 0..0.8, z -0.8..0
// around its origin, the middle of the bottom front edge; it drives towards +Z.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/assets/kit/Image.h"

using assetkit::Image;
using assetkit::Rgb;

namespace {

struct Vec {
    float x, y, z;
};

Vec Sub(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec Cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

enum MaterialIndex { BODY, GLASS, TYRE, MATERIAL_COUNT };

struct Quad {
    Vec corners[4];
    Vec normal;
    int material;
};

// The six faces of an axis-aligned box, each wound clockwise as seen from outside (the
// device's front faces).
void AddBox(std::vector<Quad>& quads, Vec lo, Vec hi, int material) {
    const Vec normals[6] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};
    for (const Vec& n : normals) {
        // Two axes span the face; the third is fixed at the side the normal points to.
        const int fixed = n.x != 0 ? 0 : (n.y != 0 ? 1 : 2);
        const int u = (fixed + 1) % 3, v = (fixed + 2) % 3;
        const float sideLo[3] = {lo.x, lo.y, lo.z}, sideHi[3] = {hi.x, hi.y, hi.z};
        const float positive = n.x + n.y + n.z;
        Quad q{};
        const int order[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        for (int k = 0; k < 4; ++k) {
            float p[3];
            p[fixed] = positive > 0 ? sideHi[fixed] : sideLo[fixed];
            p[u] = order[k][0] ? sideHi[u] : sideLo[u];
            p[v] = order[k][1] ? sideHi[v] : sideLo[v];
            q.corners[k] = {p[0], p[1], p[2]};
        }
        const Vec facing = Cross(Sub(q.corners[1], q.corners[0]), Sub(q.corners[2], q.corners[0]));
        if (Dot(facing, n) < 0) std::swap(q.corners[1], q.corners[3]);
        q.normal = n;
        q.material = material;
        quads.push_back(q);
    }
}

std::vector<Quad> VehicleQuads() {
    std::vector<Quad> quads;
    AddBox(quads, {-0.36f, 0.12f, -0.8f}, {0.36f, 0.42f, 0.0f}, BODY);      // chassis
    AddBox(quads, {-0.3f, 0.42f, -0.62f}, {0.3f, 0.68f, -0.2f}, GLASS);     // cabin
    AddBox(quads, {-0.05f, 0.42f, -0.78f}, {0.05f, 0.72f, -0.7f}, BODY);    // fin
    AddBox(quads, {-0.4f, 0.72f, -0.8f}, {0.4f, 0.8f, -0.66f}, BODY);       // rear wing
    for (float side : {-1.0f, 1.0f}) {
        const float inner = side * 0.28f, outer = side * 0.4f;
        for (float front : {-0.52f, -0.08f})
            AddBox(quads, {std::min(inner, outer), 0.0f, front - 0.2f}, {std::max(inner, outer), 0.22f, front}, TYRE);
    }
    return quads;
}

std::string Num(float f) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6f", static_cast<double>(f));
    return buf;
}

// A list of n items, each written by item(i), separated by "," and closed by ";".
template <class F>
void WriteList(std::ostream& out, size_t n, F item) {
    for (size_t i = 0; i < n; ++i) {
        out << "  ";
        item(i);
        out << (i + 1 < n ? ",\n" : ";\n");
    }
}

void WriteMaterial(std::ostream& out, const char* name, Rgb tint, const char* skin) {
    out << "Material " << name << " {\n  " << Num(tint.r / 255.0f) << ";" << Num(tint.g / 255.0f) << ";"
        << Num(tint.b / 255.0f) << ";1.000000;;\n  12.000000;\n  0.300000;0.300000;0.300000;;\n"
        << "  0.000000;0.000000;0.000000;;\n  TextureFilename { \"" << skin << "\"; }\n}\n\n";
}

void WriteMesh(const std::string& path) {
    const std::vector<Quad> quads = VehicleQuads();
    std::ostringstream out;
    out << "xof 0303txt 0032\n\n";
    WriteMaterial(out, "Body", {255, 255, 255}, "player_body.bmp");
    WriteMaterial(out, "Glass", {255, 255, 255}, "player_glass.bmp");
    WriteMaterial(out, "Tyre", {255, 255, 255}, "player_tyre.bmp");

    out << "Mesh Vehicle {\n  " << quads.size() * 4 << ";\n";
    WriteList(out, quads.size() * 4, [&](size_t i) {
        const Vec& p = quads[i / 4].corners[i % 4];
        out << Num(p.x) << ";" << Num(p.y) << ";" << Num(p.z) << ";";
    });
    out << "  " << quads.size() << ";\n";
    WriteList(out, quads.size(), [&](size_t f) { out << "4;" << f * 4 << "," << f * 4 + 1 << "," << f * 4 + 2 << "," << f * 4 + 3 << ";"; });

    out << "\n  MeshNormals {\n  " << quads.size() << ";\n";
    WriteList(out, quads.size(), [&](size_t f) {
        const Vec& n = quads[f].normal;
        out << Num(n.x) << ";" << Num(n.y) << ";" << Num(n.z) << ";";
    });
    out << "  " << quads.size() << ";\n";
    WriteList(out, quads.size(), [&](size_t f) { out << "4;" << f << "," << f << "," << f << "," << f << ";"; });
    out << "  }\n";

    out << "\n  MeshTextureCoords {\n  " << quads.size() * 4 << ";\n";
    const char* uv[4] = {"0.000000;0.000000;", "1.000000;0.000000;", "1.000000;1.000000;", "0.000000;1.000000;"};
    WriteList(out, quads.size() * 4, [&](size_t i) { out << uv[i % 4]; });
    out << "  }\n";

    out << "\n  MeshMaterialList {\n  " << MATERIAL_COUNT << ";\n  " << quads.size() << ";\n";
    WriteList(out, quads.size(), [&](size_t f) { out << quads[f].material; });
    out << "  {Body}\n  {Glass}\n  {Tyre}\n  }\n}\n";

    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << out.str();
}

// Red paint with a white racing stripe down the middle and a dark seam round the edge.
Image BodySkin() {
    Image img(64, 64, {196, 28, 32});
    assetkit::Noise noise(11);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) img.Blend(x, y, {120, 10, 14}, noise.Unit() * 0.25f);
    img.FillRect(26, 0, 38, 64, {236, 236, 236});
    img.FillRect(0, 0, 64, 2, {70, 8, 10});
    img.FillRect(0, 62, 64, 64, {70, 8, 10});
    img.FillRect(0, 0, 2, 64, {70, 8, 10});
    img.FillRect(62, 0, 64, 64, {70, 8, 10});
    return img;
}

// Tinted glass with a diagonal highlight.
Image GlassSkin() {
    Image img(64, 64);
    img.VerticalGradient({120, 190, 235}, {30, 70, 120});
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if (std::abs(x - y - 10) < 5) img.Blend(x, y, {255, 255, 255}, 0.5f);
    img.FillRect(0, 0, 64, 4, {40, 40, 48});
    img.FillRect(0, 60, 64, 64, {40, 40, 48});
    return img;
}

// Rubber with tread grooves.
Image TyreSkin() {
    Image img(64, 64, {34, 34, 38});
    for (int y = 0; y < 64; y += 8) img.FillRect(0, y, 64, y + 3, {16, 16, 18});
    img.FillCircle(32, 32, 12, {150, 150, 160});
    img.FillCircle(32, 32, 5, {60, 60, 66});
    return img;
}

uint8_t Channel(float v) { return static_cast<uint8_t>(std::clamp(v, 0.0f, 255.0f)); }

// Frame 1..16 of a fireball that swells, burns out and leaves thinning smoke. Black is keyed
// out by the game, so no fire or smoke pixel may be pure black.
Image ExplosionFrame(int frame) {
    Image img(64, 64);
    const float t = (frame - 1) / 15.0f;                 // 0 .. 1 through the sequence
    const float radius = 6.0f + 24.0f * std::sqrt(t);    // fast swell, then slower
    const float heat = 1.0f - t;                         // white-hot to dull smoke
    assetkit::Noise noise(static_cast<uint32_t>(frame) * 7919u);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const float dx = x + 0.5f - 32.0f, dy = y + 0.5f - 32.0f;
            const float d = std::sqrt(dx * dx + dy * dy) / radius + (noise.Unit() - 0.5f) * 0.25f;
            if (d >= 1.0f) continue;
            const float core = (1.0f - d) * heat;  // bright in the middle while hot
            const float r = 90.0f + 165.0f * std::min(1.0f, heat * 1.6f);
            const float g = 50.0f + 205.0f * core;
            const float b = 30.0f + 200.0f * core * core;
            const float fade = 1.0f - 0.6f * t * d;  // the rim darkens into smoke as it spreads
            img.Set(x, y, {Channel(r * fade + 8), Channel(g * fade + 8), Channel(b * fade + 8)});
        }
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gen_player <output folder>\n");
        return 2;
    }
    const std::string out = argv[1];
    WriteMesh(out + "/models/player.x");
    assetkit::WriteBmp(BodySkin(), out + "/skins/player_body.bmp");
    assetkit::WriteBmp(GlassSkin(), out + "/skins/player_glass.bmp");
    assetkit::WriteBmp(TyreSkin(), out + "/skins/player_tyre.bmp");
    for (int i = 1; i <= 16; ++i) assetkit::WriteBmp(ExplosionFrame(i), out + "/misc/explode" + std::to_string(i) + ".bmp");
    return 0;
}
