// The bricks thrown out of the board (four kinds): spinning in flight, settling on the ground
// and cracking into crumbs. 16 x 16, anchored at the middle of the bottom edge.
#include "PuppetKit.h"

#include <cmath>

namespace vantero::art {
namespace {
using namespace puppet;

constexpr int N = 16;

// Lowest point of a w x h box turned by a: its half height on screen.
double HalfExtent(double w, double h, double a) { return 0.5 * (std::fabs(std::sin(a)) * w + std::fabs(std::cos(a)) * h); }

void BrickAt(Canvas& c, int v, double angle, double lift, double squash = 1.0) {
    double w, h;
    BrickSize(v, w, h);
    cairo_t* cr = c.Cr();
    cairo_save(cr);
    const double e = HalfExtent(w, h, angle) * squash;
    cairo_translate(cr, N / 2.0, N - 0.5 - e - lift);
    cairo_scale(cr, 1.0 / squash, squash);
    DrawBrick(cr, v, w, h, angle, 0xB1C0 + v);
    cairo_restore(cr);
}

Sequence Roll(int v) {
    return Render(16, N, N, [v](Canvas& c, int f) { BrickAt(c, v, f * 2 * M_PI / 16, 0); });
}

// Lands tilted, rocks and lies flat (the last frame stays on screen).
Sequence Fall(int v) {
    const double tilt[6] = {0.5, -0.18, 0.1, -0.04, 0.0, 0.0};
    const double squash[6] = {1.0, 0.88, 1.0, 0.96, 1.0, 1.0};
    return Render(6, N, N, [&](Canvas& c, int f) {
        if (f < 3) {
            // A small puff of dust.
            cairo_t* cr = c.Cr();
            for (int s : {-1, 1}) {
                cairo_arc(cr, N / 2.0 + s * (4 + f * 1.5), N - 2.0 - f * 0.5, 1.5 + f * 0.5, 0, 2 * M_PI);
                SetSource(cr, Hex(0xE8D0A0, 0.7 - f * 0.2));
                cairo_fill(cr);
            }
        }
        BrickAt(c, v, tilt[f], 0, squash[f]);
    });
}

// Cracks, falls apart into pieces that crumble to dust and vanish.
Sequence Crack(int v) {
    double w, h;
    BrickSize(v, w, h);
    return Render(8, N, N, [&](Canvas& c, int f) {
        cairo_t* cr = c.Cr();
        const double k = f / 7.0;
        const double alpha = f < 5 ? 1.0 : 1.0 - (f - 4) / 4.0;
        if (f < 2) {
            BrickAt(c, v, 0, 0);
            // The crack line.
            cairo_move_to(cr, N / 2.0 - 1, N - 1.0 - h);
            cairo_line_to(cr, N / 2.0 + 0.5, N - 1.0 - h * 0.55);
            cairo_line_to(cr, N / 2.0 - 0.5, N - 1.0 - h * 0.3);
            if (f == 1) cairo_line_to(cr, N / 2.0 + 1, N - 1.0);
            SetSource(cr, Hex(0x1A0E06, 0.9));
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
            return;
        }
        const int pieces = 4;
        for (int i = 0; i < pieces; ++i) {
            const double side = i % 2 ? 1 : -1;
            const double up = i < 2 ? 1 : 0;
            const double spread = (k - 0.25) * 6;
            const double px = N / 2.0 + side * (w * 0.22 + spread * (1 + 0.3 * up));
            const double py = N - 1.0 - h * (0.25 + 0.45 * up) * (1 - k * 0.9) - 0.5;
            cairo_save(cr);
            cairo_translate(cr, px, std::min(py, N - 1.5));
            cairo_push_group(cr);
            DrawBrick(cr, v, w * 0.45 * (1 - 0.4 * k), h * 0.45 * (1 - 0.4 * k), side * k * 0.8, 0x77 + i);
            cairo_pop_group_to_source(cr);
            cairo_paint_with_alpha(cr, alpha);
            cairo_restore(cr);
        }
        // Crumbs and dust.
        ArtRandom r(0xC0 + v);
        for (int i = 0; i < 8; ++i) {
            const double x = N / 2.0 + r.Real(-1, 1) * (2 + k * 6), y = N - 1.0 - r.Real(0, 1.5);
            cairo_arc(cr, x, y, r.Real(0.5, 0.9), 0, 2 * M_PI);
            SetSource(cr, WithAlpha(Darken(Hex(v == 3 ? 0x9A9A94 : 0xB08A55), 0.2), alpha * 0.9));
            cairo_fill(cr);
        }
    });
}

}  // namespace
}  // namespace vantero::art

ARTGEN_MODULE(bricks) {
    using namespace vantero::art;
    using namespace vantero::art::puppet;
    for (int v = 1; v <= 4; ++v) {
        const std::string n = "0" + std::to_string(v);
        AddFigure(reg, "base/bricks/brickroll" + n + ".16.gif", [v](ArtContext&) { return Roll(v); });
        AddFigure(reg, "base/bricks/brickfall" + n + ".6.gif", [v](ArtContext&) { return Fall(v); });
        AddFigure(reg, "base/bricks/brickcrack" + n + ".8.gif", [v](ArtContext&) { return Crack(v); });
    }
}
