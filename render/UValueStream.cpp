#include "render/UValueStream.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

namespace vantero {

namespace {

constexpr size_t ZlibChunk = 65536;
const char *const ReadErrorText = "Stream read error";

[[noreturn]] void ReadError()
{
	throw EStreamError(ReadErrorText);
}

bool IsAscii(std::string_view text)
{
	return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 128; });
}

} // namespace

// --- Extended precision ---

void DoubleToExtended(double value, uint8_t out[10])
{
	std::memset(out, 0, 10);
	uint64_t bits = 0;
	std::memcpy(&bits, &value, sizeof bits);
	const bool negative = (bits >> 63) != 0;
	const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
	uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
	uint16_t exponent80 = 0;
	uint64_t mantissa = 0;
	if (exponent == 0x7FF) {
		exponent80 = 0x7FFF;
		mantissa = uint64_t{1} << 63 | fraction << 11;
	} else if (exponent == 0) {
		if (fraction != 0) {
			// Denormal double: normalise, the extended form has room for its exponent.
			int shift = 0;
			while ((fraction & (uint64_t{1} << 52)) == 0) {
				fraction <<= 1;
				++shift;
			}
			exponent80 = static_cast<uint16_t>(1 - 1023 - shift + 16383);
			mantissa = fraction << 11;
		}
	} else {
		exponent80 = static_cast<uint16_t>(exponent - 1023 + 16383);
		mantissa = uint64_t{1} << 63 | fraction << 11;
	}
	if (negative)
		exponent80 |= 0x8000;
	for (int i = 0; i < 8; ++i)
		out[i] = static_cast<uint8_t>(mantissa >> (8 * i));
	out[8] = static_cast<uint8_t>(exponent80);
	out[9] = static_cast<uint8_t>(exponent80 >> 8);
}

double ExtendedToDouble(const uint8_t in[10])
{
	uint64_t mantissa = 0;
	for (int i = 0; i < 8; ++i)
		mantissa |= static_cast<uint64_t>(in[i]) << (8 * i);
	const uint16_t top = static_cast<uint16_t>(in[8] | in[9] << 8);
	const bool negative = (top & 0x8000) != 0;
	const int exponent = top & 0x7FFF;
	double result;
	if (exponent == 0x7FFF)
		result = (mantissa << 1) == 0 ? HUGE_VAL : std::nan("");
	else
		result = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
	return negative ? -result : result;
}

// --- Memory source ---

size_t TMemorySource::Read(uint8_t *data, size_t size)
{
	const size_t count = std::min(size, FSize - FPosition);
	if (count > 0)
		std::memcpy(data, FData + FPosition, count);
	FPosition += count;
	return count;
}

// --- Zlib file sink ---

struct TZlibFileSink::TState {
	z_stream Stream{};
	std::ofstream File;
	std::vector<uint8_t> Out = std::vector<uint8_t>(ZlibChunk);
	bool Open = false;
	bool Finished = false;
};

TZlibFileSink::TZlibFileSink(const std::string &path, int level) : FState(std::make_unique<TState>())
{
	FState->File.open(path, std::ios::binary | std::ios::trunc);
	if (!FState->File)
		RaiseGameError("Cannot create file \"" + path + "\"");
	if (deflateInit(&FState->Stream, level) != Z_OK)
		RaiseGameError("Cannot create file \"" + path + "\"");
	FState->Open = true;
}

TZlibFileSink::~TZlibFileSink()
{
	if (FState->Open)
		deflateEnd(&FState->Stream);
}

void TZlibFileSink::Pump(int flush)
{
	z_stream &s = FState->Stream;
	int result = Z_OK;
	do {
		s.next_out = FState->Out.data();
		s.avail_out = static_cast<uInt>(FState->Out.size());
		result = deflate(&s, flush);
		if (result == Z_STREAM_ERROR)
			RaiseGameError("Compression error");
		const size_t produced = FState->Out.size() - s.avail_out;
		FState->File.write(reinterpret_cast<const char *>(FState->Out.data()), static_cast<std::streamsize>(produced));
	} while (s.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
}

void TZlibFileSink::Write(const uint8_t *data, size_t size)
{
	z_stream &s = FState->Stream;
	while (size > 0) {
		const size_t part = std::min<size_t>(size, 1u << 30);
		s.next_in = const_cast<Bytef *>(data);
		s.avail_in = static_cast<uInt>(part);
		Pump(Z_NO_FLUSH);
		data += part;
		size -= part;
	}
}

void TZlibFileSink::Finish()
{
	if (FState->Finished)
		return;
	FState->Stream.next_in = nullptr;
	FState->Stream.avail_in = 0;
	Pump(Z_FINISH);
	FState->Finished = true;
	FState->File.close();
	if (FState->File.fail())
		RaiseGameError("Error writing compressed file");
}

// --- Zlib source ---

struct TZlibSource::TState {
	z_stream Stream{};
	std::ifstream File;
	bool FromFile = false;
	std::vector<uint8_t> In;
	bool Open = false;
	bool Ended = false;
};

TZlibSource::TZlibSource(const std::string &path) : FState(std::make_unique<TState>())
{
	FState->File.open(path, std::ios::binary);
	if (!FState->File)
		throw EStreamError("Cannot open file \"" + path + "\"");
	FState->FromFile = true;
	FState->In.resize(ZlibChunk);
	if (inflateInit(&FState->Stream) != Z_OK)
		throw EStreamError(ReadErrorText);
	FState->Open = true;
}

TZlibSource::TZlibSource(const uint8_t *data, size_t size) : FState(std::make_unique<TState>())
{
	FState->Stream.next_in = const_cast<Bytef *>(data);
	FState->Stream.avail_in = static_cast<uInt>(std::min<size_t>(size, UINT32_MAX));
	if (inflateInit(&FState->Stream) != Z_OK)
		throw EStreamError(ReadErrorText);
	FState->Open = true;
}

TZlibSource::~TZlibSource()
{
	if (FState->Open)
		inflateEnd(&FState->Stream);
}

bool TZlibSource::Refill()
{
	if (!FState->FromFile)
		return false;
	FState->File.read(reinterpret_cast<char *>(FState->In.data()), static_cast<std::streamsize>(FState->In.size()));
	const std::streamsize got = FState->File.gcount();
	if (got <= 0)
		return false;
	FState->Stream.next_in = FState->In.data();
	FState->Stream.avail_in = static_cast<uInt>(got);
	return true;
}

size_t TZlibSource::Read(uint8_t *data, size_t size)
{
	z_stream &s = FState->Stream;
	size_t done = 0;
	while (done < size && !FState->Ended) {
		if (s.avail_in == 0 && !Refill())
			ReadError(); // the compressed stream ends before its end marker
		const size_t part = std::min<size_t>(size - done, 1u << 30);
		s.next_out = data + done;
		s.avail_out = static_cast<uInt>(part);
		const uInt inBefore = s.avail_in;
		const int result = inflate(&s, Z_NO_FLUSH);
		done += part - s.avail_out;
		if (result == Z_BUF_ERROR && s.avail_out == part && s.avail_in == inBefore)
			ReadError(); // no progress possible
		if (result == Z_STREAM_END)
			FState->Ended = true;
		else if (result != Z_OK && result != Z_BUF_ERROR)
			ReadError();
	}
	return done;
}

// --- Value writer ---

TValueWriter::TValueWriter(IByteSink &sink, size_t bufferSize) : FSink(sink), FBuffer(std::max<size_t>(bufferSize, 16)) {}

TValueWriter::~TValueWriter()
{
	try {
		FlushBuffer();
	} catch (...) {
	}
}

void TValueWriter::FlushBuffer()
{
	if (FUsed == 0)
		return;
	const size_t used = FUsed;
	FUsed = 0;
	FSink.Write(FBuffer.data(), used);
}

void TValueWriter::Put(const void *data, size_t size)
{
	const uint8_t *bytes = static_cast<const uint8_t *>(data);
	if (FUsed + size > FBuffer.size()) {
		FlushBuffer();
		if (size >= FBuffer.size()) {
			FSink.Write(bytes, size);
			return;
		}
	}
	std::memcpy(FBuffer.data() + FUsed, bytes, size);
	FUsed += size;
}

void TValueWriter::WriteInteger(int32_t value)
{
	uint8_t bytes[5];
	size_t size;
	if (value >= -128 && value <= 127) {
		bytes[0] = static_cast<uint8_t>(TValueType::Int8);
		size = 1;
	} else if (value >= -32768 && value <= 32767) {
		bytes[0] = static_cast<uint8_t>(TValueType::Int16);
		size = 2;
	} else {
		bytes[0] = static_cast<uint8_t>(TValueType::Int32);
		size = 4;
	}
	const uint32_t bits = static_cast<uint32_t>(value);
	for (size_t i = 0; i < size; ++i)
		bytes[1 + i] = static_cast<uint8_t>(bits >> (8 * i));
	Put(bytes, 1 + size);
}

void TValueWriter::WriteBoolean(bool value)
{
	const uint8_t type = static_cast<uint8_t>(value ? TValueType::True : TValueType::False);
	Put(&type, 1);
}

void TValueWriter::WriteString(std::string_view text)
{
	if (IsAscii(text) && text.size() <= 255) {
		const uint8_t head[2] = {static_cast<uint8_t>(TValueType::String), static_cast<uint8_t>(text.size())};
		Put(head, 2);
	} else {
		const uint32_t length = static_cast<uint32_t>(text.size());
		uint8_t head[5] = {static_cast<uint8_t>(IsAscii(text) ? TValueType::LString : TValueType::UTF8String)};
		for (int i = 0; i < 4; ++i)
			head[1 + i] = static_cast<uint8_t>(length >> (8 * i));
		Put(head, 5);
	}
	Put(text.data(), text.size());
}

void TValueWriter::WriteChar(char c)
{
	WriteString(std::string_view(&c, 1));
}

void TValueWriter::WriteFloat(double value)
{
	uint8_t bytes[11] = {static_cast<uint8_t>(TValueType::Extended)};
	DoubleToExtended(value, bytes + 1);
	Put(bytes, 11);
}

void TValueWriter::WriteRaw(const void *data, size_t size)
{
	Put(data, size);
}

// --- Value reader ---

TValueReader::TValueReader(IByteSource &source, size_t bufferSize)
	: FSource(source), FBuffer(std::max<size_t>(bufferSize, 16))
{
}

bool TValueReader::Fill()
{
	FPosition = 0;
	FLimit = FSource.Read(FBuffer.data(), FBuffer.size());
	return FLimit > 0;
}

bool TValueReader::AtEnd()
{
	return FPosition >= FLimit && !Fill();
}

uint8_t TValueReader::ReadByte()
{
	if (FPosition >= FLimit && !Fill())
		ReadError();
	return FBuffer[FPosition++];
}

void TValueReader::ReadRaw(void *data, size_t size)
{
	uint8_t *out = static_cast<uint8_t *>(data);
	const size_t buffered = std::min(size, FLimit - FPosition);
	if (buffered > 0)
		std::memcpy(out, FBuffer.data() + FPosition, buffered);
	FPosition += buffered;
	size_t done = buffered;
	// Large blocks bypass the buffer.
	while (done < size) {
		if (size - done >= FBuffer.size()) {
			const size_t got = FSource.Read(out + done, size - done);
			if (got == 0)
				ReadError();
			done += got;
		} else {
			if (!Fill())
				ReadError();
			const size_t part = std::min(size - done, FLimit);
			std::memcpy(out + done, FBuffer.data(), part);
			FPosition = part;
			done += part;
		}
	}
}

TValueType TValueReader::ReadType()
{
	return static_cast<TValueType>(ReadByte());
}

int32_t TValueReader::ReadInteger()
{
	size_t size = 0;
	switch (ReadType()) {
	case TValueType::Int8: size = 1; break;
	case TValueType::Int16: size = 2; break;
	case TValueType::Int32: size = 4; break;
	default: throw EStreamError("Invalid property value");
	}
	uint8_t bytes[4] = {};
	ReadRaw(bytes, size);
	uint32_t bits = 0;
	for (size_t i = 0; i < size; ++i)
		bits |= static_cast<uint32_t>(bytes[i]) << (8 * i);
	// Sign-extend the short forms.
	if (size < 4 && (bits & (1u << (8 * size - 1))) != 0)
		bits |= ~((1u << (8 * size)) - 1);
	return static_cast<int32_t>(bits);
}

bool TValueReader::ReadBoolean()
{
	switch (ReadType()) {
	case TValueType::True: return true;
	case TValueType::False: return false;
	default: throw EStreamError("Invalid property value");
	}
}

std::string TValueReader::ReadString()
{
	size_t length = 0;
	const TValueType type = ReadType();
	if (type == TValueType::String) {
		length = ReadByte();
	} else if (type == TValueType::LString || type == TValueType::UTF8String) {
		uint8_t bytes[4];
		ReadRaw(bytes, 4);
		length = static_cast<size_t>(bytes[0]) | static_cast<size_t>(bytes[1]) << 8
			| static_cast<size_t>(bytes[2]) << 16 | static_cast<size_t>(bytes[3]) << 24;
	} else {
		throw EStreamError("Invalid property value");
	}
	// Read in chunks so that a corrupt length runs into the end of the stream before it can
	// claim a large block of memory.
	std::string text;
	constexpr size_t Chunk = 65536;
	while (text.size() < length) {
		const size_t part = std::min(Chunk, length - text.size());
		const size_t at = text.size();
		text.resize(at + part);
		ReadRaw(text.data() + at, part);
	}
	return text;
}

char TValueReader::ReadChar()
{
	const std::string text = ReadString();
	if (text.size() != 1)
		throw EStreamError("Invalid property value");
	return text[0];
}

double TValueReader::ReadFloat()
{
	if (ReadType() != TValueType::Extended)
		throw EStreamError("Invalid property value");
	uint8_t bytes[10];
	ReadRaw(bytes, 10);
	return ExtendedToDouble(bytes);
}

} // namespace vantero
