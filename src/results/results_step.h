// The end of a round: totals and places, then the score screen.
#pragma once

// Adds up each player's strokes into TotalDasu and gives the places (fewer strokes place
// better, equal totals go by player number), then reorders TotalDasu, Rank and No so that
// record k holds the finisher in place k + 1.
void RankPlayers();
// RankPlayers, then releases the round, sets up the score screen (Mode 2) and its music.
void ResultsStep();
