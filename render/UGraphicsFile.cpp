#include "render/UGraphicsFile.h"

#include "config/UUtils.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>

namespace vantero {

namespace {

// A w x h block of a surface from x on, full height.
TGSoftwareSurface Crop(const TGSoftwareSurface &source, int x, int width)
{
	TGSoftwareSurface part(width, source.Height());
	for (int y = 0; y < source.Height(); ++y)
		std::copy_n(source.Row(y) + x, width, part.Row(y));
	return part;
}

// DitherTable[v][k]: the channel value v at pattern index k.
const std::array<std::array<uint8_t, 4>, 256> &DitherTable()
{
	static const auto table = [] {
		std::array<std::array<uint8_t, 4>, 256> t{};
		for (int v = 0; v < 256; ++v) {
			for (int k = 0; k < 4; ++k) {
				const int c = (v / 2) % 4;
				const bool up = (c == 1 && k == 2) || (c == 2 && (k == 1 || k == 2)) || (c == 3 && k != 0);
				const int cleared = v & ~7;
				t[static_cast<size_t>(v)][static_cast<size_t>(k)] =
					static_cast<uint8_t>(up && cleared < 248 ? cleared + 8 : cleared);
			}
		}
		return t;
	}();
	return table;
}

} // namespace

void TGraphicsFile::DecodeError(const std::string &fileName, const std::string &reason)
{
	RaiseGameError("Cannot decode \"" + fileName + "\": " + reason);
}

void TGraphicsFile::CheckSize(const std::string &fileName, size_t width, size_t height)
{
	if (width == 0 || height == 0)
		DecodeError(fileName, "image has no pixels");
	if (width > MaxDecodedPixels || height > MaxDecodedPixels || width * height > MaxDecodedPixels)
		DecodeError(fileName, "image too large");
}

void TGraphicsFile::AddStrip(const std::string &fileName, TGSoftwareSurface picture,
	std::unique_ptr<TGSoftwareSurface> alpha)
{
	// More frames than columns would only make empty frames.
	const int count = std::clamp(FrameCountFromName(fileName), 1, std::max(1, picture.Width()));
	if (count == 1) {
		Frames.push_back(TGraphicsFrame{std::make_unique<TGSoftwareSurface>(std::move(picture)), std::move(alpha)});
		return;
	}
	const int width = picture.Width() / count;
	for (int i = 0; i < count; ++i) {
		TGraphicsFrame frame;
		frame.Picture = std::make_unique<TGSoftwareSurface>(Crop(picture, i * width, width));
		if (alpha)
			frame.AlphaPicture = std::make_unique<TGSoftwareSurface>(Crop(*alpha, i * width, width));
		Frames.push_back(std::move(frame));
	}
}

void TGraphicsFile::Dither()
{
	for (TGraphicsFrame &frame : Frames) {
		DitherPicture(*frame.Picture);
		if (frame.AlphaPicture)
			DitherPicture(*frame.AlphaPicture);
	}
}

uint8_t DitherValue(uint8_t v, int k)
{
	return DitherTable()[v][static_cast<size_t>(k & 3)];
}

void DitherPicture(TGSoftwareSurface &picture)
{
	const auto &table = DitherTable();
	int p = 0;
	for (int y = 0; y < picture.Height(); ++y) {
		p ^= 2;
		uint32_t *row = picture.Row(y);
		for (int x = 0; x < picture.Width(); ++x) {
			p ^= 1;
			const uint32_t pixel = row[x];
			if ((pixel & 0xFFFFFF) == ColourKeyRgb)
				continue;
			const auto &column = [&](int shift) {
				return static_cast<uint32_t>(table[(pixel >> shift) & 0xFF][static_cast<size_t>(p)]) << shift;
			};
			row[x] = (pixel & 0xFF000000u) | column(16) | column(8) | column(0);
		}
	}
}

int FrameCountFromName(std::string_view path)
{
	const size_t first = path.find('.');
	if (first == std::string_view::npos)
		return 1;
	const size_t second = path.find('.', first + 1);
	if (second == std::string_view::npos)
		return 1;
	const std::string_view text = path.substr(first + 1, second - first - 1);
	if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
		return 1;
	const int count = std::stoi(std::string(text));
	return count < 1 ? 1 : count;
}

std::unique_ptr<TGraphicsFile> DecodeGraphicsFile(const std::string &fileName, const uint8_t *data, size_t size)
{
	const std::string ending = FileExtension3(fileName);
	if (ending == "jpg")
		return std::make_unique<TJPGFile>(fileName, data, size);
	if (ending == "gif")
		return std::make_unique<TGIFFile>(fileName, data, size);
	if (ending == "png")
		return std::make_unique<TPNGFIle>(fileName, data, size);
	return nullptr;
}

std::vector<uint8_t> ReadFileBytes(const std::string &path)
{
	std::ifstream file(path, std::ios::binary);
	if (!file)
		RaiseGameError("Cannot open file \"" + path + "\"");
	std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
	if (file.bad())
		RaiseGameError("Cannot open file \"" + path + "\"");
	return bytes;
}

} // namespace vantero
