// The frame around a smaller game area on a larger screen: a tiled wall, four corner blocks
// with gilded rosettes, and carved brick bands along the edges (B = 30).
#include "ArtJobs.h"

#include <cmath>

namespace vantero::art {
namespace {

constexpr int B = 30;        // band width
constexpr int Period = 64;   // length of one band piece (the bands repeat every 64 px)

uint32_t PackRgb(const Rgba& c) {
    auto v = [](double x) { return static_cast<uint32_t>(std::clamp(std::lround(x * 255), 0L, 255L)); };
    return 0xFF000000u | v(c.r) << 16 | v(c.g) << 8 | v(c.b);
}
Rgba FromPixel(uint32_t p) { return Hex(p & 0xFFFFFF); }

// One horizontal band, outer edge at the top (v = 0) and the game area below (v = B - 1).
Canvas HBand(int length, int phase, uint32_t seed) {
    const Canvas stone = StoneTexture(Period, Period, seed, Hex(0xC8A070), 14, true);
    Canvas c(length, B);
    uint32_t* px = c.Pixels();
    const int s = c.StridePixels();
    const uint32_t* st = stone.Pixels();
    const int ss = stone.StridePixels();
    for (int v = 0; v < B; ++v)
        for (int x = 0; x < length; ++x) {
            const int u = ((x + phase) % Period + Period) % Period;
            Rgba col;
            if (v < 3) col = Mix(Hex(0x2A1608), Hex(0x5A3A1C), v / 2.0);
            else if (v < 6) col = Mix(Hex(0xF2CC7A), Hex(0x9A6420), (v - 3) / 2.0);         // bronze bead
            else if (v < 24) {
                col = FromPixel(st[(v + 7) * ss + u]);
                const double t = (v - 6) / 17.0;
                col = Mix(Lighten(col, 0.18), Darken(col, 0.28), t);                       // lit from outside
                const int m = u % 32;
                if (m == 0 || m == 31) col = Darken(col, m == 0 ? 0.55 : 0.25);              // joints
                else if (m == 1) col = Lighten(col, 0.2);
                if (v == 6) col = Lighten(col, 0.3);
                if (v == 23) col = Darken(col, 0.4);
            } else if (v < 27) col = Mix(Hex(0xFFE6A0), Hex(0xB07A28), (v - 24) / 2.0);     // gold fillet
            else col = Mix(Hex(0x3A200C), Hex(0x1A0C04), (v - 27) / 2.0);                   // recess
            px[v * s + x] = PackRgb(col);
        }
    c.MarkDirty();
    return c;
}

Canvas Transpose(const Canvas& src) {
    Canvas c(src.Height(), src.Width());
    const uint32_t* sp = src.Pixels();
    uint32_t* dp = c.Pixels();
    for (int y = 0; y < src.Height(); ++y)
        for (int x = 0; x < src.Width(); ++x) dp[x * c.StridePixels() + y] = sp[y * src.StridePixels() + x];
    c.MarkDirty();
    return c;
}

Canvas Flip(const Canvas& src, bool horizontal, bool vertical) {
    Canvas c(src.Width(), src.Height());
    cairo_t* cr = c.Cr();
    cairo_translate(cr, horizontal ? src.Width() : 0, vertical ? src.Height() : 0);
    cairo_scale(cr, horizontal ? -1 : 1, vertical ? -1 : 1);
    cairo_set_source_surface(cr, src.Surface(), 0, 0);
    cairo_paint(cr);
    cairo_identity_matrix(cr);
    return c;
}

// The upper-left corner: 60 x 60, the outer 30 x 30 block carries a rosette.
Canvas UpLeftCorner(uint32_t seed) {
    Canvas c(2 * B, 2 * B);
    cairo_t* cr = c.Cr();
    cairo_rectangle(cr, B, B, B, B);
    SetSource(cr, Hex(0x1A0C04));
    cairo_fill(cr);
    c.Paint(HBand(B, Period - B, seed), B, 0);
    c.Paint(Transpose(HBand(B, Period - B, seed)), 0, B);
    // Corner block.
    Canvas block(B, B);
    cairo_t* bc = block.Cr();
    cairo_set_source_surface(bc, StoneTexture(B, B, seed ^ 0xC0, Hex(0xC09060), 10).Surface(), 0, 0);
    cairo_paint(bc);
    Bevel(block, 2.5, 1.2);
    cairo_rectangle(bc, 0.5, 0.5, B - 1, B - 1);
    cairo_set_line_width(bc, 1);
    SetSource(bc, Hex(0x2A1608));
    cairo_stroke(bc);
    const double cx = B / 2.0, cy = B / 2.0;
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        cairo_save(bc);
        cairo_translate(bc, cx + std::cos(a) * 6, cy + std::sin(a) * 6);
        cairo_rotate(bc, a);
        cairo_scale(bc, 4.2, 2.2);
        cairo_arc(bc, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(bc);
    }
    FillLinear(bc, 4, 4, B - 4, B - 4, {{0.0, Hex(0xFFF0B0)}, {0.5, palette::Gold}, {1.0, Hex(0x8A5412)}});
    cairo_arc(bc, cx, cy, 3.4, 0, 2 * M_PI);
    FillRadial(bc, cx - 1, cy - 1, 0, 4, {{0.0, Hex(0xFFFFFF)}, {1.0, Hex(0xC07A18)}});
    cairo_arc(bc, cx, cy, 11.5, 0, 2 * M_PI);
    cairo_set_line_width(bc, 1.2);
    SetSource(bc, Hex(0x5A3010, 0.8));
    cairo_stroke(bc);
    c.Paint(block, 0, 0);
    return c;
}

// The wall behind everything: dark sandstone ashlar, seamless in both directions.
Canvas MainBack(uint32_t seed) {
    const int n = 256;
    Canvas c = StoneTexture(n, n, seed, Hex(0x7A5A3C), 40, true);
    NoiseShade(c, ValueNoise(seed ^ 0xB10C, 4, 4), 64.0, 0.12, 3);
    cairo_t* cr = c.Cr();
    // Courses of blocks 128 x 64, every other row shifted by half a block; drawn so the tile wraps.
    cairo_set_line_width(cr, 2.0);
    for (int row = 0; row < 4; ++row) {
        const double y = row * 64;
        for (int dy : {0, n}) {
            cairo_move_to(cr, 0, y + 1 + dy - (dy ? n : 0));
            cairo_line_to(cr, n, y + 1);
        }
        SetSource(cr, Hex(0x2A1A0C, 0.7));
        cairo_move_to(cr, 0, y + 1);
        cairo_line_to(cr, n, y + 1);
        cairo_stroke(cr);
        SetSource(cr, Hex(0xE0C090, 0.22));
        cairo_move_to(cr, 0, y + 3);
        cairo_line_to(cr, n, y + 3);
        cairo_stroke(cr);
        const int shift = (row % 2) ? 64 : 0;
        for (int bx = shift; bx < n + 64; bx += 128) {
            const double x = bx % n;
            SetSource(cr, Hex(0x2A1A0C, 0.7));
            cairo_move_to(cr, x + 1, y + 2);
            cairo_line_to(cr, x + 1, y + 64);
            cairo_stroke(cr);
            SetSource(cr, Hex(0xE0C090, 0.18));
            cairo_move_to(cr, x + 3, y + 4);
            cairo_line_to(cr, x + 3, y + 64);
            cairo_stroke(cr);
        }
    }
    Tint(c, Hex(0x3A2414), 0.35);
    return c;
}

}  // namespace
}  // namespace vantero::art

ARTGEN_MODULE(border) {
    using namespace vantero::art;
    const std::string dir = "no-gfx/base/backtextures/";
    reg.Add(dir + "mainback.jpg", [](ArtContext& ctx) { return Sequence(MainBack(ctx.SubSeed("wall"))); }, {.JpegQuality = 88}, 2.0);
    const uint32_t band = 0xBA4D;   // one stone for every band piece, so they match
    reg.Add(dir + "upleftcorner.png", [=](ArtContext&) { return Sequence(UpLeftCorner(band)); });
    reg.Add(dir + "uprightcorner.png", [=](ArtContext&) { return Sequence(Flip(UpLeftCorner(band), true, false)); });
    reg.Add(dir + "downleftcorner.png", [=](ArtContext&) { return Sequence(Flip(UpLeftCorner(band), false, true)); });
    reg.Add(dir + "downrightcorner.png", [=](ArtContext&) { return Sequence(Flip(UpLeftCorner(band), true, true)); });
    reg.Add(dir + "upbricks.png", [=](ArtContext&) { return Sequence(HBand(Period, 0, band)); });
    reg.Add(dir + "downbricks.png", [=](ArtContext&) { return Sequence(Flip(HBand(Period, 0, band), false, true)); });
    reg.Add(dir + "leftbricks.png", [=](ArtContext&) { return Sequence(Transpose(HBand(Period, 0, band))); });
    reg.Add(dir + "rightbricks.png", [=](ArtContext&) { return Sequence(Flip(Transpose(HBand(Period, 0, band)), true, false)); });
}
