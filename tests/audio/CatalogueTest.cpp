// The sound catalogue against the game and the generator: every Sound has a recipe, every
// name the game plays is catalogued, and the entries read the way the sound engine reads them.

#include "audio/USoundCatalogue.h"
#include "config/UUtils.h"
#include "tools/audiogen/Encode.h"
#include "tools/audiogen/Recipes.h"
#include "tools/audiogen/Score.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

using namespace vantero;

namespace {

const std::string SourceDir = VANTERO_SOURCE_DIR;

std::vector<TSoundCatalogueEntry> GameCatalogue()
{
	return LoadSoundCatalogue(SourceDir + "/data/cfg/sounds.xml");
}

std::set<std::string> CatalogueNames()
{
	std::set<std::string> names;
	for (const TSoundCatalogueEntry &entry : GameCatalogue())
		names.insert(entry.Name);
	return names;
}

std::string ReadText(const std::string &path)
{
	std::ifstream file(path);
	std::ostringstream text;
	text << file.rdbuf();
	return text.str();
}

} // namespace

TEST(SoundCatalogue, EverySoundHasARecipeAndIsOgg)
{
	const auto entries = GameCatalogue();
	ASSERT_FALSE(entries.empty());
	std::set<std::string> seen;
	for (const TSoundCatalogueEntry &entry : entries) {
		SCOPED_TRACE(entry.Src);
		EXPECT_NE(audiogen::FindRecipe(entry.Name), nullptr) << "no recipe for " << entry.Name;
		EXPECT_TRUE(entry.Src.ends_with(".ogg"));
		EXPECT_TRUE(seen.insert(entry.Name).second) << "catalogued twice";
		EXPECT_GT(entry.Vol, 0.0);
		EXPECT_LE(entry.Vol, 1.0);
		EXPECT_GE(entry.Polyphony, 1);
		const audiogen::TRecipe *recipe = audiogen::FindRecipe(entry.Name);
		if (recipe) {
			// Music loops and takes the music volume; everything else is an effect.
			EXPECT_EQ(entry.IsMusic, recipe->Kind == audiogen::TSoundKind::Music);
			if (entry.IsMusic) {
				EXPECT_EQ(entry.Polyphony, 1);
			}
		}
	}
}

TEST(SoundCatalogue, HoldsEveryNameTheGamePlays)
{
	const std::set<std::string> names = CatalogueNames();
	std::istringstream list(ReadText(SourceDir + "/data/manifest/sound-names.txt"));
	int listed = 0;
	for (std::string line; std::getline(list, line);) {
		if (line.empty() || line[0] == '#')
			continue;
		++listed;
		EXPECT_TRUE(names.count(line)) << "\"" << line << "\" is not catalogued";
	}
	EXPECT_GE(listed, 24);

	// The level tracks and the button sounds are named by the configuration's own data.
	std::string config = ReadText(SourceDir + "/data/Config.xml");
	for (const char *part : {"/data/cfg/tuning.xml"})
		config += ReadText(SourceDir + part);
	const std::regex named(R"re((?:Track|ButtonPressSound|ButtonReleaseSound)="([^"]*)")re");
	int found = 0;
	for (auto it = std::sregex_iterator(config.begin(), config.end(), named); it != std::sregex_iterator(); ++it) {
		const std::string name = (*it)[1];
		++found;
		if (!name.empty()) {
			EXPECT_TRUE(names.count(name)) << "\"" << name << "\" is not catalogued";
		}
		EXPECT_NE(name, "tracks/scary") << "a level track must not be the scary track";
	}
	EXPECT_GE(found, 8);
}

TEST(SoundCatalogue, ParsesEntriesLikeTheEngine)
{
	const auto entries = ParseSoundCatalogue(
		"<!-- group -->\n"
		"<Sound Src=\"fx/gem select.ogg\" Vol=\"0,5\" IsMusic=\"0\" Polyphony=\"3\"/>\n"
		"<Sound Src=\"tracks/menu.ogg\" IsMusic=\"1\"/>\n"
		"<Sound Src=\"a.ogg\"/><Sound Src=\"abc\"/>");
	ASSERT_EQ(entries.size(), 4u);
	EXPECT_EQ(entries[0].Name, "fx/gem select");
	EXPECT_DOUBLE_EQ(entries[0].Vol, 0.5);
	EXPECT_FALSE(entries[0].IsMusic);
	EXPECT_EQ(entries[0].Polyphony, 3);
	EXPECT_EQ(entries[1].Name, "tracks/menu");
	EXPECT_TRUE(entries[1].IsMusic);
	EXPECT_DOUBLE_EQ(entries[1].Vol, 1.0);
	EXPECT_EQ(entries[1].Polyphony, 1);
	EXPECT_EQ(entries[2].Name, "a");
	EXPECT_EQ(entries[3].Name, "");
}

TEST(SoundCatalogue, RejectsBadEntries)
{
	const char *bad[] = {
		"<Sound Src=\"a.ogg\" Vol=\"0.5\"/>",        // a point is not the decimal separator
		"<Sound Src=\"a.ogg\" Polyphony=\"two\"/>",
		"<Sound Src=\"a.ogg\" Polyphony=\"-1\"/>",
		"<Sound Vol=\"1\"/>",
		"<Sound Src=\"a.ogg\">",                      // malformed
		"<?xml version=\"1.0\"?><Sound Src=\"a.ogg\"/>", // a declaration cannot be included
	};
	for (const char *fragment : bad)
		EXPECT_THROW(ParseSoundCatalogue(fragment), EGameError) << fragment;
}

// What the generator writes: Ogg Vorbis that decodes to the rendered length, the same bytes
// on every run, and the loudness figures its range check relies on.
TEST(AudiogenOutput, VorbisRoundTripIsExactLengthAndDeterministic)
{
	audiogen::TAudio tone;
	tone.Channels = 2;
	const size_t frames = 12345;
	for (size_t i = 0; i < frames; ++i) {
		const float s = static_cast<float>(0.5 * std::sin(2 * audiogen::Pi * 440.0 * i / audiogen::SampleRate));
		tone.Samples.push_back(s);
		tone.Samples.push_back(s);
	}
	const auto bytes = audiogen::EncodeVorbis(tone, 0.5f);
	EXPECT_EQ(bytes, audiogen::EncodeVorbis(tone, 0.5f));
	const audiogen::TAudio decoded = audiogen::DecodeVorbis(bytes);
	EXPECT_EQ(decoded.Channels, 2);
	EXPECT_EQ(decoded.Frames(), frames);

	const audiogen::TLoudness loudness = audiogen::MeasureLoudness(tone);
	EXPECT_NEAR(loudness.PeakDb, -6.02, 0.05);
	EXPECT_NEAR(loudness.RmsDb, -9.03, 0.1);
	EXPECT_NEAR(loudness.BrightnessHz, 440, 10);

	EXPECT_THROW(audiogen::DecodeVorbis(std::vector<uint8_t>(100, 7)), EGameError);
}

TEST(AudiogenOutput, NormalizeMeetsTheTargetUnlessThePeakForbidsIt)
{
	audiogen::TAudio audio;
	audio.Samples.assign(4410, 0.0f);
	for (size_t i = 0; i < audio.Samples.size(); ++i)
		audio.Samples[i] = static_cast<float>(0.1 * std::sin(i * 0.1));
	audiogen::NormalizeLoudness(audio, -20.0, -1.0);
	EXPECT_NEAR(audiogen::MeasureLoudness(audio).RmsDb, -20.0, 0.05);

	// A lone click cannot reach a loud RMS without clipping: the peak ceiling wins.
	audiogen::TAudio click;
	click.Samples.assign(44100, 0.0f);
	click.Samples[100] = 0.2f;
	audiogen::NormalizeLoudness(click, -3.0, -1.0);
	EXPECT_NEAR(audiogen::MeasureLoudness(click).PeakDb, -1.0, 0.01);
}

TEST(AudiogenOutput, LoopingScoreFoldsItsTailIntoTheStart)
{
	const std::string soundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
	if (!std::filesystem::exists(soundFont))
		GTEST_SKIP() << "no General MIDI soundfont";
	audiogen::TScore score;
	score.Tempo = 120;
	score.LengthBeats = 4;
	score.Tail = 2;
	score.Channels = {{0, 0, 100, 64, 60, 0}};
	score.Add(0, 3, 0.9, 60, 100); // rings past the loop point
	const audiogen::TAudio looped = audiogen::RenderScore(score, soundFont);
	EXPECT_EQ(looped.Frames(), static_cast<size_t>(2 * audiogen::SampleRate));
	// The start carries the note's release and reverb: not silent, and it joins the end smoothly.
	EXPECT_GT(std::abs(looped.Samples[0]) + std::abs(looped.Samples[200]), 0.0f);
	const size_t last = looped.Samples.size() - 2;
	EXPECT_LT(std::abs(looped.Samples[0] - looped.Samples[last]), 0.05f);

	score.Loop = false;
	const audiogen::TAudio once = audiogen::RenderScore(score, soundFont);
	EXPECT_EQ(once.Frames(), static_cast<size_t>(4 * audiogen::SampleRate)); // two seconds and the tail
	EXPECT_LT(std::abs(once.Samples[0]), 1e-6f);
}
