#include "render/UGraphicsFile.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace vantero {

namespace {

// The encoded bytes being read.
struct TGifInput {
	const uint8_t *Data;
	size_t Size;
	size_t Position;
};

int ReadGifBytes(GifFileType *gif, GifByteType *buffer, int count)
{
	TGifInput &input = *static_cast<TGifInput *>(gif->UserData);
	const size_t part = std::min(static_cast<size_t>(std::max(count, 0)), input.Size - input.Position);
	std::memcpy(buffer, input.Data + input.Position, part);
	input.Position += part;
	return static_cast<int>(part);
}

// Closes the decoder whichever way decoding ends.
struct TGifCloser {
	GifFileType *Gif;
	~TGifCloser()
	{
		int error = 0;
		if (Gif)
			DGifCloseFile(Gif, &error);
	}
};

std::string GifError(int code)
{
	const char *text = GifErrorString(code);
	return text ? text : "GIF error " + std::to_string(code);
}

} // namespace

TGIFFile::TGIFFile(const std::string &fileName, const uint8_t *data, size_t size)
{
	TGifInput input{data, size, 0};
	int error = 0;
	GifFileType *gif = DGifOpen(&input, ReadGifBytes, &error);
	if (!gif)
		DecodeError(fileName, GifError(error));
	TGifCloser closer{gif};

	const int width = gif->SWidth, height = gif->SHeight;
	CheckSize(fileName, static_cast<size_t>(std::max(width, 0)), static_cast<size_t>(std::max(height, 0)));
	const size_t canvasPixels = static_cast<size_t>(width) * static_cast<size_t>(height);
	TGSoftwareSurface canvas(width, height, 0xFF000000u | ColourKeyRgb);
	// Every image is drawn onto the canvas over the images before it; frame i shows images 0 .. i.
	std::vector<TGSoftwareSurface> accumulated;
	int transparent = -1;
	std::vector<GifPixelType> line;

	for (bool done = false; !done;) {
		GifRecordType type;
		if (DGifGetRecordType(gif, &type) == GIF_ERROR)
			DecodeError(fileName, GifError(gif->Error));
		switch (type) {
		case IMAGE_DESC_RECORD_TYPE: {
			if (DGifGetImageDesc(gif) == GIF_ERROR)
				DecodeError(fileName, GifError(gif->Error));
			const GifImageDesc &desc = gif->Image;
			if (desc.Width <= 0 || desc.Height <= 0
				|| static_cast<size_t>(desc.Width) * static_cast<size_t>(desc.Height) > MaxDecodedPixels)
				DecodeError(fileName, "bad image size");
			if ((accumulated.size() + 1) * canvasPixels > MaxDecodedPixels)
				DecodeError(fileName, "image too large");
			const ColorMapObject *map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
			line.assign(static_cast<size_t>(desc.Width), 0);
			auto drawRow = [&](int row) {
				const int y = desc.Top + row;
				if (y < 0 || y >= height)
					return;
				uint32_t *target = canvas.Row(y);
				for (int i = 0; i < desc.Width; ++i) {
					const int x = desc.Left + i;
					const int index = line[static_cast<size_t>(i)];
					if (x < 0 || x >= width || index == transparent)
						continue;
					uint32_t colour = 0;
					if (map && index < map->ColorCount) {
						const GifColorType &c = map->Colors[index];
						colour = static_cast<uint32_t>(c.Red) << 16 | static_cast<uint32_t>(c.Green) << 8 | c.Blue;
					}
					target[x] = 0xFF000000u | colour;
				}
			};
			auto readRow = [&](int row) {
				if (DGifGetLine(gif, line.data(), desc.Width) == GIF_ERROR)
					DecodeError(fileName, GifError(gif->Error));
				drawRow(row);
			};
			if (desc.Interlace) {
				static constexpr int Start[] = {0, 4, 2, 1};
				static constexpr int Step[] = {8, 8, 4, 2};
				for (int pass = 0; pass < 4; ++pass)
					for (int row = Start[pass]; row < desc.Height; row += Step[pass])
						readRow(row);
			} else {
				for (int row = 0; row < desc.Height; ++row)
					readRow(row);
			}
			accumulated.push_back(canvas);
			// A graphic control block applies to the one image after it.
			transparent = -1;
			break;
		}
		case EXTENSION_RECORD_TYPE: {
			int code = 0;
			GifByteType *extension = nullptr;
			if (DGifGetExtension(gif, &code, &extension) == GIF_ERROR)
				DecodeError(fileName, GifError(gif->Error));
			if (code == GRAPHICS_EXT_FUNC_CODE && extension && extension[0] >= 4) {
				GraphicsControlBlock block;
				if (DGifExtensionToGCB(extension[0], extension + 1, &block) == GIF_OK)
					transparent = block.TransparentColor;
			}
			while (extension) {
				if (DGifGetExtensionNext(gif, &extension) == GIF_ERROR)
					DecodeError(fileName, GifError(gif->Error));
			}
			break;
		}
		case TERMINATE_RECORD_TYPE:
			done = true;
			break;
		default:
			break;
		}
	}

	if (accumulated.empty())
		DecodeError(fileName, "no image");
	if (accumulated.size() == 1) {
		AddStrip(fileName, std::move(accumulated.front()), nullptr);
		return;
	}
	for (TGSoftwareSurface &frame : accumulated)
		Frames.push_back(TGraphicsFrame{std::make_unique<TGSoftwareSurface>(std::move(frame)), nullptr});
}

} // namespace vantero
