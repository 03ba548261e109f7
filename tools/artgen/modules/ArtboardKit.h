// Small painting helpers shared by the board, score and game-screen furniture modules:
// additive light pictures, alpha clean-up for particle bursts, sparkles, easing and pixel walks.
#pragma once

#include "ArtJobs.h"
#include "ArtPaint.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace vantero::art::kit {

inline constexpr double Pi = 3.14159265358979323846;

inline double Clamp01(double t) { return std::clamp(t, 0.0, 1.0); }
inline double SmoothStep(double t) { t = Clamp01(t); return t * t * (3 - 2 * t); }
inline double EaseOut(double t) { t = Clamp01(t); return 1 - (1 - t) * (1 - t); }
inline double EaseIn(double t) { t = Clamp01(t); return t * t; }
// Overshooting ease (0 -> 1 with a small bounce past 1), for things that pop in.
inline double EaseBack(double t) {
    t = Clamp01(t);
    const double s = 1.9;
    const double u = t - 1;
    return 1 + u * u * ((s + 1) * u + s);
}

// Straight colour components of a premultiplied pixel.
inline double PxA(uint32_t p) { return (p >> 24) / 255.0; }

// An additive picture is drawn by adding its colour: transparent parts must be black. Returns the
// light composited over opaque black (alpha 255 everywhere, so nothing is left for the alpha test).
inline Canvas ToAdditive(const Canvas& light) {
    Canvas out(light.Width(), light.Height());
    cairo_t* cr = out.Cr();
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    out.Paint(light, 0, 0);
    return out;
}

// Clears every pixel whose alpha is below minAlpha (0..255): faint fringes would otherwise become
// dark particles when a picture bursts.
inline void CutAlpha(Canvas& c, int minAlpha) {
    uint32_t* px = c.Pixels();
    const int s = c.StridePixels();
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (static_cast<int>(px[y * s + x] >> 24) < minAlpha) px[y * s + x] = 0;
    c.MarkDirty();
}

// Multiplies the alpha (and premultiplied colour) of a canvas by f (0..1).
inline void FadeCanvas(Canvas& c, double f) {
    if (f >= 1) return;
    cairo_t* cr = c.Cr();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_IN);
    cairo_set_source_rgba(cr, 0, 0, 0, Clamp01(f));
    cairo_paint(cr);
    cairo_restore(cr);
}

// Keeps only the part of c that lies inside mask's alpha.
inline void ClipTo(Canvas& c, const Canvas& mask, double x = 0, double y = 0) {
    c.Paint(mask, x, y, 1.0, CAIRO_OPERATOR_DEST_IN);
}

// A soft four-pointed twinkle (two crossed light spikes and a round core) centred at (cx, cy).
inline void Twinkle(cairo_t* cr, double cx, double cy, double size, double angle, const Rgba& colour, double alpha) {
    if (size <= 0.2 || alpha <= 0) return;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    for (int arm = 0; arm < 2; ++arm) {
        cairo_save(cr);
        cairo_rotate(cr, arm * Pi / 2);
        cairo_scale(cr, size, size * 0.16);
        cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
        cairo_restore(cr);
        FillRadial(cr, 0, 0, 0, size, {{0.0, WithAlpha(Lighten(colour, 0.8), alpha)}, {0.35, WithAlpha(colour, alpha * 0.7)}, {1.0, WithAlpha(colour, 0)}});
    }
    cairo_arc(cr, 0, 0, size * 0.38, 0, 2 * Pi);
    FillRadial(cr, 0, 0, 0, size * 0.38, {{0.0, Hex(0xFFFFFF, alpha)}, {0.5, WithAlpha(Lighten(colour, 0.6), alpha * 0.6)}, {1.0, WithAlpha(colour, 0)}});
    cairo_restore(cr);
}

// A soft round glow of the given radius.
inline void GlowDisc(cairo_t* cr, double cx, double cy, double radius, const Rgba& colour, double alpha) {
    if (radius <= 0 || alpha <= 0) return;
    cairo_arc(cr, cx, cy, radius, 0, 2 * Pi);
    FillRadial(cr, cx, cy, 0, radius, {{0.0, WithAlpha(colour, alpha)}, {0.45, WithAlpha(colour, alpha * 0.45)}, {1.0, WithAlpha(colour, 0)}});
}

// Hue rotation of a colour (degrees), for iridescent sheens.
inline Rgba HueShift(const Rgba& c, double degrees) {
    const double a = degrees * Pi / 180, cs = std::cos(a), sn = std::sin(a);
    const double k = 1.0 / 3.0, sq = std::sqrt(k);
    auto m = [&](double x, double y, double z) {
        return x * (cs + (1 - cs) * k) + y * (k * (1 - cs) - sq * sn) + z * (k * (1 - cs) + sq * sn);
    };
    return {std::clamp(m(c.r, c.g, c.b), 0.0, 1.0), std::clamp(m(c.g, c.b, c.r), 0.0, 1.0),
            std::clamp(m(c.b, c.r, c.g), 0.0, 1.0), c.a};
}

// ---- Game data read while the jobs are registered (the set of pictures depends on it) ----

#ifndef ARTGEN_DATA_DIR
#define ARTGEN_DATA_DIR "data"
#endif

// The root tuning values of the source tree's game data.
inline KeyValues SourceTuning() {
    KeyValues v;
    v.ReadFile(std::string(ARTGEN_DATA_DIR) + "/cfg/tuning.xml");
    return v;
}

// Every gem kind the game can ask for: the SpriteIndex of each Element entry of every level, plus
// the kind the hidden gem turns into.
inline std::set<int> SourceGemKinds() {
    std::set<int> kinds;
    const std::filesystem::path dir = std::filesystem::path(ARTGEN_DATA_DIR) / "cfg" / "levels";
    static const std::regex element(R"re(<Element\s+SpriteIndex\s*=\s*"(\d+)")re");
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() != ".xml") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        const std::string text = ss.str();
        for (auto it = std::sregex_iterator(text.begin(), text.end(), element); it != std::sregex_iterator(); ++it)
            kinds.insert(std::stoi((*it)[1].str()));
    }
    kinds.insert(SourceTuning().Int("EasterEggNewElement"));
    return kinds;
}

// Every floating-score value: combinations of three to seven that score, the three bonuses and a
// worker sent home (these three show even when they are worth 0).
inline std::set<int> SourceScoreValues() {
    const KeyValues t = SourceTuning();
    std::set<int> v;
    for (const char* k : {"PointsForCombinationOfThree", "PointsForCombinationOfFour", "PointsForCombinationOfFive",
                          "PointsForCombinationOfSix", "PointsForCombinationOfSeven"})
        if (t.Int(k) > 0) v.insert(t.Int(k));
    for (const char* k : {"PointsForSpecial1", "PointsForSpecial2", "PointsForSpecial3", "PointsForWorker"})
        v.insert(t.Int(k));
    return v;
}

// Highest number of lives the indicator can show (developer keys can always reach 6).
inline int SourceMaxLives() {
    const KeyValues t = SourceTuning();
    return std::max({6, t.Int("MaxLifeCount"), t.Int("InitialLifeCount")});
}

// A number written with at least `digits` digits ("030", "07").
inline std::string Digits(int value, int digits) {
    std::string s = std::to_string(value);
    while (static_cast<int>(s.size()) < digits) s = "0" + s;
    return s;
}

}  // namespace vantero::art::kit
