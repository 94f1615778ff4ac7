// A picture sheet as the game loads it: one bitmap file, its colour key, and the named source
// rectangles the game cuts from it. Each sheet family has its own file of builders.
#pragma once

#include <string>
#include <vector>

#include "pictures/canvas.h"
#include "pictures/image_file.h"

namespace assetgen::pic {

struct Piece {
    std::string name;
    Rect r;
};

struct Sheet {
    std::string file;  // relative to the asset root, e.g. "bitmap/Select.bmp"
    Key key = Key::None;
    Canvas canvas;
    std::vector<Piece> pieces;

    Sheet(std::string path, int w, int h, Key k) : file(std::move(path)), key(k), canvas(w, h) {}
    // Records a source rectangle and returns a view onto it for drawing its picture.
    View Add(const std::string& name, Rect r) {
        pieces.push_back({name, r});
        return View(canvas, r);
    }
    View All() { return View(canvas); }
};

// Title and menus: Select.bmp, Sell.bmp, Stage.bmp, Round.bmp.
Sheet BuildSelectSheet();
Sheet BuildSellBox();
Sheet BuildModeBoard(int mode);  // 0 Stage.bmp (free play), 1 Round.bmp (mission)
// The round's lettering: GameText.bmp, push.bmp.
Sheet BuildGameTextSheet();
Sheet BuildDentNotice();
// The shot HUD and the free camera: Gauge.bmp, Bg2.bmp.
Sheet BuildGaugeSheet();
Sheet BuildViewfinder();
// Light and effects on black: White, Lens, tama, flare12, Smoke, CanShadow.
Sheet BuildWhite();
Sheet BuildLensSheet();
Sheet BuildGlowBall();
Sheet BuildFlare();
Sheet BuildSmokeSheet();
Sheet BuildCanShadow();
// The ten can labels (index 0..9) and the four cut-ins (character 0..3).
int CanLabelCount();
Sheet BuildCanLabel(int index);
Sheet BuildCutIn(int character);
// Results and credits: Score.bmp, En.bmp, logo.bmp, Credit.bmp.
Sheet BuildScoreSheet();
Sheet BuildIrisMask();
Sheet BuildLogo();
Sheet BuildCreditSheet();

// The textures the meshes name (XFile/tex/).
std::vector<Sheet> BuildMeshTextures();

// The flattened sheet magnified, key colour shown as a checkerboard, every source rectangle
// outlined and labelled with its name.
Image ContactSheet(const Sheet& sheet, const Image& flat);

}  // namespace assetgen::pic
