// The game window and its messages. The real backend is an SDL window with an OpenGL context;
// the headless one only queues messages that tests and scripts post.
#pragma once

#include <cstdint>

namespace plat {

enum MessageType : uint32_t {
    WM_NULL = 0,
    WM_DESTROY = 2,
    WM_SIZE = 5,
    WM_ACTIVATE = 6,
    WM_CLOSE = 0x10,
    WM_QUIT = 0x12,
    WM_KEYDOWN = 0x100,
};

enum : uint32_t { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, WA_INACTIVE = 0, WA_ACTIVE = 1 };

struct Message {
    MessageType message = WM_NULL;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

// Opens the 640 x 480 window with its caption. fullscreen: desktop full screen with the
// picture scaled (never a video-mode switch). Returns false when no window can be made.
bool CreateGameWindow(const char* caption, bool fullscreen);
// Headless: no window; messages come only from PostMessage.
void UseHeadlessWindow();
bool WindowIsHeadless();
void DestroyGameWindow();

// Takes the next message if one waits (SDL events are turned into window messages first).
bool PeekMessage(Message* msg);
void PostMessage(MessageType type, uintptr_t wParam = 0, intptr_t lParam = 0);
void PostQuitMessage(int exitCode);

// The window's drawable size in pixels (the 640 x 480 picture is scaled into it, letterboxed).
void GetDrawableSize(int* width, int* height);

// Platform hook for the GL backend: the SDL window (as void*), null when headless.
void* NativeWindowHandle();

}  // namespace plat
