#include "ShotPng.h"

#include <png.h>

#include <cstdio>

namespace vantero::shot {

bool WriteFramePng(const std::string &path, int width, int height, const std::vector<uint32_t> &pixels)
{
	if (width <= 0 || height <= 0 || pixels.size() < static_cast<size_t>(width) * static_cast<size_t>(height))
		return false;
	FILE *file = std::fopen(path.c_str(), "wb");
	if (!file)
		return false;
	png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
	png_infop info = png ? png_create_info_struct(png) : nullptr;
	if (!png || !info || setjmp(png_jmpbuf(png))) {
		png_destroy_write_struct(&png, &info);
		std::fclose(file);
		return false;
	}
	png_init_io(png, file);
	png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
		PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
	png_write_info(png, info);
	std::vector<png_byte> row(static_cast<size_t>(width) * 3);
	for (int y = 0; y < height; ++y) {
		const uint32_t *source = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
		for (int x = 0; x < width; ++x) {
			row[static_cast<size_t>(x) * 3 + 0] = static_cast<png_byte>(source[x] >> 16);
			row[static_cast<size_t>(x) * 3 + 1] = static_cast<png_byte>(source[x] >> 8);
			row[static_cast<size_t>(x) * 3 + 2] = static_cast<png_byte>(source[x]);
		}
		png_write_row(png, row.data());
	}
	png_write_end(png, nullptr);
	png_destroy_write_struct(&png, &info);
	return std::fclose(file) == 0;
}

} // namespace vantero::shot
