#pragma once
// Fixture for render tests: a configuration with the device's keys, a render device opened on the
// software backend (or another backend through MakeBackend) installed as RenderDevice, and pixel helpers.

#include "config/UConfig.h"
#include "config/UUtils.h"
#include "platform/PSoftwareBackend.h"
#include "render/UD3DDevice.h"
#include "render/UGSoftwareSurface.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace vantero::rendertest {

// Per-channel distance of two ARGB colours (colour channels only).
inline int ColorDistance(uint32_t a, uint32_t b)
{
	int worst = 0;
	for (int shift = 0; shift < 24; shift += 8)
		worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255)));
	return worst;
}

inline uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b)
{
	return 0xFF000000u | r << 16 | g << 8 | b;
}

// A picture whose every pixel is different: red = 10 x column, green = 10 x row, blue 77, opaque.
inline TGSoftwareSurface GradientPicture(int width, int height)
{
	TGSoftwareSurface picture(width, height);
	for (int y = 0; y < height; ++y)
		for (int x = 0; x < width; ++x)
			picture.SetPixel(x, y, Rgb(static_cast<uint32_t>(10 * x) & 255, static_cast<uint32_t>(10 * y) & 255, 77));
	return picture;
}

struct TDeviceOptions {
	std::string Force16Bit = "0";
	std::string MinimumVideoMemoryTo32Bit = "64000000";
	uint64_t TextureMemory = 256ull * 1024 * 1024;
	std::vector<platform::TTextureFormat> FullScreenFormats{platform::TTextureFormat::X8R8G8B8,
		platform::TTextureFormat::R5G6B5};
	bool Reduced = false;
	bool FullScreen = false;
	int Width = 64;
	int Height = 48;
};

class RenderTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		SavedConfig = Config;
		SavedDevice = RenderDevice;
		SavedFramed = FramedLayout;
		SavedGame = {GameWidth, GameHeight, GameOffsetX, GameOffsetY, ScreenWidth, ScreenHeight};
	}

	void TearDown() override
	{
		Device.reset();
		RenderDevice = SavedDevice;
		Config = SavedConfig;
		FramedLayout = SavedFramed;
		GameWidth = SavedGame[0];
		GameHeight = SavedGame[1];
		GameOffsetX = SavedGame[2];
		GameOffsetY = SavedGame[3];
		ScreenWidth = SavedGame[4];
		ScreenHeight = SavedGame[5];
		ErrorRaised = false;
	}

	// Loads a configuration with the device's two keys.
	void UseConfig(const TDeviceOptions &options)
	{
		const std::string text = "<Vantero Force16Bit=\"" + options.Force16Bit + "\" MinimumVideoMemoryTo32Bit=\""
			+ options.MinimumVideoMemoryTo32Bit + "\"/>";
		ASSERT_TRUE(Document.load_string(text.c_str()));
		Root = GetVantero(Document);
		Config = Root.get();
	}

	// Opens a device on a software backend shaped by the options; installs it as RenderDevice.
	TD3DDevice &OpenDevice(const TDeviceOptions &options = {}, bool *firstRun = nullptr,
		std::function<void(TD3DDevice &)> beforeOpen = {})
	{
		UseConfig(options);
		Device = std::make_unique<TD3DDevice>();
		Device->BackendFactory = MakeBackend ? MakeBackend : [options](platform::TWindowHandle window,
			const platform::TPresentParams &params) -> std::unique_ptr<platform::IRenderBackend> {
			auto backend = std::make_unique<platform::TSoftwareBackend>(window);
			backend->FullScreenFormats = options.FullScreenFormats;
			backend->TextureMemory = options.TextureMemory;
			if (!backend->Create(params))
				return nullptr;
			return backend;
		};
		if (beforeOpen)
			beforeOpen(*Device);
		RenderDevice = Device.get();
		bool localFirstRun = false;
		Device->Open(options.Width, options.Height, {}, {}, firstRun ? *firstRun : localFirstRun, options.FullScreen,
			false, options.Reduced);
		return *Device;
	}

	platform::IRenderBackend &Backend() { return *Device->Device; }
	uint32_t PixelAt(int x, int y)
	{
		const std::vector<uint32_t> pixels = Backend().ReadPixels();
		return pixels[static_cast<size_t>(y) * static_cast<size_t>(Backend().Width()) + static_cast<size_t>(x)];
	}

	// Backend maker used by OpenDevice instead of the software one when set.
	std::function<std::unique_ptr<platform::IRenderBackend>(platform::TWindowHandle, const platform::TPresentParams &)>
		MakeBackend;
	std::unique_ptr<TD3DDevice> Device;

private:
	pugi::xml_document Document;
	std::unique_ptr<TXMLVanteroType> Root;
	TXMLVanteroType *SavedConfig = nullptr;
	TD3DDevice *SavedDevice = nullptr;
	bool SavedFramed = false;
	std::array<int, 6> SavedGame{};
};

} // namespace vantero::rendertest
