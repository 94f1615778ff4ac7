// Standard MIDI files, format 1: a conductor track with tempo, metre and key, then one track per
// part. Tracks hold notes as start and length, so a note can never be left hanging: the writer
// turns them into note-on / note-off pairs, trims overlaps and cuts everything at the end tick.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace assetgen::midi {

constexpr int kPpq = 480;  // ticks per quarter note
constexpr int kDrumChannel = 9;  // channel 10 as musicians count

class Track {
  public:
    explicit Track(std::string name) : name_(std::move(name)) {}

    // Conductor events.
    void Tempo(uint32_t tick, double bpm);
    void TimeSignature(uint32_t tick, int numerator, int denominator);
    void KeySignature(uint32_t tick, int sharps, bool minor);

    // Channel events (channel 0..15).
    void Program(uint32_t tick, int channel, int program);
    void Control(uint32_t tick, int channel, int controller, int value);
    void Note(int channel, uint32_t start, uint32_t length, int key, int velocity);

    const std::string& Name() const { return name_; }

    // The MTrk chunk: delta times, running status, note-offs as note-on with velocity 0, and the
    // end-of-track exactly at endTick.
    std::vector<uint8_t> Encode(uint32_t endTick) const;

  private:
    struct Event {
        uint32_t tick;
        int order;  // at one tick: meta, then note-offs, then controls, then note-ons
        std::vector<uint8_t> bytes;
    };
    struct NoteSpan {
        int channel;
        uint32_t start, end;
        int key, velocity;
    };

    std::string name_;
    std::vector<Event> events_;
    std::vector<NoteSpan> notes_;
};

struct Song {
    std::vector<Track> tracks;  // tracks[0] is the conductor
    uint32_t endTick = 0;       // the loop point: a bar line
};

// Returns false after saying why on stderr.
bool WriteMidi(const std::string& path, const Song& song);

}  // namespace assetgen::midi
