// What the front end draws each frame; Start calls these in its frame order.
#pragma once

// Clears to the opening's colour, begins the scene and sets the title camera.
void BeginStartScene();
// The opening logo, its shake and its burst of sparks, in one sprite batch.
void DrawOpening();
// The sky, the characters, stage previews and mode boards, then every screen's sprites; the
// end of character selection is decided among them.
void DrawStartScreens();
// The black veil of the fade to the credits.
void DrawCreditsCurtain(int alpha);
