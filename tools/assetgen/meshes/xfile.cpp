#include "meshes/xfile.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <tuple>

namespace assetgen::mesh {

namespace {

// Fixed, locale-free number text: the same mesh always gives the same bytes.
void Num(std::string& out, float v, int digits) {
    if (v == 0) v = 0;  // no "-0"
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.*g", digits, double(v));
    out += buf;
}

std::string Identifier(const std::string& s) {
    std::string id;
    for (char c : s) id += (std::isalnum(static_cast<unsigned char>(c)) ? c : '_');
    if (id.empty() || std::isdigit(static_cast<unsigned char>(id[0]))) id = "M" + id;
    return id;
}

struct Key {
    uint32_t bits[8];
    bool operator<(const Key& o) const { return std::memcmp(bits, o.bits, sizeof bits) < 0; }
};

Key KeyOf(const Vertex& v) {
    Key k;
    float f[8] = {v.pos.x, v.pos.y, v.pos.z, v.normal.x, v.normal.y, v.normal.z, v.uv.x, v.uv.y};
    for (int i = 0; i < 8; ++i) {
        if (f[i] == 0) f[i] = 0;
        std::memcpy(&k.bits[i], &f[i], 4);
    }
    return k;
}

}  // namespace

std::string XFileText(const Mesh& mesh, const std::string& name) {
    // Merge identical vertices.
    std::map<Key, uint32_t> seen;
    std::vector<uint32_t> remap(mesh.verts.size());
    std::vector<Vertex> verts;
    for (size_t i = 0; i < mesh.verts.size(); ++i) {
        auto [it, added] = seen.emplace(KeyOf(mesh.verts[i]), uint32_t(verts.size()));
        if (added) verts.push_back(mesh.verts[i]);
        remap[i] = it->second;
    }
    // Keep the used materials, in their order.
    std::vector<int> matIndex(mesh.mats.size(), -1);
    std::vector<const Material*> mats;
    for (const Triangle& t : mesh.tris) matIndex[t.material] = 0;
    for (size_t i = 0; i < mesh.mats.size(); ++i)
        if (matIndex[i] == 0) {
            matIndex[i] = int(mats.size());
            mats.push_back(&mesh.mats[i]);
        }

    std::string out = "xof 0303txt 0032\n\n";
    out.reserve(64 * verts.size() + 48 * mesh.tris.size() + 256);
    auto faces = [&](std::string& o) {
        o += ' ' + std::to_string(mesh.tris.size()) + ";\n";
        for (size_t i = 0; i < mesh.tris.size(); ++i) {
            const Triangle& t = mesh.tris[i];
            o += " 3;" + std::to_string(remap[t.v[0]]) + ',' + std::to_string(remap[t.v[1]]) + ',' +
                 std::to_string(remap[t.v[2]]) + (i + 1 < mesh.tris.size() ? ";,\n" : ";;\n");
        }
    };
    out += "Mesh " + Identifier(name) + " {\n " + std::to_string(verts.size()) + ";\n";
    for (size_t i = 0; i < verts.size(); ++i) {
        out += ' ';
        Num(out, verts[i].pos.x, 7); out += ';';
        Num(out, verts[i].pos.y, 7); out += ';';
        Num(out, verts[i].pos.z, 7);
        out += i + 1 < verts.size() ? ";,\n" : ";;\n";
    }
    faces(out);

    out += " MeshMaterialList {\n  " + std::to_string(mats.size()) + ";\n  " +
           std::to_string(mesh.tris.size()) + ";\n";
    for (size_t i = 0; i < mesh.tris.size(); ++i)
        out += "  " + std::to_string(matIndex[mesh.tris[i].material]) +
               (i + 1 < mesh.tris.size() ? ",\n" : ";\n");
    for (const Material* m : mats) {
        out += "  Material " + Identifier(m->name) + " {\n   ";
        Num(out, m->diffuse.r, 6); out += ';';
        Num(out, m->diffuse.g, 6); out += ';';
        Num(out, m->diffuse.b, 6); out += ";1;;\n   0;\n   0;0;0;;\n   ";
        Num(out, m->emissive.r, 6); out += ';';
        Num(out, m->emissive.g, 6); out += ';';
        Num(out, m->emissive.b, 6); out += ";;\n";
        if (!m->texture.empty()) out += "   TextureFilename {\n    \"" + m->texture + "\";\n   }\n";
        out += "  }\n";
    }
    out += " }\n";

    out += " MeshNormals {\n  " + std::to_string(verts.size()) + ";\n";
    for (size_t i = 0; i < verts.size(); ++i) {
        out += "  ";
        Num(out, verts[i].normal.x, 6); out += ';';
        Num(out, verts[i].normal.y, 6); out += ';';
        Num(out, verts[i].normal.z, 6);
        out += i + 1 < verts.size() ? ";,\n" : ";;\n";
    }
    faces(out);
    out += " }\n";

    out += " MeshTextureCoords {\n  " + std::to_string(verts.size()) + ";\n";
    for (size_t i = 0; i < verts.size(); ++i) {
        out += "  ";
        Num(out, verts[i].uv.x, 6); out += ';';
        Num(out, verts[i].uv.y, 6);
        out += i + 1 < verts.size() ? ";,\n" : ";;\n";
    }
    out += " }\n}\n";
    return out;
}

bool WriteXFile(const std::string& path, const Mesh& mesh) {
    std::string stem = path.substr(path.find_last_of('/') + 1);
    stem = stem.substr(0, stem.find_last_of('.'));
    std::string text = XFileText(mesh, stem);
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f || !f.write(text.data(), std::streamsize(text.size()))) {
        std::fprintf(stderr, "pomelane-assets: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace assetgen::mesh
