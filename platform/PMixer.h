#pragma once
// The thin audio layer under the sound engine: the output device, samples decoded into
// memory, and a pool of playback channels addressed by index. Volumes are on the game's
// scale 0..100. The only place (with the rest of platform/) that includes SDL_mixer.

#include <memory>
#include <string>

struct Mix_Chunk;

namespace vantero::platform {

// Error codes of the audio layer, reported by MixerLastError (per thread).
enum TMixerError : int {
	meOk = 0,
	meMemory = 1,       // out of memory
	meFileOpen = 2,     // the file could not be opened
	meDriver = 3,       // no audio driver could be started
	meHandle = 5,       // no such sample or channel
	meInit = 8,         // the device is not open
	meStart = 9,        // the channel would not start
	meNoChannel = 18,   // no free channel
	meIllegalParam = 20, // an argument out of range
	meDevice = 23,      // the output device could not be opened
	meFileFormat = 41,  // the file's format is not supported
};

// The code of the last failed call of this layer on the calling thread (meOk when none failed).
int MixerLastError();
// The audio library's own text for the last failure (for debug output).
std::string MixerErrorText();

// A sample decoded into memory; freed (and stopped wherever it plays) by its deleter.
struct TMixerSampleDeleter {
	void operator()(Mix_Chunk *chunk) const;
};
using TMixerSample = std::unique_ptr<Mix_Chunk, TMixerSampleDeleter>;
// A sample as the engine refers to it (not owned); nullptr for none.
using TMixerSampleHandle = Mix_Chunk *;

// The opened output device; closing it releases the audio driver.
class TMixerDevice {
public:
	// Opens the default output at 44100 Hz stereo, or the silent dummy driver when noSound is set;
	// nullptr on failure (MixerLastError tells why).
	static std::unique_ptr<TMixerDevice> Open(bool noSound);
	~TMixerDevice();
	TMixerDevice(const TMixerDevice &) = delete;
	TMixerDevice &operator=(const TMixerDevice &) = delete;

	// The name of the audio driver in use ("dummy" for the silent one).
	std::string DriverName() const;

private:
	struct TOpened {};

public:
	explicit TMixerDevice(TOpened) {}
};

// Decodes the whole file into memory in the device's format; empty on failure (meFileOpen, meFileFormat).
TMixerSample MixerLoadSample(const std::string &path);

// Number of playback channels; channels are numbered 0 .. count-1.
int MixerChannelCount();
// Grows the channel pool to at least count channels (never shrinks).
void MixerAllocateChannels(int count);
// Whether the channel is playing.
bool MixerIsPlaying(int channel);
// The sample last started on the channel (nullptr when none).
const Mix_Chunk *MixerChannelSample(int channel);
// Starts the sample on the channel, looping forever when loop is set; false on failure (meStart).
bool MixerPlay(int channel, Mix_Chunk *sample, bool loop);
// Sets the channel's volume (0..100, clamped).
void MixerSetVolume(int channel, double volume);
// Stops the channel at once.
void MixerHalt(int channel);

} // namespace vantero::platform
