#pragma once
// A block of 32-bit ARGB pixels in memory (0xAARRGGBB, row-major from the top): the form in which
// decoded pictures reach the sprites that upload them into textures.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantero {

class TGSoftwareSurface {
public:
	// A width x height surface filled with the colour.
	TGSoftwareSurface(int width, int height, uint32_t fill = 0);

	int Width() const { return FWidth; }
	int Height() const { return FHeight; }
	// Pixel (x, y); no bounds check.
	uint32_t Pixel(int x, int y) const { return FPixels[Index(x, y)]; }
	void SetPixel(int x, int y, uint32_t argb) { FPixels[Index(x, y)] = argb; }
	// First pixel of row y (Width() pixels per row).
	uint32_t *Row(int y) { return FPixels.data() + Index(0, y); }
	const uint32_t *Row(int y) const { return FPixels.data() + Index(0, y); }

private:
	std::size_t Index(int x, int y) const
	{
		return static_cast<std::size_t>(y) * static_cast<std::size_t>(FWidth) + static_cast<std::size_t>(x);
	}

	// Size and pixels.
	int FWidth = 0;
	int FHeight = 0;
	std::vector<uint32_t> FPixels;
};

} // namespace vantero
