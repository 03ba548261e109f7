// Game-screen pieces that carry no words and fit every layout: sparkles, time-bar bubbles, the
// life amulet and its number seals, the dust of a removed gem, the progress figure of the
// parchment and the message scroll.
#include "ArtJobs.h"
#include "ArtText.h"
#include "ArtboardKit.h"

#include <cmath>
#include <string>
#include <vector>

namespace vantero::art {
namespace {

using namespace kit;

// ---- Sparkles (additive) ----

// meblink01: a four-pointed star that flares, turns and fades; meblink02: a six-rayed burst with
// a ring of light.
Sequence Sparkle(int kind) {
    Sequence seq;
    const int n = 48;
    const double c0 = n / 2.0;
    for (int f = 0; f < 12; ++f) {
        const double t = f / 11.0;
        const double e = std::sin(Pi * (f + 0.5) / 12.0);
        Canvas light(n, n);
        cairo_t* cr = light.Cr();
        if (kind == 1) {
            GlowDisc(cr, c0, c0, n * 0.32 * e, Hex(0xFFE8A0), 0.7 * e);
            Twinkle(cr, c0, c0, n * 0.48 * e, t * Pi / 2, Hex(0xFFF0C0), 1.0);
            Twinkle(cr, c0, c0, n * 0.26 * e, Pi / 4 + t * Pi / 2, Hex(0xFFFFFF), 0.7);
        } else {
            GlowDisc(cr, c0, c0, n * 0.3 * e, Hex(0xC8E8FF), 0.6 * e);
            for (int i = 0; i < 3; ++i) Twinkle(cr, c0, c0, n * 0.44 * e, i * Pi / 3 - t * 0.8, Hex(0xE8F4FF), 0.9);
            cairo_arc(cr, c0, c0, n * (0.12 + 0.3 * t), 0, 2 * Pi);
            cairo_set_line_width(cr, 1.6);
            SetSource(cr, Hex(0xFFFFFF, 0.7 * e * (1 - t)));
            cairo_stroke(cr);
        }
        seq.Frames.push_back(ToAdditive(light));
    }
    return seq;
}

// ---- Time-bar bubbles ----

Canvas Bubble(int size) {
    const int n = 2 + 2 * size;   // 4, 6, 8
    Canvas c(n, n);
    cairo_t* cr = c.Cr();
    const double r = n / 2.0 - 0.3;
    cairo_arc(cr, n / 2.0, n / 2.0, r, 0, 2 * Pi);
    FillRadial(cr, n / 2.0 + r * 0.2, n / 2.0 + r * 0.2, 0, r, {{0.0, Hex(0xFFFFFF, 0.12)}, {0.75, Hex(0xFFFFFF, 0.35)}, {1.0, Hex(0xFFFFFF, 0.85)}});
    cairo_arc(cr, n / 2.0 - r * 0.35, n / 2.0 - r * 0.35, std::max(0.6, r * 0.3), 0, 2 * Pi);
    SetSource(cr, Hex(0xFFFFFF, 0.95));
    cairo_fill(cr);
    return c;
}

// ---- Lives ----

constexpr int LifeSize = 42;   // fits inside the level's 70 x 70 indicator frame, 14 px in

// The amulet of life (an ankh) in gold on its own; `sweep` places a glint band (-1 = none).
Canvas Ankh(double sweep) {
    const int n = LifeSize;
    Canvas shape(n, n);
    cairo_t* sc = shape.Cr();
    const double cx = n * 0.43;
    // Loop.
    cairo_save(sc);
    cairo_translate(sc, cx, n * 0.25);
    cairo_scale(sc, n * 0.15, n * 0.2);
    cairo_arc(sc, 0, 0, 1, 0, 2 * Pi);
    cairo_restore(sc);
    cairo_save(sc);
    cairo_translate(sc, cx, n * 0.27);
    cairo_scale(sc, n * 0.07, n * 0.11);
    cairo_arc_negative(sc, 0, 0, 1, 2 * Pi, 0);
    cairo_restore(sc);
    cairo_set_fill_rule(sc, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_set_source_rgb(sc, 1, 1, 1);
    cairo_fill(sc);
    cairo_set_fill_rule(sc, CAIRO_FILL_RULE_WINDING);
    // Arms, flaring outwards.
    const double ay = n * 0.47;
    cairo_move_to(sc, cx - n * 0.06, ay - n * 0.045);
    cairo_line_to(sc, cx - n * 0.33, ay - n * 0.09);
    cairo_line_to(sc, cx - n * 0.33, ay + n * 0.09);
    cairo_line_to(sc, cx - n * 0.06, ay + n * 0.045);
    cairo_line_to(sc, cx + n * 0.06, ay + n * 0.045);
    cairo_line_to(sc, cx + n * 0.33, ay + n * 0.09);
    cairo_line_to(sc, cx + n * 0.33, ay - n * 0.09);
    cairo_line_to(sc, cx + n * 0.06, ay - n * 0.045);
    cairo_close_path(sc);
    cairo_fill(sc);
    // Stem, widening to its foot.
    cairo_move_to(sc, cx - n * 0.055, ay);
    cairo_line_to(sc, cx - n * 0.13, n * 0.93);
    cairo_line_to(sc, cx + n * 0.13, n * 0.93);
    cairo_line_to(sc, cx + n * 0.055, ay);
    cairo_close_path(sc);
    cairo_fill(sc);
    Canvas gold(n, n);
    PaintLinear(gold, 0, 0, n * 0.7, n, {{0.0, Hex(0xFFF6C0)}, {0.35, Hex(0xF6C840)}, {0.7, Hex(0xC88A1C)}, {1.0, Hex(0x7A4A0A)}});
    Canvas c = MaskWith(gold, shape);
    Bevel(c, 2.0, 1.3);
    if (sweep > -1) {
        Canvas band(n, n);
        cairo_t* bc = band.Cr();
        const double x = -n * 0.4 + sweep * n * 1.8;
        cairo_move_to(bc, x, 0);
        cairo_line_to(bc, x + n * 0.22, 0);
        cairo_line_to(bc, x + n * 0.22 - n * 0.5, n);
        cairo_line_to(bc, x - n * 0.5, n);
        cairo_close_path(bc);
        SetSource(bc, Hex(0xFFFFF0, 0.8));
        cairo_fill(bc);
        ClipTo(band, shape);
        c.Paint(band, 0, 0);
    }
    // A turquoise inlay at the crossing.
    cairo_t* cr = c.Cr();
    cairo_arc(cr, cx, ay, n * 0.045, 0, 2 * Pi);
    FillRadial(cr, cx - 0.5, ay - 0.5, 0, n * 0.05, {{0.0, Hex(0xB8FFF4)}, {1.0, Hex(0x0A7A78)}});
    Canvas out(n, n);
    DropShadow(out, shape, 0, 0, 1, 1.5, 1.5, Hex(0x1A0A02, 0.6));
    out.Paint(c, 0, 0);
    // Thin dark edge so the amulet reads on a bright frame.
    Canvas edge = shape.Clone();
    Tint(edge, Hex(0x3A2006), 1.0);
    Canvas ring(n, n);
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (dx || dy) ring.Paint(edge, dx, dy, 0.7);
    ring.Paint(shape, 0, 0, 1.0, CAIRO_OPERATOR_DEST_OUT);
    out.Paint(ring, 0, 0);
    CutAlpha(out, 12);
    return out;
}

// The life icon: rests on frame 0; when a life changes it hops, sways and a glint runs over it.
Sequence LifeIcon() {
    Sequence seq;
    const int n = LifeSize;
    const Canvas still = Ankh(-2);
    for (int f = 0; f < 36; ++f) {
        const double t = f / 35.0;
        Canvas c(n, n);
        if (f == 0 || f == 35) {
            c.Paint(still, 0, 0);
        } else {
            const double hop = std::sin(Pi * t) * (1 - 0.3 * t);
            const double s = 1 + 0.16 * hop;
            const double a = 0.18 * std::sin(2 * Pi * 2 * t) * (1 - t);
            const Canvas frame = Ankh(Clamp01((t - 0.15) / 0.6) * 1.2 - 0.1);
            Canvas scaled(n, n);
            scaled.PaintScaled(frame, n / 2.0 * (1 - s), n * (1 - s) - hop * 2, s, s);
            c.PaintRotated(scaled, n / 2.0, n / 2.0, a);
        }
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// The number of lives: a red wax-like seal with a gilded numeral at the lower right of the amulet.
Canvas LifeSeal(int lives, double scale, double alpha, double angle) {
    const int n = LifeSize;
    Canvas c(n, n);
    if (scale <= 0.02 || alpha <= 0.01) return c;
    const double r = 9.5;
    const int m = 24;
    Canvas seal(m, m);
    cairo_t* cr = seal.Cr();
    // Scalloped rim.
    for (int i = 0; i < 24; ++i) {
        const double a = 2 * Pi * i / 24;
        const double rr = r + (i % 2 ? 0.0 : 1.1);
        if (i == 0) cairo_move_to(cr, m / 2.0 + std::cos(a) * rr, m / 2.0 + std::sin(a) * rr);
        else cairo_line_to(cr, m / 2.0 + std::cos(a) * rr, m / 2.0 + std::sin(a) * rr);
    }
    cairo_close_path(cr);
    FillRadial(cr, m / 2.0 - 3, m / 2.0 - 3, 0, r * 1.5, {{0.0, Hex(0xE8504A)}, {0.6, Hex(0xA8201C)}, {1.0, Hex(0x5A0A08)}});
    cairo_arc(cr, m / 2.0, m / 2.0, r - 2.2, 0, 2 * Pi);
    cairo_set_line_width(cr, 0.9);
    SetSource(cr, Hex(0xFFC0A0, 0.45));
    cairo_stroke(cr);
    TextStyle t;
    t.Family = fonts::Title;
    t.Bold = true;
    t.Size = 17;
    t.FillTop = Hex(0xFFFBE0);
    t.FillBottom = Hex(0xF2C050);
    t.OutlineWidth = 1.2;
    t.Outline = Hex(0x3A0804);
    DrawTextInBox(seal, std::to_string(lives), t, 2, 1, m - 4, m - 2);
    Canvas shadowed(m + 4, m + 4);
    DropShadow(shadowed, seal, 2, 2, 0.8, 1.2, 1.2, Hex(0x1A0602, 0.6));
    shadowed.Paint(seal, 2, 2);
    // Placed at the lower right of the icon, scaled and turned about its own centre.
    const double cx = n - (m + 4) / 2.0, cy = n - (m + 4) / 2.0;
    Canvas scaled(m + 4, m + 4);
    scaled.PaintScaled(shadowed, (m + 4) / 2.0 * (1 - scale), (m + 4) / 2.0 * (1 - scale), scale, scale, alpha);
    c.PaintRotated(scaled, cx, cy, angle);
    CutAlpha(c, 8);
    return c;
}

Sequence LifeNumber(int lives, bool appear) {
    Sequence seq;
    for (int f = 0; f < 18; ++f) {
        const double t = f / 17.0;
        if (appear) seq.Frames.push_back(LifeSeal(lives, EaseBack(t), Clamp01(t * 3), (1 - t) * -0.8));
        else seq.Frames.push_back(LifeSeal(lives, 1 - EaseIn(t), 1 - EaseIn(t), t * 0.9));
    }
    return seq;
}

// ---- Dust of a removed gem ----

Sequence Dust(uint32_t seed) {
    Sequence seq;
    const int n = 40;
    ArtRandom r(seed);
    struct Puff { double a, d, s, shade; };
    std::vector<Puff> puffs;
    for (int i = 0; i < 7; ++i) puffs.push_back({r.Real(0, 2 * Pi), r.Real(0.2, 1.0), r.Real(0.7, 1.2), r.Real(-0.1, 0.1)});
    for (int f = 0; f < 12; ++f) {
        const double t = f / 11.0;
        Canvas c(n, n);
        cairo_t* cr = c.Cr();
        for (const Puff& p : puffs) {
            const double d = n * 0.26 * p.d * EaseOut(t) + 2;
            const double x = n / 2.0 + std::cos(p.a) * d, y = n / 2.0 + std::sin(p.a) * d - t * 3;
            const double rr = n * (0.14 + 0.18 * EaseOut(t)) * p.s;
            const Rgba col = Mix(Hex(0xE0C490), Hex(0x9A7850), 0.45 + p.shade + 0.3 * t);
            cairo_arc(cr, x, y, rr, 0, 2 * Pi);
            FillRadial(cr, x - rr * 0.2, y - rr * 0.2, 0, rr, {{0.0, WithAlpha(Lighten(col, 0.15), 0.95 * (1 - 0.8 * t))}, {0.6, WithAlpha(col, 0.7 * (1 - 0.8 * t))}, {1.0, WithAlpha(col, 0)}});
        }
        NoiseShade(c, ValueNoise(seed ^ 0xD057), 5, 0.25, 2);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// ---- Progress figure on the parchment ----

// Frame k: k of the seven sublevels built — the percentage in ink above seven gem sockets.
Sequence Percents() {
    Sequence seq;
    const int w = 200, h = 52;
    for (int k = 0; k <= 7; ++k) {
        Canvas c(w, h);
        cairo_t* cr = c.Cr();
        TextStyle t;
        t.Family = fonts::Title;
        t.Bold = true;
        t.Size = 27;
        t.FillTop = Hex(0x5A2C10);
        t.FillBottom = Hex(0x2A1206);
        t.ShadowDy = 1;
        t.ShadowBlur = 0.8;
        t.Shadow = Hex(0xFFF4D8, 0.7);
        const int pct = static_cast<int>(std::lround(100.0 * k / 7));
        DrawTextCentred(c, std::to_string(pct) + "%", t, w / 2.0, 26);
        for (int i = 0; i < 7; ++i) {
            const double x = w / 2.0 + (i - 3) * 22, y = 40;
            const bool done = i < k;
            cairo_move_to(cr, x, y - 7);
            cairo_line_to(cr, x + 7, y);
            cairo_line_to(cr, x, y + 7);
            cairo_line_to(cr, x - 7, y);
            cairo_close_path(cr);
            if (done) FillLinear(cr, x - 7, y - 7, x + 7, y + 7, {{0.0, Hex(0xFFF0A0)}, {0.5, Hex(0xE8A820)}, {1.0, Hex(0x8A5208)}});
            else {
                SetSource(cr, Hex(0x8A6A40, 0.25));
                cairo_fill_preserve(cr);
                cairo_set_line_width(cr, 1.2);
                SetSource(cr, Hex(0x5A3A1C, 0.7));
                cairo_stroke(cr);
            }
            if (done) {
                cairo_move_to(cr, x, y - 7);
                cairo_line_to(cr, x + 7, y);
                cairo_line_to(cr, x, y + 7);
                cairo_line_to(cr, x - 7, y);
                cairo_close_path(cr);
                cairo_set_line_width(cr, 1.0);
                SetSource(cr, Hex(0x4A2A08, 0.9));
                cairo_stroke(cr);
            }
        }
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// ---- The message scroll ----

constexpr int RollW = 260, RollH = 120;

// A roll of parchment round a rod with gilded knobs, centred on x; thick = the roll's diameter.
void Roller(cairo_t* cr, double x, double thick) {
    RoundRectPath(cr, x - thick / 2, 7, thick, RollH - 14, thick / 2);
    FillLinear(cr, x - thick / 2, 0, x + thick / 2, 0, {{0.0, Hex(0xC8AC78)}, {0.3, Hex(0xFAEED0)}, {0.7, Hex(0xE0C898)}, {1.0, Hex(0x8A6A3C)}});
    RoundRectPath(cr, x - thick / 2, 7, thick, RollH - 14, thick / 2);
    cairo_set_line_width(cr, 1.0);
    SetSource(cr, Hex(0x4A3018, 0.8));
    cairo_stroke(cr);
    // The spiral edge of the rolled sheet at the top and bottom.
    for (const double y : {9.0, RollH - 9.0}) {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, thick / 2 - 0.5, 2.2);
        cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
        cairo_restore(cr);
        SetSource(cr, Hex(0x7A5A30, 0.5));
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    for (const double y : {1.0, RollH - 8.0}) {
        RoundRectPath(cr, x - 5, y, 10, 7, 3);
        FillLinear(cr, x - 5, 0, x + 5, 0, {{0.0, Hex(0xFFF0B0)}, {0.5, Hex(0xD8A030)}, {1.0, Hex(0x7A4A08)}});
        RoundRectPath(cr, x - 5, y, 10, 7, 3);
        SetSource(cr, Hex(0x3A2004, 0.8));
        cairo_stroke(cr);
    }
}

// Frame k of 8: the scroll opens from a closed roll at the left (k = 0) to the full sheet (k = 7).
Sequence MessageRoll(uint32_t seed) {
    Sequence seq;
    Canvas paper = ParchmentTexture(RollW, RollH, seed, 0.5);
    {
        cairo_t* pc = paper.Cr();
        RoundRectPath(pc, 24, 16, RollW - 48, RollH - 32, 4);
        cairo_set_line_width(pc, 1.0);
        SetSource(pc, Hex(0x8A3A18, 0.4));
        cairo_stroke(pc);
    }
    for (int k = 0; k < 8; ++k) {
        const double t = k / 7.0;
        Canvas c(RollW, RollH);
        cairo_t* cr = c.Cr();
        const double left = 12;
        const double rightThick = 26 - 12 * t;                 // the roll thins as paper comes off it
        const double right = left + 17 + (RollW - 14 - left - 17) * EaseOut(t);
        // The sheet between the rollers.
        if (right - left > 2) {
            Canvas sheet(RollW, RollH);
            cairo_t* sc = sheet.Cr();
            RoughRectPath(sc, left, 10, right - left, RollH - 20, 1.2, seed, 8.0);
            cairo_set_source_rgb(sc, 1, 1, 1);
            cairo_fill(sc);
            Canvas s = MaskWith(paper, sheet);
            // Curl shading near the rollers.
            cairo_t* ss = s.Cr();
            cairo_rectangle(ss, left, 0, right - left, RollH);
            FillLinear(ss, left, 0, right, 0, {{0.0, Hex(0x3A2008, 0.35)}, {std::min(0.5, 14.0 / std::max(1.0, right - left)), Hex(0x3A2008, 0.0)},
                                               {std::max(0.5, 1 - 14.0 / std::max(1.0, right - left)), Hex(0x3A2008, 0.0)}, {1.0, Hex(0x3A2008, 0.4)}});
            ClipTo(s, sheet);
            DropShadow(c, sheet, 0, 0, 2, 3, 3, Hex(0x1A0A02, 0.45));
            c.Paint(s, 0, 0);
        }
        Roller(cr, right, rightThick);
        Roller(cr, left, 14);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

}  // namespace
}  // namespace vantero::art

ARTGEN_MODULE(stuff) {
    using namespace vantero::art;
    const std::string dir = "base/stuff/";
    reg.Add(dir + "meblink01.12.png", [](ArtContext&) { return Sparkle(1); });
    reg.Add(dir + "meblink02.12.png", [](ArtContext&) { return Sparkle(2); });
    for (int s = 1; s <= 3; ++s) reg.Add(dir + "bubble0" + std::to_string(s) + ".png", [s](ArtContext&) { return Sequence(Bubble(s)); });
    reg.Add(dir + "life.36.png", [](ArtContext&) { return LifeIcon(); }, {}, 2.0);
    for (int lives = 1; lives <= kit::SourceMaxLives(); ++lives) {
        const std::string nn = kit::Digits(lives - 1, 2);
        reg.Add(dir + "life" + nn + "Disappear.18.png", [lives](ArtContext&) { return LifeNumber(lives, false); });
        reg.Add(dir + "life" + nn + "Appear.18.png", [lives](ArtContext&) { return LifeNumber(lives, true); });
    }
    reg.Add(dir + "dust.12.png", [](ArtContext& ctx) { return Dust(ctx.SubSeed("dust")); });
    reg.Add(dir + "percents.8.png", [](ArtContext&) { return Percents(); });
    reg.Add(dir + "msgrollani.8.png", [](ArtContext& ctx) { return MessageRoll(ctx.SubSeed("paper")); }, {}, 2.0);
}
