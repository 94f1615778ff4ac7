#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>

#include "platform/window.h"

namespace plat {

void ShowErrorMessage(const char* text, const char* caption) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    if (!WindowIsHeadless()) SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr);
}

}  // namespace plat
