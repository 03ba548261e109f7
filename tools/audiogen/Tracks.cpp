// The game's music: one style per track, composed by the house composer, plus the two
// hand-written jingles that close a sublevel.

#include "tools/audiogen/Compose.h"
#include "tools/audiogen/Recipes.h"

namespace vantero::audiogen {

namespace {

const std::vector<int> Ionian = {0, 2, 4, 5, 7, 9, 11};
const std::vector<int> Dorian = {0, 2, 3, 5, 7, 9, 10};
const std::vector<int> Phrygian = {0, 1, 3, 5, 7, 8, 10};
const std::vector<int> HarmonicMinor = {0, 2, 3, 5, 7, 8, 11};
const std::vector<int> PentaMajor = {0, 2, 4, 7, 9};
const std::vector<int> PentaMinor = {0, 3, 5, 7, 10};
const std::vector<int> YoScale = {0, 2, 5, 7, 9};
const std::vector<int> Aeolian = {0, 2, 3, 5, 7, 8, 10};

// Melody rhythm cells of one 4/4 bar (negative: a rest of that length).
const std::vector<std::vector<double>> FourFourCells = {
	{1, 1, 1, 1}, {1.5, 0.5, 1, 1}, {2, 1, 1}, {1, 0.5, 0.5, 2}, {0.5, 0.5, 1, 2}, {3, 1}, {-1, 1, 1, 1},
};
const std::vector<std::vector<double>> CalmCells = {
	{2, 2}, {1.5, 0.5, 2}, {3, 1}, {1, 1, 2}, {-1, 1, 2},
};

TAudio Render(const TStyle &style, const TRecipeContext &context)
{
	return RenderScore(ComposeTrack(style), context.SoundFont);
}

} // namespace

// Menu, map and the screens between: warm and open, harp and strings under a flute.
TAudio MakeMenuTrack(const TRecipeContext &context)
{
	TStyle s;
	s.Seed = 101;
	s.Tempo = 92;
	s.Root = 62;
	s.Mode = Ionian;
	s.ProgressionA = {0, 5, 3, 4, 0, 3, 4, 0};
	s.ProgressionB = {3, 4, 2, 5, 1, 4, 4, 0};
	s.Rhythms = FourFourCells;
	s.MelodyProgram = 73;
	s.MelodyAltProgram = 71;
	s.PadProgram = 48;
	s.AccompProgram = 46;
	s.BassProgram = 32;
	s.Drums = {{9, 70, "o.o.o.o.o.o.o.o.", 0, 55, "AB"}, {9, 36, "x.......x.......", 0, 70, "AB"},
	           {9, 81, "x...............", 0, 50, "B"}};
	return Render(s, context);
}

// The river monument: Phrygian colour over a drone, harp ostinato and a reedy English horn.
TAudio MakeLevel01Track(const TRecipeContext &context)
{
	TStyle s;
	s.Seed = 201;
	s.Tempo = 84;
	s.Root = 62;
	s.Mode = Phrygian;
	s.ProgressionA = {0, 0, 1, 0, 6, 0, 1, 0};
	s.ProgressionB = {3, 2, 1, 0, 6, 5, 1, 0};
	s.Rhythms = FourFourCells;
	s.MelodyProgram = 69;
	s.MelodyAltProgram = 73;
	s.PadProgram = 89;
	s.AccompProgram = 46;
	s.BassProgram = 35;
	s.Accompaniment = TAccompaniment::Drone;
	s.Bass = {{0, 0, 3}, {3, 4, 1}};
	s.Ornaments = true;
	s.Drums = {{9, 64, "x..o..x.x..o....", 0, 85, "AB"}, {9, 60, "......o.....o.o.", 0, 70, "AB"},
	           {9, 54, "....o.......o...", 0, 60, "IAB"}};
	return Render(s, context);
}

// The temple on the hill: a lyre-like guitar in seven-eight, pan pipes and a double reed.
TAudio MakeLevel02Track(const TRecipeContext &context)
{
	TStyle s;
	s.Seed = 301;
	s.Tempo = 132;
	s.BarBeats = 3.5;
	s.Form = "IAABAB";
	s.Root = 64;
	s.Mode = Dorian;
	s.ProgressionA = {0, 3, 0, 6, 0, 3, 4, 0};
	s.ProgressionB = {2, 3, 6, 0, 2, 3, 6, 0};
	s.Rhythms = {{1.5, 1, 1}, {1, 0.5, 1, 1}, {0.5, 0.5, 0.5, 1, 1}, {1.5, 2}, {0.5, 1, 1, 1}};
	s.MelodyProgram = 75;
	s.MelodyAltProgram = 68;
	s.PadProgram = 49;
	s.PadVolume = 55;
	s.AccompProgram = 24;
	s.BassProgram = 32;
	s.Bass = {{0, 0, 1.5}, {1.5, 4, 1}, {2.5, 0, 1}};
	s.Drums = {{9, 64, "x.....x...x...", 0, 85, "AB"}, {9, 63, "....o.....o.o.", 0, 65, "AB"},
	           {9, 54, "..o...o...o...", 0, 50, "B"}};
	return Render(s, context);
}

// The stepped pyramid in the rainforest: ocarina and marimba, wooden slit drums and rattles.
TAudio MakeLevel03Track(const TRecipeContext &context)
{
	TStyle s;
	s.Seed = 401;
	s.Tempo = 104;
	s.Root = 62;
	s.Mode = PentaMinor;
	s.ProgressionA = {0, 3, 0, 4, 0, 2, 3, 0};
	s.ProgressionB = {3, 2, 3, 4, 1, 2, 4, 0};
	s.Rhythms = FourFourCells;
	s.MelodyProgram = 79;
	s.MelodyAltProgram = 75;
	s.PadProgram = 53;
	s.PadVolume = 50;
	s.AccompProgram = 12;
	s.BassProgram = 32;
	s.Bass = {{0, 0, 1.5}, {1.5, 0, 0.5}, {2, 3, 2}};
	s.Drums = {{9, 76, "x..o..x.o.x.o...", 0, 80, "AB"}, {9, 77, "........x.....o.", 0, 75, "AB"},
	           {9, 70, "o.oo.o.oo.o.o.oo", 0, 50, "IAB"}, {9, 45, "x.......x..x....", 0, 80, "B"}};
	return Render(s, context);
}

// The great domed church: a chant-like line over a held drone, choir and harp, a bell between phrases.
TAudio MakeLevel04Track(const TRecipeContext &context)
{
	TStyle s;
	s.Seed = 551;
	s.Tempo = 72;
	s.Root = 55;
	s.Mode = Aeolian;
	s.ProgressionA = {0, 6, 0, 3, 0, 6, 4, 0};
	s.ProgressionB = {2, 6, 3, 0, 5, 6, 4, 0};
	s.Rhythms = CalmCells;
	s.MelodyProgram = 69;
	s.MelodyAltProgram = 53;
	s.PadProgram = 52;
	s.PadVolume = 60;
	s.AccompProgram = 46;
	s.Accompaniment = TAccompaniment::Drone;
	s.AccompStep = 1.0;
	s.BassProgram = 43;
	s.Bass = {{0, 0, 4}};
	s.Ornaments = true;
	s.ReverbRoom = 0.9;
	s.ReverbLevel = 0.8;
	s.Drums = {{5, 67, "x...............", 14, 50, "B"}, {9, 81, "........x.......", 0, 40, "AB"}};
	return Render(s, context);
}

// The jungle temple city: interlocking xylophone, a reed over it and bright small cymbals.
TAudio MakeLevel05Track(const TRecipeContext &context)
{
	TStyle s;
	s.Seed = 601;
	s.Tempo = 112;
	s.Root = 65;
	s.Mode = PentaMajor;
	s.MelodyOctave = 0;
	s.ProgressionA = {0, 3, 0, 4, 1, 3, 4, 0};
	s.ProgressionB = {2, 3, 4, 2, 1, 4, 3, 0};
	s.Rhythms = FourFourCells;
	s.MelodyProgram = 68;
	s.MelodyAltProgram = 11;
	s.PadProgram = 89;
	s.PadVolume = 50;
	s.AccompProgram = 13;
	s.AccompStep = 0.25;
	s.AccompVolume = 70;
	s.BassProgram = 35;
	s.Bass = {{0, 0, 2}, {2, 2, 1}, {3, 4, 1}};
	s.Drums = {{9, 53, "o...x...o...x...", 0, 60, "AB"}, {9, 64, "x..o.ox.x..o.o..", 0, 80, "AB"},
	           {9, 80, "..o...o...o...o.", 0, 45, "IAB"}};
	return Render(s, context);
}

// The cathedral: recorder and choir, a lute, organ underneath and a bell between phrases.
TAudio MakeLevel06Track(const TRecipeContext &context)
{
	TStyle s;
	s.Seed = 801;
	s.Tempo = 76;
	s.Root = 62;
	s.Mode = Dorian;
	s.ProgressionA = {0, 6, 3, 0, 2, 6, 4, 0};
	s.ProgressionB = {2, 3, 6, 0, 2, 3, 4, 0};
	s.Rhythms = CalmCells;
	s.MelodyProgram = 74;
	s.MelodyAltProgram = 52;
	s.PadProgram = 19;
	s.PadVolume = 45;
	s.AccompProgram = 24;
	s.BassProgram = 42;
	s.Bass = {{0, 0, 2}, {2, 4, 2}};
	s.ReverbRoom = 0.85;
	s.ReverbLevel = 0.75;
	s.Drums = {{5, 62, "x...............", 14, 55, "B"}, {9, 47, "x.....o.x.......", 0, 60, "AB"}};
	return Render(s, context);
}

// The castle above the town: a bamboo flute in the yo scale over koto, slow strings and taiko.
TAudio MakeLevel07Track(const TRecipeContext &context)
{
	TStyle s;
	s.Seed = 511;
	s.Tempo = 80;
	s.Root = 64;
	s.Mode = YoScale;
	s.MelodyOctave = 0;
	s.ProgressionA = {0, 3, 1, 0, 4, 3, 1, 0};
	s.ProgressionB = {3, 4, 3, 1, 3, 2, 1, 0};
	s.Rhythms = CalmCells;
	s.MelodyProgram = 77;
	s.MelodyAltProgram = 73;
	s.PadProgram = 49;
	s.PadVolume = 55;
	s.AccompProgram = 107;
	s.BassProgram = 42;
	s.Bass = {{0, 0, 4}};
	s.Ornaments = true;
	s.Drums = {{5, 41, "x.......x.....o.", 116, 80, "AB"}, {9, 75, "....o.......o...", 0, 55, "AB"},
	           {9, 53, "x...............", 0, 50, "B"}};
	return Render(s, context);
}

// Time is running out: harmonic minor, restless pizzicato, tremolo strings and drums.
TAudio MakeScaryTrack(const TRecipeContext &context)
{
	TStyle s;
	s.Seed = 901;
	s.Tempo = 144;
	s.Root = 57;
	s.Mode = HarmonicMinor;
	s.Form = "IAABAB";
	s.MelodyOctave = 1;
	s.ProgressionA = {0, 5, 3, 4, 0, 5, 4, 0};
	s.ProgressionB = {3, 4, 0, 5, 3, 1, 4, 0};
	s.Rhythms = FourFourCells;
	s.MelodyProgram = 41;
	s.MelodyAltProgram = 60;
	s.PadProgram = 44;
	s.AccompProgram = 45;
	s.AccompStep = 0.25;
	s.BassProgram = 43;
	s.Bass = {{0, 0, 0.5}, {0.5, 0, 0.5}, {1, 0, 0.5}, {1.5, 0, 0.5}, {2, 0, 0.5}, {2.5, 0, 0.5}, {3, 1, 0.5}, {3.5, -1, 0.5}};
	s.Drums = {{5, 45, "x...x...x...x..o", 47, 80, "IAB"}, {6, 38, "x.....x...x.....", 116, 85, "AB"},
	           {9, 42, "o.o.o.o.o.o.o.o.", 0, 55, "B"}};
	return Render(s, context);
}

// Sublevel lost: a short falling minor phrase that settles rather than mocks.
TAudio MakeJingleLost(const TRecipeContext &context)
{
	TScore score;
	score.Tempo = 84;
	score.Loop = false;
	score.Tail = 2.0;
	score.LengthBeats = 5;
	score.Channels = {{0, 71, 110, 60, 50, 0}, {1, 48, 90, 70, 60, 0}, {2, 47, 90, 64, 40, 0}, {3, 32, 90, 64, 30, 0}};
	const int line[] = {76, 74, 72, 71};
	for (int i = 0; i < 4; ++i)
		score.Add(0, i * 0.75, 0.7, line[i], 92 - i * 6);
	score.Add(0, 3.0, 2.0, 69, 80);
	for (const int key : {57, 60, 64})
		score.Add(1, 0, 2.9, key, 60);
	for (const int key : {53, 57, 60})
		score.Add(1, 3.0, 2.0, key, 62);
	score.Add(1, 3.0, 2.0, 64, 55);
	score.Add(3, 0, 2.9, 45, 80);
	score.Add(3, 3.0, 2.0, 41, 80);
	score.Add(2, 3.0, 1.0, 45, 70);
	return RenderScore(score, context.SoundFont);
}

// Sublevel won: a bright brass fanfare up the major chord, strings and a cymbal on the arrival.
TAudio MakeJingleWon(const TRecipeContext &context)
{
	TScore score;
	score.Tempo = 120;
	score.Loop = false;
	score.Tail = 2.0;
	score.LengthBeats = 7;
	score.Channels = {{0, 56, 110, 60, 50, 0}, {1, 48, 95, 70, 60, 0}, {2, 47, 100, 64, 40, 0}, {3, 9, 80, 80, 50, 0},
	                  {4, 61, 85, 50, 50, 0}, {9, 0, 90, 64, 40, 0}};
	const int rise[] = {67, 72, 76, 79};
	for (int i = 0; i < 4; ++i) {
		score.Add(0, i * 0.5, 0.45, rise[i], 95 + i * 5);
		score.Add(3, i * 0.5, 0.45, rise[i] + 12, 80);
	}
	score.Add(0, 2.0, 0.4, 77, 100);
	score.Add(0, 2.5, 0.4, 79, 105);
	score.Add(0, 3.0, 4.0, 84, 115);
	score.Add(3, 3.0, 2.0, 96, 90);
	for (const int key : {60, 64, 67, 72})
		score.Add(1, 3.0, 4.0, key, 80);
	for (const int key : {53, 57, 60})
		score.Add(4, 2.0, 1.0, key, 85);
	for (const int key : {55, 60, 64, 67})
		score.Add(4, 3.0, 3.5, key, 90);
	for (int i = 0; i < 8; ++i)
		score.Add(2, 2.0 + i * 0.125, 0.1, 43, 60 + i * 5);
	score.Add(2, 3.0, 1.0, 48, 110);
	score.Add(9, 3.0, 1.0, 49, 100);
	return RenderScore(score, context.SoundFont);
}

} // namespace vantero::audiogen
