// The station stairs: A minor city funk at 128 bpm. A vibraphone departure jingle opens it, as
// a platform melody would; slap bass, clavinet and sixteenth hats keep the crowd moving; an alto
// sax carries the tune and the brass takes the last word before the jingle comes round again.
#include "music/compose.h"
#include "music/pieces.h"

namespace assetgen::pieces {

using namespace compose;

midi::Song Station() {
    Piece p("town1", 128, 4, 0, true);
    const int sax = p.AddPart({"Alto Sax", 0, 65, 88, 60, 40});
    const int vibes = p.AddPart({"Vibraphone", 1, 11, 110, 88, 55});
    const int brass = p.AddPart({"Brass", 2, 61, 80, 44, 40});
    const int clav = p.AddPart({"Clavinet", 3, 7, 80, 84, 20});
    const int keys = p.AddPart({"Electric Piano", 4, 4, 66, 40, 50, 30});
    const int bass = p.AddPart({"Slap Bass", 5, 36, 90, 64, 10});
    const int drums = p.AddPart({"Drums", midi::kDrumChannel, 0, 96, 64, 25});

    using namespace drum;
    const std::vector<std::pair<int, std::string>> groove = {
        {kKick, "x.....x...x..x.."},
        {kSnare, "....x..o.o..x..o"},
        {kClosedHat, "xoxoxoxoxoxoxo.o"},
        {kOpenHat, "..............x."},
    };
    const std::vector<std::pair<int, std::string>> lightGroove = {
        {kKick, "x.........x....."},
        {kSideStick, "....x.......x..."},
        {kClosedHat, "xoxoxoxoxoxoxoxo"},
    };
    const std::vector<std::pair<int, std::string>> fill = {
        {kKick, "x.....x........."},
        {kSnare, "....x..o.oxxXxXX"},
        {kClosedHat, "xoxoxoxo........"},
    };
    const char* slap = "1..8..1.5.18..8.";
    const char* clavComp = ".c..c..c.c..c..c";

    const char* jingle =
        "E5:2 A5:2 C6:2 E6:2 D6:4 C6:2 B5:2 "
        "A5:2 F#5:2 A5:2 C6:2 D6:8 "
        "E5:2 A5:2 C6:2 E6:2 G6:4 E6:2 D6:2 "
        "C6:2 A5:2 F#5:2 A5:2 D6:4 r:4";
    const char* verseChords =
        "Am7:8 D7:8 Am7:8 D7:8 Fmaj7:8 E7:8 Am7 Dm7:8 G7:8 Cmaj7:8 Fmaj7:8 Bm7b5:8 E7:8 Am7";
    const char* verse =
        "r:2 E5:2 G5:2 A5:2 C6:3 A5:1 F#5:2 A5:2 "
        "G5:2 E5:2 r:2 A5:2 C6:2 D6:4 r:2 "
        "E6:3 C6:1 A5:2 F5:2 G#5:3 B5:1 D6:4 "
        "C6:6 B5:2 A5:4 r:4 "
        "F5:2 A5:2 C6:2 D6:2 F6:3 D6:1 B5:4 "
        "E6:4 G6:2 E6:2 A6:3 F6:1 E6:4 "
        "D6:2 B5:2 A5:2 F5:2 G#5:2 B5:2 D6:2 E6:2 "
        "C6:2 B5:2 A5:8 r:4";

    uint32_t at = 0;
    auto rhythm = [&](const Progression& chords, int bars, bool light) {
        p.Bass(bass, chords, slap, 33, 92, 0.6);
        p.Comp(clav, chords, clavComp, 62, 3, 70, 0.4);
        p.Pad(keys, chords, 60, 4, 50);
        p.Drums(drums, at, bars - 1, light ? lightGroove : groove, 84);
        p.Drums(drums, at + p.Bars(bars - 1), 1, fill, 86);
    };

    // The departure jingle.
    {
        const Progression chords = p.Chords(at, "Am7 D7 Am7 D7");
        p.Line(vibes, at, 4, jingle, 92);
        rhythm(chords, 4, true);
        p.Hit(drums, at, 240, kCrash, 96);
        at += p.Bars(4);
    }
    // Verse twice: the sax alone, then with vibes above and brass stabs.
    for (int pass = 0; pass < 2; ++pass) {
        const Progression chords = p.Chords(at, verseChords);
        p.Line(sax, at, 8, verse, 92, -12);
        if (pass == 1) {
            p.Line(vibes, at, 8, verse, 64);
            p.Comp(brass, chords, "......c-.....c..", 64, 4, 78, 0.6);
        }
        rhythm(chords, 8, false);
        p.Hit(drums, at, 240, kCrash, 92);
        at += p.Bars(8);
    }
    // Up the stairs: the tune climbs over a brighter progression.
    {
        const Progression chords = p.Chords(at, "Fmaj7 G6 Em7 Am7 Fmaj7 G Esus4 E7");
        p.Line(sax, at, 8,
               "A5:4 C6:4 E6:4 C6:4 "
               "D6:4 B5:4 G5:4 B5:2 D6:2 "
               "E6:6 D6:2 B5:4 G5:4 "
               "A5:6 G5:2 E5:4 C6:4 "
               "F6:4 E6:2 C6:2 A5:4 C6:4 "
               "D6:4 G6:4 F6:2 E6:2 D6:4 "
               "A5:4 B5:4 E6:8 "
               "G#5:4 B5:4 D6:4 E6:4",
               90, -12, 0.95);
        p.Comp(brass, chords, "c-------........", 62, 4, 64, 0.9);
        rhythm(chords, 8, false);
        p.Hit(drums, at, 240, kCrash, 92);
        at += p.Bars(8);
    }
    // Break: the jingle again over the bare groove.
    {
        const Progression chords = p.Chords(at, "Am7 D7 Am7 D7");
        p.Line(vibes, at, 4, jingle, 88);
        rhythm(chords, 4, true);
        at += p.Bars(4);
    }
    // The verse once more.
    {
        const Progression chords = p.Chords(at, verseChords);
        p.Line(sax, at, 8, verse, 94, -12);
        p.Comp(brass, chords, "......c-.....c..", 64, 4, 78, 0.6);
        rhythm(chords, 8, false);
        p.Hit(drums, at, 240, kCrash, 92);
        at += p.Bars(8);
    }
    // The brass has the last word; E7 turns back to the jingle's A minor.
    {
        const Progression chords = p.Chords(at, "Fmaj7 E7 Am7 Am7/G Fmaj7 Em7 Dm7 E7");
        const char* shout =
            "C6:2 A5:2 C6:2 E6:4 C6:2 A5:4 "
            "B5:2 G#5:2 B5:2 D6:4 B5:2 G#5:4 "
            "A5:2 C6:2 E6:2 G6:6 E6:4 "
            "E6:8 r:8 "
            "F6:4 E6:4 C6:4 A5:4 "
            "G6:4 E6:4 B5:4 G5:4 "
            "A5:4 C6:4 F6:4 D6:4 "
            "E6:4 D6:4 B5:4 G#5:4";
        p.Line(brass, at, 8, shout, 92, -12, 0.8);
        p.Line(sax, at, 8, shout, 70, -12, 0.8);
        rhythm(chords, 8, false);
        p.Hit(drums, at, 240, kCrash, 96);
        at += p.Bars(8);
    }
    return p.Finish(at);
}

}  // namespace assetgen::pieces
