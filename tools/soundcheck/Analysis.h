#pragma once
// Checks a recording of the sound engine's output: every sound audible at the level its volume
// rules give, silence wherever nothing plays, and music that loops without a click and keeps
// playing past its own length.

#include "tools/soundcheck/Recording.h"

#include <cstddef>
#include <string>
#include <vector>

namespace vantero::soundcheck {

// Where the verdicts draw their lines.
struct TCheckLimits {
	int SilenceLsb = 2;             // a sample louder than this (of 32768) is not silence
	double AudibleDb = -60.0;       // a sound whose recorded peak stays below this recorded silence
	double LevelToleranceDb = 1.5;  // recorded peak against file peak x engine gain
	double ClickFactor = 2.0;       // a seam step this many times the largest step around it clicks
	double SeamNeighbourSeconds = 0.05; // the music around the loop point the seam is compared with
	size_t StartSlack = 4096;       // frames the mixer may lag the recorded position at a start or stop
};

// The verdict on one played sound.
struct TSoundCheck {
	std::string Name;
	bool IsMusic = false;
	bool Loaded = false;
	double Seconds = 0;              // the file's length
	bool Audible = false;
	size_t Onset = 0;                // first audible recorded frame
	double PeakDb = -200, RmsDb = -200; // over the file's length from the onset, dBFS
	double ExpectedPeakDb = -200;    // file peak x channel gain
	int NoiseLsb = 0;                // loudest sample after the sound ended or was stopped, until the next one
	// Music only.
	size_t LoopFrames = 0;           // the file's length in recorded frames
	size_t PeriodFrames = 0;         // the period the recording repeats with (0: it does not)
	int SeamStep = 0;                // largest sample step across the loop point
	int NeighbourStep = 0;           // largest sample step of the music around it
	bool PlayingPastLoop = false;
	double SecondPassRmsDb = -200;   // the second pass against the same stretch of the first
	double FirstPassRmsDb = -200;
	std::vector<std::string> Problems; // empty when the sound passed
};

struct TCheckReport {
	int LeadInLsb = 0;               // loudest sample before the first sound
	std::vector<TSoundCheck> Sounds;
	std::vector<std::string> Problems; // problems of the run as a whole
	bool Ok() const;
};

// Judges every captured sound against the recording.
TCheckReport CheckCapture(const TRecording &recording, const TCapture &capture, const TCheckLimits &limits = {});

// Decibels of full scale for a sample magnitude (of 32768); -200 for 0.
double SampleDb(double magnitude);

} // namespace vantero::soundcheck
