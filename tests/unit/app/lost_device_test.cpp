#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/render_init.h"
#include "platform/device.h"

namespace {

using namespace plat;

int lightCalls = 0;
void CountLight() { ++lightCalls; }

std::vector<std::string> CallNames(NullDevice* d) {
    std::vector<std::string> names;
    for (const DeviceCall& c : NullDeviceLog(d)) names.push_back(c.name);
    return names;
}

size_t Find(const std::vector<std::string>& v, const std::string& name) {
    return size_t(std::find(v.begin(), v.end(), name) - v.begin());
}

TEST(LostDevice, NotResetResetsThenReappliesStatesAndLightLostWaits) {
    NullDevice* nd = CreateNullDevice();
    Device* d = reinterpret_cast<Device*>(nd);
    app.lpD3DDevice = d;

    lightCalls = 0;
    NullDeviceSimulate(nd, DeviceStatus::Lost);
    NullDeviceClearLog(nd);
    PresentFrame(CountLight);
    std::vector<std::string> names = CallNames(nd);
    EXPECT_EQ(Find(names, "Reset"), names.size()) << "a lost device is left alone";
    EXPECT_EQ(lightCalls, 0);

    NullDeviceSimulate(nd, DeviceStatus::NotReset);
    d->SetRenderState(RS_CULLMODE, CULL_NONE);
    NullDeviceClearLog(nd);
    PresentFrame(CountLight);
    names = CallNames(nd);
    const size_t reset = Find(names, "Reset");
    ASSERT_LT(reset, names.size());
    EXPECT_LT(Find(names, "TestCooperativeLevel"), reset);
    EXPECT_GT(Find(names, "SetSamplerState"), reset) << "standing states come back after the reset";
    EXPECT_EQ(lightCalls, 1);
    EXPECT_EQ(d->GetRenderState(RS_CULLMODE), uint32_t(CULL_CCW));
    EXPECT_EQ(d->GetRenderState(RS_SRCBLEND), uint32_t(BLEND_SRCALPHA));
    EXPECT_EQ(d->TestCooperativeLevel(), DeviceStatus::Ok);

    app.lpD3DDevice = nullptr;
    DestroyDevice(d);
}

}  // namespace
