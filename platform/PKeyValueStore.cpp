#include "platform/PKeyValueStore.h"

#include "platform/PPaths.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <map>
#include <mutex>
#include <variant>

namespace vantero::platform {

namespace {

using TValue = std::variant<int32_t, std::vector<uint8_t>>;
using TValues = std::map<std::string, TValue, std::less<>>;

const char *const kVersionLine = "VanteroStore 1";

std::function<void()> &CommitHook()
{
	static std::function<void()> hook;
	return hook;
}

// Serialises the store's users inside this process (flock serialises processes).
std::mutex &ProcessLock()
{
	static std::mutex lock;
	return lock;
}

std::string FolderOf(const std::string &path)
{
	const size_t slash = path.rfind('/');
	if (slash == std::string::npos)
		return ".";
	return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// Holds the process lock and an flock on the store's folder for one operation.
class TStoreLock {
public:
	explicit TStoreLock(const std::string &path) : Guard(ProcessLock())
	{
		FolderHandle = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
		if (FolderHandle >= 0) {
			while (::flock(FolderHandle, LOCK_EX) != 0 && errno == EINTR) {
			}
		}
	}
	~TStoreLock()
	{
		if (FolderHandle >= 0)
			::close(FolderHandle); // releases the flock
	}
	TStoreLock(const TStoreLock &) = delete;
	TStoreLock &operator=(const TStoreLock &) = delete;

	// The folder's handle, for syncing a rename; -1 when the folder could not be opened.
	int Folder() const { return FolderHandle; }

private:
	std::lock_guard<std::mutex> Guard;
	int FolderHandle = -1;
};

int HexDigit(char c)
{
	if (c >= '0' && c <= '9')
		return c - '0';
	if (c >= 'a' && c <= 'f')
		return c - 'a' + 10;
	if (c >= 'A' && c <= 'F')
		return c - 'A' + 10;
	return -1;
}

std::string EncodeName(std::string_view name)
{
	static const char digits[] = "0123456789ABCDEF";
	std::string result;
	for (const char c : name) {
		const auto byte = static_cast<unsigned char>(c);
		if (byte > ' ' && byte < 0x7F && byte != '%') {
			result += c;
		} else {
			result += '%';
			result += digits[byte >> 4];
			result += digits[byte & 15];
		}
	}
	return result;
}

std::optional<std::string> DecodeName(std::string_view text)
{
	std::string result;
	for (size_t i = 0; i < text.size(); ++i) {
		const auto byte = static_cast<unsigned char>(text[i]);
		if (byte == '%') {
			if (i + 2 >= text.size())
				return std::nullopt;
			const int high = HexDigit(text[i + 1]);
			const int low = HexDigit(text[i + 2]);
			if (high < 0 || low < 0)
				return std::nullopt;
			result += static_cast<char>(high * 16 + low);
			i += 2;
		} else if (byte > ' ' && byte < 0x7F) {
			result += text[i];
		} else {
			return std::nullopt;
		}
	}
	return result;
}

std::optional<std::vector<uint8_t>> DecodeHex(std::string_view text)
{
	if (text.size() % 2 != 0)
		return std::nullopt;
	std::vector<uint8_t> bytes;
	bytes.reserve(text.size() / 2);
	for (size_t i = 0; i < text.size(); i += 2) {
		const int high = HexDigit(text[i]);
		const int low = HexDigit(text[i + 1]);
		if (high < 0 || low < 0)
			return std::nullopt;
		bytes.push_back(static_cast<uint8_t>(high * 16 + low));
	}
	return bytes;
}

template <typename T>
std::optional<T> DecodeNumber(std::string_view text)
{
	T value{};
	const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
	if (text.empty() || error != std::errc() || end != text.data() + text.size())
		return std::nullopt;
	return value;
}

// Splits one line into exactly three fields separated by single blanks.
bool SplitLine(std::string_view line, std::string_view &kind, std::string_view &name, std::string_view &value)
{
	const size_t first = line.find(' ');
	if (first == std::string_view::npos)
		return false;
	const size_t second = line.find(' ', first + 1);
	if (second == std::string_view::npos || line.find(' ', second + 1) != std::string_view::npos)
		return false;
	kind = line.substr(0, first);
	name = line.substr(first + 1, second - first - 1);
	value = line.substr(second + 1);
	return true;
}

std::optional<TValues> Parse(std::string_view text)
{
	TValues values;
	size_t position = 0;
	size_t lineNumber = 0;
	size_t valueLines = 0;
	bool ended = false;
	while (position < text.size()) {
		const size_t end = text.find('\n', position);
		if (end == std::string_view::npos || ended)
			return std::nullopt; // an unterminated line, or text after the trailer
		const std::string_view line = text.substr(position, end - position);
		position = end + 1;
		if (lineNumber++ == 0) {
			if (line != kVersionLine)
				return std::nullopt;
			continue;
		}
		if (line.substr(0, 4) == "end ") {
			const auto count = DecodeNumber<size_t>(line.substr(4));
			if (!count || *count != valueLines)
				return std::nullopt;
			ended = true;
			continue;
		}
		std::string_view kind, encodedName, encodedValue;
		if (!SplitLine(line, kind, encodedName, encodedValue))
			return std::nullopt;
		auto name = DecodeName(encodedName);
		if (!name)
			return std::nullopt;
		if (kind == "I") {
			const auto number = DecodeNumber<int32_t>(encodedValue);
			if (!number)
				return std::nullopt;
			values[*name] = *number;
		} else if (kind == "B") {
			auto bytes = DecodeHex(encodedValue);
			if (!bytes)
				return std::nullopt;
			values[*name] = std::move(*bytes);
		} else {
			return std::nullopt;
		}
		++valueLines;
	}
	if (!ended)
		return std::nullopt;
	return values;
}

std::string Serialise(const TValues &values)
{
	static const char digits[] = "0123456789abcdef";
	std::string text = std::string(kVersionLine) + "\n";
	for (const auto &[name, value] : values) {
		if (const auto *number = std::get_if<int32_t>(&value)) {
			text += "I " + EncodeName(name) + " " + std::to_string(*number) + "\n";
		} else {
			text += "B " + EncodeName(name) + " ";
			for (const uint8_t byte : std::get<std::vector<uint8_t>>(value)) {
				text += digits[byte >> 4];
				text += digits[byte & 15];
			}
			text += "\n";
		}
	}
	text += "end " + std::to_string(values.size()) + "\n";
	return text;
}

enum class TReadState { Missing, Loaded, Unreadable };

// Reads the whole file; Unreadable when it exists but cannot be read.
TReadState ReadWholeFile(const std::string &path, std::string &text)
{
	text.clear();
	const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
	if (handle < 0)
		return errno == ENOENT ? TReadState::Missing : TReadState::Unreadable;
	struct stat info {};
	if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode)) {
		::close(handle);
		return TReadState::Unreadable;
	}
	char buffer[65536];
	for (;;) {
		const ssize_t count = ::read(handle, buffer, sizeof buffer);
		if (count < 0 && errno == EINTR)
			continue;
		if (count < 0) {
			::close(handle);
			return TReadState::Unreadable;
		}
		if (count == 0)
			break;
		text.append(buffer, static_cast<size_t>(count));
	}
	::close(handle);
	return TReadState::Loaded;
}

// The store's values (call with the store lock held). A file that cannot be parsed is moved
// aside and counts as empty; nothing when the file cannot be read at all.
std::optional<TValues> Load(const std::string &path)
{
	std::string text;
	switch (ReadWholeFile(path, text)) {
	case TReadState::Missing:
		return TValues();
	case TReadState::Unreadable:
		return std::nullopt;
	case TReadState::Loaded:
		break;
	}
	if (auto values = Parse(text))
		return values;
	const std::string aside = path + ".corrupt";
	if (::rename(path.c_str(), aside.c_str()) != 0)
		return std::nullopt; // cannot be set aside: do not write over what might still be saved
	std::fprintf(stderr, "The settings file \"%s\" could not be read and was moved to \"%s\".\n", path.c_str(),
		aside.c_str());
	return TValues();
}

bool WriteAll(int handle, const std::string &text)
{
	size_t written = 0;
	while (written < text.size()) {
		const ssize_t count = ::write(handle, text.data() + written, text.size() - written);
		if (count < 0 && errno == EINTR)
			continue;
		if (count <= 0)
			return false;
		written += static_cast<size_t>(count);
	}
	return true;
}

// Replaces the store file with the values (call with the store lock held).
bool Save(const std::string &path, const TValues &values, int folderHandle)
{
	const std::string temporary = path + ".tmp";
	const int handle = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
	if (handle < 0)
		return false;
	const bool written = WriteAll(handle, Serialise(values)) && ::fsync(handle) == 0;
	const bool closed = ::close(handle) == 0;
	if (!written || !closed) {
		::unlink(temporary.c_str());
		return false;
	}
	if (CommitHook())
		CommitHook()();
	if (::rename(temporary.c_str(), path.c_str()) != 0) {
		::unlink(temporary.c_str());
		return false;
	}
	if (folderHandle >= 0)
		::fsync(folderHandle); // makes the rename itself durable
	return true;
}

template <typename T>
std::optional<T> Lookup(const std::string &path, std::string_view name)
{
	const TStoreLock lock(path);
	const auto values = Load(path);
	if (!values)
		return std::nullopt;
	const auto found = values->find(name);
	if (found == values->end())
		return std::nullopt;
	if (const auto *value = std::get_if<T>(&found->second))
		return *value;
	return std::nullopt;
}

bool Store(const std::string &path, std::string_view name, TValue value)
{
	const TStoreLock lock(path);
	auto values = Load(path);
	if (!values)
		return false;
	(*values)[std::string(name)] = std::move(value);
	return Save(path, *values, lock.Folder());
}

} // namespace

std::unique_ptr<TKeyValueStore> TKeyValueStore::Open(const std::string &path)
{
	if (path.empty() || !ForceFolders(FolderOf(path)))
		return nullptr;
	{
		const TStoreLock lock(path);
		if (!Load(path))
			return nullptr;
	}
	return std::make_unique<TKeyValueStore>(TPasskey(), path);
}

std::optional<int32_t> TKeyValueStore::Integer(std::string_view name) const
{
	return Lookup<int32_t>(FilePath, name);
}

std::optional<std::vector<uint8_t>> TKeyValueStore::Bytes(std::string_view name) const
{
	return Lookup<std::vector<uint8_t>>(FilePath, name);
}

bool TKeyValueStore::Contains(std::string_view name) const
{
	const TStoreLock lock(FilePath);
	const auto values = Load(FilePath);
	return values && values->find(name) != values->end();
}

bool TKeyValueStore::SetInteger(std::string_view name, int32_t value)
{
	return Store(FilePath, name, value);
}

bool TKeyValueStore::SetBytes(std::string_view name, const std::vector<uint8_t> &bytes)
{
	return Store(FilePath, name, bytes);
}

void SetStoreCommitHookForTesting(std::function<void()> hook)
{
	CommitHook() = std::move(hook);
}

} // namespace vantero::platform
