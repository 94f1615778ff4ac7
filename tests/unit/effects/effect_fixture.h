// A round on the null device for the effects' tests: a fresh device, the round's state and
// every effect's state reset, the generator seeded, and the draws read back as vertices.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/app_state.h"
#include "effects/goal_point.h"
#include "effects/shot_sparks.h"
#include "effects/trail.h"
#include "gfx/gfx.h"
#include "platform/device.h"
#include "platform/rand.h"
#include "platform/texture.h"
#include "play/window_crash.h"
#include "round/round_sound.h"
#include "round/round_state.h"
#include "unit/null_machine.h"

class EffectTest : public ::testing::Test, protected test::NullScreen {
protected:
    // Stand-ins for the round's effect textures; only their identity matters here.
    plat::Texture shotEffect_, effectCircle_, smoke_, white_;

    void SetUp() override {
        app = AppState{};
        OpenScreen(0);
        app.lpWhite = &white_;
        game = GameState{};
        turn = TurnState{};
        tail = TailState{};
        shotEfe = ShotEfeState{};
        powerShot = PowerShotState{};
        goalPoint = GoalPointState{};
        windowCrash = WindowCrashState{};
        roundSounds = RoundSoundLog{};
        game.lpShotEffect = &shotEffect_;
        game.lpEffectCircle = &effectCircle_;
        game.lpSmoke = &smoke_;
        game.Ninzu = 1;
        plat::SRand(12345);
    }

    void TearDown() override {
        CloseScreen();
        app = AppState{};
    }

    const std::vector<plat::NullDraw>& Draws() const { return plat::NullDeviceDraws(nd); }
    void ClearDraws() { plat::NullDeviceClearLog(nd); }

    // The vertices of a draw from memory, as the given vertex type.
    template <class V>
    static std::vector<V> Vertices(const plat::NullDraw& d) {
        std::vector<V> out(d.vertices.size() / sizeof(V));
        if (!out.empty()) std::memcpy(out.data(), d.vertices.data(), out.size() * sizeof(V));
        return out;
    }

    static unsigned Alpha(uint32_t argb) { return argb >> 24; }

    // The device is back on the drawing defaults the effects promise to leave.
    void ExpectDefaultBlendAndDepthWrite() const {
        EXPECT_EQ(device->GetRenderState(plat::RS_SRCBLEND), plat::BLEND_SRCALPHA);
        EXPECT_EQ(device->GetRenderState(plat::RS_DESTBLEND), plat::BLEND_INVSRCALPHA);
        EXPECT_EQ(device->GetRenderState(plat::RS_ZWRITEENABLE), 1u);
    }
};
