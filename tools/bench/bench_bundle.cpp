// Bundle loading: a ".pak" of eight full 256x256 textures and their sequences read into a pool,
// beside plain zlib inflation of the same file's bytes (the floor for the value reader).

#include "config/UConfig.h"
#include "config/UUtils.h"
#include "platform/PSoftwareBackend.h"
#include "render/UD3DDevice.h"
#include "render/UGSoftwareSurface.h"
#include "render/USpritePool.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>

namespace {

using namespace vantero;
namespace fs = std::filesystem;

// A software device, a configuration and one bundle in a temporary cache folder.
struct TBundleBench {
	pugi::xml_document Document;
	std::unique_ptr<TXMLVanteroType> Root;
	std::unique_ptr<TD3DDevice> Device;
	std::vector<uint8_t> Bytes;

	TBundleBench()
	{
		const fs::path folder = fs::temp_directory_path() / "vantero-bench-bundle";
		fs::create_directories(folder);
		setenv("XDG_CACHE_HOME", folder.c_str(), 1);
		Document.load_string("<Vantero Force16Bit=\"0\" MinimumVideoMemoryTo32Bit=\"0\"/>");
		Root = GetVantero(Document);
		Config = Root.get();
		Device = std::make_unique<TD3DDevice>();
		Device->BackendFactory = [](platform::TWindowHandle window, const platform::TPresentParams &params)
			-> std::unique_ptr<platform::IRenderBackend> {
			auto backend = std::make_unique<platform::TSoftwareBackend>(window);
			return backend->Create(params) ? std::move(backend) : nullptr;
		};
		RenderDevice = Device.get();
		bool firstRun = false;
		Device->Open(64, 48, {}, {}, firstRun, false, false, false);

		// Noisy pictures compress like real art rather than like flat colour.
		std::mt19937 random(7);
		TSpritePool pool(false);
		for (int i = 0; i < 8; ++i) {
			TGSoftwareSurface picture(256, 256);
			for (int y = 0; y < 256; ++y)
				for (int x = 0; x < 256; ++x)
					picture.SetPixel(x, y, 0xFF000000u | ((x * 3 + y) & 255) << 16 | ((y * 5) & 255) << 8 | (random() & 31));
			auto sequence = std::make_unique<TSequence>("bench/picture" + std::to_string(i), false);
			sequence->AddFrame(CreateSpriteFrame(picture, 2, pool.GetPack("bench", true), nullptr, false));
			pool.AddSequence("bench", std::move(sequence));
		}
		pool.SaveBundle("bench");
		std::ifstream file(BundleFileName("bench"), std::ios::binary);
		Bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
	}
};

TBundleBench &Bench()
{
	static TBundleBench bench;
	return bench;
}

void BM_BundleLoad(benchmark::State &state)
{
	TBundleBench &bench = Bench();
	TSpritePool pool(false);
	for (auto _ : state) {
		pool.LoadBundle("bench", false);
		benchmark::DoNotOptimize(pool.Sequences.data());
	}
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bench.Bytes.size()));
	state.counters["textures"] = pool.TextureCount();
}
BENCHMARK(BM_BundleLoad)->Unit(benchmark::kMillisecond);

void BM_BundlePlainInflate(benchmark::State &state)
{
	TBundleBench &bench = Bench();
	std::vector<uint8_t> out(4u << 20);
	for (auto _ : state) {
		uLongf size = static_cast<uLongf>(out.size());
		uncompress(out.data(), &size, bench.Bytes.data(), static_cast<uLong>(bench.Bytes.size()));
		benchmark::DoNotOptimize(out.data());
	}
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bench.Bytes.size()));
}
BENCHMARK(BM_BundlePlainInflate)->Unit(benchmark::kMillisecond);

} // namespace
