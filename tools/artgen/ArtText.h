// Text for pictures, drawn with Pango: classical serif titles and clear body text with baked-in
// gradient fill, outline, soft shadow and glow.
#pragma once

#include "ArtCanvas.h"
#include "ArtPaint.h"

#include <string>

namespace vantero::art {

namespace fonts {
inline const char* const Title = "Linux Libertine O";        // classical serif (titles, captions)
inline const char* const TitleDisplay = "Linux Libertine Display O";
inline const char* const Body = "Linux Biolinum O";          // clear sans for body text
inline const char* const Plain = "DejaVu Sans";              // fallback, wide coverage
inline const char* const PlainCondensed = "DejaVu Sans Condensed";
}  // namespace fonts

struct TextStyle {
    std::string Family = fonts::Title;
    double Size = 24;                // pixel size of the em
    bool Bold = false;
    bool Italic = false;
    bool SmallCaps = false;
    double LetterSpacing = 0;        // extra px between letters
    Rgba FillTop = palette::GoldLight;     // vertical gradient of the fill (ink top to ink bottom)
    Rgba FillBottom = palette::Gold;
    double OutlineWidth = 0;         // px around the glyphs (0 = none)
    Rgba Outline = palette::Ink;
    double ShadowDx = 0, ShadowDy = 0, ShadowBlur = 0;  // ShadowBlur 0 and offsets 0 = no shadow
    Rgba Shadow = Hex(0x1A0E04, 0.7);
    double GlowRadius = 0;           // soft glow around (0 = none)
    Rgba Glow = Hex(0xFFE9A8, 0.6);
    bool BevelLight = false;         // rim light on the filled glyphs
};

struct TextMetrics {
    double InkX = 0, InkY = 0, InkW = 0, InkH = 0;    // ink rectangle relative to the layout origin
    double Advance = 0;                               // logical width
    double Ascent = 0, Descent = 0;                   // logical line above / below the baseline
};

TextMetrics MeasureText(const std::string& utf8, const TextStyle& style);
// Extra space the effects need around the ink on each side.
double EffectPad(const TextStyle& style);
// Draws the text with its effects so that the layout origin (top-left of the logical line) is at (x, y).
void DrawTextRaw(Canvas& dst, const std::string& utf8, const TextStyle& style, double x, double y);
// Draws the text centred horizontally on cx with its baseline at baselineY.
void DrawTextCentred(Canvas& dst, const std::string& utf8, const TextStyle& style, double cx, double baselineY);
// Draws the text fitted inside the box (shrinks the size when it would not fit), centred.
void DrawTextInBox(Canvas& dst, const std::string& utf8, TextStyle style, double x, double y, double w, double h);
// Renders just the text (with effects) onto a tight transparent canvas.
Canvas RenderText(const std::string& utf8, const TextStyle& style);

}  // namespace vantero::art
