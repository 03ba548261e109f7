#include "ArtPaint.h"

#include <algorithm>
#include <cmath>

namespace vantero::art {

namespace {

inline uint8_t A8(uint32_t p) { return p >> 24; }
inline uint8_t R8(uint32_t p) { return (p >> 16) & 0xFF; }
inline uint8_t G8(uint32_t p) { return (p >> 8) & 0xFF; }
inline uint8_t B8(uint32_t p) { return p & 0xFF; }
inline uint32_t Pack(double a, double r, double g, double b) {
    auto c = [](double v) { return static_cast<uint32_t>(std::clamp(std::lround(v), 0L, 255L)); };
    const uint32_t ai = c(a);
    auto cc = [&](double v) { return std::min(c(v), ai); };
    return (ai << 24) | (cc(r) << 16) | (cc(g) << 8) | cc(b);
}
inline double Smooth(double t) { return t * t * (3.0 - 2.0 * t); }

uint32_t Hash3(uint32_t a, uint32_t b, uint32_t c) {
    uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

// Separable box blur of a float plane, clamped at the edges.
void BoxBlurPlane(std::vector<float>& v, int w, int h, int radius) {
    if (radius < 1) return;
    std::vector<float> tmp(std::max(w, h));
    const float norm = 1.0f / (2 * radius + 1);
    for (int y = 0; y < h; ++y) {
        float* row = &v[static_cast<size_t>(y) * w];
        double sum = 0;
        for (int i = -radius; i <= radius; ++i) sum += row[std::clamp(i, 0, w - 1)];
        for (int x = 0; x < w; ++x) {
            tmp[x] = static_cast<float>(sum * norm);
            sum += row[std::min(x + radius + 1, w - 1)] - row[std::max(x - radius, 0)];
        }
        std::copy(tmp.begin(), tmp.begin() + w, row);
    }
    for (int x = 0; x < w; ++x) {
        double sum = 0;
        for (int i = -radius; i <= radius; ++i) sum += v[static_cast<size_t>(std::clamp(i, 0, h - 1)) * w + x];
        for (int y = 0; y < h; ++y) {
            tmp[y] = static_cast<float>(sum * norm);
            sum += v[static_cast<size_t>(std::min(y + radius + 1, h - 1)) * w + x] -
                   v[static_cast<size_t>(std::max(y - radius, 0)) * w + x];
        }
        for (int y = 0; y < h; ++y) v[static_cast<size_t>(y) * w + x] = tmp[y];
    }
}

void GaussPlane(std::vector<float>& v, int w, int h, double radius) {
    const int b = std::max(1, static_cast<int>(std::lround(radius * 0.5)));
    for (int i = 0; i < 3; ++i) BoxBlurPlane(v, w, h, b);
}

// Shape alpha as a float plane (0..1).
std::vector<float> AlphaPlane(const Canvas& c) {
    const int w = c.Width(), h = c.Height(), s = c.StridePixels();
    const uint32_t* px = c.Pixels();
    std::vector<float> a(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) a[static_cast<size_t>(y) * w + x] = A8(px[y * s + x]) / 255.0f;
    return a;
}

// Canvas filled with colour whose alpha comes from a plane (offset by pad on each side).
Canvas PlaneToCanvas(const std::vector<float>& a, int w, int h, const Rgba& color) {
    Canvas out(w, h);
    uint32_t* px = out.Pixels();
    const int s = out.StridePixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double al = std::clamp(static_cast<double>(a[static_cast<size_t>(y) * w + x]), 0.0, 1.0) * color.a * 255.0;
            px[y * s + x] = Pack(al, color.r * al, color.g * al, color.b * al);
        }
    out.MarkDirty();
    return out;
}

}  // namespace

// ---- Colours ----
Rgba Hex(uint32_t rgb, double alpha) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}
Rgba Mix(const Rgba& x, const Rgba& y, double t) {
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}
Rgba Lighten(const Rgba& c, double amount) { return Mix(c, {1, 1, 1, c.a}, amount); }
Rgba Darken(const Rgba& c, double amount) { return Mix(c, {0, 0, 0, c.a}, amount); }
Rgba WithAlpha(const Rgba& c, double alpha) { return {c.r, c.g, c.b, alpha}; }
void SetSource(cairo_t* cr, const Rgba& c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

// ---- Randomness ----
ArtRandom::ArtRandom(uint32_t seed) : state_(0x853C49E6748FEA9Bull ^ (static_cast<uint64_t>(seed) << 1 | 1)) {
    for (int i = 0; i < 4; ++i) Next();
}
uint32_t ArtRandom::Next() {
    // PCG-XSH-RR
    const uint64_t old = state_;
    state_ = old * 6364136223846793005ull + 1442695040888963407ull;
    const uint32_t xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
    const uint32_t rot = static_cast<uint32_t>(old >> 59u);
    return (xorshifted >> rot) | (xorshifted << ((32 - rot) & 31));
}
double ArtRandom::Real(double a, double b) { return a + (b - a) * ((Next() >> 8) * (1.0 / 16777216.0)); }
int ArtRandom::Int(int a, int b) { return a + static_cast<int>(Next() % static_cast<uint32_t>(b - a + 1)); }
bool ArtRandom::Chance(double p) { return Real() < p; }
double ArtRandom::Normal(double mean, double sigma) {
    double s = 0;
    for (int i = 0; i < 6; ++i) s += Real();
    return mean + (s - 3.0) * sigma * 1.41421356;
}
uint32_t HashString(const char* text, uint32_t seed) {
    uint32_t h = seed;
    for (; *text; ++text) {
        h ^= static_cast<uint8_t>(*text);
        h *= 16777619u;
    }
    return h;
}

// ---- Value noise ----
ValueNoise::ValueNoise(uint32_t seed, int periodX, int periodY) : seed_(seed), periodX_(periodX), periodY_(periodY) {}

double ValueNoise::Lattice(int ix, int iy, int px, int py) const {
    if (px > 0) ix = ((ix % px) + px) % px;
    if (py > 0) iy = ((iy % py) + py) % py;
    return (Hash3(static_cast<uint32_t>(ix), static_cast<uint32_t>(iy), seed_) >> 8) * (1.0 / 16777216.0);
}

double ValueNoise::At(double x, double y) const {
    const int px = periodX_ * octaveScale_, py = periodY_ * octaveScale_;
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const double tx = Smooth(x - fx), ty = Smooth(y - fy);
    const double a = Lattice(ix, iy, px, py), b = Lattice(ix + 1, iy, px, py);
    const double c = Lattice(ix, iy + 1, px, py), d = Lattice(ix + 1, iy + 1, px, py);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double ValueNoise::Fbm(double x, double y, int octaves, double gain) const {
    double sum = 0, amp = 1, norm = 0, f = 1;
    for (int i = 0; i < octaves; ++i) {
        octaveScale_ = static_cast<int>(f);
        sum += amp * At(x * f + i * 17.31 * (periodX_ ? 0 : 1), y * f + i * 9.77 * (periodY_ ? 0 : 1));
        norm += amp;
        amp *= gain;
        f *= 2;
    }
    octaveScale_ = 1;
    return sum / norm;
}

// ---- Gradients ----
namespace {
void AddStops(cairo_pattern_t* p, const Stops& stops) {
    for (const auto& [off, c] : stops) cairo_pattern_add_color_stop_rgba(p, off, c.r, c.g, c.b, c.a);
}
}  // namespace
cairo_pattern_t* LinearGradient(double x0, double y0, double x1, double y1, const Stops& stops) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    AddStops(p, stops);
    return p;
}
cairo_pattern_t* RadialGradient(double cx, double cy, double r0, double r1, const Stops& stops) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1);
    AddStops(p, stops);
    return p;
}
void FillLinear(cairo_t* cr, double x0, double y0, double x1, double y1, const Stops& stops) {
    cairo_pattern_t* p = LinearGradient(x0, y0, x1, y1, stops);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}
void FillRadial(cairo_t* cr, double cx, double cy, double r0, double r1, const Stops& stops) {
    cairo_pattern_t* p = RadialGradient(cx, cy, r0, r1, stops);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}
void PaintLinear(Canvas& c, double x0, double y0, double x1, double y1, const Stops& stops) {
    cairo_t* cr = c.Cr();
    cairo_save(cr);
    cairo_pattern_t* p = LinearGradient(x0, y0, x1, y1, stops);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

// ---- Shapes ----
void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}
void StarPath(cairo_t* cr, double cx, double cy, double rOuter, double rInner, int points, double rotation) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < points * 2; ++i) {
        const double r = (i % 2 == 0) ? rOuter : rInner;
        const double a = rotation + i * M_PI / points - M_PI / 2;
        if (i == 0) cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
        else cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}
void RoughRectPath(cairo_t* cr, double x, double y, double w, double h, double amplitude, uint32_t seed,
                   double step) {
    const ValueNoise n(seed);
    const double perim = 2 * (w + h);
    const int count = std::max(8, static_cast<int>(perim / step));
    cairo_new_sub_path(cr);
    for (int i = 0; i < count; ++i) {
        double d = perim * i / count, px, py, nx, ny;
        if (d < w) { px = x + d; py = y; nx = 0; ny = -1; }
        else if ((d -= w) < h) { px = x + w; py = y + d; nx = 1; ny = 0; }
        else if ((d -= h) < w) { px = x + w - d; py = y + h; nx = 0; ny = 1; }
        else { d -= w; px = x; py = y + h - d; nx = -1; ny = 0; }
        const double off = (n.Fbm(i * 0.35, 3.7, 3) - 0.5) * 2 * amplitude;
        if (i == 0) cairo_move_to(cr, px + nx * off, py + ny * off);
        else cairo_line_to(cr, px + nx * off, py + ny * off);
    }
    cairo_close_path(cr);
}

// ---- Blur, shadows and light ----
void Blur(Canvas& c, double radius) {
    const int w = c.Width(), h = c.Height(), s = c.StridePixels();
    uint32_t* px = c.Pixels();
    std::vector<float> planes[4];
    for (auto& p : planes) p.resize(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t p = px[y * s + x];
            const size_t i = static_cast<size_t>(y) * w + x;
            planes[0][i] = A8(p); planes[1][i] = R8(p); planes[2][i] = G8(p); planes[3][i] = B8(p);
        }
    for (auto& p : planes) GaussPlane(p, w, h, radius);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t i = static_cast<size_t>(y) * w + x;
            px[y * s + x] = Pack(planes[0][i], planes[1][i], planes[2][i], planes[3][i]);
        }
    c.MarkDirty();
}

void DropShadow(Canvas& dst, const Canvas& shape, double x, double y, double dx, double dy, double radius,
                const Rgba& color) {
    const int pad = static_cast<int>(std::ceil(radius * 2)) + 2;
    const int w = shape.Width() + 2 * pad, h = shape.Height() + 2 * pad;
    std::vector<float> a(static_cast<size_t>(w) * h, 0.0f);
    const std::vector<float> src = AlphaPlane(shape);
    for (int yy = 0; yy < shape.Height(); ++yy)
        std::copy(src.begin() + static_cast<long>(yy) * shape.Width(), src.begin() + static_cast<long>(yy + 1) * shape.Width(),
                  a.begin() + static_cast<long>(yy + pad) * w + pad);
    GaussPlane(a, w, h, radius);
    const Canvas sh = PlaneToCanvas(a, w, h, color);
    dst.Paint(sh, x + dx - pad, y + dy - pad);
}

void OuterGlow(Canvas& dst, const Canvas& shape, double x, double y, double radius, const Rgba& color) {
    DropShadow(dst, shape, x, y, 0, 0, radius, color);
}

void EdgeLight(Canvas& c, double angleDeg, double width, const Rgba& color, double strength) {
    const int w = c.Width(), h = c.Height(), s = c.StridePixels();
    const std::vector<float> a = AlphaPlane(c);
    const double lx = std::cos(angleDeg * M_PI / 180.0) * width, ly = std::sin(angleDeg * M_PI / 180.0) * width;
    std::vector<float> rim(a.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int sx = static_cast<int>(std::lround(x + lx)), sy = static_cast<int>(std::lround(y + ly));
            const float b = (sx < 0 || sy < 0 || sx >= w || sy >= h) ? 0.0f : a[static_cast<size_t>(sy) * w + sx];
            rim[static_cast<size_t>(y) * w + x] = std::max(0.0f, a[static_cast<size_t>(y) * w + x] - b);
        }
    GaussPlane(rim, w, h, std::max(1.0, width * 0.6));
    uint32_t* px = c.Pixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t i = static_cast<size_t>(y) * w + x;
            const uint32_t p = px[y * s + x];
            const double al = A8(p);
            if (al == 0) continue;
            const double m = std::clamp(rim[i] * 1.6 * strength * color.a, 0.0, 1.0) * (al / 255.0);
            px[y * s + x] = Pack(al, R8(p) * (1 - m) + color.r * al * m, G8(p) * (1 - m) + color.g * al * m,
                                 B8(p) * (1 - m) + color.b * al * m);
        }
    c.MarkDirty();
}

void Bevel(Canvas& c, double width, double strength) {
    EdgeLight(c, -135, width, Hex(0xFFF6D8, 0.75), strength);
    EdgeLight(c, 45, width, Hex(0x2A1808, 0.6), strength);
}

void Vignette(Canvas& c, double strength, double inner) {
    const int w = c.Width(), h = c.Height(), s = c.StridePixels();
    uint32_t* px = c.Pixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = (x + 0.5) / w * 2 - 1, dy = (y + 0.5) / h * 2 - 1;
            const double d = std::sqrt(dx * dx + dy * dy) / std::sqrt(2.0);
            const double t = std::clamp((d - inner) / (1.0 - inner), 0.0, 1.0);
            const double f = 1.0 - strength * Smooth(t);
            const uint32_t p = px[y * s + x];
            px[y * s + x] = Pack(A8(p), R8(p) * f, G8(p) * f, B8(p) * f);
        }
    c.MarkDirty();
}

// ---- Texture overlays ----
void Grain(Canvas& c, uint32_t seed, double amount) {
    const int w = c.Width(), h = c.Height(), s = c.StridePixels();
    uint32_t* px = c.Pixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t p = px[y * s + x];
            const double al = A8(p);
            if (al == 0) continue;
            const double d = ((Hash3(x, y, seed) >> 8) * (1.0 / 16777216.0) - 0.5) * 2 * amount * al;
            px[y * s + x] = Pack(al, R8(p) + d, G8(p) + d, B8(p) + d);
        }
    c.MarkDirty();
}

void NoiseShade(Canvas& c, const ValueNoise& n, double scale, double amount, int octaves) {
    const int w = c.Width(), h = c.Height(), s = c.StridePixels();
    uint32_t* px = c.Pixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t p = px[y * s + x];
            if (A8(p) == 0) continue;
            const double f = 1.0 + amount * (n.Fbm(x / scale, y / scale, octaves) - 0.5) * 2.0;
            px[y * s + x] = Pack(A8(p), R8(p) * f, G8(p) * f, B8(p) * f);
        }
    c.MarkDirty();
}

void Tint(Canvas& c, const Rgba& color, double amount) {
    const int w = c.Width(), h = c.Height(), s = c.StridePixels();
    uint32_t* px = c.Pixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t p = px[y * s + x];
            const double al = A8(p);
            px[y * s + x] = Pack(al, R8(p) * (1 - amount) + color.r * al * amount,
                                 G8(p) * (1 - amount) + color.g * al * amount, B8(p) * (1 - amount) + color.b * al * amount);
        }
    c.MarkDirty();
}

// ---- Material textures ----
Canvas StoneTexture(int w, int h, uint32_t seed, const Rgba& base, double scale, bool tileable) {
    int px = 0, py = 0;
    double sx = scale, sy = scale;
    if (tileable) {
        px = std::max(1, static_cast<int>(std::lround(w / scale)));
        py = std::max(1, static_cast<int>(std::lround(h / scale)));
        sx = static_cast<double>(w) / px;
        sy = static_cast<double>(h) / py;
    }
    const ValueNoise coarse(seed, px, py), hue(seed ^ 0x51ED, px, py);
    const int fpx = tileable ? px * 8 : 0, fpy = tileable ? py * 8 : 0;
    const ValueNoise fine(seed ^ 0xA11CE, fpx, fpy);
    Canvas c(w, h);
    uint32_t* pix = c.Pixels();
    const int s = c.StridePixels();
    const Rgba warm = Mix(base, palette::Terracotta, 0.25), cool = Mix(base, Hex(0x9A9A8A), 0.3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double n = coarse.Fbm(x / sx, y / sy, 5, 0.55);
            const double hn = hue.Fbm(x / sx * 0.5, y / sy * 0.5, 2);
            const double f = fine.Fbm(x / sx * 8, y / sy * 8, 2);
            const Rgba col = Mix(cool, warm, std::clamp(hn * 1.6 - 0.3, 0.0, 1.0));
            double k = 0.70 + 0.55 * n + 0.12 * (f - 0.5);
            // Pitting: dark specks where the fine noise peaks.
            if (f > 0.78) k -= (f - 0.78) * 1.4;
            pix[y * s + x] = Pack(255, col.r * 255 * k, col.g * 255 * k, col.b * 255 * k);
        }
    c.MarkDirty();
    Grain(c, seed ^ 0x6A6A, 0.05);
    return c;
}

Canvas ParchmentTexture(int w, int h, uint32_t seed, double rim) {
    const ValueNoise blot(seed), fibre(seed ^ 0xF1B5E), edge(seed ^ 0xED6E);
    Canvas c(w, h);
    uint32_t* pix = c.Pixels();
    const int s = c.StridePixels();
    const Rgba light = palette::Parchment, dark = Hex(0xC9A66B), burnt = Hex(0x7A4A22);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double b = blot.Fbm(x / 70.0, y / 70.0, 5);
            const double f = fibre.Fbm(x / 2.5, y / 30.0, 2);
            Rgba col = Mix(light, dark, std::clamp((b - 0.35) * 1.3, 0.0, 1.0));
            col = Mix(col, Darken(col, 0.25), std::clamp((f - 0.55) * 1.5, 0.0, 0.35));
            if (rim > 0) {
                const double ex = std::min(x + 0.5, w - x - 0.5) / (w * 0.5), ey = std::min(y + 0.5, h - y - 0.5) / (h * 0.5);
                const double e = std::min(ex, ey) * 6.0 + (edge.Fbm(x / 25.0, y / 25.0, 3) - 0.5) * 1.2;
                col = Mix(col, burnt, rim * std::clamp(1.0 - e, 0.0, 1.0) * 0.85);
            }
            pix[y * s + x] = Pack(255, col.r * 255, col.g * 255, col.b * 255);
        }
    c.MarkDirty();
    Grain(c, seed ^ 0x9A17, 0.04);
    return c;
}

Canvas SandTexture(int w, int h, uint32_t seed, bool tileable) {
    const int px = tileable ? std::max(1, w / 64) : 0, py = tileable ? std::max(1, h / 64) : 0;
    const double sx = tileable ? static_cast<double>(w) / px : 64, sy = tileable ? static_cast<double>(h) / py : 64;
    const ValueNoise n(seed, px, py), r(seed ^ 0x5A4D, px, py);
    Canvas c(w, h);
    uint32_t* pix = c.Pixels();
    const int s = c.StridePixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double b = n.Fbm(x / sx, y / sy, 5);
            const double warp = r.Fbm(x / sx, y / sy, 3);
            const double ripple = std::sin((y / sy * 10.0 + warp * 9.0) * M_PI) * 0.5 + 0.5;
            Rgba col = Mix(palette::SandDark, palette::SandLight, std::clamp(b * 1.2 - 0.05, 0.0, 1.0));
            const double k = 0.93 + 0.10 * ripple;
            pix[y * s + x] = Pack(255, col.r * 255 * k, col.g * 255 * k, col.b * 255 * k);
        }
    c.MarkDirty();
    Grain(c, seed ^ 0x77, 0.07);
    return c;
}

Canvas SkyTexture(int w, int h, uint32_t seed, double sunX, double sunY) {
    Canvas c(w, h);
    PaintLinear(c, 0, 0, 0, h, {{0.0, Hex(0x3E7FC0)}, {0.55, Hex(0x8DB8D8)}, {0.85, palette::SkyHorizon}, {1.0, Hex(0xFBE3B0)}});
    cairo_t* cr = c.Cr();
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, w, h);
    FillRadial(cr, sunX, sunY, 0, std::max(w, h) * 0.7,
               {{0.0, Hex(0xFFFBE8, 1.0)}, {0.06, Hex(0xFFF0C0, 0.95)}, {0.25, Hex(0xFFD98A, 0.45)}, {1.0, Hex(0xFFD98A, 0.0)}});
    cairo_restore(cr);
    // Soft cloud bands.
    const ValueNoise n(seed);
    uint32_t* pix = c.Pixels();
    const int s = c.StridePixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double v = n.Fbm(x / (w * 0.22), y / (h * 0.07), 5);
            const double band = std::exp(-std::pow((y / static_cast<double>(h) - 0.35) / 0.18, 2));
            const double m = std::clamp((v - 0.5) * 2.2, 0.0, 1.0) * band * 0.55;
            if (m <= 0) continue;
            const uint32_t p = pix[y * s + x];
            pix[y * s + x] = Pack(255, R8(p) + (255 - R8(p)) * m, G8(p) + (248 - G8(p)) * m, B8(p) + (232 - B8(p)) * m);
        }
    c.MarkDirty();
    return c;
}

Canvas MaskWith(const Canvas& texture, const Canvas& shapeMask) {
    Canvas out(shapeMask.Width(), shapeMask.Height());
    cairo_t* cr = out.Cr();
    cairo_save(cr);
    cairo_set_source_surface(cr, texture.Surface(), 0, 0);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_REPEAT);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_IN);
    cairo_set_source_surface(cr, shapeMask.Surface(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    return out;
}

// Pulls colours towards their grey level (amount 0..1) and darkens them a little; keeps alpha.
void Desaturate(Canvas& c, double amount, double darken) {
    uint32_t* px = c.Pixels();
    const int s = c.StridePixels();
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            uint32_t& p = px[y * s + x];
            const double a = (p >> 24) & 255, r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
            const double l = 0.3 * r + 0.59 * g + 0.11 * b;
            auto f = [&](double v) { return static_cast<uint32_t>(std::clamp((v + (l - v) * amount) * (1 - darken), 0.0, a)); };
            p = (static_cast<uint32_t>(a) << 24) | (f(r) << 16) | (f(g) << 8) | f(b);
        }
    c.MarkDirty();
}

}  // namespace vantero::art
