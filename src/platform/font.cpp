// Text through SDL2_ttf, faces found with fontconfig. Each glyph is rendered once into the
// font's atlas texture; drawing text is then a screen quad per glyph, with no allocation for
// text already seen.
#include "platform/font.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "platform/device.h"
#include "platform/texture.h"

namespace plat {
namespace {

constexpr const char* kRoundedFace = "HG丸ｺﾞｼｯｸM-PRO";

// Whether the face can show Japanese text (hiragana and a common kanji).
bool CoversJapanese(FcPattern* font) {
    FcCharSet* chars = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &chars) != FcResultMatch || !chars) return false;
    return FcCharSetHasChar(chars, 0x3042) && FcCharSetHasChar(chars, 0x5B57);
}

// The file of the best match for family (null family: any face for Japanese); empty when none.
std::string MatchFontFile(const char* family, bool needJapanese) {
    FcPattern* pattern = FcPatternCreate();
    if (family) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    std::string file;
    if (match) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path &&
            (!needJapanese || CoversJapanese(match)))
            file = reinterpret_cast<const char*>(path);
        FcPatternDestroy(match);
    }
    return file;
}

// "" is the default Japanese gothic; the rounded face of the original stands as Motoya L
// Maru; any other name is tried as it is. Each falls back to a Japanese face, then any face.
std::string FindFontFile(const std::string& face) {
    if (!FcInit()) return {};
    const char* family = face.empty() ? "VL Gothic" : face == kRoundedFace ? "MotoyaLMaru" : face.c_str();
    std::string file = MatchFontFile(family, true);
    if (file.empty()) file = MatchFontFile(nullptr, true);
    if (file.empty()) file = MatchFontFile(nullptr, false);
    return file;
}

// Next code point of UTF-8 text at *i (advanced); malformed bytes read as U+FFFD.
uint32_t NextCodePoint(const std::string& s, size_t* i) {
    const unsigned char c = static_cast<unsigned char>(s[(*i)++]);
    if (c < 0x80) return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
    if (extra < 0) return 0xFFFD;
    uint32_t cp = c & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (*i >= s.size() || (static_cast<unsigned char>(s[*i]) & 0xC0) != 0x80) return 0xFFFD;
        cp = cp << 6 | (static_cast<unsigned char>(s[(*i)++]) & 0x3F);
    }
    return cp;
}

}  // namespace

struct FontImpl {
    struct Glyph {
        int x = 0, y = 0, w = 0, h = 0;  // in the atlas
        int offsetX = 0;                 // of the picture from the pen position
        int advance = 0;
    };

    TTF_Font* ttf = nullptr;
    int lineHeight = 0;
    Texture* atlas = nullptr;
    int packX = 0, packY = 0, packRowHeight = 0;
    std::unordered_map<uint32_t, Glyph> glyphs;

    ~FontImpl() {
        ReleaseTexture(atlas);
        if (ttf) TTF_CloseFont(ttf);
    }

    void ClearAtlas() {
        std::fill(atlas->argb.begin(), atlas->argb.end(), 0u);
        atlas->dirty = true;
        glyphs.clear();
        packX = packY = packRowHeight = 0;
    }

    // The glyph of cp, rendered into the atlas on first use; null when the atlas is full.
    const Glyph* Find(uint32_t cp) {
        auto it = glyphs.find(cp);
        if (it != glyphs.end()) return &it->second;
        Glyph g;
        int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
        if (TTF_GlyphMetrics32(ttf, cp, &minx, &maxx, &miny, &maxy, &advance) == 0) g.advance = advance;
        SDL_Surface* pic = TTF_RenderGlyph32_Blended(ttf, cp, SDL_Color{255, 255, 255, 255});
        if (pic) {
            SDL_Surface* argb = SDL_ConvertSurfaceFormat(pic, SDL_PIXELFORMAT_ARGB8888, 0);
            SDL_FreeSurface(pic);
            if (argb && !Place(argb, &g)) {
                SDL_FreeSurface(argb);
                return nullptr;
            }
            if (argb) SDL_FreeSurface(argb);
            g.offsetX = minx < 0 ? minx : 0;
        }
        return &glyphs.emplace(cp, g).first->second;
    }

    // Copies the glyph picture into the atlas, one pixel apart from its neighbours.
    bool Place(SDL_Surface* pic, Glyph* g) {
        const int w = pic->w, h = pic->h;
        if (w > atlas->width || h > atlas->height) return true;  // never fits: drawn as nothing
        if (packX + w > atlas->width) {
            packX = 0;
            packY += packRowHeight + 1;
            packRowHeight = 0;
        }
        if (packY + h > atlas->height) return false;
        SDL_LockSurface(pic);
        for (int y = 0; y < h; ++y) {
            const uint32_t* src = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(pic->pixels) +
                                                                    size_t(y) * size_t(pic->pitch));
            uint32_t* dst = &atlas->argb[size_t(packY + y) * size_t(atlas->width) + size_t(packX)];
            for (int x = 0; x < w; ++x) dst[x] = (src[x] & 0xFF000000u) | 0x00FFFFFFu;
        }
        SDL_UnlockSurface(pic);
        g->x = packX;
        g->y = packY;
        g->w = w;
        g->h = h;
        packX += w + 1;
        if (h > packRowHeight) packRowHeight = h;
        atlas->dirty = true;
        return true;
    }

    // Makes sure every glyph of text is in the atlas, starting afresh once if it fills up.
    void Prepare(const std::string& text) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            bool full = false;
            for (size_t i = 0; i < text.size() && !full;) {
                const uint32_t cp = NextCodePoint(text, &i);
                if (cp != '\n' && cp != '\r' && !Find(cp)) full = true;
            }
            if (!full) return;
            ClearAtlas();
        }
    }

    int LineWidth(const std::string& text, size_t begin, size_t end) {
        int width = 0;
        for (size_t i = begin; i < end;) {
            const uint32_t cp = NextCodePoint(text, &i);
            if (cp == '\r') continue;
            if (const Glyph* g = Find(cp)) width += g->advance;
        }
        return width;
    }
};

Font::Font(const std::string& face, int height, int weight) : impl_(new FontImpl) {
    if (!TTF_WasInit() && TTF_Init() != 0) {
        std::fprintf(stderr, "pomelane: cannot start the font renderer: %s\n", TTF_GetError());
        return;
    }
    const std::string file = FindFontFile(face);
    if (file.empty()) {
        std::fprintf(stderr, "pomelane: no font found for face \"%s\"\n", face.c_str());
        return;
    }
    if (height < 1) height = 1;
    TTF_Font* ttf = TTF_OpenFont(file.c_str(), height);
    if (!ttf) {
        std::fprintf(stderr, "pomelane: cannot open font %s: %s\n", file.c_str(), TTF_GetError());
        return;
    }
    // The height names the character cell (ascent plus descent), not the em square.
    const int cell = TTF_FontHeight(ttf);
    if (cell > 0 && cell != height) {
        const int size = (height * height + cell / 2) / cell;
        TTF_SetFontSize(ttf, size > 0 ? size : 1);
    }
    if (weight >= 600) TTF_SetFontStyle(ttf, TTF_STYLE_BOLD);
    impl_->ttf = ttf;
    impl_->lineHeight = TTF_FontHeight(ttf);
    int side = 256;
    while (side < impl_->lineHeight * 32 && side < 2048) side *= 2;
    impl_->atlas = CreateTexture(side, side);
}

Font::~Font() = default;

bool Font::Valid() const { return impl_->ttf && impl_->atlas; }

void Font::DrawText(const std::string& text, const Rect& rect, uint32_t format, uint32_t color) {
    Device* device = CurrentDevice();
    if (!Valid() || !device) return;
    FontImpl& f = *impl_;
    f.Prepare(text);
    const bool clip = !(format & DT_NOCLIP);
    const float iw = 1.0f / float(f.atlas->width), ih = 1.0f / float(f.atlas->height);
    long y = rect.top;
    for (size_t lineBegin = 0; lineBegin <= text.size();) {
        size_t lineEnd = text.find('\n', lineBegin);
        if (lineEnd == std::string::npos) lineEnd = text.size();
        long x = rect.left;
        if (format & DT_CENTER) x += (rect.right - rect.left - f.LineWidth(text, lineBegin, lineEnd)) / 2;
        for (size_t i = lineBegin; i < lineEnd;) {
            const uint32_t cp = NextCodePoint(text, &i);
            if (cp == '\r') continue;
            const FontImpl::Glyph* g = f.Find(cp);
            if (!g) continue;
            if (g->w > 0) {
                float x0 = float(x + g->offsetX), y0 = float(y);
                float x1 = x0 + float(g->w), y1 = y0 + float(g->h);
                float u0 = float(g->x), v0 = float(g->y), u1 = u0 + float(g->w), v1 = v0 + float(g->h);
                if (clip) {
                    const float cl = float(rect.left), ct = float(rect.top);
                    const float cr = float(rect.right), cb = float(rect.bottom);
                    if (x0 < cl) { u0 += cl - x0; x0 = cl; }
                    if (y0 < ct) { v0 += ct - y0; y0 = ct; }
                    if (x1 > cr) { u1 -= x1 - cr; x1 = cr; }
                    if (y1 > cb) { v1 -= y1 - cb; y1 = cb; }
                }
                if (x1 > x0 && y1 > y0) {
                    const ScreenVertex q[4] = {{x0, y0, color, u0 * iw, v0 * ih},
                                               {x1, y0, color, u1 * iw, v0 * ih},
                                               {x1, y1, color, u1 * iw, v1 * ih},
                                               {x0, y1, color, u0 * iw, v1 * ih}};
                    device->DrawScreenQuad(f.atlas, q, false);
                }
            }
            x += g->advance;
        }
        y += f.lineHeight;
        lineBegin = lineEnd + 1;
    }
}

// The atlas lives in memory and survives a reset; nothing to do.
void Font::OnLostDevice() {}
void Font::OnResetDevice() {}

Font* CreateFont(const std::string& face, int height, int weight) {
    Font* font = new Font(face, height, weight);
    if (!font->Valid()) {
        delete font;
        return nullptr;
    }
    return font;
}

void ReleaseFont(Font* font) { delete font; }

}  // namespace plat
