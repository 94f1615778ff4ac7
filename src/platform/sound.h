// The sound device: a primary buffer that sets the output format, volume and pan, and
// secondary buffers of PCM samples played once without looping. Two backends: a small mixer
// on SDL2 audio, and a null one whose buffers "play" for their length on the game clock.
#pragma once

#include <cstdint>

namespace plat {

// The wave format record as a WAV file's fmt chunk stores it, 18 bytes; cbSize further bytes
// of format-specific data may follow it in memory.
#pragma pack(push, 1)
struct WaveFormat {
    uint16_t wFormatTag = 0;
    uint16_t nChannels = 0;
    uint32_t nSamplesPerSec = 0;
    uint32_t nAvgBytesPerSec = 0;
    uint16_t nBlockAlign = 0;
    uint16_t wBitsPerSample = 0;
    uint16_t cbSize = 0;
};
#pragma pack(pop)
static_assert(sizeof(WaveFormat) == 18, "the record is the file's 18-byte layout");

constexpr uint16_t WAVE_FORMAT_PCM = 1;

// Results of the sound calls.
constexpr int32_t SOUND_OK = 0;
constexpr int32_t SOUNDERR_GENERIC = static_cast<int32_t>(0x80004005);
constexpr int32_t SOUNDERR_INVALIDPARAM = static_cast<int32_t>(0x80070057);
constexpr int32_t SOUNDERR_BADFORMAT = static_cast<int32_t>(0x88780064);
constexpr int32_t SOUNDERR_BUFFERLOST = static_cast<int32_t>(0x88780096);

// Status bits.
constexpr uint32_t SOUNDSTATUS_PLAYING = 1;
constexpr uint32_t SOUNDSTATUS_BUFFERLOST = 2;

// Lock flag: the whole buffer, whatever offset and size say.
constexpr uint32_t SOUNDLOCK_ENTIREBUFFER = 2;

// Volume in hundredths of a decibel (0 full, -10000 silent); pan -10000 (left) to 10000.
constexpr int32_t SOUND_VOLUME_MAX = 0;
constexpr int32_t SOUND_VOLUME_MIN = -10000;
constexpr int32_t SOUND_PAN_LEFT = -10000;
constexpr int32_t SOUND_PAN_RIGHT = 10000;

struct SoundDevice;
struct SoundBuffer;

// Chooses the backend of the next CreateSoundDevice: the null one for tests and scripts.
// The environment variable POMELANE_AUDIO=null chooses it too.
void UseNullAudio(bool null = true);
bool NullAudioInUse();

// Opens the default output. With no audio device at all it says so in one line on stderr
// and gives the null backend's device, so the game runs as it would, silently.
SoundDevice* CreateSoundDevice();
// Drops the caller's reference; the device closes when its buffers and the music that
// plays through it are released too. Null does nothing.
void ReleaseSoundDevice(SoundDevice* device);

// The primary buffer: only its format, volume and pan are used.
SoundBuffer* CreatePrimaryBuffer(SoundDevice* device);
// PCM, 8 or 16 bits, 1 or 2 channels; the device mixes to this format from then on.
int32_t SetFormat(SoundBuffer* primary, const WaveFormat& format);
int32_t GetFormat(SoundBuffer* primary, WaveFormat* format);

// A secondary buffer of bytes bytes of samples in format (PCM, 8 or 16 bits, mono or stereo,
// any rate), filled with silence. On failure *buffer is left as it was.
int32_t CreateSoundBuffer(SoundDevice* device, const WaveFormat& format, uint32_t bytes,
                          SoundBuffer** buffer);
// Null does nothing.
void ReleaseSoundBuffer(SoundBuffer* buffer);

// Lock bytes bytes from offset for writing; a range past the end wraps into a second region
// (ptr2, bytes2; null and 0 when it does not). Fails with SOUNDERR_BUFFERLOST on a lost buffer.
int32_t Lock(SoundBuffer* buffer, uint32_t offset, uint32_t bytes, void** ptr1, uint32_t* bytes1,
             void** ptr2, uint32_t* bytes2, uint32_t flags);
int32_t Unlock(SoundBuffer* buffer, void* ptr1, uint32_t bytes1, void* ptr2, uint32_t bytes2);
// Gives a lost buffer its memory back (silence); its samples must be written again.
int32_t Restore(SoundBuffer* buffer);

// Plays once from the current position to the end, then stops and rewinds to the start.
// A buffer that is already playing goes on as it is. A lost buffer plays nothing.
int32_t Play(SoundBuffer* buffer);
// Stops where it is; the next Play goes on from there.
int32_t Stop(SoundBuffer* buffer);
int32_t GetStatus(SoundBuffer* buffer, uint32_t* status);
int32_t GetCurrentPosition(SoundBuffer* buffer, uint32_t* playByte);

int32_t SetVolume(SoundBuffer* buffer, int32_t volume);
int32_t GetVolume(SoundBuffer* buffer, int32_t* volume);
int32_t SetPan(SoundBuffer* buffer, int32_t pan);
int32_t GetPan(SoundBuffer* buffer, int32_t* pan);

// Test hook: marks every buffer of the device lost, as when the output is taken away.
void LoseSoundBuffers(SoundDevice* device);

}  // namespace plat
