// Painting helpers of the dialogs, player screens and help page: stone tablets with parchment
// faces, engraved grooves, gilded plate buttons (four looks in one strip), small gilded icons, and
// a way to reuse another module's finished picture (board tiles, gems) without repainting it.
#pragma once

#include "ArtJobs.h"
#include "ArtPaint.h"
#include "ArtScene.h"
#include "ArtText.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace vantero::art::uib {

inline constexpr double Pi = 3.14159265358979323846;

// ---- Pixel helpers ----


// Multiplies the whole canvas's opacity by f.
inline void Fade(Canvas& c, double f) {
    cairo_t* cr = c.Cr();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_IN);
    cairo_set_source_rgba(cr, 0, 0, 0, std::clamp(f, 0.0, 1.0));
    cairo_paint(cr);
    cairo_restore(cr);
}

// A solid shape canvas (for masks): a rounded rectangle.
inline Canvas RoundShape(int w, int h, double x, double y, double rw, double rh, double radius) {
    Canvas m(w, h);
    RoundRectPath(m.Cr(), x, y, rw, rh, radius);
    cairo_set_source_rgb(m.Cr(), 1, 1, 1);
    cairo_fill(m.Cr());
    return m;
}

// ---- Materials ----

// A hewn sandstone slab of the mask's shape, lit from the upper left.
inline Canvas StoneSlab(const Canvas& mask, uint32_t seed, const Rgba& base, double bevel) {
    Canvas tex = StoneTexture(mask.Width(), mask.Height(), seed, base, 36.0);
    Canvas slab = MaskWith(tex, mask);
    Bevel(slab, bevel, 1.0);
    return slab;
}

// Smooth aged parchment (opaque): warm cream with soft blotches, fine fibres and a darker rim.
inline Canvas Parchment(int w, int h, uint32_t seed, double rim = 0.45) {
    Canvas c(w, h);
    const ValueNoise big(seed);
    // The blotches are smooth: sample them on a coarse grid and interpolate.
    const int step = 4, gw = w / step + 2, gh = h / step + 2;
    std::vector<float> grid(static_cast<size_t>(gw) * gh);
    for (int gy = 0; gy < gh; ++gy)
        for (int gx = 0; gx < gw; ++gx) grid[static_cast<size_t>(gy) * gw + gx] = static_cast<float>(big.Fbm(gx * step / 70.0, gy * step / 70.0, 3));
    ArtRandom fibre(seed ^ 0x9E37u);
    std::vector<float> streak(static_cast<size_t>(w) + 1);
    for (float& f : streak) f = static_cast<float>(fibre.Real(-1, 1));
    const Rgba light = Hex(0xF6E6C0), mid = Hex(0xEBD3A0), dark = Hex(0xC9A46A);
    uint32_t* px = c.Pixels();
    const int s = c.StridePixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double fx = static_cast<double>(x) / step, fy = static_cast<double>(y) / step;
            const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
            const double tx = fx - ix, ty = fy - iy;
            auto g = [&](int a, int b) { return static_cast<double>(grid[static_cast<size_t>(b) * gw + a]); };
            const double b = (g(ix, iy) * (1 - tx) + g(ix + 1, iy) * tx) * (1 - ty) + (g(ix, iy + 1) * (1 - tx) + g(ix + 1, iy + 1) * tx) * ty;
            const double ex = std::min(x, w - 1 - x) / (0.5 * w), ey = std::min(y, h - 1 - y) / (0.5 * h);
            const double edge = std::pow(1.0 - std::clamp(std::min(ex * 3.0, ey * 3.0), 0.0, 1.0), 2.0);
            Rgba col = Mix(light, mid, std::clamp((b - 0.35) * 1.6, 0.0, 1.0));
            col = Mix(col, dark, std::clamp(edge * rim * 1.4 + (b > 0.68 ? (b - 0.68) * 1.2 : 0.0), 0.0, 1.0));
            const double k = 1.0 + 0.012 * streak[static_cast<size_t>((x + y / 7) % w)] + 0.02 * fibre.Real(-1, 1);
            auto ch = [&](double v) { return static_cast<uint32_t>(std::clamp(v * k, 0.0, 1.0) * 255 + 0.5); };
            px[y * s + x] = 0xFF000000u | (ch(col.r) << 16) | (ch(col.g) << 8) | ch(col.b);
        }
    c.MarkDirty();
    return c;
}

// Aged parchment of the mask's shape.
inline Canvas ParchmentFace(const Canvas& mask, uint32_t seed, double rim = 0.45) {
    return MaskWith(Parchment(mask.Width(), mask.Height(), seed, rim), mask);
}

// An engraved groove (recess) at the rectangle: dark upper-left inner edge, light lower-right lip.
inline void Groove(Canvas& c, double x, double y, double w, double h, double r, double depth = 1.0) {
    cairo_t* cr = c.Cr();
    cairo_save(cr);
    RoundRectPath(cr, x, y, w, h, r);
    FillLinear(cr, 0, y, 0, y + h, {{0.0, Hex(0x3A2410, 0.42 * depth)}, {0.5, Hex(0x5A3A1A, 0.22 * depth)}, {1.0, Hex(0x7A5630, 0.12 * depth)}});
    RoundRectPath(cr, x + 0.5, y + 0.5, w - 1, h - 1, r);
    cairo_set_line_width(cr, 1.4);
    SetSource(cr, Hex(0x2A1808, 0.45 * depth));
    cairo_stroke(cr);
    // The lit lower lip.
    cairo_move_to(cr, x + r, y + h + 0.8);
    cairo_line_to(cr, x + w - r, y + h + 0.8);
    cairo_set_line_width(cr, 1.2);
    SetSource(cr, Hex(0xFFF4D8, 0.6 * depth));
    cairo_stroke(cr);
    cairo_restore(cr);
}

// A small gilded rosette (corner ornament) centred at (cx, cy).
inline void Rosette(Canvas& c, double cx, double cy, double r) {
    // Painted on a small canvas of its own, then placed.
    const int n = static_cast<int>(std::ceil(2 * r + 10));
    const double ox = std::floor(cx) - n / 2, oy = std::floor(cy) - n / 2;
    const double lx = cx - ox, ly = cy - oy;
    Canvas s(n, n);
    cairo_t* cr = s.Cr();
    for (int i = 0; i < 8; ++i) {
        const double a = i * Pi / 4;
        cairo_save(cr);
        cairo_translate(cr, lx + std::cos(a) * r * 0.52, ly + std::sin(a) * r * 0.52);
        cairo_rotate(cr, a);
        cairo_scale(cr, r * 0.48, r * 0.26);
        cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
        cairo_restore(cr);
    }
    FillRadial(cr, lx - r * 0.3, ly - r * 0.3, 0, r * 1.3, {{0.0, Hex(0xFFF0B0)}, {0.5, Hex(0xE0A838)}, {1.0, Hex(0x8A5418)}});
    cairo_arc(cr, lx, ly, r * 0.34, 0, 2 * Pi);
    FillRadial(cr, lx - r * 0.12, ly - r * 0.12, 0, r * 0.4, {{0.0, Hex(0x7FE0D8)}, {0.6, Hex(0x2E9C95)}, {1.0, Hex(0x14504C)}});
    Bevel(s, 1.2, 0.8);
    Canvas out(n, n);
    DropShadow(out, s, 0, 0, 1, 1.5, 1.5, Hex(0x1A0C02, 0.55));
    out.Paint(s, 0, 0);
    c.Paint(out, ox, oy);
}

// A dialog: a sandstone tablet with a carved rim, a parchment face inset and gilded corner rosettes.
// The tablet fills the canvas less a small margin for its own shadow.
inline Canvas DialogTablet(int w, int h, uint32_t seed, int border = 14) {
    Canvas c(w, h);
    const double m = 3;   // shadow room
    const Canvas outer = RoundShape(w, h, m, m, w - 2 * m - 2, h - 2 * m - 2, 12);
    DropShadow(c, outer, 0, 0, 1.5, 2.5, 3, Hex(0x1A0C02, 0.6));
    Canvas slab = StoneSlab(outer, seed, Hex(0xC8A878), 4.0);
    c.Paint(slab, 0, 0);
    // Carved bead line round the face.
    const double fx = m + border, fy = m + border, fw = w - 2 * (m + border) - 2, fh = h - 2 * (m + border) - 2;
    cairo_t* cr = c.Cr();
    RoundRectPath(cr, fx - 5, fy - 5, fw + 10, fh + 10, 9);
    cairo_set_line_width(cr, 2.0);
    SetSource(cr, Hex(0x5A3C1E, 0.5));
    cairo_stroke(cr);
    RoundRectPath(cr, fx - 4, fy - 4, fw + 8, fh + 8, 8.5);
    cairo_set_line_width(cr, 1.0);
    SetSource(cr, Hex(0xFFF0D0, 0.5));
    cairo_stroke(cr);
    // Parchment face, sunk into the stone.
    const Canvas faceMask = RoundShape(w, h, fx, fy, fw, fh, 6);
    Canvas face = ParchmentFace(faceMask, seed ^ 0xFACEu, 0.35);
    DropShadow(c, faceMask, 0, 0, 0, 0, 3.5, Hex(0x2A1606, 0.85));
    c.Paint(face, 0, 0);
    // Inner shadow along the top-left edge of the face (it lies below the stone).
    Canvas inner(w, h);
    RoundRectPath(inner.Cr(), fx, fy, fw, fh, 6);
    cairo_set_line_width(inner.Cr(), 5);
    SetSource(inner.Cr(), Hex(0x3A2008, 0.55));
    cairo_stroke(inner.Cr());
    Blur(inner, 3);
    inner.Paint(faceMask, 0, 0, 1.0, CAIRO_OPERATOR_DEST_IN);
    c.Paint(inner, 1.5, 1.5);
    const double rr = std::max(5.0, border * 0.45);
    for (const auto& [px, py] : {std::pair{m + border * 0.55, m + border * 0.55}, {w - m - 2 - border * 0.55, m + border * 0.55},
                                 {m + border * 0.55, h - m - 2 - border * 0.55}, {w - m - 2 - border * 0.55, h - m - 2 - border * 0.55}})
        Rosette(c, px, py, rr);
    return c;
}

// A thin gilded line with a highlight under it (the section divider of the dialogs).
inline void GildedLine(Canvas& c, double x0, double x1, double y) {
    cairo_t* cr = c.Cr();
    cairo_move_to(cr, x0, y);
    cairo_line_to(cr, x1, y);
    cairo_pattern_t* p = LinearGradient(x0, 0, x1, 0, {{0.0, Hex(0x9C6A1C, 0.0)}, {0.2, Hex(0x9C6A1C, 0.8)}, {0.5, Hex(0xE0A840)}, {0.8, Hex(0x9C6A1C, 0.8)}, {1.0, Hex(0x9C6A1C, 0.0)}});
    cairo_set_source(cr, p);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
    cairo_move_to(cr, x0 + 8, y + 2.2);
    cairo_line_to(cr, x1 - 8, y + 2.2);
    SetSource(cr, Hex(0xFFF6DC, 0.5));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

// ---- Text ----

// Gilded serif lettering for buttons and signs.
inline TextStyle GildStyle(double size) {
    TextStyle t;
    t.Family = fonts::Title;
    t.Size = size;
    t.Bold = true;
    t.FillTop = Hex(0xFFF6CC);
    t.FillBottom = Hex(0xE8A83A);
    t.OutlineWidth = 1.3;
    t.Outline = Hex(0x3A1A04);
    t.ShadowDx = 1;
    t.ShadowDy = 1.5;
    t.ShadowBlur = 1.5;
    t.Shadow = Hex(0x1A0A00, 0.75);
    return t;
}

// ---- Buttons ----

enum class ButtonState { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

// Draws the content (label or icon) of a button into the canvas, centred in the box.
using ContentPainter = std::function<void(Canvas&, double x, double y, double w, double h, ButtonState)>;

// A label in gilded serif letters. The size is fitted once, with the plain look, so the letters
// keep their size and place in every state.
inline ContentPainter Label(std::string text, double size) {
    return [text, size](Canvas& c, double x, double y, double w, double h, ButtonState s) {
        TextStyle t = GildStyle(size);
        TextMetrics m = MeasureText(text, t);
        for (int i = 0; i < 40 && (m.InkW > w - 10 || m.InkH > h - 3); ++i) {
            t.Size *= 0.95;
            m = MeasureText(text, t);
        }
        if (s == ButtonState::Hover) { t.FillTop = Hex(0xFFFFF0); t.FillBottom = Hex(0xFFCC58); t.GlowRadius = 3; t.Glow = Hex(0xFFE890, 0.45); }
        if (s == ButtonState::Pressed) { t.FillTop = Hex(0xF0DCA0); t.FillBottom = Hex(0xC08A30); t.ShadowDy = 0.5; }
        // Centre the capitals' band (ignoring descenders lowers the visual centre less).
        DrawTextRaw(c, text, t, x + (w - m.InkW) / 2 - m.InkX, y + (h - m.InkH) / 2 - m.InkY);
    };
}

// A rounded plate of terracotta-red stone with a gilded rim, in one of its four looks.
inline Canvas Plate(int w, int h, ButtonState s, uint32_t seed, const ContentPainter& content, double radius = -1) {
    Canvas c(w, h);
    const double m = 1.5;
    const double r = radius >= 0 ? radius : std::min(h * 0.42, 12.0);
    const double dy = s == ButtonState::Pressed ? 1.0 : 0.0;
    const Canvas rim = RoundShape(w, h, m, m + dy, w - 2 * m - 1, h - 2 * m - 1.5, r);
    DropShadow(c, rim, 0, 0, 0.8, s == ButtonState::Pressed ? 0.6 : 1.4, 1.4, Hex(0x140800, 0.6));
    // Gilded rim.
    Canvas gold(w, h);
    gold.Paint(rim, 0, 0);
    {
        cairo_t* g = gold.Cr();
        cairo_save(g);
        cairo_set_operator(g, CAIRO_OPERATOR_ATOP);
        cairo_rectangle(g, 0, 0, w, h);
        FillLinear(g, 0, 0, 0, h, {{0.0, Hex(0xFFF2B0)}, {0.4, Hex(0xE0A840)}, {0.7, Hex(0xA86A1C)}, {1.0, Hex(0xF0C060)}});
        cairo_restore(g);
    }
    Bevel(gold, 1.2, 0.8);
    c.Paint(gold, 0, 0);
    // Stone face inside the rim.
    const double b = 2.6;
    const Canvas faceMask = RoundShape(w, h, m + b, m + b + dy, w - 2 * (m + b) - 1, h - 2 * (m + b) - 1.5, std::max(1.0, r - b));
    Rgba top = Hex(0xC0643A), bottom = Hex(0x6A2A12);
    if (s == ButtonState::Hover) { top = Hex(0xE08050); bottom = Hex(0x8A3A18); }
    if (s == ButtonState::Pressed) { top = Hex(0x7A3418); bottom = Hex(0xA04C28); }
    Canvas face = StoneTexture(w, h, seed, Mix(top, bottom, 0.5), 18.0);
    {
        cairo_t* f = face.Cr();
        cairo_save(f);
        cairo_rectangle(f, 0, 0, w, h);
        cairo_pattern_t* p = LinearGradient(0, m + b, 0, h - m - b, {{0.0, WithAlpha(top, 0.75)}, {1.0, WithAlpha(bottom, 0.75)}});
        cairo_set_source(f, p);
        cairo_fill(f);
        cairo_pattern_destroy(p);
        cairo_restore(f);
    }
    face = MaskWith(face, faceMask);
    if (s == ButtonState::Pressed) {
        EdgeLight(face, -135, 3, Hex(0x1A0800, 0.6), 1.0);
    } else {
        Bevel(face, 2.0, 0.7);
        // Soft sheen on the upper half.
        Canvas sheen(w, h);
        cairo_rectangle(sheen.Cr(), 0, 0, w, h * 0.5);
        FillLinear(sheen.Cr(), 0, 0, 0, h * 0.5, {{0.0, Hex(0xFFF0D8, s == ButtonState::Hover ? 0.32 : 0.22)}, {1.0, Hex(0xFFF0D8, 0.0)}});
        sheen.Paint(faceMask, 0, 0, 1.0, CAIRO_OPERATOR_DEST_IN);
        face.Paint(sheen, 0, 0);
    }
    c.Paint(face, 0, 0);
    if (s == ButtonState::Hover) {
        // Warm light inside the rim.
        Canvas glow(w, h);
        RoundRectPath(glow.Cr(), m + b + 1, m + b + 1, w - 2 * (m + b) - 3, h - 2 * (m + b) - 3.5, std::max(1.0, r - b));
        cairo_set_line_width(glow.Cr(), 3);
        SetSource(glow.Cr(), Hex(0xFFD870, 0.7));
        cairo_stroke(glow.Cr());
        Blur(glow, 2);
        glow.Paint(faceMask, 0, 0, 1.0, CAIRO_OPERATOR_DEST_IN);
        c.Paint(glow, 0, 0);
    }
    if (content) content(c, m + b, m + b + dy, w - 2 * (m + b), h - 2 * (m + b) - 1, s);
    if (s == ButtonState::Disabled) {
        Desaturate(c, 0.85, 0.12);
        Fade(c, 0.8);
    }
    return c;
}

// The four looks of a button (normal, hover, pressed, disabled) as one strip.
inline Sequence ButtonStrip(int w, int h, uint32_t seed, const ContentPainter& content, double radius = -1) {
    Sequence seq;
    for (int i = 0; i < 4; ++i) seq.Frames.push_back(Plate(w, h, static_cast<ButtonState>(i), seed, content, radius));
    return seq;
}

// A labelled plate button, the label size following the height.
inline Sequence TextButton(int w, int h, uint32_t seed, const std::string& text) {
    return ButtonStrip(w, h, seed, Label(text, h * 0.6));
}

// ---- Icons (gilded line drawings on a transparent canvas region) ----

// Strokes the current path as raised gold with a dark rim.
inline void GoldStroke(cairo_t* cr, double width, double y0, double y1, bool bright = false) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, width + 2.2);
    SetSource(cr, Hex(0x2A1404, 0.9));
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, width);
    cairo_pattern_t* p = LinearGradient(0, y0, 0, y1, {{0.0, bright ? Hex(0xFFFFF0) : Hex(0xFFF4C0)}, {1.0, bright ? Hex(0xFFC850) : Hex(0xD89830)}});
    cairo_set_source(cr, p);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
}

// Fills the current path as raised gold with a dark rim.
inline void GoldFill(cairo_t* cr, double y0, double y1, bool bright = false) {
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 2.2);
    SetSource(cr, Hex(0x2A1404, 0.9));
    cairo_stroke_preserve(cr);
    cairo_pattern_t* p = LinearGradient(0, y0, 0, y1, {{0.0, bright ? Hex(0xFFFFF0) : Hex(0xFFF4C0)}, {1.0, bright ? Hex(0xFFC850) : Hex(0xD89830)}});
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// A solid arrow head pointing left (dir -1) or right (dir +1) in the box.
inline ContentPainter ArrowIcon(int dir) {
    return [dir](Canvas& c, double x, double y, double w, double h, ButtonState s) {
        cairo_t* cr = c.Cr();
        const double cx = x + w / 2, cy = y + h / 2, r = std::min(w, h) * 0.36;
        cairo_move_to(cr, cx + dir * r, cy);
        cairo_line_to(cr, cx - dir * r * 0.7, cy - r);
        cairo_line_to(cr, cx - dir * r * 0.35, cy);
        cairo_line_to(cr, cx - dir * r * 0.7, cy + r);
        cairo_close_path(cr);
        GoldFill(cr, cy - r, cy + r, s == ButtonState::Hover);
    };
}


// ---- Ornaments and scenery ----

// A gilded line emblem of the site: a stepped pyramid under a rayed sun, centred at (cx, cy).
inline void Emblem(Canvas& c, double cx, double cy, double size) {
    cairo_t* cr = c.Cr();
    const double s = size / 40.0;
    for (int i = 0; i < 3; ++i) {
        const double hw = (18 - 5 * i) * s, y = cy + (12 - 7 * i) * s;
        cairo_rectangle(cr, cx - hw, y - 7 * s, 2 * hw, 7 * s);
    }
    GoldFill(cr, cy - 10 * s, cy + 12 * s);
    cairo_arc(cr, cx, cy - 15 * s, 4 * s, 0, 2 * Pi);
    GoldFill(cr, cy - 19 * s, cy - 11 * s);
    for (int i = 0; i < 7; ++i) {
        const double a = Pi + Pi * (i + 0.5) / 7;
        cairo_move_to(cr, cx + std::cos(a) * 6.5 * s, cy - 15 * s + std::sin(a) * 6.5 * s);
        cairo_line_to(cr, cx + std::cos(a) * 10 * s, cy - 15 * s + std::sin(a) * 10 * s);
        GoldStroke(cr, 1.2 * s, cy - 25 * s, cy - 15 * s);
    }
}

// The building site in warm sunlight as a screen's backdrop: sky, far hills, a pyramid under
// construction, palms and sand, graded with the low sun.
inline Canvas SiteBackdrop(int w, int h, uint32_t seed) {
    // Soft distant scenery: painted at half size and enlarged, then given full-size grain.
    const int sw = (w + 1) / 2, sh = (h + 1) / 2;
    Canvas s(sw, sh);
    const double sunX = sw * 0.78, sunY = sh * 0.2;
    DrawSky(s, seed ^ 0x1u, sunX, sunY);
    DrawHills(s, seed ^ 0x2u, sh * 0.58, sh * 0.05, Hex(0xB8906A), 0.8);
    DrawPyramid(s, seed ^ 0x3u, sw * 0.2, sh * 0.66, sw * 0.34, sh * 0.3, 9, 0.7);
    DrawPyramid(s, seed ^ 0x4u, sw * 0.86, sh * 0.64, sw * 0.2, sh * 0.16, 6, 1.0);
    DrawHills(s, seed ^ 0x5u, sh * 0.66, sh * 0.03, Hex(0xC8A070), 0.4);
    DrawGround(s, seed ^ 0x6u, sh * 0.68);
    DrawPalm(s, seed ^ 0x7u, sw * 0.05, sh * 0.86, sh * 0.42, sw * 0.03);
    DrawPalm(s, seed ^ 0x8u, sw * 0.95, sh * 0.9, sh * 0.36, -sw * 0.03);
    SunGrade(s, seed ^ 0xAu, sunX, sunY, 0.35);
    Canvas c(w, h);
    c.PaintScaled(s, 0, 0, static_cast<double>(w) / sw, static_cast<double>(h) / sh);
    Grain(c, seed ^ 0xBu, 0.02);
    return c;
}

// ---- Data of other modules and of the game texts ----

// The finished picture of another module's job (same seed, so the very same pixels): board tiles and
// gems are painted once, by their own module, and reused here.
inline Sequence ForeignPicture(const ArtContext& ctx, const std::string& module, const std::string& path) {
    std::vector<ArtJob> jobs;
    for (const ModuleEntry& m : Modules())
        if (m.Name == module) {
            ModuleRegistrar reg(m.Name, jobs);
            m.Function(reg);
        }
    for (const ExpandedJob& e : ExpandJobs(jobs))
        if (e.Path == path) {
            ArtContext sub(e.JobLayout, ctx.Data(), e.Path, "", "");
            return e.Job->Draw(sub);
        }
    throw std::runtime_error("no picture " + path + " in module " + module);
}

// A text element's box from the layout's texts file (data/cfg/texts/r<W>x<H>_l1033.xml).
struct TextBox {
    double X = 0, Y = 0, W = 0, H = 0;
};

// Every element with this tag (and, when given, this Id) in the texts of the context's layout.
inline std::vector<TextBox> TextBoxes(const ArtContext& ctx, const std::string& tag) {
    const std::string file = ctx.Data().DataDir + "/cfg/texts/r" + std::to_string(ctx.GameWidth()) + "x" +
                             std::to_string(ctx.GameHeight()) + "_l1033.xml";
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file);
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string text = ss.str();
    std::vector<TextBox> out;
    const std::regex element("<" + tag + R"(\s([^>]*)>)");
    auto attr = [](const std::string& attrs, const char* name) {
        const std::regex a(std::string("\\b") + name + R"re(\s*=\s*"([-0-9.]+)")re");
        std::smatch m;
        return std::regex_search(attrs, m, a) ? std::stod(m[1].str()) : 0.0;
    };
    for (auto it = std::sregex_iterator(text.begin(), text.end(), element); it != std::sregex_iterator(); ++it) {
        const std::string attrs = (*it)[1].str();
        out.push_back({attr(attrs, "X"), attr(attrs, "Y"), attr(attrs, "Width"), attr(attrs, "Height")});
    }
    return out;
}

}  // namespace vantero::art::uib
