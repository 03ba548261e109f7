// The board's other elements: the three bonuses with their glows and fireballs, the two stone
// blocks with their glow, their conveyor look and their tipping, and the controller's cell frame.
#include "ArtJobs.h"
#include "ArtboardKit.h"

#include <cmath>
#include <string>
#include <vector>

namespace vantero::art {
namespace {

using namespace kit;

// ---- Fire: a swirling noise field through a colour ramp (loops over `phase` 0..2π) ----

struct Ramp {
    Rgba Deep, Mid, Hot, Core;
};
const Ramp FireRamp{Hex(0x7A1402), Hex(0xE8500A), Hex(0xFFB22A), Hex(0xFFF6C8)};
const Ramp AzureRamp{Hex(0x1A1470), Hex(0x3A6CFF), Hex(0x8CE0FF), Hex(0xF2FFFF)};
const Ramp SunRamp{Hex(0x8A4A06), Hex(0xE8A21A), Hex(0xFFE070), Hex(0xFFFFF0)};

Rgba RampAt(const Ramp& r, double v) {
    v = Clamp01(v);
    if (v < 0.35) return Mix(r.Deep, r.Mid, v / 0.35);
    if (v < 0.7) return Mix(r.Mid, r.Hot, (v - 0.35) / 0.35);
    return Mix(r.Hot, r.Core, (v - 0.7) / 0.3);
}

// Paints a ball of fire of the given radius; `flames` > 0 adds licking tongues past the rim.
void FireBall(Canvas& c, double cx, double cy, double radius, double phase, const Ramp& ramp, uint32_t seed,
              double flames, double brightness = 1.0) {
    const ValueNoise n(seed);
    uint32_t* px = c.Pixels();
    const int s = c.StridePixels();
    const double ox = std::cos(phase) * 1.3, oy = std::sin(phase) * 1.3;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            const double dx = (x + 0.5 - cx) / radius, dy = (y + 0.5 - cy) / radius;
            const double d = std::sqrt(dx * dx + dy * dy);
            const double reach = 1.0 + flames;
            if (d > reach) continue;
            const double ang = std::atan2(dy, dx);
            const double turb = n.Fbm(dx * 1.6 + ox + ang * 0.3, dy * 1.6 + oy - d * 1.2, 4);
            // Body: hot in the middle; tongues: noise lifts the edge outwards.
            double v = (1.0 - d) * 1.25 + (turb - 0.5) * 0.9 + 0.25;
            double a = 1.0;
            if (d > 1.0) {
                const double tongue = (turb - 0.45) * 2.2 - (d - 1.0) / std::max(0.01, flames);
                if (tongue <= 0) continue;
                a = Clamp01(tongue * 2.0);
                v = 0.3 + tongue * 0.5;
            } else {
                a = Clamp01((1.0 - d) * 6.0 + 0.6);
            }
            v *= brightness;
            const Rgba col = RampAt(ramp, v);
            const double al = a * Clamp01(0.55 + v);
            const uint32_t under = px[y * s + x];
            const double ua = (under >> 24) / 255.0;
            // Over whatever is already there.
            auto ch = [&](double src, int shift) {
                const double dst = ((under >> shift) & 0xFF) / 255.0;
                return static_cast<uint32_t>(std::lround(std::clamp(src * al + dst * (1 - al), 0.0, 1.0) * 255));
            };
            const double oa = al + ua * (1 - al);
            px[y * s + x] = static_cast<uint32_t>(std::lround(oa * 255)) << 24 | ch(col.r, 16) << 16 | ch(col.g, 8) << 8 | ch(col.b, 0);
        }
    c.MarkDirty();
}

// ---- Bonuses ----

struct BonusLook {
    int Number;
    Ramp Fire;
    Rgba Metal, MetalDark, Glow;
    int Arrows;   // 2: left and right, 4: all four ways, 0: sun rays
};

BonusLook LookOf(int number) {
    switch (number) {
        case 1: return {1, FireRamp, Hex(0xE8B860), Hex(0x6A3A10), Hex(0xFF9A30), 2};
        case 2: return {2, AzureRamp, Hex(0xD8E0F0), Hex(0x343C6A), Hex(0x70B8FF), 4};
        default: return {3, SunRamp, Hex(0xFFD860), Hex(0x7A4A08), Hex(0xFFE890), 0};
    }
}

// One frame of a bonus: a bronze (or silver) ring holding a living flame, with arrow heads showing
// where its fire will fly; the super bonus is a golden sun disc with turning rays.
Canvas BonusFrame(const BonusLook& b, int cell, double phase, double energy, double spread, uint32_t seed) {
    Canvas c(cell, cell);
    cairo_t* cr = c.Cr();
    const double cx = cell / 2.0, cy = cell / 2.0, R = cell * 0.3;
    if (b.Arrows == 0) {
        // Rays behind the disc.
        const int rays = 12;
        for (int i = 0; i < rays; ++i) {
            const double a = phase / 6 + 2 * Pi * i / rays;
            const double r0 = R * 0.9, r1 = R * (i % 2 ? 1.45 : 1.64) * (0.96 + 0.04 * energy);
            cairo_move_to(cr, cx + std::cos(a - 0.24) * r0, cy + std::sin(a - 0.24) * r0);
            cairo_line_to(cr, cx + std::cos(a) * r1, cy + std::sin(a) * r1);
            cairo_line_to(cr, cx + std::cos(a + 0.24) * r0, cy + std::sin(a + 0.24) * r0);
            cairo_close_path(cr);
        }
        FillRadial(cr, cx, cy, R * 0.8, R * 1.6, {{0.0, Hex(0xFFF4B0)}, {0.6, Hex(0xF2B630)}, {1.0, Hex(0xB06A10)}});
    } else {
        // Arrow heads just outside the ring.
        for (int i = 0; i < b.Arrows; ++i) {
            const double a = b.Arrows == 2 ? i * Pi : i * Pi / 2;
            const double r0 = R * (1.08 + 0.1 * spread), r1 = R * (1.58 + 0.1 * spread);
            const double w = R * 0.42;
            const double ux = std::cos(a), uy = std::sin(a);
            cairo_move_to(cr, cx + ux * r1, cy + uy * r1);
            cairo_line_to(cr, cx + ux * r0 - uy * w, cy + uy * r0 + ux * w);
            cairo_line_to(cr, cx + ux * (r0 + R * 0.12), cy + uy * (r0 + R * 0.12));
            cairo_line_to(cr, cx + ux * r0 + uy * w, cy + uy * r0 - ux * w);
            cairo_close_path(cr);
        }
        FillLinear(cr, cx - R, cy - R * 1.5, cx + R, cy + R * 1.5, {{0.0, Lighten(b.Metal, 0.5)}, {0.5, b.Metal}, {1.0, b.MetalDark}});
        for (int i = 0; i < b.Arrows; ++i) {
            const double a = b.Arrows == 2 ? i * Pi : i * Pi / 2;
            const double r0 = R * (1.08 + 0.1 * spread), r1 = R * (1.58 + 0.1 * spread);
            const double w = R * 0.42;
            const double ux = std::cos(a), uy = std::sin(a);
            cairo_move_to(cr, cx + ux * r1, cy + uy * r1);
            cairo_line_to(cr, cx + ux * r0 - uy * w, cy + uy * r0 + ux * w);
            cairo_line_to(cr, cx + ux * (r0 + R * 0.12), cy + uy * (r0 + R * 0.12));
            cairo_line_to(cr, cx + ux * r0 + uy * w, cy + uy * r0 - ux * w);
            cairo_close_path(cr);
        }
        cairo_set_line_width(cr, std::max(0.8, cell * 0.02));
        SetSource(cr, Darken(b.MetalDark, 0.4));
        cairo_stroke(cr);
    }
    // Glow of the flame through the ring.
    GlowDisc(cr, cx, cy, R * 1.25, b.Glow, 0.5 * energy);
    // The flame (or the molten sun) inside.
    FireBall(c, cx, cy, R * 0.92, phase, b.Fire, seed, 0.0, (b.Arrows == 0 ? 0.7 : 0.88) + 0.22 * energy);
    // The ring: a rounded metal band lit from the upper left.
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, R, 0, 2 * Pi);
    cairo_set_line_width(cr, R * 0.26);
    {
        cairo_pattern_t* p = LinearGradient(cx - R, cy - R, cx + R, cy + R,
                                            {{0.0, Lighten(b.Metal, 0.6)}, {0.45, b.Metal}, {1.0, b.MetalDark}});
        cairo_set_source(cr, p);
        cairo_stroke(cr);
        cairo_pattern_destroy(p);
    }
    cairo_arc(cr, cx, cy, R * 1.13, 0, 2 * Pi);
    cairo_set_line_width(cr, std::max(0.7, cell * 0.018));
    SetSource(cr, WithAlpha(Darken(b.MetalDark, 0.5), 0.9));
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, R * 0.87, 0, 2 * Pi);
    cairo_stroke(cr);
    if (b.Arrows == 0) {
        // The sun's face: a small ruby eye at the centre.
        cairo_arc(cr, cx, cy, R * 0.22, 0, 2 * Pi);
        FillRadial(cr, cx - R * 0.06, cy - R * 0.06, 0, R * 0.24, {{0.0, Hex(0xFFC0C0)}, {0.4, Hex(0xE0203A)}, {1.0, Hex(0x6A0010)}});
    }
    // Glass highlight.
    cairo_save(cr);
    cairo_translate(cr, cx - R * 0.32, cy - R * 0.4);
    cairo_rotate(cr, -0.6);
    cairo_scale(cr, R * 0.34, R * 0.16);
    cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
    cairo_restore(cr);
    FillRadial(cr, cx - R * 0.32, cy - R * 0.4, 0, R * 0.34, {{0.0, Hex(0xFFFFFF, 0.85)}, {1.0, Hex(0xFFFFFF, 0.0)}});
    CutAlpha(c, 10);
    return c;
}

Sequence BonusRest(int number, int cell, uint32_t seed) {
    Sequence seq;
    const BonusLook b = LookOf(number);
    for (int f = 0; f < 10; ++f) {
        const double ph = 2 * Pi * f / 10;
        seq.Frames.push_back(BonusFrame(b, cell, ph, 0.7 + 0.2 * std::sin(ph), 0.0, seed));
    }
    return seq;
}

Sequence BonusSelected(int number, int cell, uint32_t seed) {
    Sequence seq;
    const BonusLook b = LookOf(number);
    for (int f = 0; f < 10; ++f) {
        const double ph = 2 * Pi * f / 10;
        Canvas c(cell, cell);
        GlowDisc(c.Cr(), cell / 2.0, cell / 2.0, cell * 0.5, Hex(0xFFF0A0), 0.5 + 0.2 * std::sin(ph));
        c.Paint(BonusFrame(b, cell, ph * 2, 1.0 + 0.3 * std::sin(ph), 0.5 + 0.5 * std::sin(ph), seed), 0, 0);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

Sequence BonusExplode(int number, int cell, uint32_t seed) {
    Sequence seq;
    const BonusLook b = LookOf(number);
    for (int f = 0; f < 12; ++f) {
        Canvas c(cell, cell);
        cairo_t* cr = c.Cr();
        if (f == 0) {
            c.Paint(BonusFrame(b, cell, 0, 0.9, 0, seed), 0, 0);
        } else {
            const double t = f / 11.0;
            // Shock ring and a blast of the bonus's fire.
            cairo_arc(cr, cell / 2.0, cell / 2.0, cell * (0.2 + 0.3 * EaseOut(t)), 0, 2 * Pi);
            cairo_set_line_width(cr, cell * 0.08 * (1 - t));
            SetSource(cr, WithAlpha(Lighten(b.Glow, 0.5), 1 - t));
            cairo_stroke(cr);
            Canvas blast(cell, cell);
            FireBall(blast, cell / 2.0, cell / 2.0, cell * (0.2 + 0.22 * EaseOut(t)), t * 3, b.Fire, seed, 0.5, 1.4 - 0.9 * t);
            FadeCanvas(blast, 1 - EaseIn(t));
            c.Paint(blast, 0, 0);
            Canvas ring = BonusFrame(b, cell, t * 4, 1.3, 1.0, seed);
            FadeCanvas(ring, std::max(0.0, 1 - t * 2.2));
            c.PaintScaled(ring, cell / 2.0 * (1 - (1 + 0.4 * t)), cell / 2.0 * (1 - (1 + 0.4 * t)), 1 + 0.4 * t, 1 + 0.4 * t);
        }
        CutAlpha(c, 8);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// Glow under a bonus (additive): it swells once to a steady halo and holds the last frame.
Sequence BonusLight(int number) {
    Sequence seq;
    const BonusLook b = LookOf(number);
    const int n = 90;
    const double cx = n / 2.0, cy = n / 2.0;
    for (int f = 0; f < 10; ++f) {
        const double t = f / 9.0;
        const double e = 0.4 + 0.6 * EaseOut(t);
        Canvas light(n, n);
        cairo_t* cr = light.Cr();
        GlowDisc(cr, cx, cy, n * 0.5 * (0.75 + 0.25 * e), b.Glow, 0.75 * e);
        GlowDisc(cr, cx, cy, n * 0.22, Lighten(b.Glow, 0.6), 0.6 * e);
        if (b.Arrows == 0) {
            // Long soft rays of the sun, slowly turning.
            for (int i = 0; i < 16; ++i) {
                const double a = 2 * Pi * i / 16 + t * 0.25;
                const double len = n * (i % 2 ? 0.36 : 0.49);
                cairo_move_to(cr, cx, cy);
                cairo_line_to(cr, cx + std::cos(a - 0.07) * len, cy + std::sin(a - 0.07) * len);
                cairo_line_to(cr, cx + std::cos(a + 0.07) * len, cy + std::sin(a + 0.07) * len);
                cairo_close_path(cr);
            }
            FillRadial(cr, cx, cy, 0, n * 0.5, {{0.0, WithAlpha(Hex(0xFFF8D0), 0.9 * e)}, {0.5, WithAlpha(b.Glow, 0.45 * e)}, {1.0, WithAlpha(b.Glow, 0)}});
        } else {
            // Flares along the directions the fire will fly.
            for (int i = 0; i < b.Arrows; ++i) {
                const double a = b.Arrows == 2 ? i * Pi : i * Pi / 2;
                cairo_save(cr);
                cairo_translate(cr, cx, cy);
                cairo_rotate(cr, a);
                cairo_scale(cr, n * 0.5, n * 0.07);
                cairo_arc(cr, 0.5, 0, 0.5, 0, 2 * Pi);
                cairo_restore(cr);
                FillRadial(cr, cx, cy, 0, n * 0.5, {{0.0, WithAlpha(Hex(0xFFFFFF), 0.8 * e)}, {0.5, WithAlpha(b.Glow, 0.5 * e)}, {1.0, WithAlpha(b.Glow, 0)}});
            }
        }
        seq.Frames.push_back(ToAdditive(light));
    }
    return seq;
}

// A fireball in flight (normal blending): a flickering ball with licking tongues.
Sequence Fireball(int number, uint32_t seed) {
    Sequence seq;
    const int n = 60;
    const Ramp& ramp = number == 1 ? FireRamp : AzureRamp;
    for (int f = 0; f < 8; ++f) {
        const double ph = 2 * Pi * f / 8;
        Canvas c(n, n);
        GlowDisc(c.Cr(), n / 2.0, n / 2.0, n * 0.48, number == 1 ? Hex(0xFF8A20) : Hex(0x6AB0FF), 0.55);
        FireBall(c, n / 2.0, n / 2.0, n * 0.24, ph, ramp, seed, 0.75, 1.15);
        GlowDisc(c.Cr(), n / 2.0, n / 2.0, n * 0.14, Hex(0xFFFFF4), 0.9);
        CutAlpha(c, 6);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// ---- Stone blocks ----

struct BlockLook {
    Rgba Stone;
    Rgba Mark;
    bool Granite;
};
BlockLook BlockOf(int number) {
    if (number == 1) return {Hex(0xD8BC8C), Hex(0x6A4A28), false};   // pale limestone with a mason's ring
    return {Hex(0xB0604A), Hex(0x3A1A10), true};                        // red granite with a mason's cross
}

// The face of a hewn block filling w x h: chiselled texture, bevelled arrises and a mason's mark.
Canvas BlockFace(int number, int w, int h, uint32_t seed) {
    const BlockLook b = BlockOf(number);
    Canvas shape(w, h);
    cairo_t* sc = shape.Cr();
    RoughRectPath(sc, 1.5, 1.5, w - 3, h - 3, 0.7, seed, 5.0);
    cairo_set_source_rgb(sc, 1, 1, 1);
    cairo_fill(sc);
    Canvas tex = StoneTexture(w, h, seed, b.Stone, b.Granite ? 6.0 : 14.0);
    if (b.Granite) {
        // Speckles of dark and light crystals.
        ArtRandom r(seed ^ 0x6A417u);
        cairo_t* tc = tex.Cr();
        for (int i = 0; i < w * h / 14; ++i) {
            const double x = r.Real(0, w), y = r.Real(0, h);
            cairo_arc(tc, x, y, r.Real(0.4, 1.0), 0, 2 * Pi);
            SetSource(tc, r.Chance(0.6) ? Hex(0x2A1410, 0.55) : Hex(0xF0D8C8, 0.5));
            cairo_fill(tc);
        }
    }
    Canvas c = MaskWith(tex, shape);
    cairo_t* cr = c.Cr();
    // Light from the upper left across the face.
    cairo_rectangle(cr, 0, 0, w, h);
    FillLinear(cr, 0, 0, w, h, {{0.0, Hex(0xFFF4DC, 0.22)}, {0.5, Hex(0xFFFFFF, 0.0)}, {1.0, Hex(0x2A1404, 0.28)}});
    ClipTo(c, shape);
    // Chisel strokes.
    ArtRandom r(seed);
    cairo_set_line_width(cr, 0.8);
    for (int i = 0; i < 9; ++i) {
        const double x = r.Real(w * 0.15, w * 0.85), y = r.Real(h * 0.15, h * 0.85), l = r.Real(3, 7);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + l * 0.8, y + l * 0.3);
        SetSource(cr, Hex(0x3A2412, 0.3));
        cairo_stroke(cr);
    }
    // Mason's mark cut into the face: a ring for block 1, a cross for block 2.
    const double mx = w / 2.0, my = h / 2.0, ms = std::min(w, h) * 0.2;
    for (int pass = 0; pass < 2; ++pass) {
        const double off = pass == 0 ? 0.8 : 0.0;
        cairo_new_path(cr);
        if (number == 1) {
            cairo_arc(cr, mx + off, my + off, ms, 0, 2 * Pi);
        } else {
            cairo_move_to(cr, mx - ms + off, my - ms + off);
            cairo_line_to(cr, mx + ms + off, my + ms + off);
            cairo_move_to(cr, mx + ms + off, my - ms + off);
            cairo_line_to(cr, mx - ms + off, my + ms + off);
        }
        cairo_set_line_width(cr, std::max(1.4, w * 0.05));
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        SetSource(cr, pass == 0 ? Hex(0xFFF0D0, 0.5) : WithAlpha(b.Mark, 0.75));
        cairo_stroke(cr);
    }
    Bevel(c, std::max(2.0, w * 0.07), 1.3);
    // Dark arris so the block reads on any tile.
    RoughRectPath(cr, 1.5, 1.5, w - 3, h - 3, 0.7, seed, 5.0);
    cairo_set_line_width(cr, 1.3);
    SetSource(cr, Hex(0x24140A, 0.85));
    cairo_stroke(cr);
    return c;
}

// A block seen slightly from above (the conveyor look): front face and a lit top.
Canvas BlockSide(int number, int n, uint32_t seed) {
    const BlockLook b = BlockOf(number);
    Canvas c(n, n);
    cairo_t* cr = c.Cr();
    const int top = std::max(6, n / 6);
    const Canvas face = BlockFace(number, n, n - top, seed);
    // Top face: a lighter parallelogram.
    cairo_move_to(cr, 3, top + 1);
    cairo_line_to(cr, 3 + top * 0.6, 1);
    cairo_line_to(cr, n - 1, 1);
    cairo_line_to(cr, n - 1 - top * 0.6 + 0.5, top + 1);
    cairo_close_path(cr);
    FillLinear(cr, 0, 0, 0, top, {{0.0, Lighten(b.Stone, 0.35)}, {1.0, Lighten(b.Stone, 0.1)}});
    cairo_move_to(cr, 3, top + 1);
    cairo_line_to(cr, 3 + top * 0.6, 1);
    cairo_line_to(cr, n - 1, 1);
    cairo_line_to(cr, n - 1 - top * 0.6 + 0.5, top + 1);
    cairo_close_path(cr);
    cairo_set_line_width(cr, 1.2);
    SetSource(cr, Hex(0x24140A, 0.8));
    cairo_stroke(cr);
    c.Paint(face, 0, top);
    return c;
}

// Glow of a block (additive, alpha 150, 1 s loop): a warm pulse hugging the block's outline.
Sequence BlockLight(int number) {
    Sequence seq;
    const int n = 70, bs = 50;
    const Rgba colour = number == 1 ? Hex(0xFFC860) : Hex(0xFF8A50);
    for (int f = 0; f < 25; ++f) {
        const double ph = 2 * Pi * f / 25;
        const double e = 0.65 + 0.35 * std::sin(ph);
        Canvas shape(n, n);
        cairo_t* sc = shape.Cr();
        RoundRectPath(sc, (n - bs) / 2.0 - 2, (n - bs) / 2.0 - 2, bs + 4, bs + 4, 6);
        SetSource(sc, WithAlpha(colour, 1.0));
        cairo_fill(sc);
        Canvas light(n, n);
        DropShadow(light, shape, 0, 0, 0, 0, 5 + 2 * e, WithAlpha(colour, 0.9 * e));
        seq.Frames.push_back(ToAdditive(light));
    }
    return seq;
}

// The block tipping over the end of the conveyor: it turns a quarter to the left about its centre
// while its lowest point stays on the bottom edge (10 frames, bottom-centre anchored).
Sequence BlockRotate(int number, uint32_t seed) {
    Sequence seq;
    const int n = 70, bs = 50;
    const Canvas block = BlockSide(number, bs, seed);
    for (int f = 0; f < 10; ++f) {
        const double t = f / 9.0;
        const double a = -Pi / 2 * EaseIn(t);
        const double half = bs / 2.0 * (std::abs(std::cos(a)) + std::abs(std::sin(a)));
        Canvas c(n, n);
        c.PaintRotated(block, n / 2.0, n - half, a);
        CutAlpha(c, 10);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// The controller's cell frame: 0 nothing, 1 focused, 2 pressed, 3 disabled.
Sequence CellSelection(int cell) {
    Sequence seq;
    for (int state = 0; state < 4; ++state) {
        Canvas c(cell, cell);
        if (state > 0) {
            cairo_t* cr = c.Cr();
            const Rgba col = state == 3 ? Hex(0xB8B0A0, 0.6) : state == 2 ? Hex(0xFFF6C0) : Hex(0xFFD860);
            const double inset = state == 2 ? cell * 0.08 : cell * 0.04;
            if (state != 3) {
                RoundRectPath(cr, inset, inset, cell - 2 * inset, cell - 2 * inset, cell * 0.12);
                SetSource(cr, WithAlpha(col, state == 2 ? 0.28 : 0.16));
                cairo_fill(cr);
            }
            const double L = cell * 0.3;
            const double lw = std::max(2.0, cell * (state == 2 ? 0.08 : 0.065));
            for (int corner = 0; corner < 4; ++corner) {
                const double x = corner % 2 ? cell - inset - lw / 2 : inset + lw / 2;
                const double y = corner / 2 ? cell - inset - lw / 2 : inset + lw / 2;
                const double sx = corner % 2 ? -1 : 1, sy = corner / 2 ? -1 : 1;
                cairo_move_to(cr, x, y + sy * L);
                cairo_line_to(cr, x, y);
                cairo_line_to(cr, x + sx * L, y);
            }
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_set_line_width(cr, lw + 2);
            SetSource(cr, Hex(0x2A1406, state == 3 ? 0.4 : 0.8));
            cairo_stroke_preserve(cr);
            cairo_set_line_width(cr, lw);
            SetSource(cr, col);
            cairo_stroke(cr);
        }
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

}  // namespace
}  // namespace vantero::art

ARTGEN_MODULE(elements) {
    using namespace vantero::art;
    for (int b = 1; b <= 3; ++b) {
        const std::string nn = "0" + std::to_string(b);
        const std::string base = "base/<R>/elements/bonus" + nn;
        auto cell = [](ArtContext& ctx) { return ctx.Values().Int("CellSize"); };
        const uint32_t seed = 0xB0 + b;   // the same flame in every look of one bonus
        reg.Add(base + ".10.png", [=](ArtContext& ctx) { return BonusRest(b, cell(ctx), seed); }, {}, 2.0);
        reg.Add(base + "sel.10.png", [=](ArtContext& ctx) { return BonusSelected(b, cell(ctx), seed); }, {}, 2.0);
        reg.Add(base + "kill.12.png", [=](ArtContext& ctx) { return BonusExplode(b, cell(ctx), seed); }, {}, 2.0);
        reg.Add("base/elements/bonuslight" + nn + ".10.png", [=](ArtContext&) { return BonusLight(b); });
    }
    for (int f = 1; f <= 2; ++f)
        reg.Add("base/elements/fireball0" + std::to_string(f) + ".8.png",
                [f](ArtContext& ctx) { return Fireball(f, ctx.SubSeed("fire")); }, {}, 2.0);
    for (int k = 1; k <= 2; ++k) {
        const std::string base = "base/elements/box0" + std::to_string(k);
        const uint32_t seed = 0xB10C + k;   // one stone per block kind, in all of its looks
        reg.Add(base + ".png", [=](ArtContext&) { return Sequence(BlockFace(k, 50, 50, seed)); });
        reg.Add(base + "light.25.png", [=](ArtContext&) { return BlockLight(k); });
        reg.Add(base + "dropped.png", [=](ArtContext&) { return Sequence(BlockSide(k, 50, seed)); });
        reg.Add(base + "rotate.10.png", [=](ArtContext&) { return BlockRotate(k, seed); });
    }
    reg.Add("base/<R>/elements/cellselection.4.png",
            [](ArtContext& ctx) { return CellSelection(ctx.Values().Int("CellSize")); });
}
