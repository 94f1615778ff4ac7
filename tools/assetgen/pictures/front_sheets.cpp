// The title and set-up screens: the front-end sheet, the text box, the two mode boards.
#include <string>

#include "pictures/art.h"
#include "pictures/faces.h"
#include "pictures/sheet.h"

namespace assetgen::pic {

namespace {

// Menu and panel lettering: light, outlined, in the rounded face the game's own texts use.
TextStyle MenuStyle(float size) { return Lettering(size, Rgb(0xFFFFFF), Rgb(0xCDEBFF), 3, Face::Rounded); }

// Headings: warm gradient, thick outline, bold gothic.
TextStyle HeadingStyle(float size) { return Lettering(size, Rgb(0xFFF4A0), kOrange, 4); }

void Logo(const View& v) {
    // A sunny oval badge: the can and the umbrella behind the name, a ribbon below.
    const P c{125.5f, 58};
    Shape(v, [&](P p) { return sdf::Ellipse(p, c, 118, 52); }, kInk);
    Shape(v, [&](P p) { return sdf::Ellipse(p, c, 113, 47); }, Radial{{110, 30}, 130, Rgb(0xFFF2A8), Rgb(0xFFA828)});
    Shape(v, [&](P p) { return std::fabs(sdf::Ellipse(p, c, 104, 39)) - 1.2f; }, Rgb(0xFFFFFF, 0.85f));
    DrawUmbrella(v, {46, 15}, 48, -0.5f, Rgb(0x3C8CF0), Rgb(0xF8F8F4));
    DrawCan(v, {208, 42}, 40, 0.35f, Rgb(0xE84030), Rgb(0xF8F4E8));
    TextStyle name = Lettering(60, Rgb(0xFFFFFF), Rgb(0xFFE27A), 4, Face::Latin);
    name.shadow = Rgb(0x7A3000, 0.9f);
    name.shadowDx = 2;
    name.shadowDy = 3;
    DrawText(v, 20, 22, 211, 64, "Pomelane", name);
    // Ribbon with the game's kind in Japanese.
    const std::vector<P> ribbon{{36, 96}, {215, 96}, {226, 110}, {215, 124}, {36, 124}, {25, 110}};
    Outlined(v, [&](P p) { return sdf::Polygon(p, ribbon); }, Rgb(0xE8402E), kInk, 2.5f);
    DrawText(v, 40, 98, 171, 24, "空き缶ゴルフ", Lettering(22, Rgb(0xFFFFFF), Rgb(0xFFE8E0), 2, Face::Rounded));
}

// A musical note, white so that the game's green tint shows.
void Note(const View& v) {
    auto shape = [](P p) {
        float d = sdf::Ellipse(p, {11, 36}, 8.5f, 6.5f);
        d = std::min(d, sdf::Box(p, 16.5f, 6, 20, 36, 0.5f));
        d = std::min(d, sdf::Polygon(p, {{16.5f, 5}, {30, 16}, {29, 25}, {20, 15}}));
        return d;
    };
    Outlined(v, shape, Rgb(0xF4F4F4), Rgb(0x202020), 2);
}

void Arrow(const View& v) {
    const std::vector<P> tri{{4, 4}, {21, 23.5f}, {4, 43}};
    Outlined(v, [&](P p) { return sdf::Polygon(p, tri); }, Linear{{0, 4}, {0, 43}, Rgb(0xFFF6A0), kOrange}, kInk, 2.5f);
}

// The parameter panel is drawn squashed to 0.7 of its height; its pictures are drawn taller
// by the inverse so that they look right on screen.
constexpr float kSquash = 0.7f;

std::vector<P> PipStar(P c) { return Stretch(Star(c, 14, 6.5f, 5), c, 1, 1 / kSquash); }

void ParameterPanel(const View& v) {
    Panel(v, 0, 0, 403, 175, 10, Rgb(0x20306C, 0.92f), Rgb(0x101838, 0.92f), Rgb(0xCFE6FF), 3);
    static const char* labels[4] = {"パワー", "コントロール", "パワーショット", "ラック"};
    for (int k = 0; k < 4; ++k) {
        const float top = 6 + 44.0f * k, bottom = 38 + 44.0f * k;
        if (k) FillRect(v, 10, top - 4, 393, top - 3, Rgb(0x5070B0));
        TextStyle st = MenuStyle(30);
        st.squeeze = kSquash;
        st.outlineWidth = 2;
        DrawText(v, 8, top, 150, bottom - top, labels[k], st, Align::Left);
        for (int j = 0; j < 5; ++j) {
            const std::vector<P> star = PipStar({191 + 43.0f * j, (top + bottom) / 2});
            Shape(v, [&](P p) { return sdf::Polygon(p, star) - 1; }, Rgb(0x080C1C));
            Shape(v, [&](P p) { return std::fabs(sdf::Polygon(p, star) + 0.5f) - 1; }, Rgb(0x6078B0));
        }
    }
}

void Pip(const View& v) {
    const std::vector<P> star = PipStar({28, 16});
    Outlined(v, [&](P p) { return sdf::Polygon(p, star); }, Radial{{25, 10}, 18, Rgb(0xFFFBD0), Rgb(0xFFB400)}, kInk, 2);
}

void Badge(const View& v, float w, float h, const std::string& text, Color color) {
    Panel(v, 1, 1, w - 1, h - 1, h * 0.3f, Mix(color, Rgb(0xFFFFFF), 0.35f), Mix(color, Rgb(0x000000), 0.15f), kInk, 2.5f);
    DrawText(v, 4, 3, w - 8, h - 6, text, Lettering(h, Rgb(0xFFFFFF), Rgb(0xF0F0F0), 2.5f));
}

}  // namespace

Sheet BuildSelectSheet() {
    Sheet s("bitmap/Select.bmp", 1024, 1024, Key::Magenta);
    Logo(s.Add("logo", {221, 151, 472, 282}));
    // Title lettering: the mascot icons wobble over the left part of the first line.
    TextStyle title = Lettering(76, Rgb(0xFFFFFF), kGold, 4);
    title.shadow = Rgb(0x602000, 0.9f);
    title.shadowDx = 3;
    title.shadowDy = 3;
    DrawText(s.Add("title line 1", {2, 80, 402, 148}), 150, 2, 246, 64, "ポメレーン", title, Align::Left);
    TextStyle sub = Lettering(58, Rgb(0xFFFFFF), kSky, 4, Face::Rounded);
    sub.shadow = Rgb(0x002040, 0.9f);
    sub.shadowDx = 3;
    sub.shadowDy = 3;
    DrawText(s.Add("title line 2", {156, 2, 491, 70}), 4, 2, 327, 64, "～空き缶ゴルフ～", sub);
    DrawCan(s.Add("icon can", {2, 2, 77, 77}), {37.5f, 38}, 60, 0.3f, Rgb(0xE84030), Rgb(0xF8F4E8));
    DrawUmbrella(s.Add("icon umbrella", {80, 2, 153, 77}), {40, 6}, 58, 0.25f, Rgb(0xF06CA8), Rgb(0xF8F8F4));

    const struct { Rect r; const char* text; } menu[4] = {
        {{2, 151, 130, 191}, "スタート"}, {{2, 238, 160, 279}, "オプション"},
        {{2, 282, 159, 323}, "クレジット"}, {{2, 326, 100, 367}, "おわる"}};
    for (int i = 0; i < 4; ++i) {
        const View v = s.Add(std::string("menu ") + std::to_string(i), menu[i].r);
        DrawText(v, 2, 2, v.w - 4, v.h - 4, menu[i].text, MenuStyle(34));
    }
    Note(s.Add("note", {988, 16, 1021, 62}));

    const View players = s.Add("players panel", {221, 285, 414, 478});
    for (int n = 0; n < 4; ++n) {
        TextStyle st = MenuStyle(36);
        st.fill = Mix(PlayerColor(n), Rgb(0xFFFFFF), 0.75f);
        DrawText(players, 4, 49.0f * n + 2, 185, 42, std::to_string(n + 1) + "人プレイ", st);
    }

    DrawText(s.Add("option music", {667, 374, 758, 420}), 2, 2, 87, 42, "音楽", MenuStyle(36), Align::Left);
    DrawText(s.Add("option full screen", {667, 423, 954, 467}), 2, 2, 283, 40, "フルスクリーン", MenuStyle(36), Align::Left);
    {
        // An inward-pointing mark; the game turns it round for the other side.
        const View v = s.Add("value mark", {761, 376, 786, 420});
        const std::vector<P> tri{{5, 9}, {20, 22}, {5, 35}};
        Outlined(v, [&](P p) { return sdf::Polygon(p, tri); }, Linear{{0, 9}, {0, 35}, Rgb(0xFFF6A0), kOrange}, kInk, 2.5f);
    }
    DrawText(s.Add("value on", {789, 376, 876, 420}), 2, 2, 83, 40, "オン", MenuStyle(36));
    DrawText(s.Add("value off", {879, 376, 965, 420}), 2, 2, 82, 40, "オフ", MenuStyle(36));

    // Headings: each screen's own word ends short of the shared "セレクト" (screen x 350) by the
    // 20 px its sway carries it right, so the two words never touch.
    DrawText(s.Add("heading select", {689, 2, 830, 64}), 2, 2, 137, 58, "セレクト", Lettering(48, Rgb(0xFFFFFF), kSky, 4));
    TextStyle narrow = HeadingStyle(48);
    narrow.squeeze = 0.62f;
    DrawText(s.Add("heading character", {494, 2, 686, 63}), 2, 2, 144, 57, "キャラクター", narrow, Align::Right);
    DrawText(s.Add("heading mode", {547, 67, 746, 135}), 2, 2, 154, 64, "モード", HeadingStyle(54), Align::Right);
    DrawText(s.Add("heading stage", {749, 67, 1016, 137}), 2, 2, 204, 66, "ステージ", HeadingStyle(56), Align::Right);

    ParameterPanel(s.Add("parameter panel", {475, 140, 878, 315}));
    Pip(s.Add("pip", {860, 2, 916, 34}));
    for (int p = 0; p < 4; ++p) {
        const View v = s.Add("choosing " + std::to_string(p + 1) + "P", {475, 374 + 42 * p, 664, 413 + 42 * p});
        TextStyle st = Lettering(30, Mix(PlayerColor(p), Rgb(0xFFFFFF), 0.55f), PlayerColor(p), 3, Face::Rounded);
        DrawText(v, 2, 2, 185, 35, std::to_string(p + 1) + "Pのキャラを選択", st);
    }
    DrawText(s.Add("human", {881, 197, 975, 237}), 2, 2, 90, 36, "人間", MenuStyle(34));
    DrawText(s.Add("computer", {881, 239, 975, 279}), 2, 2, 90, 36, "CPU", Lettering(34, Rgb(0xFFFFFF), Rgb(0xFFD0A0), 3, Face::Rounded));
    for (int p = 0; p < 4; ++p) {
        const View v = s.Add(std::to_string(p + 1) + "P", {860 + 32 * p, 37, 889 + 32 * p, 62});
        DrawText(v, 0, 0, 29, 25, std::to_string(p + 1) + "P",
                 Lettering(24, Mix(PlayerColor(p), Rgb(0xFFFFFF), 0.5f), PlayerColor(p), 2));
    }
    for (int c = 0; c < kCharacters; ++c) DrawFaceBadge(s.Add("face " + std::to_string(c), {771 + 36 * c, 318, 804 + 36 * c, 351}), 0, 0, 33, c);
    for (int p = 0; p < 4; ++p)
        Badge(s.Add("mark " + std::to_string(p + 1) + "P", {475 + 74 * p, 318, 546 + 74 * p, 371}), 71, 53,
              std::to_string(p + 1) + "P", PlayerColor(p));
    DrawText(s.Add("taken", {881, 140, 983, 194}), 4, 2, 96, 50, "が使用中", MenuStyle(30), Align::Left);
    Arrow(s.Add("arrow", {833, 2, 857, 49}));
    return s;
}

Sheet BuildSellBox() {
    // A navy message box; everything else stays pure white, the key.
    Sheet s("bitmap/Sell.bmp", 256, 128, Key::White);
    const View v = s.Add("box", {0, 0, 206, 111});
    Panel(v, 0, 0, 206, 111, 14, Rgb(0x1E3470), Rgb(0x0C1638), Rgb(0xDCEAFF), 3);
    Shape(v, [](P p) { return std::fabs(sdf::Box(p, 6, 6, 200, 105, 9)) - 0.6f; }, Rgb(0x6C88C8));
    return s;
}

Sheet BuildModeBoard(int mode) {
    Sheet s(mode ? "bitmap/Round.bmp" : "bitmap/Stage.bmp", 512, 256, Key::None);
    // The board shows 300 x 200; two more pixels of its edge colour keep filtering clean.
    const Color edge = Rgb(0x141826);
    Fill(s.All(), Rgb(0x000000));
    FillRect(s.All(), 0, 0, 302, 202, edge);
    const View v = s.Add("board", {0, 0, 300, 200});
    const Color top = mode ? Rgb(0xFFB45A) : Rgb(0x7CD8FF), bottom = mode ? Rgb(0xD0481E) : Rgb(0x2A70D0);
    Panel(v, 0, 0, 300, 200, 0, top, bottom, edge, 4);
    Shape(v, [](P p) { return std::fabs(sdf::Box(p, 10, 10, 290, 190, 10)) - 1.5f; }, Rgb(0xF8F8F4));
    TextStyle name = Lettering(58, Rgb(0xFFFFFF), Rgb(0xFFF0B0), 4);
    name.shadow = Rgb(0x000000, 0.5f);
    name.shadowDx = 2;
    name.shadowDy = 3;
    DrawText(v, 18, 96, 264, 60, mode ? "ミッション" : "フリープレイ", name);
    DrawText(v, 18, 154, 264, 28, mode ? "全ステージに挑戦!" : "好きなステージで遊ぶ",
             Lettering(24, Rgb(0xFFFFFF), Rgb(0xF0F0F0), 2.5f, Face::Rounded));
    if (mode == 0) {
        DrawCan(v, {150, 54}, 64, 0.25f, Rgb(0xE84030), Rgb(0xF8F4E8));
        Shape(v, [](P p) { return sdf::Ring(p, {150, 54}, 42, 2); }, Rgb(0xFFF6A0));
    } else {
        for (int i = 0; i < 3; ++i) {
            const float x = 80 + 70.0f * i;
            Outlined(v, [&](P p) { return sdf::Circle(p, {x, 54}, 24); }, Rgb(0xFFF6A0), kInk, 3);
            DrawText(v, x - 20, 32, 40, 44, std::to_string(i + 1), Lettering(40, Rgb(0xE84030), Rgb(0xB02010), 0));
            if (i < 2) {
                const std::vector<P> tri{{x + 30, 46}, {x + 40, 54}, {x + 30, 62}};
                Outlined(v, [&](P p) { return sdf::Polygon(p, tri); }, Rgb(0xFFFFFF), kInk, 2);
            }
        }
    }
    return s;
}

}  // namespace assetgen::pic
