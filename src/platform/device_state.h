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
    static bool ValidLight(int index) { return index >= 0 && index < kLights; }

    // A Set keeps a value whose slot is in range and says whether it did; a Get of a slot out of
    // range gives 0 (identity for a matrix, a default light).
    bool SetRenderState(int s, uint32_t value) {
        if (!ValidRenderState(s)) return false;
        renderState[s] = value;
        return true;
    }
    uint32_t GetRenderState(int s) const { return ValidRenderState(s) ? renderState[s] : 0; }
    bool SetStageState(int stage, int s, uint32_t value) {
        if (!ValidStage(stage) || s < 0 || s >= kStageStates) return false;
        stageState[stage][s] = value;
        return true;
    }
    uint32_t GetStageState(int stage, int s) const {
        return ValidStage(stage) && s >= 0 && s < kStageStates ? stageState[stage][s] : 0;
    }
    bool SetSamplerState(int sampler, int s, uint32_t value) {
        if (!ValidStage(sampler) || s < 0 || s >= kSamplerStates) return false;
        samplerState[sampler][s] = value;
        return true;
    }
    uint32_t GetSamplerState(int sampler, int s) const {
        return ValidStage(sampler) && s >= 0 && s < kSamplerStates ? samplerState[sampler][s] : 0;
    }
    bool SetTransform(TransformState state, const Matrix& m) {
        switch (state) {
            case TS_WORLD: world = m; return true;
            case TS_VIEW: view = m; return true;
            case TS_PROJECTION: projection = m; return true;
        }
        return false;
    }
    Matrix GetTransform(TransformState state) const {
        switch (state) {
            case TS_WORLD: return world;
            case TS_VIEW: return view;
            case TS_PROJECTION: return projection;
        }
        return Identity();
    }
    bool SetLight(int index, const Light& l) {
        if (!ValidLight(index)) return false;
        light[index] = l;
        return true;
    }
    Light GetLight(int index) const { return ValidLight(index) ? light[index] : Light{}; }
    bool LightEnable(int index, bool enable) {
        if (!ValidLight(index)) return false;
        lightEnabled[index] = enable;
        return true;
    }
    bool GetLightEnable(int index) const { return ValidLight(index) && lightEnabled[index]; }
    bool SetTexture(int stage, Texture* t) {
        if (!ValidStage(stage)) return false;
        texture[stage] = t;
        return true;
    }
    Texture* GetTexture(int stage) const { return ValidStage(stage) ? texture[stage] : nullptr; }
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
