#include "audio/wave_read.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// The six fields every fmt chunk starts with, as stored.
constexpr uint32_t kFmtFieldBytes = 16;
constexpr uint32_t kFormatRecordBytes = sizeof(plat::WaveFormat);

void FreeFormat(plat::WaveFormat** ppwfxInfo) {
    std::free(*ppwfxInfo);
    *ppwfxInfo = nullptr;
}

}  // namespace

CWaveSoundRead::CWaveSoundRead() : pwfxInfo(nullptr) {}

CWaveSoundRead::~CWaveSoundRead() {
    Close();
    std::free(pwfxInfo);
}

int32_t CWaveSoundRead::Open(const char* strFilename) {
    FreeFormat(&pwfxInfo);
    Close();  // a reader opened twice would otherwise keep the first file open
    int32_t hr = WaveOpenFile(strFilename, &hmmioIn, &pwfxInfo, &ckInRIFF);
    if (hr != S_OK) return hr;
    return Reset();
}

int32_t CWaveSoundRead::Reset() { return WaveStartDataRead(&hmmioIn, &ckIn, &ckInRIFF); }

int32_t CWaveSoundRead::Read(uint32_t nSizeToRead, uint8_t* pbData, uint32_t* pnSizeRead) {
    return WaveReadFile(hmmioIn, nSizeToRead, pbData, &ckIn, pnSizeRead);
}

int32_t CWaveSoundRead::Close() {
    delete hmmioIn;
    hmmioIn = nullptr;
    return S_OK;
}

int32_t WaveOpenFile(const char* strFileName, HMMIO* phmmioIn, plat::WaveFormat** ppwfxInfo,
                     MMCKINFO* pckInRIFF) {
    HMMIO hmmioIn = BufferedFile::Open(strFileName);
    if (!hmmioIn) return E_FAIL;
    int32_t hr = ReadMMIO(hmmioIn, pckInRIFF, ppwfxInfo);
    if (hr != S_OK) {
        delete hmmioIn;
        return hr;
    }
    *phmmioIn = hmmioIn;
    return S_OK;
}

int32_t ReadMMIO(HMMIO hmmioIn, MMCKINFO* pckInRIFF, plat::WaveFormat** ppwfxInfo) {
    *ppwfxInfo = nullptr;
    if (!hmmioIn->Descend(pckInRIFF, nullptr, 0)) return E_FAIL;
    if (pckInRIFF->ckid != FOURCC_RIFF || pckInRIFF->fccType != FOURCC_WAVE) return E_FAIL;

    MMCKINFO ckIn;
    ckIn.ckid = FOURCC_FMT;
    if (!hmmioIn->Descend(&ckIn, pckInRIFF, MMIO_FINDCHUNK)) return E_FAIL;
    if (ckIn.cksize < kFmtFieldBytes) return E_FAIL;

    uint8_t fields[kFmtFieldBytes];
    if (hmmioIn->Read(fields, kFmtFieldBytes) != long(kFmtFieldBytes)) return E_FAIL;
    uint16_t formatTag;
    std::memcpy(&formatTag, fields, 2);

    if (formatTag == plat::WAVE_FORMAT_PCM) {
        *ppwfxInfo = static_cast<plat::WaveFormat*>(std::malloc(kFormatRecordBytes));
        if (!*ppwfxInfo) return E_FAIL;
        std::memcpy(static_cast<void*>(*ppwfxInfo), fields, kFmtFieldBytes);
        (*ppwfxInfo)->cbSize = 0;
    } else {
        // The size of the extra bytes and the bytes themselves are read only from inside the
        // chunk: a 16-byte chunk has none, and a count the chunk cannot hold fails.
        uint16_t cbExtraBytes = 0;
        if (ckIn.cksize >= kFormatRecordBytes) {
            uint8_t count[2];
            if (hmmioIn->Read(count, 2) != 2) return E_FAIL;
            cbExtraBytes = uint16_t(count[0] | count[1] << 8);
        }
        *ppwfxInfo = static_cast<plat::WaveFormat*>(std::malloc(kFormatRecordBytes + cbExtraBytes));
        if (!*ppwfxInfo) return E_FAIL;
        std::memcpy(static_cast<void*>(*ppwfxInfo), fields, kFmtFieldBytes);
        (*ppwfxInfo)->cbSize = cbExtraBytes;
        auto* extra = reinterpret_cast<uint8_t*>(*ppwfxInfo) + kFormatRecordBytes;
        const uint32_t room = ckIn.cksize >= kFormatRecordBytes ? ckIn.cksize - kFormatRecordBytes : 0;
        if (cbExtraBytes > room || hmmioIn->Read(extra, cbExtraBytes) != long(cbExtraBytes)) {
            FreeFormat(ppwfxInfo);
            return E_FAIL;
        }
    }

    if (!hmmioIn->Ascend(&ckIn)) {
        FreeFormat(ppwfxInfo);
        return E_FAIL;
    }
    return S_OK;
}

int32_t WaveStartDataRead(HMMIO* phmmioIn, MMCKINFO* pckIn, MMCKINFO* pckInRIFF) {
    if (!*phmmioIn) return E_FAIL;
    // Just after "WAVE": the data chunk may stand before or after the fmt chunk.
    if ((*phmmioIn)->Seek(long(pckInRIFF->dwDataOffset) + 4, SEEK_SET) == -1) return E_FAIL;
    pckIn->ckid = FOURCC_DATA;
    if (!(*phmmioIn)->Descend(pckIn, pckInRIFF, MMIO_FINDCHUNK)) return E_FAIL;
    return S_OK;
}

int32_t WaveReadFile(HMMIO hmmioIn, uint32_t cbRead, uint8_t* pbDest, MMCKINFO* pckIn,
                     uint32_t* cbActualRead) {
    *cbActualRead = 0;
    MMIOINFO mmioinfoIn;
    if (!hmmioIn || !hmmioIn->GetInfo(&mmioinfoIn)) return E_FAIL;

    const uint32_t cbDataIn = std::min(cbRead, pckIn->cksize);
    pckIn->cksize -= cbDataIn;

    for (uint32_t cT = 0; cT < cbDataIn; ++cT) {
        if (mmioinfoIn.pchNext == mmioinfoIn.pchEndRead) {
            if (!hmmioIn->Advance(&mmioinfoIn)) return E_FAIL;
            if (mmioinfoIn.pchNext == mmioinfoIn.pchEndRead) return E_FAIL;  // file ends first
        }
        pbDest[cT] = *mmioinfoIn.pchNext++;
    }

    if (!hmmioIn->SetInfo(&mmioinfoIn)) return E_FAIL;
    *cbActualRead = cbDataIn;
    return S_OK;
}
