#include "tools/soundcheck/Analysis.h"

#include "config/UUtils.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vantero::soundcheck {

namespace {

// Frames compared when looking for the period of a looping recording.
constexpr size_t PeriodBlock = 2048;
// Frames that must repeat from a candidate loop start.
constexpr size_t SeamBlock = 1024;
// A block the period search may use must be at least this loud.
constexpr int PeriodBlockFloor = 64;

struct TStats {
	int Peak = 0;
	double Rms = 0;
};

// Peak and RMS of both channels over [from, to).
TStats Measure(const TRecording &r, size_t from, size_t to)
{
	TStats stats;
	to = std::min(to, r.Frames());
	if (from >= to)
		return stats;
	double energy = 0;
	for (size_t i = from * RecordChannels; i < to * RecordChannels; ++i) {
		const int v = r.Samples[i];
		stats.Peak = std::max(stats.Peak, std::abs(v));
		energy += static_cast<double>(v) * v;
	}
	stats.Rms = std::sqrt(energy / static_cast<double>((to - from) * RecordChannels));
	return stats;
}

int FrameMagnitude(const TRecording &r, size_t frame)
{
	return std::max(std::abs(r.At(frame, 0)), std::abs(r.At(frame, 1)));
}

// The largest step between neighbouring frames t and t+1 for t in [from, to].
int LargestStep(const TRecording &r, size_t from, size_t to)
{
	int step = 0;
	to = std::min(to, r.Frames() >= 2 ? r.Frames() - 2 : 0);
	for (size_t t = from; t <= to && r.Frames() >= 2; ++t)
		for (int c = 0; c < RecordChannels; ++c)
			step = std::max(step, std::abs(r.At(t + 1, c) - r.At(t, c)));
	return step;
}

// Whether the frames [a, a+n) and [b, b+n) agree within one step of the sample scale.
bool Repeats(const TRecording &r, size_t a, size_t b, size_t n)
{
	if (b + n > r.Frames() || a + n > r.Frames())
		return false;
	for (size_t i = 0; i < n * RecordChannels; ++i)
		if (std::abs(r.Samples[a * RecordChannels + i] - r.Samples[b * RecordChannels + i]) > 1)
			return false;
	return true;
}

// The lag near the file's length after which the recording repeats itself; 0 when none does.
size_t FindPeriod(const TRecording &r, size_t onset, size_t length, size_t end)
{
	const size_t range = std::max<size_t>(4096, length / 50);
	// A loud block in the first pass, clear of its start, that can be compared one period later.
	size_t ref = onset + std::min(length / 4, static_cast<size_t>(RecordRate / 2));
	while (ref + PeriodBlock < onset + length && Measure(r, ref, ref + PeriodBlock).Peak < PeriodBlockFloor)
		ref += PeriodBlock;
	for (size_t d = 0; d <= range; ++d)
		for (const int sign : {1, -1}) {
			if (d == 0 && sign < 0)
				continue;
			if (sign < 0 && d >= length)
				continue;
			const size_t lag = sign > 0 ? length + d : length - d;
			if (ref + lag + PeriodBlock <= end && Repeats(r, ref, ref + lag, PeriodBlock))
				return lag;
		}
	return 0;
}

void Add(TSoundCheck &check, const std::string &problem)
{
	check.Problems.push_back(problem);
}

void CheckMusic(const TRecording &r, const TCapturedSound &sound, const TCheckLimits &limits, TSoundCheck &check)
{
	if (!sound.PlayingPastLoop)
		Add(check, "stopped: not playing after its own length");
	if (check.LoopFrames == 0) {
		Add(check, "its length is unknown: the loop cannot be checked");
		return;
	}
	const size_t end = std::min(sound.StopBefore, r.Frames());
	check.PeriodFrames = FindPeriod(r, check.Onset, check.LoopFrames, end);
	if (check.PeriodFrames == 0) {
		Add(check, "does not start over after its length (no repeat found)");
		return;
	}
	if (check.PeriodFrames != check.LoopFrames)
		Add(check, Format("loops after %zu frames, the file has %zu", check.PeriodFrames, check.LoopFrames));
	const size_t period = check.PeriodFrames;

	// The loop starts where the recording begins to repeat itself; with silence at both ends of the
	// file that is a stretch from the first repeating frame to the first audible one.
	size_t start = sound.PlayBefore;
	while (start < check.Onset && !Repeats(r, start, start + period, SeamBlock))
		++start;
	const size_t seamFrom = start + period - 1;
	const size_t seamTo = check.Onset + period;
	check.SeamStep = LargestStep(r, seamFrom, seamTo);
	const size_t around = static_cast<size_t>(limits.SeamNeighbourSeconds * RecordRate);
	check.NeighbourStep = std::max(LargestStep(r, seamFrom - std::min(seamFrom, around), seamFrom - 1),
		LargestStep(r, seamTo + 1, std::min(seamTo + around, end)));
	if (check.SeamStep > 4 * limits.SilenceLsb && check.SeamStep > limits.ClickFactor * check.NeighbourStep)
		Add(check, Format("clicks at the loop point: a step of %d against at most %d around it", check.SeamStep,
			check.NeighbourStep));

	const size_t second = check.Onset + period;
	const size_t span = std::min(period, end > second ? end - second : 0);
	check.FirstPassRmsDb = SampleDb(Measure(r, check.Onset, check.Onset + span).Rms);
	check.SecondPassRmsDb = SampleDb(Measure(r, second, second + span).Rms);
	if (span == 0 || check.SecondPassRmsDb < check.FirstPassRmsDb - 3.0)
		Add(check, "the second pass is quieter than the first");
}

} // namespace

double SampleDb(double magnitude)
{
	return magnitude > 0 ? 20.0 * std::log10(magnitude / 32768.0) : -200.0;
}

bool TCheckReport::Ok() const
{
	if (!Problems.empty())
		return false;
	return std::all_of(Sounds.begin(), Sounds.end(), [](const TSoundCheck &s) { return s.Problems.empty(); });
}

TCheckReport CheckCapture(const TRecording &r, const TCapture &capture, const TCheckLimits &limits)
{
	TCheckReport report;
	if (r.Frames() + limits.StartSlack < capture.EndFrames)
		report.Problems.push_back(Format("the recording has %zu frames, %zu were written while playing", r.Frames(),
			capture.EndFrames));
	if (!capture.Sounds.empty()) {
		report.LeadInLsb = Measure(r, 0, capture.Sounds.front().PlayBefore).Peak;
		if (report.LeadInLsb > limits.SilenceLsb)
			report.Problems.push_back(Format("not silent before the first sound (peak %d)", report.LeadInLsb));
	}

	for (size_t i = 0; i < capture.Sounds.size(); ++i) {
		const TCapturedSound &sound = capture.Sounds[i];
		const size_t next = i + 1 < capture.Sounds.size() ? capture.Sounds[i + 1].PlayBefore : r.Frames();
		TSoundCheck check;
		check.Name = sound.Name;
		check.IsMusic = sound.IsMusic;
		check.Loaded = sound.Loaded;
		check.LoopFrames = RecordedLength(sound.Source);
		check.Seconds = static_cast<double>(check.LoopFrames) / RecordRate;
		check.PlayingPastLoop = sound.PlayingPastLoop;
		if (sound.Source.Peak > 0 && sound.Gain > 0)
			check.ExpectedPeakDb = 20.0 * std::log10(sound.Source.Peak * sound.Gain);

		// The sound's window: from the start request to the stop, or to its file's end when that is later.
		const size_t length = check.LoopFrames;
		const size_t windowEnd = std::min(next, std::max(sound.StopAfter + limits.StartSlack, sound.PlayAfter + limits.StartSlack + length));
		size_t onset = sound.PlayBefore;
		while (onset < windowEnd && onset < r.Frames() && FrameMagnitude(r, onset) <= limits.SilenceLsb)
			++onset;
		check.Audible = onset < windowEnd && onset < r.Frames();
		check.Onset = check.Audible ? onset : sound.PlayAfter;

		const size_t statsEnd = std::min(check.Onset + std::max<size_t>(length, 1), sound.StopAfter + limits.StartSlack);
		const TStats stats = Measure(r, check.Onset, check.IsMusic ? std::min(statsEnd, check.Onset + length) : statsEnd);
		check.PeakDb = SampleDb(stats.Peak);
		check.RmsDb = SampleDb(stats.Rms);
		check.Audible = check.Audible && check.PeakDb > limits.AudibleDb;

		// After an effect's end, and after any stop, nothing may sound until the next start.
		size_t quietFrom = sound.StopAfter + limits.StartSlack;
		if (!sound.IsMusic && length > 0)
			quietFrom = std::min(quietFrom, check.Onset + length);
		check.NoiseLsb = Measure(r, quietFrom, next).Peak;

		if (!sound.Loaded)
			Add(check, "the engine did not load its file");
		else if (!sound.PlayingAtStart)
			Add(check, "not playing right after PlaySound");
		if (!check.Audible)
			Add(check, check.PeakDb <= -200 ? std::string("recorded silence (all zero)")
			                                 : Format("recorded silence (peak %.1f dBFS)", check.PeakDb));
		else if (check.ExpectedPeakDb > -200 && std::abs(check.PeakDb - check.ExpectedPeakDb) > limits.LevelToleranceDb)
			Add(check, Format("peak %.1f dBFS where the volume gives %.1f", check.PeakDb, check.ExpectedPeakDb));
		if (check.NoiseLsb > limits.SilenceLsb)
			Add(check, Format("still sounding after its end or stop (peak %d)", check.NoiseLsb));
		if (sound.IsMusic && check.Audible)
			CheckMusic(r, sound, limits, check);
		report.Sounds.push_back(check);
	}
	return report;
}

} // namespace vantero::soundcheck
