// The building-site worker: walking, turning, carrying each brick, eating, gestures, dances,
// collapsing, leaving, the crazy man's run, the block carriers, the little monument figures
// and the ground shadows. Every picture comes from the one worker puppet.
#include "PuppetKit.h"

#include <cmath>

namespace vantero::art {
namespace {
using namespace puppet;

constexpr int W = 44, H = 68;            // every worker picture (feet at the bottom centre)
constexpr double AX = W / 2.0, AY = H - 1.0;

Sequence Figure(const std::vector<Pose>& poses, const std::function<std::vector<Prop>(int)>& props = {}) {
    return RenderFigure(WorkerLook(), W, H, AX, AY, poses, props);
}

std::vector<Pose> WalkSeq() { return WalkFrames(3, 10, 3, [](double p) { return Walk(p); }, Stand()); }

std::vector<Pose> TurnSeq(const Pose& base) {
    std::vector<Pose> out;
    for (int i = 0; i < 8; ++i) {
        Pose p = base;
        const double t = i / 7.0;
        p.view = 180 * Smooth(t);
        const double step = std::sin(t * M_PI);
        p.nearHip += 14 * step;
        p.nearKnee += 28 * step;
        p.nearFoot += 6 * step;
        out.push_back(p);
    }
    return out;
}

}  // namespace
}  // namespace vantero::art

ARTGEN_MODULE(workers) {
    using namespace vantero::art;
    const std::string dir = "base/characters/";
    reg.Add(dir + "workerwalk.16.png", [](ArtContext&) { return Figure(WalkSeq()); });
    reg.Add(dir + "workerturn.8.png", [](ArtContext&) { return Figure(TurnSeq(Stand())); });
    reg.Add(dir + "shadow.png", [](ArtContext&) { return Sequence(ShadowPicture(32, 10, 0.85)); });
    reg.Add(dir + "shadowsmall.png", [](ArtContext&) { return Sequence(ShadowPicture(16, 5, 0.85)); });
}
