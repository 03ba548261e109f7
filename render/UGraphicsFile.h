#pragma once
// Decoded image files (JPEG, GIF, PNG) as lists of frames, each an opaque picture
// (0xFFRRGGBB) with an optional alpha picture (alpha as grey). Still pictures are strips of
// as many equal frames as the number between the first two dots of the file name says; GIF
// animations give one frame per image, accumulated. The colour 0xFF00FF marks transparent pixels.

#include "render/UGSoftwareSurface.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantero {

// The colour key of pictures without an alpha channel.
constexpr uint32_t ColourKeyRgb = 0xFF00FF;
// Most pixels one file may decode into (all frames together): larger files are refused.
constexpr size_t MaxDecodedPixels = size_t{1} << 24;

// One frame: the picture and, when the file has transparency, its alpha as grey.
struct TGraphicsFrame {
	std::unique_ptr<TGSoftwareSurface> Picture;
	std::unique_ptr<TGSoftwareSurface> AlphaPicture;
};

class TGraphicsFile {
public:
	virtual ~TGraphicsFile() = default;
	TGraphicsFile(const TGraphicsFile &) = delete;
	TGraphicsFile &operator=(const TGraphicsFile &) = delete;

	int FrameCount() const { return static_cast<int>(Frames.size()); }
	// The picture of frame i (0-based; std::out_of_range outside).
	const TGSoftwareSurface &Picture(int i) const { return *Frames.at(static_cast<size_t>(i)).Picture; }
	// The alpha picture of frame i; null when the file has no alpha.
	const TGSoftwareSurface *AlphaPicture(int i) const { return Frames.at(static_cast<size_t>(i)).AlphaPicture.get(); }
	// Dithers every frame's picture and alpha picture to 5 bits per channel (the colour key stays).
	void Dither();

public:
	// The frames in order; frame 0 gives the size of a sequence.
	std::vector<TGraphicsFrame> Frames;

protected:
	TGraphicsFile() = default;
	// Cuts the picture (and its alpha picture) into the strip of frames the file name asks for.
	void AddStrip(const std::string &fileName, TGSoftwareSurface picture, std::unique_ptr<TGSoftwareSurface> alpha);
	// EGameError "Cannot decode "<file>": <reason>".
	[[noreturn]] static void DecodeError(const std::string &fileName, const std::string &reason);
	// Refuses sizes of no pixels or of more than MaxDecodedPixels.
	static void CheckSize(const std::string &fileName, size_t width, size_t height);
};

// JPEG through libjpeg: no alpha.
class TJPGFile : public TGraphicsFile {
public:
	TJPGFile(const std::string &fileName, const uint8_t *data, size_t size);
};

// GIF through giflib: one image is a strip on magenta; several images are an animation.
class TGIFFile : public TGraphicsFile {
public:
	TGIFFile(const std::string &fileName, const uint8_t *data, size_t size);
};

// PNG through libpng: transparency (alpha channel or tRNS) gives alpha pictures.
class TPNGFIle : public TGraphicsFile {
public:
	TPNGFIle(const std::string &fileName, const uint8_t *data, size_t size);
};

// The frame count of a file name: the decimal number between the first and second dot of the
// path, 1 when there is none (or it is below 1).
int FrameCountFromName(std::string_view path);
// Decodes by the last three characters of the name ("jpg", "gif", "png", any case); null for others.
std::unique_ptr<TGraphicsFile> DecodeGraphicsFile(const std::string &fileName, const uint8_t *data, size_t size);
// The whole file; EGameError "Cannot open file "<path>"" when it cannot be read.
std::vector<uint8_t> ReadFileBytes(const std::string &path);

// The dithered value of a channel value v at pattern index k (0..3).
uint8_t DitherValue(uint8_t v, int k);
// Dithers one picture in place, leaving pixels of the colour key as they are.
void DitherPicture(TGSoftwareSurface &picture);

} // namespace vantero
