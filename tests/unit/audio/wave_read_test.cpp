#include <gtest/gtest.h>

#include <cstring>

#include "audio/wave_read.h"
#include "audio_fixtures.h"

using namespace audiotest;

namespace {

Bytes ReadAll(CWaveSoundRead& r, uint32_t piece) {
    Bytes all;
    Bytes buf(piece);
    for (;;) {
        uint32_t got = 0;
        EXPECT_EQ(r.Read(piece, buf.data(), &got), S_OK);
        if (got == 0) break;
        all.insert(all.end(), buf.begin(), buf.begin() + got);
    }
    return all;
}

Bytes With(Bytes b, std::initializer_list<uint8_t> more) {
    b.insert(b.end(), more);
    return b;
}

const Bytes kSamples = Sequence(10);

TEST(WaveRead, OpenFailsOnAnythingButARiffWaveWithFmtAndData) {
    const Bytes pcmFmt = FmtFields(1, 1, 22050, 16);
    const Bytes data = Chunk("data", kSamples);
    const struct {
        const char* what;
        Bytes file;
        bool formatKept;  // the format was read before the failure
    } cases[] = {
        {"not RIFF", Riff({Chunk("fmt ", pcmFmt), data}, "WAVE", "RIFX"), false},
        {"not WAVE", Riff({Chunk("fmt ", pcmFmt), data}, "AVI "), false},
        {"empty file", {}, false},
        {"header cut short", Bytes{'R', 'I', 'F', 'F', 4, 0}, false},
        {"no fmt chunk", Riff({data}), false},
        {"fmt of 14 bytes", Riff({Chunk("fmt ", Bytes(pcmFmt.begin(), pcmFmt.begin() + 14)), data}), false},
        {"fmt cut by the end of the file", Riff({Chunk("fmt ", Bytes(pcmFmt.begin(), pcmFmt.begin() + 10), 16)}), false},
        {"extra bytes the fmt chunk cannot hold",
         Riff({Chunk("fmt ", With(FmtFields(2, 1, 22050, 4), {40, 0, 1, 2})), data}), false},
        {"no data chunk", Riff({Chunk("fmt ", pcmFmt)}), true},
        // The RIFF size ends the search before the data chunk that follows it in the file.
        {"data past the RIFF chunk's end",
         [&] {
             Bytes b = Riff({Chunk("fmt ", pcmFmt)});
             b.insert(b.end(), data.begin(), data.end());
             return b;
         }(),
         true},
    };
    ScratchDir dir;
    for (const auto& c : cases) {
        dir.Write("t.wav", c.file);
        CWaveSoundRead r;
        EXPECT_EQ(r.Open("t.wav"), E_FAIL) << c.what;
        EXPECT_EQ(r.pwfxInfo != nullptr, c.formatKept) << c.what;
    }
    CWaveSoundRead r;
    EXPECT_EQ(r.Open("missing.wav"), E_FAIL);
    EXPECT_EQ(r.pwfxInfo, nullptr);
}

TEST(WaveRead, FormatRecordIsTheFmtFieldsPlusOnlyANonPcmFormatsExtraBytes) {
    const struct {
        const char* what;
        Bytes fmt;
        uint16_t tag;
        Bytes extra;
    } cases[] = {
        {"PCM, 16 bytes", FmtFields(1, 2, 44100, 16), 1, {}},
        {"PCM, 18 bytes with a cbSize field", With(FmtFields(1, 2, 44100, 16), {0x34, 0x12}), 1, {}},
        {"PCM, 20 bytes with 2 extra", With(FmtFields(1, 2, 44100, 16), {2, 0, 9, 9}), 1, {}},
        {"non-PCM, cbSize 0", With(FmtFields(2, 2, 44100, 4), {0, 0}), 2, {}},
        {"non-PCM, 16 bytes without cbSize", FmtFields(2, 2, 44100, 4), 2, {}},
        {"non-PCM, 2 extra bytes", With(FmtFields(0x11, 1, 22050, 4), {2, 0, 0xAB, 0xCD}), 0x11, {0xAB, 0xCD}},
        {"non-PCM, odd-sized chunk", With(FmtFields(0x11, 1, 22050, 4), {1, 0, 0xEE}), 0x11, {0xEE}},
    };
    ScratchDir dir;
    for (const auto& c : cases) {
        dir.Write("t.wav", Riff({Chunk("fmt ", c.fmt), Chunk("data", kSamples)}));
        CWaveSoundRead r;
        ASSERT_EQ(r.Open("t.wav"), S_OK) << c.what;
        ASSERT_NE(r.pwfxInfo, nullptr);
        EXPECT_EQ(std::memcmp(r.pwfxInfo, c.fmt.data(), 16), 0) << c.what;
        EXPECT_EQ(r.pwfxInfo->wFormatTag, c.tag);
        ASSERT_EQ(r.pwfxInfo->cbSize, c.extra.size()) << c.what;
        const auto* extra = reinterpret_cast<const uint8_t*>(r.pwfxInfo) + sizeof(plat::WaveFormat);
        EXPECT_EQ(Bytes(extra, extra + c.extra.size()), c.extra) << c.what;
        EXPECT_EQ(r.ckIn.cksize, kSamples.size());
        EXPECT_EQ(ReadAll(r, 64), kSamples) << c.what;
    }
}

TEST(WaveRead, FindsTheChunksInAnyOrderHonouringPadBytes) {
    const Bytes fmt = Chunk("fmt ", FmtFields(1, 1, 11025, 8));
    const Bytes odd = Sequence(7, 100);  // an odd data chunk is padded too
    const struct {
        const char* what;
        Bytes file;
        Bytes samples;
    } cases[] = {
        {"data before fmt", Riff({Chunk("data", kSamples), fmt}), kSamples},
        {"odd chunk before fmt", Riff({Chunk("LIST", Sequence(3)), fmt, Chunk("data", kSamples)}), kSamples},
        {"odd chunk between", Riff({fmt, Chunk("fact", Sequence(5)), Chunk("data", kSamples)}), kSamples},
        {"odd data, then a chunk", Riff({fmt, Chunk("data", odd), Chunk("junk", Sequence(9))}), odd},
        {"odd chunks on both sides",
         Riff({Chunk("bext", Sequence(1)), Chunk("data", odd), Chunk("cue ", Sequence(3)), fmt}), odd},
    };
    ScratchDir dir;
    for (const auto& c : cases) {
        dir.Write("t.wav", c.file);
        CWaveSoundRead r;
        ASSERT_EQ(r.Open("t.wav"), S_OK) << c.what;
        EXPECT_EQ(r.pwfxInfo->nSamplesPerSec, 11025u) << c.what;
        EXPECT_EQ(r.ckIn.cksize, c.samples.size()) << c.what;
        EXPECT_EQ(ReadAll(r, 4), c.samples) << c.what;
    }
}

TEST(WaveRead, ReadsContinueWhereTheyStoppedAndEndAtTheChunksEnd) {
    const Bytes samples = Sequence(20000);  // more than the read buffer holds
    ScratchDir dir;
    dir.Write("t.wav", Riff({Chunk("fmt ", FmtFields(1, 2, 44100, 16)), Chunk("data", samples),
                             Chunk("junk", Sequence(100))}));
    CWaveSoundRead r;
    ASSERT_EQ(r.Open("t.wav"), S_OK);
    EXPECT_EQ(ReadAll(r, 3000), samples);

    ASSERT_EQ(r.Reset(), S_OK);
    Bytes buf(30000, 0);
    uint32_t got = 1;
    ASSERT_EQ(r.Read(19990, buf.data(), &got), S_OK);
    EXPECT_EQ(got, 19990u);
    ASSERT_EQ(r.Read(500, buf.data(), &got), S_OK);  // more than is left
    EXPECT_EQ(got, 10u);
    EXPECT_EQ(Bytes(buf.begin(), buf.begin() + 10), Bytes(samples.end() - 10, samples.end()));
    ASSERT_EQ(r.Read(500, buf.data(), &got), S_OK);
    EXPECT_EQ(got, 0u);
}

TEST(WaveRead, ADataChunkLongerThanTheFileFailsTheReadThatReachesTheEnd) {
    const Bytes samples = Sequence(300);
    ScratchDir dir;
    dir.Write("t.wav", Riff({Chunk("fmt ", FmtFields(1, 1, 22050, 8)), Chunk("data", samples, 1000)}));
    CWaveSoundRead r;
    ASSERT_EQ(r.Open("t.wav"), S_OK);
    EXPECT_EQ(r.ckIn.cksize, 1000u);
    Bytes buf(1000, 0);
    uint32_t got = 0;
    ASSERT_EQ(r.Read(200, buf.data(), &got), S_OK);
    EXPECT_EQ(got, 200u);
    got = 99;
    EXPECT_EQ(r.Read(500, buf.data(), &got), E_FAIL);
    EXPECT_EQ(got, 0u);
    // What the file still had was copied, and the count went down by the whole request.
    EXPECT_EQ(Bytes(buf.begin(), buf.begin() + 100), Bytes(samples.begin() + 200, samples.end()));
    EXPECT_EQ(r.ckIn.cksize, 300u);
    EXPECT_EQ(r.Read(500, buf.data(), &got), E_FAIL);
    EXPECT_EQ(got, 0u);
}

}  // namespace
