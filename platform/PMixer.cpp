#include "platform/PMixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace vantero::platform {

namespace {

thread_local int LastError = meOk;

bool Fail(int code)
{
	LastError = code;
	return false;
}

bool ValidChannel(int channel)
{
	return channel >= 0 && channel < Mix_AllocateChannels(-1);
}

// Starts the audio subsystem, on the dummy driver when asked, whatever the environment chose.
bool StartAudioDriver(bool dummy)
{
	std::optional<std::string> previous;
	if (dummy) {
		if (const char *hint = SDL_GetHint(SDL_HINT_AUDIODRIVER))
			previous = hint;
		SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
	}
	const int result = SDL_InitSubSystem(SDL_INIT_AUDIO);
	if (dummy) {
		if (previous)
			SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, previous->c_str(), SDL_HINT_OVERRIDE);
		else
			SDL_ResetHint(SDL_HINT_AUDIODRIVER);
	}
	return result == 0 || Fail(meDriver);
}

} // namespace

int MixerLastError()
{
	return LastError;
}

std::string MixerErrorText()
{
	return Mix_GetError();
}

void TMixerSampleDeleter::operator()(Mix_Chunk *chunk) const
{
	Mix_FreeChunk(chunk);
}

std::unique_ptr<TMixerDevice> TMixerDevice::Open(bool noSound)
{
	if (!StartAudioDriver(noSound))
		return nullptr;
	if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
		SDL_QuitSubSystem(SDL_INIT_AUDIO);
		Fail(meDevice);
		return nullptr;
	}
	Mix_Init(MIX_INIT_OGG | MIX_INIT_MP3);
	LastError = meOk;
	return std::make_unique<TMixerDevice>(TOpened{});
}

TMixerDevice::~TMixerDevice()
{
	Mix_CloseAudio();
	SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::string TMixerDevice::DriverName() const
{
	const char *name = SDL_GetCurrentAudioDriver();
	return name ? name : "";
}

TMixerSample MixerLoadSample(const std::string &path)
{
	SDL_RWops *file = SDL_RWFromFile(path.c_str(), "rb");
	if (!file) {
		Fail(meFileOpen);
		return nullptr;
	}
	Mix_Chunk *chunk = Mix_LoadWAV_RW(file, 1);
	if (!chunk) {
		Fail(meFileFormat);
		return nullptr;
	}
	return TMixerSample(chunk);
}

int MixerChannelCount()
{
	return Mix_AllocateChannels(-1);
}

void MixerAllocateChannels(int count)
{
	if (count > Mix_AllocateChannels(-1))
		Mix_AllocateChannels(count);
}

bool MixerIsPlaying(int channel)
{
	return ValidChannel(channel) && Mix_Playing(channel) != 0;
}

const Mix_Chunk *MixerChannelSample(int channel)
{
	return ValidChannel(channel) ? Mix_GetChunk(channel) : nullptr;
}

bool MixerPlay(int channel, Mix_Chunk *sample, bool loop)
{
	if (!ValidChannel(channel) || !sample)
		return Fail(meHandle);
	if (Mix_PlayChannel(channel, sample, loop ? -1 : 0) != channel)
		return Fail(meStart);
	return true;
}

void MixerSetVolume(int channel, double volume)
{
	if (!ValidChannel(channel))
		return;
	const double clamped = std::clamp(volume, 0.0, 100.0);
	Mix_Volume(channel, static_cast<int>(std::lround(clamped * MIX_MAX_VOLUME / 100.0)));
}

void MixerHalt(int channel)
{
	if (ValidChannel(channel))
		Mix_HaltChannel(channel);
}

} // namespace vantero::platform
