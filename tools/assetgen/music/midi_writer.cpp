#include "music/midi_writer.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "file_out.h"

namespace assetgen::midi {

namespace {

enum Order { kMeta = 0, kNoteOff = 1, kControl = 2, kNoteOn = 3 };

void PutVarLen(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t bytes[5];
    int n = 0;
    do {
        bytes[n++] = uint8_t(v & 0x7F);
        v >>= 7;
    } while (v);
    while (n--) out.push_back(uint8_t(bytes[n] | (n ? 0x80 : 0)));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 3; i >= 0; --i) out.push_back(uint8_t(v >> (8 * i)));
}

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

std::vector<uint8_t> Meta(uint8_t type, std::vector<uint8_t> data) {
    std::vector<uint8_t> bytes = {0xFF, type};
    PutVarLen(bytes, uint32_t(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

uint8_t Clamp7(int v) { return uint8_t(std::clamp(v, 0, 127)); }

}  // namespace

void Track::Tempo(uint32_t tick, double bpm) {
    const uint32_t usPerQuarter = uint32_t(std::lround(60000000.0 / bpm));
    events_.push_back({tick, kMeta,
                       Meta(0x51, {uint8_t(usPerQuarter >> 16), uint8_t(usPerQuarter >> 8),
                                   uint8_t(usPerQuarter)})});
}

void Track::TimeSignature(uint32_t tick, int numerator, int denominator) {
    uint8_t power = 0;
    while ((1 << power) < denominator) ++power;
    events_.push_back({tick, kMeta, Meta(0x58, {uint8_t(numerator), power, 24, 8})});
}

void Track::KeySignature(uint32_t tick, int sharps, bool minor) {
    events_.push_back({tick, kMeta, Meta(0x59, {uint8_t(int8_t(sharps)), uint8_t(minor)})});
}

void Track::Program(uint32_t tick, int channel, int program) {
    events_.push_back({tick, kControl, {uint8_t(0xC0 | (channel & 15)), Clamp7(program)}});
}

void Track::Control(uint32_t tick, int channel, int controller, int value) {
    events_.push_back(
        {tick, kControl, {uint8_t(0xB0 | (channel & 15)), Clamp7(controller), Clamp7(value)}});
}

void Track::Note(int channel, uint32_t start, uint32_t length, int key, int velocity) {
    if (length == 0 || key < 0 || key > 127) return;
    notes_.push_back({channel & 15, start, start + length, key, std::clamp(velocity, 1, 127)});
}

std::vector<uint8_t> Track::Encode(uint32_t endTick) const {
    std::vector<Event> events = events_;
    events.insert(events.begin(), {0, kMeta, Meta(0x03, {name_.begin(), name_.end()})});

    // A repeated key on one channel ends the sounding one: a note-off may not cut the next.
    std::map<std::pair<int, int>, std::vector<NoteSpan>> byKey;
    for (const NoteSpan& n : notes_) {
        if (n.start < endTick) byKey[{n.channel, n.key}].push_back(n);
    }
    for (auto& [channelKey, spans] : byKey) {
        std::stable_sort(spans.begin(), spans.end(),
                         [](const NoteSpan& a, const NoteSpan& b) { return a.start < b.start; });
        for (size_t i = 0; i < spans.size(); ++i) {
            NoteSpan& n = spans[i];
            n.end = std::min(n.end, endTick);
            if (i + 1 < spans.size()) n.end = std::min(n.end, spans[i + 1].start);
            if (n.end <= n.start) continue;  // swallowed by a note on the same tick
            const uint8_t status = uint8_t(0x90 | n.channel);
            events.push_back({n.start, kNoteOn, {status, uint8_t(n.key), uint8_t(n.velocity)}});
            events.push_back({n.end, kNoteOff, {status, uint8_t(n.key), 0}});
        }
    }
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });

    std::vector<uint8_t> body;
    uint32_t now = 0;
    uint8_t running = 0;
    for (const Event& e : events) {
        if (e.tick > endTick) continue;
        PutVarLen(body, e.tick - now);
        now = e.tick;
        const uint8_t status = e.bytes[0];
        if (status == 0xFF) {
            running = 0;  // meta events cancel running status
            body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        } else if (status == running) {
            body.insert(body.end(), e.bytes.begin() + 1, e.bytes.end());
        } else {
            running = status;
            body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        }
    }
    PutVarLen(body, endTick - now);
    const std::vector<uint8_t> end = Meta(0x2F, {});
    body.insert(body.end(), end.begin(), end.end());

    std::vector<uint8_t> chunk = {'M', 'T', 'r', 'k'};
    Put32(chunk, uint32_t(body.size()));
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

bool WriteMidi(const std::string& path, const Song& song) {
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd'};
    Put32(out, 6);
    Put16(out, 1);  // format 1: simultaneous tracks
    Put16(out, uint16_t(song.tracks.size()));
    Put16(out, kPpq);
    for (const Track& t : song.tracks) {
        const std::vector<uint8_t> chunk = t.Encode(song.endTick);
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return WriteFile(path, out);
}

}  // namespace assetgen::midi
