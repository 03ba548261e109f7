// Checks a generated graphics tree against data/manifest/sprites.txt: every sequence the game
// requests is there with enough frames, in the folder it must live in, and every folder exists.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Entry {
    std::string Name;
    int Frames = 1;
    bool Optional = false;
};

struct Manifest {
    std::vector<Entry> Sequences;
    std::vector<std::string> Folders;
};

Manifest ReadManifest() {
    Manifest m;
    std::ifstream in(std::string(VANTERO_SOURCE_DIR) + "/data/manifest/sprites.txt");
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream ss(line);
        std::string a, b, c;
        ss >> a >> b >> c;
        if (a == "dir") m.Folders.push_back(b);
        else m.Sequences.push_back({a, std::stoi(b), c == "optional"});
    }
    return m;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Frames of a picture file: a GIF with several images has one per image, otherwise the ".N." infix.
int FrameCount(const fs::path& file) {
    const std::string name = file.filename().string();
    if (Lower(file.extension().string()) == ".gif") {
        int err = 0;
        GifFileType* gif = DGifOpenFileName(file.c_str(), &err);
        int images = 0;
        if (gif && DGifSlurp(gif) == GIF_OK) images = gif->ImageCount;
        if (gif) DGifCloseFile(gif, &err);
        if (images > 1) return images;
        if (images == 0) return 0;  // unreadable counts as missing frames
    }
    const size_t d1 = name.find('.'), d2 = name.find('.', d1 + 1);
    if (d1 == std::string::npos || d2 == std::string::npos) return 1;
    const std::string n = name.substr(d1 + 1, d2 - d1 - 1);
    if (n.empty() || !std::all_of(n.begin(), n.end(), [](unsigned char c) { return std::isdigit(c); })) return 1;
    return std::stoi(n);
}

class SpriteManifestTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::path(VANTERO_BINARY_DIR) / "game" / "graphics";
        if (!fs::is_directory(root_)) GTEST_SKIP() << "no generated graphics tree at " << root_;
        manifest_ = ReadManifest();
        ASSERT_FALSE(manifest_.Sequences.empty()) << "data/manifest/sprites.txt is empty or missing";
        for (const auto& e : fs::recursive_directory_iterator(root_)) {
            if (!e.is_regular_file()) continue;
            const std::string ext = Lower(e.path().extension().string());
            if (ext != ".png" && ext != ".jpg" && ext != ".gif") continue;
            const std::string file = e.path().filename().string();
            if (file.find("_a.") != std::string::npos) continue;  // alpha companions are not sequences
            const std::string rel = fs::relative(e.path().parent_path(), root_).string();
            const std::string name = Lower(rel + "/" + file.substr(0, file.find('.')));
            files_[name].push_back(e.path());
        }
    }

    fs::path root_;
    Manifest manifest_;
    std::map<std::string, std::vector<fs::path>> files_;   // sequence name -> files giving it
};

TEST_F(SpriteManifestTest, EveryRequestedSequenceIsThereWithEnoughFrames) {
    std::vector<std::string> missing, shortSeqs;
    for (const Entry& e : manifest_.Sequences) {
        const auto it = files_.find(e.Name);
        if (it == files_.end()) {
            if (!e.Optional) missing.push_back(e.Name);
            continue;
        }
        const int frames = FrameCount(it->second.front());
        if (frames < e.Frames)
            shortSeqs.push_back(e.Name + " (" + std::to_string(frames) + " of " + std::to_string(e.Frames) + " frames)");
    }
    std::string report;
    for (const auto& m : missing) report += "\n  missing: " + m;
    for (const auto& s : shortSeqs) report += "\n  short:   " + s;
    EXPECT_TRUE(missing.empty() && shortSeqs.empty())
        << missing.size() << " missing, " << shortSeqs.size() << " short sequences:" << report;
}

TEST_F(SpriteManifestTest, EveryFolderOfTheSkeletonExists) {
    std::string report;
    for (const std::string& f : manifest_.Folders)
        if (!fs::is_directory(root_ / f)) report += "\n  " + f;
    EXPECT_TRUE(report.empty()) << "folders missing under graphics/:" << report;
}

TEST_F(SpriteManifestTest, NoSequenceNameIsGivenByTwoFiles) {
    // Two files with one name before the first dot would make two sequences of one name.
    std::string report;
    for (const auto& [name, paths] : files_)
        if (paths.size() > 1) report += "\n  " + name;
    EXPECT_TRUE(report.empty()) << "sequence names given by more than one file:" << report;
}

}  // namespace
