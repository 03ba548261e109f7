// Effects of the building site, the menus and the celebrations: stone, workers, buttons,
// the gong and the fireworks.

#include "tools/audiogen/EffectKit.h"
#include "tools/audiogen/Recipes.h"

#include <cmath>

namespace vantero::audiogen {

namespace {

// A stone impact: a short low body, a gritty noise crack and a few pebbles after it.
void AddStoneHit(std::vector<float> &b, double start, double weight, uint64_t seed)
{
	TNoise noise(seed);
	AddPartial(b, start, {110 / weight + 40, 55 / weight + 25, 0.04, 0.8, 0.002, 0.07 * weight, 0.5});
	AddNoiseBurst(b, start, noise, 2200, 400, 0.8, 0.7, 0.001, 0.035 * weight, 0.3);
	for (int i = 0; i < 5; ++i) {
		const double t = start + 0.03 + 0.18 * noise.Uniform();
		AddNoiseBurst(b, t, noise, 3500, 2500, 2.0, 0.12 * noise.Uniform(), 0.0005, 0.006, 0.03);
	}
}

} // namespace

TAudio MakeCubeAppear(const TRecipeContext &)
{
	std::vector<float> b;
	AddStoneHit(b, 0, 1.0, 31);
	AddPartial(b, 0, {392, 0, 0.1, 0.1, 0.005, 0.1, 0.3});
	return FinishInRoom(b, 0.2, 0.9, 0.4, 0.08);
}

TAudio MakeCubeFallOnConveyor(const TRecipeContext &)
{
	// Heavier: the stone lands on the wooden belt, which rattles after it.
	std::vector<float> b;
	AddStoneHit(b, 0, 1.4, 32);
	TNoise noise(33);
	for (int i = 0; i < 6; ++i)
		AddPartial(b, 0.05 + i * 0.035, {260 + 20.0 * (i % 2), 0, 0.1, 0.18 * std::exp(-i * 0.4), 0.001, 0.02, 0.08});
	AddNoiseBurst(b, 0.04, noise, 900, 600, 1.2, 0.2, 0.005, 0.08, 0.3);
	return FinishInRoom(b, 0.2, 0.9, 0.4, 0.08);
}

TAudio MakeCubeFall(const TRecipeContext &)
{
	// The stone tips off the belt: a drop, the thud and a small tumble.
	std::vector<float> b;
	AddStoneHit(b, 0.06, 1.6, 34);
	AddStoneHit(b, 0.28, 0.8, 35);
	TNoise noise(36);
	AddNoiseBurst(b, 0, noise, 1500, 3000, 1.0, 0.08, 0.04, 0.03, 0.08);
	return FinishInRoom(b, 0.25, 1.0, 0.5, 0.1);
}

TAudio MakeDraggingBlock(const TRecipeContext &)
{
	// Stone scraping over sand in a few pulls, rough and low, fading in and out.
	TNoise noise(37);
	TStateVariable filter;
	TOnePole rumble;
	std::vector<float> b = Synthesise(1.8, [&](double t) {
		const double pull = 0.55 + 0.45 * std::sin(2 * Pi * 1.7 * t - Pi / 2);
		const double grain = noise.Uniform() < 0.02 ? noise.White() : 0;
		filter.Step(noise.White() + grain * 3, 700 + 500 * pull, 1.2);
		const double low = rumble.Step(noise.White(), 120);
		return AttackHoldRelease(t, 0.15, 1.35, 0.3) * pull * (0.5 * filter.Band + 1.5 * low);
	});
	return Finish(b, 0.05);
}

TAudio MakeWorkerExplode(const TRecipeContext &)
{
	// A comic "poof": a puff of air that falls in pitch, with a little pop at the start.
	std::vector<float> b;
	TNoise noise(38);
	AddNoiseBurst(b, 0, noise, 2500, 300, 2.5, 0.8, 0.004, 0.12, 0.5);
	AddPartial(b, 0, {700, 180, 0.05, 0.35, 0.001, 0.06, 0.3});
	AddPartial(b, 0.0, {1400, 0, 0.1, 0.15, 0.0005, 0.01, 0.05});
	return FinishInRoom(b, 0.25, 0.9, 0.4, 0.08);
}

TAudio MakeLifeUp(const TRecipeContext &)
{
	// A cheerful rising arpeggio of soft square-ish notes, crowned with a bell.
	std::vector<float> b;
	const int keys[] = {72, 76, 79, 84};
	for (int n = 0; n < 4; ++n) {
		const double f = NoteHz(keys[n]);
		for (int h = 1; h <= 7; h += 2)
			AddPartial(b, n * 0.08, {f * h, 0, 0.1, 0.3 / h, 0.003, 0.12, 0.5});
	}
	AddFmBell(b, 0.32, NoteHz(96), 0.35, 0.35, 3.0, 1.5, 1.2);
	AddFmBell(b, 0.32, NoteHz(84), 0.35, 0.45, 2.0, 1.0, 1.2);
	return FinishInRoom(b, 0.35, 1.0, 0.6, 0.15);
}

TAudio MakeMenuItem(const TRecipeContext &)
{
	// Hovering a menu button: a tiny soft blip.
	std::vector<float> b;
	AddPartial(b, 0, {1046, 1175, 0.01, 0.5, 0.003, 0.035, 0.15});
	AddPartial(b, 0, {2093, 0, 0.1, 0.12, 0.002, 0.02, 0.1});
	return FinishInRoom(b, 0.2, 0.8, 0.2, 0.03);
}

TAudio MakeButtonPress(const TRecipeContext &)
{
	// A rounded wooden click with a short tone.
	std::vector<float> b;
	AddPartial(b, 0, {880, 660, 0.01, 0.55, 0.001, 0.04, 0.2});
	AddPartial(b, 0, {1760, 0, 0.1, 0.15, 0.001, 0.02, 0.1});
	TNoise noise(39);
	AddNoiseBurst(b, 0, noise, 3000, 1500, 2.0, 0.3, 0.0005, 0.006, 0.03);
	return FinishInRoom(b, 0.15, 0.8, 0.2, 0.03);
}

TAudio MakeButtonRelease(const TRecipeContext &)
{
	std::vector<float> b;
	AddPartial(b, 0, {1175, 1318, 0.01, 0.45, 0.001, 0.03, 0.15});
	TNoise noise(40);
	AddNoiseBurst(b, 0, noise, 4000, 2500, 2.0, 0.2, 0.0005, 0.005, 0.03);
	return FinishInRoom(b, 0.15, 0.8, 0.2, 0.03);
}

TAudio MakeGong(const TRecipeContext &)
{
	// A large bronze gong: inharmonic partials that bloom and beat slowly, a soft mallet.
	std::vector<float> b;
	const double base = 98;
	const double ratios[] = {1.0, 1.52, 2.0, 2.42, 2.8, 3.3, 3.9, 4.6, 5.4, 6.3};
	for (int i = 0; i < 10; ++i) {
		const double amp = 0.5 / (1 + 0.45 * i);
		const double decay = 2.6 / (1 + 0.25 * i);
		AddPartial(b, 0, {base * ratios[i], 0, 0.1, amp, 0.01 + 0.02 * i, decay, 4.5});
		AddPartial(b, 0, {base * ratios[i] * 1.004, 0, 0.1, amp * 0.6, 0.02 + 0.03 * i, decay, 4.5});
	}
	TNoise noise(41);
	AddNoiseBurst(b, 0, noise, 600, 300, 1.0, 0.4, 0.002, 0.04, 0.2);
	AddNoiseBurst(b, 0.05, noise, 3000, 5000, 3.0, 0.06, 0.3, 0.8, 3.0);
	return FinishInRoom(b, 0.35, 1.3, 1.5, 0.6);
}

TAudio MakeFirework(const TRecipeContext &)
{
	// A burst in the sky: a soft bang, then a crackling rain of sparks that thins out.
	std::vector<float> b;
	AddPartial(b, 0, {90, 40, 0.06, 0.7, 0.002, 0.12, 0.6});
	TNoise noise(42);
	AddNoiseBurst(b, 0, noise, 2500, 300, 0.8, 0.8, 0.002, 0.09, 0.5);
	for (int i = 0; i < 70; ++i) {
		const double x = noise.Uniform();
		const double t = 0.12 + 1.1 * x * x;
		const double amp = 0.25 * (1.0 - 0.7 * x) * (0.4 + 0.6 * noise.Uniform());
		AddNoiseBurst(b, t, noise, 6000, 4000, 2.0, amp, 0.0003, 0.004, 0.02);
	}
	return FinishInRoom(b, 0.4, 1.3, 1.0, 0.2);
}

} // namespace vantero::audiogen
