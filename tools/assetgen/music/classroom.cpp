// The classroom: a gentle F major waltz at 96 bpm, school days remembered. A recorder sings a
// mostly pentatonic tune over rolling piano and slow strings; the second half turns wistful
// with a borrowed B-flat minor before the tune comes home.
#include "music/compose.h"
#include "music/pieces.h"

namespace assetgen::pieces {

using namespace compose;

midi::Song Classroom() {
    Piece p("town3", 96, 3, -1, false);
    const int recorder = p.AddPart({"Recorder", 0, 74, 92, 64, 55});
    const int celesta = p.AddPart({"Celesta", 1, 8, 110, 84, 60});
    const int piano = p.AddPart({"Piano", 2, 0, 100, 52, 45});
    const int strings = p.AddPart({"Slow Strings", 3, 49, 70, 76, 70});
    const int bass = p.AddPart({"Bass", 4, 32, 76, 60, 30});
    const int perc = p.AddPart({"Percussion", midi::kDrumChannel, 0, 110, 72, 50});

    using namespace drum;
    const char* tune =
        "C5:4 F5:4 A5:4 "
        "A5:6 G5:2 F5:4 "
        "D5:4 F5:4 G5:4 "
        "G5:8 r:4 ";
    const std::string verseA = std::string(tune) +
                               "A5:4 C6:4 A5:4 "
                               "E5:4 A5:4 C6:4 "
                               "D6:4 C6:4 A5:2 G5:2 "
                               "G5:8 r:4";
    const std::string verseB = std::string(tune) +
                               "A5:4 C6:4 D6:4 "
                               "C6:6 A5:2 G5:4 "
                               "G5:4 A5:2 G5:2 E5:4 "
                               "F5:12";

    uint32_t at = 0;
    auto accompany = [&](const Progression& chords, int bars, bool shaker) {
        p.Comp(piano, chords, "0-1232", 60, 4, 56, 0.95);
        p.Pad(strings, chords, 62, 3, 44);
        p.Bass(bass, chords, "1---5-", 36, 72, 0.9);
        // A triangle at the head of each four-bar phrase.
        for (int bar = 0; bar < bars; bar += 4) p.Hit(perc, at + p.Bars(bar), 240, kTriangle, 80);
        if (shaker) p.Drums(perc, at, bars, {{kShaker, "x.o.o.o.o.o."}}, 64);
    };

    // The piano alone sets the scene.
    {
        accompany(p.Chords(at, "F Bb/F F C7sus4:6 C7:6"), 4, false);
        at += p.Bars(4);
    }
    // The tune, then its answer that comes home to F.
    {
        p.Line(recorder, at, 8, verseA, 80, 0, 0.92);
        accompany(p.Chords(at, "F Dm Bb C F Am Gm7 C7"), 8, false);
        at += p.Bars(8);
    }
    {
        p.Line(recorder, at, 8, verseB, 82, 0, 0.92);
        p.Line(celesta, at, 8, verseB, 52);
        accompany(p.Chords(at, "F Dm Bb C F Am C7 F"), 8, true);
        at += p.Bars(8);
    }
    // The middle: brighter, then wistful.
    {
        p.Line(recorder, at, 8,
               "D6:6 C6:2 Bb5:4 "
               "C6:4 G5:4 E5:4 "
               "A5:6 G5:2 E5:4 "
               "F5:8 D5:4 "
               "D5:4 G5:4 Bb5:4 "
               "Bb5:4 G5:4 E5:4 "
               "C6:4 A5:4 E5:4 "
               "F#5:8 A5:4",
               84, 0, 0.95);
        accompany(p.Chords(at, "Bb C Am Dm Gm7 C7 Am7 D7"), 8, true);
        at += p.Bars(8);
    }
    {
        p.Line(recorder, at, 8,
               "Bb5:6 A5:2 G5:4 "
               "E5:4 G5:4 C6:4 "
               "C6:6 A5:2 G5:4 "
               "F5:8 A5:4 "
               "D6:6 C6:2 Bb5:4 "
               "Db6:6 C6:2 Bb5:4 "
               "A5:6 G5:2 F5:4 "
               "G5:8 r:4",
               84, 0, 0.95);
        p.Line(celesta, at + p.Bars(4), 4, "D6:12 Db6:12 C6:12 C6:8 r:4", 44);
        accompany(p.Chords(at, "Gm7 C7 Am7 Dm7 Bb Bbm F/C C7"), 8, true);
        at += p.Bars(8);
    }
    // The tune once more, with the celesta.
    {
        p.Line(recorder, at, 8, verseA, 80, 0, 0.92);
        p.Line(celesta, at, 8, verseA, 50);
        accompany(p.Chords(at, "F Dm Bb C F Am Gm7 C7"), 8, true);
        at += p.Bars(8);
    }
    // Closing phrase; the loop's piano introduction follows on F.
    {
        p.Line(recorder, at, 4,
               "A5:4 G5:4 F5:4 "
               "F5:4 D5:4 F5:4 "
               "G5:4 E5:4 C5:4 "
               "F5:12",
               76, 0, 0.95);
        accompany(p.Chords(at, "F Bb C7 F"), 4, false);
        at += p.Bars(4);
    }
    return p.Finish(at);
}

}  // namespace assetgen::pieces
