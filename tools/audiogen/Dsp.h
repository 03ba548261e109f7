#pragma once
// Building blocks of the synthesised effects: a mono buffer, a fixed-seed noise source,
// envelopes, oscillators, filters and a small room reverb.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantero::audiogen {

constexpr int SampleRate = 44100;
constexpr double Pi = 3.14159265358979323846;

// Rendered sound: interleaved float samples in [-1, 1].
struct TAudio {
	int Channels = 1;
	std::vector<float> Samples;
	// Frames (samples per channel).
	std::size_t Frames() const { return Channels > 0 ? Samples.size() / Channels : 0; }
};

// Seconds to frames, rounded down.
std::size_t Frames(double seconds);

// Small fixed-seed generator (xorshift), the same on every platform.
class TNoise {
public:
	explicit TNoise(uint64_t seed) : State(seed * 2654435761u + 0x9E3779B97F4A7C15ull) {}
	// Uniform in [0, 1).
	double Uniform();
	// Uniform in [-1, 1).
	double White() { return Uniform() * 2.0 - 1.0; }
	// Uniform integer in [0, n).
	int Below(int n) { return static_cast<int>(Uniform() * n); }

private:
	uint64_t State; // generator state, never zero
};

// Attack-decay envelope: linear rise over attack, exponential fall with the given time constant.
double AttackDecay(double t, double attack, double decay);
// Attack-hold-release envelope: linear rise, flat, then cosine fall to 0 at attack+hold+release.
double AttackHoldRelease(double t, double attack, double hold, double release);

// One resonant state-variable filter (Chamberlin), cutoff and resonance settable per sample.
class TStateVariable {
public:
	// Advances by one sample; returns the low-pass output and keeps band and high outputs.
	double Step(double input, double cutoffHz, double q);
	double Low = 0, Band = 0, High = 0; // outputs of the last step

private:
	double Lp = 0, Bp = 0; // filter state
};

// One-pole low-pass.
class TOnePole {
public:
	double Step(double input, double cutoffHz);

private:
	double State = 0; // last output
};

// A decaying sine partial with optional pitch glide, added into a buffer from a start time.
struct TPartial {
	double Freq = 440;      // start frequency (Hz)
	double EndFreq = 0;     // frequency reached at the end of the glide (0: no glide)
	double Glide = 0.1;     // glide time constant (s)
	double Amp = 1;         // peak amplitude
	double Attack = 0.002;  // attack (s)
	double Decay = 0.2;     // exponential decay constant (s)
	double Length = 1;      // how long to render (s)
};
void AddPartial(std::vector<float> &buffer, double start, const TPartial &partial);

// A two-operator FM bell (ratio and index decaying with the envelope), added from a start time.
void AddFmBell(std::vector<float> &buffer, double start, double freq, double amp, double decay,
               double ratio, double index, double length);

// Adds filtered noise: a band-pass sweep from startHz to endHz with the envelope attack/decay.
void AddNoiseBurst(std::vector<float> &buffer, double start, TNoise &noise, double startHz, double endHz,
                   double q, double amp, double attack, double decay, double length);

// Small Schroeder room (four combs, two all-passes) mixed in at wet; extends the buffer by tail seconds.
void AddRoom(std::vector<float> &buffer, double wet, double roomSize, double tail);

// Fades the last seconds to silence and trims trailing silence below -80 dB.
void FinishEffect(std::vector<float> &buffer, double fadeOut);

// Scales to the given peak.
void NormalizePeak(std::vector<float> &buffer, double peak);

} // namespace vantero::audiogen
