#pragma once
// Plays catalogue sounds through the game's sound engine on SDL's "disk" audio driver and keeps
// what the mixer wrote: the raw output file plus, per sound, the recorded positions at which it
// was started and stopped. The mixer opens 44100 Hz, signed 16-bit native order, stereo.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantero::soundcheck {

constexpr int RecordRate = 44100;
constexpr int RecordChannels = 2;
constexpr size_t RecordFrameBytes = RecordChannels * sizeof(int16_t);

// The mixed output as written by the driver: interleaved stereo frames.
struct TRecording {
	std::vector<int16_t> Samples;
	size_t Frames() const { return Samples.size() / RecordChannels; }
	// The sample of a frame and channel (0 or 1).
	int At(size_t frame, int channel) const { return Samples[frame * RecordChannels + static_cast<size_t>(channel)]; }
};

// Reads a raw recording (trailing partial frame dropped); EGameError when it cannot be read.
TRecording ReadRecording(const std::string &path);

// What the sound file itself holds, read without the engine: Ogg Vorbis or PCM WAV.
struct TSourceInfo {
	size_t Frames = 0; // length in frames at the file's own rate
	int Rate = 0;
	double Peak = 0;   // largest absolute sample, 0..1
};

// Reads a sound file's length and peak; EGameError when the format is not one of the two.
TSourceInfo ReadSourceInfo(const std::string &path);
// The file's length in recorded frames (the mixer converts it to its own rate); 0 when unknown.
size_t RecordedLength(const TSourceInfo &source);

// How one capture run goes.
struct TCaptureOptions {
	std::string GameDir = ".";          // folder holding audio/ (the engine loads "audio/" + Src from there)
	std::string CatalogueText;          // the Sound elements, as in data/cfg/sounds.xml
	std::vector<std::string> Names;     // the sounds to play, in order; empty: every effect, then "tracks/menu"
	std::string RawPath;                // the file the disk driver writes (absolute)
	bool RealTime = false;              // let the driver pace itself in real time instead of some twenty times faster
	double GapSeconds = 0.25;           // silence recorded before the first sound and after every stop
	double EffectTailSeconds = 0.3;     // an effect keeps its channel this long past its file length
	double MusicPastLoopSeconds = 1.5;  // music runs this long past its loop point before the stop
	int SoundVolume = 55;               // the engine's category volumes, as the game starts them
	int MusicVolume = 45;
};

// One sound as it was played, in recorded frames from the start of the file.
struct TCapturedSound {
	std::string Name;
	std::string Src;
	bool IsMusic = false;
	bool Loaded = false;           // the engine decoded its file
	TSourceInfo Source;            // the file as read directly (Frames 0 when unreadable)
	double Gain = 0;               // the channel gain the engine's volume rules give (0..1)
	size_t PlayBefore = 0;         // recorded frames just before PlaySound ...
	size_t PlayAfter = 0;          // ... and just after it returned
	bool PlayingAtStart = false;   // IsSoundPlaying right after PlaySound
	bool PlayingPastLoop = false;  // music: IsSoundPlaying once the recording passed its length
	size_t StopBefore = 0;         // recorded frames around StopSound(name, 0)
	size_t StopAfter = 0;
};

struct TCapture {
	std::vector<TCapturedSound> Sounds;
	size_t EndFrames = 0;          // recorded frames when the engine was released
};

// Whether SDL offers the disk driver: opens it once, writing to rawPath.
bool DiskDriverAvailable(const std::string &rawPath);

// Creates TGBassEngine on the disk driver in options.GameDir, loads the catalogue and plays the
// sounds one after another with silence between them. EGameError when the disk driver cannot be
// opened, a name is not in the catalogue, or the driver stops writing.
TCapture CaptureSounds(const TCaptureOptions &options);

} // namespace vantero::soundcheck
