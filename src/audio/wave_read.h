// The WAV file reader: checks the RIFF WAVE header, copies the fmt chunk's format out, and
// hands out the data chunk's sample bytes in pieces of the caller's size.
#pragma once

#include <cstdint>

#include "audio/mmio.h"
#include "platform/sound.h"

// Results of the reader: success, and the one code for every failure.
constexpr int32_t S_OK = 0;
constexpr int32_t E_FAIL = static_cast<int32_t>(0x80004005);

constexpr uint32_t FOURCC_WAVE = MakeFourCC('W', 'A', 'V', 'E');
constexpr uint32_t FOURCC_FMT = MakeFourCC('f', 'm', 't', ' ');
constexpr uint32_t FOURCC_DATA = MakeFourCC('d', 'a', 't', 'a');

class CWaveSoundRead {
public:
    plat::WaveFormat* pwfxInfo;  // the fmt chunk's format (cbSize extra bytes follow it)
    HMMIO hmmioIn = nullptr;
    MMCKINFO ckIn;       // the data chunk; cksize counts down the bytes not yet handed out
    MMCKINFO ckInRIFF;   // the outer RIFF chunk

    CWaveSoundRead();
    ~CWaveSoundRead();
    CWaveSoundRead(const CWaveSoundRead&) = delete;
    CWaveSoundRead& operator=(const CWaveSoundRead&) = delete;

    int32_t Open(const char* strFilename);
    // Back to the first sample byte.
    int32_t Reset();
    // Up to nSizeToRead bytes of samples, continuing where the last Read stopped.
    int32_t Read(uint32_t nSizeToRead, uint8_t* pbData, uint32_t* pnSizeRead);
    int32_t Close();
};

int32_t WaveOpenFile(const char* strFileName, HMMIO* phmmioIn, plat::WaveFormat** ppwfxInfo,
                     MMCKINFO* pckInRIFF);
int32_t ReadMMIO(HMMIO hmmioIn, MMCKINFO* pckInRIFF, plat::WaveFormat** ppwfxInfo);
int32_t WaveStartDataRead(HMMIO* phmmioIn, MMCKINFO* pckIn, MMCKINFO* pckInRIFF);
int32_t WaveReadFile(HMMIO hmmioIn, uint32_t cbRead, uint8_t* pbDest, MMCKINFO* pckIn,
                     uint32_t* cbActualRead);
