// pomelane-assets ROOT: builds the asset tree into ROOT.
#include <cstdio>

#include "assetgen.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pomelane-assets ROOT\n");
        return 2;
    }
    const std::string root = argv[1];
    bool ok = assetgen::BuildMeshes(root);
    ok = assetgen::BuildPictures(root) && ok;
    ok = assetgen::BuildSounds(root) && ok;
    ok = assetgen::BuildMusic(root) && ok;
    return ok ? 0 : 1;
}
