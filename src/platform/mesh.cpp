// .x meshes through Assimp, kept in the file's own left-handed terms: one subset per material
// in material order, shared vertices, materials and texture names as the file has them. The
// file is read and cleaned first (mesh_xfile.h); Assimp sees only the clean copy.
#include "platform/mesh.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <assimp/Importer.hpp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unordered_map>

#include "platform/math_tri.h"
#include "platform/mesh_bvh.h"
#include "platform/mesh_xfile.h"

namespace plat {

namespace {

bool ReadWholeFile(const std::string& path, std::vector<char>* out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

Color ToColor(const aiColor4D& c) { return {c.r, c.g, c.b, c.a}; }

MeshMaterial ReadMaterial(const aiMaterial* m) {
    MeshMaterial out;
    aiColor4D c;
    if (m->Get(AI_MATKEY_COLOR_DIFFUSE, c) == AI_SUCCESS) out.material.Diffuse = ToColor(c);
    if (m->Get(AI_MATKEY_COLOR_SPECULAR, c) == AI_SUCCESS) out.material.Specular = ToColor(c);
    if (m->Get(AI_MATKEY_COLOR_EMISSIVE, c) == AI_SUCCESS) out.material.Emissive = ToColor(c);
    float power = 0;
    if (m->Get(AI_MATKEY_SHININESS, power) == AI_SUCCESS) out.material.Power = power;
    // A material names at most one texture; take it whatever kind the reader filed it as.
    for (int type = aiTextureType_DIFFUSE; type <= AI_TEXTURE_TYPE_MAX && out.textureFile.empty(); ++type) {
        aiString name;
        if (m->GetTextureCount(aiTextureType(type)) > 0 &&
            m->GetTexture(aiTextureType(type), 0, &name) == AI_SUCCESS)
            out.textureFile = name.C_Str();
    }
    return out;
}

// Identical vertices (the same position, normal and texture coordinate) are one vertex,
// also across subsets, so that moving a corner moves it once.
struct VertexKey {
    float f[8];
    bool operator==(const VertexKey& o) const { return std::memcmp(f, o.f, sizeof f) == 0; }
};
struct VertexKeyHash {
    size_t operator()(const VertexKey& k) const {
        uint32_t bits[8];
        std::memcpy(bits, k.f, sizeof bits);
        uint64_t h = 1469598103934665603ull;
        for (uint32_t b : bits) h = (h ^ b) * 1099511628211ull;
        return size_t(h ^ (h >> 29));
    }
};
VertexKey KeyOf(const MeshVertex& v) {
    // + 0.0f turns -0 into +0, so that the two compare equal bitwise as they do as floats.
    return {{v.pos.x + 0.0f, v.pos.y + 0.0f, v.pos.z + 0.0f, v.normal.x + 0.0f, v.normal.y + 0.0f,
             v.normal.z + 0.0f, v.uv.x + 0.0f, v.uv.y + 0.0f}};
}

struct Part {
    const aiMesh* mesh;
    aiMatrix4x4 transform;  // the node's place in the file's frame hierarchy
};

void CollectNodes(const aiScene* scene, const aiNode* node, const aiMatrix4x4& parent, unsigned depth,
                  std::vector<Part>* parts, std::vector<bool>* placed) {
    if (depth > 256) return;  // the cleaned file nests frames 64 deep at most
    aiMatrix4x4 global = parent * node->mTransformation;
    for (unsigned i = 0; i < node->mNumMeshes; ++i) {
        unsigned index = node->mMeshes[i];
        if (index >= scene->mNumMeshes) continue;
        parts->push_back({scene->mMeshes[index], global});
        (*placed)[index] = true;
    }
    for (unsigned i = 0; i < node->mNumChildren; ++i)
        CollectNodes(scene, node->mChildren[i], global, depth + 1, parts, placed);
}

// The subset of an Assimp material: the place its tag names, or a trailing default subset
// for faces of a mesh that had no material list.
unsigned SubsetOf(const aiMaterial* material, size_t listed, std::vector<MeshMaterial>* materials,
                  int* fallback) {
    aiString name;
    material->Get(AI_MATKEY_NAME, name);
    const size_t tagLength = std::strlen(kXMaterialTag);
    if (std::strncmp(name.C_Str(), kXMaterialTag, tagLength) == 0) {
        char* end = nullptr;
        unsigned long k = std::strtoul(name.C_Str() + tagLength, &end, 10);
        if (end != name.C_Str() + tagLength && *end == '\0' && k < listed) return unsigned(k);
    }
    if (*fallback < 0) {
        *fallback = int(materials->size());
        materials->push_back(ReadMaterial(material));
    }
    return unsigned(*fallback);
}

// For parts without normals: smooth ones, each corner the area-weighted sum of the faces
// around its position. Front faces wind clockwise, so a face's normal is (p1 - p0) x (p2 - p0).
void SmoothNormals(Mesh* mesh, const std::vector<uint32_t>& needsNormal) {
    std::vector<bool> wanted(mesh->vertices.size(), false);
    for (uint32_t i : needsNormal) wanted[i] = true;
    auto posKey = [](const Vec3& p) {
        MeshVertex v;
        v.pos = p;
        return KeyOf(v);
    };
    std::unordered_map<VertexKey, Vec3, VertexKeyHash> sum;
    for (size_t f = 0; f + 2 < mesh->indices.size(); f += 3) {
        const uint32_t* c = &mesh->indices[f];
        if (!wanted[c[0]] && !wanted[c[1]] && !wanted[c[2]]) continue;
        const Vec3& p0 = mesh->vertices[c[0]].pos;
        Vec3 n = Vec3Cross(mesh->vertices[c[1]].pos - p0, mesh->vertices[c[2]].pos - p0);
        for (int k = 0; k < 3; ++k) sum[posKey(mesh->vertices[c[k]].pos)] += n;
    }
    for (uint32_t i : needsNormal) {
        auto it = sum.find(posKey(mesh->vertices[i].pos));
        if (it != sum.end()) Vec3Normalize(&mesh->vertices[i].normal, &it->second);
    }
}

Mesh* Fail(const std::string& path, const std::string& why) {
    std::fprintf(stderr, "LoadXMesh: %s: %s\n", path.c_str(), why.c_str());
    return nullptr;
}

}  // namespace

Mesh* LoadXMesh(const std::string& path) {
    std::vector<char> data;
    if (!ReadWholeFile(path, &data)) return Fail(path, "cannot read the file");
    std::string why;
    XCleanFile clean;
    if (!CleanXFile(data, &clean, &why)) return Fail(path, "damaged: " + why);

    // Assimp's .x reader turns the file right-handed (z, winding and v flipped); converting
    // back gives the file's own coordinates, winding and texture coordinates.
    Assimp::Importer importer;
    const unsigned flags = aiProcess_ConvertToLeftHanded | aiProcess_JoinIdenticalVertices |
                           aiProcess_Triangulate;
    const aiScene* scene = importer.ReadFileFromMemory(clean.text.data(), clean.text.size(), flags, "x");
    if (!scene || !scene->mRootNode || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE))
        return Fail(path, std::string("damaged: ") + importer.GetErrorString());

    auto mesh = std::make_unique<Mesh>();
    // One subset per listed material, in list order, also for a material no face uses
    // (Assimp makes no aiMesh for it).
    const size_t listed = clean.materials.size();
    mesh->materials = std::move(clean.materials);
    int fallback = -1;
    std::vector<unsigned> subsetOf(scene->mNumMaterials);
    for (unsigned i = 0; i < scene->mNumMaterials; ++i)
        subsetOf[i] = SubsetOf(scene->mMaterials[i], listed, &mesh->materials, &fallback);

    std::vector<Part> parts;
    std::vector<bool> placed(scene->mNumMeshes, false);
    CollectNodes(scene, scene->mRootNode, aiMatrix4x4(), 0, &parts, &placed);
    for (unsigned i = 0; i < scene->mNumMeshes; ++i)
        if (!placed[i]) parts.push_back({scene->mMeshes[i], aiMatrix4x4()});
    std::vector<std::vector<const Part*>> bySubset(mesh->materials.size());
    for (const Part& part : parts) {
        unsigned m = part.mesh->mMaterialIndex;
        if (m < subsetOf.size()) bySubset[subsetOf[m]].push_back(&part);
    }

    std::unordered_map<VertexKey, uint32_t, VertexKeyHash> seen;
    std::vector<uint32_t> needsNormal;  // vertices of parts the file gives no normals
    for (const auto& subsetParts : bySubset) {
        MeshSubset subset;
        subset.firstIndex = unsigned(mesh->indices.size());
        for (const Part* part : subsetParts) {
            const aiMesh* m = part->mesh;
            const bool moved = !part->transform.IsIdentity();
            const aiMatrix3x3 normalTransform = aiMatrix3x3(part->transform).Inverse().Transpose();
            for (unsigned f = 0; f < m->mNumFaces; ++f) {
                const aiFace& face = m->mFaces[f];
                if (face.mNumIndices != 3) continue;  // the cleaned file has none; never draw a stray point
                for (unsigned k = 0; k < 3; ++k) {
                    unsigned vi = face.mIndices[k];
                    if (vi >= m->mNumVertices) return Fail(path, "damaged: a face corner out of range");
                    aiVector3D p = m->mVertices[vi];
                    aiVector3D nrm = m->HasNormals() ? m->mNormals[vi] : aiVector3D(0, 0, 0);
                    if (moved) {
                        p = part->transform * p;
                        nrm = (normalTransform * nrm).NormalizeSafe();
                    }
                    MeshVertex v;
                    v.pos = Vec3(p.x, p.y, p.z);
                    v.normal = Vec3(nrm.x, nrm.y, nrm.z);
                    if (m->HasTextureCoords(0)) v.uv = Vec2(m->mTextureCoords[0][vi].x, m->mTextureCoords[0][vi].y);
                    auto [it, fresh] = seen.emplace(KeyOf(v), uint32_t(mesh->vertices.size()));
                    if (fresh) {
                        mesh->vertices.push_back(v);
                        if (!m->HasNormals()) needsNormal.push_back(it->second);
                    }
                    mesh->indices.push_back(it->second);
                }
            }
        }
        subset.indexCount = unsigned(mesh->indices.size()) - subset.firstIndex;
        mesh->subsets.push_back(subset);
    }
    if (mesh->indices.empty()) return Fail(path, "damaged: no triangles");
    if (!needsNormal.empty()) SmoothNormals(mesh.get(), needsNormal);

    MeshVerticesChanged(mesh.get());
    return mesh.release();
}

void MeshVerticesChanged(Mesh* mesh) {
    if (!mesh) return;
    mesh->dirty = true;
    // A copy of the mesh may share the index; it keeps the old one.
    if (!mesh->bvh || mesh->bvh.use_count() > 1) mesh->bvh = std::make_shared<MeshBvh>();
    BuildMeshBvh(*mesh->bvh, *mesh);
}

void ReleaseMeshObject(Mesh* mesh) {
    if (!mesh) return;
    if (Device* device = CurrentDevice()) device->ForgetMesh(mesh);
    delete mesh;
}

bool IntersectMesh(const Mesh* mesh, const Vec3& rayPos, const Vec3& rayDir, bool* hit, float* dist,
                   unsigned* faceIndex) {
    if (hit) *hit = false;
    if (!mesh) return false;
    float best = 0;
    uint32_t face = 0;
    bool found = false;
    if (mesh->bvh) {
        found = RayMeshBvh(*mesh->bvh, rayPos, rayDir, &best, &face);
    } else {
        // A mesh put together by hand that never had its index built: test every triangle.
        const size_t nv = mesh->vertices.size();
        for (size_t f = 0; f < mesh->indices.size() / 3; ++f) {
            uint32_t i0 = mesh->indices[3 * f], i1 = mesh->indices[3 * f + 1], i2 = mesh->indices[3 * f + 2];
            if (i0 >= nv || i1 >= nv || i2 >= nv) continue;
            const Vec3& p0 = mesh->vertices[i0].pos;
            float u, v, t;
            if (detail::RayTriangle(p0, mesh->vertices[i1].pos - p0, mesh->vertices[i2].pos - p0, rayPos, rayDir,
                                    kMeshEdgeSlack, &u, &v, &t) &&
                (!found || t < best)) {
                best = t;
                face = uint32_t(f);
                found = true;
            }
        }
    }
    if (!found) return false;
    if (hit) *hit = true;
    if (dist) *dist = best;
    if (faceIndex) *faceIndex = face;
    return true;
}

}  // namespace plat
