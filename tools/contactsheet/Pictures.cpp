// Reading generated pictures (PNG, JPEG, GIF; "_a" alpha companions) into Cairo surfaces, split into frames.
#include "Pictures.h"

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace contactsheet {

// ---- Pictures as premultiplied ARGB32 Cairo surfaces ----

Surface NewSurface(int w, int h) { return Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(1, w), std::max(1, h))); }

// Stores straight RGBA into the surface; magenta (for pictures without alpha) becomes transparent.
static void PutPixel(uint32_t* row, int x, uint8_t r, uint8_t g, uint8_t b, uint8_t a, bool key) {
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


SequenceView Load(const std::filesystem::path& file, const std::filesystem::path& root) {
    SequenceView v;
    v.Name = std::filesystem::relative(file, root).string();
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
    for (const auto& e : std::filesystem::directory_iterator(file.parent_path())) {
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

}  // namespace contactsheet
