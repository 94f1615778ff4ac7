// Mode function of the title and menus (Mode 0), with its set-up, release and the key
// handlers of its screens.
#pragma once

// One frame of the front end; paces itself to one frame per 16 ms.
void Start();
// One frame without the pacing test: what Start runs once 16 ms have passed.
void StartFrame();
// Enters the front end: start values, pictures, models, light, sounds.
void StartInit();
// Releases what StartInit loaded except the game-text sheet; safe to call more than once.
void StartEnd();

// The key handlers, one per screen; each ignores the codes it has no use for.
void OptionSelectKey(int KeyNo);               // -1 options
void StartSelectKey(int KeyNo);                // 1 title menu
void NinzuSelectKey(int KeyNo, int* Ninzu);    // 2 number of players
void CharSelectKey(int KeyNo, int Ninzu);      // 3 characters
void ModeSelectKey(int KeyNo);                 // 4 play mode
void StageSelectKey(int KeyNo);                // 5 stage
// On the character screen once the last player has chosen: hands each player the chosen
// character's abilities and moves on to the mode screen.
void CharSelectEnd();
