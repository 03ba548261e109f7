// The campaign map: the painted old world map with the seven monuments, its pins, paths and
// arrow, the trophy shelf and trophies, the timeline, the legend photos and the information scroll.
#include "ArtJobs.h"
#include "ArtScene.h"
#include "ArtText.h"
#include "UiKitA.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace vantero::art {
namespace {

using uia::MonumentLook;
using uia::Pi;

std::string Two(int i) { return (i < 10 ? "0" : "") + std::to_string(i); }

// Where things sit on the 800 x 600 map sheet.
constexpr std::array<std::pair<int, int>, 7> PinPos = {{{170, 377}, {309, 311}, {146, 205}, {53, 195}, {152, 226}, {158, 249}, {69, 339}}};
constexpr std::array<std::pair<int, int>, 7> MonPos = {{{219, 379}, {400, 313}, {146, 206}, {86, 213}, {152, 227}, {158, 250}, {192, 341}}};
const std::vector<std::vector<std::pair<int, int>>> PathPoints = {
    {{3, 91}, {16, 74}, {28, 59}, {41, 46}, {54, 34}, {68, 23}, {83, 14}, {98, 7}, {114, 3}, {132, 2}, {148, 4}, {161, 9}, {172, 15}, {184, 26}},
    {{255, 138}, {246, 110}, {240, 95}, {230, 77}, {218, 62}, {207, 52}, {194, 41}, {180, 32}, {160, 22}, {144, 14}, {128, 9}, {111, 5}, {91, 2}, {70, 2}, {53, 3}, {35, 8}, {8, 19}, {5, 20}},
    {{64, 2}, {63, 2}, {49, 7}, {37, 10}, {14, 11}, {10, 10}},
    {{3, 2}, {11, 10}, {24, 18}, {35, 21}, {49, 21}, {62, 19}, {69, 16}},
    {{7, 2}, {5, 8}, {7, 16}, {8, 18}, {10, 24}},
    {{3, 2}, {5, 20}, {7, 36}, {11, 50}, {20, 63}, {27, 75}, {30, 80}, {37, 90}}};
constexpr std::array<uint32_t, 7> MonumentColour = {0xE0B050, 0x3A8FC0, 0xC0603A, 0x8A5AB0, 0x4E9A48, 0x3A5AB8, 0xD8D8D0};

// ---- The map sheet ----
struct Blob { double x, y, r; };

double LandField(const ValueNoise& n, double x, double y) {
    static const Blob blobs[] = {{150, 262, 100}, {205, 378, 62}, {175, 330, 60}, {318, 302, 52}, {372, 318, 34},
                                 {62, 330, 44}, {88, 196, 62}, {150, 205, 50}, {255, 230, 40}, {60, 262, 40},
                                 {392, 452, 20}, {332, 210, 16}, {285, 430, 22},
                                 {452, 190, 42}, {10, 505, 46}, {452, 540, 34}};
    double f = 0;
    for (const Blob& b : blobs) {
        const double dx = x - b.x, dy = y - b.y;
        f += std::exp(-(dx * dx + dy * dy) / (b.r * b.r));
    }
    return f + (n.Fbm(x / 70.0, y / 70.0, 4) - 0.5) * 0.9;
}

void DrawCompass(cairo_t* cr, double cx, double cy, double r) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_set_line_width(cr, 1.0);
    SetSource(cr, Hex(0x4A2A12, 0.8));
    cairo_arc(cr, 0, 0, r * 0.78, 0, 2 * Pi);
    cairo_stroke(cr);
    cairo_arc(cr, 0, 0, r * 0.7, 0, 2 * Pi);
    cairo_stroke(cr);
    for (int i = 0; i < 8; ++i) {
        const double a = i * Pi / 4 - Pi / 2, len = i % 2 ? r * 0.62 : r;
        for (int side = 0; side < 2; ++side) {
            cairo_move_to(cr, 0, 0);
            cairo_line_to(cr, len * std::cos(a), len * std::sin(a));
            const double b = a + (side ? 0.35 : -0.35);
            cairo_line_to(cr, r * 0.2 * std::cos(b), r * 0.2 * std::sin(b));
            cairo_close_path(cr);
            if (side) SetSource(cr, i == 0 ? Hex(0xA0301C) : Hex(0x4A2A12, 0.85));
            else SetSource(cr, Hex(0xF6E6C0, 0.9));
            cairo_fill_preserve(cr);
            SetSource(cr, Hex(0x4A2A12, 0.9));
            cairo_stroke(cr);
        }
    }
    cairo_arc(cr, 0, 0, r * 0.08, 0, 2 * Pi);
    SetSource(cr, palette::Gold);
    cairo_fill(cr);
    cairo_restore(cr);
}

void DrawShip(cairo_t* cr, double x, double y, double s) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, s, s);
    cairo_set_line_width(cr, 1.0 / s * 1.0);
    cairo_move_to(cr, -16, 0);
    cairo_curve_to(cr, -10, 7, 10, 7, 17, -1);
    cairo_line_to(cr, -16, 0);
    SetSource(cr, Hex(0x6A3C1C, 0.85));
    cairo_fill(cr);
    cairo_move_to(cr, 0, 1); cairo_line_to(cr, 0, -22);
    SetSource(cr, Hex(0x4A2A12));
    cairo_stroke(cr);
    cairo_move_to(cr, 1, -21); cairo_curve_to(cr, 12, -16, 12, -6, 1, -3); cairo_close_path(cr);
    cairo_move_to(cr, -1, -19); cairo_curve_to(cr, -10, -15, -10, -7, -1, -4); cairo_close_path(cr);
    SetSource(cr, Hex(0xF8EED6, 0.95));
    cairo_fill_preserve(cr);
    SetSource(cr, Hex(0x4A2A12, 0.8));
    cairo_stroke(cr);
    cairo_restore(cr);
}

// The 800 x 600 map sheet: old parchment, sea with ripple lines, land with hills, the monuments.
Canvas MapSheet(ArtContext& ctx) {
    const int W = 800, H = 600;
    Canvas c = ParchmentTexture(W, H, ctx.SubSeed("sheet"), 0.55);
    cairo_t* cr = c.Cr();
    // Map field (x 12..452, y 12..528).
    const int mx0 = 12, my0 = 12, mx1 = 452, my1 = 528;
    ValueNoise coast(ctx.SubSeed("coast")), tint(ctx.SubSeed("tint"));
    uint32_t* px = c.Pixels();
    const int s = c.StridePixels();
    for (int y = my0; y < my1; ++y)
        for (int x = mx0; x < mx1; ++x) {
            const double f = LandField(coast, x, y);
            uint32_t& p = px[y * s + x];
            double r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
            if (f < 0.5) {  // sea: teal wash deepening away from the shore, ripple lines near it
                const double depth = std::clamp((0.5 - f) * 2.2, 0.0, 1.0);
                const double k = 0.32 + 0.25 * depth;
                r = r * (1 - k) + 0x6E * k; g = g * (1 - k) + 0xA0 * k; b = b * (1 - k) + 0x9A * k;
                const double ripple = std::fmod((0.5 - f) * 18.0, 1.0);
                if (f > 0.18 && ripple < 0.09) { r *= 0.82; g *= 0.86; b *= 0.86; }
            } else {  // land: warm ochre with green lowlands
                const double t = tint.Fbm(x / 50.0, y / 50.0, 3);
                const double k = 0.18;
                const Rgba land = Mix(Hex(0xD8B878), Hex(0xA8B070), std::clamp((t - 0.35) * 2.0, 0.0, 1.0));
                r = r * (1 - k) + land.r * 255 * k; g = g * (1 - k) + land.g * 255 * k; b = b * (1 - k) + land.b * 255 * k;
            }
            if (std::abs(f - 0.5) < 0.028) { r *= 0.42; g *= 0.34; b *= 0.28; }        // coast line
            else if (f > 0.5 && f < 0.56) { r *= 0.93; g *= 0.9; b *= 0.86; }           // shore shade
            p = 0xFF000000u | (uint32_t(std::clamp(r, 0.0, 255.0)) << 16) | (uint32_t(std::clamp(g, 0.0, 255.0)) << 8) |
                uint32_t(std::clamp(b, 0.0, 255.0));
        }
    c.MarkDirty();
    // Hills and small woods on the land, away from the pins and labels.
    ArtRandom& rnd = ctx.Random();
    auto clearOfPlaces = [&](double x, double y) {
        for (int i = 0; i < 7; ++i) {
            if (std::hypot(x - PinPos[i].first - 7, y - PinPos[i].second - 7) < 24) return false;
            if (std::hypot(x - MonPos[i].first - 7, y - MonPos[i].second - 7) < 26) return false;
        }
        return y > 175;
    };
    cairo_set_line_width(cr, 1.0);
    for (int i = 0; i < 260; ++i) {
        const double x = rnd.Real(mx0 + 10, mx1 - 10), y = rnd.Real(my0 + 10, my1 - 10);
        if (LandField(coast, x, y) < 0.62 || !clearOfPlaces(x, y)) continue;
        const bool hill = tint.Fbm(x / 50.0, y / 50.0, 3) < 0.5;
        if (hill) {
            const double hw = rnd.Real(5, 9), hh = hw * rnd.Real(0.8, 1.2);
            cairo_move_to(cr, x - hw, y); cairo_line_to(cr, x, y - hh); cairo_line_to(cr, x + hw, y);
            SetSource(cr, Hex(0x8A6A44, 0.35));
            cairo_line_to(cr, x, y - hh); cairo_close_path(cr);
            cairo_move_to(cr, x, y - hh); cairo_line_to(cr, x + hw, y); cairo_line_to(cr, x + hw * 0.2, y); cairo_close_path(cr);
            cairo_fill(cr);
            cairo_move_to(cr, x - hw, y); cairo_line_to(cr, x, y - hh); cairo_line_to(cr, x + hw, y);
            SetSource(cr, Hex(0x4A2A12, 0.75));
            cairo_stroke(cr);
        } else {
            for (int t = 0; t < 3; ++t) {
                const double tx = x + t * 4 - 4, ty = y + (t % 2) * 2;
                cairo_arc(cr, tx, ty - 4, 3, 0, 2 * Pi);
                SetSource(cr, Hex(0x5E7A36, 0.7));
                cairo_fill_preserve(cr);
                SetSource(cr, Hex(0x2E3A16, 0.7));
                cairo_stroke(cr);
            }
        }
    }
    // Monument vignettes where the map has room for them.
    for (int m : {1, 2, 4, 7}) {
        const double cx = MonPos[m - 1].first + 7, cy = MonPos[m - 1].second + 7;
        const double sz = m == 4 ? 22 : 30;
        Canvas v(64, 64);
        uia::DrawMonument(v, m, 32 - sz / 2, 32 - sz * 0.8, sz, sz * 0.8, MonumentLook::Colour);
        DropShadow(c, v, cx - 32, cy - 32 - 4, 3, 2, 2, Hex(0x2A1404, 0.45));
        c.Paint(v, cx - 32, cy - 32 - 4);
    }
    DrawShip(cr, 330, 470, 1.2);
    DrawShip(cr, 240, 500, 0.9);
    DrawCompass(cr, 395, 485, 34);
    // The trophy shelf: a dark wooden board across the top of the map.
    {
        const int sx = 28, sy = 84, sw = 422, sh = 78;
        Canvas board = uia::StoneSlab(sw, sh, ctx.SubSeed("shelf"), Hex(0x7A4E2A), 8, true);
        NoiseShade(board, ValueNoise(ctx.SubSeed("grain"), 0, 0), 6.0, 0.25, 2);
        DropShadow(c, board, sx, sy, 3, 5, 6, Hex(0x140800, 0.6));
        c.Paint(board, sx, sy);
    }
    // Ink frame around the map and around the sheet.
    SetSource(cr, Hex(0x4A2A12, 0.9));
    cairo_set_line_width(cr, 2.0);
    cairo_rectangle(cr, mx0, my0, mx1 - mx0, my1 - my0);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 0.8);
    cairo_rectangle(cr, mx0 - 4, my0 - 4, mx1 - mx0 + 8, my1 - my0 + 8);
    cairo_stroke(cr);
    // The legend panel on the right: a pale cartouche behind the title and the legend text.
    {
        const double x = 522, y = 170, w = 272, h = 164;
        RoundRectPath(cr, x, y, w, h, 10);
        SetSource(cr, Hex(0xFFF6DC, 0.42));
        cairo_fill_preserve(cr);
        SetSource(cr, Hex(0x6A4020, 0.7));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        cairo_move_to(cr, x + 30, 208); cairo_line_to(cr, x + w - 30, 208);
        cairo_stroke(cr);
        cairo_arc(cr, x + w / 2, 208, 3, 0, 2 * Pi);
        SetSource(cr, Hex(0x9C6A1C));
        cairo_fill(cr);
    }
    // Frame of the photo.
    SetSource(cr, Hex(0x2A1606, 0.35));
    cairo_rectangle(cr, 527, 17, 251, 156);
    cairo_fill(cr);
    Vignette(c, 0.25, 0.7);
    Grain(c, ctx.SubSeed("g"), 0.03);
    return c;
}

// The background: the map sheet, at 1280 x 720 lying on a wooden desk at (MapDX, MapDY).
Canvas MapBackground(ArtContext& ctx) {
    const int W = ctx.GameWidth(), H = ctx.GameHeight();
    const int dx = ctx.Values().Int("MapDX"), dy = ctx.Values().Int("MapDY");
    Canvas sheet = MapSheet(ctx);
    if (W == 800 && H == 600 && dx == 0 && dy == 0) return sheet;
    Canvas c(W, H);
    Canvas wood = StoneTexture(W, H, ctx.SubSeed("desk"), Hex(0x6A3E1E), 90.0);
    {  // long wood grain streaks
        ValueNoise n(ctx.SubSeed("streak"));
        uint32_t* px = wood.Pixels();
        const int s = wood.StridePixels();
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const double g = 0.82 + 0.3 * n.Fbm(x / 260.0, y / 9.0, 3);
                uint32_t& p = px[y * s + x];
                const auto ch = [&](int sh) { return uint32_t(std::clamp(((p >> sh) & 255) * g, 0.0, 255.0)) << sh; };
                p = 0xFF000000u | ch(16) | ch(8) | ch(0);
            }
        wood.MarkDirty();
    }
    c.Paint(wood, 0, 0);
    Vignette(c, 0.55, 0.45);
    Canvas shape(800, 600);
    cairo_set_source_rgb(shape.Cr(), 1, 1, 1);
    cairo_paint(shape.Cr());
    DropShadow(c, shape, dx, dy, 6, 10, 16, Hex(0x0A0400, 0.75));
    c.Paint(sheet, dx, dy);
    return c;
}

// ---- Small map pieces ----
Canvas Pin(int colour, int monument) {
    static const uint32_t heads[3] = {0xC8322A, 0xF2C23A, 0x3E9A48};
    Canvas c(16, 16);
    cairo_t* cr = c.Cr();
    const Rgba head = Hex(heads[colour]);
    cairo_arc(cr, 8.5, 9.5, 6, 0, 2 * Pi);
    SetSource(cr, Hex(0x1A0A02, 0.45));
    cairo_fill(cr);
    cairo_arc(cr, 7, 7, 6.2, 0, 2 * Pi);
    FillRadial(cr, 5, 4.6, 0.5, 7.5, {{0, Lighten(head, 0.7)}, {0.35, head}, {1, Darken(head, 0.5)}});
    cairo_arc(cr, 7, 7, 6.2, 0, 2 * Pi);
    SetSource(cr, Hex(0x2A1404, 0.9));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    TextStyle t;
    t.Family = fonts::Body;
    t.Size = 8.5;
    t.Bold = true;
    t.FillTop = t.FillBottom = colour == 1 ? Hex(0x4A2A06) : Hex(0xFFF6E0);
    DrawTextInBox(c, std::to_string(monument), t, 2, 2, 10, 10);
    return c;
}

Canvas PathPicture(int k) {
    const auto& pts = PathPoints[k - 1];
    int w = 0, h = 0;
    for (auto& p : pts) { w = std::max(w, p.first + 5); h = std::max(h, p.second + 5); }
    w = std::max(w, 12); h = std::max(h, 12);
    Canvas c(w, h);
    cairo_t* cr = c.Cr();
    auto trace = [&]() {
        cairo_move_to(cr, pts[0].first, pts[0].second);
        for (size_t i = 1; i < pts.size(); ++i) {
            const auto& p0 = pts[i > 1 ? i - 2 : 0];
            const auto& p1 = pts[i - 1];
            const auto& p2 = pts[i];
            const auto& p3 = pts[std::min(i + 1, pts.size() - 1)];
            cairo_curve_to(cr, p1.first + (p2.first - p0.first) / 6.0, p1.second + (p2.second - p0.second) / 6.0,
                           p2.first - (p3.first - p1.first) / 6.0, p2.second - (p3.second - p1.second) / 6.0, p2.first, p2.second);
        }
    };
    const double dash[2] = {5.0, 3.5};
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    trace();
    SetSource(cr, Hex(0xFFF4DC, 0.7));
    cairo_set_line_width(cr, 4.2);
    cairo_set_dash(cr, dash, 2, 0);
    cairo_stroke(cr);
    trace();
    SetSource(cr, Hex(0xA0261A));
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
    return c;
}

Sequence ArrowSequence() {
    Sequence s;
    for (int f = 0; f < 72; ++f) {
        Canvas c(24, 24);
        cairo_t* cr = c.Cr();
        cairo_translate(cr, 12, 12);
        cairo_rotate(cr, f * 5.0 * Pi / 180.0);  // y points down: positive turns clockwise on screen
        for (int pass = 0; pass < 2; ++pass) {
            cairo_move_to(cr, 10, 0);
            cairo_line_to(cr, -7, -7);
            cairo_line_to(cr, -3, 0);
            cairo_line_to(cr, -7, 7);
            cairo_close_path(cr);
            if (pass == 0) {
                SetSource(cr, Hex(0xFFF4DC, 0.9));
                cairo_set_line_width(cr, 3.0);
                cairo_stroke(cr);
            } else {
                FillLinear(cr, 0, -7, 0, 7, {{0, Hex(0xE8503A)}, {1, Hex(0x7A1A10)}});
                cairo_move_to(cr, 10, 0); cairo_line_to(cr, -7, -7); cairo_line_to(cr, -3, 0); cairo_line_to(cr, -7, 7); cairo_close_path(cr);
                SetSource(cr, Hex(0x3A0A04));
                cairo_set_line_width(cr, 1.0);
                cairo_stroke(cr);
            }
        }
        s.Frames.push_back(std::move(c));
    }
    return s;
}

Sequence SelectionSequence() {
    Sequence s;
    for (int f = 0; f < 10; ++f) {
        Canvas c(60, 60);
        cairo_t* cr = c.Cr();
        const double t = f / 10.0, pulse = 0.5 + 0.5 * std::sin(t * 2 * Pi);
        cairo_arc(cr, 30, 30, 29, 0, 2 * Pi);
        FillRadial(cr, 30, 30, 8, 29, {{0, Hex(0xFFD870, 0.0)}, {0.55, Hex(0xFFD870, 0.25 + 0.25 * pulse)}, {0.75, Hex(0xFFB040, 0.12)}, {1, Hex(0xFF9020, 0)}});
        cairo_set_line_width(cr, 2.2);
        for (int k = 0; k < 3; ++k) {
            const double a = t * 2 * Pi / 3 + k * 2 * Pi / 3;
            cairo_arc(cr, 30, 30, 19 + pulse * 2, a, a + 1.3);
            SetSource(cr, Hex(0xFFF0B0, 0.85));
            cairo_stroke(cr);
        }
        s.Frames.push_back(uia::OnBlack(c));
    }
    return s;
}

// A gold statuette of the monument on a marble pedestal (150 x 185).
Canvas Trophy(ArtContext& ctx, int m) {
    Canvas c(150, 185);
    cairo_t* cr = c.Cr();
    cairo_arc(cr, 75, 80, 62, 0, 2 * Pi);
    FillRadial(cr, 75, 80, 5, 62, {{0, Hex(0xFFF0B0, 0.55)}, {1, Hex(0xFFE0A0, 0)}});
    // Pedestal.
    Canvas ped = uia::StoneSlab(120, 44, ctx.SubSeed("ped"), Hex(0x2E5A48), 5, true);
    DropShadow(c, ped, 15, 138, 2, 3, 3, Hex(0x0A0400, 0.6));
    c.Paint(ped, 15, 138);
    RoundRectPath(cr, 40, 150, 70, 20, 3);
    FillLinear(cr, 0, 150, 0, 170, {{0, palette::GoldLight}, {0.5, palette::Gold}, {1, palette::GoldDark}});
    SetSource(cr, Hex(0x5A3808));
    cairo_set_line_width(cr, 0.8);
    RoundRectPath(cr, 40, 150, 70, 20, 3);
    cairo_stroke(cr);
    TextStyle roman = uia::InkText(13);
    static const char* const numerals[7] = {"I", "II", "III", "IV", "V", "VI", "VII"};
    DrawTextInBox(c, numerals[m - 1], roman, 42, 150, 66, 20);
    // Plinth and statuette.
    RoundRectPath(cr, 22, 128, 106, 12, 3);
    FillLinear(cr, 22, 0, 128, 0, {{0, palette::GoldLight}, {0.5, palette::Gold}, {1, palette::GoldDark}});
    Canvas statue(150, 185);
    uia::DrawMonument(statue, m, 14, 22, 122, 106, MonumentLook::Gold);
    DropShadow(c, statue, 0, 0, 2, 2, 2.5, Hex(0x2A1404, 0.55));
    c.Paint(statue, 0, 0);
    return c;
}

Canvas SmallTrophy(ArtContext& ctx, int m) {
    Canvas big = Trophy(ctx, m);
    Canvas c(44, 54);
    const double k = 54.0 / 185.0;
    c.PaintScaled(big, (44 - 150 * k) / 2, 0, k, k);
    return c;
}

Sequence TrophyBlink() {
    Sequence s;
    for (int f = 0; f < 10; ++f) {
        Canvas c(48, 54);
        cairo_t* cr = c.Cr();
        const double t = f / 9.0;
        // A gleam runs up the trophy and a star sparkles at its peak.
        const double y = 46 - t * 36;
        cairo_rectangle(cr, 0, 0, 48, 54);
        FillLinear(cr, 0, y - 8, 0, y + 8, {{0, Hex(0xFFE8A0, 0)}, {0.5, Hex(0xFFE8A0, 0.35 * std::sin(t * Pi))}, {1, Hex(0xFFE8A0, 0)}});
        const double a = std::sin(t * Pi);
        const double sx = 22 + 6 * std::sin(t * 5), sy = y;
        for (int arm = 0; arm < 4; ++arm) {
            cairo_save(cr);
            cairo_translate(cr, sx, sy);
            cairo_rotate(cr, arm * Pi / 2 + t);
            cairo_move_to(cr, 0, -1.6); cairo_line_to(cr, 12 * a, 0); cairo_line_to(cr, 0, 1.6); cairo_close_path(cr);
            SetSource(cr, Hex(0xFFFFFF, 0.9 * a));
            cairo_fill(cr);
            cairo_restore(cr);
        }
        cairo_arc(cr, sx, sy, 5 * a + 0.1, 0, 2 * Pi);
        FillRadial(cr, sx, sy, 0, 5 * a + 0.1, {{0, Hex(0xFFFFFF, a)}, {1, Hex(0xFFE0A0, 0)}});
        s.Frames.push_back(uia::OnBlack(c));
    }
    return s;
}

Canvas TrophyRing(ArtContext& ctx) {
    Canvas c(56, 64);
    cairo_t* cr = c.Cr();
    auto niche = [&](cairo_t* k, double inset) {
        cairo_move_to(k, inset, 64 - inset);
        cairo_line_to(k, inset, 28);
        cairo_arc(k, 28, 28, 28 - inset, Pi, 2 * Pi);
        cairo_line_to(k, 56 - inset, 64 - inset);
        cairo_close_path(k);
    };
    Canvas frame = uia::ShapeOf(56, 64, [&](cairo_t* k) { niche(k, 0.5); });
    Canvas stone = MaskWith(StoneTexture(56, 64, ctx.SubSeed("ring"), Hex(0xC9A870), 16), frame);
    Bevel(stone, 2.5);
    c.Paint(stone, 0, 0);
    niche(cr, 5);
    FillLinear(cr, 0, 5, 0, 60, {{0, Hex(0x2A1A0E)}, {0.6, Hex(0x4A3020)}, {1, Hex(0x6A4A30)}});
    niche(cr, 5);
    SetSource(cr, palette::GoldDark);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    return c;
}

Sequence TrophyRibbon() {
    static const uint32_t cols[3] = {0xB0602A, 0xC8CCD2, 0xF2C14E};
    Sequence s;
    for (int f = 0; f < 3; ++f) {
        Canvas c(30, 30);
        cairo_t* cr = c.Cr();
        for (int side = -1; side <= 1; side += 2) {
            cairo_move_to(cr, 15 + side * 2, 15);
            cairo_line_to(cr, 15 + side * 9, 29);
            cairo_line_to(cr, 15 + side * 5, 26);
            cairo_line_to(cr, 15 + side * 3, 29);
            cairo_line_to(cr, 15 + side * 0, 16);
            cairo_close_path(cr);
            SetSource(cr, Hex(0xA02020));
            cairo_fill(cr);
        }
        StarPath(cr, 15, 12, 11, 8.5, 12, 0);
        FillRadial(cr, 12, 9, 1, 12, {{0, Lighten(Hex(cols[f]), 0.6)}, {0.5, Hex(cols[f])}, {1, Darken(Hex(cols[f]), 0.45)}});
        cairo_arc(cr, 15, 12, 6.5, 0, 2 * Pi);
        SetSource(cr, Hex(0xA02020));
        cairo_fill(cr);
        for (int k = 0; k <= f; ++k) {
            StarPath(cr, 15 + (k - f * 0.5) * 4.2, 12, 2.6, 1.1, 5, -Pi / 2);
            SetSource(cr, Hex(0xFFF0C0));
            cairo_fill(cr);
        }
        s.Frames.push_back(std::move(c));
    }
    return s;
}

// The timeline: a bronze-framed measuring channel (40 x 540), fill column at x 5..35, bottom 527.
Canvas Timeline(ArtContext& ctx) {
    Canvas c(40, 540);
    cairo_t* cr = c.Cr();
    Canvas frame = uia::StoneSlab(40, 540, ctx.SubSeed("tl"), Hex(0x8C5A2B), 6, true);
    c.Paint(frame, 0, 0);
    cairo_rectangle(cr, 5, 3, 30, 524);
    FillLinear(cr, 5, 0, 35, 0, {{0, Hex(0x4A3420)}, {0.45, Hex(0x8A7050)}, {1, Hex(0x3A2818)}});
    cairo_set_line_width(cr, 1.0);
    for (int y = 527; y > 5; y -= 10) {
        const bool major = (527 - y) % 50 == 0;
        cairo_move_to(cr, 1.5, y + 0.5);
        cairo_line_to(cr, major ? 5 : 3.5, y + 0.5);
        cairo_move_to(cr, 38.5, y + 0.5);
        cairo_line_to(cr, major ? 35 : 36.5, y + 0.5);
    }
    SetSource(cr, Hex(0xFFE8A8, 0.75));
    cairo_stroke(cr);
    return c;
}

Canvas TimelineFill(int m) {
    Canvas c(30, 527);
    cairo_t* cr = c.Cr();
    const Rgba col = Hex(MonumentColour[m - 1]);
    cairo_rectangle(cr, 0, 0, 30, 527);
    FillLinear(cr, 0, 0, 30, 0, {{0, Darken(col, 0.35)}, {0.3, Lighten(col, 0.35)}, {0.55, col}, {1, Darken(col, 0.5)}});
    // Stone courses every ten pixels.
    SetSource(cr, Hex(0x000000, 0.18));
    for (int y = 9; y < 527; y += 10) cairo_rectangle(cr, 0, y, 30, 1);
    cairo_fill(cr);
    return c;
}

Canvas Indicator() {
    Canvas c(40, 12);
    cairo_t* cr = c.Cr();
    cairo_move_to(cr, 0.5, 1); cairo_line_to(cr, 30, 1); cairo_line_to(cr, 39.5, 6); cairo_line_to(cr, 30, 11);
    cairo_line_to(cr, 0.5, 11); cairo_line_to(cr, 5, 6); cairo_close_path(cr);
    FillLinear(cr, 0, 1, 0, 11, {{0, palette::GoldLight}, {0.5, palette::Gold}, {1, palette::GoldDark}});
    cairo_move_to(cr, 0.5, 1); cairo_line_to(cr, 30, 1); cairo_line_to(cr, 39.5, 6); cairo_line_to(cr, 30, 11);
    cairo_line_to(cr, 0.5, 11); cairo_line_to(cr, 5, 6); cairo_close_path(cr);
    SetSource(cr, Hex(0x3A1C04));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    return c;
}

Canvas PassMark(int n) {
    Canvas c(30, 12);
    cairo_t* cr = c.Cr();
    RoundRectPath(cr, 0.5, 0.5, 29, 11, 3);
    FillLinear(cr, 0, 0, 0, 12, {{0, Hex(0xF0E0C0)}, {1, Hex(0xB8A078)}});
    RoundRectPath(cr, 0.5, 0.5, 29, 11, 3);
    SetSource(cr, Hex(0x4A2A12));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    static const char* const numerals[3] = {"I", "II", "III"};
    TextStyle t = uia::InkText(10);
    t.OutlineWidth = 0;
    DrawTextInBox(c, numerals[n - 1], t, 2, 0, 26, 12);
    return c;
}

Sequence Percents() {
    Sequence s;
    for (int f = 0; f < 8; ++f) {
        Canvas c(44, 24);
        cairo_t* cr = c.Cr();
        EllipsePath(cr, 22, 12, 20, 10.5);
        SetSource(cr, f == 7 ? Hex(0x3E8A40, 0.85) : Hex(0x8A2A1A, 0.85));
        cairo_fill_preserve(cr);
        SetSource(cr, Hex(0x2A1404));
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        TextStyle t;
        t.Family = fonts::Body;
        t.Size = 13;
        t.Bold = true;
        t.FillTop = Hex(0xFFF8E0);
        t.FillBottom = Hex(0xF2D8A0);
        t.OutlineWidth = 1.0;
        t.Outline = Hex(0x2A1004, 0.8);
        DrawTextInBox(c, std::to_string(int(std::lround(f * 100.0 / 7))) + "%", t, 3, 2, 38, 20);
        s.Frames.push_back(std::move(c));
    }
    return s;
}

// A painted view of the monument in its landscape, in a gilded frame (245 x 150).
Canvas LegendPicture(ArtContext& ctx, int m) {
    const int W = 245, H = 150, F = 6;
    Canvas c(W, H);
    Canvas view(W - 2 * F, H - 2 * F);
    const int vw = view.Width(), vh = view.Height();
    DrawSky(view, ctx.SubSeed("sky"), vw * 0.2, vh * 0.15);
    static const uint32_t ground[7] = {0xD8B070, 0x6E9A5A, 0xB89060, 0x9A8A78, 0x5E8A48, 0x7A9A6A, 0x6E8A4E};
    const double horizon = vh * 0.74;
    DrawHills(view, ctx.SubSeed("hills"), horizon - 8, 10, m == 2 ? Hex(0x7AA0B0) : Hex(0xB09878), 0.8);
    cairo_t* cr = view.Cr();
    cairo_rectangle(cr, 0, horizon, vw, vh - horizon);
    if (m == 2 || m == 5 || m == 6) {  // water: sea, moat or river in front
        FillLinear(cr, 0, horizon, 0, vh, {{0, Hex(0x5A9AB8)}, {1, Hex(0x2E5E7A)}});
    } else {
        const Rgba g = Hex(ground[m - 1]);
        FillLinear(cr, 0, horizon, 0, vh, {{0, Lighten(g, 0.1)}, {1, Darken(g, 0.3)}});
    }
    const double mh = vh * 0.62, mw = mh * (m == 6 || m == 7 ? 0.9 : 1.45);
    const double mx = vw * 0.55 - mw / 2, my = horizon + (m == 2 || m == 5 || m == 6 ? 2 : 8) - mh;
    Canvas mon(vw, vh);
    uia::DrawMonument(mon, m, mx, my, mw, mh, MonumentLook::Colour);
    DropShadow(view, mon, 0, 0, 6, 2, 4, Hex(0x1A0E04, 0.4));
    view.Paint(mon, 0, 0);
    if (m == 2 || m == 5 || m == 6) {  // reflection
        Canvas refl(vw, vh);
        cairo_t* rc = refl.Cr();
        cairo_translate(rc, 0, 2 * (horizon + 2));
        cairo_scale(rc, 1, -1);
        cairo_set_source_surface(rc, mon.Surface(), 0, 0);
        cairo_paint_with_alpha(rc, 0.3);
        cairo_identity_matrix(rc);
        cairo_set_operator(rc, CAIRO_OPERATOR_DEST_IN);
        cairo_rectangle(rc, 0, horizon, vw, vh - horizon);
        cairo_set_source_rgb(rc, 0, 0, 0);
        cairo_fill(rc);
        view.Paint(refl, 0, 0);
    }
    if (m == 1 || m == 3) DrawPalm(view, ctx.SubSeed("palm"), vw * 0.1, vh, vh * 0.7, 8);
    Vignette(view, 0.35, 0.5);
    Grain(view, ctx.SubSeed("grain"), 0.025);
    c.Paint(view, F, F);
    uia::GoldFrame(c, F, F, vw, vh, F);
    return c;
}

// The information scroll unrolling downwards (frame 0 rolled up, frame 13 open), 260 x 200.
Sequence NfoScroll(ArtContext& ctx) {
    const int W = 260, H = 200, rod = 16;
    Canvas paper = ParchmentTexture(W - 24, H, ctx.SubSeed("paper"), 0.35);
    auto drawRod = [&](Canvas& c, double y) {
        cairo_t* cr = c.Cr();
        RoundRectPath(cr, 4, y, W - 8, rod, rod / 2.0);
        FillLinear(cr, 0, y, 0, y + rod, {{0, Hex(0xF2DDB0)}, {0.35, Hex(0xE2C48E)}, {0.8, Hex(0x9A7A4E)}, {1, Hex(0x6A4E2E)}});
        for (double x : {0.0, double(W - 12)}) {
            RoundRectPath(cr, x, y + 1, 12, rod - 2, 4);
            FillLinear(cr, 0, y, 0, y + rod, {{0, palette::GoldLight}, {0.5, palette::Gold}, {1, palette::GoldDark}});
        }
    };
    Sequence s;
    for (int f = 0; f < 14; ++f) {
        Canvas c(W, H);
        const double open = (H - 2 * rod) * f / 13.0;
        if (open > 0.5) {
            Canvas sheet = paper.Crop(0, 0, W - 24, int(std::ceil(open)) + 4);
            Canvas shape(W, H);
            cairo_rectangle(shape.Cr(), 12, rod * 0.5, W - 24, open + rod);
            cairo_set_source_rgb(shape.Cr(), 1, 1, 1);
            cairo_fill(shape.Cr());
            DropShadow(c, shape, 0, 0, 3, 4, 5, Hex(0x140800, 0.5));
            c.Paint(sheet, 12, rod * 0.5);
            cairo_t* cr = c.Cr();
            cairo_rectangle(cr, 12, rod * 0.5, W - 24, open + rod);
            FillLinear(cr, 12, 0, W - 12, 0, {{0, Hex(0x5A3A18, 0.3)}, {0.08, Hex(0x5A3A18, 0)}, {0.92, Hex(0x5A3A18, 0)}, {1, Hex(0x5A3A18, 0.3)}});
        }
        drawRod(c, 0);
        drawRod(c, rod + open);
        s.Frames.push_back(std::move(c));
    }
    return s;
}

// Ink sketch of the monument for the scroll (180 x 120): under construction (1) or built (2).
Canvas ScrollPicture(int m, int stage) {
    Canvas c(180, 120);
    cairo_t* cr = c.Cr();
    EllipsePath(cr, 90, 60, 88, 58);
    FillRadial(cr, 90, 60, 10, 88, {{0, Hex(0xE8D0A0, 0.5)}, {1, Hex(0xE8D0A0, 0)}});
    SetSource(cr, Hex(0x4A2A12, 0.6));
    cairo_set_line_width(cr, 1.0);
    cairo_move_to(cr, 12, 108);
    cairo_curve_to(cr, 60, 104, 120, 110, 168, 106);
    cairo_stroke(cr);
    const double mh = 92, mw = mh * (m == 6 || m == 7 ? 0.95 : 1.5);
    uia::DrawMonument(c, m, 90 - mw / 2, 106 - mh, mw, mh, MonumentLook::Ink, stage == 1 ? 0.5 : 1.0);
    if (stage == 1) {  // a few blocks waiting on the ground
        for (int i = 0; i < 3; ++i) {
            cairo_rectangle(cr, 18 + i * 13, 98 - (i == 1 ? 8 : 0), 12, 8);
            SetSource(cr, Hex(0xE0C898, 0.9));
            cairo_fill_preserve(cr);
            SetSource(cr, Hex(0x4A2A12));
            cairo_stroke(cr);
        }
    }
    return c;
}

// A small hanging sign with a word (90 x 30).
Canvas WordSign(ArtContext& ctx, const std::string& word, const Rgba& ink, int w, int h) {
    Canvas c(w, h);
    Canvas slab = uia::StoneSlab(w - 4, h - 4, ctx.SubSeed("sign"), Hex(0xEAD6AA), 6, false);
    DropShadow(c, slab, 2, 2, 2, 3, 3, Hex(0x140800, 0.55));
    c.Paint(slab, 2, 2);
    TextStyle t = uia::InkText(h * 0.55);
    t.FillTop = Lighten(ink, 0.15);
    t.FillBottom = ink;
    DrawTextInBox(c, word, t, 6, 3, w - 12, h - 6);
    return c;
}

}  // namespace

ARTGEN_MODULE(mapscreen) {
    reg.Add("base/<R>/ui/mapscreen/Mapscreen.jpg", [](ArtContext& ctx) { return Sequence(MapBackground(ctx)); },
            WriteOptions{.JpegQuality = 92}, 6.0);
    for (int m = 1; m <= 7; ++m) {
        const std::string nn = Two(m);
        for (int col = 0; col < 3; ++col) {
            static const char* const names[3] = {"RedPin", "YellowPin", "GreenPin"};
            reg.Add("base/ui/mapscreen/" + std::string(names[col]) + nn + ".png", [col, m](ArtContext&) { return Sequence(Pin(col, m)); });
        }
        reg.Add("base/ui/mapscreen/trophy" + nn + ".png", [m](ArtContext& ctx) { return Sequence(Trophy(ctx, m)); }, {}, 1.0);
        reg.Add("base/ui/mapscreen/smalltrophy" + nn + ".png", [m](ArtContext& ctx) { return Sequence(SmallTrophy(ctx, m)); }, {}, 1.0);
        reg.Add("base/ui/mapscreen/legendpic" + nn + ".png", [m](ArtContext& ctx) { return Sequence(LegendPicture(ctx, m)); }, {}, 1.5);
        reg.Add("base/ui/mapscreen/timelinefill" + nn + ".png", [m](ArtContext&) { return Sequence(TimelineFill(m)); });
        for (int stage = 1; stage <= 2; ++stage)
            reg.Add("base/ui/mapscreen/nfoscrollpic" + std::to_string(m) + std::to_string(stage) + ".png",
                    [m, stage](ArtContext&) { return Sequence(ScrollPicture(m, stage)); });
    }
    for (int k = 1; k <= 6; ++k)
        reg.Add("base/ui/mapscreen/path" + Two(k) + ".png", [k](ArtContext&) { return Sequence(PathPicture(k)); });
    for (int n = 1; n <= 3; ++n)
        reg.Add("base/ui/mapscreen/mark" + Two(n) + ".png", [n](ArtContext&) { return Sequence(PassMark(n)); });
    reg.Add("base/ui/mapscreen/arrow.72.png", [](ArtContext&) { return ArrowSequence(); });
    reg.Add("base/ui/mapscreen/selection.10.png", [](ArtContext&) { return SelectionSequence(); });
    reg.Add("base/ui/mapscreen/trophyblink.10.png", [](ArtContext&) { return TrophyBlink(); });
    reg.Add("base/ui/mapscreen/trophyring.png", [](ArtContext& ctx) { return Sequence(TrophyRing(ctx)); });
    reg.Add("base/ui/mapscreen/trophyribbon.3.png", [](ArtContext&) { return TrophyRibbon(); });
    reg.Add("base/ui/mapscreen/timeline.png", [](ArtContext& ctx) { return Sequence(Timeline(ctx)); });
    reg.Add("base/ui/mapscreen/timelineindicator.png", [](ArtContext&) { return Sequence(Indicator()); });
    reg.Add("base/ui/mapscreen/percentssm.8.png", [](ArtContext&) { return Percents(); });
    reg.Add("base/ui/mapscreen/nfoscroll.14.png", [](ArtContext& ctx) { return NfoScroll(ctx); }, {}, 1.5);
    // Words.
    reg.Add("L1033/ui/mapscreen/btplay.4.png", [](ArtContext& ctx) { return uia::ButtonStrip("Play", 120, 40, ctx.SubSeed("b"), 22); });
    reg.Add("L1033/ui/mapscreen/btexit.4.png", [](ArtContext& ctx) { return uia::ButtonStrip("Menu", 120, 40, ctx.SubSeed("b"), 22); });
    reg.Add("L1033/ui/mapscreen/locked.png", [](ArtContext& ctx) { return Sequence(WordSign(ctx, "Locked", Hex(0x8A1A10), 90, 30)); });
    reg.Add("L1033/ui/mapscreen/completed.png", [](ArtContext& ctx) { return Sequence(WordSign(ctx, "Completed", Hex(0x1E5A20), 90, 30)); });
    reg.Add("L1033/ui/mapscreen/constrtime.png", [](ArtContext&) {
        Canvas c(160, 30);
        TextStyle t = uia::InkText(15);
        DrawTextInBox(c, "Construction time", t, 2, 2, 156, 26);
        return Sequence(std::move(c));
    });
}

}  // namespace vantero::art
