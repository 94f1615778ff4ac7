// The music operations on the headless performance: one repeating segment at a time, and
// nothing at all, not even a file opened, while music is off.
#include <gtest/gtest.h>

#include "null_audio_fixture.h"

using namespace audiotest;

namespace {

using MusicPlay = NullAudioTest;

std::string Playing() { return plat::PlayingSegmentFile(audio.DMPerf); }

int32_t MasterVolume() {
    int32_t v = -1;
    plat::GetMasterVolume(audio.DMPerf, &v);
    return v;
}

TEST_F(MusicPlay, WithMusicOffNoMidiFileIsEverOpened) {
    for (const char* name : {"Mid/Opening2.mid", "Mid/town1.mid", "Mid/vok-g01.mid", "Mid/vok-g11.mid"})
        dir.Write(name, HeldNoteMidi());
    app.PlayMusicFlg = 1;
    const uint32_t opened = plat::MusicFilesOpened();
    PlayTitleMusic();
    LoadMIDI(&audio.DMSegment1, "Mid/town1.mid");
    MusicPlayLoaded();
    MusicStart("Mid/vok-g01.mid");
    MusicChange("Mid/vok-g11.mid");
    SetMusicVolume(500);
    MusicStop();
    EXPECT_EQ(plat::MusicFilesOpened(), opened);
    EXPECT_EQ(audio.DMSegment1, nullptr);
    EXPECT_EQ(Playing(), "");
    EXPECT_EQ(MasterVolume(), 0);

    // Switched on: the next start loads and plays.
    app.PlayMusicFlg = 0;
    PlayTitleMusic();
    EXPECT_EQ(plat::MusicFilesOpened(), opened + 1);
    EXPECT_EQ(Playing(), "Mid/Opening2.mid");
}

TEST_F(MusicPlay, OnePieceRepeatsWithoutEndUntilTheNextReplacesIt) {
    dir.Write("Mid/Opening2.mid", HeldNoteMidi());
    dir.Write("Mid/town2.mid", HeldNoteMidi(2, 64));
    dir.Write("Mid/vok-g01.mid", HeldNoteMidi(3, 67));
    PlayTitleMusic();
    ASSERT_NE(audio.DMSegment1, nullptr);
    EXPECT_EQ(plat::GetRepeats(audio.DMSegment1), plat::SEG_REPEAT_INFINITE);
    EXPECT_EQ(Playing(), "Mid/Opening2.mid");

    // The stage music: loaded first, started after.
    MusicStop();
    EXPECT_EQ(audio.DMSegment1, nullptr);
    EXPECT_EQ(Playing(), "");
    LoadMIDI(&audio.DMSegment1, "Mid/town2.mid");
    EXPECT_EQ(Playing(), "");
    MusicPlayLoaded();
    EXPECT_EQ(Playing(), "Mid/town2.mid");
    EXPECT_EQ(plat::GetRepeats(audio.DMSegment1), plat::SEG_REPEAT_INFINITE);

    MusicChange("Mid/vok-g01.mid");
    EXPECT_EQ(Playing(), "Mid/vok-g01.mid");
    SetMusicVolume(500);
    EXPECT_EQ(MasterVolume(), 500);

    ReleaseMusicSegment();  // at exit
    EXPECT_EQ(audio.DMSegment1, nullptr);
    EXPECT_EQ(Playing(), "");
}

TEST_F(MusicPlay, AFileThatIsNotThereOrNotMidiLeavesSilence) {
    dir.Write("Mid/bad.mid", Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'R', 'M', 'I', 'D', 0, 0});
    for (const char* name : {"Mid/none.mid", "Mid/bad.mid"}) {
        MusicStart(name);
        EXPECT_EQ(audio.DMSegment1, nullptr) << name;
        EXPECT_EQ(Playing(), "") << name;
        MusicStop();
    }
}

}  // namespace
