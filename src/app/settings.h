// data.txt: the two settings, full-screen flag then music flag, as "%d %d\n".
#pragma once

#include <cstdint>

struct Settings {
    uint8_t FullScreenFlg = 0;
    uint8_t PlayMusicFlg = 0;
};

// A missing, empty or malformed file gives both flags 0 (and says why on stderr unless the
// file is simply missing).
Settings ReadSettings(const char* path);
// Writes a temporary file beside path and renames it over path, so a failed write never
// damages the settings already there. Returns false (and says why on stderr) on failure.
bool WriteSettings(const char* path, const Settings& settings);
