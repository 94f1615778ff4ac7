#include "app/settings.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

Settings ReadSettings(const char* path) {
    Settings s;
    FILE* f = std::fopen(path, "rb");
    if (!f) {
        if (errno != ENOENT) std::fprintf(stderr, "pomelane: cannot read %s: %s\n", path, std::strerror(errno));
        return s;
    }
    char text[64] = {};
    const size_t n = std::fread(text, 1, sizeof text - 1, f);
    std::fclose(f);
    text[n] = '\0';
    int full = 0, music = 0;
    if (std::sscanf(text, "%d%d", &full, &music) != 2) {
        std::fprintf(stderr, "pomelane: %s is not two numbers; starting with both settings 0\n", path);
        return s;
    }
    s.FullScreenFlg = uint8_t(full);
    s.PlayMusicFlg = uint8_t(music);
    return s;
}

bool WriteSettings(const char* path, const Settings& settings) {
    const std::string tmp = std::string(path) + ".tmp";
    FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "pomelane: cannot write %s: %s\n", tmp.c_str(), std::strerror(errno));
        return false;
    }
    const bool wrote = std::fprintf(f, "%d %d\n", settings.FullScreenFlg, settings.PlayMusicFlg) > 0;
    const bool flushed = std::fflush(f) == 0;
    const bool closed = std::fclose(f) == 0;
    if (!wrote || !flushed || !closed || std::rename(tmp.c_str(), path) != 0) {
        std::fprintf(stderr, "pomelane: cannot save %s: %s\n", path, std::strerror(errno));
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}
