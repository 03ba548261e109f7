#pragma once
// The packed form of a graphics folder (".gfx"): per picture four 256-byte text records (AlphaKind,
// file path, whether a companion follows, data size) and the encoded picture data, the companion
// in the same form after it, and a signature record at the end.

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantero {

// The text of the record that ends a ".gfx".
extern const char *const GfxSignature;
// Size of one record.
constexpr size_t GfxRecordSize = 256;

// One picture of an entry: its AlphaKind, path as scanned and encoded data.
struct TGfxPicture {
	int AlphaKind = 2;
	std::string Path;
	std::vector<uint8_t> Data;
};

// A picture and its optional alpha companion.
struct TGfxEntry {
	TGfxPicture Picture;
	std::optional<TGfxPicture> Companion;
};

// The record of a text: the text (cut to 256 bytes), then zero bytes to 256.
std::string GfxRecord(std::string_view text);

// Writes a ".gfx" entry by entry.
class TGfxWriter {
public:
	// Creates (replaces) the file; EGameError when it cannot be created.
	explicit TGfxWriter(const std::string &path);
	TGfxWriter(const TGfxWriter &) = delete;
	TGfxWriter &operator=(const TGfxWriter &) = delete;

	// The picture's entry, then the companion's when there is one.
	void WriteEntry(const TGfxPicture &picture, const TGfxPicture *companion);
	// Writes the signature record and closes the file; EGameError when writing failed.
	void Finish();

private:
	void WritePicture(const TGfxPicture &picture, bool companionFollows);
	void WriteRecord(std::string_view text);

	std::string FPath;
	std::ofstream FFile;
};

// Reads the entries of a ".gfx" held in memory.
class TGfxReader {
public:
	// fileName names the file in error messages.
	TGfxReader(std::string fileName, std::vector<uint8_t> bytes);

	// The next entry; false at the signature or at the end of the data. A record or block cut
	// short, or a record that is not what its place requires, raises
	// "GFX "<file>" is corrupt!".
	bool Next(TGfxEntry &entry);

private:
	// The text of the next record; nothing at the very end of the data.
	std::optional<std::string> ReadRecord();
	std::string RequireRecord();
	int ReadNumber();
	TGfxPicture ReadPicture(std::string alphaKindText, bool &companionFollows);
	[[noreturn]] void Corrupt() const;

	std::string FFileName;
	std::vector<uint8_t> FBytes;
	size_t FPosition = 0;
	bool FEnded = false;
};

} // namespace vantero
