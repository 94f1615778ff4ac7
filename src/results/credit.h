// Mode function of the credits, with its set-up and release.
#pragma once

void Credit();
void CreditInit();
void CreditEnd();
