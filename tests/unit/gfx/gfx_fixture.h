// The shell's shared objects on the null device, for tests of the drawing helpers.
#pragma once

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "gfx/gfx.h"
#include "platform/device.h"
#include "platform/sprite.h"
#include "platform/texture.h"
#include "unit/null_machine.h"

struct NullScene : ::testing::Test, test::NullScreen {
    NullScene() {
        app = AppState{};
        gfx = GfxState{};
        OpenScreen(kSprite | kWhite);
    }
    ~NullScene() override {
        CloseScreen();
        app = AppState{};
        gfx = GfxState{};
    }
    const std::vector<plat::NullDraw>& Draws() { return plat::NullDeviceDraws(nd); }
};
