// The sound and music state: the device objects, which live for the whole run, and every
// sound buffer of the screens' sound sets (empty while its set is not loaded).
#pragma once

#include <cstdint>

#include "platform/music.h"
#include "platform/sound.h"

struct AudioState {
    plat::SoundDevice* lpDSound = nullptr;   // the default output
    plat::SoundBuffer* lpSPrimary = nullptr; // only its format, volume and pan are touched
    int32_t NowVolume = 0;                   // the primary buffer's volume and pan found at
    int32_t NowPan = 0;                      // start-up, put back at exit
    plat::MusicPerformance* DMPerf = nullptr;
    plat::MusicLoader* DMLoader = nullptr;
    plat::MusicSegment* DMSegment1 = nullptr;  // the one current piece of music

    // Front end (title and menus).
    plat::SoundBuffer* lpSLogoHit = nullptr;
    plat::SoundBuffer* lpSPochi[3] = {};
    plat::SoundBuffer* lpSMenuEnter[3] = {};  // the front end's and the round's, each its own file
    plat::SoundBuffer* lpSError[3] = {};
    plat::SoundBuffer* lpSMiss[3] = {};

    // Round.
    plat::SoundBuffer* lpSShot = nullptr;
    plat::SoundBuffer* lpSPowerShot = nullptr;
    plat::SoundBuffer* lpSPowerShotFull = nullptr;
    plat::SoundBuffer* lpSPowerShotFull2 = nullptr;
    plat::SoundBuffer* lpSNotPowerShot = nullptr;
    plat::SoundBuffer* lpSGoal = nullptr;
    plat::SoundBuffer* lpSOB = nullptr;
    plat::SoundBuffer* lpSClearStar = nullptr;
    plat::SoundBuffer* lpSCanTrade = nullptr;
    plat::SoundBuffer* lpSCan[2] = {};
    plat::SoundBuffer* lpSMissShot = nullptr;
    plat::SoundBuffer* lpSShotSwitch = nullptr;
    plat::SoundBuffer* lpSChaim = nullptr;
    plat::SoundBuffer* lpSGlass = nullptr;
    plat::SoundBuffer* lpSMenuSelect[3] = {};
    plat::SoundBuffer* lpSParaEnter[3] = {};

    // Score table and ending.
    plat::SoundBuffer* lpSSample3 = nullptr;
    plat::SoundBuffer* lpSSample4 = nullptr;
    plat::SoundBuffer* lpSSample5 = nullptr;
    plat::SoundBuffer* lpSSample6 = nullptr;
    plat::SoundBuffer* lpSSample7 = nullptr;
};
extern AudioState audio;
