// The round's lettering: the game-text sheet (HUD, banners, menu, signs) and the dent notice.
#include <string>

#include "pictures/art.h"
#include "pictures/faces.h"
#include "pictures/sheet.h"

namespace assetgen::pic {

namespace {

TextStyle Bright(float size, float outline = 3) { return Lettering(size, Rgb(0xFFFFFF), Rgb(0xFFE890), outline); }
TextStyle Cool(float size, float outline = 3) { return Lettering(size, Rgb(0xFFFFFF), kSky, outline, Face::Rounded); }

// The row cursor: a round green button with a white play mark. It stands beside the options'
// orange value marks, so it must not look like one of them.
void Cursor(const View& v) {
    const P c{14, 14};
    Outlined(v, [&](P p) { return sdf::Circle(p, c, 10.5f); }, Radial{{11, 10}, 14, Rgb(0x9CF07C), Rgb(0x1E9A3C)}, kInk, 2.5f);
    const std::vector<P> tri{{10.5f, 8}, {20, 14}, {10.5f, 20}};
    Shape(v, [&](P p) { return sdf::Polygon(p, tri) - 0.3f; }, Rgb(0xFAFAF6));
}

// A stage's colour: station tiles, road asphalt and sky, classroom wood.
Color StageColor(int k) {
    static const Color c[3] = {Rgb(0x3C9A5A), Rgb(0x3C6CC8), Rgb(0xC07A30)};
    return c[k];
}

void StageNamePlate(const View& v, int k) {
    static const char* names[3] = {"駅の階段", "歩道橋と車道", "教室"};
    const Color c = StageColor(k);
    // The plate stops short of the rectangle's right end: on the stage screen the text box
    // begins 310 px from the plate's left edge and would cover it.
    constexpr float kRight = 306;
    Panel(v, 1, 2, kRight, v.h - 2.0f, 12, Mix(c, Rgb(0xFFFFFF), 0.3f), Mix(c, Rgb(0x000000), 0.25f), kInk, 3);
    Outlined(v, [](P p) { return sdf::Circle(p, {30, 26}, 19); }, Rgb(0xFFF6C0), kInk, 2.5f);
    DrawText(v, 13, 8, 34, 36, std::to_string(k + 1), Lettering(34, Mix(c, Rgb(0x000000), 0.3f), Mix(c, Rgb(0x000000), 0.5f), 0));
    DrawText(v, 58, 5, 120, 14, "ステージ" + std::to_string(k + 1), Cool(15, 2), Align::Left);
    DrawText(v, 58, 19, kRight - 66, 27, names[k], Bright(30, 2.5f), Align::Left);
}

void Banner(const View& v, int p) {
    const Color c = PlayerColor(p);
    // The band behind the words; the label on its left stands alone (the menu cuts it out).
    Panel(v, 74, 8, 254, 70, 10, Mix(c, Rgb(0xFFFFFF), 0.25f), Mix(c, Rgb(0x000000), 0.35f), kInk, 3);
    Panel(v, 2, 2, 69, 76, 14, Mix(c, Rgb(0xFFFFFF), 0.4f), Mix(c, Rgb(0x000000), 0.2f), kInk, 3);
    TextStyle label = Lettering(56, Rgb(0xFFFFFF), Rgb(0xF0F0F0), 3, Face::Latin);
    label.squeeze = 0.7f;  // widened on the banner, narrowed in the menu table
    DrawText(v, 6, 6, 59, 66, std::to_string(p + 1) + "P", label);
    TextStyle turn = Bright(58, 3);
    turn.squeeze = 0.5f;  // the banner is drawn twice as wide
    DrawText(v, 80, 8, 170, 62, "のターン!", turn);
}

void WindPanel(const View& v) {
    // A frame with a see-through middle for the wind arrow. It is drawn after the wind reading
    // (screen y 80 and below, panel y 72), so it stops above it and leaves the words clear.
    Shape(v, [](P p) { return std::max(sdf::Box(p, 0, 0, 118, 71, 8), -sdf::Box(p, 5, 5, 113, 66, 4)); }, kInk);
    Shape(v, [](P p) { return std::max(sdf::Box(p, 1.5f, 1.5f, 116.5f, 69.5f, 7), -sdf::Box(p, 3.5f, 3.5f, 114.5f, 67.5f, 5)); },
          Rgb(0x9CC8F0));
    for (float x : {5.0f, 113.0f})  // corner studs
        for (float y : {5.0f, 66.0f})
            Outlined(v, [&](P p) { return sdf::Circle(p, {x, y}, 3); }, kGold, kInk, 1);
}

void OutOfBoundsSign(const View& v) {
    // A road sign on a post: "OB" and its penalty.
    Outlined(v, [](P p) { return sdf::Box(p, 90, 112, 104, 143, 2); }, Rgb(0x8890A0), kInk, 2);
    Panel(v, 3, 3, 191, 118, 16, Rgb(0xFFD21E), Rgb(0xF0A000), kInk, 4);
    Shape(v, [](P p) { return std::fabs(sdf::Box(p, 12, 12, 182, 109, 10)) - 2.5f; }, Rgb(0x202020));
    TextStyle ob = Lettering(96, Rgb(0xF03020), Rgb(0xB01010), 4, Face::Latin);
    ob.shadow = Rgb(0x000000, 0.5f);
    ob.shadowDx = 3;
    ob.shadowDy = 3;
    DrawText(v, 16, 14, 162, 70, "OB", ob);
    DrawText(v, 16, 82, 162, 26, "アウト!  1打罰", Lettering(24, Rgb(0x202020), Rgb(0x202020), 0, Face::Rounded));
}

void GiveUp(const View& v) {
    // A white flag waving from a pole, above the word.
    Outlined(v, [](P p) { return sdf::Segment(p, {60, 104}, {78, 4}, 2.5f); }, Rgb(0x9A6A3A), kInk, 1.5f);
    std::vector<P> flag;
    for (int i = 0; i <= 12; ++i) flag.push_back({77 + i * 8.6f, 10 + 5 * std::sin(i * 0.7f) + i * 0.4f});
    for (int i = 12; i >= 0; --i) flag.push_back({69 + i * 9.0f, 60 + 5 * std::sin(i * 0.7f + 0.6f) + i * 0.8f});
    Outlined(v, [&](P p) { return sdf::Polygon(p, flag); }, Linear{{80, 10}, {180, 70}, Rgb(0xF8F8F4), Rgb(0xC8CCD8)}, kInk, 2.5f);
    TextStyle st = Lettering(54, Rgb(0xFFFFFF), Rgb(0xB8C8E8), 4);
    DrawText(v, 4, 98, 245, 52, "ギブアップ…", st);
}

// The outline of a map marker: a bubble with its pointer tip at the right middle, (42.5, 16.5).
float Bubble(P p) {
    return std::min(sdf::Box(p, 1, 1, 33, 32, 8), sdf::Polygon(p, {{30, 9}, {42.6f, 16.5f}, {30, 24}}));
}

void MapIcon(const View& v, int character) {
    Shape(v, [](P p) { return Bubble(p); }, kInk);
    Shape(v, [](P p) { return Bubble(p) + 2; }, CharacterColor(character));
    DrawFace(v, 3, 3.5f, 27, character, FaceLook{kInk, 3.5f});
}

void MapMarker(const View& v) {
    Fill(v, Rgb(0x000000));
    Pixels(v, [](P p) {
        const float d = std::fabs(Bubble(p) + 0.5f);
        const float glow = std::exp(-d * d / 2.5f);
        return Color{glow, glow, glow * 0.6f, 1};
    });
}

void GoalFlag(const View& v) {
    Shape(v, [](P p) { return sdf::Ellipse(p, {27, 39}, 10, 3.5f); }, Rgb(0x101010));
    Outlined(v, [](P p) { return sdf::Segment(p, {27, 39}, {27, 3}, 1.5f); }, Rgb(0xF0F0F0), kInk, 1);
    const std::vector<P> flag{{28.5f, 3}, {55, 9}, {52, 13}, {56, 18}, {28.5f, 22}};
    Outlined(v, [&](P p) { return sdf::Polygon(p, flag); }, Linear{{28, 3}, {56, 22}, Rgb(0xFF5040), Rgb(0xC01818)}, kInk, 1.5f);
}

void MenuFrame(const View& v) {
    // Grid lines only: the labels, faces and totals under it must show through.
    auto lines = [](P p) {
        float d = std::fabs(sdf::Box(p, 2, 2, 323, 145, 6)) - 1.5f;
        d = std::min(d, sdf::Box(p, 2, 45, 323, 48));
        d = std::min(d, sdf::Box(p, 6, 95.5f, 319, 96.5f));
        for (float x : {80.0f, 160.0f, 240.0f}) d = std::min(d, sdf::Box(p, x - 1, 46, x + 1, 145));
        return d;
    };
    Shape(v, [&](P p) { return lines(p) - 1.2f; }, kInk);
    Shape(v, lines, Rgb(0xD8ECFF));
}

}  // namespace

Sheet BuildGameTextSheet() {
    Sheet s("bitmap/GameText.bmp", 1024, 1024, Key::Magenta);
    Cursor(s.Add("cursor", {307, 265, 336, 293}));
    for (int k = 0; k < 3; ++k) StageNamePlate(s.Add("stage name " + std::to_string(k), {2, 491 + 55 * k, 329, 543 + 55 * k}), k);

    TextStyle title = Lettering(56, Rgb(0xFFFFFF), kGold, 4);
    title.shadow = Rgb(0x000000, 0.6f);
    title.shadowDx = 3;
    title.shadowDy = 3;
    DrawText(s.Add("title stage 0", {2, 67, 486, 130}), 4, 2, 476, 59, "駅の大階段をのぼれ!", title);
    DrawText(s.Add("title stage 2", {2, 133, 480, 196}), 4, 2, 470, 59, "教室のゴミ箱をねらえ!", title);
    DrawText(s.Add("title stage 1", {2, 199, 367, 262}), 4, 2, 357, 59, "歩道橋をわたれ!", title);
    TextStyle start = Lettering(56, Rgb(0xFFFFFF), kSky, 4, Face::Rounded);
    start.shadow = Rgb(0x000000, 0.6f);
    start.shadowDx = 3;
    start.shadowDy = 3;
    DrawText(s.Add("intro heading", {2, 2, 407, 64}), 4, 2, 397, 58, "ステージスタート!", start);

    for (int p = 0; p < 4; ++p) {
        // Two halves of one banner; the menu table also cuts its left 71 columns.
        s.pieces.push_back({"banner " + std::to_string(p + 1) + "P upper", {745, 68 + 81 * p, 1000, 107 + 81 * p}});
        s.pieces.push_back({"lower", {745, 107 + 81 * p, 1000, 146 + 81 * p}});
        s.pieces.push_back({"label", {745, 68 + 81 * p, 816, 146 + 81 * p}});
        Banner(View(s.canvas, {745, 68 + 81 * p, 1000, 146 + 81 * p}), p);
    }

    DrawText(s.Add("stroke label", {3, 414, 66, 455}), 1, 1, 61, 39, "打数", Bright(34));
    TextStyle big = Lettering(46, Rgb(0xFFFFFF), Rgb(0xFFD860), 3, Face::Latin);
    TextStyle small = Lettering(22, Rgb(0xFFFFFF), kSky, 2, Face::Latin);
    for (int d = 0; d < 10; ++d) {  // one size for every digit: the widest sets it
        big.size = float(FitSize(std::to_string(d), big, 25, 41));
        small.size = float(FitSize(std::to_string(d), small, 16, 20));
    }
    for (int d = 0; d < 10; ++d) {
        DrawText(s.Add(std::to_string(d), {69 + 28 * d, 412, 94 + 28 * d, 453}), 0, 0, 25, 41, std::to_string(d), big);
        DrawText(s.Add(std::to_string(d), {55 + 19 * d, 458, 71 + 19 * d, 478}), 0, 0, 16, 20, std::to_string(d), small);
    }
    DrawText(s.Add("wind", {2, 458, 52, 478}), 0, 0, 50, 20, "風速", Cool(19, 2));
    Outlined(s.Add(".", {245, 475, 253, 483}), [](P p) { return sdf::Circle(p, {4, 4}, 1.8f); }, Rgb(0xFFFFFF), kInk, 1.5f);
    DrawText(s.Add("m", {245, 458, 263, 472}), 0, 0, 18, 14, "m", Lettering(18, Rgb(0xFFFFFF), kSky, 2, Face::Latin));
    WindPanel(s.Add("wind panel", {245, 312, 363, 399}));

    TextStyle power = Lettering(54, Rgb(0xFFFFFF), Rgb(0xFFC040), 3);
    power.fill2 = Rgb(0xFF6020);
    power.squeeze = 0.5f;  // drawn twice as wide
    power.outlineWidth = 5;
    DrawText(s.Add("full power", {410, 2, 723, 56}), 4, 2, 305, 50, "フルパワー!!", power);
    GiveUp(s.Add("give up", {489, 68, 742, 220}));
    OutOfBoundsSign(s.Add("OB", {2, 265, 196, 409}));

    const struct { Rect r; const char* text; } items[4] = {
        {{473, 291, 567, 330}, "もどる"}, {{473, 375, 674, 414}, "最初からやり直す"},
        {{473, 417, 715, 456}, "ステージをあきらめる"}, {{473, 333, 595, 372}, "タイトルへ"}};
    for (int i = 0; i < 4; ++i) {
        const View v = s.Add("menu " + std::to_string(i), items[i].r);
        DrawText(v, 2, 2, v.w - 4, v.h - 4, items[i].text, Cool(30, 2.5f), Align::Left);
    }
    DrawText(s.Add("table heading", {570, 291, 711, 328}), 2, 1, 137, 35, "スコア", Bright(32));
    for (int n = 0; n < kCharacters; ++n) DrawFaceBadge(s.Add("face " + std::to_string(n), {473 + 68 * n, 223, 538 + 68 * n, 288}), 0, 0, 65, n);
    {
        const View v = s.Add("empty seat", {2, 806, 87, 858});
        Panel(v, 1, 1, 84, 51, 6, Rgb(0x3A4058), Rgb(0x20243A), Rgb(0x7880A0), 2);
        Outlined(v, [](P p) { return sdf::Box(p, 28, 24, 57, 28, 1.5f); }, Rgb(0xA0A8C0), kInk, 1);
    }
    MenuFrame(s.Add("table frame", {2, 656, 327, 803}));
    GoalFlag(s.Add("goal flag", {245, 265, 304, 309}));
    for (int n = 0; n < kCharacters; ++n) MapIcon(s.Add("map icon " + std::to_string(n), {199, 265 + 36 * n, 242, 298 + 36 * n}), n);
    MapMarker(s.Add("map marker", {341, 267, 384, 300}));

    TextStyle clear = Lettering(60, Rgb(0xFFFFFF), Rgb(0xD8D8D8), 4);
    clear.shadow = Rgb(0x000000, 0.7f);
    clear.shadowDx = 3;
    clear.shadowDy = 3;
    DrawText(s.Add("clear", {726, 2, 1020, 65}), 4, 2, 286, 59, "ナイスイン!", clear);
    return s;
}

Sheet BuildDentNotice() {
    Sheet s("bitmap/push.bmp", 512, 256, Key::Magenta);
    static const char* lines[4] = {"缶がベコベコにへこんだ!", "これじゃもう飛ばない…", "新しい缶と交換するよ!", "ペナルティ +1打"};
    static const Color tops[4] = {Rgb(0xFFF4A0), Rgb(0xFFFFFF), Rgb(0xC8F0FF), Rgb(0xFFD0C0)};
    static const Color bottoms[4] = {Rgb(0xFF9A20), Rgb(0xC8D0E0), Rgb(0x40A0FF), Rgb(0xFF4030)};
    for (int i = 0; i < 4; ++i) {
        const View v = s.Add("line " + std::to_string(i), {2, 51 * i + 2, 509, 51 * i + 50});
        TextStyle st = Lettering(44, tops[i], bottoms[i], 4);
        st.shadow = Rgb(0x000000, 0.8f);
        st.shadowDx = 2;
        st.shadowDy = 3;
        DrawText(v, 4, 1, 499, 46, lines[i], st);
    }
    return s;
}

}  // namespace assetgen::pic
