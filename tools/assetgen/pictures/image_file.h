// 24-bit pictures as the game reads them: flattening a canvas against the sheet's colour key,
// and writing them as BMP files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pictures/canvas.h"

namespace assetgen::pic {

enum class Key { None, Magenta, White };

struct Rgb8 {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb8& o) const { return r == o.r && g == o.g && b == o.b; }
};

struct Image {
    int w = 0, h = 0;
    std::vector<Rgb8> px;  // top row first
    Rgb8& at(int x, int y) { return px[size_t(y) * w + x]; }
    const Rgb8& at(int x, int y) const { return px[size_t(y) * w + x]; }
};

Rgb8 KeyColor(Key key);

// The canvas as the file stores it. With a key, every pixel less than half covered becomes the
// key colour and every other pixel is opaque in its own colour (hard edges, no fringe towards
// the key), nudged off the key colour if it happens to equal it. Without a key the canvas is
// laid on black.
Image Flatten(const Canvas& c, Key key);

bool WriteBmp(const std::string& path, const Image& image);

}  // namespace assetgen::pic
