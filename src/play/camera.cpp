#include "play/camera.h"

#include "app/app_state.h"
#include "platform/keys.h"
#include "platform/sprite.h"
#include "play/angles.h"
#include "round/round_state.h"

CameraState camera;

namespace {

bool Down(int vk) { return (plat::GetAsyncKeyState(vk) & 0x8000) != 0; }

template <typename T>
T Clamp(T v, T lo, T hi) { return v < lo ? lo : v > hi ? hi : v; }

}  // namespace

void CameraWork(int Level) {
    if (Down(plat::VK_RIGHT)) game.RotY += 1;
    if (Down(plat::VK_LEFT)) game.RotY -= 1;
    if (game.RotY <= -180) game.RotY += 360;
    if (game.RotY >= 180) game.RotY -= 360;

    if (Down(plat::VK_UP)) game.RotX -= 1;
    if (Down(plat::VK_DOWN)) game.RotX += 1;
    if (Down('I')) game.Zoom -= 1;
    if (Down('O')) game.Zoom += 1;

    if (Down(plat::VK_SPACE)) {
        if (camera.KeyFlg == 0) {
            camera.KeyFlg = 1;
            game.Iniflg = 0;
            game.CameraConditionFlg = game.CameraConditionFlg == 0 ? 1 : 0;
        }
    } else {
        camera.KeyFlg = 0;
    }

    if (game.CameraConditionFlg == 0) {
        if (game.Zoom > (Level == 2 ? 180 : 90)) game.Zoom = Level == 2 ? 180 : 90;
        if (game.Zoom < 7) game.Zoom = 7;
        game.RotX = Clamp(game.RotX, -50.0f, 0.0f);
    } else if (game.CameraConditionFlg == 1) {
        game.RotX = Clamp(game.RotX, -89.0f, 89.0f);
        game.Zoom = 60;
        // Moves follow the view's heading; the pitch does not tilt them.
        plat::Vec3 move;
        if (Down('W')) move += plat::Vec3(0, 0, 3);
        if (Down('S')) move += plat::Vec3(0, 0, -3);
        if (Down('A')) move += plat::Vec3(-3, 0, 0);
        if (Down('D')) move += plat::Vec3(3, 0, 0);
        game.Pos += TurnByHeading(move, game.RotY);
        if (Down('R')) game.Pos.y += 3;
        if (Down('F')) game.Pos.y -= 3;
        if (game.Pos.y < 1) game.Pos.y = 1;
    }
}

void DrawFreeCameraFrame() {
    if (game.CameraConditionFlg != 1 && turn.Smoll == 0) return;
    if (game.CameraConditionFlg == 1 || game.CameraConditionFlg == 2) {
        turn.Smoll += 0.1f;
        if (turn.Smoll > 1.5f) turn.Smoll = 1.5f;
    } else if (turn.Smoll > 0) {
        turn.Smoll -= 0.1f;
        if (turn.Smoll < 0) turn.Smoll = 0;
    }
    if (!app.lpSprite) return;
    plat::Rect src{0, 0, 160, 120};
    plat::Vec2 scale(4, 5.5f - turn.Smoll);
    plat::Vec2 at(0, -75 + 50 * turn.Smoll);
    app.lpSprite->Begin();
    app.lpSprite->Draw(game.lpBg2, &src, &scale, nullptr, 0, &at, 0xFFFFFFFF);
    app.lpSprite->End();
}
