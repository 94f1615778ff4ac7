// Writes every bitmap the game names into ROOT/bitmap, and the textures the meshes name into
// ROOT/XFile/tex. With POMELANE_CONTACT_SHEETS=DIR in the
// environment it also writes a contact sheet per bitmap (DIR/<name>.png) for checking by eye.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "assetgen.h"
#include "platform/image_file.h"
#include "pictures/sheet.h"
#include "pictures/text.h"

namespace assetgen {

namespace fs = std::filesystem;
using namespace pic;

namespace {

bool WriteContactSheet(const std::string& path, const Image& im) {
    std::vector<uint32_t> argb(im.px.size());
    for (size_t i = 0; i < argb.size(); ++i)
        argb[i] = 0xFF000000u | (uint32_t(im.px[i].r) << 16) | (uint32_t(im.px[i].g) << 8) | im.px[i].b;
    if (plat::SavePng(path.c_str(), argb.data(), im.w, im.h)) return true;
    std::fprintf(stderr, "pomelane-assets: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

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
    auto write = [&](const Sheet& sheet) {
        const fs::path path = fs::path(root) / sheet.file;
        fs::create_directories(path.parent_path(), err);
        const Image flat = Flatten(sheet.canvas, sheet.key);
        ok = WriteBmp(path.string(), flat) && ok;
        if (contactDir)
            WriteContactSheet((fs::path(contactDir) / path.stem()).string() + ".png", ContactSheet(sheet, flat));
    };
    for (const auto& build : builders) write(build());
    for (const Sheet& texture : BuildMeshTextures()) write(texture);
    CloseFonts();
    return ok;
}

}  // namespace assetgen
