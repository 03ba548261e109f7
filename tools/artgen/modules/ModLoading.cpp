// Splash, loading screen, its caption, bar and labels, and the loading button pictures.
#include "ArtJobs.h"
#include "ArtLogo.h"
#include "ArtScene.h"
#include "ArtText.h"

#include <cmath>

namespace vantero::art {
namespace {

constexpr int BarW = 359, BarH = 46;   // the bar is clipped to round(p x 359) x 46

// The building site at the loading screen: a pyramid rising under scaffolding, palms, blocks.
Canvas LoadingScreen(ArtContext& ctx) {
    const int w = ctx.GameWidth(), h = ctx.GameHeight();
    const double k = h / 600.0;
    const int barX = ctx.Values().Int("LoadingBarX"), barY = ctx.Values().Int("LoadingBarY");
    const double sunX = w * 0.80, sunY = h * 0.20;
    Canvas c(w, h);
    DrawSky(c, ctx.SubSeed("sky"), sunX, sunY);
    const double horizon = h * 0.70;
    DrawHills(c, ctx.SubSeed("far"), horizon - 28 * k, 40 * k, Hex(0xC9A27A), 0.9);
    DrawHills(c, ctx.SubSeed("mid"), horizon - 6 * k, 26 * k, Hex(0xB98E5E), 0.5);
    DrawGround(c, ctx.SubSeed("ground"), horizon);
    const double pyrW = (ctx.Wide() ? 520 : 420) * k;
    DrawPyramid(c, ctx.SubSeed("pyramid"), w * 0.5, horizon + 12 * k, pyrW, pyrW * 0.55, 9, 0.72);
    DrawCrane(c, w * 0.5 + pyrW * 0.36, horizon + 10 * k, 150 * k, true);
    DrawPalm(c, ctx.SubSeed("palm1"), w * 0.08, horizon + 40 * k, 230 * k, 30 * k);
    DrawPalm(c, ctx.SubSeed("palm2"), w * 0.15, horizon + 30 * k, 170 * k, -20 * k);
    DrawPalm(c, ctx.SubSeed("palm3"), w * 0.92, horizon + 46 * k, 250 * k, -36 * k);
    ArtRandom& r = ctx.Random();
    // Blocks waiting on the ground, left and right of the bar.
    for (int i = 0; i < 5; ++i) {
        const double bw = r.Real(48, 70) * k, bh = bw * r.Real(0.5, 0.65);
        const double bx = (i < 3 ? w * 0.2 + i * 58 * k : w * 0.66 + (i - 3) * 70 * k) + r.Real(-8, 8) * k;
        const double by = horizon + (i % 2 ? 40 : 58) * k;
        DrawStoneBlock(c, ctx.SubSeed(("block" + std::to_string(i)).c_str()), bx, by, bw, bh);
    }
    SunGrade(c, ctx.SubSeed("grade"), sunX, sunY, 0.45);
    DrawTrough(c, barX, barY, BarW, BarH);
    return c;
}

// The progress bar: molten gold with a bright core and ripples.
Canvas LoadingBar(ArtContext& ctx) {
    Canvas c(BarW, BarH);
    cairo_t* cr = c.Cr();
    RoundRectPath(cr, 1, 1, BarW - 2, BarH - 2, (BarH - 2) / 2.0);
    FillLinear(cr, 0, 0, 0, BarH, {{0.0, Hex(0xFFF6C8)}, {0.3, Hex(0xFFD25A)}, {0.65, Hex(0xE08A18)}, {1.0, Hex(0x8A3E08)}});
    NoiseShade(c, ValueNoise(ctx.SubSeed("ripple")), 12.0, 0.18, 3);
    Bevel(c, 2.5, 1.0);
    // Glassy highlight on the upper half.
    RoundRectPath(cr, 10, 4, BarW - 20, BarH * 0.32, BarH * 0.16);
    FillLinear(cr, 0, 4, 0, 4 + BarH * 0.32, {{0.0, Hex(0xFFFFFF, 0.75)}, {1.0, Hex(0xFFFFFF, 0.05)}});
    return c;
}

TextStyle LabelStyle(double size) {
    TextStyle t;
    t.Family = fonts::Title;
    t.Bold = true;
    t.Size = size;
    t.LetterSpacing = 1.5;
    t.FillTop = Hex(0xFFFFFF);
    t.FillBottom = Hex(0xFFE6A8);
    t.OutlineWidth = 2.2;
    t.Outline = Hex(0x2A1406);
    t.ShadowDy = 2;
    t.ShadowBlur = 3;
    t.Shadow = Hex(0x000000, 0.8);
    return t;
}

Canvas BarLabel(const char* text) {
    Canvas c(BarW, BarH);
    DrawTextInBox(c, text, LabelStyle(27), 0, 0, BarW, BarH);
    return c;
}

// The loading button: a gilded plate over the full bar inviting the player in.
Canvas LoadingButton(const char* text) {
    Canvas c(BarW, BarH);
    cairo_t* cr = c.Cr();
    RoundRectPath(cr, 2, 2, BarW - 4, BarH - 4, (BarH - 4) / 2.0);
    FillLinear(cr, 0, 0, 0, BarH, {{0.0, Hex(0xFFF0B8)}, {0.45, Hex(0xF0B840)}, {1.0, Hex(0xA05A10)}});
    Bevel(c, 2.5, 1.0);
    RoundRectPath(cr, 2, 2, BarW - 4, BarH - 4, (BarH - 4) / 2.0);
    cairo_set_line_width(cr, 2);
    SetSource(cr, Hex(0x5A2E08));
    cairo_stroke(cr);
    TextStyle t = LabelStyle(25);
    t.FillTop = Hex(0x5A2A06);
    t.FillBottom = Hex(0x2A1204);
    t.Outline = Hex(0xFFF0C0, 0.8);
    t.OutlineWidth = 1.2;
    t.ShadowDy = 1;
    t.ShadowBlur = 2;
    t.Shadow = Hex(0xFFF6D8, 0.6);
    DrawTextInBox(c, text, t, 20, 0, BarW - 40, BarH);
    return c;
}

// The splash: the title over an evening temple front, framed in bronze; opaque (1-bit alpha picture).
Canvas Splash(ArtContext& ctx) {
    const int w = 640, h = 480;
    const double sunX = w * 0.5, sunY = h * 0.62;
    Canvas c(w, h);
    DrawSky(c, ctx.SubSeed("sky"), sunX, sunY);
    DrawHills(c, ctx.SubSeed("hills"), h * 0.72, 30, Hex(0xB88A5E), 0.7);
    DrawGround(c, ctx.SubSeed("ground"), h * 0.76);
    // Temple front in silhouette against the low sun: columns, architrave and pediment.
    cairo_t* cr = c.Cr();
    const double baseY = h * 0.84, colH = 118, left = 160, right = w - 160;
    const int cols = 6;
    Canvas temple(w, h);
    cairo_t* tc = temple.Cr();
    for (int i = 0; i < cols; ++i) {
        const double x = left + (right - left) * i / (cols - 1);
        cairo_rectangle(tc, x - 11, baseY - colH, 22, colH);
        cairo_rectangle(tc, x - 15, baseY - colH - 8, 30, 8);
    }
    cairo_rectangle(tc, left - 28, baseY - colH - 28, right - left + 56, 20);
    cairo_move_to(tc, left - 34, baseY - colH - 28);
    cairo_line_to(tc, w / 2.0, baseY - colH - 80);
    cairo_line_to(tc, right + 34, baseY - colH - 28);
    cairo_close_path(tc);
    cairo_rectangle(tc, left - 40, baseY, right - left + 80, 10);
    cairo_rectangle(tc, left - 52, baseY + 10, right - left + 104, 10);
    FillLinear(tc, 0, baseY - colH - 80, 0, baseY + 20, {{0.0, Hex(0x7A4A2A)}, {1.0, Hex(0x3A2212)}});
    EdgeLight(temple, 90, 2.0, Hex(0xFFC070, 0.9), 1.0);
    c.Paint(temple, 0, 0);
    DrawPalm(c, ctx.SubSeed("palmL"), 60, h * 0.86, 220, 24);
    DrawPalm(c, ctx.SubSeed("palmR"), w - 50, h * 0.88, 240, -30);
    SunGrade(c, ctx.SubSeed("grade"), sunX, sunY, 0.5);
    const Canvas logo = DrawLogo(460, false);
    c.Paint(logo, (w - logo.Width()) / 2.0, 22);
    TextStyle by;
    by.Family = fonts::Title;
    by.Italic = true;
    by.Size = 17;
    by.FillTop = Hex(0xFFF4D8);
    by.FillBottom = Hex(0xF0D8A8);
    by.OutlineWidth = 0;
    by.ShadowDy = 1.5;
    by.ShadowBlur = 2.5;
    by.Shadow = Hex(0x000000, 0.85);
    DrawTextCentred(c, "a Korvane Games production", by, w / 2.0, h - 24);
    // Bronze frame.
    const double fw = 8;
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_rectangle(cr, fw, fw, w - 2 * fw, h - 2 * fw);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    FillLinear(cr, 0, 0, w, h, {{0.0, Hex(0xF0C878)}, {0.5, palette::Bronze}, {1.0, Hex(0x3A1E08)}});
    cairo_restore(cr);
    cairo_rectangle(cr, fw + 0.5, fw + 0.5, w - 2 * fw - 1, h - 2 * fw - 1);
    cairo_set_line_width(cr, 1.5);
    SetSource(cr, Hex(0x2A1406, 0.9));
    cairo_stroke(cr);
    return c;
}

}  // namespace
}  // namespace vantero::art

ARTGEN_MODULE(loading) {
    using namespace vantero::art;
    reg.Add("no-gfx/base/<R>/loading/LoadingScreen.jpg", [](ArtContext& ctx) { return Sequence(LoadingScreen(ctx)); },
            WriteOptions{.JpegQuality = 90}, 8.0);
    reg.Add("no-gfx/L1033/loading/loadingscreen_sign.png", [](ArtContext&) { return Sequence(DrawLogo(400, false)); }, {}, 2.0);
    reg.Add("no-gfx/base/loading/loadingbar.png", [](ArtContext& ctx) { return Sequence(LoadingBar(ctx)); });
    reg.Add("no-gfx/L1033/loading/loading.png", [](ArtContext&) { return Sequence(BarLabel("Loading\xE2\x80\xA6")); });
    reg.Add("no-gfx/L1033/loading/initialization.png",
            [](ArtContext&) { return Sequence(BarLabel("Preparing the site\xE2\x80\xA6")); });
    reg.Add("L1033/loading/click.png", [](ArtContext&) { return Sequence(LoadingButton("Click to start building")); });
    reg.Add("L1033/loading/Press.png", [](ArtContext&) { return Sequence(LoadingButton("Press START to begin")); });
    reg.Add("no-gfx/base/loading/SplashScreen.png", [](ArtContext& ctx) { return Sequence(Splash(ctx)); }, {}, 5.0);
}
