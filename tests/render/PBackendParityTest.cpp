// The same scene on the software backend and on OpenGL must give the same pixels within a small
// tolerance. Skipped when no OpenGL 3.3 context can be had (headless runs).

#include "RenderTestKit.h"

#include "platform/PGLBackend.h"
#include "render/USprite.h"
#include "render/UTexturePack.h"

namespace vantero::rendertest {
namespace {

class BackendParityTest : public RenderTest {
protected:
	// Draws the scene with every draw mode, alpha rule, mirroring, scale, colour quads and points.
	std::vector<uint32_t> RenderScene()
	{
		TTexturePack pack(false);
		TGSoftwareSurface picture = GradientPicture(24, 16);
		TGSoftwareSurface alpha(24, 16, 0xFF0000FFu);
		for (int x = 0; x < 24; ++x)
			alpha.SetPixel(x, 15, static_cast<uint32_t>(x * 10));
		picture.SetPixel(3, 3, 0xFFFF00FFu);
		TSprite sprite(picture, 2, pack, &alpha);
		TSprite onOff(picture, 0, pack, nullptr);
		sprite.UseAlpha = true;
		onOff.UseAlpha = false;

		Backend().Clear(Rgb(30, 60, 90));
		EXPECT_TRUE(Device->BeginFrame());
		Device->FillRect(TRect{0, 0, 128, 48}, {0xFFFF0000u, 0xFF00FF00u, 0x800000FFu, 0x40FFFFFFu});
		DrawSprite(sprite, 255, 0, 1.0, 4, 4);
		DrawSprite(sprite, 128, 0, 1.0, 34, 4);
		DrawSprite(sprite, 255, 1, 1.0, 64, 4);
		DrawSprite(sprite, 100, 2, 1.0, 94, 4);
		sprite.Draw(TRect{24, 16, 0, 0}, 200, 0, 1.0, 4.3, 30.2);
		DrawSprite(onOff, 255, 0, 1.0, 34, 30);
		Device->ShadeScreen();
		DrawSprite(sprite, 255, 0, 1.5, 60.2, 50.4);
		platform::TRenderStates &states = Backend().States;
		states.PointSize = 2.0f;
		states.AlphaTest = false;
		states.AlphaBlend = true;
		states.SrcBlend = platform::TBlend::SrcAlpha;
		states.DestBlend = platform::TBlend::InvSrcAlpha;
		Backend().SetTexture(nullptr);
		std::vector<platform::TColorVertex> points;
		for (int i = 0; i < 40; ++i)
			// Away from pixel centres: a point whose square edge falls exactly on a centre may
			// legitimately take the neighbouring pixel on a GL driver.
			points.push_back({5.3f + 2.75f * static_cast<float>(i), 80.4f + static_cast<float>(i % 7), 0,
				0xFF000000u | static_cast<uint32_t>(i * 6) << 24 | 0xFFC040u});
		Backend().DrawPoints(points.data(), static_cast<int>(points.size()));
		Device->EndFrame();
		return Backend().ReadPixels();
	}
};

TEST_F(BackendParityTest, OneSceneGivesTheSamePixelsOnBothBackends)
{
	TDeviceOptions options;
	options.Width = 128;
	options.Height = 96;
	platform::TPresentParams probe;
	probe.BackBufferWidth = options.Width;
	probe.BackBufferHeight = options.Height;
	if (!platform::CreateGLBackend({}, probe))
		GTEST_SKIP() << "no OpenGL 3.3 context";
	for (const std::string force16 : {"0", "1"}) {
		options.Force16Bit = force16;
		MakeBackend = [](platform::TWindowHandle window, const platform::TPresentParams &params) {
			return platform::CreateGLBackend(window, params);
		};
		OpenDevice(options);
		ASSERT_EQ(Backend().Name(), "gl");
		const std::vector<uint32_t> gl = RenderScene();
		Device.reset();

		MakeBackend = nullptr;
		OpenDevice(options);
		const std::vector<uint32_t> software = RenderScene();
		ASSERT_EQ(gl.size(), software.size());
		int differing = 0, worst = 0;
		for (size_t i = 0; i < gl.size(); ++i) {
			const int distance = ColorDistance(gl[i], software[i]);
			worst = std::max(worst, distance);
			if (distance > 3) {
				if (differing < 5)
					ADD_FAILURE() << "16-bit " << force16 << ": pixel " << i % 128 << "," << i / 128 << std::hex
								  << " gl " << gl[i] << " software " << software[i];
				++differing;
			}
		}
		EXPECT_EQ(differing, 0) << "16-bit " << force16 << ", worst distance " << worst;
	}
}

} // namespace
} // namespace vantero::rendertest
