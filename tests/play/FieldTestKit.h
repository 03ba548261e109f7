#pragma once
// Boards built from small field texts: a configuration document with the board's keys and one
// sublevel, blank sprites named like the game's, a recording sound engine and the bot's stand-ins.

#include "audio/IGSoundEngine.h"
#include "config/UConfig.h"
#include "config/UResolution.h"
#include "config/UUtils.h"
#include "play/UBoardBot.h"
#include "play/UField.h"
#include "render/USpritePool.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace vantero::fieldtest {

class TRecordingSound : public IGSoundEngine {
public:
	void LoadSounds() override {}
	bool IsSoundPlaying(const std::string &) override { return false; }
	void SetSoundVolume(int) override {}
	void PlaySound(const std::string &name, int) override { Played.push_back(name); }
	void StopSound(const std::string &, double) override {}
	void StopAllSounds(bool) override {}
	void FadeSound(const std::string &, bool, double) override {}
	void SetMusicVolume(int) override {}
	int Count(const std::string &name) const { return static_cast<int>(std::count(Played.begin(), Played.end(), name)); }

	std::vector<std::string> Played;
};

// Two gem kinds in pairs, alternating by row: no line anywhere, but vertical swaps make lines.
inline std::string PairsBackground()
{
	std::string text;
	for (int r = 0; r < 10; ++r)
		text += (r % 2 == 0 ? "5566556655\n" : "6655665566\n");
	return text;
}

// Three gem kinds along the diagonals: no line and no move.
inline std::string NoMoveBackground()
{
	std::string text;
	for (int r = 0; r < 10; ++r) {
		for (int c = 0; c < 10; ++c)
			text += static_cast<char>('5' + (r + c) % 3);
		text += '\n';
	}
	return text;
}

// Overwrites cells of a ten-line field text: each entry is (row, column, character).
struct TPut {
	int Row;
	int Column;
	char Ch;
};
inline std::string Put(std::string text, const std::vector<TPut> &cells)
{
	for (const TPut &p : cells)
		text[static_cast<size_t>(p.Row * 11 + p.Column)] = p.Ch;
	return text;
}

class FieldTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		SavedPool = SpritePool;
		SavedSound = SoundEngine;
		CellSize = 50;
		FieldX = 285;
		FieldY = 15;
		GameWidth = 800;
		GameHeight = 600;
		AddBoardSequences(Pool, 50, 2);
		SpritePool = &Pool;
		Sound = std::make_shared<TRecordingSound>();
		SoundEngine = Sound;
		FrameTime = 0.01;
		SeedRandom(7);
		ErrorRaised = false;
	}
	void TearDown() override
	{
		Board.reset();
		Screen.reset();
		SpritePool = SavedPool;
		SoundEngine = SavedSound;
		Config = nullptr;
		Root.reset();
		FrameTime = 0;
		ErrorRaised = false;
	}

	// Loads a document with the board's keys (Extra replaces any of them) and one sublevel whose gem
	// entries have the sprite numbers 10, 11, ... 17 (so the digit d is the kind 10 + d).
	void LoadDocument(const std::string &field, const std::string &subLevelAttributes = "", const std::string &blocks = "",
		const std::string &extraKeys = "", int solid = 0)
	{
		std::string keys = "TimeToBlink=\"8\" TimeToHint=\"10\" SuperBonusAppearance=\"4\" SuperBonusEraseElements=\"5\" "
			"EasterEggOriginalElement=\"11\" EasterEggNewElement=\"18\" ExplodedSpecialsForEasterEgg=\"4\" "
			"PointsForCombinationOfThree=\"30\" PointsForCombinationOfFour=\"60\" PointsForCombinationOfFive=\"100\" "
			"PointsForCombinationOfSix=\"150\" PointsForCombinationOfSeven=\"200\" PointsForSpecial1=\"50\" "
			"PointsForSpecial2=\"100\" PointsForSpecial3=\"300\"";
		std::string elements;
		for (int k = 10; k <= 17; ++k)
			elements += "<Element SpriteIndex=\"" + std::to_string(k) + "\"/>";
		const std::string xml = "<Vantero " + keys + " " + extraKeys + "><Level><Pass><SubLevel TimeLimit=\"100\" "
			+ subLevelAttributes + ">" + elements + blocks + "<Field SolidCellsByDefault=\"" + std::to_string(solid) + "\">"
			+ field + "</Field></SubLevel></Pass></Level></Vantero>";
		Board.reset();
		Screen.reset();
		Config = nullptr;
		Root.reset();
		ASSERT_TRUE(Document.load_string(xml.c_str()));
		Root = GetVantero(Document);
		Config = Root.get();
	}

	TXMLSubLevelType &SubLevel() { return Root->Level().Item(0).Pass().Item(0).Item(0); }

	// A board of the loaded document (a fresh screen, the fixture's manager and player).
	TField &MakeBoard(int probabilitySet = 0)
	{
		Board.reset();
		Screen = std::make_unique<TBotGameScreen>(&Root->Level().Item(0), SubLevel(), 1);
		Board = std::make_unique<TField>(*Screen, probabilitySet, Manager);
		return *Board;
	}

	TField &Load(const std::string &field, const std::string &subLevelAttributes = "", const std::string &blocks = "",
		const std::string &extraKeys = "")
	{
		LoadDocument(field, subLevelAttributes, blocks, extraKeys);
		return MakeBoard();
	}

	// Runs frames until the predicate holds (at most Seconds); true when it held.
	template <class P>
	bool RunUntil(P predicate, double seconds = 30)
	{
		for (double t = 0; t < seconds; t += FrameTime) {
			if (predicate())
				return true;
			Board->Update();
			Screen->Conveyor.Advance(FrameTime);
		}
		return predicate();
	}

	void Click(int row, int column) { ClickCell(*Board, TCellPos{column, row}); }

	int Kind(int row, int column) const
	{
		const TElement *e = Board->ElementAt(row, column);
		return e == nullptr ? -1 : e->Value;
	}

	pugi::xml_document Document;
	std::unique_ptr<TXMLVanteroType> Root;
	TSpritePool Pool{true};
	std::shared_ptr<TRecordingSound> Sound;
	TBotManager Manager;
	std::unique_ptr<TBotGameScreen> Screen;
	std::unique_ptr<TField> Board;

private:
	TSpritePool *SavedPool = nullptr;
	std::shared_ptr<IGSoundEngine> SavedSound;
};

} // namespace vantero::fieldtest
