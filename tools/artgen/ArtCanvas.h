// A painting surface for the art generator: a premultiplied ARGB32 Cairo image surface.
#pragma once

#include <cairo.h>

#include <cstdint>

namespace vantero::art {

class Canvas {
public:
    Canvas(int width, int height);  // transparent canvas of that size
    ~Canvas();
    Canvas(Canvas&& other) noexcept;
    Canvas& operator=(Canvas&& other) noexcept;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    cairo_t* Cr() const { return cr_; }                     // drawing context, state kept between calls
    cairo_surface_t* Surface() const { return surface_; }

    // Direct pixel access (premultiplied 0xAARRGGBB); call MarkDirty after writing.
    uint32_t* Pixels();
    const uint32_t* Pixels() const;
    int StridePixels() const;                                 // row length in pixels
    void MarkDirty();

    Canvas Clone() const;                                     // deep copy
    Canvas Crop(int x, int y, int w, int h) const;            // copy of a rectangle
    void Clear();                                             // all transparent
    // Draws src with its top-left at (x, y), optionally scaled, with the given opacity and operator.
    void Paint(const Canvas& src, double x, double y, double alpha = 1.0,
               cairo_operator_t op = CAIRO_OPERATOR_OVER);
    void PaintScaled(const Canvas& src, double x, double y, double scaleX, double scaleY,
                     double alpha = 1.0);
    void PaintRotated(const Canvas& src, double cx, double cy, double angle, double alpha = 1.0);  // centred

private:
    // Owned Cairo objects.
    int width_ = 0;
    int height_ = 0;
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
};

}  // namespace vantero::art
