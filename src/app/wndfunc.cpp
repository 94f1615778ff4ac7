#include "app/wndfunc.h"

#include "app/app_state.h"
#include "platform/keys.h"

intptr_t DefWindowProc(const plat::Message& msg) {
    if (msg.message == plat::WM_CLOSE) plat::PostMessage(plat::WM_DESTROY);
    return 0;
}

intptr_t WndFunc(const plat::Message& msg) {
    switch (msg.message) {
        case plat::WM_DESTROY:
            plat::PostQuitMessage(0);
            return 0;
        case plat::WM_SIZE:
            if (msg.wParam == plat::SIZE_RESTORED) app.PauseFlg = 0;
            return 0;
        case plat::WM_ACTIVATE:
            if ((msg.wParam & 0xFFFF) == plat::WA_INACTIVE) app.PauseFlg = 1;
            return 0;
        case plat::WM_KEYDOWN:
            if (msg.wParam == plat::VK_ESCAPE) plat::PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProc(msg);
    }
}
