// The bitmap fonts: one row of glyphs per font (picture height = line height) and the description
// cfg/no-tfx/fonts/<name>.des (UTF-16LE with byte-order mark; line 1 the glyph characters in
// picture order, line 2 their widths joined by "*"). The first glyph is the blank: characters a
// font lacks are drawn with it.
#include "ArtJobs.h"
#include "ArtText.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace vantero::art {
namespace {

// Windows-1252 and Latin-1 printable characters plus the euro sign (as code points).
std::vector<char32_t> FullSet() {
    std::vector<char32_t> set = {U' '};
    for (char32_t c = 0x21; c <= 0x7E; ++c) set.push_back(c);
    for (char32_t c : {U'€', U'‚', U'ƒ', U'„', U'…', U'†', U'‡', U'ˆ', U'‰', U'Š', U'‹', U'Œ', U'Ž', U'‘', U'’', U'“', U'”',
                       U'•', U'–', U'—', U'˜', U'™', U'š', U'›', U'œ', U'ž', U'Ÿ'})
        set.push_back(c);
    for (char32_t c = 0xA0; c <= 0xFF; ++c) set.push_back(c);
    return set;
}

bool IsLower(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= 0xDF && c <= 0xFF && c != 0xF7) || c == U'š' || c == U'œ' || c == U'ž' ||
           c == U'ƒ' || c == 0xB5;
}

// Upper-case text is all the debug font ever shows.
std::vector<char32_t> UpperSet() {
    std::vector<char32_t> out;
    for (char32_t c : FullSet())
        if (!IsLower(c)) out.push_back(c);
    return out;
}

std::string Utf8(char32_t c) {
    std::string s;
    if (c < 0x80) s += static_cast<char>(c);
    else if (c < 0x800) { s += static_cast<char>(0xC0 | (c >> 6)); s += static_cast<char>(0x80 | (c & 0x3F)); }
    else {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

// What is drawn for a character: blanks and the soft hyphen get visible stand-ins.
std::string DrawnText(char32_t c) {
    if (c == 0xA0) return " ";
    if (c == 0xAD) return "-";
    return Utf8(c);
}

struct FontSpec {
    const char* Name;
    TextStyle Style;
    std::vector<char32_t> Chars;
    int Tracking;   // extra px of advance per glyph
};

Sequence BuildFont(ArtContext& ctx, const FontSpec& spec) {
    const TextStyle& st = spec.Style;
    const double effL = st.OutlineWidth + std::max(0.0, st.GlowRadius), effR = st.OutlineWidth + std::max(0.0, st.ShadowDx);
    const double effT = st.OutlineWidth + std::max(0.0, st.GlowRadius - st.ShadowDy);
    const double effB = st.OutlineWidth + std::max(0.0, st.ShadowDy) + st.ShadowBlur * 0.7;
    struct Glyph { double left, width; TextMetrics m; };
    std::vector<Glyph> glyphs;
    double top = 0, bottom = 0, ascent = 0;
    for (char32_t ch : spec.Chars) {
        const std::string text = DrawnText(ch);
        TextMetrics m = MeasureText(text, st);
        if (ch == U' ' || ch == 0xA0) m.InkW = m.InkH = 0;
        ascent = std::max(ascent, m.Ascent);
        double left = 0, right = m.Advance;
        if (m.InkW > 0) {
            left = std::min(0.0, m.InkX - effL);
            right = std::max(right, m.InkX + m.InkW + effR);
            top = std::min(top, m.InkY - effT);
            bottom = std::max(bottom, m.InkY + m.InkH + effB);
        }
        const double width = std::max(1.0, std::round(right - left + spec.Tracking));
        glyphs.push_back({left, width, m});
    }
    // top/bottom are relative to the layout origin (top of the logical line).
    const double originY = std::ceil(-top);
    const int height = static_cast<int>(std::ceil(bottom - top)) + 1;
    int total = 0;
    for (const Glyph& g : glyphs) total += static_cast<int>(g.width);
    Canvas strip(total, height);
    std::u16string line1;
    std::string line2;
    int x = 0;
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const Glyph& g = glyphs[i];
        const int w = static_cast<int>(g.width);
        if (g.m.InkW > 0) {
            Canvas cell(w, height);   // each glyph on its own cell so no shadow leaks into a neighbour
            DrawTextRaw(cell, DrawnText(spec.Chars[i]), st, std::round(-g.left + spec.Tracking / 2.0), originY);
            strip.Paint(cell, x, 0);
        }
        const char32_t c = spec.Chars[i];
        line1 += static_cast<char16_t>(c);
        if (i) line2 += "*";
        line2 += std::to_string(w);
        x += w;
    }
    // Description file: FF FE, UTF-16LE code units, CR LF between the two lines.
    std::u16string text = line1 + u"\r\n";
    for (char ch : line2) text += static_cast<char16_t>(ch);
    std::string bytes = "\xFF\xFE";
    for (char16_t u : text) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    ctx.WriteCfgFile(std::string("no-tfx/fonts/") + spec.Name + ".des", bytes);
    return Sequence(std::move(strip));
}

TextStyle Base(const char* family, double size, bool bold) {
    TextStyle t;
    t.Family = family;
    t.Size = size;
    t.Bold = bold;
    return t;
}

std::vector<FontSpec> Specs() {
    std::vector<FontSpec> specs;
    // font01: names in the high-score table and monument titles on the map; gilded serif.
    TextStyle f1 = Base(fonts::Title, 22, true);
    f1.FillTop = Hex(0xFFF4C8); f1.FillBottom = Hex(0xE0A23A);
    f1.OutlineWidth = 1.6; f1.Outline = Hex(0x3A1E08);
    f1.ShadowDx = 1; f1.ShadowDy = 2; f1.ShadowBlur = 1.5; f1.Shadow = Hex(0x1A0A02, 0.7);
    specs.push_back({"font01", f1, FullSet(), 0});
    // font02: the score on the game screen and the years of the congratulations: big gold numerals.
    TextStyle f2 = Base(fonts::Title, 28, true);
    f2.FillTop = Hex(0xFFFBE0); f2.FillBottom = Hex(0xF0B030);
    f2.OutlineWidth = 2.0; f2.Outline = Hex(0x3A1A04);
    f2.ShadowDx = 1.5; f2.ShadowDy = 2.5; f2.ShadowBlur = 2; f2.Shadow = Hex(0x100600, 0.75);
    f2.BevelLight = true;
    specs.push_back({"font02", f2, FullSet(), 1});
    // font03: dialog and tip text, player names, credits: dark ink with a light halo, reads on
    // parchment and on stone alike.
    TextStyle f3 = Base(fonts::Body, 18, true);
    f3.FillTop = Hex(0x4A2A10); f3.FillBottom = Hex(0x24140A);
    f3.OutlineWidth = 1.3; f3.Outline = Hex(0xFFF4DC, 0.55);
    specs.push_back({"font03", f3, FullSet(), 0});
    // font04: small body text (help, legends, descriptions, greetings, developer overlay).
    TextStyle f4 = Base(fonts::Body, 15, false);
    f4.FillTop = Hex(0x2E1A0A); f4.FillBottom = Hex(0x1E1006);
    f4.OutlineWidth = 1.0; f4.Outline = Hex(0xFFF6E2, 0.45);
    specs.push_back({"font04", f4, FullSet(), 0});
    // font05: the year on the map's timeline: light numerals with a dark rim.
    TextStyle f5 = Base(fonts::Body, 15, true);
    f5.FillTop = Hex(0xFFFFFF); f5.FillBottom = Hex(0xF2DDA8);
    f5.OutlineWidth = 1.4; f5.Outline = Hex(0x2A1406);
    f5.ShadowDy = 1; f5.ShadowBlur = 1; f5.Shadow = Hex(0x000000, 0.6);
    specs.push_back({"font05", f5, FullSet(), 0});
    // DebugFont: capitals only (its texts are upper-cased), carved-cream serif.
    TextStyle fd = Base(fonts::Title, 17, true);
    fd.FillTop = Hex(0xFFF8E4); fd.FillBottom = Hex(0xE8CC90);
    fd.OutlineWidth = 1.5; fd.Outline = Hex(0x2A1406);
    fd.ShadowDy = 1.5; fd.ShadowBlur = 1.5; fd.Shadow = Hex(0x000000, 0.6);
    specs.push_back({"DebugFont", fd, UpperSet(), 1});
    return specs;
}

}  // namespace
}  // namespace vantero::art

ARTGEN_MODULE(fonts) {
    using namespace vantero::art;
    for (const FontSpec& spec : Specs())
        reg.Add(std::string("base/fonts/") + spec.Name + ".png", [spec](ArtContext& ctx) { return BuildFont(ctx, spec); }, {}, 3.0);
}
