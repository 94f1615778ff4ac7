#include "audio/mmio.h"

#include <algorithm>
#include <cstring>

BufferedFile* BufferedFile::Open(const char* path) {
    std::FILE* f = path ? std::fopen(path, "rb") : nullptr;
    return f ? new BufferedFile(f) : nullptr;
}

BufferedFile::~BufferedFile() { std::fclose(file_); }

bool BufferedFile::Fill(long at) {
    bufferStart_ = at;
    bufferLength_ = 0;
    if (std::fseek(file_, at, SEEK_SET) != 0) return false;
    bufferLength_ = static_cast<long>(std::fread(buffer_, 1, kBufferSize, file_));
    return !std::ferror(file_);
}

long BufferedFile::Read(void* dest, long bytes) {
    auto* out = static_cast<uint8_t*>(dest);
    long done = 0;
    while (done < bytes) {
        if (pos_ < bufferStart_ || pos_ >= bufferStart_ + bufferLength_) {
            if (!Fill(pos_)) return -1;
            if (bufferLength_ == 0) break;  // end of file
        }
        const long n = std::min(bytes - done, bufferStart_ + bufferLength_ - pos_);
        std::memcpy(out + done, buffer_ + (pos_ - bufferStart_), size_t(n));
        done += n;
        pos_ += n;
    }
    return done;
}

long BufferedFile::Seek(long offset, int origin) {
    const long to = origin == SEEK_CUR ? pos_ + offset : offset;
    if (origin != SEEK_SET && origin != SEEK_CUR) return -1;
    if (to < 0) return -1;
    pos_ = to;
    return pos_;
}

namespace {

uint32_t LittleEndian32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

bool BufferedFile::Descend(MMCKINFO* ck, const MMCKINFO* parent, uint32_t flags) {
    const long long end = parent ? (long long)parent->dwDataOffset + parent->cksize : -1;
    uint8_t header[8];
    uint32_t id = 0, size = 0;
    for (;;) {
        if (end >= 0 && pos_ + 8 > end) return false;
        if (Read(header, 8) != 8) return false;
        id = LittleEndian32(header);
        size = LittleEndian32(header + 4);
        if (!(flags & MMIO_FINDCHUNK) || id == ck->ckid) break;
        // Skip this chunk and its pad byte.
        Seek(long(size) + long(size & 1), SEEK_CUR);
    }
    ck->ckid = id;
    ck->cksize = size;
    ck->dwDataOffset = static_cast<uint32_t>(pos_);
    ck->dwFlags = 0;
    ck->fccType = 0;
    if (id == FOURCC_RIFF || id == FOURCC_LIST) {
        uint8_t form[4];
        if (Read(form, 4) != 4) return false;
        ck->fccType = LittleEndian32(form);
    }
    return true;
}

bool BufferedFile::Ascend(const MMCKINFO* ck) {
    const long end = long(ck->dwDataOffset) + long(ck->cksize) + long(ck->cksize & 1);
    return Seek(end, SEEK_SET) >= 0;
}

bool BufferedFile::GetInfo(MMIOINFO* info) {
    if (pos_ < bufferStart_ || pos_ > bufferStart_ + bufferLength_) {
        bufferStart_ = pos_;
        bufferLength_ = 0;
    }
    info->pchNext = buffer_ + (pos_ - bufferStart_);
    info->pchEndRead = buffer_ + bufferLength_;
    return true;
}

bool BufferedFile::Advance(MMIOINFO* info) {
    pos_ = bufferStart_ + (info->pchNext - buffer_);
    const bool ok = Fill(pos_);
    info->pchNext = buffer_;
    info->pchEndRead = buffer_ + bufferLength_;
    return ok;
}

bool BufferedFile::SetInfo(const MMIOINFO* info) {
    pos_ = bufferStart_ + (info->pchNext - buffer_);
    return true;
}
