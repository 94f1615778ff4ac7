// The 3-D device: fixed-function state, transforms, lights, materials, textures and draws
// from memory, in the game's conventions (left-handed, row vectors, depth 0..1, top-left
// viewport origin, clockwise front faces). Two backends: OpenGL 2.1 and a null device that
// records what it is told and draws nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/math.h"

namespace plat {

struct Texture;
struct Mesh;

// Render states; the values are the game's own numbers for them.
enum RenderState : int {
    RS_ZENABLE = 7,
    RS_ZWRITEENABLE = 14,
    RS_SRCBLEND = 19,
    RS_DESTBLEND = 20,
    RS_CULLMODE = 22,
    RS_ALPHABLENDENABLE = 27,
    RS_LIGHTING = 137,
    RS_NORMALIZENORMALS = 143,
};

enum Blend : uint32_t {
    BLEND_ZERO = 1,
    BLEND_ONE = 2,
    BLEND_SRCCOLOR = 3,
    BLEND_INVSRCCOLOR = 4,
    BLEND_SRCALPHA = 5,
    BLEND_INVSRCALPHA = 6,
    BLEND_DESTALPHA = 7,
    BLEND_INVDESTALPHA = 8,
    BLEND_DESTCOLOR = 9,
    BLEND_INVDESTCOLOR = 10,
};

enum Cull : uint32_t { CULL_NONE = 1, CULL_CW = 2, CULL_CCW = 3 };

enum TextureStageState : int { TSS_COLOROP = 1, TSS_ALPHAOP = 4, TSS_ALPHAARG1 = 5, TSS_ALPHAARG2 = 6 };
enum TextureOp : uint32_t { TOP_MODULATE = 4 };
enum TextureArg : uint32_t { TA_DIFFUSE = 0, TA_TEXTURE = 2 };

enum SamplerState : int { SAMP_MAGFILTER = 5, SAMP_MINFILTER = 6, SAMP_MIPFILTER = 7 };
enum TextureFilter : uint32_t { TEXF_NONE = 0, TEXF_POINT = 1, TEXF_LINEAR = 2 };

enum TransformState : int { TS_VIEW = 2, TS_PROJECTION = 3, TS_WORLD = 256 };

enum ClearFlags : uint32_t { CLEAR_TARGET = 1, CLEAR_ZBUFFER = 2 };

enum PrimitiveType : int { PT_POINTLIST = 1, PT_LINELIST = 2, PT_LINESTRIP = 3, PT_TRIANGLELIST = 4,
                           PT_TRIANGLESTRIP = 5, PT_TRIANGLEFAN = 6 };

// Vertex formats drawn from memory.
enum VertexFormat : uint32_t {
    FVF_XYZ = 0x002,
    FVF_NORMAL = 0x010,
    FVF_DIFFUSE = 0x040,
    FVF_TEX1 = 0x100,
};

// Outcome of Present and TestCooperativeLevel.
enum class DeviceStatus { Ok, Lost, NotReset };

struct Material {
    Color Diffuse, Ambient, Specular, Emissive;
    float Power = 0;
};

enum LightType : int { LIGHT_POINT = 1, LIGHT_SPOT = 2, LIGHT_DIRECTIONAL = 3 };

struct Light {
    LightType Type = LIGHT_DIRECTIONAL;
    Color Diffuse, Specular, Ambient;
    Vec3 Position;
    Vec3 Direction;  // the way the light travels, in world space
    float Range = 0, Falloff = 0, Attenuation0 = 0, Attenuation1 = 0, Attenuation2 = 0, Theta = 0, Phi = 0;
};

// A corner of a 2-D overlay quad (sprites, text), in pixels of the 640 x 480 back buffer.
struct ScreenVertex {
    float x = 0, y = 0;
    uint32_t color = 0;  // ARGB
    float u = 0, v = 0;
};

// One entry of the null device's log: the call's name and its arguments as text.
struct DeviceCall {
    std::string name;
    std::string args;
};

class Device {
public:
    virtual ~Device() = default;

    // Clears the current viewport only.
    virtual void Clear(uint32_t flags, uint32_t argb, float z) = 0;
    virtual void BeginScene() = 0;
    virtual void EndScene() = 0;
    // Shows the back buffer; a lost device reports Lost or NotReset.
    virtual DeviceStatus Present() = 0;
    virtual DeviceStatus TestCooperativeLevel() = 0;
    // Puts a lost device back; render states return to their defaults (the caller reapplies).
    virtual bool Reset() = 0;

    virtual void SetRenderState(RenderState state, uint32_t value) = 0;
    virtual uint32_t GetRenderState(RenderState state) const = 0;
    virtual void SetTextureStageState(int stage, TextureStageState state, uint32_t value) = 0;
    virtual uint32_t GetTextureStageState(int stage, TextureStageState state) const = 0;
    virtual void SetSamplerState(int sampler, SamplerState state, uint32_t value) = 0;
    virtual uint32_t GetSamplerState(int sampler, SamplerState state) const = 0;
    virtual void SetTransform(TransformState state, const Matrix& m) = 0;
    virtual Matrix GetTransform(TransformState state) const = 0;
    virtual void SetViewport(const Viewport& vp) = 0;
    virtual Viewport GetViewport() const = 0;
    virtual void SetMaterial(const Material& m) = 0;
    virtual Material GetMaterial() const = 0;
    virtual void SetLight(int index, const Light& light) = 0;
    virtual Light GetLight(int index) const = 0;
    virtual void LightEnable(int index, bool enable) = 0;
    virtual bool GetLightEnable(int index) const = 0;
    // Null unbinds. The texture stays owned by the caller.
    virtual void SetTexture(int stage, Texture* texture) = 0;
    virtual Texture* GetTexture(int stage) const = 0;
    virtual void SetFVF(uint32_t fvf) = 0;
    virtual uint32_t GetFVF() const = 0;

    // Draws primitiveCount primitives from vertices in memory laid out in the current FVF.
    virtual void DrawPrimitiveUP(PrimitiveType type, unsigned primitiveCount, const void* vertices,
                                 unsigned stride) = 0;
    // Draws one subset of a mesh with the current state.
    virtual void DrawMeshSubset(Mesh& mesh, unsigned subset) = 0;
    // For the sprite and font objects: a textured quad (corners top-left, top-right,
    // bottom-right, bottom-left) on top of the scene, clipped to the current viewport, with
    // no depth test or write, no culling and blending on. deviceBlend: with the blend factors
    // and texture filter in force now; otherwise source alpha / inverse source alpha and
    // linear filtering. Leaves the device's state as it was; a null texture draws nothing.
    // Consecutive quads may be batched, but every other call sees them drawn.
    virtual void DrawScreenQuad(Texture* texture, const ScreenVertex* corners, bool deviceBlend) = 0;

    // The device forgets what it holds of a texture or mesh about to be freed.
    virtual void ForgetTexture(Texture* texture) = 0;
    virtual void ForgetMesh(Mesh* mesh) = 0;

    // Reads the back buffer as 640 x 480 ARGB, top row first (empty on the null device).
    virtual std::vector<uint32_t> ReadBackBuffer() = 0;

    // Counts for tests and benchmarks.
    virtual unsigned DrawCallCount() const = 0;
};

// The null device: records every call into its log and draws nothing.
class NullDevice;
NullDevice* CreateNullDevice();
// The null device's test hooks. Log arguments are the call's arguments in order, separated
// by ", ": integers in decimal, colours as 0xAARRGGBB, floats as %g, vectors and colours of
// floats as (a, b, ...), pointers as %p or "null". The log keeps the latest 200000 calls.
const std::vector<DeviceCall>& NullDeviceLog(NullDevice* device);
void NullDeviceClearLog(NullDevice* device);  // clears the draws as well
// Long runs (the script driver) may switch the log and the draw records off.
void NullDeviceSetLogging(NullDevice* device, bool on);

// What the null device saw at one draw: the call, the state in force, the vertices.
struct NullDraw {
    enum Kind { Primitive, MeshSubset, ScreenQuad } kind = Primitive;
    PrimitiveType type = PT_TRIANGLELIST;  // Primitive
    unsigned primitiveCount = 0, stride = 0;
    const Mesh* mesh = nullptr;            // MeshSubset
    unsigned subset = 0;
    Texture* texture = nullptr;            // stage 0 (the quad's own for ScreenQuad)
    Material material;
    uint32_t fvf = 0;
    uint32_t srcBlend = 0, destBlend = 0;  // for ScreenQuad, the factors it used
    uint32_t alphaBlend = 0, zEnable = 0, zWrite = 0, cull = 0, lighting = 0;
    Matrix world, view, projection;
    Viewport viewport;
    std::vector<uint8_t> vertices;         // Primitive: the vertex bytes; ScreenQuad: 4 ScreenVertex
};
// The latest 20000 draws, oldest first.
const std::vector<NullDraw>& NullDeviceDraws(NullDevice* device);
// Makes Present and TestCooperativeLevel report status from now on: Lost until told
// otherwise (Reset fails meanwhile), NotReset until a Reset, Ok at once.
void NullDeviceSimulate(NullDevice* device, DeviceStatus status);

// The OpenGL device on the game window (CreateGameWindow first); null on failure.
Device* CreateGlDevice();

void DestroyDevice(Device* device);

// The one device in use (set by whoever creates it); the sprite, font and mesh code draws
// through it.
Device* CurrentDevice();
void SetCurrentDevice(Device* device);

}  // namespace plat
