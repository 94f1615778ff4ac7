// The credits: a relaxed G major ballad at 80 bpm. Nylon guitar and electric piano under a
// flute, a warm pad and fretless bass, brushes of side stick and hat; it ends on a suspended
// D that settles into the opening's G major seventh.
#include "music/compose.h"
#include "music/pieces.h"

namespace assetgen::pieces {

using namespace compose;

midi::Song Credits() {
    Piece p("vok-g11", 80, 4, 1, false);
    const int flute = p.AddPart({"Flute", 0, 73, 86, 60, 60});
    const int guitar = p.AddPart({"Nylon Guitar", 1, 24, 84, 40, 45});
    const int keys = p.AddPart({"Electric Piano", 2, 4, 70, 84, 55, 40});
    const int pad = p.AddPart({"Warm Pad", 3, 89, 62, 64, 70});
    const int bass = p.AddPart({"Fretless Bass", 4, 35, 76, 64, 30});
    const int vibes = p.AddPart({"Vibraphone", 5, 11, 110, 96, 60});
    const int drums = p.AddPart({"Drums", midi::kDrumChannel, 0, 110, 64, 40});

    using namespace drum;
    const std::vector<std::pair<int, std::string>> brushes = {
        {kKick, "x.......x.x....."},
        {kSideStick, "....x.......x..."},
        {kClosedHat, "x.o.x.o.x.o.x.o."},
    };
    const std::vector<std::pair<int, std::string>> ride = {
        {kKick, "x.......x......."},
        {kSideStick, "....x.......x..."},
        {kRide, "x.o.x.o.x.o.x.o."},
    };

    const char* verseChords = "Gmaj7 Bm7 Cmaj7 D Em7 Bm7 Am7 D7sus4:8 D7:8";
    const char* verse =
        "B5:6 A5:2 G5:4 D5:4 "
        "F#5:6 A5:2 D6:8 "
        "E6:6 D6:2 B5:4 G5:4 "
        "A5:12 r:4 "
        "G5:4 B5:4 D6:4 E6:4 "
        "F#6:6 E6:2 D6:8 "
        "C6:4 B5:2 A5:2 E5:4 G5:4 "
        "G5:6 A5:2 F#5:8";

    uint32_t at = 0;
    auto band = [&](const Progression& chords, int bars, bool drumsOn, bool rideOn) {
        p.Comp(guitar, chords, "0.1.2.3.4.3.2.1.", 55, 4, 62, 1.0);
        p.Comp(keys, chords, "c-------..c-----", 62, 4, 48, 0.95);
        p.Pad(pad, chords, 60, 3, 44);
        p.Bass(bass, chords, "1-------5-----8-", 36, 76, 0.95);
        if (drumsOn) p.Drums(drums, at, bars, rideOn ? ride : brushes, 68);
    };

    // Guitar and pad alone.
    {
        band(p.Chords(at, "Gmaj7 Cmaj7 Gmaj7 Cmaj7"), 4, false, false);
        at += p.Bars(4);
    }
    // The tune.
    {
        p.Line(flute, at, 8, verse, 78, 0, 0.95);
        band(p.Chords(at, verseChords), 8, true, false);
        at += p.Bars(8);
    }
    // The middle.
    {
        p.Line(flute, at, 8,
               "G5:4 E5:4 G5:4 B5:4 "
               "A5:4 F#5:4 A5:4 D6:4 "
               "D6:6 B5:2 A5:4 F#5:4 "
               "G5:8 E5:8 "
               "E6:6 D6:2 C6:4 A5:4 "
               "B5:4 A5:4 F#5:4 D5:4 "
               "B5:4 D6:4 E6:4 B5:4 "
               "C6:4 A5:4 A5:4 F#5:4",
               76, 0, 0.95);
        band(p.Chords(at, "Cmaj7 D/C Bm7 Em7 Am7 D Gmaj7:8 Em7:8 Am7:8 D7:8"), 8, true, false);
        at += p.Bars(8);
    }
    // The tune again, a vibraphone an octave below.
    {
        p.Line(flute, at, 8, verse, 80, 0, 0.95);
        p.Line(vibes, at, 8, verse, 54, -12);
        band(p.Chords(at, verseChords), 8, true, false);
        at += p.Bars(8);
    }
    // The last strain, on the ride.
    {
        p.Line(flute, at, 8,
               "E6:6 D6:2 B5:4 G5:4 "
               "F#5:6 A5:2 D6:8 "
               "D6:4 B5:4 F#5:4 A5:4 "
               "G#5:8 B5:4 D6:4 "
               "C6:6 B5:2 A5:4 E5:4 "
               "F#5:4 A5:4 C6:4 D6:4 "
               "E6:4 D6:4 B5:4 G5:4 "
               "A5:12 r:4",
               80, 0, 0.95);
        band(p.Chords(at, "Cmaj7 D Bm7 E7 Am7 D7 Cmaj7 D7sus4"), 8, true, true);
        at += p.Bars(8);
    }
    return p.Finish(at);
}

}  // namespace assetgen::pieces
