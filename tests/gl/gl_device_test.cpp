// The OpenGL device on a real window (run under Xvfb): what reaches the back buffer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/device.h"
#include "platform/font.h"
#include "platform/image_file.h"
#include "platform/math.h"
#include "platform/mesh.h"
#include "platform/sprite.h"
#include "platform/texture.h"
#include "platform/window.h"

namespace {

using namespace plat;

// Each suite opens its own window and device: other suites in this program start the whole
// game on a window of their own.
Device* gDevice = nullptr;

void OpenDevice() {
    ASSERT_TRUE(CreateGameWindow("Pomelane GL tests", false));
    gDevice = CreateGlDevice();
    ASSERT_NE(gDevice, nullptr);
    SetCurrentDevice(gDevice);
}

void CloseDevice() {
    DestroyDevice(gDevice);
    gDevice = nullptr;
    DestroyGameWindow();
}

struct TlVertex {
    Vec3 p;
    uint32_t color;
    Vec2 t;
};
struct LitVertex {
    Vec3 p;
    Vec3 n;
};

int Channel(uint32_t argb, int shift) { return int((argb >> shift) & 255); }

// Each channel within tolerance of the expected RGB.
::testing::AssertionResult Near(uint32_t got, uint32_t want, int tolerance = 3) {
    for (int s : {16, 8, 0})
        if (std::abs(Channel(got, s) - Channel(want, s)) > tolerance)
        {
            char text[64];
            std::snprintf(text, sizeof text, "got 0x%06X, want 0x%06X", got & 0xFFFFFF, want);
            return ::testing::AssertionFailure() << text;
        }
    return ::testing::AssertionSuccess();
}

struct GlDraw : ::testing::Test {
    static void SetUpTestSuite() { OpenDevice(); }
    static void TearDownTestSuite() { CloseDevice(); }

    Device* d = gDevice;
    std::vector<uint32_t> pixels;

    void SetUp() override {
        ASSERT_NE(d, nullptr);
        d->Reset();
        // The game's standing states.
        d->SetRenderState(RS_ZENABLE, 1);
        d->SetRenderState(RS_ZWRITEENABLE, 1);
        d->SetRenderState(RS_ALPHABLENDENABLE, 1);
        d->SetRenderState(RS_SRCBLEND, BLEND_SRCALPHA);
        d->SetRenderState(RS_DESTBLEND, BLEND_INVSRCALPHA);
        d->SetRenderState(RS_CULLMODE, CULL_CCW);
        d->SetSamplerState(0, SAMP_MINFILTER, TEXF_LINEAR);
        d->SetSamplerState(0, SAMP_MAGFILTER, TEXF_LINEAR);
        d->SetSamplerState(0, SAMP_MIPFILTER, TEXF_LINEAR);
        d->SetViewport(Viewport{0, 0, 640, 480, 0, 1});
        d->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
        Camera();
    }
    // Looking along +z from (0, 0, -10); the square from -1 to 1 at z = 0 fills the middle.
    void Camera() {
        Matrix view, proj, world;
        const Vec3 eye(0, 0, -10), at(0, 0, 0), up(0, 1, 0);
        MatrixLookAtLH(&view, &eye, &at, &up);
        MatrixPerspectiveFovLH(&proj, 0.5f, 4.0f / 3.0f, 1.0f, 100.0f);
        MatrixIdentity(&world);
        d->SetTransform(TS_VIEW, view);
        d->SetTransform(TS_PROJECTION, proj);
        d->SetTransform(TS_WORLD, world);
    }
    uint32_t At(int x, int y) {
        if (pixels.empty()) pixels = d->ReadBackBuffer();
        return pixels[size_t(y) * 640 + size_t(x)];
    }
    void Read() { pixels = d->ReadBackBuffer(); }
    void Screenshot(const char* name) {
        Read();
        SavePng((std::string(name) + ".png").c_str(), pixels.data(), 640, 480);
    }
    // A square at depth z wound clockwise on screen (or counter-clockwise), unlit.
    void Square(float z, uint32_t color, bool clockwise = true, float half = 1.0f) {
        TlVertex v[4] = {{Vec3(-half, half, z), color, Vec2(0, 0)},
                         {Vec3(half, half, z), color, Vec2(1, 0)},
                         {Vec3(half, -half, z), color, Vec2(1, 1)},
                         {Vec3(-half, -half, z), color, Vec2(0, 1)}};
        if (!clockwise) std::swap(v[1], v[3]);
        d->SetRenderState(RS_LIGHTING, 0);
        d->SetFVF(FVF_XYZ | FVF_DIFFUSE | FVF_TEX1);
        d->DrawPrimitiveUP(PT_TRIANGLEFAN, 2, v, sizeof(TlVertex));
    }
};

TEST_F(GlDraw, ClockwiseSurvivesTheDefaultCullAndCullModesPickTheFace) {
    const struct {
        uint32_t cull;
        bool clockwise;
        bool drawn;
    } cases[] = {
        {CULL_CCW, true, true},  {CULL_CCW, false, false}, {CULL_CW, true, false},
        {CULL_CW, false, true},  {CULL_NONE, true, true},  {CULL_NONE, false, true},
    };
    for (const auto& c : cases) {
        d->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
        d->SetRenderState(RS_CULLMODE, c.cull);
        Square(0, 0xFF00FF00, c.clockwise);
        Read();
        EXPECT_TRUE(Near(At(320, 240), c.drawn ? 0x00FF00 : 0x000000))
            << "cull " << c.cull << (c.clockwise ? " clockwise" : " counter-clockwise");
        EXPECT_TRUE(Near(At(5, 5), 0x000000));
    }
}

TEST_F(GlDraw, NearerSurfaceWinsWhateverTheOrderAndTheTopRowIsUp) {
    Square(0.5f, 0xFFFF0000);              // behind
    Square(-0.5f, 0xFF0000FF, true, 0.5f);  // in front, smaller
    Square(1.0f, 0xFF00FF00);              // further behind, drawn last
    Read();
    EXPECT_TRUE(Near(At(320, 240), 0x0000FF));
    EXPECT_TRUE(Near(At(320, 240 - 80), 0xFF0000));  // outside the small square, above it

    // A texture whose top row is white and bottom row black: v = 0 is the top.
    Texture* tex = CreateTexture(1, 2);
    tex->argb = {0xFFFFFFFF, 0xFF000000};
    d->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    d->SetSamplerState(0, SAMP_MAGFILTER, TEXF_POINT);
    d->SetTexture(0, tex);
    Square(0, 0xFFFFFF00);
    Read();
    const int top = 240 - 60, bottom = 240 + 60;
    EXPECT_TRUE(Near(At(320, top), 0xFFFF00));
    EXPECT_TRUE(Near(At(320, bottom), 0x000000));
    d->SetTexture(0, nullptr);
    ReleaseTexture(tex);
}

TEST_F(GlDraw, ClearTouchesOnlyTheViewport) {
    d->Clear(CLEAR_TARGET, 0xFF202020, 1.0f);
    d->SetViewport(Viewport{530, 0, 100, 100, 0, 1});
    d->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFFFF8000, 1.0f);
    Read();
    EXPECT_TRUE(Near(At(535, 5), 0xFF8000));
    EXPECT_TRUE(Near(At(629, 99), 0xFF8000));
    EXPECT_TRUE(Near(At(630, 50), 0x202020));
    EXPECT_TRUE(Near(At(580, 100), 0x202020));
    EXPECT_TRUE(Near(At(320, 240), 0x202020));
}

TEST_F(GlDraw, LitMeshTakesItsMaterialAndTheLightsAmbient) {
    // The game's light travels along the view (+z) here, so faces turned to the camera are lit.
    Light light;
    light.Type = LIGHT_DIRECTIONAL;
    light.Diffuse = Color(1, 1, 1, 0);
    light.Ambient = Color(0.2f, 0.2f, 0.2f, 0);
    light.Direction = Vec3(0, 0, 1);
    d->SetLight(0, light);
    d->LightEnable(0, true);
    d->SetRenderState(RS_LIGHTING, 1);
    d->SetRenderState(RS_NORMALIZENORMALS, 1);

    Mesh mesh;
    const Vec3 n(0, 0, -2);  // not unit: normalised by the device
    mesh.vertices = {{Vec3(-1, 1, 0), n, Vec2(0, 0)}, {Vec3(1, 1, 0), n, Vec2(1, 0)},
                     {Vec3(1, -1, 0), n, Vec2(1, 1)}, {Vec3(-1, -1, 0), n, Vec2(0, 1)}};
    mesh.indices = {0, 1, 2, 0, 2, 3};
    mesh.subsets = {MeshSubset{0, 6}};
    Material mat;
    mat.Diffuse = Color(0.5f, 0.25f, 0.0f, 1.0f);
    mat.Ambient = mat.Diffuse;
    mat.Emissive = Color(0.0f, 0.0f, 0.25f, 0.0f);
    d->SetMaterial(mat);
    d->SetTexture(0, nullptr);
    d->DrawMeshSubset(mesh, 0);
    // diffuse x 1 + ambient x 0.2 + emissive
    EXPECT_TRUE(Near(At(320, 240), 0x994C40));

    // Turned away from the light only ambient and emissive remain; the view moving after
    // SetLight moves nothing of the light, which stays in world space.
    light.Direction = Vec3(1, 0, 0);
    d->SetLight(0, light);
    Matrix view;
    const Vec3 eye(0, 0, -12), at(0, 0, 0), up(0, 1, 0);
    MatrixLookAtLH(&view, &eye, &at, &up);
    d->SetTransform(TS_VIEW, view);
    d->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    d->DrawMeshSubset(mesh, 0);
    Read();
    EXPECT_TRUE(Near(At(320, 240), 0x1A0D40));

    // Vertices changed in place are uploaded again.
    light.Direction = Vec3(0, 0, 1);
    d->SetLight(0, light);
    for (MeshVertex& v : mesh.vertices) v.pos.x += 3.0f;
    mesh.dirty = true;
    d->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    d->DrawMeshSubset(mesh, 0);
    Screenshot("gl_lit_mesh");
    EXPECT_TRUE(Near(At(320, 240), 0x000000));
    EXPECT_TRUE(Near(At(320 + 200, 240), 0x994C40));
    d->ForgetMesh(&mesh);
    EXPECT_EQ(mesh.deviceHandle, 0u);
}

TEST_F(GlDraw, SubsetsSharingCornersEachDrawTheirOwnTriangles) {
    // Two triangles of one square sharing a diagonal; each subset glows in its own colour.
    Mesh mesh;
    const Vec3 n(0, 0, -1);
    mesh.vertices = {{Vec3(-1, 1, 0), n, Vec2()}, {Vec3(1, 1, 0), n, Vec2()},
                     {Vec3(1, -1, 0), n, Vec2()}, {Vec3(-1, -1, 0), n, Vec2()}};
    mesh.indices = {0, 1, 2, 0, 2, 3};
    mesh.subsets = {MeshSubset{0, 3}, MeshSubset{3, 3}};
    d->SetRenderState(RS_LIGHTING, 1);
    d->LightEnable(0, false);
    d->SetTexture(0, nullptr);
    Material red, green;
    red.Diffuse.a = green.Diffuse.a = 1;
    red.Emissive = Color(1, 0, 0, 0);
    green.Emissive = Color(0, 1, 0, 0);
    d->SetMaterial(red);
    d->DrawMeshSubset(mesh, 0);
    d->SetMaterial(green);
    d->DrawMeshSubset(mesh, 1);
    Read();
    EXPECT_TRUE(Near(At(320 + 40, 240 - 40), 0xFF0000));  // upper right: subset 0
    EXPECT_TRUE(Near(At(320 - 40, 240 + 40), 0x00FF00));  // lower left: subset 1

    // Moving a shared corner moves it in both subsets.
    mesh.vertices[2].pos = Vec3(0.2f, -1, 0);
    mesh.dirty = true;
    d->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    d->SetMaterial(red);
    d->DrawMeshSubset(mesh, 0);
    d->SetMaterial(green);
    d->DrawMeshSubset(mesh, 1);
    Read();
    EXPECT_TRUE(Near(At(320 + 70, 240 + 70), 0x000000));  // the lower right is empty now
    EXPECT_TRUE(Near(At(320 + 40, 240 - 60), 0xFF0000));
    EXPECT_TRUE(Near(At(320 - 40, 240 + 40), 0x00FF00));
    d->ForgetMesh(&mesh);
}

struct GlSprites : GlDraw {
    Sprite* sprite = CreateSprite();
    Texture* white = CreateTexture(1, 1);
    ~GlSprites() override {
        ReleaseSprite(sprite);
        ReleaseTexture(white);
    }
    GlSprites() { white->argb[0] = 0xFFFFFFFF; }
};

TEST_F(GlSprites, KeyedPixelsStayTransparentAndRotationTurnsCounterClockwise) {
    d->Clear(CLEAR_TARGET, 0xFF404040, 1.0f);
    // Left half red, right half green, a transparent (keyed) texel at the top right.
    Texture* tex = CreateTexture(4, 2);
    tex->argb = {0xFFFF0000, 0xFFFF0000, 0xFF00FF00, 0x00000000,
                 0xFFFF0000, 0xFFFF0000, 0xFF00FF00, 0xFF00FF00};
    const Vec2 at1(20, 30);
    sprite->Begin();
    sprite->Draw(tex, nullptr, nullptr, nullptr, 0, &at1, 0xFFFFFFFF);
    // Scaled 10 times and turned a quarter about its top-left corner.
    const Vec2 scale(10, 10), at2(100, 100);
    sprite->Draw(tex, nullptr, &scale, nullptr, 1.5707964f, &at2, 0xFFFFFFFF);
    // Half of it, scaled, turned half a turn about its centre.
    const Rect left{0, 0, 2, 2};
    const Vec2 centre(10, 10), at3(300, 100);
    sprite->Draw(tex, &left, &scale, &centre, 3.1415927f, &at3, 0xFFFFFFFF);
    sprite->End();
    Screenshot("gl_sprites");
    EXPECT_TRUE(Near(At(20, 30), 0xFF0000));
    EXPECT_TRUE(Near(At(22, 30), 0x00FF00));
    EXPECT_TRUE(Near(At(23, 30), 0x404040));  // the keyed texel
    EXPECT_TRUE(Near(At(23, 31), 0x00FF00));
    EXPECT_TRUE(Near(At(24, 30), 0x404040));
    // +x of the sprite now points up the screen: red just above (100, 100), green higher.
    EXPECT_TRUE(Near(At(110, 90), 0xFF0000));
    EXPECT_TRUE(Near(At(115, 75), 0x00FF00, 20));  // scaled with linear filtering
    EXPECT_TRUE(Near(At(110, 110), 0x404040));
    EXPECT_TRUE(Near(At(90, 90), 0x404040));
    EXPECT_TRUE(Near(At(310, 110), 0xFF0000));
    EXPECT_TRUE(Near(At(290, 110), 0x404040));
    ReleaseTexture(tex);
}

TEST_F(GlSprites, EachSpriteUsesTheBlendInForceAtItsDraw) {
    d->Clear(CLEAR_TARGET, 0xFF404040, 1.0f);
    const Vec2 big(100, 100), at1(0, 0), at2(200, 0), at3(400, 0);
    sprite->Begin();
    d->SetRenderState(RS_DESTBLEND, BLEND_DESTALPHA);  // destination alpha reads 1: adds
    sprite->Draw(white, nullptr, &big, nullptr, 0, &at1, 0x80FF0000);
    sprite->Draw(white, nullptr, &big, nullptr, 0, &at2, 0x80FF0000);
    d->SetRenderState(RS_DESTBLEND, BLEND_INVSRCALPHA);
    sprite->Draw(white, nullptr, &big, nullptr, 0, &at3, 0x80FF0000);
    // Two additive sprites on top of each other add twice.
    d->SetRenderState(RS_DESTBLEND, BLEND_DESTALPHA);
    sprite->Draw(white, nullptr, &big, nullptr, 0, &at2, 0x80FF0000);
    d->SetRenderState(RS_DESTBLEND, BLEND_INVSRCALPHA);
    sprite->End();
    Read();
    EXPECT_TRUE(Near(At(50, 50), 0xC04040));
    EXPECT_TRUE(Near(At(250, 50), 0xFF4040));
    EXPECT_TRUE(Near(At(450, 50), 0xA02020));
    EXPECT_TRUE(Near(At(150, 50), 0x404040));
}

TEST_F(GlSprites, SpritesAreClippedToTheViewportAndDrawOverTheScene) {
    d->Clear(CLEAR_TARGET, 0xFF000000, 1.0f);
    Square(-5, 0xFF0000FF);  // near the camera, depth written
    d->SetViewport(Viewport{100, 100, 200, 200, 0, 1});
    const Vec2 size(400, 300), at(0, 0);
    sprite->Begin();
    sprite->Draw(white, nullptr, &size, nullptr, 0, &at, 0xFFFFFFFF);
    sprite->End();
    d->SetViewport(Viewport{0, 0, 640, 480, 0, 1});
    const Vec2 small(20, 20), middle(310, 230);
    sprite->Begin();
    sprite->Draw(white, nullptr, &small, nullptr, 0, &middle, 0xFF00FF00);
    sprite->End();
    Read();
    EXPECT_TRUE(Near(At(150, 150), 0xFFFFFF));   // positions are screen pixels
    EXPECT_TRUE(Near(At(50, 50), 0x000000));     // outside the viewport
    EXPECT_TRUE(Near(At(350, 150), 0x0000FF));
    EXPECT_TRUE(Near(At(320, 240), 0x00FF00));   // no depth test against the square
}

TEST_F(GlSprites, JapaneseTextInBothFaces) {
    d->Clear(CLEAR_TARGET, 0xFF000000, 1.0f);
    Font* gothic = CreateFont("", 30, 1000);
    Font* rounded = CreateFont("HG丸ｺﾞｼｯｸM-PRO", 23, 1000);
    ASSERT_NE(gothic, nullptr);
    ASSERT_NE(rounded, nullptr);
    gothic->DrawText("読み込み中...\n(ゴミはゴミ箱へ)", Rect{20, 20, 640, 480}, DT_NOCLIP, 0xFFFFFF00);
    rounded->DrawText("選んだステージで遊ぼう!!", Rect{0, 200, 640, 300}, DT_CENTER | DT_NOCLIP, 0xFFFFFFFF);
    Font* small = CreateFont("", 12, 1000);
    ASSERT_NE(small, nullptr);
    small->DrawText("フルスクリーン設定は次回起動時から有効です。Ver.1.05", Rect{20, 400, 640, 480}, DT_NOCLIP,
                    0xFFFFFF00);
    // Clipped to its rectangle when asked.
    rounded->DrawText("クリア打数:12", Rect{20, 300, 80, 310}, 0, 0xFFFF0000);
    Screenshot("gl_text");

    int yellow = 0, outside = 0, white = 0, minX = 640, maxX = 0, red = 0, redOutside = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const uint32_t p = At(x, y);
            const bool lit = Channel(p, 16) > 128 || Channel(p, 8) > 128 || Channel(p, 0) > 128;
            if (!lit) continue;
            if (y < 20 || x < 20 || (y > 90 && y < 195) || (y > 315 && y < 395) || y > 420) ++outside;
            if (y >= 20 && y < 90 && Channel(p, 16) > 128 && Channel(p, 8) > 128 && Channel(p, 0) < 64) ++yellow;
            if (y >= 195 && y < 240 && Channel(p, 0) > 128) {
                ++white;
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
            if (y >= 290 && y < 330) (x >= 20 && x < 80 && y >= 300 && y < 310) ? ++red : ++redOutside;
        }
    EXPECT_GT(yellow, 500);  // two lines of glyphs
    EXPECT_EQ(outside, 0);
    EXPECT_GT(white, 300);
    EXPECT_NEAR((minX + maxX) / 2, 320, 8);  // centred
    EXPECT_GT(red, 20);
    EXPECT_EQ(redOutside, 0);

    // Drawing the same text again adds no texture work and looks the same.
    const std::vector<uint32_t> before = pixels;
    d->Clear(CLEAR_TARGET, 0xFF000000, 1.0f);
    gothic->DrawText("読み込み中...\n(ゴミはゴミ箱へ)", Rect{20, 20, 640, 480}, DT_NOCLIP, 0xFFFFFF00);
    rounded->DrawText("選んだステージで遊ぼう!!", Rect{0, 200, 640, 300}, DT_CENTER | DT_NOCLIP, 0xFFFFFFFF);
    rounded->DrawText("クリア打数:12", Rect{20, 300, 80, 310}, 0, 0xFFFF0000);
    small->DrawText("フルスクリーン設定は次回起動時から有効です。Ver.1.05", Rect{20, 400, 640, 480}, DT_NOCLIP,
                    0xFFFFFF00);
    Read();
    EXPECT_EQ(pixels, before);
    ReleaseFont(gothic);
    ReleaseFont(rounded);
    ReleaseFont(small);
}

TEST_F(GlDraw, PresentKeepsThePicture) {
    d->Clear(CLEAR_TARGET, 0xFF123456, 1.0f);
    EXPECT_EQ(d->Present(), DeviceStatus::Ok);
    EXPECT_EQ(d->TestCooperativeLevel(), DeviceStatus::Ok);
    d->Clear(CLEAR_TARGET, 0xFF123456, 1.0f);
    Read();
    EXPECT_TRUE(Near(At(0, 0), 0x123456));
    EXPECT_TRUE(Near(At(639, 479), 0x123456));
}

}  // namespace
