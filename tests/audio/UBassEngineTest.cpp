#include "audio/UBassEngine.h"

#include "config/UConfig.h"
#include "config/UUtils.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace vantero;
namespace fs = std::filesystem;

namespace {

// A silent 44.1 kHz mono 8-bit PCM file; ten seconds outlast every test on the dummy driver.
void WriteWav(const fs::path &path, double seconds = 10.0)
{
	fs::create_directories(path.parent_path());
	const uint32_t rate = 44100;
	const auto samples = static_cast<uint32_t>(rate * seconds);
	std::ofstream out(path, std::ios::binary);
	auto u32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char *>(&v), 4); };
	auto u16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char *>(&v), 2); };
	out.write("RIFF", 4);
	u32(36 + samples);
	out.write("WAVEfmt ", 8);
	u32(16);
	u16(1);    // PCM
	u16(1);    // mono
	u32(rate);
	u32(rate); // bytes per second
	u16(1);    // block align
	u16(8);    // bits per sample
	out.write("data", 4);
	u32(samples);
	const std::string silence(samples, static_cast<char>(128));
	out.write(silence.data(), static_cast<std::streamsize>(silence.size()));
}

const char *const CatalogueXml = R"(<Vantero>
  <Sound Src="fx/one.wav"/>
  <Sound Src="fx/three.wav" Polyphony="3" Vol="0,5"/>
  <Sound Src="fx/missing.wav" Polyphony="2"/>
  <Sound Src="fx/dup.wav"/>
  <Sound Src="fx/dup.ogg" Vol="0,5"/>
  <Sound Src="a.o"/>
  <Sound Src="tracks/menu.wav" IsMusic="1"/>
  <Sound Src="tracks/quiet.wav" IsMusic="1" Vol="0,25"/>
  <Sound Src="tracks/plain.wav" IsMusic="0"/>
</Vantero>)";

// A fresh folder with the sample files, made the working directory for the engine's relative paths.
class SoundFolder {
public:
	SoundFolder()
	{
		std::random_device random;
		do
			Root = fs::path("/tmp") / ("vantero-sound-" + std::to_string(random()));
		while (!fs::create_directory(Root));
		Previous = fs::current_path();
		for (const char *file : {"fx/one.wav", "fx/three.wav", "fx/dup.wav", "fx/dup.ogg", "a.o", "tracks/menu.wav",
				 "tracks/quiet.wav", "tracks/plain.wav"})
			WriteWav(Root / "audio" / file);
		fs::current_path(Root);
	}
	~SoundFolder()
	{
		fs::current_path(Previous);
		fs::remove_all(Root);
	}

private:
	fs::path Root;
	fs::path Previous;
};

class BassEngineTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		ErrorRaised = false;
		Engine = MakeEngine(CatalogueXml);
		Engine->LoadSounds();
	}
	void TearDown() override
	{
		Engine.reset();
		ErrorRaised = false;
	}

	std::unique_ptr<TGBassEngine> MakeEngine(const char *xml)
	{
		Engine.reset();
		Document.reset();
		EXPECT_TRUE(Document.load_string(xml));
		Root = GetVantero(Document);
		return std::make_unique<TGBassEngine>(*Root, platform::TWindowHandle{}, 55, 45, [this] { return Clock.load(); });
	}

	// Moves the slide clock and applies the slides as of then.
	void AdvanceClock(double ms)
	{
		Clock = Clock + ms;
		Engine->UpdateSlides();
	}

	std::vector<double> Volumes(const std::string &name) const { return Engine->InstanceVolumes(name); }

	SoundFolder Folder;
	std::atomic<double> Clock{1000.0};
	pugi::xml_document Document;
	std::unique_ptr<TXMLVanteroType> Root;
	std::unique_ptr<TGBassEngine> Engine;
};

TEST_F(BassEngineTest, LoadSoundsBuildsTheCatalogueInDocumentOrder)
{
	struct Expected {
		const char *Name;
		bool Loaded;
		bool IsMusic;
		double Vol;
		int Polyphony;
	};
	const Expected expected[] = {
		{"fx/one", true, false, 1.0, 1},
		{"fx/three", true, false, 0.5, 3},
		{"fx/missing", false, false, 1.0, 2},
		{"fx/dup", true, false, 1.0, 1},
		{"fx/dup", true, false, 0.5, 1},
		{"", true, false, 1.0, 1},
		{"tracks/menu", true, true, 1.0, 1},
		{"tracks/quiet", true, true, 0.25, 1},
		{"tracks/plain", true, false, 1.0, 1},
	};
	const std::vector<TGSound> &sounds = Engine->Catalogue();
	ASSERT_EQ(sounds.size(), std::size(expected));
	for (size_t i = 0; i < sounds.size(); ++i) {
		SCOPED_TRACE(i);
		EXPECT_EQ(sounds[i].Name, expected[i].Name);
		EXPECT_EQ(sounds[i].Sample != nullptr, expected[i].Loaded);
		EXPECT_EQ(sounds[i].IsMusic, expected[i].IsMusic);
		EXPECT_DOUBLE_EQ(sounds[i].Vol, expected[i].Vol);
		EXPECT_EQ(sounds[i].Polyphony, expected[i].Polyphony);
	}
	// The later of two entries with one name is the one every operation reaches.
	EXPECT_EQ(&Engine->GetSound("fx/dup"), &sounds[4]);
	Engine->PlaySound("fx/dup", -1);
	EXPECT_EQ(Volumes("fx/dup"), std::vector<double>{28});

	// Loading again appends the whole list once more.
	Engine->LoadSounds();
	EXPECT_EQ(Engine->Catalogue().size(), 2 * std::size(expected));
	EXPECT_EQ(&Engine->GetSound("fx/one"), &Engine->Catalogue()[std::size(expected)]);
}

TEST_F(BassEngineTest, PolyphonyBoundsInstancesWithoutCuttingAnyOff)
{
	Engine->PlaySound("fx/one", 30);
	Engine->PlaySound("fx/one", 90);
	EXPECT_EQ(Volumes("fx/one"), std::vector<double>{30});

	for (int i = 0; i < 4; ++i)
		Engine->PlaySound("fx/three", 20 + 20 * i);
	EXPECT_EQ(Volumes("fx/three"), (std::vector<double>{10, 20, 30}));
	EXPECT_TRUE(Engine->IsSoundPlaying("fx/three"));
	EXPECT_FALSE(Engine->IsSoundPlaying("tracks/menu"));

	// A stopped voice is free again.
	Engine->StopSound("fx/one", 0);
	Engine->PlaySound("fx/one", 90);
	EXPECT_EQ(Volumes("fx/one"), std::vector<double>{90});
}

TEST_F(BassEngineTest, PlayVolumeIsVolTimesTheCategoryOrTheGivenVolumeRoundedHalfToEven)
{
	struct Case {
		const char *Name;
		int Volume;
		double Expected;
	};
	const Case cases[] = {
		{"fx/one", -1, 55},       // SoundVolume
		{"fx/three", -1, 28},     // 0.5 x 55 = 27.5
		{"tracks/menu", -1, 45},  // MusicVolume
		{"tracks/quiet", -1, 11}, // 0.25 x 45 = 11.25
		{"tracks/plain", -1, 55}, // IsMusic="0" is an effect
		{"fx/dup", 45, 22},       // a given volume replaces the category's, Vol still applies: 22.5
	};
	for (const Case &c : cases) {
		SCOPED_TRACE(c.Name);
		Engine->PlaySound(c.Name, c.Volume);
		EXPECT_EQ(Volumes(c.Name), std::vector<double>{c.Expected});
	}
	Engine->StopAllSounds(true);
	Engine->SetSoundVolume(50);
	Engine->PlaySound("fx/three", -1); // 0.5 x 50 = 25
	EXPECT_EQ(Volumes("fx/three"), std::vector<double>{25});
}

TEST_F(BassEngineTest, AnEntryWhoseFileDidNotLoadIsSilentAndHarmless)
{
	Engine->PlaySound("fx/missing", -1);
	EXPECT_FALSE(Engine->IsSoundPlaying("fx/missing"));
	EXPECT_NO_THROW(Engine->StopSound("fx/missing", 0));
	EXPECT_NO_THROW(Engine->StopSound("fx/missing", 1.0));
	EXPECT_NO_THROW(Engine->FadeSound("fx/missing", true, 1.0));
	EXPECT_FALSE(ErrorRaised);
}

TEST_F(BassEngineTest, EveryOperationByNameRaisesForAnUnknownName)
{
	const std::function<void()> operations[] = {
		[this] { Engine->PlaySound("fx/hint", -1); },
		[this] { Engine->IsSoundPlaying("fx/hint"); },
		[this] { Engine->StopSound("fx/hint", 0); },
		[this] { Engine->FadeSound("fx/hint", true, 1.0); },
		[this] { Engine->GetSound("FX/ONE"); }, // names are compared with case
	};
	for (const auto &operation : operations) {
		ErrorRaised = false;
		try {
			operation();
			ADD_FAILURE() << "no error raised";
		} catch (const EGameError &error) {
			const std::string text = error.what();
			EXPECT_TRUE(text == "TGBassEngine.GetSound: Sound \"fx/hint\" not found"
				|| text == "TGBassEngine.GetSound: Sound \"FX/ONE\" not found")
				<< text;
		}
		EXPECT_TRUE(ErrorRaised);
	}
}

TEST_F(BassEngineTest, StopSoundAtOnceForNoFadeTime)
{
	for (const double fadeTime : {0.0, -1.0}) {
		Engine->PlaySound("fx/three", -1);
		Engine->PlaySound("fx/three", -1);
		Engine->PlaySound("fx/one", -1);
		Engine->StopSound("fx/three", fadeTime);
		EXPECT_FALSE(Engine->IsSoundPlaying("fx/three")) << fadeTime;
		EXPECT_TRUE(Engine->IsSoundPlaying("fx/one"));
		Engine->StopSound("fx/one", 0);
	}
}

TEST_F(BassEngineTest, StopSoundWithFadeTimeFadesEveryInstanceOutThenStops)
{
	Engine->PlaySound("fx/three", 100); // 50
	Engine->PlaySound("fx/three", 60);  // 30
	Engine->StopSound("fx/three", 2.0);
	AdvanceClock(1000);
	EXPECT_EQ(Volumes("fx/three"), (std::vector<double>{25, 15}));

	// An instance started during the fade is not part of it; a volume change does not revive the others.
	Engine->PlaySound("fx/three", 80); // 40
	Engine->SetSoundVolume(70);
	EXPECT_EQ(Volumes("fx/three"), (std::vector<double>{25, 15, 70}));
	AdvanceClock(999);
	EXPECT_EQ(Volumes("fx/three").size(), 3u);
	AdvanceClock(1);
	EXPECT_EQ(Volumes("fx/three"), std::vector<double>{70});
}

TEST_F(BassEngineTest, StopAllSoundsLeavesTheMusicUnlessAsked)
{
	Engine->PlaySound("fx/one", -1);
	Engine->PlaySound("fx/three", -1);
	Engine->PlaySound("tracks/plain", -1);
	Engine->PlaySound("tracks/menu", -1);
	Engine->PlaySound("tracks/quiet", -1);

	Engine->StopAllSounds(false);
	EXPECT_FALSE(Engine->IsSoundPlaying("fx/one"));
	EXPECT_FALSE(Engine->IsSoundPlaying("fx/three"));
	EXPECT_FALSE(Engine->IsSoundPlaying("tracks/plain"));
	EXPECT_TRUE(Engine->IsSoundPlaying("tracks/menu"));
	EXPECT_TRUE(Engine->IsSoundPlaying("tracks/quiet"));

	Engine->StopAllSounds(true);
	EXPECT_FALSE(Engine->IsSoundPlaying("tracks/menu"));
	EXPECT_FALSE(Engine->IsSoundPlaying("tracks/quiet"));
}

TEST_F(BassEngineTest, FadeSoundSlidesToAnAbsoluteTargetAndKeepsPlaying)
{
	Engine->PlaySound("tracks/menu", -1); // 45
	Engine->FadeSound("tracks/menu", true, 1.0);
	AdvanceClock(500);
	EXPECT_EQ(Volumes("tracks/menu"), std::vector<double>{72.5});
	AdvanceClock(500);
	EXPECT_EQ(Volumes("tracks/menu"), std::vector<double>{100});

	Engine->PlaySound("tracks/quiet", -1); // 11
	Engine->FadeSound("tracks/quiet", false, 0.5);
	AdvanceClock(2000);
	EXPECT_EQ(Volumes("tracks/quiet"), std::vector<double>{0});
	EXPECT_TRUE(Engine->IsSoundPlaying("tracks/quiet"));

	// A new volume takes over a running fade at once.
	Engine->FadeSound("tracks/menu", false, 2.0);
	AdvanceClock(1000);
	Engine->SetMusicVolume(30);
	AdvanceClock(1000);
	EXPECT_EQ(Volumes("tracks/menu"), std::vector<double>{30});

	// A fade of no time is a volume change.
	Engine->FadeSound("tracks/menu", true, 0);
	EXPECT_EQ(Volumes("tracks/menu"), std::vector<double>{100});
}

TEST_F(BassEngineTest, CategoryVolumesReachOnlyTheirOwnPlayingEntriesWithoutVol)
{
	Engine->PlaySound("fx/one", -1);
	Engine->PlaySound("fx/three", -1);
	Engine->PlaySound("tracks/menu", -1);
	Engine->PlaySound("tracks/quiet", -1);

	Engine->SetSoundVolume(0);
	EXPECT_EQ(Volumes("fx/one"), std::vector<double>{0});
	EXPECT_EQ(Volumes("fx/three"), std::vector<double>{0});
	EXPECT_TRUE(Engine->IsSoundPlaying("fx/one"));
	EXPECT_EQ(Volumes("tracks/menu"), std::vector<double>{45});

	Engine->SetMusicVolume(60);
	EXPECT_EQ(Volumes("tracks/menu"), std::vector<double>{60});
	EXPECT_EQ(Volumes("tracks/quiet"), std::vector<double>{60});
	EXPECT_EQ(Volumes("fx/one"), std::vector<double>{0});
	EXPECT_EQ(Engine->GetSoundVolume(), 0);
	EXPECT_EQ(Engine->GetMusicVolume(), 60);
}

TEST_F(BassEngineTest, FadeTimesOutOfRangeRaiseARangeErrorAndChangeNothing)
{
	Engine->PlaySound("tracks/menu", -1);
	EXPECT_THROW(Engine->FadeSound("tracks/menu", true, -0.5), EGameError);
	EXPECT_THROW(Engine->StopSound("tracks/menu", 5e6), EGameError);
	EXPECT_EQ(Volumes("tracks/menu"), std::vector<double>{45});
	EXPECT_EQ(Engine->GetMusicVolume(), 45);
}

TEST_F(BassEngineTest, BadAttributesEndLoadSounds)
{
	struct Case {
		const char *Xml;
		const char *Message;
	};
	const Case cases[] = {
		{R"(<Vantero><Sound Src="fx/one.wav"/><Sound Src="fx/three.wav" Vol="0.5"/></Vantero>)",
			"\"0.5\" is not a valid floating point value"},
		{R"(<Vantero><Sound Src="fx/one.wav"/><Sound Src="fx/three.wav" Polyphony="two"/></Vantero>)",
			"\"two\" is not a valid integer value"},
		{R"(<Vantero><Sound Src="fx/one.wav"/><Sound Src="fx/three.wav" Polyphony="-1"/></Vantero>)",
			"Range check error"},
	};
	for (const Case &c : cases) {
		SCOPED_TRACE(c.Xml);
		Engine = MakeEngine(c.Xml);
		try {
			Engine->LoadSounds();
			ADD_FAILURE() << "no error raised";
		} catch (const EGameError &error) {
			EXPECT_STREQ(error.what(), c.Message);
		}
		// What was read before the bad element stays in the catalogue.
		ASSERT_EQ(Engine->Catalogue().size(), 1u);
		Engine->PlaySound("fx/one", -1);
		EXPECT_TRUE(Engine->IsSoundPlaying("fx/one"));
	}
}

TEST_F(BassEngineTest, NoPolyphonyMeansNoSample)
{
	Engine = MakeEngine(R"(<Vantero><Sound Src="fx/one.wav" Polyphony="0"/></Vantero>)");
	Engine->LoadSounds();
	EXPECT_EQ(Engine->Catalogue().at(0).Sample, nullptr);
	Engine->PlaySound("fx/one", -1);
	EXPECT_FALSE(Engine->IsSoundPlaying("fx/one"));
}

TEST_F(BassEngineTest, CreationFallsBackToTheSilentDeviceWhenTheDefaultWillNotOpen)
{
	Engine.reset();
	const char *previous = std::getenv("SDL_AUDIODRIVER");
	const std::string saved = previous ? previous : "";
	setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
	Engine = MakeEngine(CatalogueXml);
	if (previous)
		setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
	else
		unsetenv("SDL_AUDIODRIVER");

	EXPECT_TRUE(Engine->OnNoSoundDevice());
	EXPECT_FALSE(ErrorRaised);
	Engine->LoadSounds();
	Engine->PlaySound("fx/one", -1);
	EXPECT_TRUE(Engine->IsSoundPlaying("fx/one"));
}

TEST(SilentBassEngine, DoesNothingAndNeverRaises)
{
	ErrorRaised = false;
	std::shared_ptr<IGSoundEngine> engine = std::make_shared<TGSilentBassEngine>();
	engine->LoadSounds();
	engine->PlaySound("tracks/menu", -1);
	EXPECT_FALSE(engine->IsSoundPlaying("tracks/menu"));
	EXPECT_FALSE(engine->IsSoundPlaying("no such sound"));
	engine->StopSound("tracks/menu", 2.0);
	engine->FadeSound("tracks/menu", true, -1.0);
	engine->StopAllSounds(true);
	engine->SetSoundVolume(0);
	engine->SetMusicVolume(100);
	EXPECT_FALSE(ErrorRaised);
}

} // namespace
