#include "round/round_state.h"

GameState game;
TurnState turn;
ReadyState ready;
