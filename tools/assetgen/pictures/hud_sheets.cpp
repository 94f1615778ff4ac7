// The shot HUD (gauge, impact dial and needle) and the free camera's viewfinder.
#include <string>

#include "pictures/art.h"
#include "pictures/sheet.h"

namespace assetgen::pic {

namespace {

// Gauge value v sits at frame column 5 + v; the channel is frame rows 2..11.
void GaugeFrame(const View& v) {
    Shape(v, [](P p) { return sdf::Box(p, 0, 0, 123, 15, 3); }, kInk);
    Shape(v, [](P p) { return sdf::Box(p, 1, 1, 122, 14, 2.5f); }, Rgb(0x8FA8D0));
    FillRect(v, 3, 2, 121, 12, Rgb(0x0A1028));
    // The fair control zone, values 90 to 110, with value 100 (dead straight) marked.
    FillRect(v, 95, 2, 116, 12, Rgb(0x1C6A34));
    FillRect(v, 105, 2, 106, 12, Rgb(0x7CF08C));
    for (int value = 0; value <= 110; value += 10)
        FillRect(v, 5.0f + value, value % 50 ? 10.0f : 8.0f, 6.0f + value, 12, Rgb(0x6A7EA8));
    // The marker column (cut out by the game and tinted red) is white.
    FillRect(v, 5, 2, 6, 11, Rgb(0xFFFFFF));
}

// Column v is the fill at gauge value v. The two strips touch, and filtering mixes their
// facing rows: those rows are the darkest of each. `rows` leaves the last rows see-through.
void FillStrip(const View& v, Color strong, Color weak, int rows) {
    static const float shade[8] = {0.7f, 1.25f, 1.15f, 1.0f, 1.0f, 0.95f, 0.85f, 0.7f};
    for (int x = 0; x < 100; ++x) {
        const Color c = Mix(strong, weak, x / 99.0f);
        for (int y = 0; y < rows; ++y)
            v.at(x, y) = {std::min(1.0f, c.r * shade[y]), std::min(1.0f, c.g * shade[y]), std::min(1.0f, c.b * shade[y]), 1};
    }
}

void Dial(const View& v) {
    // A quarter protractor about its bottom-left corner, the needle's pivot.
    const P c{6, 70};
    auto quarter = [c](float r) {
        // Its bottom row stays clear: the needle's picture lies right below it.
        return [c, r](P p) { return std::max({sdf::Circle(p, c, r), c.x - 2.5f - p.x, p.y - (c.y + 0.9f)}); };
    };
    Shape(v, quarter(65.5f), kInk);
    Shape(v, quarter(63.5f), Radial{c, 64, Rgb(0x2A3C70), Rgb(0x141E40)});
    Shape(v, [c](P p) { return std::max(sdf::Ring(p, c, 61, 1.0f), std::max(c.x - p.x, p.y - c.y)); }, Rgb(0xB8CCF0));
    for (int deg = 0; deg <= 90; deg += 15) {
        const float a = deg * kPi / 180, major = deg % 45 == 0;
        const P dir{std::cos(a), -std::sin(a)};
        const float inner = major ? 44.0f : 52.0f;
        Shape(v, [&](P p) { return sdf::Segment(p, c + dir * inner, c + dir * 60.0f, major ? 1.3f : 0.7f); },
              major ? Rgb(0xFFE060) : Rgb(0x9AB0D8));
    }
}

void Needle(const View& v) {
    // A white pointer from its pivot (about (4, 6.7)) to its tip at the right end.
    const std::vector<P> blade{{3, 4.3f}, {61.5f, 6.5f}, {61.5f, 6.9f}, {3, 9.1f}};
    auto shape = [&](P p) { return std::min(sdf::Polygon(p, blade), sdf::Circle(p, {4, 6.7f}, 2.6f)); };
    Outlined(v, shape, Rgb(0xFFFFFF), kInk, 0.8f);
}

}  // namespace

Sheet BuildGaugeSheet() {
    Sheet s("bitmap/Gauge.bmp", 256, 256, Key::Magenta);
    GaugeFrame(s.Add("frame", {0, 0, 123, 15}));
    s.pieces.push_back({"marker", {5, 2, 6, 11}});
    FillStrip(s.Add("fill normal", {0, 16, 100, 24}), Rgb(0x60E0FF), Rgb(0x2050D0), 8);
    // The power strip's last row stays clear: the power-shot digits right below it would
    // otherwise pick up a red line along their top.
    FillStrip(s.Add("fill power", {0, 24, 100, 32}), Rgb(0xFFE040), Rgb(0xE02818), 7);
    TextStyle digit = Lettering(12, Rgb(0xFFFFFF), Rgb(0xFFE080), 0, Face::Latin);
    digit.bold = false;
    for (int n = 0; n < 10; ++n) digit.size = float(FitSize(std::to_string(n), digit, 8, 8));
    for (int n = 0; n < 10; ++n) {
        const View v = s.Add(std::to_string(n), {11 * n + 1, 32, 11 * n + 11, 42});
        Shape(v, [](P p) { return sdf::Circle(p, {5, 5.5f}, 4.6f); }, Rgb(0x801818));
        DrawText(v, 1, 1, 8, 8, std::to_string(n), digit);
    }
    SmallLabel(s.Add("label 1", {1, 43, 36, 53}), 0, 0, 35, 10, "MAX", Face::Latin);
    SmallLabel(s.Add("label 2", {1, 54, 29, 64}), 0, 0, 28, 10, "50", Face::Latin);
    SmallLabel(s.Add("label 3", {1, 65, 23, 75}), 0, 0, 22, 10, "0", Face::Latin);
    Dial(s.Add("dial", {7, 80, 79, 152}));
    Needle(s.Add("needle", {7, 152, 69, 162}));
    return s;
}

Sheet BuildViewfinder() {
    // Stretched four times over the whole view: one-pixel lines near the edges, clear middle.
    Sheet s("bitmap/Bg2.bmp", 256, 256, Key::Magenta);
    const View v = s.Add("viewfinder", {0, 0, 160, 120});
    const Color line = Rgb(0xF0F4F8), dark = Rgb(0x202428);
    for (float x : {2.0f, 157.0f}) FillRect(v, x, 2, x + 1, 118, dark);
    for (float y : {2.0f, 117.0f}) FillRect(v, 2, y, 158, y + 1, dark);
    // Corner brackets.
    FillRect(v, 6, 6, 24, 7, line);
    FillRect(v, 6, 6, 7, 20, line);
    FillRect(v, 136, 6, 154, 7, line);
    FillRect(v, 153, 6, 154, 20, line);
    FillRect(v, 6, 113, 24, 114, line);
    FillRect(v, 6, 100, 7, 114, line);
    FillRect(v, 136, 113, 154, 114, line);
    FillRect(v, 153, 100, 154, 114, line);
    SmallLabel(v, 10, 9, 62, 13, "フリーカメラ", Face::Gothic, Rgb(0x202428));
    // The recording mark keeps left of the wind panel (screen x 518, here 129.5) and its arrow.
    Outlined(v, [](P p) { return sdf::Circle(p, {124, 15.5f}, 3); }, Rgb(0xF03020), dark, 0.8f);
    SmallLabel(v, 97, 9, 22, 13, "REC", Face::Latin, Rgb(0x202428));
    return s;
}

}  // namespace assetgen::pic
