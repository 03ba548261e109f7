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
	return Render({
		.Seed = 101, .Tempo = 92, .Root = 62, .Mode = Ionian,
		.ProgressionA = {0, 5, 3, 4, 0, 3, 4, 0}, .ProgressionB = {3, 4, 2, 5, 1, 4, 4, 0},
		.Rhythms = FourFourCells,
		.MelodyProgram = 73, .MelodyAltProgram = 71, .PadProgram = 48, .AccompProgram = 46, .BassProgram = 32,
		.Drums = {{9, 70, "o.o.o.o.o.o.o.o.", 0, 55, "AB"}, {9, 36, "x.......x.......", 0, 70, "AB"},
		          {9, 81, "x...............", 0, 50, "B"}}
	}, context);
}

// The river monument: Phrygian colour over a drone, harp ostinato and a reedy English horn.
TAudio MakeLevel01Track(const TRecipeContext &context)
{
	return Render({
		.Seed = 201, .Tempo = 84, .Root = 62, .Mode = Phrygian,
		.ProgressionA = {0, 0, 1, 0, 6, 0, 1, 0}, .ProgressionB = {3, 2, 1, 0, 6, 5, 1, 0},
		.Rhythms = FourFourCells,
		.MelodyProgram = 69, .MelodyAltProgram = 73, .PadProgram = 89, .AccompProgram = 46, .BassProgram = 35,
		.Accompaniment = TAccompaniment::Drone, .Bass = {{0, 0, 3}, {3, 4, 1}},
		.Drums = {{9, 64, "x..o..x.x..o....", 0, 85, "AB"}, {9, 60, "......o.....o.o.", 0, 70, "AB"},
		          {9, 54, "....o.......o...", 0, 60, "IAB"}},
		.Ornaments = true
	}, context);
}

// The temple on the hill: a lyre-like guitar in seven-eight, pan pipes and a double reed.
TAudio MakeLevel02Track(const TRecipeContext &context)
{
	return Render({
		.Seed = 301, .Tempo = 132, .BarBeats = 3.5, .Root = 64, .Mode = Dorian,
		.ProgressionA = {0, 3, 0, 6, 0, 3, 4, 0}, .ProgressionB = {2, 3, 6, 0, 2, 3, 6, 0},
		.Form = "IAABAB", .Rhythms = {{1.5, 1, 1}, {1, 0.5, 1, 1}, {0.5, 0.5, 0.5, 1, 1}, {1.5, 2}, {0.5, 1, 1, 1}},
		.MelodyProgram = 75, .MelodyAltProgram = 68, .PadProgram = 49, .AccompProgram = 24, .BassProgram = 32,
		.Bass = {{0, 0, 1.5}, {1.5, 4, 1}, {2.5, 0, 1}},
		.Drums = {{9, 64, "x.....x...x...", 0, 85, "AB"}, {9, 63, "....o.....o.o.", 0, 65, "AB"},
		          {9, 54, "..o...o...o...", 0, 50, "B"}},
		.PadVolume = 55
	}, context);
}

// The stepped pyramid in the rainforest: ocarina and marimba, wooden slit drums and rattles.
TAudio MakeLevel03Track(const TRecipeContext &context)
{
	return Render({
		.Seed = 401, .Tempo = 104, .Root = 62, .Mode = PentaMinor,
		.ProgressionA = {0, 3, 0, 4, 0, 2, 3, 0}, .ProgressionB = {3, 2, 3, 4, 1, 2, 4, 0},
		.Rhythms = FourFourCells,
		.MelodyProgram = 79, .MelodyAltProgram = 75, .PadProgram = 53, .AccompProgram = 12, .BassProgram = 32,
		.Bass = {{0, 0, 1.5}, {1.5, 0, 0.5}, {2, 3, 2}},
		.Drums = {{9, 76, "x..o..x.o.x.o...", 0, 80, "AB"}, {9, 77, "........x.....o.", 0, 75, "AB"},
		          {9, 70, "o.oo.o.oo.o.o.oo", 0, 50, "IAB"}, {9, 45, "x.......x..x....", 0, 80, "B"}},
		.PadVolume = 50
	}, context);
}

// The great domed church: a chant-like line over a held drone, choir and harp, a bell between phrases.
TAudio MakeLevel04Track(const TRecipeContext &context)
{
	return Render({
		.Seed = 551, .Tempo = 72, .Root = 55, .Mode = Aeolian,
		.ProgressionA = {0, 6, 0, 3, 0, 6, 4, 0}, .ProgressionB = {2, 6, 3, 0, 5, 6, 4, 0},
		.Rhythms = CalmCells,
		.MelodyProgram = 69, .MelodyAltProgram = 53, .PadProgram = 52, .AccompProgram = 46, .BassProgram = 43,
		.Accompaniment = TAccompaniment::Drone, .AccompStep = 1.0, .Bass = {{0, 0, 4}},
		.Drums = {{5, 67, "x...............", 14, 50, "B"}, {9, 81, "........x.......", 0, 40, "AB"}},
		.PadVolume = 60, .ReverbRoom = 0.9, .ReverbLevel = 0.8, .Ornaments = true
	}, context);
}

// The jungle temple city: interlocking xylophone, a reed over it and bright small cymbals.
TAudio MakeLevel05Track(const TRecipeContext &context)
{
	return Render({
		.Seed = 601, .Tempo = 112, .Root = 65, .Mode = PentaMajor,
		.ProgressionA = {0, 3, 0, 4, 1, 3, 4, 0}, .ProgressionB = {2, 3, 4, 2, 1, 4, 3, 0},
		.Rhythms = FourFourCells,
		.MelodyProgram = 68, .MelodyAltProgram = 11, .PadProgram = 89, .AccompProgram = 13, .BassProgram = 35,
		.AccompStep = 0.25, .Bass = {{0, 0, 2}, {2, 2, 1}, {3, 4, 1}},
		.Drums = {{9, 53, "o...x...o...x...", 0, 60, "AB"}, {9, 64, "x..o.ox.x..o.o..", 0, 80, "AB"},
		          {9, 80, "..o...o...o...o.", 0, 45, "IAB"}},
		.MelodyOctave = 0, .PadVolume = 50, .AccompVolume = 70
	}, context);
}

// The cathedral: recorder and choir, a lute, organ underneath and a bell between phrases.
TAudio MakeLevel06Track(const TRecipeContext &context)
{
	return Render({
		.Seed = 801, .Tempo = 76, .Root = 62, .Mode = Dorian,
		.ProgressionA = {0, 6, 3, 0, 2, 6, 4, 0}, .ProgressionB = {2, 3, 6, 0, 2, 3, 4, 0},
		.Rhythms = CalmCells,
		.MelodyProgram = 74, .MelodyAltProgram = 52, .PadProgram = 19, .AccompProgram = 24, .BassProgram = 42,
		.Bass = {{0, 0, 2}, {2, 4, 2}},
		.Drums = {{5, 62, "x...............", 14, 55, "B"}, {9, 47, "x.....o.x.......", 0, 60, "AB"}},
		.PadVolume = 45, .ReverbRoom = 0.85, .ReverbLevel = 0.75
	}, context);
}

// The castle above the town: a bamboo flute in the yo scale over koto, slow strings and taiko.
TAudio MakeLevel07Track(const TRecipeContext &context)
{
	return Render({
		.Seed = 511, .Tempo = 80, .Root = 64, .Mode = YoScale,
		.ProgressionA = {0, 3, 1, 0, 4, 3, 1, 0}, .ProgressionB = {3, 4, 3, 1, 3, 2, 1, 0},
		.Rhythms = CalmCells,
		.MelodyProgram = 77, .MelodyAltProgram = 73, .PadProgram = 49, .AccompProgram = 107, .BassProgram = 42,
		.Bass = {{0, 0, 4}},
		.Drums = {{5, 41, "x.......x.....o.", 116, 80, "AB"}, {9, 75, "....o.......o...", 0, 55, "AB"},
		          {9, 53, "x...............", 0, 50, "B"}},
		.MelodyOctave = 0, .PadVolume = 55, .Ornaments = true
	}, context);
}

// Time is running out: harmonic minor, restless pizzicato, tremolo strings and drums.
TAudio MakeScaryTrack(const TRecipeContext &context)
{
	return Render({
		.Seed = 901, .Tempo = 144, .Root = 57, .Mode = HarmonicMinor,
		.ProgressionA = {0, 5, 3, 4, 0, 5, 4, 0}, .ProgressionB = {3, 4, 0, 5, 3, 1, 4, 0},
		.Form = "IAABAB", .Rhythms = FourFourCells,
		.MelodyProgram = 41, .MelodyAltProgram = 60, .PadProgram = 44, .AccompProgram = 45, .BassProgram = 43,
		.AccompStep = 0.25,
		.Bass = {{0, 0, 0.5}, {0.5, 0, 0.5}, {1, 0, 0.5}, {1.5, 0, 0.5}, {2, 0, 0.5}, {2.5, 0, 0.5}, {3, 1, 0.5},
		         {3.5, -1, 0.5}},
		.Drums = {{5, 45, "x...x...x...x..o", 47, 80, "IAB"}, {6, 38, "x.....x...x.....", 116, 85, "AB"},
		          {9, 42, "o.o.o.o.o.o.o.o.", 0, 55, "B"}},
		.MelodyOctave = 1
	}, context);
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
