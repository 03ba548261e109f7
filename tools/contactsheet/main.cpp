// contactsheet: reads a generated graphics tree and writes one PNG per folder group showing every
// sequence with its frames laid out (on a checkerboard, so alpha shows) and its name under it.
// With --cfg it also writes fonts.png: sample lines set with each bitmap font and its .des file.
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

namespace {

// ---- Pictures as premultiplied ARGB32 Cairo surfaces ----
struct Surface {
    cairo_surface_t* s = nullptr;
    explicit Surface(cairo_surface_t* surf = nullptr) : s(surf) {}
    Surface(Surface&& o) noexcept : s(o.s) { o.s = nullptr; }
    Surface& operator=(Surface&& o) noexcept { std::swap(s, o.s); return *this; }
    Surface(const Surface&) = delete;
    ~Surface() { if (s) cairo_surface_destroy(s); }
    int W() const { return cairo_image_surface_get_width(s); }
    int H() const { return cairo_image_surface_get_height(s); }
};

Surface NewSurface(int w, int h) { return Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(1, w), std::max(1, h))); }

// Stores straight RGBA into the surface; magenta (for pictures without alpha) becomes transparent.
void PutPixel(uint32_t* row, int x, uint8_t r, uint8_t g, uint8_t b, uint8_t a, bool key) {
    if (key && r == 255 && g == 0 && b == 255) a = 0;
    row[x] = static_cast<uint32_t>(a) << 24 | (r * a / 255) << 16 | (g * a / 255) << 8 | (b * a / 255);
}

Surface DecodePng(const std::string& path) {
    png_image img;
    std::memset(&img, 0, sizeof img);
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&img, path.c_str())) throw std::runtime_error("bad PNG " + path);
    img.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> buf(PNG_IMAGE_SIZE(img));
    if (!png_image_finish_read(&img, nullptr, buf.data(), 0, nullptr)) throw std::runtime_error("bad PNG " + path);
    Surface s = NewSurface(img.width, img.height);
    auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s.s));
    const int stride = cairo_image_surface_get_stride(s.s) / 4;
    for (unsigned y = 0; y < img.height; ++y)
        for (unsigned x = 0; x < img.width; ++x) {
            const uint8_t* p = &buf[(y * img.width + x) * 4];
            PutPixel(data + y * stride, x, p[0], p[1], p[2], p[3], false);
        }
    cairo_surface_mark_dirty(s.s);
    return s;
}

Surface DecodeJpeg(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) throw std::runtime_error("cannot read " + path);
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, f);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    Surface s = NewSurface(cinfo.output_width, cinfo.output_height);
    auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s.s));
    const int stride = cairo_image_surface_get_stride(s.s) / 4;
    std::vector<uint8_t> row(cinfo.output_width * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = cinfo.output_scanline;
        JSAMPROW r = row.data();
        jpeg_read_scanlines(&cinfo, &r, 1);
        for (unsigned x = 0; x < cinfo.output_width; ++x) PutPixel(data + y * stride, x, row[x * 3], row[x * 3 + 1], row[x * 3 + 2], 255, true);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(f);
    cairo_surface_mark_dirty(s.s);
    return s;
}

// GIF: one surface per image, each showing images 0..i drawn over one another.
std::vector<Surface> DecodeGif(const std::string& path) {
    int err = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &err);
    if (!gif || DGifSlurp(gif) != GIF_OK) throw std::runtime_error("bad GIF " + path);
    std::vector<Surface> out;
    const int w = gif->SWidth, h = gif->SHeight;
    std::vector<uint32_t> acc(static_cast<size_t>(w) * h, 0);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& im = gif->SavedImages[i];
        GraphicsControlBlock gcb{};
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        DGifSavedExtensionToGCB(gif, i, &gcb);
        const ColorMapObject* map = im.ImageDesc.ColorMap ? im.ImageDesc.ColorMap : gif->SColorMap;
        for (int y = 0; y < im.ImageDesc.Height; ++y)
            for (int x = 0; x < im.ImageDesc.Width; ++x) {
                const int idx = im.RasterBits[y * im.ImageDesc.Width + x];
                if (idx == gcb.TransparentColor || !map || idx >= map->ColorCount) continue;
                const GifColorType c = map->Colors[idx];
                const int tx = x + im.ImageDesc.Left, ty = y + im.ImageDesc.Top;
                if (tx >= w || ty >= h) continue;
                PutPixel(&acc[static_cast<size_t>(ty) * w], tx, c.Red, c.Green, c.Blue, 255, true);
            }
        Surface s = NewSurface(w, h);
        auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s.s));
        const int stride = cairo_image_surface_get_stride(s.s) / 4;
        for (int y = 0; y < h; ++y) std::memcpy(data + y * stride, &acc[static_cast<size_t>(y) * w], w * 4);
        cairo_surface_mark_dirty(s.s);
        out.push_back(std::move(s));
    }
    DGifCloseFile(gif, &err);
    return out;
}

int FrameCountFromName(const std::string& name) {
    const size_t d1 = name.find('.');
    if (d1 == std::string::npos) return 1;
    const size_t d2 = name.find('.', d1 + 1);
    if (d2 == std::string::npos) return 1;
    const std::string n = name.substr(d1 + 1, d2 - d1 - 1);
    if (n.empty() || !std::all_of(n.begin(), n.end(), ::isdigit)) return 1;
    return std::max(1, std::stoi(n));
}

Surface Crop(const Surface& src, int x, int y, int w, int h) {
    Surface s = NewSurface(w, h);
    cairo_t* cr = cairo_create(s.s);
    cairo_set_source_surface(cr, src.s, -x, -y);
    cairo_paint(cr);
    cairo_destroy(cr);
    return s;
}

struct SequenceView {
    std::string Name;         // path relative to graphics/
    std::vector<Surface> Frames;
    bool HasCompanion = false;
};

SequenceView Load(const fs::path& file, const fs::path& root) {
    SequenceView v;
    v.Name = fs::relative(file, root).string();
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
    const std::string fname = file.filename().string();
    std::vector<Surface> images;
    if (ext == ".png") images.push_back(DecodePng(file.string()));
    else if (ext == ".jpg") images.push_back(DecodeJpeg(file.string()));
    else images = DecodeGif(file.string());
    if (images.size() > 1) { v.Frames = std::move(images); return v; }
    const int n = FrameCountFromName(fname);
    // Alpha companion <base>_a.*: its blue channel is the alpha.
    const std::string base = fname.substr(0, fname.find('.'));
    for (const auto& e : fs::directory_iterator(file.parent_path())) {
        const std::string cn = e.path().filename().string();
        if (cn.rfind(base + "_a.", 0) == 0) {
            Surface a = cn.size() > 4 && cn.substr(cn.size() - 4) == ".png" ? DecodePng(e.path().string()) : DecodeJpeg(e.path().string());
            auto* d = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(images[0].s));
            const auto* ad = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(a.s));
            const int ds = cairo_image_surface_get_stride(images[0].s) / 4, as = cairo_image_surface_get_stride(a.s) / 4;
            for (int y = 0; y < std::min(images[0].H(), a.H()); ++y)
                for (int x = 0; x < std::min(images[0].W(), a.W()); ++x) {
                    const uint32_t p = d[y * ds + x];
                    const uint32_t al = ad[y * as + x] & 0xFF;
                    PutPixel(d + y * ds, x, (p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF, static_cast<uint8_t>(al), false);
                }
            cairo_surface_mark_dirty(images[0].s);
            v.HasCompanion = true;
            break;
        }
    }
    const int fw = images[0].W() / n;
    for (int i = 0; i < n; ++i) v.Frames.push_back(Crop(images[0], i * fw, 0, fw, images[0].H()));
    return v;
}

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
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::cout << "contactsheet: overview pictures of a generated graphics tree\n\n"
                         "usage: contactsheet --graphics DIR --out DIR [--cfg DIR]\n"
                         "  --graphics DIR  the graphics/ folder to read (PNG, JPG, GIF; _a companions applied)\n"
                         "  --out DIR       where the sheets go: one <group>.png per folder group\n"
                         "  --cfg DIR       the game's cfg/ folder: also writes fonts.png from no-tfx/fonts/*.des\n";
            return 0;
        }
        if (i + 1 >= argc) { std::cerr << "contactsheet: " << a << " needs a value\n"; return 2; }
        if (a == "--graphics") graphics = argv[++i];
        else if (a == "--out") out = argv[++i];
        else if (a == "--cfg") cfg = argv[++i];
        else { std::cerr << "contactsheet: unknown option " << a << "\n"; return 2; }
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
