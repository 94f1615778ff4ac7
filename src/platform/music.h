// Music: a performance that plays one segment at a time, a loader that reads Standard MIDI
// Files into segments. On a real sound device the performance is a FluidSynth General MIDI
// synthesiser mixed into the device's output; on the null device (or with no sound font) it
// keeps track of what it is told and renders nothing.
#pragma once

#include <cstdint>
#include <string>

namespace plat {

struct SoundDevice;
struct MusicPerformance;
struct MusicLoader;
struct MusicSegment;

constexpr int32_t MUSIC_OK = 0;
constexpr int32_t MUSICERR_GENERIC = static_cast<int32_t>(0x80004005);
constexpr int32_t MUSICERR_INVALIDPARAM = static_cast<int32_t>(0x80070057);
constexpr int32_t MUSICERR_NOTFOUND = static_cast<int32_t>(0x88781194);

// A segment's repeat count that never runs out.
constexpr uint32_t SEG_REPEAT_INFINITE = 0xFFFFFFFF;

// Master volume in hundredths of a decibel: 0 as made, -20000 (silent) to 2000.
constexpr int32_t MUSIC_VOLUME_MIN = -20000;
constexpr int32_t MUSIC_VOLUME_MAX = 2000;

MusicPerformance* CreateMusicPerformance();
// Opens the default port on the sound device: the General MIDI synthesiser with the sound
// font /usr/share/sounds/sf2/default-GM.sf2 (POMELANE_SOUNDFONT names another). Without a
// sound font, one line on stderr and the music is silent. A null device is allowed.
int32_t InitAudio(MusicPerformance* performance, SoundDevice* device);
// Stops the music and lets go of the sound device.
void CloseDown(MusicPerformance* performance);
// Null does nothing; closes down first if that was not done.
void ReleaseMusicPerformance(MusicPerformance* performance);

MusicLoader* CreateMusicLoader();
void ReleaseMusicLoader(MusicLoader* loader);

// Reads a Standard MIDI File into *segment (repeats 0: plays once). On failure *segment is
// left as it was: MUSICERR_NOTFOUND when the file cannot be read, MUSICERR_GENERIC when it is
// not a MIDI file.
int32_t LoadSegment(MusicLoader* loader, const char* path, MusicSegment** segment);
// Null does nothing. A segment that is playing stops.
void ReleaseSegment(MusicSegment* segment);

// Makes the segment's instruments ready on the performance; unloading takes them away again,
// which silences the segment if it is playing there.
int32_t Download(MusicSegment* segment, MusicPerformance* performance);
int32_t Unload(MusicSegment* segment, MusicPerformance* performance);

// How many times the segment plays again after the first time.
int32_t SetRepeats(MusicSegment* segment, uint32_t repeats);
uint32_t GetRepeats(MusicSegment* segment);

// Plays the segment from its start as the primary segment, replacing whatever plays.
int32_t PlaySegment(MusicPerformance* performance, MusicSegment* segment);

int32_t SetMasterVolume(MusicPerformance* performance, int32_t volume);
int32_t GetMasterVolume(MusicPerformance* performance, int32_t* volume);

// What the performance plays now: the file of its primary segment, "" when nothing.
std::string PlayingSegmentFile(MusicPerformance* performance);
// How many files the loaders have opened in this process (for tests).
uint32_t MusicFilesOpened();

}  // namespace plat
