#include "ArtJobs.h"

#include "ConfigText.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace vantero::art {

const char* LayoutTag(Layout layout) {
    switch (layout) {
        case Layout::R800x600: return "R800x600";
        case Layout::R1280x720: return "R1280x720";
        default: return "";
    }
}
int LayoutWidth(Layout layout) { return layout == Layout::R1280x720 ? 1280 : 800; }
int LayoutHeight(Layout layout) { return layout == Layout::R1280x720 ? 720 : 600; }

// ---- KeyValues ----
void KeyValues::ReadFile(const std::string& path) {
    // Without preprocessor notes and XML comments, then the key="value" pairs.
    const std::string text = ReadConfigText(path);
    static const std::regex pair(R"re(([A-Za-z_][A-Za-z0-9_]*)\s*=\s*"([^"]*)")re");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pair); it != std::sregex_iterator(); ++it)
        values_[(*it)[1].str()] = (*it)[2].str();
    sources_.push_back(path);
}
bool KeyValues::Has(const std::string& key) const { return values_.count(key) != 0; }
const std::string& KeyValues::Text(const std::string& key) const {
    const auto it = values_.find(key);
    if (it == values_.end()) {
        std::string from;
        for (const auto& s : sources_) from += " " + s;
        throw std::runtime_error("layout key \"" + key + "\" not found in" + from);
    }
    return it->second;
}
int KeyValues::Int(const std::string& key) const { return static_cast<int>(std::lround(Real(key))); }
double KeyValues::Real(const std::string& key) const {
    std::string t = Text(key);
    std::replace(t.begin(), t.end(), ',', '.');
    try {
        return std::stod(t);
    } catch (const std::exception&) {
        throw std::runtime_error("layout key \"" + key + "\" is not a number: " + t);
    }
}
int KeyValues::IntOr(const std::string& key, int fallback) const { return Has(key) ? Int(key) : fallback; }

void GameData::Load(const std::string& dataDir) {
    DataDir = dataDir;
    Root.ReadFile(dataDir + "/cfg/tuning.xml");
    LayoutValues[Layout::R800x600].ReadFile(dataDir + "/cfg/layout/r800x600.xml");
    LayoutValues[Layout::R1280x720].ReadFile(dataDir + "/cfg/layout/r1280x720.xml");
}

// ---- ArtContext ----
ArtContext::ArtContext(Layout layout, const GameData& data, std::string outputPath, std::string graphicsDir,
                       std::string cfgDir)
    : layout_(layout), data_(data), outputPath_(std::move(outputPath)), seed_(HashString(outputPath_.c_str())),
      random_(seed_), graphicsDir_(std::move(graphicsDir)), cfgDir_(std::move(cfgDir)) {}

const KeyValues& ArtContext::Values() const { return ValuesFor(layout_ == Layout::None ? Layout::R800x600 : layout_); }
const KeyValues& ArtContext::ValuesFor(Layout layout) const {
    const auto it = data_.LayoutValues.find(layout);
    if (it == data_.LayoutValues.end()) throw std::runtime_error("no layout values loaded");
    return it->second;
}

void ArtContext::WriteCfgFile(const std::string& relativePath, const std::string& bytes) const {
    const std::filesystem::path p = std::filesystem::path(cfgDir_) / relativePath;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + p.string());
}

void ArtContext::WriteExtraPicture(const std::string& relativePath, const Sequence& seq, const WriteOptions& options) const {
    WriteSequence((std::filesystem::path(graphicsDir_) / relativePath).string(), seq, options);
}

// ---- Registry ----
void ModuleRegistrar::Add(const std::string& path, DrawFunction draw, WriteOptions options, double cost) {
    jobs_.push_back(ArtJob{module_, path, std::move(draw), options, cost});
}
void ModuleRegistrar::AddForLayout(Layout layout, const std::string& path, DrawFunction draw, WriteOptions options,
                                   double cost) {
    // Stored with the layout's tag in the path, so expansion keeps it to that layout only.
    std::string p = path;
    const std::string tag = LayoutTag(layout);
    if (p.find("<R>") == std::string::npos && p.find(tag) == std::string::npos)
        throw std::runtime_error(path + ": a per-layout path must name its layout");
    jobs_.push_back(ArtJob{module_, p, std::move(draw), options, cost});
}

namespace {
std::vector<ModuleEntry>& ModuleList() {
    static std::vector<ModuleEntry> list;
    return list;
}
}  // namespace

bool RegisterModule(const char* name, ModuleFunction fn) {
    ModuleList().push_back({name, fn});
    std::sort(ModuleList().begin(), ModuleList().end(), [](const ModuleEntry& a, const ModuleEntry& b) { return a.Name < b.Name; });
    return true;
}
const std::vector<ModuleEntry>& Modules() { return ModuleList(); }

std::vector<ExpandedJob> ExpandJobs(const std::vector<ArtJob>& jobs) {
    std::vector<ExpandedJob> out;
    for (const ArtJob& j : jobs) {
        const size_t at = j.Path.find("<R>");
        if (at != std::string::npos) {
            for (Layout l : AllLayouts) {
                std::string p = j.Path;
                p.replace(at, 3, LayoutTag(l));
                out.push_back({&j, l, p});
            }
        } else {
            Layout l = Layout::None;
            for (Layout cand : AllLayouts)
                if (j.Path.find(std::string("/") + LayoutTag(cand) + "/") != std::string::npos) l = cand;
            out.push_back({&j, l, j.Path});
        }
    }
    return out;
}

std::vector<std::string> SkeletonFolders() {
    std::vector<std::string> f;
    for (const char* g1 : {"ui/confirm", "ui/mapscreen", "ui/options", "ui/mainmenu", "ui/newplayer", "ui/playas", "ui/help",
                           "ui/tips", "ui/highscores", "ui/ControllerEnterName", "stuff", "scores", "elements", "bricks",
                           "characters", "fonts"})
        f.push_back(std::string("base/") + g1);
    for (const char* g2 : {"ui/congrats", "ui/rollmenu", "ui/confirm", "ui/mapscreen", "ui/options", "ui/mainmenu", "ui/playas",
                           "ui/credits", "ui/help", "ui/tips", "ui/highscores", "loading", "stuff"})
        f.push_back(std::string("L1033/") + g2);
    for (Layout l : AllLayouts) {
        const std::string r = LayoutTag(l);
        for (const char* g3 : {"ui/mapscreen", "ui/mainmenu", "ui/credits", "ui/help", "ui/help/ElementsForHelp", "ui/highscores",
                               "ui/ControllerEnterName", "elements", "stuff"})
            f.push_back("base/" + r + "/" + g3);
        for (const char* g4 : {"ui/mainmenu", "ui/help", "ui/highscores"}) f.push_back("L1033/" + r + "/" + g4);
    }
    for (int n = 1; n <= 7; ++n) {
        const std::string nn = std::string("0") + static_cast<char>('0' + n);
        f.push_back("base/levels/" + nn);
        f.push_back("L1033/levels/" + nn);
        for (Layout l : AllLayouts) {
            f.push_back("base/" + std::string(LayoutTag(l)) + "/levels/" + nn);
            f.push_back("L1033/" + std::string(LayoutTag(l)) + "/levels/" + nn);
        }
    }
    f.push_back("no-gfx/base/arrows");
    f.push_back("no-gfx/base/backtextures");
    f.push_back("no-gfx/base/loading");
    f.push_back("no-gfx/L1033/loading");
    for (Layout l : AllLayouts) {
        f.push_back("no-gfx/base/" + std::string(LayoutTag(l)) + "/loading");
        f.push_back("no-gfx/L1033/" + std::string(LayoutTag(l)) + "/loading");
    }
    return f;
}

}  // namespace vantero::art
