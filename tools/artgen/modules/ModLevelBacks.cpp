// The seven monuments' game-screen backgrounds: sky with the sun upper left, far planes veiled in haze,
// each place's landmarks (the Nile and far pyramids, the Aegean cliff, the avenue and mountains, domes on
// the Bosporus, jungle and moat, the Seine and its roofs, hills, pines and blossom), the work yard, and
// a calm veil where the board lies. Registered by the levels module (ModLevels.cpp).
#include "ArtScene.h"
#include "LevelsKit.h"

#include <algorithm>
#include <cmath>

namespace vantero::art::levels {
namespace {

// Places of the game screen for one layout and level.
struct Site {
    int W, H, Cell, FieldX, FieldY, FieldBottom, GroundY, ConveyerY;
    int MonX, MonY, MonBase, MonRight, CabinX, CabinY, TimeX;
    double K;        // scale of the layout against 800 x 600 (cell size / 50)
    double Horizon;  // where sky meets land or sea
    double YardTop;  // the near work yard starts here
};

Site SiteOf(const ArtContext& ctx, int level) {
    const KeyValues& v = ctx.Values();
    const KeyValues a = LevelAttributes(ctx.Data().DataDir, level, ctx.GetLayout());
    Site s{};
    s.W = ctx.GameWidth();
    s.H = ctx.GameHeight();
    s.Cell = v.Int("CellSize");
    s.FieldX = v.Int("FieldX");
    s.FieldY = v.Int("FieldY");
    s.FieldBottom = s.FieldY + 10 * s.Cell;
    s.GroundY = v.Int("GroundY");
    s.ConveyerY = v.Int("ConveyerY");
    s.TimeX = v.Int("GameScreenTimeX");
    s.MonX = a.Int("ConstructionX");
    s.MonY = a.Int("ConstructionY");
    s.MonBase = s.MonY + MonumentBase;
    s.MonRight = s.MonX + MonumentFitWidth(ctx, level);
    s.CabinX = a.Int("CabinX");
    s.CabinY = a.Int("CabinY");
    s.K = s.Cell / 50.0;
    s.Horizon = s.MonBase - 46 * s.K;
    s.YardTop = s.FieldBottom - 12 * s.K;
    return s;
}

// ---- Sky ----

Rgba Hazed(const Theme& t, const Rgba& c, double far) { return Mix(c, t.SkyHorizon, far); }

void Sky(Canvas& c, const Theme& t, const Site& s, uint32_t seed, double sx, double sy) {
    cairo_t* cr = c.Cr();
    cairo_rectangle(cr, 0, 0, s.W, s.Horizon + 4);
    FillLinear(cr, 0, 0, 0, s.Horizon, {{0.0, t.SkyTop}, {0.5, t.SkyMid}, {0.86, Mix(t.SkyMid, t.SkyHorizon, 0.7)}, {1.0, t.SkyHorizon}});
    // The glow of the sun (or moon) and its disc.
    cairo_rectangle(cr, 0, 0, s.W, s.Horizon + 4);
    FillRadial(cr, sx, sy, 0, s.W * 0.55,
               {{0.0, WithAlpha(t.SunGlow, t.Night ? 0.5 : 0.95)}, {0.08, WithAlpha(t.SunGlow, t.Night ? 0.25 : 0.6)},
                {0.35, WithAlpha(t.SunGlow, 0.18)}, {1.0, WithAlpha(t.SunGlow, 0)}});
    if (!t.Night) {
        cairo_arc(cr, sx, sy, 16 * s.K, 0, 2 * M_PI);
        FillRadial(cr, sx, sy, 0, 16 * s.K, {{0.0, Hex(0xFFFFF4)}, {0.7, Hex(0xFFF8DC)}, {1.0, WithAlpha(t.SunGlow, 0.2)}});
    }
    ArtRandom r(seed);
    if (t.Night) {
        for (int i = 0; i < 320; ++i) {
            const double x = r.Real(0, s.W), y = r.Real(0, s.Horizon * 0.85), rad = r.Real(0.35, 1.2) * s.K;
            cairo_arc(cr, x, y, rad, 0, 2 * M_PI);
            SetSource(cr, Hex(r.Chance(0.2) ? 0xFFE0B0 : 0xF4F4FF, r.Real(0.25, 0.95) * (1 - y / s.Horizon)));
            cairo_fill(cr);
        }
    }
    // Cloud banks: a shaded body with a sunlit upper-left rim, softened.
    Canvas body(s.W, s.H), rim(s.W, s.H);
    const int banks = t.Night ? 5 : 8;
    const Rgba lit = Mix(t.SunGlow, Hex(0xFFFFFF), 0.3), shade = Mix(t.SkyMid, t.SkyHorizon, t.Night ? 0.2 : 0.45);
    for (int i = 0; i < banks; ++i) {
        const double cx = r.Real(-0.1, 1.1) * s.W, cy = r.Real(0.1, 0.62) * s.Horizon, w = r.Real(100, 240) * s.K;
        for (int j = 0; j < 8; ++j) {
            const double bx = cx + r.Real(-0.5, 0.5) * w, by = cy + r.Real(-7, 5) * s.K;
            const double rx = w * r.Real(0.14, 0.26), ry = rx * r.Real(0.45, 0.7);
            EllipsePath(body.Cr(), bx, by, rx, ry);
            SetSource(body.Cr(), shade);
            cairo_fill(body.Cr());
            EllipsePath(rim.Cr(), bx - rx * 0.18, by - ry * 0.28, rx * 0.85, ry * 0.7);
            SetSource(rim.Cr(), lit);
            cairo_fill(rim.Cr());
        }
        // Flat cloud foot.
        cairo_rectangle(body.Cr(), cx - w * 0.6, cy + 2 * s.K, w * 1.2, 6 * s.K);
        SetSource(body.Cr(), shade);
        cairo_fill(body.Cr());
    }
    Blur(body, 5 * s.K);
    Blur(rim, 4 * s.K);
    c.Paint(body, 0, 0, t.Night ? 0.35 : 0.55);
    c.Paint(rim, 0, 0, t.Night ? 0.18 : 0.6);
}

// A band of haze laid over the far planes just above and below y (atmospheric depth).
void HazeBand(Canvas& c, const Theme& t, double y, double height, double alpha) {
    cairo_t* cr = c.Cr();
    cairo_rectangle(cr, 0, y - height, c.Width(), height * 2);
    FillLinear(cr, 0, y - height, 0, y + height,
               {{0.0, WithAlpha(t.SkyHorizon, 0)}, {0.5, WithAlpha(t.SkyHorizon, alpha)}, {1.0, WithAlpha(t.SkyHorizon, 0)}});
}

// ---- Land shapes ----

// A ridge line (hills, mountains, dunes) filled down to the bottom; sharp > 0 gives peaks.
void Ridge(Canvas& c, uint32_t seed, double baseY, double amp, double wave, const Rgba& top, const Rgba& bottom,
           double sharp = 0.0, double x0 = 0, double x1 = -1) {
    cairo_t* cr = c.Cr();
    if (x1 < 0) x1 = c.Width();
    const ValueNoise n(seed);
    cairo_move_to(cr, x0, c.Height());
    for (double x = x0; x <= x1 + 2; x += 3) {
        double v = n.Fbm(x / wave, 0.3, 4);
        if (sharp > 0) v = std::pow(v, 1.0 + sharp) * (1 + sharp * 0.6);
        cairo_line_to(cr, x, baseY - amp * v);
    }
    cairo_line_to(cr, x1 + 2, c.Height());
    cairo_close_path(cr);
    FillLinear(cr, 0, baseY - amp, 0, baseY + amp * 0.4, {{0.0, top}, {1.0, bottom}});
}

// A volcano or cone mountain lit from the left, its shaded flank on the right.
void Cone(cairo_t* cr, double cx, double baseY, double hw, double h, const Rgba& lit, const Rgba& shade, uint32_t seed) {
    ArtRandom r(seed);
    cairo_move_to(cr, cx - hw, baseY);
    cairo_curve_to(cr, cx - hw * 0.55, baseY - h * 0.35, cx - hw * 0.2, baseY - h * 0.95, cx - hw * 0.08, baseY - h);
    cairo_line_to(cr, cx + hw * 0.08, baseY - h * r.Real(0.97, 1.0));
    cairo_curve_to(cr, cx + hw * 0.2, baseY - h * 0.95, cx + hw * 0.55, baseY - h * 0.35, cx + hw, baseY);
    cairo_close_path(cr);
    FillLinear(cr, cx - hw * 0.4, 0, cx + hw * 0.3, 0, {{0.0, lit}, {0.45, Mix(lit, shade, 0.4)}, {0.55, shade}, {1.0, shade}});
    // Gullies.
    for (int i = 0; i < 7; ++i) {
        const double f = r.Real(-0.8, 0.8);
        cairo_move_to(cr, cx + f * hw * 0.1, baseY - h * 0.92);
        cairo_line_to(cr, cx + f * hw * 0.9, baseY);
        cairo_set_line_width(cr, 1.0);
        SetSource(cr, WithAlpha(Darken(shade, 0.2), 0.25));
        cairo_stroke(cr);
    }
}

// A pyramid seen from afar, its sunlit left face and shaded right face.
void FarPyramid(cairo_t* cr, double cx, double baseY, double hw, const Rgba& lit, const Rgba& shade) {
    const double h = hw * 0.95, ridge = cx + hw * 0.28;
    cairo_move_to(cr, cx - hw, baseY);
    cairo_line_to(cr, cx, baseY - h);
    cairo_line_to(cr, ridge, baseY);
    cairo_close_path(cr);
    FillLinear(cr, 0, baseY - h, 0, baseY, {{0.0, Lighten(lit, 0.15)}, {1.0, lit}});
    cairo_move_to(cr, cx, baseY - h);
    cairo_line_to(cr, cx + hw, baseY);
    cairo_line_to(cr, ridge, baseY);
    cairo_close_path(cr);
    SetSource(cr, shade);
    cairo_fill(cr);
}

// ---- Plants ----

// Blobby tree crowns along a line (kind 0: broadleaf, 1: cypress cone).
void TreeLine(Canvas& c, uint32_t seed, double x0, double x1, double baseY, double size, const Rgba& col, int kind) {
    cairo_t* cr = c.Cr();
    ArtRandom r(seed);
    for (double x = x0; x < x1; x += size * r.Real(0.35, 0.8)) {
        const double h = size * r.Real(0.7, 1.3), y = baseY + r.Real(-0.1, 0.15) * size;
        if (kind == 1) {
            cairo_move_to(cr, x - h * 0.16, y);
            cairo_curve_to(cr, x - h * 0.2, y - h * 0.6, x - 2, y - h * 1.3, x, y - h * 1.5);
            cairo_curve_to(cr, x + 2, y - h * 1.3, x + h * 0.2, y - h * 0.6, x + h * 0.16, y);
            cairo_close_path(cr);
            FillLinear(cr, x - h * 0.2, 0, x + h * 0.2, 0, {{0.0, Lighten(col, 0.22)}, {0.45, col}, {1.0, Darken(col, 0.35)}});
        } else {
            for (int j = 0; j < 4; ++j) {
                const double bx = x + r.Real(-0.3, 0.3) * h, by = y - h * r.Real(0.35, 0.8), br = h * r.Real(0.25, 0.42);
                cairo_arc(cr, bx, by, br, 0, 2 * M_PI);
                FillRadial(cr, bx - br * 0.45, by - br * 0.45, 0, br * 1.5, {{0.0, Lighten(col, 0.25)}, {0.5, col}, {1.0, Darken(col, 0.35)}});
            }
        }
    }
}

// A date palm lit from the left: curved trunk with rings, drooping fronds.
void Palm(cairo_t* cr, ArtRandom& r, double x, double baseY, double h, double lean, const Rgba& leaf) {
    const double tx = x + lean, ty = baseY - h;
    for (int i = 0; i < 12; ++i) {
        const double t0 = i / 12.0, t1 = (i + 1) / 12.0;
        auto px = [&](double t) { return x + lean * t * t; };
        const double w0 = h * 0.04 * (1 - 0.45 * t0), w1 = h * 0.04 * (1 - 0.45 * t1);
        cairo_move_to(cr, px(t0) - w0, baseY - h * t0);
        cairo_line_to(cr, px(t1) - w1, baseY - h * t1);
        cairo_line_to(cr, px(t1) + w1, baseY - h * t1);
        cairo_line_to(cr, px(t0) + w0, baseY - h * t0);
        cairo_close_path(cr);
        FillLinear(cr, px(t0) - w0, 0, px(t0) + w0, 0, {{0.0, Hex(0xC09A60)}, {0.45, Hex(0x8A6238)}, {1.0, Hex(0x3E2812)}});
    }
    const int fronds = 10;
    for (int i = 0; i < fronds; ++i) {
        const double a = -M_PI / 2 + (i - (fronds - 1) / 2.0) * 0.38 + r.Real(-0.08, 0.08);
        const double len = h * r.Real(0.38, 0.5), droop = len * 0.5 * std::abs(std::cos(a));
        const double ex = tx + std::cos(a) * len, ey = ty + std::sin(a) * len * 0.45 + droop;
        const double mx = tx + std::cos(a) * len * 0.5, my = ty + std::sin(a) * len * 0.55 - len * 0.1;
        const double wd = h * 0.045;
        cairo_move_to(cr, tx, ty);
        cairo_curve_to(cr, mx, my - wd, (mx + ex) / 2, (my + ey) / 2 - wd * 0.4, ex, ey);
        cairo_curve_to(cr, (mx + ex) / 2, (my + ey) / 2 + wd * 0.4, mx, my + wd, tx, ty);
        cairo_close_path(cr);
        const bool sunny = std::cos(a) < 0.2;
        FillLinear(cr, tx, ty - len * 0.3, tx, ty + len * 0.5,
                   {{0.0, Lighten(leaf, sunny ? 0.35 : 0.1)}, {1.0, Darken(leaf, sunny ? 0.15 : 0.4)}});
    }
    cairo_arc(cr, tx, ty + 1, h * 0.035, 0, 2 * M_PI);
    SetSource(cr, Hex(0x5A3A18));
    cairo_fill(cr);
}

// A sugar palm: a tall straight trunk and a round ball of fan leaves.
void SugarPalm(cairo_t* cr, ArtRandom& r, double x, double baseY, double h, const Rgba& col) {
    cairo_move_to(cr, x - h * 0.018, baseY);
    cairo_line_to(cr, x - h * 0.012, baseY - h * 0.82);
    cairo_line_to(cr, x + h * 0.012, baseY - h * 0.82);
    cairo_line_to(cr, x + h * 0.018, baseY);
    cairo_close_path(cr);
    SetSource(cr, Darken(col, 0.25));
    cairo_fill(cr);
    const double cy = baseY - h * 0.86, rad = h * 0.14;
    for (int i = 0; i < 16; ++i) {
        const double a = i * 2 * M_PI / 16 + r.Real(-0.1, 0.1);
        cairo_move_to(cr, x, cy);
        cairo_line_to(cr, x + std::cos(a - 0.18) * rad, cy + std::sin(a - 0.18) * rad * 0.85);
        cairo_line_to(cr, x + std::cos(a) * rad * 1.15, cy + std::sin(a) * rad);
        cairo_line_to(cr, x + std::cos(a + 0.18) * rad, cy + std::sin(a + 0.18) * rad * 0.85);
        cairo_close_path(cr);
        SetSource(cr, std::cos(a) < 0 && std::sin(a) < 0.3 ? Lighten(col, 0.18) : col);
        cairo_fill(cr);
    }
}

// A Japanese pine: leaning trunk with flat layered pads of needles.
void Pine(cairo_t* cr, ArtRandom& r, double x, double baseY, double h, const Rgba& col) {
    const double lean = r.Real(-0.25, 0.25) * h;
    cairo_move_to(cr, x - h * 0.03, baseY);
    cairo_curve_to(cr, x, baseY - h * 0.4, x + lean, baseY - h * 0.6, x + lean * 0.8, baseY - h * 0.95);
    cairo_line_to(cr, x + lean * 0.8 + h * 0.02, baseY - h * 0.95);
    cairo_curve_to(cr, x + lean + h * 0.03, baseY - h * 0.6, x + h * 0.03, baseY - h * 0.4, x + h * 0.04, baseY);
    cairo_close_path(cr);
    SetSource(cr, Hex(0x4A3424));
    cairo_fill(cr);
    for (int i = 0; i < 5; ++i) {
        const double f = 0.35 + i * 0.15, px = x + lean * f + r.Real(-0.22, 0.22) * h, py = baseY - h * f;
        const double w = h * (0.34 - i * 0.04);
        EllipsePath(cr, px, py, w, w * 0.28);
        FillLinear(cr, 0, py - w * 0.3, 0, py + w * 0.3, {{0.0, Lighten(col, 0.3)}, {0.5, col}, {1.0, Darken(col, 0.4)}});
    }
}

// A cherry tree in blossom: dark branches, clouds of pink petals lit from the left.
void Blossom(cairo_t* cr, ArtRandom& r, double x, double baseY, double h) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetSource(cr, Hex(0x3A2420));
    cairo_set_line_width(cr, h * 0.06);
    cairo_move_to(cr, x, baseY);
    cairo_line_to(cr, x + r.Real(-0.05, 0.05) * h, baseY - h * 0.5);
    cairo_stroke(cr);
    for (int i = 0; i < 4; ++i) {
        cairo_set_line_width(cr, h * 0.025);
        cairo_move_to(cr, x, baseY - h * 0.45);
        cairo_line_to(cr, x + r.Real(-0.45, 0.45) * h, baseY - h * r.Real(0.65, 0.9));
        cairo_stroke(cr);
    }
    for (int i = 0; i < 9; ++i) {
        const double bx = x + r.Real(-0.5, 0.5) * h, by = baseY - h * r.Real(0.55, 0.95), br = h * r.Real(0.16, 0.26);
        cairo_arc(cr, bx, by, br, 0, 2 * M_PI);
        FillRadial(cr, bx - br * 0.5, by - br * 0.5, 0, br * 1.6, {{0.0, Hex(0xFFE4EC)}, {0.5, Hex(0xF0A8BE)}, {1.0, Hex(0xB86482)}});
    }
}

// ---- Water and buildings ----

// Water from y0 to y1: sky reflected at the far edge, darker near, ripples and sun glints at glintX.
void Water(Canvas& c, const Theme& t, uint32_t seed, double y0, double y1, const Rgba& far, const Rgba& near,
           double glintX, double x0 = 0, double x1 = -1) {
    cairo_t* cr = c.Cr();
    if (x1 < 0) x1 = c.Width();
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    FillLinear(cr, 0, y0, 0, y1, {{0.0, Mix(t.SkyHorizon, far, 0.5)}, {0.18, far}, {1.0, near}});
    ArtRandom r(seed);
    const double span = y1 - y0;
    for (int i = 0; i < static_cast<int>(span * (x1 - x0) / 90); ++i) {
        const double y = r.Real(y0 + 1, y1), f = (y - y0) / span;
        const bool glint = r.Chance(0.45);
        const double x = glint ? glintX + r.Normal(0, 40 + f * 140) : r.Real(x0, x1);
        if (x < x0 || x > x1) continue;
        const double len = (3 + f * 18) * r.Real(0.5, 1.5);
        cairo_move_to(cr, x - len / 2, y);
        cairo_line_to(cr, x + len / 2, y);
        cairo_set_line_width(cr, 0.6 + f * 1.3);
        SetSource(cr, glint ? WithAlpha(t.SunGlow, 0.55 * (1 - f * 0.5)) : WithAlpha(Darken(near, 0.4), 0.3));
        cairo_stroke(cr);
    }
}

// House fronts along baseY: walls lit from the left, roofs (0 tiles, 1 slate mansards, 2 flat with domes).
void Houses(Canvas& c, uint32_t seed, double x0, double x1, double baseY, double size, const Rgba& wall, const Rgba& roof,
            int style) {
    cairo_t* cr = c.Cr();
    ArtRandom r(seed);
    for (double x = x0; x < x1;) {
        const double w = size * r.Real(0.6, 1.1), h = size * r.Real(0.6, 1.1);
        const Rgba wl = Mix(wall, Hex(r.Chance(0.5) ? 0xFFF4E0 : 0x806850), r.Real(0, 0.2));
        cairo_rectangle(cr, x, baseY - h, w, h + 2);
        FillLinear(cr, x, 0, x + w, 0, {{0.0, Lighten(wl, 0.12)}, {1.0, Darken(wl, 0.18)}});
        // Windows in rows.
        for (double wy = baseY - h + size * 0.18; wy < baseY - size * 0.15; wy += size * 0.28)
            for (double wx = x + w * 0.15; wx < x + w - size * 0.12; wx += size * 0.22) {
                cairo_rectangle(cr, wx, wy, size * 0.07, size * 0.12);
                SetSource(cr, Hex(0x2A2430, 0.6));
                cairo_fill(cr);
            }
        if (style == 1) {
            cairo_move_to(cr, x - 1, baseY - h);
            cairo_line_to(cr, x + w * 0.12, baseY - h - size * 0.32);
            cairo_line_to(cr, x + w * 0.88, baseY - h - size * 0.32);
            cairo_line_to(cr, x + w + 1, baseY - h);
            cairo_close_path(cr);
            FillLinear(cr, 0, baseY - h - size * 0.32, 0, baseY - h, {{0.0, Lighten(roof, 0.15)}, {1.0, Darken(roof, 0.2)}});
            for (int k = 0; k < 2; ++k) {   // chimneys with pots
                const double cx = x + w * r.Real(0.2, 0.8);
                cairo_rectangle(cr, cx, baseY - h - size * 0.48, size * 0.09, size * 0.18);
                SetSource(cr, Darken(wl, 0.15));
                cairo_fill(cr);
            }
            cairo_rectangle(cr, x + w * 0.3, baseY - h - size * 0.24, size * 0.08, size * 0.1);   // dormer
            SetSource(cr, Hex(0xE8E0D0, 0.8));
            cairo_fill(cr);
        } else if (style == 2 && r.Chance(0.35)) {
            cairo_arc(cr, x + w / 2, baseY - h, w * 0.38, M_PI, 2 * M_PI);
            FillLinear(cr, x, 0, x + w, 0, {{0.0, Lighten(roof, 0.2)}, {1.0, Darken(roof, 0.25)}});
        } else {
            cairo_move_to(cr, x - 1, baseY - h);
            cairo_line_to(cr, x + w / 2, baseY - h - w * 0.3);
            cairo_line_to(cr, x + w + 1, baseY - h);
            cairo_close_path(cr);
            FillLinear(cr, x, 0, x + w, 0, {{0.0, Lighten(roof, 0.1)}, {1.0, Darken(roof, 0.25)}});
        }
        x += w + r.Real(-0.15, 0.05) * size;
    }
}

// A minaret (slim tower with a balcony and a lead cone) or, with dome true, a domed church.
void Minaret(cairo_t* cr, double x, double baseY, double h, const Rgba& wall, const Rgba& lead) {
    const double w = h * 0.06;
    cairo_rectangle(cr, x - w / 2, baseY - h, w, h);
    FillLinear(cr, x - w / 2, 0, x + w / 2, 0, {{0.0, Lighten(wall, 0.15)}, {1.0, Darken(wall, 0.25)}});
    cairo_rectangle(cr, x - w * 0.8, baseY - h * 0.72, w * 1.6, h * 0.03);
    SetSource(cr, Darken(wall, 0.1));
    cairo_fill(cr);
    cairo_move_to(cr, x - w * 0.6, baseY - h);
    cairo_line_to(cr, x, baseY - h * 1.2);
    cairo_line_to(cr, x + w * 0.6, baseY - h);
    cairo_close_path(cr);
    SetSource(cr, lead);
    cairo_fill(cr);
}
void Dome(cairo_t* cr, double cx, double baseY, double r, const Rgba& wall, const Rgba& lead) {
    cairo_rectangle(cr, cx - r * 1.2, baseY - r * 0.8, r * 2.4, r * 0.8 + 1);
    FillLinear(cr, cx - r * 1.2, 0, cx + r * 1.2, 0, {{0.0, Lighten(wall, 0.12)}, {1.0, Darken(wall, 0.25)}});
    cairo_arc(cr, cx, baseY - r * 0.8, r, M_PI, 2 * M_PI);
    FillRadial(cr, cx - r * 0.4, baseY - r * 1.4, 0, r * 1.6, {{0.0, Lighten(lead, 0.35)}, {1.0, Darken(lead, 0.3)}});
}

// ---- Near planes ----

// The work yard from YardTop down: packed ground, ruts along the walking line, chippings.
void Yard(Canvas& c, const Theme& t, const Site& s, uint32_t seed) {
    cairo_t* cr = c.Cr();
    ArtRandom r(seed);
    cairo_move_to(cr, 0, s.YardTop + 6 * s.K);
    for (int x = 0; x <= s.W; x += 16) cairo_line_to(cr, x, s.YardTop + r.Real(-3, 3) * s.K);
    cairo_line_to(cr, s.W, s.H);
    cairo_line_to(cr, 0, s.H);
    cairo_close_path(cr);
    FillLinear(cr, 0, s.YardTop, 0, s.H, {{0.0, Lighten(t.Ground, 0.1)}, {0.55, t.Ground}, {1.0, t.GroundDark}});
    // Soft sunlit patches and shadowed dips.
    Canvas patches(s.W, s.H);
    for (int i = 0; i < 26; ++i) {
        EllipsePath(patches.Cr(), r.Real(0, s.W), r.Real(s.YardTop + 8 * s.K, s.H), r.Real(30, 90) * s.K, r.Real(5, 12) * s.K);
        SetSource(patches.Cr(), r.Chance(0.5) ? WithAlpha(Lighten(t.Ground, 0.3), 0.5) : WithAlpha(t.GroundDark, 0.4));
        cairo_fill(patches.Cr());
    }
    Blur(patches, 6 * s.K);
    c.Paint(patches, 0, 0, 0.7);
    for (int i = 0; i < 3; ++i) {
        const double y = s.GroundY - (4 + i * 10) * s.K;
        cairo_move_to(cr, 0, y);
        for (int x = 0; x <= s.W; x += 40) cairo_line_to(cr, x, y + r.Real(-1.2, 1.2) * s.K);
        cairo_set_line_width(cr, 1.6 * s.K);
        SetSource(cr, WithAlpha(t.GroundDark, 0.22));
        cairo_stroke(cr);
    }
    for (int i = 0; i < 220; ++i) {
        const double x = r.Real(0, s.W), y = r.Real(s.YardTop + 4, s.H), rad = r.Real(0.7, 2.4) * s.K * (0.6 + (y - s.YardTop) / (s.H - s.YardTop));
        EllipsePath(cr, x + rad * 0.3, y + rad * 0.5, rad * 1.4, rad * 0.7);
        SetSource(cr, WithAlpha(t.GroundDark, 0.45));
        cairo_fill(cr);
        EllipsePath(cr, x, y, rad * 1.3, rad * 0.85);
        SetSource(cr, WithAlpha(Lighten(t.Stone, r.Real(0, 0.2)), 0.85));
        cairo_fill(cr);
    }
}

// The low stone terrace the monument stands on, a little wider than its painting.
void Terrace(Canvas& c, const Theme& t, const Site& s) {
    cairo_t* cr = c.Cr();
    const double x0 = s.MonX - 4 * s.K, x1 = s.MonRight + 6 * s.K, y0 = s.MonBase - 6, y1 = s.MonBase + 12 * s.K;
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y0);
    cairo_line_to(cr, x1 + 12 * s.K, y1);
    cairo_line_to(cr, x0 - 12 * s.K, y1);
    cairo_close_path(cr);
    FillLinear(cr, 0, y0, 0, y1, {{0.0, Lighten(t.Stone, 0.1)}, {0.25, Mix(t.Stone, t.Ground, 0.5)}, {1.0, Darken(t.GroundDark, 0.1)}});
    for (double x = x0; x < x1; x += 22 * s.K) {
        cairo_move_to(cr, x, y0 + 5 * s.K);
        cairo_line_to(cr, x - 3 * s.K, y1);
    }
    cairo_move_to(cr, x0 - 4 * s.K, y0 + 5 * s.K);
    cairo_line_to(cr, x1 + 4 * s.K, y0 + 5 * s.K);
    cairo_set_line_width(cr, 0.8);
    SetSource(cr, WithAlpha(t.GroundDark, 0.4));
    cairo_stroke(cr);
}

// The wooden derrick the scarab crawls over (level 1): beams along its fixed path.
void Derrick(Canvas& c, const ArtContext& ctx, const Site& s) {
    if (!HasAnimation(ctx.Data().DataDir, 1, ctx.GetLayout(), "bug")) return;
    const AnimPlacement a = FindAnimation(ctx.Data().DataDir, 1, ctx.GetLayout(), "bug");
    const double b = 30 * s.K / 2;
    cairo_t* cr = c.Cr();
    struct P { double x, y; };
    const std::vector<P> path = ctx.Wide() ? std::vector<P>{{a.X, a.Y}, {885, a.Y}, {875, 60}, {525, -30}}
                                           : std::vector<P>{{a.X, a.Y}, {238, a.Y}, {238, 32}, {158, -33}};
    for (size_t i = 0; i + 1 < path.size(); ++i) {
        const double dx = path[i + 1].x - path[i].x, dy = path[i + 1].y - path[i].y, len = std::hypot(dx, dy);
        const double ex = dx / len * 20 * s.K, ey = dy / len * 20 * s.K;
        Pole(cr, path[i].x + b - ex, path[i].y + b - ey, path[i + 1].x + b + ex, path[i + 1].y + b + ey, 9 * s.K);
    }
    Pole(cr, path[1].x + b, path[1].y + b, path[1].x + b + 4 * s.K, s.MonBase, 8 * s.K);
}

// A flagpole where the level's banner is raised (the banner is the animation).
void FlagPole(Canvas& c, const ArtContext& ctx, int level, const Site& s) {
    if (!HasAnimation(ctx.Data().DataDir, level, ctx.GetLayout(), "flags")) return;
    const AnimPlacement a = FindAnimation(ctx.Data().DataDir, level, ctx.GetLayout(), "flags");
    const double x = a.X + 10 * s.K;
    Pole(c.Cr(), x, a.Y + 2 * s.K, x, a.Y + 140 * s.K, 3 * s.K);
    cairo_arc(c.Cr(), x, a.Y + 2 * s.K, 3 * s.K, 0, 2 * M_PI);
    SetSource(c.Cr(), palette::Gold);
    cairo_fill(c.Cr());
}

// Softens and dims the picture under the board: its holes show a quiet ground that never competes with gems.
void CalmUnderBoard(Canvas& c, const Site& s) {
    const int x = s.FieldX, y = s.FieldY, w = std::min(10 * s.Cell, s.W - x), h = 10 * s.Cell;
    Canvas part = c.Crop(x, y, w, h);
    Blur(part, 2.5 * s.K);
    c.Paint(part, x, y, 0.85);
    cairo_t* cr = c.Cr();
    cairo_rectangle(cr, x, y, w, h);
    SetSource(cr, Hex(0x2A1A0C, 0.12));
    cairo_fill(cr);
}

// ---- The seven places ----

void Giza(Canvas& c, const ArtContext& ctx, const Theme& t, const Site& s) {
    const double hz = s.Horizon, k = s.K;
    cairo_t* cr = c.Cr();
    const Rgba far = Hazed(t, t.Far, 0.45);
    Ridge(c, ctx.SubSeed("far"), hz + 2 * k, 10 * k, 260 * k, far, Hazed(t, t.Far, 0.3));
    // The three pyramids of the plateau, far off in the heat haze.
    const double px = std::max(s.MonRight + 40 * k, s.FieldX * 0.78);
    const double sizes[3] = {78, 66, 34};
    for (int i = 0; i < 3; ++i)
        FarPyramid(cr, px + (i * 96 - 30) * k, hz + 4 * k, sizes[i] * k, Hazed(t, Hex(0xE8C890), 0.35), Hazed(t, Hex(0xA8885A), 0.4));
    HazeBand(c, t, hz, 14 * k, 0.55);
    // The Nile: a green strip of fields and palms, the river shining in it.
    Ridge(c, ctx.SubSeed("fields"), hz + 14 * k, 4 * k, 200 * k, Hazed(t, Hex(0x7A9A42), 0.35), Hazed(t, Hex(0x5E7E30), 0.3));
    Water(c, t, ctx.SubSeed("nile"), hz + 16 * k, hz + 28 * k, Hex(0x6AA8C8), Hex(0x3A78A0), t.SunX * s.W);
    TreeLine(c, ctx.SubSeed("bank"), 0, s.W, hz + 32 * k, 12 * k, Hazed(t, Hex(0x5E7E30), 0.15), 0);
    ArtRandom r(ctx.SubSeed("palms"));
    for (double x = -10 * k; x < s.W; x += r.Real(26, 60) * k)
        Palm(cr, r, x, hz + 34 * k, r.Real(48, 74) * k, r.Real(-8, 8) * k, Hazed(t, Hex(0x6E9A3A), 0.25));
    // Dunes in front, rippled, up to the site.
    Ridge(c, ctx.SubSeed("dunes"), hz + 56 * k, 16 * k, 240 * k, Lighten(t.Ground, 0.18), t.Mid);
    cairo_rectangle(cr, 0, s.MonBase - 4 * k, s.W, s.YardTop - s.MonBase + 12 * k);
    FillVertical(cr, s.MonBase - 4 * k, s.YardTop + 8 * k, Mix(t.Mid, t.Ground, 0.5), t.Ground);
    for (int i = 0; i < 2; ++i) {
        const double x = (i == 0 ? 2 : 0.62) * s.MonX + (i == 0 ? s.MonRight + 18 * k : 0);
        Palm(cr, r, std::min(x, s.FieldX - 20.0 * k), s.YardTop + 4 * k, r.Real(80, 100) * k, (i ? 10 : -12) * k, t.Leaf);
    }
}

void Sounion(Canvas& c, const ArtContext& ctx, const Theme& t, const Site& s) {
    const double hz = s.Horizon, k = s.K;
    cairo_t* cr = c.Cr();
    // Islands on the horizon, the Aegean below.
    Ridge(c, ctx.SubSeed("isles"), hz + 1, 18 * k, 150 * k, Hazed(t, Hex(0x7890A8), 0.45), Hazed(t, Hex(0x6A8098), 0.35), 1.6,
          s.MonRight, s.W);
    Water(c, t, ctx.SubSeed("sea"), hz, s.YardTop + 6, Hex(0x2E86C0), Hex(0x0E4A7A), t.SunX * s.W);
    HazeBand(c, t, hz, 6 * k, 0.5);
    // The headland: layered rock from the left edge, its cliff face dropping to the sea right of the temple.
    const double topY = s.MonBase - 8 * k, edge = s.MonRight + 24 * k, foot = s.YardTop + 6;
    cairo_move_to(cr, 0, topY);
    cairo_line_to(cr, edge, topY);
    cairo_curve_to(cr, edge + 22 * k, topY + 18 * k, edge + 14 * k, foot - 30 * k, edge + 48 * k, foot);
    cairo_line_to(cr, 0, foot);
    cairo_close_path(cr);
    FillLinear(cr, 0, topY, edge + 40 * k, foot, {{0.0, Hex(0xC8B08A)}, {0.45, Hex(0x9A8262)}, {1.0, Hex(0x4E4030)}});
    ArtRandom r(ctx.SubSeed("strata"));
    cairo_save(cr);
    cairo_move_to(cr, 0, topY);
    cairo_line_to(cr, edge, topY);
    cairo_curve_to(cr, edge + 22 * k, topY + 18 * k, edge + 14 * k, foot - 30 * k, edge + 48 * k, foot);
    cairo_line_to(cr, 0, foot);
    cairo_close_path(cr);
    cairo_clip(cr);
    for (double y = topY + 8 * k; y < foot; y += r.Real(7, 13) * k) {
        cairo_move_to(cr, 0, y);
        for (double x = 0; x <= edge + 60 * k; x += 12 * k) cairo_line_to(cr, x, y + r.Real(-1.5, 1.5) * k + x * 0.03);
        cairo_set_line_width(cr, 1.2 * k);
        SetSource(cr, Hex(0x3A2C20, 0.3));
        cairo_stroke(cr);
    }
    // The cliff face in shade, the left slopes in sun.
    cairo_rectangle(cr, edge - 6 * k, topY, 80 * k, foot - topY);
    FillLinear(cr, edge - 6 * k, 0, edge + 30 * k, 0, {{0.0, Hex(0x2A2018, 0)}, {1.0, Hex(0x2A2018, 0.45)}});
    cairo_restore(cr);
    // Surf at the foot, scrub and olives on the top.
    for (int i = 0; i < 40; ++i) {
        const double y = foot - r.Real(0, 10) * k, x = edge + 48 * k * (1 - (foot - y) / (foot - topY)) + r.Real(-4, 30) * k;
        EllipsePath(cr, x, y, r.Real(3, 9) * k, 1.2 * k);
        SetSource(cr, Hex(0xFFFFFF, r.Real(0.3, 0.7)));
        cairo_fill(cr);
    }
    TreeLine(c, ctx.SubSeed("olives"), -10, s.MonX + 10 * k, topY + 4 * k, 22 * k, Hex(0x6E7A4A), 0);
    TreeLine(c, ctx.SubSeed("scrub"), s.MonX, edge, topY + 10 * k, 9 * k, Hex(0x7A8248), 0);
    // A far white sail.
    if (s.FieldX - edge > 80 * k) {
        const double x = edge + 70 * k, y = hz + 8 * k;
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + 6 * k, y - 14 * k);
        cairo_line_to(cr, x + 10 * k, y);
        cairo_close_path(cr);
        SetSource(cr, Hex(0xF8F0E0, 0.85));
        cairo_fill(cr);
    }
}

void Teotihuacan(Canvas& c, const ArtContext& ctx, const Theme& t, const Site& s) {
    const double hz = s.Horizon, k = s.K;
    cairo_t* cr = c.Cr();
    // Volcanoes ringing the valley, blue with distance.
    Ridge(c, ctx.SubSeed("range"), hz - 18 * k, 60 * k, 300 * k, Hazed(t, t.Far, 0.5), Hazed(t, t.Far, 0.4), 1.0);
    Cone(cr, s.W * 0.12, hz + 2 * k, 150 * k, 120 * k, Hazed(t, Hex(0xA88A90), 0.45), Hazed(t, Hex(0x6A5A70), 0.45), ctx.SubSeed("c1"));
    Cone(cr, s.FieldX * 0.72, hz + 4 * k, 120 * k, 90 * k, Hazed(t, Hex(0x9A8A7A), 0.35), Hazed(t, Hex(0x5E5060), 0.35), ctx.SubSeed("c2"));
    HazeBand(c, t, hz, 16 * k, 0.5);
    Ridge(c, ctx.SubSeed("valley"), hz + 10 * k, 10 * k, 200 * k, Hazed(t, t.Mid, 0.3), t.Mid);
    // The Avenue of the Dead running to the Pyramid of the Moon, platforms along both sides.
    const double vx = std::max(s.MonRight + 70 * k, s.FieldX * 0.8), vy = hz + 12 * k, by = s.YardTop + 8 * k;
    const double half = 60 * k;
    cairo_move_to(cr, vx - 5 * k, vy);
    cairo_line_to(cr, vx + 5 * k, vy);
    cairo_line_to(cr, vx + half * 1.6, by);
    cairo_line_to(cr, vx - half * 1.6, by);
    cairo_close_path(cr);
    FillLinear(cr, 0, vy, 0, by, {{0.0, Hazed(t, Hex(0xC8A27A), 0.3)}, {1.0, Hex(0xB08660)}});
    for (int i = 0; i < 6; ++i) {
        const double f = 0.15 + i * 0.15, y = vy + (by - vy) * f, w = (6 + 14 * f) * k, h = (4 + 10 * f) * k;
        for (int side : {-1, 1}) {
            const double x = vx + side * (5 * k + (half * 1.6) * f) + side * w * 0.7;
            cairo_move_to(cr, x - w, y);
            cairo_line_to(cr, x - w * 0.6, y - h);
            cairo_line_to(cr, x + w * 0.6, y - h);
            cairo_line_to(cr, x + w, y);
            cairo_close_path(cr);
            FillLinear(cr, x - w, 0, x + w, 0, {{0.0, Hazed(t, Hex(0xC0987A), 0.3 - f * 0.3)}, {1.0, Hazed(t, Hex(0x7A5A44), 0.3 - f * 0.3)}});
        }
    }
    for (int tier = 0; tier < 4; ++tier) {
        const double w = (26 - tier * 5) * k, y = vy - tier * 6 * k;
        cairo_rectangle(cr, vx - w, y - 6 * k, w * 2, 6 * k);
        FillLinear(cr, vx - w, 0, vx + w, 0, {{0.0, Hazed(t, Hex(0xC09A78), 0.4)}, {1.0, Hazed(t, Hex(0x7A5E4C), 0.4)}});
    }
    // Dry highland scrub and nopal in the middle ground.
    cairo_rectangle(cr, 0, s.MonBase - 2 * k, s.W, s.YardTop - s.MonBase + 10);
    FillVertical(cr, s.MonBase - 2 * k, s.YardTop + 6 * k, Mix(t.Mid, t.Ground, 0.45), t.Ground);
    TreeLine(c, ctx.SubSeed("scrub"), 0, vx - half, hz + 24 * k, 14 * k, Hazed(t, Hex(0x6A7A3A), 0.2), 0);
    TreeLine(c, ctx.SubSeed("dark"), -20, s.MonX + 20 * k, s.MonBase + 8 * k, 70 * k, Darken(t.Leaf, 0.5), 0);
}

void Constantinople(Canvas& c, const ArtContext& ctx, const Theme& t, const Site& s) {
    const double hz = s.Horizon, k = s.K;
    cairo_t* cr = c.Cr();
    // The Asian shore beyond the strait, then the Bosporus.
    Ridge(c, ctx.SubSeed("shore"), hz - 4 * k, 24 * k, 260 * k, Hazed(t, t.Far, 0.5), Hazed(t, t.Far, 0.4));
    Houses(c, ctx.SubSeed("farTown"), 0, s.W, hz - 2 * k, 8 * k, Hazed(t, Hex(0xC8A890), 0.5), Hazed(t, Hex(0x9A6A5A), 0.5), 0);
    HazeBand(c, t, hz - 4 * k, 10 * k, 0.45);
    Water(c, t, ctx.SubSeed("bosporus"), hz, hz + 24 * k, Hex(0x7A86B0), Hex(0x4A4E86), t.SunX * s.W);
    // The city on its hill: houses, domes and minarets, cypresses.
    Ridge(c, ctx.SubSeed("hill"), hz + 40 * k, 18 * k, 300 * k, Mix(t.Mid, t.Ground, 0.3), Darken(t.Mid, 0.1));
    Houses(c, ctx.SubSeed("town"), 0, s.W, hz + 40 * k, 18 * k, Hex(0xD8B89A), Hex(0xA85A3A), 2);
    ArtRandom r(ctx.SubSeed("domes"));
    for (double x = s.MonRight + 40 * k; x < s.W; x += r.Real(90, 160) * k) {
        Dome(cr, x, hz + 34 * k, r.Real(18, 26) * k, Hex(0xD8B8A0), Hex(0x7A8498));
        Minaret(cr, x - 40 * k, hz + 36 * k, r.Real(70, 90) * k, Hex(0xE8D8C8), Hex(0x6A7088));
        Minaret(cr, x + 40 * k, hz + 36 * k, r.Real(70, 90) * k, Hex(0xE8D8C8), Hex(0x6A7088));
    }
    TreeLine(c, ctx.SubSeed("cypress"), 0, s.W, hz + 52 * k, 26 * k, Hex(0x34502E), 1);
    cairo_rectangle(cr, 0, s.MonBase - 2 * k, s.W, s.YardTop - s.MonBase + 10);
    FillVertical(cr, s.MonBase - 2 * k, s.YardTop + 6 * k, Mix(t.Mid, t.Ground, 0.5), t.Ground);
}

void Angkor(Canvas& c, const ArtContext& ctx, const Theme& t, const Site& s, double mx) {
    const double hz = s.Horizon, k = s.K;
    cairo_t* cr = c.Cr();
    // Far jungle in the blue night, sugar palms against the last glow.
    Ridge(c, ctx.SubSeed("far"), hz, 12 * k, 160 * k, Mix(t.Far, t.SkyHorizon, 0.3), t.Far);
    TreeLine(c, ctx.SubSeed("jungle"), 0, s.W, hz + 10 * k, 34 * k, Mix(t.Mid, t.SkyMid, 0.35), 0);
    ArtRandom r(ctx.SubSeed("palms"));
    for (double x = 4 * k; x < s.W; x += r.Real(30, 80) * k)
        SugarPalm(cr, r, x, hz + 16 * k, r.Real(60, 96) * k, Mix(Hex(0x1E2A30), t.SkyMid, 0.25));
    // Banks and the moat reflecting the sky and the moon.
    cairo_rectangle(cr, 0, hz + 10 * k, s.W, s.MonBase - hz);
    FillVertical(cr, hz + 10 * k, s.MonBase + 8 * k, Darken(t.Mid, 0.25), Darken(t.Mid, 0.5));
    TreeLine(c, ctx.SubSeed("near"), 0, s.W, s.MonBase + 4 * k, 26 * k, Darken(t.Mid, 0.3), 0);
    Water(c, t, ctx.SubSeed("moat"), s.MonBase + 8 * k, s.YardTop + 6, Hex(0x1A3050), Hex(0x0A1624), mx);
    // The causeway across the moat to the site.
    cairo_rectangle(cr, s.MonX + 30 * k, s.MonBase + 8 * k, (s.MonRight - s.MonX) * 0.5, s.YardTop - s.MonBase);
    FillLinear(cr, s.MonX, 0, s.MonRight, 0, {{0.0, Hex(0x6E6450)}, {1.0, Hex(0x3A3428)}});
    for (double x = s.MonX + 30 * k; x < s.MonX + 30 * k + (s.MonRight - s.MonX) * 0.5; x += 10 * k) {
        cairo_rectangle(cr, x, s.MonBase + 6 * k, 5 * k, 4 * k);
        SetSource(cr, Hex(0x8A7E66));
        cairo_fill(cr);
    }
}

void Paris(Canvas& c, const ArtContext& ctx, const Theme& t, const Site& s) {
    const double hz = s.Horizon, k = s.K;
    cairo_t* cr = c.Cr();
    Ridge(c, ctx.SubSeed("hills"), hz - 6 * k, 18 * k, 300 * k, Hazed(t, t.Far, 0.5), Hazed(t, t.Far, 0.4));
    // Far roofs, then nearer rows of houses with slate mansards and chimneys.
    Houses(c, ctx.SubSeed("far"), 0, s.W, hz + 6 * k, 14 * k, Hazed(t, Hex(0xC8BCA8), 0.45), Hazed(t, Hex(0x5A6478), 0.45), 1);
    HazeBand(c, t, hz, 10 * k, 0.4);
    Houses(c, ctx.SubSeed("near"), 0, s.W, hz + 30 * k, 34 * k, Hex(0xD8CCB0), Hex(0x5E6678), 1);
    TreeLine(c, ctx.SubSeed("trees"), 0, s.W, hz + 36 * k, 16 * k, Hex(0x4E6A3A), 0);
    // The quay wall, the Seine and the island's bank under the cathedral.
    const double riverTop = s.MonBase + 22 * k;
    cairo_rectangle(cr, 0, hz + 34 * k, s.W, riverTop - hz - 30 * k);
    FillVertical(cr, hz + 34 * k, riverTop, Hex(0x8A8468), Hex(0x6A6450));
    Water(c, t, ctx.SubSeed("seine"), riverTop, s.YardTop + 6, Hex(0x5A7A8A), Hex(0x2A3E4A), t.SunX * s.W);
    cairo_rectangle(cr, 0, riverTop - 6 * k, s.W, 6 * k);
    FillVertical(cr, riverTop - 6 * k, riverTop, Hex(0xC8BCA0), Hex(0x8A806A));
    // A stone bridge with arches right of the island.
    const double bx0 = s.MonRight + 10 * k, bx1 = s.W, by = riverTop + 2 * k;
    cairo_rectangle(cr, bx0, by - 4 * k, bx1 - bx0, 12 * k);
    FillVertical(cr, by - 4 * k, by + 8 * k, Hex(0xD0C4A8), Hex(0x8A806A));
    for (double x = bx0 + 20 * k; x < bx1; x += 44 * k) {
        cairo_arc(cr, x, by + 14 * k, 14 * k, M_PI, 2 * M_PI);
        SetSource(cr, Hex(0x1E2A32, 0.8));
        cairo_fill(cr);
    }
}

void Himeji(Canvas& c, const ArtContext& ctx, const Theme& t, const Site& s) {
    const double hz = s.Horizon, k = s.K;
    cairo_t* cr = c.Cr();
    // Three ranges of hills fading into the evening air.
    Ridge(c, ctx.SubSeed("m1"), hz - 30 * k, 60 * k, 360 * k, Hazed(t, t.Far, 0.55), Hazed(t, t.Far, 0.5), 0.6);
    HazeBand(c, t, hz - 20 * k, 16 * k, 0.4);
    Ridge(c, ctx.SubSeed("m2"), hz - 6 * k, 36 * k, 240 * k, Hazed(t, Hex(0x6A7A88), 0.35), Hazed(t, Hex(0x5A6A70), 0.3), 0.4);
    HazeBand(c, t, hz, 10 * k, 0.35);
    Ridge(c, ctx.SubSeed("m3"), hz + 16 * k, 20 * k, 200 * k, Hazed(t, Hex(0x5E7A48), 0.2), Hex(0x4E6A3A));
    ArtRandom r(ctx.SubSeed("pines"));
    for (double x = 0; x < s.W; x += r.Real(26, 60) * k) Pine(cr, r, x, hz + 26 * k, r.Real(36, 56) * k, Hazed(t, Hex(0x2E4A30), 0.2));
    cairo_rectangle(cr, 0, hz + 24 * k, s.W, s.YardTop - hz);
    FillVertical(cr, hz + 24 * k, s.YardTop + 6 * k, Mix(t.Mid, t.Ground, 0.4), t.Ground);
    for (double x = r.Real(0, 30) * k; x < s.W; x += r.Real(50, 110) * k) Blossom(cr, r, x, s.MonBase + 10 * k, r.Real(50, 76) * k);
}

}  // namespace

Canvas LevelBackground(ArtContext& ctx, int level) {
    const Theme& t = ThemeOf(level);
    const Site s = SiteOf(ctx, level);
    Canvas c(s.W, s.H);
    double sx = t.SunX * s.W, sy = t.SunY * s.H;
    if (HasAnimation(ctx.Data().DataDir, level, ctx.GetLayout(), "moon")) {   // the glow sits where the moon rises
        const AnimPlacement m = FindAnimation(ctx.Data().DataDir, level, ctx.GetLayout(), "moon");
        sx = m.X + 30 * s.K;
        sy = m.Y + 30 * s.K;
    }
    Sky(c, t, s, ctx.SubSeed("sky"), sx, sy);
    switch (level) {
    case 1: Giza(c, ctx, t, s); break;
    case 2: Sounion(c, ctx, t, s); break;
    case 3: Teotihuacan(c, ctx, t, s); break;
    case 4: Constantinople(c, ctx, t, s); break;
    case 5: Angkor(c, ctx, t, s, sx); break;
    case 6: Paris(c, ctx, t, s); break;
    default: Himeji(c, ctx, t, s); break;
    }
    Terrace(c, t, s);
    if (level == 1) Derrick(c, ctx, s);
    FlagPole(c, ctx, level, s);
    Yard(c, t, s, ctx.SubSeed("yard"));
    CalmUnderBoard(c, s);
    Weather(c, ctx.SubSeed("weather"), 0.05, 0.02, 30 * s.K);
    if (!t.Night) SunGrade(c, ctx.SubSeed("grade"), sx, sy, 0.3);
    else Vignette(c, 0.35, 0.5);
    return c;
}

}  // namespace vantero::art::levels
