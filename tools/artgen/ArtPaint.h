// Painting helpers that give the game's painted look: colours, seeded randomness, value noise,
// gradients, blur and soft shadows, grain, stone and parchment textures, rim light and shapes.
#pragma once

#include "ArtCanvas.h"

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace vantero::art {

// ---- Colours (straight, not premultiplied; components 0..1) ----
struct Rgba {
    double r = 0, g = 0, b = 0, a = 1;
};
Rgba Hex(uint32_t rgb, double alpha = 1.0);              // 0xRRGGBB
Rgba Mix(const Rgba& x, const Rgba& y, double t);         // linear blend, t = 0 gives x
Rgba Lighten(const Rgba& c, double amount);               // towards white
Rgba Darken(const Rgba& c, double amount);                // towards black
Rgba WithAlpha(const Rgba& c, double alpha);
void SetSource(cairo_t* cr, const Rgba& c);

// The game's shared palette: warm sunlit stone, sand, terracotta, bronze and sky.
namespace palette {
inline const Rgba Sand = Hex(0xE3C48D), SandLight = Hex(0xF4E2B8), SandDark = Hex(0xB08A55);
inline const Rgba Stone = Hex(0xC9B08A), StoneDark = Hex(0x7A6248), StoneDeep = Hex(0x4A3826);
inline const Rgba Terracotta = Hex(0xB5562E), Brick = Hex(0xA0482A), Umber = Hex(0x5A3418);
inline const Rgba Gold = Hex(0xF2C14E), GoldLight = Hex(0xFFE79A), GoldDark = Hex(0x9C6A1C);
inline const Rgba Bronze = Hex(0x8C5A2B), Ink = Hex(0x2B1A0E), Parchment = Hex(0xF1DFB4);
inline const Rgba SkyTop = Hex(0x4F8FC9), SkyHorizon = Hex(0xF7D9A0), Sun = Hex(0xFFF3C4);
inline const Rgba Turquoise = Hex(0x2E9C95), Lapis = Hex(0x2C4F9E), Leaf = Hex(0x6E8B3D);
}  // namespace palette

// ---- Seeded randomness (deterministic on every platform) ----
class ArtRandom {
public:
    explicit ArtRandom(uint32_t seed);
    uint32_t Next();                          // 32 random bits
    double Real(double a = 0.0, double b = 1.0);  // uniform in [a, b)
    int Int(int a, int b);                    // uniform in [a, b] (inclusive)
    bool Chance(double p);                    // true with probability p
    double Normal(double mean, double sigma); // approximately normal (sum of uniforms)

private:
    uint64_t state_;
};
uint32_t HashString(const char* text, uint32_t seed = 2166136261u);  // FNV-1a

// ---- Value noise (smooth lattice noise, optionally periodic for seamless tiles) ----
class ValueNoise {
public:
    explicit ValueNoise(uint32_t seed, int periodX = 0, int periodY = 0);  // period 0 = no wrap
    double At(double x, double y) const;                   // smooth noise in [0, 1]
    // Fractal sum of octaves, in [0, 1]; with a period every octave wraps (period doubles per octave).
    double Fbm(double x, double y, int octaves = 4, double gain = 0.5) const;

private:
    double Lattice(int ix, int iy, int px, int py) const;
    uint32_t seed_;
    int periodX_, periodY_;
    mutable int octaveScale_ = 1;
};

// ---- Gradients ----
using Stops = std::vector<std::pair<double, Rgba>>;
cairo_pattern_t* LinearGradient(double x0, double y0, double x1, double y1, const Stops& stops);  // caller destroys
cairo_pattern_t* RadialGradient(double cx, double cy, double r0, double r1, const Stops& stops);
void FillLinear(cairo_t* cr, double x0, double y0, double x1, double y1, const Stops& stops);  // fills current path
void FillRadial(cairo_t* cr, double cx, double cy, double r0, double r1, const Stops& stops);
void PaintLinear(Canvas& c, double x0, double y0, double x1, double y1, const Stops& stops);  // whole canvas

// ---- Shapes (paths on the given context) ----
void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double r);
void StarPath(cairo_t* cr, double cx, double cy, double rOuter, double rInner, int points, double rotation);
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);
// A wobbly closed outline around a rectangle (hand-cut stone, torn parchment); amplitude in px.
void RoughRectPath(cairo_t* cr, double x, double y, double w, double h, double amplitude, uint32_t seed,
                   double step = 6.0);

// ---- Blur, shadows and light ----
void Blur(Canvas& c, double radius);      // three box passes ≈ gaussian, all channels
// Soft shadow of shape's alpha drawn into dst with shape's top-left at (x + dx, y + dy).
void DropShadow(Canvas& dst, const Canvas& shape, double x, double y, double dx, double dy, double radius,
                const Rgba& color);
// Glow: the shape's alpha blurred and tinted, drawn centred on the shape at (x, y) (additive-looking).
void OuterGlow(Canvas& dst, const Canvas& shape, double x, double y, double radius, const Rgba& color);
// Lightens (or darkens, with a dark colour) the edges of the shape that face the light direction
// (angle in degrees, 0 = light from the right, -90 = from above); keeps the shape's alpha.
void EdgeLight(Canvas& c, double angleDeg, double width, const Rgba& color, double strength = 1.0);
// Rim light from above-left plus a shadowed lower-right edge: the standard bevel of the game.
void Bevel(Canvas& c, double width, double strength = 1.0);
// Darkens towards the edges of the canvas (strength 0..1), keeps alpha.
void Vignette(Canvas& c, double strength, double inner = 0.55);

// ---- Texture overlays (keep alpha) ----
void Grain(Canvas& c, uint32_t seed, double amount);                          // per-pixel luminance jitter
void NoiseShade(Canvas& c, const ValueNoise& n, double scale, double amount, int octaves = 4);  // blotches
void Tint(Canvas& c, const Rgba& color, double amount);                       // blends colour over rgb
void Desaturate(Canvas& c, double amount, double darken = 0.0);              // towards grey, a little darker

// ---- Material textures (opaque) ----
// Sunlit limestone: fbm mottling, pits and fine grain. tileable = seamless in both directions.
Canvas StoneTexture(int w, int h, uint32_t seed, const Rgba& base, double scale = 48.0, bool tileable = false);
// Aged parchment: cream fibres, blotches, darker burnt rim (rim = 0 gives an even sheet).
Canvas ParchmentTexture(int w, int h, uint32_t seed, double rim = 0.6);
// Sand ground with ripples and pebbles.
Canvas SandTexture(int w, int h, uint32_t seed, bool tileable = false);
// Warm sky: gradient from top to horizon with a sun glow at (sunX, sunY) and soft clouds.
Canvas SkyTexture(int w, int h, uint32_t seed, double sunX, double sunY);

// Uses src's alpha as a mask for the pattern canvas texture (texture tiled from (0, 0)):
// returns a canvas of src's size that shows texture where src is opaque.
Canvas MaskWith(const Canvas& texture, const Canvas& shapeMask);

}  // namespace vantero::art
