#include "pictures/text.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <map>
#include <tuple>

namespace assetgen::pic {

namespace {

// The builder's open faces: file paths found once, fonts opened per size on demand.
struct FontSet {
    std::string path[3];
    std::map<std::tuple<int, int>, TTF_Font*> open;
    bool ready = false;
};
FontSet& Fonts() {
    static FontSet set;
    return set;
}

bool HasJapanese(FcPattern* font) {
    FcCharSet* cs = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &cs) != FcResultMatch) return false;
    for (FcChar32 c : {0x3042u, 0x30A2u, 0x6F22u, 0x2605u})  // hiragana, katakana, kanji, star
        if (!FcCharSetHasChar(cs, c)) return false;
    return true;
}

bool FamilyIs(FcPattern* font, const char* family) {
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i)
        if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family)) == 0) return true;
    return false;
}

// The file of the first family that is installed and can set Japanese; with exact false, any
// Japanese-capable face fontconfig prefers for the first name.
std::string FindFace(std::initializer_list<const char*> families, bool exact) {
    for (const char* family : families) {
        FcPattern* want = FcPatternCreate();
        FcPatternAddString(want, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
        FcPatternAddString(want, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
        FcConfigSubstitute(nullptr, want, FcMatchPattern);
        FcDefaultSubstitute(want);
        FcResult result;
        FcPattern* got = FcFontMatch(nullptr, want, &result);
        std::string path;
        FcChar8* file = nullptr;
        if (got && HasJapanese(got) && (!exact || FamilyIs(got, family)) &&
            FcPatternGetString(got, FC_FILE, 0, &file) == FcResultMatch)
            path = reinterpret_cast<const char*>(file);
        if (got) FcPatternDestroy(got);
        FcPatternDestroy(want);
        if (!path.empty()) return path;
    }
    return {};
}

TTF_Font* Font(Face face, int size) {
    FontSet& f = Fonts();
    const auto key = std::make_tuple(int(face), size);
    auto it = f.open.find(key);
    if (it != f.open.end()) return it->second;
    TTF_Font* font = TTF_OpenFont(f.path[int(face)].c_str(), size);
    if (!font) std::fprintf(stderr, "pomelane-assets: cannot open %s: %s\n", f.path[int(face)].c_str(), TTF_GetError());
    f.open[key] = font;
    return font;
}

// The coverage of a rendered line, one float per pixel.
struct Mask {
    int w = 0, h = 0;
    std::vector<float> a;
};

Mask Render(TTF_Font* font, const std::string& line, int outline) {
    Mask m;
    if (!font || line.empty()) return m;
    TTF_SetFontOutline(font, outline);
    SDL_Surface* s = TTF_RenderUTF8_Blended(font, line.c_str(), SDL_Color{255, 255, 255, 255});
    TTF_SetFontOutline(font, 0);
    if (!s) return m;
    SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(s);
    if (!c) return m;
    m.w = c->w;
    m.h = c->h;
    m.a.resize(size_t(m.w) * m.h);
    SDL_LockSurface(c);
    for (int y = 0; y < m.h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(c->pixels) + y * c->pitch);
        for (int x = 0; x < m.w; ++x) m.a[size_t(y) * m.w + x] = (row[x] >> 24) / 255.0f;
    }
    SDL_UnlockSurface(c);
    SDL_FreeSurface(c);
    return m;
}

void Stamp(Canvas& c, const Mask& m, int ox, int oy, Color top, Color bottom) {
    for (int y = 0; y < m.h; ++y) {
        const Color col = bottom.r < 0 ? top : Mix(top, bottom, m.h > 1 ? float(y) / (m.h - 1) : 0.0f);
        for (int x = 0; x < m.w; ++x) {
            const float a = m.a[size_t(y) * m.w + x];
            const int cx = ox + x, cy = oy + y;
            if (a > 0 && cx >= 0 && cy >= 0 && cx < c.w && cy < c.h) Blend(View(c), cx, cy, col, a);
        }
    }
}

Canvas RenderLine(const std::string& line, const TextStyle& st, int size) {
    TTF_Font* font = Font(st.face, size);
    if (!font) return {};
    TTF_SetFontStyle(font, st.bold ? TTF_STYLE_BOLD : TTF_STYLE_NORMAL);
    const int o = int(std::lround(st.outlineWidth));
    const Mask fill = Render(font, line, 0);
    const Mask edge = o > 0 ? Render(font, line, o) : fill;
    const int dx = int(std::lround(st.shadowDx)), dy = int(std::lround(st.shadowDy));
    const int bx = 1 + std::max(0, -dx), by = 1 + std::max(0, -dy);
    Canvas c(edge.w + std::abs(dx) + 2, edge.h + std::abs(dy) + 2);
    if (st.shadow.a > 0) Stamp(c, edge, bx + dx, by + dy, st.shadow, {-1, 0, 0, 0});
    if (o > 0) Stamp(c, edge, bx, by, st.outline, {-1, 0, 0, 0});
    Stamp(c, fill, bx + (o > 0 ? o : 0), by + (o > 0 ? o : 0), st.fill, st.fill2);
    return c;
}

Canvas Trim(const Canvas& c) {
    int l = c.w, t = c.h, r = -1, b = -1;
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x)
            if (c.at(x, y).a > 1.0f / 255) l = std::min(l, x), r = std::max(r, x), t = std::min(t, y), b = std::max(b, y);
    if (r < 0) return {};
    Canvas out(r - l + 1, b - t + 1);
    for (int y = t; y <= b; ++y)
        for (int x = l; x <= r; ++x) out.at(x - l, y - t) = c.at(x, y);
    return out;
}

Canvas RenderAt(const std::string& text, const TextStyle& st, int size) {
    std::vector<Canvas> lines;
    size_t start = 0;
    for (;;) {
        const size_t nl = text.find('\n', start);
        lines.push_back(RenderLine(text.substr(start, nl == std::string::npos ? std::string::npos : nl - start), st, size));
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
    TTF_Font* font = Font(st.face, size);
    const int skip = (font ? TTF_FontLineSkip(font) : size);
    int w = 0, h = 0;
    for (const Canvas& l : lines) w = std::max(w, l.w);
    for (size_t i = 0; i < lines.size(); ++i) h = std::max(h, int(i) * skip + lines[i].h);
    Canvas all(w, h);
    for (size_t i = 0; i < lines.size(); ++i) {
        const Canvas& l = lines[i];
        for (int y = 0; y < l.h; ++y)
            for (int x = 0; x < l.w; ++x) all.at((w - l.w) / 2 + x, int(i) * skip + y) = l.at(x, y);
    }
    return Trim(all);
}

}  // namespace

bool OpenFonts() {
    FontSet& f = Fonts();
    if (f.ready) return true;
    if (!FcInit()) {
        std::fprintf(stderr, "pomelane-assets: fontconfig did not start\n");
        return false;
    }
    if (TTF_Init() != 0) {
        std::fprintf(stderr, "pomelane-assets: SDL_ttf did not start: %s\n", TTF_GetError());
        return false;
    }
    f.path[int(Face::Gothic)] = FindFace({"VL Gothic", "VL PGothic"}, true);
    if (f.path[int(Face::Gothic)].empty()) f.path[int(Face::Gothic)] = FindFace({"sans-serif"}, false);
    f.path[int(Face::Rounded)] = FindFace({"HG丸ｺﾞｼｯｸM-PRO", "MotoyaLMaru", "Motoya L Maru"}, true);
    if (f.path[int(Face::Rounded)].empty()) f.path[int(Face::Rounded)] = f.path[int(Face::Gothic)];
    f.path[int(Face::Latin)] = FindFace({"VL PGothic"}, true);
    if (f.path[int(Face::Latin)].empty()) f.path[int(Face::Latin)] = f.path[int(Face::Gothic)];
    if (f.path[int(Face::Gothic)].empty()) {
        std::fprintf(stderr, "pomelane-assets: no Japanese font found through fontconfig (install fonts-vlgothic)\n");
        return false;
    }
    f.ready = true;
    return true;
}

void CloseFonts() {
    FontSet& f = Fonts();
    for (auto& [key, font] : f.open)
        if (font) TTF_CloseFont(font);
    f.open.clear();
    if (f.ready) TTF_Quit();
    f.ready = false;
}

Canvas RenderText(const std::string& text, const TextStyle& style) {
    return RenderAt(text, style, std::max(4, int(std::lround(style.size))));
}

namespace {

// The ink of the text at the largest size that fits, and that size.
Canvas Fitted(const std::string& text, const TextStyle& st, float w, float h, int& size) {
    size = std::max(4, int(std::lround(st.size)));
    Canvas ink = RenderAt(text, st, size);
    for (int tries = 0; tries < 8 && ink.w > 0; ++tries) {
        const float fit = std::min(w / (ink.w * st.squeeze), h / float(ink.h));
        if (fit >= 1 || size <= 4) break;
        size = std::max(4, std::min(size - 1, int(std::floor(size * fit))));
        ink = RenderAt(text, st, size);
    }
    return ink;
}

}  // namespace

int FitSize(const std::string& text, const TextStyle& style, float w, float h) {
    int size = 0;
    Fitted(text, style, w, h, size);
    return size;
}

float DrawText(const View& v, float x, float y, float w, float h, const std::string& text, TextStyle st,
               Align align) {
    int size = 0;
    const Canvas ink = Fitted(text, st, w, h, size);
    if (ink.w == 0) return 0;
    float dw = ink.w * st.squeeze, dh = float(ink.h);
    const float shrink = std::min({1.0f, w / dw, h / dh});  // only when even the smallest size overflows
    dw *= shrink;
    dh *= shrink;
    float dx = x + (w - dw) / 2;
    if (align == Align::Left) dx = x;
    if (align == Align::Right) dx = x + w - dw;
    const float dy = y + (h - dh) / 2;
    if (dw == ink.w && dh == ink.h)
        Draw(v, ink, std::round(dx), std::round(dy), dw, dh);
    else
        Draw(v, ink, dx, dy, dw, dh);
    return float(size);
}

}  // namespace assetgen::pic
