// Reusable pieces of the game's sunlit building-site scenery, painted straight onto a canvas.
#pragma once

#include "ArtPaint.h"

namespace vantero::art {

// Sky with the sun at (sunX, sunY), filling the whole canvas.
void DrawSky(Canvas& c, uint32_t seed, double sunX, double sunY);
// A range of hazy hills whose ridge wanders around baseY (amplitude px); haze 0 = near, 1 = far.
void DrawHills(Canvas& c, uint32_t seed, double baseY, double amplitude, const Rgba& colour, double haze);
// Sand ground from topY to the bottom, with ripples, darker towards the viewer.
void DrawGround(Canvas& c, uint32_t seed, double topY);
// A stepped pyramid standing on baseY, centred on cx; `built` (0..1) of its tiers are laid, the rest
// shows as scaffolding. Sun from the right.
void DrawPyramid(Canvas& c, uint32_t seed, double cx, double baseY, double width, double height, int tiers, double built);
// A palm tree rooted at (x, baseY), height px, leaning (px of the crown to the right).
void DrawPalm(Canvas& c, uint32_t seed, double x, double baseY, double height, double lean);
// A hewn stone block with its shadow on the ground; (x, y) top-left of the front face.
void DrawStoneBlock(Canvas& c, uint32_t seed, double x, double y, double w, double h);
// A wooden lifting crane (A-frame, boom and rope) standing on baseY.
void DrawCrane(Canvas& c, double x, double baseY, double height, bool facingLeft);
// Warm late-sun grading of the whole picture: light from the sun, vignette and grain.
void SunGrade(Canvas& c, uint32_t seed, double sunX, double sunY, double vignette);
// A recessed bronze-framed trough (e.g. under a progress bar) around the rectangle.
void DrawTrough(Canvas& c, double x, double y, double w, double h);

}  // namespace vantero::art
