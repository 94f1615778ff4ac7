// Round play: the mode function and the turn flow.
#pragma once

// One frame of round play (Mode 1); paces itself to one frame per 16 ms.
void Game();
// Prepares the round for the chosen players, after the stage has been loaded.
void GameInit();
// Releases everything the round loaded; safe to call more than once.
void GameEnd();
// One frame of round play without the pacing test: what Game runs once 16 ms have passed.
void GameFrame();
// One frame of the ready phase: fade-in, player banner, the hand that stands the can up.
void FadeRedy();
// Passes the turn to the next player who is still playing the stage.
void NextPlayer();
// 1 when the current can is strictly inside the goal box (and the goal sound starts).
int Goal();
