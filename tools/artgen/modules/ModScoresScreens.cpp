// The high-score hall (table, medals, rank badges, the sliding rank sheet), the credits scroll
// with its covers and the studio emblem, and the titles of the welcome and congratulation screens.
#include "ArtJobs.h"
#include "ArtScene.h"
#include "ArtText.h"
#include "UiKitA.h"

#include <cmath>
#include <string>

namespace vantero::art {
namespace {

using uia::Pi;

std::string Two(int i) { return (i < 10 ? "0" : "") + std::to_string(i); }

const char* const RankTitles[7] = {"Master of Wonders", "Royal Architect", "Master Builder", "Chief Mason",
                                   "Stone Carver", "Journeyman", "Apprentice"};
const char* const Numerals[7] = {"I", "II", "III", "IV", "V", "VI", "VII"};

// Warm sandstone wall with pilasters at both sides (the hall behind the scores and credits).
Canvas HallWall(ArtContext& ctx, int W, int H) {
    // The wall stands out of focus behind the furniture: its texture is painted at half size.
    Canvas c(W, H);
    c.PaintScaled(StoneTexture((W + 1) / 2, (H + 1) / 2, ctx.SubSeed("wall"), Hex(0xC8A070), 35), 0, 0, 2.0, 2.0);
    Grain(c, ctx.SubSeed("wallgrain"), 0.04);
    cairo_t* cr = c.Cr();
    // Courses of masonry.
    const double course = H / 12.0;
    SetSource(cr, Hex(0x4A2A12, 0.22));
    cairo_set_line_width(cr, 1.2);
    for (int i = 1; i < 12; ++i) {
        cairo_move_to(cr, 0, i * course + 0.5);
        cairo_line_to(cr, W, i * course + 0.5);
        for (double x = (i % 2) * 60.0; x < W; x += 120) {
            cairo_move_to(cr, x + 0.5, (i - 1) * course);
            cairo_line_to(cr, x + 0.5, i * course);
        }
    }
    cairo_stroke(cr);
    // Light from the upper left.
    cairo_rectangle(cr, 0, 0, W, H);
    FillRadial(cr, W * 0.2, -H * 0.1, 0, W * 1.1, {{0, Hex(0xFFF0C8, 0.35)}, {0.6, Hex(0xFFF0C8, 0)}, {1, Hex(0x2A1404, 0.3)}});
    Vignette(c, 0.45, 0.5);
    return c;
}

// ---- High scores ----
Canvas HighScoresBack(ArtContext& ctx) {
    const int W = ctx.GameWidth(), H = ctx.GameHeight();
    const KeyValues& v = ctx.Values();
    Canvas c = HallWall(ctx, W, H);
    const int rankX = v.Int("HighScoresRankX"), rankY = v.Int("HighScoresRankY"), stripe = v.Int("HighScoresStripeHeight");
    const int medalsX = v.Int("HighScoresMedalsX");
    const double x0 = rankX - 26, x1 = medalsX + 132 + 24, y0 = rankY - 22, y1 = rankY + 7 * stripe + 8;
    // The dark bronze-stone tablet of the table.
    const int tw = int(x1 - x0), th = int(y1 - y0);
    Canvas tab = uia::StoneSlab(tw, th, ctx.SubSeed("tablet"), Hex(0x4A3020), 12, true);
    Tint(tab, Hex(0x2A1608), 0.5);
    cairo_t* tc = tab.Cr();
    for (int i = 0; i < 7; ++i) {
        const double y = rankY - 6 + i * stripe - y0;
        RoundRectPath(tc, 10, y, tw - 20, stripe - 4, 6);
        SetSource(tc, i % 2 ? Hex(0x1A0A02, 0.3) : Hex(0xFFE0A0, 0.08));
        cairo_fill_preserve(tc);
        SetSource(tc, Hex(0xF2C14E, 0.25));
        cairo_set_line_width(tc, 1.0);
        cairo_stroke(tc);
    }
    DropShadow(c, tab, x0, y0, 6, 9, 12, Hex(0x140800, 0.65));
    c.Paint(tab, x0, y0);
    // A lintel behind the caption.
    const double cx = v.Int("HighScoresCaptionX") + 150, cy = v.Int("HighScoresCaptionY");
    Canvas lintel = uia::StoneSlab(380, 70, ctx.SubSeed("lintel"), Hex(0x8A5A30), 10, true);
    DropShadow(c, lintel, cx - 190, cy - 5, 4, 6, 8, Hex(0x140800, 0.55));
    c.Paint(lintel, cx - 190, cy - 5);
    SunGrade(c, ctx.SubSeed("grade"), W * 0.15, 0, 0.25);
    return c;
}

Canvas Medals() {
    static const uint32_t cols[3] = {0xC07A3A, 0xD0D4DA, 0xF2C14E};
    Canvas c(132, 75);
    cairo_t* cr = c.Cr();
    for (int i = 0; i < 3; ++i) {
        const double cx = 22 + 44 * i;
        // Ribbon.
        cairo_move_to(cr, cx - 10, 0); cairo_line_to(cr, cx + 10, 0); cairo_line_to(cr, cx + 5, 36); cairo_line_to(cr, cx - 5, 36);
        cairo_close_path(cr);
        FillLinear(cr, cx - 10, 0, cx + 10, 0, {{0, Hex(0x8A1A1A)}, {0.3, Hex(0xC83A2A)}, {0.5, Hex(0xF2E0B0)}, {0.7, Hex(0xC83A2A)}, {1, Hex(0x8A1A1A)}});
        // Medal disc.
        const Rgba col = Hex(cols[i]);
        cairo_arc(cr, cx + 1, 55, 17, 0, 2 * Pi);
        SetSource(cr, Hex(0x140800, 0.45));
        cairo_fill(cr);
        cairo_arc(cr, cx, 53, 17, 0, 2 * Pi);
        FillRadial(cr, cx - 6, 47, 1, 22, {{0, Lighten(col, 0.7)}, {0.45, col}, {1, Darken(col, 0.5)}});
        cairo_arc(cr, cx, 53, 12.5, 0, 2 * Pi);
        SetSource(cr, Darken(col, 0.35));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        StarPath(cr, cx, 53, 8, 3.5, 5, -Pi / 2);
        FillLinear(cr, 0, 45, 0, 61, {{0, Lighten(col, 0.6)}, {1, Darken(col, 0.2)}});
    }
    return c;
}

Canvas RankBadge(int r) {
    Canvas c(40, 40);
    cairo_t* cr = c.Cr();
    const Rgba col = r <= 2 ? Hex(0xF2C14E) : r <= 4 ? Hex(0xD0D4DA) : Hex(0xC07A3A);
    // Laurel leaves around the disc.
    for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 5; ++i) {
            const double a = Pi / 2 + side * (0.5 + i * 0.42);
            const double lx = 20 + 17 * std::cos(a), ly = 21 + 17 * std::sin(a);
            cairo_save(cr);
            cairo_translate(cr, lx, ly);
            cairo_rotate(cr, a + side * Pi / 2);
            EllipsePath(cr, 0, 0, 4.2, 1.9);
            cairo_restore(cr);
            SetSource(cr, Hex(0x5E7A2E));
            cairo_fill(cr);
        }
    cairo_arc(cr, 20.6, 21, 13, 0, 2 * Pi);
    SetSource(cr, Hex(0x140800, 0.45));
    cairo_fill(cr);
    cairo_arc(cr, 20, 20, 13, 0, 2 * Pi);
    FillRadial(cr, 15, 15, 1, 18, {{0, Lighten(col, 0.7)}, {0.5, col}, {1, Darken(col, 0.5)}});
    cairo_arc(cr, 20, 20, 13, 0, 2 * Pi);
    SetSource(cr, Darken(col, 0.55));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    TextStyle t = uia::InkText(r >= 7 ? 10 : 13);
    t.FillTop = Hex(0x4A2A08);
    t.FillBottom = Hex(0x2A1404);
    t.OutlineWidth = 0.8;
    t.Outline = Hex(0xFFF6D8, 0.6);
    uia::DrawLabel(c, Numerals[r - 1], t, 9, 10, 22, 20);
    return c;
}

Canvas ParchRank(ArtContext& ctx) {
    Canvas c(420, 490);
    uia::ParchmentSheet(c, ctx.SubSeed("sheet"), 8, 6, 404, 476, 0.6);
    cairo_t* cr = c.Cr();
    SetSource(cr, Hex(0x6A4020, 0.7));
    cairo_set_line_width(cr, 1.4);
    cairo_rectangle(cr, 26, 24, 368, 440);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 0.7);
    cairo_rectangle(cr, 31, 29, 358, 430);
    cairo_stroke(cr);
    for (double x : {26.0, 394.0})
        for (double y : {24.0, 464.0}) {
            StarPath(cr, x, y, 7, 3, 8, 0);
            SetSource(cr, palette::GoldDark);
            cairo_fill(cr);
        }
    return c;
}

// ---- Credits and the welcome and congratulation screens ----
struct ScrollGeometry {
    double x0, x1;       // the parchment's sides
    double y2, y3;       // Credits_2Y and Credits_3Y
};

ScrollGeometry CreditGeometry(const ArtContext& ctx) {
    const double W = ctx.GameWidth(), k = ctx.GameHeight() / 600.0;
    return {W / 2 - 280 * k, W / 2 + 280 * k, double(ctx.Values().Int("Credits_2Y")), double(ctx.Values().Int("Credits_3Y"))};
}

void Roller(Canvas& c, double x0, double x1, double y, double h) {
    cairo_t* cr = c.Cr();
    cairo_rectangle(cr, x0 - 4, y + h * 0.55, x1 - x0 + 8, h * 0.6);
    SetSource(cr, Hex(0x140800, 0.3));
    cairo_fill(cr);
    RoundRectPath(cr, x0 - 6, y, x1 - x0 + 12, h, h / 2);
    FillLinear(cr, 0, y, 0, y + h, {{0, Hex(0xF6E2B6)}, {0.3, Hex(0xE6C892)}, {0.75, Hex(0xA07E50)}, {1, Hex(0x6A4E2E)}});
    for (double x : {x0 - 26, x1 + 6}) {
        RoundRectPath(cr, x, y - 3, 20, h + 6, 6);
        FillLinear(cr, 0, y - 3, 0, y + h + 3, {{0, Hex(0xB07A44)}, {0.4, Hex(0x7A4A22)}, {1, Hex(0x3A200C)}});
        cairo_arc(cr, x + 10, y + h / 2, 4, 0, 2 * Pi);
        SetSource(cr, palette::Gold);
        cairo_fill(cr);
    }
}

// The whole credits screen, later cut into the top cover, the middle and the bottom cover.
Canvas CreditsScreen(ArtContext& ctx, bool withPaper) {
    const int W = ctx.GameWidth(), H = ctx.GameHeight();
    const ScrollGeometry g = CreditGeometry(ctx);
    Canvas c = HallWall(ctx, W, H);
    const double rollH = 18 * H / 600.0;
    // The covers only show the rollers over the sheet's ends: they need no paper under them.
    Canvas paper = withPaper ? ParchmentTexture(int(g.x1 - g.x0), int(g.y3 - g.y2 + 2 * rollH), ctx.SubSeed("paper"), 0.25)
                             : Canvas(1, 1);
    Canvas shape(W, H);
    cairo_rectangle(shape.Cr(), g.x0, g.y2 - rollH, g.x1 - g.x0, g.y3 - g.y2 + 2 * rollH);
    cairo_set_source_rgb(shape.Cr(), 1, 1, 1);
    cairo_fill(shape.Cr());
    DropShadow(c, shape, 0, 0, 6, 8, 12, Hex(0x140800, 0.6));
    if (withPaper) c.Paint(paper, g.x0, g.y2 - rollH);
    cairo_t* cr = c.Cr();
    cairo_rectangle(cr, g.x0, g.y2, g.x1 - g.x0, g.y3 - g.y2);
    FillLinear(cr, g.x0, 0, g.x1, 0, {{0, Hex(0x5A3A18, 0.28)}, {0.06, Hex(0x5A3A18, 0)}, {0.94, Hex(0x5A3A18, 0)}, {1, Hex(0x5A3A18, 0.28)}});
    Roller(c, g.x0, g.x1, g.y2 - rollH, rollH);
    Roller(c, g.x0, g.x1, g.y3, rollH);
    SunGrade(c, ctx.SubSeed("grade"), W * 0.15, 0, 0.2);
    return c;
}

Canvas CreditsPart(ArtContext& ctx, int part) {
    Canvas full = CreditsScreen(ctx, part == 2);
    const ScrollGeometry g = CreditGeometry(ctx);
    const int y2 = int(g.y2), y3 = int(g.y3), H = ctx.GameHeight(), W = ctx.GameWidth();
    if (part == 1) return full.Crop(0, 0, W, y2);
    if (part == 2) return full.Crop(0, y2, W, y3 - y2);
    return full.Crop(0, y3, W, H - y3);
}

// The studio's emblem: a keystone arch in a terracotta seal, with the studio's name.
Canvas KorvaneLogo() {
    Canvas c(300, 120);
    cairo_t* cr = c.Cr();
    const double cx = 60, cy = 60, r = 50;
    Canvas seal(300, 120);
    cairo_t* sc = seal.Cr();
    cairo_arc(sc, cx, cy, r, 0, 2 * Pi);
    FillRadial(sc, cx - 15, cy - 18, 4, r + 10, {{0, Hex(0xD8744A)}, {0.6, Hex(0xA8482A)}, {1, Hex(0x6A2614)}});
    cairo_arc(sc, cx, cy, r - 1.5, 0, 2 * Pi);
    SetSource(sc, palette::Gold);
    cairo_set_line_width(sc, 3.0);
    cairo_stroke(sc);
    cairo_arc(sc, cx, cy, r - 6, 0, 2 * Pi);
    SetSource(sc, Hex(0xFFE8A8, 0.6));
    cairo_set_line_width(sc, 0.8);
    cairo_stroke(sc);
    // Arch of seven voussoirs with a gold keystone on two piers.
    const double ro = 31, ri = 19, ay = cy + 10;
    for (int i = 0; i < 7; ++i) {
        const double a0 = Pi + i * Pi / 7 + 0.025, a1 = Pi + (i + 1) * Pi / 7 - 0.025;
        cairo_new_path(sc);
        cairo_arc(sc, cx, ay, ro + (i == 3 ? 4 : 0), a0, a1);
        cairo_arc_negative(sc, cx, ay, ri, a1, a0);
        cairo_close_path(sc);
        if (i == 3) FillLinear(sc, cx - 6, 0, cx + 6, 0, {{0, palette::GoldLight}, {0.5, palette::Gold}, {1, palette::GoldDark}});
        else FillLinear(sc, cx - ro, 0, cx + ro, 0, {{0, Hex(0xF6E6C6)}, {1, Hex(0xC8B08A)}});
    }
    for (double x : {cx - ro, cx + ri}) {
        cairo_rectangle(sc, x, ay + 1, ro - ri, 22);
        FillLinear(sc, x, 0, x + ro - ri, 0, {{0, Hex(0xF6E6C6)}, {1, Hex(0xB8A07A)}});
    }
    cairo_rectangle(sc, cx - ro - 4, ay + 23, 2 * ro + 8, 4);
    SetSource(sc, palette::Gold);
    cairo_fill(sc);
    DropShadow(c, seal, 0, 0, 2, 3, 3, Hex(0x140800, 0.5));
    c.Paint(seal, 0, 0);
    TextStyle name;
    name.Family = fonts::TitleDisplay;
    name.Size = 40;
    name.Bold = true;
    name.LetterSpacing = 3;
    name.FillTop = Hex(0x8A3A1E);
    name.FillBottom = Hex(0x4A1C0C);
    name.OutlineWidth = 1.0;
    name.Outline = Hex(0xFFF0D0, 0.6);
    uia::DrawLabel(c, "KORVANE", name, 118, 26, 178, 44);
    TextStyle games = name;
    games.Size = 16;
    games.LetterSpacing = 9;
    games.FillTop = games.FillBottom = Hex(0x8C5A2B);
    uia::DrawLabel(c, "GAMES", games, 118, 72, 178, 20);
    SetSource(cr, Hex(0x9C6A1C));
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, 124, 71); cairo_line_to(cr, 290, 71);
    cairo_stroke(cr);
    return c;
}

// A title above the credits scroll (300 x 60): the letters keep to the upper part, clear of the roller.
Canvas ScrollTitle(const std::string& text) {
    Canvas c(300, 60);
    uia::DrawLabel(c, text, uia::GoldTitle(38), 6, 2, 288, 40);
    return c;
}

}  // namespace

ARTGEN_MODULE(scorescreens) {
    // High scores.
    reg.Add("base/<R>/ui/highscores/highscores.png", [](ArtContext& ctx) { return Sequence(HighScoresBack(ctx)); }, {}, 4.0);
    reg.Add("base/ui/highscores/medals.png", [](ArtContext&) { return Sequence(Medals()); });
    reg.Add("base/ui/highscores/parchrank.png", [](ArtContext& ctx) { return Sequence(ParchRank(ctx)); }, {}, 1.5);
    for (int r = 1; r <= 7; ++r) {
        reg.Add("base/ui/highscores/rank" + Two(r) + ".png", [r](ArtContext&) { return Sequence(RankBadge(r)); });
        reg.Add("L1033/ui/highscores/ranktxt" + Two(r) + ".png",
                [r](ArtContext&) { return Sequence(uia::TitleSign(RankTitles[r - 1], 300, 40, 26)); });
    }
    reg.Add("L1033/ui/highscores/highscores_sign.png", [](ArtContext&) { return Sequence(uia::TitleSign("High Scores", 300, 60, 40)); });
    reg.Add("L1033/ui/highscores/parchrank_sign.png", [](ArtContext&) { return Sequence(uia::TitleSign("Your Rank", 420, 60, 36)); });
    // Credits.
    for (int part = 1; part <= 3; ++part)
        reg.Add("base/<R>/ui/credits/credits_" + std::to_string(part) + ".png",
                [part](ArtContext& ctx) { return Sequence(CreditsPart(ctx, part)); }, {}, 3.0);
    reg.Add("base/<R>/ui/credits/korvanelogo.png", [](ArtContext&) { return Sequence(KorvaneLogo()); });
    reg.Add("L1033/ui/credits/credits.png", [](ArtContext&) { return Sequence(ScrollTitle("Credits")); });
    reg.Add("L1033/ui/credits/btmmenu.4.png", [](ArtContext& ctx) { return uia::ButtonStrip("Menu", 110, 36, ctx.SubSeed("b"), 20); });
    // Welcome and congratulations titles.
    reg.Add("L1033/ui/congrats/welcome.png", [](ArtContext&) { return Sequence(ScrollTitle("Welcome!")); });
    reg.Add("L1033/ui/congrats/welldone.png", [](ArtContext&) { return Sequence(ScrollTitle("Well Done!")); });
}

}  // namespace vantero::art
