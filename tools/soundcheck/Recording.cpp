#include "tools/soundcheck/Recording.h"

#include "audio/UBassEngine.h"
#include "audio/USoundCatalogue.h"
#include "config/UConfig.h"
#include "config/UUtils.h"
#include "platform/PMixer.h"
#include "tools/audiogen/Encode.h"

#include <pugixml.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <thread>

namespace vantero::soundcheck {

namespace fs = std::filesystem;

namespace {

// How long the driver may go without writing before the run is given up.
constexpr auto StallLimit = std::chrono::seconds(10);

std::vector<uint8_t> ReadBytes(const std::string &path)
{
	std::ifstream in(path, std::ios::binary);
	if (!in)
		throw EGameError("cannot read " + path);
	return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t Le32(const std::vector<uint8_t> &b, size_t at)
{
	return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

uint16_t Le16(const std::vector<uint8_t> &b, size_t at)
{
	return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

// A RIFF WAVE file of 8- or 16-bit PCM.
TSourceInfo ReadWav(const std::vector<uint8_t> &bytes, const std::string &path)
{
	TSourceInfo info;
	int channels = 0, bits = 0;
	size_t at = 12;
	while (at + 8 <= bytes.size()) {
		const std::string id(reinterpret_cast<const char *>(&bytes[at]), 4);
		const size_t size = Le32(bytes, at + 4);
		const size_t body = at + 8;
		if (body + size > bytes.size() && id != "data")
			break;
		if (id == "fmt " && size >= 16) {
			if (Le16(bytes, body) != 1)
				throw EGameError(path + ": only PCM WAV files are read");
			channels = Le16(bytes, body + 2);
			info.Rate = static_cast<int>(Le32(bytes, body + 4));
			bits = Le16(bytes, body + 14);
		} else if (id == "data") {
			if (channels < 1 || (bits != 8 && bits != 16))
				throw EGameError(path + ": unsupported WAV format");
			const size_t length = std::min(size, bytes.size() - body);
			const size_t sampleBytes = static_cast<size_t>(bits / 8);
			const size_t samples = length / sampleBytes;
			info.Frames = samples / static_cast<size_t>(channels);
			for (size_t i = 0; i < samples; ++i) {
				const double v = bits == 8 ? (bytes[body + i] - 128) / 128.0
				                           : static_cast<int16_t>(Le16(bytes, body + 2 * i)) / 32768.0;
				info.Peak = std::max(info.Peak, std::abs(v));
			}
			return info;
		}
		at = body + size + (size & 1);
	}
	throw EGameError(path + ": WAV file without data");
}

// Sets environment variables for the run and puts the previous values back.
class TEnvironment {
public:
	void Set(const char *name, const std::string &value)
	{
		const char *old = std::getenv(name);
		Saved.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
		setenv(name, value.c_str(), 1);
	}
	~TEnvironment()
	{
		for (auto it = Saved.rbegin(); it != Saved.rend(); ++it) {
			if (it->second)
				setenv(it->first.c_str(), it->second->c_str(), 1);
			else
				unsetenv(it->first.c_str());
		}
	}

private:
	std::vector<std::pair<std::string, std::optional<std::string>>> Saved;
};

void UseDiskDriver(TEnvironment &environment, const std::string &rawPath, bool realTime)
{
	environment.Set("SDL_AUDIODRIVER", "disk");
	environment.Set("SDL_DISKAUDIOFILE", rawPath);
	// A millisecond per 1024-frame buffer runs about twenty times faster than real time. With no
	// pause at all the driver's thread takes the mixer lock back at once, and every PlaySound or
	// StopSound waits many seconds of recorded output for it.
	if (!realTime)
		environment.Set("SDL_DISKAUDIODELAY", "1");
}

// Makes the game folder the working directory for the engine's relative paths.
class TWorkingDirectory {
public:
	explicit TWorkingDirectory(const fs::path &dir) : Previous(fs::current_path()) { fs::current_path(dir); }
	~TWorkingDirectory()
	{
		std::error_code ignored;
		fs::current_path(Previous, ignored);
	}
	TWorkingDirectory(const TWorkingDirectory &) = delete;
	TWorkingDirectory &operator=(const TWorkingDirectory &) = delete;

private:
	fs::path Previous;
};

// Frames the driver has written so far.
size_t RecordedFrames(const std::string &rawPath)
{
	std::error_code error;
	const auto bytes = fs::file_size(rawPath, error);
	return error ? 0 : static_cast<size_t>(bytes) / RecordFrameBytes;
}

// Waits until the recording holds at least target frames.
void WaitForFrames(const std::string &rawPath, size_t target, bool realTime)
{
	using Clock = std::chrono::steady_clock;
	size_t last = RecordedFrames(rawPath);
	auto progressed = Clock::now();
	while (last < target) {
		std::this_thread::sleep_for(realTime ? std::chrono::microseconds(2000) : std::chrono::microseconds(100));
		const size_t now = RecordedFrames(rawPath);
		if (now != last) {
			last = now;
			progressed = Clock::now();
		} else if (Clock::now() - progressed > StallLimit)
			throw EGameError("the disk audio driver stopped writing " + rawPath);
	}
}

size_t SecondsToFrames(double seconds)
{
	return static_cast<size_t>(std::max(seconds, 0.0) * RecordRate);
}

// The channel gain of a sound started with volume -1, as the engine and the mixer compute it.
double ChannelGain(const TGSound &sound, int soundVolume, int musicVolume)
{
	const int base = sound.IsMusic ? musicVolume : soundVolume;
	const int level = RoundHalfEven(std::clamp(sound.Vol * base, 0.0, 100.0));
	return std::lround(level * 128.0 / 100.0) / 128.0;
}

} // namespace

TRecording ReadRecording(const std::string &path)
{
	std::ifstream in(path, std::ios::binary);
	if (!in)
		throw EGameError("cannot read the recording " + path);
	const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
	TRecording recording;
	recording.Samples.resize(bytes.size() / RecordFrameBytes * RecordChannels);
	std::memcpy(recording.Samples.data(), bytes.data(), recording.Samples.size() * sizeof(int16_t));
	return recording;
}

TSourceInfo ReadSourceInfo(const std::string &path)
{
	const std::vector<uint8_t> bytes = ReadBytes(path);
	if (bytes.size() >= 12 && std::memcmp(bytes.data(), "RIFF", 4) == 0 && std::memcmp(&bytes[8], "WAVE", 4) == 0)
		return ReadWav(bytes, path);
	if (bytes.size() >= 4 && std::memcmp(bytes.data(), "OggS", 4) == 0) {
		const audiogen::TAudio audio = audiogen::DecodeVorbis(bytes);
		TSourceInfo info;
		info.Frames = audio.Frames();
		info.Rate = audiogen::SampleRate;
		for (const float s : audio.Samples)
			info.Peak = std::max(info.Peak, static_cast<double>(std::abs(s)));
		return info;
	}
	throw EGameError(path + ": neither Ogg Vorbis nor WAV");
}

size_t RecordedLength(const TSourceInfo &source)
{
	if (source.Rate <= 0)
		return 0;
	return static_cast<size_t>(std::llround(static_cast<double>(source.Frames) * RecordRate / source.Rate));
}

bool DiskDriverAvailable(const std::string &rawPath)
{
	TEnvironment environment;
	UseDiskDriver(environment, rawPath, false);
	const std::unique_ptr<platform::TMixerDevice> device = platform::TMixerDevice::Open(false);
	return device && device->DriverName() == "disk";
}

TCapture CaptureSounds(const TCaptureOptions &options)
{
	const std::vector<TSoundCatalogueEntry> entries = ParseSoundCatalogue(options.CatalogueText);
	pugi::xml_document document;
	const std::string wrapped = "<Vantero>" + options.CatalogueText + "</Vantero>";
	if (!document.load_buffer(wrapped.data(), wrapped.size()))
		throw EGameError("the catalogue is not well-formed XML");
	const std::unique_ptr<TXMLVanteroType> root = GetVantero(document);

	std::vector<std::string> names = options.Names;
	if (names.empty()) {
		for (const TSoundCatalogueEntry &entry : entries)
			if (!entry.IsMusic && std::find(names.begin(), names.end(), entry.Name) == names.end())
				names.push_back(entry.Name);
		names.push_back("tracks/menu");
	}

	const std::string &raw = options.RawPath;
	const bool realTime = options.RealTime;
	TEnvironment environment;
	UseDiskDriver(environment, raw, realTime);
	const TWorkingDirectory here(options.GameDir);

	TCapture capture;
	{
		TGBassEngine engine(*root, platform::TWindowHandle{}, options.SoundVolume, options.MusicVolume);
		if (engine.OnNoSoundDevice())
			throw EGameError("the disk audio driver could not be opened; the engine fell back to the silent device");
		engine.LoadSounds();

		// Every sound is looked up first, so that a wrong name fails before anything is recorded.
		for (const std::string &name : names) {
			const TGSound &sound = engine.GetSound(name);
			TCapturedSound captured;
			captured.Name = name;
			for (const TSoundCatalogueEntry &entry : entries)
				if (entry.Name == name)
					captured.Src = entry.Src;
			captured.IsMusic = sound.IsMusic;
			captured.Loaded = sound.Sample != nullptr;
			captured.Gain = ChannelGain(sound, options.SoundVolume, options.MusicVolume);
			try {
				captured.Source = ReadSourceInfo("audio/" + captured.Src);
			} catch (const EGameError &) {
				captured.Source = TSourceInfo{};
			}
			capture.Sounds.push_back(captured);
		}

		const size_t gap = SecondsToFrames(options.GapSeconds);
		WaitForFrames(raw, gap, realTime);
		for (TCapturedSound &sound : capture.Sounds) {
			const size_t length = RecordedLength(sound.Source) ? RecordedLength(sound.Source) : SecondsToFrames(0.5);
			sound.PlayBefore = RecordedFrames(raw);
			engine.PlaySound(sound.Name, -1);
			sound.PlayAfter = RecordedFrames(raw);
			sound.PlayingAtStart = engine.IsSoundPlaying(sound.Name);
			if (sound.IsMusic) {
				const size_t past = SecondsToFrames(options.MusicPastLoopSeconds);
				WaitForFrames(raw, sound.PlayAfter + length + past / 2, realTime);
				sound.PlayingPastLoop = engine.IsSoundPlaying(sound.Name);
				WaitForFrames(raw, sound.PlayAfter + length + past, realTime);
			} else
				WaitForFrames(raw, sound.PlayAfter + length + SecondsToFrames(options.EffectTailSeconds), realTime);
			sound.StopBefore = RecordedFrames(raw);
			engine.StopSound(sound.Name, 0);
			sound.StopAfter = RecordedFrames(raw);
			WaitForFrames(raw, sound.StopAfter + gap, realTime);
		}
		capture.EndFrames = RecordedFrames(raw);
	}
	return capture;
}

} // namespace vantero::soundcheck
