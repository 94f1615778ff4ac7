// Keyboard state by the virtual-key codes the game polls. The real backend reads SDL's
// keyboard state; tests and scripts set keys directly.
#pragma once

namespace plat {

enum VirtualKey : int {
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    // Letters are their upper-case ASCII codes: 'A', 'D', 'F', 'I', 'O', 'R', 'S', 'W', 'X', 'Z'.
};

// High bit (0x8000) set while the key is held down.
short GetAsyncKeyState(int vk);

// Scripted keys: while scripted, only SetKeyDown decides the state.
void UseScriptedKeys(bool scripted);
void SetKeyDown(int vk, bool down);
void ReleaseAllKeys();

// The key's code from a script name ("Up", "Z", "Enter", ...); 0 when unknown.
int KeyFromName(const char* name);

}  // namespace plat
