// Ray queries as the can's flight makes them: up to ~80 rays a frame against a stage of
// about 10 000 triangles; and building the index (at load, and after each dent).
#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/mesh.h"

namespace {

using plat::Mesh;
using plat::Vec3;

// Rolling ground of n x n cells with walls of boxes standing on it: 2 n^2 + 12 boxes triangles.
Mesh Stage(int n, int boxes, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> u(0, 1);
    Mesh m;
    const float cell = 40;
    for (int z = 0; z <= n; ++z)
        for (int x = 0; x <= n; ++x)
            m.vertices.push_back({{x * cell, 30 * std::sin(x * 0.2f) * std::cos(z * 0.15f), z * cell}, {0, 1, 0}, {}});
    for (int z = 0; z < n; ++z)
        for (int x = 0; x < n; ++x) {
            uint32_t a = uint32_t(z * (n + 1) + x), b = a + 1, c = a + uint32_t(n + 1), d = c + 1;
            m.indices.insert(m.indices.end(), {a, c, d, a, d, b});
        }
    for (int i = 0; i < boxes; ++i) {
        Vec3 lo(u(rng) * n * cell, -20, u(rng) * n * cell), size(20 + u(rng) * 200, 50 + u(rng) * 300, 20 + u(rng) * 200);
        uint32_t first = uint32_t(m.vertices.size());
        for (uint32_t k = 0; k < 8; ++k)
            m.vertices.push_back({{lo.x + (k & 1 ? size.x : 0), lo.y + (k & 2 ? size.y : 0), lo.z + (k & 4 ? size.z : 0)}, {}, {}});
        static const uint32_t faces[36] = {0, 2, 3, 0, 3, 1, 4, 5, 7, 4, 7, 6, 0, 4, 6, 0, 6, 2,
                                           1, 3, 7, 1, 7, 5, 0, 1, 5, 0, 5, 4, 2, 6, 7, 2, 7, 3};
        for (uint32_t f : faces) m.indices.push_back(first + f);
    }
    m.subsets.push_back({0, unsigned(m.indices.size())});
    return m;
}

struct Ray {
    Vec3 pos, dir;
};

// Per test of the can: straight down, straight up, along the motion, and the side ray.
std::vector<Ray> CanRays(int count, float extent, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> u(0, 1), s(-1, 1);
    std::vector<Ray> rays;
    while (int(rays.size()) < count) {
        Vec3 p(u(rng) * extent, 10 + u(rng) * 150, u(rng) * extent);
        Vec3 motion(s(rng), s(rng) * 0.3f, s(rng)), unit;
        plat::Vec3Normalize(&unit, &motion);
        rays.push_back({p, {0, -1, 0}});
        rays.push_back({p, {0, 1, 0}});
        rays.push_back({p, unit});
        rays.push_back({p + Vec3(unit.z, 0, -unit.x), unit});
    }
    rays.resize(size_t(count));
    return rays;
}

void BM_CanRays80(benchmark::State& state) {
    Mesh stage = Stage(int(state.range(0)), 40, 1);
    plat::MeshVerticesChanged(&stage);
    std::vector<Ray> rays = CanRays(80, 40.f * float(state.range(0)), 2);
    int hits = 0;
    for (auto _ : state) {
        for (const Ray& r : rays) {
            bool hit;
            float dist;
            plat::IntersectMesh(&stage, r.pos, r.dir, &hit, &dist);
            hits += hit;
        }
        benchmark::DoNotOptimize(hits);
    }
    state.counters["triangles"] = double(stage.indices.size() / 3);
    state.counters["rays/s"] = benchmark::Counter(80.0 * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CanRays80)->Arg(70)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_BuildIndex(benchmark::State& state) {
    Mesh stage = Stage(int(state.range(0)), 40, 1);
    for (auto _ : state) plat::MeshVerticesChanged(&stage);
    state.counters["triangles"] = double(stage.indices.size() / 3);
}
// 16 x 16 cells is about a can (512 triangles); 70 x 70 a stage.
BENCHMARK(BM_BuildIndex)->Arg(16)->Arg(70)->Unit(benchmark::kMicrosecond);

void BM_LoadTextX(benchmark::State& state) {
    Mesh stage = Stage(70, 40, 1);
    std::string text = "xof 0303txt 0032\nMesh {\n" + std::to_string(stage.vertices.size()) + ";\n";
    char buf[96];
    for (size_t i = 0; i < stage.vertices.size(); ++i) {
        const Vec3& p = stage.vertices[i].pos;
        std::snprintf(buf, sizeof buf, "%f;%f;%f;%s\n", double(p.x), double(p.y), double(p.z),
                      i + 1 < stage.vertices.size() ? "," : ";");
        text += buf;
    }
    const size_t faces = stage.indices.size() / 3;
    text += std::to_string(faces) + ";\n";
    for (size_t f = 0; f < faces; ++f)
        text += "3;" + std::to_string(stage.indices[3 * f]) + "," + std::to_string(stage.indices[3 * f + 1]) + "," +
                std::to_string(stage.indices[3 * f + 2]) + (f + 1 < faces ? ";,\n" : ";;\n");
    text += "MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }\n}\n";
    const std::string path = "/tmp/pomelane_bench_stage.x";
    std::ofstream(path, std::ios::binary) << text;
    for (auto _ : state) plat::ReleaseMeshObject(plat::LoadXMesh(path));
    std::remove(path.c_str());
    state.counters["triangles"] = double(faces);
}
BENCHMARK(BM_LoadTextX)->Unit(benchmark::kMillisecond);

}  // namespace
