// The loaders read files by name: each input is written to one scratch file first.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

// A file of this process's own in the temporary folder, with the extension the loader expects.
inline const std::string& ScratchPath(const char* extension) {
    static const std::string path = [extension] {
        const char* dir = std::getenv("TMPDIR");
        return std::string(dir && *dir ? dir : "/tmp") + "/pomelane-fuzz-" + std::to_string(getpid()) + extension;
    }();
    return path;
}

inline bool WriteInput(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

}  // namespace fuzz
