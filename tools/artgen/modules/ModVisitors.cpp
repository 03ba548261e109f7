// Visitors of the building site: the bread hawker, the girl, the two medics with their
// stretcher, and the historian of the map screen.
#include "PuppetKit.h"

#include <cmath>

namespace vantero::art {
namespace {
using namespace puppet;

std::vector<Pose> Sample(const Timeline& tl, int n) {
    std::vector<Pose> out;
    for (int f = 0; f < n; ++f) out.push_back(tl.At(f));
    return out;
}

// ---- The hawker: a basket of loaves on his head ----
constexpr int HW = 48, HH = 70;
Look HawkerLook() {
    Look l;
    l.skin = Hex(0xD09A6A);
    l.tunic = Hex(0xC8742E);
    l.trim = Hex(0xF4E2B8);
    l.belt = Hex(0x6E8B3D);
    l.hat_ = Hat::Turban, l.hat = Hex(0x6E8B3D), l.hatTrim = Hex(0xF2C14E);
    l.moustache = true, l.beardColour = Hex(0x2A1A10);
    l.skirt = 15, l.sleeves = true, l.belly = 1.5;
    return l;
}
Prop Basket() {
    Prop p;
    p.at = Attach::Head, p.dy = -10.5, p.depth = 10;
    p.draw = [](cairo_t* cr) {
        for (int i = 0; i < 3; ++i) {
            cairo_save(cr);
            cairo_translate(cr, -4.5 + i * 4.5, -2.8 - (i == 1 ? 1.2 : 0));
            cairo_scale(cr, 1.0, 0.7);
            DrawBread(cr, 2.8, 0);
            cairo_restore(cr);
        }
        cairo_move_to(cr, -8.5, -2);
        cairo_line_to(cr, 8.5, -2);
        cairo_line_to(cr, 6.5, 2.5);
        cairo_line_to(cr, -6.5, 2.5);
        cairo_close_path(cr);
        Shade(cr, Hex(0xC49A54), 0.3, 0.6);
        for (int i = 0; i < 4; ++i) {
            cairo_move_to(cr, -6 + i * 4, -1.5);
            cairo_line_to(cr, -5 + i * 3.6, 2);
        }
        SetSource(cr, Hex(0x7A5424, 0.7));
        cairo_set_line_width(cr, 0.5);
        cairo_stroke(cr);
    };
    return p;
}
Pose HawkerBase(Pose p) {
    p.farShoulder = 165, p.farElbow = 20;   // steadies the basket
    return p;
}
Sequence Hawker(const std::vector<Pose>& poses) {
    return RenderFigure(HawkerLook(), HW, HH, HW / 2.0, HH - 1.0, poses, [](int) { return std::vector<Prop>{Basket()}; });
}
Sequence HawkerWalk() {
    std::vector<Pose> poses;
    for (int f = 0; f < 10; ++f) poses.push_back(HawkerBase(Walk(f / 10.0, 0.6)));
    return Hawker(poses);
}
Sequence HawkerStand() {
    const Pose s = HawkerBase(Stand());
    Pose look = s;
    look.headTurn = 60, look.smile = 0.7;
    Pose shift = s;
    shift.nearHip = 10, shift.farHip = -8, shift.nearShoulder = 15, shift.nearElbow = 70;
    Timeline tl;
    tl.Key(0, s).Key(6, look).Key(14, look).Key(19, s).Key(24, shift).Key(31, shift).Key(36, s);
    return Hawker(Sample(tl, 37));
}
Sequence HawkerCall() {
    const Pose s = HawkerBase(Stand());
    Pose call = s;
    call.nearShoulder = 60, call.nearElbow = 115, call.mouth = 1, call.headTilt = -12, call.brow = 1, call.lean = -3;
    Pose call2 = call;
    call2.mouth = 0.3;
    Pose wave = s;
    wave.nearShoulder = 140, wave.nearElbow = 40, wave.mouth = 0.7, wave.smile = 1;
    Pose wave2 = wave;
    wave2.nearShoulder = 120, wave2.nearElbow = 60;
    Timeline tl;
    tl.Key(0, s).Key(4, call).Key(7, call2).Key(10, call).Key(13, call2).Key(17, wave).Key(20, wave2).Key(23, wave)
        .Key(26, wave2).Key(31, s);
    return Hawker(Sample(tl, 32));
}

// ---- The girl ----
constexpr int GW = 36, GH = 64;
Look GirlLook() {
    Look l;
    l.scale = 0.93;
    l.skin = Hex(0xC98A5E);
    l.tunic = Hex(0xF0E6D0);
    l.trim = Hex(0xC0305A);
    l.belt = Hex(0xC0305A);
    l.hat_ = Hat::LongHair, l.hair = Hex(0x1E120C);
    l.skirt = 21, l.flare = 1.5, l.sleeves = false, l.bracelets = true;
    l.chestWidth = 5.6, l.waistWidth = 4.0, l.chestDepth = 4.4, l.waistDepth = 3.4, l.armR = 1.6, l.legR = 2.0;
    l.headR = 6.6;
    return l;
}
Sequence Girl(const std::vector<Pose>& poses) {
    return RenderFigure(GirlLook(), GW, GH, GW / 2.0, GH - 1.0, poses, [](int) {
        Prop flower;   // a red flower in her hair
        flower.at = Attach::Head, flower.dx = -2.5, flower.dy = -5.5, flower.depth = 20;
        flower.draw = [](cairo_t* cr) {
            for (int i = 0; i < 5; ++i) {
                cairo_arc(cr, std::cos(i * 1.2566) * 1.2, std::sin(i * 1.2566) * 1.2, 1.0, 0, 2 * M_PI);
                SetSource(cr, Hex(0xE04050));
                cairo_fill(cr);
            }
            cairo_arc(cr, 0, 0, 0.7, 0, 2 * M_PI);
            SetSource(cr, Hex(0xFFE070));
            cairo_fill(cr);
        };
        return std::vector<Prop>{flower};
    });
}
Pose GirlWalk(double p) {
    Pose q = Walk(p, 0.55);
    q.lean = 0, q.nearShoulder *= 0.6, q.farShoulder *= 0.6, q.smile = 0.7;
    return q;
}
Sequence GirlTurn() {
    std::vector<Pose> poses;
    for (int i = 0; i < 8; ++i) {
        Pose p = GirlWalk(0);
        p.view = 180 * Smooth(i / 7.0);
        poses.push_back(p);
    }
    return Girl(poses);
}
Sequence GirlCharm() {
    const Pose s = GirlWalk(0);
    Pose kiss = s;
    kiss.nearShoulder = 45, kiss.nearElbow = 125, kiss.headTilt = 5, kiss.blink = 1, kiss.smile = 0.5, kiss.view = 40;
    kiss.farShoulder = 10, kiss.farElbow = 60, kiss.farSpread = 20;
    Pose blow = kiss;
    blow.nearShoulder = 100, blow.nearElbow = 15, blow.blink = 0, blow.smile = 1, blow.headTilt = -8, blow.brow = 1;
    blow.farHip = -25, blow.farKnee = 50, blow.farFoot = -20;
    Timeline tl;
    tl.Key(0, s).Key(5, kiss).Key(9, kiss).Key(13, blow).Key(18, blow).Key(23, s);
    return Girl(Sample(tl, 24));
}

// ---- The medics with their stretcher (the patient is the worker, lying face down) ----
constexpr int MW = 120, MH = 72;
constexpr double Gap = 27;   // each medic stands this far from the centre
Look MedicLook(int i) {
    Look l;
    l.skin = i ? Hex(0x9A603A) : Hex(0xD8A070);
    l.tunic = Hex(0xF6F2E8);
    l.trim = Hex(0xC0302A);
    l.belt = Hex(0xC0302A);
    l.hat_ = Hat::Cap, l.hat = Hex(0xF6F2E8), l.hatTrim = Hex(0xC0302A);
    l.sleeves = true, l.skirt = 11;
    return l;
}
// Stretcher poles at height `y` above the ground (body px), with `sag` of the cloth.
void DrawStretcher(cairo_t* cr, double cx, double groundY, double y) {
    const double x0 = cx - Gap + 4, x1 = cx + Gap - 4;
    cairo_move_to(cr, x0 + 6, groundY - y + 1.5);
    cairo_curve_to(cr, cx - 8, groundY - y + 3.5, cx + 8, groundY - y + 3.5, x1 - 6, groundY - y + 1.5);
    cairo_line_to(cr, x1 - 6, groundY - y);
    cairo_line_to(cr, x0 + 6, groundY - y);
    cairo_close_path(cr);
    Shade(cr, Hex(0xE8D8B0), 0.2, 0.6);
    cairo_move_to(cr, x0 - 2, groundY - y);
    cairo_line_to(cr, x1 + 2, groundY - y);
    SetSource(cr, Hex(0x4A2A10));
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    cairo_move_to(cr, x0 - 2, groundY - y - 0.4);
    cairo_line_to(cr, x1 + 2, groundY - y - 0.4);
    SetSource(cr, Hex(0xB07A40));
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
}
// One frame: both medics (rear at -Gap, front at +Gap), the stretcher at height h, maybe the patient.
struct MedicFrame {
    Pose rear, front;
    double stretcher = 9;   // pole height above the ground
    bool patient = false;
    double patientLift = 0;  // patient raised off the ground (with the stretcher)
};
Sequence Medics(const std::vector<MedicFrame>& frames) {
    return Render(static_cast<int>(frames.size()), MW, MH, [&](Canvas& c, int f) {
        cairo_t* cr = c.Cr();
        const MedicFrame& m = frames[f];
        const double cx = MW / 2.0, gy = MH - 1.0;
        DrawPuppet(cr, MedicLook(0), m.rear, cx - Gap, gy);
        cairo_save(cr);
        DrawStretcher(cr, cx, gy, m.stretcher);
        cairo_restore(cr);
        if (m.patient) DrawPuppet(cr, WorkerLook(), CollapsedPose(), cx, gy - m.patientLift);
        DrawPuppet(cr, MedicLook(1), m.front, cx + Gap, gy);
    });
}
Pose Holding(Pose p, bool front) {   // hands on the poles: the rear medic ahead of him, the front one behind
    if (front) p.nearShoulder = -15, p.nearElbow = 10, p.farShoulder = -12, p.farElbow = 10;
    else p.nearShoulder = 25, p.nearElbow = 20, p.farShoulder = 28, p.farElbow = 20;
    return p;
}
std::vector<MedicFrame> MedicWalk(bool patient, bool run) {
    std::vector<MedicFrame> out;
    auto cyc = [run](double p) { return run ? Run(p, 0.8) : Walk(p, 0.9); };
    const std::vector<Pose> a = WalkFrames(3, 8, 5, cyc, Stand());
    auto cyc2 = [&](double p) { return cyc(std::fmod(p + 0.5, 1.0)); };
    const std::vector<Pose> b = WalkFrames(3, 8, 5, cyc2, Stand());
    for (size_t i = 0; i < a.size(); ++i) {
        MedicFrame m;
        m.rear = Holding(a[i], false), m.front = Holding(b[i], true);
        m.stretcher = 20.5 - std::fabs(a[i].lift) * 0.5;
        if (patient) m.patient = true, m.patientLift = m.stretcher + 1.0;
        out.push_back(m);
    }
    return out;
}
std::vector<MedicFrame> MedicPickUp() {
    std::vector<MedicFrame> out;
    Pose crouch = Stand();
    crouch.lean = 40, crouch.nearHip = 55, crouch.nearKnee = 95, crouch.farHip = 20, crouch.farKnee = 90;
    for (int f = 0; f < 15; ++f) {
        // Down over frames 0..5, roll the patient on at 6..8, lift over 9..14.
        const double down = f <= 5 ? Smooth(f / 5.0) : (f <= 8 ? 1.0 : 1.0 - Smooth((f - 8) / 6.0));
        MedicFrame m;
        m.rear = Holding(Lerp(Stand(), crouch, down), false);
        m.front = Holding(Lerp(Stand(), crouch, down), true);
        m.stretcher = 20.5 - 18.5 * down;
        m.patient = true;
        m.patientLift = f <= 7 ? 0 : m.stretcher + 1.0;
        out.push_back(m);
    }
    return out;
}

// ---- The historian (drawn facing left: the map shows him mirrored, facing right) ----
constexpr int MaW = 80, MaH = 120;
Look HistorianLook() {
    Look l;
    l.scale = 1.85;
    l.skin = Hex(0xD8A478);
    l.tunic = Hex(0xF2EAD8);
    l.trim = Hex(0x2C4F9E);
    l.belt = Hex(0x2C4F9E);
    l.hat_ = Hat::Bald, l.hair = Hex(0xF4F0E8);
    l.beard = true, l.moustache = true, l.beardColour = Hex(0xF0ECE4);
    l.skirt = 21, l.flare = 3, l.longSleeves = true, l.belly = 1;
    return l;
}
Prop HistScroll(double open) {
    Prop p;
    p.at = Attach::NearHand, p.dx = 1.5, p.depth = 1;
    p.draw = [open](cairo_t* cr) {
        const double w = 3 + 8 * open;
        cairo_rectangle(cr, -1, -w / 2, 2.4, w);
        Shade(cr, Hex(0xF1DFB4), 0.25, 0.4);
        for (double y : {-w / 2, w / 2}) {
            cairo_arc(cr, 0.2, y, 0.9, 0, 2 * M_PI);
            Shade(cr, Hex(0x8A5A2A), 0.3, 0.3);
        }
    };
    return p;
}
Sequence Historian(int n) {
    Pose s = Stand();
    s.view = 180, s.nearShoulder = 30, s.nearElbow = 70, s.smile = 0.6;
    Timeline tl;
    double openAt = -1;
    switch (n) {
    case 1: {   // unrolls the scroll and reads
        Pose a = s;
        a.nearShoulder = 50, a.nearElbow = 75, a.headTilt = 15, a.brow = 0.5;
        tl.Key(0, s).Key(6, a).Key(22, a).Key(29, s);
        openAt = 6;
        break;
    }
    case 2: {   // raises a finger to lecture
        Pose a = s;
        a.farShoulder = 120, a.farElbow = 40, a.mouth = 0.5, a.brow = 1, a.headTilt = -5;
        Pose b = a;
        b.farElbow = 20, b.mouth = 0.1;
        tl.Key(0, s).Key(6, a).Key(10, b).Key(14, a).Key(18, b).Key(22, a).Key(29, s);
        break;
    }
    case 3: {   // strokes his long beard
        Pose a = s;
        a.farShoulder = 40, a.farElbow = 110, a.headTurn = -40, a.blink = 1;
        Pose b = a;
        b.farElbow = 95, b.headTilt = 6;
        tl.Key(0, s).Key(6, a).Key(11, b).Key(16, a).Key(21, b).Key(29, s);
        break;
    }
    case 4: {   // points out the next monument on the map
        Pose a = s;
        a.farShoulder = 90, a.farElbow = 5, a.lean = 5, a.mouth = 0.4, a.brow = 0.8;
        tl.Key(0, s).Key(7, a).Key(20, a).Key(29, s);
        break;
    }
    default: {  // spreads his arms in welcome
        Pose a = s;
        a.nearShoulder = 60, a.farShoulder = 60, a.nearElbow = 20, a.farElbow = 20, a.nearSpread = 50, a.farSpread = 50;
        a.view = 120, a.smile = 1, a.mouth = 0.5;
        tl.Key(0, s).Key(7, a).Key(20, a).Key(29, s);
        break;
    }
    }
    const std::vector<Pose> poses = Sample(tl, 30);
    return Render(30, MaW, MaH, [&](Canvas& c, int f) {
        // A soft patch of shade under his feet.
        cairo_t* cr = c.Cr();
        cairo_save(cr);
        cairo_translate(cr, MaW / 2.0, MaH - 5.0);
        cairo_scale(cr, 1, 0.22);
        cairo_arc(cr, 0, 0, 24, 0, 2 * M_PI);
        cairo_restore(cr);
        FillRadial(cr, MaW / 2.0, MaH - 5.0, 0, 24, {{0.0, Hex(0x1A0E06, 0.45)}, {1.0, Hex(0x1A0E06, 0.0)}});
        const double open = openAt < 0 ? 0 : std::clamp((f - openAt) / 5.0, 0.0, 1.0) * std::clamp((27 - f) / 4.0, 0.0, 1.0);
        DrawPuppet(cr, HistorianLook(), poses[f], MaW / 2.0, MaH - 4.0, {HistScroll(open)});
    });
}

}  // namespace
}  // namespace vantero::art

ARTGEN_MODULE(visitors) {
    using namespace vantero::art;
    using namespace vantero::art::puppet;
    const std::string dir = "base/characters/";
    AddFigure(reg, dir + "hawkerwalk.10.gif", [](ArtContext&) { return HawkerWalk(); });
    AddFigure(reg, dir + "hawkerstand.37.gif", [](ArtContext&) { return HawkerStand(); });
    AddFigure(reg, dir + "hawkercallfeeder.32.gif", [](ArtContext&) { return HawkerCall(); });
    AddFigure(reg, dir + "girlwalk.16.gif", [](ArtContext&) {
        std::vector<Pose> poses;
        for (int f = 0; f < 16; ++f) poses.push_back(GirlWalk(f / 16.0));
        return Girl(poses);
    });
    AddFigure(reg, dir + "girlturn.8.gif", [](ArtContext&) { return GirlTurn(); });
    AddFigure(reg, dir + "girlcharm.24.gif", [](ArtContext&) { return GirlCharm(); });
    AddFigure(reg, dir + "medicrun.16.gif", [](ArtContext&) { return Medics(MedicWalk(false, true)); });
    AddFigure(reg, dir + "medicpickingup.15.gif", [](ArtContext&) { return Medics(MedicPickUp()); });
    AddFigure(reg, dir + "mediccarrying.16.gif", [](ArtContext&) { return Medics(MedicWalk(true, false)); });
    for (int n = 1; n <= 5; ++n)
        AddFigure(reg, dir + "master0" + std::to_string(n) + ".30.gif", [n](ArtContext&) { return Historian(n); }, 1.5);
}
