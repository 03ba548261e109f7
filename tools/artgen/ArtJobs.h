// The art generator's job registry. A module registers jobs; each job draws one picture file
// (relative to graphics/) from a context that carries the layout, its layout values from the
// game data and a seeded random generator.
#pragma once

#include "ArtPaint.h"
#include "ArtWriters.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vantero::art {

enum class Layout { None, R800x600, R1280x720 };
const char* LayoutTag(Layout layout);            // "R800x600", "R1280x720", "" for None
int LayoutWidth(Layout layout);                  // 800 / 1280 (800 for None)
int LayoutHeight(Layout layout);                 // 600 / 720 (600 for None)
inline constexpr Layout AllLayouts[] = {Layout::R800x600, Layout::R1280x720};

// key="value" pairs of one game-data fragment (e.g. data/cfg/layout/r800x600.xml).
class KeyValues {
public:
    KeyValues() = default;
    void ReadFile(const std::string& path);      // adds every key="value" pair; later files win
    bool Has(const std::string& key) const;
    const std::string& Text(const std::string& key) const;  // fails naming the key when absent
    int Int(const std::string& key) const;
    double Real(const std::string& key) const;   // accepts "," or "." as decimal separator
    int IntOr(const std::string& key, int fallback) const;

private:
    std::map<std::string, std::string> values_;
    std::vector<std::string> sources_;
};

// Everything a job may read from the game data (loaded once before the jobs run).
struct GameData {
    std::string DataDir;                          // the source data/ folder
    KeyValues Root;                               // tuning.xml and other root attribute fragments
    std::map<Layout, KeyValues> LayoutValues;     // data/cfg/layout/r<W>x<H>.xml per layout
    void Load(const std::string& dataDir);
};

class ArtContext {
public:
    ArtContext(Layout layout, const GameData& data, std::string outputPath, std::string graphicsDir,
               std::string cfgDir);
    Layout GetLayout() const { return layout_; }
    const char* Tag() const { return LayoutTag(layout_); }
    int GameWidth() const { return LayoutWidth(layout_); }
    int GameHeight() const { return LayoutHeight(layout_); }
    bool Wide() const { return layout_ == Layout::R1280x720; }
    // Layout values of this job's layout (R800x600's for layout-independent jobs).
    const KeyValues& Values() const;
    const KeyValues& ValuesFor(Layout layout) const;
    const GameData& Data() const { return data_; }
    ArtRandom& Random() { return random_; }       // seeded from the output path: same source, same bytes
    uint32_t Seed() const { return seed_; }
    uint32_t SubSeed(const char* salt) const { return HashString(salt, seed_); }  // for noise fields
    const std::string& OutputPath() const { return outputPath_; }   // relative to graphics/
    // Writes a non-picture file (e.g. a font description) relative to the game's cfg/ folder.
    void WriteCfgFile(const std::string& relativePath, const std::string& bytes) const;
    // Writes a further picture next to the main one (relative to graphics/), e.g. a companion.
    void WriteExtraPicture(const std::string& relativePath, const Sequence& seq, const WriteOptions& options = {}) const;

private:
    // Job identity and randomness.
    Layout layout_;
    const GameData& data_;
    std::string outputPath_;
    uint32_t seed_;
    ArtRandom random_;
    // Output roots.
    std::string graphicsDir_;
    std::string cfgDir_;
};

using DrawFunction = std::function<Sequence(ArtContext&)>;

struct ArtJob {
    std::string Module;
    std::string Path;          // relative to graphics/; "<R>" is replaced by each layout's tag
    DrawFunction Draw;
    WriteOptions Options;
    double Cost = 1.0;         // rough relative run time; costly jobs start first
};

// Given to each module's registration function.
class ModuleRegistrar {
public:
    explicit ModuleRegistrar(std::string module, std::vector<ArtJob>& jobs) : module_(std::move(module)), jobs_(jobs) {}
    // Adds a picture job. Paths containing "<R>" run once per layout.
    void Add(const std::string& path, DrawFunction draw, WriteOptions options = {}, double cost = 1.0);
    // Adds one job per layout with an explicit per-layout path (when names differ per layout).
    void AddForLayout(Layout layout, const std::string& path, DrawFunction draw, WriteOptions options = {},
                      double cost = 1.0);
    const std::string& Module() const { return module_; }

private:
    std::string module_;
    std::vector<ArtJob>& jobs_;
};

using ModuleFunction = void (*)(ModuleRegistrar&);
bool RegisterModule(const char* name, ModuleFunction fn);   // called by ARTGEN_MODULE at static init
struct ModuleEntry {
    std::string Name;
    ModuleFunction Function;
};
const std::vector<ModuleEntry>& Modules();                  // sorted by name

// One expanded job: path with the layout filled in.
struct ExpandedJob {
    const ArtJob* Job;
    Layout JobLayout;
    std::string Path;
};
std::vector<ExpandedJob> ExpandJobs(const std::vector<ArtJob>& jobs);

// Every folder that must exist under graphics/ (even when empty).
std::vector<std::string> SkeletonFolders();

}  // namespace vantero::art

// Declares and registers a module:  ARTGEN_MODULE(loading) { reg.Add(...); }
#define ARTGEN_MODULE(NAME)                                                                     \
    static void ArtgenModule_##NAME(::vantero::art::ModuleRegistrar& reg);                      \
    [[maybe_unused]] static const bool ArtgenModuleRegistered_##NAME =                          \
        ::vantero::art::RegisterModule(#NAME, &ArtgenModule_##NAME);                            \
    static void ArtgenModule_##NAME(::vantero::art::ModuleRegistrar& reg)
