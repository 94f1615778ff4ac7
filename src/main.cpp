// The game's entry point: no arguments, the asset tree is the current directory.
#include "app/winmain.h"

int main() { return WinMain(); }
