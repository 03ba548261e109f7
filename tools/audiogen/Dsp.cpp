#include "tools/audiogen/Dsp.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vantero::audiogen {

size_t Frames(double seconds)
{
	return seconds <= 0 ? 0 : static_cast<size_t>(seconds * SampleRate);
}

double TNoise::Uniform()
{
	State ^= State << 13;
	State ^= State >> 7;
	State ^= State << 17;
	return static_cast<double>(State >> 11) * (1.0 / 9007199254740992.0);
}

double AttackDecay(double t, double attack, double decay)
{
	if (t < 0)
		return 0;
	if (t < attack)
		return t / attack;
	return std::exp(-(t - attack) / decay);
}

double AttackHoldRelease(double t, double attack, double hold, double release)
{
	if (t < 0)
		return 0;
	if (t < attack)
		return t / attack;
	t -= attack;
	if (t < hold)
		return 1;
	t -= hold;
	if (t >= release)
		return 0;
	return 0.5 + 0.5 * std::cos(Pi * t / release);
}

double TStateVariable::Step(double input, double cutoffHz, double q)
{
	const double f = 2.0 * std::sin(Pi * std::min(cutoffHz, SampleRate / 6.0) / SampleRate);
	const double damp = 1.0 / std::max(q, 0.5);
	Lp += f * Bp;
	const double hp = input - Lp - damp * Bp;
	Bp += f * hp;
	Low = Lp;
	Band = Bp;
	High = hp;
	return Lp;
}

double TOnePole::Step(double input, double cutoffHz)
{
	const double a = 1.0 - std::exp(-2.0 * Pi * cutoffHz / SampleRate);
	State += a * (input - State);
	return State;
}

static void EnsureLength(std::vector<float> &buffer, size_t frames)
{
	if (buffer.size() < frames)
		buffer.resize(frames, 0.0f);
}

void AddPartial(std::vector<float> &buffer, double start, const TPartial &p)
{
	const size_t first = Frames(start);
	const size_t count = Frames(p.Length);
	EnsureLength(buffer, first + count);
	double phase = 0;
	for (size_t i = 0; i < count; ++i) {
		const double t = static_cast<double>(i) / SampleRate;
		double freq = p.Freq;
		if (p.EndFreq > 0)
			freq = p.EndFreq + (p.Freq - p.EndFreq) * std::exp(-t / p.Glide);
		phase += 2.0 * Pi * freq / SampleRate;
		buffer[first + i] += static_cast<float>(p.Amp * AttackDecay(t, p.Attack, p.Decay) * std::sin(phase));
	}
}

void AddFmBell(std::vector<float> &buffer, double start, double freq, double amp, double decay, double ratio,
               double index, double length)
{
	const size_t first = Frames(start);
	const size_t count = Frames(length);
	EnsureLength(buffer, first + count);
	double carrier = 0, modulator = 0;
	for (size_t i = 0; i < count; ++i) {
		const double t = static_cast<double>(i) / SampleRate;
		const double env = AttackDecay(t, 0.002, decay);
		const double modEnv = AttackDecay(t, 0.001, decay * 0.35);
		modulator += 2.0 * Pi * freq * ratio / SampleRate;
		carrier += 2.0 * Pi * freq / SampleRate;
		buffer[first + i] += static_cast<float>(amp * env * std::sin(carrier + index * modEnv * std::sin(modulator)));
	}
}

void AddNoiseBurst(std::vector<float> &buffer, double start, TNoise &noise, double startHz, double endHz, double q,
                   double amp, double attack, double decay, double length)
{
	const size_t first = Frames(start);
	const size_t count = Frames(length);
	EnsureLength(buffer, first + count);
	TStateVariable filter;
	for (size_t i = 0; i < count; ++i) {
		const double t = static_cast<double>(i) / SampleRate;
		const double x = static_cast<double>(i) / static_cast<double>(count);
		const double cutoff = startHz * std::pow(endHz / startHz, x);
		filter.Step(noise.White(), cutoff, q);
		buffer[first + i] += static_cast<float>(amp * AttackDecay(t, attack, decay) * filter.Band);
	}
}

void AddRoom(std::vector<float> &buffer, double wet, double roomSize, double tail)
{
	const size_t dryFrames = buffer.size();
	buffer.resize(dryFrames + Frames(tail), 0.0f);
	static constexpr std::array<int, 4> combLengths = {1557, 1617, 1491, 1422};
	static constexpr std::array<int, 2> allPassLengths = {225, 556};
	std::vector<std::vector<float>> combs;
	for (const int length : combLengths)
		combs.emplace_back(static_cast<size_t>(length * roomSize) + 1, 0.0f);
	std::vector<std::vector<float>> allPasses;
	for (const int length : allPassLengths)
		allPasses.emplace_back(static_cast<size_t>(length), 0.0f);
	std::array<size_t, 4> combPos{};
	std::array<size_t, 2> allPassPos{};
	std::array<double, 4> damped{};
	const double feedback = 0.78;
	for (size_t i = 0; i < buffer.size(); ++i) {
		const double input = buffer[i] * 0.2;
		double out = 0;
		for (size_t c = 0; c < combs.size(); ++c) {
			float &slot = combs[c][combPos[c]];
			damped[c] = slot * 0.7 + damped[c] * 0.3;
			out += slot;
			slot = static_cast<float>(input + damped[c] * feedback);
			combPos[c] = (combPos[c] + 1) % combs[c].size();
		}
		for (size_t a = 0; a < allPasses.size(); ++a) {
			float &slot = allPasses[a][allPassPos[a]];
			const double delayed = slot;
			slot = static_cast<float>(out + delayed * 0.5);
			out = delayed - out;
			allPassPos[a] = (allPassPos[a] + 1) % allPasses[a].size();
		}
		buffer[i] += static_cast<float>(wet * out);
	}
}

void FinishEffect(std::vector<float> &buffer, double fadeOut)
{
	const size_t fade = std::min(buffer.size(), Frames(fadeOut));
	for (size_t i = 0; i < fade; ++i) {
		const double x = static_cast<double>(i) / static_cast<double>(fade);
		buffer[buffer.size() - fade + i] *= static_cast<float>(0.5 + 0.5 * std::cos(Pi * x));
	}
	float peak = 0;
	for (const float s : buffer)
		peak = std::max(peak, std::abs(s));
	const float floor = peak * 1e-4f;
	size_t end = buffer.size();
	while (end > 0 && std::abs(buffer[end - 1]) <= floor)
		--end;
	buffer.resize(std::min(buffer.size(), end + 64));
}

void NormalizePeak(std::vector<float> &buffer, double peak)
{
	float current = 0;
	for (const float s : buffer)
		current = std::max(current, std::abs(s));
	if (current <= 0)
		return;
	const float gain = static_cast<float>(peak / current);
	for (float &s : buffer)
		s *= gain;
}

} // namespace vantero::audiogen
