#include "pictures/image_file.h"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace assetgen::pic {

namespace {

uint8_t Channel(float v) { return uint8_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

void Put16(std::vector<uint8_t>& o, uint32_t v) {
    o.push_back(uint8_t(v));
    o.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& o, uint32_t v) {
    Put16(o, v & 0xFFFF);
    Put16(o, v >> 16);
}

bool Save(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!f) {
        std::fprintf(stderr, "pomelane-assets: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

Rgb8 KeyColor(Key key) {
    switch (key) {
        case Key::Magenta: return {255, 0, 255};
        case Key::White: return {255, 255, 255};
        case Key::None: break;
    }
    return {0, 0, 0};
}

Image Flatten(const Canvas& c, Key key) {
    Image im{c.w, c.h, std::vector<Rgb8>(size_t(c.w) * c.h)};
    const Rgb8 k = KeyColor(key);
    for (size_t i = 0; i < im.px.size(); ++i) {
        const Px& p = c.px[i];
        if (key == Key::None) {
            im.px[i] = {Channel(p.r), Channel(p.g), Channel(p.b)};
        } else if (p.a < 0.5f) {
            im.px[i] = k;
        } else {
            Rgb8 o{Channel(p.r / p.a), Channel(p.g / p.a), Channel(p.b / p.a)};
            if (o == k) o = key == Key::White ? Rgb8{250, 250, 250} : Rgb8{250, 0, 250};
            im.px[i] = o;
        }
    }
    return im;
}

bool WriteBmp(const std::string& path, const Image& im) {
    const uint32_t stride = (uint32_t(im.w) * 3 + 3) & ~3u;
    const uint32_t dataSize = stride * uint32_t(im.h);
    std::vector<uint8_t> o;
    o.reserve(54 + dataSize);
    o.push_back('B');
    o.push_back('M');
    Put32(o, 54 + dataSize);
    Put32(o, 0);
    Put32(o, 54);
    Put32(o, 40);  // BITMAPINFOHEADER
    Put32(o, uint32_t(im.w));
    Put32(o, uint32_t(im.h));  // positive: bottom row first
    Put16(o, 1);
    Put16(o, 24);
    Put32(o, 0);  // BI_RGB
    Put32(o, dataSize);
    Put32(o, 2835);
    Put32(o, 2835);
    Put32(o, 0);
    Put32(o, 0);
    for (int y = im.h - 1; y >= 0; --y) {
        for (int x = 0; x < im.w; ++x) {
            const Rgb8& p = im.at(x, y);
            o.push_back(p.b);
            o.push_back(p.g);
            o.push_back(p.r);
        }
        for (uint32_t pad = uint32_t(im.w) * 3; pad < stride; ++pad) o.push_back(0);
    }
    return Save(path, o);
}

}  // namespace assetgen::pic
