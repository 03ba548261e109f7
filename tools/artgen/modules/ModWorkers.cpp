// The building-site worker: walking, turning, carrying each brick, eating, gestures, dances,
// collapsing, leaving, the crazy man's run, the block carriers and the little monument figures. Every picture comes from the one worker puppet.
#include "PuppetKit.h"

#include <cmath>

namespace vantero::art {
namespace {
using namespace puppet;

constexpr int W = 44, H = 68;            // the worker's pictures (feet at the bottom centre)
constexpr int CW = 64;                   // carrying pictures: room for the brick in front
constexpr int TW = 96;                   // the collapse: room for the body lying on the ground

using PropsFn = std::function<std::vector<Prop>(int)>;

Sequence Figure(const std::vector<Pose>& poses, const PropsFn& props = {}, int w = W) {
    return RenderFigure(WorkerLook(), w, H, w / 2.0, H - 1.0, poses, props);
}

std::vector<Pose> Sample(const Timeline& tl, int frames) {
    std::vector<Pose> out;
    for (int f = 0; f < frames; ++f) out.push_back(tl.At(f));
    return out;
}

// Loop that starts from `from`: intro frames blend into the loop, then loop(k / loopLen) repeats.
std::vector<Pose> IntroLoop(const std::function<Pose(int)>& intro, int introFrames, int total,
                            const std::function<Pose(double)>& loop) {
    std::vector<Pose> out;
    for (int f = 0; f < introFrames; ++f) out.push_back(intro(f));
    const int n = total - introFrames;
    for (int k = 0; k < n; ++k) out.push_back(loop(static_cast<double>(k) / n));
    return out;
}

Prop BrickProp(int variant, Attach at, double dx, double dy, double angle = 0, double depth = 0) {
    double w, h;
    BrickSize(variant, w, h);
    Prop p;
    p.at = at, p.dx = dx, p.dy = dy, p.angle = angle, p.depth = depth;
    p.draw = [variant, w, h](cairo_t* cr) { DrawBrick(cr, variant, w, h, 0, 0xB1C0 + variant); };
    return p;
}
Prop OnGround(int variant, double dx) {
    double w, h;
    BrickSize(variant, w, h);
    return BrickProp(variant, Attach::World, dx, -h / 2 - 0.2, 0, 300);
}
Prop BreadProp(double bitten, Attach at = Attach::NearHand) {
    Prop p;
    p.at = at, p.dx = 1.2, p.dy = -0.5, p.depth = 0.5;
    p.draw = [bitten](cairo_t* cr) { DrawBread(cr, 3.2, bitten); };
    return p;
}

// ---- Walking and turning ----
std::vector<Pose> WalkSeq() { return WalkFrames(3, 10, 3, [](double p) { return Walk(p); }, Stand()); }

std::vector<Pose> TurnSeq(const Pose& base) {
    std::vector<Pose> out;
    for (int i = 0; i < 8; ++i) {
        Pose p = base;
        const double t = i / 7.0;
        p.view = 180 * Smooth(t);
        const double step = std::sin(t * M_PI);
        p.nearHip += 14 * step;
        p.nearKnee += 28 * step;
        p.nearFoot += 6 * step;
        out.push_back(p);
    }
    return out;
}

// Holding a loaf at the chest.
Pose WithFood(Pose p) {
    p.nearShoulder = 28, p.nearElbow = 95;
    return p;
}

// ---- Carrying ----
// Carrying poses per brick: 1 in both hands at the chest, 2 and 3 on the head, 4 on the back.
Pose CarryPose(int variant, double phase, bool walking) {
    Pose p = walking ? Walk(phase, variant == 4 ? 0.7 : 0.85) : Stand();
    if (variant == 1) {
        p.nearShoulder = 30 + 3 * Wave(phase), p.nearElbow = 80;
        p.farShoulder = 34 + 3 * Wave(phase), p.farElbow = 78;
        p.lean = 3;
    } else if (variant == 4) {
        p.lean = 26;
        p.nearShoulder = 140, p.nearElbow = 110;
        p.farShoulder = 130, p.farElbow = 120;
        p.nearKnee += 12, p.farKnee += 12;
        p.headTilt = -18;
        p.mouth = 0.2, p.brow = -0.6, p.smile = -0.3;
    } else {
        p.farShoulder = 168, p.farElbow = 22;
        p.nearShoulder = 6 - 16 * Wave(phase), p.nearElbow = 20;
        p.lean = 1;
    }
    return p;
}
std::vector<Prop> CarriedProps(int variant) {
    if (variant == 1) return {BrickProp(1, Attach::Hands, 0.8, -1.2, 0, -150)};
    if (variant == 4) return {BrickProp(4, Attach::Back, -6.5, -5, -10, 240)};
    double w, h;
    BrickSize(variant, w, h);
    return {BrickProp(variant, Attach::Head, 0, -6.9 - h / 2 + 0.6, 0, 10)};
}

// Bend down, take the brick lying `reach` in front and lift it into the carrying pose.
Sequence Carry(int variant, int start, int cycle, double reach) {
    Timeline tl;
    Pose grab = Stand();
    grab.lean = 55, grab.nearHip = 50, grab.nearKnee = 85, grab.farHip = 5, grab.farKnee = 60;
    grab.nearShoulder = 55, grab.farShoulder = 50, grab.nearElbow = 5, grab.farElbow = 8;
    grab.headTilt = -10;
    Pose lift = Stand();
    lift.lean = 20, lift.nearHip = 20, lift.nearKnee = 30, lift.farHip = -5, lift.farKnee = 20;
    lift.nearShoulder = 35, lift.farShoulder = 38, lift.nearElbow = 60, lift.farElbow = 60;
    lift.mouth = variant == 4 ? 0.6 : 0.2, lift.brow = variant == 4 ? -1 : 0;
    Pose over = lift;   // brick raised above the head (variants 2 and 3) or swung onto the back (4)
    over.lean = variant == 4 ? 18 : 0, over.nearHip = 4, over.nearKnee = 6, over.farHip = -4, over.farKnee = 6;
    over.nearShoulder = 170, over.farShoulder = 165, over.nearElbow = 15, over.farElbow = 15;
    const int grabAt = variant == 1 ? 2 : 3;
    tl.Key(0, Stand());
    tl.Key(grabAt, grab);
    if (variant == 1) {
        tl.Key(3.5, lift);
        tl.Key(start, CarryPose(1, 0, true));
    } else {
        tl.Key(grabAt + 2, lift);
        tl.Key(grabAt + 4, over);
        tl.Key(start, CarryPose(variant, 0, true));
    }
    std::vector<Pose> poses;
    for (int f = 0; f < start; ++f) poses.push_back(tl.At(f));
    for (int f = 0; f < cycle; ++f) poses.push_back(CarryPose(variant, static_cast<double>(f) / cycle, true));
    const int liftedFrom = grabAt + 1, onHeadFrom = variant == 1 ? start : grabAt + 5;
    return Figure(poses, [=](int f) -> std::vector<Prop> {
        if (f < liftedFrom) return {OnGround(variant, reach)};
        if (f < onHeadFrom) return {BrickProp(variant, Attach::Hands, 0.8, variant == 4 ? -3 : -2, 0, -150)};
        return CarriedProps(variant);
    }, CW);
}

// ---- Collapse under the heavy stone (drawn facing left: the game shows it unmirrored) ----
Sequence Travmate() {
    Pose carry = CarryPose(4, 0, true);
    carry.view = 180;
    Pose buckle = carry;
    buckle.nearKnee = 50, buckle.farKnee = 55, buckle.nearHip = 30, buckle.farHip = 10, buckle.lean = 40;
    buckle.mouth = 0.8, buckle.brow = 1, buckle.roll = 5;
    Pose fall = buckle;
    fall.roll = 45, fall.nearShoulder = 120, fall.farShoulder = 110, fall.nearElbow = 20, fall.farElbow = 30;
    fall.lean = 20, fall.nearKnee = 30, fall.farKnee = 40;
    const Pose down = CollapsedPose();
    Pose twitch = down;
    twitch.farKnee = 45, twitch.farFoot = -10;
    Timeline tl;
    tl.Key(0, carry).Key(3, buckle).Key(6, fall).Key(9, down).Key(13, down).Key(14.5, twitch).Key(16, down).Key(20, down);
    const std::vector<Pose> poses = Sample(tl, 21);
    return Figure(poses, [](int f) -> std::vector<Prop> {
        double w, h;
        BrickSize(4, w, h);
        if (f < 4) return CarriedProps(4);
        if (f < 9) {
            // The stone tumbles forward off the back onto the ground ahead of the head.
            const double t = (f - 3) / 6.0;
            Prop p = BrickProp(4, Attach::World, -4 + 42 * t, -34 * (1 - t) * (1 - t) - 24 * std::sin(t * M_PI) * 0.4 - h / 2,
                               -120 * t, 300);
            p.dy = std::min(p.dy, -h / 2);
            return {p};
        }
        // On the ground it cracks into pieces that crumble away.
        const double k = std::clamp((f - 9) / 11.0, 0.0, 1.0);
        Prop p;
        p.at = Attach::World, p.dx = 38, p.dy = -h / 2, p.depth = 300;
        p.draw = [k, w, h](cairo_t* cr) {
            for (int i = 0; i < 5; ++i) {
                const double a = i * 2 * M_PI / 5 + 0.4;
                const double d = k * 7 * (0.6 + 0.4 * (i % 2));
                cairo_save(cr);
                cairo_translate(cr, std::cos(a) * d, std::max(-h / 2 + 1.5, std::sin(a) * d * 0.3 + k * 3));
                cairo_rotate(cr, a * k);
                cairo_push_group(cr);
                DrawBrick(cr, 4, w * 0.5 * (1 - 0.35 * k), h * 0.5 * (1 - 0.35 * k), 0, 0x51 + i);
                cairo_pop_group_to_source(cr);
                cairo_paint_with_alpha(cr, 1 - std::max(0.0, k - 0.55) / 0.45);
                cairo_restore(cr);
            }
        };
        return {p};
    }, TW);
}

// ---- Food ----
Sequence TakeFood() {
    Pose reach = Stand();
    reach.nearShoulder = 75, reach.nearElbow = 5, reach.lean = 6, reach.smile = 0.8, reach.brow = 0.6;
    Timeline tl;
    tl.Key(0, Stand()).Key(3, reach).Key(5, reach).Key(9, WithFood(Stand()));
    const std::vector<Pose> poses = Sample(tl, 10);
    return Figure(poses, [](int f) -> std::vector<Prop> {
        if (f < 5) return {};
        return {BreadProp(0)};
    });
}

Sequence Eat() {
    const Pose hold = WithFood(Stand());
    Pose bite = hold;
    bite.nearShoulder = 38, bite.nearElbow = 128, bite.headTilt = 8, bite.mouth = 0.8;
    Pose chew = hold;
    chew.smile = 0.6;
    Pose wipe = Stand();
    wipe.nearShoulder = 60, wipe.nearElbow = 120, wipe.headTilt = 5;
    Pose pat = Stand();
    pat.nearShoulder = 10, pat.nearElbow = 75, pat.farShoulder = 8, pat.farElbow = 70, pat.lean = -6, pat.smile = 1, pat.blink = 1;
    Timeline tl;
    tl.Key(0, hold);
    const int bites[4] = {6, 26, 46, 66};
    for (int b : bites) tl.Key(b, bite).Key(b + 2, bite).Key(b + 6, chew).Key(b + 16, hold);
    tl.Key(80, wipe).Key(82, wipe).Key(84, pat).Key(88, pat).Key(91, Stand());
    std::vector<Pose> poses = Sample(tl, 92);
    // Chewing between bites.
    for (int b : bites)
        for (int f = b + 4; f < b + 16; ++f) poses[f].mouth = 0.35 * std::fabs(std::sin((f - b) * 1.1));
    return Figure(poses, [bites](int f) -> std::vector<Prop> {
        int eaten = 0;
        for (int b : bites) eaten += f >= b + 2;
        if (eaten == 4 && f >= bites[3] + 10) return {};
        return {BreadProp(eaten * 0.27)};
    });
}

// ---- Gestures (each starts and ends standing) ----
Sequence WipeBrow() {
    Pose up = Stand();
    up.nearShoulder = 95, up.nearElbow = 95, up.headTilt = -6, up.blink = 1, up.smile = 0.2;
    Pose across = up;
    across.nearShoulder = 110, across.nearElbow = 80;
    Pose flick = Stand();
    flick.nearShoulder = 40, flick.nearElbow = 40, flick.nearSpread = 40, flick.smile = 0.7;
    Timeline tl;
    tl.Key(0, Stand()).Key(5, up).Key(9, across).Key(12, up).Key(15, flick).Key(19, flick).Key(23, Stand());
    return Figure(Sample(tl, 24));
}
Sequence Stretch() {
    Pose back = Stand();
    back.lean = -14, back.headTilt = -18, back.nearShoulder = -40, back.nearElbow = 35, back.farShoulder = -45;
    back.farElbow = 35, back.blink = 1, back.mouth = 0.5;
    Pose up = Stand();
    up.nearShoulder = 175, up.farShoulder = 170, up.nearElbow = 5, up.farElbow = 5, up.nearSpread = 15, up.farSpread = 15;
    up.lift = 1, up.nearFoot = -20, up.farFoot = -20, up.mouth = 0.7, up.blink = 1;
    Timeline tl;
    tl.Key(0, Stand()).Key(5, back).Key(10, back).Key(15, up).Key(18, up).Key(23, Stand());
    return Figure(Sample(tl, 24));
}
Sequence LookAround() {
    Pose look = Stand();
    look.headTurn = 70, look.brow = 0.8;
    Pose scratch = look;
    scratch.headTurn = 20, scratch.nearShoulder = 150, scratch.nearElbow = 95, scratch.headTilt = 8, scratch.brow = 1, scratch.smile = 0;
    Pose scratch2 = scratch;
    scratch2.nearElbow = 110;
    Timeline tl;
    tl.Key(0, Stand()).Key(4, look).Key(8, look).Key(11, scratch).Key(13, scratch2).Key(15, scratch).Key(17, scratch2)
        .Key(20, look).Key(23, Stand());
    return Figure(Sample(tl, 24));
}
// The crazy man's fit: arms whirling, hopping and shouting.
Sequence CrazyFit() {
    std::vector<Pose> poses;
    for (int f = 0; f < 30; ++f) {
        const double env = Smooth(f / 4.0) * Smooth((29 - f) / 4.0);
        Pose p = Stand();
        const double ph = f / 10.0;
        p.nearShoulder = 90 + 80 * Wave(ph) * env + 40 * env;
        p.farShoulder = 90 - 80 * Wave(ph) * env + 40 * env;
        p.nearElbow = 40 + 30 * Wave(ph * 2), p.farElbow = 40 - 30 * Wave(ph * 2);
        p.nearSpread = 30 * env, p.farSpread = 30 * env;
        p.lift = 4 * std::fabs(Wave(ph * 1.5)) * env;
        p.nearHip = 3 + 25 * std::max(0.0, Wave(ph * 1.5)) * env, p.nearKnee = 3 + 45 * std::max(0.0, Wave(ph * 1.5)) * env;
        p.view = 25 * Wave(ph * 0.5) * env;
        p.mouth = 0.9 * env, p.brow = env, p.smile = 0.5;
        p.headTilt = -12 * env * Wave(ph);
        poses.push_back(Lerp(Stand(), p, env > 0 ? 1 : 0));
    }
    return Figure(poses);
}
// Grumbling: hands on the hips, head shaking, a fist shaken and a stamp.
Sequence Basta() {
    Pose hips = Stand();
    hips.nearShoulder = 15, hips.nearElbow = 95, hips.nearSpread = 45, hips.farShoulder = 15, hips.farElbow = 95;
    hips.farSpread = 45, hips.brow = -1, hips.smile = -0.9, hips.lean = -3;
    Pose shakeL = hips, shakeR = hips;
    shakeL.headTurn = 35, shakeR.headTurn = -25;
    Pose fist = hips;
    fist.nearShoulder = 140, fist.nearElbow = 60, fist.nearSpread = 10, fist.mouth = 0.7, fist.lean = 6;
    Pose fist2 = fist;
    fist2.nearElbow = 30;
    Pose stamp = fist;
    stamp.nearHip = 25, stamp.nearKnee = 40;
    Timeline tl;
    tl.Key(0, Stand()).Key(4, hips).Key(6, shakeL).Key(8, shakeR).Key(10, shakeL).Key(12, shakeR).Key(14, hips)
        .Key(17, fist).Key(19, fist2).Key(21, fist).Key(22, stamp).Key(23.5, fist2).Key(25, hips).Key(29, Stand());
    return Figure(Sample(tl, 30));
}

// ---- Going home ----
Sequence Out(int kind) {
    const int start = kind == 1 ? 9 : 10;
    auto cycle = [kind](double p) {
        Pose q = Walk(p, 0.85);
        q.headTilt = 14, q.smile = -0.6, q.lean = 7;
        if (kind == 2) q.nearShoulder = -28, q.farShoulder = -30, q.nearElbow = 35, q.farElbow = 35;
        return q;
    };
    Timeline tl;
    tl.Key(0, Stand());
    if (kind == 1) {
        Pose wave = Stand();
        wave.nearShoulder = 120, wave.nearElbow = 50, wave.headTurn = 50, wave.smile = -0.5, wave.brow = -0.6;
        Pose wave2 = wave;
        wave2.nearShoulder = 95, wave2.nearElbow = 20;
        tl.Key(2, wave).Key(4, wave2).Key(6, wave);
    } else {
        Pose shrug = Stand();
        shrug.nearShoulder = 25, shrug.farShoulder = 25, shrug.nearElbow = 80, shrug.farElbow = 80;
        shrug.nearSpread = 35, shrug.farSpread = 35, shrug.headTurn = 60, shrug.headTilt = -8, shrug.brow = 1, shrug.smile = -0.5;
        Pose shake = shrug;
        shake.headTurn = 30;
        tl.Key(2, shrug).Key(4, shake).Key(6, shrug);
    }
    tl.Key(start, cycle(0));
    std::vector<Pose> poses;
    for (int f = 0; f < start; ++f) poses.push_back(tl.At(f));
    for (int f = 0; f < 7; ++f) poses.push_back(cycle(f / 7.0));
    return Figure(poses);
}

// ---- Celebrations (intro frames, then a seamless loop back to the loop start) ----
Pose Cheer(double k) {   // one hop per unit of k: fists up, high in the air
    Pose p = Stand();
    const double air = std::max(0.0, Wave(k));
    p.lift = 6 * air;
    p.nearShoulder = 150 + 20 * air, p.farShoulder = 145 + 20 * air, p.nearElbow = 30, p.farElbow = 35;
    p.nearSpread = 20, p.farSpread = 20;
    const double squat = std::max(0.0, -Wave(k));
    p.nearHip = 10 + 30 * squat, p.nearKnee = 10 + 55 * squat, p.farHip = 5 + 28 * squat, p.farKnee = 10 + 55 * squat;
    p.nearFoot = -15 * air, p.farFoot = -15 * air;
    p.mouth = 0.6 + 0.3 * air, p.smile = 1, p.brow = 1, p.headTilt = -8;
    return p;
}
Pose Clap(double k) {   // hands clapping above the head with a bounce
    Pose p = Stand();
    const double c = 0.5 + 0.5 * Wave(k);
    p.nearShoulder = 160, p.farShoulder = 160, p.nearElbow = 25, p.farElbow = 25;
    p.nearSpread = 8 + 22 * c, p.farSpread = 8 + 22 * c;
    p.view = 30;
    const double b = 0.5 + 0.5 * Wave(k + 0.25);
    p.nearHip = 8 + 14 * b, p.nearKnee = 10 + 26 * b, p.farHip = 6 + 14 * b, p.farKnee = 10 + 26 * b;
    p.mouth = 0.5, p.smile = 1, p.headTilt = -10;
    return p;
}
Pose Spin(double t) {   // a full turn with arms out and side steps
    Pose p = Stand();
    p.view = 360 * t;
    p.nearShoulder = 90 + 25 * Wave(4 * t), p.farShoulder = 90 - 25 * Wave(4 * t), p.nearSpread = 70, p.farSpread = 70;
    p.nearElbow = 30, p.farElbow = 30;
    p.nearHip = 20 * Wave(4 * t), p.farHip = -20 * Wave(4 * t);
    p.nearKnee = 10 + 35 * std::max(0.0, Wave(4 * t)), p.farKnee = 10 + 35 * std::max(0.0, -Wave(4 * t));
    p.lift = 1.5 * std::fabs(Wave(4 * t));
    p.mouth = 0.5, p.smile = 1, p.blink = 1;
    return p;
}

Sequence Happy(int n) {
    switch (n) {
    case 1:
        return Figure(IntroLoop([](int f) { return Lerp(Stand(), Cheer(0), f / 3.0); }, 3, 36,
                                [](double t) { return Cheer(3 * t); }));
    case 2:
        return Figure(IntroLoop([](int f) { return Lerp(Stand(), Clap(0), f / 3.0); }, 3, 23,
                                [](double t) { return Clap(2 * t); }));
    case 3:
        return Figure(IntroLoop([](int f) { return Lerp(Stand(), Spin(0), f / 5.0); }, 5, 55, [](double t) { return Spin(t); }));
    case 4: {   // the small brick lifted high over the head, bouncing
        auto loop = [](double t) {
            Pose p = Cheer(3 * t);
            p.nearSpread = 5, p.farSpread = 5, p.nearElbow = 15, p.farElbow = 15;
            p.lift *= 0.6;
            return p;
        };
        const Pose from = CarryPose(1, 0, true);
        const std::vector<Pose> poses =
            IntroLoop([&](int f) { return Lerp(from, loop(0), Smooth(f / 15.0)); }, 15, 57, loop);
        return Figure(poses, [](int) { return std::vector<Prop>{BrickProp(1, Attach::Hands, 0.8, -1.5, 0, -150)}; }, CW);
    }
    case 5: {   // sets the heavy stone down and hops beside it
        Pose from = CarryPose(4, 0, true);
        Pose put = Stand();
        put.lean = 50, put.nearHip = 45, put.nearKnee = 80, put.farHip = 5, put.farKnee = 55;
        put.nearShoulder = 55, put.farShoulder = 50, put.nearElbow = 10, put.farElbow = 10;
        Timeline tl;
        tl.Key(0, from).Key(6, put).Key(9, put).Key(15, Cheer(0));
        const std::vector<Pose> poses = IntroLoop([&](int f) { return tl.At(f); }, 15, 48, [](double t) { return Cheer(3 * t); });
        return Figure(poses, [](int f) -> std::vector<Prop> {
            if (f < 3) return CarriedProps(4);
            if (f < 8) return {BrickProp(4, Attach::Hands, 1, -3, 0, -150)};
            return {OnGround(4, 18)};
        }, CW);
    }
    default: {   // dancing with the block balanced on the head
        auto loop = [](double t) {
            Pose p = Stand();
            const double s = Wave(2 * t);
            p.view = 35 * s;
            p.nearShoulder = 110 + 30 * Wave(4 * t), p.farShoulder = 110 - 30 * Wave(4 * t);
            p.nearSpread = 55, p.farSpread = 55, p.nearElbow = 40, p.farElbow = 40;
            p.nearHip = 10 + 15 * std::max(0.0, s), p.nearKnee = 10 + 35 * std::max(0.0, s);
            p.farHip = 8 + 15 * std::max(0.0, -s), p.farKnee = 10 + 35 * std::max(0.0, -s);
            p.smile = 1, p.mouth = 0.4;
            return p;
        };
        const Pose from = CarryPose(2, 0, true);
        const std::vector<Pose> poses =
            IntroLoop([&](int f) { return Lerp(from, loop(0), Smooth(f / 11.0)); }, 11, 48, loop);
        return Figure(poses, [](int) { return CarriedProps(2); }, CW);
    }
    }
}

// The crazy man running off, arms whirling over his head.
Sequence RunMad() {
    auto cycle = [](double p) {
        Pose q = Run(p, 1.0);
        q.nearShoulder = 150 + 35 * Wave(p), q.farShoulder = 150 - 35 * Wave(p);
        q.nearElbow = 30, q.farElbow = 30, q.nearSpread = 20, q.farSpread = 20;
        q.mouth = 0.9, q.brow = 1, q.smile = 0.3, q.headTilt = -10;
        return q;
    };
    return Figure(WalkFrames(3, 10, 4, cycle, Stand()));
}


// ---- The little figures on the monument and in the main menu (16 x 24, ten-frame loops) ----
Look SmallLook(int n) {
    Look l = WorkerLook();
    l.scale = 0.37;
    static const uint32_t skins[6] = {0xB06A3C, 0x7A4626, 0xD8A070, 0x9A5A34, 0xC68A5A, 0x6A3E22};
    static const uint32_t hats[6] = {0xE9DDBE, 0xC0482C, 0x2E7C9C, 0xF2C14E, 0xE9DDBE, 0x6E8B3D};
    static const uint32_t tunics[6] = {0xEFE3C8, 0xE8D8B0, 0xF4ECDA, 0xD8C8A0, 0xC8742E, 0xEFE3C8};
    l.skin = Hex(skins[n - 1]), l.hat = Hex(hats[n - 1]), l.tunic = Hex(tunics[n - 1]);
    l.hatTrim = Darken(l.hat, 0.35);
    return l;
}
Sequence Small(int n) {
    std::vector<Pose> poses;
    std::vector<std::vector<Prop>> props(10);
    for (int f = 0; f < 10; ++f) {
        const double t = f / 10.0;
        Pose p = Stand();
        switch (n) {
        case 1:   // hammering with a mallet
            p.lean = 25, p.nearShoulder = 100 + 60 * std::max(0.0, Wave(t)), p.nearElbow = 20;
            p.nearHip = 20, p.nearKnee = 30;
            break;
        case 2:   // waving to the crowd
            p.nearShoulder = 150, p.nearElbow = 25 + 30 * Wave(t), p.smile = 1, p.view = 40;
            break;
        case 3:   // hauling on a rope
            p.lean = -18 + 6 * Wave(t), p.nearShoulder = 70, p.farShoulder = 75, p.nearElbow = 20 - 15 * Wave(t);
            p.farElbow = 20 - 15 * Wave(t), p.nearHip = 30, p.nearKnee = 10, p.farHip = -10;
            props[f].push_back(BrickProp(1, Attach::Hands, 4, 0, 0, 10));
            break;
        case 4:   // chiselling on one knee
            p.nearHip = 80, p.nearKnee = 85, p.farHip = 0, p.farKnee = 95, p.farFoot = -60;
            p.lean = 20, p.nearShoulder = 55 + 15 * std::max(0.0, Wave(t)), p.nearElbow = 40, p.farShoulder = 60, p.farElbow = 10;
            break;
        case 5:   // carrying a block on his head, stepping
            p = Walk(t, 0.5);
            p.farShoulder = 168, p.farElbow = 22;
            props[f] = CarriedProps(2);
            break;
        default:  // pointing out where the next block goes
            p.nearShoulder = 90 + 10 * Wave(t), p.nearElbow = 5, p.farShoulder = 20, p.farElbow = 90, p.mouth = 0.5;
            break;
        }
        poses.push_back(p);
    }
    return RenderFigure(SmallLook(n), 16, 24, 8, 23, poses, [&](int f) { return props[f]; });
}

// ---- Three carriers dragging a block off (bottom-left anchored; frames 0..12 take hold, 13..18 one step) ----
Sequence DragStone(int sprite, int gdx) {
    constexpr int SW = 130, SH = 68;
    // Where the carriers stood (relative to the picture's left edge) and where the block fell.
    const double shift = sprite == 1 ? 2 - gdx : 8;
    const double carrier[3] = {(sprite == 1 ? 10 : 7) + shift, (sprite == 1 ? 37 : 36) + shift, 113 + shift};
    const double blockX = sprite == 1 ? 68 : 74, bw = 46, bh = 40;
    const Rgba stone = sprite == 1 ? Hex(0xD8BC8C) : Hex(0xB0604A);
    Pose bend = Stand();
    bend.lean = 50, bend.nearHip = 40, bend.nearKnee = 70, bend.farHip = 5, bend.farKnee = 50;
    bend.nearShoulder = 50, bend.farShoulder = 45, bend.nearElbow = 5, bend.farElbow = 5;
    Pose haul = Stand();
    haul.lean = -16, haul.nearShoulder = 70, haul.farShoulder = 75, haul.nearElbow = 10, haul.farElbow = 10;
    haul.nearHip = 30, haul.nearKnee = 15, haul.farHip = -20, haul.farKnee = 10, haul.brow = -1, haul.mouth = 0.4;
    Pose push = Stand();
    push.view = 180, push.lean = 35, push.nearShoulder = 80, push.farShoulder = 78, push.nearElbow = 20, push.farElbow = 25;
    push.nearHip = 30, push.nearKnee = 35, push.farHip = -25, push.farKnee = 10, push.brow = -1;
    return Render(19, SW, SH, [&](Canvas& c, int f) {
        cairo_t* cr = c.Cr();
        const double gy = SH - 1.0;
        // The block: a hewn face with its lit top.
        const double top = 7;
        cairo_move_to(cr, blockX - bw / 2, gy - bh + top);
        cairo_line_to(cr, blockX - bw / 2 + 4, gy - bh);
        cairo_line_to(cr, blockX + bw / 2, gy - bh);
        cairo_line_to(cr, blockX + bw / 2 - 4, gy - bh + top);
        cairo_close_path(cr);
        Shade(cr, Lighten(stone, 0.3), 0.15, 1.0);
        RoughRectPath(cr, blockX - bw / 2, gy - bh + top, bw - 4, bh - top, 0.6, 0xB10C + sprite, 5.0);
        Shade(cr, stone, 0.25, 1.0);
        if (sprite == 1) {
            cairo_arc(cr, blockX - 2, gy - (bh - top) / 2, 6, 0, 2 * M_PI);
        } else {
            cairo_move_to(cr, blockX - 8, gy - (bh - top) / 2);
            cairo_line_to(cr, blockX + 4, gy - (bh - top) / 2);
            cairo_move_to(cr, blockX - 2, gy - (bh - top) / 2 - 6);
            cairo_line_to(cr, blockX - 2, gy - (bh - top) / 2 + 6);
        }
        SetSource(cr, Hex(sprite == 1 ? 0x6A4A28 : 0x3A1A10, 0.7));
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
        // Pullers and pusher.
        double hold;
        Pose puller;
        if (f <= 12) {
            hold = Smooth(std::clamp((f - 5) / 6.0, 0.0, 1.0));
            puller = f < 5 ? Lerp(Stand(), bend, Smooth(f / 4.0)) : Lerp(bend, haul, hold);
        } else {
            const double t = (f - 13) / 5.0;
            puller = haul;
            puller.lean = -16 - 8 * std::sin(t * M_PI);
            puller.nearHip = 30 - 40 * t, puller.farHip = -20 + 40 * t;
            puller.nearKnee = 15 + 25 * std::sin(t * M_PI);
            hold = 1;
        }
        const double ropeY = gy - (bh - top) * 0.45;
        for (int i = 0; i < 2; ++i) {
            Pose q = puller;
            if (i == 0) q.lean *= 0.4, q.shiftX = 3;   // keep the first puller inside the picture
            DrawPuppet(cr, WorkerLook(), q, carrier[i], gy);
            if (f >= 4) {
                // The rope runs from the block to the puller's hands (about chest height when hauling).
                const double hx = carrier[i] + 10 + 4 * hold, hy = gy - 6 - 22 * hold;
                cairo_move_to(cr, blockX - bw / 2 + 1, ropeY);
                cairo_curve_to(cr, (hx + blockX - bw / 2) / 2, std::max(ropeY, hy) + 3 * (1 - hold), hx, hy + 1, hx, hy);
                SetSource(cr, Hex(0x6A4A20));
                cairo_set_line_width(cr, 1.2);
                cairo_stroke(cr);
            }
        }
        Pose p3 = f <= 12 ? Lerp(Lerp(Stand(), push, 0), push, Smooth(f / 8.0)) : push;
        if (f > 12) p3.lean = 35 + 6 * std::sin((f - 13) / 5.0 * M_PI);
        p3.view = 180;
        DrawPuppet(cr, WorkerLook(), p3, carrier[2], gy);
    });
}

}  // namespace
}  // namespace vantero::art

ARTGEN_MODULE(workers) {
    using namespace vantero::art;
    using namespace vantero::art::puppet;
    const std::string dir = "base/characters/";
    AddFigure(reg, dir + "workerwalk.16.gif", [](ArtContext&) { return Figure(WalkSeq()); });
    AddFigure(reg, dir + "workerturn.8.gif", [](ArtContext&) { return Figure(TurnSeq(Stand())); });
    AddFigure(reg, dir + "workerwalkwithfood.16.gif", [](ArtContext&) {
        return Figure(WalkFrames(3, 10, 3, [](double p) { return WithFood(Walk(p)); }, WithFood(Stand())),
                      [](int) { return std::vector<Prop>{BreadProp(0)}; });
    });
    AddFigure(reg, dir + "workerturnwithfood.8.gif", [](ArtContext&) {
        return Figure(TurnSeq(WithFood(Stand())), [](int) { return std::vector<Prop>{BreadProp(0)}; });
    });
    // Distances of the brick ahead of the worker when he takes it: 19, 17, 17, 18.
    AddFigure(reg, dir + "workercarry01.10.gif", [](ArtContext&) { return Carry(1, 5, 5, 19); });
    AddFigure(reg, dir + "workercarry02.15.gif", [](ArtContext&) { return Carry(2, 9, 6, 17); });
    AddFigure(reg, dir + "workercarry03.15.gif", [](ArtContext&) { return Carry(3, 9, 6, 17); });
    AddFigure(reg, dir + "workercarry04.15.gif", [](ArtContext&) { return Carry(4, 9, 6, 18); });
    AddFigure(reg, dir + "workertravmate.21.gif", [](ArtContext&) { return Travmate(); });
    AddFigure(reg, dir + "workertakefood.10.gif", [](ArtContext&) { return TakeFood(); });
    AddFigure(reg, dir + "workereat.92.gif", [](ArtContext&) { return Eat(); }, 2.0);
    AddFigure(reg, dir + "worker01.24.gif", [](ArtContext&) { return WipeBrow(); });
    AddFigure(reg, dir + "worker02.24.gif", [](ArtContext&) { return Stretch(); });
    AddFigure(reg, dir + "worker03.24.gif", [](ArtContext&) { return LookAround(); });
    AddFigure(reg, dir + "worker04.30.gif", [](ArtContext&) { return CrazyFit(); });
    AddFigure(reg, dir + "workerbasta02.30.gif", [](ArtContext&) { return Basta(); });
    AddFigure(reg, dir + "workerout01.16.gif", [](ArtContext&) { return Out(1); });
    AddFigure(reg, dir + "workerout02.17.gif", [](ArtContext&) { return Out(2); });
    const int happyFrames[6] = {36, 23, 55, 57, 48, 48};
    for (int n = 1; n <= 6; ++n)
        AddFigure(reg, dir + "workerhappy0" + std::to_string(n) + "." + std::to_string(happyFrames[n - 1]) + ".gif",
                  [n](ArtContext&) { return Happy(n); }, 1.5);
    AddFigure(reg, dir + "workerrunmad.17.gif", [](ArtContext&) { return RunMad(); });
    for (int n = 1; n <= 6; ++n)
        AddFigure(reg, dir + "small0" + std::to_string(n) + ".10.gif", [n](ArtContext&) { return Small(n); });
    for (int s = 1; s <= 2; ++s)
        AddFigure(reg, dir + "stone0" + std::to_string(s) + ".19.gif",
                  [s](ArtContext& ctx) { return DragStone(s, ctx.Values().Int("GDX")); }, 1.5);
    reg.Add(dir + "shadow.png", [](ArtContext&) { return Sequence(ShadowPicture(32, 10, 0.85)); });
    reg.Add(dir + "shadowsmall.png", [](ArtContext&) { return Sequence(ShadowPicture(16, 5, 0.85)); });
}
