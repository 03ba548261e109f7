// The foreman at his post: five gestures with his measuring staff. Top-left anchored; his feet
// stand where his shadow is laid (17, 51 from the picture's corner, the shadow 32 x 10).
#include "PuppetKit.h"

#include <cmath>

namespace vantero::art {
namespace {
using namespace puppet;

constexpr int W = 60, H = 64;
constexpr double FeetX = 17 + 16 - 2, FeetY = 51 + 5 + 2;   // shadow centre less the usual (+2, -2)

Look ForemanLook() {
    Look l;
    l.scale = 1.05;
    l.skin = Hex(0xC68A5A);
    l.tunic = Hex(0x2C4F9E);
    l.trim = Hex(0xF2C14E);
    l.belt = Hex(0xE0A030);
    l.hat_ = Hat::Turban;
    l.hat = Hex(0xF4EEDD);
    l.hatTrim = Hex(0xD9A03A);
    l.beard = true, l.moustache = true, l.beardColour = Hex(0x3A2414);
    l.belly = 2.6, l.chestWidth = 7.6, l.waistWidth = 6.4, l.chestDepth = 5.6, l.waistDepth = 5.2;
    l.skirt = 18.5, l.flare = 3.5, l.sleeves = true;
    l.bracelets = true;
    return l;
}

// The measuring staff, held upright in the far hand.
Prop Staff() {
    Prop p;
    p.at = Attach::FarHand, p.depth = -0.5;
    p.draw = [](cairo_t* cr) {
        cairo_move_to(cr, 0.5, -16);
        cairo_line_to(cr, 0, 12);
        SetSource(cr, Hex(0x3A200C));
        cairo_set_line_width(cr, 2.0);
        cairo_stroke(cr);
        cairo_move_to(cr, 0.5, -16);
        cairo_line_to(cr, 0, 12);
        SetSource(cr, Hex(0xA8743A));
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
        cairo_arc(cr, 0.5, -16.5, 1.6, 0, 2 * M_PI);
        SetSource(cr, Hex(0xF2C14E));
        cairo_fill_preserve(cr);
        SetSource(cr, Hex(0x6A4010));
        cairo_set_line_width(cr, 0.5);
        cairo_stroke(cr);
    };
    return p;
}
// A papyrus plan, rolled or opened.
Prop Scroll(double open) {
    Prop p;
    p.at = Attach::NearHand, p.depth = 1, p.dx = 1.5;
    p.draw = [open](cairo_t* cr) {
        const double w = 2 + 9 * open;
        cairo_rectangle(cr, -1, -w / 2 - 1, 2.5, w + 2);
        Shade(cr, Hex(0xF1DFB4), 0.25, 0.5);
        if (open > 0.3) {
            cairo_move_to(cr, 0.2, -w / 2 + 1.5);
            cairo_line_to(cr, 0.2, w / 2 - 1.5);
            SetSource(cr, Hex(0x8A5A2A, 0.6));
            cairo_set_line_width(cr, 0.5);
            cairo_stroke(cr);
        }
    };
    return p;
}

Pose Base() {
    Pose p = Stand();
    p.farShoulder = 25, p.farElbow = 55, p.lean = -2, p.smile = 0.4;
    return p;
}

Sequence Gesture(int n, int frames) {
    Timeline tl;
    const Pose s = Base();
    bool scroll = false;
    switch (n) {
    case 1: {   // points out the work ahead
        Pose a = s;
        a.nearShoulder = 95, a.nearElbow = 5, a.lean = 4, a.brow = -0.5, a.mouth = 0.5, a.headTilt = -5;
        Pose b = a;
        b.nearShoulder = 85, b.mouth = 0.1;
        tl.Key(0, s).Key(6, a).Key(10, b).Key(14, a).Key(18, b).Key(23, a).Key(29, s);
        break;
    }
    case 2: {   // reads the plan and nods
        scroll = true;
        Pose a = s;
        a.nearShoulder = 45, a.nearElbow = 70, a.headTilt = 18, a.brow = 0.6;
        Pose b = a;
        b.headTilt = 8, b.smile = 0.8;
        tl.Key(0, s).Key(6, a).Key(14, a).Key(17, b).Key(20, a).Key(23, b).Key(32, s);
        break;
    }
    case 3: {   // strokes his beard
        Pose a = s;
        a.nearShoulder = 35, a.nearElbow = 120, a.headTurn = 40, a.blink = 0, a.brow = 0.8;
        Pose b = a;
        b.nearElbow = 110, b.headTilt = 6;
        tl.Key(0, s).Key(6, a).Key(10, b).Key(14, a).Key(18, b).Key(22, a).Key(26, b).Key(35, s);
        break;
    }
    case 4: {   // shouts orders, waving, and knocks the staff down
        Pose a = s;
        a.nearShoulder = 70, a.nearElbow = 110, a.mouth = 1, a.brow = -1, a.lean = 6, a.headTilt = -8;
        Pose wave = s;
        wave.nearShoulder = 150, wave.nearElbow = 30, wave.mouth = 0.8, wave.brow = -1;
        Pose wave2 = wave;
        wave2.nearShoulder = 120, wave2.nearElbow = 50;
        Pose knock = s;
        knock.lift = 1.5, knock.farShoulder = 40, knock.farElbow = 50, knock.mouth = 0.6;
        tl.Key(0, s).Key(5, a).Key(9, a).Key(12, s).Key(16, wave).Key(19, wave2).Key(22, wave).Key(25, wave2).Key(28, wave)
            .Key(33, s).Key(36, knock).Key(38, s).Key(41, knock).Key(43, s).Key(46, a).Key(49, a).Key(52, s);
        break;
    }
    default: {  // pats his belly and laughs
        Pose a = s;
        a.nearShoulder = 15, a.nearElbow = 80, a.lean = -7, a.headTilt = -12, a.mouth = 0.8, a.blink = 1, a.smile = 1;
        Pose b = a;
        b.nearElbow = 65, b.mouth = 0.4, b.lean = -4;
        tl.Key(0, s).Key(5, a).Key(8, b).Key(11, a).Key(14, b).Key(17, a).Key(20, b).Key(23, a).Key(31, s);
        break;
    }
    }
    std::vector<Pose> poses;
    for (int f = 0; f < frames; ++f) poses.push_back(tl.At(f));
    return RenderFigure(ForemanLook(), W, H, FeetX, FeetY, poses, [&](int f) {
        std::vector<Prop> props = {Staff()};
        if (scroll) props.push_back(Scroll(std::clamp((f - 3) / 5.0, 0.0, 1.0) * std::clamp((frames - 3 - f) / 5.0, 0.0, 1.0)));
        return props;
    });
}

}  // namespace
}  // namespace vantero::art

ARTGEN_MODULE(foreman) {
    using namespace vantero::art;
    using namespace vantero::art::puppet;
    const std::string dir = "base/characters/";
    AddFigure(reg, dir + "prorab01.30.gif", [](ArtContext&) { return Gesture(1, 30); });
    AddFigure(reg, dir + "prorab02.33.gif", [](ArtContext&) { return Gesture(2, 33); });
    AddFigure(reg, dir + "prorab03.36.gif", [](ArtContext&) { return Gesture(3, 36); });
    AddFigure(reg, dir + "prorab04.53.gif", [](ArtContext&) { return Gesture(4, 53); });
    AddFigure(reg, dir + "prorab05.32.gif", [](ArtContext&) { return Gesture(5, 32); });
}
