#include "ArtCanvas.h"

#include <stdexcept>
#include <utility>

namespace vantero::art {

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) throw std::runtime_error("Canvas: empty size");
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("Canvas: no surface");
    cr_ = cairo_create(surface_);
}

Canvas::~Canvas() {
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
}

Canvas::Canvas(Canvas&& other) noexcept
    : width_(other.width_), height_(other.height_), surface_(other.surface_), cr_(other.cr_) {
    other.surface_ = nullptr;
    other.cr_ = nullptr;
}

Canvas& Canvas::operator=(Canvas&& other) noexcept {
    if (this != &other) {
        if (cr_) cairo_destroy(cr_);
        if (surface_) cairo_surface_destroy(surface_);
        width_ = other.width_;
        height_ = other.height_;
        surface_ = std::exchange(other.surface_, nullptr);
        cr_ = std::exchange(other.cr_, nullptr);
    }
    return *this;
}

uint32_t* Canvas::Pixels() {
    cairo_surface_flush(surface_);
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface_));
}

const uint32_t* Canvas::Pixels() const {
    cairo_surface_flush(surface_);
    return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface_));
}

int Canvas::StridePixels() const { return cairo_image_surface_get_stride(surface_) / 4; }

void Canvas::MarkDirty() { cairo_surface_mark_dirty(surface_); }

Canvas Canvas::Clone() const { return Crop(0, 0, width_, height_); }

Canvas Canvas::Crop(int x, int y, int w, int h) const {
    Canvas out(w, h);
    cairo_t* cr = out.Cr();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, surface_, -x, -y);
    cairo_paint(cr);
    cairo_restore(cr);
    return out;
}

void Canvas::Clear() {
    cairo_save(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr_);
    cairo_restore(cr_);
}

void Canvas::Paint(const Canvas& src, double x, double y, double alpha, cairo_operator_t op) {
    cairo_save(cr_);
    cairo_set_operator(cr_, op);
    // Unbounded operators (SOURCE, CLEAR, IN...) act on the whole target: keep them to the source's rectangle.
    cairo_rectangle(cr_, x, y, src.Width(), src.Height());
    cairo_clip(cr_);
    cairo_set_source_surface(cr_, src.surface_, x, y);
    if (alpha >= 1.0) cairo_paint(cr_);
    else cairo_paint_with_alpha(cr_, alpha);
    cairo_restore(cr_);
}

void Canvas::PaintScaled(const Canvas& src, double x, double y, double scaleX, double scaleY, double alpha) {
    cairo_save(cr_);
    cairo_translate(cr_, x, y);
    cairo_scale(cr_, scaleX, scaleY);
    cairo_set_source_surface(cr_, src.surface_, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_GOOD);
    cairo_paint_with_alpha(cr_, alpha);
    cairo_restore(cr_);
}

void Canvas::PaintRotated(const Canvas& src, double cx, double cy, double angle, double alpha) {
    cairo_save(cr_);
    cairo_translate(cr_, cx, cy);
    cairo_rotate(cr_, angle);
    cairo_set_source_surface(cr_, src.surface_, -src.width_ / 2.0, -src.height_ / 2.0);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_GOOD);
    cairo_paint_with_alpha(cr_, alpha);
    cairo_restore(cr_);
}

}  // namespace vantero::art
