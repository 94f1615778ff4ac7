// The OpenGL 2.1 fixed-function device. The game's conventions are kept by converting at the
// edge: matrices go to OpenGL as they are (row-vector row-major is column-vector column-major)
// with the projection's depth moved from 0..w to -w..w, clockwise front faces, viewports
// flipped to a bottom-left origin, lights placed with the view matrix alone. The picture is
// drawn into a 640 x 480 framebuffer without alpha bits (so destination alpha reads 1) and
// scaled into the window on Present, aspect kept. States are applied lazily at each draw,
// and only those that changed.
#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/device.h"
#include "platform/device_state.h"
#include "platform/mesh.h"
#include "platform/texture.h"
#include "platform/window.h"

namespace plat {
namespace {

constexpr int kWidth = 640, kHeight = 480;

// Entry points beyond OpenGL 1.1, looked up at run time.
struct GlEntryPoints {
    PFNGLGENFRAMEBUFFERSPROC GenFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC BindFramebuffer = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus = nullptr;
    PFNGLGENRENDERBUFFERSPROC GenRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC BindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage = nullptr;
    PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer = nullptr;
    PFNGLGENERATEMIPMAPPROC GenerateMipmap = nullptr;
    PFNGLGENBUFFERSPROC GenBuffers = nullptr;
    PFNGLDELETEBUFFERSPROC DeleteBuffers = nullptr;
    PFNGLBINDBUFFERPROC BindBuffer = nullptr;
    PFNGLBUFFERDATAPROC BufferData = nullptr;
    PFNGLBUFFERSUBDATAPROC BufferSubData = nullptr;
    PFNGLDRAWRANGEELEMENTSPROC DrawRangeElements = nullptr;

    template <typename F>
    static bool Get(F* f, const char* name) {
        *f = reinterpret_cast<F>(SDL_GL_GetProcAddress(name));
        return *f != nullptr;
    }
    bool Load() {
        return Get(&GenFramebuffers, "glGenFramebuffers") && Get(&DeleteFramebuffers, "glDeleteFramebuffers") &&
               Get(&BindFramebuffer, "glBindFramebuffer") &&
               Get(&FramebufferRenderbuffer, "glFramebufferRenderbuffer") &&
               Get(&CheckFramebufferStatus, "glCheckFramebufferStatus") &&
               Get(&GenRenderbuffers, "glGenRenderbuffers") && Get(&DeleteRenderbuffers, "glDeleteRenderbuffers") &&
               Get(&BindRenderbuffer, "glBindRenderbuffer") && Get(&RenderbufferStorage, "glRenderbufferStorage") &&
               Get(&BlitFramebuffer, "glBlitFramebuffer") && Get(&GenerateMipmap, "glGenerateMipmap") &&
               Get(&GenBuffers, "glGenBuffers") && Get(&DeleteBuffers, "glDeleteBuffers") &&
               Get(&BindBuffer, "glBindBuffer") && Get(&BufferData, "glBufferData") &&
               Get(&BufferSubData, "glBufferSubData") && Get(&DrawRangeElements, "glDrawRangeElements");
    }
};
GlEntryPoints gl;

GLenum GlBlend(uint32_t b) {
    switch (b) {
        case BLEND_ZERO: return GL_ZERO;
        case BLEND_ONE: return GL_ONE;
        case BLEND_SRCCOLOR: return GL_SRC_COLOR;
        case BLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
        case BLEND_SRCALPHA: return GL_SRC_ALPHA;
        case BLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
        case BLEND_DESTALPHA: return GL_DST_ALPHA;
        case BLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
        case BLEND_DESTCOLOR: return GL_DST_COLOR;
        case BLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
        case 11: return GL_SRC_ALPHA_SATURATE;
        default: return GL_ONE;
    }
}

GLenum GlPrimitive(PrimitiveType t) {
    switch (t) {
        case PT_POINTLIST: return GL_POINTS;
        case PT_LINELIST: return GL_LINES;
        case PT_LINESTRIP: return GL_LINE_STRIP;
        case PT_TRIANGLELIST: return GL_TRIANGLES;
        case PT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
        case PT_TRIANGLEFAN: return GL_TRIANGLE_FAN;
    }
    return GL_TRIANGLES;
}

Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + a.m[i][3] * b.m[3][j];
    return r;
}

void GlColor(GLenum pname, const Color& c, GLenum light = 0) {
    const GLfloat v[4] = {c.r, c.g, c.b, c.a};
    if (light)
        glLightfv(light, pname, v);
    else
        glMaterialfv(GL_FRONT_AND_BACK, pname, v);
}

bool IsPoint(uint32_t filter) { return filter == TEXF_NONE || filter == TEXF_POINT; }

// Texture filter as OpenGL wants it, from the sampler's three filters.
void GlFilters(uint32_t minF, uint32_t magF, uint32_t mipF, bool mipmaps, GLint* glMin, GLint* glMag) {
    *glMag = IsPoint(magF) ? GL_NEAREST : GL_LINEAR;
    const bool minPoint = IsPoint(minF);
    if (!mipmaps || mipF == TEXF_NONE)
        *glMin = minPoint ? GL_NEAREST : GL_LINEAR;
    else if (mipF == TEXF_POINT)
        *glMin = minPoint ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR_MIPMAP_NEAREST;
    else
        *glMin = minPoint ? GL_NEAREST_MIPMAP_LINEAR : GL_LINEAR_MIPMAP_LINEAR;
}

}  // namespace

class GlDevice final : public Device {
public:
    bool Init();
    ~GlDevice() override;

    void Clear(uint32_t flags, uint32_t argb, float z) override;
    void BeginScene() override {}
    void EndScene() override { FlushQuads(); }
    DeviceStatus Present() override;
    DeviceStatus TestCooperativeLevel() override { return DeviceStatus::Ok; }
    bool Reset() override {
        FlushQuads();
        s_.SetDefaults();
        projDirty_ = modelViewDirty_ = lightsDirty_ = materialDirty_ = true;
        return true;
    }

    void SetRenderState(RenderState state, uint32_t value) override { s_.SetRenderState(state, value); }
    uint32_t GetRenderState(RenderState state) const override { return s_.GetRenderState(state); }
    void SetTextureStageState(int stage, TextureStageState state, uint32_t value) override {
        s_.SetStageState(stage, state, value);
    }
    uint32_t GetTextureStageState(int stage, TextureStageState state) const override {
        return s_.GetStageState(stage, state);
    }
    void SetSamplerState(int sampler, SamplerState state, uint32_t value) override {
        s_.SetSamplerState(sampler, state, value);
    }
    uint32_t GetSamplerState(int sampler, SamplerState state) const override {
        return s_.GetSamplerState(sampler, state);
    }
    void SetTransform(TransformState state, const Matrix& m) override {
        if (!s_.SetTransform(state, m)) return;
        switch (state) {
            case TS_WORLD: modelViewDirty_ = true; break;
            case TS_VIEW: modelViewDirty_ = lightsDirty_ = true; break;
            case TS_PROJECTION: projDirty_ = true; break;
        }
    }
    Matrix GetTransform(TransformState state) const override { return s_.GetTransform(state); }
    void SetViewport(const Viewport& vp) override {
        FlushQuads();
        s_.viewport = vp;
    }
    Viewport GetViewport() const override { return s_.viewport; }
    void SetMaterial(const Material& m) override {
        s_.material = m;
        materialDirty_ = true;
    }
    Material GetMaterial() const override { return s_.material; }
    void SetLight(int index, const Light& light) override {
        if (s_.SetLight(index, light)) lightsDirty_ = true;
    }
    Light GetLight(int index) const override { return s_.GetLight(index); }
    void LightEnable(int index, bool enable) override {
        if (s_.LightEnable(index, enable)) lightsDirty_ = true;
    }
    bool GetLightEnable(int index) const override { return s_.GetLightEnable(index); }
    void SetTexture(int stage, Texture* texture) override { s_.SetTexture(stage, texture); }
    Texture* GetTexture(int stage) const override { return s_.GetTexture(stage); }
    void SetFVF(uint32_t fvf) override { s_.fvf = fvf; }
    uint32_t GetFVF() const override { return s_.fvf; }

    void DrawPrimitiveUP(PrimitiveType type, unsigned primitiveCount, const void* vertices,
                         unsigned stride) override;
    void DrawMeshSubset(Mesh& mesh, unsigned subset) override;
    void DrawScreenQuad(Texture* texture, const ScreenVertex* corners, bool deviceBlend) override;

    void ForgetTexture(Texture* texture) override;
    void ForgetMesh(Mesh* mesh) override;
    std::vector<uint32_t> ReadBackBuffer() override;
    unsigned DrawCallCount() const override { return drawCalls_; }

private:
    // A mesh as uploaded: each subset gets a block of vertices of its own (corners shared
    // between subsets are copied), so that drawing a subset transforms only its vertices.
    struct MeshBuffers {
        Mesh* mesh = nullptr;
        GLuint vbo = 0, ibo = 0;
        size_t indexCount = 0;              // of the mesh when the layout was made
        size_t vertexCount = 0;
        std::vector<uint32_t> sourceVertex;  // uploaded vertex -> mesh vertex
        std::vector<uint32_t> firstVertex;   // by subset, into the uploaded vertices
        std::vector<uint32_t> lastVertex;
    };
    // What OpenGL holds now, so that only changes are sent.
    struct Applied {
        int depthTest = -1, depthMask = -1, blend = -1, cull = -1, lighting = -1, normalize = -1;
        int texture2D = -1, colorMaterial = -1;
        GLenum src = 0, dst = 0, cullFace = 0;
        GLuint texture = ~0u, arrayBuffer = ~0u, elementBuffer = ~0u;
        int normalArray = -1, colorArray = -1, texCoordArray = -1;
        bool whiteColor = false, zeroNormal = false;
        Viewport viewport{~0u, ~0u, 0, 0, -1, -1};
        GLenum matrixMode = 0;
    };

    DeviceState s_;
    Applied a_;
    bool projDirty_ = true, modelViewDirty_ = true, lightsDirty_ = true, materialDirty_ = true;
    bool bgraColors_ = false;
    GLuint fbo_ = 0, colorBuffer_ = 0, depthBuffer_ = 0;
    unsigned drawCalls_ = 0;
    SDL_Window* window_ = nullptr;

    std::vector<Texture*> textures_;       // every texture uploaded here
    // by GL name: the filters and wrap mode it was given
    std::vector<GLint> textureMin_, textureMag_, textureWrap_;
    std::vector<uint8_t> textureOpaque_;  // every texel's alpha is 1
    std::vector<MeshBuffers> meshes_;      // Mesh::deviceHandle - 1
    std::vector<uint32_t> freeMeshSlots_;
    std::vector<uint8_t> scratch_;         // vertices with colours swizzled, when needed
    std::vector<MeshVertex> meshStaging_;  // a mesh's vertices in upload order
    std::vector<uint32_t> indexStaging_, vertexStamp_;

    // The pending overlay quads and what they share.
    std::vector<ScreenVertex> quads_;
    Texture* quadTexture_ = nullptr;
    uint32_t quadSrc_ = 0, quadDst_ = 0, quadMin_ = 0, quadMag_ = 0;

    void Enable(GLenum cap, int* applied, bool on) {
        if (*applied == int(on)) return;
        if (on)
            glEnable(cap);
        else
            glDisable(cap);
        *applied = on;
    }
    void ClientArray(GLenum array, int* applied, bool on) {
        if (*applied == int(on)) return;
        if (on)
            glEnableClientState(array);
        else
            glDisableClientState(array);
        *applied = on;
    }
    void DepthMask(bool on) {
        if (a_.depthMask == int(on)) return;
        glDepthMask(on ? GL_TRUE : GL_FALSE);
        a_.depthMask = on;
    }
    void BlendFunc(GLenum src, GLenum dst) {
        if (a_.src == src && a_.dst == dst) return;
        glBlendFunc(src, dst);
        a_.src = src;
        a_.dst = dst;
    }
    void MatrixMode(GLenum mode) {
        if (a_.matrixMode == mode) return;
        glMatrixMode(mode);
        a_.matrixMode = mode;
    }
    void ArrayBuffer(GLuint b) {
        if (a_.arrayBuffer == b) return;
        gl.BindBuffer(GL_ARRAY_BUFFER, b);
        a_.arrayBuffer = b;
    }
    void ElementBuffer(GLuint b) {
        if (a_.elementBuffer == b) return;
        gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, b);
        a_.elementBuffer = b;
    }
    void WhiteColor() {
        if (a_.whiteColor) return;
        glColor4f(1, 1, 1, 1);
        a_.whiteColor = true;
    }

    void ApplyViewport();
    void Apply3D(bool vertexColor, bool vertexNormal, bool texCoords);
    bool BlendIsNoOp(bool vertexColor, bool texCoords);
    void ApplyLights();
    void BindTexture(Texture* t, uint32_t minF, uint32_t magF, uint32_t mipF, GLint wrap);
    GLuint Upload(Texture* t);
    MeshBuffers* Buffers(Mesh& mesh);
    void FlushQuads();
};

bool GlDevice::Init() {
    window_ = static_cast<SDL_Window*>(NativeWindowHandle());
    if (!window_ || !SDL_GL_GetCurrentContext()) {
        std::fprintf(stderr, "pomelane: no OpenGL context to draw with\n");
        return false;
    }
    if (!gl.Load()) {
        std::fprintf(stderr, "pomelane: OpenGL lacks framebuffer objects or buffers\n");
        return false;
    }
    bgraColors_ = SDL_GL_ExtensionSupported("GL_ARB_vertex_array_bgra") ||
                  SDL_GL_ExtensionSupported("GL_EXT_vertex_array_bgra");

    // The back buffer: colour without alpha bits, and depth.
    gl.GenRenderbuffers(1, &colorBuffer_);
    gl.BindRenderbuffer(GL_RENDERBUFFER, colorBuffer_);
    gl.RenderbufferStorage(GL_RENDERBUFFER, GL_RGB8, kWidth, kHeight);
    gl.GenRenderbuffers(1, &depthBuffer_);
    gl.BindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
    gl.RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, kWidth, kHeight);
    gl.GenFramebuffers(1, &fbo_);
    gl.BindFramebuffer(GL_FRAMEBUFFER, fbo_);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorBuffer_);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer_);
    if (gl.CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        std::fprintf(stderr, "pomelane: cannot make the 640 x 480 back buffer\n");
        return false;
    }

    glFrontFace(GL_CW);
    glDepthFunc(GL_LEQUAL);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_SCISSOR_TEST);
    glDisable(GL_DITHER);
    const GLfloat black[4] = {0, 0, 0, 1}, none[4] = {0, 0, 0, 0};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);  // the light's ambient is the only ambient
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, none);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0);
    glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glEnableClientState(GL_VERTEX_ARRAY);
    quads_.reserve(4 * 512);

    // Start from a black back buffer.
    glScissor(0, 0, kWidth, kHeight);
    glClearColor(0, 0, 0, 1);
    glClearDepth(1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    return glGetError() == GL_NO_ERROR;
}

GlDevice::~GlDevice() {
    // Whatever was uploaded here is uploaded afresh by a later device.
    for (Texture* t : textures_) {
        GLuint name = t->deviceHandle;
        glDeleteTextures(1, &name);
        t->deviceHandle = 0;
        t->dirty = true;
    }
    for (MeshBuffers& b : meshes_) {
        if (!b.mesh) continue;
        gl.DeleteBuffers(1, &b.vbo);
        gl.DeleteBuffers(1, &b.ibo);
        b.mesh->deviceHandle = 0;
        b.mesh->dirty = true;
    }
    if (fbo_) gl.DeleteFramebuffers(1, &fbo_);
    if (colorBuffer_) gl.DeleteRenderbuffers(1, &colorBuffer_);
    if (depthBuffer_) gl.DeleteRenderbuffers(1, &depthBuffer_);
    if (gl.BindFramebuffer) gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
}

void GlDevice::ApplyViewport() {
    const Viewport& v = s_.viewport;
    Viewport& a = a_.viewport;
    if (v.X == a.X && v.Y == a.Y && v.Width == a.Width && v.Height == a.Height && v.MinZ == a.MinZ &&
        v.MaxZ == a.MaxZ)
        return;
    const GLint y = GLint(kHeight) - GLint(v.Y) - GLint(v.Height);
    glViewport(GLint(v.X), y, GLsizei(v.Width), GLsizei(v.Height));
    glScissor(GLint(v.X), y, GLsizei(v.Width), GLsizei(v.Height));  // clears stay inside it
    glDepthRange(v.MinZ, v.MaxZ);
    a = v;
}

void GlDevice::Clear(uint32_t flags, uint32_t argb, float z) {
    FlushQuads();
    ApplyViewport();
    GLbitfield bits = 0;
    if (flags & CLEAR_TARGET) {
        glClearColor(float((argb >> 16) & 255) / 255.0f, float((argb >> 8) & 255) / 255.0f,
                     float(argb & 255) / 255.0f, 1.0f);
        bits |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & CLEAR_ZBUFFER) {
        DepthMask(true);  // depth clears whatever the depth-write state
        glClearDepth(z);
        bits |= GL_DEPTH_BUFFER_BIT;
    }
    if (bits) glClear(bits);
}

DeviceStatus GlDevice::Present() {
    FlushQuads();
    int w = kWidth, h = kHeight;
    SDL_GL_GetDrawableSize(window_, &w, &h);
    gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, fbo_);
    glDisable(GL_SCISSOR_TEST);
    // Letterboxed: the whole picture, aspect kept, centred.
    int dw = w, dh = w * kHeight / kWidth;
    if (dh > h) {
        dh = h;
        dw = h * kWidth / kHeight;
    }
    const int dx = (w - dw) / 2, dy = (h - dh) / 2;
    if (dw != w || dh != h) {
        glViewport(0, 0, w, h);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    const bool exact = dw % kWidth == 0 && dh % kHeight == 0;
    gl.BlitFramebuffer(0, 0, kWidth, kHeight, dx, dy, dx + dw, dy + dh, GL_COLOR_BUFFER_BIT,
                       exact ? GL_NEAREST : GL_LINEAR);
    SDL_GL_SwapWindow(window_);
    gl.BindFramebuffer(GL_FRAMEBUFFER, fbo_);
    glEnable(GL_SCISSOR_TEST);
    a_.viewport = Viewport{~0u, ~0u, 0, 0, -1, -1};
    return DeviceStatus::Ok;
}

std::vector<uint32_t> GlDevice::ReadBackBuffer() {
    FlushQuads();
    std::vector<uint32_t> rows(size_t(kWidth) * kHeight);
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, fbo_);
    glReadPixels(0, 0, kWidth, kHeight, GL_BGRA, GL_UNSIGNED_BYTE, rows.data());
    std::vector<uint32_t> out(rows.size());
    for (int y = 0; y < kHeight; ++y) {
        const uint32_t* src = &rows[size_t(kHeight - 1 - y) * kWidth];
        uint32_t* dst = &out[size_t(y) * kWidth];
        for (int x = 0; x < kWidth; ++x) dst[x] = src[x] | 0xFF000000u;
    }
    return out;
}

GLuint GlDevice::Upload(Texture* t) {
    if (t->deviceHandle && !t->dirty) return t->deviceHandle;
    if (t->width < 1 || t->height < 1 || t->argb.size() != size_t(t->width) * size_t(t->height)) return 0;
    if (!t->deviceHandle) {
        GLuint name = 0;
        glGenTextures(1, &name);
        t->deviceHandle = name;
        textures_.push_back(t);
        if (textureMin_.size() <= name) {
            textureMin_.resize(name + 64, -1);
            textureMag_.resize(name + 64, -1);
            textureWrap_.resize(name + 64, -1);
            textureOpaque_.resize(name + 64, 0);
        }
        textureMin_[name] = textureMag_[name] = textureWrap_[name] = -1;
    }
    glBindTexture(GL_TEXTURE_2D, t->deviceHandle);
    a_.texture = t->deviceHandle;
    // ARGB words in memory are B, G, R, A bytes; rows go top first, so v = 0 is the top.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, t->width, t->height, 0, GL_BGRA, GL_UNSIGNED_BYTE, t->argb.data());
    if (t->mipmaps) gl.GenerateMipmap(GL_TEXTURE_2D);
    textureOpaque_[t->deviceHandle] =
        std::all_of(t->argb.begin(), t->argb.end(), [](uint32_t p) { return p >= 0xFF000000u; });
    t->dirty = false;
    return t->deviceHandle;
}

void GlDevice::BindTexture(Texture* t, uint32_t minF, uint32_t magF, uint32_t mipF, GLint wrap) {
    const GLuint name = t ? Upload(t) : 0;
    Enable(GL_TEXTURE_2D, &a_.texture2D, name != 0);
    if (!name) return;
    if (a_.texture != name) {
        glBindTexture(GL_TEXTURE_2D, name);
        a_.texture = name;
    }
    GLint glMin, glMag;
    GlFilters(minF, magF, mipF, t->mipmaps, &glMin, &glMag);
    if (textureMin_[name] != glMin) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, glMin);
        textureMin_[name] = glMin;
    }
    if (textureMag_[name] != glMag) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, glMag);
        textureMag_[name] = glMag;
    }
    if (textureWrap_[name] != wrap) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
        textureWrap_[name] = wrap;
    }
}

void GlDevice::ApplyLights() {
    if (!lightsDirty_) return;
    // OpenGL places a light by the modelview in force when it is set: the view alone here.
    MatrixMode(GL_MODELVIEW);
    glLoadMatrixf(&s_.view.m[0][0]);
    modelViewDirty_ = true;
    for (int i = 0; i < DeviceState::kLights; ++i) {
        const GLenum id = GL_LIGHT0 + GLenum(i);
        if (!s_.lightEnabled[i]) {
            glDisable(id);
            continue;
        }
        const Light& l = s_.light[i];
        glEnable(id);
        GlColor(GL_DIFFUSE, l.Diffuse, id);
        GlColor(GL_AMBIENT, l.Ambient, id);
        GlColor(GL_SPECULAR, Color(0, 0, 0, 0), id);  // specular is off on this platform
        if (l.Type == LIGHT_DIRECTIONAL) {
            const GLfloat towards[4] = {-l.Direction.x, -l.Direction.y, -l.Direction.z, 0};
            glLightfv(id, GL_POSITION, towards);
            glLightf(id, GL_SPOT_CUTOFF, 180);
            glLightf(id, GL_CONSTANT_ATTENUATION, 1);
            glLightf(id, GL_LINEAR_ATTENUATION, 0);
            glLightf(id, GL_QUADRATIC_ATTENUATION, 0);
        } else {
            const GLfloat at[4] = {l.Position.x, l.Position.y, l.Position.z, 1};
            glLightfv(id, GL_POSITION, at);
            const bool none = l.Attenuation0 == 0 && l.Attenuation1 == 0 && l.Attenuation2 == 0;
            glLightf(id, GL_CONSTANT_ATTENUATION, none ? 1 : l.Attenuation0);
            glLightf(id, GL_LINEAR_ATTENUATION, l.Attenuation1);
            glLightf(id, GL_QUADRATIC_ATTENUATION, l.Attenuation2);
            if (l.Type == LIGHT_SPOT) {
                const GLfloat dir[3] = {l.Direction.x, l.Direction.y, l.Direction.z};
                glLightfv(id, GL_SPOT_DIRECTION, dir);
                glLightf(id, GL_SPOT_CUTOFF, std::min(90.0f, l.Phi * 0.5f * 57.2957764f));
                glLightf(id, GL_SPOT_EXPONENT, std::min(128.0f, l.Falloff));
            } else {
                glLightf(id, GL_SPOT_CUTOFF, 180);
            }
        }
    }
    lightsDirty_ = false;
}

// Source alpha over inverse source alpha with an alpha of 1 everywhere writes the source as
// it is: opaque meshes then skip the blend, which costs a read of every pixel they cover.
bool GlDevice::BlendIsNoOp(bool vertexColor, bool texCoords) {
    if (s_.renderState[RS_SRCBLEND] != BLEND_SRCALPHA || s_.renderState[RS_DESTBLEND] != BLEND_INVSRCALPHA)
        return false;
    if (vertexColor) return false;
    if (s_.renderState[RS_LIGHTING] != 0 && s_.material.Diffuse.a < 1.0f) return false;
    Texture* t = texCoords ? s_.texture[0] : nullptr;
    if (!t) return true;
    const GLuint name = Upload(t);
    return name == 0 || textureOpaque_[name] != 0;
}

void GlDevice::Apply3D(bool vertexColor, bool vertexNormal, bool texCoords) {
    const uint32_t* rs = s_.renderState;
    ApplyViewport();
    Enable(GL_DEPTH_TEST, &a_.depthTest, rs[RS_ZENABLE] != 0);
    DepthMask(rs[RS_ZWRITEENABLE] != 0);
    Enable(GL_BLEND, &a_.blend, rs[RS_ALPHABLENDENABLE] != 0 && !BlendIsNoOp(vertexColor, texCoords));
    BlendFunc(GlBlend(rs[RS_SRCBLEND]), GlBlend(rs[RS_DESTBLEND]));
    // Front faces wind clockwise (glFrontFace): culling CCW faces culls the back ones.
    const uint32_t cull = rs[RS_CULLMODE];
    Enable(GL_CULL_FACE, &a_.cull, cull == CULL_CW || cull == CULL_CCW);
    const GLenum face = cull == CULL_CW ? GL_FRONT : GL_BACK;
    if ((cull == CULL_CW || cull == CULL_CCW) && a_.cullFace != face) {
        glCullFace(face);
        a_.cullFace = face;
    }
    const bool lighting = rs[RS_LIGHTING] != 0;
    Enable(GL_LIGHTING, &a_.lighting, lighting);
    Enable(GL_NORMALIZE, &a_.normalize, rs[RS_NORMALIZENORMALS] != 0 && vertexNormal);

    if (projDirty_) {
        // Depth 0..w becomes -w..w: z' = 2z - w.
        Matrix p = s_.projection;
        for (int r = 0; r < 4; ++r) p.m[r][2] = 2.0f * p.m[r][2] - p.m[r][3];
        MatrixMode(GL_PROJECTION);
        glLoadMatrixf(&p.m[0][0]);
        projDirty_ = false;
    }
    if (lighting) {
        ApplyLights();
        // A vertex colour stands for the diffuse material, as on the original platform; it
        // overwrites OpenGL's diffuse material, which is set again at the next draw.
        Enable(GL_COLOR_MATERIAL, &a_.colorMaterial, vertexColor);
        if (materialDirty_) {
            GlColor(GL_DIFFUSE, s_.material.Diffuse);
            GlColor(GL_AMBIENT, s_.material.Ambient);
            GlColor(GL_EMISSION, s_.material.Emissive);
            materialDirty_ = false;
        }
        if (vertexColor) materialDirty_ = true;
        if (!vertexNormal && !a_.zeroNormal) {
            glNormal3f(0, 0, 0);  // no normal: only ambient and emissive light it
            a_.zeroNormal = true;
        }
    } else {
        Enable(GL_COLOR_MATERIAL, &a_.colorMaterial, false);
    }
    if (modelViewDirty_) {
        const Matrix wv = Multiply(s_.world, s_.view);
        MatrixMode(GL_MODELVIEW);
        glLoadMatrixf(&wv.m[0][0]);
        modelViewDirty_ = false;
    }
    const uint32_t* samp = s_.samplerState[0];
    BindTexture(texCoords ? s_.texture[0] : nullptr, samp[SAMP_MINFILTER], samp[SAMP_MAGFILTER],
                samp[SAMP_MIPFILTER], GL_REPEAT);
    if (!vertexColor) WhiteColor();
}

void GlDevice::DrawPrimitiveUP(PrimitiveType type, unsigned primitiveCount, const void* vertices,
                               unsigned stride) {
    const unsigned count = VertexCount(type, primitiveCount);
    const uint32_t fvf = s_.fvf;
    if (!vertices || count == 0 || !(fvf & FVF_XYZ)) return;
    const bool normal = fvf & FVF_NORMAL, color = fvf & FVF_DIFFUSE, tex = (fvf & 0xF00) != 0;
    const unsigned normalAt = 12, colorAt = normal ? 24 : 12, texAt = colorAt + (color ? 4 : 0);
    if (stride < texAt + (tex ? 8 : 0)) return;
    FlushQuads();
    Apply3D(color, normal, tex);

    const uint8_t* p = static_cast<const uint8_t*>(vertices);
    if (color && !bgraColors_) {
        // Without BGRA vertex colours: a copy with the bytes in RGBA order.
        scratch_.assign(p, p + size_t(count) * stride);
        for (unsigned i = 0; i < count; ++i) std::swap(scratch_[i * stride + colorAt], scratch_[i * stride + colorAt + 2]);
        p = scratch_.data();
    }
    ArrayBuffer(0);
    glVertexPointer(3, GL_FLOAT, GLsizei(stride), p);
    ClientArray(GL_NORMAL_ARRAY, &a_.normalArray, normal);
    if (normal) {
        glNormalPointer(GL_FLOAT, GLsizei(stride), p + normalAt);
        a_.zeroNormal = false;
    }
    ClientArray(GL_COLOR_ARRAY, &a_.colorArray, color);
    if (color) {
        glColorPointer(bgraColors_ ? GL_BGRA : 4, GL_UNSIGNED_BYTE, GLsizei(stride), p + colorAt);
        a_.whiteColor = false;
    }
    ClientArray(GL_TEXTURE_COORD_ARRAY, &a_.texCoordArray, tex);
    if (tex) glTexCoordPointer(2, GL_FLOAT, GLsizei(stride), p + texAt);
    glDrawArrays(GlPrimitive(type), 0, GLsizei(count));
    ++drawCalls_;
}

GlDevice::MeshBuffers* GlDevice::Buffers(Mesh& mesh) {
    if (mesh.vertices.empty() || mesh.indices.empty()) return nullptr;
    MeshBuffers* b = nullptr;
    if (mesh.deviceHandle == 0) {
        uint32_t slot;
        if (!freeMeshSlots_.empty()) {
            slot = freeMeshSlots_.back();
            freeMeshSlots_.pop_back();
        } else {
            slot = uint32_t(meshes_.size());
            meshes_.emplace_back();
        }
        b = &meshes_[slot];
        *b = MeshBuffers{};
        b->mesh = &mesh;
        gl.GenBuffers(1, &b->vbo);
        gl.GenBuffers(1, &b->ibo);
        mesh.deviceHandle = slot + 1;
        mesh.dirty = true;
    } else {
        b = &meshes_[mesh.deviceHandle - 1];
    }
    ArrayBuffer(b->vbo);
    ElementBuffer(b->ibo);
    const size_t nv = mesh.vertices.size();
    if (b->indexCount != mesh.indices.size() || b->vertexCount != nv) {
        // The layout: walk each subset's indices, giving each corner it meets a new vertex.
        b->sourceVertex.clear();
        b->firstVertex.assign(mesh.subsets.size(), 0);
        b->lastVertex.assign(mesh.subsets.size(), 0);
        indexStaging_.assign(mesh.indices.size(), 0);
        vertexStamp_.assign(nv * 2, ~0u);  // [2v] = subset that placed it, [2v+1] = where
        for (size_t si = 0; si < mesh.subsets.size(); ++si) {
            const MeshSubset& sub = mesh.subsets[si];
            const size_t end = std::min(mesh.indices.size(), size_t(sub.firstIndex) + sub.indexCount);
            b->firstVertex[si] = uint32_t(b->sourceVertex.size());
            for (size_t i = sub.firstIndex; i < end; ++i) {
                uint32_t v = mesh.indices[i];
                if (v >= nv) v = 0;
                if (vertexStamp_[2 * v] != si) {
                    vertexStamp_[2 * v] = uint32_t(si);
                    vertexStamp_[2 * v + 1] = uint32_t(b->sourceVertex.size());
                    b->sourceVertex.push_back(v);
                }
                indexStaging_[i] = vertexStamp_[2 * v + 1];
            }
            const size_t placed = b->sourceVertex.size();
            b->lastVertex[si] = placed > b->firstVertex[si] ? uint32_t(placed - 1) : b->firstVertex[si];
        }
        gl.BufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indexStaging_.size() * sizeof(uint32_t)),
                      indexStaging_.data(), GL_STATIC_DRAW);
        gl.BufferData(GL_ARRAY_BUFFER, GLsizeiptr(b->sourceVertex.size() * sizeof(MeshVertex)), nullptr,
                      GL_DYNAMIC_DRAW);
        b->indexCount = mesh.indices.size();
        b->vertexCount = nv;
        mesh.dirty = true;
    }
    if (mesh.dirty) {
        meshStaging_.resize(b->sourceVertex.size());
        for (size_t i = 0; i < b->sourceVertex.size(); ++i) meshStaging_[i] = mesh.vertices[b->sourceVertex[i]];
        gl.BufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(meshStaging_.size() * sizeof(MeshVertex)),
                         meshStaging_.data());
        mesh.dirty = false;
    }
    return b;
}

void GlDevice::DrawMeshSubset(Mesh& mesh, unsigned subset) {
    if (subset >= mesh.subsets.size()) return;
    const MeshSubset& s = mesh.subsets[subset];
    if (s.indexCount == 0 || size_t(s.firstIndex) + s.indexCount > mesh.indices.size()) return;
    FlushQuads();
    Apply3D(false, true, true);
    MeshBuffers* b = Buffers(mesh);
    if (!b || b->sourceVertex.empty()) return;
    constexpr GLsizei stride = sizeof(MeshVertex);
    glVertexPointer(3, GL_FLOAT, stride, reinterpret_cast<const void*>(offsetof(MeshVertex, pos)));
    ClientArray(GL_NORMAL_ARRAY, &a_.normalArray, true);
    glNormalPointer(GL_FLOAT, stride, reinterpret_cast<const void*>(offsetof(MeshVertex, normal)));
    a_.zeroNormal = false;
    ClientArray(GL_COLOR_ARRAY, &a_.colorArray, false);
    ClientArray(GL_TEXTURE_COORD_ARRAY, &a_.texCoordArray, true);
    glTexCoordPointer(2, GL_FLOAT, stride, reinterpret_cast<const void*>(offsetof(MeshVertex, uv)));
    gl.DrawRangeElements(GL_TRIANGLES, b->firstVertex[subset], b->lastVertex[subset], GLsizei(s.indexCount),
                         GL_UNSIGNED_INT, reinterpret_cast<const void*>(size_t(s.firstIndex) * sizeof(uint32_t)));
    ++drawCalls_;
}

void GlDevice::DrawScreenQuad(Texture* texture, const ScreenVertex* corners, bool deviceBlend) {
    if (!texture) return;
    const uint32_t src = deviceBlend ? s_.renderState[RS_SRCBLEND] : uint32_t(BLEND_SRCALPHA);
    const uint32_t dst = deviceBlend ? s_.renderState[RS_DESTBLEND] : uint32_t(BLEND_INVSRCALPHA);
    const uint32_t minF = deviceBlend ? s_.samplerState[0][SAMP_MINFILTER] : uint32_t(TEXF_LINEAR);
    const uint32_t magF = deviceBlend ? s_.samplerState[0][SAMP_MAGFILTER] : uint32_t(TEXF_LINEAR);
    if (!quads_.empty() &&
        (texture != quadTexture_ || src != quadSrc_ || dst != quadDst_ || minF != quadMin_ || magF != quadMag_))
        FlushQuads();
    quadTexture_ = texture;
    quadSrc_ = src;
    quadDst_ = dst;
    quadMin_ = minF;
    quadMag_ = magF;
    quads_.insert(quads_.end(), corners, corners + 4);
    if (quads_.size() >= 4 * 512) FlushQuads();
}

void GlDevice::FlushQuads() {
    if (quads_.empty()) return;
    ApplyViewport();
    Enable(GL_DEPTH_TEST, &a_.depthTest, false);
    DepthMask(false);
    Enable(GL_CULL_FACE, &a_.cull, false);
    Enable(GL_LIGHTING, &a_.lighting, false);
    Enable(GL_COLOR_MATERIAL, &a_.colorMaterial, false);
    Enable(GL_BLEND, &a_.blend, true);
    BlendFunc(GlBlend(quadSrc_), GlBlend(quadDst_));
    // Clamped, so that a picture at the sheet's edge takes nothing from the opposite edge.
    BindTexture(quadTexture_, quadMin_, quadMag_, TEXF_NONE, GL_CLAMP_TO_EDGE);
    if (a_.texture2D == 1) {
        // Positions are back-buffer pixels, clipped by the viewport.
        const Viewport& v = s_.viewport;
        const float w = float(v.Width ? v.Width : 1), h = float(v.Height ? v.Height : 1);
        const GLfloat ortho[16] = {2.0f / w, 0, 0, 0, 0, -2.0f / h, 0, 0, 0, 0, 1, 0,
                                   -2.0f * float(v.X) / w - 1.0f, 2.0f * float(v.Y) / h + 1.0f, 0, 1};
        MatrixMode(GL_PROJECTION);
        glLoadMatrixf(ortho);
        MatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        projDirty_ = modelViewDirty_ = true;

        const uint8_t* p = reinterpret_cast<const uint8_t*>(quads_.data());
        constexpr GLsizei stride = sizeof(ScreenVertex);
        if (!bgraColors_) {
            scratch_.assign(p, p + quads_.size() * sizeof(ScreenVertex));
            for (size_t i = 0; i < quads_.size(); ++i)
                std::swap(scratch_[i * stride + offsetof(ScreenVertex, color)],
                          scratch_[i * stride + offsetof(ScreenVertex, color) + 2]);
            p = scratch_.data();
        }
        ArrayBuffer(0);
        glVertexPointer(2, GL_FLOAT, stride, p + offsetof(ScreenVertex, x));
        ClientArray(GL_NORMAL_ARRAY, &a_.normalArray, false);
        ClientArray(GL_COLOR_ARRAY, &a_.colorArray, true);
        glColorPointer(bgraColors_ ? GL_BGRA : 4, GL_UNSIGNED_BYTE, stride, p + offsetof(ScreenVertex, color));
        a_.whiteColor = false;
        ClientArray(GL_TEXTURE_COORD_ARRAY, &a_.texCoordArray, true);
        glTexCoordPointer(2, GL_FLOAT, stride, p + offsetof(ScreenVertex, u));
        glDrawArrays(GL_QUADS, 0, GLsizei(quads_.size()));
        ++drawCalls_;
    }
    quads_.clear();
}

void GlDevice::ForgetTexture(Texture* texture) {
    if (!texture) return;
    if (texture == quadTexture_) FlushQuads();
    for (Texture*& slot : s_.texture)
        if (slot == texture) slot = nullptr;
    if (texture == quadTexture_) quadTexture_ = nullptr;
    if (!texture->deviceHandle) return;
    GLuint name = texture->deviceHandle;
    if (a_.texture == name) a_.texture = ~0u;
    glDeleteTextures(1, &name);
    texture->deviceHandle = 0;
    texture->dirty = true;
    auto it = std::find(textures_.begin(), textures_.end(), texture);
    if (it != textures_.end()) {
        *it = textures_.back();
        textures_.pop_back();
    }
}

void GlDevice::ForgetMesh(Mesh* mesh) {
    if (!mesh || mesh->deviceHandle == 0 || mesh->deviceHandle > meshes_.size()) return;
    MeshBuffers& b = meshes_[mesh->deviceHandle - 1];
    if (b.mesh != mesh) return;
    if (a_.arrayBuffer == b.vbo) a_.arrayBuffer = ~0u;
    if (a_.elementBuffer == b.ibo) a_.elementBuffer = ~0u;
    gl.DeleteBuffers(1, &b.vbo);
    gl.DeleteBuffers(1, &b.ibo);
    b = MeshBuffers{};
    freeMeshSlots_.push_back(mesh->deviceHandle - 1);
    mesh->deviceHandle = 0;
    mesh->dirty = true;
}

Device* CreateGlDevice() {
    GlDevice* device = new GlDevice;
    if (!device->Init()) {
        delete device;
        return nullptr;
    }
    return device;
}

}  // namespace plat
