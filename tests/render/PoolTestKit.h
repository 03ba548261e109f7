#pragma once
// Fixture for sprite pool, bundle and decoder tests: a fresh working folder under /tmp (holding
// "graphics/" and the cache), a configuration with the keys the pool reads and a software render
// device.

#include "RenderTestKit.h"

#include "config/UConfig.h"
#include "render/UGraphicsFile.h"

#include "TestPictures.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <random>
#include <vector>

namespace vantero::rendertest {

namespace fs = std::filesystem;

inline void WriteBytes(const fs::path &path, const std::vector<uint8_t> &bytes)
{
	fs::create_directories(path.parent_path());
	std::ofstream file(path, std::ios::binary | std::ios::trunc);
	file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> ReadBytes(const fs::path &path)
{
	std::ifstream file(path, std::ios::binary);
	return std::vector<uint8_t>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// Keys the pool reads besides the device's.
struct TPoolKeys {
	std::string LoadFromGFX = "0";
	std::string Dithering = "0";
};

class PoolTest : public RenderTest {
protected:
	void SetUp() override
	{
		RenderTest::SetUp();
		static int counter = 0;
		Folder = fs::temp_directory_path() / ("vantero-pool-" + std::to_string(std::random_device{}()) + "-" + std::to_string(counter++));
		fs::remove_all(Folder);
		fs::create_directories(Folder / "graphics");
		SavedDirectory = fs::current_path();
		fs::current_path(Folder);
		const char *cache = std::getenv("XDG_CACHE_HOME");
		SavedCache = cache ? std::optional<std::string>(cache) : std::nullopt;
		setenv("XDG_CACHE_HOME", (Folder / "cache").c_str(), 1);
		SavedLow = VideoMemoryLow;
		SavedLanguage = LanguageFolder;
		SavedResolution = ResolutionTag;
	}

	void TearDown() override
	{
		VideoMemoryLow = SavedLow;
		LanguageFolder = SavedLanguage;
		ResolutionTag = SavedResolution;
		if (SavedCache)
			setenv("XDG_CACHE_HOME", SavedCache->c_str(), 1);
		else
			unsetenv("XDG_CACHE_HOME");
		fs::current_path(SavedDirectory);
		RenderTest::TearDown();
		std::error_code error;
		fs::remove_all(Folder, error);
	}

	// Opens the software device, then installs a configuration with the pool's keys.
	TD3DDevice &OpenPoolDevice(const TPoolKeys &keys = {}, const TDeviceOptions &options = {})
	{
		TD3DDevice &device = OpenDevice(options);
		UseKeys(keys, options);
		return device;
	}

	void UseKeys(const TPoolKeys &keys, const TDeviceOptions &options = {})
	{
		const std::string text = "<Vantero Force16Bit=\"" + options.Force16Bit + "\" MinimumVideoMemoryTo32Bit=\""
			+ options.MinimumVideoMemoryTo32Bit + "\" LoadFromGFX=\"" + keys.LoadFromGFX + "\" Dithering=\""
			+ keys.Dithering + "\"/>";
		ASSERT_TRUE(KeyDocument.load_string(text.c_str()));
		KeyRoot = GetVantero(KeyDocument);
		Config = KeyRoot.get();
	}

	// Writes a file under graphics/.
	void Put(const std::string &relative, const std::vector<uint8_t> &bytes) { WriteBytes(Folder / "graphics" / relative, bytes); }
	fs::path CachePath() const { return Folder / "cache" / "Vantero Vista"; }

	fs::path Folder;

private:
	fs::path SavedDirectory;
	std::optional<std::string> SavedCache;
	bool SavedLow = false;
	std::string SavedLanguage, SavedResolution;
	pugi::xml_document KeyDocument;
	std::unique_ptr<TXMLVanteroType> KeyRoot;
};

// The message of the EGameError that the call raises (empty when it raises none).
template <typename F>
std::string ErrorOf(F &&call)
{
	try {
		call();
	} catch (const EGameError &error) {
		return error.what();
	}
	return "";
}

} // namespace vantero::rendertest
