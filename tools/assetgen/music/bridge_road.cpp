// The bridge road: G major street rock at 138 bpm, driving eighths like traffic. An overdriven
// guitar riff in G mixolydian opens and closes the loop; a trumpet sings over power chords and
// an organ skank; the last section's F chord swings back into the riff.
#include "music/compose.h"
#include "music/pieces.h"

namespace assetgen::pieces {

using namespace compose;

midi::Song BridgeRoad() {
    Piece p("town2", 138, 4, 1, false);
    const int guitar = p.AddPart({"Overdriven Guitar", 0, 29, 92, 40, 30});
    const int trumpet = p.AddPart({"Trumpet", 1, 56, 88, 70, 40});
    const int sax = p.AddPart({"Tenor Sax", 2, 66, 76, 58, 40});
    const int organ = p.AddPart({"Organ", 3, 16, 110, 90, 30});
    const int chug = p.AddPart({"Muted Guitar", 4, 28, 100, 24, 20});
    const int bass = p.AddPart({"Bass", 5, 34, 84, 64, 10});
    const int drums = p.AddPart({"Drums", midi::kDrumChannel, 0, 100, 64, 30});

    using namespace drum;
    const std::vector<std::pair<int, std::string>> rock = {
        {kKick, "x.......x.x....."},
        {kSnare, "....x.......x..."},
        {kClosedHat, "x.x.x.x.x.x.x.x."},
    };
    const std::vector<std::pair<int, std::string>> drive = {
        {kKick, "x...x...x...x..."},
        {kSnare, "....x.......x..o"},
        {kRide, "x.x.x.x.x.x.x.x."},
    };
    const std::vector<std::pair<int, std::string>> push = {
        {kKick, "x..x..x...x....."},
        {kSnare, "....x.......x..."},
        {kOpenHat, "..x...x...x...x."},
        {kClosedHat, "x...x...x...x..."},
    };
    const std::vector<std::pair<int, std::string>> fill = {
        {kKick, "x.......x......."},
        {kSnare, "x...x...xoxoXxXx"},
        {kHighTom, "..x............."},
        {kMidTom, "......x........."},
    };

    const char* riff =
        "G4:2 G4:2 B4:2 D5:2 F5:2 D5:2 B4:4 "
        "A4:2 C5:2 F5:4 E5:2 C5:2 A4:4 "
        "G4:2 C5:2 E5:4 G5:2 E5:2 C5:4 "
        "D5:4 B4:2 G4:2 G4:8";
    const char* verseChords = "G G C C G D C D";
    const char* versePower = "G5 G5 C5 C5 G5 D5 C5 D5";
    const char* verse =
        "B4:4 D5:4 G5:6 F#5:2 "
        "E5:2 D5:2 B4:4 D5:8 "
        "E5:4 G5:4 C6:6 B5:2 "
        "A5:2 G5:2 E5:4 G5:8 "
        "B5:4 A5:2 G5:2 D5:4 G5:4 "
        "F#5:4 A5:4 D6:6 C6:2 "
        "B5:2 A5:2 G5:2 E5:2 C5:4 E5:4 "
        "D5:2 E5:2 F#5:2 A5:2 D6:8";

    uint32_t at = 0;
    auto band = [&](const Progression& chords, const Progression& power, int bars,
                    const std::vector<std::pair<int, std::string>>& beat) {
        p.Comp(guitar, power, "c-c-c-c-c-c-c-c-", 50, 3, 72, 0.5);
        p.Comp(organ, chords, "..c...c...c...c.", 64, 3, 62, 0.4);
        p.Comp(chug, chords, "0.0.1.0.0.0.1.0.", 55, 3, 66, 0.35);
        p.Bass(bass, chords, "1-1-1-1-1-1-5-8-", 31, 94, 0.7);
        p.Drums(drums, at, bars - 1, beat, 88);
        p.Drums(drums, at + p.Bars(bars - 1), 1, fill, 90);
        p.Hit(drums, at, 240, kCrash, 100);
    };

    // The riff.
    {
        const Progression chords = p.Chords(at, "G F C G");
        p.Line(guitar, at, 4, riff, 96);
        p.Bass(bass, chords, "1-1-1-1-1-1-1-1-", 31, 96, 0.7);
        p.Comp(chug, chords, "0.0.0.0.0.0.0.0.", 55, 3, 66, 0.35);
        p.Drums(drums, at, 3, rock, 88);
        p.Drums(drums, at + p.Bars(3), 1, fill, 90);
        p.Hit(drums, at, 240, kCrash, 100);
        at += p.Bars(4);
    }
    // Verse: the trumpet, then trumpet and sax an octave apart.
    for (int pass = 0; pass < 2; ++pass) {
        p.Line(trumpet, at, 8, verse, 92);
        if (pass == 1) p.Line(sax, at, 8, verse, 80, -12);
        band(p.Chords(at, verseChords), p.Chords(at, versePower), 8, rock);
        at += p.Bars(8);
    }
    // Middle: E minor, on the ride, four on the floor.
    {
        p.Line(trumpet, at, 8,
               "G5:6 F#5:2 E5:4 B4:4 "
               "C5:4 E5:4 G5:8 "
               "B4:4 D5:4 G5:4 B5:4 "
               "A5:6 F#5:2 D5:8 "
               "E5:2 G5:2 B5:4 E6:4 D6:4 "
               "C6:4 B5:2 A5:2 G5:4 E5:4 "
               "C#6:4 A5:2 G5:2 E5:4 C#5:4 "
               "D5:2 F#5:2 A5:2 C6:2 D6:4 r:4",
               90, 0, 0.95);
        p.Line(sax, at, 8,
               "B4:16 C5:16 D5:16 D5:16 B4:16 C5:16 C#5:16 C5:16", 64, -12);
        band(p.Chords(at, "Em C G D Em C A7 D7"), p.Chords(at, "E5 C5 G5 D5 E5 C5 A5 D5"), 8,
             drive);
        at += p.Bars(8);
    }
    // Verse once more, trumpet and sax together.
    {
        p.Line(trumpet, at, 8, verse, 94);
        p.Line(sax, at, 8, verse, 78, -12);
        band(p.Chords(at, verseChords), p.Chords(at, versePower), 8, rock);
        at += p.Bars(8);
    }
    // Stop-and-go, like the lights: hits on the off-beats, climbing to F and the riff.
    {
        p.Line(trumpet, at, 8,
               "E5:2 E5:2 r:2 E5:2 G5:4 E5:4 "
               "F#5:2 F#5:2 r:2 F#5:2 A5:4 F#5:4 "
               "D6:4 B5:4 F#5:4 D5:4 "
               "E5:4 G5:4 B5:8 "
               "C6:4 G5:2 E5:2 C6:4 E6:4 "
               "D6:4 A5:2 F#5:2 A5:4 D6:4 "
               "G5:4 B5:4 D6:8 "
               "C6:4 A5:4 F5:4 r:4",
               94, 0, 0.85);
        band(p.Chords(at, "C D Bm Em C D G F"), p.Chords(at, "C5 D5 B5 E5 C5 D5 G5 F5"), 8,
             push);
        at += p.Bars(8);
    }
    return p.Finish(at);
}

}  // namespace assetgen::pieces
