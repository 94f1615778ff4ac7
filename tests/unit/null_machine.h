// The platform as the headless tests run the game on it: keys set by the test, the fake clock,
// a seeded generator, and a null device handed to the game as its device.
#pragma once

#include "app/app_state.h"
#include "platform/clock.h"
#include "platform/device.h"
#include "platform/keys.h"
#include "platform/rand.h"
#include "platform/sprite.h"
#include "platform/texture.h"

namespace test {

// Keys from the test, all up; the fake clock at 1000 ms; rand seeded with 1.
inline void UseTestMachine() {
    plat::UseScriptedKeys(true);
    plat::ReleaseAllKeys();
    plat::UseFakeClock(1000);
    plat::SRand(1);
}
// The keyboard and the real clock back.
inline void UseRealMachine() {
    plat::ReleaseAllKeys();
    plat::UseScriptedKeys(false);
    plat::UseRealClock();
}

// A null device, current and the game's own (app.lpD3DDevice), with the game's sprite and a
// white 1 x 1 texture as app.lpWhite if asked.
struct NullScreen {
    enum : unsigned { kSprite = 1, kWhite = 2 };

    plat::NullDevice* nd = nullptr;
    plat::Device* device = nullptr;
    unsigned parts = 0;

    void OpenScreen(unsigned what) {
        parts = what;
        nd = plat::CreateNullDevice();
        device = reinterpret_cast<plat::Device*>(nd);
        plat::SetCurrentDevice(device);
        app.lpD3DDevice = device;
        if (parts & kSprite) app.lpSprite = plat::CreateSprite();
        if (parts & kWhite) {
            app.lpWhite = plat::CreateTexture(1, 1);
            app.lpWhite->argb[0] = 0xFFFFFFFF;
        }
    }
    void CloseScreen() {
        if (parts & kWhite) {
            plat::ReleaseTexture(app.lpWhite);
            app.lpWhite = nullptr;
        }
        if (parts & kSprite) {
            plat::ReleaseSprite(app.lpSprite);
            app.lpSprite = nullptr;
        }
        app.lpD3DDevice = nullptr;
        plat::SetCurrentDevice(nullptr);
        plat::DestroyDevice(device);
        nd = nullptr;
        device = nullptr;
    }
};

}  // namespace test
