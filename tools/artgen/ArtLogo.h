// The game's title "Vantero Vista": gilded classical lettering on a carved laurel-and-stone crest.
#pragma once

#include "ArtCanvas.h"

namespace vantero::art {

// The title alone (transparent around it), about `width` px wide; `plaque` adds the carved stone
// plate behind the letters (for busy backgrounds).
Canvas DrawLogo(double width, bool plaque);

}  // namespace vantero::art
