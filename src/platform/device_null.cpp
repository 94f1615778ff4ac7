// The null device: keeps every state it is given, logs every call and draws nothing.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/device.h"
#include "platform/device_state.h"
#include "platform/mesh.h"

namespace plat {

class NullDevice final : public Device {
public:
    static constexpr size_t kLogLimit = 200000;
    static constexpr size_t kDrawLimit = 20000;

    std::vector<DeviceCall> log;
    std::vector<NullDraw> draws;
    bool logging = true;
    DeviceStatus status = DeviceStatus::Ok;

    void Clear(uint32_t flags, uint32_t argb, float z) override {
        Log("Clear", "%u, 0x%08X, %g", flags, argb, double(z));
    }
    void BeginScene() override { LogName("BeginScene"); }
    void EndScene() override { LogName("EndScene"); }
    DeviceStatus Present() override {
        LogName("Present");
        return status;
    }
    DeviceStatus TestCooperativeLevel() override {
        LogName("TestCooperativeLevel");
        return status;
    }
    bool Reset() override {
        LogName("Reset");
        if (status == DeviceStatus::Lost) return false;
        status = DeviceStatus::Ok;
        s_.SetDefaults();
        return true;
    }

    void SetRenderState(RenderState state, uint32_t value) override {
        Log("SetRenderState", "%d, %u", int(state), value);
        s_.SetRenderState(state, value);
    }
    uint32_t GetRenderState(RenderState state) const override { return s_.GetRenderState(state); }
    void SetTextureStageState(int stage, TextureStageState state, uint32_t value) override {
        Log("SetTextureStageState", "%d, %d, %u", stage, int(state), value);
        s_.SetStageState(stage, state, value);
    }
    uint32_t GetTextureStageState(int stage, TextureStageState state) const override {
        return s_.GetStageState(stage, state);
    }
    void SetSamplerState(int sampler, SamplerState state, uint32_t value) override {
        Log("SetSamplerState", "%d, %d, %u", sampler, int(state), value);
        s_.SetSamplerState(sampler, state, value);
    }
    uint32_t GetSamplerState(int sampler, SamplerState state) const override {
        return s_.GetSamplerState(sampler, state);
    }
    void SetTransform(TransformState state, const Matrix& m) override {
        const float* f = &m.m[0][0];
        Log("SetTransform", "%d, (%g, %g, %g, %g, %g, %g, %g, %g, %g, %g, %g, %g, %g, %g, %g, %g)",
            int(state), f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10], f[11],
            f[12], f[13], f[14], f[15]);
        s_.SetTransform(state, m);
    }
    Matrix GetTransform(TransformState state) const override { return s_.GetTransform(state); }
    void SetViewport(const Viewport& vp) override {
        Log("SetViewport", "%u, %u, %u, %u, %g, %g", vp.X, vp.Y, vp.Width, vp.Height,
            double(vp.MinZ), double(vp.MaxZ));
        s_.viewport = vp;
    }
    Viewport GetViewport() const override { return s_.viewport; }
    void SetMaterial(const Material& m) override {
        if (logging) Log("SetMaterial", "%s, %s, %s, %s, %g", Rgba(m.Diffuse).c_str(), Rgba(m.Ambient).c_str(),
            Rgba(m.Specular).c_str(), Rgba(m.Emissive).c_str(), double(m.Power));
        s_.material = m;
    }
    Material GetMaterial() const override { return s_.material; }
    void SetLight(int index, const Light& l) override {
        if (logging) Log("SetLight", "%d, %d, %s, %s, %s, (%g, %g, %g), (%g, %g, %g)", index, int(l.Type),
            Rgba(l.Diffuse).c_str(), Rgba(l.Specular).c_str(), Rgba(l.Ambient).c_str(),
            double(l.Position.x), double(l.Position.y), double(l.Position.z), double(l.Direction.x),
            double(l.Direction.y), double(l.Direction.z));
        s_.SetLight(index, l);
    }
    Light GetLight(int index) const override { return s_.GetLight(index); }
    void LightEnable(int index, bool enable) override {
        Log("LightEnable", "%d, %d", index, enable ? 1 : 0);
        s_.LightEnable(index, enable);
    }
    bool GetLightEnable(int index) const override { return s_.GetLightEnable(index); }
    void SetTexture(int stage, Texture* texture) override {
        if (logging) Log("SetTexture", "%d, %s", stage, Ptr(texture).c_str());
        s_.SetTexture(stage, texture);
    }
    Texture* GetTexture(int stage) const override { return s_.GetTexture(stage); }
    void SetFVF(uint32_t fvf) override {
        Log("SetFVF", "0x%X", fvf);
        s_.fvf = fvf;
    }
    uint32_t GetFVF() const override { return s_.fvf; }

    void DrawPrimitiveUP(PrimitiveType type, unsigned primitiveCount, const void* vertices,
                         unsigned stride) override {
        Log("DrawPrimitiveUP", "%d, %u, %u", int(type), primitiveCount, stride);
        ++drawCalls_;
        if (NullDraw* d = NewDraw(NullDraw::Primitive)) {
            d->type = type;
            d->primitiveCount = primitiveCount;
            d->stride = stride;
            const size_t bytes = size_t(VertexCount(type, primitiveCount)) * stride;
            if (vertices && bytes) {
                const uint8_t* p = static_cast<const uint8_t*>(vertices);
                d->vertices.assign(p, p + bytes);
            }
        }
    }
    void DrawMeshSubset(Mesh& mesh, unsigned subset) override {
        if (logging) Log("DrawMeshSubset", "%s, %u", Ptr(&mesh).c_str(), subset);
        ++drawCalls_;
        if (NullDraw* d = NewDraw(NullDraw::MeshSubset)) {
            d->mesh = &mesh;
            d->subset = subset;
            d->stride = Mesh::kStride;
        }
    }
    void DrawScreenQuad(Texture* texture, const ScreenVertex* c, bool deviceBlend) override {
        const uint32_t src = deviceBlend ? s_.renderState[RS_SRCBLEND] : uint32_t(BLEND_SRCALPHA);
        const uint32_t dest = deviceBlend ? s_.renderState[RS_DESTBLEND] : uint32_t(BLEND_INVSRCALPHA);
        if (logging) Log("DrawScreenQuad", "%s, (%g, %g), (%g, %g), 0x%08X, %u, %u", Ptr(texture).c_str(),
            double(c[0].x), double(c[0].y), double(c[2].x), double(c[2].y), c[0].color, src, dest);
        if (!texture) return;
        ++drawCalls_;
        if (NullDraw* d = NewDraw(NullDraw::ScreenQuad)) {
            d->texture = texture;
            d->srcBlend = src;
            d->destBlend = dest;
            d->alphaBlend = 1;
            d->zEnable = d->zWrite = 0;
            d->cull = CULL_NONE;
            d->lighting = 0;
            d->stride = sizeof(ScreenVertex);
            const uint8_t* p = reinterpret_cast<const uint8_t*>(c);
            d->vertices.assign(p, p + 4 * sizeof(ScreenVertex));
        }
    }

    void ForgetTexture(Texture* texture) override { if (logging) Log("ForgetTexture", "%s", Ptr(texture).c_str()); }
    void ForgetMesh(Mesh* mesh) override { if (logging) Log("ForgetMesh", "%s", Ptr(mesh).c_str()); }
    std::vector<uint32_t> ReadBackBuffer() override { return {}; }
    unsigned DrawCallCount() const override { return drawCalls_; }

private:
    DeviceState s_;
    unsigned drawCalls_ = 0;

    static std::string Rgba(const Color& c) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "(%g, %g, %g, %g)", double(c.r), double(c.g), double(c.b),
                      double(c.a));
        return buf;
    }
    static std::string Ptr(const void* p) {
        if (!p) return "null";
        char buf[32];
        std::snprintf(buf, sizeof buf, "%p", p);
        return buf;
    }

    __attribute__((format(printf, 3, 4))) void Log(const char* name, const char* fmt, ...) {
        if (!logging) return;
        if (log.size() >= kLogLimit) log.erase(log.begin(), log.begin() + kLogLimit / 2);
        char buf[512];
        va_list ap;
        va_start(ap, fmt);
        std::vsnprintf(buf, sizeof buf, fmt, ap);
        va_end(ap);
        log.push_back(DeviceCall{name, buf});
    }

    void LogName(const char* name) {
        if (!logging) return;
        if (log.size() >= kLogLimit) log.erase(log.begin(), log.begin() + kLogLimit / 2);
        log.push_back(DeviceCall{name, ""});
    }

    // A draw record with the state in force filled in; null while logging is off.
    NullDraw* NewDraw(NullDraw::Kind kind) {
        if (!logging) return nullptr;
        if (draws.size() >= kDrawLimit) draws.erase(draws.begin(), draws.begin() + kDrawLimit / 2);
        draws.emplace_back();
        NullDraw& d = draws.back();
        d.kind = kind;
        d.texture = s_.texture[0];
        d.material = s_.material;
        d.fvf = s_.fvf;
        d.srcBlend = s_.renderState[RS_SRCBLEND];
        d.destBlend = s_.renderState[RS_DESTBLEND];
        d.alphaBlend = s_.renderState[RS_ALPHABLENDENABLE];
        d.zEnable = s_.renderState[RS_ZENABLE];
        d.zWrite = s_.renderState[RS_ZWRITEENABLE];
        d.cull = s_.renderState[RS_CULLMODE];
        d.lighting = s_.renderState[RS_LIGHTING];
        d.world = s_.world;
        d.view = s_.view;
        d.projection = s_.projection;
        d.viewport = s_.viewport;
        return &d;
    }
};

NullDevice* CreateNullDevice() { return new NullDevice; }

const std::vector<DeviceCall>& NullDeviceLog(NullDevice* device) { return device->log; }

void NullDeviceClearLog(NullDevice* device) {
    device->log.clear();
    device->draws.clear();
}

void NullDeviceSetLogging(NullDevice* device, bool on) { device->logging = on; }

const std::vector<NullDraw>& NullDeviceDraws(NullDevice* device) { return device->draws; }

void NullDeviceSimulate(NullDevice* device, DeviceStatus status) { device->status = status; }

}  // namespace plat
