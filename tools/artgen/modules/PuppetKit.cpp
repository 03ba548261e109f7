// The figure puppet: kinematics, projection and painting of one posed body.
#include "PuppetKit.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace vantero::art::puppet {
namespace {

constexpr double Deg = M_PI / 180.0;
constexpr double LightX = -0.55, LightY = -0.83;   // towards the sun (upper left)

struct V3 {
    double x = 0, y = 0, z = 0;
};
V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 operator*(V3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }

struct P2 {
    double x = 0, y = 0;
};

// Arm or leg direction: angle from straight down (+ forward), lifted sideways by spread on side s.
V3 LimbDir(double angleDeg, double spreadDeg, double side) {
    const double a = angleDeg * Deg, b = spreadDeg * Deg;
    return {std::sin(a) * std::cos(b), std::cos(a) * std::cos(b), side * std::sin(b)};
}

// The projection of one view: screen position and depth (+ towards the viewer).
struct View {
    double c = 1, s = 0;
    explicit View(double deg) : c(std::cos(deg * Deg)), s(std::sin(deg * Deg)) {}
    P2 Screen(V3 p) const { return {p.x * c - p.z * s, p.y}; }
    double Depth(V3 p) const { return p.x * s + p.z * c; }
};

// Tapered capsule from a (radius ra) to b (radius rb).
void CapsulePath(cairo_t* cr, P2 a, P2 b, double ra, double rb) {
    double dx = b.x - a.x, dy = b.y - a.y;
    double len = std::hypot(dx, dy);
    if (len < 1e-4) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, a.x, a.y, std::max(ra, rb), 0, 2 * M_PI);
        return;
    }
    const double t = std::atan2(dy, dx);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, b.x, b.y, rb, t + M_PI / 2, t - M_PI / 2);
    cairo_arc_negative(cr, a.x, a.y, ra, t - M_PI / 2, t - 3 * M_PI / 2);
    cairo_close_path(cr);
}

// Fills the current path lit across the direction (nx, ny) of half width r around (cx, cy).
void ShadeAcross(cairo_t* cr, const Rgba& col, double cx, double cy, double nx, double ny, double r,
                 double outline) {
    if (nx * LightX + ny * LightY < 0) nx = -nx, ny = -ny;
    cairo_pattern_t* p = LinearGradient(cx + nx * r, cy + ny * r, cx - nx * r, cy - ny * r,
                                        {{0.0, Lighten(col, 0.30)}, {0.45, col}, {1.0, Darken(col, 0.32)}});
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    SetSource(cr, WithAlpha(Darken(col, 0.62), 0.85 * col.a));
    cairo_set_line_width(cr, outline);
    cairo_stroke(cr);
}

void Limb(cairo_t* cr, P2 a, P2 b, double ra, double rb, const Rgba& col, double outline) {
    CapsulePath(cr, a, b, ra, rb);
    double dx = b.x - a.x, dy = b.y - a.y;
    const double len = std::max(1e-4, std::hypot(dx, dy));
    ShadeAcross(cr, col, (a.x + b.x) / 2, (a.y + b.y) / 2, -dy / len, dx / len, std::max(ra, rb), outline);
}

void Disc(cairo_t* cr, P2 c, double r, const Rgba& col, double outline) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, c.x, c.y, r, 0, 2 * M_PI);
    ShadeAcross(cr, col, c.x, c.y, LightX, LightY, r, outline);
}

// Convex hull (monotone chain) of projected points, as a closed path.
void HullPath(cairo_t* cr, std::vector<P2> pts) {
    if (pts.size() < 3) return;
    std::sort(pts.begin(), pts.end(), [](P2 a, P2 b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    auto cross = [](P2 o, P2 a, P2 b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); };
    std::vector<P2> h(2 * pts.size());
    size_t k = 0;
    for (size_t i = 0; i < pts.size(); ++i) {
        while (k >= 2 && cross(h[k - 2], h[k - 1], pts[i]) <= 0) --k;
        h[k++] = pts[i];
    }
    for (size_t i = pts.size() - 1, t = k + 1; i > 0; --i) {
        while (k >= t && cross(h[k - 2], h[k - 1], pts[i - 1]) <= 0) --k;
        h[k++] = pts[i - 1];
    }
    h.resize(k - 1);
    cairo_new_sub_path(cr);
    cairo_move_to(cr, h[0].x, h[0].y);
    for (size_t i = 1; i < h.size(); ++i) cairo_line_to(cr, h[i].x, h[i].y);
    cairo_close_path(cr);
}

struct Item {
    double key;
    std::function<void()> draw;
};

// Everything the head painter needs: centre, tilt and the head's own view.
struct HeadFrame {
    P2 centre;
    double r;
    double fx, fy, dx, dy;   // forward and down vectors of the head in body x/y
    View view;
    P2 Screen(double hx, double hy, double hz) const {
        const V3 p{hx * fx + hy * dx, hx * fy + hy * dy, hz};
        const P2 s = view.Screen(p);
        return {centre.x + s.x, centre.y + s.y};
    }
    double Depth(double hx, double hy, double hz) const { return view.Depth({hx * fx + hy * dx, hx * fy + hy * dy, hz}); }
};

// A cap of the skull above a hairline plane hy < a + b * hx, on a sphere of radius k * r, taller by tall.
void CapRegion(cairo_t* cr, const HeadFrame& h, double a, double b, double k, double tall, bool visibleOnly) {
    std::vector<P2> pts;
    const double R = h.r * k;
    for (int i = 0; i <= 16; ++i)
        for (int j = 0; j < 24; ++j) {
            const double th = i * M_PI / 16, ph = j * 2 * M_PI / 24;
            const double hx = R * std::sin(th) * std::cos(ph), hz = R * std::sin(th) * std::sin(ph);
            double hy = -R * std::cos(th);
            if (hy > a * h.r + b * hx) continue;
            if (hy < 0) hy *= tall;
            if (visibleOnly && h.Depth(hx, hy, hz) < -0.15 * h.r) continue;
            pts.push_back(h.Screen(hx, hy, hz));
        }
    HullPath(cr, pts);
}

// The hairline circle of a cap, stroked where it faces the viewer (a headband).
void CapBand(cairo_t* cr, const HeadFrame& h, double a, double b, double k, const Rgba& col, double width) {
    const double R = h.r * k;
    bool pen = false;
    for (int j = 0; j <= 48; ++j) {
        const double ph = j * 2 * M_PI / 48;
        // Point on the sphere where hy = a r + b hx along the direction ph (solve roughly by bisection).
        double lo = 0, hi = M_PI;
        for (int it = 0; it < 20; ++it) {
            const double th = (lo + hi) / 2;
            const double hx = R * std::sin(th) * std::cos(ph), hy = -R * std::cos(th);
            if (hy > a * h.r + b * hx) hi = th; else lo = th;
        }
        const double hx = R * std::sin(lo) * std::cos(ph), hz = R * std::sin(lo) * std::sin(ph), hy = -R * std::cos(lo);
        const P2 p = h.Screen(hx, hy, hz);
        if (h.Depth(hx, hy, hz) > -0.05 * h.r) {
            if (!pen) cairo_move_to(cr, p.x, p.y); else cairo_line_to(cr, p.x, p.y);
            pen = true;
        } else pen = false;
    }
    SetSource(cr, col);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

// The headcloth's tail or long hair hanging behind the head.
void DrawBackFlap(cairo_t* cr, const Look& L, const HeadFrame& h, double ol) {
    const double r = h.r;
    auto backFlap = [&](const Rgba& col, double len, double width) {
        std::vector<P2> pts;
        for (double s : {-1.0, 1.0}) {
            pts.push_back(h.Screen(-0.55 * r, -0.6 * r, s * width * r));
            pts.push_back(h.Screen(-0.95 * r, len * r, s * width * r * 1.05));
            pts.push_back(h.Screen(-0.7 * r, len * r + 0.3 * r, s * width * r * 0.9));
        }
        HullPath(cr, pts);
        Shade(cr, Darken(col, 0.12), 0.2, ol);
    };
    if (L.hat_ == Hat::Headcloth) backFlap(L.hat, 1.55, 0.75);
    if (L.hat_ == Hat::LongHair) backFlap(L.hair, 2.6, 0.85);
}

void DrawHead(cairo_t* cr, const Look& L, const Pose& P, const HeadFrame& h, double ol, bool flapBehindBody) {
    const double r = h.r;
    const Rgba skin = L.skin;
    if (!flapBehindBody) DrawBackFlap(cr, L, h, ol);
    // Skull and jaw.
    cairo_new_sub_path(cr);
    cairo_arc(cr, h.centre.x, h.centre.y, r, 0, 2 * M_PI);
    const P2 jaw = h.Screen(0.42 * r, 0.55 * r, 0);
    cairo_new_sub_path(cr);
    cairo_arc(cr, jaw.x, jaw.y, r * 0.52, 0, 2 * M_PI);
    if (h.Depth(1, 0, 0) > -0.3) {
        const P2 nose = h.Screen(0.98 * r, 0.12 * r, 0);
        cairo_new_sub_path(cr);
        cairo_arc(cr, nose.x, nose.y, r * 0.2, 0, 2 * M_PI);
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    Shade(cr, skin, 0.25, ol);
    // Ears.
    for (double s : {-1.0, 1.0})
        if (h.Depth(-0.1 * r, 0.05 * r, s * r) > 0.2 * r) {
            const P2 e = h.Screen(-0.12 * r, 0.08 * r, s * 0.92 * r);
            EllipsePath(cr, e.x, e.y, r * 0.2, r * 0.28);
            SetSource(cr, Darken(skin, 0.18));
            cairo_fill(cr);
        }
    // Beard and moustache.
    if (L.beard) {
        const bool longBeard = L.scale > 1.4;
        std::vector<P2> pts;
        for (double s : {-1.0, 0.0, 1.0}) {
            pts.push_back(h.Screen(0.62 * r, 0.28 * r, s * 0.6 * r));
            pts.push_back(h.Screen(0.0 * r, 0.35 * r, s * 0.85 * r));
            pts.push_back(h.Screen(0.55 * r, (longBeard ? 1.55 : 1.0) * r, s * 0.3 * r));
            pts.push_back(h.Screen(0.85 * r, 0.6 * r, s * 0.35 * r));
        }
        HullPath(cr, pts);
        Shade(cr, L.beardColour, 0.2, ol);
    }
    // Face features on the side facing the viewer.
    const Rgba ink = Hex(0x1E120A);
    for (double s : {-1.0, 1.0}) {
        const double ex = 0.68 * r, ey = -0.12 * r, ez = s * 0.4 * r;
        if (h.Depth(ex, ey, ez) <= 0.05 * r) continue;
        const P2 e = h.Screen(ex, ey, ez);
        if (P.blink > 0.5) {
            cairo_move_to(cr, e.x - r * 0.16, e.y);
            cairo_line_to(cr, e.x + r * 0.16, e.y);
            SetSource(cr, ink);
            cairo_set_line_width(cr, r * 0.1);
            cairo_stroke(cr);
        } else {
            cairo_new_sub_path(cr);
            cairo_arc(cr, e.x, e.y, r * 0.15, 0, 2 * M_PI);
            SetSource(cr, ink);
            cairo_fill(cr);
            cairo_arc(cr, e.x - r * 0.05, e.y - r * 0.05, r * 0.05, 0, 2 * M_PI);
            SetSource(cr, Hex(0xFFFFFF, 0.8));
            cairo_fill(cr);
        }
        // Brow.
        const P2 b0 = h.Screen(0.72 * r, -0.38 * r - 0.1 * r * P.brow, ez - s * 0.18 * r);
        const P2 b1 = h.Screen(0.62 * r, -0.36 * r - 0.1 * r * P.brow + 0.08 * r * P.brow, ez + s * 0.2 * r);
        cairo_move_to(cr, b0.x, b0.y - (P.brow < 0 ? P.brow * 0.1 * r : 0));
        cairo_line_to(cr, b1.x, b1.y);
        SetSource(cr, WithAlpha(L.beard ? L.beardColour : L.hair, 0.9));
        cairo_set_line_width(cr, r * 0.12);
        cairo_stroke(cr);
    }
    if (L.moustache && h.Depth(0.9, 0.3, 0) > -0.2) {
        const P2 m0 = h.Screen(0.9 * r, 0.33 * r, 0), m1 = h.Screen(0.55 * r, 0.45 * r, 0.4 * r);
        const P2 m2 = h.Screen(0.55 * r, 0.45 * r, -0.4 * r);
        cairo_move_to(cr, m1.x, m1.y);
        cairo_line_to(cr, m0.x, m0.y);
        cairo_line_to(cr, m2.x, m2.y);
        SetSource(cr, L.beardColour);
        cairo_set_line_width(cr, r * 0.2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    if (h.Depth(0.85, 0.5, 0) > 0.0) {
        const P2 m = h.Screen(0.8 * r, 0.5 * r, 0);
        const P2 ml = h.Screen(0.72 * r, 0.45 * r - 0.1 * r * P.smile, 0.25 * r);
        const P2 mr = h.Screen(0.72 * r, 0.45 * r - 0.1 * r * P.smile, -0.25 * r);
        if (P.mouth > 0.15) {
            EllipsePath(cr, m.x, m.y + r * 0.05, std::max(r * 0.16, std::fabs(ml.x - mr.x) * 0.5 + r * 0.1),
                        r * (0.1 + 0.25 * P.mouth));
            SetSource(cr, Hex(0x4A1408));
            cairo_fill(cr);
        } else {
            cairo_move_to(cr, ml.x, ml.y);
            cairo_curve_to(cr, m.x, m.y + r * 0.12 * P.smile, m.x, m.y + r * 0.12 * P.smile, mr.x, mr.y);
            SetSource(cr, WithAlpha(Darken(skin, 0.55), 0.9));
            cairo_set_line_width(cr, r * 0.1);
            cairo_stroke(cr);
        }
    }
    // Headwear and hair over the skull.
    switch (L.hat_) {
    case Hat::Headcloth:
        CapRegion(cr, h, -0.3, -0.4, 1.08, 1.06, true);
        Shade(cr, L.hat, 0.25, ol);
        CapBand(cr, h, -0.3, -0.4, 1.1, L.hatTrim, r * 0.2);
        break;
    case Hat::Cap:
        CapRegion(cr, h, -0.3, -0.12, 1.07, 1.05, true);
        Shade(cr, L.hat, 0.25, ol);
        CapBand(cr, h, -0.3, -0.12, 1.09, L.hatTrim, r * 0.22);
        break;
    case Hat::Turban:
        CapRegion(cr, h, -0.15, -0.2, 1.15, 1.35, true);
        Shade(cr, L.hat, 0.28, ol);
        CapBand(cr, h, -0.4, -0.15, 1.18, L.hatTrim, r * 0.25);
        CapBand(cr, h, -0.18, -0.2, 1.17, Darken(L.hat, 0.2), r * 0.18);
        break;
    case Hat::Hair:
    case Hat::LongHair:
        CapRegion(cr, h, -0.3, -0.55, 1.06, 1.03, true);
        Shade(cr, L.hair, 0.3, ol);
        break;
    case Hat::Veil:
        CapRegion(cr, h, -0.25, -0.5, 1.1, 1.08, true);
        Shade(cr, L.hat, 0.25, ol);
        break;
    case Hat::Bald: {
        // A fringe of hair round the back of the head, one patch per side.
        for (double s : {-1.0, 1.0}) {
            if (h.Depth(-0.2 * r, 0, s * r) < -0.3 * r && h.Depth(-r, 0, 0) < -0.3 * r) continue;
            std::vector<P2> pts;
            for (double k : {0.0, 0.5, 1.0}) {
                pts.push_back(h.Screen(-0.95 * r + 0.75 * k * r, -0.35 * r, s * (0.35 + 0.67 * k) * r));
                pts.push_back(h.Screen(-1.05 * r + 0.85 * k * r, 0.3 * r, s * (0.3 + 0.72 * k) * r));
            }
            HullPath(cr, pts);
            Shade(cr, L.hair, 0.2, ol);
        }
        break;
    }
    case Hat::Bare:
        break;
    }
}

}  // namespace

// ---- Pose arithmetic ----
Pose Lerp(const Pose& a, const Pose& b, double t) {
    Pose r;
#define PUPPET_LERP(name, def) r.name = a.name + (b.name - a.name) * t;
    PUPPET_POSE_FIELDS(PUPPET_LERP)
#undef PUPPET_LERP
    return r;
}
double Smooth(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}
double Wave(double phase) { return std::sin(phase * 2 * M_PI); }

Timeline& Timeline::Key(double frame, const Pose& pose) {
    keys_.emplace_back(frame, pose);
    return *this;
}
Pose Timeline::At(double frame) const {
    if (keys_.empty()) return Stand();
    if (frame <= keys_.front().first) return keys_.front().second;
    for (size_t i = 1; i < keys_.size(); ++i)
        if (frame <= keys_[i].first) {
            const double span = keys_[i].first - keys_[i - 1].first;
            const double t = span > 0 ? (frame - keys_[i - 1].first) / span : 1.0;
            return Lerp(keys_[i - 1].second, keys_[i].second, Smooth(t));
        }
    return keys_.back().second;
}

// ---- The body ----
void DrawPuppet(cairo_t* cr, const Look& L, const Pose& P, double ax, double ay, const std::vector<Prop>& props) {
    const View view(P.view);
    // Joints in body space, hips at the origin before grounding.
    const double lean = (P.lean) * Deg;
    const V3 up{std::sin(lean), -std::cos(lean), 0};
    V3 hip{P.shiftX, 0, 0};
    V3 neck = hip + up * L.torso;
    V3 sh[2], el[2], hand[2], hj[2], knee[2], ankle[2], heel[2], toe[2];
    const double shoulder[2] = {P.farShoulder, P.nearShoulder}, elbow[2] = {P.farElbow, P.nearElbow};
    const double spread[2] = {P.farSpread, P.nearSpread};
    const double hipA[2] = {P.farHip, P.nearHip}, kneeA[2] = {P.farKnee, P.nearKnee}, footA[2] = {P.farFoot, P.nearFoot};
    for (int i = 0; i < 2; ++i) {
        const double side = i ? 1.0 : -1.0;
        sh[i] = hip + up * (L.torso - 1.8) + V3{0, 0, side * L.shoulderHalf};
        el[i] = sh[i] + LimbDir(shoulder[i], spread[i], side) * L.upperArm;
        hand[i] = el[i] + LimbDir(shoulder[i] + elbow[i], spread[i], side) * L.forearm;
        hj[i] = hip + V3{0, 0.6, side * L.hipHalf};
        knee[i] = hj[i] + LimbDir(hipA[i], 0, side) * L.thigh;
        ankle[i] = knee[i] + LimbDir(hipA[i] - kneeA[i], 0, side) * L.shin;
        const double f = footA[i] * Deg;
        auto footPoint = [&](double px, double py) {
            return ankle[i] + V3{px * std::cos(f) + py * std::sin(f), -px * std::sin(f) + py * std::cos(f), 0};
        };
        heel[i] = footPoint(-1.6, 1.5);
        toe[i] = footPoint(L.foot, 1.5);
    }
    const double headA = (P.lean + P.headTilt) * Deg;
    const V3 headUp{std::sin(headA), -std::cos(headA), 0};
    V3 head = neck + headUp * (L.neck + L.headR * 0.92);
    // Roll of the whole figure around the hips.
    const double ro = P.roll * Deg;
    auto roll = [&](V3& p) {
        const double x = p.x * std::cos(ro) - p.y * std::sin(ro), y = p.x * std::sin(ro) + p.y * std::cos(ro);
        p.x = x, p.y = y;
    };
    std::vector<V3*> all = {&hip, &neck, &head};
    for (int i = 0; i < 2; ++i)
        for (V3* p : {&sh[i], &el[i], &hand[i], &hj[i], &knee[i], &ankle[i], &heel[i], &toe[i]}) all.push_back(p);
    for (V3* p : all) roll(*p);
    // Grounding: the lowest body point rests on the ground, unless lifted.
    double low = -1e9;
    for (int i = 0; i < 2; ++i) {
        low = std::max({low, heel[i].y + 0.4, toe[i].y + 0.4, knee[i].y + L.legR, hand[i].y + 1.2, el[i].y + L.armR});
    }
    low = std::max({low, head.y + L.headR, hip.y + L.waistDepth, neck.y + L.chestDepth});
    const V3 drop{0, -low - P.lift, 0};
    for (V3* p : all) *p = *p + drop;

    cairo_save(cr);
    cairo_translate(cr, ax, ay);
    cairo_scale(cr, L.scale, L.scale);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const double ol = 0.75 / L.scale;
    auto S = [&](V3 p) { return view.Screen(p); };
    auto far = [&](const Rgba& c, V3 p) { return view.Depth(p - hip) < -0.5 ? Darken(c, 0.16) : c; };
    std::vector<Item> items;

    // Arms: behind the body when the shoulder is on the far side.
    for (int i = 0; i < 2; ++i) {
        const double d = view.Depth(sh[i] - hip);
        const double layer = d < 0 ? 0 : 400;
        items.push_back({layer + d, [&, i] {
            const Rgba skin = far(L.skin, sh[i]), cloth = far(L.tunic, sh[i]);
            Limb(cr, S(sh[i]), S(el[i]), L.armR, L.armR * 0.85, L.longSleeves ? cloth : skin, ol);
            Limb(cr, S(el[i]), S(hand[i]), L.armR * 0.85, L.armR * 0.7, L.longSleeves ? cloth : skin, ol);
            if (L.sleeves && !L.longSleeves) {
                const V3 m = sh[i] + (el[i] - sh[i]) * 0.55;
                Limb(cr, S(sh[i]), S(m), L.armR * 1.25, L.armR * 1.15, cloth, ol);
            }
            if (L.bracelets) {
                const V3 w = el[i] + (hand[i] - el[i]) * 0.8;
                Disc(cr, S(w), L.armR * 0.8, Hex(0xF2C14E), ol * 0.6);
            }
            const V3 hp = hand[i] + (hand[i] - el[i]) * (0.9 / L.forearm);
            Disc(cr, S(hp), L.armR * 0.95, skin, ol);
        }});
    }
    // Legs (the skirt covers their tops).
    for (int i = 0; i < 2; ++i) {
        const double d = view.Depth(hj[i] - hip);
        items.push_back({100 + d, [&, i] {
            const Rgba skin = far(L.skin, hj[i]);
            Limb(cr, S(hj[i]), S(knee[i]), L.legR, L.legR * 0.82, skin, ol);
            Limb(cr, S(knee[i]), S(ankle[i]), L.legR * 0.82, L.legR * 0.58, skin, ol);
            Limb(cr, S(heel[i] + V3{0, -0.7, 0}), S(toe[i] + V3{0, -0.7, 0}), 1.05, 0.85, skin, ol);
            // Sandal: sole and strap.
            cairo_move_to(cr, S(heel[i]).x, S(heel[i]).y);
            cairo_line_to(cr, S(toe[i]).x, S(toe[i]).y);
            SetSource(cr, far(L.sandal, hj[i]));
            cairo_set_line_width(cr, 0.9);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_stroke(cr);
            const V3 strap = ankle[i] + (toe[i] - ankle[i]) * 0.45;
            cairo_move_to(cr, S(ankle[i]).x, S(ankle[i]).y);
            cairo_line_to(cr, S(strap).x, S(strap).y);
            cairo_set_line_width(cr, 0.7);
            cairo_stroke(cr);
        }});
    }
    // Torso with belt, apron and skirt.
    items.push_back({200, [&] {
        const P2 h = S(hip), n = S(neck);
        double ax2 = n.x - h.x, ay2 = n.y - h.y;
        const double len = std::max(1e-3, std::hypot(ax2, ay2));
        ax2 /= len, ay2 /= len;                    // along the torso, upwards
        const double px = -ay2, py = ax2;          // across (to the right of the figure's up)
        auto width = [&](double depth, double lat) { return std::hypot(depth * view.c, lat * view.s); };
        const double front = view.c;               // +1 when the front is towards +x on screen
        const double wH = width(L.waistDepth, L.waistWidth), wC = width(L.chestDepth, L.chestWidth);
        const double belly = L.belly * std::fabs(front);
        const double fs = front >= 0 ? 1 : -1;
        auto at = [&](double t, double across) { return P2{h.x + ax2 * len * t + px * across, h.y + ay2 * len * t + py * across}; };
        // Right and left edges on screen (px points right when the torso is upright).
        auto edge = [&](double t, double w, double side) {
            const double bulge = (side == fs) ? belly * std::sin(std::clamp(t, 0.0, 1.0) * M_PI) : 0;
            return at(t, side * (w + bulge));
        };
        // Skirt first (behind the belt, over the thighs).
        {
            double minP = 1e9, maxP = -1e9, hemA = 0;
            int n2 = 0;
            for (int i = 0; i < 2; ++i) {
                const double segA = std::min(L.skirt, L.thigh);
                V3 q = hj[i] + (knee[i] - hj[i]) * (segA / L.thigh);
                if (L.skirt > L.thigh) q = knee[i] + (ankle[i] - knee[i]) * std::min(1.0, (L.skirt - L.thigh) / L.shin);
                const P2 s = S(q);
                const double along = (s.x - h.x) * ax2 + (s.y - h.y) * ay2, acr = (s.x - h.x) * px + (s.y - h.y) * py;
                minP = std::min(minP, acr), maxP = std::max(maxP, acr);
                hemA += along, ++n2;
            }
            hemA /= n2;
            hemA = std::min(hemA, -L.skirt * 0.55);
            const double fl = L.flare + L.legR;
            minP = std::min(minP - fl, -wH - 0.5), maxP = std::max(maxP + fl, wH + 0.5);
            const P2 w0 = at(0.18, -wH), w1 = at(0.18, wH);
            const P2 r1 = at(hemA / len, maxP), r0 = at(hemA / len, minP);
            const P2 mid = at(hemA / len - 0.04, (minP + maxP) / 2);
            cairo_move_to(cr, w0.x, w0.y);
            cairo_line_to(cr, w1.x, w1.y);
            cairo_curve_to(cr, at(0.0, wH + 1).x, at(0.0, wH + 1).y, r1.x, r1.y - 1, r1.x, r1.y);
            cairo_curve_to(cr, mid.x, mid.y + 0.8, mid.x, mid.y + 0.8, r0.x, r0.y);
            cairo_curve_to(cr, r0.x, r0.y - 1, at(0.0, -wH - 1).x, at(0.0, -wH - 1).y, w0.x, w0.y);
            cairo_close_path(cr);
            Shade(cr, L.tunic, 0.22, ol);
            // Hem trim.
            cairo_move_to(cr, r1.x, r1.y);
            cairo_curve_to(cr, mid.x, mid.y + 0.8, mid.x, mid.y + 0.8, r0.x, r0.y);
            SetSource(cr, L.trim);
            cairo_set_line_width(cr, 1.3);
            cairo_stroke(cr);
            if (L.apron.a > 0) {
                // Apron hanging from the belt at the front.
                const double side = fs * std::max(0.0, std::fabs(front)) ;
                const double c0 = side * wH * 0.2 * std::fabs(front);
                const double aw = std::max(1.6, wH * (0.5 + 0.6 * std::fabs(view.s)));
                const P2 a0 = at(0.12, c0 - aw + fs * wH * 0.6 * std::fabs(front)), a1 = at(0.12, c0 + aw + fs * wH * 0.6 * std::fabs(front));
                const P2 b1 = at(hemA / len * 0.85, c0 + aw + fs * (wH * 0.8 + 1.0) * std::fabs(front));
                const P2 b0 = at(hemA / len * 0.85, c0 - aw + fs * (wH * 0.8 + 1.0) * std::fabs(front));
                cairo_move_to(cr, a0.x, a0.y);
                cairo_line_to(cr, a1.x, a1.y);
                cairo_line_to(cr, b1.x, b1.y);
                cairo_line_to(cr, b0.x, b0.y);
                cairo_close_path(cr);
                Shade(cr, L.apron, 0.2, ol);
            }
        }
        // Upper body.
        const P2 top = at(1.0 + 1.2 / len, 0);
        cairo_move_to(cr, edge(0.05, wH, -1).x, edge(0.05, wH, -1).y);
        const P2 lc = edge(0.75, wC, -1), rc = edge(0.75, wC, 1);
        cairo_curve_to(cr, edge(0.4, wH, -1).x, edge(0.4, wH, -1).y, lc.x, lc.y, edge(0.9, wC, -1).x, edge(0.9, wC, -1).y);
        cairo_curve_to(cr, at(1.05, -wC).x, at(1.05, -wC).y, top.x - px * wC * 0.5, top.y - py * wC * 0.5, top.x, top.y);
        cairo_curve_to(cr, top.x + px * wC * 0.5, top.y + py * wC * 0.5, at(1.05, wC).x, at(1.05, wC).y,
                       edge(0.9, wC, 1).x, edge(0.9, wC, 1).y);
        cairo_curve_to(cr, rc.x, rc.y, edge(0.4, wH, 1).x, edge(0.4, wH, 1).y, edge(0.05, wH, 1).x, edge(0.05, wH, 1).y);
        cairo_close_path(cr);
        Shade(cr, L.shirt ? L.tunic : L.skin, 0.24, ol);
        if (!L.shirt) {
            // A one-shoulder tunic strap across the bare chest.
            const P2 s0 = at(1.0, -fs * wC * 0.6), s1 = at(0.2, fs * wH);
            cairo_move_to(cr, s0.x, s0.y);
            cairo_line_to(cr, s1.x, s1.y);
            SetSource(cr, L.tunic);
            cairo_set_line_width(cr, 2.6);
            cairo_stroke(cr);
        }
        // Neckline.
        const P2 nl = at(0.97, fs * std::fabs(front) * wC * 0.35);
        EllipsePath(cr, nl.x, nl.y, 1.5 + 0.8 * std::fabs(view.s), 1.3);
        SetSource(cr, L.skin);
        cairo_fill(cr);
        // Belt.
        const P2 b0 = at(0.16, -wH - 0.4), b1 = at(0.16, wH + 0.4);
        cairo_move_to(cr, b0.x, b0.y);
        cairo_line_to(cr, b1.x, b1.y);
        SetSource(cr, L.belt);
        cairo_set_line_width(cr, 1.7);
        cairo_stroke(cr);
        cairo_move_to(cr, b0.x, b0.y - 0.5);
        cairo_line_to(cr, b1.x, b1.y - 0.5);
        SetSource(cr, WithAlpha(Lighten(L.belt, 0.4), 0.6));
        cairo_set_line_width(cr, 0.4);
        cairo_stroke(cr);
    }});
    // Neck and head.
    HeadFrame hf{S(head), L.headR, 0, 0, 0, 0, View(P.view + P.headTurn)};
    {
        // Forward is the head's up turned a quarter clockwise; down is minus up; both turn with the roll.
        const double fx = -headUp.y, fy = headUp.x, dx = -headUp.x, dy = -headUp.y;
        hf.fx = fx * std::cos(ro) - fy * std::sin(ro), hf.fy = fx * std::sin(ro) + fy * std::cos(ro);
        hf.dx = dx * std::cos(ro) - dy * std::sin(ro), hf.dy = dx * std::sin(ro) + dy * std::cos(ro);
    }
    // Seen from the front the tail hangs behind the back.
    const bool flapBehind = hf.view.s > 0.45;
    if (flapBehind) items.push_back({190, [&] { DrawBackFlap(cr, L, hf, ol); }});
    items.push_back({300, [&] {
        Limb(cr, S(neck + up * -0.5), S(neck + headUp * (L.neck + 1.2)), 1.7, 1.5, Darken(L.skin, 0.08), ol);
        DrawHead(cr, L, P, hf, ol, flapBehind);
    }});
    // Props.
    for (const Prop& pr : props) {
        V3 at{};
        double layer = 300, baseAngle = 0;
        switch (pr.at) {
        case Attach::World: at = V3{0, 0, 0}; layer = 250; break;
        case Attach::NearHand: at = hand[1]; layer = view.Depth(sh[1] - hip) < 0 ? 0 : 400; break;
        case Attach::FarHand: at = hand[0]; layer = view.Depth(sh[0] - hip) < 0 ? 0 : 400; break;
        case Attach::Hands: at = (hand[0] + hand[1]) * 0.5; layer = 250; break;
        case Attach::Head: at = head; layer = 350; break;
        case Attach::Chest: at = neck + (hip - neck) * 0.3; layer = 250; break;
        case Attach::Back: at = neck + (hip - neck) * 0.15; layer = 150; break;
        }
        if (pr.followForearm) {
            const int i = pr.at == Attach::FarHand ? 0 : 1;
            const P2 e = S(el[i]), h = S(hand[i]);
            baseAngle = std::atan2(h.y - e.y, h.x - e.x) * 180 / M_PI - 90;
            if (view.c < 0) baseAngle = -baseAngle;
        }
        const double d = pr.at == Attach::World ? 0 : view.Depth(at - hip);
        items.push_back({layer + d + pr.depth, [&, at, baseAngle] {
            const P2 s = S(at);
            const double fsg = view.c >= 0 ? 1.0 : -1.0;
            cairo_save(cr);
            cairo_translate(cr, s.x + pr.dx * fsg, s.y + pr.dy);
            cairo_scale(cr, fsg, 1);
            cairo_rotate(cr, (pr.angle + baseAngle) * Deg);
            pr.draw(cr);
            cairo_restore(cr);
        }});
    }
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.key < b.key; });
    for (const Item& it : items) it.draw();
    cairo_restore(cr);
}

// ---- Ready poses ----
Pose Stand() { return Pose{}; }

Pose Walk(double p, double stride) {
    Pose q;
    const double s = Wave(p);          // + near leg forward
    const double c = Wave(p + 0.25);
    q.lean = 4;
    q.nearHip = 24 * stride * s;
    q.farHip = -24 * stride * s;
    // The leg swinging forward bends its knee; the standing leg stays nearly straight.
    q.nearKnee = 6 + 30 * stride * std::max(0.0, c);
    q.farKnee = 6 + 30 * stride * std::max(0.0, -c);
    q.nearFoot = 10 * stride * s - 8 * std::max(0.0, -c) * (s < 0);
    q.farFoot = -10 * stride * s - 8 * std::max(0.0, c) * (s > 0);
    q.nearShoulder = -20 * stride * s;
    q.farShoulder = 20 * stride * s;
    q.nearElbow = 18 + 10 * std::max(0.0, -s);
    q.farElbow = 18 + 10 * std::max(0.0, s);
    q.headTilt = 1.5 * Wave(2 * p);
    return q;
}

Pose Run(double p, double stride) {
    Pose q;
    const double s = Wave(p), c = Wave(p + 0.25);
    q.lean = 14;
    q.nearHip = 38 * stride * s + 10;
    q.farHip = -38 * stride * s + 10;
    q.nearKnee = 20 + 55 * std::max(0.0, c);
    q.farKnee = 20 + 55 * std::max(0.0, -c);
    q.nearFoot = 10 * s;
    q.farFoot = -10 * s;
    q.nearShoulder = -45 * s + 5;
    q.farShoulder = 45 * s + 5;
    q.nearElbow = 75;
    q.farElbow = 75;
    q.lift = 1.5 * std::fabs(Wave(2 * p + 0.2));
    return q;
}

std::vector<Pose> WalkFrames(int start, int cycle, int end, const std::function<Pose(double)>& cyclePose, const Pose& rest) {
    std::vector<Pose> out;
    const Pose first = cyclePose(0.0);
    for (int i = 0; i < start; ++i) out.push_back(Lerp(rest, first, Smooth(static_cast<double>(i) / start)));
    for (int i = 0; i < cycle; ++i) out.push_back(cyclePose(static_cast<double>(i) / cycle));
    for (int i = 0; i < end; ++i) out.push_back(Lerp(first, rest, Smooth(static_cast<double>(i + 1) / end)));
    return out;
}

// ---- Painting helpers ----
void Shade(cairo_t* cr, const Rgba& col, double light, double outline) {
    double x0, y0, x1, y1;
    cairo_fill_extents(cr, &x0, &y0, &x1, &y1);
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const double R = 0.5 * (std::fabs(LightX) * (x1 - x0) + std::fabs(LightY) * (y1 - y0)) + 0.5;
    cairo_pattern_t* p = LinearGradient(cx + LightX * R, cy + LightY * R, cx - LightX * R, cy - LightY * R,
                                        {{0.0, Lighten(col, light)}, {0.5, col}, {1.0, Darken(col, light * 1.2)}});
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    if (outline > 0) {
        SetSource(cr, WithAlpha(Darken(col, 0.62), 0.85 * col.a));
        cairo_set_line_width(cr, outline);
        cairo_stroke(cr);
    } else {
        cairo_new_path(cr);
    }
}

void BrickSize(int variant, double& w, double& h) {
    switch (variant) {
    case 1: w = 11, h = 6; break;    // sun-dried mud brick
    case 2: w = 10, h = 7; break;    // sandstone block
    case 3: w = 9, h = 8; break;     // granite block
    default: w = 13, h = 10; break;  // the heavy stone
    }
}

void DrawBrick(cairo_t* cr, int variant, double w, double h, double angle, uint32_t seed) {
    static const uint32_t base[5] = {0, 0xB0603A, 0xE0B872, 0x9A9A94, 0xA08466};
    const Rgba col = Hex(base[std::clamp(variant, 1, 4)]);
    ArtRandom rnd(seed);
    cairo_save(cr);
    cairo_rotate(cr, angle);
    // Body: a slightly irregular rounded block.
    const double r = variant == 4 ? h * 0.3 : h * 0.18;
    if (variant == 4) {
        // Rough boulder-like heavy stone.
        const int n = 9;
        for (int i = 0; i <= n; ++i) {
            const double a = i * 2 * M_PI / n;
            const double k = 1.0 - rnd.Real(0, 0.12);
            const double x = std::cos(a) * w / 2 * k, y = std::sin(a) * h / 2 * k;
            if (i == 0) cairo_move_to(cr, x, y); else cairo_line_to(cr, x, y);
        }
        cairo_close_path(cr);
    } else {
        RoundRectPath(cr, -w / 2, -h / 2, w, h, r);
    }
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_restore(cr);
    // Shade in picture space: undo the rotation for the gradient.
    {
        cairo_save(cr);
        cairo_rotate(cr, -angle);
        double x0, y0, x1, y1;
        cairo_fill_extents(cr, &x0, &y0, &x1, &y1);
        const double R = 0.5 * std::max(x1 - x0, y1 - y0);
        cairo_pattern_t* p = LinearGradient(-R * 0.6, -R * 0.8, R * 0.6, R * 0.8,
                                            {{0.0, Lighten(col, 0.35)}, {0.5, col}, {1.0, Darken(col, 0.4)}});
        cairo_set_source(cr, p);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(p);
        cairo_restore(cr);
    }
    SetSource(cr, Darken(col, 0.65));
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    // Surface marks: straw in mud brick, strata in sandstone, speckles in granite.
    if (variant == 1) {
        for (int i = 0; i < 3; ++i) {
            const double x = rnd.Real(-w * 0.35, w * 0.25), y = rnd.Real(-h * 0.3, h * 0.3);
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, x + rnd.Real(1.5, 2.5), y + rnd.Real(-0.6, 0.6));
        }
        SetSource(cr, Hex(0xE8C880, 0.7));
        cairo_set_line_width(cr, 0.45);
        cairo_stroke(cr);
    } else if (variant == 2) {
        cairo_move_to(cr, -w * 0.42, -h * 0.05);
        cairo_line_to(cr, w * 0.42, h * 0.02);
        cairo_move_to(cr, -w * 0.4, h * 0.25);
        cairo_line_to(cr, w * 0.3, h * 0.28);
        SetSource(cr, Hex(0x9A6A30, 0.5));
        cairo_set_line_width(cr, 0.45);
        cairo_stroke(cr);
    } else if (variant == 3) {
        for (int i = 0; i < 6; ++i) {
            cairo_arc(cr, rnd.Real(-w * 0.35, w * 0.35), rnd.Real(-h * 0.35, h * 0.35), 0.35, 0, 2 * M_PI);
            SetSource(cr, i % 2 ? Hex(0x303030, 0.6) : Hex(0xF0F0F0, 0.6));
            cairo_fill(cr);
        }
    } else {
        cairo_move_to(cr, -w * 0.2, -h * 0.4);
        cairo_line_to(cr, -w * 0.05, -h * 0.05);
        cairo_line_to(cr, w * 0.15, h * 0.1);
        SetSource(cr, Hex(0x4A3828, 0.55));
        cairo_set_line_width(cr, 0.5);
        cairo_stroke(cr);
    }
    // Top-left highlight edge (in picture space).
    cairo_restore(cr);
}

void DrawBread(cairo_t* cr, double r, double bitten) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
    if (bitten > 0.01) {
        // Bites out of the front edge.
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, r * 1.05, -r * 0.1, r * (0.2 + 0.9 * bitten), 0, -2 * M_PI);
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    Shade(cr, Hex(0xD89A4A), 0.35, 0.5);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_arc(cr, -r * 0.3, -r * 0.3, r * 0.3, 0, 2 * M_PI);
    SetSource(cr, Hex(0xFFE0A0, 0.5));
    cairo_fill(cr);
}

Sequence Render(int frames, int w, int h, const std::function<void(Canvas&, int)>& fn) {
    Sequence seq;
    for (int f = 0; f < frames; ++f) {
        Canvas c(w, h);
        fn(c, f);
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

Sequence RenderFigure(const Look& look, int w, int h, double ax, double ay, const std::vector<Pose>& poses,
                      const std::function<std::vector<Prop>(int)>& props) {
    return Render(static_cast<int>(poses.size()), w, h, [&](Canvas& c, int f) {
        DrawPuppet(c.Cr(), look, poses[f], ax, ay, props ? props(f) : std::vector<Prop>{});
    });
}

void AddFigure(ModuleRegistrar& reg, const std::string& path, std::function<Sequence(ArtContext&)> draw, double cost) {
    const bool gif = path.size() > 4 && path.compare(path.size() - 4, 4, ".gif") == 0;
    if (!gif) {
        reg.Add(path, std::move(draw), {}, cost);
        return;
    }
    const int expected = FrameCountFromName(path.substr(path.rfind('/') + 1));
    reg.Add(path, [draw = std::move(draw), path, expected](ArtContext& ctx) {
        Sequence seq = draw(ctx);
        if (static_cast<int>(seq.Frames.size()) != expected)
            throw std::runtime_error(path + ": name says " + std::to_string(expected) + " frames, drawn " +
                                     std::to_string(seq.Frames.size()));
        const int w = seq.Frames[0].Width(), h = seq.Frames[0].Height();
        Canvas strip(w * expected, h);
        for (int i = 0; i < expected; ++i) {
            if (seq.Frames[i].Width() != w || seq.Frames[i].Height() != h)
                throw std::runtime_error(path + ": frames differ in size");
            strip.Paint(seq.Frames[i], static_cast<double>(i) * w, 0);
        }
        return Sequence(std::move(strip));
    }, WriteOptions{.GifMultiImage = true}, cost);
}

Look WorkerLook() {
    Look l;
    l.skin = Hex(0xB06A3C);
    l.tunic = Hex(0xEFE3C8);
    l.trim = Hex(0x2E7C9C);
    l.belt = Hex(0xB5452A);
    l.hat = Hex(0xE9DDBE);
    l.hatTrim = Hex(0x2E7C9C);
    l.hat_ = Hat::Headcloth;
    l.shirt = false;
    return l;
}

Pose CollapsedPose() {
    Pose p;
    p.view = 180;
    p.roll = 86;
    p.lean = 0;
    p.nearShoulder = 165, p.nearElbow = 20, p.farShoulder = 150, p.farElbow = 30;
    p.nearHip = -4, p.farHip = 4, p.nearKnee = 8, p.farKnee = 20;
    p.nearFoot = -30, p.farFoot = -25;
    p.headTilt = -25;
    p.blink = 1, p.smile = -0.4;
    return p;
}

Canvas ShadowPicture(int w, int h, double strength) {
    Canvas c(w, h);
    cairo_t* cr = c.Cr();
    EllipsePath(cr, w / 2.0, h / 2.0, w / 2.0 - 0.5, h / 2.0 - 0.5);
    cairo_save(cr);
    cairo_translate(cr, w / 2.0, h / 2.0);
    cairo_scale(cr, 1.0, static_cast<double>(h) / w);
    cairo_pattern_t* p = RadialGradient(0, 0, 0, w / 2.0, {{0.0, Hex(0x1A0E06, strength)}, {0.6, Hex(0x1A0E06, strength * 0.75)},
                                                          {1.0, Hex(0x1A0E06, 0.0)}});
    cairo_restore(cr);
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, 1.0, static_cast<double>(w) / h);
    cairo_matrix_translate(&m, -w / 2.0, -h / 2.0);
    cairo_pattern_set_matrix(p, &m);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    return c;
}

}  // namespace vantero::art::puppet
