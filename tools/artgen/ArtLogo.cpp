#include "ArtLogo.h"

#include "ArtPaint.h"
#include "ArtText.h"

#include <algorithm>
#include <cmath>

namespace vantero::art {

namespace {

// One laurel branch curving from (x, y) outwards (dir = -1 left, +1 right).
void Laurel(cairo_t* cr, double x, double y, double size, double dir) {
    cairo_save(cr);
    const int leaves = 7;
    for (int i = 0; i < leaves; ++i) {
        const double t = double(i) / (leaves - 1);
        const double a = M_PI * (0.95 - 0.55 * t);
        const double px = x + dir * std::cos(a) * size * 0.9 * -1, py = y - std::sin(a) * size * 0.55 + size * 0.3;
        for (int side = -1; side <= 1; side += 2) {
            cairo_save(cr);
            cairo_translate(cr, px, py);
            cairo_rotate(cr, (dir > 0 ? 1 : -1) * (0.4 + t * 0.9) * side * 0.8 + (dir > 0 ? 0 : M_PI));
            cairo_scale(cr, size * 0.16, size * 0.06);
            cairo_arc(cr, 1, 0, 1, 0, 2 * M_PI);
            cairo_restore(cr);
            FillLinear(cr, px, py - size * 0.1, px, py + size * 0.1, {{0.0, palette::GoldLight}, {1.0, palette::GoldDark}});
        }
    }
    cairo_restore(cr);
}

}  // namespace

Canvas DrawLogo(double width, bool plaque) {
    const double s = width / 400.0;
    TextStyle big;
    big.Family = fonts::Title;
    big.Bold = true;
    big.Size = 78 * s;
    big.LetterSpacing = 2 * s;
    big.FillTop = Hex(0xFFF2B8);
    big.FillBottom = Hex(0xC8861E);
    big.OutlineWidth = std::max(1.5, 3.2 * s);
    big.Outline = Hex(0x3A1E08);
    big.ShadowDx = 2 * s;
    big.ShadowDy = 4 * s;
    big.ShadowBlur = 5 * s;
    big.Shadow = Hex(0x1A0A02, 0.75);
    big.BevelLight = true;
    TextStyle small = big;
    small.Size = 34 * s;
    small.LetterSpacing = 14 * s;
    small.FillTop = Hex(0xFFFFFF);
    small.FillBottom = Hex(0xF0D08A);
    small.OutlineWidth = std::max(1.2, 2.2 * s);
    small.ShadowBlur = 3 * s;
    small.ShadowDy = 2.5 * s;
    small.BevelLight = false;

    const int w = static_cast<int>(std::ceil(width)), h = static_cast<int>(std::ceil(170 * s));
    Canvas c(w, h);
    cairo_t* cr = c.Cr();
    if (plaque) {
        Canvas plate(w, h);
        cairo_t* pc = plate.Cr();
        RoughRectPath(pc, 10 * s, 8 * s, w - 20 * s, h - 18 * s, 2.0 * s, 77, 6 * s);
        cairo_set_source_rgb(pc, 1, 1, 1);
        cairo_fill(pc);
        Canvas stone = MaskWith(StoneTexture(w, h, 4242, Hex(0xB89A72), 22 * s), plate);
        PaintLinear(stone, 0, 0, 0, h, {{0.0, Hex(0xFFF0D0, 0.18)}, {1.0, Hex(0x2A1808, 0.30)}});
        cairo_t* sc = stone.Cr();
        cairo_set_operator(sc, CAIRO_OPERATOR_DEST_IN);
        cairo_set_source_surface(sc, plate.Surface(), 0, 0);
        cairo_paint(sc);
        Bevel(stone, 4 * s, 1.0);
        DropShadow(c, stone, 0, 0, 3 * s, 6 * s, 8 * s, Hex(0x1A0A02, 0.6));
        c.Paint(stone, 0, 0);
        // A thin gilded inlay line.
        RoundRectPath(cr, 20 * s, 17 * s, w - 40 * s, h - 36 * s, 6 * s);
        cairo_set_line_width(cr, 2 * s);
        SetSource(cr, Hex(0xE8C070, 0.85));
        cairo_stroke(cr);
    }
    // Sun disc rising behind the title.
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, w, h);
    FillRadial(cr, w / 2.0, 72 * s, 0, 120 * s, {{0.0, Hex(0xFFF6D0, 0.55)}, {0.5, Hex(0xFFD070, 0.25)}, {1.0, Hex(0xFFD070, 0.0)}});
    cairo_restore(cr);
    DrawTextCentred(c, "Vantero", big, w / 2.0, 98 * s);
    // Ornamental rules beside VISTA.
    const TextMetrics vm = MeasureText("VISTA", small);
    const double ruleY = 128 * s, half = vm.InkW / 2 + 16 * s;
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, w / 2.0 + side * half, ruleY);
        cairo_line_to(cr, w / 2.0 + side * (half + 70 * s), ruleY);
        cairo_set_line_width(cr, 2.4 * s);
        SetSource(cr, Hex(0x3A1E08, 0.9));
        cairo_stroke_preserve(cr);
        cairo_set_line_width(cr, 1.2 * s);
        SetSource(cr, palette::GoldLight);
        cairo_stroke(cr);
        cairo_arc(cr, w / 2.0 + side * (half + 76 * s), ruleY, 3.5 * s, 0, 2 * M_PI);
        SetSource(cr, palette::Gold);
        cairo_fill_preserve(cr);
        SetSource(cr, Hex(0x3A1E08));
        cairo_set_line_width(cr, 1.0 * s);
        cairo_stroke(cr);
    }
    Laurel(cr, w / 2.0 - half - 92 * s, ruleY - 2 * s, 34 * s, -1);
    Laurel(cr, w / 2.0 + half + 92 * s, ruleY - 2 * s, 34 * s, 1);
    DrawTextCentred(c, "VISTA", small, w / 2.0 + 7 * s, 140 * s);
    return c;
}

}  // namespace vantero::art
