#pragma once
// A piece of music as note events on General MIDI channels, rendered offline through FluidSynth.

#include "tools/audiogen/Dsp.h"

#include <string>
#include <vector>

namespace vantero::audiogen {

// One note: start and length in beats, on a MIDI channel (9 is the percussion kit).
struct TNote {
	double Beat = 0;
	double Length = 1;
	int Channel = 0;
	int Key = 60;
	int Velocity = 90;
};

// A controller change at a beat (expression swells, modulation).
struct TControl {
	double Beat = 0;
	int Channel = 0;
	int Controller = 11;
	int Value = 127;
};

// The instrument and mix of one channel.
struct TChannelSetup {
	int Channel = 0;
	int Program = 0; // General MIDI program, 0-based
	int Volume = 100;
	int Pan = 64;
	int Reverb = 40;
	int Chorus = 0;
};

struct TScore {
	double Tempo = 100;       // quarter notes per minute
	double LengthBeats = 0;   // length of the piece (the loop length when Loop)
	bool Loop = true;         // fold the tail past the end into the beginning
	double Tail = 4;          // seconds rendered past the end
	double ReverbRoom = 0.6;  // FluidSynth reverb room size 0..1
	double ReverbLevel = 0.6; // reverb output level 0..1
	std::vector<TChannelSetup> Channels;
	std::vector<TNote> Notes;
	std::vector<TControl> Controls;

	// Adds a note.
	void Add(int channel, double beat, double length, int key, int velocity)
	{
		Notes.push_back({beat, length, channel, key, velocity});
	}
	// Seconds per beat.
	double BeatSeconds() const { return 60.0 / Tempo; }
};

// Renders the score to stereo through the soundfont; EGameError when the soundfont cannot be loaded.
// A looping score comes back exactly LengthBeats long with its tail added into the start.
TAudio RenderScore(const TScore &score, const std::string &soundFont);

} // namespace vantero::audiogen
