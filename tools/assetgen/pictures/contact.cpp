#include "pictures/sheet.h"
#include "pictures/text.h"

namespace assetgen::pic {

Image ContactSheet(const Sheet& sheet, const Image& flat) {
    const int side = std::max(flat.w, flat.h);
    const int k = side >= 1024 ? 2 : std::clamp(1024 / std::max(side, 1), 1, 8);
    Canvas c(flat.w * k, flat.h * k);
    const Rgb8 key = KeyColor(sheet.key);
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            const Rgb8 p = flat.at(x / k, y / k);
            if (sheet.key != Key::None && p == key) {
                const float g = ((x / 8 + y / 8) % 2) ? 0.30f : 0.40f;
                c.at(x, y) = {g, g * 0.9f, g, 1};
            } else {
                c.at(x, y) = {p.r / 255.0f, p.g / 255.0f, p.b / 255.0f, 1};
            }
        }
    static const Color marks[] = {Rgb(0x00FFFF), Rgb(0xFFFF00), Rgb(0x40FF40), Rgb(0xFF8020)};
    const View all(c);
    for (size_t i = 0; i < sheet.pieces.size(); ++i) {
        const Rect& r = sheet.pieces[i].r;
        const Color m = marks[i % 4];
        const float l = float(r.l * k) - 1, t = float(r.t * k) - 1, rr = float(r.r * k), b = float(r.b * k);
        FillRect(all, l, t, rr + 1, t + 1, m);
        FillRect(all, l, b, rr + 1, b + 1, m);
        FillRect(all, l, t, l + 1, b + 1, m);
        FillRect(all, rr, t, rr + 1, b + 1, m);
        TextStyle st;
        st.size = 11;
        st.bold = false;
        st.fill = m;
        const Canvas label = RenderText(sheet.pieces[i].name, st);
        const float lx = l + 2, ly = t + 2;
        FillRect(all, lx - 1, ly - 1, lx + label.w + 1, ly + label.h + 1, Rgb(0x000000, 0.7f));
        Draw(all, label, lx, ly, float(label.w), float(label.h));
    }
    return Flatten(c, Key::None);
}

}  // namespace assetgen::pic
