// A small composition kit over the MIDI writer: note and chord names, a piece with its parts
// (one channel and General-MIDI program each), and the few gestures the pieces are built from:
// written melodies, held chords, patterned accompaniment, bass lines and drum grooves.
//
// Written lengths are in sixteenth notes. A melody is a list of "pitch:length" tokens,
// e.g. "E5:2 G5:2 C6:4 r:8" ("r" rests; "#" and "b" alter; octave 4 holds middle C). A
// progression is a list of chord symbols with optional lengths, e.g. "C Am:8 F/A:8 G7"; a chord
// without a length lasts one bar. Chord symbols: root, then 5 (a power chord), m, dim, aug, sus2, sus4, 6, m6, 7,
// maj7, m7, m7b5, 9, add9, and an optional "/bass".
//
// Mistakes in the written music (a bad token, a melody that does not fill its bars) throw
// std::invalid_argument with the offending text.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "music/midi_writer.h"

namespace assetgen::compose {

constexpr uint32_t kSixteenth = midi::kPpq / 4;

int Pitch(const std::string& name);  // "C4" = 60, "F#3" = 54, "Bb5" = 82

struct Chord {
    int root = 0;             // pitch class 0..11
    int bass = 0;             // pitch class of the lowest note (the root unless a slash chord)
    std::vector<int> tones;   // semitones above the root, ascending, starting at 0
};
Chord ParseChord(const std::string& symbol);

struct ChordSpan {
    uint32_t start, length;  // ticks
    Chord chord;
};
using Progression = std::vector<ChordSpan>;

// General-MIDI drum keys.
namespace drum {
constexpr int kKick = 36, kSideStick = 37, kSnare = 38, kClap = 39, kLowTom = 45,
              kClosedHat = 42, kPedalHat = 44, kOpenHat = 46, kMidTom = 47, kHighTom = 50,
              kCrash = 49, kRide = 51, kRideBell = 53, kTambourine = 54, kSplash = 55,
              kCowbell = 56, kShaker = 70, kClaves = 75, kMuteTriangle = 80, kTriangle = 81;
}

struct PartSetup {
    std::string name;
    int channel;
    int program;      // General MIDI, 0-based; ignored on the drum channel
    int volume = 100; // CC 7
    int pan = 64;     // CC 10
    int reverb = 40;  // CC 91
    int chorus = 0;   // CC 93
};

class Piece {
  public:
    Piece(std::string title, double bpm, int beatsPerBar, int keySharps, bool minor);

    int AddPart(const PartSetup& setup);  // returns the part's index

    uint32_t BarTicks() const { return uint32_t(beatsPerBar_) * midi::kPpq; }
    uint32_t Bars(int n) const { return uint32_t(n) * BarTicks(); }
    int SixteenthsPerBar() const { return beatsPerBar_ * 4; }

    Progression Chords(uint32_t at, const std::string& text) const;

    // A written line; returns its length in ticks. Notes sound for legato of their written
    // length; on-beat notes get a little accent.
    uint32_t Melody(int part, uint32_t at, const std::string& text, int velocity,
                    int transpose = 0, double legato = 0.9);
    // As Melody, but throws unless the line fills exactly `bars` bars.
    void Line(int part, uint32_t at, int bars, const std::string& text, int velocity,
              int transpose = 0, double legato = 0.9);

    // Each chord held for its whole span, voiced close around `centre`.
    void Pad(int part, const Progression& chords, int centre, int voices, int velocity);
    // One bar's pattern repeated over the chords; a step sounds the chord at that moment.
    // Steps: '0'..'5' a voice of the chord (counted from the bottom, wrapping up an octave),
    // 'c' the whole chord, '-' holds the previous step, '.' rests.
    void Comp(int part, const Progression& chords, const std::string& pattern, int centre,
              int voices, int velocity, double legato = 0.9);
    // Bass steps: '1' the bass note, '3' '5' '7' chord tones above the root, '8' the bass an
    // octave up, '-' holds, '.' rests. `low` is the lowest key the bass note may take.
    void Bass(int part, const Progression& chords, const std::string& pattern, int low,
              int velocity, double legato = 0.85);
    // One bar per pattern string, repeated for `bars` bars: 'X' accent, 'x' normal, 'o' ghost.
    void Drums(int part, uint32_t at, int bars,
               const std::vector<std::pair<int, std::string>>& patterns, int velocity);
    // A single note, for crashes, timpani rolls and endings.
    void Hit(int part, uint32_t at, uint32_t length, int key, int velocity);

    midi::Song Finish(uint32_t endTick) const;

  private:
    struct Part {
        int channel;
        midi::Track track;
    };

    std::vector<int> Voicing(const Chord& chord, int centre, int voices) const;
    const Chord& ChordAt(const Progression& chords, uint32_t tick) const;

    midi::Track conductor_;
    std::vector<Part> parts_;
    int beatsPerBar_;
};

}  // namespace assetgen::compose
