// Key state by virtual-key code, from SDL's keyboard state or from a script.
#include "platform/keys.h"

#include <SDL.h>

#include <cstring>

namespace plat {
namespace {

struct KeyState {
    bool scripted = false;
    bool down[256] = {};
};
KeyState keyState;

// Both shift keys count as VK_SHIFT, both Enter keys as VK_RETURN.
bool RealKeyDown(int vk) {
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    if (!keys) return false;
    auto held = [&](SDL_Scancode sc) { return sc < count && keys[sc] != 0; };
    switch (vk) {
        case VK_RETURN: return held(SDL_SCANCODE_RETURN) || held(SDL_SCANCODE_KP_ENTER);
        case VK_SHIFT: return held(SDL_SCANCODE_LSHIFT) || held(SDL_SCANCODE_RSHIFT);
        case VK_ESCAPE: return held(SDL_SCANCODE_ESCAPE);
        case VK_SPACE: return held(SDL_SCANCODE_SPACE);
        case VK_LEFT: return held(SDL_SCANCODE_LEFT);
        case VK_UP: return held(SDL_SCANCODE_UP);
        case VK_RIGHT: return held(SDL_SCANCODE_RIGHT);
        case VK_DOWN: return held(SDL_SCANCODE_DOWN);
        default:
            if (vk >= 'A' && vk <= 'Z') return held(SDL_Scancode(SDL_SCANCODE_A + (vk - 'A')));
            if (vk >= '0' && vk <= '9')
                return held(vk == '0' ? SDL_SCANCODE_0 : SDL_Scancode(SDL_SCANCODE_1 + (vk - '1')));
            return false;
    }
}

}  // namespace

short GetAsyncKeyState(int vk) {
    if (vk < 0 || vk > 255) return 0;
    const bool down = keyState.scripted ? keyState.down[vk] : RealKeyDown(vk);
    return down ? short(0x8000) : short(0);
}

void UseScriptedKeys(bool scripted) { keyState.scripted = scripted; }

void SetKeyDown(int vk, bool down) {
    if (vk >= 0 && vk <= 255) keyState.down[vk] = down;
}

void ReleaseAllKeys() { std::memset(keyState.down, 0, sizeof keyState.down); }

int KeyFromName(const char* name) {
    static const struct { const char* name; int vk; } kNames[] = {
        {"Up", VK_UP}, {"Down", VK_DOWN}, {"Left", VK_LEFT}, {"Right", VK_RIGHT},
        {"Shift", VK_SHIFT}, {"Enter", VK_RETURN}, {"Space", VK_SPACE}, {"Escape", VK_ESCAPE},
    };
    for (const auto& k : kNames)
        if (std::strcmp(name, k.name) == 0) return k.vk;
    if (name[0] >= 'A' && name[0] <= 'Z' && name[1] == '\0') return name[0];
    return 0;
}

}  // namespace plat
