#pragma once
// The sound engine's interface: effects and music tracks played, faded and stopped by name.

#include <memory>
#include <string>

namespace vantero {

class IGSoundEngine {
public:
	virtual ~IGSoundEngine() = default;

	// Reads the configuration's Sound elements and loads every sample into the catalogue.
	virtual void LoadSounds() = 0;
	// Whether any instance of the named sound is playing.
	virtual bool IsSoundPlaying(const std::string &name) = 0;
	// Sets the volume (0..100) of every entry that is not music.
	virtual void SetSoundVolume(int volume) = 0;
	// Starts one more instance of the named sound; -1 means the volume of its category.
	virtual void PlaySound(const std::string &name, int volume) = 0;
	// Stops every instance of the named sound, at once when fadeTime <= 0, else fading out.
	virtual void StopSound(const std::string &name, double fadeTime) = 0;
	// Stops every effect at once, and the music too when includeMusic is set.
	virtual void StopAllSounds(bool includeMusic) = 0;
	// Slides the named sound's volume to 100 (fade in) or 0 (fade out) over time seconds.
	virtual void FadeSound(const std::string &name, bool fadeIn, double time) = 0;
	// Sets the volume (0..100) of every music entry.
	virtual void SetMusicVolume(int volume) = 0;
};

// The one engine of the run; reference-counted, cleared by the main form on closing.
extern std::shared_ptr<IGSoundEngine> SoundEngine;

} // namespace vantero
