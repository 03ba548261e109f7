// The real program, run headless through the screenshot tool, draws the splash, the loading
// screen and the framed border as the golden pictures show (compared at 1/8 scale, with a tolerance).
// Set VANTERO_UPDATE_GOLDEN=1 to write new golden pictures after an intended change.

#include "render/UGraphicsFile.h"
#include "render/UGSoftwareSurface.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace fs = std::filesystem;
using namespace vantero;

namespace {

constexpr int Scale = 8;

// The picture reduced to 1/Scale by averaging each Scale x Scale block (RGB, opaque).
TGSoftwareSurface Reduce(const TGSoftwareSurface &picture)
{
	TGSoftwareSurface small(picture.Width() / Scale, picture.Height() / Scale);
	for (int y = 0; y < small.Height(); ++y)
		for (int x = 0; x < small.Width(); ++x) {
			int sum[3] = {0, 0, 0};
			for (int j = 0; j < Scale; ++j)
				for (int i = 0; i < Scale; ++i) {
					const uint32_t p = picture.Pixel(x * Scale + i, y * Scale + j);
					sum[0] += (p >> 16) & 0xFF;
					sum[1] += (p >> 8) & 0xFF;
					sum[2] += p & 0xFF;
				}
			const int n = Scale * Scale;
			small.SetPixel(x, y, 0xFF000000u | (uint32_t(sum[0] / n) << 16) | (uint32_t(sum[1] / n) << 8) | uint32_t(sum[2] / n));
		}
	return small;
}

TGSoftwareSurface LoadPicture(const fs::path &path)
{
	const std::vector<uint8_t> bytes = ReadFileBytes(path.string());
	const auto file = DecodeGraphicsFile(path.string(), bytes.data(), bytes.size());
	const TGSoftwareSurface &picture = file->Picture(0);
	TGSoftwareSurface copy(picture.Width(), picture.Height());
	for (int y = 0; y < picture.Height(); ++y)
		for (int x = 0; x < picture.Width(); ++x)
			copy.SetPixel(x, y, picture.Pixel(x, y) | 0xFF000000u);
	return copy;
}

void WritePpm(const fs::path &path, const TGSoftwareSurface &picture)
{
	FILE *file = std::fopen(path.string().c_str(), "wb");
	ASSERT_NE(file, nullptr);
	std::fprintf(file, "P6\n%d %d\n255\n", picture.Width(), picture.Height());
	for (int y = 0; y < picture.Height(); ++y)
		for (int x = 0; x < picture.Width(); ++x) {
			const uint32_t p = picture.Pixel(x, y);
			const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
				static_cast<unsigned char>(p)};
			std::fwrite(rgb, 1, 3, file);
		}
	std::fclose(file);
}

TGSoftwareSurface LoadPpm(const fs::path &path)
{
	FILE *file = std::fopen(path.string().c_str(), "rb");
	if (!file)
		return TGSoftwareSurface(0, 0);
	int width = 0;
	int height = 0;
	int depth = 0;
	if (std::fscanf(file, "P6 %d %d %d", &width, &height, &depth) != 3 || depth != 255) {
		std::fclose(file);
		return TGSoftwareSurface(0, 0);
	}
	std::fgetc(file);
	TGSoftwareSurface picture(width, height);
	for (int y = 0; y < height; ++y)
		for (int x = 0; x < width; ++x) {
			unsigned char rgb[3] = {0, 0, 0};
			if (std::fread(rgb, 1, 3, file) != 3)
				break;
			picture.SetPixel(x, y, 0xFF000000u | (uint32_t(rgb[0]) << 16) | (uint32_t(rgb[1]) << 8) | rgb[2]);
		}
	std::fclose(file);
	return picture;
}

class ScreenGolden : public ::testing::Test {
protected:
	static void SetUpTestSuite()
	{
		Root = fs::temp_directory_path() / ("vantero-golden-" + std::to_string(::getpid()));
		fs::remove_all(Root);
		Game = Root / "game";
		fs::create_directories(Game);
		const fs::path bin = VANTERO_BINARY_DIR;
		const std::string quiet = " >" + (Root / "setup.log").string() + " 2>&1";
		Ready = std::system(("'" + (bin / "tools/cfgbuild/cfgbuild").string() + "' '" VANTERO_SOURCE_DIR "/data' '"
					+ Game.string() + "'" + quiet).c_str()) == 0
			&& std::system(("'" + (bin / "tools/artgen/artgen").string() + "' --out '" + (Game / "graphics").string()
					+ "' --module loading --module border --module cursor --quiet" + quiet).c_str()) == 0;
		fs::copy_file(bin / "VanteroVista", Game / "VanteroVista");
		fs::copy_file(bin / "libTolvane.so", Game / "libTolvane.so");
	}

	static void TearDownTestSuite() { fs::remove_all(Root); }

	// Runs the screenshot tool with the script; the home folder is fresh for every run.
	static bool Shoot(const std::string &desktop, const std::string &script, const std::string &home)
	{
		const std::string command = "'" + (fs::path(VANTERO_BINARY_DIR) / "tools/shot/shot").string() + "' --game '"
			+ Game.string() + "' --home '" + (Root / home).string() + "' --desktop " + desktop + " -e '" + script
			+ "' >>'" + (Root / "shot.log").string() + "' 2>&1";
		return std::system(command.c_str()) == 0;
	}

	static void ExpectLikeGolden(const fs::path &frame, const std::string &golden)
	{
		const TGSoftwareSurface actual = Reduce(LoadPicture(frame));
		const fs::path goldenPath = fs::path(VANTERO_SOURCE_DIR) / "tests/fixtures/golden" / golden;
		if (std::getenv("VANTERO_UPDATE_GOLDEN"))
			WritePpm(goldenPath, actual);
		const TGSoftwareSurface expected = LoadPpm(goldenPath);
		ASSERT_EQ(expected.Width(), actual.Width()) << golden;
		ASSERT_EQ(expected.Height(), actual.Height()) << golden;
		long total = 0;
		int worst = 0;
		for (int y = 0; y < actual.Height(); ++y)
			for (int x = 0; x < actual.Width(); ++x)
				for (int shift = 0; shift <= 16; shift += 8) {
					const int d = std::abs(int((actual.Pixel(x, y) >> shift) & 0xFF) - int((expected.Pixel(x, y) >> shift) & 0xFF));
					total += d;
					worst = std::max(worst, d);
				}
		const double mean = double(total) / (3.0 * actual.Width() * actual.Height());
		EXPECT_LT(mean, 3.0) << golden << ": mean difference per channel";
		EXPECT_LT(worst, 48) << golden << ": largest block difference";
	}

	static inline fs::path Root;
	static inline fs::path Game;
	static inline bool Ready = false;
};

} // namespace

TEST_F(ScreenGolden, SplashThenLoadingScreenAt800x600)
{
	ASSERT_TRUE(Ready) << "see " << (Root / "setup.log");
	const fs::path splash = Root / "splash.png";
	const fs::path loading = Root / "loading.png";
	ASSERT_TRUE(Shoot("1024x768", "wait 10; save " + splash.string() + "; loaded; wait 3; save " + loading.string(), "home-800"));
	ExpectLikeGolden(splash, "splash-800x600.ppm");
	ExpectLikeGolden(loading, "loaded-800x600.ppm");
}

TEST_F(ScreenGolden, FramedBorderAt1920x1080)
{
	ASSERT_TRUE(Ready) << "see " << (Root / "setup.log");
	const fs::path framed = Root / "framed.png";
	ASSERT_TRUE(Shoot("1920x1080", "loaded; wait 3; save " + framed.string(), "home-1920"));
	ExpectLikeGolden(framed, "framed-1920x1080.ppm");
}

TEST_F(ScreenGolden, FirstStartBuildsTheBundleCacheAndTheNextStartReusesIt)
{
	ASSERT_TRUE(Ready) << "see " << (Root / "setup.log");
	const fs::path cache = Root / "home-cache" / "cache" / "Vantero Vista";
	ASSERT_TRUE(Shoot("1024x768", "loaded", "home-cache"));
	std::map<std::string, fs::file_time_type> built;
	for (const auto &entry : fs::directory_iterator(cache))
		if (entry.path().extension() == ".pak")
			built[entry.path().filename().string()] = entry.last_write_time();
	EXPECT_TRUE(built.count("base.32.pak")) << "the first start writes the bundles";
	EXPECT_EQ(built.size(), 32u) << "4 group bundles and 28 level bundles";

	ASSERT_TRUE(Shoot("1024x768", "loaded", "home-cache"));
	for (const auto &[name, time] : built)
		EXPECT_EQ(fs::last_write_time(cache / name), time) << name << " was rebuilt although nothing changed";

	// A corrupt bundle is dropped when it fails to load, and the start after that rebuilds the cache.
	{
		std::ofstream(cache / "base.32.pak", std::ios::binary | std::ios::trunc) << "not a bundle";
	}
	EXPECT_FALSE(Shoot("1024x768", "loaded", "home-cache")) << "loading a corrupt bundle fails";
	EXPECT_FALSE(fs::exists(cache / "base.32.pak"));
	ASSERT_TRUE(Shoot("1024x768", "loaded", "home-cache"));
	EXPECT_TRUE(fs::exists(cache / "base.32.pak"));
}
