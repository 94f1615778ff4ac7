// The textures the stage, sky and ending meshes name. Each is opaque and power-of-two, and
// is modulated by its material's colour, so the patterns are drawn in light tones. All but
// the two boards tile: every pattern is periodic over the texture's size.
#include <string>

#include "meshes/textures.h"
#include "pictures/art.h"
#include "pictures/sheet.h"

namespace assetgen::pic {

namespace {

// Tileable noise over a square texture of `size` texels with cells of `cell` texels.
float TileNoise(P p, int size, float cell, uint32_t seed, int octaves = 3) {
    return Fbm(p.x / cell, p.y / cell, seed, octaves, int(size / cell));
}

uint32_t Hash(int a, int b) {
    uint32_t h = uint32_t(a) * 73856093u ^ uint32_t(b) * 19349663u;
    h ^= h >> 13;
    return h * 1274126177u;
}

Sheet Whole(const char* file, int w, int h) {
    Sheet s(file, w, h, Key::None);
    s.pieces.push_back({"whole", {0, 0, w, h}});
    return s;
}

Sheet SkyTexture() {
    // Latitude by longitude: the zenith at the top row, the horizon at the middle, the nadir at
    // the bottom; u runs once round, so the clouds wrap.
    Sheet s = Whole(mesh::tex::kSky, 256, 256);
    Pixels(s.All(), [](P p) {
        const float v = p.y / 256;
        Color c;
        if (v < 0.5f)
            c = Mix(Rgb(0x2A62C0), Rgb(0xB8DCF6), std::pow(v / 0.5f, 1.6f));
        else
            c = Mix(Rgb(0xC8DCEC), Rgb(0x6C8098), Smoothstep(0.5f, 1.0f, v));
        // Clouds in a band above the horizon, thinning towards the zenith.
        const float band = Smoothstep(0.18f, 0.34f, v) * (1 - Smoothstep(0.44f, 0.5f, v));
        const float n = Fbm(p.x / 32, p.y / 16, 501, 4, 8);
        const float cloud = band * Smoothstep(0.5f, 0.68f, n);
        return Mix(c, Rgb(0xFAFCFF), cloud * 0.9f);
    });
    return s;
}

Sheet StationFloor() {
    Sheet s = Whole(mesh::tex::kStationFloor, 128, 128);
    Pixels(s.All(), [](P p) {
        const int tx = int(p.x) / 32, ty = int(p.y) / 32;
        const bool grout = int(p.x) % 32 < 2 || int(p.y) % 32 < 2;
        const float tint = (Hash(tx, ty) % 100) / 100.0f * 0.06f;
        const float speck = TileNoise(p, 128, 4, 11) * 0.1f;
        return grout ? Gray(0.68f) : Gray(0.9f - tint + speck);
    });
    return s;
}

Sheet StationWall() {
    Sheet s = Whole(mesh::tex::kStationWall, 128, 128);
    Pixels(s.All(), [](P p) {
        const int x = int(p.x) % 64, y = int(p.y) % 128;
        if (x < 2 || y < 2) return Rgb(0xA8A49C);
        const float shade = 0.93f + 0.05f * (1 - std::fabs(x - 32) / 32.0f) + 0.03f * TileNoise(p, 128, 16, 21);
        return Scale(Rgb(0xFFFAF0), shade);
    });
    return s;
}

Sheet StationStep() {
    // Anti-slip ribs across the tread (the treads take one repeat per 100 units, so no single
    // nosing line could follow each step's edge).
    Sheet s = Whole(mesh::tex::kStationStep, 128, 128);
    Pixels(s.All(), [](P p) {
        const bool groove = int(p.y) % 8 < 2;
        const float speck = 0.08f * TileNoise(p, 128, 4, 31);
        return Gray((groove ? 0.66f : 0.9f) + speck);
    });
    return s;
}

Sheet StationSign() {
    // A station name board: the name with its reading, the neighbouring stations below.
    Sheet s = Whole(mesh::tex::kStationSign, 256, 64);
    const View v = s.All();
    Fill(v, Rgb(0xF4F6F4));
    FillRect(v, 0, 46, 256, 64, Rgb(0x2E8A4C));
    FillRect(v, 0, 0, 256, 3, Rgb(0x2A3A5C));
    TextStyle name = Lettering(34, Rgb(0x1A2440), Rgb(0x1A2440), 0);
    DrawText(v, 40, 12, 176, 34, "缶ヶ丘", name);
    TextStyle small = Lettering(11, Rgb(0x1A2440), Rgb(0x1A2440), 0, Face::Rounded);
    small.bold = false;
    DrawText(v, 40, 3, 176, 11, "かんがおか", small);
    TextStyle next = Lettering(13, Rgb(0xFFFFFF), Rgb(0xF0F0F0), 0, Face::Rounded);
    DrawText(v, 4, 48, 110, 14, "← ごみばこまえ", next, Align::Left);
    DrawText(v, 142, 48, 110, 14, "ぽめがわ →", next, Align::Right);
    return s;
}

Sheet Asphalt() {
    Sheet s = Whole(mesh::tex::kAsphalt, 128, 128);
    Pixels(s.All(), [](P p) {
        const float grain = TileNoise(p, 128, 2, 41, 2), patch = TileNoise(p, 128, 32, 42, 2);
        return Gray(0.72f + 0.22f * grain + 0.08f * patch);
    });
    return s;
}

Sheet Pavement() {
    // Slabs in a running bond, 64 x 32.
    Sheet s = Whole(mesh::tex::kPavement, 128, 128);
    Pixels(s.All(), [](P p) {
        const int row = int(p.y) / 32;
        const int x = (int(p.x) + (row % 2) * 32) % 128;
        const bool joint = x % 64 < 2 || int(p.y) % 32 < 2;
        const float tint = (Hash(x / 64 + row * 7, row) % 100) / 100.0f * 0.07f;
        return joint ? Gray(0.62f) : Gray(0.9f - tint + 0.07f * TileNoise(p, 128, 4, 51));
    });
    return s;
}

Sheet Building() {
    // A facade: windows on a 32-texel grid, each with a lighter sill.
    Sheet s = Whole(mesh::tex::kBuilding, 128, 128);
    Pixels(s.All(), [](P p) {
        const int x = int(p.x) % 32, y = int(p.y) % 32;
        if (x >= 6 && x < 26 && y >= 5 && y < 25) {
            const float sky = 0.45f + 0.2f * (1 - y / 25.0f);
            return x == 16 ? Gray(0.85f) : Color{sky * 0.8f, sky * 0.9f, sky * 1.1f, 1};
        }
        if (x >= 5 && x < 27 && y >= 25 && y < 27) return Gray(0.98f);
        return Gray(0.9f + 0.06f * TileNoise(p, 128, 8, 61));
    });
    return s;
}

Sheet Grass() {
    Sheet s = Whole(mesh::tex::kGrass, 128, 128);
    Pixels(s.All(), [](P p) {
        const float blades = TileNoise(P{p.x, p.y * 0.25f}, 128, 2, 71, 2);
        const float clumps = TileNoise(p, 128, 16, 72, 2);
        const float v = 0.78f + 0.18f * blades + 0.1f * clumps;
        return Color{v * 0.95f, std::min(1.0f, v * 1.05f), v * 0.9f, 1};
    });
    return s;
}

Sheet Water() {
    // Ripples: crossing waves with whole periods over the texture, and glints.
    Sheet s = Whole(mesh::tex::kWater, 128, 128);
    Pixels(s.All(), [](P p) {
        const float a = std::sin(2 * kPi * (p.x / 128 * 3 + p.y / 128 * 2 + 0.6f * TileNoise(p, 128, 32, 81)));
        const float b = std::sin(2 * kPi * (p.x / 128 * -2 + p.y / 128 * 5));
        const float glint = Smoothstep(0.8f, 1.0f, a * b);
        return Gray(0.78f + 0.1f * a + 0.05f * b + 0.2f * glint);
    });
    return s;
}

Sheet ClassFloor() {
    // Boards 16 texels wide running along v, their ends staggered.
    Sheet s = Whole(mesh::tex::kClassFloor, 128, 128);
    Pixels(s.All(), [](P p) {
        const int board = int(p.x) / 16, x = int(p.x) % 16;
        const int end = int(p.y + (Hash(board, 3) % 128)) % 128;
        if (x == 0 || end < 1) return Gray(0.55f);
        const float grain = 0.5f + 0.5f * std::sin(2 * kPi * (x / 16.0f * 2 + 0.5f * TileNoise(P{p.x, p.y * 0.1f}, 128, 8, 91)));
        const float tone = (Hash(board, 7) % 100) / 100.0f * 0.08f;
        return Gray(0.84f - tone + 0.1f * grain);
    });
    return s;
}

Sheet ClassWall() {
    Sheet s = Whole(mesh::tex::kClassWall, 128, 128);
    Pixels(s.All(), [](P p) { return Gray(0.92f + 0.05f * TileNoise(p, 128, 4, 101) + 0.03f * TileNoise(p, 128, 32, 102)); });
    return s;
}

Sheet Blackboard() {
    // Chalk on green: the school's own reminder, the date and who is on duty.
    Sheet s = Whole(mesh::tex::kBlackboard, 256, 128);
    const View v = s.All();
    Pixels(v, [](P p) {
        const float smudge = Fbm(p.x / 24, p.y / 24, 111, 3);
        return Color{0.16f + 0.05f * smudge, 0.32f + 0.07f * smudge, 0.24f + 0.05f * smudge, 1};
    });
    TextStyle chalk = Lettering(30, Rgb(0xF0F0E8), Rgb(0xE0E0D8), 0, Face::Rounded);
    chalk.bold = false;
    DrawText(v, 12, 26, 180, 36, "ゴミはゴミ箱へ", chalk, Align::Left);
    TextStyle note = chalk;
    note.size = 14;
    DrawText(v, 12, 8, 100, 16, "6月12日(水)", note, Align::Left);
    DrawText(v, 206, 8, 40, 112, "日\n直\n\nポ\nメ", note);
    // A can flying into a bin, in chalk.
    const Color line = Rgb(0xF0F0E8, 0.9f);
    Shape(v, [](P p) { return std::max(sdf::Ring(p, {110, 150}, 72, 1.0f), p.y - 90); }, line);
    Shape(v, [](P p) { return std::fabs(sdf::Box(p, 40, 84, 52, 102, 2)) - 1; }, line);
    Shape(v, [](P p) { return std::fabs(sdf::Polygon(p, {{160, 84}, {186, 84}, {182, 110}, {164, 110}})) - 1; }, line);
    return s;
}

Sheet WoodTexture() {
    Sheet s = Whole(mesh::tex::kWood, 128, 128);
    Pixels(s.All(), [](P p) {
        const float warp = 1.2f * TileNoise(P{p.x, p.y * 0.25f}, 128, 16, 121);
        const float ring = 0.5f + 0.5f * std::sin(2 * kPi * (p.y / 128 * 9 + warp));
        return Gray(0.8f + 0.14f * ring + 0.04f * TileNoise(p, 128, 2, 122, 1));
    });
    return s;
}

}  // namespace

std::vector<Sheet> BuildMeshTextures() {
    std::vector<Sheet> all;
    for (auto build : {SkyTexture, StationFloor, StationWall, StationStep, StationSign, Asphalt, Pavement, Building,
                       Grass, Water, ClassFloor, ClassWall, Blackboard, WoodTexture})
        all.push_back(build());
    return all;
}

}  // namespace assetgen::pic
