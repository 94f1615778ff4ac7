// The bitmaps the asset builder writes, read through the game's own loader: every file the game
// names, at its load size and colour key; every source rectangle the game cuts holding a
// picture; nothing drawn where the game never looks; and the pixels whose exact values the
// game's drawing relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/texture.h"

namespace {

struct R {
    int l, t, r, b;
};

// Colour keys as the game passes them, and what a texel looks like once loaded.
constexpr uint32_t kMagentaKey = 0xFFFF00FF, kWhiteKey = 0xFFFFFFFF, kNoKey = 0;
constexpr uint32_t kClear = 0, kBlack = 0xFF000000, kWhite = 0xFFFFFFFF;

struct SheetSpec {
    std::string file;
    int w, h;              // the load size
    uint32_t key;
    bool onlyRects;        // every texel outside the rectangles is clear (keyed) or black
    std::vector<R> rects;  // every rectangle the game cuts from the sheet
    uint32_t empty() const { return key ? kClear : kBlack; }
};

std::string Path(const std::string& file) { return std::string(POMELANE_ASSETS) + "/" + file; }

std::vector<R> Whole(int w, int h) { return {{0, 0, w, h}}; }

std::vector<R> SelectRects() {
    std::vector<R> r = {{221, 151, 472, 282}, {2, 80, 402, 148},   {156, 2, 491, 70},    {2, 2, 77, 77},
                        {80, 2, 153, 77},     {2, 151, 130, 191},  {2, 238, 160, 279},   {2, 282, 159, 323},
                        {2, 326, 100, 367},   {988, 16, 1021, 62}, {221, 285, 414, 478}, {667, 374, 758, 420},
                        {667, 423, 954, 467}, {761, 376, 786, 420}, {789, 376, 876, 420}, {879, 376, 965, 420},
                        {689, 2, 830, 64},    {494, 2, 686, 63},   {547, 67, 746, 135},  {749, 67, 1016, 137},
                        {475, 140, 878, 315}, {860, 2, 916, 34},   {881, 140, 983, 194}, {833, 2, 857, 49}};
    for (int i = 0; i < 4; ++i) {
        r.push_back({475, 374 + 42 * i, 664, 413 + 42 * i});
        r.push_back({860 + 32 * i, 37, 889 + 32 * i, 62});
        r.push_back({771 + 36 * i, 318, 804 + 36 * i, 351});
        r.push_back({475 + 74 * i, 318, 546 + 74 * i, 371});
    }
    for (int m = 0; m < 2; ++m) r.push_back({881, 197 + 42 * m, 975, 237 + 42 * m});
    return r;
}

std::vector<R> GameTextRects() {
    std::vector<R> r = {{307, 265, 336, 293}, {2, 67, 486, 130},    {2, 133, 480, 196},   {2, 199, 367, 262},
                        {2, 2, 407, 64},      {3, 414, 66, 455},    {2, 458, 52, 478},    {245, 475, 253, 483},
                        {245, 458, 263, 472}, {245, 312, 363, 399}, {410, 2, 723, 56},    {489, 68, 742, 220},
                        {2, 265, 196, 409},   {473, 291, 567, 330}, {473, 375, 674, 414}, {473, 417, 715, 456},
                        {473, 333, 595, 372}, {570, 291, 711, 328}, {2, 806, 87, 858},    {2, 656, 327, 803},
                        {245, 265, 304, 309}, {341, 267, 384, 300}, {726, 2, 1020, 65}};
    for (int k = 0; k < 3; ++k) r.push_back({2, 491 + 55 * k, 329, 543 + 55 * k});
    for (int p = 0; p < 4; ++p) {
        r.push_back({745, 68 + 81 * p, 1000, 107 + 81 * p});
        r.push_back({745, 107 + 81 * p, 1000, 146 + 81 * p});
        r.push_back({745, 68 + 81 * p, 816, 146 + 81 * p});
        r.push_back({473 + 68 * p, 223, 538 + 68 * p, 288});
        r.push_back({199, 265 + 36 * p, 242, 298 + 36 * p});
    }
    for (int d = 0; d < 10; ++d) {
        r.push_back({69 + 28 * d, 412, 94 + 28 * d, 453});
        r.push_back({55 + 19 * d, 458, 71 + 19 * d, 478});
    }
    return r;
}

std::vector<R> GaugeRects() {
    std::vector<R> r = {{0, 0, 123, 15}, {0, 16, 100, 24}, {0, 24, 100, 32}, {5, 2, 6, 11},      {1, 43, 36, 53},
                        {1, 54, 29, 64}, {1, 65, 23, 75},  {7, 80, 79, 152}, {7, 152, 69, 162}};
    for (int n = 0; n < 10; ++n) r.push_back({11 * n + 1, 32, 11 * n + 11, 42});  // 6..9 only if a character had them
    return r;
}

std::vector<R> ScoreRects() {
    std::vector<R> r = {{0, 0, 380, 51},    {1, 52, 380, 108},  {0, 111, 505, 188},
                        {0, 191, 505, 268}, {0, 271, 505, 348}, {260, 351, 462, 415}};
    for (int c = 0; c < 4; ++c) r.push_back({65 * c, 351, 65 * c + 63, 415});
    return r;
}

std::vector<R> CreditRects() {
    return {{2, 2, 578, 77},     {2, 386, 242, 431}, {2, 80, 545, 155},   {2, 434, 280, 480}, {2, 483, 307, 534},
            {2, 158, 494, 232},  {2, 537, 214, 588}, {2, 591, 243, 637},  {2, 640, 269, 686}, {2, 738, 286, 788},
            {2, 235, 402, 311},  {2, 689, 322, 735}, {2, 314, 206, 382},  {2, 791, 119, 840}, {122, 791, 291, 840},
            {209, 314, 461, 383}, {2, 843, 214, 889}};
}

std::vector<R> SmokeCells() {
    std::vector<R> r;
    for (int c = 0; c < 32; ++c) r.push_back({32 * (c % 8), 32 * (c / 8), 32 * (c % 8) + 32, 32 * (c / 8) + 32});
    return r;
}

const std::vector<SheetSpec>& Sheets() {
    static const std::vector<SheetSpec> sheets = [] {
        std::vector<SheetSpec> s = {
            {"bitmap/White.bmp", 1, 1, kNoKey, false, Whole(1, 1)},
            {"bitmap/Lens.bmp", 512, 512, kNoKey, true,
             {{2, 2, 233, 240}, {2, 243, 257, 498}, {236, 2, 246, 14}, {249, 2, 296, 49}, {299, 2, 307, 10},
              {310, 2, 314, 6}, {317, 2, 345, 30}, {236, 52, 335, 152}}},
            {"bitmap/Select.bmp", 1024, 1024, kMagentaKey, true, SelectRects()},
            {"bitmap/GameText.bmp", 1024, 1024, kMagentaKey, true, GameTextRects()},
            {"bitmap/Sell.bmp", 256, 128, kWhiteKey, true, {{0, 0, 206, 111}}},
            {"bitmap/tama.bmp", 128, 128, kNoKey, false, Whole(128, 128)},
            {"bitmap/Stage.bmp", 512, 256, kNoKey, false, {{0, 0, 300, 200}}},
            {"bitmap/Round.bmp", 512, 256, kNoKey, false, {{0, 0, 300, 200}}},
            {"bitmap/Gauge.bmp", 256, 256, kMagentaKey, true, GaugeRects()},
            {"bitmap/Bg2.bmp", 256, 256, kMagentaKey, true, {{0, 0, 160, 120}}},
            {"bitmap/flare12.bmp", 128, 128, kNoKey, false, Whole(128, 128)},
            {"bitmap/Smoke.bmp", 256, 256, kNoKey, true, SmokeCells()},
            {"bitmap/push.bmp", 512, 256, kMagentaKey, true,
             {{2, 2, 509, 50}, {2, 53, 509, 101}, {2, 104, 509, 152}, {2, 155, 509, 203}}},
            {"bitmap/CanShadow.bmp", 64, 64, kNoKey, false, Whole(64, 64)},
        };
        for (const char* label : {"Orange", "Soda", "U-Cola", "Tea", "Coffee", "Black", "Corn", "Grape", "Oden", "Potion"})
            s.push_back({std::string("bitmap/") + label + ".bmp", 128, 128, kNoKey, false, Whole(128, 128)});
        for (int i = 1; i <= 4; ++i)
            s.push_back({"bitmap/Effect" + std::to_string(i) + ".bmp", 1024, 512, kNoKey, true, {{0, 0, 640, 480}}});
        s.push_back({"bitmap/Score.bmp", 512, 512, kWhiteKey, true, ScoreRects()});
        s.push_back({"bitmap/En.bmp", 512, 512, kWhiteKey, true, {{0, 0, 100, 100}}});
        s.push_back({"bitmap/logo.bmp", 64, 64, kNoKey, false, Whole(64, 64)});
        s.push_back({"bitmap/Credit.bmp", 1024, 1024, kNoKey, true, CreditRects()});
        return s;
    }();
    return sheets;
}

struct Loaded {
    std::unique_ptr<plat::Texture, void (*)(plat::Texture*)> tex{nullptr, plat::ReleaseTexture};
    int w() const { return tex ? tex->width : 0; }
    int h() const { return tex ? tex->height : 0; }
    uint32_t at(int x, int y) const { return tex->argb[size_t(y) * tex->width + x]; }
};

const SheetSpec& Spec(const std::string& file) {
    for (const SheetSpec& s : Sheets())
        if (s.file == file) return s;
    ADD_FAILURE() << file << " is not a sheet the game names";
    return Sheets().front();
}

// The sheet as the game loads it (cached: every test reads the same files).
const Loaded& Load(const std::string& file) {
    static std::vector<std::pair<std::string, std::unique_ptr<Loaded>>> cache;
    for (const auto& [name, loaded] : cache)
        if (name == file) return *loaded;
    const SheetSpec& s = Spec(file);
    auto loaded = std::make_unique<Loaded>();
    loaded->tex.reset(plat::LoadTextureFromBmp(Path(file), s.w, s.h, s.key));
    cache.emplace_back(file, std::move(loaded));
    return *cache.back().second;
}

TEST(Pictures, EveryBitmapTheGameNamesLoadsAtItsLoadSize) {
    ASSERT_EQ(Sheets().size(), 32u);
    for (const SheetSpec& s : Sheets()) {
        // The file itself must reach the load size: smaller would leave the texture's rest clear.
        std::ifstream f(Path(s.file), std::ios::binary);
        uint8_t h[26] = {};
        f.read(reinterpret_cast<char*>(h), sizeof h);
        ASSERT_TRUE(f && h[0] == 'B' && h[1] == 'M') << s.file << " is missing or not a BMP";
        const int32_t fileW = int32_t(h[18] | h[19] << 8 | h[20] << 16 | uint32_t(h[21]) << 24);
        const int32_t fileH = int32_t(h[22] | h[23] << 8 | h[24] << 16 | uint32_t(h[25]) << 24);
        EXPECT_GE(fileW, s.w) << s.file;
        EXPECT_GE(std::abs(fileH), s.h) << s.file;
        const Loaded& t = Load(s.file);
        ASSERT_TRUE(t.tex) << s.file << " does not load";
        EXPECT_EQ(t.w(), s.w) << s.file;
        EXPECT_EQ(t.h(), s.h) << s.file;
    }
}

bool Inside(const R& r, int x, int y) { return x >= r.l && x < r.r && y >= r.t && y < r.b; }

TEST(Pictures, EverySourceRectangleHoldsAPicture) {
    for (const SheetSpec& s : Sheets()) {
        const Loaded& t = Load(s.file);
        if (!t.tex) continue;
        for (const R& r : s.rects) {
            ASSERT_LE(r.r, t.w()) << s.file;
            ASSERT_LE(r.b, t.h()) << s.file;
            int shown = 0;
            for (int y = r.t; y < r.b; ++y)
                for (int x = r.l; x < r.r; ++x) shown += t.at(x, y) != s.empty();
            EXPECT_GT(shown, 0) << s.file << " (" << r.l << ", " << r.t << ", " << r.r << ", " << r.b << ") is empty";
        }
    }
}

TEST(Pictures, NothingIsDrawnWhereTheGameNeverLooks) {
    for (const SheetSpec& s : Sheets()) {
        if (!s.onlyRects) continue;
        const Loaded& t = Load(s.file);
        if (!t.tex) continue;
        int stray = 0, firstX = -1, firstY = -1;
        for (int y = 0; y < t.h(); ++y)
            for (int x = 0; x < t.w(); ++x) {
                bool used = false;
                for (const R& r : s.rects) used = used || Inside(r, x, y);
                if (!used && t.at(x, y) != s.empty() && stray++ == 0) firstX = x, firstY = y;
            }
        EXPECT_EQ(stray, 0) << s.file << ": first stray pixel at (" << firstX << ", " << firstY << ")";
    }
}

int Red(uint32_t c) { return int(c >> 16) & 255; }
int Green(uint32_t c) { return int(c >> 8) & 255; }
int Blue(uint32_t c) { return int(c) & 255; }
int Brightest(uint32_t c) { return std::max({Red(c), Green(c), Blue(c)}); }

TEST(Pictures, KeyedHolesAndExactPixels) {
    EXPECT_EQ(Load("bitmap/White.bmp").at(0, 0), kWhite);

    // The iris: keyed out inside the disc of radius 50 about (50, 50), black out to the edges.
    const Loaded& en = Load("bitmap/En.bmp");
    ASSERT_TRUE(en.tex);
    int wrong = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            const double d = std::hypot(x + 0.5 - 50, y + 0.5 - 50);
            if (d < 49.5) wrong += en.at(x, y) != kClear;
            if (d > 50.5) wrong += en.at(x, y) != kBlack;
        }
    EXPECT_EQ(wrong, 0);

    // The gauge marker is cut from the frame and tinted red: its column must be white.
    const Loaded& gauge = Load("bitmap/Gauge.bmp");
    ASSERT_TRUE(gauge.tex);
    for (int y = 2; y <= 10; ++y) EXPECT_EQ(gauge.at(5, y), kWhite) << "marker row " << y;

    // Where the gauge sheet's rectangles touch, filtering would pull one picture's edge into its
    // neighbour: the power strip's last row (over the shot digits) and the dial's last row (over
    // the needle) stay clear.
    for (int x = 0; x < 110; ++x) EXPECT_EQ(gauge.at(x, 31), kClear) << "row 31, column " << x;
    for (int x = 7; x < 79; ++x) EXPECT_EQ(gauge.at(x, 151), kClear) << "row 151, column " << x;

    // Pictures drawn over other things keep a see-through middle.
    const struct { const char* file; int x, y; } holes[] = {
        {"bitmap/GameText.bmp", 245 + 60, 312 + 36},  // wind panel, over the wind arrow
        {"bitmap/GameText.bmp", 245 + 20, 312 + 10},
        {"bitmap/GameText.bmp", 2 + 40, 656 + 70},    // menu table frame, over its columns
        {"bitmap/GameText.bmp", 2 + 200, 656 + 120},
        {"bitmap/GameText.bmp", 2 + 280, 656 + 20},
        {"bitmap/Bg2.bmp", 80, 60},                    // viewfinder over the whole view
        {"bitmap/Bg2.bmp", 30, 90},
    };
    for (const auto& h : holes) EXPECT_EQ(Load(h.file).at(h.x, h.y), kClear) << h.file << " at " << h.x << ", " << h.y;
}

TEST(Pictures, LightOnBlackFadesOutBeforeItsEdges) {
    for (const char* file : {"bitmap/tama.bmp", "bitmap/flare12.bmp", "bitmap/CanShadow.bmp"}) {
        const Loaded& b = Load(file);
        ASSERT_TRUE(b.tex) << file;
        int lit = 0;
        for (int i = 0; i < b.w(); ++i)
            lit += (Brightest(b.at(i, 0)) > 2) + (Brightest(b.at(i, b.h() - 1)) > 2) + (Brightest(b.at(0, i)) > 2) +
                   (Brightest(b.at(b.w() - 1, i)) > 2);
        EXPECT_EQ(lit, 0) << file << " is not black at its border";
    }
    // The goal beam samples the glow ball's row 63: dark, bright, dark.
    const Loaded& tama = Load("bitmap/tama.bmp");
    EXPECT_LE(Brightest(tama.at(0, 63)), 2);
    EXPECT_GE(Brightest(tama.at(63, 63)), 240);
    EXPECT_LE(Brightest(tama.at(127, 63)), 2);
    // The shadow darkens by its brightness: a soft mid grey at the centre, not black.
    const int shadow = Brightest(Load("bitmap/CanShadow.bmp").at(32, 32));
    EXPECT_GE(shadow, 110);
    EXPECT_LE(shadow, 170);

    // Smoke puffs stay inside their cells.
    const Loaded& smoke = Load("bitmap/Smoke.bmp");
    ASSERT_TRUE(smoke.tex);
    int bleeding = 0;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 256; ++x)
            if (x % 32 == 0 || x % 32 == 31 || y % 32 == 0 || y % 32 == 31) bleeding += Brightest(smoke.at(x, y)) > 2;
    EXPECT_EQ(bleeding, 0);
}

TEST(Pictures, CanLabelsKeepPlainRimsForTheCaps) {
    for (const char* label : {"Orange", "Soda", "U-Cola", "Tea", "Coffee", "Black", "Corn", "Grape", "Oden", "Potion"}) {
        const Loaded& b = Load(std::string("bitmap/") + label + ".bmp");
        ASSERT_TRUE(b.tex) << label;
        const uint32_t cap = b.at(64, 3);
        EXPECT_LT(std::abs(Red(cap) - Blue(cap)), 24) << label << ": the cap texel is not aluminium grey";
        int off = 0;
        for (int y : {0, 1, 2, 3, 4, 5, 6, 7, 120, 121, 122, 123, 124, 125, 126, 127})
            for (int x = 0; x < 128; ++x) off += b.at(x, y) != cap;
        EXPECT_EQ(off, 0) << label << ": the rim rows are not plain";
    }
}

TEST(Pictures, ModeBoardsRunTheirEdgePastTheShownPart) {
    // Filtering samples beyond the 300 x 200 the board shows: the edge colour carries on.
    for (const char* file : {"bitmap/Stage.bmp", "bitmap/Round.bmp"}) {
        const Loaded& b = Load(file);
        ASSERT_TRUE(b.tex) << file;
        for (int y = 0; y < 200; y += 7) EXPECT_EQ(b.at(300, y), b.at(299, y)) << file << " row " << y;
        for (int x = 0; x < 300; x += 7) EXPECT_EQ(b.at(x, 200), b.at(x, 199)) << file << " column " << x;
    }
}

TEST(Pictures, CutInsKeepStrongRedForThePowerShot) {
    // A power shot keeps only the red channel of the cut-in.
    for (int i = 1; i <= 4; ++i) {
        const Loaded& b = Load("bitmap/Effect" + std::to_string(i) + ".bmp");
        ASSERT_TRUE(b.tex);
        int red = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) red += Red(b.at(x, y)) >= 128;
        EXPECT_GT(red, 640 * 480 / 5) << "Effect" << i;
    }
}

TEST(Pictures, EveryTextureTheMeshesNameIsAnOpaquePowerOfTwoBmp) {
    // Mesh textures load at the file's own size with a full mip chain and no key.
    const std::filesystem::path xfiles = std::filesystem::path(POMELANE_ASSETS) / "XFile";
    if (!std::filesystem::exists(xfiles)) GTEST_SKIP() << "no meshes built";
    std::set<std::string> named;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(xfiles)) {
        if (entry.path().extension() != ".x") continue;
        std::ifstream f(entry.path());
        const std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        for (size_t at = text.find("TextureFilename"); at != std::string::npos; at = text.find("TextureFilename", at + 1)) {
            const size_t open = text.find('"', at), close = text.find('"', open + 1);
            if (open != std::string::npos && close != std::string::npos) named.insert(text.substr(open + 1, close - open - 1));
        }
    }
    for (const std::string& file : named) {
        std::unique_ptr<plat::Texture, void (*)(plat::Texture*)> t(plat::LoadMeshTextureFromBmp(Path(file)),
                                                                    plat::ReleaseTexture);
        ASSERT_TRUE(t) << file << " does not load";
        EXPECT_TRUE((t->width & (t->width - 1)) == 0 && (t->height & (t->height - 1)) == 0)
            << file << " is " << t->width << " x " << t->height;
    }
}

}  // namespace
