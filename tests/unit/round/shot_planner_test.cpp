// Not a test: the planner that wrote tests/e2e/scripts/round_stage*.script. When a stage
// mesh changes, rerun it from the build folder and copy its script over the old one:
//   POMELANE_PLAN_STAGE=2 POMELANE_PLAN_OUT=round_stage2.script ./pomelane_tests
//     --gtest_also_run_disabled_tests --gtest_filter='ShotPlanner.*'
// For each stroke it searches aim, power and angle by flying the can from the aiming state
// (control 100, level 1), plays the best shot by the keys, and records the keys' frames.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/app_state.h"
#include "app/winmain.h"
#include "gfx/gfx.h"
#include "platform/keys.h"
#include "platform/rand.h"
#include "play/angles.h"
#include "play/camera.h"
#include "play/flight.h"
#include "play/gauges.h"
#include "round/game.h"
#include "round/round_start.h"
#include "round/round_state.h"
#include "round/screen.h"

namespace {

struct Snapshot {
    GameState g;
    TurnState t;
    ReadyState r;
    GaugeState ga;
    CameraState c;
    GfxState gf;
    void Take() { g = game, t = turn, r = ready, ga = gauges, c = camera, gf = gfx; }
    void Put() const { game = g, turn = t, ready = r, gauges = ga, camera = c, gfx = gf; }
};

struct Shot {
    int yaw, power, angle;
};
struct Outcome {
    bool holed = false, lost = true;
    float dist = 1e9f;
};

// Out of bounds as the zones of each stage have it, or a can that never settles.
bool Lost(const plat::Vec3& p, bool stopped) {
    if (!stopped || p.y < -10) return true;
    if (game.StageNo == 1) return p.x >= 3250 || p.x <= -3200 || (p.z > 350 && p.z < 1560 && p.y < 280);
    if (game.StageNo == 2 && p.z >= 2060 && p.z <= 2095 && p.y <= 50)
        return (p.x >= -76 && p.x <= -22) || (p.x >= -230 && p.x <= -177);
    return false;
}

// The flight alone, from the aiming state.
Outcome Fly(const Shot& s) {
    game.RotY = float(s.yaw);
    SetUpCamera();
    _CAN& can = game.Can[game.PlayerNo];
    can.Dir = KakudoYnosa(game.LookPos, game.Pos);
    game.CanRollingFlg = 0;
    game.ShotFlg = 6;
    Outcome o;
    for (int f = 0; f < 1500 && game.ShotFlg == 6; f++) {
        tama(s.angle, s.power, 100, 1);
        if (Goal()) {
            o.holed = true;
            o.lost = false;
            return o;
        }
        if (can.Pos.y < -10) return o;
    }
    o.lost = Lost(can.Pos, game.ShotFlg == 7);
    o.dist = plat::Vec3Length(can.Pos - game.GoalPos);
    return o;
}

class Recorder {
public:
    long frames = 0;  // round frames run; the driver runs round frame n in its frame n + 1
    std::string script;

    void Frame() {
        GameFrame();
        frames++;
    }
    void Hold(int vk, const char* name, int n) {
        Event("down", name);
        plat::SetKeyDown(vk, true);
        for (int i = 0; i < n; i++) Frame();
        Event("up", name);
        plat::SetKeyDown(vk, false);
    }
    void TapZ() {
        Event("tap", "Z");
        plat::SetKeyDown('Z', true);
        Frame();
        plat::SetKeyDown('Z', false);
    }
    void Wait(int n) {
        for (int i = 0; i < n; i++) Frame();
    }
    // The keys of a shot: turn, start the power gauge at 100, stop it at power, stop the
    // control at 100 on the marker's way back up, stop the angle.
    void Play(const Shot& s) {
        if (s.yaw > 0) Hold(plat::VK_RIGHT, "Right", s.yaw);
        if (s.yaw < 0) Hold(plat::VK_LEFT, "Left", -s.yaw);
        Frame();
        TapZ();
        Wait(100 - s.power - 1);
        TapZ();
        Wait(s.power + 100 - 1);
        TapZ();
        Wait(s.angle - 1);
        TapZ();
    }

private:
    void Event(const char* verb, const char* arg) {
        script += std::to_string(frames + 2) + " " + verb + " " + arg + "\n";
    }
};

TEST(ShotPlanner, DISABLED_WriteStageScript) {
    const char* stageText = std::getenv("POMELANE_PLAN_STAGE");
    const char* out = std::getenv("POMELANE_PLAN_OUT");
    ASSERT_TRUE(stageText && out);
    const int stage = std::atoi(stageText);
    FILE* f = std::fopen(out, "w");
    ASSERT_TRUE(f);
    ASSERT_EQ(chdir(POMELANE_ASSETS), 0);
    RunOptions run;
    run.headlessWindow = run.nullDevice = run.nullAudio = run.scriptedInput = true;
    ASSERT_TRUE(AppStartup(run));
    plat::SRand(1);  // the driver's default seed
    const int chars[1] = {3};
    ASSERT_TRUE(StartRoundForTest(1, chars, nullptr, stage));

    Recorder rec;
    rec.script = "# A human (character 3) plays stage " + std::to_string(stage) +
                 " from the start point into the goal.\n1 round " + std::to_string(stage) + " h3\n";
    for (int stroke = 0; stroke < 12 && game.FinishFlg == 0; stroke++) {
        while (!(game.ShotFlg == 2 && game.ParaMode == 1)) rec.Frame();
        Snapshot aim;
        aim.Take();
        Outcome best;
        Shot pick{0, 50, 45};
        auto consider = [&](const Shot& s) {
            if (best.holed || s.power < 0 || s.power > 98 || s.angle < 2 || s.angle > 89) return;
            aim.Put();
            Outcome o = Fly(s);
            if (o.holed || (!o.lost && (best.lost || o.dist < best.dist))) best = o, pick = s;
        };
        for (int yaw = -40; yaw <= 40; yaw += 5)
            for (int p = 0; p <= 98; p += 7)
                for (int a = 10; a <= 80; a += 10) consider({yaw, p, a});
        for (int pass = 0; pass < 2; pass++) {
            const Shot around = pick;
            for (int dy = -4; dy <= 4; dy++)
                for (int dp = -6; dp <= 6; dp += 2)
                    for (int da = -8; da <= 8; da += 2)
                        consider({around.yaw + dy, around.power + dp, around.angle + da});
        }
        aim.Put();
        std::printf("stroke %d: yaw %d power %d angle %d%s\n", stroke + 1, pick.yaw, pick.power, pick.angle,
                    best.holed ? " holes out" : "");
        rec.Play(pick);
        for (int f = 0; f < 3000 && game.FinishFlg == 0 && game.ShotFlg != 7 && game.ShotFlg != 0; f++)
            rec.Frame();
    }
    const int* dasu = game.CharBox[0].Dasu;
    rec.script += std::to_string(rec.frames + 1) + " up Z\n#expect \"FinishFlg\":1\n#expect \"Dasu\":[" +
                  std::to_string(dasu[0]) + ", " + std::to_string(dasu[1]) + ", " + std::to_string(dasu[2]) + "]\n";
    EXPECT_EQ(game.FinishFlg, 1);
    std::fputs(rec.script.c_str(), f);
    std::fclose(f);
    GameEnd();
    AppShutdown();
}

}  // namespace
