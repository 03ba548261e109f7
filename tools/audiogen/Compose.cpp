#include "tools/audiogen/Compose.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vantero::audiogen {

namespace {

// Channels used by the composer.
constexpr int MelodyChannel = 0, AltChannel = 1, PadChannel = 2, AccompChannel = 3, BassChannel = 4;

struct TThemeNote {
	double Beat; // within the section
	double Length;
	int Degree;
};

int FloorDiv(int a, int b)
{
	return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Nearest degree to `from` that is a tone of the chord on `root` (root, third, fifth).
int NearestChordTone(const TStyle &style, int from, int root)
{
	const int n = static_cast<int>(style.Mode.size());
	int best = from;
	int bestDistance = 1000;
	for (int d = from - n; d <= from + n; ++d) {
		const int rel = ((d - root) % n + n) % n;
		if (rel != 0 && rel != 2 && rel != 4)
			continue;
		const int distance = std::abs(DegreeKey(style, d) - DegreeKey(style, from));
		if (distance < bestDistance) {
			bestDistance = distance;
			best = d;
		}
	}
	return best;
}

// One eight-bar theme over a progression: phrase a (bars 0-1), b (2-3), a again on the new
// chords (4-5) and a cadence to the tonic (6-7).
std::vector<TThemeNote> MakeTheme(const TStyle &style, const std::vector<int> &progression, TNoise &rng, int centre)
{
	const int n = static_cast<int>(style.Mode.size());
	std::vector<int> cells(8);
	cells[0] = rng.Below(static_cast<int>(style.Rhythms.size()));
	cells[1] = rng.Below(static_cast<int>(style.Rhythms.size()));
	cells[2] = rng.Below(static_cast<int>(style.Rhythms.size()));
	cells[3] = rng.Below(static_cast<int>(style.Rhythms.size()));
	cells[4] = cells[0];
	cells[5] = cells[1];
	cells[6] = cells[2];
	std::vector<TThemeNote> theme;
	int degree = centre;
	std::vector<int> contour; // the steps of phrase a, reused in bars 4-5
	size_t contourIndex = 0;
	for (int bar = 0; bar < 8; ++bar) {
		const int chord = progression[static_cast<size_t>(bar) % progression.size()];
		double beat = bar * style.BarBeats;
		if (bar == 7) {
			// Cadence: land on the tonic with a long note.
			const int tonic = static_cast<int>(std::lround(static_cast<double>(degree) / n)) * n;
			theme.push_back({beat, style.BarBeats * 0.75, tonic});
			degree = tonic;
			continue;
		}
		const std::vector<double> &cell = style.Rhythms[static_cast<size_t>(cells[static_cast<size_t>(bar)])];
		for (size_t i = 0; i < cell.size(); ++i) {
			int next;
			if (i == 0) {
				next = NearestChordTone(style, degree, chord);
			} else if ((bar == 4 || bar == 5) && contourIndex < contour.size()) {
				next = degree + contour[contourIndex++];
			} else {
				// Arch-shaped phrases: up through the first bar of each pair, down through the second.
				static constexpr int sizes[] = {1, 1, 1, 2, 2, 3};
				const int direction = (bar % 2 == 0) ? 1 : -1;
				int step = sizes[rng.Below(6)] * (rng.Below(4) == 0 ? -direction : direction);
				if (degree + step > centre + 5 || degree + step < centre - 4)
					step = -step;
				next = degree + step;
				if (bar < 2)
					contour.push_back(step);
			}
			degree = next;
			if (cell[i] > 0)
				theme.push_back({beat, cell[i] * 0.92, degree});
			beat += std::abs(cell[i]);
		}
	}
	return theme;
}

void PlayTheme(TScore &score, const TStyle &style, const std::vector<TThemeNote> &theme, double start, int channel,
               int octaveShift, int velocity, bool ornaments, TNoise &rng)
{
	const int n = static_cast<int>(style.Mode.size());
	for (const TThemeNote &note : theme) {
		const int key = DegreeKey(style, note.Degree + octaveShift * n);
		const int accent = std::fmod(note.Beat, style.BarBeats) == 0 ? 12 : 0;
		const int vel = velocity + accent - 6 + rng.Below(10);
		if (ornaments && note.Length >= 1.0 && rng.Below(3) == 0) {
			score.Add(channel, start + note.Beat, 0.12, DegreeKey(style, note.Degree + 1 + octaveShift * n), vel - 15);
			score.Add(channel, start + note.Beat + 0.12, note.Length - 0.12, key, vel);
		} else {
			score.Add(channel, start + note.Beat, note.Length, key, vel);
		}
	}
}

void PlayHarmony(TScore &score, const TStyle &style, int chord, double barStart, bool light, TNoise &rng)
{
	const int n = static_cast<int>(style.Mode.size());
	const int padDegrees[] = {chord - n, chord - n + 2, chord - n + 4};
	for (const int d : padDegrees)
		score.Add(PadChannel, barStart, style.BarBeats - 0.05, DegreeKey(style, d), light ? 50 : 62);

	const int tones[] = {chord - n, chord - n + 2, chord - n + 4, chord, chord - n + 4, chord - n + 2};
	const int steps = static_cast<int>(std::lround(style.BarBeats / style.AccompStep));
	for (int i = 0; i < steps; ++i) {
		const double beat = barStart + i * style.AccompStep;
		const int vel = (i == 0 ? 78 : 62) + rng.Below(8) - (light ? 12 : 0);
		switch (style.Accompaniment) {
		case TAccompaniment::Arpeggio:
			score.Add(AccompChannel, beat, style.AccompStep * 1.8, DegreeKey(style, tones[i % 6]), vel);
			break;
		case TAccompaniment::Block:
			if (i % 2 == 0)
				for (int t = 0; t < 3; ++t)
					score.Add(AccompChannel, beat, style.AccompStep * 0.9, DegreeKey(style, tones[t]), vel - 8);
			break;
		case TAccompaniment::Drone:
			score.Add(AccompChannel, beat, style.AccompStep * 0.9,
			          DegreeKey(style, (i % 4 == 3) ? 4 - n : (i % 2 ? chord - n + 4 : -n)), vel);
			break;
		case TAccompaniment::Offbeat:
			if (i % 2 == 1)
				for (int t = 0; t < 3; ++t)
					score.Add(AccompChannel, beat, style.AccompStep * 0.8, DegreeKey(style, tones[t]), vel - 5);
			break;
		}
	}
	for (const TBassStep &step : style.Bass)
		if (step.Beat < style.BarBeats)
			score.Add(BassChannel, barStart + step.Beat, std::min(step.Length, style.BarBeats - step.Beat) * 0.95,
			          DegreeKey(style, chord + step.Degree - 2 * n), light ? 70 : 85);
}

void PlayDrums(TScore &score, const TStyle &style, char section, double barStart, int barIndex, TNoise &rng)
{
	for (const TDrumLine &line : style.Drums) {
		if (line.Sections.find(section) == std::string::npos)
			continue;
		for (size_t i = 0; i < line.Pattern.size(); ++i) {
			const char c = line.Pattern[i];
			if (c == '.')
				continue;
			const double beat = barStart + static_cast<double>(i) * 0.25;
			if (beat - barStart >= style.BarBeats)
				break;
			int vel = (c == 'x' ? line.Velocity : line.Velocity * 2 / 3) + rng.Below(8) - 4;
			if (barIndex % 4 == 3 && c == 'o')
				vel += 8; // lift into the next phrase
			score.Add(line.Channel, beat, 0.2, line.Key, vel);
		}
	}
}

} // namespace

int DegreeKey(const TStyle &style, int degree)
{
	const int n = static_cast<int>(style.Mode.size());
	const int octave = FloorDiv(degree, n);
	return style.Root + 12 * octave + style.Mode[static_cast<size_t>(degree - octave * n)];
}

TScore ComposeTrack(const TStyle &style)
{
	TNoise rng(style.Seed);
	TScore score;
	score.Tempo = style.Tempo;
	score.ReverbRoom = style.ReverbRoom;
	score.ReverbLevel = style.ReverbLevel;
	score.Channels = {
		{MelodyChannel, style.MelodyProgram, style.MelodyVolume, 60, 50, 10},
		{AltChannel, style.MelodyAltProgram, style.MelodyVolume, 70, 55, 10},
		{PadChannel, style.PadProgram, style.PadVolume, 54, 70, 40},
		{AccompChannel, style.AccompProgram, style.AccompVolume, 78, 50, 0},
		{BassChannel, style.BassProgram, style.BassVolume, 64, 25, 0},
		{9, 0, 90, 64, 35, 0},
	};
	for (const TDrumLine &line : style.Drums)
		if (line.Channel != 9 && line.Channel > BassChannel)
			score.Channels.push_back({line.Channel, line.Program, 95, line.Channel % 2 ? 44 : 84, 40, 0});

	const int n = static_cast<int>(style.Mode.size());
	const int centre = style.MelodyOctave * n + 2;
	const std::vector<TThemeNote> themeA = MakeTheme(style, style.ProgressionA, rng, centre);
	const std::vector<TThemeNote> themeB = MakeTheme(style, style.ProgressionB, rng, centre + 2);

	double beat = 0;
	int bar = 0;
	int repeatsOfA = 0;
	for (const char section : style.Form) {
		const int bars = section == 'I' ? 2 : 8;
		const std::vector<int> &progression = section == 'B' ? style.ProgressionB : style.ProgressionA;
		for (int i = 0; i < bars; ++i) {
			const double barStart = beat + i * style.BarBeats;
			const int chord = section == 'I' ? 0 : progression[static_cast<size_t>(i) % progression.size()];
			PlayHarmony(score, style, chord, barStart, section == 'I', rng);
			PlayDrums(score, style, section, barStart, bar + i, rng);
		}
		if (section == 'A') {
			const bool repeat = repeatsOfA % 2 == 1;
			PlayTheme(score, style, themeA, beat, repeat ? AltChannel : MelodyChannel, 0, 92,
			          repeat && style.Ornaments, rng);
			++repeatsOfA;
		} else if (section == 'B') {
			PlayTheme(score, style, themeB, beat, AltChannel, 0, 88, style.Ornaments, rng);
		}
		beat += bars * style.BarBeats;
		bar += bars;
	}
	// Every note must end before the loop point.
	for (TNote &note : score.Notes)
		note.Length = std::min(note.Length, beat - 0.02 - note.Beat);
	score.LengthBeats = beat;
	score.Loop = true;
	score.Tail = 5;
	return score;
}

} // namespace vantero::audiogen
