// Mode function of the score table and ceremony, with its set-up and release.
#pragma once

void Score();
void ScoreInit();
void ScoreEnd();
