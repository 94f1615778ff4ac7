// Writes every bitmap the game names into ROOT/bitmap. With POMELANE_CONTACT_SHEETS=DIR in the
// environment it also writes a contact sheet per bitmap (DIR/<name>.png) for checking by eye.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "assetgen.h"
#include "pictures/sheet.h"
#include "pictures/text.h"

namespace assetgen {

namespace fs = std::filesystem;
using namespace pic;

bool BuildPictures(const std::string& root) {
    std::error_code err;
    fs::create_directories(fs::path(root) / "bitmap", err);
    if (err) {
        std::fprintf(stderr, "pomelane-assets: cannot create %s/bitmap: %s\n", root.c_str(), err.message().c_str());
        return false;
    }
    if (!OpenFonts()) return false;
    const char* contactDir = std::getenv("POMELANE_CONTACT_SHEETS");
    if (contactDir) fs::create_directories(contactDir, err);

    std::vector<std::function<Sheet()>> builders = {
        BuildWhite, BuildLensSheet, BuildSelectSheet, BuildGameTextSheet, BuildSellBox, BuildGlowBall,
        [] { return BuildModeBoard(0); }, [] { return BuildModeBoard(1); }, BuildGaugeSheet, BuildViewfinder,
        BuildFlare, BuildSmokeSheet, BuildDentNotice, BuildCanShadow,
    };
    for (int i = 0; i < CanLabelCount(); ++i) builders.push_back([i] { return BuildCanLabel(i); });
    for (int c = 0; c < 4; ++c) builders.push_back([c] { return BuildCutIn(c); });
    for (auto f : {BuildScoreSheet, BuildIrisMask, BuildLogo, BuildCreditSheet}) builders.push_back(f);

    bool ok = true;
    for (const auto& build : builders) {
        const Sheet sheet = build();
        const Image flat = Flatten(sheet.canvas, sheet.key);
        ok = WriteBmp((fs::path(root) / sheet.file).string(), flat) && ok;
        if (contactDir)
            WritePng((fs::path(contactDir) / fs::path(sheet.file).stem()).string() + ".png", ContactSheet(sheet, flat));
    }
    CloseFonts();
    return ok;
}

}  // namespace assetgen
