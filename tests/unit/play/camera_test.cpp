#include <cmath>

#include "play/camera.h"
#include "unit/round/round_fixture.h"

namespace {

class Camera : public test::RoundTest {
protected:
    void Frame(int vk = 0, int level = 1) {
        if (vk) Key(vk, true);
        CameraWork(level);
        if (vk) Key(vk, false);
    }
};

TEST_F(Camera, YawWrapsAtPlusMinus180) {
    game.RotY = 179;
    Frame(plat::VK_RIGHT);
    EXPECT_FLOAT_EQ(game.RotY, -180);
    Frame();
    EXPECT_FLOAT_EQ(game.RotY, -180);
    Frame(plat::VK_LEFT);
    EXPECT_FLOAT_EQ(game.RotY, 179);
}

TEST_F(Camera, FollowCameraLimits) {
    struct Case { int vk, level; float rotX; int zoom; float wantRotX; int wantZoom; };
    for (const Case& c : {Case{'O', 1, -20, 90, -20, 90}, Case{'O', 2, -20, 180, -20, 180},
                          Case{0, 1, -20, 180, -20, 90},  // back to level 1: down to 90
                          Case{'I', 1, -20, 7, -20, 7}, Case{plat::VK_UP, 1, -50, 60, -50, 60},
                          Case{plat::VK_DOWN, 1, 0, 60, 0, 60}, Case{plat::VK_DOWN, 1, -20, 60, -19, 60}}) {
        game.RotX = c.rotX;
        game.Zoom = c.zoom;
        Frame(c.vk, c.level);
        EXPECT_FLOAT_EQ(game.RotX, c.wantRotX) << c.vk;
        EXPECT_EQ(game.Zoom, c.wantZoom) << c.vk << " level " << c.level;
    }
}

TEST_F(Camera, SpaceTogglesOncePerPress) {
    game.Iniflg = 1;
    Key(plat::VK_SPACE, true);
    CameraWork(1);
    EXPECT_EQ(game.CameraConditionFlg, 1);
    EXPECT_EQ(game.Iniflg, 0);
    game.Iniflg = 1;
    for (int i = 0; i < 5; i++) CameraWork(1);
    EXPECT_EQ(game.CameraConditionFlg, 1) << "held";
    EXPECT_EQ(game.Iniflg, 1);
    Key(plat::VK_SPACE, false);
    CameraWork(1);
    Key(plat::VK_SPACE, true);
    CameraWork(1);
    EXPECT_EQ(game.CameraConditionFlg, 0);
}

TEST_F(Camera, FreeCameraMovesAlongItsHeadingAndStaysAboveOne) {
    game.CameraConditionFlg = 1;
    game.Pos = plat::Vec3(0, 5, 0);
    game.RotY = 90;
    game.RotX = 100;
    game.Zoom = 20;
    Frame('W');
    EXPECT_NEAR(game.Pos.x, 3, 1e-5f) << "forward at heading 90 is +x";
    EXPECT_NEAR(game.Pos.z, 0, 1e-5f);
    EXPECT_FLOAT_EQ(game.RotX, 89);
    EXPECT_EQ(game.Zoom, 60);
    Frame('A');
    EXPECT_NEAR(game.Pos.z, 3, 1e-5f) << "left at heading 90 is +z";
    Frame('F');
    EXPECT_FLOAT_EQ(game.Pos.y, 2);
    Frame('F');
    EXPECT_FLOAT_EQ(game.Pos.y, 1);
    Frame('R');
    EXPECT_FLOAT_EQ(game.Pos.y, 4);
    game.RotX = -100;
    Frame();
    EXPECT_FLOAT_EQ(game.RotX, -89);
}

TEST_F(Camera, ViewfinderSlidesInOverFifteenFramesAndOut) {
    game.CameraConditionFlg = 1;
    for (int i = 0; i < 15; i++) DrawFreeCameraFrame();
    EXPECT_NEAR(turn.Smoll, 1.5f, 1e-5f);
    DrawFreeCameraFrame();
    EXPECT_FLOAT_EQ(turn.Smoll, 1.5f);
    game.CameraConditionFlg = 0;
    for (int i = 0; i < 16; i++) DrawFreeCameraFrame();
    EXPECT_FLOAT_EQ(turn.Smoll, 0);
    unsigned draws = app.lpSprite->DrawCount();
    DrawFreeCameraFrame();
    EXPECT_EQ(app.lpSprite->DrawCount(), draws) << "nothing drawn once it is gone";
}

}  // namespace
