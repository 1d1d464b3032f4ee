#include "platform/formats/XFile.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <vector>

#include "platform/ReadableFile.h"

namespace d3dx {

namespace {

// ---- Tokens: braces, names, numbers and strings; separators, comments and GUIDs are skipped.

enum class TokenKind { LBrace, RBrace, Name, Number, String, End };

struct Token {
    TokenKind Kind = TokenKind::End;
    std::string Text;
    double Value = 0;
};

std::vector<Token> Tokenize(const std::string& s, size_t pos) {
    std::vector<Token> tokens;
    const size_t n = s.size();
    auto isNameChar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.'; };
    while (pos < n) {
        const char c = s[pos];
        if (std::isspace(static_cast<unsigned char>(c)) || c == ',' || c == ';' || c == '[' || c == ']') {
            ++pos;
        } else if (c == '#' || (c == '/' && pos + 1 < n && s[pos + 1] == '/')) {
            while (pos < n && s[pos] != '\n') ++pos;
        } else if (c == '<') {
            while (pos < n && s[pos] != '>') ++pos;
            ++pos;
        } else if (c == '{' || c == '}') {
            tokens.push_back({c == '{' ? TokenKind::LBrace : TokenKind::RBrace, std::string(1, c), 0});
            ++pos;
        } else if (c == '"') {
            const size_t close = s.find('"', pos + 1);
            const size_t stop = close == std::string::npos ? n : close;
            tokens.push_back({TokenKind::String, s.substr(pos + 1, stop - pos - 1), 0});
            pos = stop + 1;
        } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '.') {
            const char* begin = s.c_str() + pos;
            char* end = nullptr;
            const double value = std::strtod(begin, &end);
            if (end == begin) {
                ++pos;  // a stray sign or dot
                continue;
            }
            tokens.push_back({TokenKind::Number, {}, value});
            pos += static_cast<size_t>(end - begin);
        } else if (isNameChar(c)) {
            const size_t start = pos;
            while (pos < n && isNameChar(s[pos])) ++pos;
            tokens.push_back({TokenKind::Name, s.substr(start, pos - start), 0});
        } else {
            ++pos;
        }
    }
    tokens.push_back({});
    return tokens;
}

// ---- Data objects: a tree of typed nodes with their numbers, strings and children in order.

struct Node {
    std::string Type;  // "@ref" for a reference to a named object
    std::string Name;
    std::vector<double> Numbers;
    std::vector<std::string> Strings;
    std::vector<Node> Children;

    const Node* Child(const std::string& type) const {
        for (const Node& c : Children)
            if (c.Type == type) return &c;
        return nullptr;
    }
};

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    bool ParseFile(Node& root, std::string& error) { return ParseBody(root, 0, true, error); }

private:
    static constexpr int kMaxDepth = 64;

    const Token& Peek(size_t ahead = 0) const {
        const size_t i = std::min(at_ + ahead, tokens_.size() - 1);
        return tokens_[i];
    }

    bool ParseBody(Node& node, int depth, bool topLevel, std::string& error) {
        if (depth > kMaxDepth) {
            error = "objects nested too deeply";
            return false;
        }
        while (true) {
            const Token& t = Peek();
            switch (t.Kind) {
                case TokenKind::End:
                    if (topLevel) return true;
                    error = "unexpected end of file";
                    return false;
                case TokenKind::RBrace:
                    ++at_;
                    if (!topLevel) return true;
                    break;
                case TokenKind::Number:
                    node.Numbers.push_back(t.Value);
                    ++at_;
                    break;
                case TokenKind::String:
                    node.Strings.push_back(t.Text);
                    ++at_;
                    break;
                case TokenKind::LBrace:
                    ParseReference(node);
                    break;
                case TokenKind::Name:
                    if (!ParseObject(node, depth, error)) return false;
                    break;
            }
        }
    }

    // "{ Name }" inside an object refers to an object defined elsewhere.
    void ParseReference(Node& node) {
        ++at_;
        Node ref;
        ref.Type = "@ref";
        while (Peek().Kind != TokenKind::RBrace && Peek().Kind != TokenKind::End) {
            if (Peek().Kind == TokenKind::Name && ref.Name.empty()) ref.Name = Peek().Text;
            ++at_;
        }
        if (Peek().Kind == TokenKind::RBrace) ++at_;
        node.Children.push_back(std::move(ref));
    }

    bool ParseObject(Node& parent, int depth, std::string& error) {
        const std::string type = Peek().Text;
        if (type == "template") return SkipTemplate(error);
        Node child;
        child.Type = type;
        if (Peek(1).Kind == TokenKind::LBrace) {
            at_ += 2;
        } else if (Peek(1).Kind == TokenKind::Name && Peek(2).Kind == TokenKind::LBrace) {
            child.Name = Peek(1).Text;
            at_ += 3;
        } else {
            ++at_;  // a bare word outside any object we understand
            return true;
        }
        if (!ParseBody(child, depth + 1, false, error)) return false;
        parent.Children.push_back(std::move(child));
        return true;
    }

    bool SkipTemplate(std::string& error) {
        int depth = 0;
        while (Peek().Kind != TokenKind::End) {
            const TokenKind kind = Peek().Kind;
            ++at_;
            if (kind == TokenKind::LBrace) ++depth;
            if (kind == TokenKind::RBrace && --depth == 0) return true;
        }
        error = "unfinished template";
        return false;
    }

    std::vector<Token> tokens_;
    size_t at_ = 0;
};

// ---- Building the mesh.

// Reads counted runs of numbers, refusing counts that run past the data.
class NumberReader {
public:
    explicit NumberReader(const std::vector<double>& numbers) : numbers_(numbers) {}
    bool Count(size_t& out, size_t itemSize) {
        if (at_ >= numbers_.size()) return false;
        const double v = numbers_[at_++];
        if (!(v >= 0) || v > static_cast<double>(numbers_.size())) return false;
        out = static_cast<size_t>(v);
        return out * itemSize <= numbers_.size() - at_;
    }
    float Float() { return at_ < numbers_.size() ? static_cast<float>(numbers_[at_++]) : 0.0f; }
    size_t Index() {
        const double v = at_ < numbers_.size() ? numbers_[at_++] : -1;
        return v >= 0 && v < 4294967296.0 ? static_cast<size_t>(v) : SIZE_MAX;
    }

private:
    const std::vector<double>& numbers_;
    size_t at_ = 0;
};

using Face = std::vector<size_t>;

bool ReadFaces(NumberReader& in, size_t count, std::vector<Face>& faces) {
    faces.resize(count);
    for (Face& f : faces) {
        size_t corners = 0;
        if (!in.Count(corners, 1)) return false;
        f.resize(corners);
        for (size_t& i : f) i = in.Index();
    }
    return true;
}

d3d::Vector3 Transform(const d3d::Vector3& p, const d3d::Matrix& m, float w) {
    return {p.X * m.m11 + p.Y * m.m21 + p.Z * m.m31 + w * m.m41, p.X * m.m12 + p.Y * m.m22 + p.Z * m.m32 + w * m.m42,
            p.X * m.m13 + p.Y * m.m23 + p.Z * m.m33 + w * m.m43};
}

d3d::Vector3 Normalized(const d3d::Vector3& v) {
    const float len = std::sqrt(v.X * v.X + v.Y * v.Y + v.Z * v.Z);
    return len > 0.0f ? d3d::Vector3{v.X / len, v.Y / len, v.Z / len} : d3d::Vector3{};
}

d3d::Matrix Identity() {
    d3d::Matrix m;
    m.m11 = m.m22 = m.m33 = m.m44 = 1.0f;
    return m;
}

d3d::Matrix Multiply(const d3d::Matrix& a, const d3d::Matrix& b) {
    const float* A = &a.m11;
    const float* B = &b.m11;
    d3d::Matrix r;
    float* R = &r.m11;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            R[i * 4 + j] = A[i * 4] * B[j] + A[i * 4 + 1] * B[4 + j] + A[i * 4 + 2] * B[8 + j] + A[i * 4 + 3] * B[12 + j];
    return r;
}

MeshSubset MaterialSubset(const Node& material) {
    MeshSubset subset;
    NumberReader in(material.Numbers);
    d3d::Material& m = subset.Material;
    m.Diffuse = {in.Float(), in.Float(), in.Float(), in.Float()};
    m.Power = in.Float();
    m.Specular = {in.Float(), in.Float(), in.Float(), 1.0f};
    m.Emissive = {in.Float(), in.Float(), in.Float(), 1.0f};
    for (const Node& c : material.Children)
        if ((c.Type == "TextureFilename" || c.Type == "TextureFileName") && !c.Strings.empty())
            subset.TextureFilename = c.Strings.front();
    return subset;
}

MeshSubset DefaultSubset() {
    MeshSubset subset;
    subset.Material.Diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    return subset;
}

class MeshBuilder {
public:
    explicit MeshBuilder(const Node& root) {
        for (const Node& c : root.Children)
            if (c.Type == "Material" && !c.Name.empty()) namedMaterials_[c.Name] = &c;
    }

    // node is a Frame or a Mesh.
    bool Visit(const Node& node, const d3d::Matrix& parent, std::string& error) {
        if (node.Type == "Mesh") return AddMesh(node, parent, error);
        d3d::Matrix world = parent;  // a frame: its matrix applies before its parent's
        if (const Node* t = node.Child("FrameTransformMatrix"); t && t->Numbers.size() >= 16) {
            d3d::Matrix local;
            float* m = &local.m11;
            for (int i = 0; i < 16; ++i) m[i] = static_cast<float>(t->Numbers[i]);
            world = Multiply(local, parent);
        }
        for (const Node& c : node.Children)
            if ((c.Type == "Frame" || c.Type == "Mesh") && !Visit(c, world, error)) return false;
        return true;
    }

    std::vector<MeshSubset> TakeSubsets() { return std::move(subsets_); }

private:
    bool AddMesh(const Node& mesh, const d3d::Matrix& world, std::string& error) {
        NumberReader in(mesh.Numbers);
        size_t vertexCount = 0, faceCount = 0;
        if (!in.Count(vertexCount, 3)) return Fail(error, "vertex count runs past the data");
        std::vector<d3d::Vector3> positions(vertexCount);
        for (d3d::Vector3& p : positions) p = {in.Float(), in.Float(), in.Float()};
        std::vector<Face> faces;
        if (!in.Count(faceCount, 1) || !ReadFaces(in, faceCount, faces)) return Fail(error, "face list runs past the data");

        std::vector<d3d::Vector3> normals;
        std::vector<Face> normalFaces;
        if (const Node* n = mesh.Child("MeshNormals")) {
            NumberReader nin(n->Numbers);
            size_t count = 0, faceNormals = 0;
            if (nin.Count(count, 3)) {
                normals.resize(count);
                for (d3d::Vector3& v : normals) v = {nin.Float(), nin.Float(), nin.Float()};
                if (!nin.Count(faceNormals, 1) || !ReadFaces(nin, faceNormals, normalFaces)) normalFaces.clear();
            }
        }
        std::vector<std::pair<float, float>> uvs;
        if (const Node* t = mesh.Child("MeshTextureCoords")) {
            NumberReader tin(t->Numbers);
            size_t count = 0;
            if (tin.Count(count, 2)) {
                uvs.resize(count);
                for (auto& uv : uvs) uv = {tin.Float(), tin.Float()};
            }
        }

        const size_t firstSubset = subsets_.size();
        std::vector<size_t> faceMaterials;
        if (const Node* list = mesh.Child("MeshMaterialList")) {
            NumberReader lin(list->Numbers);
            size_t materialCount = 0, indexCount = 0;
            if (lin.Count(materialCount, 0) && lin.Count(indexCount, 1))
                for (size_t i = 0; i < indexCount; ++i) faceMaterials.push_back(lin.Index());
            for (const Node& c : list->Children) {
                if (c.Type == "Material") subsets_.push_back(MaterialSubset(c));
                if (c.Type == "@ref" && namedMaterials_.count(c.Name)) subsets_.push_back(MaterialSubset(*namedMaterials_[c.Name]));
            }
        }
        if (subsets_.size() == firstSubset) subsets_.push_back(DefaultSubset());
        const size_t materials = subsets_.size() - firstSubset;

        for (size_t f = 0; f < faces.size(); ++f) {
            const Face& face = faces[f];
            size_t material = faceMaterials.empty() ? 0 : faceMaterials[std::min(f, faceMaterials.size() - 1)];
            if (material >= materials) material = 0;
            std::vector<d3d::MeshVertex>& out = subsets_[firstSubset + material].Vertices;
            const Face* nf = f < normalFaces.size() && normalFaces[f].size() == face.size() ? &normalFaces[f] : nullptr;
            for (size_t i = 1; i + 1 < face.size(); ++i) {
                const size_t corners[3] = {0, i, i + 1};
                d3d::MeshVertex tri[3];
                bool valid = true;
                for (int k = 0; k < 3; ++k) {
                    const size_t vi = face[corners[k]];
                    if (vi >= positions.size()) valid = false;
                    if (!valid) break;
                    const d3d::Vector3 p = Transform(positions[vi], world, 1.0f);
                    d3d::Vector3 n{};
                    if (nf && (*nf)[corners[k]] < normals.size()) n = Normalized(Transform(normals[(*nf)[corners[k]]], world, 0.0f));
                    const auto uv = vi < uvs.size() ? uvs[vi] : std::pair<float, float>{0.0f, 0.0f};
                    tri[k] = {p.X, p.Y, p.Z, n.X, n.Y, n.Z, uv.first, uv.second};
                }
                if (!valid) return Fail(error, "a face names a vertex that does not exist");
                if (!nf) FlatNormal(tri);
                out.insert(out.end(), tri, tri + 3);
            }
        }
        return true;
    }

    // Faces without normals of their own get the normal of their plane (clockwise front).
    static void FlatNormal(d3d::MeshVertex (&tri)[3]) {
        const d3d::Vector3 u{tri[1].X - tri[0].X, tri[1].Y - tri[0].Y, tri[1].Z - tri[0].Z};
        const d3d::Vector3 v{tri[2].X - tri[0].X, tri[2].Y - tri[0].Y, tri[2].Z - tri[0].Z};
        const d3d::Vector3 n = Normalized({u.Y * v.Z - u.Z * v.Y, u.Z * v.X - u.X * v.Z, u.X * v.Y - u.Y * v.X});
        for (d3d::MeshVertex& vx : tri) {
            vx.Nx = n.X;
            vx.Ny = n.Y;
            vx.Nz = n.Z;
        }
    }

    static bool Fail(std::string& error, const char* why) {
        error = why;
        return false;
    }

    std::map<std::string, const Node*> namedMaterials_;
    std::vector<MeshSubset> subsets_;
};

void SetError(std::string* error, const std::string& text) {
    if (error) *error = text;
}

}  // namespace

Mesh::Mesh(d3d::Device& device, std::vector<MeshSubset> subsets) : device_(&device), subsets_(std::move(subsets)) {
    for (const MeshSubset& subset : subsets_) {
        const size_t bytes = subset.Vertices.size() * sizeof(d3d::MeshVertex);
        d3d::VertexBufferPtr buffer = bytes ? device.CreateVertexBuffer(bytes, d3d::FVF_MESHVERTEX) : nullptr;
        if (buffer) buffer->SetData(0, subset.Vertices.data(), bytes);
        buffers_.push_back(std::move(buffer));
    }
}

void Mesh::DrawSubset(size_t i) const {
    if (i >= subsets_.size() || subsets_[i].Vertices.empty()) return;
    const auto& vertices = subsets_[i].Vertices;
    const auto triangles = static_cast<uint32_t>(vertices.size() / 3);
    device_->SetVertexShader(d3d::FVF_MESHVERTEX);
    if (buffers_[i]) {
        device_->SetStreamSource(0, buffers_[i], sizeof(d3d::MeshVertex));
        device_->DrawPrimitive(d3d::PT_TRIANGLELIST, 0, triangles);
    } else {
        device_->DrawPrimitiveUP(d3d::PT_TRIANGLELIST, triangles, vertices.data(), sizeof(d3d::MeshVertex));
    }
}

MeshPtr ParseMeshFromX(const std::string& text, d3d::Device& device, std::string* error) {
    if (text.size() < 16 || text.compare(0, 4, "xof ") != 0) {
        SetError(error, "not a .x file");
        return nullptr;
    }
    if (text.compare(8, 4, "txt ") != 0) {
        SetError(error, "only text-format .x files are supported");
        return nullptr;
    }
    Node root;
    std::string why;
    if (!Parser(Tokenize(text, 16)).ParseFile(root, why)) {
        SetError(error, why);
        return nullptr;
    }
    MeshBuilder builder(root);
    for (const Node& c : root.Children)
        if ((c.Type == "Frame" || c.Type == "Mesh") && !builder.Visit(c, Identity(), why)) {
            SetError(error, why);
            return nullptr;
        }
    std::vector<MeshSubset> subsets = builder.TakeSubsets();
    if (subsets.empty()) {
        SetError(error, "the file holds no mesh");
        return nullptr;
    }
    return std::make_shared<Mesh>(device, std::move(subsets));
}

MeshPtr LoadMeshFromX(const std::string& path, d3d::Device& device, std::string* error) {
    std::vector<uint8_t> bytes;
    if (const int code = platform::ReadFileInto(path, bytes); code != 0) {
        SetError(error, "cannot read " + path + " (" + platform::FileFailure(code) + ")");
        return nullptr;
    }
    return ParseMeshFromX(std::string(bytes.begin(), bytes.end()), device, error);
}

}  // namespace d3dx
