#pragma once
// The tagged value encoding of the bundle files: each value is a type byte and its data
// (integers in the smallest of 1, 2 or 4 little-endian bytes, Booleans as a lone type byte,
// texts with a length, reals as 10-byte extended precision); raw blocks carry no type byte.
// Writers and readers sit on byte sinks and sources; the zlib ones compress with level 1.

#include "config/UUtils.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantero {

// A read past the end of a stream or a value of an unexpected type.
class EStreamError : public EGameError {
public:
	using EGameError::EGameError;
};

// Type bytes of the encoding.
enum class TValueType : uint8_t {
	Int8 = 2,
	Int16 = 3,
	Int32 = 4,
	Extended = 5,
	String = 6,
	False = 8,
	True = 9,
	LString = 12,
	UTF8String = 20,
};

// Where written bytes go.
class IByteSink {
public:
	virtual ~IByteSink() = default;
	virtual void Write(const uint8_t *data, size_t size) = 0;
};

// Where read bytes come from.
class IByteSource {
public:
	virtual ~IByteSource() = default;
	// Up to size bytes; fewer only at the end of the stream; throws EStreamError on corrupt data.
	virtual size_t Read(uint8_t *data, size_t size) = 0;
};

// Bytes into memory.
class TMemorySink : public IByteSink {
public:
	void Write(const uint8_t *data, size_t size) override { Bytes.insert(Bytes.end(), data, data + size); }
	std::vector<uint8_t> Bytes;
};

// Bytes out of a memory block (not owned).
class TMemorySource : public IByteSource {
public:
	TMemorySource(const uint8_t *data, size_t size) : FData(data), FSize(size) {}
	size_t Read(uint8_t *data, size_t size) override;

private:
	const uint8_t *FData;
	size_t FSize;
	size_t FPosition = 0;
};

// A zlib stream (compression level 1) written into a file. Finish completes the stream;
// a stream destroyed unfinished leaves an incomplete file.
class TZlibFileSink : public IByteSink {
public:
	// Creates (replaces) the file; EGameError when it cannot be created.
	explicit TZlibFileSink(const std::string &path, int level = 1);
	~TZlibFileSink() override;
	TZlibFileSink(const TZlibFileSink &) = delete;
	TZlibFileSink &operator=(const TZlibFileSink &) = delete;

	void Write(const uint8_t *data, size_t size) override;
	// Flushes the compressor, ends the stream and closes the file; EGameError when writing failed.
	void Finish();

private:
	void Pump(int flush);

	// The compressor state (zlib's z_stream, kept opaque here) and the file.
	struct TState;
	std::unique_ptr<TState> FState;
};

// A zlib stream read from a file, or from a memory block.
class TZlibSource : public IByteSource {
public:
	// Reads the file; EStreamError when it cannot be opened.
	explicit TZlibSource(const std::string &path);
	// Reads the block (not owned).
	TZlibSource(const uint8_t *data, size_t size);
	~TZlibSource() override;
	TZlibSource(const TZlibSource &) = delete;
	TZlibSource &operator=(const TZlibSource &) = delete;

	size_t Read(uint8_t *data, size_t size) override;

private:
	bool Refill();

	struct TState;
	std::unique_ptr<TState> FState;
};

// Writes values through a buffer (10240 bytes by default) into a sink.
class TValueWriter {
public:
	explicit TValueWriter(IByteSink &sink, size_t bufferSize = 10240);
	// Flushes what is buffered (errors are lost here; call FlushBuffer first to see them).
	~TValueWriter();
	TValueWriter(const TValueWriter &) = delete;
	TValueWriter &operator=(const TValueWriter &) = delete;

	void WriteInteger(int32_t value);
	void WriteBoolean(bool value);
	// ASCII up to 255 bytes: type 6; longer ASCII: type 12; anything else: type 20 with UTF-8 bytes.
	void WriteString(std::string_view text);
	// A text of length 1.
	void WriteChar(char c);
	// Type 5 and the value as 10-byte extended precision.
	void WriteFloat(double value);
	// Bytes without a type byte.
	void WriteRaw(const void *data, size_t size);
	// Passes the buffered bytes to the sink.
	void FlushBuffer();

private:
	void Put(const void *data, size_t size);

	IByteSink &FSink;
	std::vector<uint8_t> FBuffer;
	size_t FUsed = 0;
};

// Reads values through a buffer (10240 bytes by default) from a source; every fault
// (end of stream, unexpected type) is an EStreamError.
class TValueReader {
public:
	explicit TValueReader(IByteSource &source, size_t bufferSize = 10240);
	TValueReader(const TValueReader &) = delete;
	TValueReader &operator=(const TValueReader &) = delete;

	int32_t ReadInteger();
	bool ReadBoolean();
	// A text of type 6, 12 or 20 (the bytes as stored).
	std::string ReadString();
	// A text of length 1.
	char ReadChar();
	double ReadFloat();
	// Exactly size bytes without a type byte.
	void ReadRaw(void *data, size_t size);
	// Whether the stream has no further byte.
	bool AtEnd();

private:
	uint8_t ReadByte();
	TValueType ReadType();
	bool Fill();

	IByteSource &FSource;
	std::vector<uint8_t> FBuffer;
	size_t FPosition = 0;
	size_t FLimit = 0;
};

// The 10-byte x87 extended-precision form of a double, and back.
void DoubleToExtended(double value, uint8_t out[10]);
double ExtendedToDouble(const uint8_t in[10]);

} // namespace vantero
