#include "audio/IGSoundEngine.h"

namespace vantero {

std::shared_ptr<IGSoundEngine> SoundEngine;

} // namespace vantero
