// artgen: draws every picture of the game procedurally into a graphics/ folder.
#include "ArtJobs.h"

#include <fnmatch.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#ifndef ARTGEN_DATA_DIR
#define ARTGEN_DATA_DIR "data"
#endif

namespace fs = std::filesystem;
using namespace vantero::art;

namespace {

void PrintHelp() {
    std::cout <<
        "artgen: draws the game's pictures into a graphics folder\n"
        "\n"
        "usage: artgen --out DIR [options]\n"
        "  --out DIR       graphics folder to fill (created; the full folder skeleton is always made)\n"
        "  --cfg DIR       folder for font descriptions and other cfg files (default DIR/../cfg)\n"
        "  --data DIR      the game data folder with Config.xml and cfg/ (default: the source tree's data/)\n"
        "  --only PATTERN  run only jobs whose output path matches (shell wildcards; plain text = substring)\n"
        "  --module NAME   run only the jobs of one module (repeatable)\n"
        "  --jobs N        worker threads (default: number of cores)\n"
        "  --list          list the jobs (module and output path) and exit\n"
        "  --modules       list the modules and exit\n"
        "  --quiet         print only errors and the summary\n"
        "  --help          this text\n"
        "\n"
        "A full run (no --only/--module) also removes picture files in DIR that no job wrote.\n";
}

bool Matches(const std::string& pattern, const std::string& path) {
    if (pattern.find_first_of("*?[") != std::string::npos) return fnmatch(pattern.c_str(), path.c_str(), 0) == 0;
    return path.find(pattern) != std::string::npos;
}

}  // namespace

int main(int argc, char** argv) {
    std::string out, cfg, data = ARTGEN_DATA_DIR, only;
    std::set<std::string> modules;
    bool list = false, listModules = false, quiet = false;
    unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= argc) { std::cerr << "artgen: " << a << " needs a value\n"; std::exit(2); }
            return argv[++i];
        };
        if (a == "--help" || a == "-h") { PrintHelp(); return 0; }
        else if (a == "--out") out = next();
        else if (a == "--cfg") cfg = next();
        else if (a == "--data") data = next();
        else if (a == "--only") only = next();
        else if (a == "--module") modules.insert(next());
        else if (a == "--jobs") threads = static_cast<unsigned>(std::max(1, std::atoi(next().c_str())));
        else if (a == "--list") list = true;
        else if (a == "--modules") listModules = true;
        else if (a == "--quiet") quiet = true;
        else { std::cerr << "artgen: unknown option " << a << " (see --help)\n"; return 2; }
    }

    std::vector<ArtJob> jobs;
    for (const ModuleEntry& m : Modules()) {
        ModuleRegistrar reg(m.Name, jobs);
        m.Function(reg);
    }
    if (listModules) {
        for (const ModuleEntry& m : Modules()) std::cout << m.Name << "\n";
        return 0;
    }
    std::vector<ExpandedJob> all = ExpandJobs(jobs);
    // Two jobs writing one sequence name would hide each other in the game: refuse.
    {
        std::set<std::string> names;
        for (const ExpandedJob& j : all) {
            std::string n = j.Path.substr(0, j.Path.find('.', j.Path.rfind('/')));
            std::transform(n.begin(), n.end(), n.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            if (!names.insert(n).second) { std::cerr << "artgen: two jobs write the sequence " << n << "\n"; return 1; }
        }
    }
    std::vector<ExpandedJob> selected;
    for (const ExpandedJob& j : all)
        if ((modules.empty() || modules.count(j.Job->Module)) && (only.empty() || Matches(only, j.Path))) selected.push_back(j);
    if (list) {
        for (const ExpandedJob& j : selected) std::cout << j.Job->Module << "\t" << j.Path << "\n";
        return 0;
    }
    if (out.empty()) { std::cerr << "artgen: --out DIR is required (see --help)\n"; return 2; }
    if (cfg.empty()) cfg = (fs::path(out) / ".." / "cfg").lexically_normal().string();

    GameData gameData;
    try {
        gameData.Load(data);
    } catch (const std::exception& e) {
        std::cerr << "artgen: " << e.what() << "\n";
        return 1;
    }
    for (const std::string& f : SkeletonFolders()) fs::create_directories(fs::path(out) / f);

    const auto start = std::chrono::steady_clock::now();
    std::stable_sort(selected.begin(), selected.end(), [](const ExpandedJob& a, const ExpandedJob& b) { return a.Job->Cost > b.Job->Cost; });
    std::atomic<size_t> nextJob{0};
    std::mutex outputLock;
    std::vector<std::string> errors;
    auto worker = [&]() {
        for (size_t i; (i = nextJob++) < selected.size();) {
            const ExpandedJob& j = selected[i];
            const auto t0 = std::chrono::steady_clock::now();
            try {
                ArtContext ctx(j.JobLayout, gameData, j.Path, out, cfg);
                const Sequence seq = j.Job->Draw(ctx);
                WriteSequence((fs::path(out) / j.Path).string(), seq, j.Job->Options);
                if (!quiet) {
                    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
                    std::lock_guard<std::mutex> lock(outputLock);
                    std::printf("  %-10s %6.0f ms  %s\n", j.Job->Module.c_str(), ms, j.Path.c_str());
                }
            } catch (const std::exception& e) {
                std::lock_guard<std::mutex> lock(outputLock);
                errors.push_back(j.Path + ": " + e.what());
            }
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < std::min<size_t>(threads, std::max<size_t>(1, selected.size())); ++t) pool.emplace_back(worker);
    for (auto& t : pool) t.join();

    // A full run leaves exactly the pictures it drew (files in sub-folders only; packed .gfx beside them stay).
    if (modules.empty() && only.empty() && errors.empty()) {
        std::set<fs::path> written;
        for (const ExpandedJob& j : selected) written.insert((fs::path(out) / j.Path).lexically_normal());
        for (const auto& e : fs::recursive_directory_iterator(out)) {
            if (!e.is_regular_file() || e.path().parent_path() == fs::path(out)) continue;
            const fs::path p = e.path().lexically_normal();
            if (written.count(p)) continue;
            // Alpha companions belong to their picture.
            const std::string name = p.filename().string();
            if (name.find("_a.") != std::string::npos) continue;
            fs::remove(p);
        }
    }

    const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (const std::string& e : errors) std::cerr << "artgen: " << e << "\n";
    std::printf("artgen: %zu pictures in %.1f s on %u threads%s\n", selected.size() - errors.size(), secs, threads,
                errors.empty() ? "" : ", with errors");
    return errors.empty() ? 0 : 1;
}
