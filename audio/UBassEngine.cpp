#include "audio/UBassEngine.h"

#include "config/UConfig.h"
#include "config/UConfigKeys.h"
#include "config/UUtils.h"
#include "config/UXMLElement.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

namespace vantero {

namespace {

// How often the slide thread brings the volumes up to date.
constexpr auto SlidePeriod = std::chrono::milliseconds(5);
// Channels made at once when every channel is busy.
constexpr int ChannelGrowth = 16;
// Channels made ahead at load: one per voice of the catalogue, at most this many.
constexpr int MaxPreparedChannels = 1024;
// The largest number of voices one sample may have; more fails its load.
constexpr int MaxPolyphony = 65535;

double SteadyMilliseconds()
{
	using namespace std::chrono;
	return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

[[noreturn]] void RangeError()
{
	throw EGameError("Range check error");
}

// A time in seconds as whole milliseconds (halves to even); a range error when it does not fit 32 bits unsigned.
uint32_t SlideMilliseconds(double seconds)
{
	const double ms = std::nearbyint(seconds * 1000.0);
	if (!(ms >= 0.0 && ms <= static_cast<double>(std::numeric_limits<uint32_t>::max())))
		RangeError();
	return static_cast<uint32_t>(ms);
}

// The attribute text as a decimal integer; the conversion error of the platform otherwise.
int StrToInt(const std::string &text)
{
	const std::optional<int> value = ParseInteger(text);
	if (!value)
		throw EGameError("\"" + text + "\" is not a valid integer value");
	return *value;
}

// The Src without its last four characters (counted as 16-bit units); empty when it has no more.
std::string SoundName(const std::string &src)
{
	size_t end = src.size();
	int units = 0;
	while (end > 0 && units < 4) {
		size_t start = end - 1;
		while (start > 0 && (static_cast<unsigned char>(src[start]) & 0xC0) == 0x80)
			--start;
		units += (static_cast<unsigned char>(src[start]) >= 0xF0) ? 2 : 1;
		end = start;
	}
	return units < 4 ? std::string() : src.substr(0, end);
}

// "audio/" + Src as a path of this system.
std::string SoundFile(const std::string &src)
{
	std::string path = "audio/" + src;
	std::replace(path.begin(), path.end(), '\\', '/');
	return path;
}

} // namespace

// --- TGVolumeSlider ---

TGVolumeSlider::TGVolumeSlider(TGSlideClock clock) : Clock(std::move(clock))
{
	Worker = std::thread([this] { Run(); });
}

TGVolumeSlider::~TGVolumeSlider()
{
	{
		const std::lock_guard<std::mutex> guard(Mutex);
		Quit = true;
	}
	Wake.notify_all();
	Worker.join();
}

double TGVolumeSlider::Now() const
{
	return Clock ? Clock() : SteadyMilliseconds();
}

TGVolumeSlider::TChannel &TGVolumeSlider::State(int channel)
{
	if (static_cast<size_t>(channel) >= Channels.size())
		Channels.resize(static_cast<size_t>(channel) + 1);
	return Channels[static_cast<size_t>(channel)];
}

void TGVolumeSlider::SetVolume(int channel, double volume)
{
	if (channel < 0)
		return;
	const std::lock_guard<std::mutex> guard(Mutex);
	TChannel &state = State(channel);
	state.Sliding = false;
	state.StopAtEnd = false;
	state.Volume = std::clamp(volume, 0.0, 100.0);
	platform::MixerSetVolume(channel, state.Volume);
}

void TGVolumeSlider::Slide(int channel, double target, uint32_t ms, bool stopAtEnd)
{
	if (channel < 0)
		return;
	const std::lock_guard<std::mutex> guard(Mutex);
	const double now = Now();
	TChannel &state = State(channel);
	if (state.Sliding) {
		Advance(channel, state, now);
		// An instance on its way out is not brought back by a volume change.
		if (state.Sliding && state.StopAtEnd && !stopAtEnd)
			return;
	}
	state.Sliding = true;
	state.StopAtEnd = stopAtEnd;
	state.From = state.Volume;
	state.Target = std::clamp(target, 0.0, 100.0);
	state.Start = now;
	state.Duration = ms;
	Advance(channel, state, now);
}

void TGVolumeSlider::Cancel(int channel)
{
	const std::lock_guard<std::mutex> guard(Mutex);
	if (channel >= 0 && static_cast<size_t>(channel) < Channels.size())
		Channels[static_cast<size_t>(channel)].Sliding = false;
}

void TGVolumeSlider::Advance(int channel, TChannel &state, double now)
{
	if (!platform::MixerIsPlaying(channel)) {
		state.Sliding = false;
		return;
	}
	const double elapsed = now - state.Start;
	const bool done = elapsed >= state.Duration || state.Duration <= 0.0;
	state.Volume = done ? state.Target : state.From + (state.Target - state.From) * std::max(elapsed, 0.0) / state.Duration;
	platform::MixerSetVolume(channel, state.Volume);
	if (done) {
		state.Sliding = false;
		if (state.StopAtEnd)
			platform::MixerHalt(channel);
	}
}

void TGVolumeSlider::Update()
{
	const std::lock_guard<std::mutex> guard(Mutex);
	AdvanceAll();
}

void TGVolumeSlider::AdvanceAll()
{
	const double now = Now();
	for (size_t channel = 0; channel < Channels.size(); ++channel)
		if (Channels[channel].Sliding)
			Advance(static_cast<int>(channel), Channels[channel], now);
}

void TGVolumeSlider::AllocateChannels(int count)
{
	const std::lock_guard<std::mutex> guard(Mutex);
	platform::MixerAllocateChannels(count);
}

double TGVolumeSlider::Volume(int channel) const
{
	const std::lock_guard<std::mutex> guard(Mutex);
	if (channel < 0 || static_cast<size_t>(channel) >= Channels.size())
		return 0.0;
	return Channels[static_cast<size_t>(channel)].Volume;
}

void TGVolumeSlider::Run()
{
	std::unique_lock<std::mutex> lock(Mutex);
	while (!Quit) {
		Wake.wait_for(lock, SlidePeriod);
		if (!Quit)
			AdvanceAll();
	}
}

// --- TGBassEngine ---

TGBassEngine::TGBassEngine(TXMLVanteroType &config, platform::TWindowHandle /*window*/, int soundVolume, int musicVolume,
	TGSlideClock clock)
	: SoundVolume(soundVolume), MusicVolume(musicVolume), Config(&config), Slider(std::move(clock))
{
	Device = platform::TMixerDevice::Open(false);
	if (!Device) {
		Device = platform::TMixerDevice::Open(true);
		NoSoundDevice = true;
	}
	// The main form falls back to the silent engine on this error, so it must not stop the frame loop:
	// it is thrown without setting ErrorRaised.
	if (!Device)
		throw EGameError("TGBassEngine.Create: " + Format("Code: %d", platform::MixerLastError()));
}

// The slide thread ends first, then freeing the samples stops their channels, then the device closes.
TGBassEngine::~TGBassEngine() = default;

void TGBassEngine::LoadSounds()
{
	int voices = 0;
	for (const TGSound &sound : Sounds)
		if (sound.Sample)
			voices = std::min(voices + sound.Polyphony, MaxPreparedChannels);
	for (const pugi::xml_node node : Config->DomNode().children("Sound")) {
		const TXMLElement element(node);

		const std::optional<std::string> polyphonyText = element.GetAttribute("Polyphony");
		const int polyphony = polyphonyText ? StrToInt(*polyphonyText) : 1;
		if (polyphony < 0)
			RangeError();
		const std::optional<std::string> volText = element.GetAttribute("Vol");
		const double vol = volText ? ConfigStrToFloat(*volText) : 1.0;
		const std::optional<std::string> musicText = element.GetAttribute("IsMusic");
		const bool isMusic = musicText && StrToInt(*musicText) != 0;
		const std::string src = element.GetAttribute("Src").value_or(std::string());

		TGSound entry;
		entry.Name = SoundName(src);
		entry.IsMusic = isMusic;
		entry.Vol = vol;
		entry.Polyphony = polyphony;
		// A sample needs at least one voice; a missing or unreadable file leaves the entry without one.
		if (polyphony >= 1 && polyphony <= MaxPolyphony) {
			platform::TMixerSample sample = platform::MixerLoadSample(SoundFile(src));
			entry.Sample = sample.get();
			if (sample)
				Samples.push_back(std::move(sample));
		}
		Sounds.push_back(entry);

		// One channel ready for every voice, so that playing finds a free one without growing the pool.
		if (entry.Sample)
			voices = std::min(voices + polyphony, MaxPreparedChannels);
		Slider.AllocateChannels(voices);
	}
}

const TGSound &TGBassEngine::GetSound(const std::string &name) const
{
	const TGSound *found = nullptr;
	for (const TGSound &sound : Sounds)
		if (sound.Name == name)
			found = &sound;
	if (!found)
		RaiseGameErrorAt("TGBassEngine.GetSound", "Sound \"" + name + "\" not found");
	return *found;
}

template <typename Visit>
void TGBassEngine::ForEachInstance(platform::TMixerSampleHandle sample, Visit visit) const
{
	if (!sample)
		return;
	const int channels = platform::MixerChannelCount();
	for (int channel = 0; channel < channels; ++channel)
		if (platform::MixerChannelSample(channel) == sample && platform::MixerIsPlaying(channel))
			visit(channel);
}

int TGBassEngine::CountInstances(platform::TMixerSampleHandle sample) const
{
	int count = 0;
	ForEachInstance(sample, [&count](int) { ++count; });
	return count;
}

int TGBassEngine::FreeChannel()
{
	const int channels = platform::MixerChannelCount();
	for (int channel = 0; channel < channels; ++channel)
		if (!platform::MixerIsPlaying(channel))
			return channel;
	Slider.AllocateChannels(channels + ChannelGrowth);
	return platform::MixerChannelCount() > channels ? channels : -1;
}

bool TGBassEngine::IsSoundPlaying(const std::string &name)
{
	return CountInstances(GetSound(name).Sample) > 0;
}

void TGBassEngine::PlaySound(const std::string &name, int volume)
{
	const TGSound &entry = GetSound(name);
	// No sample (its file did not load) or all of its voices busy: nothing to do.
	if (!entry.Sample || CountInstances(entry.Sample) >= entry.Polyphony)
		return;
	const int channel = FreeChannel();
	if (channel < 0)
		RaiseGameErrorAt("TGBassEngine.PlaySound/1", Format("Code: %d", static_cast<int>(platform::meMemory)));

	const int base = entry.IsMusic ? MusicVolume : SoundVolume;
	const int v = volume == -1 ? base : volume;
	const int level = RoundHalfEven(std::clamp(entry.Vol * v, 0.0, 100.0));
	Slider.SetVolume(channel, level);
	if (!platform::MixerPlay(channel, entry.Sample, entry.IsMusic))
		RaiseGameErrorAt("TGBassEngine.PlaySound/2", Format("Code: %d", platform::MixerLastError()));
}

void TGBassEngine::SlideInstances(const TGSound &entry, double target, uint32_t ms, bool stopAtEnd)
{
	ForEachInstance(entry.Sample, [&](int channel) { Slider.Slide(channel, target, ms, stopAtEnd); });
}

void TGBassEngine::StopSound(const std::string &name, double fadeTime)
{
	const TGSound &entry = GetSound(name);
	if (fadeTime > 0) {
		SlideInstances(entry, 0.0, SlideMilliseconds(fadeTime), true);
		return;
	}
	ForEachInstance(entry.Sample, [this](int channel) {
		platform::MixerHalt(channel);
		Slider.Cancel(channel);
	});
}

void TGBassEngine::StopAllSounds(bool includeMusic)
{
	for (size_t i = 0; i < Sounds.size(); ++i)
		if (includeMusic || !Sounds[i].IsMusic)
			StopSound(Sounds[i].Name, 0);
}

void TGBassEngine::FadeSound(const std::string &name, bool fadeIn, double time)
{
	const TGSound &entry = GetSound(name);
	SlideInstances(entry, fadeIn ? 100.0 : 0.0, SlideMilliseconds(time), false);
}

void TGBassEngine::SetCategoryVolume(bool music, int volume)
{
	for (const TGSound &entry : Sounds)
		if (entry.IsMusic == music)
			SlideInstances(entry, volume, 0, false);
}

void TGBassEngine::SetSoundVolume(int volume)
{
	SoundVolume = volume;
	SetCategoryVolume(false, volume);
}

void TGBassEngine::SetMusicVolume(int volume)
{
	MusicVolume = volume;
	SetCategoryVolume(true, volume);
}

std::vector<double> TGBassEngine::InstanceVolumes(const std::string &name) const
{
	std::vector<double> volumes;
	ForEachInstance(GetSound(name).Sample, [&](int channel) { volumes.push_back(Slider.Volume(channel)); });
	return volumes;
}

} // namespace vantero
