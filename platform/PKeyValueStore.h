#pragma once
// A per-user store of named integer and byte-array values kept in one file.
//
// Every operation reads the file afresh, so several stores opened on the same file see one
// another's writes at once. Every write rewrites the whole file atomically: the new contents go
// to "<file>.tmp", are flushed to disk, and replace the file by rename; a crash leaves either
// the old or the new file, never a torn one. Writers in several processes are serialised with
// flock on the store's folder. A file that cannot be parsed is moved aside to "<file>.corrupt"
// and the store continues empty (every reader then sees its defaults).
//
// File format (ASCII text, every line ends with "\n"):
//   VanteroStore 1                  version line
//   I <name> <value>                an integer value, decimal, 32-bit signed
//   B <name> <hex>                  a byte-array value, two lower-case hex digits a byte (may be empty)
//   end <count>                     the number of value lines above; nothing may follow
// <name> is the value name with '%' and every byte outside '!'..'~' written as %XX (upper-case hex).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantero::platform {

class TKeyValueStore {
public:
	// Opens the store file at Path, creating its folder when missing. Nothing when the folder
	// cannot be created or the file exists but cannot be read.
	static std::unique_ptr<TKeyValueStore> Open(const std::string &path);

	TKeyValueStore(const TKeyValueStore &) = delete;
	TKeyValueStore &operator=(const TKeyValueStore &) = delete;

	// The integer value of that name; nothing when absent or of the other type.
	std::optional<int32_t> Integer(std::string_view name) const;
	// The byte-array value of that name; nothing when absent or of the other type.
	std::optional<std::vector<uint8_t>> Bytes(std::string_view name) const;
	// Whether a value of that name exists, of either type.
	bool Contains(std::string_view name) const;
	// Stores an integer value (replacing any value of that name); false when the file could not be written.
	bool SetInteger(std::string_view name, int32_t value);
	// Stores a byte-array value (replacing any value of that name); false when the file could not be written.
	bool SetBytes(std::string_view name, const std::vector<uint8_t> &bytes);

	// The store file.
	const std::string &Path() const { return FilePath; }

private:
	// Only Open makes stores.
	struct TPasskey {
		explicit TPasskey() = default;
	};

public:
	TKeyValueStore(TPasskey, std::string path) : FilePath(std::move(path)) {}

private:

	// Where the values live.
	std::string FilePath;
};

// Called after the new contents are on disk and before they replace the store file. Tests use it
// to end a process at the worst moment of a write; empty in the game.
void SetStoreCommitHookForTesting(std::function<void()> hook);

} // namespace vantero::platform
