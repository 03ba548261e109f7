#pragma once
// Writes a frame read back from the render device as a PNG file.

#include <cstdint>
#include <string>
#include <vector>

namespace vantero::shot {

// Writes width x height ARGB pixels (0xAARRGGBB, rows from the top) as an opaque RGB PNG; false on failure.
bool WriteFramePng(const std::string &path, int width, int height, const std::vector<uint32_t> &pixels);

} // namespace vantero::shot
