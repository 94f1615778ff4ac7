// Bitmaps into textures. SDL decodes the BMP (palette, 16-, 24- and 32-bit, top-down or
// bottom-up); the pixels are kept opaque, as the game never relies on bitmap alpha.
#include "platform/texture.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "platform/device.h"

namespace plat {
namespace {

int NextPowerOfTwo(int v) {
    int p = 1;
    while (p < v && p < (1 << 30)) p <<= 1;
    return p;
}

struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> argb;
};

// A damaged header may claim an enormous picture: refuse it before anything is allocated.
bool PlausibleSize(SDL_RWops* in) {
    uint8_t h[26] = {};
    const size_t got = SDL_RWread(in, h, 1, sizeof h);
    SDL_RWseek(in, 0, RW_SEEK_SET);
    if (got < sizeof h || h[0] != 'B' || h[1] != 'M') return true;  // SDL tells what is wrong
    const uint32_t infoSize = uint32_t(h[14]) | uint32_t(h[15]) << 8 | uint32_t(h[16]) << 16 | uint32_t(h[17]) << 24;
    if (infoSize < 40) return true;
    auto s32 = [&](int at) {
        return int32_t(uint32_t(h[at]) | uint32_t(h[at + 1]) << 8 | uint32_t(h[at + 2]) << 16 | uint32_t(h[at + 3]) << 24);
    };
    const int64_t w = s32(18), hgt = s32(22);
    const int64_t pixels = (w < 0 ? -w : w) * (hgt < 0 ? -hgt : hgt);
    return pixels <= int64_t(8192) * 8192;
}

bool DecodeBmp(const std::string& path, Picture* out) {
    SDL_RWops* in = SDL_RWFromFile(path.c_str(), "rb");
    if (!in) {
        std::fprintf(stderr, "pomelane: cannot open bitmap %s\n", path.c_str());
        return false;
    }
    if (!PlausibleSize(in)) {
        std::fprintf(stderr, "pomelane: bitmap %s claims an impossible size\n", path.c_str());
        SDL_RWclose(in);
        return false;
    }
    SDL_Surface* file = SDL_LoadBMP_RW(in, 1);
    if (!file) {
        std::fprintf(stderr, "pomelane: cannot read bitmap %s: %s\n", path.c_str(), SDL_GetError());
        return false;
    }
    SDL_Surface* pic = SDL_ConvertSurfaceFormat(file, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(file);
    if (!pic) {
        std::fprintf(stderr, "pomelane: cannot decode bitmap %s: %s\n", path.c_str(), SDL_GetError());
        return false;
    }
    out->width = pic->w;
    out->height = pic->h;
    out->argb.resize(size_t(pic->w) * size_t(pic->h));
    SDL_LockSurface(pic);
    for (int y = 0; y < pic->h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(pic->pixels) +
                                                                size_t(y) * size_t(pic->pitch));
        uint32_t* dst = &out->argb[size_t(y) * size_t(pic->w)];
        for (int x = 0; x < pic->w; ++x) dst[x] = row[x] | 0xFF000000u;
    }
    SDL_UnlockSurface(pic);
    SDL_FreeSurface(pic);
    return out->width > 0 && out->height > 0;
}

}  // namespace

Texture* LoadTextureFromBmp(const std::string& path, int width, int height, uint32_t colorKey) {
    Picture pic;
    if (!DecodeBmp(path, &pic)) return nullptr;
    Texture* tex = CreateTexture(width > 0 ? width : NextPowerOfTwo(pic.width),
                                 height > 0 ? height : NextPowerOfTwo(pic.height));
    if (!tex) return nullptr;
    // 1:1 into the top-left corner; a texture smaller than the bitmap keeps what fits.
    const int w = std::min(pic.width, tex->width), h = std::min(pic.height, tex->height);
    for (int y = 0; y < h; ++y) {
        const uint32_t* src = &pic.argb[size_t(y) * size_t(pic.width)];
        uint32_t* dst = &tex->argb[size_t(y) * size_t(tex->width)];
        for (int x = 0; x < w; ++x) dst[x] = (colorKey != 0 && src[x] == colorKey) ? 0u : src[x];
    }
    return tex;
}

Texture* LoadMeshTextureFromBmp(const std::string& path) {
    Picture pic;
    if (!DecodeBmp(path, &pic)) return nullptr;
    Texture* tex = new Texture;
    tex->width = pic.width;
    tex->height = pic.height;
    tex->argb = std::move(pic.argb);
    tex->mipmaps = true;
    return tex;
}

Texture* CreateTexture(int width, int height) {
    if (width < 1 || height < 1) return nullptr;
    Texture* tex = new Texture;
    tex->width = width;
    tex->height = height;
    tex->argb.assign(size_t(width) * size_t(height), 0u);
    return tex;
}

void ReleaseTexture(Texture* texture) {
    if (!texture) return;
    if (Device* d = CurrentDevice()) d->ForgetTexture(texture);
    delete texture;
}

}  // namespace plat
