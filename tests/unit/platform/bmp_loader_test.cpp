#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/texture.h"

namespace {

using namespace plat;

using PixelFn = std::function<uint32_t(int x, int y)>;  // RGB of pixel (x, y), y = 0 at the top

void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A BMP file of bpp 8 (palette of the distinct colours), 24 or 32; rows bottom-up unless topDown.
std::vector<uint8_t> MakeBmp(int w, int h, int bpp, bool topDown, const PixelFn& pixel) {
    std::vector<uint32_t> palette;
    if (bpp == 8) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uint32_t c = pixel(x, y);
                bool found = false;
                for (uint32_t p : palette) found = found || p == c;
                if (!found) palette.push_back(c);
            }
    }
    const int rowBytes = (w * bpp / 8 + 3) & ~3;
    const uint32_t offset = 14 + 40 + uint32_t(palette.size()) * 4;
    std::vector<uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    Put32(b, offset + uint32_t(rowBytes * h));
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, uint32_t(w));
    Put32(b, uint32_t(topDown ? -h : h));
    Put16(b, 1);
    Put16(b, uint32_t(bpp));
    Put32(b, 0);  // uncompressed
    Put32(b, uint32_t(rowBytes * h));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, uint32_t(palette.size()));
    Put32(b, 0);
    for (uint32_t p : palette) Put32(b, p & 0xFFFFFF);
    for (int row = 0; row < h; ++row) {
        const int y = topDown ? row : h - 1 - row;
        const size_t start = b.size();
        for (int x = 0; x < w; ++x) {
            const uint32_t c = pixel(x, y);
            if (bpp == 8) {
                uint8_t index = 0;
                while (palette[index] != c) ++index;
                b.push_back(index);
            } else {
                b.push_back(uint8_t(c));
                b.push_back(uint8_t(c >> 8));
                b.push_back(uint8_t(c >> 16));
                if (bpp == 32) b.push_back(0);  // alpha left 0, as most writers do
            }
        }
        while (b.size() - start < size_t(rowBytes)) b.push_back(0);
    }
    return b;
}

std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = ::testing::TempDir() + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
}

uint32_t Pattern(int x, int y) { return uint32_t(x * 40) << 16 | uint32_t(y * 30) << 8 | uint32_t(x + y + 1); }

TEST(LoadTextureFromBmp, DecodesEveryLayoutTopRowFirst) {
    const struct {
        const char* name;
        int w, h, bpp;
        bool topDown;
        int texW, texH;  // the size asked for; 0 = from the file
        int expectW, expectH;
    } cases[] = {
        {"odd24.bmp", 3, 2, 24, false, 0, 0, 4, 2},
        {"odd24_topdown.bmp", 5, 3, 24, true, 0, 0, 8, 4},
        {"palette8.bmp", 7, 5, 8, false, 0, 0, 8, 8},
        {"rgb32.bmp", 2, 2, 32, false, 0, 0, 2, 2},
        {"one.bmp", 1, 1, 24, false, 1, 1, 1, 1},
        {"cropped.bmp", 6, 6, 24, false, 4, 2, 4, 2},  // a smaller texture keeps what fits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = WriteFile(c.name, MakeBmp(c.w, c.h, c.bpp, c.topDown, Pattern));
        Texture* t = LoadTextureFromBmp(path, c.texW, c.texH, 0);
        ASSERT_NE(t, nullptr);
        ASSERT_EQ(t->width, c.expectW);
        ASSERT_EQ(t->height, c.expectH);
        ASSERT_EQ(t->argb.size(), size_t(t->width * t->height));
        for (int y = 0; y < t->height; ++y)
            for (int x = 0; x < t->width; ++x) {
                const uint32_t want = (x < c.w && y < c.h) ? (0xFF000000u | Pattern(x, y)) : 0u;
                ASSERT_EQ(t->argb[size_t(y * t->width + x)], want) << "at " << x << ", " << y;
            }
        EXPECT_FALSE(t->mipmaps);
        ReleaseTexture(t);
    }
}

TEST(LoadTextureFromBmp, ColourKeyMakesExactMatchesTransparent) {
    auto pic = [](int x, int y) -> uint32_t {
        if (x == 1 && y == 0) return 0xFF00FF;  // magenta
        if (x == 2 && y == 0) return 0xFE00FF;  // nearly magenta: kept
        if (x == 0 && y == 1) return 0xFFFFFF;  // white
        return 0x102030;
    };
    const std::string path = WriteFile("keyed.bmp", MakeBmp(3, 2, 24, false, pic));
    const struct {
        uint32_t key;
        uint32_t magenta, nearly, white;
    } cases[] = {
        {0, 0xFFFF00FF, 0xFFFE00FF, 0xFFFFFFFF},
        {0xFFFF00FF, 0, 0xFFFE00FF, 0xFFFFFFFF},
        {0xFFFFFFFF, 0xFFFF00FF, 0xFFFE00FF, 0},
    };
    for (const auto& c : cases) {
        Texture* t = LoadTextureFromBmp(path, 0, 0, c.key);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->argb[1], c.magenta) << std::hex << c.key;
        EXPECT_EQ(t->argb[2], c.nearly);
        EXPECT_EQ(t->argb[4], c.white);
        EXPECT_EQ(t->argb[0], 0xFF102030u);
        ReleaseTexture(t);
    }
}

TEST(LoadTextureFromBmp, SmallBitmapSitsOneToOneInTheCorner) {
    const std::string path = WriteFile("board.bmp", MakeBmp(300, 200, 24, false, Pattern));
    Texture* t = LoadTextureFromBmp(path, 512, 256, 0);
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->width, 512);
    ASSERT_EQ(t->height, 256);
    EXPECT_EQ(t->argb[0], 0xFF000000u | Pattern(0, 0));
    EXPECT_EQ(t->argb[size_t(199 * 512 + 299)], 0xFF000000u | Pattern(299, 199));
    EXPECT_EQ(t->argb[size_t(123 * 512 + 45)], 0xFF000000u | Pattern(45, 123));
    EXPECT_EQ(t->argb[300], 0u);
    EXPECT_EQ(t->argb[size_t(200 * 512)], 0u);
    EXPECT_EQ(t->argb[size_t(255 * 512 + 511)], 0u);
    ReleaseTexture(t);
}

TEST(LoadTextureFromBmp, DamagedFilesGiveNull) {
    const std::vector<uint8_t> good = MakeBmp(9, 9, 24, false, Pattern);
    std::vector<uint8_t> truncated(good.begin(), good.begin() + good.size() / 2);
    std::vector<uint8_t> headerOnly(good.begin(), good.begin() + 30);
    std::vector<uint8_t> notBmp = {'P', 'K', 3, 4, 0, 0, 0, 0};
    std::vector<uint8_t> hugeSize = good;
    hugeSize[18] = hugeSize[19] = hugeSize[20] = 0xFF;  // width 16 million
    hugeSize[21] = 0x00;
    const struct {
        const char* name;
        const std::vector<uint8_t>* bytes;
    } cases[] = {{"truncated.bmp", &truncated}, {"header_only.bmp", &headerOnly},
                 {"not_a.bmp", &notBmp}, {"huge.bmp", &hugeSize}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LoadTextureFromBmp(WriteFile(c.name, *c.bytes), 0, 0, 0), nullptr);
    }
    EXPECT_EQ(LoadTextureFromBmp(::testing::TempDir() + "no_such_file.bmp", 0, 0, 0), nullptr);
    EXPECT_EQ(LoadMeshTextureFromBmp(WriteFile("truncated_mesh.bmp", truncated)), nullptr);
}

TEST(LoadMeshTextureFromBmp, KeepsTheBitmapSizeWithMipmaps) {
    const std::string path = WriteFile("meshtex.bmp", MakeBmp(6, 3, 24, false, Pattern));
    Texture* t = LoadMeshTextureFromBmp(path);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->width, 6);
    EXPECT_EQ(t->height, 3);
    EXPECT_TRUE(t->mipmaps);
    EXPECT_EQ(t->argb[size_t(2 * 6 + 5)], 0xFF000000u | Pattern(5, 2));
    ReleaseTexture(t);
}

TEST(CreateTexture, TransparentBlackOfTheSizeAsked) {
    Texture* t = CreateTexture(3, 5);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->argb, std::vector<uint32_t>(15, 0u));
    ReleaseTexture(t);
    EXPECT_EQ(CreateTexture(0, 4), nullptr);
    ReleaseTexture(nullptr);
}

}  // namespace
