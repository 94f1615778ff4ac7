// One function per piece of music. Each is a whole loop: it starts with its own set-up of
// programs and controllers and ends on a bar line with every note released.
#pragma once

#include "music/midi_writer.h"

namespace assetgen::pieces {

midi::Song Title();       // Opening2: bright, catchy, upbeat
midi::Song Station();     // town1: the station stairs, busy city funk
midi::Song BridgeRoad();  // town2: the road under the footbridge, driving street rock
midi::Song Classroom();   // town3: the old classroom, a gentle waltz
midi::Song Ceremony();    // vok-g01: the score table and podium, a triumphant fanfare
midi::Song Credits();     // vok-g11: the credits, a relaxed ending

}  // namespace assetgen::pieces
