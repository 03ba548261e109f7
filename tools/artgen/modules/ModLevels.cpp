// The level folders (the backgrounds themselves are painted in ModLevelBacks.cpp): the three wear levels of the board's
// stone, the time bar and life displays, the intro parchment picture and sign, the cabin, and the
// gik's stone and the seagulls' posts where the level's backdrop animations need them.
#include "ArtJobs.h"
#include "ArtScene.h"
#include "ArtText.h"
#include "LevelsKit.h"

#include <algorithm>
#include <cmath>

namespace vantero::art::levels {
namespace {

constexpr int TimeW = 43, TimeH = 329;   // the time-bar liquid and leaves
constexpr int CabinW = 100, CabinH = 117;

// ---- Board stone: a = cleared ground, b = worn paving, c = full blocks ----

Canvas Tiles(ArtContext& ctx, int level, int wear) {
    const Theme& t = ThemeOf(level);
    const int cell = ctx.Values().Int("CellSize"), size = 10 * cell;
    Canvas c(size, size);
    cairo_t* cr = c.Cr();
    ArtRandom r(ctx.SubSeed("tiles"));
    if (wear == 0) {
        cairo_rectangle(cr, 0, 0, size, size);
        FillLinear(cr, 0, 0, size, size, {{0.0, Darken(t.Ground, 0.05)}, {1.0, Darken(t.GroundDark, 0.1)}});
        for (int i = 0; i < 500; ++i) {
            const double x = r.Real(0, size), y = r.Real(0, size), rad = r.Real(0.6, 2.4) * cell / 50.0;
            EllipsePath(cr, x, y, rad * 1.3, rad);
            SetSource(cr, r.Chance(0.5) ? WithAlpha(Lighten(t.Tile, 0.1), 0.6) : WithAlpha(t.GroundDark, 0.6));
            cairo_fill(cr);
        }
        // Faint setting-out lines of the cleared site.
        for (int i = 1; i < 10; ++i) {
            cairo_move_to(cr, i * cell, 0);
            cairo_line_to(cr, i * cell, size);
            cairo_move_to(cr, 0, i * cell);
            cairo_line_to(cr, size, i * cell);
        }
        cairo_set_line_width(cr, 1);
        SetSource(cr, WithAlpha(t.GroundDark, 0.25));
        cairo_stroke(cr);
        Weather(c, ctx.SubSeed("w"), 0.12, 0.05, cell * 0.6);
        return c;
    }
    cairo_rectangle(cr, 0, 0, size, size);
    SetSource(cr, Darken(t.Tile, 0.55));
    cairo_fill(cr);
    const double gap = wear == 1 ? 1.5 : 1.0, bevel = wear == 1 ? 2.0 : 4.0;
    for (int row = 0; row < 10; ++row)
        for (int col = 0; col < 10; ++col) {
            Canvas slab(cell, cell);
            cairo_t* sc = slab.Cr();
            const Rgba base = Mix(wear == 1 ? Lighten(t.Tile, 0.08) : Darken(t.Tile, 0.08), Hex(r.Chance(0.5) ? 0xFFF4E0 : 0x3A2A1A), r.Real(0, 0.08));
            RoughRectPath(sc, gap, gap, cell - 2 * gap, cell - 2 * gap, wear == 1 ? 0.6 : 1.2, r.Next(), 6);
            FillLinear(sc, 0, 0, cell, cell, {{0.0, Lighten(base, 0.12)}, {1.0, Darken(base, 0.12)}});
            if (wear == 1) {   // worn paving: a crack or two
                for (int i = 0; i < r.Int(0, 2); ++i) {
                    double x = r.Real(0.2, 0.8) * cell, y = r.Real(0.1, 0.3) * cell;
                    cairo_move_to(sc, x, y);
                    for (int j = 0; j < 4; ++j) cairo_line_to(sc, x += r.Real(-6, 6), y += cell * 0.15);
                    cairo_set_line_width(sc, 0.8);
                    SetSource(sc, Hex(0x2A1A0A, 0.35));
                    cairo_stroke(sc);
                }
            } else {           // fresh blocks: chisel strokes
                for (int i = 0; i < 6; ++i) {
                    const double x = r.Real(0.15, 0.85) * cell, y = r.Real(0.15, 0.85) * cell;
                    cairo_move_to(sc, x, y);
                    cairo_line_to(sc, x + cell * 0.08, y + cell * 0.05);
                    cairo_set_line_width(sc, 1.0);
                    SetSource(sc, Hex(0x2A1A0A, 0.25));
                    cairo_stroke(sc);
                }
            }
            Bevel(slab, bevel, 1.0);
            c.Paint(slab, col * cell, row * cell);
        }
    Weather(c, ctx.SubSeed("w"), wear == 1 ? 0.10 : 0.14, 0.04, cell * 0.5);
    return c;
}

// ---- Time bar, life display ----

void MetalRing(cairo_t* cr, const Rgba& metal, double w, double h, double inset, double radius) {
    RoundRectPath(cr, 1, 1, w - 2, h - 2, radius);
    RoundRectPath(cr, inset, inset, w - 2 * inset, h - 2 * inset, std::max(2.0, radius - inset));
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    FillLinear(cr, 0, 0, w, h, {{0.0, Lighten(metal, 0.45)}, {0.4, metal}, {1.0, Darken(metal, 0.55)}});
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

Canvas BackTime(int level) {
    const Theme& t = ThemeOf(level);
    const int w = TimeW + 20, h = TimeH + 20;
    Canvas c(w, h);
    cairo_t* cr = c.Cr();
    RoundRectPath(cr, 10, 10, TimeW, TimeH, 8);
    FillLinear(cr, 10, 0, 10 + TimeW, 0, {{0.0, Hex(0x1A1410)}, {0.5, Hex(0x3A3028)}, {1.0, Hex(0x140E0A)}});
    RoundRectPath(cr, 14, 14, 6, TimeH - 8, 3);
    SetSource(cr, Hex(0xFFFFFF, 0.12));
    cairo_fill(cr);
    MetalRing(cr, t.Metal, w, h, 10, 14);
    for (int i = 0; i < 6; ++i) {
        const double y = 10 + TimeH * (i + 0.5) / 6;
        cairo_rectangle(cr, w - 10, y, 6, 2);
        SetSource(cr, Hex(0x2A1808, 0.7));
        cairo_fill(cr);
    }
    Bevel(c, 2.0, 1.0);
    return c;
}

Canvas BackLife(int level) {
    const Theme& t = ThemeOf(level);
    const int s = 70;
    Canvas c(s, s);
    cairo_t* cr = c.Cr();
    cairo_arc(cr, s / 2.0, s / 2.0, s / 2.0 - 1, 0, 2 * M_PI);
    cairo_arc_negative(cr, s / 2.0, s / 2.0, s / 2.0 - 9, 2 * M_PI, 0);
    FillLinear(cr, 0, 0, s, s, {{0.0, Lighten(t.Metal, 0.45)}, {0.45, t.Metal}, {1.0, Darken(t.Metal, 0.55)}});
    cairo_arc(cr, s / 2.0, s / 2.0, s / 2.0 - 9, 0, 2 * M_PI);
    FillRadial(cr, s * 0.42, s * 0.4, 2, s * 0.4, {{0.0, Hex(0x4A3A2A)}, {1.0, Hex(0x140C08)}});
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        cairo_arc(cr, s / 2.0 + std::cos(a) * (s / 2.0 - 5), s / 2.0 + std::sin(a) * (s / 2.0 - 5), 1.6, 0, 2 * M_PI);
        SetSource(cr, Hex(0xFFF0C0, 0.8));
        cairo_fill(cr);
    }
    Bevel(c, 2.0, 1.0);
    return c;
}

Canvas TimeLiquid(int level) {
    const Theme& t = ThemeOf(level);
    Canvas c(TimeW, TimeH);
    cairo_t* cr = c.Cr();
    cairo_rectangle(cr, 0, 0, TimeW, TimeH);
    FillLinear(cr, 0, 0, TimeW, 0, {{0.0, Darken(t.LiquidDark, 0.2)}, {0.25, t.Liquid}, {0.45, Lighten(t.Liquid, 0.25)}, {0.8, t.LiquidDark}, {1.0, Darken(t.LiquidDark, 0.4)}});
    cairo_rectangle(cr, 0, 0, TimeW, TimeH);
    FillLinear(cr, 0, 0, 0, TimeH, {{0.0, Hex(0xFFFFFF, 0.12)}, {1.0, Hex(0x000000, 0.25)}});
    Weather(c, HashString("liquid", level), 0.12, 0.02, 10);
    return c;
}

Canvas TimeLeaves(int level) {
    const Theme& t = ThemeOf(level);
    Canvas c(TimeW, TimeH);
    cairo_t* cr = c.Cr();
    // Glass highlight in front of the liquid.
    RoundRectPath(cr, 5, 4, 5, TimeH - 8, 2.5);
    SetSource(cr, Hex(0xFFFFFF, 0.35));
    cairo_fill(cr);
    ArtRandom r(HashString("leaves", level));
    for (int i = 0; i < 9; ++i) {
        const double x = r.Chance(0.5) ? r.Real(2, 10) : r.Real(TimeW - 12, TimeW - 2), y = r.Real(10, TimeH - 10);
        const double a = r.Real(-1.2, 1.2), len = r.Real(9, 15);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, len * 0.3, -len * 0.35, len * 0.8, -len * 0.25, len, 0);
        cairo_curve_to(cr, len * 0.8, len * 0.25, len * 0.3, len * 0.35, 0, 0);
        cairo_close_path(cr);
        FillLinear(cr, 0, -len * 0.3, 0, len * 0.3, {{0.0, Lighten(t.Leaf, 0.3)}, {1.0, Darken(t.Leaf, 0.3)}});
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, len * 0.9, 0);
        cairo_set_line_width(cr, 0.6);
        SetSource(cr, Darken(t.Leaf, 0.5));
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    return c;
}

// ---- Parchment picture and sign ----

constexpr int ParchW = 400, ParchH = 300;

Sequence ParchPictures(const ArtContext& ctx, int level) {
    const Canvas full = CompleteMonument(level, MonumentFitWidth(ctx, level));
    const std::vector<SmallWorkerPos> none;
    Canvas ghost = full.Clone();
    Sepia(ghost, 0.16);
    Sequence seq;
    for (int done = 0; done < 8; ++done) {
        Canvas c(ParchW, ParchH);
        cairo_t* cr = c.Cr();
        // Ink frame of the drawing.
        RoundRectPath(cr, 58, 48, ParchW - 116, 222, 6);
        cairo_set_line_width(cr, 1.6);
        SetSource(cr, Hex(0x5A3A1E, 0.55));
        cairo_stroke(cr);
        RoundRectPath(cr, 63, 53, ParchW - 126, 212, 4);
        cairo_set_line_width(cr, 0.7);
        cairo_stroke(cr);
        Canvas stage = MonumentStage(level, full, FrameAfterSublevels(done), none);
        Sepia(stage, done == 0 ? 0.5 : 0.95);
        const double sc = 0.68, x = (ParchW - MonumentW * sc) / 2, y = 262 - MonumentH * sc;
        c.PaintScaled(ghost, x, y, sc, sc);
        c.PaintScaled(stage, x, y, sc, sc);
        // Seven marks for the seven sublevels, the finished ones inked.
        for (int i = 0; i < 7; ++i) {
            cairo_arc(cr, 86 + i * 38.0, 281, 4.5, 0, 2 * M_PI);
            if (i < done) SetSource(cr, Hex(0x8A2A14, 0.85));
            else SetSource(cr, Hex(0x5A3A1E, 0.18));
            cairo_fill(cr);
        }
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

Canvas ParchSign(int level) {
    Canvas c(ParchW, ParchH);
    cairo_t* cr = c.Cr();
    // A small banner across the top of the picture.
    const double y0 = 6, y1 = 42;
    cairo_move_to(cr, 40, y0);
    cairo_line_to(cr, 360, y0);
    cairo_line_to(cr, 348, (y0 + y1) / 2);
    cairo_line_to(cr, 360, y1);
    cairo_line_to(cr, 40, y1);
    cairo_line_to(cr, 52, (y0 + y1) / 2);
    cairo_close_path(cr);
    FillLinear(cr, 0, y0, 0, y1, {{0.0, Hex(0xB8402A)}, {1.0, Hex(0x6A1C10)}});
    Bevel(c, 1.5, 0.8);
    TextStyle ts;
    ts.Family = fonts::Title;
    ts.Bold = true;
    ts.Size = 21;
    ts.SmallCaps = true;
    ts.LetterSpacing = 0.8;
    ts.FillTop = Hex(0xFFF4C8);
    ts.FillBottom = Hex(0xF0C860);
    ts.ShadowDy = 1;
    ts.ShadowBlur = 1.5;
    ts.Shadow = Hex(0x2A0A04, 0.8);
    DrawTextInBox(c, ThemeOf(level).Title, ts, 60, y0, 280, y1 - y0);
    return c;
}

// ---- Cabin, the gik's stone, the seagulls' posts ----

Canvas Cabin(int level) {
    const Theme& t = ThemeOf(level);
    Canvas c(CabinW, CabinH);
    cairo_t* cr = c.Cr();
    const double wallTop = 44, base = CabinH - 2;
    GroundShadow(c, CabinW * 0.55, base, CabinW * 0.5, 5, 0.4);
    const bool stone = level == 2 || level == 4 || level == 7;
    const Rgba wall = stone ? Mix(t.Stone, Hex(0xC8B090), 0.4) : Hex(0xA07A4A);
    cairo_rectangle(cr, 10, wallTop, CabinW - 20, base - wallTop);
    FillLinear(cr, 10, 0, CabinW - 10, 0, {{0.0, Lighten(wall, 0.15)}, {1.0, Darken(wall, 0.35)}});
    // Planks or courses.
    for (double y = wallTop + 8; y < base; y += 8) {
        cairo_move_to(cr, 10, y);
        cairo_line_to(cr, CabinW - 10, y);
    }
    cairo_set_line_width(cr, 0.8);
    SetSource(cr, Hex(0x2A1808, 0.35));
    cairo_stroke(cr);
    // Door and window.
    RoundRectPath(cr, 24, base - 44, 24, 44, 3);
    SetSource(cr, Hex(0x2A1A0E));
    cairo_fill(cr);
    cairo_rectangle(cr, 60, wallTop + 16, 18, 14);
    SetSource(cr, Hex(0x1A120A));
    cairo_fill(cr);
    cairo_rectangle(cr, 60, wallTop + 22, 18, 2);
    SetSource(cr, Hex(0xA07A4A));
    cairo_fill(cr);
    // Roof: thatch for the warm lands, tiles elsewhere.
    const bool thatch = level == 1 || level == 3 || level == 5;
    cairo_move_to(cr, 0, wallTop + 6);
    cairo_line_to(cr, CabinW / 2.0, 4);
    cairo_line_to(cr, CabinW, wallTop + 6);
    cairo_close_path(cr);
    const Rgba roof = thatch ? Hex(0xC8A058) : (level == 7 ? Hex(0x5A6478) : Hex(0xA84A2A));
    FillLinear(cr, 0, 4, CabinW, wallTop, {{0.0, Lighten(roof, 0.2)}, {1.0, Darken(roof, 0.35)}});
    ArtRandom r(HashString("cabin", level));
    for (int i = 0; i < 40; ++i) {
        const double f = r.Real(0.1, 1), x = CabinW / 2.0 + r.Real(-0.5, 0.5) * CabinW * f, y = 4 + (wallTop + 2) * f;
        cairo_move_to(cr, x, y - 6);
        cairo_line_to(cr, x + (x < CabinW / 2.0 ? -2 : 2), y);
    }
    cairo_set_line_width(cr, 0.8);
    SetSource(cr, Darken(roof, 0.5));
    cairo_stroke(cr);
    Weather(c, HashString("cabinw", level), 0.1, 0.05, 8);
    Bevel(c, 1.2, 0.6);
    return c;
}

Canvas Boulder(double k, uint32_t seed) {
    const int w = static_cast<int>(80 * k), h = static_cast<int>(50 * k);
    Canvas c(w, h);
    cairo_t* cr = c.Cr();
    GroundShadow(c, w * 0.55, h - 4, w * 0.48, 5 * k, 0.45);
    cairo_move_to(cr, 4 * k, h - 5 * k);
    cairo_curve_to(cr, 2 * k, h * 0.4, w * 0.3, 3 * k, w * 0.55, 4 * k);
    cairo_curve_to(cr, w * 0.8, 3 * k, w - 3 * k, h * 0.45, w - 4 * k, h - 5 * k);
    cairo_close_path(cr);
    FillRadial(cr, w * 0.35, h * 0.3, 2, w * 0.7, {{0.0, Hex(0xB8A890)}, {0.6, Hex(0x7A6A58)}, {1.0, Hex(0x3A3028)}});
    Canvas moss(w, h);
    Weather(c, seed, 0.2, 0.06, 8 * k);
    Bevel(c, 2 * k, 0.8);
    return c;
}

Canvas Post(double k, uint32_t seed) {
    const int w = static_cast<int>(std::lround(30 * k)), h = static_cast<int>(std::lround(80 * k));
    Canvas c(w, h);
    cairo_t* cr = c.Cr();
    RoundRectPath(cr, w * 0.22, 3 * k, w * 0.56, h, 3 * k);
    FillLinear(cr, w * 0.2, 0, w * 0.8, 0, {{0.0, Hex(0xB08A58)}, {0.4, Hex(0x8A6238)}, {1.0, Hex(0x3E2812)}});
    EllipsePath(cr, w / 2.0, 4 * k, w * 0.28, 2.5 * k);
    SetSource(cr, Hex(0xD8B080));
    cairo_fill(cr);
    for (int i = 0; i < 5; ++i) {
        const double y = 14 * k + i * 12 * k;
        cairo_move_to(cr, w * 0.25, y);
        cairo_line_to(cr, w * 0.75, y + 2 * k);
    }
    cairo_set_line_width(cr, 0.8);
    SetSource(cr, Hex(0x2A1808, 0.4));
    cairo_stroke(cr);
    Weather(c, seed, 0.1, 0.06, 6);
    return c;
}

}  // namespace
}  // namespace vantero::art::levels

ARTGEN_MODULE(levels) {
    using namespace vantero::art;
    using namespace vantero::art::levels;
    const std::string dataDir = ARTGEN_DATA_DIR;
    for (int level = 1; level <= LevelCount; ++level) {
        const std::string folder = LevelFolder(level);
        reg.Add("base/<R>/" + folder + "/back.jpg", [level](ArtContext& ctx) { return Sequence(LevelBackground(ctx, level)); },
                WriteOptions{.JpegQuality = 90}, 6.0);
        const char* const tileNames[] = {"fielda.jpg", "fieldb.jpg", "fieldc.jpg"};
        for (int wear = 0; wear < 3; ++wear)
            reg.Add("base/<R>/" + folder + "/" + tileNames[wear],
                    [level, wear](ArtContext& ctx) { return Sequence(Tiles(ctx, level, wear)); },
                    WriteOptions{.JpegQuality = 92}, 2.0);
        reg.Add("base/" + folder + "/back_time.png", [level](ArtContext&) { return Sequence(BackTime(level)); });
        reg.Add("base/" + folder + "/back_life.png", [level](ArtContext&) { return Sequence(BackLife(level)); });
        reg.Add("base/" + folder + "/timeline.png", [level](ArtContext&) { return Sequence(TimeLiquid(level)); });
        reg.Add("base/" + folder + "/timeline_leafs.png", [level](ArtContext&) { return Sequence(TimeLeaves(level)); });
        reg.Add("base/" + folder + "/parch.8.png", [level](ArtContext& ctx) { return ParchPictures(ctx, level); }, {}, 3.0);
        reg.Add("L1033/" + folder + "/parch_sign.png", [level](ArtContext&) { return Sequence(ParchSign(level)); });
        reg.Add("base/" + folder + "/cabin.png", [level](ArtContext&) { return Sequence(Cabin(level)); });
        // The gik's stone and the seagulls' posts, only in the levels whose backdrop animations need them.
        bool gik = false, gull = false;
        for (Layout l : AllLayouts)
            for (const AnimPlacement& a : LevelAnimations(dataDir, level, l)) {
                gik = gik || a.Engine.rfind("Gik", 0) == 0;
                gull = gull || a.Engine.rfind("Seagull", 0) == 0;
            }
        if (gik)
            reg.Add("base/<R>/" + folder + "/stone.gif",
                    [](ArtContext& ctx) { return Sequence(Boulder(ctx.Values().Int("CellSize") / 50.0, ctx.SubSeed("stone"))); });
        if (gull) {
            reg.Add("base/<R>/" + folder + "/leftbillet.png",
                    [](ArtContext& ctx) { return Sequence(Post(ctx.Values().Int("CellSize") / 50.0, ctx.SubSeed("post"))); });
            reg.Add("base/<R>/" + folder + "/rightbillet.png",
                    [](ArtContext& ctx) { return Sequence(Post(ctx.Values().Int("CellSize") / 50.0, ctx.SubSeed("post"))); });
        }
    }
}
