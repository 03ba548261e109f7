// The conveyor mechanic: walking, turning, idle gestures, praying at the end of the line and
// pushing the block (the push strokes use frames 11 to 16, the finish 17 to 19).
#include "PuppetKit.h"

#include <cmath>

namespace vantero::art {
namespace {
using namespace puppet;

constexpr int W = 44, H = 68;

Look MechanicLook() {
    Look l;
    l.skin = Hex(0x8A5430);
    l.tunic = Hex(0x2E8C8A);
    l.trim = Hex(0xF2C14E);
    l.belt = Hex(0x5A3418);
    l.apron = Hex(0x8C5A2B);
    l.hat_ = Hat::Cap;
    l.hat = Hex(0x7A4A22);
    l.hatTrim = Hex(0x4A2A10);
    l.sleeves = true;
    l.chestWidth = 7.4, l.chestDepth = 5.4, l.belly = 1.0, l.armR = 2.15;
    l.moustache = true, l.beardColour = Hex(0x1A0E08);
    l.skirt = 9.5;
    return l;
}

Sequence Figure(const std::vector<Pose>& poses) { return RenderFigure(MechanicLook(), W, H, W / 2.0, H - 1.0, poses); }

std::vector<Pose> Sample(const Timeline& tl, int n) {
    std::vector<Pose> out;
    for (int f = 0; f < n; ++f) out.push_back(tl.At(f));
    return out;
}

Sequence Gesture(int n) {
    Timeline tl;
    const Pose s = Stand();
    Pose a = s, b = s;
    switch (n) {
    case 1:   // bends to look the belt over, hands on the knees
        a.lean = 55, a.nearHip = 30, a.nearKnee = 40, a.farHip = 20, a.farKnee = 35, a.headTilt = -40;
        a.nearShoulder = 35, a.farShoulder = 30, a.nearElbow = 5, a.farElbow = 5, a.brow = 1;
        b = a, b.headTurn = 40;
        tl.Key(0, s).Key(6, a).Key(11, b).Key(16, a).Key(23, s);
        break;
    case 2:   // wipes his hands on the apron
        a.nearShoulder = 20, a.nearElbow = 60, a.farShoulder = 18, a.farElbow = 65, a.headTilt = 20, a.smile = 0.5;
        b = a, b.nearShoulder = 8, b.farShoulder = 10, b.nearElbow = 45, b.farElbow = 50;
        tl.Key(0, s).Key(4, a).Key(7, b).Key(10, a).Key(13, b).Key(16, a).Key(23, s);
        break;
    case 3:   // a long yawn and a stretch
        a.nearShoulder = 165, a.farShoulder = 160, a.nearElbow = 40, a.farElbow = 40, a.nearSpread = 20, a.farSpread = 20;
        a.lean = -8, a.headTilt = -15, a.mouth = 1, a.blink = 1;
        b = a, b.nearElbow = 10, b.farElbow = 10, b.lift = 0.5;
        tl.Key(0, s).Key(6, a).Key(12, b).Key(17, a).Key(23, s);
        break;
    default:  // scratches his beard, thinking
        a.nearShoulder = 40, a.nearElbow = 120, a.headTurn = 45, a.brow = 1, a.smile = 0;
        a.farShoulder = 25, a.farElbow = 80;
        b = a, b.nearElbow = 132;
        tl.Key(0, s).Key(5, a).Key(8, b).Key(11, a).Key(14, b).Key(17, a).Key(23, s);
        break;
    }
    return Figure(Sample(tl, 24));
}

Sequence Praying() {
    const Pose s = Stand();
    Pose kneel = s;
    kneel.nearHip = 5, kneel.nearKnee = 95, kneel.farHip = 0, kneel.farKnee = 95, kneel.nearFoot = -60, kneel.farFoot = -60;
    kneel.nearShoulder = 20, kneel.farShoulder = 20, kneel.nearElbow = 90, kneel.farElbow = 90;
    Pose raise = kneel;
    raise.nearShoulder = 150, raise.farShoulder = 145, raise.nearElbow = 20, raise.farElbow = 20;
    raise.nearSpread = 25, raise.farSpread = 25, raise.headTilt = -25, raise.blink = 1, raise.mouth = 0.4, raise.lean = -6;
    Pose bow = kneel;
    bow.lean = 38, bow.nearShoulder = 90, bow.farShoulder = 95, bow.nearElbow = 10, bow.farElbow = 10, bow.headTilt = 20;
    bow.blink = 1;
    Timeline tl;
    tl.Key(0, s).Key(5, kneel).Key(9, raise).Key(13, raise).Key(17, bow).Key(20, raise).Key(23, bow).Key(26, kneel).Key(29, s);
    return Figure(Sample(tl, 30));
}

// Pushing the block ahead (to the left on screen): frames 11..16 one stroke, 17..19 the release.
Sequence Push() {
    const Pose s = Stand();
    Pose rub = s;
    rub.nearShoulder = 35, rub.farShoulder = 35, rub.nearElbow = 95, rub.farElbow = 90, rub.smile = 0.6;
    Pose ready = s;
    ready.lean = 28, ready.nearShoulder = 82, ready.farShoulder = 80, ready.nearElbow = 40, ready.farElbow = 45;
    ready.nearHip = 25, ready.nearKnee = 30, ready.farHip = -20, ready.farKnee = 8, ready.brow = -0.6;
    auto stroke = [&](double t) {   // t 0..1 over frames 11..16
        Pose p = ready;
        const double k = std::sin(t * M_PI);
        p.lean = 30 + 8 * k;
        p.nearElbow = 40 - 25 * k, p.farElbow = 45 - 25 * k;
        p.nearHip = 25 - 30 * t, p.farHip = -20 + 30 * t;
        p.nearKnee = 30 + 10 * k, p.farKnee = 8 + 25 * k;
        p.mouth = 0.3 + 0.4 * k, p.brow = -1, p.smile = -0.2;
        return p;
    };
    Timeline tl;
    tl.Key(0, s).Key(3, rub).Key(5, rub).Key(9, ready).Key(11, stroke(0));
    std::vector<Pose> poses;
    for (int f = 0; f < 11; ++f) poses.push_back(tl.At(f));
    for (int f = 11; f <= 16; ++f) poses.push_back(stroke((f - 11) / 5.0));
    Pose done = s;
    done.nearShoulder = 20, done.farShoulder = 20, done.nearElbow = 60, done.farElbow = 60, done.smile = 0.8;
    poses.push_back(Lerp(stroke(1), done, 0.35));
    poses.push_back(Lerp(stroke(1), done, 0.7));
    poses.push_back(done);
    return Figure(poses);
}

std::vector<Pose> TurnSeq() {
    std::vector<Pose> out;
    for (int i = 0; i < 8; ++i) {
        Pose p = Stand();
        const double t = i / 7.0;
        p.view = 180 * Smooth(t);
        p.nearHip += 14 * std::sin(t * M_PI), p.nearKnee += 28 * std::sin(t * M_PI);
        out.push_back(p);
    }
    return out;
}

}  // namespace
}  // namespace vantero::art

ARTGEN_MODULE(mechanic) {
    using namespace vantero::art;
    using namespace vantero::art::puppet;
    const std::string dir = "base/characters/";
    AddFigure(reg, dir + "servicewalk.16.gif",
              [](ArtContext&) { return Figure(WalkFrames(3, 10, 3, [](double p) { return Walk(p, 0.9); }, Stand())); });
    AddFigure(reg, dir + "serviceturn.8.gif", [](ArtContext&) { return Figure(TurnSeq()); });
    for (int n = 1; n <= 4; ++n)
        AddFigure(reg, dir + "service0" + std::to_string(n) + ".24.gif", [n](ArtContext&) { return Gesture(n); });
    AddFigure(reg, dir + "servicepraying.30.gif", [](ArtContext&) { return Praying(); });
    AddFigure(reg, dir + "servicepush.20.gif", [](ArtContext&) { return Push(); });
}
