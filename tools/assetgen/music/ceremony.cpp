// The award ceremony: a B-flat major fanfare at 112 bpm. Trumpets over a brass choir, horns,
// timpani and a marching snare; the last section lifts the tune into the violins and ends on
// F, the fanfare's own upbeat.
#include "music/compose.h"
#include "music/pieces.h"

namespace assetgen::pieces {

using namespace compose;

midi::Song Ceremony() {
    Piece p("vok-g01", 112, 4, -2, false);
    const int trumpet = p.AddPart({"Trumpet", 0, 56, 92, 60, 50});
    const int brass = p.AddPart({"Brass", 1, 61, 78, 40, 50});
    const int horn = p.AddPart({"French Horn", 2, 60, 80, 84, 55});
    const int strings = p.AddPart({"Strings", 3, 48, 78, 70, 60});
    const int tuba = p.AddPart({"Tuba", 4, 58, 74, 56, 40});
    const int timpani = p.AddPart({"Timpani", 5, 47, 90, 64, 50});
    const int drums = p.AddPart({"Drums", midi::kDrumChannel, 0, 100, 64, 45});

    using namespace drum;
    const std::vector<std::pair<int, std::string>> march = {
        {kKick, "x.......x......."},
        {kSnare, "X..o..o.x.o.xooo"},
    };
    const std::vector<std::pair<int, std::string>> roll = {
        {kKick, "x..............."},
        {kSnare, "xoxoxoxoxoxoXoXo"},
    };

    const char* verse =
        "F5:6 D5:2 Bb4:4 D5:4 "
        "C5:4 F5:4 A5:6 F5:2 "
        "G5:6 A5:2 Bb5:4 G5:4 "
        "F5:8 D5:4 F5:4 "
        "G5:4 Bb5:4 Eb6:6 D6:2 "
        "D6:4 Bb5:4 F5:4 Bb5:4 ";

    uint32_t at = 0;
    auto band = [&](const Progression& chords, int bars, bool full) {
        p.Comp(brass, chords, full ? "c-----c-c-----c-" : "c-------c-------", 60, 4, 70, 0.9);
        p.Pad(horn, chords, 55, 2, 60);
        p.Comp(strings, chords, "0.1.2.3.0.1.2.3.", 67, 4, full ? 60 : 50, 0.8);
        p.Bass(tuba, chords, "1---5---1---5---", 34, 84, 0.8);
        p.Bass(timpani, chords, "1.......5.......", 41, 80, 0.5);
        p.Drums(drums, at, bars - 1, march, 74);
        p.Drums(drums, at + p.Bars(bars - 1), 1, roll, 74);
        p.Hit(drums, at, 480, kCrash, 96);
    };

    // The fanfare call.
    {
        const Progression chords = p.Chords(at, "Bb Eb/Bb Bb F7");
        p.Line(trumpet, at, 4,
               "Bb4:2 Bb4:1 Bb4:1 D5:4 F5:4 Bb5:4 "
               "G5:4 Eb5:4 G5:2 Bb5:6 "
               "F5:2 F5:1 F5:1 D5:4 Bb4:4 D5:4 "
               "C5:4 F5:4 A5:8",
               100, 0, 0.85);
        p.Comp(brass, chords, "c-.cc---c-.cc---", 58, 4, 84, 0.85);
        p.Pad(horn, chords, 55, 2, 66);
        p.Bass(tuba, chords, "1-.11---1-.11---", 34, 90, 0.8);
        p.Drums(timpani, at, 3, {{41, "x...x...x...x..."}}, 84);  // timpani on F
        p.Drums(timpani, at + p.Bars(3), 1, {{41, "xxxxxxxxxxxxxxxx"}}, 70);
        p.Drums(drums, at, 3, march, 74);
        p.Drums(drums, at + p.Bars(3), 1, roll, 76);
        p.Hit(drums, at, 480, kCrash, 100);
        at += p.Bars(4);
    }
    // The tune.
    {
        p.Line(trumpet, at, 8,
               std::string(verse) + "C6:4 Bb5:2 G5:2 Eb5:4 G5:4 F5:8 A5:4 C6:4", 94, 0, 0.9);
        band(p.Chords(at, "Bb F/A Gm Dm Eb Bb/D Cm7 F7"), 8, false);
        at += p.Bars(8);
    }
    // The procession.
    {
        p.Line(trumpet, at, 8,
               "Bb5:4 G5:4 Eb5:4 G5:4 "
               "A5:4 F5:4 C5:4 F5:4 "
               "D6:6 C6:2 A5:4 F5:4 "
               "G5:8 Bb5:4 D6:4 "
               "Eb6:4 D6:2 C6:2 Bb5:4 G5:4 "
               "A5:4 C6:4 F6:8 "
               "F6:4 D6:4 Eb6:4 Bb5:4 "
               "C6:4 A5:4 F5:4 Eb5:4",
               96, 0, 0.9);
        band(p.Chords(at, "Eb F Dm Gm Cm7 F Bb/D:8 Eb:8 F7"), 8, true);
        at += p.Bars(8);
    }
    // The tune again, now closing on the tonic.
    {
        p.Line(trumpet, at, 8, std::string(verse) + "Eb6:4 C6:4 C6:4 A5:4 Bb5:12 r:4", 96, 0,
               0.9);
        band(p.Chords(at, "Bb F/A Gm Dm Eb Bb/D Cm7:8 F7:8 Bb"), 8, true);
        at += p.Bars(8);
    }
    // The grand strain: violins take the tune up high, trumpets an octave below.
    {
        const char* grand =
            "G5:2 Bb5:2 Eb6:8 D6:2 C6:2 "
            "D6:6 Bb5:2 F5:8 "
            "Eb6:4 D6:2 C6:2 G5:4 C6:4 "
            "Bb5:8 D6:4 F6:4 "
            "G6:6 F6:2 Eb6:4 Bb5:4 "
            "F6:6 Eb6:2 C6:4 A5:4 "
            "D6:4 Bb5:4 Bb5:4 G5:4 "
            "A5:4 C6:4 F6:8";
        p.Line(strings, at, 8, grand, 88, 0, 0.95);
        p.Line(trumpet, at, 8, grand, 92, -12, 0.9);
        const Progression chords = p.Chords(at, "Eb Bb/D Cm Bb Eb F Gm:8 Eb:8 F");
        p.Comp(brass, chords, "c-----c-c-----c-", 60, 4, 74, 0.9);
        p.Pad(horn, chords, 55, 2, 64);
        p.Bass(tuba, chords, "1---5---1---5---", 34, 86, 0.8);
        p.Bass(timpani, chords, "1.......5.......", 41, 84, 0.5);
        p.Drums(drums, at, 7, march, 76);
        p.Drums(drums, at + p.Bars(7), 1, roll, 80);
        p.Hit(drums, at, 480, kCrash, 100);
        p.Hit(drums, at + p.Bars(4), 480, kCrash, 92);
        at += p.Bars(8);
    }
    return p.Finish(at);
}

}  // namespace assetgen::pieces
