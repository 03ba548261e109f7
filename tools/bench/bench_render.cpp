// Sprite drawing: a frame of 2000 sprites of mixed sizes and draw modes at 1280x720.

#include "config/UConfig.h"
#include "config/UUtils.h"
#include "platform/PRenderBackend.h"
#include "render/UD3DDevice.h"
#include "render/UGSoftwareSurface.h"
#include "render/USprite.h"
#include "render/UTexturePack.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <chrono>
#include <memory>
#include <vector>

namespace {

using namespace vantero;

constexpr int SpritesPerFrame = 2000;

struct TSpriteScene {
	pugi::xml_document Document;
	std::unique_ptr<TXMLVanteroType> Root;
	std::unique_ptr<TD3DDevice> Device;
	std::unique_ptr<TTexturePack> Pack;
	std::vector<std::unique_ptr<TSprite>> Sprites;
	struct TCall {
		TSprite *Sprite;
		int Alpha;
		uint8_t Mode;
		double X, Y;
	};
	std::vector<TCall> Calls;

	// False when the backend cannot be made.
	bool Open(bool gl)
	{
		Document.load_string("<Vantero Force16Bit=\"0\" MinimumVideoMemoryTo32Bit=\"0\"/>");
		Root = GetVantero(Document);
		Config = Root.get();
		Device = std::make_unique<TD3DDevice>();
		Device->BackendFactory = [gl](platform::TWindowHandle window, const platform::TPresentParams &params) {
			return gl ? platform::CreateGLBackend(window, params) : platform::CreateSoftwareBackend(window, params);
		};
		if (gl) {
			platform::TPresentParams probe;
			probe.BackBufferWidth = 1280;
			probe.BackBufferHeight = 720;
			if (!platform::CreateGLBackend({}, probe))
				return false;
		}
		RenderDevice = Device.get();
		bool firstRun = false;
		Device->Open(1280, 720, {}, {}, firstRun, false, false, false);
		Pack = std::make_unique<TTexturePack>(false);
		SeedRandom(7);
		// Sizes of the game's figures, gems and effects.
		for (const int size : {24, 32, 48, 64, 80, 96, 128}) {
			TGSoftwareSurface picture(size, size * 3 / 4);
			for (int y = 0; y < picture.Height(); ++y)
				for (int x = 0; x < picture.Width(); ++x)
					picture.SetPixel(x, y, static_cast<uint32_t>(RandomInt(256)) << 24 | static_cast<uint32_t>(x * 3 + y));
			Sprites.push_back(std::make_unique<TSprite>(picture, 2, *Pack, nullptr));
			Sprites.back()->UseAlpha = true;
		}
		for (int i = 0; i < SpritesPerFrame; ++i) {
			const int kind = RandomInt(10);
			Calls.push_back({Sprites[static_cast<size_t>(RandomInt(static_cast<int>(Sprites.size())))].get(),
				kind < 6 ? 255 : 40 + RandomInt(200), static_cast<uint8_t>(kind < 8 ? 0 : kind - 7),
				RandomReal(-40, 1280), RandomReal(-40, 720)});
		}
		return true;
	}

	void Frame()
	{
		Device->Device->Clear(0xFF203040u);
		Device->BeginFrame();
		for (const TCall &call : Calls)
			DrawSprite(*call.Sprite, call.Alpha, call.Mode, 1.0, call.X, call.Y);
		Device->EndFrame();
	}

	~TSpriteScene()
	{
		Sprites.clear();
		Pack.reset();
		Device.reset();
		RenderDevice = nullptr;
		Config = nullptr;
	}
};

void RunSpriteFrames(benchmark::State &state, bool gl)
{
	TSpriteScene scene;
	if (!scene.Open(gl)) {
		state.SkipWithError("no OpenGL 3.3 context");
		return;
	}
	const auto start = std::chrono::steady_clock::now();
	for (auto _ : state) {
		scene.Frame();
		if (gl)
			benchmark::DoNotOptimize(scene.Device->Device->ReadPixels().data()); // waits for the GPU
	}
	const double milliseconds =
		std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
	if (milliseconds > 0)
		state.counters["sprites_per_ms"] =
			static_cast<double>(SpritesPerFrame) * static_cast<double>(state.iterations()) / milliseconds;
}

void BM_SoftwareSpriteFrame(benchmark::State &state) { RunSpriteFrames(state, false); }
void BM_GLSpriteFrame(benchmark::State &state) { RunSpriteFrames(state, true); }

BENCHMARK(BM_SoftwareSpriteFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GLSpriteFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
