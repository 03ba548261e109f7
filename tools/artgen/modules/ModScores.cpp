// Floating scores: one picture per point value the game data can award, gilded numerals with a
// dark rim that read over any tile; bigger rewards get warmer colours and a glow.
#include "ArtJobs.h"
#include "ArtText.h"
#include "ArtboardKit.h"

#include <stdexcept>
#include <string>

namespace vantero::art {
namespace {

using namespace kit;

Canvas ScorePicture(int value) {
    const int w = 80, h = 40;
    Canvas c(w, h);
    TextStyle t;
    t.Family = fonts::Title;
    t.Bold = true;
    t.Size = 30;
    t.LetterSpacing = 0.5;
    t.OutlineWidth = 2.4;
    t.Outline = Hex(0x2A1004);
    t.ShadowDx = 1;
    t.ShadowDy = 2;
    t.ShadowBlur = 2;
    t.Shadow = Hex(0x000000, 0.6);
    t.BevelLight = true;
    if (value >= 300) {
        t.FillTop = Hex(0xFFF8F0);
        t.FillBottom = Hex(0xFF5A8A);
        t.GlowRadius = 5;
        t.Glow = Hex(0xFFD0E0, 0.8);
    } else if (value >= 150) {
        t.FillTop = Hex(0xFFF6D8);
        t.FillBottom = Hex(0xFF8A1A);
        t.GlowRadius = 4;
        t.Glow = Hex(0xFFE0A0, 0.7);
    } else if (value >= 100) {
        t.FillTop = Hex(0xFFFBE0);
        t.FillBottom = Hex(0xF7B020);
        t.GlowRadius = 3;
        t.Glow = Hex(0xFFF0B0, 0.5);
    } else {
        t.FillTop = Hex(0xFFFFF0);
        t.FillBottom = Hex(0xF2CC5A);
    }
    DrawTextInBox(c, "+" + std::to_string(value), t, 2, 0, w - 4, h);
    return c;
}

}  // namespace
}  // namespace vantero::art

ARTGEN_MODULE(scores) {
    using namespace vantero::art;
    for (const int value : kit::SourceScoreValues()) {
        if (value < 0) throw std::runtime_error("scores: negative point value " + std::to_string(value) + " in tuning.xml");
        reg.Add("base/scores/" + kit::Digits(value, 3) + ".png", [value](ArtContext&) { return Sequence(ScorePicture(value)); });
    }
}
