// libFuzzer harness of the readers of pictures, ".gfx" files and ".pak" bundles. Not part of the
// normal build: see build.sh. The target is chosen by FUZZ_TARGET: png, gif, jpg (decoders),
// gfx (a ".gfx" loaded into a pool), pak (bundle bytes as stored) or content (the uncompressed
// content of a bundle, compressed before loading). Run with --make-seeds=DIR first to write a
// seed file for the target.

#include "../../tests/render/TestPictures.h"

#include "config/UConfig.h"
#include "config/UUtils.h"
#include "platform/PSoftwareBackend.h"
#include "render/UD3DDevice.h"
#include "render/UGraphicsFile.h"
#include "render/USpritePool.h"
#include "render/UValueStream.h"

#include <pugixml.hpp>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

using namespace vantero;
namespace fs = std::filesystem;

namespace {

std::string Target;
pugi::xml_document Document;
std::unique_ptr<TXMLVanteroType> Root;
std::unique_ptr<TD3DDevice> Device;

void WriteFile(const fs::path &path, const uint8_t *data, size_t size)
{
	fs::create_directories(path.parent_path());
	std::ofstream file(path, std::ios::binary | std::ios::trunc);
	file.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
}

std::vector<uint8_t> ReadFile(const fs::path &path)
{
	std::ifstream file(path, std::ios::binary);
	return std::vector<uint8_t>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void PutSamples()
{
	using namespace rendertest;
	auto put = [](const std::string &name, const std::vector<uint8_t> &bytes) {
		WriteFile(fs::path("graphics/seed") / name, bytes.data(), bytes.size());
	};
	put("hud.2.png", PngBytes(8, 4, Gradient(8, 4), true));
	put("hud_a.2.png", PngBytes(8, 4, Solid(8, 4, 0xFF00004D), false));
	put("walk.gif", GifBytes(3, 2, {0xFF0000, 0x00FF00}, {{0, 0, 3, 2, {0, 1, 0, 1, 0, 1}, 1}, {1, 0, 2, 2, {1, 1, 0, 0}, -1}}));
	put("back.jpg", JpegBytes(8, 8, Gradient(8, 8)));
}

void MakeSeed(const std::string &folder)
{
	PutSamples();
	std::vector<uint8_t> seed;
	if (Target == "png" || Target == "gif" || Target == "jpg") {
		const char *names[] = {"hud.2.png", "walk.gif", "back.jpg"};
		for (const char *name : names)
			if (FileExtension3(name) == Target)
				seed = ReadFile(fs::path("graphics/seed") / name);
	} else if (Target == "gfx") {
		TSpritePool pool(false);
		pool.LoadFolder("seed", "seed", false, true);
		seed = ReadFile("graphics/seed.gfx");
	} else {
		TSpritePool pool(false);
		pool.LoadFolder("seed", "fz", true, false);
		pool.SaveBundle("fz");
		seed = ReadFile(BundleFileName("fz"));
		if (Target == "content") {
			TZlibSource source(seed.data(), seed.size());
			std::vector<uint8_t> content(2u << 20);
			content.resize(source.Read(content.data(), content.size()));
			seed = content;
		}
	}
	WriteFile(fs::path(folder) / ("seed-" + Target), seed.data(), seed.size());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
	const char *target = std::getenv("FUZZ_TARGET");
	Target = target ? target : "png";
	const fs::path work = fs::temp_directory_path() / ("vantero-fuzz-" + Target);
	fs::create_directories(work / "graphics");
	const std::string seeds = [&] {
		for (int i = 1; i < *argc; ++i)
			if (std::strncmp((*argv)[i], "--make-seeds=", 13) == 0)
				return fs::absolute((*argv)[i] + 13).string();
		return std::string();
	}();
	fs::current_path(work);
	setenv("XDG_CACHE_HOME", (work / "cache").c_str(), 1);
	Document.load_string("<Vantero Force16Bit=\"0\" MinimumVideoMemoryTo32Bit=\"0\" LoadFromGFX=\"1\" Dithering=\"1\"/>");
	Root = GetVantero(Document);
	Config = Root.get();
	Device = std::make_unique<TD3DDevice>();
	Device->BackendFactory = [](platform::TWindowHandle window, const platform::TPresentParams &params)
		-> std::unique_ptr<platform::IRenderBackend> {
		auto backend = std::make_unique<platform::TSoftwareBackend>(window);
		if (!backend->Create(params))
			return nullptr;
		return backend;
	};
	RenderDevice = Device.get();
	bool firstRun = false;
	Device->Open(64, 48, {}, {}, firstRun, false, false, false);
	if (!seeds.empty()) {
		MakeSeed(seeds);
		std::exit(0);
	}
	return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	try {
		if (Target == "png" || Target == "gif" || Target == "jpg") {
			const auto file = DecodeGraphicsFile("fuzz.2." + Target, data, size);
			for (int f = 0; f < file->FrameCount(); ++f)
				if (file->Picture(f).Width() <= 0)
					std::abort();
		} else if (Target == "gfx") {
			WriteFile("graphics/fz.gfx", data, size);
			TSpritePool pool(false);
			pool.LoadFolder("fz", "fz", false, true);
		} else {
			std::vector<uint8_t> bytes(data, data + size);
			if (Target == "content") {
				uLongf length = compressBound(static_cast<uLong>(size));
				bytes.resize(length);
				compress2(bytes.data(), &length, data, static_cast<uLong>(size), 1);
				bytes.resize(length);
			}
			WriteFile(BundleFileName("fz"), bytes.data(), bytes.size());
			TSpritePool pool(false);
			pool.LoadBundle("fz", false);
		}
	} catch (const EGameError &) {
	}
	ErrorRaised = false;
	return 0;
}
