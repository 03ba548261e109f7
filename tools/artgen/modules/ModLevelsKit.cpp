// Level data readers, the seven monuments' colour themes and small painting helpers (no jobs here).
#include "LevelsKit.h"

#include "ConfigText.h"

#include <algorithm>
#include <cstdlib>
#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace vantero::art::levels {
namespace {

// Attribute value of one element's text, or "" when absent.
std::string Attribute(const std::string& element, const char* name) {
    const std::regex re(std::string("\\b") + name + R"re(\s*=\s*"([^"]*)")re");
    std::smatch m;
    return std::regex_search(element, m, re) ? m[1].str() : std::string();
}

std::vector<std::string> Elements(const std::string& text, const char* tag) {
    std::vector<std::string> out;
    const std::regex re(std::string("<") + tag + R"(\b[^>]*>)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        out.push_back(it->str());
    return out;
}

}  // namespace

std::string TwoDigits(int n) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d", n);
    return b;
}
std::string LevelFolder(int level) { return "levels/" + TwoDigits(level); }
std::string LayoutFileTag(Layout layout) { return layout == Layout::R1280x720 ? "r1280x720" : "r800x600"; }

KeyValues LevelAttributes(const std::string& dataDir, int level, Layout layout) {
    KeyValues kv;
    kv.ReadFile(dataDir + "/cfg/levels/" + TwoDigits(level) + "_" + LayoutFileTag(layout) + "_attr.xml");
    return kv;
}

std::vector<AnimPlacement> LevelAnimations(const std::string& dataDir, int level, Layout layout) {
    const std::string text = ReadConfigText(dataDir + "/cfg/levels/" + TwoDigits(level) + "_" + LayoutFileTag(layout) + ".xml");
    std::vector<AnimPlacement> out;
    for (const std::string& e : Elements(text, "BackgroundAnimation")) {
        AnimPlacement a;
        a.Engine = Attribute(e, "Engine");
        if (a.Engine.empty()) a.Engine = "Simple";
        a.Src = Attribute(e, "Src");
        a.X = std::atof(Attribute(e, "X").c_str());
        a.Y = std::atof(Attribute(e, "Y").c_str());
        out.push_back(a);
    }
    return out;
}

std::vector<SmallWorkerPos> SmallWorkers(const std::string& dataDir, int level) {
    const std::string text = ReadConfigText(dataDir + "/cfg/levels/" + TwoDigits(level) + ".xml");
    std::vector<SmallWorkerPos> out;
    for (const std::string& e : Elements(text, "SmallWorker"))
        out.push_back({std::atoi(Attribute(e, "Phase").c_str()), std::atoi(Attribute(e, "X").c_str()),
                       std::atoi(Attribute(e, "Y").c_str())});
    return out;
}

AnimPlacement FindAnimation(const std::string& dataDir, int level, Layout layout, const std::string& src) {
    for (const AnimPlacement& a : LevelAnimations(dataDir, level, layout))
        if (a.Src == src) return a;
    throw std::runtime_error("level " + TwoDigits(level) + " has no backdrop animation " + src);
}

bool HasAnimation(const std::string& dataDir, int level, Layout layout, const std::string& src) {
    for (const AnimPlacement& a : LevelAnimations(dataDir, level, layout))
        if (a.Src == src) return true;
    return false;
}

int MonumentFitWidth(const ArtContext& ctx, int level) {
    int fit = MonumentW;
    for (Layout l : AllLayouts) {
        const KeyValues a = LevelAttributes(ctx.Data().DataDir, level, l);
        fit = std::min(fit, ctx.ValuesFor(l).Int("GameScreenTimeX") - a.Int("ConstructionX") - 2);
    }
    return fit;
}

const Theme& ThemeOf(int level) {
    static const Theme themes[LevelCount] = {
        // 1 Giza: high golden afternoon over the desert (the sun stands upper left in every daylight level).
        {"Great Pyramid of Giza", Hex(0x3E7FC0), Hex(0x8DB8D8), Hex(0xF6DDA4), Hex(0xFFF2C0), 0.17, 0.08, false,
         Hex(0xD9B47E), Hex(0xC99A5C), Hex(0xE2C28A), Hex(0xA8834F), Hex(0xE6CC98), Hex(0x9A7446), Hex(0xD8BC88),
         Hex(0x49A6D8), Hex(0x1E5A8A), Hex(0x6E9A3A), Hex(0xC9963A)},
        // 2 Sounion: bright sea light in the late afternoon.
        {"Temple of Poseidon at Sounion", Hex(0x2F78C4), Hex(0x7DB6E0), Hex(0xF4E2BC), Hex(0xFFF6D6), 0.15, 0.10, false,
         Hex(0x8FA7B8), Hex(0x9C8F6C), Hex(0xC9B48C), Hex(0x7E6C4E), Hex(0xF0EADC), Hex(0xA49C8C), Hex(0xE4DDCC),
         Hex(0x3F9CC8), Hex(0x17507E), Hex(0x5E8A3E), Hex(0xB8B8B0)},
        // 3 Teotihuacan: orange evening over the highland valley.
        {"Pyramid of the Sun, Teotihuacan", Hex(0x35508E), Hex(0xC9887A), Hex(0xF8C07A), Hex(0xFFE2A0), 0.18, 0.16, false,
         Hex(0x8C6E78), Hex(0x6F7A42), Hex(0xB8895E), Hex(0x6E4A2C), Hex(0xB09478), Hex(0x6A5444), Hex(0xA88A6E),
         Hex(0xD2563A), Hex(0x7A1E14), Hex(0x4F7A2A), Hex(0xB0783A)},
        // 4 Hagia Sophia: dusk over the city, rose and violet.
        {"Hagia Sophia", Hex(0x2C3566), Hex(0x8A6A8E), Hex(0xF4B488), Hex(0xFFD8A0), 0.16, 0.18, false,
         Hex(0x7A6A84), Hex(0x8A6A5A), Hex(0xC8A27E), Hex(0x7A583C), Hex(0xE0BC96), Hex(0x8E6A56), Hex(0xD6B08A),
         Hex(0x8E4AC0), Hex(0x3A1A66), Hex(0x5E7A3A), Hex(0xB88A4A)},
        // 5 Angkor Wat: a warm tropical night, the last glow on the horizon.
        {"Angkor Wat", Hex(0x0E1838), Hex(0x283E72), Hex(0xC0805A), Hex(0xF8E6B8), 0.26, 0.10, true,
         Hex(0x2A3450), Hex(0x24382C), Hex(0x7E6A4C), Hex(0x3A2E22), Hex(0xB8A888), Hex(0x5E5648), Hex(0xA89C80),
         Hex(0x3AD0B0), Hex(0x0E5A50), Hex(0x3E7A3A), Hex(0xA8884A)},
        // 6 Notre-Dame: storm clouds lit by a low sun over the Seine.
        {"Notre-Dame de Paris", Hex(0x3A4058), Hex(0x8C8088), Hex(0xF2C890), Hex(0xFFE6B0), 0.20, 0.14, false,
         Hex(0x6E7280), Hex(0x6A7A4A), Hex(0xB8A080), Hex(0x6A5842), Hex(0xDCD0B2), Hex(0x8A8068), Hex(0xCFC2A4),
         Hex(0x4A8AC8), Hex(0x1A3A70), Hex(0x6A8A3A), Hex(0x9A8A6A)},
        // 7 Himeji: clear evening over the plain, pink and gold.
        {"Himeji Castle", Hex(0x3A5A9A), Hex(0xB09AB0), Hex(0xF8D0A0), Hex(0xFFEAC0), 0.16, 0.14, false,
         Hex(0x7C88A0), Hex(0x6C8A48), Hex(0xC4AA80), Hex(0x6E5A40), Hex(0xF2EEE4), Hex(0x9A9690), Hex(0xB8B2A6),
         Hex(0xE86A8A), Hex(0x8A1E3E), Hex(0xD88AA8), Hex(0x8A8A90)},
    };
    if (level < 1 || level > LevelCount) throw std::runtime_error("no monument " + std::to_string(level));
    return themes[level - 1];
}

// ---- Painting helpers ----

double AlphaAt(const Canvas& c, int x, int y) {
    if (x < 0 || y < 0 || x >= c.Width() || y >= c.Height()) return 0;
    return ((c.Pixels()[y * c.StridePixels() + x] >> 24) & 0xFF) / 255.0;
}

void Weather(Canvas& c, uint32_t seed, double blotch, double grain, double scale) {
    const int w = c.Width(), h = c.Height();
    // Coarse noise grid, bilinearly sampled: cheap even for whole screens.
    const ValueNoise n(seed);
    const int gw = static_cast<int>(w / scale * 4) + 3, gh = static_cast<int>(h / scale * 4) + 3;
    std::vector<float> grid(static_cast<size_t>(gw) * gh);
    for (int gy = 0; gy < gh; ++gy)
        for (int gx = 0; gx < gw; ++gx) grid[gy * gw + gx] = static_cast<float>(n.Fbm(gx / 4.0, gy / 4.0, 3) - 0.5);
    ArtRandom r(seed ^ 0x9E3779B9u);
    c.MarkDirty();
    cairo_surface_flush(c.Surface());
    uint32_t* px = c.Pixels();
    const int stride = c.StridePixels();
    for (int y = 0; y < h; ++y) {
        const double fy = y / scale * 4;
        const int iy = static_cast<int>(fy);
        const double ty = fy - iy;
        for (int x = 0; x < w; ++x) {
            uint32_t& p = px[y * stride + x];
            const int a = (p >> 24) & 0xFF;
            if (a == 0) continue;
            const double fx = x / scale * 4;
            const int ix = static_cast<int>(fx);
            const double tx = fx - ix;
            const float* g = &grid[iy * gw + ix];
            const double v = (g[0] * (1 - tx) + g[1] * tx) * (1 - ty) + (g[gw] * (1 - tx) + g[gw + 1] * tx) * ty;
            const double k = 1.0 + v * 2 * blotch + (static_cast<double>(r.Next() & 0xFFFF) / 65535.0 - 0.5) * 2 * grain;
            auto ch = [&](int shift) {
                const int v8 = static_cast<int>(((p >> shift) & 0xFF) * k);
                return static_cast<uint32_t>(std::clamp(v8, 0, a)) << shift;
            };
            p = (static_cast<uint32_t>(a) << 24) | ch(16) | ch(8) | ch(0);
        }
    }
    c.MarkDirty();
}

void Sepia(Canvas& c, double alpha) {
    cairo_surface_flush(c.Surface());
    uint32_t* px = c.Pixels();
    const int stride = c.StridePixels();
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            uint32_t& p = px[y * stride + x];
            const int a = (p >> 24) & 0xFF;
            if (a == 0) continue;
            const double r = ((p >> 16) & 0xFF) / double(a), g = ((p >> 8) & 0xFF) / double(a), b = (p & 0xFF) / double(a);
            const double lum = 0.3 * r + 0.55 * g + 0.15 * b;
            // Ink: darker areas are denser; light stone stays a thin wash.
            const double ink = Clamp01(0.22 + (1.0 - lum) * 1.05);
            const double na = a / 255.0 * ink * alpha;
            const double cr = 0.36 + lum * 0.20, cg = 0.22 + lum * 0.14, cb = 0.10 + lum * 0.06;
            auto q = [&](double v) { return static_cast<uint32_t>(std::lround(Clamp01(v) * na * 255)); };
            p = (static_cast<uint32_t>(std::lround(na * 255)) << 24) | (q(cr) << 16) | (q(cg) << 8) | q(cb);
        }
    c.MarkDirty();
}

void PreviewStrip(const Sequence& seq, const std::string& name) {
    const char* dir = std::getenv("ARTGEN_PREVIEW_DIR");
    if (!dir || seq.Frames.empty()) return;
    const int w = seq.Frames[0].Width(), h = seq.Frames[0].Height();
    const int n = static_cast<int>(seq.Frames.size()), cols = std::min(n, std::max(1, 1600 / w));
    const int rows = (n + cols - 1) / cols;
    Canvas sheet(cols * w, rows * h);
    cairo_set_source_rgb(sheet.Cr(), 0.55, 0.6, 0.66);
    cairo_paint(sheet.Cr());
    for (int i = 0; i < n; ++i) sheet.Paint(seq.Frames[i], (i % cols) * w, (i / cols) * h);
    std::string file = name;
    std::replace(file.begin(), file.end(), '/', '_');
    WritePng(std::string(dir) + "/" + file + ".png", sheet);
}

void GroundShadow(Canvas& c, double cx, double cy, double rx, double ry, double alpha) {
    cairo_t* cr = c.Cr();
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 1.0, ry / rx);
    cairo_arc(cr, 0, 0, rx, 0, 2 * M_PI);
    cairo_restore(cr);
    FillRadial(cr, cx, cy, 0, rx, {{0.0, Hex(0x2A1808, alpha)}, {0.6, Hex(0x2A1808, alpha * 0.6)}, {1.0, Hex(0x2A1808, 0)}});
}

void FillVertical(cairo_t* cr, double y0, double y1, const Rgba& top, const Rgba& bottom) {
    FillLinear(cr, 0, y0, 0, y1, {{0.0, top}, {1.0, bottom}});
}

void Pole(cairo_t* cr, double x0, double y0, double x1, double y1, double width) {
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, width);
    SetSource(cr, Hex(0x5A3A1E));
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
    // Sunlit left edge.
    cairo_set_line_width(cr, std::max(0.6, width * 0.35));
    SetSource(cr, Hex(0xB8884E, 0.9));
    cairo_move_to(cr, x0 - width * 0.2, y0);
    cairo_line_to(cr, x1 - width * 0.2, y1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

}  // namespace vantero::art::levels
