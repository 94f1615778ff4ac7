// The music table: every file under Mid/ that the game plays, and the piece written into it.
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "assetgen.h"
#include "file_out.h"
#include "music/pieces.h"

namespace assetgen {

namespace {

struct MusicEntry {
    const char* file;
    midi::Song (*compose)();
};

const MusicEntry kMusic[] = {
    {"Opening2.mid", pieces::Title},     {"town1.mid", pieces::Station},
    {"town2.mid", pieces::BridgeRoad},   {"town3.mid", pieces::Classroom},
    {"vok-g01.mid", pieces::Ceremony},   {"vok-g11.mid", pieces::Credits},
};

}  // namespace

bool BuildMusic(const std::string& root) {
    const std::filesystem::path dir = std::filesystem::path(root) / "Mid";
    if (!MakeFolder(dir)) return false;
    bool ok = true;
    for (const MusicEntry& entry : kMusic) {
        try {
            ok = midi::WriteMidi((dir / entry.file).string(), entry.compose()) && ok;
        } catch (const std::invalid_argument& e) {
            std::fprintf(stderr, "pomelane-assets: %s: %s\n", entry.file, e.what());
            ok = false;
        }
    }
    return ok;
}

}  // namespace assetgen
