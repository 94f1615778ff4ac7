// The drawing steps of a round frame; the turn flow calls them in its frame order.
#pragma once

// Places the camera by its mode and sets view and projection; updates Yng, Xng, CharYng.
void SetUpCamera();
void DrawSky();
// The stage mesh and the goal-point effect.
void DrawStage();
// The cans in play, the current player's character (and its glow) and the can shadows.
void DrawCansAndCharacter();
// The hand of the ready phase while it is on its way.
void DrawHand();
// The current player's banner, sliding apart by Move.
void DrawPlayerBanner();
// The wind arrow in its own viewport.
void DrawWindArrow();
// The sprite batch: cut-in, HUD, full-power caption, give-up picture, missed-swing flash and
// the out-of-bounds display; it also advances giving up and the missed swing.
void DrawGameSprites();

// Where each stroke digit is drawn for a count: fills x positions and digits, returns the
// number drawn (the HUD's rule: no leading zero, but a zero tens after a hundreds digit).
int StrokeDigits(int n, int* x, int* digit);
