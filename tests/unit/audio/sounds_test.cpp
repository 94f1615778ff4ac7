// Loading WAV files into buffers and the play rules, on the headless backend.
#include <gtest/gtest.h>

#include "null_audio_fixture.h"

using namespace audiotest;

namespace {

using SoundPlay = NullAudioTest;

Bytes BufferBytes(plat::SoundBuffer* b) {
    void *p1, *p2;
    uint32_t n1, n2;
    EXPECT_EQ(plat::Lock(b, 0, 0, &p1, &n1, &p2, &n2, plat::SOUNDLOCK_ENTIREBUFFER), plat::SOUND_OK);
    Bytes bytes(static_cast<uint8_t*>(p1), static_cast<uint8_t*>(p1) + n1);
    plat::Unlock(b, p1, n1, p2, n2);
    return bytes;
}

// 8-bit mono at 1000 Hz: one byte a millisecond.
Bytes Clip(uint32_t ms) { return PcmWav(1, 1000, 8, Sequence(ms, 3)); }

TEST_F(SoundPlay, LoadWaveHoldsExactlyTheDataChunk) {
    const Bytes samples = Sequence(301, 9);
    dir.Write("Wave/odd.wav", Riff({Chunk("LIST", Sequence(5)), Chunk("data", samples),
                                    Chunk("fact", Sequence(3)), Chunk("fmt ", FmtFields(1, 1, 11025, 8))}));
    plat::SoundBuffer* b = nullptr;
    LoadWAVE(b, "Wave/odd.wav");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(BufferBytes(b), samples);

    // The file ends early, a little or by gigabytes as a damaged header may claim: the buffer
    // holds what the file held.
    const Bytes some = Sequence(300, 9);
    plat::SoundBuffer* s = nullptr;
    for (int64_t claimed : {400ll, 0xFFFFFFF0ll}) {
        dir.Write("Wave/short.wav", Riff({Chunk("fmt ", FmtFields(1, 1, 11025, 8)), Chunk("data", some, claimed)}));
        ReleaseSound(s);
        LoadWAVE(s, "Wave/short.wav");
        ASSERT_NE(s, nullptr) << claimed;
        EXPECT_EQ(BufferBytes(s), some) << claimed;
    }
    ReleaseSound(b);
    ReleaseSound(s);
    EXPECT_EQ(b, nullptr);
}

TEST_F(SoundPlay, AFileThatCannotBePlayedLeavesTheReferenceEmpty) {
    dir.Write("Wave/adpcm.wav", Riff({Chunk("fmt ", FmtFields(2, 1, 22050, 4)), Chunk("data", Sequence(40))}));
    dir.Write("Wave/empty.wav", PcmWav(1, 22050, 16, {}));
    dir.Write("Wave/text.wav", Bytes{'h', 'e', 'l', 'l', 'o'});
    for (const char* name : {"Wave/adpcm.wav", "Wave/empty.wav", "Wave/text.wav", "Wave/none.wav"}) {
        plat::SoundBuffer* b = nullptr;
        LoadWAVE(b, name);
        EXPECT_EQ(b, nullptr) << name;
        PlaySound(b);  // an empty reference plays nothing and does not fail
        StopSound(b);
        ReleaseSound(b);
    }
    AudioShutdown();  // no device at all: still nothing
    plat::SoundBuffer* b = nullptr;
    dir.Write("Wave/ok.wav", Clip(10));
    LoadWAVE(b, "Wave/ok.wav");
    EXPECT_EQ(b, nullptr);
}

TEST_F(SoundPlay, ASingleBufferTriggeredAgainWhilePlayingPlaysOnce) {
    dir.Write("Wave/shot.wav", Clip(200));
    LoadWAVE(audio.lpSShot, "Wave/shot.wav");
    PlaySound(audio.lpSShot);
    Advance(150);
    PlaySound(audio.lpSShot);  // lost: not restarted
    EXPECT_EQ(Position(audio.lpSShot), 150u);
    Advance(50);
    EXPECT_FALSE(Playing(audio.lpSShot));
    PlaySound(audio.lpSShot);
    EXPECT_TRUE(Playing(audio.lpSShot));
}

TEST_F(SoundPlay, ASetOfThreeOverlapsThreeCopiesAndTheFourthTriggerIsSilent) {
    dir.Write("Wave/pochi.wav", Clip(100));
    for (auto& b : audio.lpSPochi) LoadWAVE(b, "Wave/pochi.wav");
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(PlaySoundSet(audio.lpSPochi));
        for (int k = 0; k < 3; ++k) EXPECT_EQ(Playing(audio.lpSPochi[k]), k <= i) << i << " " << k;
        Advance(10);
    }
    EXPECT_FALSE(PlaySoundSet(audio.lpSPochi));  // at 30 ms, all three still sound
    for (auto* b : audio.lpSPochi) EXPECT_EQ(Position(b) <= 30, true);
    Advance(70);  // the first one has ended
    EXPECT_FALSE(Playing(audio.lpSPochi[0]));
    EXPECT_TRUE(PlaySoundSet(audio.lpSPochi));
    EXPECT_TRUE(Playing(audio.lpSPochi[0]));
    EXPECT_EQ(Position(audio.lpSPochi[1]), 90u);  // the others went on undisturbed
}

TEST_F(SoundPlay, ASetWhoseFileIsMissingFindsAnIdleBufferAndPlaysNothing) {
    for (auto& b : audio.lpSMiss) LoadWAVE(b, "Wave/be-synbeep4.wav");
    EXPECT_TRUE(PlaySoundSet(audio.lpSMiss));
    EXPECT_TRUE(PlaySoundSet(audio.lpSMiss));
}

// Against the asset builder's own tree: every file each set names is there and playable.
TEST_F(SoundPlay, EachScreensSetLoadsEveryBufferFromTheBuiltAssets) {
#ifdef POMELANE_ASSETS
    if (chdir(POMELANE_ASSETS) != 0) GTEST_SKIP() << "no asset tree at " << POMELANE_ASSETS;
#else
    GTEST_SKIP() << "no asset tree";
#endif
    auto held = [] {
        int n = 0;
        const AudioState& a = audio;
        for (plat::SoundBuffer* b :
             {a.lpSLogoHit, a.lpSShot, a.lpSPowerShot, a.lpSPowerShotFull, a.lpSPowerShotFull2,
              a.lpSNotPowerShot, a.lpSGoal, a.lpSOB, a.lpSClearStar, a.lpSCanTrade, a.lpSCan[0], a.lpSCan[1],
              a.lpSMissShot, a.lpSShotSwitch, a.lpSChaim, a.lpSGlass, a.lpSSample3, a.lpSSample4,
              a.lpSSample5, a.lpSSample6, a.lpSSample7})
            n += b != nullptr;
        for (auto* set : {a.lpSPochi, a.lpSMenuEnter, a.lpSError, a.lpSMiss, a.lpSMenuSelect, a.lpSParaEnter})
            for (int k = 0; k < 3; ++k) n += set[k] != nullptr;
        return n;
    };
    LoadStartSounds();
    EXPECT_EQ(held(), 1 + 4 * 3);
    ReleaseStartSounds();
    LoadGameSounds();
    EXPECT_EQ(held(), 15 + 3 * 3);
    ReleaseGameSounds();
    LoadScoreSounds();
    EXPECT_EQ(held(), 5);
    ReleaseScoreSounds();
    EXPECT_EQ(held(), 0);

    for (const char* name : {"Mid/Opening2.mid", "Mid/town1.mid", "Mid/town2.mid", "Mid/town3.mid",
                             "Mid/vok-g01.mid", "Mid/vok-g11.mid"}) {
        MusicChange(name);
        EXPECT_EQ(plat::PlayingSegmentFile(audio.DMPerf), name);
    }
}

}  // namespace
