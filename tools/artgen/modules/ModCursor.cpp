// Mouse cursors: a bronze-and-gold arrow and its black-and-white twin for a busy board.
#include "ArtJobs.h"

namespace vantero::art {
namespace {

void ArrowPath(cairo_t* cr) {
    // Hot spot at (1, 1): the tip lies on the pixel the mouse points at.
    cairo_move_to(cr, 1.2, 1.2);
    cairo_line_to(cr, 1.2, 21.5);
    cairo_line_to(cr, 6.3, 16.9);
    cairo_line_to(cr, 10.2, 25.6);
    cairo_line_to(cr, 14.0, 23.9);
    cairo_line_to(cr, 10.2, 15.4);
    cairo_line_to(cr, 17.0, 15.0);
    cairo_close_path(cr);
}

Canvas DrawArrow(bool blackAndWhite) {
    Canvas shape(32, 32);
    cairo_t* cr = shape.Cr();
    ArrowPath(cr);
    if (blackAndWhite) FillLinear(cr, 0, 0, 14, 24, {{0.0, Hex(0xF4F4F4)}, {0.6, Hex(0xB8B8B8)}, {1.0, Hex(0x8A8A8A)}});
    else FillLinear(cr, 0, 0, 14, 24, {{0.0, palette::GoldLight}, {0.45, palette::Gold}, {1.0, palette::GoldDark}});
    Bevel(shape, 1.6, 1.0);
    ArrowPath(cr);
    cairo_set_line_width(cr, 1.3);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetSource(cr, blackAndWhite ? Hex(0x111111) : Hex(0x3A2008));
    cairo_stroke(cr);
    // A thin highlight along the left edge catches the sun.
    cairo_move_to(cr, 2.6, 4.0);
    cairo_line_to(cr, 2.6, 17.5);
    cairo_set_line_width(cr, 0.9);
    SetSource(cr, Hex(0xFFFFFF, 0.7));
    cairo_stroke(cr);
    Canvas out(32, 32);
    DropShadow(out, shape, 0, 0, 2.0, 2.5, 2.2, Hex(0x140A02, 0.55));
    out.Paint(shape, 0, 0);
    return out;
}

}  // namespace
}  // namespace vantero::art

ARTGEN_MODULE(cursor) {
    using namespace vantero::art;
    reg.Add("no-gfx/base/arrows/arrow.png", [](ArtContext&) { return Sequence(DrawArrow(false)); });
    reg.Add("no-gfx/base/arrows/bw_arrow.png", [](ArtContext&) { return Sequence(DrawArrow(true)); });
}
