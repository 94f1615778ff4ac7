// Buffered reading of RIFF files: a file with a read buffer the caller may copy from directly,
// and chunk descent and ascent.
#pragma once

#include <cstdint>
#include <cstdio>

constexpr uint32_t MakeFourCC(char a, char b, char c, char d) {
    return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 |
           uint32_t(uint8_t(d)) << 24;
}

constexpr uint32_t FOURCC_RIFF = MakeFourCC('R', 'I', 'F', 'F');
constexpr uint32_t FOURCC_LIST = MakeFourCC('L', 'I', 'S', 'T');

// Descend flag: search for the chunk whose identifier is given.
constexpr uint32_t MMIO_FINDCHUNK = 0x10;

// A chunk record.
struct MMCKINFO {
    uint32_t ckid = 0;          // identifier
    uint32_t cksize = 0;        // bytes of chunk data
    uint32_t fccType = 0;       // form type, RIFF and LIST chunks only
    uint32_t dwDataOffset = 0;  // file offset of the chunk data
    uint32_t dwFlags = 0;
};

// Direct access to the read buffer: bytes from pchNext up to pchEndRead are the file's next.
struct MMIOINFO {
    const uint8_t* pchNext = nullptr;
    const uint8_t* pchEndRead = nullptr;
};

class BufferedFile {
public:
    // Null when the file cannot be opened for reading.
    static BufferedFile* Open(const char* path);
    ~BufferedFile();
    BufferedFile(const BufferedFile&) = delete;
    BufferedFile& operator=(const BufferedFile&) = delete;

    // Bytes read (fewer at the end of the file), -1 on a read error.
    long Read(void* dest, long bytes);
    // The new position from the start, -1 on failure. origin is SEEK_SET or SEEK_CUR.
    long Seek(long offset, int origin);

    // Reads the chunk header at the current position into ck, or with MMIO_FINDCHUNK searches
    // from there, within parent, for a chunk whose identifier is ck->ckid, skipping others
    // and their pad bytes. Afterwards the position is the chunk's data (after the form type
    // of a RIFF or LIST chunk). False when no such chunk is there.
    bool Descend(MMCKINFO* ck, const MMCKINFO* parent, uint32_t flags);
    // Moves past the end of the chunk and its pad byte.
    bool Ascend(const MMCKINFO* ck);

    // The read buffer at the current position; Advance refills it from where pchNext stands
    // (an empty buffer at the end of the file), SetInfo makes pchNext the position.
    bool GetInfo(MMIOINFO* info);
    bool Advance(MMIOINFO* info);
    bool SetInfo(const MMIOINFO* info);

private:
    explicit BufferedFile(std::FILE* f) : file_(f) {}
    bool Fill(long at);

    static constexpr long kBufferSize = 8192;
    std::FILE* file_;
    uint8_t buffer_[kBufferSize];
    long bufferStart_ = 0;  // file offset of buffer_[0]
    long bufferLength_ = 0;
    long pos_ = 0;
};

using HMMIO = BufferedFile*;
