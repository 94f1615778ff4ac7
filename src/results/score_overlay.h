// The score screen's 2-D layer over the ceremony, drawn in this order inside one sprite batch.
#pragma once

// The winner banner slides in while the winner stands; its arrival plays the voice.
void ScoreBanner();
// The veil, heading, rows, faces and stroke counts; the Z key leaves the table.
void ScoreTable();
// The four white panels that slide apart at the start.
void ScoreCurtain();
// The closing iris (and, with four players, the last-place gag after it); leaves the screen
// when it has closed.
void ScoreIris();

// Leaves the screen for the title: music volume, flags, release, title set-up, title music.
void ScoreExit();
