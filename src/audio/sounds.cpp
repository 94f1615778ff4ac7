#include "audio/sounds.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "audio/audio_state.h"
#include "audio/wave_read.h"

namespace {

// The sample bytes a file holds from offset on.
uint32_t BytesFrom(const char* fname, uint32_t offset) {
    struct stat st;
    if (stat(fname, &st) != 0 || st.st_size <= off_t(offset)) return 0;
    return uint32_t(std::min<off_t>(st.st_size - off_t(offset), UINT32_MAX));
}

}  // namespace

void LoadWAVE(plat::SoundBuffer*& pDSData, const char* fname) {
    CWaveSoundRead reader;
    if (reader.Open(fname) != S_OK) {
        std::fprintf(stderr, "pomelane: cannot read sound %s; it stays silent\n", fname);
        return;
    }

    // A damaged header may claim far more samples than the file holds (up to 4 GB): the
    // buffer holds what is there.
    const uint32_t size = std::min(reader.ckIn.cksize, BytesFrom(fname, reader.ckIn.dwDataOffset));
    if (size < reader.ckIn.cksize)
        std::fprintf(stderr, "pomelane: sound %s is cut short (%u of %u bytes)\n", fname, size, reader.ckIn.cksize);
    plat::SoundBuffer* buffer = nullptr;
    if (plat::CreateSoundBuffer(audio.lpDSound, *reader.pwfxInfo, size, &buffer) != plat::SOUND_OK) {
        if (audio.lpDSound)
            std::fprintf(stderr, "pomelane: cannot play sound %s (%s); it stays silent\n", fname,
                         size == 0 ? "no samples" : "not PCM of 8 or 16 bits, 1 or 2 channels");
        return;
    }
    pDSData = buffer;

    void* pbData = nullptr;
    void* pbData2 = nullptr;
    uint32_t dwLength = 0, dwLength2 = 0;
    int32_t hr = plat::Lock(buffer, 0, size, &pbData, &dwLength, &pbData2, &dwLength2, 0);
    if (hr == plat::SOUNDERR_BUFFERLOST) {
        plat::Restore(buffer);
        hr = plat::Lock(buffer, 0, size, &pbData, &dwLength, &pbData2, &dwLength2, 0);
    }
    if (hr != plat::SOUND_OK) return;  // the buffer stays silent

    uint32_t cbBytesRead = 0;
    reader.Read(dwLength, static_cast<uint8_t*>(pbData), &cbBytesRead);
    if (dwLength2 != 0) reader.Read(dwLength2, static_cast<uint8_t*>(pbData2), &cbBytesRead);
    plat::Unlock(buffer, pbData, dwLength, pbData2, dwLength2);
}

void PlaySound(plat::SoundBuffer* lpS) {
    if (lpS) plat::Play(lpS);
}

bool PlaySoundSet(plat::SoundBuffer* const (&lpS)[3]) {
    for (plat::SoundBuffer* b : lpS) {
        uint32_t status = 0;
        if (b) plat::GetStatus(b, &status);
        if (!(status & plat::SOUNDSTATUS_PLAYING)) {
            PlaySound(b);
            return true;
        }
    }
    return false;
}

void StopSound(plat::SoundBuffer* lpS) {
    if (lpS) plat::Stop(lpS);
}

void ReleaseSound(plat::SoundBuffer*& lpS) {
    if (!lpS) return;
    plat::ReleaseSoundBuffer(lpS);
    lpS = nullptr;
}

void LoadStartSounds() {
    LoadWAVE(audio.lpSLogoHit, "Wave/LogoHit.wav");
    for (int i = 0; i < 3; ++i) {
        LoadWAVE(audio.lpSMenuEnter[i], "Wave/decide2.wav");
        LoadWAVE(audio.lpSError[i], "Wave/HITPOINT.WAV");
        LoadWAVE(audio.lpSPochi[i], "Wave/pochi.wav");
        LoadWAVE(audio.lpSMiss[i], "Wave/be-synbeep4.wav");
    }
}

void ReleaseStartSounds() {
    ReleaseSound(audio.lpSLogoHit);
    for (int i = 0; i < 3; ++i) {
        ReleaseSound(audio.lpSMenuEnter[i]);
        ReleaseSound(audio.lpSError[i]);
        ReleaseSound(audio.lpSPochi[i]);
        ReleaseSound(audio.lpSMiss[i]);
    }
}

void LoadGameSounds() {
    LoadWAVE(audio.lpSShot, "Wave/Shot.wav");
    LoadWAVE(audio.lpSPowerShot, "Wave/PowerShot.wav");
    LoadWAVE(audio.lpSPowerShotFull, "Wave/PowerShotFull.wav");
    LoadWAVE(audio.lpSPowerShotFull2, "Wave/PowerShotFull2.wav");
    LoadWAVE(audio.lpSNotPowerShot, "Wave/HITPOINT.WAV");
    LoadWAVE(audio.lpSGoal, "Wave/Clear.wav");
    LoadWAVE(audio.lpSOB, "Wave/OB.WAV");
    LoadWAVE(audio.lpSClearStar, "Wave/ClearStar.wav");
    LoadWAVE(audio.lpSCanTrade, "Wave/CanTrade.WAV");
    LoadWAVE(audio.lpSGlass, "Wave/crash26.wav");
    LoadWAVE(audio.lpSCan[0], "Wave/Can.wav");
    LoadWAVE(audio.lpSCan[1], "Wave/Can1.wav");
    LoadWAVE(audio.lpSMissShot, "Wave/ShockA@11.wav");
    LoadWAVE(audio.lpSShotSwitch, "Wave/SwitchF00@11.wav");
    LoadWAVE(audio.lpSChaim, "Wave/Chaim.wav");
    for (int k = 0; k < 3; ++k) {
        LoadWAVE(audio.lpSMenuSelect[k], "Wave/pochi.wav");
        LoadWAVE(audio.lpSMenuEnter[k], "Wave/laser02.wav");
        LoadWAVE(audio.lpSParaEnter[k], "Wave/FlashB@22.wav");
    }
}

void ReleaseGameSounds() {
    ReleaseSound(audio.lpSShot);
    ReleaseSound(audio.lpSPowerShot);
    ReleaseSound(audio.lpSPowerShotFull);
    ReleaseSound(audio.lpSPowerShotFull2);
    ReleaseSound(audio.lpSNotPowerShot);
    ReleaseSound(audio.lpSGoal);
    ReleaseSound(audio.lpSClearStar);
    ReleaseSound(audio.lpSOB);
    ReleaseSound(audio.lpSCanTrade);
    ReleaseSound(audio.lpSMissShot);
    ReleaseSound(audio.lpSGlass);
    ReleaseSound(audio.lpSCan[0]);
    ReleaseSound(audio.lpSCan[1]);
    ReleaseSound(audio.lpSShotSwitch);
    ReleaseSound(audio.lpSChaim);
    for (int k = 0; k < 3; ++k) {
        ReleaseSound(audio.lpSMenuSelect[k]);
        ReleaseSound(audio.lpSMenuEnter[k]);
        ReleaseSound(audio.lpSParaEnter[k]);
    }
}

void LoadScoreSounds() {
    LoadWAVE(audio.lpSSample6, "Wave/FallA@11.wav");
    LoadWAVE(audio.lpSSample7, "Wave/DownA@11.wav");
    LoadWAVE(audio.lpSSample3, "Wave/jump00.wav");
    LoadWAVE(audio.lpSSample4, "Wave/pochi02@11.wav");
    LoadWAVE(audio.lpSSample5, "Wave/mirelVoice.wav");
}

void ReleaseScoreSounds() {
    ReleaseSound(audio.lpSSample6);
    ReleaseSound(audio.lpSSample7);
    ReleaseSound(audio.lpSSample3);
    ReleaseSound(audio.lpSSample4);
    ReleaseSound(audio.lpSSample5);
}
