// Checks the generated board pictures through the game's own decoder: light pictures that are
// added to the screen are opaque (black adds nothing), pictures that burst into particles have no
// faint fringe, cell-sized looks match each layout's cell, and every point value of the tuning has
// its floating score.
#include "render/UGraphicsFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace vantero;

namespace {

std::string ReadText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// key="value" of a game-data fragment, as an integer (-1 when absent).
int DataInt(const std::string& text, const std::string& key) {
    const std::regex re(key + R"re(\s*=\s*"(-?\d+)")re");
    std::smatch m;
    return std::regex_search(text, m, re) ? std::stoi(m[1].str()) : -1;
}

class BoardArtTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::path(VANTERO_BINARY_DIR) / "game" / "graphics";
        if (!fs::is_directory(root_ / "base" / "elements")) GTEST_SKIP() << "no generated graphics tree at " << root_;
    }

    // Decodes the file of a sequence (folder relative to graphics/, name before the first dot).
    std::unique_ptr<TGraphicsFile> Load(const std::string& folder, const std::string& name) const {
        const fs::path dir = root_ / folder;
        if (!fs::is_directory(dir)) return nullptr;
        for (const auto& e : fs::directory_iterator(dir)) {
            const std::string f = e.path().filename().string();
            if (f.rfind(name + ".", 0) != 0 || f.find("_a.") != std::string::npos) continue;
            const std::vector<uint8_t> bytes = ReadFileBytes(e.path().string());
            return DecodeGraphicsFile(e.path().string(), bytes.data(), bytes.size());
        }
        return nullptr;
    }

    static int Alpha(const TGraphicsFile& g, int frame, int x, int y) {
        const TGSoftwareSurface* a = g.AlphaPicture(frame);
        return a ? static_cast<int>(a->Pixel(x, y) & 0xFF) : 255;
    }

    static double Coverage(const TGraphicsFile& g, int frame) {
        const TGSoftwareSurface& p = g.Picture(frame);
        int on = 0;
        for (int y = 0; y < p.Height(); ++y)
            for (int x = 0; x < p.Width(); ++x) on += Alpha(g, frame, x, y) > 128;
        return static_cast<double>(on) / (p.Width() * p.Height());
    }

    std::vector<int> GemKinds() const {
        std::vector<int> kinds;
        for (int k = 11; k <= 18; ++k) kinds.push_back(k);
        return kinds;
    }

    fs::path root_;
};

TEST_F(BoardArtTest, AdditiveLightsAreOpaqueEverywhere) {
    std::vector<std::pair<std::string, std::string>> lights = {
        {"base/stuff", "meblink01"}, {"base/stuff", "meblink02"}, {"base/elements", "bonuslight01"},
        {"base/elements", "bonuslight02"}, {"base/elements", "bonuslight03"}, {"base/elements", "box01light"},
        {"base/elements", "box02light"}};
    for (const char* r : {"R800x600", "R1280x720"})
        for (int k : GemKinds()) lights.push_back({std::string("base/") + r + "/elements", "marble" + std::to_string(k) + "symblink"});
    for (const auto& [folder, name] : lights) {
        const auto g = Load(folder, name);
        ASSERT_TRUE(g) << folder << "/" << name;
        bool lit = false;
        for (int f = 0; f < g->FrameCount(); ++f) {
            const TGSoftwareSurface& p = g->Picture(f);
            for (int y = 0; y < p.Height(); ++y)
                for (int x = 0; x < p.Width(); ++x) {
                    ASSERT_EQ(Alpha(*g, f, x, y), 255) << folder << "/" << name << " frame " << f << " at " << x << "," << y;
                    lit = lit || (p.Pixel(x, y) & 0xFFFFFF) > 0x202020;
                }
        }
        EXPECT_TRUE(lit) << folder << "/" << name << " adds no light at all";
    }
}

TEST_F(BoardArtTest, BurstPicturesHaveNoFaintFringe) {
    for (const char* r : {"R800x600", "R1280x720"}) {
        const std::string folder = std::string("base/") + r + "/elements";
        std::vector<std::string> names;
        for (int k : GemKinds()) names.push_back("marble" + std::to_string(k) + "kill");
        for (int b = 1; b <= 3; ++b) names.push_back("bonus0" + std::to_string(b) + "kill");
        for (const std::string& name : names) {
            const auto g = Load(folder, name);
            ASSERT_TRUE(g) << folder << "/" << name;
            const TGSoftwareSurface& p = g->Picture(0);
            EXPECT_GT(Coverage(*g, 0), 0.2) << name << ": frame 0 must show the element that bursts";
            int faint = 0;
            for (int y = 0; y < p.Height(); ++y)
                for (int x = 0; x < p.Width(); ++x) {
                    const int a = Alpha(*g, 0, x, y);
                    faint += a > 0 && a < 8;
                }
            EXPECT_EQ(faint, 0) << folder << "/" << name << ": faint pixels would burst into stray particles";
            EXPECT_EQ(Alpha(*g, 0, 0, 0), 0) << folder << "/" << name;
            EXPECT_LT(Coverage(*g, g->FrameCount() - 1), 0.05) << name << ": the removal must end (almost) empty";
        }
    }
}

TEST_F(BoardArtTest, CellSizedLooksMatchTheLayoutsCell) {
    for (const char* r : {"800x600", "1280x720"}) {
        const int cell = DataInt(ReadText(fs::path(VANTERO_SOURCE_DIR) / "data/cfg/layout" / (std::string("r") + r + ".xml")), "CellSize");
        ASSERT_GT(cell, 0);
        const std::string folder = std::string("base/R") + r + "/elements";
        std::vector<std::string> looks = {"cellselection"};
        for (int k : GemKinds())
            for (const char* s : {"", "sel"}) looks.push_back("marble" + std::to_string(k) + s);
        for (int b = 1; b <= 3; ++b)
            for (const char* s : {"", "sel"}) looks.push_back("bonus0" + std::to_string(b) + s);
        for (const std::string& name : looks) {
            const auto g = Load(folder, name);
            ASSERT_TRUE(g) << folder << "/" << name;
            EXPECT_EQ(g->Picture(0).Width(), cell) << folder << "/" << name;
            EXPECT_EQ(g->Picture(0).Height(), cell) << folder << "/" << name;
            if (name == "cellselection") continue;   // its normal state is meant to be empty
            for (int f = 0; f < g->FrameCount(); ++f)
                EXPECT_GT(Coverage(*g, f), 0.05) << folder << "/" << name << " frame " << f << " is blank";
        }
    }
}

TEST_F(BoardArtTest, EveryPointValueHasAFloatingScore) {
    const std::string tuning = ReadText(fs::path(VANTERO_SOURCE_DIR) / "data/cfg/tuning.xml");
    std::vector<int> values;
    for (const char* k : {"PointsForCombinationOfThree", "PointsForCombinationOfFour", "PointsForCombinationOfFive",
                          "PointsForCombinationOfSix", "PointsForCombinationOfSeven"})
        if (DataInt(tuning, k) > 0) values.push_back(DataInt(tuning, k));
    for (const char* k : {"PointsForSpecial1", "PointsForSpecial2", "PointsForSpecial3", "PointsForWorker"})
        values.push_back(DataInt(tuning, k));
    for (int v : values) {
        std::string name = std::to_string(v);
        while (name.size() < 3) name = "0" + name;
        const auto g = Load("base/scores", name);
        ASSERT_TRUE(g) << "scores/" << name;
        EXPECT_GT(Coverage(*g, 0), 0.05) << "scores/" << name;
    }
}

}  // namespace
