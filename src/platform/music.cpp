// The music calls over either backend: the loader, segments, the primary segment and the
// master volume.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/music.h"
#include "platform/music_internal.h"
#include "platform/sound_internal.h"

namespace plat {

struct MusicLoader {
    int unused = 0;
};

namespace {

uint32_t gFilesOpened = 0;

uint32_t BigEndian32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

bool IsStandardMidiFile(const std::vector<uint8_t>& b) {
    if (b.size() < 14 || std::memcmp(b.data(), "MThd", 4) != 0) return false;
    const uint32_t headerLength = BigEndian32(&b[4]);
    if (headerLength < 6 || b.size() < 8 + size_t(headerLength)) return false;
    // Every track the header counts must be there whole: a file cut short is not played.
    const unsigned tracks = unsigned(b[10]) << 8 | b[11];
    size_t at = 8 + size_t(headerLength);
    unsigned found = 0;
    while (found < tracks && at + 8 <= b.size()) {
        const size_t length = BigEndian32(&b[at + 4]);
        if (length > b.size() - at - 8) return false;
        found += std::memcmp(&b[at], "MTrk", 4) == 0;
        at += 8 + length;
    }
    return found == tracks;
}

void StopPrimary(MusicPerformance* p) {
    if (!p->current) return;
    p->current->playingOn = nullptr;
    p->current = nullptr;
    if (p->backend) p->backend->Stop();
}

float GainOf(int32_t hundredthsDb) {
    if (hundredthsDb <= MUSIC_VOLUME_MIN) return 0.0f;
    return std::pow(10.0f, hundredthsDb / 2000.0f);
}

}  // namespace

MusicPerformance* CreateMusicPerformance() { return new MusicPerformance; }

int32_t InitAudio(MusicPerformance* performance, SoundDevice* device) {
    if (!performance) return MUSICERR_INVALIDPARAM;
    if (performance->backend) return MUSIC_OK;
    if (device && !SoundDeviceIsNull(device)) performance->backend = CreateFluidSynthBackend(device);
    if (!performance->backend) performance->backend = CreateNullMusicBackend();
    performance->backend->SetGain(GainOf(performance->volume));
    return MUSIC_OK;
}

void CloseDown(MusicPerformance* performance) {
    if (!performance) return;
    StopPrimary(performance);
    performance->backend.reset();
}

void ReleaseMusicPerformance(MusicPerformance* performance) {
    if (!performance) return;
    CloseDown(performance);
    delete performance;
}

MusicLoader* CreateMusicLoader() { return new MusicLoader; }
void ReleaseMusicLoader(MusicLoader* loader) { delete loader; }

int32_t LoadSegment(MusicLoader* loader, const char* path, MusicSegment** segment) {
    if (!loader || !path || !segment) return MUSICERR_INVALIDPARAM;
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return MUSICERR_NOTFOUND;
    ++gFilesOpened;
    std::vector<uint8_t> bytes;
    uint8_t chunk[8192];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    const bool readError = std::ferror(f) != 0;
    std::fclose(f);
    if (readError) return MUSICERR_NOTFOUND;
    if (!IsStandardMidiFile(bytes)) return MUSICERR_GENERIC;
    auto* s = new MusicSegment;
    s->path = path;
    s->bytes = std::move(bytes);
    *segment = s;
    return MUSIC_OK;
}

void ReleaseSegment(MusicSegment* segment) {
    if (!segment) return;
    if (segment->playingOn) StopPrimary(segment->playingOn);
    delete segment;
}

int32_t Download(MusicSegment* segment, MusicPerformance* performance) {
    if (!segment || !performance) return MUSICERR_INVALIDPARAM;
    auto& to = segment->downloadedTo;
    if (std::find(to.begin(), to.end(), performance) == to.end()) to.push_back(performance);
    return MUSIC_OK;
}

int32_t Unload(MusicSegment* segment, MusicPerformance* performance) {
    if (!segment || !performance) return MUSICERR_INVALIDPARAM;
    auto& to = segment->downloadedTo;
    to.erase(std::remove(to.begin(), to.end(), performance), to.end());
    if (segment->playingOn == performance) StopPrimary(performance);
    return MUSIC_OK;
}

int32_t SetRepeats(MusicSegment* segment, uint32_t repeats) {
    if (!segment) return MUSICERR_INVALIDPARAM;
    segment->repeats = repeats;
    return MUSIC_OK;
}

uint32_t GetRepeats(MusicSegment* segment) { return segment ? segment->repeats : 0; }

int32_t PlaySegment(MusicPerformance* performance, MusicSegment* segment) {
    if (!performance || !segment) return MUSICERR_INVALIDPARAM;
    if (!performance->backend) return MUSICERR_GENERIC;
    if (performance->current) performance->current->playingOn = nullptr;
    performance->current = segment;
    segment->playingOn = performance;
    // The player counts plays, not repeats; past INT_MAX plays is as good as endless.
    const int loops = segment->repeats >= 0x7FFFFFFEu ? -1 : int(segment->repeats) + 1;
    performance->backend->Play(segment->bytes, loops);
    return MUSIC_OK;
}

int32_t SetMasterVolume(MusicPerformance* performance, int32_t volume) {
    if (!performance) return MUSICERR_INVALIDPARAM;
    performance->volume = std::clamp(volume, MUSIC_VOLUME_MIN, MUSIC_VOLUME_MAX);
    if (performance->backend) performance->backend->SetGain(GainOf(performance->volume));
    return MUSIC_OK;
}

int32_t GetMasterVolume(MusicPerformance* performance, int32_t* volume) {
    if (!performance || !volume) return MUSICERR_INVALIDPARAM;
    *volume = performance->volume;
    return MUSIC_OK;
}

std::string PlayingSegmentFile(MusicPerformance* performance) {
    if (!performance || !performance->current || !performance->backend ||
        !performance->backend->Playing())
        return "";
    return performance->current->path;
}

uint32_t MusicFilesOpened() { return gFilesOpened; }

}  // namespace plat
