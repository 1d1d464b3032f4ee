// Writes the star model <out>/models/orb.x (a five-pointed star 0.35 units in radius, centred
// on its origin so that it sits in the middle of its pick-up box) and its two skins.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/assets/kit/Image.h"

using assetkit::Image;
using assetkit::Rgb;

namespace {

struct V3 {
    float x, y, z;
};

V3 Sub(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 Cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float Dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

constexpr float kOuter = 0.35f, kInner = 0.15f, kThickness = 0.09f;

std::string StarModel() {
    // Ten rim points in the z = 0 plane and a peak in front and behind.
    std::vector<V3> points;
    for (int i = 0; i < 10; ++i) {
        const float angle = 3.14159265f / 2 + i * 3.14159265f / 5;
        const float r = i % 2 ? kInner : kOuter;
        points.push_back({r * std::cos(angle), r * std::sin(angle), 0});
    }
    points.push_back({0, 0, -kThickness});
    points.push_back({0, 0, kThickness});

    struct Tri {
        int a, b, c;
        V3 n;
    };
    std::vector<Tri> tris;
    for (int peak : {10, 11})
        for (int i = 0; i < 10; ++i) {
            Tri t{peak, i, (i + 1) % 10, {}};
            // Clockwise as seen from outside: the normal (b - a) x (c - a) points away from the centre.
            V3 n = Cross(Sub(points[t.b], points[t.a]), Sub(points[t.c], points[t.a]));
            const V3 mid{(points[t.a].x + points[t.b].x + points[t.c].x) / 3, (points[t.a].y + points[t.b].y + points[t.c].y) / 3,
                         (points[t.a].z + points[t.b].z + points[t.c].z) / 3};
            if (Dot(n, mid) < 0) {
                std::swap(t.b, t.c);
                n = {-n.x, -n.y, -n.z};
            }
            const float len = std::sqrt(Dot(n, n));
            t.n = {n.x / len, n.y / len, n.z / len};
            tris.push_back(t);
        }

    // Each triangle gets its own three vertices so that its normal stays flat.
    char buf[160];
    std::string mesh = "xof 0303txt 0032\n\nFrame Star {\n  FrameTransformMatrix {\n    1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0;;\n  }\n  Mesh StarMesh {\n";
    mesh += "    " + std::to_string(tris.size() * 3) + ";\n";
    std::string uvs, normals, faces, normalFaces;
    for (size_t t = 0; t < tris.size(); ++t) {
        for (int k = 0; k < 3; ++k) {
            const V3& p = points[k == 0 ? tris[t].a : k == 1 ? tris[t].b : tris[t].c];
            const bool last = t + 1 == tris.size() && k == 2;
            std::snprintf(buf, sizeof buf, "    %.6f;%.6f;%.6f;%s\n", p.x, p.y, p.z, last ? ";" : ",");
            mesh += buf;
            std::snprintf(buf, sizeof buf, "      %.6f;%.6f;%s\n", 0.5f + p.x / (2 * kOuter), 0.5f - p.y / (2 * kOuter), last ? ";" : ",");
            uvs += buf;
        }
        const bool last = t + 1 == tris.size();
        std::snprintf(buf, sizeof buf, "    3;%zu,%zu,%zu;%s\n", t * 3, t * 3 + 1, t * 3 + 2, last ? ";" : ",");
        faces += buf;
        std::snprintf(buf, sizeof buf, "      %.6f;%.6f;%.6f;%s\n", tris[t].n.x, tris[t].n.y, tris[t].n.z, last ? ";" : ",");
        normals += buf;
        std::snprintf(buf, sizeof buf, "      3;%zu,%zu,%zu;%s\n", t, t, t, last ? ";" : ",");
        normalFaces += buf;
    }
    mesh += "    " + std::to_string(tris.size()) + ";\n" + faces;
    mesh += "    MeshNormals {\n      " + std::to_string(tris.size()) + ";\n" + normals + "      " +
            std::to_string(tris.size()) + ";\n" + normalFaces + "    }\n";
    mesh += "    MeshTextureCoords {\n      " + std::to_string(tris.size() * 3) + ";\n" + uvs + "    }\n";
    mesh += "    MeshMaterialList {\n      1;\n      " + std::to_string(tris.size()) + ";\n";
    for (size_t t = 0; t < tris.size(); ++t) mesh += t + 1 == tris.size() ? "      0;;\n" : "      0,\n";
    mesh += "      Material {\n        1.000000;1.000000;1.000000;1.000000;;\n        20.000000;\n"
            "        1.000000;1.000000;1.000000;;\n        0.250000;0.200000;0.000000;;\n"
            "        TextureFilename {\n          \"StarSkin.bmp\";\n        }\n      }\n    }\n";
    mesh += "  }\n}\n";
    return mesh;
}

// A golden skin with a bright centre; the editor's selected skin glows cyan.
Image Skin(Rgb edge, Rgb centre) {
    Image img(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const float dx = x - 31.5f, dy = y - 31.5f;
            const float t = std::fmin(1.0f, std::sqrt(dx * dx + dy * dy) / 32.0f);
            img.At(x, y) = {static_cast<uint8_t>(centre.r + (edge.r - centre.r) * t),
                            static_cast<uint8_t>(centre.g + (edge.g - centre.g) * t),
                            static_cast<uint8_t>(centre.b + (edge.b - centre.b) * t)};
        }
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 1;
    const std::string out = argv[1];
    std::filesystem::create_directories(out + "/models");
    std::ofstream(out + "/models/orb.x", std::ios::binary) << StarModel();
    assetkit::WriteBmp(Skin({230, 150, 0}, {255, 250, 170}), out + "/skins/StarSkin.bmp");
    assetkit::WriteBmp(Skin({0, 160, 220}, {200, 255, 255}), out + "/skins/StarSkin_selected.bmp");
    return 0;
}
