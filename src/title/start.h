// Mode function of the title and menus, with its set-up and release.
#pragma once

void Start();
void StartInit();
void StartEnd();
