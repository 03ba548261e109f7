#include "RenderTestKit.h"

namespace vantero::rendertest {
namespace {

using platform::TTextureFormat;

class DeviceTest : public RenderTest {};

TEST_F(DeviceTest, FullScreenFormatAndTextureDepth)
{
	struct TCase {
		const char *Name;
		std::vector<TTextureFormat> Formats;
		std::string Force16Bit;
		uint64_t Memory;
		bool Reduced;
		TTextureFormat Expected;
		int Depth;
	};
	const std::vector<TTextureFormat> both{TTextureFormat::X8R8G8B8, TTextureFormat::R5G6B5};
	const TCase cases[] = {
		{"32-bit adapter", both, "0", 64000000, false, TTextureFormat::X8R8G8B8, 2},
		{"16-bit full screen forces 16-bit textures", {TTextureFormat::R5G6B5}, "0", 64000000, false,
			TTextureFormat::R5G6B5, 1},
		{"no full-screen format", {}, "0", 64000000, false, TTextureFormat::Unknown, 1},
		{"Force16Bit", both, "1", 64000000, false, TTextureFormat::X8R8G8B8, 1},
		{"memory below the minimum", both, "0", 63999999, false, TTextureFormat::X8R8G8B8, 1},
		{"Reduced", both, "0", 64000000, true, TTextureFormat::X8R8G8B8, 1},
	};
	for (const TCase &c : cases) {
		TDeviceOptions options;
		options.FullScreenFormats = c.Formats;
		options.Force16Bit = c.Force16Bit;
		options.TextureMemory = c.Memory;
		options.Reduced = c.Reduced;
		OpenDevice(options);
		EXPECT_EQ(Device->FullScreenFormat, c.Expected) << c.Name;
		EXPECT_EQ(Device->TextureDepth, c.Depth) << c.Name;
		EXPECT_EQ(Device->Use16Bit, c.Depth == 1 && c.Formats.size() == 2) << c.Name;
	}
}

TEST_F(DeviceTest, OpenRunsTheHooksAndReportsAnIncompleteCache)
{
	std::vector<std::string> calls;
	bool firstRun = false;
	OpenDevice({}, &firstRun, [&](TD3DDevice &device) {
		device.OnCreate = [&](TD3DDevice &) { calls.push_back("create"); };
		device.OnLost = [&](TD3DDevice &) { calls.push_back("lost"); };
		device.OnReset = [&](TD3DDevice &) { calls.push_back("reset"); };
		device.OnDestroy = [&](TD3DDevice &) { calls.push_back("destroy"); };
		device.BundleCheck = [](const TD3DDevice &) { return false; };
	});
	EXPECT_TRUE(firstRun);
	EXPECT_EQ(calls, (std::vector<std::string>{"create", "lost", "reset"}));
	EXPECT_EQ(Device->Width, 64);
	EXPECT_EQ(Backend().Width(), 64);
	EXPECT_EQ(Backend().Height(), 48);
	EXPECT_TRUE(Backend().States.AlphaTest);
	EXPECT_EQ(Backend().States.AlphaFunc, platform::TCompare::NotEqual);
	Device.reset();
	EXPECT_EQ(calls.back(), "destroy");
}

TEST_F(DeviceTest, FrameRateOverTheLastSecond)
{
	uint32_t now = 0;
	OpenDevice({}, nullptr, [&](TD3DDevice &device) { device.Clock = [&] { return now; }; });
	now = 1001;
	ASSERT_TRUE(Device->BeginFrame());
	Device->EndFrame();
	EXPECT_EQ(Device->FrameCount, 1);
	for (int i = 0; i < 60; ++i) {
		now += 10;
		ASSERT_TRUE(Device->BeginFrame());
		Device->EndFrame();
	}
	EXPECT_EQ(Device->FrameCount, 61);
	now = 1001 + 1010;
	ASSERT_TRUE(Device->BeginFrame());
	Device->EndFrame();
	EXPECT_NEAR(Device->Fps, 60.396, 0.001);
	EXPECT_EQ(Device->FrameCount, 1);
}

TEST_F(DeviceTest, ALostDeviceDrawsNothingUntilItCanBeReset)
{
	int resets = 0;
	OpenDevice({}, nullptr, [&](TD3DDevice &device) { device.OnReset = [&](TD3DDevice &) { ++resets; }; });
	resets = 0;
	Backend().States.AlphaTest = false;
	Backend().SimulateLoss();
	for (int i = 0; i < 3; ++i)
		EXPECT_FALSE(Device->BeginFrame());
	Device->ResetDevice(false);
	EXPECT_EQ(resets, 0) << "no reset while the device stays lost";
	EXPECT_NE(Device->Present(), 0);
	Backend().SimulateResettable();
	EXPECT_FALSE(Device->BeginFrame()) << "the frame that resets draws nothing";
	EXPECT_EQ(resets, 1);
	EXPECT_TRUE(Backend().States.AlphaTest) << "the reset restores the default states";
	EXPECT_TRUE(Device->BeginFrame());
	Device->EndFrame();
	EXPECT_EQ(Device->Present(), 0);
}

TEST_F(DeviceTest, SceneFailuresAreAssertionsWithTheirLines)
{
	OpenDevice();
	ASSERT_TRUE(Device->BeginFrame());
	try {
		Device->BeginFrame();
		FAIL() << "no exception";
	} catch (const EGameError &error) {
		EXPECT_NE(std::string(error.what()).find("Assertion failure (UD3DDevice, line 330,"), std::string::npos);
	}
	EXPECT_TRUE(ErrorRaised);
	Device->EndFrame();
	EXPECT_THROW(Device->EndFrame(), EGameError);
}

TEST_F(DeviceTest, FullScreenSwitchHappensAtTheEndOfTheFrame)
{
	int confirmations = 0;
	bool dialogOpen = false;
	OpenDevice({}, nullptr, [&](TD3DDevice &device) {
		device.ShowResolutionConfirm = [&] { ++confirmations; };
		device.ResolutionDialogShowing = [&] { return dialogOpen; };
	});
	Device->RequestFullScreen(false);
	EXPECT_FALSE(Device->ToggleRequested) << "a request that matches the mode sets nothing";
	Device->RequestFullScreen(true);
	EXPECT_TRUE(Device->ToggleRequested);
	EXPECT_FALSE(Device->IsFullScreen);
	ASSERT_TRUE(Device->BeginFrame());
	Device->EndFrame();
	EXPECT_TRUE(Device->IsFullScreen);
	EXPECT_FALSE(Device->ToggleRequested);
	EXPECT_FALSE(Device->PresentParams.Windowed);
	EXPECT_EQ(Device->PresentParams.BackBufferFormat, TTextureFormat::X8R8G8B8);
	EXPECT_EQ(confirmations, 1);
	dialogOpen = true;
	Device->ToggleFullScreen();
	EXPECT_TRUE(Device->IsFullScreen) << "no switch while the confirmation is open";
	dialogOpen = false;
	Device->ToggleFullScreen();
	EXPECT_FALSE(Device->IsFullScreen);
	EXPECT_TRUE(Device->PresentParams.Windowed);
	EXPECT_EQ(confirmations, 1);
}

TEST_F(DeviceTest, FramedLayoutResizesTheBackBufferWhenSwitching)
{
	FramedLayout = true;
	ScreenWidth = 96;
	ScreenHeight = 64;
	GameWidth = 64;
	GameHeight = 48;
	GameOffsetX = GameOffsetY = 0;
	OpenDevice();
	Device->ToggleFullScreen();
	EXPECT_EQ(Backend().Width(), 96);
	EXPECT_EQ(Backend().Height(), 64);
	EXPECT_EQ(GameOffsetX, 16);
	EXPECT_EQ(GameOffsetY, 8);
	Device->ToggleFullScreen();
	EXPECT_EQ(Device->Width, 64);
	EXPECT_EQ(Backend().Width(), 64);
	EXPECT_EQ(GameOffsetX, 0);
	EXPECT_EQ(GameOffsetY, 0);
}

TEST_F(DeviceTest, WithoutAFullScreenFormatRequestsAreIgnored)
{
	TDeviceOptions options;
	options.FullScreenFormats = {};
	options.FullScreen = true;
	OpenDevice(options);
	EXPECT_FALSE(Device->IsFullScreen);
	Device->RequestFullScreen(true);
	ASSERT_TRUE(Device->BeginFrame());
	Device->EndFrame();
	EXPECT_FALSE(Device->IsFullScreen);
}

TEST_F(DeviceTest, ARefusedModeRaisesTheLostDeviceMessage)
{
	OpenDevice();
	static_cast<platform::TSoftwareBackend &>(Backend()).FullScreenFormats.clear();
	try {
		Device->ToggleFullScreen();
		FAIL() << "no exception";
	} catch (const EGameError &error) {
		EXPECT_STREQ(error.what(), "Device is lost. Possibly, this video mode is not supported.");
	}
}

TEST_F(DeviceTest, FillRectInterpolatesCornerColours)
{
	OpenDevice();
	Backend().Clear(0);
	ASSERT_TRUE(Device->BeginFrame());
	// Corners: top-left red, top-right green, bottom-right blue, bottom-left white.
	Device->FillRect(TRect{0, 0, 64, 48}, {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu});
	Device->EndFrame();
	EXPECT_LE(ColorDistance(PixelAt(0, 0), Rgb(255, 0, 0)), 8);
	EXPECT_LE(ColorDistance(PixelAt(63, 0), Rgb(0, 255, 0)), 8);
	EXPECT_LE(ColorDistance(PixelAt(63, 47), Rgb(0, 0, 255)), 8);
	EXPECT_LE(ColorDistance(PixelAt(0, 47), Rgb(255, 255, 255)), 8);
	EXPECT_LE(ColorDistance(PixelAt(32, 0), Rgb(128, 128, 0)), 8);
	EXPECT_LE(ColorDistance(PixelAt(0, 24), Rgb(255, 128, 128)), 8);
	// Only the rectangle: a quad of (10, 10, 12, 11) covers exactly two pixels.
	Backend().Clear(0);
	ASSERT_TRUE(Device->BeginFrame());
	Device->FillRect(TRect{10, 10, 12, 11}, {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu});
	Device->EndFrame();
	EXPECT_EQ(PixelAt(10, 10), Rgb(255, 255, 255));
	EXPECT_EQ(PixelAt(11, 10), Rgb(255, 255, 255));
	EXPECT_EQ(PixelAt(12, 10), Rgb(0, 0, 0));
	EXPECT_EQ(PixelAt(10, 11), Rgb(0, 0, 0));
	EXPECT_EQ(PixelAt(9, 10), Rgb(0, 0, 0));
}

TEST_F(DeviceTest, ShadeScreenDarkensEverything)
{
	OpenDevice();
	Backend().Clear(Rgb(200, 100, 0));
	ASSERT_TRUE(Device->BeginFrame());
	Device->ShadeScreen();
	Device->EndFrame();
	// 0x90 of black over the picture: 111/255 of it is left.
	for (const auto &[x, y] : {std::pair{0, 0}, std::pair{63, 47}, std::pair{30, 20}})
		EXPECT_EQ(PixelAt(x, y), Rgb(87, 44, 0)) << x << "," << y;
}

TEST_F(DeviceTest, PointListsDrawTwoPixelSquares)
{
	OpenDevice();
	Backend().Clear(0);
	ASSERT_TRUE(Device->BeginFrame());
	platform::TRenderStates &states = Backend().States;
	states.PointSize = 2.0f;
	states.AlphaTest = false;
	states.AlphaBlend = true;
	states.SrcBlend = platform::TBlend::SrcAlpha;
	states.DestBlend = platform::TBlend::InvSrcAlpha;
	Backend().SetTexture(nullptr);
	const platform::TColorVertex points[] = {{10.25f, 20.25f, 0, 0xFFFF8000u}, {30.5f, 5.75f, 0, 0x80FFFFFFu}};
	Backend().DrawPoints(points, 2);
	Device->EndFrame();
	for (const auto &[x, y] : {std::pair{10, 20}, std::pair{11, 20}, std::pair{10, 21}, std::pair{11, 21}})
		EXPECT_EQ(PixelAt(x, y), Rgb(255, 128, 0)) << x << "," << y;
	for (const auto &[x, y] : {std::pair{9, 20}, std::pair{12, 20}, std::pair{10, 19}, std::pair{10, 22}})
		EXPECT_EQ(PixelAt(x, y), Rgb(0, 0, 0)) << x << "," << y;
	EXPECT_EQ(PixelAt(30, 5), Rgb(128, 128, 128));
	EXPECT_EQ(PixelAt(31, 6), Rgb(128, 128, 128));
	EXPECT_EQ(PixelAt(29, 5), Rgb(0, 0, 0));
	EXPECT_EQ(PixelAt(30, 4), Rgb(0, 0, 0));
}

TEST_F(DeviceTest, ProbeVideoMemoryNeedsNoConfiguration)
{
	Config = nullptr;
	const char *saved = std::getenv("VANTERO_RENDERER");
	setenv("VANTERO_RENDERER", "software", 1);
	EXPECT_GT(ProbeVideoMemory({}, {}), 128000000u);
	if (saved)
		setenv("VANTERO_RENDERER", saved, 1);
	else
		unsetenv("VANTERO_RENDERER");
}

} // namespace
} // namespace vantero::rendertest
