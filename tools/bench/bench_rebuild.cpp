// The first-run initialisation of a staged game folder: every bundle of the cache written anew
// from the graphics folders. Runs only when VANTERO_BENCH_GAME names a staged game folder
// (Vantero.cfg, cfg/ and a generated graphics/ tree), for example build/game.

#include "config/UConfigPreprocessor.h"
#include "config/UUtils.h"
#include "platform/PSoftwareBackend.h"
#include "render/UBundleCache.h"
#include "render/UD3DDevice.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

using namespace vantero;
namespace fs = std::filesystem;

void BM_FirstRunRebuild(benchmark::State &state)
{
	const char *game = std::getenv("VANTERO_BENCH_GAME");
	if (!game || !fs::exists(fs::path(game) / "Vantero.cfg") || !fs::is_directory(fs::path(game) / "graphics")) {
		state.SkipWithError("set VANTERO_BENCH_GAME to a staged game folder");
		return;
	}
	const fs::path previous = fs::current_path();
	const fs::path cache = fs::temp_directory_path() / "vantero-bench-rebuild";
	fs::create_directories(cache);
	setenv("XDG_CACHE_HOME", cache.c_str(), 1);
	fs::current_path(game);
	LoadConfig();
	auto device = std::make_unique<TD3DDevice>();
	device->BackendFactory = [](platform::TWindowHandle window, const platform::TPresentParams &params)
		-> std::unique_ptr<platform::IRenderBackend> {
		auto backend = std::make_unique<platform::TSoftwareBackend>(window);
		return backend->Create(params) ? std::move(backend) : nullptr;
	};
	RenderDevice = device.get();
	bool firstRun = false;
	device->Open(64, 48, {}, {}, firstRun, false, false, false);
	for (auto _ : state)
		RebuildBundleCache();
	uintmax_t bytes = 0;
	for (const auto &entry : fs::recursive_directory_iterator(cache))
		if (entry.is_regular_file())
			bytes += entry.file_size();
	state.counters["cache_mb"] = static_cast<double>(bytes) / 1048576.0;
	RenderDevice = nullptr;
	device.reset();
	FreeConfig();
	fs::current_path(previous);
	fs::remove_all(cache);
}

} // namespace

BENCHMARK(BM_FirstRunRebuild)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
