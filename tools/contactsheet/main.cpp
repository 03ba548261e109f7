// contactsheet: reads a generated graphics tree and writes one PNG per folder group showing every
// sequence with its frames laid out (on a checkerboard, so alpha shows) and its name under it.
// With --cfg it also writes fonts.png: sample lines set with each bitmap font and its .des file.
// With --composite it assembles one game screen instead (Composite.h).
#include "Composite.h"
#include "Pictures.h"

#include <cairo.h>
#include <cstdio>
#include <gif_lib.h>
#include <jpeglib.h>
#include <pango/pangocairo.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace contactsheet;

namespace {

// The group a picture belongs to (one sheet each).
std::string GroupOf(const std::string& rel) {
    std::vector<std::string> parts;
    std::stringstream ss(rel);
    for (std::string p; std::getline(ss, p, '/');) parts.push_back(p);
    if (parts.empty()) return "misc";
    if (parts[0] == "no-gfx") return "pools";
    const bool res = parts.size() > 2 && parts[1].size() > 1 && parts[1][0] == 'R' && std::isdigit(static_cast<unsigned char>(parts[1][1]));
    const size_t lv = res ? 2 : 1;
    if (parts.size() > lv + 1 && parts[lv] == "levels") return "levels-" + parts[lv + 1];
    if (parts[0] == "base") return res ? "G3-" + parts[1] : (parts.size() > 2 && parts[1] != "ui" ? "G1-" + parts[1] : "G1-ui");
    return res ? "G4-" + parts[1] : "G2";
}

void Label(cairo_t* cr, const std::string& text, double x, double y, double size, bool bold) {
    PangoLayout* l = pango_cairo_create_layout(cr);
    PangoFontDescription* d = pango_font_description_from_string(bold ? "DejaVu Sans Bold" : "DejaVu Sans");
    pango_font_description_set_absolute_size(d, size * PANGO_SCALE);
    pango_layout_set_font_description(l, d);
    pango_font_description_free(d);
    pango_layout_set_text(l, text.c_str(), -1);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, l);
    g_object_unref(l);
}

void Checker(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    for (int j = 0; j * 8 < h; ++j)
        for (int i = 0; i * 8 < w; ++i) {
            const double c = ((i + j) % 2) ? 0.42 : 0.55;
            cairo_set_source_rgb(cr, c, c * 0.98, c * 0.95);
            cairo_rectangle(cr, x + i * 8, y + j * 8, 8, 8);
            cairo_fill(cr);
        }
    cairo_restore(cr);
}

constexpr int SheetWidth = 1600, Gap = 6, LabelH = 18;

void WriteSheet(const std::string& title, std::vector<SequenceView>& seqs, const fs::path& out) {
    // Pass 1 computes the height, pass 2 draws.
    auto layout = [&](cairo_t* cr) {
        double y = 40;
        if (cr) { cairo_set_source_rgb(cr, 1, 1, 1); Label(cr, title + "  (" + std::to_string(seqs.size()) + " sequences)", 10, 8, 20, true); }
        for (SequenceView& v : seqs) {
            const int fw = v.Frames[0].W(), fh = v.Frames[0].H();
            const double scale = std::min({1.0, 640.0 / fw, 400.0 / fh});
            const double cw = std::max(1.0, fw * scale), ch = std::max(1.0, fh * scale);
            double x = 10, rowH = ch;
            for (Surface& f : v.Frames) {
                if (x + cw > SheetWidth - 10 && x > 10) { x = 10; y += rowH + Gap; }
                if (cr) {
                    Checker(cr, x, y, cw, ch);
                    cairo_save(cr);
                    cairo_translate(cr, x, y);
                    cairo_scale(cr, scale, scale);
                    cairo_set_source_surface(cr, f.s, 0, 0);
                    cairo_paint(cr);
                    cairo_restore(cr);
                }
                x += cw + 2;
            }
            y += rowH + 2;
            if (cr) {
                cairo_set_source_rgb(cr, 0.95, 0.9, 0.75);
                char info[128];
                std::snprintf(info, sizeof info, "   %zu frame%s of %dx%d%s%s", v.Frames.size(), v.Frames.size() == 1 ? "" : "s", fw, fh,
                              scale < 1 ? " (shown smaller)" : "", v.HasCompanion ? ", alpha companion" : "");
                Label(cr, v.Name + info, 10, y, 12, false);
            }
            y += LabelH + Gap * 2;
        }
        return y;
    };
    const double h = layout(nullptr);
    Surface sheet = NewSurface(SheetWidth, static_cast<int>(std::ceil(h)));
    cairo_t* cr = cairo_create(sheet.s);
    cairo_set_source_rgb(cr, 0.16, 0.13, 0.11);
    cairo_paint(cr);
    layout(cr);
    cairo_destroy(cr);
    cairo_surface_write_to_png(sheet.s, out.string().c_str());
    std::cout << out.string() << "\n";
}

// Sets a sample text with a bitmap font exactly as the game does: glyph rectangles side by side.
void FontSheet(const fs::path& graphics, const fs::path& cfg, const fs::path& out) {
    const fs::path dir = cfg / "no-tfx" / "fonts";
    if (!fs::exists(dir)) return;
    const std::u16string sample = u"The quick brown fox: 0123456789 \u20AC \u00C6\u00D8\u00C5 \u00E9\u00E8\u00EA \u00FC\u00DF \u201Cquotes\u201D \u2013 \u2026 ?!";
    const std::u16string upper = u"VANTERO VISTA \u2014 0123456789 \u00C9\u00C4\u00D6\u00DC \u20AC (X?)";
    struct Row { std::string name; Surface img; std::map<char16_t, std::pair<int, int>> glyphs; char16_t first; };
    std::vector<Row> rows;
    std::vector<fs::path> des;
    for (const auto& e : fs::directory_iterator(dir)) if (e.path().extension() == ".des") des.push_back(e.path());
    std::sort(des.begin(), des.end());
    for (const fs::path& d : des) {
        std::ifstream in(d, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), {});
        if (bytes.size() < 2 || static_cast<uint8_t>(bytes[0]) != 0xFF || static_cast<uint8_t>(bytes[1]) != 0xFE) { std::cerr << d << ": no UTF-16 BOM\n"; continue; }
        std::u16string text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) text += static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1]) << 8);
        const size_t nl = text.find(u"\r\n");
        const std::u16string l1 = text.substr(0, nl), l2 = text.substr(nl + 2);
        std::vector<int> widths;
        std::string num;
        for (char16_t c : l2 + u"*") { if (c == u'*') { widths.push_back(std::stoi(num)); num.clear(); } else num += static_cast<char>(c); }
        if (widths.size() != l1.size()) { std::cerr << d << ": " << l1.size() << " glyphs, " << widths.size() << " widths\n"; continue; }
        const std::string name = d.stem().string();
        Row r{name, DecodePng((graphics / "base" / "fonts" / (name + ".png")).string()), {}, l1[0]};
        int x = 0;
        for (size_t i = 0; i < l1.size(); ++i) { r.glyphs[l1[i]] = {x, widths[i]}; x += widths[i]; }
        if (x != r.img.W()) std::cerr << d << ": widths add up to " << x << ", picture is " << r.img.W() << " wide\n";
        rows.push_back(std::move(r));
    }
    if (rows.empty()) return;
    double h = 40;
    for (const Row& r : rows) h += (r.img.H() + 4) * 2 + LabelH + 16;
    Surface sheet = NewSurface(SheetWidth, static_cast<int>(h));
    cairo_t* cr = cairo_create(sheet.s);
    cairo_set_source_rgb(cr, 0.16, 0.13, 0.11);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    Label(cr, "fonts (set from the .des files)", 10, 8, 20, true);
    double y = 40;
    const double bgs[2][3] = {{0.93, 0.85, 0.68}, {0.30, 0.36, 0.46}};
    for (const Row& r : rows) {
        cairo_set_source_rgb(cr, 0.95, 0.9, 0.75);
        Label(cr, r.name + "  (line height " + std::to_string(r.img.H()) + ")", 10, y, 12, false);
        y += LabelH;
        for (int b = 0; b < 2; ++b) {
            cairo_set_source_rgb(cr, bgs[b][0], bgs[b][1], bgs[b][2]);
            cairo_rectangle(cr, 10, y, SheetWidth - 20, r.img.H() + 4);
            cairo_fill(cr);
            double x = 14;
            for (char16_t c : (r.name == "DebugFont" ? upper : sample)) {
                auto it = r.glyphs.find(c);
                const auto g = it != r.glyphs.end() ? it->second : r.glyphs.at(r.first);
                cairo_save(cr);
                cairo_rectangle(cr, x, y + 2, g.second, r.img.H());
                cairo_clip(cr);
                cairo_set_source_surface(cr, r.img.s, x - g.first, y + 2);
                cairo_paint(cr);
                cairo_restore(cr);
                x += g.second;
            }
            y += r.img.H() + 4;
        }
        y += 16;
    }
    cairo_destroy(cr);
    cairo_surface_write_to_png(sheet.s, out.string().c_str());
    std::cout << out.string() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::string graphics, out, cfg;
    bool composite = false;
    CompositeOptions co;
    co.Data = CONTACTSHEET_DATA_DIR;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--composite") { composite = true; continue; }
        if (a == "--help" || a == "-h") {
            std::cout << "contactsheet: overview pictures of a generated graphics tree\n\n"
                         "usage: contactsheet --graphics DIR --out DIR [--cfg DIR]\n"
                         "  --graphics DIR  the graphics/ folder to read (PNG, JPG, GIF; _a companions applied)\n"
                         "  --out DIR       where the sheets go: one <group>.png per folder group\n"
                         "  --cfg DIR       the game's cfg/ folder: also writes fonts.png from no-tfx/fonts/*.des\n\n"
                         "usage: contactsheet --composite --graphics DIR --out FILE.png [--layout R800x600|R1280x720]\n"
                         "                    [--level N] [--stage F] [--data DIR] [--time FILL]\n"
                         "  a game screen of monument N (1..7) at monument frame F (0..24) assembled from the pictures\n"
                         "  and the layout values of the game data (default data: the source tree's data/)\n";
            return 0;
        }
        if (i + 1 >= argc) { std::cerr << "contactsheet: " << a << " needs a value\n"; return 2; }
        if (a == "--graphics") graphics = argv[++i];
        else if (a == "--out") out = argv[++i];
        else if (a == "--cfg") cfg = argv[++i];
        else if (a == "--layout") co.Layout = argv[++i];
        else if (a == "--level") co.Level = std::atoi(argv[++i]);
        else if (a == "--stage") co.Stage = std::atoi(argv[++i]);
        else if (a == "--data") co.Data = argv[++i];
        else if (a == "--time") co.TimeFill = std::atof(argv[++i]);
        else { std::cerr << "contactsheet: unknown option " << a << "\n"; return 2; }
    }
    if (composite) {
        if (graphics.empty() || out.empty()) { std::cerr << "contactsheet: --composite needs --graphics and --out\n"; return 2; }
        co.Graphics = graphics;
        co.Out = out;
        try {
            WriteComposite(co);
        } catch (const std::exception& ex) {
            std::cerr << "contactsheet: " << ex.what() << "\n";
            return 1;
        }
        return 0;
    }
    if (graphics.empty() || out.empty()) { std::cerr << "contactsheet: --graphics and --out are required (see --help)\n"; return 2; }
    fs::create_directories(out);
    std::map<std::string, std::vector<fs::path>> groups;
    for (const auto& e : fs::recursive_directory_iterator(graphics)) {
        if (!e.is_regular_file()) continue;
        std::string ext = e.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
        if (ext != ".png" && ext != ".jpg" && ext != ".gif") continue;
        if (e.path().filename().string().find("_a.") != std::string::npos) continue;
        groups[GroupOf(fs::relative(e.path(), graphics).string())].push_back(e.path());
    }
    int failures = 0;
    for (auto& [group, files] : groups) {
        std::sort(files.begin(), files.end());
        std::vector<SequenceView> seqs;
        for (const fs::path& f : files) {
            try { seqs.push_back(Load(f, graphics)); } catch (const std::exception& ex) { std::cerr << ex.what() << "\n"; ++failures; }
        }
        if (!seqs.empty()) WriteSheet(group, seqs, fs::path(out) / (group + ".png"));
    }
    if (!cfg.empty()) FontSheet(graphics, cfg, fs::path(out) / "fonts.png");
    return failures ? 1 : 0;
}
