// The help page: its backdrop (a parchment sheet on the sunlit site with sunk trays for the
// demonstrations), the caption sign, the Done button, the demonstration boards and cover, and the
// board pieces the wide layout shows at the demonstrations' 50-px step.
#include "ArtJobs.h"
#include "ArtScene.h"
#include "ArtText.h"
#include "UiKitB.h"

#include <cmath>
#include <string>

using namespace vantero::art;
using namespace vantero::art::uib;

namespace {

// The demonstrations step 50 px at every layout (they are the 800 x 600 board's pieces).
constexpr int Step = 50;
// Sizes of the demonstration boards (three columns by two rows; five cells in a row).
constexpr int MatchW = 3 * Step, MatchH = 2 * Step, BonusW = 5 * Step, BonusH = Step;
// Picture sizes placed on the page.
constexpr int ShutterSize = 120, DoneW = 110, DoneH = 36, SignW = 300, SignH = 60;
// The grumbling worker's frame (workers are drawn top-left at their position).
constexpr int BastaW = 44, BastaH = 68;

// Board tiles of the first monument at the 800 x 600 size: letter b (worn once) or c (whole).
Canvas BoardTiles(const ArtContext& ctx, char letter) {
    const std::string path = std::string("base/R800x600/levels/01/field") + letter + ".jpg";
    try {
        Sequence s = ForeignPicture(ctx, "levels", path);
        if (!s.Frames.empty()) return std::move(s.Frames[0]);
    } catch (const std::exception&) {
        // Painted below when the levels module does not offer the tiles.
    }
    Canvas c(10 * Step, 10 * Step);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const Canvas mask = RoundShape(Step, Step, 1, 1, Step - 2, Step - 2, 4);
            Canvas tile = StoneSlab(mask, ctx.SubSeed("tile") + x * 31 + y * 17, letter == 'c' ? Hex(0xD8C098) : Hex(0xC8B088), 2.5);
            c.Paint(tile, x * Step, y * Step);
        }
    return c;
}

// A demonstration board cut from the tiles; rows listed from the top take the given letters.
Canvas SampleBoard(const ArtContext& ctx, int w, int h, const std::string& rowLetters) {
    Canvas c(w, h);
    for (int row = 0; row * Step < h; ++row) {
        const Canvas tiles = BoardTiles(ctx, rowLetters[std::min<size_t>(row, rowLetters.size() - 1)]);
        c.Paint(tiles.Crop(0, row * Step, w, Step), 0, row * Step);
    }
    return c;
}

// The cover over the block-pushing corner: a carved sandstone relief of a block on rollers.
Canvas Shutter(const ArtContext& ctx) {
    const int n = ShutterSize;
    Canvas c(n, n);
    Canvas stone = StoneTexture(n, n, ctx.SubSeed("stone"), Hex(0xCDB088), 30.0);
    c.Paint(stone, 0, 0);
    Bevel(c, 4, 1.0);
    Groove(c, 12, 12, n - 24, n - 24, 8, 1.2);
    cairo_t* cr = c.Cr();
    // Block on three rollers, a rope pulling it to the left.
    const double bx = 42, by = 40, bw = 46, bh = 34;
    cairo_rectangle(cr, bx, by, bw, bh);
    GoldFill(cr, by, by + bh);
    cairo_move_to(cr, bx + 6, by + 10);
    cairo_line_to(cr, bx + bw - 6, by + 10);
    cairo_move_to(cr, bx + 6, by + 22);
    cairo_line_to(cr, bx + bw - 6, by + 22);
    SetSource(cr, Hex(0x7A4A14, 0.6));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (int i = 0; i < 3; ++i) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, bx + 8 + 15 * i, by + bh + 6, 5, 0, 2 * Pi);
        GoldFill(cr, by + bh + 1, by + bh + 11);
    }
    cairo_move_to(cr, 22, by + bh + 13);
    cairo_line_to(cr, n - 22, by + bh + 13);
    GoldStroke(cr, 1.6, by + bh + 12, by + bh + 14);
    cairo_move_to(cr, bx, by + 14);
    cairo_curve_to(cr, bx - 10, by + 12, bx - 16, by + 16, 24, by + 20);
    GoldStroke(cr, 1.4, by + 10, by + 20);
    for (const auto& [x, y] : {std::pair{6.0, 6.0}, {n - 6.0, 6.0}, {6.0, n - 6.0}, {n - 6.0, n - 6.0}}) Rosette(c, x, y, 4);
    return c;
}

// The caption sign: a carved stone plaque with gilded lettering.
Canvas Sign(const ArtContext& ctx) {
    Canvas c(SignW, SignH);
    const Canvas shape = RoundShape(SignW, SignH, 4, 4, SignW - 10, SignH - 10, 10);
    DropShadow(c, shape, 0, 0, 2, 3, 3, Hex(0x1A0C02, 0.6));
    c.Paint(StoneSlab(shape, ctx.SubSeed("slab"), Hex(0x9A5A34), 3.5), 0, 0);
    Groove(c, 12, 11, SignW - 26, SignH - 24, 6, 0.8);
    TextStyle t = GildStyle(30);
    t.SmallCaps = true;
    t.LetterSpacing = 1.5;
    DrawTextInBox(c, "How to Build", t, 28, 8, SignW - 56, SignH - 18);
    Rosette(c, 14, SignH / 2.0 - 1, 5);
    Rosette(c, SignW - 16, SignH / 2.0 - 1, 5);
    return c;
}

struct Rect {
    double X0 = 1e9, Y0 = 1e9, X1 = -1e9, Y1 = -1e9;
    void Add(double x, double y, double w, double h) {
        X0 = std::min(X0, x); Y0 = std::min(Y0, y);
        X1 = std::max(X1, x + w); Y1 = std::max(Y1, y + h);
    }
};

// A bronze frame with a soft shadow round a demonstration board at (x, y, w, h).
void BoardFrame(Canvas& c, double x, double y, double w, double h) {
    const double b = 5, m = 12;   // frame width, room for the shadow
    const int cw = static_cast<int>(w + 2 * m), ch = static_cast<int>(h + 2 * m);
    Canvas ring(cw, ch);
    cairo_t* r = ring.Cr();
    RoundRectPath(r, m - b, m - b, w + 2 * b, h + 2 * b, 4);
    cairo_rectangle(r, m + w, m, -w, h);
    cairo_set_fill_rule(r, CAIRO_FILL_RULE_EVEN_ODD);
    FillLinear(r, m - b, m - b, m + w + b, m + h + b, {{0.0, Hex(0xF0C870)}, {0.4, Hex(0xA8702A)}, {1.0, Hex(0x5A3010)}});
    Bevel(ring, 1.5, 0.9);
    Canvas back(cw, ch);
    RoundRectPath(back.Cr(), m - b, m - b, w + 2 * b, h + 2 * b, 4);
    SetSource(back.Cr(), Hex(0x3A2410));
    cairo_fill(back.Cr());
    Canvas out(cw, ch);
    DropShadow(out, back, 0, 0, 2, 3, 4, Hex(0x1A0C02, 0.55));
    out.Paint(back, 0, 0);
    out.Paint(ring, 0, 0);
    c.Paint(out, x - m, y - m);
}

// A round sunk dais for the super bonus at (cx, cy).
void Dais(Canvas& c, double cx, double cy, double r) {
    cairo_t* cr = c.Cr();
    cairo_arc(cr, cx + 1.5, cy + 2.5, r + 5, 0, 2 * Pi);
    SetSource(cr, Hex(0x2A1404, 0.25));
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r + 4, 0, 2 * Pi);
    FillLinear(cr, cx - r, cy - r, cx + r, cy + r, {{0.0, Hex(0xFFF0B0)}, {0.5, Hex(0xC08A38)}, {1.0, Hex(0x6A3C14)}});
    cairo_arc(cr, cx, cy, r, 0, 2 * Pi);
    FillRadial(cr, cx, cy, 0, r, {{0.0, Hex(0x5A3A1C)}, {0.75, Hex(0x4A2E16)}, {1.0, Hex(0x2A1808)}});
}

// The help page's backdrop, laid out from the layout's sample positions and help-text boxes.
Canvas HelpBackdrop(ArtContext& ctx) {
    const int w = ctx.GameWidth(), h = ctx.GameHeight();
    const KeyValues& v = ctx.Values();
    Canvas c = SiteBackdrop(w, h, ctx.SubSeed("site"));
    const double mx = v.Int("HelpMatchSampleX"), my = v.Int("HelpMatchSampleY");
    const double bx = v.Int("HelpScreenBonusSampleX"), by = v.Int("HelpScreenBonusSampleY");
    const double sx = v.Real("HelpScreenSuperBonusSampleX"), sy = v.Real("HelpScreenSuperBonusSampleY");
    const double shx = v.Real("Shutter1X"), shy = v.Real("Shutter1Y");
    const double wx = v.Real("HelpScreenBastaSampleX"), wy = v.Real("HelpScreenBastaSampleY");
    const double dx = v.Real("HelpScreenDoneX"), dy = v.Real("HelpScreenDoneY");
    const std::vector<TextBox> texts = TextBoxes(ctx, "Help");
    Rect area;
    area.Add(mx, my - Step, MatchW, MatchH + Step);   // tiles fall in from one row above
    area.Add(bx, by - Step, BonusW, BonusH + Step);
    area.Add(sx - 45, sy - 45, 90, 90);
    area.Add(shx, shy, ShutterSize, ShutterSize);
    area.Add(wx, wy, BastaW, BastaH);
    area.Add(dx, dy, DoneW, DoneH);
    for (const TextBox& t : texts) area.Add(t.X, t.Y, t.W, t.H);
    const double pad = 18;
    const double x0 = std::max(6.0, area.X0 - pad), y0 = std::max(6.0, area.Y0 - pad);
    const double x1 = std::min(w - 6.0, area.X1 + pad), y1 = std::min(h - 6.0, area.Y1 + pad);
    // The sheet: torn-edged parchment with a soft shadow on the site.
    Canvas mask(w, h);
    RoughRectPath(mask.Cr(), x0, y0, x1 - x0, y1 - y0, 2.5, ctx.SubSeed("edge"), 7.0);
    SetSource(mask.Cr(), Hex(0xFFFFFF));
    cairo_fill(mask.Cr());
    DropShadow(c, mask, 0, 0, 3, 5, 6, Hex(0x1A0C02, 0.55));
    {
        Canvas paper(w, h);
        paper.Paint(Parchment(static_cast<int>(x1 - x0) + 8, static_cast<int>(y1 - y0) + 8, ctx.SubSeed("sheet"), 0.3), x0 - 4, y0 - 4);
        c.Paint(MaskWith(paper, mask), 0, 0);
    }
    for (const auto& [px, py] : {std::pair{x0 + 10, y0 + 10}, {x1 - 10, y0 + 10}, {x0 + 10, y1 - 10}, {x1 - 10, y1 - 10}}) Rosette(c, px, py, 6);
    // Sunk trays under the demonstration boards, a dais for the super bonus, ground for the worker.
    BoardFrame(c, mx, my, MatchW, MatchH);
    BoardFrame(c, bx, by, BonusW, BonusH);
    Dais(c, sx, sy, 34);
    cairo_t* cr = c.Cr();
    EllipsePath(cr, wx + BastaW / 2.0, wy + BastaH - 4, BastaW * 0.9, 9);
    FillRadial(cr, wx + BastaW / 2.0, wy + BastaH - 4, 0, BastaW * 0.9, {{0.0, Hex(0xC8A068, 0.7)}, {1.0, Hex(0xC8A068, 0.0)}});
    // A small gilded lozenge before every help text, and a faint frame round the Done button.
    for (const TextBox& t : texts) {
        const double lx = t.X - 9, ly = t.Y + 8;
        cairo_move_to(cr, lx - 4, ly);
        cairo_line_to(cr, lx, ly - 4);
        cairo_line_to(cr, lx + 4, ly);
        cairo_line_to(cr, lx, ly + 4);
        cairo_close_path(cr);
        GoldFill(cr, ly - 4, ly + 4);
    }
    Groove(c, dx - 5, dy - 4, DoneW + 10, DoneH + 8, 12, 0.6);
    Grain(c, ctx.SubSeed("grain"), 0.015);
    return c;
}

}  // namespace

ARTGEN_MODULE(helpscreen) {
    reg.Add("base/ui/help/bg1.png", [](ArtContext& ctx) { return Sequence(SampleBoard(ctx, MatchW, MatchH, "cc")); }, {}, 2.0);
    reg.Add("base/ui/help/bg2.png", [](ArtContext& ctx) { return Sequence(SampleBoard(ctx, MatchW, MatchH, "bc")); }, {}, 2.0);
    reg.Add("base/ui/help/bg3.png", [](ArtContext& ctx) { return Sequence(SampleBoard(ctx, BonusW, BonusH, "c")); }, {}, 1.0);
    reg.Add("base/ui/help/shutter1.jpg", [](ArtContext& ctx) { return Sequence(Shutter(ctx)); });
    reg.Add("L1033/ui/help/btdone.4.png", [](ArtContext& ctx) { return TextButton(DoneW, DoneH, ctx.SubSeed("b"), "Done"); });
    reg.Add("L1033/ui/help/help_sign.png", [](ArtContext& ctx) { return Sequence(Sign(ctx)); });
    reg.Add("base/<R>/ui/help/Help.png", [](ArtContext& ctx) { return Sequence(HelpBackdrop(ctx)); }, {}, 4.0);

    // The wide layout's demonstration pieces: the 800 x 600 board's own pictures (50 px).
    struct Piece { const char* Module; const char* Source; const char* Name; };
    static const Piece pieces[] = {
        {"gems", "base/R800x600/elements/marble11.10.png", "marble11.10.png"},
        {"gems", "base/R800x600/elements/marble12.10.png", "marble12.10.png"},
        {"gems", "base/R800x600/elements/marble13.10.png", "marble13.10.png"},
        {"gems", "base/R800x600/elements/marble11sel.20.png", "marble11sel.20.png"},
        {"gems", "base/R800x600/elements/marble12sel.20.png", "marble12sel.20.png"},
        {"gems", "base/R800x600/elements/marble11kill.12.png", "marble11kill.12.png"},
        {"gems", "base/R800x600/elements/marble12kill.12.png", "marble12kill.12.png"},
        {"elements", "base/R800x600/elements/bonus01.10.png", "bonus01.10.png"},
        {"elements", "base/R800x600/elements/bonus02.10.png", "bonus02.10.png"},
        {"elements", "base/R800x600/elements/bonus03.10.png", "bonus03.10.png"},
        {"elements", "base/elements/bonuslight01.10.png", "bonuslight01.10.png"},
        {"elements", "base/elements/bonuslight02.10.png", "bonuslight02.10.png"},
        {"elements", "base/elements/bonuslight03.10.png", "bonuslight03.10.png"},
    };
    for (const Piece& p : pieces) {
        const std::string module = p.Module, source = p.Source;
        reg.AddForLayout(Layout::R1280x720, std::string("base/R1280x720/ui/help/ElementsForHelp/") + p.Name,
                         [module, source](ArtContext& ctx) { return ForeignPicture(ctx, module, source); }, {}, 1.5);
    }
}
