#include "title/key_get.h"

#include "audio/audio_state.h"
#include "audio/sounds.h"
#include "platform/keys.h"
#include "round/round_state.h"
#include "title/title_state.h"

namespace {

bool Down(int vk) { return (plat::GetAsyncKeyState(vk) & 0x8000) != 0; }

// Takes the press of vk if it is down and the latch is open.
bool Take(int vk) {
    if (!Down(vk) || game.KeyFlg != 0) return false;
    game.KeyFlg = 1;
    return true;
}

}  // namespace

int KeyGet() {
    if (Take(plat::VK_UP) && PlaySoundSet(audio.lpSPochi)) return kKeyUp;
    if (Take(plat::VK_DOWN) && PlaySoundSet(audio.lpSPochi)) return kKeyDown;
    if (Take(plat::VK_RIGHT) && PlaySoundSet(audio.lpSPochi)) return kKeyRight;
    if (Take(plat::VK_LEFT) && PlaySoundSet(audio.lpSPochi)) return kKeyLeft;
    if (Take('Z')) {
        const bool taken = title.SceneFlg == 3 && title.CharNo >= 0 && title.CharNo < 4 &&
                           game.Not[title.CharNo] == 1;
        if (!(taken && PlaySoundSet(audio.lpSError))) PlaySoundSet(audio.lpSMenuEnter);
        return kKeyDecide;
    }
    if (Take('X') && PlaySoundSet(audio.lpSMiss)) return kKeyBack;
    if (!Down(plat::VK_UP) && !Down(plat::VK_DOWN) && !Down(plat::VK_RIGHT) && !Down(plat::VK_LEFT) &&
        !Down('Z') && !Down('X'))
        game.KeyFlg = 0;
    return kKeyNone;
}
