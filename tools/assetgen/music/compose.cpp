#include "music/compose.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>
#include <stdexcept>

namespace assetgen::compose {

namespace {

std::vector<std::string> Tokens(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> tokens;
    for (std::string t; in >> t;) tokens.push_back(t);
    return tokens;
}

[[noreturn]] void Fail(const std::string& what, const std::string& text) {
    throw std::invalid_argument(what + ": \"" + text + "\"");
}

// Reads a letter and its accidentals from the front of `s`: semitones above the octave's C,
// unreduced, so "Cb" is -1 and "B#" is 12.
int Spelled(const std::string& s, size_t& at) {
    static const int kNatural[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (at >= s.size() || s[at] < 'A' || s[at] > 'G') Fail("no note letter", s);
    int semitones = kNatural[s[at++] - 'A'];
    while (at < s.size() && (s[at] == '#' || s[at] == 'b')) semitones += s[at++] == '#' ? 1 : -1;
    return semitones;
}

int PitchClass(const std::string& s, size_t& at) { return (Spelled(s, at) % 12 + 12) % 12; }

// Lowest key at or above `low` with pitch class pc.
int KeyAtOrAbove(int pc, int low) { return low + ((pc - low) % 12 + 12) % 12; }

}  // namespace

int Pitch(const std::string& name) {
    size_t at = 0;
    const int semitones = Spelled(name, at);
    if (at >= name.size()) Fail("no octave", name);
    char* end = nullptr;
    const long octave = std::strtol(name.c_str() + at, &end, 10);
    if (end == name.c_str() + at || *end != '\0') Fail("bad octave", name);
    return int(12 * (octave + 1)) + semitones;
}

Chord ParseChord(const std::string& symbol) {
    static const std::map<std::string, std::vector<int>> kQualities = {
        {"", {0, 4, 7}},         {"5", {0, 7}},             {"m", {0, 3, 7}},          {"dim", {0, 3, 6}},
        {"aug", {0, 4, 8}},      {"sus2", {0, 2, 7}},       {"sus4", {0, 5, 7}},
        {"6", {0, 4, 7, 9}},     {"m6", {0, 3, 7, 9}},      {"7", {0, 4, 7, 10}},
        {"maj7", {0, 4, 7, 11}}, {"m7", {0, 3, 7, 10}},     {"m7b5", {0, 3, 6, 10}},
        {"dim7", {0, 3, 6, 9}},  {"7sus4", {0, 5, 7, 10}},  {"9", {0, 4, 7, 10, 14}},
        {"add9", {0, 4, 7, 14}}, {"maj9", {0, 4, 7, 11, 14}}, {"m9", {0, 3, 7, 10, 14}},
    };
    Chord c;
    size_t at = 0;
    c.root = PitchClass(symbol, at);
    const size_t slash = symbol.find('/', at);
    const std::string quality = symbol.substr(at, slash == std::string::npos ? std::string::npos
                                                                               : slash - at);
    const auto found = kQualities.find(quality);
    if (found == kQualities.end()) Fail("unknown chord quality", symbol);
    c.tones = found->second;
    c.bass = c.root;
    if (slash != std::string::npos) {
        size_t b = slash + 1;
        c.bass = PitchClass(symbol, b);
        if (b != symbol.size()) Fail("bad slash bass", symbol);
    }
    return c;
}

Piece::Piece(std::string title, double bpm, int beatsPerBar, int keySharps, bool minor)
    : conductor_(std::move(title)), beatsPerBar_(beatsPerBar) {
    conductor_.Tempo(0, bpm);
    conductor_.TimeSignature(0, beatsPerBar, 4);
    conductor_.KeySignature(0, keySharps, minor);
}

int Piece::AddPart(const PartSetup& s) {
    midi::Track track(s.name);
    // Every loop replays the file from the start, so the start sets up everything afresh.
    track.Control(0, s.channel, 121, 0);  // reset all controllers
    track.Control(0, s.channel, 0, 0);    // bank 0
    track.Program(0, s.channel, s.channel == midi::kDrumChannel ? 0 : s.program);
    track.Control(0, s.channel, 7, s.volume);
    track.Control(0, s.channel, 10, s.pan);
    track.Control(0, s.channel, 11, 127);
    track.Control(0, s.channel, 91, s.reverb);
    track.Control(0, s.channel, 93, s.chorus);
    parts_.push_back({s.channel, std::move(track)});
    return int(parts_.size()) - 1;
}

Progression Piece::Chords(uint32_t at, const std::string& text) const {
    Progression out;
    for (const std::string& token : Tokens(text)) {
        const size_t colon = token.find(':');
        uint32_t length = BarTicks();
        if (colon != std::string::npos) {
            const int n = std::atoi(token.c_str() + colon + 1);
            if (n <= 0) Fail("bad chord length", token);
            length = uint32_t(n) * kSixteenth;
        }
        out.push_back({at, length, ParseChord(token.substr(0, colon))});
        at += length;
    }
    return out;
}

uint32_t Piece::Melody(int part, uint32_t at, const std::string& text, int velocity,
                       int transpose, double legato) {
    Part& p = parts_.at(size_t(part));
    uint32_t offset = 0;
    for (const std::string& token : Tokens(text)) {
        const size_t colon = token.find(':');
        if (colon == std::string::npos) Fail("note without a length", token);
        const int n = std::atoi(token.c_str() + colon + 1);
        if (n <= 0) Fail("bad note length", token);
        const uint32_t length = uint32_t(n) * kSixteenth;
        const std::string pitch = token.substr(0, colon);
        if (pitch != "r") {
            const uint32_t tick = at + offset;
            const uint32_t inBar = tick % BarTicks();
            const int accent = inBar == 0 ? 10 : inBar % midi::kPpq == 0 ? 5 : 0;
            p.track.Note(p.channel, tick, uint32_t(length * legato), Pitch(pitch) + transpose,
                         velocity + accent);
        }
        offset += length;
    }
    return offset;
}

void Piece::Line(int part, uint32_t at, int bars, const std::string& text, int velocity,
                 int transpose, double legato) {
    const uint32_t length = Melody(part, at, text, velocity, transpose, legato);
    if (length != Bars(bars)) {
        Fail("line of " + std::to_string(double(length) / BarTicks()) + " bars where " +
                 std::to_string(bars) + " were meant",
             text);
    }
}

std::vector<int> Piece::Voicing(const Chord& chord, int centre, int voices) const {
    std::vector<int> tones = chord.tones;
    // Too many tones: drop the fifth first, then from the top. Too few: double upwards.
    while (int(tones.size()) > voices) {
        const auto fifth = std::find(tones.begin(), tones.end(), 7);
        tones.erase(fifth != tones.end() && tones.size() > 3 ? fifth : tones.end() - 1);
    }
    for (size_t i = 0; int(tones.size()) < voices; ++i) tones.push_back(tones[i] + 12);

    std::vector<int> best;
    double bestDistance = 1e9;
    for (size_t inversion = 0; inversion < tones.size(); ++inversion) {
        std::vector<int> stack;
        int key = chord.root + tones[inversion];
        stack.push_back(key);
        for (size_t i = 1; i < tones.size(); ++i) {
            key = KeyAtOrAbove((chord.root + tones[(inversion + i) % tones.size()]) % 12, key + 1);
            stack.push_back(key);
        }
        double mean = 0.0;
        for (int k : stack) mean += k;
        mean /= double(stack.size());
        const int shift = int(std::lround((centre - mean) / 12.0)) * 12;
        const double distance = std::fabs(mean + shift - centre);
        if (distance < bestDistance - 1e-9) {
            bestDistance = distance;
            best = stack;
            for (int& k : best) k += shift;
        }
    }
    return best;
}

const Chord& Piece::ChordAt(const Progression& chords, uint32_t tick) const {
    for (const ChordSpan& s : chords) {
        if (tick < s.start + s.length) return s.chord;
    }
    return chords.back().chord;
}

void Piece::Pad(int part, const Progression& chords, int centre, int voices, int velocity) {
    Part& p = parts_.at(size_t(part));
    for (const ChordSpan& s : chords) {
        for (int key : Voicing(s.chord, centre, voices))
            p.track.Note(p.channel, s.start, s.length, key, velocity);
    }
}

namespace {

// Runs a one-bar pattern over the whole span of a progression: calls sound(tick, step char,
// length in steps) for each step that starts a note.
template <typename Sound>
void RunPattern(const Progression& chords, uint32_t barTicks, const std::string& pattern,
                Sound sound) {
    if (chords.empty() || pattern.empty() || barTicks % pattern.size() != 0)
        Fail("pattern does not divide the bar", pattern);
    const uint32_t step = barTicks / uint32_t(pattern.size());
    const uint32_t begin = chords.front().start;
    const uint32_t end = chords.back().start + chords.back().length;
    for (uint32_t bar = begin; bar < end; bar += barTicks) {
        for (size_t i = 0; i < pattern.size(); ++i) {
            const char c = pattern[i];
            if (c == '.' || c == '-') continue;
            size_t held = 1;
            while (i + held < pattern.size() && pattern[i + held] == '-') ++held;
            const uint32_t tick = bar + uint32_t(i) * step;
            if (tick < end) sound(tick, c, std::min(uint32_t(held) * step, end - tick));
        }
    }
}

}  // namespace

void Piece::Comp(int part, const Progression& chords, const std::string& pattern, int centre,
                 int voices, int velocity, double legato) {
    Part& p = parts_.at(size_t(part));
    RunPattern(chords, BarTicks(), pattern, [&](uint32_t tick, char c, uint32_t length) {
        const std::vector<int> voicing = Voicing(ChordAt(chords, tick), centre, voices);
        const uint32_t sounding = uint32_t(length * legato);
        const int accent = tick % midi::kPpq == 0 ? 6 : 0;
        if (c == 'c') {
            for (int key : voicing) p.track.Note(p.channel, tick, sounding, key, velocity + accent);
        } else if (c >= '0' && c <= '9') {
            const int d = c - '0';
            const int n = int(voicing.size());
            p.track.Note(p.channel, tick, sounding, voicing[size_t(d % n)] + 12 * (d / n),
                         velocity + accent);
        } else {
            Fail("bad comp step", pattern);
        }
    });
}

void Piece::Bass(int part, const Progression& chords, const std::string& pattern, int low,
                 int velocity, double legato) {
    Part& p = parts_.at(size_t(part));
    RunPattern(chords, BarTicks(), pattern, [&](uint32_t tick, char c, uint32_t length) {
        const Chord& chord = ChordAt(chords, tick);
        const int bassKey = KeyAtOrAbove(chord.bass, low);
        const int rootKey = KeyAtOrAbove(chord.root, low);
        auto tone = [&](size_t i, int otherwise) {
            return i < chord.tones.size() ? rootKey + chord.tones[i] : rootKey + otherwise;
        };
        int key = 0;
        switch (c) {
            case '1': key = bassKey; break;
            case '3': key = tone(1, 4); break;
            case '5': key = tone(2, 7); break;
            case '7': key = tone(3, 12); break;
            case '8': key = bassKey + 12; break;
            default: Fail("bad bass step", pattern);
        }
        const int accent = tick % BarTicks() == 0 ? 8 : tick % midi::kPpq == 0 ? 4 : 0;
        p.track.Note(p.channel, tick, uint32_t(length * legato), key, velocity + accent);
    });
}

void Piece::Drums(int part, uint32_t at, int bars,
                  const std::vector<std::pair<int, std::string>>& patterns, int velocity) {
    Part& p = parts_.at(size_t(part));
    for (const auto& [key, pattern] : patterns) {
        if (pattern.empty() || BarTicks() % pattern.size() != 0)
            Fail("drum pattern does not divide the bar", pattern);
        const uint32_t step = BarTicks() / uint32_t(pattern.size());
        for (int bar = 0; bar < bars; ++bar) {
            for (size_t i = 0; i < pattern.size(); ++i) {
                const char c = pattern[i];
                if (c == '.') continue;
                const int v = c == 'X' ? velocity + 20 : c == 'x' ? velocity : velocity * 55 / 100;
                if (c != 'X' && c != 'x' && c != 'o') Fail("bad drum step", pattern);
                p.track.Note(p.channel, at + Bars(bar) + uint32_t(i) * step,
                             std::max<uint32_t>(step / 2, 30), key, v);
            }
        }
    }
}

void Piece::Hit(int part, uint32_t at, uint32_t length, int key, int velocity) {
    Part& p = parts_.at(size_t(part));
    p.track.Note(p.channel, at, length, key, velocity);
}

midi::Song Piece::Finish(uint32_t endTick) const {
    midi::Song song;
    song.tracks.push_back(conductor_);
    for (const Part& p : parts_) song.tracks.push_back(p.track);
    song.endTick = endTick;
    return song;
}

}  // namespace assetgen::compose
