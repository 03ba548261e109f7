// The board's effects, synthesised: selection, landings, combinations, bonuses and hints.

#include "tools/audiogen/EffectKit.h"
#include "tools/audiogen/Recipes.h"

#include <cmath>

namespace vantero::audiogen {

namespace {

// A soft glassy chime: a sine with a faint octave and an FM shimmer.
void AddChime(std::vector<float> &b, double start, int key, double amp, double decay)
{
	const double f = NoteHz(key);
	AddFmBell(b, start, f, amp * 0.7, decay, 3.5, 1.2, decay * 6);
	AddPartial(b, start, {f * 2.0, 0, 0.1, amp * 0.25, 0.002, decay * 0.5, decay * 4});
	AddPartial(b, start, {f, 0, 0.1, amp * 0.35, 0.003, decay * 1.2, decay * 6});
}

// Scattered tiny high pings that make a sound sparkle.
void AddSparkles(std::vector<float> &b, double start, double span, int count, int lowKey, int highKey, double amp,
                 uint64_t seed)
{
	TNoise rng(seed);
	for (int i = 0; i < count; ++i) {
		const double t = start + span * rng.Uniform();
		const int key = lowKey + rng.Below(highKey - lowKey + 1);
		AddPartial(b, t, {NoteHz(key), 0, 0.1, amp * (0.5 + 0.5 * rng.Uniform()), 0.001, 0.05, 0.4});
	}
}

// A rising combination chord: the more gems, the more notes, the higher and the brighter.
TAudio Combination(int notes, int baseKey, double brightness, uint64_t seed)
{
	std::vector<float> b;
	static const int steps[] = {0, 4, 7, 12, 16, 19, 24};
	for (int i = 0; i < notes; ++i)
		AddChime(b, i * 0.045, baseKey + steps[i], 0.5, 0.16 + 0.02 * i);
	TNoise noise(seed);
	AddNoiseBurst(b, 0, noise, 5000, 9000 + 3000 * brightness, 2.0, 0.12 * brightness, 0.005, 0.08, 0.4);
	AddSparkles(b, 0.03, 0.25 + 0.05 * notes, 4 + 3 * notes, baseKey + 24, baseKey + 36, 0.12 * brightness, seed + 1);
	return FinishInRoom(b, 0.35, 1.0, 0.6, 0.1);
}

} // namespace

TAudio MakeGemSelect(const TRecipeContext &)
{
	// A light wooden "tick" with a bright blip on top.
	std::vector<float> b;
	AddPartial(b, 0, {1568, 1318, 0.02, 0.5, 0.001, 0.04, 0.2});
	AddPartial(b, 0, {3136, 0, 0.1, 0.15, 0.001, 0.02, 0.1});
	AddPartial(b, 0, {784, 0, 0.1, 0.25, 0.001, 0.05, 0.2});
	TNoise noise(11);
	AddNoiseBurst(b, 0, noise, 4000, 2500, 3.0, 0.25, 0.0005, 0.008, 0.05);
	return FinishInRoom(b, 0.2, 0.8, 0.2, 0.03);
}

TAudio MakeGemFall(const TRecipeContext &)
{
	// A small, soft landing knock: many play together, so it stays short and dull.
	std::vector<float> b;
	AddPartial(b, 0, {520, 380, 0.015, 0.6, 0.0008, 0.025, 0.12});
	AddPartial(b, 0, {1240, 0, 0.1, 0.15, 0.0005, 0.012, 0.06});
	TNoise noise(12);
	AddNoiseBurst(b, 0, noise, 2500, 900, 1.5, 0.3, 0.0005, 0.01, 0.05);
	return Finish(b, 0.02);
}

TAudio MakeCombination3(const TRecipeContext &)
{
	return Combination(3, 79, 0.6, 13);
}

TAudio MakeCombination4(const TRecipeContext &)
{
	return Combination(4, 81, 0.85, 14);
}

TAudio MakeCombination5(const TRecipeContext &)
{
	return Combination(6, 84, 1.2, 15);
}

TAudio MakeHint(const TRecipeContext &)
{
	// Two gentle high pings, the second a fifth above, with a breath of shimmer.
	std::vector<float> b;
	AddChime(b, 0, 88, 0.4, 0.2);
	AddChime(b, 0.12, 95, 0.3, 0.25);
	AddSparkles(b, 0.05, 0.3, 5, 96, 103, 0.06, 16);
	return FinishInRoom(b, 0.4, 1.0, 0.6, 0.1);
}

TAudio MakeBonus12Appear(const TRecipeContext &)
{
	// A magic swell: a rising FM glide that opens into a bell.
	double phase = 0, modPhase = 0;
	std::vector<float> b = Synthesise(0.3, [&](double t) {
		const double x = t / 0.3;
		const double f = 600 * std::pow(2.0, 1.6 * x);
		phase += 2 * Pi * f / SampleRate;
		modPhase += 2 * Pi * f * 2 / SampleRate;
		return 0.3 * x * std::sin(phase + 0.8 * std::sin(modPhase));
	});
	AddChime(b, 0.28, 91, 0.55, 0.25);
	AddSparkles(b, 0.1, 0.45, 10, 96, 108, 0.08, 17);
	return FinishInRoom(b, 0.35, 1.0, 0.6, 0.1);
}

TAudio MakeBonus1Explode(const TRecipeContext &)
{
	// A round, punchy blast: a falling low thump under a burst of noise.
	std::vector<float> b;
	AddPartial(b, 0, {140, 45, 0.08, 0.9, 0.002, 0.18, 0.8});
	TNoise noise(18);
	AddNoiseBurst(b, 0, noise, 3000, 250, 0.9, 0.9, 0.002, 0.12, 0.7);
	AddNoiseBurst(b, 0, noise, 7000, 3000, 1.5, 0.2, 0.001, 0.03, 0.2);
	return FinishInRoom(b, 0.3, 1.1, 0.7, 0.15);
}

TAudio MakeBonus2Explode(const TRecipeContext &)
{
	// An electric crackle: a resonant zap that sweeps down, with crackles and a short thump.
	TNoise noise(19);
	TStateVariable filter;
	double phase = 0;
	std::vector<float> b = Synthesise(0.6, [&](double t) {
		const double cutoff = 4000 * std::exp(-t / 0.15) + 300;
		filter.Step(noise.White(), cutoff, 6.0);
		phase += 2 * Pi * (900 * std::exp(-t / 0.1) + 120) / SampleRate;
		const double buzz = std::sin(phase) > 0 ? 1 : -1;
		const double crackle = noise.Uniform() < 0.004 ? noise.White() * 2 : 0;
		return AttackDecay(t, 0.002, 0.12) * (0.5 * filter.Band + 0.12 * buzz) + crackle * 0.3 * AttackDecay(t, 0.001, 0.2);
	});
	AddPartial(b, 0, {110, 50, 0.05, 0.6, 0.002, 0.12, 0.5});
	return FinishInRoom(b, 0.3, 1.0, 0.6, 0.12);
}

TAudio MakeBonus3Appear(const TRecipeContext &)
{
	// The super bonus: a shimmering major chord that blooms upward.
	std::vector<float> b;
	TNoise noise(20);
	AddNoiseBurst(b, 0, noise, 800, 8000, 2.0, 0.2, 0.25, 0.2, 0.6);
	const int chord[] = {72, 76, 79, 84, 88};
	for (int i = 0; i < 5; ++i)
		AddChime(b, 0.2 + i * 0.06, chord[i], 0.45, 0.35);
	AddSparkles(b, 0.25, 0.8, 18, 96, 110, 0.08, 21);
	return FinishInRoom(b, 0.45, 1.2, 1.0, 0.2);
}

TAudio MakeBonus3Explode(const TRecipeContext &)
{
	// The biggest blast of the game: a deep boom, a wide burst and a rain of glittering chimes.
	std::vector<float> b;
	AddPartial(b, 0, {120, 35, 0.12, 1.0, 0.003, 0.35, 1.5});
	TNoise noise(22);
	AddNoiseBurst(b, 0, noise, 5000, 150, 0.8, 1.0, 0.002, 0.25, 1.3);
	AddNoiseBurst(b, 0.05, noise, 9000, 4000, 1.2, 0.25, 0.01, 0.15, 0.6);
	const int fall[] = {96, 91, 88, 84, 79};
	for (int i = 0; i < 5; ++i)
		AddChime(b, 0.15 + i * 0.07, fall[i], 0.22, 0.3);
	AddSparkles(b, 0.1, 1.0, 25, 93, 108, 0.07, 23);
	return FinishInRoom(b, 0.35, 1.3, 1.0, 0.25);
}

} // namespace vantero::audiogen
