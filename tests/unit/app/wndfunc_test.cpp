#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/wndfunc.h"
#include "platform/keys.h"
#include "platform/window.h"

namespace {

using namespace plat;

void DrainMessages() {
    Message m;
    while (PeekMessage(&m)) {
    }
}

// Returns the message WndFunc left in the queue (WM_NULL when none).
MessageType Posted() {
    Message m;
    return PeekMessage(&m) ? m.message : WM_NULL;
}

TEST(WndFunc, MessageTable) {
    UseHeadlessWindow();
    const struct {
        MessageType msg;
        uintptr_t wParam;
        int pauseBefore, pauseAfter;
        MessageType posted;
    } cases[] = {
        {WM_DESTROY, 0, 0, 0, WM_QUIT},
        {WM_SIZE, SIZE_RESTORED, 1, 0, WM_NULL},
        {WM_SIZE, SIZE_MINIMIZED, 1, 1, WM_NULL},
        {WM_ACTIVATE, WA_INACTIVE, 0, 1, WM_NULL},
        {WM_ACTIVATE, WA_ACTIVE, 1, 1, WM_NULL},          // activation alone does not resume
        {WM_ACTIVATE, 0x00010000 | WA_INACTIVE, 0, 1, WM_NULL},  // only the low word counts
        {WM_KEYDOWN, VK_ESCAPE, 0, 0, WM_QUIT},
        {WM_KEYDOWN, 'Z', 0, 0, WM_NULL},
        {WM_CLOSE, 0, 0, 0, WM_DESTROY},                   // closing destroys the window
    };
    for (const auto& c : cases) {
        DrainMessages();
        app.PauseFlg = uint8_t(c.pauseBefore);
        EXPECT_EQ(WndFunc(Message{c.msg, c.wParam, 0}), 0);
        EXPECT_EQ(app.PauseFlg, c.pauseAfter) << "message " << c.msg << " wParam " << c.wParam;
        EXPECT_EQ(Posted(), c.posted) << "message " << c.msg << " wParam " << c.wParam;
    }
    app.PauseFlg = 0;
}

}  // namespace
