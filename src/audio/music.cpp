#include "audio/music.h"

#include <cstdio>

#include "app/app_state.h"
#include "audio/audio_state.h"

namespace {

bool MusicOn() { return app.PlayMusicFlg == 0; }

}  // namespace

void LoadMIDI(plat::MusicSegment** DMSegment, const char* fname) {
    if (!MusicOn()) return;
    const int32_t hr = plat::LoadSegment(audio.DMLoader, fname, DMSegment);
    if (hr == plat::MUSICERR_NOTFOUND || hr == plat::MUSICERR_GENERIC)
        std::fprintf(stderr, "pomelane: %s %s; no music\n", hr == plat::MUSICERR_NOTFOUND ? "cannot read" : "damaged MIDI file", fname);
    if (hr != plat::MUSIC_OK) return;  // also with no music loader at all
    plat::Download(*DMSegment, audio.DMPerf);
}

void MusicStart(const char* fname) {
    if (!MusicOn()) return;
    LoadMIDI(&audio.DMSegment1, fname);
    MusicPlayLoaded();
}

void MusicPlayLoaded() {
    if (!MusicOn() || !audio.DMSegment1) return;
    plat::SetRepeats(audio.DMSegment1, plat::SEG_REPEAT_INFINITE);
    plat::PlaySegment(audio.DMPerf, audio.DMSegment1);
}

void MusicStop() {
    if (!MusicOn()) return;
    ReleaseMusicSegment();
}

void MusicChange(const char* fname) {
    MusicStop();
    MusicStart(fname);
}

void SetMusicVolume(int32_t Vol) {
    if (!MusicOn()) return;
    plat::SetMasterVolume(audio.DMPerf, Vol);
}

void ReleaseMusicSegment() {
    if (!audio.DMSegment1) return;
    plat::Unload(audio.DMSegment1, audio.DMPerf);
    plat::ReleaseSegment(audio.DMSegment1);
    audio.DMSegment1 = nullptr;
}
