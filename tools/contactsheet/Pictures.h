// Generated pictures as premultiplied ARGB32 Cairo surfaces: decoders and sequence loading.
#pragma once

#include <cairo.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace contactsheet {

// An owned Cairo image surface.
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

Surface NewSurface(int w, int h);                           // transparent ARGB32 surface
Surface DecodePng(const std::string& path);
Surface DecodeJpeg(const std::string& path);                // magenta becomes transparent
std::vector<Surface> DecodeGif(const std::string& path);    // one surface per image (images 0..i drawn)
int FrameCountFromName(const std::string& name);            // the ".N." infix, 1 without one
Surface Crop(const Surface& src, int x, int y, int w, int h);

// One picture file split into its frames.
struct SequenceView {
    std::string Name;         // path relative to the graphics root
    std::vector<Surface> Frames;
    bool HasCompanion = false;
};
SequenceView Load(const std::filesystem::path& file, const std::filesystem::path& root);

}  // namespace contactsheet
