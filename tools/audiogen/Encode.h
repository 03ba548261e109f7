#pragma once
// Ogg Vorbis in and out of memory, and the loudness measures the generator checks.

#include "tools/audiogen/Dsp.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantero::audiogen {

// Encodes at the given Vorbis quality (-0.1..1) with a fixed stream serial, so the same
// samples always give the same bytes.
std::vector<uint8_t> EncodeVorbis(const TAudio &audio, float quality);

// Decodes an Ogg Vorbis file in memory; EGameError when it is not one.
TAudio DecodeVorbis(const std::vector<uint8_t> &bytes);

struct TLoudness {
	double Seconds = 0;
	double PeakDb = -200;  // sample peak, dBFS
	double RmsDb = -200;   // RMS over the active part (50 ms windows within 30 dB of the loudest), dBFS
	double BrightnessHz = 0; // zero-crossing estimate of the dominant frequency over the active part
};

TLoudness MeasureLoudness(const TAudio &audio);

// Scales to the target active RMS, lowering the gain where the peak would pass peakDb.
void NormalizeLoudness(TAudio &audio, double targetRmsDb, double peakDb);

} // namespace vantero::audiogen
