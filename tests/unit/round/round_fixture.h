// A clean round on the null device: every state struct reset, scripted keys, fake clock.
#pragma once

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "platform/keys.h"
#include "play/camera.h"
#include "play/gauges.h"
#include "round/round_sound.h"
#include "round/round_state.h"
#include "unit/null_machine.h"

namespace test {

inline void ResetRound() {
    game = GameState{};
    turn = TurnState{};
    ready = ReadyState{};
    gauges = GaugeState{};
    camera = CameraState{};
    roundSounds = RoundSoundLog{};
}

class RoundTest : public ::testing::Test, protected NullScreen {
protected:
    void SetUp() override {
        ResetRound();
        UseTestMachine();
        OpenScreen(kSprite);
        app.GameScreen = plat::Viewport{0, 0, 640, 480, 0, 1};
        app.ArrowScreen = plat::Viewport{530, 0, 100, 100, 0, 1};
        app.PauseFlg = 0;
        game.Ninzu = 1;
        game.CharGet[0] = CharParameter{3, 3, 5, 3, 0};
        game.Character = game.CharGet[0];
        game.Can[0].Pos = plat::Vec3(0, 7, 0);
    }
    void TearDown() override {
        CloseScreen();
        UseRealMachine();
        ResetRound();
    }
    static void Key(int vk, bool down) { plat::SetKeyDown(vk, down); }
};

}  // namespace test
