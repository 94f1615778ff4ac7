// The game window on SDL2 with an OpenGL 2.1 compatibility context, and the message queue.
// SDL's window events become the few window messages the game handles:
//   focus lost or minimised          -> WM_ACTIVATE WA_INACTIVE (pauses)
//   restored, or focus gained again  -> WM_ACTIVATE WA_ACTIVE, then WM_SIZE SIZE_RESTORED
//                                       (resumes: on Linux a click back into the window is
//                                       how a user expects to carry on)
//   Escape pressed                   -> WM_KEYDOWN VK_ESCAPE
//   close button, or SDL_QUIT        -> WM_DESTROY
#include "platform/window.h"

#include <SDL.h>

#include <cstdio>
#include <deque>

#include "platform/keys.h"

namespace plat {
namespace {

struct WindowState {
    bool headless = false;
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    bool destroySent = false;
    std::deque<Message> queue;
};
WindowState win;

void Post(MessageType type, uintptr_t wParam) { win.queue.push_back(Message{type, wParam, 0}); }

void Resumed() {
    Post(WM_ACTIVATE, WA_ACTIVE);
    Post(WM_SIZE, SIZE_RESTORED);
}

void Translate(const SDL_Event& e) {
    switch (e.type) {
        case SDL_WINDOWEVENT:
            switch (e.window.event) {
                case SDL_WINDOWEVENT_FOCUS_LOST:
                case SDL_WINDOWEVENT_MINIMIZED: Post(WM_ACTIVATE, WA_INACTIVE); break;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                case SDL_WINDOWEVENT_RESTORED: Resumed(); break;
                case SDL_WINDOWEVENT_CLOSE:
                    if (!win.destroySent) Post(WM_DESTROY, 0);
                    win.destroySent = true;
                    break;
                default: break;
            }
            break;
        case SDL_KEYDOWN:
            if (e.key.keysym.sym == SDLK_ESCAPE && !e.key.repeat) Post(WM_KEYDOWN, VK_ESCAPE);
            break;
        case SDL_QUIT:
            if (!win.destroySent) Post(WM_DESTROY, 0);
            win.destroySent = true;
            break;
        default: break;
    }
}

// A small can-shaped icon: any icon may stand in for the original's.
void SetIcon(SDL_Window* window) {
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!icon) return;
    uint32_t* px = static_cast<uint32_t*>(icon->pixels);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            uint32_t c = 0;
            if (x >= 9 && x < 23 && y >= 3 && y < 29) {
                c = (y < 6 || y >= 26) ? 0xFFC0C0C8u : (y >= 11 && y < 21) ? 0xFFF08020u : 0xFFE03028u;
                if (x == 11) c = 0xFFFFFFFFu;
            }
            px[y * (icon->pitch / 4) + x] = c;
        }
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

}  // namespace

bool CreateGameWindow(const char* caption, bool fullscreen) {
    DestroyGameWindow();
    win.headless = false;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "pomelane: cannot start video: %s\n", SDL_GetError());
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // The picture is drawn off screen; the window only receives the scaled copy.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE;
    if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    win.window = SDL_CreateWindow(caption, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 640, 480, flags);
    if (!win.window) {
        std::fprintf(stderr, "pomelane: cannot open the window: %s\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    win.context = SDL_GL_CreateContext(win.window);
    if (!win.context) {
        std::fprintf(stderr, "pomelane: no OpenGL 2.1 context: %s\n", SDL_GetError());
        SDL_DestroyWindow(win.window);
        win.window = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    SDL_GL_MakeCurrent(win.window, win.context);
    SDL_GL_SetSwapInterval(0);  // the game paces its own frames
    SetIcon(win.window);
    SDL_SetWindowMinimumSize(win.window, 320, 240);
    SDL_ShowCursor(SDL_DISABLE);
    SDL_RaiseWindow(win.window);
    win.destroySent = false;
    return true;
}

void UseHeadlessWindow() {
    DestroyGameWindow();
    win.headless = true;
    win.queue.clear();
}

bool WindowIsHeadless() { return win.headless || !win.window; }

void DestroyGameWindow() {
    if (win.context) SDL_GL_DeleteContext(win.context);
    if (win.window) {
        SDL_DestroyWindow(win.window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    win.context = nullptr;
    win.window = nullptr;
}

bool PeekMessage(Message* msg) {
    if (win.window) {
        SDL_Event e;
        while (SDL_PollEvent(&e)) Translate(e);
    }
    if (win.queue.empty()) return false;
    *msg = win.queue.front();
    win.queue.pop_front();
    return true;
}

void PostMessage(MessageType type, uintptr_t wParam, intptr_t lParam) {
    win.queue.push_back(Message{type, wParam, lParam});
}

void PostQuitMessage(int exitCode) { Post(WM_QUIT, uintptr_t(exitCode)); }

void GetDrawableSize(int* width, int* height) {
    *width = 640;
    *height = 480;
    if (win.window) SDL_GL_GetDrawableSize(win.window, width, height);
}

void* NativeWindowHandle() { return win.window; }

}  // namespace plat
