#include "ArtWriters.h"

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>

namespace vantero::art {

namespace {

struct Rgba8 {
    uint8_t r, g, b, a;
};

// Straight (un-premultiplied) RGBA of one row.
void UnpremultiplyRow(const uint32_t* src, int w, Rgba8* out) {
    for (int x = 0; x < w; ++x) {
        const uint32_t p = src[x];
        const uint32_t a = p >> 24;
        if (a == 0) { out[x] = {0, 0, 0, 0}; continue; }
        auto un = [a](uint32_t v) { return static_cast<uint8_t>(std::min<uint32_t>(255, (v * 255 + a / 2) / a)); };
        out[x] = {un((p >> 16) & 0xFF), un((p >> 8) & 0xFF), un(p & 0xFF), static_cast<uint8_t>(a)};
    }
}

struct FileCloser {
    void operator()(FILE* f) const { if (f) std::fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

FilePtr OpenForWrite(const std::string& path) {
    FilePtr f(std::fopen(path.c_str(), "wb"));
    if (!f) throw std::runtime_error("cannot write " + path);
    return f;
}

std::string FileNameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

int FrameCountFromName(const std::string& fileName) {
    const std::string name = FileNameOf(fileName);
    const size_t d1 = name.find('.');
    if (d1 == std::string::npos) return 1;
    const size_t d2 = name.find('.', d1 + 1);
    if (d2 == std::string::npos) return 1;
    const std::string num = name.substr(d1 + 1, d2 - d1 - 1);
    if (num.empty() || !std::all_of(num.begin(), num.end(), [](char c) { return c >= '0' && c <= '9'; })) return 1;
    return std::max(1, std::stoi(num));
}

Canvas MakeStrip(const Sequence& seq) {
    if (seq.Frames.empty()) throw std::runtime_error("empty sequence");
    const int w = seq.Frames[0].Width(), h = seq.Frames[0].Height();
    Canvas strip(w * static_cast<int>(seq.Frames.size()), h);
    for (size_t i = 0; i < seq.Frames.size(); ++i) {
        if (seq.Frames[i].Width() != w || seq.Frames[i].Height() != h)
            throw std::runtime_error("frames of one sequence differ in size");
        strip.Paint(seq.Frames[i], static_cast<double>(i) * w, 0, 1.0, CAIRO_OPERATOR_SOURCE);
    }
    return strip;
}

void WritePng(const std::string& path, const Canvas& c) {
    FilePtr f = OpenForWrite(path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng failed on " + path);
    }
    png_init_io(png, f.get());
    png_set_compression_level(png, 6);
    const int w = c.Width(), h = c.Height();
    // Fully opaque pictures are written as RGB: smaller, and the game treats them the same.
    const uint32_t* px = c.Pixels();
    const int s = c.StridePixels();
    bool opaque = true;
    for (int y = 0; y < h && opaque; ++y)
        for (int x = 0; x < w; ++x)
            if ((px[y * s + x] >> 24) != 255) { opaque = false; break; }
    png_set_IHDR(png, info, w, h, 8, opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<Rgba8> row(w);
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * 3);
    for (int y = 0; y < h; ++y) {
        UnpremultiplyRow(px + y * s, w, row.data());
        if (opaque) {
            for (int x = 0; x < w; ++x) { rgb[x * 3] = row[x].r; rgb[x * 3 + 1] = row[x].g; rgb[x * 3 + 2] = row[x].b; }
            png_write_row(png, rgb.data());
        } else {
            png_write_row(png, reinterpret_cast<png_bytep>(row.data()));
        }
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
}

void WriteJpeg(const std::string& path, const Canvas& c, int quality) {
    FilePtr f = OpenForWrite(path);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f.get());
    cinfo.image_width = c.Width();
    cinfo.image_height = c.Height();
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.optimize_coding = TRUE;
    jpeg_start_compress(&cinfo, TRUE);
    const uint32_t* px = c.Pixels();
    const int s = c.StridePixels();
    std::vector<uint8_t> row(static_cast<size_t>(c.Width()) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const uint32_t* src = px + cinfo.next_scanline * s;
        for (int x = 0; x < c.Width(); ++x) {  // premultiplied = composited on black
            row[x * 3] = (src[x] >> 16) & 0xFF;
            row[x * 3 + 1] = (src[x] >> 8) & 0xFF;
            row[x * 3 + 2] = src[x] & 0xFF;
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
}

namespace {

// Median-cut quantiser over a 5-5-5 histogram: deterministic, fast, good for painted sprites.
struct Quantiser {
    std::array<uint32_t, 32768> hist{};
    std::array<uint8_t, 32768> map{};
    std::vector<std::array<uint8_t, 3>> palette;

    static int Key(const Rgba8& p) { return (p.r >> 3) << 10 | (p.g >> 3) << 5 | (p.b >> 3); }

    void Build(int maxColours) {
        struct Box { std::vector<int> keys; };
        std::vector<Box> boxes(1);
        for (int k = 0; k < 32768; ++k)
            if (hist[k]) boxes[0].keys.push_back(k);
        if (boxes[0].keys.empty()) boxes[0].keys.push_back(0);
        auto chan = [](int k, int c) { return c == 0 ? (k >> 10) & 31 : c == 1 ? (k >> 5) & 31 : k & 31; };
        while (static_cast<int>(boxes.size()) < maxColours) {
            // Split the box with the largest (range x population) along its widest channel.
            int best = -1, bestChan = 0;
            double bestScore = 0;
            for (size_t i = 0; i < boxes.size(); ++i) {
                if (boxes[i].keys.size() < 2) continue;
                uint64_t pop = 0;
                int lo[3] = {31, 31, 31}, hi[3] = {0, 0, 0};
                for (int k : boxes[i].keys) {
                    pop += hist[k];
                    for (int c = 0; c < 3; ++c) { lo[c] = std::min(lo[c], chan(k, c)); hi[c] = std::max(hi[c], chan(k, c)); }
                }
                int wc = 0;
                for (int c = 1; c < 3; ++c) if (hi[c] - lo[c] > hi[wc] - lo[wc]) wc = c;
                const double score = static_cast<double>(hi[wc] - lo[wc]) * std::sqrt(static_cast<double>(pop));
                if (score > bestScore) { bestScore = score; best = static_cast<int>(i); bestChan = wc; }
            }
            if (best < 0) break;
            auto& keys = boxes[best].keys;
            std::stable_sort(keys.begin(), keys.end(), [&](int a, int b) { return chan(a, bestChan) < chan(b, bestChan); });
            uint64_t total = 0, acc = 0;
            for (int k : keys) total += hist[k];
            size_t cut = 1;
            for (; cut < keys.size(); ++cut) {
                acc += hist[keys[cut - 1]];
                if (acc * 2 >= total) break;
            }
            cut = std::clamp<size_t>(cut, 1, keys.size() - 1);
            Box other;
            other.keys.assign(keys.begin() + cut, keys.end());
            keys.resize(cut);
            boxes.push_back(std::move(other));
        }
        for (const Box& b : boxes) {
            double sum[3] = {0, 0, 0}, n = 0;
            for (int k : b.keys) {
                const double wgt = std::max<uint32_t>(hist[k], 1);
                for (int c = 0; c < 3; ++c) sum[c] += wgt * (chan(k, c) * 8 + 4);
                n += wgt;
            }
            std::array<uint8_t, 3> col{};
            for (int c = 0; c < 3; ++c) col[c] = static_cast<uint8_t>(std::clamp(sum[c] / n, 0.0, 255.0));
            if (col[0] == 255 && col[1] == 0 && col[2] == 255) col[1] = 1;  // never the key colour
            palette.push_back(col);
        }
        for (int k = 0; k < 32768; ++k) {
            if (!hist[k]) continue;
            int best = 0;
            long bestD = 1L << 40;
            for (size_t i = 0; i < palette.size(); ++i) {
                const long dr = chan(k, 0) * 8 + 4 - palette[i][0], dg = chan(k, 1) * 8 + 4 - palette[i][1],
                           db = chan(k, 2) * 8 + 4 - palette[i][2];
                const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                if (d < bestD) { bestD = d; best = static_cast<int>(i); }
            }
            map[k] = static_cast<uint8_t>(best);
        }
    }
};

}  // namespace

void WriteGif(const std::string& path, const std::vector<const Canvas*>& images, double alphaCut) {
    if (images.empty()) throw std::runtime_error("GIF without images");
    const int w = images[0]->Width(), h = images[0]->Height();
    const int cut = static_cast<int>(alphaCut * 255);
    std::vector<std::vector<Rgba8>> straight;
    Quantiser q;
    for (const Canvas* c : images) {
        if (c->Width() != w || c->Height() != h) throw std::runtime_error("GIF images differ in size");
        std::vector<Rgba8> px(static_cast<size_t>(w) * h);
        for (int y = 0; y < h; ++y) UnpremultiplyRow(c->Pixels() + y * c->StridePixels(), w, &px[static_cast<size_t>(y) * w]);
        for (const Rgba8& p : px)
            if (p.a >= cut) ++q.hist[Quantiser::Key(p)];
        straight.push_back(std::move(px));
    }
    q.Build(255);
    const int keyIndex = static_cast<int>(q.palette.size());
    int colours = 2;
    while (colours < keyIndex + 1) colours *= 2;
    std::vector<GifColorType> pal(colours, GifColorType{0, 0, 0});
    for (int i = 0; i < keyIndex; ++i) pal[i] = {q.palette[i][0], q.palette[i][1], q.palette[i][2]};
    pal[keyIndex] = {255, 0, 255};
    int err = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &err);
    if (!gif) throw std::runtime_error("cannot write " + path);
    EGifSetGifVersion(gif, true);
    ColorMapObject* map = GifMakeMapObject(colours, pal.data());
    bool ok = EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_OK;
    std::vector<GifPixelType> line(w);
    for (size_t i = 0; ok && i < straight.size(); ++i) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSE_DO_NOT;
        gcb.UserInputFlag = false;
        gcb.DelayTime = 8;
        gcb.TransparentColor = keyIndex;
        GifByteType ext[4];
        EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext) == GIF_OK &&
             EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
        for (int y = 0; ok && y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const Rgba8& p = straight[i][static_cast<size_t>(y) * w + x];
                line[x] = p.a >= cut ? q.map[Quantiser::Key(p)] : keyIndex;
            }
            ok = EGifPutLine(gif, line.data(), w) == GIF_OK;
        }
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &err) != GIF_OK) ok = false;
    if (!ok) throw std::runtime_error("giflib failed on " + path);
}

void WriteSequence(const std::string& path, const Sequence& seq, const WriteOptions& options) {
    const std::filesystem::path p(path);
    std::filesystem::create_directories(p.parent_path());
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const int frames = static_cast<int>(seq.Frames.size());
    const bool multi = ext == ".gif" && options.GifMultiImage;
    if (!multi && FrameCountFromName(path) != frames)
        throw std::runtime_error(path + ": name says " + std::to_string(FrameCountFromName(path)) + " frames, drawn " +
                                 std::to_string(frames));
    if (multi) {
        std::vector<const Canvas*> images;
        for (const Canvas& c : seq.Frames) images.push_back(&c);
        WriteGif(path, images, options.GifAlphaCut);
    } else {
        const Canvas strip = frames == 1 ? seq.Frames[0].Clone() : MakeStrip(seq);
        if (ext == ".png") WritePng(path, strip);
        else if (ext == ".jpg") WriteJpeg(path, strip, options.JpegQuality);
        else if (ext == ".gif") WriteGif(path, {&strip}, options.GifAlphaCut);
        else throw std::runtime_error(path + ": unknown picture format");
    }
    if (options.AlphaCompanion) {
        // <base>_a.<rest>: same frame infix, alpha as grey.
        const std::string name = p.filename().string();
        const size_t dot = name.find('.');
        std::string rest = name.substr(dot);
        rest = rest.substr(0, rest.rfind('.')) + ".png";
        const std::string compPath = (p.parent_path() / (name.substr(0, dot) + "_a" + rest)).string();
        const Canvas strip = frames == 1 ? seq.Frames[0].Clone() : MakeStrip(seq);
        Canvas alpha(strip.Width(), strip.Height());
        const uint32_t* src = strip.Pixels();
        uint32_t* dst = alpha.Pixels();
        for (int y = 0; y < strip.Height(); ++y)
            for (int x = 0; x < strip.Width(); ++x) {
                const uint32_t a = src[y * strip.StridePixels() + x] >> 24;
                dst[y * alpha.StridePixels() + x] = 0xFF000000u | a << 16 | a << 8 | a;
            }
        alpha.MarkDirty();
        WritePng(compPath, alpha);
    }
}

}  // namespace vantero::art
