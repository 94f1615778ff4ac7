// After the last stage: the score overlay and its iris mask, the credits sheet and logo.
#include <string>

#include "pictures/art.h"
#include "pictures/faces.h"
#include "pictures/sheet.h"

namespace assetgen::pic {

namespace {

struct Medal {
    Color light, dark;
};
const Medal kMedals[3] = {{Rgb(0xFFF2B0), Rgb(0xE0A828)}, {Rgb(0xF4F4F8), Rgb(0xA0A8B8)}, {Rgb(0xFFDCB8), Rgb(0xC07838)}};

void ScoreRow(const View& v, int place) {
    const Medal& m = kMedals[place];
    // A light plate: the game writes the stroke count on it in red at row x 220..330, y 10..22,
    // and lays the face icon over x 120..215.
    Panel(v, 2, 4, 503, 73, 12, Mix(m.light, Rgb(0xFFFFFF), 0.3f), m.light, kInk, 3);
    Shape(v, [](P p) { return sdf::Box(p, 5, 52, 500, 70, 6); }, Scale(m.dark, 0.95f));
    Outlined(v, [](P p) { return sdf::Circle(p, {58, 38}, 32); }, Radial{{50, 28}, 40, m.light, m.dark}, kInk, 3);
    TextStyle st = Lettering(40, Rgb(0xFFFFF4), Rgb(0xF4F0E0), 3);
    DrawText(v, 28, 12, 60, 52, std::to_string(place + 1) + "位", st);
    // Stars on the right, one fewer per place.
    for (int i = 0; i < 3 - place; ++i) {
        const std::vector<P> star = Star({470 - 40.0f * i, 32}, 15, 6.5f, 5);
        Outlined(v, [&](P p) { return sdf::Polygon(p, star); }, Radial{{468 - 40.0f * i, 26}, 18, Rgb(0xFFFBD0), Rgb(0xF8B800)},
                 kInk, 2);
    }
}

}  // namespace

Sheet BuildScoreSheet() {
    Sheet s("bitmap/Score.bmp", 512, 512, Key::White);
    TextStyle head = Lettering(50, Rgb(0xFFF8C0), Rgb(0xF0A020), 4);
    head.shadow = Rgb(0x000000, 0.7f);
    head.shadowDx = 3;
    head.shadowDy = 3;
    DrawText(s.Add("heading", {0, 0, 380, 51}), 4, 1, 372, 49, "結果発表", head);
    {
        const View v = s.Add("winner", {1, 52, 380, 108});
        const std::vector<P> ribbon{{8, 6}, {371, 6}, {360, 28}, {371, 50}, {8, 50}, {19, 28}};
        Outlined(v, [&](P p) { return sdf::Polygon(p, ribbon); }, Linear{{0, 6}, {0, 50}, Rgb(0xF05848), Rgb(0xB01C1C)}, kInk, 3);
        TextStyle st = Lettering(40, Rgb(0xFFFCE8), Rgb(0xFFE060), 3);
        DrawText(v, 30, 7, 319, 42, "優勝おめでとう!", st);
    }
    ScoreRow(s.Add("row 1", {0, 111, 505, 188}), 0);
    ScoreRow(s.Add("row 2", {0, 191, 505, 268}), 1);
    ScoreRow(s.Add("row 3", {0, 271, 505, 348}), 2);
    for (int c = 0; c < kCharacters; ++c) DrawFaceBadge(s.Add("face " + std::to_string(c), {65 * c, 351, 65 * c + 63, 415}), 0, 0.5f, 63, c);
    TextStyle sad = Lettering(44, Rgb(0xD8E8FF), Rgb(0x6C90D8), 4, Face::Rounded);
    DrawText(s.Add("iris caption", {260, 351, 462, 415}), 4, 4, 194, 56, "ざんねん…", sad);
    return s;
}

Sheet BuildIrisMask() {
    // Black outside a disc of radius 50, key white inside it; hard edge, nothing in between.
    Sheet s("bitmap/En.bmp", 512, 512, Key::White);
    const View v = s.Add("iris", {0, 0, 100, 100});
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            const bool inside = Len(P{x + 0.5f, y + 0.5f} - P{50, 50}) < 50;
            v.at(x, y) = inside ? Px{} : Px{0, 0, 0, 1};
        }
    return s;
}

Sheet BuildLogo() {
    // The studio's mark, drawn upright and saved turned clockwise: the credits' flag shows the
    // bitmap turned back counter-clockwise.
    Canvas up(64, 64);
    const View v(up);
    Fill(v, Rgb(0x000000));
    Shape(v, [](P p) { return sdf::Circle(p, {32, 32}, 30); }, Rgb(0xF08A24));
    Shape(v, [](P p) { return sdf::Circle(p, {32, 32}, 27); }, Radial{{26, 22}, 36, Rgb(0xFFF0B0), Rgb(0xF8B040)});
    DrawText(v, 8, 10, 48, 28, "ポメ", Lettering(28, Rgb(0xE03C20), Rgb(0xA02010), 0, Face::Rounded));
    Shape(v, [](P p) { return sdf::Box(p, 11, 39, 53, 53, 4); }, Rgb(0x2A3A80));
    TextStyle st = Lettering(13, Rgb(0xFFFFFF), Rgb(0xE8ECF8), 0, Face::Rounded);
    st.bold = false;
    DrawText(v, 12, 40, 40, 12, "工房", st);
    Sheet s("bitmap/logo.bmp", 64, 64, Key::None);
    s.canvas = RotateClockwise(up);
    s.pieces.push_back({"whole (turned)", {0, 0, 64, 64}});
    return s;
}

Sheet BuildCreditSheet() {
    Sheet s("bitmap/Credit.bmp", 1024, 1024, Key::None);
    Fill(s.All(), Rgb(0x000000));
    TextStyle head = Lettering(60, Rgb(0xFFF4C8), Rgb(0xF0B048), 0);
    const struct { const char* name; Rect r; const char* text; } heads[] = {
        {"rcMain", {2, 2, 578, 77}, "メインプログラム"}, {"rcSub", {2, 80, 545, 155}, "サブプログラム"},
        {"rcSpecial", {2, 158, 494, 232}, "スペシャルサンクス"}, {"rc3D", {2, 235, 402, 311}, "3Dモデル"},
        {"rcMusic", {2, 314, 206, 382}, "音楽"}, {"rcAdviser", {209, 314, 461, 383}, "アドバイザー"}};
    for (const auto& h : heads) {
        const View v = s.Add(h.name, h.r);
        DrawText(v, 4, 4, v.w - 8.0f, v.h - 8.0f, h.text, head);
    }
    // Placeholder staff: invented names, one per credit.
    TextStyle name = Lettering(40, Rgb(0xFFFFFF), Rgb(0xD8E4F4), 0, Face::Rounded);
    const struct { const char* name; Rect r; const char* text; } names[] = {
        {"rcName01", {2, 386, 242, 431}, "空野 缶太郎"}, {"rcName02", {2, 434, 280, 480}, "傘井 はじめ"},
        {"rcName03", {2, 483, 307, 534}, "雨宮 ころも"}, {"rcName04", {2, 537, 214, 588}, "駅前 のぼる"},
        {"rcName05", {2, 591, 243, 637}, "歩道 わたる"}, {"rcName06", {2, 640, 269, 686}, "机 まなぶ"},
        {"rcName07", {2, 689, 322, 735}, "多角 ぽり子"}, {"rcName08", {2, 738, 286, 788}, "屑籠 すてる"},
        {"rcName09", {2, 791, 119, 840}, "鈴 ならす"}, {"rcName10", {122, 791, 291, 840}, "鍵盤 ひびき"},
        {"rcName11", {2, 843, 214, 889}, "相談 のる"}};
    for (const auto& n : names) {
        const View v = s.Add(n.name, n.r);
        DrawText(v, 4, 4, v.w - 8.0f, v.h - 8.0f, n.text, name);
    }
    return s;
}

}  // namespace assetgen::pic
