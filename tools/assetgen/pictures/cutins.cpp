// The cut-ins: a 640 x 480 close-up of the character with speed lines, on black (the game adds
// it to the screen, scaling it about (320, 240), and keeps only red for a power shot, so the
// linework is white and bright).
#include <string>

#include "pictures/art.h"
#include "pictures/faces.h"
#include "pictures/sheet.h"

namespace assetgen::pic {

Sheet BuildCutIn(int character) {
    Sheet s("bitmap/Effect" + std::to_string(character + 1) + ".bmp", 1024, 512, Key::None);
    Fill(s.All(), Rgb(0x000000));
    const View v = s.Add("cut-in", {0, 0, 640, 480});
    const P c{320, 240};
    const Color own = CharacterColor(character);
    // A burst of the character's colour and speed lines running out from the centre.
    Pixels(v, [&](P p) {
        const P d = p - c;
        const float r = Len(d), a = std::atan2(d.y, d.x);
        const float glow = 0.55f * std::exp(-r / 260);
        float lines = 0;
        for (int k = 0; k < 3; ++k) {
            const float n = Noise(a * (18 + 11 * k) / kPi + 40 * k, 0.5f, 77 + character * 5 + k, 36 + 22 * k);
            lines = std::max(lines, Smoothstep(0.72f, 0.86f, n));
        }
        lines *= Smoothstep(90, 240, r);
        const Color burst = Scale(Mix(own, Rgb(0xFFFFFF), 0.25f), glow);
        const float white = 0.85f * lines;
        return Color{std::min(1.0f, burst.r + white), std::min(1.0f, burst.g + white), std::min(1.0f, burst.b + white), 1};
    });
    // The face, with a white rim round its outline (drawn first, thick, then covered).
    const float size = 360, fx = c.x - size / 2, fy = c.y - size / 2 + 20;
    DrawFace(v, fx, fy, size, character, FaceLook{Rgb(0xFFFFFF), 5.0f, true});
    DrawFace(v, fx, fy, size, character, FaceLook{Rgb(0x000000), 1.6f, true});
    static const char* shouts[kCharacters] = {"いっけぇー!", "えいっ!", "ナイスショット!", "そりゃあ!"};
    TextStyle st = Lettering(64, Rgb(0xFFFFFF), Rgb(0xFFF0B0), 5);
    st.outline = Mix(own, Rgb(0xFF2000), 0.5f);
    DrawText(v, 20, 16, 600, 80, shouts[character], st);
    return s;
}

}  // namespace assetgen::pic
