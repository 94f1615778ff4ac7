// The sound table: every file under Wave/ that the game opens, with the design that makes it and
// the level it is written at. The game never changes a buffer's volume, so these peak levels are
// the mix: cues that repeat fast sit lower than the one-off events.
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "assetgen.h"
#include "file_out.h"
#include "sounds/designs.h"
#include "sounds/wav_writer.h"

namespace assetgen {

namespace {

using synth::Buffer;

struct SoundEntry {
    const char* file;
    Buffer (*make)();
    double peakDb;
};

Buffer Can0() { return sounds::CanClank(0); }
Buffer Can1() { return sounds::CanClank(1); }

const SoundEntry kSounds[] = {
    // Front end.
    {"LogoHit.wav", sounds::LogoHit, -1.0},
    {"pochi.wav", sounds::MenuClick, -8.0},
    {"decide2.wav", sounds::MenuDecide, -5.0},
    {"HITPOINT.WAV", sounds::Refusal, -6.0},
    {"be-synbeep4.wav", sounds::MenuBack, -6.0},
    // The round.
    {"Shot.wav", sounds::Shot, -2.0},
    {"PowerShot.wav", sounds::PowerShot, -1.5},
    {"PowerShotFull.wav", sounds::PowerShotFull, -1.0},
    {"PowerShotFull2.wav", sounds::PowerCharge, -3.0},
    {"Clear.wav", sounds::GoalJingle, -3.0},
    {"OB.WAV", sounds::OutOfBounds, -3.0},
    {"ClearStar.wav", sounds::ClearStars, -4.0},
    {"CanTrade.WAV", sounds::CanTrade, -3.0},
    {"Can.wav", Can0, -5.0},
    {"Can1.wav", Can1, -5.0},
    {"ShockA@11.wav", sounds::MissShock, -4.0},
    {"SwitchF00@11.wav", sounds::ShotSwitch, -7.0},
    {"Chaim.wav", sounds::SchoolChime, -4.0},
    {"crash26.wav", sounds::GlassCrash, -1.5},
    {"laser02.wav", sounds::TurnZap, -9.0},
    {"FlashB@22.wav", sounds::GaugeFlash, -7.0},
    // Score table and ceremony.
    {"jump00.wav", sounds::Jump, -5.0},
    {"pochi02@11.wav", sounds::Landing, -5.0},
    {"mirelVoice.wav", sounds::WinnerCheer, -3.0},
    {"FallA@11.wav", sounds::RockFall, -6.0},
    {"DownA@11.wav", sounds::RockLand, -1.5},
};

// Every sound marks an event, so nothing may come before its onset; and every sound ends in
// silence, so stopping or finishing never clicks.
void Finish(Buffer& b, double peakDb) {
    float peak = 0.0f;
    for (float s : b) peak = std::max(peak, std::fabs(s));
    const auto onset = std::find_if(b.begin(), b.end(),
                                    [&](float s) { return std::fabs(s) >= peak * 0.003f; });
    b.erase(b.begin(), onset);
    synth::HighPass(b, 20.0);  // no DC: it would thump when mixed in and out
    synth::Normalize(b, peakDb);
    synth::FadeOut(b, 0.004);
}

}  // namespace

bool BuildSounds(const std::string& root) {
    const std::filesystem::path dir = std::filesystem::path(root) / "Wave";
    if (!MakeFolder(dir)) return false;
    bool ok = true;
    for (const SoundEntry& entry : kSounds) {
        Buffer samples = entry.make();
        Finish(samples, entry.peakDb);
        ok = WriteWav((dir / entry.file).string(), samples) && ok;
    }
    return ok;
}

}  // namespace assetgen
