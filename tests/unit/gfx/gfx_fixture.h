// The shell's shared objects on the null device, for tests of the drawing helpers.
#pragma once

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "gfx/gfx.h"
#include "platform/device.h"
#include "platform/sprite.h"
#include "platform/texture.h"

struct NullScene : ::testing::Test {
    plat::NullDevice* nd = plat::CreateNullDevice();
    plat::Device* device = reinterpret_cast<plat::Device*>(nd);

    NullScene() {
        app = AppState{};
        gfx = GfxState{};
        app.lpD3DDevice = device;
        plat::SetCurrentDevice(device);
        app.lpSprite = plat::CreateSprite();
        app.lpWhite = plat::CreateTexture(1, 1);
        app.lpWhite->argb[0] = 0xFFFFFFFF;
    }
    ~NullScene() override {
        plat::ReleaseTexture(app.lpWhite);
        plat::ReleaseSprite(app.lpSprite);
        plat::DestroyDevice(device);
        app = AppState{};
        gfx = GfxState{};
    }
    const std::vector<plat::NullDraw>& Draws() { return plat::NullDeviceDraws(nd); }
};
