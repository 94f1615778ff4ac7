// One function per sound effect. Each returns the raw mix; the sound table trims, levels and
// writes it.
#pragma once

#include "sounds/synth.h"

namespace assetgen::sounds {

// Front end.
synth::Buffer LogoHit();
synth::Buffer MenuClick();      // pochi
synth::Buffer MenuDecide();     // decide2
synth::Buffer Refusal();        // HITPOINT
synth::Buffer MenuBack();       // be-synbeep4

// The round.
synth::Buffer Shot();
synth::Buffer PowerShot();
synth::Buffer PowerShotFull();
synth::Buffer PowerCharge();    // PowerShotFull2
synth::Buffer GoalJingle();     // Clear
synth::Buffer OutOfBounds();    // OB
synth::Buffer ClearStars();
synth::Buffer CanTrade();
synth::Buffer CanClank(int variant);
synth::Buffer MissShock();      // ShockA
synth::Buffer ShotSwitch();     // SwitchF00
synth::Buffer SchoolChime();    // Chaim
synth::Buffer GlassCrash();     // crash26
synth::Buffer TurnZap();        // laser02
synth::Buffer GaugeFlash();     // FlashB

// Score table and ceremony.
synth::Buffer Jump();           // jump00
synth::Buffer Landing();        // pochi02
synth::Buffer WinnerCheer();    // mirelVoice
synth::Buffer RockFall();       // FallA
synth::Buffer RockLand();       // DownA

}  // namespace assetgen::sounds
