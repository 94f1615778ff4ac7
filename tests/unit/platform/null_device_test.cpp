#include <gtest/gtest.h>

#include <cstring>

#include "platform/device.h"
#include "platform/texture.h"

namespace {

using namespace plat;

struct NullDeviceTest : ::testing::Test {
    NullDevice* nd = CreateNullDevice();
    Device* d = reinterpret_cast<Device*>(nd);
    ~NullDeviceTest() override { DestroyDevice(d); }
};

TEST_F(NullDeviceTest, KeepsWhatItIsToldAndLogsIt) {
    d->SetRenderState(RS_CULLMODE, CULL_CW);
    d->SetTextureStageState(0, TSS_ALPHAOP, TOP_MODULATE);
    d->SetSamplerState(0, SAMP_MINFILTER, TEXF_LINEAR);
    Matrix view;
    view.m[3][2] = 5;
    d->SetTransform(TS_VIEW, view);
    d->SetViewport(Viewport{530, 0, 100, 100, 0, 1});
    Material mat;
    mat.Diffuse = Color(1, 0.5f, 0.25f, 1);
    d->SetMaterial(mat);
    Light light;
    light.Direction = Vec3(1, -0.7f, 0.2f);
    d->SetLight(0, light);
    d->LightEnable(0, true);
    Texture tex;
    d->SetTexture(0, &tex);
    d->SetFVF(0x142);

    EXPECT_EQ(d->GetRenderState(RS_CULLMODE), uint32_t(CULL_CW));
    EXPECT_EQ(d->GetTextureStageState(0, TSS_ALPHAOP), uint32_t(TOP_MODULATE));
    EXPECT_EQ(d->GetSamplerState(0, SAMP_MINFILTER), uint32_t(TEXF_LINEAR));
    EXPECT_EQ(d->GetTransform(TS_VIEW).m[3][2], 5.0f);
    EXPECT_EQ(d->GetTransform(TS_WORLD).m[0][0], 1.0f);  // untouched: identity
    EXPECT_EQ(d->GetViewport().X, 530u);
    EXPECT_EQ(d->GetMaterial().Diffuse.g, 0.5f);
    EXPECT_EQ(d->GetLight(0).Direction.y, -0.7f);
    EXPECT_TRUE(d->GetLightEnable(0));
    EXPECT_FALSE(d->GetLightEnable(1));
    EXPECT_EQ(d->GetTexture(0), &tex);
    EXPECT_EQ(d->GetFVF(), 0x142u);

    const auto& log = NullDeviceLog(nd);
    ASSERT_EQ(log.size(), 10u);
    EXPECT_EQ(log[0].name, "SetRenderState");
    EXPECT_EQ(log[0].args, "22, 2");
    EXPECT_EQ(log[4].name, "SetViewport");
    EXPECT_EQ(log[4].args, "530, 0, 100, 100, 0, 1");
    EXPECT_EQ(log[9].args, "0x142");

    // Out-of-range slots are logged but neither kept nor a crash.
    d->SetTexture(99, &tex);
    d->SetLight(42, light);
    EXPECT_EQ(d->GetTexture(99), nullptr);
    EXPECT_FALSE(d->GetLightEnable(42));
}

TEST_F(NullDeviceTest, DrawsRecordTheStateInForce) {
    Texture tex;
    Material mat;
    mat.Emissive.r = 0.75f;
    d->SetMaterial(mat);
    d->SetTexture(0, &tex);
    d->SetRenderState(RS_SRCBLEND, BLEND_SRCALPHA);
    d->SetRenderState(RS_DESTBLEND, BLEND_DESTALPHA);
    const float fan[4][6] = {};
    d->DrawPrimitiveUP(PT_TRIANGLEFAN, 2, fan, 24);

    const ScreenVertex quad[4] = {{0, 0, 0x80FFFFFF, 0, 0}, {640, 0, 0, 1, 0}, {640, 480, 0, 1, 1}, {0, 480, 0, 0, 1}};
    d->DrawScreenQuad(&tex, quad, true);
    d->DrawScreenQuad(&tex, quad, false);
    d->DrawScreenQuad(nullptr, quad, true);  // draws nothing

    const auto& draws = NullDeviceDraws(nd);
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(d->DrawCallCount(), 3u);
    EXPECT_EQ(draws[0].kind, NullDraw::Primitive);
    EXPECT_EQ(draws[0].vertices.size(), 4u * 24u);  // a fan of 2 uses 4 vertices
    EXPECT_EQ(draws[0].material.Emissive.r, 0.75f);
    EXPECT_EQ(draws[0].texture, &tex);
    EXPECT_EQ(draws[1].destBlend, uint32_t(BLEND_DESTALPHA));
    EXPECT_EQ(draws[2].destBlend, uint32_t(BLEND_INVSRCALPHA));  // the font's own blend
    ScreenVertex first;
    std::memcpy(&first, draws[1].vertices.data(), sizeof first);
    EXPECT_EQ(first.color, 0x80FFFFFFu);

    NullDeviceClearLog(nd);
    EXPECT_TRUE(NullDeviceLog(nd).empty());
    EXPECT_TRUE(NullDeviceDraws(nd).empty());
    NullDeviceSetLogging(nd, false);
    d->DrawPrimitiveUP(PT_TRIANGLEFAN, 2, fan, 24);
    EXPECT_TRUE(NullDeviceDraws(nd).empty());
    EXPECT_EQ(d->DrawCallCount(), 4u);
}

TEST_F(NullDeviceTest, LostAndNotResetUntilReset) {
    EXPECT_EQ(d->Present(), DeviceStatus::Ok);
    d->SetRenderState(RS_CULLMODE, CULL_NONE);

    NullDeviceSimulate(nd, DeviceStatus::Lost);
    EXPECT_EQ(d->Present(), DeviceStatus::Lost);
    EXPECT_EQ(d->Present(), DeviceStatus::Lost);  // stays lost frame after frame
    EXPECT_EQ(d->TestCooperativeLevel(), DeviceStatus::Lost);
    EXPECT_FALSE(d->Reset());  // a lost device cannot be reset yet
    EXPECT_EQ(d->GetRenderState(RS_CULLMODE), uint32_t(CULL_NONE));

    NullDeviceSimulate(nd, DeviceStatus::NotReset);
    EXPECT_EQ(d->Present(), DeviceStatus::NotReset);
    EXPECT_EQ(d->TestCooperativeLevel(), DeviceStatus::NotReset);
    EXPECT_TRUE(d->Reset());
    EXPECT_EQ(d->TestCooperativeLevel(), DeviceStatus::Ok);
    EXPECT_EQ(d->Present(), DeviceStatus::Ok);
    // A reset puts the device's defaults back; the caller applies its own states again.
    EXPECT_EQ(d->GetRenderState(RS_CULLMODE), uint32_t(CULL_CCW));
    EXPECT_EQ(d->GetRenderState(RS_ALPHABLENDENABLE), 0u);
    EXPECT_EQ(d->GetRenderState(RS_LIGHTING), 1u);
}

TEST(CurrentDevice, DestroyingTheCurrentDeviceClearsIt) {
    Device* d = reinterpret_cast<Device*>(CreateNullDevice());
    SetCurrentDevice(d);
    EXPECT_EQ(CurrentDevice(), d);
    DestroyDevice(d);
    EXPECT_EQ(CurrentDevice(), nullptr);
    DestroyDevice(nullptr);
}

}  // namespace
