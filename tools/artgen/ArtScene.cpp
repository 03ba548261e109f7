#include "ArtScene.h"

#include <algorithm>
#include <cmath>

namespace vantero::art {

void DrawSky(Canvas& c, uint32_t seed, double sunX, double sunY) {
    const Canvas sky = SkyTexture(c.Width(), c.Height(), seed, sunX, sunY);
    c.Paint(sky, 0, 0);
}

void DrawHills(Canvas& c, uint32_t seed, double baseY, double amplitude, const Rgba& colour, double haze) {
    const ValueNoise n(seed);
    const int w = c.Width();
    Canvas layer(c.Width(), c.Height());
    cairo_t* cr = layer.Cr();
    cairo_move_to(cr, 0, c.Height());
    for (int x = 0; x <= w; x += 4) {
        const double y = baseY - amplitude * (n.Fbm(x / 260.0, 0.5, 4) * 1.4 - 0.2);
        cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, w, c.Height());
    cairo_close_path(cr);
    const Rgba top = Mix(colour, palette::SkyHorizon, haze * 0.6);
    FillLinear(cr, 0, baseY - amplitude, 0, baseY + amplitude * 0.6, {{0.0, Lighten(top, 0.08)}, {1.0, Mix(top, colour, 0.5)}});
    NoiseShade(layer, ValueNoise(seed ^ 0x44), 40.0, 0.08 * (1 - haze), 3);
    c.Paint(layer, 0, 0);
}

void DrawGround(Canvas& c, uint32_t seed, double topY) {
    const int h = static_cast<int>(std::ceil(c.Height() - topY)) + 2;
    if (h <= 0) return;
    Canvas sand = SandTexture(c.Width(), h, seed);
    // Nearer ground gets darker and warmer; the horizon line is softened by haze.
    PaintLinear(sand, 0, 0, 0, h, {{0.0, Hex(0xF6E2B6, 0.55)}, {0.25, Hex(0xF6E2B6, 0.0)}, {1.0, Hex(0x6B4420, 0.35)}});
    c.Paint(sand, 0, std::floor(topY));
}

void DrawStoneBlock(Canvas& c, uint32_t seed, double x, double y, double w, double h) {
    const int bw = static_cast<int>(std::ceil(w)) + 2, bh = static_cast<int>(std::ceil(h)) + 2;
    const double top = std::max(4.0, h * 0.28);
    Canvas shape(bw, bh + static_cast<int>(top));
    cairo_t* cr = shape.Cr();
    // Front face.
    RoughRectPath(cr, 1, top, w, h - 1, 0.9, seed, 5);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    const Canvas tex = StoneTexture(bw, bh + static_cast<int>(top), seed, palette::Stone, 18);
    Canvas block = MaskWith(tex, shape);
    cairo_t* bc = block.Cr();
    // Top face, lit by the sun.
    cairo_move_to(bc, 1, top);
    cairo_line_to(bc, 1 + w * 0.12, 1);
    cairo_line_to(bc, w + 1 - w * 0.02, 1);
    cairo_line_to(bc, w + 1, top);
    cairo_close_path(bc);
    cairo_set_source_surface(bc, tex.Surface(), 0, 0);
    cairo_fill_preserve(bc);
    SetSource(bc, Hex(0xFFF1C8, 0.35));
    cairo_fill(bc);
    // Front face slightly shaded.
    cairo_rectangle(bc, 0, top, bw, bh);
    FillLinear(bc, 0, top, w, top, {{0.0, Hex(0x3A2410, 0.30)}, {1.0, Hex(0x3A2410, 0.05)}});
    Bevel(block, 1.5, 0.8);
    DropShadow(c, block, x, y - top, -w * 0.18, 3, std::max(2.0, h * 0.12), Hex(0x3A2410, 0.45));
    c.Paint(block, x, y - top);
}

void DrawPyramid(Canvas& c, uint32_t seed, double cx, double baseY, double width, double height, int tiers, double built) {
    const double tierH = height / tiers;
    const int laid = std::clamp(static_cast<int>(std::lround(tiers * built)), 0, tiers);
    const int W = static_cast<int>(width) + 8, H = static_cast<int>(height) + 8;
    const Canvas lit = StoneTexture(W, H, seed, Hex(0xE9CF9C), 26);
    const Canvas shade = StoneTexture(W, H, seed ^ 0x5, Hex(0xB08458), 26);
    Canvas pyr(W, H);
    cairo_t* cr = pyr.Cr();
    const double ox = 4, oy = 4;
    for (int t = 0; t < laid; ++t) {
        const double y1 = oy + height - t * tierH, y0 = y1 - tierH;
        const double halfBottom = width / 2 * (1.0 - static_cast<double>(t) / tiers);
        const double halfTop = width / 2 * (1.0 - static_cast<double>(t + 1) / tiers) + tierH * 0.2;
        const double mx = ox + width / 2;
        // Left (shadow) half and right (sunlit) half of the tier face.
        cairo_move_to(cr, mx - halfBottom, y1);
        cairo_line_to(cr, mx - halfTop, y0);
        cairo_line_to(cr, mx + width * 0.06 * (1 - double(t) / tiers), y0);
        cairo_line_to(cr, mx + width * 0.06 * (1 - double(t) / tiers), y1);
        cairo_close_path(cr);
        cairo_set_source_surface(cr, shade.Surface(), 0, 0);
        cairo_fill(cr);
        cairo_move_to(cr, mx + width * 0.06 * (1 - double(t) / tiers), y1);
        cairo_line_to(cr, mx + width * 0.06 * (1 - double(t) / tiers), y0);
        cairo_line_to(cr, mx + halfTop, y0);
        cairo_line_to(cr, mx + halfBottom, y1);
        cairo_close_path(cr);
        cairo_set_source_surface(cr, lit.Surface(), 0, 0);
        cairo_fill(cr);
        // Course lines of the blocks.
        cairo_set_line_width(cr, 1.0);
        SetSource(cr, Hex(0x4A3018, 0.35));
        cairo_move_to(cr, mx - halfBottom, y1 - 0.5);
        cairo_line_to(cr, mx + halfBottom, y1 - 0.5);
        cairo_stroke(cr);
        const double step = std::max(8.0, tierH * 1.6);
        for (double bx = mx - halfBottom + step * ((t % 2) ? 0.5 : 1.0); bx < mx + halfBottom - 2; bx += step) {
            cairo_move_to(cr, bx, y1 - 1);
            cairo_line_to(cr, bx, y0 + 1);
        }
        SetSource(cr, Hex(0x4A3018, 0.22));
        cairo_stroke(cr);
    }
    Bevel(pyr, 1.2, 0.6);
    // Scaffolding over the unbuilt tiers.
    if (laid < tiers) {
        const double y1 = oy + height - laid * tierH, yTop = oy + height * 0.04;
        const double half = width / 2 * (1.0 - static_cast<double>(laid) / tiers);
        const double mx = ox + width / 2;
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        ArtRandom r(seed);
        const Rgba wood = Hex(0x6B4423), woodLit = Hex(0xA8763F);
        for (int i = 0; i <= 4; ++i) {
            const double px = mx - half * 0.8 + i * half * 0.4;
            const double top = yTop + std::abs(px - mx) / half * (y1 - yTop) * 0.8 + r.Real(-2, 2);
            cairo_set_line_width(cr, std::max(1.5, width / 160));
            SetSource(cr, i % 2 ? woodLit : wood);
            cairo_move_to(cr, px, y1 + 1);
            cairo_line_to(cr, px, top);
            cairo_stroke(cr);
        }
        for (double yy = y1 - tierH * 0.9; yy > yTop + tierH; yy -= tierH * 1.1) {
            const double hw = half * (0.2 + 0.8 * (yy - yTop) / (y1 - yTop));
            cairo_set_line_width(cr, std::max(1.2, width / 220));
            SetSource(cr, woodLit);
            cairo_move_to(cr, mx - hw, yy);
            cairo_line_to(cr, mx + hw, yy);
            cairo_stroke(cr);
        }
    }
    // Its shadow falls on the ground away from the sun (to the left), not into the sky.
    cairo_t* gc = c.Cr();
    cairo_save(gc);
    EllipsePath(gc, cx - width * 0.12, baseY - 2, width * 0.62, std::max(4.0, height * 0.06));
    FillRadial(gc, cx - width * 0.12, baseY - 2, 0, width * 0.62, {{0.0, Hex(0x4A2A10, 0.35)}, {1.0, Hex(0x4A2A10, 0.0)}});
    cairo_restore(gc);
    c.Paint(pyr, cx - width / 2 - ox, baseY - height - oy);
}

void DrawPalm(Canvas& c, uint32_t seed, double x, double baseY, double height, double lean) {
    cairo_t* cr = c.Cr();
    ArtRandom r(seed);
    const double topX = x + lean, topY = baseY - height;
    cairo_save(cr);
    // Trunk: a tapered curve with rings.
    const int segs = 14;
    for (int i = 0; i < segs; ++i) {
        const double t0 = double(i) / segs, t1 = double(i + 1) / segs;
        auto px = [&](double t) { return x + lean * t * t; };
        auto py = [&](double t) { return baseY - height * t; };
        const double w0 = height * 0.045 * (1 - 0.5 * t0), w1 = height * 0.045 * (1 - 0.5 * t1);
        cairo_move_to(cr, px(t0) - w0, py(t0));
        cairo_line_to(cr, px(t1) - w1, py(t1));
        cairo_line_to(cr, px(t1) + w1, py(t1));
        cairo_line_to(cr, px(t0) + w0, py(t0));
        cairo_close_path(cr);
        FillLinear(cr, px(t0) - w0, 0, px(t0) + w0, 0, {{0.0, Hex(0x4A3018)}, {0.6, Hex(0x8A6238)}, {1.0, Hex(0xB08850)}});
    }
    // Fronds: drooping tapered leaves.
    const int fronds = 9;
    for (int i = 0; i < fronds; ++i) {
        const double a = -M_PI / 2 + (i - (fronds - 1) / 2.0) * 0.42 + r.Real(-0.1, 0.1);
        const double len = height * r.Real(0.42, 0.55);
        const double ex = topX + std::cos(a) * len, ey = topY + std::sin(a) * len * 0.5 + len * 0.45;
        const double mx = topX + std::cos(a) * len * 0.55, my = topY + std::sin(a) * len * 0.6 - len * 0.08;
        const double wdt = height * 0.05;
        cairo_move_to(cr, topX, topY);
        cairo_curve_to(cr, mx, my - wdt, mx + (ex - mx) * 0.5, my + (ey - my) * 0.3 - wdt * 0.5, ex, ey);
        cairo_curve_to(cr, mx + (ex - mx) * 0.4, my + (ey - my) * 0.5 + wdt * 0.4, mx, my + wdt, topX, topY);
        cairo_close_path(cr);
        const Rgba g1 = Hex(0x3F5E22), g2 = Hex(0x7F9A3A);
        FillLinear(cr, topX, topY - len * 0.3, ex, ey, {{0.0, g2}, {1.0, g1}});
    }
    cairo_restore(cr);
}

void DrawCrane(Canvas& c, double x, double baseY, double height, bool facingLeft) {
    cairo_t* cr = c.Cr();
    const double dir = facingLeft ? -1 : 1;
    const double lw = std::max(2.0, height / 45);
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const Rgba dark = Hex(0x5A3A1C), lit = Hex(0xA47440);
    // A-frame legs.
    cairo_set_line_width(cr, lw * 1.4);
    SetSource(cr, dark);
    cairo_move_to(cr, x - height * 0.18, baseY);
    cairo_line_to(cr, x, baseY - height);
    cairo_line_to(cr, x + height * 0.18, baseY);
    cairo_stroke(cr);
    SetSource(cr, lit);
    cairo_set_line_width(cr, lw * 0.6);
    cairo_move_to(cr, x - height * 0.18 + lw * 0.4, baseY);
    cairo_line_to(cr, x + lw * 0.3, baseY - height);
    cairo_stroke(cr);
    // Cross bar and boom.
    cairo_set_line_width(cr, lw);
    SetSource(cr, dark);
    cairo_move_to(cr, x - height * 0.1, baseY - height * 0.45);
    cairo_line_to(cr, x + height * 0.1, baseY - height * 0.45);
    cairo_stroke(cr);
    const double bx = x + dir * height * 0.55, by = baseY - height * 1.08;
    cairo_set_line_width(cr, lw * 1.2);
    cairo_move_to(cr, x - dir * height * 0.12, baseY - height * 0.8);
    cairo_line_to(cr, bx, by);
    cairo_stroke(cr);
    // Rope and a hanging block.
    cairo_set_line_width(cr, std::max(1.0, lw * 0.35));
    SetSource(cr, Hex(0x3A2A18));
    cairo_move_to(cr, bx, by);
    cairo_line_to(cr, bx, by + height * 0.45);
    cairo_stroke(cr);
    const double s = height * 0.1;
    RoundRectPath(cr, bx - s * 0.7, by + height * 0.45, s * 1.4, s, 1.5);
    FillLinear(cr, bx - s, 0, bx + s, 0, {{0.0, Hex(0xA88660)}, {1.0, Hex(0xE6CB98)}});
    cairo_restore(cr);
}

void SunGrade(Canvas& c, uint32_t seed, double sunX, double sunY, double vignette) {
    cairo_t* cr = c.Cr();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOFT_LIGHT);
    cairo_rectangle(cr, 0, 0, c.Width(), c.Height());
    FillRadial(cr, sunX, sunY, 0, std::hypot(c.Width(), c.Height()),
               {{0.0, Hex(0xFFE2A0, 0.55)}, {0.5, Hex(0xF0B060, 0.25)}, {1.0, Hex(0x6A3A20, 0.35)}});
    cairo_restore(cr);
    Vignette(c, vignette, 0.5);
    Grain(c, seed, 0.035);
}

void DrawTrough(Canvas& c, double x, double y, double w, double h) {
    cairo_t* cr = c.Cr();
    const double frame = 6, r = h / 2 + frame;
    Canvas f(static_cast<int>(w + 2 * frame + 4), static_cast<int>(h + 2 * frame + 4));
    cairo_t* fc = f.Cr();
    RoundRectPath(fc, 2, 2, w + 2 * frame, h + 2 * frame, r);
    FillLinear(fc, 0, 2, 0, h + 2 * frame, {{0.0, Hex(0xE8B86A)}, {0.45, palette::Bronze}, {1.0, Hex(0x4A2A10)}});
    Bevel(f, 2.0, 1.0);
    RoundRectPath(fc, 2 + frame, 2 + frame, w, h, h / 2);
    FillLinear(fc, 0, 2 + frame, 0, 2 + frame + h, {{0.0, Hex(0x1A0E06)}, {0.5, Hex(0x2E1C0E)}, {1.0, Hex(0x4A3220)}});
    // Inner shadow of the trough's upper lip.
    RoundRectPath(fc, 2 + frame, 2 + frame, w, h * 0.5, h / 4);
    SetSource(fc, Hex(0x000000, 0.25));
    cairo_fill(fc);
    DropShadow(c, f, x - frame - 2, y - frame - 2, 0, 3, 4, Hex(0x1A0C04, 0.6));
    (void)cr;
    c.Paint(f, x - frame - 2, y - frame - 2);
}

}  // namespace vantero::art
