#include "play/flight.h"

#include <algorithm>
#include <cmath>

#include "platform/mesh.h"
#include "platform/rand.h"
#include "play/angles.h"
#include "round/round_sound.h"
#include "round/round_state.h"

using plat::Matrix;
using plat::Vec3;

namespace {

// The can keeps this far from any surface it touches.
constexpr float kClearance = 7.0f;

bool IsIdentity(const Matrix& m) {
    Matrix id;
    plat::MatrixIdentity(&id);
    return m == id;
}

// A ray brought into the mesh's own space; its hit distance is in world units for the
// unit directions and rigid placements the game uses.
struct PlacedMesh {
    const plat::Mesh* mesh;
    bool identity;
    Matrix inverse;

    PlacedMesh(const Matrix& mTrans, const plat::Mesh* m) : mesh(m), identity(IsIdentity(mTrans)) {
        if (!identity && !plat::MatrixInverse(&inverse, nullptr, &mTrans)) mesh = nullptr;
    }

    bool Cast(const Vec3& origin, const Vec3& dir, float* dist) const {
        if (!mesh) return false;
        Vec3 o = origin, d = dir;
        if (!identity) {
            Vec3 end = origin + dir;
            plat::Vec3TransformCoord(&o, &origin, &inverse);
            plat::Vec3TransformCoord(&end, &end, &inverse);
            d = end - o;
        }
        bool hit = false;
        if (!plat::IntersectMesh(mesh, o, d, &hit, dist)) return false;
        return hit;
    }
};

bool PerfectPowerShot(int Power, int Control, int Level) {
    return Level == 2 && Power == 0 && Control == 100;
}

}  // namespace

float Speed(int Power, int Level, int CharPowerLevel) {
    return (float(100 - Power) / 10.0f + float((Level - 1) * 2)) *
           (1.6f + float(CharPowerLevel) / 10.0f);
}

void HeadSpeed(int Power, float Ang, int Level, Vec3* p) {
    float s = Speed(Power, Level, game.Character.Power);
    float r = Ang * plat::kDegToRad;
    p->z = std::cos(r) * s;
    p->y = std::sin(r) * s;
}

int rei3(const Matrix& mTrans, XFILE* lpMesh, Vec3* Fow) {
    _CAN& can = game.Can[game.PlayerNo];
    PlacedMesh placed(mTrans, lpMesh ? lpMesh->lpMesh : nullptr);
    int result = 0;
    float d = 0;

    // Ceiling.
    if (Fow->y > 0 && placed.Cast(can.Pos, Vec3(0, 1, 0), &d) && d < kClearance + Fow->y) {
        result = 1;
        PlayCanSound();
        can.Pos.y -= kClearance - d;
        Fow->y = 0;
        game.FlyPos.y = -game.FlyPos.y;
    }
    // Floor: a landing too slow to bounce lays the can down to roll.
    if (Fow->y < 0) {
        if (placed.Cast(can.Pos, Vec3(0, -1, 0), &d) && d < kClearance - Fow->y) {
            result = 1;
            if (Fow->y < -3) PlayCanSound();
            can.Pos.y += kClearance - d;
            Fow->y = 0;
            game.FlyPos.y = -game.FlyPos.y / 3;
            if (game.FlyPos.y < 1) {
                game.FlyPos.y = 0;
                can.Lean = 90;
                game.CanRollingFlg = 1;
            }
        } else {
            game.CanRollingFlg = 0;
        }
    }
    // Along the path: stop short of a wall and mirror the velocity about it.
    float m = plat::Vec3Length(*Fow);
    if (m > 0) {
        Vec3 u = *Fow / m;
        if (placed.Cast(can.Pos, u, &d) && d < m) {
            if (m > 3) PlayCanSound();
            Fow->x = 0;
            Fow->z = 0;
            Vec3 side(u.z, 0, -u.x);
            plat::Vec3Normalize(&side, &side);
            Vec3 s = can.Pos + side;
            can.Pos += u * (d - kClearance);
            float d2 = 0;
            if (placed.Cast(s, u, &d2)) {
                float theta = std::atan2(d2 - d, 1.0f) * plat::kRadToDeg;
                if (theta < 90 && theta > -90) {
                    float t = -(180 + 2 * theta);
                    game.FlyPos = TurnByHeading(game.FlyPos, t);
                    can.Dir += t;
                }
            }
        }
    }
    // Rolling: friction, the camera closing in, and the stop.
    if (game.CanRollingFlg == 1) {
        game.Kyori -= 5;
        if (game.Kyori < 200) game.Kyori = 200;
        Vec3 h(game.FlyPos.x, 0, game.FlyPos.z);
        float hl = plat::Vec3Length(h);
        if (hl > 0.2f) {
            game.FlyPos -= (h / hl) * 0.2f;
        } else {
            game.FlyPos = Vec3(0, 0, 0);
            game.jumpFlg = 0;
            game.ShotFlg = 7;
        }
    }
    return result;
}

void pot(int PowerGauge, int Level) {
    _CAN& can = game.Can[game.PlayerNo];
    const float b = Speed(70, 1, 3);
    const float w = Speed(0, 2, 5) - b;
    float e = Speed(PowerGauge, Level, game.Character.Power) - b;
    if (!(e > 0)) e = 0;
    float k = (e / 2) / w;
    can.Hekomi += k * 2;

    plat::Mesh* mesh = can.Mesh.lpMesh;
    if (!mesh || mesh->vertices.empty()) return;
    auto& v = mesh->vertices;
    const int n = int(v.size());
    for (int i = 0; i < game.Character.Power; i++) {
        int r = plat::Rand() % n;
        for (int j = 0; j < n; j++) {
            // r is read afresh: once it has moved, later vertices measure from its new place.
            float dist = plat::Vec3Length(v[r].pos - v[j].pos);
            if (dist < 7) v[j].pos += (-v[j].pos) * k * (1 - dist / 7);
        }
    }
    plat::MeshVerticesChanged(mesh);
}

void tama(int Ang, int Power, int Control, int Level) {
    _CAN& can = game.Can[game.PlayerNo];
    if (game.jumpFlg == 0) {
        if (Level == 1)
            PlayRoundSound(RoundSound::lpSShot);
        else if (PerfectPowerShot(Power, Control, Level))
            PlayRoundSound(RoundSound::lpSPowerShotFull);
        else
            PlayRoundSound(RoundSound::lpSPowerShot);
        pot(Power, Level);
        if (Control <= 89)
            can.Dir += 90;
        else if (Control >= 111)
            can.Dir -= 90;
        else
            can.Dir += float((100 - Control) * (5 / std::max(1, game.Character.Control)));
        HeadSpeed(Power, float(Ang), Level, &game.FlyPos);
        game.FlyPos = TurnByHeading(game.FlyPos, can.Dir);
        game.jumpFlg = 1;
    }

    if (game.CanRollingFlg == 0) game.FlyPos += game.Wind;
    game.FlyPos.y -= game.G;
    Vec3 Fow = game.FlyPos;

    if (game.StageNo == 1) {
        const int cars = 6 - game.Character.Luck;
        for (int L = 0; L < 4; L++) {
            for (int c = 0; c < cars && c < 6; c++) {
                Matrix t;
                const Vec3& p = game.Lane[L][c].Pos;
                plat::MatrixTranslation(&t, p.x, p.y, p.z);
                if (rei3(t, &game.Track[L], &Fow) == 1) game.FlyPos.x += game.Lane[L][c].MoveX;
            }
        }
    }
    Matrix id;
    plat::MatrixIdentity(&id);
    game.Hit = rei3(id, &game.Stage, &Fow);
    can.Pos += Fow;
    game.SavePos[1] = game.SavePos[0];
    game.SavePos[0] = can.Pos;
}

void CanSpin(int PowerGauge) {
    _CAN& can = game.Can[game.PlayerNo];
    can.Spin += float((100 - PowerGauge) / 5);
    if (can.Spin >= 360) can.Spin = 0;
}
