// The main menu: the great building site at golden hour with the title and the carved menu stele,
// the sun's flickering light, the description plate and the menu buttons.
#include "ArtJobs.h"
#include "ArtLogo.h"
#include "ArtScene.h"
#include "ArtText.h"
#include "UiKitA.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace vantero::art {
namespace {

using uia::Pi;

struct MenuGeometry {
    double sunX, sunY;             // centre of the flickering light
    double horizon;                // where the far plain meets the hills
    double siteLeft, siteRight;    // the workers' ground
    double panelX, panelY, panelW, panelH;
};

MenuGeometry Geometry(const ArtContext& ctx) {
    const KeyValues& v = ctx.Values();
    MenuGeometry g{};
    g.sunX = v.Int("MenuLightBigX") + 100;
    g.sunY = v.Int("MenuLightBigY") + 100;
    double minY = 1e9, minX = 1e9, maxX = 0;
    for (int i = 1; i <= 18; ++i) {
        const std::string k = "MenuWorker" + std::to_string(i);
        minY = std::min(minY, double(v.Int(k + "Y")));
        minX = std::min(minX, double(v.Int(k + "X")));
        maxX = std::max(maxX, double(v.Int(k + "X")));
    }
    g.horizon = minY - 10;
    g.siteLeft = minX;
    g.siteRight = maxX + 60;
    g.panelX = v.Int("MenuStartX") - 14;
    g.panelY = v.Int("MenuStartY") - 22;
    g.panelW = 248;
    const double bottom = ctx.GameWidth() == 800 && ctx.GameHeight() == 600 ? 592 : v.Int("MenuExitY") + 44 + 40;
    g.panelH = bottom - g.panelY;
    return g;
}

// The carved sandstone stele that carries the menu buttons.
void DrawStele(Canvas& c, ArtContext& ctx, const MenuGeometry& g) {
    const int w = int(g.panelW), h = int(g.panelH);
    Canvas shape = uia::ShapeOf(w, h, [&](cairo_t* cr) {
        cairo_move_to(cr, 2, h - 2);
        cairo_line_to(cr, 2, 34);
        cairo_curve_to(cr, 2, 10, w * 0.3, 2, w * 0.5, 2);
        cairo_curve_to(cr, w * 0.7, 2, w - 2.0, 10, w - 2.0, 34);
        cairo_line_to(cr, w - 2.0, h - 2);
        cairo_close_path(cr);
    });
    Canvas stone = MaskWith(StoneTexture(w, h, ctx.SubSeed("stele"), Hex(0xD9BC8A), 40), shape);
    cairo_t* cr = stone.Cr();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    cairo_rectangle(cr, 0, 0, w, h);
    FillLinear(cr, 0, 0, w, h, {{0, Hex(0xFFF0C8, 0.35)}, {0.5, Hex(0xFFFFFF, 0)}, {1, Hex(0x3A1E08, 0.35)}});
    cairo_restore(cr);
    // Carved inner border and rosettes.
    cairo_set_line_width(cr, 2.0);
    const double in = 10;
    cairo_move_to(cr, in, h - in);
    cairo_line_to(cr, in, 38);
    cairo_curve_to(cr, in, 18, w * 0.3, in, w * 0.5, in);
    cairo_curve_to(cr, w * 0.7, in, w - in, 18, w - in, 38);
    cairo_line_to(cr, w - in, h - in);
    cairo_close_path(cr);
    SetSource(cr, Hex(0x5A3A18, 0.55));
    cairo_stroke_preserve(cr);
    cairo_translate(cr, 1.2, 1.2);
    SetSource(cr, Hex(0xFFF4D8, 0.45));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_identity_matrix(cr);
    for (double x : {in + 12, w - in - 12}) {
        StarPath(cr, x, h - in - 12, 6, 3, 8, 0);
        SetSource(cr, palette::GoldDark);
        cairo_fill(cr);
    }
    Bevel(stone, 4, 1.0);
    DropShadow(c, stone, g.panelX, g.panelY, 8, 10, 12, Hex(0x140800, 0.6));
    c.Paint(stone, g.panelX, g.panelY);
}

// The background: the building site at golden hour, the title and the stele.
Canvas MenuBackground(ArtContext& ctx) {
    const int W = ctx.GameWidth(), H = ctx.GameHeight();
    const MenuGeometry g = Geometry(ctx);
    const double k = H / 600.0;
    Canvas c(W, H);
    DrawSky(c, ctx.SubSeed("sky"), g.sunX, g.sunY);
    DrawHills(c, ctx.SubSeed("far"), g.horizon - 34 * k, 26 * k, Hex(0xC8A0A0), 0.95);
    // A temple on a far ridge and the river plain.
    {
        Canvas temple(W, H);
        const double tw = 70 * k;
        uia::DrawMonument(temple, 2, g.siteRight + 80 * k, g.horizon - 46 * k - tw * 0.55, tw, tw * 0.62, uia::MonumentLook::Colour);
        uia::Fade(temple, 0.6);
        c.Paint(temple, 0, 0);
    }
    {  // a finished pyramid far away in the haze
        Canvas far(W, H);
        const double fw = 120 * k;
        uia::DrawMonument(far, 1, g.siteRight - 10 * k, g.horizon - 8 * k - fw * 0.6, fw, fw * 0.6, uia::MonumentLook::Colour);
        Tint(far, Hex(0xE8C0A8), 0.45);
        uia::Fade(far, 0.75);
        c.Paint(far, 0, 0);
    }
    DrawHills(c, ctx.SubSeed("mid"), g.horizon - 12 * k, 18 * k, Hex(0xB8906A), 0.55);
    DrawGround(c, ctx.SubSeed("ground"), g.horizon);
    cairo_t* cr = c.Cr();
    // The river glinting across the plain.
    cairo_move_to(cr, 0, g.horizon + 8 * k);
    cairo_curve_to(cr, W * 0.3, g.horizon + 2 * k, W * 0.6, g.horizon + 16 * k, W, g.horizon + 6 * k);
    cairo_line_to(cr, W, g.horizon + 14 * k);
    cairo_curve_to(cr, W * 0.6, g.horizon + 24 * k, W * 0.3, g.horizon + 10 * k, 0, g.horizon + 16 * k);
    cairo_close_path(cr);
    FillLinear(cr, 0, 0, W, 0, {{0, Hex(0xFFF0C0, 0.9)}, {0.3, Hex(0x7AB0C8, 0.85)}, {1, Hex(0x4E88A8, 0.85)}});
    // The great pyramid nearing completion, lit from the sun on the left, with a ramp and a crane.
    const double pyrBase = g.horizon + 36 * k;
    const double pyrCx = (g.siteLeft + g.siteRight) / 2 + 30 * k;
    const double pyrW = std::min((g.siteRight - g.siteLeft) * 1.25, (pyrBase - 90 * k) / 0.62);
    const double pyrH = pyrW * 0.62;
    {
        Canvas pyr(W, H);
        uia::DrawMonument(pyr, 1, pyrCx - pyrW / 2, pyrBase - pyrH, pyrW, pyrH, uia::MonumentLook::Colour, 0.8);
        NoiseShade(pyr, ValueNoise(ctx.SubSeed("pyrn")), 30 * k, 0.12, 3);
        DropShadow(c, pyr, 0, 0, 14 * k, 4 * k, 10 * k, Hex(0x3A1E08, 0.35));
        c.Paint(pyr, 0, 0);
        // Ramp from the lower left up the west face.
        cairo_move_to(cr, pyrCx - pyrW * 0.62, pyrBase + 6 * k);
        cairo_line_to(cr, pyrCx - pyrW * 0.2, pyrBase - pyrH * 0.5);
        cairo_line_to(cr, pyrCx - pyrW * 0.12, pyrBase - pyrH * 0.5);
        cairo_line_to(cr, pyrCx - pyrW * 0.42, pyrBase + 6 * k);
        cairo_close_path(cr);
        FillLinear(cr, 0, pyrBase - pyrH * 0.5, 0, pyrBase, {{0, Hex(0xA87A48)}, {1, Hex(0x7A5430)}});
        DrawCrane(c, pyrCx + pyrW * 0.3, pyrBase - 2 * k, 170 * k, true);
    }
    // Palms framing the site and blocks waiting in the foreground.
    DrawPalm(c, ctx.SubSeed("palm1"), 14 * k, H + 10, 300 * k, 34 * k);
    DrawPalm(c, ctx.SubSeed("palm2"), g.siteLeft + 8 * k, g.horizon + 40 * k, 160 * k, -14 * k);
    DrawPalm(c, ctx.SubSeed("palm3"), g.panelX - 40 * k, g.horizon + 60 * k, 250 * k, -26 * k);
    ArtRandom& r = ctx.Random();
    for (int i = 0; i < 6; ++i) {
        const double bw = r.Real(44, 66) * k, bh = bw * r.Real(0.5, 0.65);
        const double bx = g.siteLeft + (i * 0.17 + 0.02) * (g.siteRight - g.siteLeft) + r.Real(-10, 10) * k;
        const double by = H - (i % 2 ? 46 : 30) * k - bh;
        DrawStoneBlock(c, ctx.SubSeed(("blk" + std::to_string(i)).c_str()), bx, by, bw, bh);
    }
    // The workers' camp on the plain: striped tents.
    for (int i = 0; i < 4; ++i) {
        const double tx = g.siteLeft + 20 * k + i * 38 * k, ty = g.horizon + 12 * k + (i % 2) * 5 * k, tw = 26 * k, th = 17 * k;
        cairo_move_to(cr, tx, ty); cairo_line_to(cr, tx + tw / 2, ty - th); cairo_line_to(cr, tx + tw, ty); cairo_close_path(cr);
        FillLinear(cr, tx, 0, tx + tw, 0, {{0, Hex(0xF4E6CC)}, {0.5, Hex(0xD8C4A0)}, {0.51, Hex(0xA88A66)}, {1, Hex(0x8A6E50)}});
        cairo_move_to(cr, tx + tw / 2, ty - th); cairo_line_to(cr, tx + tw / 2, ty);
        SetSource(cr, Hex(0xA0482A, 0.8));
        cairo_set_line_width(cr, 1.5 * k);
        cairo_stroke(cr);
    }
    // Dry grass tufts on the sand.
    for (int i = 0; i < 40; ++i) {
        const double gx = r.Real(0, g.panelX), gy = r.Real(g.horizon + 30 * k, H - 10);
        const double gs = (4 + 8 * (gy - g.horizon) / (H - g.horizon)) * k;
        for (int b = -2; b <= 2; ++b) {
            cairo_move_to(cr, gx + b * gs * 0.2, gy);
            cairo_curve_to(cr, gx + b * gs * 0.3, gy - gs * 0.6, gx + b * gs * 0.6, gy - gs * 0.9, gx + b * gs * 0.75, gy - gs);
        }
        SetSource(cr, Hex(0x8A7A3A, 0.7));
        cairo_set_line_width(cr, 1.0 * k);
        cairo_stroke(cr);
    }
    // An obelisk dragged on wooden rollers across the foreground.
    {
        const double ox = g.siteLeft + 150 * k, oy = H - 92 * k, ol = 250 * k, oh = 24 * k;
        for (int i = 0; i < 4; ++i) {
            const double rx = ox + 20 * k + i * 64 * k;
            EllipsePath(cr, rx + 4 * k, oy + oh + 10 * k, 12 * k, 4 * k);
            SetSource(cr, Hex(0x2A1404, 0.3));
            cairo_fill(cr);
            cairo_arc(cr, rx, oy + oh + 4 * k, 6 * k, 0, 2 * Pi);
            FillRadial(cr, rx - 2 * k, oy + oh + 2 * k, 0, 7 * k, {{0, Hex(0xB07A44)}, {1, Hex(0x5A3414)}});
        }
        EllipsePath(cr, ox + ol / 2 + 20 * k, oy + oh + 12 * k, ol * 0.55, 7 * k);
        SetSource(cr, Hex(0x2A1404, 0.28));
        cairo_fill(cr);
        // Top face, front face and the pointed tip.
        cairo_move_to(cr, ox, oy); cairo_line_to(cr, ox + ol, oy); cairo_line_to(cr, ox + ol + 22 * k, oy + oh * 0.25);
        cairo_line_to(cr, ox + 12 * k, oy + oh * 0.25); cairo_close_path(cr);
        FillLinear(cr, ox, 0, ox + ol, 0, {{0, Hex(0xF2D8A8)}, {1, Hex(0xD8B880)}});
        cairo_move_to(cr, ox + 12 * k, oy + oh * 0.25); cairo_line_to(cr, ox + ol + 22 * k, oy + oh * 0.25);
        cairo_line_to(cr, ox + ol + 14 * k, oy + oh); cairo_line_to(cr, ox + 12 * k, oy + oh); cairo_close_path(cr);
        FillLinear(cr, 0, oy, 0, oy + oh, {{0, Hex(0xC8A070)}, {1, Hex(0x8A6840)}});
        cairo_move_to(cr, ox, oy); cairo_line_to(cr, ox + 12 * k, oy + oh * 0.25); cairo_line_to(cr, ox + 12 * k, oy + oh);
        cairo_line_to(cr, ox, oy + oh * 0.75); cairo_close_path(cr);
        SetSource(cr, Hex(0xE8CC98));
        cairo_fill(cr);
        // Carved signs along its side.
        SetSource(cr, Hex(0x5A3A18, 0.45));
        for (int i = 0; i < 9; ++i) {
            cairo_rectangle(cr, ox + 30 * k + i * 24 * k, oy + oh * 0.45, 10 * k, 2 * k);
            cairo_arc(cr, ox + 44 * k + i * 24 * k, oy + oh * 0.62, 2.2 * k, 0, 2 * Pi);
        }
        cairo_fill(cr);
        // Ropes running ahead to the haulers.
        SetSource(cr, Hex(0x6A4A26, 0.9));
        cairo_set_line_width(cr, 1.5 * k);
        for (int i = 0; i < 2; ++i) {
            cairo_move_to(cr, ox + ol + 16 * k, oy + oh * (0.4 + i * 0.3));
            cairo_curve_to(cr, ox + ol + 50 * k, oy + oh * 0.8 + i * 8 * k, ox + ol + 90 * k, oy - 10 * k + i * 6 * k, ox + ol + 130 * k, oy - 30 * k + i * 10 * k);
        }
        cairo_stroke(cr);
    }
    // Long shadows of the afternoon across the foreground.
    cairo_rectangle(cr, 0, g.horizon, W, H - g.horizon);
    FillLinear(cr, 0, g.horizon, 0, H, {{0, Hex(0x6A3A10, 0.0)}, {0.5, Hex(0x6A3A10, 0.12)}, {1, Hex(0x4A2408, 0.38)}});
    SunGrade(c, ctx.SubSeed("grade"), g.sunX, g.sunY, 0.4);
    uia::Punch(c, 1.18, 1.22);
    // Warm shaft of light from the sun.
    cairo_move_to(cr, g.sunX, g.sunY);
    cairo_line_to(cr, g.sunX + 520 * k, H);
    cairo_line_to(cr, g.sunX + 300 * k, H);
    cairo_close_path(cr);
    FillLinear(cr, g.sunX, g.sunY, g.sunX + 300 * k, H, {{0, Hex(0xFFF0C0, 0.12)}, {1, Hex(0xFFF0C0, 0)}});
    DrawStele(c, ctx, g);
    // The title above the stele.
    Canvas logo = DrawLogo(std::min(330.0, W - g.panelX + 20), false);
    const double lx = g.panelX + g.panelW / 2 - logo.Width() / 2.0;
    const double ly = std::max(0.0, g.panelY - logo.Height() + 14);
    c.Paint(logo, std::min(lx, W - logo.Width() - 2.0), ly);
    return c;
}

// The sun's light (additive, 15 frames): a warm glow with slowly turning, flickering rays.
Sequence SunLight() {
    Sequence s;
    for (int f = 0; f < 15; ++f) {
        Canvas c(200, 200);
        cairo_t* cr = c.Cr();
        const double t = f / 15.0;
        const double flicker = 0.85 + 0.15 * std::sin(t * 2 * Pi) * std::cos(t * 6 * Pi);
        cairo_arc(cr, 100, 100, 99, 0, 2 * Pi);
        FillRadial(cr, 100, 100, 0, 99, {{0, Hex(0xFFE8B0, 0.5 * flicker)}, {0.12, Hex(0xFFD080, 0.22 * flicker)}, {0.45, Hex(0xFFA050, 0.06 * flicker)}, {1, Hex(0xFF9040, 0)}});
        for (int i = 0; i < 12; ++i) {
            const double a = i * Pi / 6 + t * Pi / 6;
            const double len = 96 * (0.7 + 0.3 * std::sin(i * 2.3 + t * 2 * Pi));
            cairo_move_to(cr, 100, 100);
            cairo_line_to(cr, 100 + len * std::cos(a - 0.05), 100 + len * std::sin(a - 0.05));
            cairo_line_to(cr, 100 + len * std::cos(a + 0.05), 100 + len * std::sin(a + 0.05));
            cairo_close_path(cr);
            FillRadial(cr, 100, 100, 6, len, {{0, Hex(0xFFF0C0, 0.22 * flicker)}, {1, Hex(0xFFD080, 0)}});
        }
        s.Frames.push_back(uia::OnBlack(c));
    }
    return s;
}

// The plate behind the button descriptions (200 x 120; the sheet starts 12 px down).
Canvas Subtext(ArtContext& ctx) {
    Canvas c(200, 120);
    uia::ParchmentSheet(c, ctx.SubSeed("plate"), 6, 12, 188, 104, 0.45);
    return c;
}

Sequence StartButton(ArtContext& ctx, int state) {
    Sequence s;
    for (int f = 0; f < 10; ++f)
        s.Frames.push_back(uia::ButtonFrame("Play", 220, 60, state, ctx.SubSeed("start"), 34, state == 2 ? -1 : f / 9.0 * 1.3 - 0.15));
    return s;
}

}  // namespace

ARTGEN_MODULE(mainmenu) {
    reg.Add("base/<R>/ui/mainmenu/MainMenu.jpg", [](ArtContext& ctx) { return Sequence(MenuBackground(ctx)); },
            WriteOptions{.JpegQuality = 93}, 6.0);
    reg.Add("base/<R>/ui/mainmenu/lighbig.15.png", [](ArtContext&) { return SunLight(); });
    reg.AddForLayout(Layout::R800x600, "base/R800x600/ui/mainmenu/subtext.png", [](ArtContext& ctx) { return Sequence(Subtext(ctx)); });
    reg.Add("L1033/<R>/ui/mainmenu/btn01def.10.png", [](ArtContext& ctx) { return StartButton(ctx, 0); }, {}, 1.5);
    reg.Add("L1033/<R>/ui/mainmenu/btn01on.10.png", [](ArtContext& ctx) { return StartButton(ctx, 1); }, {}, 1.5);
    reg.Add("L1033/<R>/ui/mainmenu/btn01press.10.png", [](ArtContext& ctx) { return StartButton(ctx, 2); }, {}, 1.5);
    static const char* const labels[6] = {"Free Play", "Players", "Options", "Help", "High Scores", "Exit"};
    for (int i = 0; i < 6; ++i) {
        const std::string name = "btn0" + std::to_string(i + 2);
        reg.Add("L1033/<R>/ui/mainmenu/" + name + ".4.png",
                [i](ArtContext& ctx) { return uia::ButtonStrip(labels[i], 200, 44, ctx.SubSeed("menu"), 24); });
    }
}

}  // namespace vantero::art
