#include "render/UGraphicsFile.h"

#include <png.h>

#include <memory>
#include <vector>

namespace vantero {

TPNGFIle::TPNGFIle(const std::string &fileName, const uint8_t *data, size_t size)
{
	png_image image{};
	image.version = PNG_IMAGE_VERSION;
	if (!png_image_begin_read_from_memory(&image, data, size))
		DecodeError(fileName, image.message);
	// Alpha channels and tRNS chunks both count as transparency.
	const bool hasAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
	image.format = hasAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
	if (image.width == 0 || image.height == 0 || static_cast<size_t>(image.width) * image.height > MaxDecodedPixels) {
		png_image_free(&image);
		CheckSize(fileName, image.width, image.height);
	}
	const size_t channels = hasAlpha ? 4 : 3;
	const size_t width = image.width, height = image.height;
	std::vector<uint8_t> pixels(width * height * channels);
	if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
		const std::string message = image.message;
		png_image_free(&image);
		DecodeError(fileName, message);
	}
	png_image_free(&image);

	const int w = static_cast<int>(width), h = static_cast<int>(height);
	TGSoftwareSurface picture(w, h);
	std::unique_ptr<TGSoftwareSurface> alpha = hasAlpha ? std::make_unique<TGSoftwareSurface>(w, h) : nullptr;
	const uint8_t *source = pixels.data();
	for (int y = 0; y < h; ++y) {
		uint32_t *row = picture.Row(y);
		uint32_t *alphaRow = alpha ? alpha->Row(y) : nullptr;
		for (int x = 0; x < w; ++x, source += channels) {
			row[x] = 0xFF000000u | static_cast<uint32_t>(source[0]) << 16 | static_cast<uint32_t>(source[1]) << 8 | source[2];
			if (alphaRow)
				alphaRow[x] = 0xFF000000u | 0x010101u * source[3];
		}
	}
	AddStrip(fileName, std::move(picture), std::move(alpha));
}

} // namespace vantero
