#pragma once
// Small helpers shared by the effect recipes: note pitches, per-sample synthesis into a fresh
// buffer, and the common ending of an effect (room, fade, mono result).

#include "tools/audiogen/Dsp.h"

#include <cmath>
#include <utility>
#include <vector>

namespace vantero::audiogen {

// Wraps a finished mono buffer as a sound.
inline TAudio Mono(std::vector<float> samples)
{
	TAudio audio;
	audio.Channels = 1;
	audio.Samples = std::move(samples);
	return audio;
}

// Frequency of a MIDI key (69: A 440 Hz).
inline double NoteHz(int key)
{
	return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

// A buffer of the given length whose every sample is sample(t), t in seconds, called in order.
template <typename TSample>
std::vector<float> Synthesise(double seconds, TSample &&sample)
{
	std::vector<float> b(Frames(seconds), 0.0f);
	for (size_t i = 0; i < b.size(); ++i)
		b[i] = static_cast<float>(sample(static_cast<double>(i) / SampleRate));
	return b;
}

// Fades and trims the buffer, and returns it as a mono sound.
inline TAudio Finish(std::vector<float> &b, double fadeOut)
{
	FinishEffect(b, fadeOut);
	return Mono(std::move(b));
}

// Mixes in the small room, then fades, trims and returns the buffer as a mono sound.
inline TAudio FinishInRoom(std::vector<float> &b, double wet, double roomSize, double tail, double fadeOut)
{
	AddRoom(b, wet, roomSize, tail);
	return Finish(b, fadeOut);
}

} // namespace vantero::audiogen
