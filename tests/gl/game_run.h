// The game on the OpenGL device for the screenshot tests: started in the built asset tree with
// null audio and keys set by the test, run frame by frame on the fake clock, its frames saved
// as pictures for a look.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/winmain.h"
#include "platform/clock.h"
#include "platform/device.h"
#include "platform/image_file.h"
#include "platform/keys.h"

namespace game_run {

using Pixels = std::vector<uint32_t>;
using ColourTest = std::function<bool(int r, int g, int b)>;

constexpr size_t kScreenPixels = 640u * 480u;

// The folder under build/ the pictures of one suite go to.
inline std::string ShotFolder(const char* name) { return std::string(POMELANE_ASSETS) + "/../" + name + "/"; }

// The asset tree becomes the current directory and the picture folder is made; false (and a
// failure) without an asset tree.
inline bool EnterAssets(const std::string& shots) {
    if (chdir(POMELANE_ASSETS) != 0) {
        ADD_FAILURE() << "no asset tree at " << POMELANE_ASSETS;
        return false;
    }
    mkdir(shots.c_str(), 0755);
    return true;
}

// Starts the game with null audio and scripted keys; false without a display.
inline bool StartGame() {
    RunOptions run;
    run.nullAudio = true;
    run.scriptedInput = true;
    return AppStartup(run);
}

// Runs n passes of the frame loop, 16 ms apart.
inline void Frames(int n) {
    for (int i = 0; i < n; i++) {
        AppFramePass();
        plat::AdvanceFakeClock(16);
    }
}

// Runs frames (by step) until pred holds, at most limit of them.
template <typename Pred, typename Step = void (*)(int)>
bool FramesUntil(Pred pred, int limit = 3000, Step step = Frames) {
    for (int i = 0; i < limit && !pred(); i++) step(1);
    return pred();
}

// A key down for one frame, then up for framesAfter.
inline void Tap(int vk, int framesAfter = 1) {
    plat::SetKeyDown(vk, true);
    Frames(1);
    plat::SetKeyDown(vk, false);
    Frames(framesAfter);
}

// Saves a frame as path + ".png"; a frame of the wrong size fails the test and is not saved.
inline bool SavePicture(const std::string& path, const Pixels& px) {
    EXPECT_EQ(px.size(), kScreenPixels);
    if (px.size() != kScreenPixels) return false;
    plat::SavePng((path + ".png").c_str(), px.data(), 640, 480);
    return true;
}

// The frame last shown, saved as path + ".png".
inline Pixels Shot(const std::string& path) {
    Pixels px = app.lpD3DDevice->ReadBackBuffer();
    SavePicture(path, px);
    return px;
}

// Pixels of the rectangle whose colour passes the test.
inline int Count(const Pixels& px, int x0, int y0, int x1, int y1, const ColourTest& is) {
    int n = 0;
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++) {
            const uint32_t c = px[size_t(y) * 640 + size_t(x)];
            n += is(int(c >> 16 & 255), int(c >> 8 & 255), int(c & 255));
        }
    return n;
}

// Colours in a picture.
inline size_t Distinct(const Pixels& px) {
    Pixels s(px);
    std::sort(s.begin(), s.end());
    return size_t(std::unique(s.begin(), s.end()) - s.begin());
}

}  // namespace game_run
