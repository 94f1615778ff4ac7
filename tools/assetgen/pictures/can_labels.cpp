// The ten can labels. u wraps once round the can's side, v runs from the top rim to the bottom
// rim; the top and bottom 8 rows are plain aluminium (the caps are mapped onto that band).
// The side is about 44 units round and 20 tall, so the art is drawn on a canvas 2.28 times
// wider than the texture and narrowed into it: on the can's front it then keeps its shape.
// Every design repeats twice round the can, front and back, so that it is always in view.
#include <string>

#include "pictures/art.h"
#include "pictures/sheet.h"

namespace assetgen::pic {

namespace {

constexpr int kRim = 8;
constexpr int kWide = 292, kTall = 128 - 2 * kRim;  // the body as drawn, before narrowing
const Color kAluminium = Rgb(0xBCC0C8);

struct Label {
    const char* file;
    Color top, bottom;  // background gradient
};
const Label kLabels[10] = {
    {"Orange", Rgb(0xFFB030), Rgb(0xF06A10)}, {"Soda", Rgb(0xD8F4FF), Rgb(0x6CC0F0)}, {"U-Cola", Rgb(0xE8202A), Rgb(0xA01018)},
    {"Tea", Rgb(0x78C050), Rgb(0x2E7A30)},    {"Coffee", Rgb(0xF0DEC0), Rgb(0x8A5A34)}, {"Black", Rgb(0x5A5A62), Rgb(0x1E1E24)},
    {"Corn", Rgb(0xFFE870), Rgb(0xF0B020)},   {"Grape", Rgb(0xA060D0), Rgb(0x50207A)}, {"Oden", Rgb(0xC85030), Rgb(0x742412)},
    {"Potion", Rgb(0x40D0C0), Rgb(0x402090)}};

TextStyle Brand(float size, Color fill, Color fill2, Color edge, float outline, Face face = Face::Gothic) {
    TextStyle st = Lettering(size, fill, fill2, outline, face);
    st.outline = edge;
    return st;
}

// One copy of the design, centred on x = cx of the wide body canvas.
void Design(const View& v, int index, float cx) {
    // Lettering keeps to the middle 104 px, about 130 degrees of the side, so it reads without
    // running round the edges of the view.
    const float l = cx - 52, w = 104;
    switch (index) {
        case 0: {  // orange juice: a slice over the name
            const P c{cx, 34};
            Outlined(v, [&](P p) { return sdf::Circle(p, c, 24); }, Rgb(0xFFD060), Rgb(0xFFF4D8), 3);
            for (int i = 0; i < 8; ++i) {
                const float a = i * kPi / 4 + kPi / 8;
                const std::vector<P> seg{c, c + P{std::cos(a - 0.33f), std::sin(a - 0.33f)} * 20, c + P{std::cos(a + 0.33f), std::sin(a + 0.33f)} * 20};
                Shape(v, [&](P p) { return sdf::Polygon(p, seg) + 1.2f; }, Rgb(0xFF9A18));
            }
            DrawText(v, l, 62, w, 30, "オレンジ", Brand(34, Rgb(0xFFFFFF), Rgb(0xFFF0D0), Rgb(0xB04008), 3));
            DrawText(v, l, 93, w, 16, "果汁100%", Brand(16, Rgb(0x5A2000), Rgb(0x5A2000), Rgb(0xFFFFFF), 0, Face::Rounded));
            break;
        }
        case 1: {  // clear soda: bubbles and a blue name
            Rng rng(101);
            for (int i = 0; i < 14; ++i) {
                const P c{cx + rng.Range(-62, 62), rng.Range(6, 60)};
                const float r = rng.Range(2.5f, 7);
                Shape(v, [&](P p) { return sdf::Ring(p, c, r, 1.0f); }, Rgb(0xFFFFFF, 0.9f));
            }
            DrawText(v, l, 56, w, 34, "サイダー", Brand(36, Rgb(0x1A5AC8), Rgb(0x0C3A90), Rgb(0xFFFFFF), 3));
            DrawText(v, l, 92, w, 16, "すっきり微炭酸", Brand(16, Rgb(0x0C3A90), Rgb(0x0C3A90), Rgb(0xFFFFFF), 0, Face::Rounded));
            break;
        }
        case 2: {  // U-Cola: a white swoosh under the brand
            // Two waves per copy, so that the copies' swooshes join into one round the can.
            Shape(v, [&](P p) {
                const float wave = std::fabs(p.y - (78 + 8 * std::sin(4 * kPi * (p.x - cx) / kWide))) - 4;
                return std::max(wave, std::fabs(p.x - cx) - kWide / 4.0f);
            }, Rgb(0xF8F8F4));
            DrawText(v, l, 18, w, 48, "U-Cola", Brand(48, Rgb(0xFFFFFF), Rgb(0xF0E8E8), Rgb(0x600008), 3, Face::Latin));
            DrawText(v, l, 90, w, 18, "コーラ", Brand(18, Rgb(0xFFFFFF), Rgb(0xFFFFFF), Rgb(0x600008), 1.5f, Face::Rounded));
            break;
        }
        case 3: {  // green tea: the name set vertically beside a leaf
            TextStyle st = Brand(38, Rgb(0xFFFFFF), Rgb(0xE8F8E0), Rgb(0x1A4A1A), 3);
            DrawText(v, cx - 10, 6, 44, 100, "緑\n茶", st);
            const P c{cx - 40, 50};
            Outlined(v, [&](P p) { return sdf::Polygon(p, {{c.x, c.y - 30}, {c.x + 14, c.y}, {c.x, c.y + 30}, {c.x - 14, c.y}}); },
                     Rgb(0xB8E890), Rgb(0x1A4A1A), 2);
            Shape(v, [&](P p) { return sdf::Segment(p, {c.x, c.y - 26}, {c.x, c.y + 26}, 1); }, Rgb(0x2E7A30));
            DrawText(v, cx + 36, 20, 30, 70, "茶\n葉\n屋", Brand(18, Rgb(0xFFF4C0), Rgb(0xFFF4C0), Rgb(0x1A4A1A), 1.5f, Face::Rounded));
            break;
        }
        case 4: {  // coffee with milk: a cup over the name
            const P c{cx, 36};
            Outlined(v, [&](P p) { return std::min(sdf::Box(p, c.x - 20, c.y - 14, c.x + 20, c.y + 18, 6), sdf::Ring(p, {c.x + 22, c.y}, 8, 3)); },
                     Rgb(0xF8F4EC), Rgb(0x4A2A10), 2.5f);
            Shape(v, [&](P p) { return sdf::Ellipse(p, {c.x, c.y - 12}, 17, 3); }, Rgb(0xB07A48));
            for (float dx : {-8.0f, 0.0f, 8.0f})  // steam
                for (int i = 0; i < 4; ++i) {
                    const float y0 = c.y - 32 + 3.5f * i, y1 = y0 + 3.5f;
                    const P a{c.x + dx + 2 * std::sin(y0 / 2), y0}, e{c.x + dx + 2 * std::sin(y1 / 2), y1};
                    Shape(v, [&](P p) { return sdf::Segment(p, a, e, 1.1f); }, Rgb(0xFFFFFF, 0.85f));
                }
            DrawText(v, l, 57, w, 36, "ミルク\nコーヒー", Brand(20, Rgb(0x5A3010), Rgb(0x3A1A08), Rgb(0xFFF8EC), 2));
            DrawText(v, l, 92, w, 16, "まろやか", Brand(16, Rgb(0xFFF8EC), Rgb(0xFFF8EC), Rgb(0x3A1A08), 1.5f, Face::Rounded));
            break;
        }
        case 5: {  // black coffee: gold on black
            for (float y : {9.0f, 100.0f}) FillRect(v, cx - 73, y, cx + 73, y + 3, Rgb(0xE0BA58));
            DrawText(v, l, 18, w, 44, "ブラック", Brand(40, Rgb(0xFFE8A0), Rgb(0xC89838), Rgb(0x000000), 2));
            DrawText(v, l, 64, w, 20, "無糖", Brand(20, Rgb(0xF0F0F0), Rgb(0xC8C8C8), Rgb(0x000000), 0, Face::Rounded));
            DrawText(v, l, 84, w, 14, "ROAST COFFEE", Brand(14, Rgb(0xD8B050), Rgb(0xD8B050), Rgb(0x000000), 0, Face::Latin));
            break;
        }
        case 6: {  // corn soup: an ear of corn
            const P c{cx, 32};
            Outlined(v, [&](P p) { return sdf::Polygon(p, {{c.x - 8, c.y + 24}, {c.x - 26, c.y - 4}, {c.x - 10, c.y + 6}}); }, Rgb(0x58B030), Rgb(0x2A5A10), 1.5f);
            Outlined(v, [&](P p) { return sdf::Polygon(p, {{c.x + 8, c.y + 24}, {c.x + 26, c.y - 4}, {c.x + 10, c.y + 6}}); }, Rgb(0x58B030), Rgb(0x2A5A10), 1.5f);
            Outlined(v, [&](P p) { return sdf::Ellipse(p, c, 11, 24); }, [&](P p) {
                const bool seam = std::fmod(p.x - c.x + 40, 5.5f) < 1 || std::fmod(p.y + 40, 5) < 1;
                return seam ? Rgb(0xE0A010) : Rgb(0xFFE040);
            }, Rgb(0x6A4A08), 2);
            DrawText(v, l, 58, w, 34, "コーン\nスープ", Brand(20, Rgb(0xFFFFFF), Rgb(0xFFF8E0), Rgb(0x8A5A00), 2));
            DrawText(v, l, 92, w, 16, "つぶ入り", Brand(16, Rgb(0x6A3A00), Rgb(0x6A3A00), Rgb(0xFFFFFF), 0, Face::Rounded));
            break;
        }
        case 7: {  // grape: a bunch of grapes
            const P c{cx, 30};
            Shape(v, [&](P p) { return sdf::Segment(p, {c.x, c.y - 22}, {c.x + 4, c.y - 14}, 1.5f); }, Rgb(0x6A4A20));
            Outlined(v, [&](P p) { return sdf::Ellipse(p, {c.x + 12, c.y - 18}, 9, 4); }, Rgb(0x70C040), Rgb(0x204010), 1);
            const P berries[] = {{-12, -8}, {0, -8}, {12, -8}, {-6, 2}, {6, 2}, {-12, 12}, {0, 12}, {12, 12}, {-6, 22}, {6, 22}, {0, 31}};
            for (const P& b : berries)
                Outlined(v, [&](P p) { return sdf::Circle(p, c + b, 6); }, Radial{c + b + P{-2, -2}, 8, Rgb(0xC890F0), Rgb(0x6A2AA0)}, Rgb(0x2A0A40), 1.2f);
            DrawText(v, l, 66, w, 28, "グレープ", Brand(32, Rgb(0xFFFFFF), Rgb(0xF0E0FF), Rgb(0x2A0A40), 3));
            DrawText(v, l, 95, w, 14, "ぶどう果汁30%", Brand(14, Rgb(0xFFFFFF), Rgb(0xFFFFFF), Rgb(0x2A0A40), 0, Face::Rounded));
            break;
        }
        case 8: {  // canned oden: a skewer with konnyaku, a ball and daikon
            const P c{cx, 34};
            Shape(v, [&](P p) { return sdf::Segment(p, {c.x, c.y - 30}, {c.x, c.y + 30}, 1.5f); }, Rgb(0xE8C890));
            Outlined(v, [&](P p) { return sdf::Polygon(p, {{c.x, c.y - 28}, {c.x + 13, c.y - 8}, {c.x - 13, c.y - 8}}); }, Rgb(0x7A7070), Rgb(0x1A1010), 1.5f);
            Outlined(v, [&](P p) { return sdf::Circle(p, {c.x, c.y + 3}, 9); }, Rgb(0xC88A48), Rgb(0x1A1010), 1.5f);
            Outlined(v, [&](P p) { return sdf::Box(p, c.x - 13, c.y + 13, c.x + 13, c.y + 27, 4); }, Rgb(0xF0E0B0), Rgb(0x1A1010), 1.5f);
            DrawText(v, l, 62, w, 30, "おでん", Brand(34, Rgb(0xFFFFFF), Rgb(0xFFF0D8), Rgb(0x2A0800), 3, Face::Rounded));
            DrawText(v, l, 93, w, 16, "だし自慢", Brand(16, Rgb(0xFFE8A0), Rgb(0xFFE8A0), Rgb(0x2A0800), 0, Face::Rounded));
            break;
        }
        default: {  // the joke potion: a round flask and sparkles
            const P c{cx, 36};
            Outlined(v, [&](P p) { return std::min(sdf::Circle(p, {c.x, c.y + 6}, 17), sdf::Box(p, c.x - 6, c.y - 24, c.x + 6, c.y - 6, 2)); },
                     [&](P p) { return p.y > c.y ? Rgb(0xF04080) : Rgb(0xE8F4FF); }, Rgb(0x1A0830), 2.5f);
            Shape(v, [&](P p) { return sdf::Box(p, c.x - 8, c.y - 28, c.x + 8, c.y - 22, 2); }, Rgb(0x8A5A30));
            Rng rng(909);
            for (int i = 0; i < 6; ++i) {
                const P s{cx + rng.Range(-60, 60), rng.Range(8, 58)};
                if (std::fabs(s.x - c.x) < 26) continue;
                const std::vector<P> star = Star(s, 6, 1.8f, 4);
                Shape(v, [&](P p) { return sdf::Polygon(p, star); }, Rgb(0xFFF6B0));
            }
            DrawText(v, l, 64, w, 28, "ポーション", Brand(30, Rgb(0xFFFFFF), Rgb(0xE8E0FF), Rgb(0x1A0830), 3));
            DrawText(v, l, 93, w, 16, "HP回復+50", Brand(16, Rgb(0xFFF6B0), Rgb(0xFFF6B0), Rgb(0x1A0830), 0, Face::Rounded));
            break;
        }
    }
}

}  // namespace

int CanLabelCount() { return 10; }

Sheet BuildCanLabel(int index) {
    const Label& lab = kLabels[index];
    Sheet s(std::string("bitmap/") + lab.file + ".bmp", 128, 128, Key::None);
    Canvas body(kWide, kTall);
    const View b(body);
    Shape(b, [](P) { return -1.0f; }, Linear{{0, 0}, {0, float(kTall)}, lab.top, lab.bottom});
    // Thin stripes along both rims of the printed band.
    FillRect(b, 0, 0, kWide, 3, Scale(lab.bottom, 0.7f));
    FillRect(b, 0, kTall - 3.0f, kWide, kTall, Scale(lab.bottom, 0.7f));
    // Can.x turns the label's middle (u 0.5) to face -z and puts the seam (u 0) behind: one
    // copy sits on each, the one on the seam drawn as two halves that meet across it.
    for (float cx : {0.0f, kWide * 0.5f, float(kWide)}) Design(b, index, cx);
    const View v = s.Add("label", {0, 0, 128, 128});
    Fill(v, kAluminium);
    Draw(v, body, 0, kRim, 128, kTall);
    return s;
}

}  // namespace assetgen::pic
