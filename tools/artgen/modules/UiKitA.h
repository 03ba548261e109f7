// Painting helpers for the menu, map, score and credit screens: carved stone buttons, title
// plates, parchment sheets, gilded frames and the seven monuments of the campaign drawn in
// colour, as gold statuettes or as ink sketches.
#pragma once

#include "ArtJobs.h"
#include "ArtPaint.h"
#include "ArtText.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace vantero::art::uia {

inline constexpr double Pi = 3.14159265358979323846;

// ---- Pixel helpers ----

// Stretches contrast around mid grey and boosts saturation (opaque canvases).
inline void Punch(Canvas& c, double contrast, double saturation) {
    uint32_t* px = c.Pixels();
    const int s = c.StridePixels();
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            uint32_t& p = px[y * s + x];
            double ch[3] = {double((p >> 16) & 255), double((p >> 8) & 255), double(p & 255)};
            const double l = 0.3 * ch[0] + 0.59 * ch[1] + 0.11 * ch[2];
            uint32_t out = p & 0xFF000000u;
            for (int i = 0; i < 3; ++i) {
                double v = l + (ch[i] - l) * saturation;
                v = 128 + (v - 128) * contrast;
                out |= uint32_t(std::clamp(v, 0.0, 255.0)) << (16 - 8 * i);
            }
            p = out;
        }
    c.MarkDirty();
}

// Multiplies the alpha of the whole canvas by f.
inline void Fade(Canvas& c, double f) {
    cairo_t* cr = c.Cr();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_IN);
    cairo_set_source_rgba(cr, 0, 0, 0, std::clamp(f, 0.0, 1.0));
    cairo_paint(cr);
    cairo_restore(cr);
}

// The canvas composited over opaque black (for additive pictures: black adds nothing).
inline Canvas OnBlack(const Canvas& light) {
    Canvas out(light.Width(), light.Height());
    cairo_set_source_rgb(out.Cr(), 0, 0, 0);
    cairo_paint(out.Cr());
    out.Paint(light, 0, 0);
    return out;
}

// A shape canvas: the current path of a fresh canvas filled with white.
template <class F>
Canvas ShapeOf(int w, int h, F&& path) {
    Canvas m(w, h);
    path(m.Cr());
    cairo_set_source_rgb(m.Cr(), 1, 1, 1);
    cairo_fill(m.Cr());
    return m;
}

// ---- Text styles ----
inline TextStyle GoldTitle(double size) {
    TextStyle t;
    t.Family = fonts::TitleDisplay;
    t.Size = size;
    t.Bold = true;
    t.FillTop = Hex(0xFFF7D0);
    t.FillBottom = Hex(0xE3A73C);
    t.OutlineWidth = std::max(1.2, size / 16);
    t.Outline = Hex(0x3A1C06);
    t.ShadowDx = size / 22; t.ShadowDy = size / 14; t.ShadowBlur = size / 14;
    t.Shadow = Hex(0x140800, 0.75);
    t.BevelLight = true;
    return t;
}
inline TextStyle InkText(double size, bool bold = true) {
    TextStyle t;
    t.Family = fonts::Title;
    t.Size = size;
    t.Bold = bold;
    t.FillTop = Hex(0x4A2A12);
    t.FillBottom = Hex(0x24130A);
    t.OutlineWidth = 1.0;
    t.Outline = Hex(0xFFF2D0, 0.5);
    return t;
}

inline void DrawLabel(Canvas& c, const std::string& text, TextStyle t, double x, double y, double w, double h);

// A title word on a transparent canvas of the given size (gilded letters, fitted to the box).
inline Canvas TitleSign(const std::string& text, int w, int h, double size) {
    Canvas c(w, h);
    DrawLabel(c, text, GoldTitle(size), 6, 4, w - 12, h - 8);
    return c;
}

// ---- Materials and furniture ----
// A parchment sheet with a torn rim and a soft shadow under it, inside a canvas of w x h.
inline void ParchmentSheet(Canvas& dst, uint32_t seed, double x, double y, double w, double h, double rim = 0.55) {
    Canvas tex = ParchmentTexture(int(w) + 2, int(h) + 2, seed, rim);
    Canvas shape(int(w) + 2, int(h) + 2);
    RoughRectPath(shape.Cr(), 1, 1, w - 1, h - 1, 2.2, seed ^ 0x5151u, 7.0);
    cairo_set_source_rgb(shape.Cr(), 1, 1, 1);
    cairo_fill(shape.Cr());
    Canvas sheet = MaskWith(tex, shape);
    DropShadow(dst, shape, x, y, 3, 5, 7, Hex(0x1A0C02, 0.55));
    dst.Paint(sheet, x, y);
}

// Carved sandstone slab (rounded), bevelled, with an optional bronze rim.
inline Canvas StoneSlab(int w, int h, uint32_t seed, const Rgba& base, double radius, bool rim) {
    Canvas shape = ShapeOf(w, h, [&](cairo_t* cr) { RoundRectPath(cr, 1, 1, w - 2, h - 2, radius); });
    Canvas slab = MaskWith(StoneTexture(w, h, seed, base, 26.0), shape);
    cairo_t* cr = slab.Cr();
    // Soft top-to-bottom light.
    cairo_save(cr);
    RoundRectPath(cr, 1, 1, w - 2, h - 2, radius);
    FillLinear(cr, 0, 0, 0, h, {{0, Hex(0xFFF4D8, 0.28)}, {0.5, Hex(0xFFFFFF, 0.0)}, {1, Hex(0x2A1606, 0.3)}});
    cairo_restore(cr);
    Bevel(slab, std::max(2.0, h / 14.0), 1.0);
    if (rim) {
        RoundRectPath(cr, 1.6, 1.6, w - 3.2, h - 3.2, radius);
        cairo_set_line_width(cr, 1.6);
        cairo_pattern_t* p = LinearGradient(0, 0, 0, h, {{0, palette::GoldLight}, {0.5, palette::Gold}, {1, palette::GoldDark}});
        cairo_set_source(cr, p);
        cairo_stroke(cr);
        cairo_pattern_destroy(p);
    }
    return slab;
}

// Draws the text centred in the box, shrunk (ignoring glow and shadow) until its ink fits.
inline void DrawLabel(Canvas& c, const std::string& text, TextStyle t, double x, double y, double w, double h) {
    TextMetrics m = MeasureText(text, t);
    const double k = std::min({1.0, w / std::max(1.0, m.InkW + 2 * t.OutlineWidth), h / std::max(1.0, m.InkH + 2 * t.OutlineWidth)});
    if (k < 1.0) {
        t.Size *= k;
        m = MeasureText(text, t);
    }
    const double originY = y + h / 2 - (m.InkY + m.InkH / 2);
    DrawTextCentred(c, text, t, x + w / 2, originY + m.Ascent);
}

// A 4-frame button strip (normal, hover, pressed, disabled): a carved stone plaque with a gilded
// label; `shimmer` (0..1, < 0 for none) moves a band of light across the plaque.
inline Canvas ButtonFrame(const std::string& label, int w, int h, int state, uint32_t seed, double textSize,
                          double shimmer = -1) {
    Canvas c(w, h);
    const double pad = 4;
    const int sw = int(w - 2 * pad), sh = int(h - 2 * pad);
    Rgba base = state == 1 ? Hex(0xE8CC98) : state == 2 ? Hex(0xB99A6A) : Hex(0xD8B985);
    Canvas slab = StoneSlab(sw, sh, seed, base, sh * 0.28, true);
    if (state == 2) {  // pressed: sunk in, shadow from the top edge
        cairo_t* cr = slab.Cr();
        cairo_save(cr);
        RoundRectPath(cr, 1, 1, sw - 2, sh - 2, sh * 0.28);
        cairo_clip(cr);
        FillLinear(cr, 0, 0, 0, sh, {{0, Hex(0x2A1404, 0.45)}, {0.35, Hex(0x2A1404, 0.0)}});
        cairo_restore(cr);
    }
    if (shimmer >= 0) {
        cairo_t* cr = slab.Cr();
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
        const double cx = -sw * 0.3 + shimmer * sw * 1.6;
        cairo_pattern_t* p = LinearGradient(cx - sh, 0, cx + sh, sh * 0.6,
                                            {{0, Hex(0xFFF6D0, 0)}, {0.5, Hex(0xFFF6D0, 0.55)}, {1, Hex(0xFFF6D0, 0)}});
        cairo_set_source(cr, p);
        cairo_paint(cr);
        cairo_pattern_destroy(p);
        cairo_restore(cr);
    }
    const double dy = state == 2 ? 1.5 : 0;
    DropShadow(c, slab, pad, pad + dy, 1.5, state == 2 ? 1.0 : 2.5, state == 2 ? 1.5 : 2.5, Hex(0x140800, 0.6));
    c.Paint(slab, pad, pad + dy);
    TextStyle t = GoldTitle(textSize);
    if (state == 1) {
        t.GlowRadius = textSize * 0.35;
        t.Glow = Hex(0xFFE69A, 0.8);
        t.FillTop = Hex(0xFFFFF0);
        t.FillBottom = Hex(0xF6C44E);
    } else if (state == 2) {
        t.FillTop = Hex(0xF2D68A);
        t.FillBottom = Hex(0xB8801E);
    }
    DrawLabel(c, label, t, pad + sh * 0.3, pad + dy + 1, sw - sh * 0.6, sh - 2);
    if (state == 3) {
        Desaturate(c, 0.85, 0.18);
        Fade(c, 0.8);
    }
    return c;
}

inline Sequence ButtonStrip(const std::string& label, int w, int h, uint32_t seed, double textSize) {
    Sequence s;
    for (int st = 0; st < 4; ++st) s.Frames.push_back(ButtonFrame(label, w, h, st, seed, textSize));
    return s;
}

// A gilded picture frame drawn around the rectangle (the frame lies outside it by `width`).
inline void GoldFrame(Canvas& c, double x, double y, double w, double h, double width) {
    cairo_t* cr = c.Cr();
    cairo_save(cr);
    cairo_rectangle(cr, x - width, y - width, w + 2 * width, h + 2 * width);
    cairo_rectangle(cr, x + w, y, -w, h);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    FillLinear(cr, x - width, y - width, x + w + width, y + h + width,
               {{0, palette::GoldLight}, {0.3, palette::Gold}, {0.55, Hex(0xB07A24)}, {0.8, palette::Gold}, {1, palette::GoldDark}});
    // Inner and outer dark lines.
    cairo_set_line_width(cr, 1.0);
    SetSource(cr, Hex(0x3A2006, 0.9));
    cairo_rectangle(cr, x - 0.5, y - 0.5, w + 1, h + 1);
    cairo_stroke(cr);
    cairo_rectangle(cr, x - width + 0.5, y - width + 0.5, w + 2 * width - 1, h + 2 * width - 1);
    cairo_stroke(cr);
    SetSource(cr, Hex(0xFFF4C0, 0.7));
    cairo_rectangle(cr, x - width * 0.55, y - width * 0.55, w + width * 1.1, h + width * 1.1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// ---- The seven monuments ----
enum class MonumentLook { Colour, Gold, Ink };

// Fills the current path with a side-lit gradient of the base colour (light from the left).
inline void ShadeFill(cairo_t* cr, const Rgba& base, double x0, double x1, MonumentLook look) {
    if (look == MonumentLook::Ink) {
        SetSource(cr, WithAlpha(Mix(Hex(0xE9D3A2), base, 0.25), 0.9));
        cairo_fill_preserve(cr);
        SetSource(cr, Hex(0x4A2A12, 0.95));
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
        return;
    }
    Rgba b = base;
    if (look == MonumentLook::Gold) {
        const double l = 0.3 * base.r + 0.59 * base.g + 0.11 * base.b;
        b = Mix(Hex(0x9C6A1C), Hex(0xFFD86A), std::clamp(l * 1.1, 0.0, 1.0));
    }
    FillLinear(cr, x0, 0, x1, 0, {{0, Lighten(b, 0.35)}, {0.45, b}, {1, Darken(b, 0.35)}});
}

// Draws monument m (1..7) standing on the bottom of the box (x, y, w, h). built < 1 leaves the top
// open with wooden scaffolding where the rest will rise.
inline void DrawMonument(Canvas& c, int m, double x, double y, double w, double h, MonumentLook look,
                         double built = 1.0) {
    Canvas layer(c.Width(), c.Height());
    cairo_t* cr = layer.Cr();
    auto X = [&](double u) { return x + u * w; };
    auto Y = [&](double v) { return y + v * h; };
    auto poly = [&](std::initializer_list<std::pair<double, double>> pts) {
        bool first = true;
        for (auto& p : pts) {
            if (first) cairo_move_to(cr, X(p.first), Y(p.second));
            else cairo_line_to(cr, X(p.first), Y(p.second));
            first = false;
        }
        cairo_close_path(cr);
    };
    auto rect = [&](double u0, double v0, double u1, double v1) { cairo_rectangle(cr, X(u0), Y(v0), X(u1) - X(u0), Y(v1) - Y(v0)); };
    auto fill = [&](const Rgba& col, double u0, double u1) { ShadeFill(cr, col, X(u0), X(u1), look); };
    const Rgba dark = Hex(0x3A2A1A);
    switch (m) {
    case 1: {  // the great pyramid: lit west face, shaded east face, courses of stone
        poly({{0.02, 1.0}, {0.5, 0.1}, {0.62, 1.0}});
        fill(Hex(0xE8C890), 0.02, 0.62);
        poly({{0.62, 1.0}, {0.5, 0.1}, {0.98, 1.0}});
        fill(Hex(0x7E5A36), 0.5, 0.98);
        cairo_set_line_width(cr, std::max(0.5, h / 140));
        SetSource(cr, look == MonumentLook::Ink ? Hex(0x4A2A12, 0.5) : Hex(0x5A3A18, 0.25));
        for (int i = 1; i < 9; ++i) {
            const double v = 0.1 + 0.9 * i / 9.0, t = (v - 0.1) / 0.9;
            cairo_move_to(cr, X(0.5 - 0.48 * t), Y(v));
            cairo_line_to(cr, X(0.5 + 0.48 * t), Y(v));
        }
        cairo_stroke(cr);
        break;
    }
    case 2: {  // temple of the sea god: stepped base, six columns, architrave, pediment
        const Rgba marble = Hex(0xEDE4D0);
        rect(0.02, 0.9, 0.98, 1.0); fill(Darken(marble, 0.1), 0.02, 0.98);
        rect(0.06, 0.84, 0.94, 0.9); fill(marble, 0.06, 0.94);
        for (int i = 0; i < 6; ++i) {
            const double u = 0.1 + i * 0.152;
            rect(u, 0.47, u + 0.08, 0.84); fill(marble, u, u + 0.08);
            rect(u - 0.012, 0.44, u + 0.092, 0.48); fill(Darken(marble, 0.05), u, u + 0.09);
        }
        rect(0.05, 0.33, 0.95, 0.44); fill(marble, 0.05, 0.95);
        poly({{0.04, 0.33}, {0.5, 0.14}, {0.96, 0.33}}); fill(Lighten(marble, 0.05), 0.04, 0.96);
        poly({{0.14, 0.31}, {0.5, 0.19}, {0.86, 0.31}}); fill(Darken(marble, 0.18), 0.14, 0.86);
        break;
    }
    case 3: {  // pyramid of the sun: five stepped tiers, central stair, shrine on top
        const Rgba adobe = Hex(0xB8926A);
        const double tiers[6] = {1.0, 0.8, 0.62, 0.46, 0.33, 0.22};
        for (int i = 0; i < 5; ++i) {
            const double hw0 = 0.48 - i * 0.075, hw1 = hw0 - 0.035;
            poly({{0.5 - hw0, tiers[i]}, {0.5 - hw1, tiers[i + 1]}, {0.5 + hw1, tiers[i + 1]}, {0.5 + hw0, tiers[i]}});
            fill(i % 2 ? adobe : Darken(adobe, 0.08), 0.5 - hw0, 0.5 + hw0);
        }
        poly({{0.43, 1.0}, {0.47, 0.22}, {0.53, 0.22}, {0.57, 1.0}});
        fill(Lighten(adobe, 0.2), 0.43, 0.57);
        rect(0.41, 0.12, 0.59, 0.22); fill(Darken(adobe, 0.15), 0.41, 0.59);
        poly({{0.39, 0.12}, {0.5, 0.06}, {0.61, 0.12}}); fill(Hex(0x8A5A3A), 0.39, 0.61);
        break;
    }
    case 4: {  // the great church: minarets, buttressed block, half domes and the floating dome
        const Rgba wall = Hex(0xD9A98A), lead = Hex(0x9AA09A);
        for (double u : {0.04, 0.9}) {
            rect(u, 0.22, u + 0.05, 1.0); fill(Hex(0xE6C3A6), u, u + 0.05);
            poly({{u - 0.005, 0.22}, {u + 0.025, 0.04}, {u + 0.055, 0.22}}); fill(lead, u, u + 0.05);
        }
        rect(0.14, 0.62, 0.86, 1.0); fill(wall, 0.14, 0.86);
        rect(0.22, 0.5, 0.78, 0.62); fill(Lighten(wall, 0.05), 0.22, 0.78);
        cairo_move_to(cr, X(0.2), Y(0.62));
        cairo_curve_to(cr, X(0.2), Y(0.5), X(0.32), Y(0.46), X(0.36), Y(0.5));
        cairo_line_to(cr, X(0.36), Y(0.62)); cairo_close_path(cr); fill(lead, 0.2, 0.36);
        cairo_move_to(cr, X(0.8), Y(0.62));
        cairo_curve_to(cr, X(0.8), Y(0.5), X(0.68), Y(0.46), X(0.64), Y(0.5));
        cairo_line_to(cr, X(0.64), Y(0.62)); cairo_close_path(cr); fill(lead, 0.64, 0.8);
        rect(0.3, 0.42, 0.7, 0.5); fill(wall, 0.3, 0.7);
        cairo_save(cr);
        cairo_translate(cr, X(0.5), Y(0.42));
        cairo_scale(cr, w * 0.22, h * 0.22);
        cairo_arc(cr, 0, 0, 1, Pi, 2 * Pi);
        cairo_close_path(cr);
        cairo_restore(cr);
        fill(lead, 0.28, 0.72);
        rect(0.495, 0.15, 0.505, 0.2); fill(palette::Gold, 0.49, 0.51);
        SetSource(cr, look == MonumentLook::Ink ? Hex(0x4A2A12) : dark);
        for (int i = 0; i < 7; ++i) {  // ring of windows under the dome
            cairo_rectangle(cr, X(0.33 + i * 0.05), Y(0.44), w * 0.018, h * 0.04);
        }
        for (int i = 0; i < 5; ++i) cairo_rectangle(cr, X(0.24 + i * 0.12), Y(0.72), w * 0.035, h * 0.12);
        cairo_fill(cr);
        break;
    }
    case 5: {  // temple city: gallery terraces and five lotus towers
        const Rgba sandstone = Hex(0xA99A7E);
        rect(0.02, 0.86, 0.98, 1.0); fill(Darken(sandstone, 0.1), 0.02, 0.98);
        rect(0.08, 0.72, 0.92, 0.86); fill(sandstone, 0.08, 0.92);
        auto tower = [&](double cu, double hw, double top, double bottom) {
            cairo_move_to(cr, X(cu - hw), Y(bottom));
            cairo_curve_to(cr, X(cu - hw), Y(top + (bottom - top) * 0.4), X(cu - hw * 0.4), Y(top + (bottom - top) * 0.15), X(cu), Y(top));
            cairo_curve_to(cr, X(cu + hw * 0.4), Y(top + (bottom - top) * 0.15), X(cu + hw), Y(top + (bottom - top) * 0.4), X(cu + hw), Y(bottom));
            cairo_close_path(cr);
            fill(sandstone, cu - hw, cu + hw);
            cairo_set_line_width(cr, std::max(0.5, h / 160));
            SetSource(cr, Hex(0x3A2A1A, look == MonumentLook::Ink ? 0.6 : 0.3));
            for (int k = 1; k < 5; ++k) {
                const double v = bottom - (bottom - top) * k / 5.5, t = double(k) / 5.5;
                cairo_move_to(cr, X(cu - hw * (1 - t * t)), Y(v));
                cairo_line_to(cr, X(cu + hw * (1 - t * t)), Y(v));
            }
            cairo_stroke(cr);
        };
        tower(0.14, 0.07, 0.42, 0.72);
        tower(0.86, 0.07, 0.42, 0.72);
        tower(0.32, 0.085, 0.3, 0.72);
        tower(0.68, 0.085, 0.3, 0.72);
        tower(0.5, 0.11, 0.08, 0.72);
        break;
    }
    case 6: {  // the cathedral: twin square towers, rose window, spire behind
        const Rgba lime = Hex(0xD3C8AE);
        rect(0.495, 0.02, 0.505, 0.4); fill(Hex(0x7E8A88), 0.49, 0.51);
        poly({{0.47, 0.4}, {0.5, 0.06}, {0.53, 0.4}}); fill(Hex(0x8C9694), 0.47, 0.53);
        rect(0.08, 0.2, 0.36, 1.0); fill(lime, 0.08, 0.36);
        rect(0.64, 0.2, 0.92, 1.0); fill(lime, 0.64, 0.92);
        rect(0.36, 0.4, 0.64, 1.0); fill(Lighten(lime, 0.06), 0.36, 0.64);
        rect(0.07, 0.18, 0.37, 0.21); fill(Darken(lime, 0.1), 0.07, 0.37);
        rect(0.63, 0.18, 0.93, 0.21); fill(Darken(lime, 0.1), 0.63, 0.93);
        SetSource(cr, look == MonumentLook::Ink ? Hex(0x4A2A12) : Hex(0x3A3040));
        for (double u : {0.15, 0.23, 0.71, 0.79}) {  // tall lancet openings in the towers
            cairo_move_to(cr, X(u), Y(0.52));
            cairo_line_to(cr, X(u), Y(0.3));
            cairo_arc(cr, X(u + 0.025), Y(0.3), w * 0.025, Pi, 2 * Pi);
            cairo_line_to(cr, X(u + 0.05), Y(0.52));
            cairo_close_path(cr);
        }
        for (double u : {0.14, 0.42, 0.7}) {  // portals
            cairo_move_to(cr, X(u), Y(1.0));
            cairo_line_to(cr, X(u), Y(0.86));
            cairo_arc(cr, X(u + 0.08), Y(0.86), w * 0.08, Pi, 2 * Pi);
            cairo_line_to(cr, X(u + 0.16), Y(1.0));
            cairo_close_path(cr);
        }
        cairo_fill(cr);
        cairo_arc(cr, X(0.5), Y(0.6), std::min(w, h) * 0.09, 0, 2 * Pi);
        if (look == MonumentLook::Colour) {
            FillRadial(cr, X(0.5), Y(0.6), 0, std::min(w, h) * 0.09,
                       {{0, Hex(0xF2D060)}, {0.45, Hex(0xC03A3A)}, {0.8, Hex(0x2C4F9E)}, {1, Hex(0x3A3040)}});
        } else {
            ShadeFill(cr, Hex(0x9A8A70), X(0.4), X(0.6), look);
        }
        break;
    }
    default: {  // the white castle: stone ramparts, white storeys and sweeping grey roofs
        const Rgba white = Hex(0xF2EEE6), roof = Hex(0x6E7A82), rampart = Hex(0x9A9080);
        poly({{0.04, 1.0}, {0.12, 0.76}, {0.88, 0.76}, {0.96, 1.0}});
        fill(rampart, 0.04, 0.96);
        const double levels[5][3] = {{0.16, 0.84, 0.76}, {0.22, 0.78, 0.62}, {0.28, 0.72, 0.48}, {0.34, 0.66, 0.35}, {0.4, 0.6, 0.23}};
        for (int i = 0; i < 5; ++i) {
            const double u0 = levels[i][0], u1 = levels[i][1], vb = levels[i][2], vt = vb - 0.1;
            rect(u0 + 0.03, vt + 0.03, u1 - 0.03, vb); fill(white, u0, u1);
            // Roof with up-turned eaves.
            cairo_move_to(cr, X(u0 - 0.04), Y(vt + 0.045));
            cairo_curve_to(cr, X(u0), Y(vt + 0.02), X(u0 + 0.05), Y(vt - 0.005), X(u0 + 0.08), Y(vt - 0.025));
            cairo_line_to(cr, X(u1 - 0.08), Y(vt - 0.025));
            cairo_curve_to(cr, X(u1 - 0.05), Y(vt - 0.005), X(u1), Y(vt + 0.02), X(u1 + 0.04), Y(vt + 0.045));
            cairo_line_to(cr, X(u1 - 0.02), Y(vt + 0.04));
            cairo_line_to(cr, X(u0 + 0.02), Y(vt + 0.04));
            cairo_close_path(cr);
            fill(roof, u0 - 0.04, u1 + 0.04);
            if (i % 2 == 1) {  // gable over the middle of the storey
                poly({{0.44, vt - 0.01}, {0.5, vt - 0.07}, {0.56, vt - 0.01}});
                fill(roof, 0.44, 0.56);
            }
            SetSource(cr, look == MonumentLook::Ink ? Hex(0x4A2A12) : Hex(0x2A2A30));
            for (double u = u0 + 0.08; u < u1 - 0.08; u += 0.09) cairo_rectangle(cr, X(u), Y(vt + 0.06), w * 0.03, h * 0.025);
            cairo_fill(cr);
        }
        break;
    }
    }
    if (built < 1.0) {
        // Keep only the lower part; scaffolding poles and planks stand where the rest will go.
        const double cut = y + h * (1.0 - built);
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
        cairo_rectangle(cr, 0, 0, c.Width(), cut);
        cairo_fill(cr);
        cairo_restore(cr);
        const Rgba wood = look == MonumentLook::Ink ? Hex(0x4A2A12) : Hex(0x7A4E26);
        SetSource(cr, wood);
        cairo_set_line_width(cr, std::max(1.0, w / 110));
        // Pointed monuments need scaffolding only around their missing tip.
        const double half = (m == 1 || m == 3) ? 0.5 * (1 - built) + 0.08 : 0.4;
        const double top = y + h * ((m == 1 || m == 3) ? 0.1 : 0.08);
        const double step = 2 * half / 4;
        cairo_set_line_width(cr, std::max(0.8, w / 180));
        for (int i = 0; i <= 4; ++i) {
            const double u = 0.5 - half + step * i;
            const double poleTop = (m == 1 || m == 3) ? y + h * (0.1 + 0.9 * std::max(0.0, std::abs(u - 0.5) - 0.03) / 0.5) - h * 0.04
                                                      : top + std::abs(i - 2) * h * 0.05;
            cairo_move_to(cr, x + w * u, cut + h * 0.06);
            cairo_line_to(cr, x + w * u, std::min(poleTop, cut - h * 0.02));
        }
        const bool pointed = m == 1 || m == 3;
        for (double v = cut - h * 0.02; v > top + h * 0.04; v -= h * 0.1) {
            // On a pointed monument the planks follow its slope.
            const double hw = pointed ? std::min(half, 0.5 * (v - y - 0.1 * h) / (0.9 * h) + 0.04) : half + 0.02;
            cairo_move_to(cr, x + w * (0.5 - hw), v);
            cairo_line_to(cr, x + w * (0.5 + hw), v);
        }
        cairo_stroke(cr);
        cairo_set_line_width(cr, std::max(0.5, w / 300));
        for (int i = 0; i < 4; ++i) {
            const double px = x + w * (0.5 - half + step * i);
            cairo_move_to(cr, px, cut);
            cairo_line_to(cr, px + w * step, std::max(top, cut - h * 0.1));
        }
        cairo_stroke(cr);
    }
    if (look == MonumentLook::Gold) Bevel(layer, std::max(1.5, w / 70), 0.9);
    c.Paint(layer, 0, 0);
}

// The English names of the seven monuments (for the scroll captions).
inline const char* MonumentName(int m) {
    static const char* const names[7] = {"Great Pyramid of Giza", "Temple of Poseidon", "Pyramid of the Sun",
                                         "Hagia Sophia", "Angkor Wat", "Notre-Dame de Paris", "Himeji Castle"};
    return names[std::clamp(m, 1, 7) - 1];
}

}  // namespace vantero::art::uia
