#include "pictures/sheet.h"
namespace assetgen::pic {
Sheet BuildGameTextSheet() { return Sheet("bitmap/GameText.bmp", 1024, 1024, Key::Magenta); }
Sheet BuildDentNotice() { return Sheet("bitmap/push.bmp", 512, 256, Key::Magenta); }
Sheet BuildGaugeSheet() { return Sheet("bitmap/Gauge.bmp", 256, 256, Key::Magenta); }
Sheet BuildViewfinder() { return Sheet("bitmap/Bg2.bmp", 256, 256, Key::Magenta); }
int CanLabelCount() { return 10; }
Sheet BuildCanLabel(int index) { static const char* n[] = {"Orange", "Soda", "U-Cola", "Tea", "Coffee", "Black", "Corn", "Grape", "Oden", "Potion"}; return Sheet(std::string("bitmap/") + n[index] + ".bmp", 128, 128, Key::None); }
Sheet BuildCutIn(int c) { return Sheet("bitmap/Effect" + std::to_string(c + 1) + ".bmp", 1024, 512, Key::None); }
Sheet BuildScoreSheet() { return Sheet("bitmap/Score.bmp", 512, 512, Key::White); }
Sheet BuildIrisMask() { return Sheet("bitmap/En.bmp", 512, 512, Key::White); }
Sheet BuildLogo() { return Sheet("bitmap/logo.bmp", 64, 64, Key::None); }
Sheet BuildCreditSheet() { return Sheet("bitmap/Credit.bmp", 1024, 1024, Key::None); }
}
