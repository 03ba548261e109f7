// The game-screen composite: the pictures placed as the game screen draws them, in its drawing order.
#include "Composite.h"
#include "Pictures.h"
#include "../artgen/ConfigText.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace contactsheet {
namespace {

using vantero::art::ReadConfigText;

// key="value" pairs of a fragment.
class Values {
public:
    void Read(const std::string& path) {
        const std::string t = ReadConfigText(path);
        const std::regex re(R"re(([A-Za-z_][A-Za-z0-9_]*)\s*=\s*"([^"]*)")re");
        for (auto it = std::sregex_iterator(t.begin(), t.end(), re); it != std::sregex_iterator(); ++it)
            map_[(*it)[1].str()] = (*it)[2].str();
    }
    int Int(const std::string& key) const {
        const auto it = map_.find(key);
        if (it == map_.end()) throw std::runtime_error("layout value " + key + " is missing");
        return std::atoi(it->second.c_str());
    }
    int IntOr(const std::string& key, int fallback) const {
        return map_.count(key) ? Int(key) : fallback;
    }

private:
    std::map<std::string, std::string> map_;
};

struct Figure {
    int Phase, X, Y;
};

std::vector<Figure> SmallWorkers(const std::string& levelXml) {
    const std::string t = ReadConfigText(levelXml);
    std::vector<Figure> out;
    const std::regex re(R"re(<SmallWorker\s+Phase="(\d+)"\s+X="(-?\d+)"\s+Y="(-?\d+)")re");
    for (auto it = std::sregex_iterator(t.begin(), t.end(), re); it != std::sregex_iterator(); ++it)
        out.push_back({std::stoi((*it)[1]), std::stoi((*it)[2]), std::stoi((*it)[3])});
    return out;
}

// Finds a sprite request ("levels/03/back") in the folders the game loads for a layout.
class Sprites {
public:
    Sprites(std::string graphics, std::string tag) : root_(std::move(graphics)), tag_(std::move(tag)) {}
    const SequenceView* Get(const std::string& request) {
        auto it = cache_.find(request);
        if (it != cache_.end()) return it->second ? &*it->second : nullptr;
        std::optional<SequenceView> found;
        const fs::path rel(request);
        const std::string name = rel.filename().string();
        for (const std::string& group : {"base/" + tag_, std::string("base"), "L1033/" + tag_, std::string("L1033")}) {
            const fs::path dir = fs::path(root_) / group / rel.parent_path();
            if (!fs::is_directory(dir)) continue;
            for (const auto& e : fs::directory_iterator(dir)) {
                const std::string fn = e.path().filename().string();
                const size_t dot = fn.find('.');
                if (dot == std::string::npos || fn.substr(0, dot) != name) continue;
                try {
                    found = Load(e.path(), root_);
                } catch (const std::exception& ex) {
                    std::cerr << ex.what() << "\n";
                }
                break;
            }
            if (found) break;
        }
        if (!found) {
            std::cerr << "composite: no picture for " << request << " (skipped)\n";
            ++missing_;
        }
        auto& slot = cache_[request];
        slot = std::move(found);
        return slot ? &*slot : nullptr;
    }
    int Missing() const { return missing_; }

private:
    std::string root_, tag_;
    std::map<std::string, std::optional<SequenceView>> cache_;
    int missing_ = 0;
};

enum class Anchor { TopLeft, BottomCentre, Centre };

void Draw(cairo_t* cr, const SequenceView* seq, int frame, double x, double y, Anchor a = Anchor::TopLeft,
          double alpha = 1.0, bool mirror = false) {
    if (!seq || seq->Frames.empty()) return;
    const Surface& s = seq->Frames[std::clamp(frame, 0, static_cast<int>(seq->Frames.size()) - 1)];
    if (a == Anchor::BottomCentre) { x -= s.W() / 2.0; y -= s.H(); }
    if (a == Anchor::Centre) { x -= s.W() / 2.0; y -= s.H() / 2.0; }
    cairo_save(cr);
    cairo_translate(cr, std::round(x), std::round(y));
    if (mirror) {
        cairo_translate(cr, s.W(), 0);
        cairo_scale(cr, -1, 1);
    }
    cairo_set_source_surface(cr, s.s, 0, 0);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

// A small deterministic generator for the board arrangement.
struct Lcg {
    uint32_t s;
    int Next(int n) {
        s = s * 1664525u + 1013904223u;
        return static_cast<int>((s >> 8) % static_cast<uint32_t>(n));
    }
};

}  // namespace

int WriteComposite(const CompositeOptions& o) {
    const bool wide = o.Layout == "R1280x720";
    if (!wide && o.Layout != "R800x600") throw std::runtime_error("unknown layout " + o.Layout);
    if (o.Level < 1 || o.Level > 7) throw std::runtime_error("level must be 1..7");
    const int W = wide ? 1280 : 800, H = wide ? 720 : 600;
    char nn[8];
    std::snprintf(nn, sizeof nn, "%02d", o.Level);
    const std::string lower = wide ? "r1280x720" : "r800x600";
    Values v;
    v.Read(o.Data + "/cfg/layout/" + lower + ".xml");
    Values lv;
    lv.Read(o.Data + "/cfg/levels/" + nn + "_" + lower + "_attr.xml");
    const std::vector<Figure> figures = SmallWorkers(o.Data + "/cfg/levels/" + nn + ".xml");
    const std::string folder = std::string("levels/") + nn + "/";
    Sprites sp(o.Graphics, o.Layout);

    Surface screen = NewSurface(W, H);
    cairo_t* cr = cairo_create(screen.s);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    cairo_paint(cr);
    const int cell = v.Int("CellSize"), fx = v.Int("FieldX"), fy = v.Int("FieldY");

    // The screen's own picture, then its per-frame work in the game's order.
    Draw(cr, sp.Get(folder + "back"), 0, 0, 0);
    Draw(cr, sp.Get(folder + "back_life"), 0, v.Int("GameScreenLifeX"), v.Int("GameScreenLifeY"));
    Draw(cr, sp.Get(folder + "back_time"), 0, v.Int("GameScreenTimeX"), v.Int("GameScreenTimeY"));
    // Props that follow some backdrop animations.
    const std::string anims = ReadConfigText(o.Data + "/cfg/levels/" + nn + "_" + lower + ".xml");
    if (anims.find("Engine=\"Gik") != std::string::npos)
        Draw(cr, sp.Get(folder + "stone"), 0, v.Int("GameStoneX"), v.Int("GameStoneY"));
    if (anims.find("Engine=\"Seagull") != std::string::npos) {
        Draw(cr, sp.Get(folder + "leftbillet"), 0, v.Int("GameLeftBilletX"), v.Int("GameLeftBilletY"));
        Draw(cr, sp.Get(folder + "rightbillet"), 0, v.Int("GameRightBilletX"), v.Int("GameRightBilletY"));
    }
    // Time bar: the liquid from row h down, the leaves in front.
    if (const SequenceView* liquid = sp.Get(folder + "timeline")) {
        const Surface& s = liquid->Frames[0];
        const int h = static_cast<int>(std::lround((1 - o.TimeFill) * s.H()));
        cairo_save(cr);
        cairo_rectangle(cr, v.Int("TimeLineX"), v.Int("TimeLineY") + h, s.W(), s.H() - h);
        cairo_clip(cr);
        Draw(cr, liquid, 0, v.Int("TimeLineX"), v.Int("TimeLineY"));
        cairo_restore(cr);
        const SequenceView* bubble = sp.Get("stuff/bubble01");
        for (int i = 0; i < 3; ++i)
            Draw(cr, bubble, 0, v.Int("GameBubblesDX") + (i * 13) % 24, v.Int("TimeLineY") + h + 40 + i * 70, Anchor::Centre, 0.8);
    }
    Draw(cr, sp.Get(folder + "timeline_leafs"), 0, v.Int("TimeLineX"), v.Int("TimeLineY"));

    // The monument at the stage, its little figures.
    const int mx = lv.Int("ConstructionX"), my = lv.Int("ConstructionY");
    Draw(cr, sp.Get(folder + "vantero"), o.Stage, mx, my);
    int k = 0;
    for (const Figure& f : figures)
        if (f.Phase == o.Stage + 1) {
            char name[32];
            std::snprintf(name, sizeof name, "characters/small%02d", 1 + (k * 3 + o.Level) % 6);
            Draw(cr, sp.Get(name), 0, mx + f.X, my + f.Y, Anchor::TopLeft, 1.0, k % 2 == 1);
            ++k;
        }

    // The board: a worn patchwork of the three tile levels, gems of seven kinds without lines of three.
    const SequenceView* tiles[3] = {sp.Get(folder + "fielda"), sp.Get(folder + "fieldb"), sp.Get(folder + "fieldc")};
    Lcg rnd{static_cast<uint32_t>(o.Level * 7919 + o.Stage)};
    int kinds[10][10];
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c) {
            const double d = std::hypot(r - 4.5, c - 4.5);
            int t = d < 2.6 ? 2 : (d < 4.4 ? 1 : 0);
            if (rnd.Next(5) == 0) t = std::max(0, t - 1);
            if (const SequenceView* tile = tiles[t]) {
                cairo_save(cr);
                cairo_rectangle(cr, fx + c * cell, fy + r * cell, cell, cell);
                cairo_clip(cr);
                Draw(cr, tile, 0, fx, fy);
                cairo_restore(cr);
            }
            int g;
            do g = rnd.Next(7);
            while ((c >= 2 && kinds[r][c - 1] == g && kinds[r][c - 2] == g) ||
                   (r >= 2 && kinds[r - 1][c] == g && kinds[r - 2][c] == g));
            kinds[r][c] = g;
        }
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c) {
            if ((r * 10 + c) % 23 == 7) continue;   // an empty cell shows the stone
            char name[32];
            std::snprintf(name, sizeof name, "elements/marble1%d", kinds[r][c] + 1);
            Draw(cr, sp.Get(name), 0, fx + c * cell + cell / 2.0, fy + r * cell + cell / 2.0, Anchor::Centre);
        }
    Draw(cr, sp.Get("elements/box01"), 0, fx + 3 * cell + (wide ? 5 : 0), fy + 9 * cell + (wide ? 5 : 0));

    // Score and level labels, the roll-menu frame, the life icon.
    Draw(cr, sp.Get("stuff/score"), 0, v.Int("GameScoresX"), v.Int("GameScoresY"));
    Draw(cr, sp.Get("stuff/level"), 0, v.Int("GameLevelX"), v.Int("GameLevelY"));
    Draw(cr, sp.Get("stuff/life"), 0, v.Int("LifeX"), v.Int("LifeY"));
    Draw(cr, sp.Get("ui/rollmenu/menu01"), 0, v.Int("GameMenuX"), v.Int("GameMenuY"));

    // Figures on the ground (sorted by their feet): a box on the conveyor, the mechanic, two carriers.
    const SequenceView* shadow = sp.Get("characters/shadow");
    const int conveyer = v.Int("ConveyerY");
    Draw(cr, sp.Get("elements/box01dropped"), 0, fx + 6.5 * cell, conveyer, Anchor::BottomCentre);
    struct Walker { const char* Name; double X; int Y; bool Mirror; };
    const int wy = lv.Int("WorkerInitialY");
    const Walker walkers[] = {
        {"characters/servicewalk", fx + 5.0 * cell, v.Int("MechanicY"), false},
        {"characters/workercarry01", v.Int("GameWorkersPosForBlockCarringX") - cell * 0.6, lv.Int("WorkerMinY") + 4, true},
        {"characters/workerwalk", fx + 2.2 * cell, wy, false},
        {"characters/workerwalk", lv.Int("SupervisorX") + cell * 1.6, lv.Int("WorkerMaxY") - 2, true},
    };
    std::vector<Walker> order(std::begin(walkers), std::end(walkers));
    std::sort(order.begin(), order.end(), [](const Walker& a, const Walker& b) { return a.Y < b.Y; });
    for (const Walker& w : order) {
        const SequenceView* seq = sp.Get(w.Name);
        if (!seq) continue;
        Draw(cr, shadow, 0, w.X + 2, w.Y - 2, Anchor::Centre, 0.5);
        Draw(cr, seq, 0, w.X, w.Y, Anchor::BottomCentre, 1.0, w.Mirror);
    }
    Draw(cr, sp.Get(folder + "cabin"), 0, lv.Int("CabinX"), lv.Int("CabinY"));
    // The foreman: top-left, his shadow at (+17, +51).
    const int sx = lv.Int("SupervisorX"), sy = lv.Int("SupervisorY");
    if (const SequenceView* foreman = sp.Get("characters/prorab01")) {
        if (shadow) Draw(cr, shadow, 0, sx + 17, sy + 51, Anchor::TopLeft, 0.5);
        Draw(cr, foreman, 0, sx, sy);
    }
    cairo_destroy(cr);
    fs::create_directories(fs::absolute(o.Out).parent_path());
    if (cairo_surface_write_to_png(screen.s, o.Out.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + o.Out);
    std::cout << o.Out << "\n";
    return sp.Missing();
}

}  // namespace contactsheet
