// Starting a round without the front end, for tests and the script driver.
#pragma once

// Starts a round as the front end would: ninzu (1..4) players with character numbers
// chars[i] (0..3) and computer switches com[i] (null = all human), on stage 0..2. Loads the
// stage, starts its music, sets up the round and enters round play (Mode 1) past the intro.
// False, with nothing changed, when an argument is out of range.
bool StartRoundForTest(int ninzu, const int* chars, const int* com, int stage);
