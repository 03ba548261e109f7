#include "render/UGraphicsFile.h"

#include <cstdio>
#include <jpeglib.h>

#include <csetjmp>
#include <cstring>
#include <vector>

namespace vantero {

namespace {

struct TJpegError {
	jpeg_error_mgr Manager;
	std::jmp_buf Jump;
	char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info)
{
	TJpegError *error = reinterpret_cast<TJpegError *>(info->err);
	info->err->format_message(info, error->Message);
	std::longjmp(error->Jump, 1);
}

// Warnings (corrupt or truncated data that the decoder can recover from) are not reported.
void IgnoreMessage(j_common_ptr, int) {}

// Decodes into RGB rows; false with the library's message on failure. Only plain data lives in
// this frame, so leaving it through longjmp skips no destructor.
bool DecodeJpeg(const uint8_t *data, size_t size, std::vector<uint8_t> &rgb, size_t &width, size_t &height,
	char *message)
{
	jpeg_decompress_struct info;
	TJpegError error;
	info.err = jpeg_std_error(&error.Manager);
	error.Manager.error_exit = ErrorExit;
	error.Manager.emit_message = IgnoreMessage;
	std::strcpy(error.Message, "unknown error");
	if (setjmp(error.Jump)) {
		jpeg_destroy_decompress(&info);
		std::memcpy(message, error.Message, JMSG_LENGTH_MAX);
		return false;
	}
	jpeg_create_decompress(&info);
	jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
	jpeg_read_header(&info, TRUE);
	info.out_color_space = JCS_RGB;
	width = info.image_width;
	height = info.image_height;
	if (width == 0 || height == 0 || width * height > MaxDecodedPixels) {
		jpeg_destroy_decompress(&info);
		std::strcpy(message, width == 0 || height == 0 ? "image has no pixels" : "image too large");
		return false;
	}
	jpeg_start_decompress(&info);
	if (info.output_components != 3 || info.output_width != width || info.output_height != height) {
		jpeg_destroy_decompress(&info);
		std::strcpy(message, "unexpected output format");
		return false;
	}
	rgb.resize(width * height * 3);
	while (info.output_scanline < info.output_height) {
		JSAMPROW row = rgb.data() + static_cast<size_t>(info.output_scanline) * width * 3;
		if (jpeg_read_scanlines(&info, &row, 1) != 1)
			break;
	}
	jpeg_finish_decompress(&info);
	jpeg_destroy_decompress(&info);
	return true;
}

} // namespace

TJPGFile::TJPGFile(const std::string &fileName, const uint8_t *data, size_t size)
{
	std::vector<uint8_t> rgb;
	size_t width = 0, height = 0;
	char message[JMSG_LENGTH_MAX] = {};
	if (!DecodeJpeg(data, size, rgb, width, height, message))
		DecodeError(fileName, message);
	const int w = static_cast<int>(width), h = static_cast<int>(height);
	TGSoftwareSurface picture(w, h);
	const uint8_t *source = rgb.data();
	for (int y = 0; y < h; ++y) {
		uint32_t *row = picture.Row(y);
		for (int x = 0; x < w; ++x, source += 3)
			row[x] = 0xFF000000u | static_cast<uint32_t>(source[0]) << 16 | static_cast<uint32_t>(source[1]) << 8 | source[2];
	}
	AddStrip(fileName, std::move(picture), nullptr);
}

} // namespace vantero
