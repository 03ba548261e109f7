// Tip bubbles and their arrows, the yes/no and layout dialogs, the options dialog with its sliders and
// switches, and the in-game roll menu (an unrolling scroll with its buttons).
#include "ArtJobs.h"
#include "ArtText.h"
#include "UiKitB.h"

using namespace vantero::art;
using namespace vantero::art::uib;

namespace {

// ---- Tips ----

// A thin gilded divider with a lozenge in the middle.
void Divider(Canvas& c, double x0, double x1, double y) {
    cairo_t* cr = c.Cr();
    const double cx = (x0 + x1) / 2;
    GildedLine(c, x0, x1, y);
    cairo_move_to(cr, cx - 7, y);
    cairo_line_to(cr, cx, y - 4.5);
    cairo_line_to(cr, cx + 7, y);
    cairo_line_to(cr, cx, y + 4.5);
    cairo_close_path(cr);
    GoldFill(cr, y - 4.5, y + 4.5);
}

// The tip bubble: a parchment card with a bronze edge, a title ornament and room for the text.
Canvas TipBubble(uint32_t seed) {
    const int w = 240, h = 250;
    Canvas c(w, h);
    const Canvas shape = RoundShape(w, h, 3, 3, w - 8, h - 8, 20);
    DropShadow(c, shape, 0, 0, 1.5, 3, 3, Hex(0x1A0C02, 0.55));
    Canvas rim(w, h);
    rim.Paint(shape, 0, 0);
    {
        cairo_t* r = rim.Cr();
        cairo_save(r);
        cairo_set_operator(r, CAIRO_OPERATOR_ATOP);
        cairo_rectangle(r, 0, 0, w, h);
        FillLinear(r, 0, 0, w, h, {{0.0, Hex(0xF0C870)}, {0.45, Hex(0xA8702A)}, {1.0, Hex(0x6A3C14)}});
        cairo_restore(r);
    }
    Bevel(rim, 1.6, 0.9);
    c.Paint(rim, 0, 0);
    const Canvas faceMask = RoundShape(w, h, 7, 7, w - 16, h - 16, 16);
    c.Paint(ParchmentFace(faceMask, seed, 0.55), 0, 0);
    Canvas inner(w, h);
    RoundRectPath(inner.Cr(), 7, 7, w - 16, h - 16, 16);
    cairo_set_line_width(inner.Cr(), 4);
    SetSource(inner.Cr(), Hex(0x5A3010, 0.45));
    cairo_stroke(inner.Cr());
    Blur(inner, 2.5);
    inner.Paint(faceMask, 0, 0, 1.0, CAIRO_OPERATOR_DEST_IN);
    c.Paint(inner, 1, 1);
    Divider(c, 30, 180, 27);
    Rosette(c, 22, 27, 7);
    // A faint seal-like sun in the lower right corner of the text area.
    cairo_t* cr = c.Cr();
    StarPath(cr, 200, 212, 16, 10, 12, 0);
    SetSource(cr, Hex(0xB07A30, 0.12));
    cairo_fill(cr);
    return c;
}

// A pulsing gold arrow pair for a swap (vertical: two cells one above the other).
Sequence SwapArrows(bool vertical) {
    const int w = vertical ? 40 : 80, h = vertical ? 80 : 40;
    Sequence seq;
    for (int f = 0; f < 8; ++f) {
        const double ph = 2 * Pi * f / 8;
        const double spread = 2.5 * std::sin(ph);
        const bool bright = std::sin(ph) > 0.3;
        Canvas c(w, h);
        Canvas shape(w, h);
        cairo_t* cr = shape.Cr();
        cairo_save(cr);
        if (!vertical) {
            cairo_translate(cr, w / 2.0, h / 2.0);
            cairo_rotate(cr, -Pi / 2);
            cairo_translate(cr, -h / 2.0, -w / 2.0);
        }
        // Traced for the vertical case in a 40 x 80 frame.
        const double cx = 20, cy = 40;
        for (int d : {-1, 1}) {
            const double tip = cy + d * (33 + spread), base = cy + d * (12 + spread);
            cairo_move_to(cr, cx, tip);
            cairo_line_to(cr, cx - 13, base);
            cairo_line_to(cr, cx - 5, base);
            cairo_line_to(cr, cx - 5, cy + d * 3);
            cairo_line_to(cr, cx + 5, cy + d * 3);
            cairo_line_to(cr, cx + 5, base);
            cairo_line_to(cr, cx + 13, base);
            cairo_close_path(cr);
        }
        SetSource(cr, Hex(0xFFFFFF));
        cairo_fill(cr);
        cairo_restore(cr);
        OuterGlow(c, shape, 0, 0, 4, Hex(0xFFE070, 0.35 + 0.3 * std::max(0.0, std::sin(ph))));
        Canvas body(w, h);
        body.Paint(shape, 0, 0);
        {
            cairo_t* b = body.Cr();
            cairo_save(b);
            cairo_set_operator(b, CAIRO_OPERATOR_ATOP);
            cairo_rectangle(b, 0, 0, w, h);
            FillLinear(b, 0, 0, w, h, {{0.0, bright ? Hex(0xFFFBE0) : Hex(0xFFF0B0)}, {0.5, Hex(0xF2C14E)}, {1.0, Hex(0xA06A18)}});
            cairo_restore(b);
        }
        Bevel(body, 1.6, 1.0);
        DropShadow(c, shape, 0, 0, 1, 1.5, 1.5, Hex(0x2A1404, 0.8));
        c.Paint(body, 0, 0);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// A downward pointer whose tip touches the bottom centre; it bobs towards the point.
Sequence PointerArrow() {
    const int w = 40, h = 60;
    Sequence seq;
    for (int f = 0; f < 8; ++f) {
        const double ph = 2 * Pi * f / 8;
        const double lift = 4 + 4 * std::cos(ph);
        Canvas shape(w, h);
        cairo_t* s = shape.Cr();
        const double tip = h - 2 - lift;
        cairo_move_to(s, w / 2.0, tip);
        cairo_line_to(s, w / 2.0 - 15, tip - 20);
        cairo_line_to(s, w / 2.0 - 6, tip - 20);
        cairo_line_to(s, w / 2.0 - 6, tip - 44);
        cairo_curve_to(s, w / 2.0 - 6, tip - 48, w / 2.0 + 6, tip - 48, w / 2.0 + 6, tip - 44);
        cairo_line_to(s, w / 2.0 + 6, tip - 20);
        cairo_line_to(s, w / 2.0 + 15, tip - 20);
        cairo_close_path(s);
        SetSource(s, Hex(0xFFFFFF));
        cairo_fill(s);
        Canvas c(w, h);
        OuterGlow(c, shape, 0, 0, 3.5, Hex(0xFFE070, 0.5 - 0.2 * std::cos(ph)));
        Canvas body(w, h);
        body.Paint(shape, 0, 0);
        {
            cairo_t* b = body.Cr();
            cairo_save(b);
            cairo_set_operator(b, CAIRO_OPERATOR_ATOP);
            cairo_rectangle(b, 0, 0, w, h);
            FillLinear(b, 0, 0, w, 0, {{0.0, Hex(0xFFF6C8)}, {0.55, Hex(0xF2C14E)}, {1.0, Hex(0xA06A18)}});
            cairo_restore(b);
        }
        Bevel(body, 1.6, 1.0);
        DropShadow(c, shape, 0, 0, 1, 1.5, 1.5, Hex(0x2A1404, 0.8));
        c.Paint(body, 0, 0);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// ---- Options ----

// Icons of the options rows, centred at (cx, cy), about 30 px.
void SpeakerIcon(Canvas& c, double cx, double cy) {
    cairo_t* cr = c.Cr();
    cairo_move_to(cr, cx - 13, cy - 5);
    cairo_line_to(cr, cx - 7, cy - 5);
    cairo_line_to(cr, cx + 1, cy - 12);
    cairo_line_to(cr, cx + 1, cy + 12);
    cairo_line_to(cr, cx - 7, cy + 5);
    cairo_line_to(cr, cx - 13, cy + 5);
    cairo_close_path(cr);
    GoldFill(cr, cy - 12, cy + 12);
    for (int i = 0; i < 2; ++i) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx + 2, cy, 6 + 5.5 * i, -0.8, 0.8);
        GoldStroke(cr, 2.0, cy - 10, cy + 10);
    }
}

void NoteIcon(Canvas& c, double cx, double cy) {
    cairo_t* cr = c.Cr();
    cairo_move_to(cr, cx - 5, cy + 8);
    cairo_line_to(cr, cx - 5, cy - 10);
    cairo_line_to(cr, cx + 10, cy - 13);
    cairo_line_to(cr, cx + 10, cy + 5);
    GoldStroke(cr, 2.4, cy - 13, cy + 8);
    cairo_move_to(cr, cx - 5, cy - 6);
    cairo_line_to(cr, cx + 10, cy - 9);
    GoldStroke(cr, 2.4, cy - 13, cy + 8);
    for (const auto& [x, y] : {std::pair{cx - 9.0, cy + 9.0}, {cx + 6.0, cy + 6.0}}) {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, -0.4);
        cairo_scale(cr, 5, 3.6);
        cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
        cairo_restore(cr);
        GoldFill(cr, y - 4, y + 4);
    }
}

void ScreenIcon(Canvas& c, double cx, double cy) {
    cairo_t* cr = c.Cr();
    RoundRectPath(cr, cx - 13, cy - 10, 26, 18, 2);
    GoldStroke(cr, 2.0, cy - 10, cy + 8);
    cairo_move_to(cr, cx - 5, cy + 13);
    cairo_line_to(cr, cx + 5, cy + 13);
    cairo_move_to(cr, cx, cy + 8);
    cairo_line_to(cr, cx, cy + 13);
    GoldStroke(cr, 2.0, cy + 8, cy + 13);
    // Corner arrows pointing outwards.
    for (int sx : {-1, 1})
        for (int sy : {-1, 1}) {
            const double x = cx + sx * 7, y = cy - 1 + sy * 4;
            cairo_move_to(cr, x - sx * 3, y);
            cairo_line_to(cr, x, y);
            cairo_line_to(cr, x, y - sy * 3);
            GoldStroke(cr, 1.4, cy - 8, cy + 6);
        }
}

void TipIcon(Canvas& c, double cx, double cy) {
    cairo_t* cr = c.Cr();
    RoundRectPath(cr, cx - 13, cy - 12, 26, 19, 6);
    GoldStroke(cr, 2.0, cy - 12, cy + 7);
    cairo_move_to(cr, cx - 6, cy + 6.5);
    cairo_line_to(cr, cx - 9, cy + 13);
    cairo_line_to(cr, cx, cy + 7);
    GoldStroke(cr, 2.0, cy + 6, cy + 13);
    TextStyle t = GildStyle(15);
    t.OutlineWidth = 1.0;
    DrawTextCentred(c, "?", t, cx, cy + 3);
}

// A slider's track: a groove with gilded end studs and notch marks along it.
void SliderTrack(Canvas& c, double x0, double x1, double cy) {
    Groove(c, x0 - 6, cy - 4, x1 - x0 + 12, 8, 4, 1.3);
    cairo_t* cr = c.Cr();
    for (int i = 0; i <= 10; ++i) {
        const double x = x0 + (x1 - x0) * i / 10.0;
        const double l = (i % 5 == 0) ? 5.5 : 3.0;
        cairo_move_to(cr, x, cy + 7);
        cairo_line_to(cr, x, cy + 7 + l);
        SetSource(cr, Hex(0x5A3A1A, 0.55));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    // Rising wedge: louder to the right.
    cairo_move_to(cr, x0, cy - 9);
    cairo_line_to(cr, x1, cy - 15);
    cairo_line_to(cr, x1, cy - 9);
    cairo_close_path(cr);
    FillLinear(cr, x0, 0, x1, 0, {{0.0, Hex(0xB07A30, 0.1)}, {1.0, Hex(0xB07A30, 0.45)}});
}

// The options dialog frame: title space, two sliders, two switches and the four buttons' row.
Canvas OptionsFrame(ArtContext& ctx) {
    const int w = 340, h = 500;
    Canvas c = DialogTablet(w, h, ctx.SubSeed("tablet"), 17);
    // Positions of the controls the dialog lays over the picture (knob 24 x 32, switch 32 x 32).
    const double knobW = 24, knobH = 32, sw = 32;
    const double minX = 68, maxX = 265;
    const double soundY = 170, musicY = 249, fullY = 321, tipsY = 370;
    Divider(c, 40, 300, 112);
    SliderTrack(c, minX + knobW / 2, maxX + knobW / 2, soundY + knobH / 2);
    SliderTrack(c, minX + knobW / 2, maxX + knobW / 2, musicY + knobH / 2);
    SpeakerIcon(c, 40, soundY + knobH / 2);
    NoteIcon(c, 40, musicY + knobH / 2);
    Divider(c, 40, 300, 305);
    for (double y : {fullY, tipsY}) {
        // A round socket under each switch and a carved plate to its right.
        cairo_t* cr = c.Cr();
        cairo_arc(cr, 67 + sw / 2, y + sw / 2, sw / 2 + 3, 0, 2 * Pi);
        FillRadial(cr, 67 + sw / 2 - 2, y + sw / 2 - 2, 0, sw / 2 + 4, {{0.0, Hex(0x3A2410, 0.5)}, {0.8, Hex(0x3A2410, 0.3)}, {1.0, Hex(0x3A2410, 0.0)}});
        cairo_arc(cr, 67 + sw / 2, y + sw / 2, sw / 2 + 3.5, 0.2 * Pi, 1.1 * Pi);
        SetSource(cr, Hex(0xFFF6DC, 0.55));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        Groove(c, 112, y + 5, 186, 22, 11, 0.6);
    }
    ScreenIcon(c, 40, fullY + sw / 2);
    TipIcon(c, 40, tipsY + sw / 2);
    // On the plates: the picture of the choice (a wide frame for full screen, a scroll of hints).
    {
        cairo_t* cr = c.Cr();
        const double y = fullY + sw / 2;
        RoundRectPath(cr, 150, y - 7, 28, 14, 2);
        SetSource(cr, Hex(0x7A5228, 0.45));
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
        RoundRectPath(cr, 200, y - 9, 72, 18, 2);
        SetSource(cr, Hex(0x7A5228, 0.6));
        cairo_stroke(cr);
        cairo_move_to(cr, 183, y);
        cairo_line_to(cr, 195, y);
        cairo_move_to(cr, 191, y - 4);
        cairo_line_to(cr, 195, y);
        cairo_line_to(cr, 191, y + 4);
        cairo_stroke(cr);
        const double ty = tipsY + sw / 2;
        for (int i = 0; i < 3; ++i) {
            cairo_move_to(cr, 150, ty - 5 + 5 * i);
            cairo_line_to(cr, 270 - 22 * i, ty - 5 + 5 * i);
        }
        SetSource(cr, Hex(0x7A5228, 0.4));
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
    Grain(c, ctx.SubSeed("grain"), 0.025);
    return c;
}

// A slider knob: a bronze handle with a gem inlay; hot = lit.
Canvas Knob(bool music, bool hot) {
    const int w = 24, h = 32;
    Canvas c(w, h);
    const Canvas shape = RoundShape(w, h, 2, 1, w - 5, h - 4, 6);
    DropShadow(c, shape, 0, 0, 1, 1.5, 1.5, Hex(0x1A0C02, 0.7));
    if (hot) OuterGlow(c, shape, 0, 0, 2.5, Hex(0xFFE070, 0.8));
    Canvas body(w, h);
    body.Paint(shape, 0, 0);
    {
        cairo_t* b = body.Cr();
        cairo_save(b);
        cairo_set_operator(b, CAIRO_OPERATOR_ATOP);
        cairo_rectangle(b, 0, 0, w, h);
        FillLinear(b, 0, 0, w, 0, {{0.0, hot ? Hex(0xFFF0B0) : Hex(0xF0C870)}, {0.5, hot ? Hex(0xE8B048) : Hex(0xC08A38)}, {1.0, Hex(0x6A3C14)}});
        cairo_restore(b);
    }
    Bevel(body, 1.5, 1.0);
    cairo_t* cr = body.Cr();
    // Grip lines and the inlaid gem.
    for (int i = 0; i < 3; ++i) {
        const double y = 5 + 2.5 * i;
        cairo_move_to(cr, 7, y);
        cairo_line_to(cr, 15, y);
        SetSource(cr, Hex(0x4A2A0A, 0.6));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    const Rgba gem = music ? Hex(0x2E9C95) : Hex(0x3A64C0);
    cairo_arc(cr, 11, 19, 5.5, 0, 2 * Pi);
    FillRadial(cr, 9.5, 17.5, 0, 6.5, {{0.0, Lighten(gem, hot ? 0.75 : 0.5)}, {0.55, hot ? Lighten(gem, 0.2) : gem}, {1.0, Darken(gem, 0.5)}});
    cairo_arc(cr, 9.5, 17.3, 1.6, 0, 2 * Pi);
    SetSource(cr, Hex(0xFFFFFF, 0.85));
    cairo_fill(cr);
    cairo_move_to(cr, 7, 27);
    cairo_line_to(cr, 15, 27);
    SetSource(cr, Hex(0x4A2A0A, 0.6));
    cairo_stroke(cr);
    c.Paint(body, 0, 0);
    if (hot) {
        RoundRectPath(c.Cr(), 1.2, 0.2, w - 2.6, h - 2.2, 6.5);
        SetSource(c.Cr(), Hex(0xFFF4A0, 0.95));
        cairo_set_line_width(c.Cr(), 1.4);
        cairo_stroke(c.Cr());
    }
    return c;
}

// A round switch: a jade stone with a check mark (on) or a carnelian stone with a cross (off).
Canvas Switch(bool on, bool hot) {
    const int n = 32;
    Canvas c(n, n);
    const double cx = n / 2.0 - 0.5, cy = n / 2.0 - 0.5, r = 12.5;
    Canvas shape(n, n);
    cairo_arc(shape.Cr(), cx, cy, r, 0, 2 * Pi);
    SetSource(shape.Cr(), Hex(0xFFFFFF));
    cairo_fill(shape.Cr());
    DropShadow(c, shape, 0, 0, 1, 1.5, 1.5, Hex(0x1A0C02, 0.7));
    if (hot) OuterGlow(c, shape, 0, 0, 2.5, Hex(0xFFE880, 0.9));
    cairo_t* cr = c.Cr();
    // Gold bezel.
    cairo_arc(cr, cx, cy, r, 0, 2 * Pi);
    FillLinear(cr, cx - r, cy - r, cx + r, cy + r, {{0.0, Hex(0xFFF0B0)}, {0.5, Hex(0xD09838)}, {1.0, Hex(0x6A3C14)}});
    const Rgba gem = on ? Hex(0x3FAE4A) : Hex(0xC43A22);
    const double g = r - 3;
    cairo_arc(cr, cx, cy, g, 0, 2 * Pi);
    FillRadial(cr, cx - 3, cy - 4, 0, g * 1.3, {{0.0, Lighten(gem, hot ? 0.7 : 0.45)}, {0.45, hot ? Lighten(gem, 0.15) : gem}, {1.0, Darken(gem, 0.55)}});
    cairo_arc(cr, cx - 3.5, cy - 4.5, 3.2, 0, 2 * Pi);
    SetSource(cr, Hex(0xFFFFFF, 0.55));
    cairo_fill(cr);
    if (hot) {
        // A bright ring shows the switch under the pointer.
        cairo_arc(cr, cx, cy, r + 1.6, 0, 2 * Pi);
        SetSource(cr, Hex(0xFFF4A0, 0.95));
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
        cairo_arc(cr, cx, cy, g, 0, 2 * Pi);
        SetSource(cr, Hex(0xFFFFE0, 0.18));
        cairo_fill(cr);
    }
    // The mark in light ink.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (on) {
        cairo_move_to(cr, cx - 5.5, cy + 0.5);
        cairo_line_to(cr, cx - 1.5, cy + 4.5);
        cairo_line_to(cr, cx + 6, cy - 4.5);
    } else {
        cairo_move_to(cr, cx - 4.5, cy - 4.5);
        cairo_line_to(cr, cx + 4.5, cy + 4.5);
        cairo_move_to(cr, cx + 4.5, cy - 4.5);
        cairo_line_to(cr, cx - 4.5, cy + 4.5);
    }
    cairo_set_line_width(cr, 4.2);
    SetSource(cr, Hex(0x1A0A04, 0.55));
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 2.6);
    SetSource(cr, Hex(0xFFFBE8));
    cairo_stroke(cr);
    return c;
}

// ---- Roll menu ----

// A wooden roller with gilded end caps across the width at y.
void Roller(Canvas& c, double x0, double x1, double y, double r) {
    Canvas s(c.Width(), c.Height());
    RoundRectPath(s.Cr(), x0 + 6, y - r, x1 - x0 - 12, 2 * r, r);
    FillLinear(s.Cr(), 0, y - r, 0, y + r, {{0.0, Hex(0xC08850)}, {0.35, Hex(0x8A5428)}, {1.0, Hex(0x3A200C)}});
    for (double x : {x0, x1 - 10}) {
        RoundRectPath(s.Cr(), x, y - r - 2, 10, 2 * r + 4, 3);
        FillLinear(s.Cr(), 0, y - r - 2, 0, y + r + 2, {{0.0, Hex(0xFFF0B0)}, {0.5, Hex(0xD09838)}, {1.0, Hex(0x6A3C14)}});
    }
    DropShadow(c, s, 0, 0, 0.5, 2, 2, Hex(0x1A0C02, 0.6));
    c.Paint(s, 0, 0);
}

// The roll menu, unrolling over five frames (only the last, fully open one is shown by the game).
Sequence MenuScroll(ArtContext& ctx, int w, int buttonTop, int buttonBottom) {
    const int h = buttonBottom + 34;
    const Canvas paper = Parchment(w, h, ctx.SubSeed("paper"), 0.5);
    Sequence seq;
    for (int f = 0; f < 5; ++f) {
        const double open = (f + 1) / 5.0;
        const double bottom = 10 + (h - 22) * open;
        Canvas c(w, h);
        const Canvas mask = RoundShape(w, h, 12, 8, w - 24, bottom - 8, 3);
        DropShadow(c, mask, 0, 0, 2, 3, 3, Hex(0x1A0C02, 0.5));
        Canvas sheet = MaskWith(paper, mask);
        // Shade near the rollers where the paper curls.
        cairo_t* s = sheet.Cr();
        cairo_save(s);
        cairo_set_operator(s, CAIRO_OPERATOR_ATOP);
        cairo_rectangle(s, 0, 0, w, h);
        FillLinear(s, 0, 8, 0, bottom, {{0.0, Hex(0x5A3010, 0.35)}, {0.08, Hex(0x5A3010, 0.0)}, {0.92, Hex(0x5A3010, 0.0)}, {1.0, Hex(0x5A3010, 0.35)}});
        cairo_restore(s);
        c.Paint(sheet, 0, 0);
        if (f == 4) {
            // Gilded border lines and a sun rosette at the foot.
            cairo_t* cr = c.Cr();
            RoundRectPath(cr, 19, buttonTop - 14, w - 38, buttonBottom - buttonTop + 28, 4);
            SetSource(cr, Hex(0x9C6A1C, 0.55));
            cairo_set_line_width(cr, 1.4);
            cairo_stroke(cr);
            Rosette(c, w / 2.0, buttonTop - 14, 5);
            Rosette(c, w / 2.0, buttonBottom + 14, 5);
        }
        Roller(c, 2, w - 2, 8, 7);
        Roller(c, 2, w - 2, bottom, 7);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// The small stone bracket behind the menu button on the game screen.
Canvas MenuBracket(ArtContext& ctx) {
    const int w = 140, h = 50;
    Canvas c(w, h);
    Canvas shape(w, h);
    cairo_t* s = shape.Cr();
    RoundRectPath(s, 2, -10, w - 5, h + 7, 10);
    SetSource(s, Hex(0xFFFFFF));
    cairo_fill(s);
    DropShadow(c, shape, 0, 0, 1.5, 2.5, 3, Hex(0x1A0C02, 0.6));
    Canvas slab = StoneSlab(shape, ctx.SubSeed("slab"), Hex(0xC8A878), 3.0);
    c.Paint(slab, 0, 0);
    // Recess for the button (120 x 34 at 10, 4).
    Groove(c, 9, 3, 122, 36, 10, 1.4);
    Rosette(c, 5.5, h - 8.5, 3.2);
    Rosette(c, w - 7.5, h - 8.5, 3.2);
    return c;
}

}  // namespace

ARTGEN_MODULE(dialogs) {
    // Tips.
    reg.Add("base/ui/tips/bg02.png", [](ArtContext& ctx) { return Sequence(TipBubble(ctx.SubSeed("bubble"))); });
    reg.Add("base/ui/tips/arrow1.8.png", [](ArtContext&) { return SwapArrows(true); });
    reg.Add("base/ui/tips/arrow2.8.png", [](ArtContext&) { return SwapArrows(false); });
    reg.Add("base/ui/tips/arrow3.8.png", [](ArtContext&) { return PointerArrow(); });
    reg.Add("base/ui/tips/btnclose.4.png", [](ArtContext& ctx) {
        return ButtonStrip(24, 24, ctx.SubSeed("b"), [](Canvas& c, double x, double y, double w, double h, ButtonState s) {
            cairo_t* cr = c.Cr();
            const double cx = x + w / 2, cy = y + h / 2, r = 4.2;
            cairo_move_to(cr, cx - r, cy - r);
            cairo_line_to(cr, cx + r, cy + r);
            cairo_move_to(cr, cx + r, cy - r);
            cairo_line_to(cr, cx - r, cy + r);
            GoldStroke(cr, 2.2, cy - r, cy + r, s == ButtonState::Hover);
        }, 10.5);
    });
    reg.Add("L1033/ui/tips/btntipsoff.4.png", [](ArtContext& ctx) { return TextButton(120, 28, ctx.SubSeed("b"), "Tips off"); });

    // Yes/no and layout dialogs.
    reg.Add("base/ui/confirm/confirm.png", [](ArtContext& ctx) { return Sequence(DialogTablet(301, 240, ctx.SubSeed("tablet"), 17)); });
    reg.Add("L1033/ui/confirm/btyes.4.png", [](ArtContext& ctx) { return TextButton(100, 36, ctx.SubSeed("b"), "Yes"); });
    reg.Add("L1033/ui/confirm/btno.4.png", [](ArtContext& ctx) { return TextButton(100, 36, ctx.SubSeed("b"), "No"); });

    // Options.
    reg.Add("base/ui/options/options.png", [](ArtContext& ctx) { return Sequence(OptionsFrame(ctx)); }, {}, 2.0);
    reg.Add("base/ui/options/sound.png", [](ArtContext&) { return Sequence(Knob(false, false)); });
    reg.Add("base/ui/options/sound_hot.png", [](ArtContext&) { return Sequence(Knob(false, true)); });
    reg.Add("base/ui/options/music.png", [](ArtContext&) { return Sequence(Knob(true, false)); });
    reg.Add("base/ui/options/music_hot.png", [](ArtContext&) { return Sequence(Knob(true, true)); });
    reg.Add("base/ui/options/green.png", [](ArtContext&) { return Sequence(Switch(true, false)); });
    reg.Add("base/ui/options/greenhot.png", [](ArtContext&) { return Sequence(Switch(true, true)); });
    reg.Add("base/ui/options/red.png", [](ArtContext&) { return Sequence(Switch(false, false)); });
    reg.Add("base/ui/options/redhot.png", [](ArtContext&) { return Sequence(Switch(false, true)); });
    reg.Add("base/ui/options/arr_left.4.png", [](ArtContext& ctx) { return ButtonStrip(28, 28, ctx.SubSeed("b"), ArrowIcon(-1), 12); });
    reg.Add("base/ui/options/arr_right.4.png", [](ArtContext& ctx) { return ButtonStrip(28, 28, ctx.SubSeed("b"), ArrowIcon(1), 12); });
    reg.Add("L1033/ui/options/btok.4.png", [](ArtContext& ctx) { return TextButton(110, 36, ctx.SubSeed("b"), "OK"); });
    reg.Add("L1033/ui/options/btcancel.4.png", [](ArtContext& ctx) { return TextButton(110, 36, ctx.SubSeed("b"), "Cancel"); });
    reg.Add("L1033/ui/options/btcredits.4.png", [](ArtContext& ctx) { return TextButton(110, 36, ctx.SubSeed("b"), "Credits"); });
    reg.Add("L1033/ui/options/BtResolutions.4.png", [](ArtContext& ctx) { return TextButton(110, 36, ctx.SubSeed("b"), "Layout"); });

    // Roll menu: the scroll's buttons sit at the RollMenu0N positions, relative to RollMenuAni.
    reg.Add("L1033/ui/rollmenu/menuani.5.png", [](ArtContext& ctx) {
        const KeyValues& v = ctx.Values();
        const int top = v.Int("RollMenu01Y") - v.Int("RollMenuAniY");
        const int bottom = v.Int("RollMenu04Y") - v.Int("RollMenuAniY") + 34;
        const int w = 2 * (v.Int("RollMenu01X") - v.Int("RollMenuAniX")) + 120;
        return MenuScroll(ctx, w, top, bottom);
    }, {}, 2.0);
    const char* labels[] = {"Menu", "Resume", "Options", "Help", "Exit"};
    for (int i = 0; i < 5; ++i) {
        const std::string label = labels[i];
        reg.Add("L1033/ui/rollmenu/btmenu0" + std::to_string(i) + ".4.png",
                [label](ArtContext& ctx) { return TextButton(120, 34, ctx.SubSeed("b"), label); });
    }
    reg.Add("L1033/ui/rollmenu/menu01.png", [](ArtContext& ctx) { return Sequence(MenuBracket(ctx)); });
}
