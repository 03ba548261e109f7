#include "ArtText.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

namespace vantero::art {

namespace {

// A Pango layout for the style on the given context (owned, unref by caller).
PangoLayout* MakeLayout(cairo_t* cr, const std::string& utf8, const TextStyle& style) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* desc = pango_font_description_new();
    pango_font_description_set_family(desc, style.Family.c_str());
    pango_font_description_set_absolute_size(desc, style.Size * PANGO_SCALE);
    pango_font_description_set_weight(desc, style.Bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(desc, style.Italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    if (style.SmallCaps) pango_font_description_set_variant(desc, PANGO_VARIANT_SMALL_CAPS);
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
    PangoAttrList* attrs = pango_attr_list_new();
    if (style.LetterSpacing != 0)
        pango_attr_list_insert(attrs, pango_attr_letter_spacing_new(static_cast<int>(style.LetterSpacing * PANGO_SCALE)));
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);
    // Hinting off and grey antialiasing: the same look at every size, no subpixel colour fringes.
    cairo_font_options_t* fo = cairo_font_options_create();
    cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(fo, CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout), fo);
    cairo_font_options_destroy(fo);
    pango_layout_context_changed(layout);
    pango_layout_set_text(layout, utf8.c_str(), -1);
    return layout;
}

TextMetrics MetricsOf(PangoLayout* layout) {
    PangoRectangle ink, logical;
    pango_layout_get_extents(layout, &ink, &logical);
    TextMetrics m;
    m.InkX = ink.x / double(PANGO_SCALE);
    m.InkY = ink.y / double(PANGO_SCALE);
    m.InkW = ink.width / double(PANGO_SCALE);
    m.InkH = ink.height / double(PANGO_SCALE);
    m.Advance = logical.width / double(PANGO_SCALE);
    const double baseline = pango_layout_get_baseline(layout) / double(PANGO_SCALE);
    m.Ascent = baseline - logical.y / double(PANGO_SCALE);
    m.Descent = logical.height / double(PANGO_SCALE) - m.Ascent;
    return m;
}

// Scratch context for measuring.
struct Scratch {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 4);
    cairo_t* cr = cairo_create(s);
    ~Scratch() { cairo_destroy(cr); cairo_surface_destroy(s); }
};

}  // namespace

TextMetrics MeasureText(const std::string& utf8, const TextStyle& style) {
    Scratch sc;
    PangoLayout* layout = MakeLayout(sc.cr, utf8, style);
    const TextMetrics m = MetricsOf(layout);
    g_object_unref(layout);
    return m;
}

double EffectPad(const TextStyle& style) {
    double pad = style.OutlineWidth + 1;
    if (style.ShadowBlur > 0 || style.ShadowDx != 0 || style.ShadowDy != 0)
        pad = std::max(pad, style.ShadowBlur * 1.5 + std::max(std::abs(style.ShadowDx), std::abs(style.ShadowDy)));
    pad = std::max(pad, style.GlowRadius * 1.5);
    return std::ceil(pad);
}

void DrawTextRaw(Canvas& dst, const std::string& utf8, const TextStyle& style, double x, double y) {
    // The glyphs go onto their own layer so that shadow and glow are made from their final shape.
    Scratch sc;
    PangoLayout* probe = MakeLayout(sc.cr, utf8, style);
    const TextMetrics m = MetricsOf(probe);
    g_object_unref(probe);
    if (m.InkW <= 0 || m.InkH <= 0) return;
    const double pad = style.OutlineWidth + 2;
    const int lw = static_cast<int>(std::ceil(m.InkW + 2 * pad)) + 2, lh = static_cast<int>(std::ceil(m.InkH + 2 * pad)) + 2;
    const double ox = std::floor(x + m.InkX - pad), oy = std::floor(y + m.InkY - pad);
    Canvas layer(lw, lh);
    cairo_t* cr = layer.Cr();
    PangoLayout* layout = MakeLayout(cr, utf8, style);
    cairo_save(cr);
    cairo_translate(cr, x - ox, y - oy);
    pango_cairo_layout_path(cr, layout);
    if (style.OutlineWidth > 0) {
        SetSource(cr, style.Outline);
        cairo_set_line_width(cr, style.OutlineWidth * 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    cairo_pattern_t* fill = LinearGradient(0, m.InkY, 0, m.InkY + m.InkH, {{0.0, style.FillTop}, {1.0, style.FillBottom}});
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    cairo_restore(cr);
    g_object_unref(layout);
    if (style.BevelLight) EdgeLight(layer, -110, std::max(1.0, style.Size / 22.0), Hex(0xFFFFFF, 0.8), 0.9);
    if (style.GlowRadius > 0) OuterGlow(dst, layer, ox, oy, style.GlowRadius, style.Glow);
    if (style.ShadowBlur > 0 || style.ShadowDx != 0 || style.ShadowDy != 0)
        DropShadow(dst, layer, ox, oy, style.ShadowDx, style.ShadowDy, std::max(0.5, style.ShadowBlur), style.Shadow);
    dst.Paint(layer, ox, oy);
}

void DrawTextCentred(Canvas& dst, const std::string& utf8, const TextStyle& style, double cx, double baselineY) {
    const TextMetrics m = MeasureText(utf8, style);
    DrawTextRaw(dst, utf8, style, cx - (m.InkX + m.InkW / 2), baselineY - m.Ascent);
}

void DrawTextInBox(Canvas& dst, const std::string& utf8, TextStyle style, double x, double y, double w, double h) {
    TextMetrics m = MeasureText(utf8, style);
    const double pad = EffectPad(style);
    for (int i = 0; i < 40 && (m.InkW + 2 * pad > w || m.InkH + 2 * pad > h); ++i) {
        style.Size *= 0.95;
        m = MeasureText(utf8, style);
    }
    DrawTextRaw(dst, utf8, style, x + (w - m.InkW) / 2 - m.InkX, y + (h - m.InkH) / 2 - m.InkY);
}

Canvas RenderText(const std::string& utf8, const TextStyle& style) {
    const TextMetrics m = MeasureText(utf8, style);
    const double pad = EffectPad(style) + 1;
    Canvas c(std::max(1, static_cast<int>(std::ceil(m.InkW + 2 * pad))), std::max(1, static_cast<int>(std::ceil(m.InkH + 2 * pad))));
    DrawTextRaw(c, utf8, style, pad - m.InkX, pad - m.InkY);
    return c;
}

}  // namespace vantero::art
