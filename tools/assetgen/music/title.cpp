// The title theme: C major pop at 152 bpm. A brass-and-bells hook, a verse that climbs, a
// softer bridge and a chorus; the turnaround's fill runs straight back into the hook.
#include "music/compose.h"
#include "music/pieces.h"

namespace assetgen::pieces {

using namespace compose;

midi::Song Title() {
    Piece p("Opening2", 152, 4, 0, false);
    const int lead = p.AddPart({"Lead", 0, 80, 50, 64, 40, 20});
    const int bells = p.AddPart({"Glockenspiel", 1, 9, 120, 84, 50});
    const int brass = p.AddPart({"Brass", 2, 61, 82, 44, 45});
    const int piano = p.AddPart({"Piano", 3, 1, 78, 80, 35});
    const int strings = p.AddPart({"Strings", 4, 48, 72, 36, 60});
    const int bass = p.AddPart({"Bass", 5, 33, 92, 64, 10});
    const int drums = p.AddPart({"Drums", midi::kDrumChannel, 0, 100, 64, 30});

    using namespace drum;
    const std::vector<std::pair<int, std::string>> verseBeat = {
        {kKick, "x.....x.x...x..."},
        {kSnare, "....x.......x..."},
        {kClosedHat, "x.x.x.x.x.x.x.x."},
    };
    const std::vector<std::pair<int, std::string>> chorusBeat = {
        {kKick, "x...x...x...x..."},
        {kSnare, "....x..o....x..o"},
        {kClosedHat, "xoxoxoxoxoxoxoxo"},
        {kTambourine, "....x.......x..."},
    };
    const std::vector<std::pair<int, std::string>> bridgeBeat = {
        {kKick, "x.......x.x....."},
        {kSnare, "....x.......x..."},
        {kRide, "x.x.x.x.x.x.x.x."},
    };
    const std::vector<std::pair<int, std::string>> fill = {
        {kKick, "x.......x......."},
        {kSnare, "x.x.x.x.xxxx...."},
        {kHighTom, "............x.x."},
        {kMidTom, ".............x.x"},
    };

    uint32_t at = 0;

    // Hook: the riff over brass hits.
    {
        const Progression chords = p.Chords(at, "C F/C G/C G7");
        p.Line(lead, at, 4,
               "G5:2 C6:2 E6:2 G6:2 r:2 E6:2 G6:4 "
               "A6:4 F6:2 C6:2 r:4 A5:4 "
               "B5:2 D6:2 G6:4 F6:2 E6:2 D6:4 "
               "D6:4 B5:4 G5:4 r:4",
               92, -12);
        p.Line(bells, at, 4,
               "G5:2 C6:2 E6:2 G6:2 r:2 E6:2 G6:4 "
               "A6:4 F6:2 C6:2 r:4 A5:4 "
               "B5:2 D6:2 G6:4 F6:2 E6:2 D6:4 "
               "D6:4 B5:4 G5:4 r:4",
               70);
        p.Comp(brass, chords, "c-.c-.c-..c-c-..", 64, 4, 84, 0.8);
        p.Pad(strings, chords, 60, 4, 52);
        p.Bass(bass, chords, "1-.1-.1-..1-1-5-", 36, 92);
        p.Drums(drums, at, 3, {{kKick, "x..x..x...x.x..."}, {kClosedHat, "x.x.x.x.x.x.x.x."},
                               {kSnare, "....x.......x..."}}, 88);
        p.Drums(drums, at + p.Bars(3), 1, fill, 88);
        p.Hit(drums, at, 240, kCrash, 100);
        at += p.Bars(4);
    }

    const char* verseChords = "C G/B Am Em/G F C/E Dm7 G7";
    const char* verse =
        "E5:2 G5:2 C6:4 B5:2 C6:2 G5:4 "
        "D6:2 C6:2 B5:2 G5:2 D5:4 r:4 "
        "C6:2 B5:2 A5:4 E5:2 A5:2 C6:4 "
        "B5:6 G5:2 E5:4 r:4 "
        "A5:2 C6:2 F6:4 E6:2 D6:2 C6:4 "
        "G5:2 C6:2 E6:4 D6:2 C6:2 G5:4 "
        "F5:2 A5:2 D6:4 C6:2 A5:2 F5:2 A5:2 "
        "G5:8 B5:4 D6:4";
    auto verseBand = [&](const Progression& chords, bool second) {
        p.Comp(piano, chords, "c..c..c.c..c..c.", 57, 4, 66, 0.7);
        p.Pad(strings, chords, 60, 3, second ? 56 : 46);
        p.Bass(bass, chords, "1-1-5-1-1-1-5-8-", 36, 90);
        p.Drums(drums, at, 7, verseBeat, 84);
        p.Drums(drums, at + p.Bars(7), 1,
                {{kKick, "x.....x.x......."}, {kSnare, "....x.......xoxx"},
                 {kClosedHat, "x.x.x.x.x.x....."}},
                84);
        p.Hit(drums, at, 240, kCrash, 92);
    };

    // Verse.
    {
        const Progression chords = p.Chords(at, verseChords);
        p.Line(lead, at, 8, verse, 90, -12);
        verseBand(chords, false);
        at += p.Bars(8);
    }
    // Verse again, climbing higher and turning towards F.
    {
        const Progression chords = p.Chords(at, "C G/B Am Em/G F G C C7");
        p.Line(lead, at, 8,
               "E5:2 G5:2 C6:4 B5:2 C6:2 E6:4 "
               "D6:3 D6:1 B5:2 G5:2 B5:4 r:4 "
               "C6:2 B5:2 A5:4 C6:2 E6:2 A6:4 "
               "G6:4 E6:2 D6:2 B5:4 G5:4 "
               "A5:2 C6:2 F6:4 E6:2 D6:2 C6:2 A5:2 "
               "B5:2 D6:2 G6:4 F6:2 E6:2 D6:4 "
               "E6:6 D6:2 C6:4 G5:4 "
               "C6:6 r:2 E5:2 G5:2 Bb5:4",
               92, -12);
        p.Comp(brass, p.Chords(at + p.Bars(4), "F G C C7"), "........c-.c-...", 62, 4, 70,
               0.8);
        verseBand(chords, true);
        at += p.Bars(8);
    }
    // Bridge: softer, strings and piano arpeggios, ride cymbal.
    {
        const Progression chords = p.Chords(at, "F G Em7 Am Dm7 G E7 Am");
        p.Line(lead, at, 8,
               "A5:4 C6:4 A5:4 F5:4 "
               "G5:4 B5:4 D6:6 r:2 "
               "E6:4 D6:2 B5:2 G5:4 E5:4 "
               "A5:12 r:4 "
               "F5:2 A5:2 C6:2 D6:2 F6:4 E6:2 D6:2 "
               "D6:4 B5:4 G5:4 B5:4 "
               "G#5:4 B5:4 D6:4 E6:4 "
               "C6:2 B5:2 A5:4 E6:4 r:4",
               84, -12, 0.95);
        p.Comp(piano, chords, "0123012301230123", 60, 4, 58, 0.9);
        p.Pad(strings, chords, 62, 4, 62);
        p.Bass(bass, chords, "1-------5---8---", 36, 84);
        p.Drums(drums, at, 7, bridgeBeat, 76);
        p.Drums(drums, at + p.Bars(7), 1, fill, 84);
        at += p.Bars(8);
    }
    // Chorus: two chords a bar, bells doubling the tune.
    {
        const Progression chords = p.Chords(
            at, "F:8 G:8 Em:8 Am:8 Dm7:8 G:8 C:8 C7:8 F:8 G:8 Em:8 A7:8 Dm7:8 G7:8 C");
        const char* chorus =
            "C6:4 A5:2 C6:2 D6:4 B5:2 D6:2 "
            "E6:4 D6:2 B5:2 C6:4 A5:2 E6:2 "
            "F6:4 E6:2 D6:2 D6:2 B5:2 G5:4 "
            "C6:8 r:2 C6:2 E6:2 G6:2 "
            "A6:4 G6:2 F6:2 G6:4 F6:2 D6:2 "
            "E6:4 B5:2 E6:2 C#6:4 A5:2 C#6:2 "
            "D6:4 F6:2 A6:2 G6:4 F6:2 D6:2 "
            "E6:2 D6:2 C6:12";
        p.Line(lead, at, 8, chorus, 96, -12);
        p.Line(bells, at, 8, chorus, 64);
        p.Comp(brass, chords, "c-..c-..c-..c-..", 64, 4, 76, 0.7);
        p.Comp(piano, chords, "c.c.c.c.c.c.c.c.", 57, 3, 60, 0.6);
        p.Pad(strings, chords, 64, 4, 60);
        p.Bass(bass, chords, "1-1-8-1-1-1-8-1-", 36, 94);
        p.Drums(drums, at, 8, chorusBeat, 88);
        p.Hit(drums, at, 240, kCrash, 100);
        p.Hit(drums, at + p.Bars(4), 240, kCrash, 90);
        at += p.Bars(8);
    }
    // The verse once more.
    {
        const Progression chords = p.Chords(at, verseChords);
        p.Line(lead, at, 8, verse, 90, -12);
        verseBand(chords, true);
        at += p.Bars(8);
    }
    // Turnaround, ending on G7 with a fill into the hook.
    {
        const Progression chords = p.Chords(at, "Am F Dm7 G7");
        p.Line(lead, at, 4,
               "E6:4 C6:4 A5:8 "
               "F5:4 A5:4 C6:8 "
               "D6:4 C6:2 A5:2 F5:8 "
               "G5:2 A5:2 B5:2 D6:2 F6:4 G6:4",
               86, -12);
        p.Comp(brass, chords, "c-------c-------", 62, 4, 68, 0.9);
        p.Comp(piano, chords, "c..c..c.c..c..c.", 57, 4, 62, 0.7);
        p.Pad(strings, chords, 62, 4, 58);
        p.Bass(bass, chords, "1-1-5-1-1-1-5-8-", 36, 88);
        p.Drums(drums, at, 3, verseBeat, 82);
        p.Drums(drums, at + p.Bars(3), 1, fill, 90);
        at += p.Bars(4);
    }
    return p.Finish(at);
}

}  // namespace assetgen::pieces
