// The gems of the board: eight carved and polished stones, each with its own colour and its own
// silhouette (round, square, triangle, diamond, hexagon, teardrop, cross, star) so they can be told
// apart without colour. Every kind has a resting shimmer, a spinning selected look, a shattering
// removal and an additive glint overlay.
#include "ArtJobs.h"
#include "ArtboardKit.h"

#include <cmath>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace vantero::art {
namespace {

using namespace kit;

enum class Cut { Round, Square, Triangle, Diamond, Hexagon, Teardrop, Cross, Star };

struct GemKind {
    int Index;          // sprite number of the game data
    Cut Shape;
    Rgba Base, Light, Dark;
    double Size;        // radius in cell units (tuned so every silhouette has the same visual weight)
    bool Iridescent;    // facets shift hue (the hidden gem)
};

const std::vector<GemKind>& Kinds() {
    static const std::vector<GemKind> kinds = {
        {11, Cut::Round, Hex(0xD0142E), Hex(0xFF8A8A), Hex(0x4E0010), 0.385, false},     // ruby cabochon
        {12, Cut::Square, Hex(0x169A48), Hex(0x8CF2A8), Hex(0x053A1C), 0.375, false},    // emerald step cut
        {13, Cut::Triangle, Hex(0x2358D8), Hex(0x9CC0FF), Hex(0x0A1A5C), 0.5, false},  // sapphire trillion
        {14, Cut::Diamond, Hex(0xF4BC0C), Hex(0xFFF4A0), Hex(0x7E4E00), 0.455, false},   // topaz lozenge
        {15, Cut::Hexagon, Hex(0x9040CC), Hex(0xE0B0FF), Hex(0x34105A), 0.405, false},   // amethyst hexagon
        {16, Cut::Teardrop, Hex(0xF26A12), Hex(0xFFC080), Hex(0x702400), 0.43, false},   // carnelian drop
        {17, Cut::Cross, Hex(0x18B4AE), Hex(0xA8FFF2), Hex(0x064848), 0.43, false},      // turquoise faience cross
        {18, Cut::Star, Hex(0xF4F0FF), Hex(0xFFFFFF), Hex(0x6A5A88), 0.46, true},        // opal star
    };
    return kinds;
}

struct V2 {
    double x, y;
};

// Outline of a faceted cut in unit radius (y down); empty for the smooth cabochon cuts.
std::vector<V2> Outline(Cut cut) {
    std::vector<V2> p;
    auto ring = [&](int n, double r, double start) {
        for (int i = 0; i < n; ++i) {
            const double a = start + 2 * Pi * i / n;
            p.push_back({r * std::cos(a), r * std::sin(a)});
        }
    };
    switch (cut) {
        case Cut::Square: {
            const double s = 0.86, c = 0.24;   // step cut with chamfered corners
            p = {{-s + c, -s}, {s - c, -s}, {s, -s + c}, {s, s - c}, {s - c, s}, {-s + c, s}, {-s, s - c}, {-s, -s + c}};
            break;
        }
        case Cut::Triangle: {
            const double r = 1.0, cut2 = 0.16;  // trillion with blunted tips
            V2 t[3];
            for (int i = 0; i < 3; ++i) {
                const double a = -Pi / 2 + 2 * Pi * i / 3;
                t[i] = {r * std::cos(a), r * std::sin(a) + 0.12};
            }
            for (int i = 0; i < 3; ++i) {
                const V2 a = t[i], b = t[(i + 1) % 3], z = t[(i + 2) % 3];
                p.push_back({a.x + (z.x - a.x) * cut2, a.y + (z.y - a.y) * cut2});
                p.push_back({a.x + (b.x - a.x) * cut2, a.y + (b.y - a.y) * cut2});
            }
            break;
        }
        case Cut::Diamond: p = {{0, -1.0}, {0.74, 0}, {0, 1.0}, {-0.74, 0}}; break;
        case Cut::Hexagon: ring(6, 0.98, 0); break;
        case Cut::Cross: {
            const double a = 0.34, e = 0.92;
            p = {{-a, -e}, {a, -e}, {a, -a}, {e, -a}, {e, a}, {a, a}, {a, e}, {-a, e}, {-a, a}, {-e, a}, {-e, -a}, {-a, -a}};
            break;
        }
        case Cut::Star:
            for (int i = 0; i < 10; ++i) {
                const double a = -Pi / 2 + Pi * i / 5, r = (i % 2) ? 0.48 : 1.0;
                p.push_back({r * std::cos(a), r * std::sin(a) + 0.06});
            }
            break;
        default: break;
    }
    return p;
}

bool Smooth(Cut c) { return c == Cut::Round || c == Cut::Teardrop; }

// How one gem is posed in a frame.
struct Pose {
    double Spin = 0;       // rotation about the vertical axis (radians)
    double Scale = 1;      // size factor
    double Flash = 0;      // 0..1 towards white-hot
    double Glow = 0;       // inner glow pulse (-1..1)
    double Sparkle = 0.6;  // size of the resting twinkle (0 = none)
    double SparkleAngle = 0;
};

class GemPainter {
public:
    GemPainter(const GemKind& kind, int cell) : kind_(kind), cell_(cell), outline_(Outline(kind.Shape)) {}

    // The gem body alone (no shadow), centred in a cell-sized canvas.
    Canvas Body(const Pose& pose) const {
        Canvas c(cell_, cell_);
        cairo_t* cr = c.Cr();
        const double spin = WrapSpin(pose.Spin);
        const double sx = std::max(0.1, std::cos(spin));
        const double R = kind_.Size * cell_ * pose.Scale;
        const double cx = cell_ / 2.0, cy = cell_ / 2.0 - cell_ * 0.01;
        auto P = [&](V2 v) { return V2{cx + v.x * R * sx, cy + v.y * R}; };
        // A turning stone shows its edge: the silhouette again, shifted and dark, behind the face.
        const double side = std::sin(spin);
        if (std::abs(side) > 0.03) {
            const double dx = -side * R * 0.26;
            auto Q = [&](V2 v) { return V2{cx + v.x * R * sx + dx, cy + v.y * R}; };
            ShapePath(cr, Q, R, sx);
            const V2 a = Q({-1, 0}), b = Q({1, 0});
            FillLinear(cr, a.x, a.y, b.x, b.y, {{0.0, Darken(kind_.Base, 0.25)}, {1.0, kind_.Dark}});
        }
        if (Smooth(kind_.Shape)) PaintCabochon(c, P, R, sx, std::sin(spin), pose);
        else PaintFaceted(c, P, R, sx, spin, pose);
        // Polished-stone mottling and the white-hot flash of a removal.
        NoiseShade(c, ValueNoise(static_cast<uint32_t>(kind_.Index * 7919)), cell_ * 0.18, 0.07, 3);
        if (pose.Flash > 0) Tint(c, Hex(0xFFFBEA), Clamp01(pose.Flash) * 0.85);
        if (pose.Sparkle > 0) {
            const V2 s = P({-0.42, -0.46});
            Twinkle(cr, s.x, s.y, R * 0.55 * pose.Sparkle, pose.SparkleAngle, Hex(0xFFFFFF), 0.95);
        }
        return c;
    }

    // The body over its soft contact shadow (resting and selected looks).
    Canvas WithShadow(const Canvas& body) const {
        Canvas c(cell_, cell_);
        const double k = cell_ / 50.0;
        DropShadow(c, body, 0, 0, 1.2 * k, 2.4 * k, 2.2 * k, Hex(0x1E0E04, 0.55));
        c.Paint(body, 0, 0);
        CutAlpha(c, 14);
        return c;
    }

    // A light mask of the gem's silhouette (alpha only, white), for glints.
    Canvas Silhouette(double scale = 1.0) const {
        Pose p;
        p.Scale = scale;
        p.Sparkle = 0;
        Canvas c(cell_, cell_);
        cairo_t* cr = c.Cr();
        const double R = kind_.Size * cell_ * scale;
        const double cx = cell_ / 2.0, cy = cell_ / 2.0 - cell_ * 0.01;
        auto P = [&](V2 v) { return V2{cx + v.x * R, cy + v.y * R}; };
        ShapePath(cr, P, R, 1.0);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill(cr);
        return c;
    }

    const GemKind& Kind() const { return kind_; }
    int Cell() const { return cell_; }

private:
    // Spins are shown as a symmetric gem turning: the far half of a turn looks like the near half.
    static double WrapSpin(double a) {
        a = std::fmod(a + Pi / 2, Pi);
        if (a < 0) a += Pi;
        return a - Pi / 2;
    }

    template <class Map>
    void ShapePath(cairo_t* cr, Map P, double R, double sx) const {
        cairo_new_path(cr);
        if (kind_.Shape == Cut::Round) {
            const V2 c = P({0, 0});
            cairo_save(cr);
            cairo_translate(cr, c.x, c.y);
            cairo_scale(cr, R * 0.96 * sx, R * 0.96);
            cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
            cairo_restore(cr);
        } else if (kind_.Shape == Cut::Teardrop) {
            // A drop with its point up: a round belly and two curved flanks meeting at the tip.
            const V2 tip = P({0, -1.02}), r1 = P({0.80, 0.28}), b = P({0, 1.0}), l1 = P({-0.80, 0.28});
            const V2 c1 = P({0.30, -0.62}), c2 = P({0.82, -0.28}), c3 = P({0.80, 0.78}), c4 = P({0.44, 1.0});
            const V2 c5 = P({-0.44, 1.0}), c6 = P({-0.80, 0.78}), c7 = P({-0.82, -0.28}), c8 = P({-0.30, -0.62});
            cairo_move_to(cr, tip.x, tip.y);
            cairo_curve_to(cr, c1.x, c1.y, c2.x, c2.y, r1.x, r1.y);
            cairo_curve_to(cr, c3.x, c3.y, c4.x, c4.y, b.x, b.y);
            cairo_curve_to(cr, c5.x, c5.y, c6.x, c6.y, l1.x, l1.y);
            cairo_curve_to(cr, c7.x, c7.y, c8.x, c8.y, tip.x, tip.y);
            cairo_close_path(cr);
        } else {
            for (size_t i = 0; i < outline_.size(); ++i) {
                const V2 q = P(outline_[i]);
                if (i == 0) cairo_move_to(cr, q.x, q.y);
                else cairo_line_to(cr, q.x, q.y);
            }
            cairo_close_path(cr);
        }
    }

    // Brightness of a facet with the given 3D normal under the upper-left sun.
    static double Light(double nx, double ny, double nz) {
        const double lx = -0.52, ly = -0.62, lz = 0.58;
        const double d = std::max(0.0, nx * lx + ny * ly + nz * lz);
        // Half vector between the light and the viewer (0, 0, 1).
        double hx = lx, hy = ly, hz = lz + 1;
        const double hl = std::sqrt(hx * hx + hy * hy + hz * hz);
        hx /= hl; hy /= hl; hz /= hl;
        const double sp = std::pow(std::max(0.0, nx * hx + ny * hy + nz * hz), 24);
        return 0.22 + 0.85 * d + 0.75 * sp;
    }

    Rgba Shade(double b, int facet) const {
        Rgba c;
        if (b < 0.55) c = Mix(kind_.Dark, kind_.Base, b / 0.55);
        else if (b < 1.0) c = Mix(kind_.Base, kind_.Light, (b - 0.55) / 0.45);
        else c = Mix(kind_.Light, Hex(0xFFFFFF), Clamp01((b - 1.0) * 1.6));
        if (kind_.Iridescent) c = Mix(c, HueShift(Hex(0xFF9AD0), facet * 47.0 + b * 60), 0.35);
        return c;
    }

    template <class Map>
    void PaintFaceted(Canvas& c, Map P, double R, double sx, double spin, const Pose& pose) const {
        cairo_t* cr = c.Cr();
        const double cs = std::cos(spin), sn = std::sin(spin);
        auto rot = [&](double nx, double ny, double nz, double& ox, double& oy, double& oz) {
            ox = nx * cs + nz * sn;
            oy = ny;
            oz = -nx * sn + nz * cs;
        };
        const size_t n = outline_.size();
        const double table = kind_.Shape == Cut::Star ? 0.42 : kind_.Shape == Cut::Cross ? 0.5 : 0.56;
        const double tilt = 0.9;   // radians: steep crown facets catch the light strongly
        std::vector<V2> inner(n);
        for (size_t i = 0; i < n; ++i) inner[i] = {outline_[i].x * table - 0.03, outline_[i].y * table - 0.04};
        // Crown facets between the girdle and the table.
        for (size_t i = 0; i < n; ++i) {
            const V2 a = outline_[i], b = outline_[(i + 1) % n];
            double ex = b.y - a.y, ey = -(b.x - a.x);
            const double el = std::hypot(ex, ey);
            ex /= el; ey /= el;
            // Outward normal: the outline runs clockwise on screen (y down).
            double nx, ny, nz;
            rot(ex * std::sin(tilt), ey * std::sin(tilt), std::cos(tilt), nx, ny, nz);
            const double bright = Light(nx, ny, nz) + pose.Glow * 0.06;
            const V2 pa = P(a), pb = P(b), qb = P(inner[(i + 1) % n]), qa = P(inner[i]);
            cairo_move_to(cr, pa.x, pa.y);
            cairo_line_to(cr, pb.x, pb.y);
            cairo_line_to(cr, qb.x, qb.y);
            cairo_line_to(cr, qa.x, qa.y);
            cairo_close_path(cr);
            const Rgba col = Shade(bright, static_cast<int>(i));
            const V2 m = P({(a.x + b.x) / 2, (a.y + b.y) / 2});
            const V2 t = P({(inner[i].x + inner[(i + 1) % n].x) / 2, (inner[i].y + inner[(i + 1) % n].y) / 2});
            FillLinear(cr, m.x, m.y, t.x, t.y, {{0.0, Darken(col, 0.12)}, {1.0, Lighten(col, 0.08)}});
        }
        // The table: a window into the stone with a deep inner glow.
        double tx, ty, tz;
        rot(0, 0, 1, tx, ty, tz);
        const double tb = Light(tx, ty, tz) * 0.72 + pose.Glow * 0.05;
        for (size_t i = 0; i < n; ++i) {
            const V2 q = P(inner[i]);
            if (i == 0) cairo_move_to(cr, q.x, q.y);
            else cairo_line_to(cr, q.x, q.y);
        }
        cairo_close_path(cr);
        const V2 g0 = P({-0.5, -0.5}), g1 = P({0.5, 0.6});
        const Rgba tc = Shade(tb, 99);
        cairo_save(cr);
        FillLinear(cr, g0.x, g0.y, g1.x, g1.y, {{0.0, Lighten(tc, 0.22)}, {0.55, tc}, {1.0, Darken(tc, 0.2)}});
        cairo_restore(cr);
        // Refracted light pooling at the lower right of the table, and star-like table lines.
        for (size_t i = 0; i < n; ++i) {
            const V2 q = P(inner[i]);
            if (i == 0) cairo_move_to(cr, q.x, q.y);
            else cairo_line_to(cr, q.x, q.y);
        }
        cairo_close_path(cr);
        const V2 gl = P({0.22, 0.28});
        FillRadial(cr, gl.x, gl.y, 0, R * 0.55, {{0.0, WithAlpha(kind_.Light, 0.55 + 0.15 * pose.Glow)}, {1.0, WithAlpha(kind_.Light, 0)}});
        cairo_set_line_width(cr, std::max(0.5, R * 0.035));
        for (size_t i = 0; i < n; ++i) {
            const V2 a = P(outline_[i]), b = P(inner[i]);
            cairo_move_to(cr, a.x, a.y);
            cairo_line_to(cr, b.x, b.y);
        }
        SetSource(cr, WithAlpha(Lighten(kind_.Light, 0.4), 0.35));
        cairo_stroke(cr);
        for (size_t i = 0; i < n; ++i) {
            const V2 q = P(inner[i]);
            if (i == 0) cairo_move_to(cr, q.x, q.y);
            else cairo_line_to(cr, q.x, q.y);
        }
        cairo_close_path(cr);
        SetSource(cr, WithAlpha(Hex(0xFFFFFF), 0.4));
        cairo_stroke(cr);
        // Girdle: a thin dark rim keeps the silhouette crisp on any tile.
        ShapePath(cr, P, R, sx);
        cairo_set_line_width(cr, std::max(0.8, R * 0.06));
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        SetSource(cr, WithAlpha(Darken(kind_.Dark, 0.35), 0.9));
        cairo_stroke(cr);
    }

    template <class Map>
    void PaintCabochon(Canvas& c, Map P, double R, double sx, double sn, const Pose& pose) const {
        cairo_t* cr = c.Cr();
        // Dome: bright where it faces the sun, deep colour in the body, dark at the rim.
        ShapePath(cr, P, R, sx);
        const V2 h = P({-0.34 + 0.5 * sn, -0.38});
        const Rgba base = kind_.Base;
        FillRadial(cr, h.x, h.y, 0, R * 1.55,
                   {{0.0, Lighten(kind_.Light, 0.15 + 0.05 * pose.Glow)}, {0.28, Lighten(base, 0.08)}, {0.7, base}, {1.0, kind_.Dark}});
        // Light passing through the stone and pooling at the lower right.
        cairo_save(cr);
        ShapePath(cr, P, R, sx);
        cairo_clip(cr);
        const V2 g = P({0.28 - 0.3 * sn, 0.42});
        GlowDisc(cr, g.x, g.y, R * 0.75, kind_.Light, 0.55 + 0.12 * pose.Glow);
        // Darker band just inside the rim.
        ShapePath(cr, P, R, sx);
        cairo_set_line_width(cr, R * 0.22);
        SetSource(cr, WithAlpha(kind_.Dark, 0.35));
        cairo_stroke(cr);
        // Banding of the stone, like agate layers.
        cairo_set_line_width(cr, std::max(0.5, R * 0.04));
        for (int i = 1; i <= 2; ++i) {
            const V2 o = P({0.05, 0.12});
            cairo_save(cr);
            cairo_translate(cr, o.x, o.y);
            cairo_scale(cr, sx, 1.0);
            cairo_arc(cr, 0, 0, R * (0.38 + 0.2 * i), Pi * 0.15, Pi * 0.85);
            cairo_restore(cr);
            SetSource(cr, WithAlpha(kind_.Light, 0.16));
            cairo_stroke(cr);
        }
        cairo_restore(cr);
        // Glossy window highlight on the upper left.
        const V2 s = P({-0.3 + 0.45 * sn, -0.48});
        cairo_save(cr);
        cairo_translate(cr, s.x, s.y);
        cairo_rotate(cr, -0.55);
        cairo_scale(cr, R * 0.36 * sx, R * 0.19);
        cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
        cairo_restore(cr);
        FillRadial(cr, s.x, s.y, 0, R * 0.36, {{0.0, Hex(0xFFFFFF, 0.95)}, {0.6, Hex(0xFFFFFF, 0.55)}, {1.0, Hex(0xFFFFFF, 0.0)}});
        ShapePath(cr, P, R, sx);
        cairo_set_line_width(cr, std::max(0.8, R * 0.06));
        SetSource(cr, WithAlpha(Darken(kind_.Dark, 0.35), 0.9));
        cairo_stroke(cr);
    }

    const GemKind& kind_;
    int cell_;
    std::vector<V2> outline_;
};

// ---- The four looks ----

// Resting: a slow breathing of the inner glow and a twinkle on the upper-left facet.
Sequence Resting(const GemPainter& g) {
    Sequence seq;
    for (int f = 0; f < 10; ++f) {
        const double ph = 2 * Pi * f / 10.0;
        Pose p;
        p.Glow = std::sin(ph);
        p.Sparkle = 0.35 + 0.3 * std::max(0.0, std::sin(ph + 0.6));
        p.SparkleAngle = 0.25 * std::sin(ph);
        seq.Frames.push_back(g.WithShadow(g.Body(p)));
    }
    return seq;
}

// Selected: one full turn about the vertical axis over a warm golden halo (20 frames at 30 fps; the
// reshuffle changes the kind at frame 5, where the stone is seen edge-on).
Sequence Selected(const GemPainter& g) {
    Sequence seq;
    const int cell = g.Cell();
    for (int f = 0; f < 20; ++f) {
        const double ph = 2 * Pi * f / 20.0;
        Pose p;
        p.Spin = ph;
        p.Scale = 1.06 + 0.03 * std::cos(2 * ph);
        p.Glow = 1.0;
        p.Sparkle = 0.5 + 0.4 * std::abs(std::cos(ph));
        p.SparkleAngle = ph * 0.5;
        Canvas c(cell, cell);
        cairo_t* cr = c.Cr();
        GlowDisc(cr, cell / 2.0, cell / 2.0, cell * 0.5, Hex(0xFFE070), 0.55 + 0.12 * std::cos(2 * ph));
        // A thin gilded ring turning around the stone.
        cairo_set_line_width(cr, std::max(1.0, cell * 0.03));
        cairo_arc(cr, cell / 2.0, cell / 2.0, cell * 0.46, ph, ph + Pi * 0.7);
        SetSource(cr, Hex(0xFFF2B0, 0.8));
        cairo_stroke(cr);
        cairo_arc(cr, cell / 2.0, cell / 2.0, cell * 0.46, ph + Pi, ph + Pi * 1.7);
        cairo_stroke(cr);
        const Canvas body = g.Body(p);
        DropShadow(c, body, 0, 0, 1.0 * cell / 50.0, 2.0 * cell / 50.0, 2.0 * cell / 50.0, Hex(0x3A1E04, 0.45));
        c.Paint(body, 0, 0);
        CutAlpha(c, 10);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// Removal: frame 0 is the plain stone (it bursts into particles), then it flares white-hot, swells,
// cracks into shards and is gone by the last frame (12 frames at 40 fps).
Sequence Removal(const GemPainter& g, ArtRandom& r) {
    Sequence seq;
    const int cell = g.Cell();
    const GemKind& k = g.Kind();
    struct Shard { double a, d, s, spin; };
    std::vector<Shard> shards;
    for (int i = 0; i < 7; ++i) shards.push_back({2 * Pi * i / 7 + r.Real(-0.3, 0.3), r.Real(0.8, 1.1), r.Real(0.7, 1.2), r.Real(-3, 3)});
    for (int f = 0; f < 12; ++f) {
        Canvas c(cell, cell);
        cairo_t* cr = c.Cr();
        Pose p;
        p.Sparkle = 0;
        if (f == 0) {
            p.Sparkle = 0.4;
            c.Paint(g.Body(p), 0, 0);
        } else if (f <= 4) {
            const double t = f / 4.0;
            p.Scale = 1.0 + 0.16 * EaseOut(t);
            p.Flash = 0.7 * t;
            p.Glow = 1;
            GlowDisc(cr, cell / 2.0, cell / 2.0, cell * (0.35 + 0.15 * t), Lighten(k.Light, 0.5), 0.5 * t);
            c.Paint(g.Body(p), 0, 0);
        } else {
            const double t = (f - 4) / 7.0;   // 1/7 .. 1
            GlowDisc(cr, cell / 2.0, cell / 2.0, cell * (0.5 - 0.2 * t), Lighten(k.Light, 0.6), 0.7 * (1 - t));
            p.Scale = 1.16 + 0.3 * t;
            p.Flash = 0.7 + 0.3 * t;
            Canvas body = g.Body(p);
            FadeCanvas(body, (1 - t) * (1 - t) * 0.9);
            c.Paint(body, 0, 0);
            // Shards fly out and shrink.
            for (const Shard& s : shards) {
                const double d = cell * (0.18 + 0.3 * EaseOut(t)) * s.d;
                const double x = cell / 2.0 + std::cos(s.a) * d, y = cell / 2.0 + std::sin(s.a) * d;
                const double sz = cell * 0.085 * s.s * (1 - 0.75 * t);
                cairo_save(cr);
                cairo_translate(cr, x, y);
                cairo_rotate(cr, s.a + s.spin * t);
                cairo_move_to(cr, -sz, -sz * 0.5);
                cairo_line_to(cr, sz * 1.1, 0);
                cairo_line_to(cr, -sz * 0.6, sz * 0.7);
                cairo_close_path(cr);
                cairo_restore(cr);
                FillLinear(cr, x - sz, y - sz, x + sz, y + sz, {{0.0, WithAlpha(Lighten(k.Light, 0.4), 1 - t)}, {1.0, WithAlpha(k.Base, 1 - t)}});
            }
            if (f < 11) Twinkle(cr, cell / 2.0, cell / 2.0, cell * 0.45 * (1 - t), t * 1.5, k.Light, 1 - t);
        }
        CutAlpha(c, 8);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// Glint overlay (additive): a band of light sweeps across the stone from the upper left, and a
// twinkle flares as it passes the top facet (15 frames at 30 fps).
Sequence Glint(const GemPainter& g) {
    Sequence seq;
    const int cell = g.Cell();
    const Canvas mask = g.Silhouette(1.0);
    const Rgba tint = Mix(g.Kind().Light, Hex(0xFFFFFF), 0.55);
    for (int f = 0; f < 15; ++f) {
        const double t = f / 14.0;
        Canvas light(cell, cell);
        cairo_t* cr = light.Cr();
        const double pos = -0.6 + 2.8 * t;   // band centre along the diagonal, in cell units
        const double window = std::sqrt(std::sin(Pi * t));
        cairo_save(cr);
        cairo_translate(cr, cell * pos * 0.5, cell * pos * 0.5);
        cairo_rotate(cr, -Pi / 4);
        cairo_rectangle(cr, -cell, -cell * 0.16, cell * 2, cell * 0.32);
        cairo_restore(cr);
        const double cx = cell * pos * 0.5, cy = cell * pos * 0.5;
        FillRadial(cr, cx, cy, 0, cell * 0.45, {{0.0, WithAlpha(Hex(0xFFFFFF), window)}, {0.4, WithAlpha(tint, 0.8 * window)}, {1.0, WithAlpha(tint, 0)}});
        // Whole-stone sheen, strongest in the middle of the sweep.
        cairo_rectangle(cr, 0, 0, cell, cell);
        SetSource(cr, WithAlpha(tint, 0.28 * std::sin(Pi * t)));
        cairo_fill(cr);
        ClipTo(light, mask);
        const double tw = std::sin(Pi * Clamp01((t - 0.2) / 0.6));
        if (tw > 0) Twinkle(cr, cell * 0.32, cell * 0.3, cell * 0.42 * tw, t * 1.2, tint, tw);
        seq.Frames.push_back(ToAdditive(light));
    }
    return seq;
}

const GemKind& KindOf(int index) {
    for (const GemKind& k : Kinds())
        if (k.Index == index) return k;
    throw std::runtime_error("gems: no design for gem kind " + std::to_string(index) + " used by the game data");
}

}  // namespace
}  // namespace vantero::art

ARTGEN_MODULE(gems) {
    using namespace vantero::art;
    // The kinds the game data uses (every one needs a design), and 11 to 13 for the help screen.
    std::set<int> used = kit::SourceGemKinds();
    used.insert({11, 12, 13});
    for (const int index : used) {
        KindOf(index);
        const std::string base = "base/<R>/elements/marble" + kit::Digits(index, 2);
        auto painter = [index](ArtContext& ctx) { return GemPainter(KindOf(index), ctx.Values().Int("CellSize")); };
        reg.Add(base + ".10.png", [painter](ArtContext& ctx) { return Resting(painter(ctx)); }, {}, 1.0);
        reg.Add(base + "sel.20.png", [painter](ArtContext& ctx) { return Selected(painter(ctx)); }, {}, 2.0);
        reg.Add(base + "kill.12.png", [painter](ArtContext& ctx) { return Removal(painter(ctx), ctx.Random()); }, {}, 1.0);
        reg.Add(base + "symblink.15.png", [painter](ArtContext& ctx) { return Glint(painter(ctx)); }, {}, 1.0);
    }
}
