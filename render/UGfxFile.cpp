#include "render/UGfxFile.h"

#include "config/UConfigKeys.h"
#include "config/UUtils.h"

#include <algorithm>
#include <cstring>

namespace vantero {

const char *const GfxSignature = "< GREYHARBOUR - THE FINEST PORT ON THE SEA >";

std::string GfxRecord(std::string_view text)
{
	std::string record(text.substr(0, GfxRecordSize));
	record.resize(GfxRecordSize, '\0');
	return record;
}

TGfxWriter::TGfxWriter(const std::string &path) : FPath(path), FFile(path, std::ios::binary | std::ios::trunc)
{
	if (!FFile)
		RaiseGameError("Cannot create file \"" + path + "\"");
}

void TGfxWriter::WriteRecord(std::string_view text)
{
	const std::string record = GfxRecord(text);
	FFile.write(record.data(), static_cast<std::streamsize>(record.size()));
}

void TGfxWriter::WritePicture(const TGfxPicture &picture, bool companionFollows)
{
	WriteRecord(std::to_string(picture.AlphaKind));
	WriteRecord(picture.Path);
	WriteRecord(companionFollows ? "1" : "0");
	WriteRecord(std::to_string(picture.Data.size()));
	FFile.write(reinterpret_cast<const char *>(picture.Data.data()), static_cast<std::streamsize>(picture.Data.size()));
}

void TGfxWriter::WriteEntry(const TGfxPicture &picture, const TGfxPicture *companion)
{
	WritePicture(picture, companion != nullptr);
	if (companion)
		WritePicture(*companion, false);
}

void TGfxWriter::Finish()
{
	WriteRecord(GfxSignature);
	FFile.close();
	if (FFile.fail())
		RaiseGameError("Error writing file \"" + FPath + "\"");
}

TGfxReader::TGfxReader(std::string fileName, std::vector<uint8_t> bytes)
	: FFileName(std::move(fileName)), FBytes(std::move(bytes))
{
}

void TGfxReader::Corrupt() const
{
	RaiseGameError("GFX \"" + FFileName + "\" is corrupt!");
}

std::optional<std::string> TGfxReader::ReadRecord()
{
	if (FPosition == FBytes.size())
		return std::nullopt;
	if (FBytes.size() - FPosition < GfxRecordSize)
		Corrupt();
	const char *start = reinterpret_cast<const char *>(FBytes.data() + FPosition);
	FPosition += GfxRecordSize;
	// The text ends at the first zero byte.
	return std::string(start, strnlen(start, GfxRecordSize));
}

std::string TGfxReader::RequireRecord()
{
	std::optional<std::string> record = ReadRecord();
	if (!record)
		Corrupt();
	return *record;
}

TGfxPicture TGfxReader::ReadPicture(std::string alphaKindText, bool &companionFollows)
{
	TGfxPicture picture;
	const std::optional<int> alphaKind = ParseInteger(alphaKindText);
	if (!alphaKind || *alphaKind < 0 || *alphaKind > 255)
		Corrupt();
	picture.AlphaKind = *alphaKind;
	picture.Path = RequireRecord();
	const std::string flag = RequireRecord();
	if (flag != "0" && flag != "1")
		Corrupt();
	companionFollows = flag == "1";
	const std::optional<int> size = ParseInteger(RequireRecord());
	if (!size || *size < 0 || static_cast<size_t>(*size) > FBytes.size() - FPosition)
		Corrupt();
	const auto begin = FBytes.begin() + static_cast<std::ptrdiff_t>(FPosition);
	picture.Data.assign(begin, begin + *size);
	FPosition += static_cast<size_t>(*size);
	return picture;
}

bool TGfxReader::Next(TGfxEntry &entry)
{
	if (FEnded)
		return false;
	const std::optional<std::string> first = ReadRecord();
	if (!first || *first == GfxSignature) {
		FEnded = true;
		return false;
	}
	bool companion = false;
	entry.Picture = ReadPicture(*first, companion);
	entry.Companion.reset();
	if (companion) {
		bool nested = false;
		entry.Companion = ReadPicture(RequireRecord(), nested);
		// A companion has no companion of its own.
		if (nested)
			Corrupt();
	}
	return true;
}

} // namespace vantero
