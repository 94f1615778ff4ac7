// The ceremony's motion and its 3-D scene: the podium rises, the finishers walk in, turn,
// and jump onto their steps as their cups come down; the rock falls on the last place.
#include "results/ending.h"

#include <cmath>

#include "app/app_state.h"
#include "audio/audio_state.h"
#include "audio/sounds.h"
#include "gfx/xfile.h"
#include "platform/keys.h"
#include "results/score_state.h"
#include "round/round_state.h"

using plat::Matrix;
using plat::Vec3;

EndUpdateState endUpdate;
EndRenderState endRender;

namespace {

plat::Device* Dev() { return app.lpD3DDevice; }

Matrix RotY(float deg) { Matrix m; plat::MatrixRotationY(&m, deg * plat::kDegToRad); return m; }
Matrix RotZ(float deg) { Matrix m; plat::MatrixRotationZ(&m, deg * plat::kDegToRad); return m; }
Matrix Trans(float x, float y, float z) { Matrix m; plat::MatrixTranslation(&m, x, y, z); return m; }
Matrix Trans(const Vec3& v) { return Trans(v.x, v.y, v.z); }
Matrix Scale(float s) { Matrix m; plat::MatrixScaling(&m, s, s, s); return m; }

void World(const Matrix& m) { Dev()->SetTransform(plat::TS_WORLD, m); }

// The forward step of a jump that starts upwards at 0.5 and ends on a step DaiY high: the
// jump lasts about N frames and carries the finisher 2 units onto the podium.
float JumpStep(float DaiY) {
    const float py = 0.5f;
    const float N = (1 + std::sqrt(4 * py * py - 0.4f * DaiY)) / 0.1f;
    return 2.0f / N;
}

// A cup comes down one step; true once it has arrived (the step is then undone).
bool CupDown(Vec3* pos, float step) {
    pos->y -= step;
    pos->z += step;
    if (pos->y >= 0.5f) return false;
    pos->y += step;
    pos->z -= step;
    return true;
}

// A jump that has started goes one frame on; true on the landing.
bool JumpStepFrame(int* jflg, Vec3* pos, float* py, float ryo, float daiY, int landedLatch) {
    if (*jflg != 1) return false;
    if (score.OnFlg1 == 0) {
        PlaySound(audio.lpSSample3);
        scoreSounds.TakeOff++;
        score.OnFlg1 = 1;
    }
    pos->z += ryo;
    pos->y += *py;
    *py -= 0.05f;
    if (*py < 0 && pos->y <= daiY) {
        pos->y = daiY;
        *py = 0;
        *jflg = 2;
        if (score.OnFlg1 == 1) {
            PlaySound(audio.lpSSample4);
            scoreSounds.Landing++;
            score.OnFlg1 = landedLatch;
        }
        return true;
    }
    return false;
}

void Walk() {
    ScoreState& s = score;
    const int n = game.Ninzu;
    if (n >= 3) s.CharaPos0.x += 0.05f;
    s.CharaPos1.x += 0.05f;
    if (n >= 2) s.CharaPos2.x += 0.05f;
    if (s.CharaPos0.x > 2.0f) s.CharaPos0.x -= 0.05f;
    if (s.CharaPos1.x > 0.0f) {
        s.CharaPos1.x -= 0.05f;
        s.AngFlg = 1;
    }
    if (s.CharaPos2.x > -2.0f) s.CharaPos2.x -= 0.05f;
    if (s.AngFlg == 1) {
        s.Ang += 1;
        if (s.Ang > 90) {
            s.Ang = 90;
            s.CupFlg = 1;
        }
    }
}

// Each cup starts on the frame the one before it has arrived; its arrival starts its
// finisher's jump.
void Cups() {
    ScoreState& s = score;
    EndUpdateState& e = endUpdate;
    if (!CupDown(&s.CupPos0, 0.05f)) return;
    if (s.JFlg[0] == 0) {
        s.JFlg[0] = 1;
        e.py1 = 0.5f;
        e.Ryo1 = JumpStep(e.DaiYb);
    }
    if (game.Ninzu == 1 || !CupDown(&s.CupPos1, 0.05f)) return;
    if (s.JFlg[1] == 0) {
        s.JFlg[1] = 1;
        e.py2 = 0.5f;
        e.Ryo2 = JumpStep(e.DaiYc);
    }
    if (game.Ninzu < 3 || !CupDown(&s.CupPos2, 0.1f)) return;
    if (s.JFlg[2] == 0) {
        s.JFlg[2] = 1;
        e.py0 = 0.5f;
        e.Ryo0 = JumpStep(e.DaiYa);
    }
}

void RockFall() {
    ScoreState& s = score;
    PlaySound(audio.lpSSample6);  // goes on sounding while it plays
    scoreSounds.Fall++;
    s.RockPos.y -= 0.1f;
    if (s.RockPos.y > -0.5f) return;
    s.RockPos.y += 0.1f;
    StopSound(audio.lpSSample6);
    if (s.OnFlg1 == 3) {
        PlaySound(audio.lpSSample7);
        scoreSounds.Thud++;
        s.OnFlg1 = 4;
    }
    if ((plat::GetAsyncKeyState('Z') & 0x8000) && s.EnterFlg1 == 1) game.KeyFlg = 3;
}

// A finisher: body and face turned from the walking direction towards the camera, legs
// swinging about the model's origin.
void DrawFinisher(ENDCHARA* c, const Vec3& p) {
    ScoreAssets& a = scoreAssets;
    const Matrix turn = RotY(-90) * RotY(float(score.Ang));
    World(turn * Trans(p));
    DrawMesh(&c->Body);
    DrawMesh(&a.Futuu);
    World(turn * RotZ(endRender.AsiAng) * Trans(p));
    DrawMesh(&c->AsiHidari);
    World(turn * RotZ(endRender.AsiAng2) * Trans(p));
    DrawMesh(&c->AsiMigi);
}

void LegSwing() {
    EndRenderState& r = endRender;
    if (r.AsiFlg == 0) {
        r.AsiAng += 2;
        r.AsiAng2 -= 2;
        if (r.AsiAng > 15) {
            r.AsiAng = 15;
            r.AsiAng2 = 0;
            r.AsiFlg = 1;
        }
    }
    if (r.AsiFlg == 1) {
        r.AsiAng -= 2;
        r.AsiAng2 += 2;
        if (r.AsiAng < 0) {
            r.AsiAng = 0;
            r.AsiAng2 = 15;
            r.AsiFlg = 0;
        }
    }
    if (score.AngFlg == 1) {
        r.AsiAng = 0;
        r.AsiAng2 = 0;
    }
}

}  // namespace

void EndUpdateProc() {
    ScoreState& s = score;
    EndUpdateState& e = endUpdate;
    if (scoreRun.EndUpdateProcFlg == 0) {
        e = EndUpdateState{};
        scoreRun.EndUpdateProcFlg = 1;
    }
    if (s.YFlg != 1) return;

    // The podium stops with its base on the ground (y -2), under the heights the finishers
    // land at; stepping back by 0.1 would leave it 0.2 low after the rounding of the rise.
    s.ListY += 0.1f;
    if (s.ListY >= -1.0f) {
        s.ListY = -1.0f;
        Walk();
    }
    if (s.CupFlg == 1) Cups();
    if (s.OnFlg1 == 2) s.OnFlg1 = 0;

    // Third, first, second: the order decides which take-off finds the latch free.
    if (JumpStepFrame(&s.JFlg[2], &s.CharaPos0, &e.py0, e.Ryo0, e.DaiYa, 3) && game.Ninzu >= 3)
        game.KeyFlg = 1;
    JumpStepFrame(&s.JFlg[0], &s.CharaPos1, &e.py1, e.Ryo1, e.DaiYb, 2);
    if (JumpStepFrame(&s.JFlg[1], &s.CharaPos2, &e.py2, e.Ryo2, e.DaiYc, 2) && game.Ninzu == 2)
        game.KeyFlg = 1;

    if (s.RockFlg == 1) RockFall();
}

void EndRenderProc() {
    ScoreState& s = score;
    ScoreAssets& a = scoreAssets;
    EndRenderState& r = endRender;
    if (scoreRun.EndRenderProcFlg == 0) {
        r = EndRenderState{};
        scoreRun.EndRenderProcFlg = 1;
    }
    Dev()->SetRenderState(plat::RS_LIGHTING, 1);

    r.SkyAng += 0.1f;
    World(RotY(r.SkyAng));
    DrawMesh(&app.Sky);
    World(Scale(7) * Trans(0, -3.5f, 70));
    DrawMesh(&a.Jimen);
    World(Trans(0, s.ListY, -1.5f) * Scale(2));
    DrawMesh(&a.List);
    World(Trans(4, -2, -5.5f));
    DrawMesh(&a.Biri);
    World(Trans(s.RockPos));
    DrawMesh(&a.Rock);

    s.CupAng += 5;
    if (s.CupAng >= 360) s.CupAng = 0;
    XFILE* cups[3] = {&a.Cup0, &a.Cup1, &a.Cup2};
    const Vec3 cupPos[3] = {s.CupPos0, s.CupPos1, s.CupPos2};
    for (int n = 0; n < 3; n++) {
        const float ang = float(s.CupAng);
        World(Scale(0.5f) * RotY(ang) * RotZ(ang) * Trans(cupPos[n]) * Scale(s.Kaku[n]));
        DrawMesh(cups[n]);
    }

    LegSwing();
    if (game.Ninzu >= 3) DrawFinisher(&a.Chara0, s.CharaPos0);
    DrawFinisher(&a.Chara1, s.CharaPos1);
    if (game.Ninzu >= 2) DrawFinisher(&a.Chara2, s.CharaPos2);

    if (game.Ninzu == 4) {
        World(RotY(float(s.BiriAng)) * Trans(5, -2, -6));
        DrawMesh(&a.Chara3.Body);
        DrawMesh(&a.Chara3.AsiHidari);
        DrawMesh(&a.Chara3.AsiMigi);
        DrawMesh(s.EnFlg >= 2 && s.EnFlg <= 4 ? &a.Naku : &a.Futuu);
    }

    Confetti();
}
