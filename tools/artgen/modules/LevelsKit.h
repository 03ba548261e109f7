// Shared pieces of the seven monument levels: what the game data says about each level (its places,
// little figures and backdrop animations), each monument's colours and light, the monument drawings
// and a few painting helpers used by the level backgrounds, tiles and animation sources.
#pragma once

#include "ArtJobs.h"
#include "ArtPaint.h"

#include <string>
#include <vector>

namespace vantero::art::levels {

inline constexpr int LevelCount = 7;
// The monument picture: one size for both layouts (the little figures stand at fixed offsets in it).
inline constexpr int MonumentW = 260, MonumentH = 300, MonumentBase = 296, MonumentFrames = 25;
// Monument frames per sublevel: frames 0..4 belong to sublevel 1, 5..8 to sublevel 2, ...
inline constexpr int StageFrames[7] = {5, 4, 4, 3, 3, 3, 3};

// ---- Game data of a level ----
std::string TwoDigits(int n);
std::string LevelFolder(int level);                   // "levels/01"
std::string LayoutFileTag(Layout layout);             // "r800x600"
// The Level's own layout attributes (ConstructionX, CabinX, ...) from cfg/levels/NN_<layout>_attr.xml.
KeyValues LevelAttributes(const std::string& dataDir, int level, Layout layout);
struct AnimPlacement {
    std::string Engine;   // "Simple" when the element names none
    std::string Src;
    double X = 0, Y = 0;
};
// The BackgroundAnimation elements of a level for one layout, in document order.
std::vector<AnimPlacement> LevelAnimations(const std::string& dataDir, int level, Layout layout);
struct SmallWorkerPos {
    int Phase = 0, X = 0, Y = 0;   // Phase = monument frame + 1; X, Y top-left of a 16 x 24 figure
};
std::vector<SmallWorkerPos> SmallWorkers(const std::string& dataDir, int level);
// The first animation of the level and layout with that Src (throws when there is none).
AnimPlacement FindAnimation(const std::string& dataDir, int level, Layout layout, const std::string& src);
bool HasAnimation(const std::string& dataDir, int level, Layout layout, const std::string& src);

// ---- Look of each monument's site ----
struct Theme {
    const char* Title;
    Rgba SkyTop, SkyMid, SkyHorizon, SunGlow;  // sky from the zenith to the horizon, glow around the sun
    double SunX, SunY;                         // sun (or moon) position as fractions of the game area
    bool Night;
    Rgba Far, Mid;                             // far hills / middle ground
    Rgba Ground, GroundDark;                   // the work yard
    Rgba Stone, StoneDark;                     // the monument's building stone (lit / shaded)
    Rgba Tile;                                 // board stone
    Rgba Liquid, LiquidDark;                   // time-bar liquid
    Rgba Leaf;                                 // leaves in front of the time bar
    Rgba Metal;                                // frame metal of the displays
};
const Theme& ThemeOf(int level);   // level 1..7

// ---- Monuments (ModMonuments.cpp) ----
// Columns of the monument picture left of the time bar in every layout (the monument is drawn after the
// time bar, so its painting must keep to these).
int MonumentFitWidth(const ArtContext& ctx, int level);
// The complete monument of a level on a MonumentW x MonumentH canvas, base at MonumentBase, its painting
// scaled to keep within the left fitW columns.
Canvas CompleteMonument(int level, int fitW);
// Stage `frame` of the complete picture `full` (0 = foundations, 24 = complete), with scaffolding and the planks the level's little
// figures of that stage stand on.
Canvas MonumentStage(int level, const Canvas& full, int frame, const std::vector<SmallWorkerPos>& figures);
// The monument frame shown after `done` sublevels (0..7).
int FrameAfterSublevels(int done);

// ---- Backgrounds (ModLevelBacks.cpp) ----
// The level's game-screen background for the context's layout: the monument's place and era in layered
// planes, calm where the board, the conveyor, the monument and the time bar are drawn.
Canvas LevelBackground(ArtContext& ctx, int level);

// ---- Painting helpers (ModLevelsKit.cpp) ----
// Clamps to [0, 1].
inline double Clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
// Adds low-frequency blotches and fine grain to every opaque pixel (cheap: noise on a coarse grid).
void Weather(Canvas& c, uint32_t seed, double blotch, double grain, double scale = 24.0);
// Replaces colour by a sepia ink of the same darkness, keeping alpha (times `alpha`).
void Sepia(Canvas& c, double alpha);
// A soft shadow ellipse on the ground.
void GroundShadow(Canvas& c, double cx, double cy, double rx, double ry, double alpha);
// Fills the current path with a vertical gradient from top to bottom colour.
void FillVertical(cairo_t* cr, double y0, double y1, const Rgba& top, const Rgba& bottom);
// A tapered wooden pole from (x0, y0) to (x1, y1).
void Pole(cairo_t* cr, double x0, double y0, double x1, double y1, double width);
// When ARTGEN_PREVIEW_DIR is set: writes the frames side by side (over grey) as <dir>/<name>.png,
// a quick look at a sequence while drawing it.
void PreviewStrip(const Sequence& seq, const std::string& name);
// Straight alpha of a canvas pixel (0..1).
double AlphaAt(const Canvas& c, int x, int y);

}  // namespace vantero::art::levels
