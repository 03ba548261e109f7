// Records what the sound engine really mixes (SDL's disk audio driver) for a few tiny generated
// sounds and checks it the way tools/soundcheck does for the game's own audio.

#include "tools/soundcheck/Analysis.h"
#include "tools/soundcheck/Recording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace vantero;
using namespace vantero::soundcheck;
namespace fs = std::filesystem;

namespace {

constexpr double Pi = 3.14159265358979323846;

// A 44.1 kHz mono 16-bit PCM file of the given samples (-1..1).
void WriteWav(const fs::path &path, const std::vector<double> &samples)
{
	fs::create_directories(path.parent_path());
	std::ofstream out(path, std::ios::binary);
	auto u32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char *>(&v), 4); };
	auto u16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char *>(&v), 2); };
	const auto bytes = static_cast<uint32_t>(samples.size() * 2);
	out.write("RIFF", 4);
	u32(36 + bytes);
	out.write("WAVEfmt ", 8);
	u32(16);
	u16(1);         // PCM
	u16(1);         // mono
	u32(44100);
	u32(44100 * 2); // bytes per second
	u16(2);         // block align
	u16(16);
	out.write("data", 4);
	u32(bytes);
	for (const double s : samples)
		u16(static_cast<uint16_t>(static_cast<int16_t>(std::lround(std::clamp(s, -1.0, 1.0) * 32767))));
}

std::vector<double> Tone(size_t frames, double hz, double amplitude, const std::function<double(size_t)> &envelope)
{
	std::vector<double> samples(frames);
	for (size_t i = 0; i < frames; ++i)
		samples[i] = amplitude * envelope(i) * std::sin(2 * Pi * hz * static_cast<double>(i) / 44100.0);
	return samples;
}

// 441 Hz repeats every 100 frames: 11000 frames loop cleanly, 11025 end on a crest and jump to 0.
const char *const Catalogue = R"(
<Sound Src="fx/blip.wav" Vol="0,8" Polyphony="2"/>
<Sound Src="fx/hush.wav"/>
<Sound Src="fx/gone.wav"/>
<Sound Src="tracks/loop.wav" IsMusic="1"/>
<Sound Src="tracks/seam.wav" IsMusic="1"/>
)";

class EngineRecordingTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		std::random_device random;
		do
			Root = fs::path("/tmp") / ("vantero-recording-" + std::to_string(random()));
		while (!fs::create_directory(Root));
		if (!DiskDriverAvailable((Root / "probe.raw").string()))
			GTEST_SKIP() << "this SDL build has no disk audio driver";

		const auto fade = [](size_t i) { return std::min(1.0, std::min(static_cast<double>(i), 4410.0 - i) / 220.0); };
		WriteWav(Root / "audio/fx/blip.wav", Tone(4410, 1000, 0.5, fade));
		WriteWav(Root / "audio/fx/hush.wav", std::vector<double>(4410, 0.0));
		const auto flat = [](size_t) { return 1.0; };
		WriteWav(Root / "audio/tracks/loop.wav", Tone(11000, 441, 0.6, flat));
		WriteWav(Root / "audio/tracks/seam.wav", Tone(11025, 441, 0.6, flat));
	}
	void TearDown() override { fs::remove_all(Root); }

	TCheckReport Check(const std::vector<std::string> &names)
	{
		TCaptureOptions options;
		options.GameDir = Root.string();
		options.CatalogueText = Catalogue;
		options.Names = names;
		options.RawPath = (Root / "output.raw").string();
		options.MusicPastLoopSeconds = 0.5;
		const TCapture capture = CaptureSounds(options);
		return CheckCapture(ReadRecording(options.RawPath), capture);
	}

	static std::string Problems(const TSoundCheck &check)
	{
		std::string text;
		for (const std::string &p : check.Problems)
			text += p + "; ";
		return text;
	}

	fs::path Root;
};

TEST_F(EngineRecordingTest, CleanSoundsPlayAtTheEngineVolumeAndTheMusicLoopsSeamlessly)
{
	const TCheckReport report = Check({"fx/blip", "tracks/loop"});
	ASSERT_EQ(report.Sounds.size(), 2u);
	EXPECT_TRUE(report.Problems.empty());
	EXPECT_EQ(report.LeadInLsb, 0);

	const TSoundCheck &blip = report.Sounds[0];
	EXPECT_TRUE(blip.Problems.empty()) << Problems(blip);
	EXPECT_TRUE(blip.Audible);
	// Vol 0,8 x SoundVolume 55 = 44, a mixer volume of 56/128: 16384 (0.5 of full scale) becomes 7168.
	EXPECT_NEAR(blip.PeakDb, SampleDb(7168), 0.05);
	EXPECT_NEAR(blip.ExpectedPeakDb, blip.PeakDb, 0.05);
	EXPECT_LT(blip.RmsDb, blip.PeakDb - 2.0);
	EXPECT_EQ(blip.NoiseLsb, 0); // nothing after its end, nor after the stop

	const TSoundCheck &loop = report.Sounds[1];
	EXPECT_TRUE(loop.Problems.empty()) << Problems(loop);
	EXPECT_EQ(loop.LoopFrames, 11000u);
	EXPECT_EQ(loop.PeriodFrames, 11000u);
	EXPECT_TRUE(loop.PlayingPastLoop);
	EXPECT_LE(loop.SeamStep, loop.NeighbourStep);
	EXPECT_GT(loop.NeighbourStep, 0);
	EXPECT_NEAR(loop.SecondPassRmsDb, loop.FirstPassRmsDb, 0.01);
	EXPECT_EQ(loop.NoiseLsb, 0); // StopSound silenced it
	EXPECT_TRUE(report.Ok());
}

TEST_F(EngineRecordingTest, SilenceMissingFilesAndAClickingLoopFailTheCheck)
{
	const TCheckReport report = Check({"fx/hush", "fx/gone", "tracks/seam", "fx/blip"});
	ASSERT_EQ(report.Sounds.size(), 4u);
	EXPECT_FALSE(report.Ok());

	struct Expected {
		const char *Name;
		std::vector<std::string> Problems; // the start of each problem text, in order
	};
	const Expected expected[] = {
		{"fx/hush", {"recorded silence"}},
		{"fx/gone", {"the engine did not load its file", "recorded silence"}},
		{"tracks/seam", {"clicks at the loop point"}},
		{"fx/blip", {}}, // what comes after the faulty sounds is still judged on its own
	};
	for (size_t i = 0; i < std::size(expected); ++i) {
		const TSoundCheck &check = report.Sounds[i];
		SCOPED_TRACE(check.Name);
		EXPECT_EQ(check.Name, expected[i].Name);
		ASSERT_EQ(check.Problems.size(), expected[i].Problems.size()) << Problems(check);
		for (size_t p = 0; p < check.Problems.size(); ++p)
			EXPECT_EQ(check.Problems[p].rfind(expected[i].Problems[p], 0), 0u) << check.Problems[p];
	}
	// The clicking track still loops and plays on: only its seam is wrong.
	const TSoundCheck &seam = report.Sounds[2];
	EXPECT_EQ(seam.PeriodFrames, 11025u);
	EXPECT_TRUE(seam.PlayingPastLoop);
	EXPECT_GT(seam.SeamStep, 10 * seam.NeighbourStep);
}

} // namespace
