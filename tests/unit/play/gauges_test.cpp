#include "play/gauges.h"
#include "unit/round/round_fixture.h"

namespace {

class Gauges : public test::RoundTest {
protected:
    void SetUp() override {
        test::RoundTest::SetUp();
        Fresh();
    }
    // A new shot from idle, for the cases of a table.
    void Fresh() {
        test::ResetRound();
        plat::ReleaseAllKeys();
        game.Ninzu = 1;
        game.Character = CharParameter{3, 3, 5, 3, 0};
        game.ShotFlg = 2;
        power = control = ber = impactColor = 0;
        level = 1;
        impactRot = 45;
    }
    // One frame of the gauges with these keys held.
    void Frame(bool z = false, bool x = false, bool shift = false) {
        Key('Z', z);
        Key('X', x);
        Key(plat::VK_SHIFT, shift);
        Parameter(&power, &control, &ber, &level, &impactRot, &impactColor);
    }
    // A press and its release frame.
    void Press() {
        Frame(true);
        Frame();
    }
    // Runs frames without keys, then presses in the frame whose marker step lands on value.
    void PressAt(int value) {
        for (int i = 0; i < 400; i++) {
            int gm = gauges.GaugeMove;
            if (ber <= 0) gm = -gm;
            if (ber - gm == value && game.KeyFlg == 0) {
                Frame(true);
                return;
            }
            Frame();
        }
        FAIL() << "the marker never reached " << value;
    }
    // Fixes power p and control c, then the angle at 2.
    void Shot(int p, int c) {
        Frame(true);  // start
        PressAt(p);
        PressAt(c);
        Frame();
        Frame(true);
    }
    int power = 0, control = 0, ber = 0, level = 1, impactRot = 45, impactColor = 0;
};

TEST_F(Gauges, PowerMarkerFallsTurnsAtZeroAndCancelsPastHundred) {
    Frame(true);
    EXPECT_EQ(game.ParaMode, 2);
    EXPECT_EQ(ber, 100);
    EXPECT_EQ(impactRot, 0);
    EXPECT_EQ(roundSounds.Count(RoundSound::lpSParaEnter), 1);
    int frames = 0, low = 100;
    while (game.ParaMode == 2 && frames < 1000) {
        Frame();
        frames++;
        if (game.ParaMode == 2) {
            EXPECT_EQ(power, ber);
            EXPECT_FLOAT_EQ(game.SwingRot, (100 - power) * 1.3f);
            low = std::min(low, ber);
        }
    }
    EXPECT_EQ(frames, 201) << "down 100, up 101";
    EXPECT_EQ(low, 0);
    EXPECT_EQ(game.ParaMode, 1);
    EXPECT_EQ(ber, 0);
    EXPECT_EQ(power, 0);
    EXPECT_FLOAT_EQ(game.SwingRot, 0);
    EXPECT_EQ(gauges.GaugeMove, 1) << "the next shot starts alike";
}

TEST_F(Gauges, XCancelsAndZInTheSameFrameStartsAgain) {
    Press();
    EXPECT_EQ(ber, 99);
    Frame(true, true);  // cancels the running gauge, then the press starts a new one
    EXPECT_EQ(game.ParaMode, 2);
    EXPECT_EQ(ber, 100);
    Frame(false, true);  // X held: cancelled one frame after the start
    EXPECT_EQ(game.ParaMode, 1);
    EXPECT_EQ(power, 0);
    EXPECT_FLOAT_EQ(game.SwingRot, 0);
    Frame(false, true);
    EXPECT_EQ(game.ParaMode, 1) << "X does nothing while idle";
}

TEST_F(Gauges, ControlRunsOutAt115AndTheAngleRunsBackToFireByItself) {
    game.Can[0].Dir = 12;
    Frame(true);
    PressAt(50);  // marker still falling
    EXPECT_EQ(game.ParaMode, 3);
    int frames = 0;
    while (game.ParaMode == 3 && frames < 1000) {
        Frame();
        frames++;
    }
    EXPECT_EQ(control, 115);
    EXPECT_EQ(game.ParaMode, 4);
    // The angle rises from 0 to 90 and falls back; at 0 the swing starts unasked.
    int top = 0;
    while (game.ParaMode == 4 && frames < 2000) {
        Frame();
        frames++;
        top = std::max(top, impactRot);
    }
    EXPECT_EQ(top, 90);
    EXPECT_EQ(impactRot, 0);
    EXPECT_EQ(game.ParaMode, 5);
    for (int i = 0; i < 16; i++) Frame();
    EXPECT_EQ(game.ParaMode, 1) << "the swing ran and ended";
    EXPECT_EQ(game.ShotFlg, 5);
    EXPECT_EQ(game.MissShotFlg, 0) << "no miss test without the fourth press";
    EXPECT_FLOAT_EQ(game.Can[0].Dir, 12) << "nor a new heading";
}

TEST_F(Gauges, MissesOutsideNinetyToHundredTen) {
    struct Case { int control, miss; };
    for (const Case& c : {Case{89, 1}, Case{90, 0}, Case{100, 0}, Case{110, 0}, Case{111, 1}}) {
        Fresh();
        Shot(0, c.control);
        EXPECT_EQ(control, c.control);
        EXPECT_EQ(game.MissShotFlg, c.miss) << c.control;
        EXPECT_EQ(game.ParaMode, 5);
        EXPECT_EQ(game.Zoom, 60);
    }
}

TEST_F(Gauges, PerfectPowerShotNeedsPowerZeroControlHundredLevelTwo) {
    struct Case { int level, power, control, glow; };
    for (const Case& c : {Case{2, 0, 100, 1}, Case{2, 0, 99, 0}, Case{2, 1, 100, 0}, Case{1, 0, 100, 0}}) {
        Fresh();
        if (c.level == 2) {
            Frame(false, false, true);
            Frame();
        }
        ASSERT_EQ(level, c.level);
        Shot(c.power, c.control);
        EXPECT_EQ(game.CharEfeFlg, c.glow) << c.level << " " << c.power << " " << c.control;
        EXPECT_EQ(game.Character.PowerShot, c.level == 2 ? 2 : 3) << "used at the fourth press";
    }
}

TEST_F(Gauges, LevelTogglesOnlyWithPowerShotsLeft) {
    Frame(false, false, true);
    EXPECT_EQ(level, 2);
    Frame(false, false, true);
    EXPECT_EQ(level, 2) << "held: no second toggle";
    Frame();
    Frame(false, false, true);
    EXPECT_EQ(level, 1);
    EXPECT_EQ(roundSounds.Count(RoundSound::lpSShotSwitch), 2);

    Frame();
    game.Character.PowerShot = 0;
    Frame(false, false, true);
    Frame(false, false, true);
    EXPECT_EQ(level, 1);
    EXPECT_EQ(game.KeyFlg, 0) << "the refusal takes no latch, so it sounds every frame";
    EXPECT_EQ(roundSounds.Count(RoundSound::lpSNotPowerShot), 2);
}

TEST_F(Gauges, SwingTakesSixteenFramesButNoneAtPowerHundred) {
    for (int p : {0, 37, 99}) {
        Fresh();
        Frame(true);
        PressAt(p);
        PressAt(105);
        Frame();
        Frame(true);  // the fourth press is the swing's first frame
        int frames = 1;
        while (game.ShotFlg != 5 && frames < 100) {
            Frame();
            frames++;
        }
        EXPECT_EQ(frames, 16) << p;
        EXPECT_EQ(impactColor, 1);
        EXPECT_EQ(game.ParaMode, 1);
        EXPECT_FLOAT_EQ(gauges.kasoku, 0);
    }
    Fresh();
    Frame(true);
    PressAt(100);  // on the marker's way back up
    EXPECT_EQ(power, 100);
    PressAt(105);
    Frame();
    Frame(true);
    EXPECT_EQ(game.ShotFlg, 5) << "over in the frame of the fourth press";
}

TEST_F(Gauges, ZoomAndPitchGlideBackOnceAGaugeRuns) {
    game.Zoom = 63;
    game.RotX = -41.5f;
    Frame(true);  // the phase is still 1 while this frame's steps run up to the press
    EXPECT_EQ(game.Zoom, 63);
    Frame();
    EXPECT_EQ(game.Zoom, 62);
    EXPECT_FLOAT_EQ(game.RotX, -40.5f);
    for (int i = 0; i < 30; i++) Frame();
    EXPECT_EQ(game.Zoom, 60);
    EXPECT_FLOAT_EQ(game.RotX, -20);
}

}  // namespace
