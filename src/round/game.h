// Mode function of round play, with its set-up and release.
#pragma once

void Game();
void GameInit();
void GameEnd();
