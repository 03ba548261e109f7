#pragma once
// The sound engines: TGBassEngine plays the catalogue of in-memory samples named after their
// files (effects and looping music alike); TGSilentBassEngine plays nothing. Both are reached
// through IGSoundEngine and the global SoundEngine.

#include "audio/IGSoundEngine.h"
#include "platform/PMixer.h"
#include "platform/PWindowHandle.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vantero {

class TXMLVanteroType;

// One catalogue entry (a plain record, copied by value).
struct TGSound {
	std::string Name;                            // the Sound element's Src without its last four characters
	platform::TMixerSampleHandle Sample = nullptr; // the decoded sample; nullptr when loading the file failed
	bool IsMusic = false;                        // loops, and the music volume applies to it
	double Vol = 1.0;                            // per-sound volume factor
	int Polyphony = 1;                           // most instances that may play at once
};

// Milliseconds on a steady clock; tests inject one they step by hand.
using TGSlideClock = std::function<double()>;

// Volume slides of playback channels, in milliseconds of real time: a thread of its own keeps
// them running while the frame loop stalls. Every volume a channel gets goes through here.
class TGVolumeSlider {
public:
	// Starts the slide thread on the clock (a steady clock when empty).
	explicit TGVolumeSlider(TGSlideClock clock = {});
	// Stops the slide thread.
	~TGVolumeSlider();
	TGVolumeSlider(const TGVolumeSlider &) = delete;
	TGVolumeSlider &operator=(const TGVolumeSlider &) = delete;

	// Gives the channel its volume at once and ends any slide on it (a new instance starts there).
	void SetVolume(int channel, double volume);
	// Slides the channel from its present volume to target (0..100) over ms milliseconds; with
	// stopAtEnd the channel stops when the slide ends. A channel already fading out to its stop
	// keeps doing so: only another stopping slide replaces that one.
	void Slide(int channel, double target, uint32_t ms, bool stopAtEnd);
	// Ends any slide on the channel (it was stopped).
	void Cancel(int channel);
	// Applies every running slide as of the clock's present time (the thread calls it every few ms).
	void Update();
	// The channel's volume as last applied.
	double Volume(int channel) const;
	// Grows the mixer's channel pool to at least count, kept apart from a running update.
	void AllocateChannels(int count);

private:
	struct TChannel {
		double Volume = 0.0;
		bool Sliding = false;
		bool StopAtEnd = false;
		double From = 0.0;
		double Target = 0.0;
		double Start = 0.0;
		double Duration = 0.0;
	};

	double Now() const;
	TChannel &State(int channel);
	// Brings one sliding channel to the time now; under Mutex.
	void Advance(int channel, TChannel &state, double now);
	// Advances every sliding channel; under Mutex.
	void AdvanceAll();
	void Run();

	// Time source of the slides.
	TGSlideClock Clock;
	// Per-channel volumes and slides, shared with the thread.
	mutable std::mutex Mutex;
	std::vector<TChannel> Channels;
	// The slide thread and its stop request.
	std::condition_variable Wake;
	bool Quit = false;
	std::thread Worker;
};

// The engine that plays: opens the default output (or, failing that, the silent device).
class TGBassEngine : public IGSoundEngine {
public:
	// Keeps the configuration root (where LoadSounds reads the Sound elements) and the two volumes;
	// the window is not needed. Raises "TGBassEngine.Create: Code: %d" when no device opens.
	TGBassEngine(TXMLVanteroType &config, platform::TWindowHandle window, int soundVolume, int musicVolume,
		TGSlideClock clock = {});
	// Stops every sound, frees the samples and closes the device.
	~TGBassEngine() override;
	TGBassEngine(const TGBassEngine &) = delete;
	TGBassEngine &operator=(const TGBassEngine &) = delete;

	// Appends an entry for every Sound element of the configuration root, decoding its file.
	void LoadSounds() override;
	// Whether any instance of the named sound is playing.
	bool IsSoundPlaying(const std::string &name) override;
	// SoundVolume := volume; every playing effect takes it at once.
	void SetSoundVolume(int volume) override;
	// Starts one more instance when the sound's Polyphony leaves room; -1 is the category volume.
	void PlaySound(const std::string &name, int volume) override;
	// Stops every instance at once (fadeTime <= 0) or fades them out over fadeTime seconds.
	void StopSound(const std::string &name, double fadeTime) override;
	// Stops every effect at once, and the music too when includeMusic is set.
	void StopAllSounds(bool includeMusic) override;
	// Slides every instance's volume to 100 (fadeIn) or 0 over time seconds; a fade to 0 keeps playing.
	void FadeSound(const std::string &name, bool fadeIn, double time) override;
	// MusicVolume := volume; every playing music instance takes it at once.
	void SetMusicVolume(int volume) override;

	// The last catalogue entry of the name; raises "TGBassEngine.GetSound: Sound "…" not found".
	const TGSound &GetSound(const std::string &name) const;
	// The catalogue in load order.
	const std::vector<TGSound> &Catalogue() const { return Sounds; }
	// The category volumes.
	int GetSoundVolume() const { return SoundVolume; }
	int GetMusicVolume() const { return MusicVolume; }
	// Whether the engine fell back to the silent device.
	bool OnNoSoundDevice() const { return NoSoundDevice; }
	// The volumes (0..100) of the named sound's playing instances, in channel order.
	std::vector<double> InstanceVolumes(const std::string &name) const;
	// Applies the running volume slides as of the clock's present time.
	void UpdateSlides() { Slider.Update(); }

private:
	template <typename Visit>
	void ForEachInstance(platform::TMixerSampleHandle sample, Visit visit) const;
	int CountInstances(platform::TMixerSampleHandle sample) const;
	void SlideInstances(const TGSound &entry, double target, uint32_t ms, bool stopAtEnd);
	void SetCategoryVolume(bool music, int volume);
	int FreeChannel();

	// The output device: opened first, closed last.
	std::unique_ptr<platform::TMixerDevice> Device;
	bool NoSoundDevice = false;
	// Category volumes, 0..100.
	int SoundVolume;
	int MusicVolume;
	// The catalogue, and the decoded samples its entries refer to.
	std::vector<TGSound> Sounds;
	std::vector<platform::TMixerSample> Samples;
	// Where LoadSounds reads the Sound elements (not owned).
	TXMLVanteroType *Config;
	// Volumes and slides of the playing channels.
	TGVolumeSlider Slider;
};

// The engine that plays nothing: every operation returns at once and never raises.
class TGSilentBassEngine : public IGSoundEngine {
public:
	TGSilentBassEngine() = default;

	void LoadSounds() override {}
	bool IsSoundPlaying(const std::string &) override { return false; }
	void SetSoundVolume(int) override {}
	void PlaySound(const std::string &, int) override {}
	void StopSound(const std::string &, double) override {}
	void StopAllSounds(bool) override {}
	void FadeSound(const std::string &, bool, double) override {}
	void SetMusicVolume(int) override {}
};

} // namespace vantero
