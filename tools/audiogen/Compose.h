#pragma once
// The house composer: turns a track's style (mode, progression, instruments, rhythm cells,
// accompaniment and drum patterns) into a looping score of themed sections.

#include "tools/audiogen/Score.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantero::audiogen {

// One instrument line repeated every bar: a pattern of sixteenth steps ('x' loud, 'o' soft, '.' rest).
struct TDrumLine {
	int Channel = 9;   // 9: the GM kit; channels 5..8 play Key on Program
	int Key = 36;
	std::string Pattern;
	int Program = 0;   // program of a melodic channel (5..8)
	int Velocity = 90;
	std::string Sections = "AB"; // section letters that play it ('I' intro, 'A', 'B')
};

// A bass step: beat in the bar, scale steps above the chord root, length in beats.
struct TBassStep {
	double Beat = 0;
	int Degree = 0;
	double Length = 1;
};

enum class TAccompaniment { Arpeggio, Block, Drone, Offbeat };

struct TStyle {
	uint64_t Seed = 1;
	double Tempo = 100;
	double BarBeats = 4;            // quarter beats per bar (3.5 for 7/8)
	int Root = 60;                  // MIDI key of the tonic in the middle register
	std::vector<int> Mode;          // semitones of each scale degree above the tonic
	std::vector<int> ProgressionA;  // chord root degree per bar, 8 bars
	std::vector<int> ProgressionB;  // the contrasting section, 8 bars
	std::string Form = "IAABA";     // sections in order: 'I' two bars of intro, 'A'/'B' eight bars
	std::vector<std::vector<double>> Rhythms; // melody rhythm cells, each one bar of note lengths
	int MelodyProgram = 73;
	int MelodyAltProgram = 71;     // plays the repeats of A and the B section
	int PadProgram = 48;
	int AccompProgram = 46;
	int BassProgram = 32;
	TAccompaniment Accompaniment = TAccompaniment::Arpeggio;
	double AccompStep = 0.5;        // beats between accompaniment notes
	std::vector<TBassStep> Bass = {{0, 0, 2}, {2, 4, 2}};
	std::vector<TDrumLine> Drums;
	int MelodyOctave = 1;           // octaves above Root for the theme
	int PadVolume = 70, AccompVolume = 85, MelodyVolume = 100, BassVolume = 90;
	double ReverbRoom = 0.6, ReverbLevel = 0.6;
	bool Ornaments = false;         // grace notes on long theme notes in repeats
};

// Composes the looping track: themes are drawn once from the seed and restated, so the piece
// has recognisable phrases; every note ends before the loop point.
TScore ComposeTrack(const TStyle &style);

// Key of a scale degree (any integer, octaves wrap) above the style's root.
int DegreeKey(const TStyle &style, int degree);

} // namespace vantero::audiogen
