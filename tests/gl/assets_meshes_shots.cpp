// The built meshes on the OpenGL device, seen through the cameras the game sees them with:
// each stage from the start point and from above, the characters, the hands, the can, the cars,
// the wind arrow, the stage previews and the ending set. The pictures go to build/mesh_shots/
// for a look; the checks only make sure that something was drawn where the model should be.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "common/matrices.h"
#include "gfx/gfx.h"
#include "gfx/xfile.h"
#include "gl/game_run.h"
#include "platform/device.h"
#include "round/round_state.h"

namespace {

using plat::Matrix;
using plat::Vec3;
using test::Identity;
using test::RotX;
using test::RotY;
using test::RotZ;
using test::Scale;
using test::Translate;

const std::string kShots = game_run::ShotFolder("mesh_shots");
constexpr uint32_t kClearColour = 0xFF002333;

struct Camera {
    Vec3 eye, at;
    float fovDegrees = 60, zn = 1, zf = 20000;
    bool titleLight = false;  // the menus' light from the camera, else the round's
};

class MeshShots : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(game_run::EnterAssets(kShots));
        started_ = game_run::StartGame();
    }
    static void TearDownTestSuite() {
        for (auto& [name, x] : meshes_) ReleaseMesh(&x);
        meshes_.clear();
        if (started_) AppShutdown();
    }
    void SetUp() override {
        if (!started_) GTEST_SKIP() << "no display";
    }

    static XFILE* Mesh(const std::string& file) {
        auto it = meshes_.find(file);
        if (it == meshes_.end()) {
            it = meshes_.emplace(file, XFILE{}).first;
            LoadMesh(&it->second, file.c_str());
        }
        return &it->second;
    }

    // Draws a scene and saves it; returns its pixels.
    static std::vector<uint32_t> Shoot(const char* name, const Camera& cam,
                                       const std::function<void(plat::Device*)>& draw) {
        plat::Device* d = app.lpD3DDevice;
        plat::Viewport vp{0, 0, 640, 480, 0, 1};
        d->SetViewport(vp);
        d->BeginScene();
        d->Clear(plat::CLEAR_TARGET | plat::CLEAR_ZBUFFER, kClearColour, 1);
        Matrix view, proj;
        Vec3 up(0, 1, 0);
        plat::MatrixLookAtLH(&view, &cam.eye, &cam.at, &up);
        plat::MatrixPerspectiveFovLH(&proj, cam.fovDegrees * plat::kDegToRad, 4.0f / 3, cam.zn, cam.zf);
        d->SetTransform(plat::TS_VIEW, view);
        d->SetTransform(plat::TS_PROJECTION, proj);
        if (cam.titleLight) StartLightSet();
        else GameSetLight();
        d->SetRenderState(plat::RS_LIGHTING, 1);
        d->SetRenderState(plat::RS_ZENABLE, 1);
        d->SetRenderState(plat::RS_ZWRITEENABLE, 1);
        d->SetRenderState(plat::RS_CULLMODE, plat::CULL_CCW);
        d->SetRenderState(plat::RS_ALPHABLENDENABLE, 0);
        draw(d);
        d->EndScene();
        d->Present();
        std::vector<uint32_t> px = d->ReadBackBuffer();
        game_run::SavePicture(kShots + name, px);
        return px;
    }

    static void Draw(plat::Device* d, const std::string& file, const Matrix& world) {
        d->SetTransform(plat::TS_WORLD, world);
        DrawMesh(Mesh(file));
    }
    static void Sky(plat::Device* d, float scale, float lift) {
        Draw(d, "XFile/Sky.x", Scale(scale) * Translate(0, lift, 0));
    }

    // A character of the round as the game places it: legs, body swung by swing, head.
    static void Character(plat::Device* d, int no, const Matrix& base, float swing) {
        std::string n = std::to_string(no + 1);
        Draw(d, "XFile/Foot" + n + ".x", base);
        Draw(d, "XFile/Body" + n + ".x", RotY(swing + 5) * RotZ(-27) * Translate(3, 39.2f, 0) * base);
        Draw(d, "XFile/Head" + n + ".x", RotZ(-27) * Translate(3, 60, 0) * base);
    }

    // Share of the pixels in the rectangle that differ from the clear colour.
    static float Covered(const std::vector<uint32_t>& px, int x0, int y0, int x1, int y1) {
        if (px.size() != game_run::kScreenPixels) return 0;
        const int n = game_run::Count(px, x0, y0, x1, y1, [](int r, int g, int b) {
            return uint32_t(r << 16 | g << 8 | b) != (kClearColour & 0xFFFFFF);
        });
        return float(n) / float((x1 - x0) * (y1 - y0));
    }

    static inline bool started_ = false;
    static inline std::map<std::string, XFILE> meshes_;
};

// The follow camera at a turn's start: 200 behind the can away from the goal, 80 up.
Camera StartCamera(Vec3 goal) {
    Vec3 can(0, 7, 0), d = can - goal;
    d.y = 0;
    plat::Vec3Normalize(&d, &d);
    Camera c;
    c.eye = can + d * 200 + Vec3(0, 80, 0);
    c.at = can - d * 600 + Vec3(0, 120, 0);
    return c;
}

// The character stands 80 to the left of the can, turned with the camera.
Matrix CharacterBase(Vec3 goal) {
    float heading = std::atan2(goal.x, goal.z) * plat::kRadToDeg;
    return Translate(-80, 0, 0) * RotY(heading) * Translate(0, 0, 0);
}

const Vec3 kGoals[3] = {{670, 1155.5f, 3050}, {720, 650, 3700}, {-122.5f, 25, 2077.5f}};

void Traffic(plat::Device* d, const std::function<void(plat::Device*, const std::string&, const Matrix&)>& draw) {
    const float lanes[4] = {580, 880, 1230, 1530};
    const float xs[4][2] = {{900, -1400}, {-300, 1800}, {400, -1900}, {1500, -600}};
    for (int l = 0; l < 4; ++l)
        for (float x : xs[l]) draw(d, "XFile/Track" + std::to_string(l + 1) + ".x", Translate(x, 0, lanes[l]));
}

}  // namespace

TEST_F(MeshShots, StagesFromTheStartAndFromAbove) {
    const Camera above[3] = {
        {{-1800, 3600, -1600}, {600, 400, 1700}},
        {{-2600, 3400, -2600}, {300, 0, 2000}},
        {{-1300, 1100, -500}, {-150, 0, 1100}},
    };
    for (int s = 0; s < 3; ++s) {
        std::string stage = std::string("XFile/Stage") + char('1' + s) + ".x";
        auto scene = [&](plat::Device* d) {
            Sky(d, 10, -300);
            Draw(d, stage, Identity());
            if (s == 1) Traffic(d, Draw);
        };
        std::vector<uint32_t> start = Shoot(("stage" + std::to_string(s) + "_start").c_str(), StartCamera(kGoals[s]),
                                            [&](plat::Device* d) {
                                                scene(d);
                                                Character(d, s, CharacterBase(kGoals[s]), 30);
                                                Draw(d, "XFile/Can.x", Translate(0, 10, 0));
                                            });
        EXPECT_GT(Covered(start, 0, 0, 640, 480), 0.99f) << "the stage and the sky fill the view";
        EXPECT_GT(game_run::Distinct(start), 30u);
        std::vector<uint32_t> top = Shoot(("stage" + std::to_string(s) + "_above").c_str(), above[s], scene);
        EXPECT_GT(game_run::Distinct(top), 30u);
    }
}

TEST_F(MeshShots, CharactersCanHandsCarsArrow) {
    // Each character on the select screen, turned to the camera, and from the round's camera
    // at the moment of impact.
    for (int no = 0; no < 4; ++no) {
        Camera title{{0, 0, -10}, {0, 0, -9}, 60, 1, 15000, true};
        std::vector<uint32_t> px = Shoot(("character" + std::to_string(no) + "_select").c_str(), title, [&](plat::Device* d) {
            Matrix base = RotY(80) * Translate(0, -60, 130);
            Draw(d, "XFile/Foot" + std::to_string(no + 1) + ".x", base);
            Draw(d, "XFile/Body" + std::to_string(no + 1) + ".x", RotY(0) * RotZ(-27) * Translate(3, 39.2f, 0) * base);
            Draw(d, "XFile/Head" + std::to_string(no + 1) + ".x", RotZ(-27) * Translate(3, 60, 0) * base);
        });
        EXPECT_GT(Covered(px, 220, 80, 420, 460), 0.1f);
        Camera side{{60, 60, -170}, {10, 40, 0}};
        Shoot(("character" + std::to_string(no) + "_impact").c_str(), side, [&](plat::Device* d) {
            Character(d, no, Translate(-80, 0, 0), 0);
            Draw(d, "XFile/Can.x", Translate(0, 10, 0));
        });
    }
    const char* hands[4] = {"Man", "Girl", "Salary", "Chef"};
    for (int no = 0; no < 4; ++no) {
        // The ready phase: the can lies at 7, the hand has come in and turned to -45.
        Camera ready{{0, 27, -215}, {0, 12, 0}, 10};
        Shoot((std::string("hand") + std::to_string(no)).c_str(), ready, [&](plat::Device* d) {
            Draw(d, "XFile/Can.x", RotZ(90) * Translate(0, 7, 0));
            Draw(d, std::string("XFile/") + hands[no] + "RightHand.x", RotZ(-45) * Translate(-19.6f, 14.7f, -10) * Translate(0, 7, 0));
        });
    }
    // The can as the ready phase zooms on it, wearing a label the way the round puts it on,
    // and lying on its side turned to show the seam behind.
    LoadText(&game.lpCanTex[0], "bitmap/Orange.bmp", 128, 128, 0);
    LoadText(&game.lpCanTex[2], "bitmap/U-Cola.bmp", 128, 128, 0);
    Camera can{{0, 10, -215}, {0, 10, 0}, 7};
    std::vector<uint32_t> px = Shoot("can", can, [&](plat::Device* d) {
        d->SetTransform(plat::TS_WORLD, Translate(0, 10, 0));
        DrawCanMesh(Mesh("XFile/Can.x"), 0);
    });
    EXPECT_GT(Covered(px, 260, 100, 380, 380), 0.8f) << "the can fills the middle of the zoomed view";
    Shoot("can_lying", Camera{{0, 30, -215}, {0, 7, 0}, 10}, [&](plat::Device* d) {
        d->SetTransform(plat::TS_WORLD, RotY(150) * RotZ(90) * Translate(0, 7, 0));
        DrawCanMesh(Mesh("XFile/Can.x"), 2);
    });
    ReleaseText(&game.lpCanTex[0]);
    ReleaseText(&game.lpCanTex[2]);
    Camera road{{-900, 420, -300}, {0, 60, 450}};
    Shoot("cars", road, [&](plat::Device* d) {
        for (int l = 0; l < 4; ++l)
            Draw(d, "XFile/Track" + std::to_string(l + 1) + ".x", Translate(-150.0f * float(l), 0, 300.0f * float(l)));
    });
    Camera arrow{{0, 150, -450}, {0, 0, 0}, 10, 1, 1000};
    Shoot("arrow", arrow, [&](plat::Device* d) { Draw(d, "XFile/Arrow.x", RotY(30)); });
}

TEST_F(MeshShots, PreviewsAndEnding) {
    Camera title{{0, 0, -10}, {0, 0, -9}, 60, 1, 15000, true};
    std::vector<uint32_t> px = Shoot("previews", title, [&](plat::Device* d) {
        const char* files[3] = {"XFile/StageSelect/steation.x", "XFile/StageSelect/bridge.x", "XFile/StageSelect/school.x"};
        const float angles[3] = {120, 0, 240};
        for (int i = 0; i < 3; ++i) {
            float a = angles[i] * plat::kDegToRad;
            Vec3 s(20 * std::cos(a), -5, 40 - 20 * std::sin(a));
            bool lit = i == 0;
            Matrix w = (lit ? RotY(30) : Identity()) * Scale(7) * (lit ? RotX(-20) : Identity()) * Translate(s.x, s.y, s.z);
            Draw(d, files[i], w);
        }
    });
    EXPECT_GT(Covered(px, 100, 200, 300, 400), 0.2f) << "the highlighted preview shows left of centre";
    // Each preview highlighted in its turn, spun a little to show its depth.
    const char* each[3] = {"steation", "bridge", "school"};
    for (const char* name : each)
        Shoot((std::string("preview_") + name).c_str(), title, [&](plat::Device* d) {
            Draw(d, std::string("XFile/StageSelect/") + name + ".x", RotY(35) * Scale(7) * RotX(-20) * Translate(-10, -5, 22.68f));
        });

    // The ceremony after the last landing: podium up, cups down, the four on their places.
    auto ceremony = [&](plat::Device* d) {
        Sky(d, 1, 0);
        Draw(d, "XFile/Ending/jimen.x", Scale(7) * Translate(0, -3.5f, 70));
        Draw(d, "XFile/Ending/list.x", Translate(0, -1, -1.5f) * Scale(2));
        Draw(d, "XFile/Ending/biri.x", Translate(4, -2, -5.5f));
        Draw(d, "XFile/Ending/kyu.x", Translate(5, -0.5f, -6));
        const Vec3 cups[3] = {{0, 0.5f, -6}, {-2, 0.5f, -6}, {2, 0.5f, -6}};
        for (int i = 0; i < 3; ++i)
            Draw(d, "XFile/Ending/cup" + std::to_string(i) + ".x", Scale(0.5f) * RotY(40) * RotZ(20) * Translate(cups[i].x, cups[i].y, cups[i].z) * Scale(0.8f));
        const char* names[4] = {"Man", "Girl", "Sara", "Shef"};
        const Vec3 places[4] = {{0, 0.3f, -3.45f}, {-2, -0.45f, -3.27f}, {2, -0.8f, -3.23f}, {5, -2, -6}};
        for (int p = 0; p < 4; ++p) {
            Matrix w = p < 3 ? RotY(-90) * RotY(90) * Translate(places[p].x, places[p].y, places[p].z)
                             : RotY(90) * Translate(places[p].x, places[p].y, places[p].z);
            std::string n = std::string("XFile/Ending/") + names[p];
            Draw(d, n + ".x", w);
            Draw(d, n + " Asi Hidari.x", w);
            Draw(d, n + " Asi Migi.x", w);
            Draw(d, p == 3 ? "XFile/Ending/Naku.x" : "XFile/Ending/Futuu.x", w);
        }
    };
    Camera wide{{0, 0, -9.5f}, {0, -1.4f, 0}, 60, 1, 1500};
    px = Shoot("ending_wide", wide, ceremony);
    EXPECT_GT(Covered(px, 0, 0, 640, 480), 0.99f) << "ground and sky fill the ending";
    Camera close{{0, 1.2f, -7.6f}, {0, -1.4f, 0}, 60, 1, 1500};
    Shoot("ending_close", close, ceremony);
    Camera pan{{5, 0, -9.5f}, {5, -1.4f, 0}, 60, 1, 1500};
    Shoot("ending_last_place", pan, ceremony);
}
