// data.txt on any bytes: read, then written and read back unchanged.
#include <cstdint>
#include <cstdlib>

#include "app/settings.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = fuzz::ScratchPath(".txt");
    if (!fuzz::WriteInput(path, data, size)) return 0;
    const Settings s = ReadSettings(path.c_str());
    if (!WriteSettings(path.c_str(), s)) std::abort();
    const Settings back = ReadSettings(path.c_str());
    if (back.FullScreenFlg != s.FullScreenFlg || back.PlayMusicFlg != s.PlayMusicFlg) std::abort();
    return 0;
}
