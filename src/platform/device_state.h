// The state a device holds, shared by both backends so that Get* returns what was Set and a
// reset puts everything back to the same defaults.
#pragma once

#include <cstdint>

#include "platform/device.h"

namespace plat {

struct DeviceState {
    static constexpr int kRenderStates = 256;
    static constexpr int kStages = 8;
    static constexpr int kStageStates = 33;
    static constexpr int kSamplerStates = 14;
    static constexpr int kLights = 8;  // what fixed-function OpenGL offers

    uint32_t renderState[kRenderStates];
    uint32_t stageState[kStages][kStageStates];
    uint32_t samplerState[kStages][kSamplerStates];
    Matrix world, view, projection;
    Viewport viewport;
    Material material;
    Light light[kLights];
    bool lightEnabled[kLights];
    Texture* texture[kStages];
    uint32_t fvf;

    DeviceState() { SetDefaults(); }

    // What a freshly created (or reset) device holds.
    void SetDefaults() {
        for (uint32_t& v : renderState) v = 0;
        renderState[RS_ZENABLE] = 1;  // the back buffer comes with a depth buffer
        renderState[RS_ZWRITEENABLE] = 1;
        renderState[RS_SRCBLEND] = BLEND_ONE;
        renderState[RS_DESTBLEND] = BLEND_ZERO;
        renderState[RS_CULLMODE] = CULL_CCW;
        renderState[RS_ALPHABLENDENABLE] = 0;
        renderState[RS_LIGHTING] = 1;
        renderState[RS_NORMALIZENORMALS] = 0;
        for (auto& stage : stageState)
            for (uint32_t& v : stage) v = 0;
        stageState[0][TSS_COLOROP] = TOP_MODULATE;
        stageState[0][TSS_ALPHAOP] = 2;  // select the first argument
        stageState[0][TSS_ALPHAARG1] = TA_TEXTURE;
        stageState[0][TSS_ALPHAARG2] = 1;  // the current colour
        for (auto& sampler : samplerState) {
            for (uint32_t& v : sampler) v = 0;
            sampler[SAMP_MAGFILTER] = TEXF_POINT;
            sampler[SAMP_MINFILTER] = TEXF_POINT;
            sampler[SAMP_MIPFILTER] = TEXF_NONE;
        }
        world = view = projection = Identity();
        viewport = Viewport{0, 0, 640, 480, 0.0f, 1.0f};
        material = Material{};
        for (Light& l : light) l = Light{};
        for (bool& e : lightEnabled) e = false;
        for (Texture*& t : texture) t = nullptr;
        fvf = 0;
    }

    static Matrix Identity() {
        Matrix m;
        for (int i = 0; i < 4; ++i) m.m[i][i] = 1.0f;
        return m;
    }

    static bool ValidRenderState(int s) { return s >= 0 && s < kRenderStates; }
    static bool ValidStage(int stage) { return stage >= 0 && stage < kStages; }
};

// Vertices used by primitiveCount primitives of a type.
inline unsigned VertexCount(PrimitiveType type, unsigned primitiveCount) {
    if (primitiveCount == 0) return 0;
    switch (type) {
        case PT_POINTLIST: return primitiveCount;
        case PT_LINELIST: return primitiveCount * 2;
        case PT_LINESTRIP: return primitiveCount + 1;
        case PT_TRIANGLELIST: return primitiveCount * 3;
        case PT_TRIANGLESTRIP:
        case PT_TRIANGLEFAN: return primitiveCount + 2;
    }
    return 0;
}

}  // namespace plat
