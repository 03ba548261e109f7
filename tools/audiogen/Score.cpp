#include "tools/audiogen/Score.h"

#include "config/UUtils.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace vantero::audiogen {

namespace {

struct TEvent {
	size_t Frame;
	int Order; // offs before controls before ons at the same frame
	int Channel;
	int Key;
	int Value;
	int Controller;
};

struct TSettingsDeleter {
	void operator()(fluid_settings_t *settings) const { delete_fluid_settings(settings); }
};
struct TSynthDeleter {
	void operator()(fluid_synth_t *synth) const { delete_fluid_synth(synth); }
};

} // namespace

TAudio RenderScore(const TScore &score, const std::string &soundFont)
{
	std::unique_ptr<fluid_settings_t, TSettingsDeleter> settings(new_fluid_settings());
	fluid_settings_setnum(settings.get(), "synth.sample-rate", SampleRate);
	fluid_settings_setint(settings.get(), "synth.dynamic-sample-loading", 1);
	fluid_settings_setint(settings.get(), "synth.polyphony", 256);
	fluid_settings_setint(settings.get(), "synth.cpu-cores", 1);
	fluid_settings_setnum(settings.get(), "synth.gain", 0.3);
	fluid_settings_setint(settings.get(), "synth.reverb.active", 1);
	fluid_settings_setint(settings.get(), "synth.chorus.active", 1);
	fluid_settings_setnum(settings.get(), "synth.reverb.room-size", score.ReverbRoom);
	fluid_settings_setnum(settings.get(), "synth.reverb.level", score.ReverbLevel);
	fluid_settings_setnum(settings.get(), "synth.reverb.damp", 0.35);
	fluid_settings_setnum(settings.get(), "synth.reverb.width", 0.9);
	std::unique_ptr<fluid_synth_t, TSynthDeleter> synth(new_fluid_synth(settings.get()));
	if (!synth || fluid_synth_sfload(synth.get(), soundFont.c_str(), 1) == FLUID_FAILED)
		throw EGameError("cannot load the soundfont \"" + soundFont + "\"");

	for (const TChannelSetup &setup : score.Channels) {
		if (setup.Channel != 9)
			fluid_synth_program_change(synth.get(), setup.Channel, setup.Program);
		fluid_synth_cc(synth.get(), setup.Channel, 7, setup.Volume);
		fluid_synth_cc(synth.get(), setup.Channel, 10, setup.Pan);
		fluid_synth_cc(synth.get(), setup.Channel, 91, setup.Reverb);
		fluid_synth_cc(synth.get(), setup.Channel, 93, setup.Chorus);
	}

	const double framesPerBeat = score.BeatSeconds() * SampleRate;
	const auto toFrame = [&](double beat) { return static_cast<size_t>(std::llround(std::max(0.0, beat) * framesPerBeat)); };
	std::vector<TEvent> events;
	for (const TNote &note : score.Notes) {
		events.push_back({toFrame(note.Beat), 2, note.Channel, note.Key, std::clamp(note.Velocity, 1, 127), -1});
		events.push_back({toFrame(note.Beat + note.Length), 0, note.Channel, note.Key, 0, -1});
	}
	for (const TControl &control : score.Controls)
		events.push_back({toFrame(control.Beat), 1, control.Channel, 0, control.Value, control.Controller});
	std::stable_sort(events.begin(), events.end(), [](const TEvent &a, const TEvent &b) {
		return a.Frame != b.Frame ? a.Frame < b.Frame : a.Order < b.Order;
	});

	const size_t bodyFrames = toFrame(score.LengthBeats);
	const size_t totalFrames = bodyFrames + Frames(score.Tail);
	std::vector<float> left(totalFrames, 0.0f), right(totalFrames, 0.0f);
	size_t written = 0;
	const auto renderTo = [&](size_t frame) {
		frame = std::min(frame, totalFrames);
		while (written < frame) {
			const int count = static_cast<int>(std::min<size_t>(frame - written, 4096));
			fluid_synth_write_float(synth.get(), count, left.data() + written, 0, 1, right.data() + written, 0, 1);
			written += static_cast<size_t>(count);
		}
	};
	for (const TEvent &event : events) {
		renderTo(event.Frame);
		if (event.Controller >= 0)
			fluid_synth_cc(synth.get(), event.Channel, event.Controller, event.Value);
		else if (event.Value > 0)
			fluid_synth_noteon(synth.get(), event.Channel, event.Key, event.Value);
		else
			fluid_synth_noteoff(synth.get(), event.Channel, event.Key);
	}
	renderTo(totalFrames);

	TAudio audio;
	audio.Channels = 2;
	if (score.Loop) {
		// What rings past the loop point is heard again over the start of the next pass.
		for (size_t i = bodyFrames; i < totalFrames; ++i) {
			left[(i - bodyFrames) % bodyFrames] += left[i];
			right[(i - bodyFrames) % bodyFrames] += right[i];
		}
		left.resize(bodyFrames);
		right.resize(bodyFrames);
	} else {
		const size_t fade = std::min(totalFrames, Frames(0.5));
		for (size_t i = 0; i < fade; ++i) {
			const float gain = static_cast<float>(0.5 + 0.5 * std::cos(Pi * static_cast<double>(i) / fade));
			left[totalFrames - fade + i] *= gain;
			right[totalFrames - fade + i] *= gain;
		}
	}
	audio.Samples.resize(left.size() * 2);
	for (size_t i = 0; i < left.size(); ++i) {
		audio.Samples[2 * i] = left[i];
		audio.Samples[2 * i + 1] = right[i];
	}
	return audio;
}

} // namespace vantero::audiogen
