// The seven monuments: each painted complete, then cut back course by course into the 25 building
// stages of "levels/NN/vantero", with scaffolding and the planks on which the little figures stand.
#include "LevelsKit.h"

#include <algorithm>
#include <cmath>

namespace vantero::art::levels {
namespace {

constexpr double B = MonumentBase;   // ground line of the monument picture

// Fills the current path with a left-lit horizontal gradient between x0 and x1 (sun from the left).
void FillLitH(cairo_t* cr, double x0, double x1, const Rgba& lit, const Rgba& shade) {
    FillLinear(cr, x0, 0, x1, 0, {{0.0, Lighten(lit, 0.12)}, {0.45, lit}, {1.0, shade}});
}

void Rect(cairo_t* cr, double x, double y, double w, double h) { cairo_rectangle(cr, x, y, w, h); }

// Thin dark lines (block joints, mouldings).
void Lines(cairo_t* cr, const Rgba& c, double width) {
    cairo_set_line_width(cr, width);
    SetSource(cr, c);
    cairo_stroke(cr);
}

// Horizontal courses and staggered joints inside the current clip.
void Courses(cairo_t* cr, double x0, double x1, double y0, double y1, double course, double block, const Rgba& c) {
    int row = 0;
    for (double y = y1 - course; y > y0; y -= course, ++row) {
        cairo_move_to(cr, x0, y);
        cairo_line_to(cr, x1, y);
        for (double x = x0 + (row % 2 ? block * 0.5 : block); x < x1; x += block) {
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, x, y + course);
        }
    }
    Lines(cr, c, 0.8);
}

// ---- 1: the Great Pyramid ----
void Pyramid(Canvas& c, const Theme& t) {
    cairo_t* cr = c.Cr();
    const double apexX = 128, apexY = 34, l = 12, r = 248, ridge = 152, base = B - 8;
    Rect(cr, 4, base, 252, B - base);
    FillLitH(cr, 4, 256, Darken(t.Stone, 0.08), Darken(t.StoneDark, 0.1));
    cairo_save(cr);
    cairo_move_to(cr, l, base);
    cairo_line_to(cr, apexX, apexY);
    cairo_line_to(cr, ridge, base);
    cairo_close_path(cr);
    FillLinear(cr, 0, apexY, 0, base, {{0.0, Lighten(t.Stone, 0.25)}, {1.0, t.Stone}});
    cairo_move_to(cr, ridge, base);
    cairo_line_to(cr, apexX, apexY);
    cairo_line_to(cr, r, base);
    cairo_close_path(cr);
    FillLinear(cr, 0, apexY, 0, base, {{0.0, Mix(t.Stone, t.StoneDark, 0.45)}, {1.0, t.StoneDark}});
    // Courses over both faces.
    cairo_move_to(cr, l, base);
    cairo_line_to(cr, apexX, apexY);
    cairo_line_to(cr, r, base);
    cairo_close_path(cr);
    cairo_clip(cr);
    Courses(cr, 0, 260, apexY + 20, base, 7, 14, Hex(0x5A3E1E, 0.28));
    cairo_restore(cr);
    // Gilded capstone.
    cairo_move_to(cr, apexX, apexY);
    cairo_line_to(cr, apexX - 9, apexY + 16);
    cairo_line_to(cr, apexX + 2, apexY + 16);
    cairo_close_path(cr);
    SetSource(cr, palette::GoldLight);
    cairo_fill(cr);
    cairo_move_to(cr, apexX, apexY);
    cairo_line_to(cr, apexX + 2, apexY + 16);
    cairo_line_to(cr, apexX + 11, apexY + 16);
    cairo_close_path(cr);
    SetSource(cr, palette::GoldDark);
    cairo_fill(cr);
}

// ---- 2: the Temple of Poseidon ----
void Temple(Canvas& c, const Theme& t) {
    cairo_t* cr = c.Cr();
    const Rgba lit = t.Stone, shade = t.StoneDark;
    // Stylobate, three steps.
    for (int i = 0; i < 3; ++i) {
        const double x = 6 + i * 7, y = B - 10 - i * 10;
        Rect(cr, x, y, 260 - 2 * x, 10);
        FillLitH(cr, x, 260 - x, lit, shade);
        cairo_move_to(cr, x, y + 0.5);
        cairo_line_to(cr, 260 - x, y + 0.5);
        Lines(cr, Hex(0xFFFFFF, 0.5), 1);
    }
    const double colTop = 138, colBot = B - 30;
    // Cella wall behind the colonnade, in shadow.
    Rect(cr, 34, colTop, 192, colBot - colTop);
    FillVertical(cr, colTop, colBot, Darken(shade, 0.45), Darken(shade, 0.25));
    const int n = 7;
    for (int i = 0; i < n; ++i) {
        const double cx = 34 + i * (192.0 / (n - 1)), w = 17;
        cairo_move_to(cr, cx - w / 2, colBot);
        cairo_line_to(cr, cx - w / 2 + 1.5, colTop + 8);
        cairo_line_to(cr, cx + w / 2 - 1.5, colTop + 8);
        cairo_line_to(cr, cx + w / 2, colBot);
        cairo_close_path(cr);
        FillLinear(cr, cx - w / 2, 0, cx + w / 2, 0,
                   {{0.0, Lighten(lit, 0.35)}, {0.35, lit}, {0.8, shade}, {1.0, Darken(shade, 0.2)}});
        for (int f = -1; f <= 1; ++f) {
            cairo_move_to(cr, cx + f * 4, colBot - 2);
            cairo_line_to(cr, cx + f * 3.6, colTop + 10);
        }
        Lines(cr, Hex(0x4A4438, 0.25), 0.8);
        // Echinus and abacus.
        cairo_move_to(cr, cx - w / 2 + 1, colTop + 8);
        cairo_curve_to(cr, cx - w / 2 - 3, colTop + 5, cx - w / 2 - 3, colTop + 3, cx - w / 2 - 3, colTop + 2);
        cairo_line_to(cr, cx + w / 2 + 3, colTop + 2);
        cairo_curve_to(cr, cx + w / 2 + 3, colTop + 3, cx + w / 2 + 3, colTop + 5, cx + w / 2 - 1, colTop + 8);
        cairo_close_path(cr);
        FillLitH(cr, cx - 12, cx + 12, lit, shade);
        Rect(cr, cx - 12, colTop - 4, 24, 6);
        FillLitH(cr, cx - 12, cx + 12, Lighten(lit, 0.1), shade);
    }
    // Architrave, frieze with triglyphs and painted metopes, cornice.
    Rect(cr, 14, 114, 232, 20);
    FillLitH(cr, 14, 246, lit, shade);
    Rect(cr, 14, 98, 232, 16);
    FillLitH(cr, 14, 246, Darken(lit, 0.05), Darken(shade, 0.05));
    for (int i = 0; i <= 14; ++i) {
        const double x = 16 + i * 16.0;
        Rect(cr, x, 99, 6, 14);
        SetSource(cr, Hex(0x2E4A78, 0.75));
        cairo_fill(cr);
        if (i < 14) {
            Rect(cr, x + 8, 101, 6, 10);
            SetSource(cr, Hex(0xA8402E, 0.35));
            cairo_fill(cr);
        }
    }
    Rect(cr, 8, 92, 244, 6);
    FillLitH(cr, 8, 252, Lighten(lit, 0.1), shade);
    // Pediment.
    cairo_move_to(cr, 8, 92);
    cairo_line_to(cr, 130, 54);
    cairo_line_to(cr, 252, 92);
    cairo_close_path(cr);
    FillLitH(cr, 8, 252, lit, shade);
    cairo_move_to(cr, 24, 89);
    cairo_line_to(cr, 130, 60);
    cairo_line_to(cr, 236, 89);
    cairo_close_path(cr);
    SetSource(cr, Hex(0x3A5A88, 0.45));
    cairo_fill(cr);
    cairo_move_to(cr, 6, 93);
    cairo_line_to(cr, 130, 53);
    cairo_line_to(cr, 254, 93);
    Lines(cr, Hex(0xFFFFFF, 0.6), 1.5);
    // Acroteria.
    for (double x : {8.0, 130.0, 252.0}) {
        cairo_arc(cr, x, x == 130.0 ? 50 : 88, 4, 0, 2 * M_PI);
        SetSource(cr, palette::Gold);
        cairo_fill(cr);
    }
}

// ---- 3: the Pyramid of the Sun ----
void SunPyramid(Canvas& c, const Theme& t) {
    cairo_t* cr = c.Cr();
    const double tierH[5] = {52, 48, 44, 40, 34};
    const double width[5] = {244, 196, 154, 116, 84};
    double y = B;
    for (int i = 0; i < 5; ++i) {
        const double w0 = width[i], w1 = width[i] - 18, y1 = y - tierH[i];
        cairo_move_to(cr, 130 - w0 / 2, y);
        cairo_line_to(cr, 130 - w1 / 2, y1 + 6);
        cairo_line_to(cr, 130 + w1 / 2, y1 + 6);
        cairo_line_to(cr, 130 + w0 / 2, y);
        cairo_close_path(cr);
        FillLitH(cr, 130 - w0 / 2, 130 + w0 / 2, t.Stone, t.StoneDark);
        // Tablero ledge at the top of each tier.
        Rect(cr, 130 - w1 / 2 - 2, y1, w1 + 4, 6);
        FillLitH(cr, 130 - w1 / 2, 130 + w1 / 2, Lighten(t.Stone, 0.15), Darken(t.StoneDark, 0.1));
        cairo_save(cr);
        cairo_move_to(cr, 130 - w0 / 2, y);
        cairo_line_to(cr, 130 - w1 / 2, y1 + 6);
        cairo_line_to(cr, 130 + w1 / 2, y1 + 6);
        cairo_line_to(cr, 130 + w0 / 2, y);
        cairo_close_path(cr);
        cairo_clip(cr);
        Courses(cr, 0, 260, y1 + 6, y, 6, 11, Hex(0x3A2A1E, 0.22));
        cairo_restore(cr);
        y = y1;
    }
    // The great stair up the front.
    cairo_move_to(cr, 116, B);
    cairo_line_to(cr, 122, y + 6);
    cairo_line_to(cr, 138, y + 6);
    cairo_line_to(cr, 144, B);
    cairo_close_path(cr);
    FillLitH(cr, 116, 144, Lighten(t.Stone, 0.2), Darken(t.StoneDark, 0.15));
    for (double sy = B - 4; sy > y + 8; sy -= 4) {
        const double f = (B - sy) / (B - y);
        cairo_move_to(cr, 116 + 6 * f, sy);
        cairo_line_to(cr, 144 - 6 * f, sy);
    }
    Lines(cr, Hex(0x3A2418, 0.35), 0.8);
    // Temple on the summit.
    Rect(cr, 104, y - 22, 52, 22);
    FillLitH(cr, 104, 156, Hex(0xC8B49A), Hex(0x7A5A44));
    Rect(cr, 100, y - 28, 60, 7);
    FillLitH(cr, 100, 160, Hex(0xB8442E), Hex(0x6A2016));
    Rect(cr, 124, y - 16, 12, 16);
    SetSource(cr, Hex(0x2A1A12));
    cairo_fill(cr);
}

// ---- 4: Hagia Sophia ----
void Sophia(Canvas& c, const Theme& t) {
    cairo_t* cr = c.Cr();
    const Rgba wall = t.Stone, wallD = t.StoneDark, lead = Hex(0x8E98A8), leadD = Hex(0x4A5262);
    // Minarets.
    for (double x : {10.0, 242.0}) {
        Rect(cr, x, 60, 9, B - 60);
        FillLitH(cr, x, x + 9, Hex(0xE8D8C0), Hex(0x9A8670));
        for (double ry : {120.0, 84.0}) {
            Rect(cr, x - 2, ry, 13, 4);
            SetSource(cr, Hex(0x8A7660));
            cairo_fill(cr);
        }
        cairo_move_to(cr, x - 1, 60);
        cairo_line_to(cr, x + 4.5, 26);
        cairo_line_to(cr, x + 10, 60);
        cairo_close_path(cr);
        FillLitH(cr, x, x + 10, lead, leadD);
    }
    // Main block and buttresses.
    Rect(cr, 30, 176, 200, B - 176);
    FillLitH(cr, 30, 230, wall, wallD);
    for (double x : {26.0, 206.0}) {
        Rect(cr, x, 150, 28, B - 150);
        FillLitH(cr, x, x + 28, Lighten(wall, 0.06), wallD);
    }
    // Semi-domes.
    for (double cx : {84.0, 176.0}) {
        cairo_save(cr);
        cairo_translate(cr, cx, 178);
        cairo_scale(cr, 1, 0.72);
        cairo_arc(cr, 0, 0, 36, M_PI, 2 * M_PI);
        cairo_restore(cr);
        cairo_close_path(cr);
        FillRadial(cr, cx - 14, 160, 4, 46, {{0.0, Lighten(lead, 0.3)}, {1.0, leadD}});
    }
    // Drum with its ring of windows, then the dome.
    Rect(cr, 72, 140, 116, 16);
    FillLitH(cr, 72, 188, wall, wallD);
    for (int i = 0; i < 11; ++i) {
        const double x = 77 + i * 10;
        RoundRectPath(cr, x, 143, 5, 10, 2.5);
        SetSource(cr, Hex(0x2A2030, 0.85));
        cairo_fill(cr);
    }
    cairo_save(cr);
    cairo_translate(cr, 130, 141);
    cairo_scale(cr, 1, 0.78);
    cairo_arc(cr, 0, 0, 60, M_PI, 2 * M_PI);
    cairo_restore(cr);
    cairo_close_path(cr);
    FillRadial(cr, 104, 104, 6, 80, {{0.0, Lighten(lead, 0.45)}, {0.5, lead}, {1.0, leadD}});
    for (int i = -3; i <= 3; ++i) {
        cairo_move_to(cr, 130 + i * 17, 141);
        cairo_curve_to(cr, 130 + i * 15, 115, 130 + i * 7, 100, 130, 94);
    }
    Lines(cr, Hex(0x30384A, 0.3), 0.8);
    // Gilded finial.
    Rect(cr, 129, 84, 2, 12);
    SetSource(cr, palette::Gold);
    cairo_fill(cr);
    cairo_arc(cr, 130, 82, 3.5, 0, 2 * M_PI);
    cairo_fill(cr);
    // Windows and doors of the block.
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 9; ++i) {
            const double x = 44 + i * 20, y = 200 + row * 34;
            RoundRectPath(cr, x, y, 8, 16, 4);
            SetSource(cr, Hex(0x2A1E22, 0.8));
            cairo_fill(cr);
        }
    RoundRectPath(cr, 116, B - 34, 28, 34, 13);
    SetSource(cr, Hex(0x22161A));
    cairo_fill(cr);
    Rect(cr, 30, 176, 200, 4);
    SetSource(cr, Hex(0xFFF0D8, 0.45));
    cairo_fill(cr);
}

// A lotus-bud tower of Angkor centred on cx, from baseY up to topY, width w.
void LotusTower(cairo_t* cr, double cx, double baseY, double topY, double w, const Theme& t) {
    const int rings = 9;
    const double h = baseY - topY;
    for (int i = 0; i < rings; ++i) {
        const double f0 = double(i) / rings, f1 = double(i + 1) / rings;
        const double y0 = baseY - h * f0, y1 = baseY - h * f1;
        auto half = [&](double f) { return w / 2 * std::pow(std::cos(f * M_PI / 2), 0.8) * (1 - 0.15 * f); };
        cairo_move_to(cr, cx - half(f0), y0);
        cairo_line_to(cr, cx - half(f1), y1 + 1.5);
        cairo_line_to(cr, cx + half(f1), y1 + 1.5);
        cairo_line_to(cr, cx + half(f0), y0);
        cairo_close_path(cr);
        FillLitH(cr, cx - w / 2, cx + w / 2, Lighten(t.Stone, i % 2 ? 0.0 : 0.08), t.StoneDark);
        cairo_move_to(cr, cx - half(f1) - 1, y1 + 1.5);
        cairo_line_to(cr, cx + half(f1) + 1, y1 + 1.5);
        Lines(cr, Hex(0x2A2418, 0.45), 1);
    }
    cairo_move_to(cr, cx, topY - 6);
    cairo_line_to(cr, cx - 2, topY + 2);
    cairo_line_to(cr, cx + 2, topY + 2);
    cairo_close_path(cr);
    SetSource(cr, t.StoneDark);
    cairo_fill(cr);
}

// ---- 5: Angkor Wat ----
void Angkor(Canvas& c, const Theme& t) {
    cairo_t* cr = c.Cr();
    struct Tier { double x0, x1, y0, y1; };
    const Tier tiers[] = {{6, 254, 272, B}, {18, 242, 240, 272}, {40, 220, 206, 240}, {70, 190, 170, 206}};
    LotusTower(cr, 34, 244, 128, 24, t);
    LotusTower(cr, 226, 244, 128, 24, t);
    LotusTower(cr, 80, 208, 74, 32, t);
    LotusTower(cr, 180, 208, 74, 32, t);
    LotusTower(cr, 130, 172, 18, 46, t);
    for (const Tier& r : tiers) {
        Rect(cr, r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
        FillLitH(cr, r.x0, r.x1, t.Stone, t.StoneDark);
        // Gallery roof band and pillared openings.
        Rect(cr, r.x0 - 2, r.y0, r.x1 - r.x0 + 4, 5);
        FillLitH(cr, r.x0, r.x1, Lighten(t.Stone, 0.12), Darken(t.StoneDark, 0.1));
        for (double x = r.x0 + 8; x < r.x1 - 8; x += 11) {
            Rect(cr, x, r.y0 + 9, 6, r.y1 - r.y0 - 13);
            SetSource(cr, Hex(0x1A1610, 0.65));
            cairo_fill(cr);
        }
    }
    // Central stair.
    Rect(cr, 118, 206, 24, B - 206);
    FillLitH(cr, 118, 142, Lighten(t.Stone, 0.1), t.StoneDark);
    for (double y = B - 3; y > 208; y -= 3) {
        cairo_move_to(cr, 118, y);
        cairo_line_to(cr, 142, y);
    }
    Lines(cr, Hex(0x2A2418, 0.4), 0.7);
}

// ---- 6: Notre-Dame de Paris, the west front ----
void NotreDame(Canvas& c, const Theme& t) {
    cairo_t* cr = c.Cr();
    const Rgba lit = t.Stone, shade = t.StoneDark, hole = Hex(0x1E2030, 0.9);
    // Spire behind the nave.
    cairo_move_to(cr, 126, 100);
    cairo_line_to(cr, 130, 12);
    cairo_line_to(cr, 134, 100);
    cairo_close_path(cr);
    FillLitH(cr, 126, 134, Hex(0x8A90A0), Hex(0x3A4050));
    // Gable of the nave.
    cairo_move_to(cr, 98, 112);
    cairo_line_to(cr, 130, 86);
    cairo_line_to(cr, 162, 112);
    cairo_close_path(cr);
    FillLitH(cr, 98, 162, Hex(0x7A8090), Hex(0x3E4454));
    // Main front and the two towers.
    Rect(cr, 36, 110, 188, B - 110);
    FillLitH(cr, 36, 224, lit, shade);
    for (double x : {36.0, 164.0}) {
        Rect(cr, x, 46, 60, 66);
        FillLitH(cr, x, x + 60, Lighten(lit, 0.05), shade);
        Rect(cr, x - 2, 42, 64, 5);
        FillLitH(cr, x, x + 60, Lighten(lit, 0.15), shade);
        for (double lx : {x + 12, x + 33}) {
            cairo_move_to(cr, lx, 106);
            cairo_line_to(cr, lx, 64);
            cairo_arc(cr, lx + 7.5, 64, 7.5, M_PI, 2 * M_PI);
            cairo_line_to(cr, lx + 15, 106);
            cairo_close_path(cr);
            SetSource(cr, hole);
            cairo_fill(cr);
        }
        for (double bx = x; bx <= x + 60; bx += 6) Rect(cr, bx, 38, 2.5, 5);
        SetSource(cr, lit);
        cairo_fill(cr);
    }
    // Buttresses.
    for (double x : {34.0, 94.0, 158.0, 218.0}) {
        Rect(cr, x, 112, 8, B - 112);
        FillLitH(cr, x, x + 8, Lighten(lit, 0.15), Darken(shade, 0.1));
    }
    // Gallery of kings.
    Rect(cr, 36, 180, 188, 14);
    SetSource(cr, Darken(shade, 0.15));
    cairo_fill(cr);
    for (double x = 40; x < 220; x += 7) {
        RoundRectPath(cr, x, 182, 4, 10, 2);
        SetSource(cr, lit);
        cairo_fill(cr);
    }
    // Rose window.
    cairo_arc(cr, 130, 146, 25, 0, 2 * M_PI);
    SetSource(cr, Darken(shade, 0.1));
    cairo_fill(cr);
    cairo_arc(cr, 130, 146, 21, 0, 2 * M_PI);
    FillRadial(cr, 130, 146, 2, 21, {{0.0, Hex(0xE8C060)}, {0.4, Hex(0x6A3A9A)}, {1.0, Hex(0x1E2A6A)}});
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        cairo_move_to(cr, 130, 146);
        cairo_line_to(cr, 130 + std::cos(a) * 21, 146 + std::sin(a) * 21);
    }
    cairo_arc(cr, 130, 146, 8, 0, 2 * M_PI);
    Lines(cr, Darken(shade, 0.2), 1.2);
    // Three portals.
    for (double px : {66.0, 130.0, 194.0}) {
        const double w = px == 130.0 ? 38 : 30, top = B - (px == 130.0 ? 66 : 56);
        cairo_move_to(cr, px - w / 2, B);
        cairo_line_to(cr, px - w / 2, top + w / 2);
        cairo_curve_to(cr, px - w / 2, top + 6, px - 4, top, px, top - 4);
        cairo_curve_to(cr, px + 4, top, px + w / 2, top + 6, px + w / 2, top + w / 2);
        cairo_line_to(cr, px + w / 2, B);
        cairo_close_path(cr);
        SetSource(cr, Darken(shade, 0.3));
        cairo_fill(cr);
        RoundRectPath(cr, px - w / 2 + 5, top + w / 2, w - 10, B - top - w / 2, 3);
        SetSource(cr, hole);
        cairo_fill(cr);
    }
}

// A curved Japanese roof between x0 and x1 with its eave at y (depth d).
void JapaneseRoof(cairo_t* cr, double x0, double x1, double y, double d, bool gable) {
    const Rgba tile = Hex(0x5A6478), tileD = Hex(0x2E3444);
    cairo_move_to(cr, x0 - 6, y - 3);
    cairo_curve_to(cr, x0 + 4, y - 1, x0 + 10, y - d * 0.6, x0 + 16, y - d);
    cairo_line_to(cr, x1 - 16, y - d);
    cairo_curve_to(cr, x1 - 10, y - d * 0.6, x1 - 4, y - 1, x1 + 6, y - 3);
    cairo_line_to(cr, x1 + 4, y + 1);
    cairo_line_to(cr, x0 - 4, y + 1);
    cairo_close_path(cr);
    FillLinear(cr, 0, y - d, 0, y + 1, {{0.0, Lighten(tile, 0.2)}, {1.0, tileD}});
    cairo_move_to(cr, x0 - 5, y);
    cairo_line_to(cr, x1 + 5, y);
    Lines(cr, Hex(0xE8E8E8, 0.9), 1.4);
    if (gable) {
        const double cx = (x0 + x1) / 2, gw = (x1 - x0) * 0.28;
        cairo_move_to(cr, cx - gw, y - d + 1);
        cairo_line_to(cr, cx, y - d - gw * 0.7);
        cairo_line_to(cr, cx + gw, y - d + 1);
        cairo_close_path(cr);
        SetSource(cr, Hex(0xF4F2EC));
        cairo_fill_preserve(cr);
        Lines(cr, tileD, 1.5);
    }
}

// ---- 7: Himeji Castle ----
void Himeji(Canvas& c, const Theme& t) {
    cairo_t* cr = c.Cr();
    // Curved stone base.
    cairo_move_to(cr, 16, B);
    cairo_curve_to(cr, 36, B - 20, 46, B - 50, 50, B - 72);
    cairo_line_to(cr, 210, B - 72);
    cairo_curve_to(cr, 214, B - 50, 224, B - 20, 244, B);
    cairo_close_path(cr);
    FillLitH(cr, 16, 244, Hex(0xA8A092), Hex(0x5E584E));
    cairo_save(cr);
    cairo_move_to(cr, 16, B);
    cairo_curve_to(cr, 36, B - 20, 46, B - 50, 50, B - 72);
    cairo_line_to(cr, 210, B - 72);
    cairo_curve_to(cr, 214, B - 50, 224, B - 20, 244, B);
    cairo_close_path(cr);
    cairo_clip(cr);
    Courses(cr, 0, 260, B - 72, B, 8, 15, Hex(0x2A2622, 0.3));
    cairo_restore(cr);
    struct Storey { double x0, x1, y0, y1; };
    const Storey s[] = {{54, 206, 196, 224}, {66, 194, 162, 186}, {78, 182, 130, 152}, {90, 170, 100, 120}, {98, 162, 70, 90}};
    double roofDepth = 14;
    for (const Storey& st : s) {
        Rect(cr, st.x0, st.y0, st.x1 - st.x0, st.y1 - st.y0 + 2);
        FillLitH(cr, st.x0, st.x1, Hex(0xFBFAF6), Hex(0xB8B4AC));
        for (double x = st.x0 + 10; x < st.x1 - 10; x += 18) {
            Rect(cr, x, st.y0 + 6, 8, 6);
            SetSource(cr, Hex(0x2A2A30, 0.8));
            cairo_fill(cr);
        }
        (void)t;
    }
    // Roofs over each storey (drawn top-down so lower eaves overlap the walls above them).
    const bool gables[] = {true, false, true, false, true};
    for (int i = 4; i >= 0; --i) {
        JapaneseRoof(cr, s[i].x0 - 8, s[i].x1 + 8, s[i].y0 + 2, roofDepth - i, gables[i]);
        JapaneseRoof(cr, s[i].x0 - 8, s[i].x1 + 8, s[i].y0 + 2, roofDepth - i, false);
    }
    JapaneseRoof(cr, 88, 172, 72, 16, true);
    // Golden shachihoko on the ridge.
    for (double x : {94.0, 166.0}) {
        cairo_move_to(cr, x, 56);
        cairo_curve_to(cr, x - 3, 50, x + 3, 46, x + (x < 130 ? -2 : 2), 42);
        Lines(cr, palette::Gold, 3);
    }
}

using Painter = void (*)(Canvas&, const Theme&);
constexpr Painter Painters[LevelCount] = {Pyramid, Temple, SunPyramid, Sophia, Angkor, NotreDame, Himeji};

// Top row of the monument that has any paint.
int TopRow(const Canvas& c) {
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (AlphaAt(c, x, y) > 0.1) return y;
    return 0;
}

// Left and right painted columns of row y (or -1, -1).
std::pair<int, int> RowSpan(const Canvas& c, int y) {
    int l = -1, r = -1;
    for (int x = 0; x < c.Width(); ++x)
        if (AlphaAt(c, x, y) > 0.3) {
            if (l < 0) l = x;
            r = x;
        }
    return {l, r};
}

// Scaffolding poles and ledgers around the working height, in front of the rising building.
void Scaffold(Canvas& c, const Canvas& full, double cut, uint32_t seed) {
    cairo_t* cr = c.Cr();
    ArtRandom r(seed);
    const int row = std::clamp(static_cast<int>(cut) + 4, 0, MonumentH - 1);
    auto [l, rr] = RowSpan(full, row);
    if (l < 0) return;
    const double top = std::max(8.0, cut - 26);
    std::vector<double> xs;
    for (double x = l + 4; x <= rr - 2; x += 34 + r.Real(-4, 4)) xs.push_back(x);
    if (xs.empty() || rr - xs.back() > 14) xs.push_back(rr - 2);
    for (double x : xs) Pole(cr, x + r.Real(-1, 1), B - 1, x, top + r.Real(0, 6), 2.2);
    for (double y = cut + 18; y > top + 4; y -= 20) {
        Pole(cr, xs.front() - 3, y, xs.back() + 3, y + r.Real(-1, 1), 1.6);
    }
    // A working platform just under the fresh course.
    Pole(cr, xs.front() - 4, cut + 2, xs.back() + 4, cut + 2, 3.0);
}

// The plank and two posts under the little figure at (X, Y): feet at (X + 8, Y + 24).
void FigurePlank(Canvas& c, const SmallWorkerPos& f) {
    cairo_t* cr = c.Cr();
    const double y = f.Y + 24.5, x0 = f.X - 5, x1 = f.X + 21;
    Pole(cr, x0 + 2, B - 1, x0 + 2, y, 2.0);
    Pole(cr, x1 - 2, B - 1, x1 - 2, y, 2.0);
    Pole(cr, x0 + 2, y + 16, x1 - 2, y + 30, 1.2);
    cairo_rectangle(cr, x0, y, x1 - x0, 3.5);
    FillVertical(cr, y, y + 3.5, Hex(0xC8985A), Hex(0x6A4420));
    cairo_move_to(cr, x0, y + 3.5);
    cairo_line_to(cr, x1, y + 3.5);
    Lines(cr, Hex(0x2A1808, 0.6), 1);
}

}  // namespace

int FrameAfterSublevels(int done) {
    int f = -1;
    for (int i = 0; i < done && i < 7; ++i) f += StageFrames[i];
    return std::max(0, f);
}

Canvas CompleteMonument(int level, int fitW) {
    Canvas raw(MonumentW, MonumentH);
    const Theme& t = ThemeOf(level);
    Painters[level - 1](raw, t);
    // The painting keeps to the left fitW columns of the picture: at 800 x 600 the time bar stands
    // just right of them and the monument is drawn after it. Scale the drawing to fit, feet on the ground line.
    int l = MonumentW, r = -1;
    for (int y = 0; y < MonumentH; ++y)
        for (int x = 0; x < MonumentW; ++x)
            if (AlphaAt(raw, x, y) > 0.02) {
                l = std::min(l, x);
                r = std::max(r, x);
            }
    Canvas c(MonumentW, MonumentH);
    const double k = r > l ? std::min(1.0, (fitW - 4.0) / (r - l + 1)) : 1.0;
    cairo_t* cr = c.Cr();
    cairo_save(cr);
    cairo_translate(cr, 2 - l * k, B * (1 - k));
    cairo_scale(cr, k, k);
    cairo_set_source_surface(cr, raw.Surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    Weather(c, HashString("monument", level), 0.10, 0.05, 9);
    Bevel(c, 1.2, 0.5);
    return c;
}

Canvas MonumentStage(int level, const Canvas& full, int frame, const std::vector<SmallWorkerPos>& figures) {
    Canvas c(MonumentW, MonumentH);
    const uint32_t seed = HashString("stage", static_cast<uint32_t>(level * 100 + frame));
    {
        const auto [l, rr] = RowSpan(full, MonumentBase - 3);
        if (l >= 0) GroundShadow(c, (l + rr) / 2.0 + 12, B - 1, (rr - l) / 2.0 + 14, 6, 0.35);
    }
    if (frame >= MonumentFrames - 1) {
        c.Paint(full, 0, 0);
    } else {
        const double top = TopRow(full);
        const double built = 0.04 + 0.96 * frame / double(MonumentFrames - 1);
        const double cut = B - (B - top) * built;

        // The built part: the full picture below a ragged course line.
        cairo_t* cr = c.Cr();
        cairo_save(cr);
        ArtRandom r(seed);
        for (double x = 0; x < MonumentW; x += 12) {
            const double step = r.Int(0, 2) * 3.0;
            cairo_rectangle(cr, x, cut + step, 12, MonumentH);
        }
        cairo_clip(cr);
        cairo_set_source_surface(cr, full.Surface(), 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
        // Fresh-cut stone on the working course catches the light.
        cairo_save(cr);
        cairo_rectangle(cr, 0, cut, MonumentW, 7);
        cairo_clip(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
        SetSource(cr, Hex(0xFFF4D8, 0.25));
        cairo_paint(cr);
        cairo_restore(cr);
        if (frame == 0) {
            // Foundations: stakes and a line marking out the footprint.
            const auto [l, rr] = RowSpan(full, MonumentBase - 4);
            cairo_t* cc = c.Cr();
            for (double x : {double(l) - 2, double(rr) + 2, (l + rr) / 2.0}) Pole(cc, x, B, x, B - 22, 2.0);
            cairo_move_to(cc, l - 2, B - 18);
            cairo_line_to(cc, rr + 2, B - 18);
            Lines(cc, Hex(0xE8D8B0, 0.8), 0.8);
        } else {
            Scaffold(c, full, cut, seed);
        }
    }
    for (const SmallWorkerPos& f : figures)
        if (f.Phase == frame + 1) FigurePlank(c, f);
    return c;
}

}  // namespace vantero::art::levels

ARTGEN_MODULE(monuments) {
    using namespace vantero::art;
    using namespace vantero::art::levels;
    for (int level = 1; level <= LevelCount; ++level) {
        reg.Add("base/" + LevelFolder(level) + "/vantero.25.png",
                [level](ArtContext& ctx) {
                    const std::vector<SmallWorkerPos> figures = SmallWorkers(ctx.Data().DataDir, level);
                    const Canvas full = CompleteMonument(level, MonumentFitWidth(ctx, level));
                    Sequence seq;
                    for (int f = 0; f < MonumentFrames; ++f) seq.Frames.push_back(MonumentStage(level, full, f, figures));
                    PreviewStrip(seq, ctx.OutputPath());
                    return seq;
                },
                {}, 6.0);
    }
}
