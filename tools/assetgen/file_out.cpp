#include "file_out.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace assetgen {

bool MakeFolder(const std::filesystem::path& dir) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::fprintf(stderr, "pomelane-assets: cannot create %s: %s\n", dir.c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "pomelane-assets: cannot write %s: %s\n", path.c_str(),
                     std::strerror(errno));
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        std::fprintf(stderr, "pomelane-assets: writing %s failed\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace assetgen
