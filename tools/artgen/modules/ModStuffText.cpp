// Game-screen pieces that carry words (English) and the parchment that comes down between
// sublevels: the score and level plaques, the message pictures of the scroll, the game-over page.
#include "ArtJobs.h"
#include "ArtText.h"
#include "ArtboardKit.h"

#include <cmath>
#include <string>
#include <vector>

namespace vantero::art {
namespace {

using namespace kit;

// Draws one centred line, shrinking the type until it fits maxWidth.
void LineFit(Canvas& dst, const std::string& text, TextStyle style, double cx, double baseline, double maxWidth) {
    for (int i = 0; i < 40; ++i) {
        const TextMetrics m = MeasureText(text, style);
        if (m.InkW + 2 * EffectPad(style) <= maxWidth) break;
        style.Size *= 0.95;
    }
    DrawTextCentred(dst, text, style, cx, baseline);
}

// Ink lettering for parchment: dark brown-red with a faint pressed-in light edge.
TextStyle Ink(double size) {
    TextStyle t;
    t.Family = fonts::Title;
    t.Bold = true;
    t.Size = size;
    t.FillTop = Hex(0x7A2410);
    t.FillBottom = Hex(0x3A0E04);
    t.OutlineWidth = 0.8;
    t.Outline = Hex(0x2A0A02, 0.6);
    t.ShadowDy = 1.2;
    t.ShadowBlur = 1.0;
    t.Shadow = Hex(0xFFF2D0, 0.8);
    return t;
}

// Letters cut into stone: dark fill with a light lower edge.
TextStyle Engraved(double size) {
    TextStyle t;
    t.Family = fonts::Title;
    t.Bold = true;
    t.SmallCaps = true;
    t.Size = size;
    t.LetterSpacing = 1.2;
    t.FillTop = Hex(0x2A1608);
    t.FillBottom = Hex(0x4A2C12);
    t.ShadowDy = 1;
    t.ShadowBlur = 0.6;
    t.Shadow = Hex(0xFFF0C8, 0.75);
    return t;
}

// A carved sandstone tablet in a bronze frame, w x h.
Canvas Tablet(int w, int h, uint32_t seed) {
    Canvas shape(w, h);
    cairo_t* sc = shape.Cr();
    RoundRectPath(sc, 1, 1, w - 2, h - 4, 7);
    cairo_set_source_rgb(sc, 1, 1, 1);
    cairo_fill(sc);
    Canvas stone = MaskWith(StoneTexture(w, h, seed, Hex(0xD6B886), 12), shape);
    Bevel(stone, 2.5, 1.2);
    Canvas c(w, h);
    DropShadow(c, shape, 0, 0, 1, 2, 2, Hex(0x1A0A02, 0.6));
    c.Paint(stone, 0, 0);
    cairo_t* cr = c.Cr();
    RoundRectPath(cr, 1.5, 1.5, w - 3, h - 5, 6.5);
    cairo_set_line_width(cr, 2.2);
    cairo_pattern_t* p = LinearGradient(0, 0, w, h, {{0.0, Hex(0xF8D890)}, {0.5, Hex(0xB07A2A)}, {1.0, Hex(0x5A3410)}});
    cairo_set_source(cr, p);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
    return c;
}

// A recessed slot in the tablet where the game writes a number.
void Slot(Canvas& c, double x, double y, double w, double h, bool dark) {
    cairo_t* cr = c.Cr();
    RoundRectPath(cr, x, y, w, h, h * 0.3);
    if (dark) FillLinear(cr, 0, y, 0, y + h, {{0.0, Hex(0x2A1606)}, {1.0, Hex(0x5A3818)}});
    else FillLinear(cr, 0, y, 0, y + h, {{0.0, Hex(0xD8C090)}, {1.0, Hex(0xF4E4BC)}});
    RoundRectPath(cr, x, y, w, h, h * 0.3);
    cairo_set_line_width(cr, 1.2);
    cairo_pattern_t* p = LinearGradient(0, y, 0, y + h, {{0.0, Hex(0x2A1406, 0.9)}, {1.0, Hex(0xFFF0C8, 0.8)}});
    cairo_set_source(cr, p);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
}

// "stuff/score": the label on top, a dark slot for the gold numerals the game writes into it.
// The slot starts where both layouts put the score text (GameScoresTextX/Y relative to the plaque).
Canvas ScorePlaque(ArtContext& ctx) {
    const int w = 124, h = 46;
    Canvas c = Tablet(w, h, ctx.SubSeed("stone"));
    const int textX = std::min(ctx.ValuesFor(Layout::R800x600).Int("GameScoresTextX") - ctx.ValuesFor(Layout::R800x600).Int("GameScoresX"),
                               ctx.ValuesFor(Layout::R1280x720).Int("GameScoresTextX") - ctx.ValuesFor(Layout::R1280x720).Int("GameScoresX"));
    Slot(c, textX - 6, 19, w - textX - 2, 23, true);
    // A small gold coin left of the slot.
    cairo_t* cr = c.Cr();
    const double cx = (textX - 6) / 2.0 + 1, cy = 30;
    cairo_arc(cr, cx, cy, 8, 0, 2 * Pi);
    FillRadial(cr, cx - 2.5, cy - 2.5, 0, 10, {{0.0, Hex(0xFFF6C0)}, {0.5, Hex(0xF0B830)}, {1.0, Hex(0x7A4A08)}});
    cairo_arc(cr, cx, cy, 5.2, 0, 2 * Pi);
    cairo_set_line_width(cr, 1);
    SetSource(cr, Hex(0x6A3A06, 0.8));
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, 8, 0, 2 * Pi);
    SetSource(cr, Hex(0x3A2004, 0.9));
    cairo_stroke(cr);
    LineFit(c, "Score", Engraved(14), w / 2.0, 15, w - 16);
    return c;
}

// "stuff/level": the label at the left, a light slot for the "level/sublevel" text.
Canvas LevelPlaque(ArtContext& ctx) {
    const int w = 124, h = 40;
    Canvas c = Tablet(w, h, ctx.SubSeed("stone"));
    const int textX = std::min(ctx.ValuesFor(Layout::R800x600).Int("GameLevelTextX") - ctx.ValuesFor(Layout::R800x600).Int("GameLevelX"),
                               ctx.ValuesFor(Layout::R1280x720).Int("GameLevelTextX") - ctx.ValuesFor(Layout::R1280x720).Int("GameLevelX"));
    Slot(c, textX - 5, 7, w - textX - 1, 26, false);
    LineFit(c, "Level", Engraved(15), (textX - 5) / 2.0 + 1, 25, textX - 8);
    return c;
}

// ---- Messages on the scroll ----

constexpr int MsgW = 260, MsgH = 120;   // the scroll's size; the picture lies on it at its top-left

struct Message {
    const char* Name;
    std::vector<std::string> Lines;
    Rgba Accent;
    bool Urgent;   // pulses
};

const std::vector<Message>& Messages() {
    static const std::vector<Message> m = {
        {"extra", {"Super Bonus!"}, Hex(0xE8A820), false},
        {"hurry", {"Hurry up!"}, Hex(0xE05020), true},
        {"moves", {"No more moves!", "New stones are coming"}, Hex(0x3A7AD0), false},
        {"time", {"Time is up!"}, Hex(0xC02818), true},
        {"workers", {"The workers", "have left!"}, Hex(0xA04818), false},
        {"secret", {"A secret!", "Something has changed\xE2\x80\xA6"}, Hex(0x8A40C8), false},
    };
    return m;
}

// The words in ink, with a small ornament line under them.
Canvas MessageInk(const Message& msg) {
    Canvas c(MsgW, MsgH);
    const double cx = MsgW / 2.0, maxW = MsgW - 44;
    if (msg.Lines.size() == 1) {
        LineFit(c, msg.Lines[0], Ink(38), cx, 70, maxW);
    } else {
        LineFit(c, msg.Lines[0], Ink(msg.Lines[1].size() > 12 ? 32 : 34), cx, 56, maxW);
        TextStyle small = Ink(msg.Lines[1].size() > 12 ? 17 : 34);
        if (msg.Lines[1].size() > 12) small.Bold = false, small.Italic = true;
        LineFit(c, msg.Lines[1], small, cx, msg.Lines[1].size() > 12 ? 80 : 88, maxW);
    }
    // Ornament: a thin rule with a lozenge in the middle.
    cairo_t* cr = c.Cr();
    const double y = msg.Lines.size() > 1 && msg.Lines[1].size() <= 12 ? 102 : 98;
    cairo_move_to(cr, cx - 60, y);
    cairo_line_to(cr, cx - 8, y);
    cairo_move_to(cr, cx + 8, y);
    cairo_line_to(cr, cx + 60, y);
    cairo_set_line_width(cr, 1.2);
    SetSource(cr, Hex(0x5A2A10, 0.7));
    cairo_stroke(cr);
    cairo_move_to(cr, cx, y - 4);
    cairo_line_to(cr, cx + 5, y);
    cairo_line_to(cr, cx, y + 4);
    cairo_line_to(cr, cx - 5, y);
    cairo_close_path(cr);
    SetSource(cr, msg.Accent);
    cairo_fill(cr);
    return c;
}

// 10 frames at 8 fps: a band of the message's colour and gold runs through the letters; urgent
// messages also throb.
Sequence MessagePicture(const Message& msg) {
    Sequence seq;
    const Canvas ink = MessageInk(msg);
    for (int f = 0; f < 10; ++f) {
        const double t = f / 10.0;
        Canvas frame(MsgW, MsgH);
        const double s = msg.Urgent ? 1.0 + 0.05 * std::sin(2 * Pi * t) : 1.0;
        frame.PaintScaled(ink, MsgW / 2.0 * (1 - s), MsgH / 2.0 * (1 - s), s, s);
        Canvas band(MsgW, MsgH);
        cairo_t* bc = band.Cr();
        const double x = -60 + t * (MsgW + 120);
        cairo_rectangle(bc, 0, 0, MsgW, MsgH);
        cairo_pattern_t* p = LinearGradient(x - 50, 0, x + 50, 30,
                                            {{0.0, WithAlpha(msg.Accent, 0)}, {0.4, WithAlpha(msg.Accent, 0.75)}, {0.5, Hex(0xFFE890, 0.9)},
                                             {0.6, WithAlpha(msg.Accent, 0.75)}, {1.0, WithAlpha(msg.Accent, 0)}});
        cairo_set_source(bc, p);
        cairo_fill(bc);
        cairo_pattern_destroy(p);
        ClipTo(band, frame);
        frame.Paint(band, 0, 0, 1.0, CAIRO_OPERATOR_ATOP);
        seq.Frames.push_back(std::move(frame));
    }
    return seq;
}

// ---- Game over ----

// A sepia sketch of a toppled column under the words, on a transparent page (it lies on the
// parchment; the level's sign is drawn over its top-left).
Canvas GameOver(uint32_t seed) {
    const int w = 400, h = 300;
    Canvas c(w, h);
    cairo_t* cr = c.Cr();
    ArtRandom r(seed);
    const Rgba sepia = Hex(0x5A3418, 0.85);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // Ground line.
    cairo_move_to(cr, 70, 262);
    for (int x = 70; x <= 330; x += 10) cairo_line_to(cr, x, 262 + r.Real(-1.2, 1.2));
    cairo_set_line_width(cr, 1.6);
    SetSource(cr, sepia);
    cairo_stroke(cr);
    // The standing stump of the column with its broken top.
    const double sx = 110, sw = 36;
    cairo_move_to(cr, sx, 262);
    cairo_line_to(cr, sx, 206);
    cairo_line_to(cr, sx + 9, 200);
    cairo_line_to(cr, sx + 16, 209);
    cairo_line_to(cr, sx + 25, 197);
    cairo_line_to(cr, sx + sw, 204);
    cairo_line_to(cr, sx + sw, 262);
    SetSource(cr, Hex(0xC8A070, 0.35));
    cairo_fill_preserve(cr);
    SetSource(cr, sepia);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    for (int i = 1; i < 4; ++i) {
        cairo_move_to(cr, sx + i * sw / 4.0, 208);
        cairo_line_to(cr, sx + i * sw / 4.0, 260);
    }
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    // Base block.
    cairo_rectangle(cr, sx - 8, 252, sw + 16, 10);
    SetSource(cr, sepia);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    // The fallen drums lying on the ground, and the capital.
    double x = 168;
    for (int i = 0; i < 3; ++i) {
        const double dw = 40, dh = 30;
        const double y = 262 - dh;
        cairo_save(cr);
        cairo_translate(cr, x + dw / 2, y + dh / 2);
        cairo_rotate(cr, r.Real(-0.08, 0.08));
        cairo_rectangle(cr, -dw / 2, -dh / 2, dw, dh);
        SetSource(cr, Hex(0xC8A070, 0.3));
        cairo_fill_preserve(cr);
        SetSource(cr, sepia);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        for (int k = 1; k < 4; ++k) {
            cairo_move_to(cr, -dw / 2 + 2, -dh / 2 + k * dh / 4.0);
            cairo_line_to(cr, dw / 2 - 2, -dh / 2 + k * dh / 4.0);
        }
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
        cairo_restore(cr);
        x += dw + r.Real(4, 10);
    }
    // Capital, tipped on its side.
    cairo_move_to(cr, x + 4, 262);
    cairo_line_to(cr, x + 4, 236);
    cairo_curve_to(cr, x + 4, 228, x + 16, 228, x + 16, 236);
    cairo_line_to(cr, x + 26, 240);
    cairo_line_to(cr, x + 26, 262);
    SetSource(cr, Hex(0xC8A070, 0.3));
    cairo_fill_preserve(cr);
    SetSource(cr, sepia);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    // Hatching of the shadows on the ground.
    for (int i = 0; i < 22; ++i) {
        const double hx = 160 + i * 7;
        cairo_move_to(cr, hx, 264);
        cairo_line_to(cr, hx - 6, 270);
    }
    cairo_set_line_width(cr, 0.8);
    SetSource(cr, Hex(0x5A3418, 0.5));
    cairo_stroke(cr);
    // The words.
    TextStyle title = Ink(60);
    title.Family = fonts::TitleDisplay;
    title.FillTop = Hex(0x8A1A0C);
    title.FillBottom = Hex(0x4A0804);
    LineFit(c, "Game Over", title, w / 2.0, 168, w - 30);
    TextStyle sub = Ink(19);
    sub.Bold = false;
    sub.Italic = true;
    sub.FillTop = sub.FillBottom = Hex(0x4A2410);
    LineFit(c, "The monument must wait for another day", sub, w / 2.0, 196, w - 40);
    return c;
}

// ---- The parchment that comes down over the board ----

// A sheet hanging from a wooden rod with a rolled lower edge; its size follows the layout (the wide
// layout's sheet has 50 px more margin on every side).
Canvas Parchment(ArtContext& ctx) {
    const int n = ctx.Wide() ? 660 : 560;
    Canvas c(n, n);
    const double left = 16, right = n - 16, top = 20, bottom = n - 26;
    Canvas shape(n, n);
    cairo_t* sc = shape.Cr();
    RoughRectPath(sc, left, top, right - left, bottom - top, 2.0, ctx.SubSeed("edge"), 10.0);
    cairo_set_source_rgb(sc, 1, 1, 1);
    cairo_fill(sc);
    Canvas sheet = MaskWith(ParchmentTexture(n, n, ctx.SubSeed("paper"), 0.75), shape);
    // A faint ruled border in faded ink.
    cairo_t* pc = sheet.Cr();
    for (const double inset : {26.0, 32.0}) {
        RoundRectPath(pc, left + inset, top + inset + 6, right - left - 2 * inset, bottom - top - 2 * inset - 6, 6);
        cairo_set_line_width(pc, inset < 30 ? 2.0 : 1.0);
        SetSource(pc, Hex(0x7A4A20, 0.35));
        cairo_stroke(pc);
    }
    Bevel(sheet, 3.0, 0.6);
    DropShadow(c, shape, 0, 0, 5, 8, 8, Hex(0x1A0A02, 0.55));
    c.Paint(sheet, 0, 0);
    cairo_t* cr = c.Cr();
    // Rolled lower edge: a paper cylinder.
    RoundRectPath(cr, left - 4, bottom - 10, right - left + 8, 22, 11);
    FillLinear(cr, 0, bottom - 10, 0, bottom + 12, {{0.0, Hex(0xF4E4C0)}, {0.4, Hex(0xE8D0A0)}, {1.0, Hex(0x9A7448)}});
    RoundRectPath(cr, left - 4, bottom - 10, right - left + 8, 22, 11);
    cairo_set_line_width(cr, 1.2);
    SetSource(cr, Hex(0x5A3A1C, 0.8));
    cairo_stroke(cr);
    // The rod at the top with gilded knobs.
    RoundRectPath(cr, 4, 6, n - 8, 20, 10);
    FillLinear(cr, 0, 6, 0, 26, {{0.0, Hex(0xC08A50)}, {0.35, Hex(0x8A5428)}, {1.0, Hex(0x3A2010)}});
    RoundRectPath(cr, 4, 6, n - 8, 20, 10);
    SetSource(cr, Hex(0x24140A, 0.9));
    cairo_stroke(cr);
    for (const double kx : {4.0, static_cast<double>(n - 26)}) {
        RoundRectPath(cr, kx, 2, 22, 28, 9);
        FillRadial(cr, kx + 7, 9, 0, 22, {{0.0, Hex(0xFFF4C0)}, {0.45, Hex(0xE0A830)}, {1.0, Hex(0x6A3A06)}});
        RoundRectPath(cr, kx, 2, 22, 28, 9);
        SetSource(cr, Hex(0x3A2004, 0.9));
        cairo_stroke(cr);
    }
    return c;
}

}  // namespace
}  // namespace vantero::art

ARTGEN_MODULE(stufftext) {
    using namespace vantero::art;
    const std::string dir = "L1033/stuff/";
    reg.Add(dir + "score.png", [](ArtContext& ctx) { return Sequence(ScorePlaque(ctx)); });
    reg.Add(dir + "level.png", [](ArtContext& ctx) { return Sequence(LevelPlaque(ctx)); });
    reg.Add(dir + "gameover.png", [](ArtContext& ctx) { return Sequence(GameOver(ctx.SubSeed("sketch"))); });
    for (const Message& m : Messages())
        reg.Add(dir + "msg" + m.Name + ".10.png", [&m](ArtContext&) { return MessagePicture(m); }, {}, 2.0);
    reg.Add("base/<R>/stuff/parch.png", [](ArtContext& ctx) { return Sequence(Parchment(ctx)); }, {}, 4.0);
}
