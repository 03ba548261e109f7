#pragma once
// Writers of small PNG, GIF and JPEG pictures in memory, for tests and the fuzzing seeds.

#include <gif_lib.h>
#include <png.h>
#include <cstdio>
#include <jpeglib.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace vantero::rendertest {

// --- Writers of small test pictures ---

// ARGB pixels of a w x h picture as PNG bytes (with an alpha channel when withAlpha).
inline std::vector<uint8_t> PngBytes(int w, int h, const std::vector<uint32_t> &argb, bool withAlpha)
{
	png_image image{};
	image.version = PNG_IMAGE_VERSION;
	image.width = static_cast<png_uint_32>(w);
	image.height = static_cast<png_uint_32>(h);
	image.format = withAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
	const size_t channels = withAlpha ? 4 : 3;
	std::vector<uint8_t> raw;
	for (const uint32_t p : argb) {
		raw.push_back(static_cast<uint8_t>(p >> 16));
		raw.push_back(static_cast<uint8_t>(p >> 8));
		raw.push_back(static_cast<uint8_t>(p));
		if (channels == 4)
			raw.push_back(static_cast<uint8_t>(p >> 24));
	}
	png_alloc_size_t size = 0;
	if (!png_image_write_to_memory(&image, nullptr, &size, 0, raw.data(), 0, nullptr))
		return {};
	std::vector<uint8_t> bytes(size);
	if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, raw.data(), 0, nullptr))
		return {};
	bytes.resize(size);
	return bytes;
}

// One image of a GIF: its rectangle on the canvas and palette indices, row-major.
struct TGifImage {
	int Left = 0, Top = 0, Width = 0, Height = 0;
	std::vector<uint8_t> Indices;
	int Transparent = -1;
};

// A GIF of the canvas size with the palette (RGB values) and the images, as bytes.
inline std::vector<uint8_t> GifBytes(int width, int height, const std::vector<uint32_t> &palette,
	const std::vector<TGifImage> &images)
{
	struct TOut {
		std::vector<uint8_t> Bytes;
	} out;
	auto write = [](GifFileType *gif, const GifByteType *data, int count) {
		auto &bytes = static_cast<TOut *>(gif->UserData)->Bytes;
		bytes.insert(bytes.end(), data, data + count);
		return count;
	};
	int error = 0;
	GifFileType *gif = EGifOpen(&out, write, &error);
	std::vector<GifColorType> colours(256);
	for (size_t i = 0; i < palette.size() && i < 256; ++i)
		colours[i] = GifColorType{static_cast<GifByteType>(palette[i] >> 16), static_cast<GifByteType>(palette[i] >> 8),
			static_cast<GifByteType>(palette[i])};
	ColorMapObject *map = GifMakeMapObject(256, colours.data());
	EGifPutScreenDesc(gif, width, height, 8, 0, map);
	for (const TGifImage &image : images) {
		if (image.Transparent >= 0) {
			GraphicsControlBlock block{};
			block.TransparentColor = image.Transparent;
			GifByteType extension[4];
			const size_t length = EGifGCBToExtension(&block, extension);
			EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension);
		}
		EGifPutImageDesc(gif, image.Left, image.Top, image.Width, image.Height, false, nullptr);
		std::vector<GifPixelType> line(static_cast<size_t>(image.Width));
		for (int y = 0; y < image.Height; ++y) {
			for (int x = 0; x < image.Width; ++x)
				line[static_cast<size_t>(x)] = image.Indices[static_cast<size_t>(y * image.Width + x)];
			EGifPutLine(gif, line.data(), image.Width);
		}
	}
	EGifCloseFile(gif, &error);
	GifFreeMapObject(map);
	return out.Bytes;
}

// RGB pixels (0xRRGGBB) as JPEG bytes of quality 100.
inline std::vector<uint8_t> JpegBytes(int w, int h, const std::vector<uint32_t> &rgb)
{
	jpeg_compress_struct info;
	jpeg_error_mgr error;
	info.err = jpeg_std_error(&error);
	jpeg_create_compress(&info);
	unsigned char *buffer = nullptr;
	unsigned long size = 0;
	jpeg_mem_dest(&info, &buffer, &size);
	info.image_width = static_cast<JDIMENSION>(w);
	info.image_height = static_cast<JDIMENSION>(h);
	info.input_components = 3;
	info.in_color_space = JCS_RGB;
	jpeg_set_defaults(&info);
	jpeg_set_quality(&info, 100, TRUE);
	jpeg_start_compress(&info, TRUE);
	std::vector<uint8_t> row(static_cast<size_t>(w) * 3);
	for (int y = 0; y < h; ++y) {
		for (int x = 0; x < w; ++x) {
			const uint32_t p = rgb[static_cast<size_t>(y * w + x)];
			row[static_cast<size_t>(x) * 3] = static_cast<uint8_t>(p >> 16);
			row[static_cast<size_t>(x) * 3 + 1] = static_cast<uint8_t>(p >> 8);
			row[static_cast<size_t>(x) * 3 + 2] = static_cast<uint8_t>(p);
		}
		JSAMPROW rows[1] = {row.data()};
		jpeg_write_scanlines(&info, rows, 1);
	}
	jpeg_finish_compress(&info);
	jpeg_destroy_compress(&info);
	std::vector<uint8_t> bytes(buffer, buffer + size);
	free(buffer);
	return bytes;
}

// w x h pixels of one colour.
inline std::vector<uint32_t> Solid(int w, int h, uint32_t argb)
{
	return std::vector<uint32_t>(static_cast<size_t>(w) * static_cast<size_t>(h), argb);
}

// A picture whose pixel (x, y) is opaque with red 8x, green 8y, blue 40.
inline std::vector<uint32_t> Gradient(int w, int h)
{
	std::vector<uint32_t> pixels;
	for (int y = 0; y < h; ++y)
		for (int x = 0; x < w; ++x)
			pixels.push_back(0xFF000000u | (static_cast<uint32_t>(8 * x) & 255) << 16 | (static_cast<uint32_t>(8 * y) & 255) << 8 | 40);
	return pixels;
}

} // namespace vantero::rendertest
