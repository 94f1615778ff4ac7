// Every piece of music the game plays exists in the built asset tree as a valid standard MIDI
// file, and loops cleanly: it sets itself up at the start, ends on a bar line with every note
// released, and lasts long enough to loop for minutes without wearing thin.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "audio/audio_lifecycle.h"
#include "audio/audio_state.h"
#include "audio/music.h"

namespace {

const std::string kMid = std::string(POMELANE_ASSETS) + "/Mid/";
const char* const kPieces[] = {"Opening2.mid", "town1.mid",   "town2.mid",
                               "town3.mid",    "vok-g01.mid", "vok-g11.mid"};

struct Event {
    uint32_t tick;
    uint8_t status;  // channel status, or 0xFF for meta
    uint8_t type;    // meta type
    std::vector<uint8_t> data;
};

struct Smf {
    std::string error;  // empty when the file parsed
    int format = -1, division = 0;
    std::vector<std::vector<Event>> tracks;
};

uint32_t Be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

// A strict reader: chunk layout, delta times, running status, meta and sysex lengths, and an
// end-of-track that is the last event of every track.
Smf ReadSmf(const std::string& path) {
    Smf smf;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        smf.error = "cannot open";
        return smf;
    }
    const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
    if (b.size() < 14 || std::memcmp(b.data(), "MThd", 4) != 0 || Be32(&b[4]) != 6) {
        smf.error = "bad header";
        return smf;
    }
    smf.format = b[8] << 8 | b[9];
    const int trackCount = b[10] << 8 | b[11];
    smf.division = b[12] << 8 | b[13];
    size_t at = 14;
    for (int t = 0; t < trackCount; ++t) {
        if (at + 8 > b.size() || std::memcmp(&b[at], "MTrk", 4) != 0) {
            smf.error = "missing track chunk";
            return smf;
        }
        const size_t end = at + 8 + Be32(&b[at + 4]);
        if (end > b.size()) {
            smf.error = "track chunk runs past the file";
            return smf;
        }
        at += 8;
        std::vector<Event> events;
        uint32_t tick = 0;
        uint8_t running = 0;
        bool ended = false;
        auto varLen = [&](uint32_t& v) {
            v = 0;
            for (int i = 0; i < 4 && at < end; ++i) {
                const uint8_t c = b[at++];
                v = v << 7 | (c & 0x7F);
                if (!(c & 0x80)) return true;
            }
            return false;
        };
        while (at < end) {
            if (ended) {
                smf.error = "events after end-of-track";
                return smf;
            }
            uint32_t delta;
            if (!varLen(delta) || at >= end) {
                smf.error = "bad delta time";
                return smf;
            }
            tick += delta;
            Event e{tick, 0, 0, {}};
            uint8_t status = b[at];
            if (status == 0xFF || status == 0xF0 || status == 0xF7) {
                ++at;
                if (status == 0xFF) e.type = b[at++];
                uint32_t length;
                if (!varLen(length) || at + length > end) {
                    smf.error = "bad meta or sysex length";
                    return smf;
                }
                e.status = status;
                e.data.assign(b.begin() + long(at), b.begin() + long(at + length));
                at += length;
                running = 0;
                ended = status == 0xFF && e.type == 0x2F;
            } else {
                if (status & 0x80) {
                    running = status;
                    ++at;
                } else if (!running) {
                    smf.error = "data byte with no running status";
                    return smf;
                }
                e.status = running;
                const int kind = running & 0xF0;
                const int n = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
                for (int i = 0; i < n; ++i) {
                    if (at >= end || b[at] & 0x80) {
                        smf.error = "bad channel message";
                        return smf;
                    }
                    e.data.push_back(b[at++]);
                }
            }
            events.push_back(e);
        }
        if (!ended) {
            smf.error = "track without end-of-track";
            return smf;
        }
        smf.tracks.push_back(std::move(events));
        at = end;
    }
    if (at != b.size()) smf.error = "bytes after the last track";
    return smf;
}

bool IsNoteOn(const Event& e) { return (e.status & 0xF0) == 0x90 && e.data[1] > 0; }
bool IsNoteOff(const Event& e) {
    return (e.status & 0xF0) == 0x80 || ((e.status & 0xF0) == 0x90 && e.data[1] == 0);
}

struct Summary {
    uint32_t endTick = 0;
    int beatsPerBar = 4;
    double seconds = 0.0;
    double bpm = 0.0;
    std::set<int> programs;
    int notes = 0;
};

Summary Summarise(const Smf& smf) {
    Summary s;
    std::map<uint32_t, uint32_t> tempo = {{0, 500000}};
    for (const auto& track : smf.tracks) {
        s.endTick = std::max(s.endTick, track.back().tick);
        for (const Event& e : track) {
            if (e.status == 0xFF && e.type == 0x51 && e.data.size() == 3)
                tempo[e.tick] = uint32_t(e.data[0]) << 16 | e.data[1] << 8 | e.data[2];
            if (e.status == 0xFF && e.type == 0x58 && e.tick == 0) s.beatsPerBar = e.data.at(0);
            if ((e.status & 0xF0) == 0xC0) s.programs.insert(e.data[0]);
            if (IsNoteOn(e)) ++s.notes;
        }
    }
    for (auto it = tempo.begin(); it != tempo.end(); ++it) {
        const auto next = std::next(it);
        const uint32_t until = next == tempo.end() ? s.endTick : std::min(next->first, s.endTick);
        if (until > it->first)
            s.seconds += double(until - it->first) / smf.division * it->second / 1e6;
    }
    s.bpm = 60e6 / tempo.begin()->second;
    return s;
}

TEST(MusicAssets, EveryPieceIsAValidFormat1File) {
    for (const char* file : kPieces) {
        SCOPED_TRACE(file);
        const Smf smf = ReadSmf(kMid + file);
        ASSERT_EQ(smf.error, "");
        EXPECT_EQ(smf.format, 1);
        EXPECT_GT(smf.division, 0) << "ticks per quarter, not SMPTE";
        EXPECT_GE(smf.tracks.size(), 4u);
    }
}

TEST(MusicAssets, EveryPieceLoopsOnABarLineWithNothingHanging) {
    for (const char* file : kPieces) {
        SCOPED_TRACE(file);
        const Smf smf = ReadSmf(kMid + file);
        ASSERT_EQ(smf.error, "");
        const Summary s = Summarise(smf);
        const uint32_t bar = uint32_t(smf.division) * s.beatsPerBar;
        EXPECT_EQ(s.endTick % bar, 0u) << "ends mid-bar";
        EXPECT_GE(s.seconds, 60.0);
        EXPECT_LE(s.seconds, 180.0);

        bool soundsAtStart = false, soundsAtEnd = false;
        for (const auto& track : smf.tracks) {
            EXPECT_EQ(track.back().tick, s.endTick) << "every track ends at the loop point";
            std::map<std::pair<int, int>, uint32_t> sounding;  // (channel, key) -> start
            for (const Event& e : track) {
                const std::pair<int, int> key = {e.status & 15, e.data.empty() ? 0 : e.data[0]};
                if (IsNoteOn(e)) {
                    EXPECT_EQ(sounding.count(key), 0u) << "key struck twice at tick " << e.tick;
                    sounding[key] = e.tick;
                    soundsAtStart |= e.tick == 0;
                } else if (IsNoteOff(e)) {
                    const auto on = sounding.find(key);
                    ASSERT_NE(on, sounding.end()) << "note-off with no note at tick " << e.tick;
                    // No trailing silence: something still rings in the last beat.
                    soundsAtEnd |= e.tick + uint32_t(smf.division) > s.endTick;
                    sounding.erase(on);
                }
            }
            EXPECT_TRUE(sounding.empty()) << "notes left hanging at the end";
        }
        EXPECT_TRUE(soundsAtStart);
        EXPECT_TRUE(soundsAtEnd);
    }
}

TEST(MusicAssets, EveryChannelIsSetUpAtTheStartOnly) {
    // Every loop replays the file from its start, so all set-up sits at tick 0, before any note,
    // and nothing later changes a program.
    for (const char* file : kPieces) {
        SCOPED_TRACE(file);
        const Smf smf = ReadSmf(kMid + file);
        ASSERT_EQ(smf.error, "");
        std::set<int> programmed, played;
        for (const auto& track : smf.tracks) {
            for (const Event& e : track) {
                const int channel = e.status & 15;
                if ((e.status & 0xF0) == 0xC0) {
                    EXPECT_EQ(e.tick, 0u) << "program change mid-piece";
                    programmed.insert(channel);
                }
                if (IsNoteOn(e)) {
                    played.insert(channel);
                    EXPECT_TRUE(programmed.count(channel)) << "channel " << channel
                                                           << " plays before its program";
                    EXPECT_GE(e.data[1], 1);
                    if (channel == 9) {  // GM percussion keys
                        EXPECT_GE(e.data[0], 35);
                        EXPECT_LE(e.data[0], 81);
                    }
                }
            }
        }
        EXPECT_TRUE(played.count(9)) << "drums on channel 10";
        EXPECT_GE(played.size(), 5u) << "a band, not a solo";
    }
}

TEST(MusicAssets, EveryScreenHasItsOwnPiece) {
    std::vector<Summary> all;
    for (const char* file : kPieces) {
        const Smf smf = ReadSmf(kMid + file);
        ASSERT_EQ(smf.error, "") << file;
        all.push_back(Summarise(smf));
        EXPECT_GT(all.back().notes, 400) << file;
    }
    for (size_t i = 0; i < all.size(); ++i) {
        for (size_t j = i + 1; j < all.size(); ++j) {
            EXPECT_NE(all[i].bpm, all[j].bpm) << kPieces[i] << " and " << kPieces[j];
            EXPECT_NE(all[i].programs, all[j].programs) << kPieces[i] << " and " << kPieces[j];
        }
    }
}

TEST(MusicAssets, EveryPieceLoadsAndRepeatsThroughTheMusicLayer) {
    const bool wasNull = plat::NullAudioInUse();
    UseNullAudio();
    AudioStartup();
    app.PlayMusicFlg = 0;
    for (const char* file : kPieces) {
        const std::string path = kMid + file;
        MusicChange(path.c_str());
        ASSERT_NE(audio.DMSegment1, nullptr) << file;
        EXPECT_EQ(plat::GetRepeats(audio.DMSegment1), plat::SEG_REPEAT_INFINITE);
        EXPECT_EQ(plat::PlayingSegmentFile(audio.DMPerf), path);
    }
    MusicStop();
    AudioShutdown();
    audio = AudioState{};
    app = AppState{};
    plat::UseNullAudio(wasNull);
}

}  // namespace
