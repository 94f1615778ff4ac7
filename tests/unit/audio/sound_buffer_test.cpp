// The sound device's buffers on the headless backend: creation, locks, lost buffers, and
// playing for exactly their length on the game clock.
#include <gtest/gtest.h>

#include "null_audio_fixture.h"
#include "platform/sound_internal.h"

using namespace audiotest;

namespace {

plat::WaveFormat Pcm(uint16_t channels, uint32_t rate, uint16_t bits) {
    plat::WaveFormat f;
    f.wFormatTag = plat::WAVE_FORMAT_PCM;
    f.nChannels = channels;
    f.nSamplesPerSec = rate;
    f.wBitsPerSample = bits;
    f.nBlockAlign = uint16_t(channels * bits / 8);
    f.nAvgBytesPerSec = rate * f.nBlockAlign;
    return f;
}

using SoundBufferTest = NullAudioTest;

TEST_F(SoundBufferTest, OnlyPlayablePcmMakesABufferAndItStartsSilent) {
    plat::WaveFormat adpcm = Pcm(1, 22050, 4);
    adpcm.wFormatTag = 2;
    plat::WaveFormat bits24 = Pcm(2, 44100, 24);
    plat::WaveFormat channels6 = Pcm(6, 44100, 16);
    plat::SoundBuffer* untouched = reinterpret_cast<plat::SoundBuffer*>(0x1);
    for (const plat::WaveFormat& f : {adpcm, bits24, channels6}) {
        EXPECT_NE(plat::CreateSoundBuffer(audio.lpDSound, f, 100, &untouched), plat::SOUND_OK);
        EXPECT_EQ(untouched, reinterpret_cast<plat::SoundBuffer*>(0x1));
    }
    EXPECT_NE(plat::CreateSoundBuffer(audio.lpDSound, Pcm(1, 22050, 16), 0, &untouched), plat::SOUND_OK);

    for (uint16_t bits : {8, 16}) {
        plat::SoundBuffer* b = nullptr;
        ASSERT_EQ(plat::CreateSoundBuffer(audio.lpDSound, Pcm(1, 22050, bits), 6, &b), plat::SOUND_OK);
        void *p1, *p2;
        uint32_t n1, n2;
        ASSERT_EQ(plat::Lock(b, 0, 0, &p1, &n1, &p2, &n2, plat::SOUNDLOCK_ENTIREBUFFER), plat::SOUND_OK);
        EXPECT_EQ(n1, 6u);
        EXPECT_EQ(n2, 0u);
        EXPECT_EQ(p2, nullptr);
        const uint8_t silence = bits == 8 ? 0x80 : 0;
        EXPECT_EQ(Bytes(static_cast<uint8_t*>(p1), static_cast<uint8_t*>(p1) + 6), Bytes(6, silence));
        plat::ReleaseSoundBuffer(b);
    }
}

TEST_F(SoundBufferTest, ALockPastTheEndWrapsAndALostBufferLocksOnlyAfterRestore) {
    plat::SoundBuffer* b = nullptr;
    ASSERT_EQ(plat::CreateSoundBuffer(audio.lpDSound, Pcm(1, 1000, 8), 100, &b), plat::SOUND_OK);
    void *p1, *p2;
    uint32_t n1, n2;
    ASSERT_EQ(plat::Lock(b, 80, 50, &p1, &n1, &p2, &n2, 0), plat::SOUND_OK);
    EXPECT_EQ(n1, 20u);
    EXPECT_EQ(n2, 30u);
    EXPECT_EQ(static_cast<uint8_t*>(p1) - static_cast<uint8_t*>(p2), 80);

    ASSERT_EQ(plat::Play(b), plat::SOUND_OK);
    plat::LoseSoundBuffers(audio.lpDSound);
    uint32_t status = 0;
    plat::GetStatus(b, &status);
    EXPECT_EQ(status, plat::SOUNDSTATUS_BUFFERLOST);
    EXPECT_EQ(plat::Lock(b, 0, 100, &p1, &n1, &p2, &n2, 0), plat::SOUNDERR_BUFFERLOST);
    EXPECT_EQ(plat::Play(b), plat::SOUNDERR_BUFFERLOST);
    EXPECT_FALSE(Playing(b));
    EXPECT_EQ(plat::Restore(b), plat::SOUND_OK);
    EXPECT_EQ(plat::Lock(b, 0, 100, &p1, &n1, &p2, &n2, 0), plat::SOUND_OK);
    EXPECT_EQ(plat::Play(b), plat::SOUND_OK);
    EXPECT_TRUE(Playing(b));
    plat::ReleaseSoundBuffer(b);
}

TEST_F(SoundBufferTest, PlaysItsLengthOnceWithoutRestartingAndStopKeepsThePosition) {
    plat::SoundBuffer* b = nullptr;  // 100 frames at 1000 Hz: 100 ms
    ASSERT_EQ(plat::CreateSoundBuffer(audio.lpDSound, Pcm(2, 1000, 16), 400, &b), plat::SOUND_OK);
    EXPECT_FALSE(Playing(b));
    plat::Play(b);
    Advance(50);
    plat::Play(b);  // goes on as it is
    Advance(10);
    EXPECT_EQ(Position(b), 60u * 4);
    Advance(39);
    EXPECT_TRUE(Playing(b));
    Advance(1);
    EXPECT_FALSE(Playing(b));
    EXPECT_EQ(Position(b), 0u);

    plat::Play(b);
    Advance(30);
    plat::Stop(b);
    Advance(500);
    EXPECT_FALSE(Playing(b));
    EXPECT_EQ(Position(b), 30u * 4);
    plat::Play(b);  // the rest: 70 ms
    Advance(69);
    EXPECT_TRUE(Playing(b));
    Advance(1);
    EXPECT_FALSE(Playing(b));
    plat::ReleaseSoundBuffer(b);
}

TEST_F(SoundBufferTest, PrimaryBufferKeepsItsFormatVolumeAndPan) {
    plat::WaveFormat f;
    ASSERT_EQ(plat::GetFormat(audio.lpSPrimary, &f), plat::SOUND_OK);
    EXPECT_EQ(f.nChannels, 2);
    EXPECT_EQ(f.nSamplesPerSec, 44100u);
    EXPECT_EQ(f.wBitsPerSample, 16);
    EXPECT_EQ(f.nBlockAlign, 4);
    EXPECT_EQ(f.nAvgBytesPerSec, 176400u);
    EXPECT_EQ(plat::SetFormat(audio.lpSPrimary, Pcm(1, 22050, 8)), plat::SOUND_OK);
    plat::GetFormat(audio.lpSPrimary, &f);
    EXPECT_EQ(f.nSamplesPerSec, 22050u);
    EXPECT_NE(plat::SetFormat(audio.lpSPrimary, Pcm(2, 44100, 24)), plat::SOUND_OK);

    EXPECT_EQ(audio.NowVolume, 0);
    EXPECT_EQ(audio.NowPan, 0);
    EXPECT_EQ(plat::SetVolume(audio.lpSPrimary, -1500), plat::SOUND_OK);
    EXPECT_EQ(plat::SetPan(audio.lpSPrimary, 2500), plat::SOUND_OK);
    EXPECT_NE(plat::SetVolume(audio.lpSPrimary, 1), plat::SOUND_OK);
    EXPECT_NE(plat::SetPan(audio.lpSPrimary, -10001), plat::SOUND_OK);
    int32_t v = 0, p = 0;
    plat::GetVolume(audio.lpSPrimary, &v);
    plat::GetPan(audio.lpSPrimary, &p);
    EXPECT_EQ(v, -1500);
    EXPECT_EQ(p, 2500);
}

TEST_F(SoundBufferTest, ShutdownPutsThePrimaryVolumeAndPanBack) {
    plat::SoundDevice* device = audio.lpDSound;
    plat::AddRefSoundDevice(device);  // to look at it after the game let go
    plat::SetVolume(audio.lpSPrimary, -3000);
    plat::SetPan(audio.lpSPrimary, -700);
    AudioShutdown();
    EXPECT_EQ(audio.lpSPrimary, nullptr);
    EXPECT_EQ(audio.lpDSound, nullptr);
    EXPECT_EQ(audio.DMPerf, nullptr);
    EXPECT_EQ(audio.DMLoader, nullptr);
    EXPECT_EQ(device->volume, 0);
    EXPECT_EQ(device->pan, 0);
    EXPECT_EQ(device->refs, 1);  // only ours: nothing else holds it
    plat::ReleaseSoundDevice(device);
}

}  // namespace
