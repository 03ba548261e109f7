// Sources of the levels' backdrop animations: banner, flower, butterfly, scarab, seagull, waves, ship,
// fish, dolphin, gik, eyes, snake, dust, meteors, moon, stars, starlight, lightning and the river.
// Each is drawn per layout (scaled with the cell size) in the level folders whose data names it;
// frame counts follow the choreographies of the backdrop engines.
#include "ArtJobs.h"
#include "LevelsKit.h"

#include <cmath>
#include <functional>
#include <array>
#include <map>
#include <set>

namespace vantero::art::levels {
namespace {

double Scale(const ArtContext& ctx) { return ctx.Values().Int("CellSize") / 50.0; }
int S(double v, double k) { return static_cast<int>(std::lround(v * k)); }

// Ordered dithering of soft alpha into on/off texels (GIF keeps only a colour key).
void DitherAlpha(Canvas& c) {
    static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    uint32_t* px = c.Pixels();
    const int stride = c.StridePixels();
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            uint32_t& p = px[y * stride + x];
            const int a = (p >> 24) & 0xFF;
            if (a == 0 || a == 255) continue;
            const double th = (bayer[y & 3][x & 3] + 0.5) / 16.0;
            if (a / 255.0 < th) { p = 0; continue; }
            auto ch = [&](int s) { return static_cast<uint32_t>(std::min(255, static_cast<int>((p >> s) & 0xFF) * 255 / a)) << s; };
            p = 0xFF000000u | ch(16) | ch(8) | ch(0);
        }
    c.MarkDirty();
}

// ---- Banner (flags.60.jpg): raised on 0..51, at the top 52..59, fluttering 54..58 ----
Sequence Flags(ArtContext& ctx, int level) {
    const double k = Scale(ctx);
    const int w = S(100, k), h = S(120, k);
    const Rgba cloth = level == 7 ? Hex(0xF4F0E6) : Hex(0x2C4F9E), trim = level == 7 ? Hex(0xC8202A) : palette::Gold;
    Sequence seq;
    for (int f = 0; f < 60; ++f) {
        Canvas c(w, h);
        cairo_t* cr = c.Cr();
        const double px = 10 * k, rise = std::min(f, 51) / 51.0;
        const double top = (100 - 92 * rise) * k, bw = 58 * k, bh = 32 * k;
        const double phase = (f >= 52 ? (f - 52) * 1.25 : f * 0.35), amp = (f >= 52 ? 4.0 : 2.0) * k;
        cairo_move_to(cr, px, top);
        for (int i = 0; i <= 20; ++i) {
            const double t = i / 20.0;
            cairo_line_to(cr, px + t * bw, top + std::sin(t * 5 - phase) * amp * t);
        }
        for (int i = 20; i >= 0; --i) {
            const double t = i / 20.0;
            cairo_line_to(cr, px + t * bw - (i == 20 ? 6 * k : 0), top + bh + std::sin(t * 5 - phase) * amp * t);
        }
        cairo_close_path(cr);
        FillLinear(cr, px, 0, px + bw, 0, {{0.0, Lighten(cloth, 0.2)}, {0.5, cloth}, {1.0, Darken(cloth, 0.3)}});
        if (level == 7) {
            cairo_arc(cr, px + bw * 0.45, top + bh / 2 + std::sin(2.2 - phase) * amp * 0.45, 8 * k, 0, 2 * M_PI);
            SetSource(cr, trim);
            cairo_fill(cr);
        } else {
            cairo_rectangle(cr, px + 4 * k, top + bh * 0.42, bw - 12 * k, 5 * k);
            SetSource(cr, trim);
            cairo_fill(cr);
        }
        Pole(cr, px, 2 * k, px, h, 3 * k);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// ---- Flower: opens on 0..7, closes on 7..16 ----
Sequence Flower(ArtContext& ctx, int level) {
    const double k = Scale(ctx);
    const int w = S(40, k), h = S(44, k);
    const Rgba petal = level == 1 ? Hex(0xF0E0F0) : Hex(0xF4B0C8);
    Sequence seq;
    for (int f = 0; f < 16; ++f) {
        Canvas c(w, h);
        cairo_t* cr = c.Cr();
        const double open = f <= 7 ? f / 7.0 : (16 - f) / 9.0;
        const double cx = w / 2.0, cy = 16 * k;
        Pole(cr, cx, h, cx, cy, 1.6 * k);
        cairo_move_to(cr, cx, h - 8 * k);
        cairo_curve_to(cr, cx - 8 * k, h - 14 * k, cx - 12 * k, h - 10 * k, cx - 14 * k, h - 14 * k);
        cairo_curve_to(cr, cx - 8 * k, h - 6 * k, cx - 4 * k, h - 6 * k, cx, h - 6 * k);
        SetSource(cr, Hex(0x5A8A2A));
        cairo_fill(cr);
        const int petals = 6;
        for (int i = 0; i < petals; ++i) {
            const double a = -M_PI / 2 + (i - (petals - 1) / 2.0) * (0.25 + 0.9 * open);
            const double len = (7 + 6 * open) * k;
            cairo_save(cr);
            cairo_translate(cr, cx, cy);
            cairo_rotate(cr, a + M_PI / 2);
            EllipsePath(cr, 0, -len / 2, 3.5 * k * (0.6 + 0.4 * open), len / 2);
            cairo_restore(cr);
            FillRadial(cr, cx, cy, 0, len, {{0.0, Darken(petal, 0.2)}, {1.0, Lighten(petal, 0.15)}});
        }
        cairo_arc(cr, cx, cy, 2.5 * k * (0.5 + open), 0, 2 * M_PI);
        SetSource(cr, palette::Gold);
        cairo_fill(cr);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// Two wings of a butterfly at (x, y); flap 0 = open, 1 = closed.
void Butterfly(cairo_t* cr, double x, double y, double k, double flap, const Rgba& col) {
    const double span = (1 - 0.8 * flap) * 11 * k;
    for (int side : {-1, 1}) {
        EllipsePath(cr, x + side * span * 0.55, y - 2 * k, span * 0.55, 6 * k);
        FillRadial(cr, x, y, 0, 12 * k, {{0.0, Darken(col, 0.3)}, {0.7, col}, {1.0, Hex(0x2A1A0A)}});
        EllipsePath(cr, x + side * span * 0.4, y + 4 * k, span * 0.4, 4 * k);
        SetSource(cr, Darken(col, 0.15));
        cairo_fill(cr);
    }
    EllipsePath(cr, x, y, 1.3 * k, 6 * k);
    SetSource(cr, Hex(0x2A1A0A));
    cairo_fill(cr);
}

Sequence Butterflies(ArtContext& ctx, int level) {
    const double k = Scale(ctx);
    const int w = S(60, k), h = S(50, k);
    const Rgba col = level == 7 ? Hex(0xF0E070) : Hex(0xF09A30);
    Sequence seq;
    for (int f = 0; f < 33; ++f) {
        Canvas c(w, h);
        const double t = f / 33.0 * 2 * M_PI;
        Butterfly(c.Cr(), w / 2.0 + std::sin(t) * 16 * k, h / 2.0 + std::sin(2 * t) * 8 * k, k,
                  0.5 + 0.5 * std::sin(f * 2.1), col);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// ---- Scarab: heading follows the engine's fixed path for the layout ----
Sequence Bug(ArtContext& ctx, int) {
    const double k = Scale(ctx);
    const int s = S(30, k);
    // Headings (radians, 0 = right, -pi/2 = up): 11 frames along the first leg, 15 along the second, then 13 per diagonal leg.
    const bool wide = ctx.Wide();
    const double legs[3] = {0.0, wide ? std::atan2(50, -10) : -M_PI / 2, wide ? std::atan2(-18, -70) : std::atan2(-32.5, -40)};
    Sequence seq;
    for (int f = 0; f < 42; ++f) {
        const double heading = f < 11 ? legs[0] : (f < 27 ? legs[1] : legs[2]);
        Canvas c(s, s);
        cairo_t* cr = c.Cr();
        cairo_translate(cr, s / 2.0, s / 2.0);
        cairo_rotate(cr, heading + M_PI / 2);
        const double step = std::sin(f * 1.6) * 2 * k;
        cairo_set_line_width(cr, 1.4 * k);
        SetSource(cr, Hex(0x1A120A));
        for (int i = -1; i <= 1; ++i)
            for (int side : {-1, 1}) {
                cairo_move_to(cr, side * 3 * k, i * 4 * k);
                cairo_line_to(cr, side * 9 * k, i * 5 * k + (i == 0 ? -step : step) * side);
            }
        cairo_stroke(cr);
        EllipsePath(cr, 0, 2 * k, 6 * k, 8 * k);
        FillRadial(cr, -2 * k, -1 * k, 0, 9 * k, {{0.0, Hex(0x6AB08A)}, {0.5, Hex(0x1E5A4A)}, {1.0, Hex(0x0A1A14)}});
        EllipsePath(cr, 0, -7 * k, 4 * k, 3 * k);
        SetSource(cr, Hex(0x14302A));
        cairo_fill(cr);
        cairo_move_to(cr, 0, -5 * k);
        cairo_line_to(cr, 0, 9 * k);
        cairo_set_line_width(cr, 0.7 * k);
        SetSource(cr, Hex(0x000000, 0.6));
        cairo_stroke(cr);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// ---- Seagull: flight, glide, swoop, landing, sitting, hop and take-off by frame number ----
struct GullPose { double wing; bool legs; bool sit; };  // wing: +1 up, -1 down
GullPose GullAt(int f) {
    if (f < 10) return {std::sin(f / 10.0 * 2 * M_PI), false, false};
    if (f < 24) return {0.15, false, false};                                   // glide
    if (f < 32) return {0.7, false, false};                                    // swoop, wings raised
    if (f < 52) return {std::sin((f - 32) / 5.0 * 2 * M_PI) * 0.8, true, false};  // braking
    if (f < 54) return {0.9, true, false};                                     // touch-down
    if (f < 63) return {0, true, true};                                        // sitting (61, 62)
    if (f < 73) return {std::sin((f - 63) / 10.0 * 2 * M_PI), true, false};    // hop to the next post
    if (f < 81) return {0, true, true};
    if (f < 96) return {std::sin((f - 81) / 7.0 * 2 * M_PI), true, false};     // take-off
    return {std::sin((f - 96) / 9.0 * 2 * M_PI), false, false};
}

Sequence Seagull(ArtContext& ctx, int) {
    const double k = Scale(ctx);
    const int s = S(40, k);
    Sequence seq;
    for (int f = 0; f < 106; ++f) {
        const GullPose p = GullAt(f);
        Canvas c(s, s);
        cairo_t* cr = c.Cr();
        // Feet at (18, 38) x k: where the posts' tops meet the gull.
        const double fx = 18 * k, bodyY = p.sit ? 31 * k : 24 * k;
        if (p.legs) {
            cairo_move_to(cr, fx - 2 * k, bodyY + 2 * k);
            cairo_line_to(cr, fx - 2 * k, 38 * k);
            cairo_move_to(cr, fx + 2 * k, bodyY + 2 * k);
            cairo_line_to(cr, fx + 2 * k, 38 * k);
            cairo_set_line_width(cr, 1.2 * k);
            SetSource(cr, Hex(0xE0902A));
            cairo_stroke(cr);
        }
        EllipsePath(cr, fx, bodyY, 9 * k, 4.5 * k);
        FillLinear(cr, 0, bodyY - 5 * k, 0, bodyY + 5 * k, {{0.0, Hex(0xFFFFFF)}, {1.0, Hex(0xB8C0C8)}});
        cairo_arc(cr, fx + 9 * k, bodyY - 3 * k, 3.2 * k, 0, 2 * M_PI);
        SetSource(cr, Hex(0xFFFFFF));
        cairo_fill(cr);
        cairo_move_to(cr, fx + 12 * k, bodyY - 3.5 * k);
        cairo_line_to(cr, fx + 16 * k, bodyY - 2.5 * k);
        cairo_line_to(cr, fx + 12 * k, bodyY - 1.8 * k);
        SetSource(cr, Hex(0xF0B030));
        cairo_fill(cr);
        cairo_arc(cr, fx + 10 * k, bodyY - 4 * k, 0.8 * k, 0, 2 * M_PI);
        SetSource(cr, Hex(0x101010));
        cairo_fill(cr);
        // Wing: folded along the back when sitting, else a bent wing lifted by the pose.
        if (p.sit) {
            EllipsePath(cr, fx - 2 * k, bodyY - 1 * k, 8 * k, 2.8 * k);
            SetSource(cr, Hex(0x8A96A4));
            cairo_fill(cr);
        } else {
            const double tipY = bodyY - p.wing * 14 * k;
            cairo_move_to(cr, fx - 4 * k, bodyY - 1 * k);
            cairo_line_to(cr, fx - 8 * k, bodyY - p.wing * 8 * k - 2 * k);
            cairo_line_to(cr, fx - 16 * k, tipY);
            cairo_line_to(cr, fx - 6 * k, bodyY - p.wing * 5 * k + 1 * k);
            cairo_line_to(cr, fx + 3 * k, bodyY + 0.5 * k);
            cairo_close_path(cr);
            FillLinear(cr, fx - 16 * k, 0, fx, 0, {{0.0, Hex(0x303840)}, {0.3, Hex(0x9AA6B4)}, {1.0, Hex(0xD8DEE4)}});
        }
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// ---- Sea: surf, ship, fish, dolphin ----
Sequence Wave(ArtContext& ctx, int) {
    const double k = Scale(ctx);
    const int w = S(320, k), h = S(80, k);
    Canvas c(w, h);
    cairo_t* cr = c.Cr();
    ArtRandom r(ctx.SubSeed("surf"));
    for (int row = 0; row < 4; ++row) {
        const double y = (34 + row * 11) * k;
        cairo_move_to(cr, 0, y);
        for (int x = 0; x <= w; x += 6) cairo_line_to(cr, x, y + std::sin(x / (18.0 * k) + row) * 3 * k + r.Real(-1, 1) * k);
        cairo_set_line_width(cr, (3.5 - row * 0.6) * k);
        SetSource(cr, Hex(0xFFFFFF, 0.85 - row * 0.15));
        cairo_stroke(cr);
    }
    for (int i = 0; i < 90; ++i) {
        cairo_arc(cr, r.Real(0, w), r.Real(20, 70) * k, r.Real(0.6, 2.2) * k, 0, 2 * M_PI);
        SetSource(cr, Hex(0xFFFFFF, r.Real(0.4, 0.9)));
        cairo_fill(cr);
    }
    Blur(c, 0.6 * k);
    return Sequence(std::move(c));
}

Sequence Ship(ArtContext& ctx, int) {
    const double k = Scale(ctx);
    const int w = S(110, k), h = S(60, k);
    Sequence seq;
    for (int f = 0; f < 13; ++f) {
        Canvas c(w, h);
        cairo_t* cr = c.Cr();
        const double x = (40 - f * 2.5) * k, y = 44 * k + std::sin(f * 0.8) * 1.2 * k;
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + 60 * k, y);
        cairo_curve_to(cr, x + 56 * k, y + 8 * k, x + 48 * k, y + 10 * k, x + 40 * k, y + 10 * k);
        cairo_line_to(cr, x + 10 * k, y + 10 * k);
        cairo_curve_to(cr, x + 4 * k, y + 8 * k, x, y + 4 * k, x, y);
        FillVertical(cr, y, y + 10 * k, Hex(0x8A5A30), Hex(0x3A2210));
        Pole(cr, x + 30 * k, y, x + 30 * k, y - 40 * k, 1.8 * k);
        const double fill = 0.5 + 0.5 * std::min(1.0, f / 6.0);
        cairo_move_to(cr, x + 14 * k, y - 36 * k);
        cairo_curve_to(cr, x + 30 * k - 8 * fill * k, y - 24 * k, x + 30 * k - 8 * fill * k, y - 12 * k, x + 16 * k, y - 4 * k);
        cairo_line_to(cr, x + 46 * k, y - 4 * k);
        cairo_curve_to(cr, x + 46 * k + 8 * fill * k, y - 14 * k, x + 46 * k + 8 * fill * k, y - 26 * k, x + 44 * k, y - 36 * k);
        cairo_close_path(cr);
        FillLinear(cr, x + 14 * k, 0, x + 50 * k, 0, {{0.0, Hex(0xFFF4E0)}, {1.0, Hex(0xC8B498)}});
        cairo_rectangle(cr, x + 16 * k, y - 22 * k, 30 * k, 5 * k);
        SetSource(cr, Hex(0xB8402A, 0.8));
        cairo_fill(cr);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// A leaping body along an arc: t 0..1 through the jump; returns false when under water.
void Leaper(cairo_t* cr, double w, double h, double k, double t, double len, const Rgba& top, const Rgba& belly) {
    const double x = w * (0.15 + 0.7 * t), y = h - 8 * k - std::sin(t * M_PI) * (h - 22 * k);
    const double angle = -std::cos(t * M_PI) * 0.9;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, -angle);
    cairo_move_to(cr, len / 2, 0);
    cairo_curve_to(cr, len * 0.3, -len * 0.22, -len * 0.3, -len * 0.18, -len / 2, 0);
    cairo_line_to(cr, -len * 0.62, -len * 0.14);
    cairo_line_to(cr, -len * 0.62, len * 0.14);
    cairo_line_to(cr, -len / 2, 0);
    cairo_curve_to(cr, -len * 0.3, len * 0.16, len * 0.3, len * 0.2, len / 2, 0);
    cairo_close_path(cr);
    FillLinear(cr, 0, -len * 0.2, 0, len * 0.2, {{0.0, top}, {1.0, belly}});
    cairo_restore(cr);
}

void Splash(cairo_t* cr, double x, double y, double k, double size) {
    for (int i = -3; i <= 3; ++i) {
        cairo_arc(cr, x + i * 3 * k, y - std::abs(3 - std::abs(i)) * size * k, 1.4 * k, 0, 2 * M_PI);
        SetSource(cr, Hex(0xFFFFFF, 0.9));
        cairo_fill(cr);
    }
}

Sequence Fish(ArtContext& ctx, int) {
    const double k = Scale(ctx);
    const int w = S(50, k), h = S(70, k);
    Sequence seq;
    for (int f = 0; f < 24; ++f) {
        Canvas c(w, h);
        const double t = (f - 3) / 17.0;
        if (t >= 0 && t <= 1) Leaper(c.Cr(), w, h, k, t, 14 * k, Hex(0x5A7A9A), Hex(0xE0E8F0));
        if (f >= 2 && f <= 5) Splash(c.Cr(), w * 0.2, h - 4 * k, k, 1.5);
        if (f >= 19 && f <= 23) Splash(c.Cr(), w * 0.82, h - 4 * k, k, 1.5);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

Sequence Dolphin(ArtContext& ctx, int) {
    const double k = Scale(ctx);
    const int w = S(70, k), h = S(50, k);
    Sequence seq;
    for (int f = 0; f < 19; ++f) {
        Canvas c(w, h);
        const double t = (f - 1) / 15.0;
        if (t >= 0 && t <= 1) Leaper(c.Cr(), w, h, k, t, 26 * k, Hex(0x4A5A6A), Hex(0xC8D0D8));
        if (f <= 3) Splash(c.Cr(), w * 0.18, h - 4 * k, k, 2);
        if (f >= 15) Splash(c.Cr(), w * 0.85, h - 4 * k, k, 2);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// ---- Teotihuacan: the gik, eyes in the forest, a snake ----
Sequence Gik(ArtContext& ctx, int) {
    const double k = Scale(ctx);
    const int w = S(40, k), h = S(36, k);
    Sequence seq;
    for (int f = 0; f < 70; ++f) {
        Canvas c(w, h);
        cairo_t* cr = c.Cr();
        const bool walking = f < 22 || f >= 48;
        const double bob = walking ? std::abs(std::sin(f * 0.9)) * 2 * k : 0;
        const double look = (f >= 22 && f < 40) ? std::sin((f - 22) / 18.0 * 2 * M_PI) : 0;   // looks about
        const double crouch = (f >= 40 && f < 48) ? 3 * k : 0;
        const double bx = w * 0.45, by = h - 12 * k - bob + crouch;
        // Tail, legs, body, head.
        cairo_move_to(cr, bx - 10 * k, by);
        cairo_curve_to(cr, bx - 18 * k, by - 2 * k, bx - 18 * k, by - 14 * k, bx - 12 * k, by - 16 * k);
        cairo_set_line_width(cr, 3 * k);
        SetSource(cr, Hex(0x6A4A2A));
        cairo_stroke(cr);
        for (int i = 0; i < 2; ++i) {
            const double sw = walking ? std::sin(f * 0.9 + i * M_PI) * 4 * k : 0;
            cairo_move_to(cr, bx - 5 * k + i * 10 * k, by + 3 * k);
            cairo_line_to(cr, bx - 5 * k + i * 10 * k + sw, h - 2 * k);
            cairo_set_line_width(cr, 2.5 * k);
            SetSource(cr, Hex(0x4A301A));
            cairo_stroke(cr);
        }
        EllipsePath(cr, bx, by, 11 * k, 7 * k);
        FillRadial(cr, bx - 3 * k, by - 3 * k, 0, 12 * k, {{0.0, Hex(0xC89A5A)}, {1.0, Hex(0x6A4424)}});
        const double hx = bx + 11 * k + look * 2 * k, hy = by - 6 * k;
        cairo_arc(cr, hx, hy, 6 * k, 0, 2 * M_PI);
        FillRadial(cr, hx - 2 * k, hy - 2 * k, 0, 7 * k, {{0.0, Hex(0xD8AA6A)}, {1.0, Hex(0x7A5230)}});
        cairo_arc(cr, hx + 2 * k + look * 1.5 * k, hy - 1 * k, 2 * k, 0, 2 * M_PI);
        SetSource(cr, Hex(0xFFFFFF));
        cairo_fill(cr);
        cairo_arc(cr, hx + 2.6 * k + look * 2 * k, hy - 1 * k, 1 * k, 0, 2 * M_PI);
        SetSource(cr, Hex(0x101010));
        cairo_fill(cr);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

Sequence Eyes(ArtContext& ctx, int) {
    const double k = Scale(ctx);
    const int w = S(40, k), h = S(20, k);
    Sequence seq;
    for (int f = 0; f < 45; ++f) {
        Canvas c(w, h);
        cairo_t* cr = c.Cr();
        const int b = f % 15;
        const double open = (f >= 4 && f < 40) ? (b == 7 || b == 8 ? 0.15 : 1.0) : (f < 4 ? f / 4.0 : (45 - f) / 5.0);
        for (double ex : {12.0, 28.0}) {
            EllipsePath(cr, ex * k, h / 2.0, 4.5 * k, std::max(0.3, 3.5 * open) * k);
            FillRadial(cr, ex * k, h / 2.0, 0, 5 * k, {{0.0, Hex(0xFFF070)}, {1.0, Hex(0xC88010)}});
            EllipsePath(cr, ex * k, h / 2.0, 1.0 * k, std::max(0.2, 3.0 * open) * k);
            SetSource(cr, Hex(0x100800));
            cairo_fill(cr);
        }
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

Sequence Snake(ArtContext& ctx, int) {
    const double k = Scale(ctx);
    const int w = S(60, k), h = S(30, k);
    Sequence seq;
    for (int f = 0; f < 22; ++f) {
        Canvas c(w, h);
        cairo_t* cr = c.Cr();
        const double ph = f / 22.0 * 2 * M_PI, shift = f * 0.8 * k;
        cairo_move_to(cr, 4 * k + shift, h / 2.0);
        for (int i = 1; i <= 20; ++i) {
            const double x = 4 * k + shift + i * 2.2 * k;
            cairo_line_to(cr, x, h / 2.0 + std::sin(i * 0.55 - ph * 2) * 5 * k);
        }
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, 4.5 * k);
        SetSource(cr, Hex(0x4A6A2A));
        cairo_stroke_preserve(cr);
        cairo_set_line_width(cr, 1.6 * k);
        SetSource(cr, Hex(0xC8B040));
        cairo_stroke(cr);
        const double hx = 4 * k + shift + 46 * k, hy = h / 2.0 + std::sin(20 * 0.55 - ph * 2) * 5 * k;
        EllipsePath(cr, hx, hy, 4 * k, 3 * k);
        SetSource(cr, Hex(0x3A5A22));
        cairo_fill(cr);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// ---- Dust clouds (dithered into the GIF's colour key) ----
Sequence Dust(ArtContext& ctx, int frames, double w0, double h0) {
    const double k = Scale(ctx);
    const int w = S(w0, k), h = S(h0, k);
    ArtRandom r(ctx.SubSeed("puffs"));
    struct Puff { double x, y, r, v; };
    std::vector<Puff> puffs;
    for (int i = 0; i < 14; ++i) puffs.push_back({r.Real(0, 1), r.Real(0.35, 0.75), r.Real(0.08, 0.2), r.Real(0.6, 1.4)});
    Sequence seq;
    for (int f = 0; f < frames; ++f) {
        Canvas c(w, h);
        cairo_t* cr = c.Cr();
        const double t = f / double(frames);
        for (const Puff& p : puffs) {
            const double x = std::fmod(p.x + t * p.v, 1.0) * w, rad = p.r * h * (1 + 0.5 * std::sin(t * 6.28 + p.v));
            const double fade = std::sin(std::fmod(p.x + t * p.v, 1.0) * M_PI);
            cairo_arc(cr, x, p.y * h, rad, 0, 2 * M_PI);
            FillRadial(cr, x, p.y * h, 0, rad, {{0.0, Hex(0xE8D0A8, 0.55 * fade)}, {1.0, Hex(0xE8D0A8, 0)}});
        }
        DitherAlpha(c);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// ---- Sky lights: meteor, moon, stars, starlight, lightning ----
Sequence FallingStar(ArtContext& ctx, int) {
    const double k = Scale(ctx);
    const int w = S(120, k), h = S(60, k);
    Sequence seq;
    for (int f = 0; f < 16; ++f) {
        Canvas c(w, h);
        cairo_t* cr = c.Cr();
        const double t = f / 15.0, x = (10 + 100 * t) * k, y = (8 + 44 * t) * k, tail = 30 * k * std::sin(t * M_PI) + 4 * k;
        const double fade = std::sin(std::min(1.0, t * 1.2) * M_PI);
        cairo_move_to(cr, x - tail, y - tail * 0.44);
        cairo_line_to(cr, x, y);
        cairo_set_line_width(cr, 2 * k);
        cairo_pattern_t* p = LinearGradient(x - tail, y - tail * 0.44, x, y, {{0.0, Hex(0xFFE8B0, 0)}, {1.0, Hex(0xFFFFF0, fade)}});
        cairo_set_source(cr, p);
        cairo_stroke(cr);
        cairo_pattern_destroy(p);
        cairo_arc(cr, x, y, 2 * k, 0, 2 * M_PI);
        SetSource(cr, Hex(0xFFFFFF, fade));
        cairo_fill(cr);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

Sequence Moon(ArtContext& ctx, int) {
    const double k = Scale(ctx);
    const int s = S(70, k);
    Sequence seq;
    for (int f = 0; f < 13; ++f) {
        Canvas c(s, s);
        cairo_t* cr = c.Cr();
        cairo_arc(cr, s / 2.0, s / 2.0, 24 * k, 0, 2 * M_PI);
        FillRadial(cr, s * 0.42, s * 0.42, 2, 26 * k, {{0.0, Hex(0xFFFBE8)}, {0.7, Hex(0xF0E0B0)}, {1.0, Hex(0xC8B080)}});
        for (int i = 0; i < 5; ++i) {
            cairo_arc(cr, s * (0.35 + 0.07 * i), s * (0.4 + 0.05 * ((i * 3) % 4)), (3 + i % 3) * k, 0, 2 * M_PI);
            SetSource(cr, Hex(0xB8A070, 0.35));
            cairo_fill(cr);
        }
        // A thin cloud drifting across.
        const double cx = (-20 + f * 9) * k;
        EllipsePath(cr, cx, s * 0.62, 22 * k, 4 * k);
        SetSource(cr, Hex(0x4A5478, 0.85));
        cairo_fill(cr);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

void Glint(cairo_t* cr, double x, double y, double r, double a) {
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    FillRadial(cr, x, y, 0, r, {{0.0, Hex(0xFFFFF0, a)}, {0.4, Hex(0xC0D8FF, a * 0.6)}, {1.0, Hex(0x000000, 0)}});
    cairo_move_to(cr, x - r * 1.6, y);
    cairo_line_to(cr, x + r * 1.6, y);
    cairo_move_to(cr, x, y - r * 1.6);
    cairo_line_to(cr, x, y + r * 1.6);
    cairo_set_line_width(cr, 0.8);
    SetSource(cr, Hex(0xFFFFFF, a * 0.8));
    cairo_stroke(cr);
}

Sequence Stars(ArtContext& ctx, int) {
    const double k = Scale(ctx);
    const int w = S(160, k), h = S(100, k);
    ArtRandom r(ctx.SubSeed("stars"));
    std::vector<std::array<double, 3>> stars;
    for (int i = 0; i < 14; ++i) stars.push_back({r.Real(6, w - 6), r.Real(6, h - 6), r.Real(0, 2 * M_PI)});
    Sequence seq;
    for (int f = 0; f < 30; ++f) {
        Canvas c(w, h);
        for (const auto& s : stars) Glint(c.Cr(), s[0], s[1], 2.5 * k, 0.5 + 0.5 * std::sin(f / 30.0 * 2 * M_PI * 2 + s[2]));
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

Sequence BigStar(ArtContext& ctx, int) {
    const double k = Scale(ctx);
    const int s = S(40, k);
    Sequence seq;
    for (int f = 0; f < 30; ++f) {
        Canvas c(s, s);
        const double a = std::sin(f / 29.0 * M_PI);
        Glint(c.Cr(), s / 2.0, s / 2.0, (4 + 6 * a) * k, a);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

Sequence StarShine(ArtContext& ctx, int) {
    const double k = Scale(ctx);
    const int w = S(200, k), h = S(60, k);
    ArtRandom r(ctx.SubSeed("shine"));
    std::vector<std::array<double, 3>> g;
    for (int i = 0; i < 26; ++i) g.push_back({r.Real(4, w - 4), r.Real(4, h - 4), r.Real(0, 2 * M_PI)});
    Sequence seq;
    for (int f = 0; f < 45; ++f) {
        Canvas c(w, h);
        cairo_t* cr = c.Cr();
        for (const auto& p : g) {
            const double a = std::max(0.0, std::sin(f / 45.0 * 2 * M_PI * 3 + p[2]));
            cairo_move_to(cr, p[0] - 6 * k, p[1]);
            cairo_line_to(cr, p[0] + 6 * k, p[1]);
            cairo_set_line_width(cr, 1.5 * k);
            SetSource(cr, Hex(0xD8E8FF, a * 0.9));
            cairo_stroke(cr);
        }
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

Sequence Bolt(ArtContext& ctx, int) {
    const double k = Scale(ctx);
    const int w = S(120, k), h = S(200, k);
    ArtRandom r(ctx.SubSeed("bolt"));
    std::vector<std::pair<double, double>> pts{{w * 0.5, 0}};
    while (pts.back().second < h - 10 * k)
        pts.push_back({std::clamp(pts.back().first + r.Real(-14, 14) * k, 10 * k, w - 10 * k), pts.back().second + r.Real(10, 22) * k});
    Sequence seq;
    for (int f = 0; f < 9; ++f) {
        Canvas c(w, h);
        cairo_t* cr = c.Cr();
        const double a = f < 2 ? 1.0 : (f < 4 ? 0.35 : (f == 4 ? 0.9 : std::max(0.0, 1.0 - (f - 4) / 4.0)));
        const size_t shown = std::min(pts.size(), static_cast<size_t>((f + 1) * pts.size() / 2));
        for (int pass = 0; pass < 2; ++pass) {
            cairo_move_to(cr, pts[0].first, pts[0].second);
            for (size_t i = 1; i < shown; ++i) cairo_line_to(cr, pts[i].first, pts[i].second);
            cairo_set_line_width(cr, (pass == 0 ? 7 : 2) * k);
            SetSource(cr, pass == 0 ? Hex(0x8090FF, a * 0.5) : Hex(0xFFFFFF, a));
            cairo_stroke(cr);
        }
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// The river: a full-width band of ripples, one image per frame (animated GIF).
Sequence River(ArtContext& ctx, int) {
    const double k = Scale(ctx);
    const int w = ctx.GameWidth(), h = S(60, k);
    ArtRandom r(ctx.SubSeed("river"));
    std::vector<std::array<double, 3>> ripples;
    for (int i = 0; i < 160; ++i) ripples.push_back({r.Real(0, w), r.Real(4, h - 4), r.Real(6, 22) * k});
    Sequence seq;
    for (int f = 0; f < 8; ++f) {
        Canvas c(w, h);
        cairo_t* cr = c.Cr();
        cairo_rectangle(cr, 0, 0, w, h);
        FillVertical(cr, 0, h, Hex(0x5A7A8A), Hex(0x2A4A5A));
        for (const auto& p : ripples) {
            const double x = std::fmod(p[0] + f * 4 * k, w);
            cairo_move_to(cr, x - p[2] / 2, p[1]);
            cairo_line_to(cr, x + p[2] / 2, p[1]);
            cairo_set_line_width(cr, 1.2 * k);
            SetSource(cr, Hex(0xF0E0C0, 0.35 + 0.25 * std::sin(f * 0.8 + p[0])));
            cairo_stroke(cr);
        }
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

struct SourceKind {
    const char* File;
    std::function<Sequence(ArtContext&, int)> Draw;
    WriteOptions Options;
    double Cost;
};

const std::map<std::string, SourceKind>& Kinds() {
    static const std::map<std::string, SourceKind> kinds = {
        {"flags", {"flags.60.jpg", Flags, WriteOptions{.JpegQuality = 92, .AlphaCompanion = true}, 2.0}},
        {"flower", {"flower.16.gif", Flower, {}, 0.5}},
        {"butterfly", {"butterfly.33.gif", Butterflies, {}, 0.5}},
        {"bug", {"bug.42.gif", Bug, {}, 0.5}},
        {"seagull", {"seagull.106.gif", Seagull, {}, 1.0}},
        {"wave", {"wave.png", Wave, {}, 0.5}},
        {"ship", {"ship.13.gif", Ship, {}, 0.5}},
        {"fish", {"fish.24.png", Fish, {}, 0.5}},
        {"dolphin", {"dolphin.19.gif", Dolphin, {}, 0.5}},
        {"gik", {"gik.70.gif", Gik, {}, 0.8}},
        {"eyes", {"eyes.45.gif", Eyes, {}, 0.5}},
        {"snake", {"snake.22.gif", Snake, {}, 0.5}},
        {"dust", {"dust.30.gif", [](ArtContext& c, int) { return Dust(c, 30, 160, 60); }, {}, 1.0}},
        {"dust2", {"dust2.51.gif", [](ArtContext& c, int) { return Dust(c, 51, 200, 80); }, {}, 1.5}},
        {"fallingstar", {"fallingstar.16.gif", FallingStar, {}, 0.5}},
        {"moon", {"moon.13.gif", Moon, {}, 0.5}},
        {"star", {"star.30.gif", Stars, {}, 0.5}},
        {"bstar", {"bstar.30.gif", BigStar, {}, 0.5}},
        {"starshine", {"starshine.45.gif", StarShine, {}, 0.5}},
        {"bolt", {"bolt.9.gif", Bolt, {}, 0.5}},
        {"waterani01", {"waterani01.gif", River, WriteOptions{.GifMultiImage = true}, 1.5}},
    };
    return kinds;
}

}  // namespace
}  // namespace vantero::art::levels

ARTGEN_MODULE(ambient) {
    using namespace vantero::art;
    using namespace vantero::art::levels;
    const std::string dataDir = ARTGEN_DATA_DIR;
    for (int level = 1; level <= LevelCount; ++level) {
        std::set<std::string> sources;
        for (Layout l : AllLayouts)
            for (const AnimPlacement& a : LevelAnimations(dataDir, level, l)) sources.insert(a.Src);
        for (const std::string& src : sources) {
            const auto it = Kinds().find(src);
            if (it == Kinds().end()) {
                std::fprintf(stderr, "artgen: no drawing for the backdrop animation \"%s\" of level %d\n", src.c_str(), level);
                continue;
            }
            const SourceKind& kind = it->second;
            reg.Add("base/<R>/" + LevelFolder(level) + "/" + kind.File,
                    [level, draw = kind.Draw](ArtContext& ctx) {
                        Sequence seq = draw(ctx, level);
                        PreviewStrip(seq, ctx.OutputPath());
                        return seq;
                    },
                    kind.Options, kind.Cost);
        }
    }
}
