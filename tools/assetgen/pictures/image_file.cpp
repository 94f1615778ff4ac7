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
void PutBE32(std::vector<uint8_t>& o, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) o.push_back(uint8_t(v >> s));
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

uint32_t Crc(const uint8_t* p, size_t n, uint32_t crc = 0) {
    static uint32_t table[256];
    if (!table[1])
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[i] = c;
        }
    crc = ~crc;
    for (size_t i = 0; i < n; ++i) crc = table[(crc ^ p[i]) & 255] ^ (crc >> 8);
    return ~crc;
}

void Chunk(std::vector<uint8_t>& o, const char* type, const std::vector<uint8_t>& data) {
    PutBE32(o, uint32_t(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    o.insert(o.end(), body.begin(), body.end());
    PutBE32(o, Crc(body.data(), body.size()));
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

// An uncompressed PNG (stored deflate blocks): the contact sheets are for looking at, not keeping.
bool WritePng(const std::string& path, const Image& im) {
    std::vector<uint8_t> raw;
    raw.reserve(size_t(im.h) * (1 + 3 * size_t(im.w)));
    for (int y = 0; y < im.h; ++y) {
        raw.push_back(0);
        for (int x = 0; x < im.w; ++x) {
            const Rgb8& p = im.at(x, y);
            raw.insert(raw.end(), {p.r, p.g, p.b});
        }
    }
    std::vector<uint8_t> z{0x78, 0x01};
    for (size_t pos = 0; pos < raw.size() || pos == 0;) {
        const size_t n = std::min<size_t>(65535, raw.size() - pos);
        z.push_back(pos + n == raw.size() ? 1 : 0);
        Put16(z, uint32_t(n));
        Put16(z, uint32_t(~n & 0xFFFF));
        z.insert(z.end(), raw.begin() + long(pos), raw.begin() + long(pos + n));
        pos += n;
        if (n == 0) break;
    }
    uint32_t a = 1, b = 0;
    for (uint8_t v : raw) a = (a + v) % 65521, b = (b + a) % 65521;
    PutBE32(z, (b << 16) | a);
    std::vector<uint8_t> o{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    PutBE32(ihdr, uint32_t(im.w));
    PutBE32(ihdr, uint32_t(im.h));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    Chunk(o, "IHDR", ihdr);
    Chunk(o, "IDAT", z);
    Chunk(o, "IEND", {});
    return Save(path, o);
}

}  // namespace assetgen::pic
