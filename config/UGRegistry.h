#pragma once
// The per-user settings store: the key "\Software\Vantero Vista_16" of the current user, kept in
// "$XDG_CONFIG_HOME/Vantero Vista/Vantero Vista_16.store" (see platform/PKeyValueStore.h for the file).
// Each object opens the key on creation and closes it when destroyed; writes are visible at once
// to every other object on the key.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantero {

namespace platform {
class TKeyValueStore;
}

// The settings key under the current user.
inline constexpr std::string_view RegistryKey = "\\Software\\Vantero Vista_16";

// The file that holds RegistryKey; empty when the user has no configuration folder.
std::string RegistryStoreFile();

class TGRegistry {
public:
	// Opens the key (creating it when missing); raises "TGRegistry.Create failed" when it cannot be opened.
	TGRegistry();
	// Opens the store in that file instead (tests).
	explicit TGRegistry(const std::string &storeFile);
	// Closes the key.
	~TGRegistry();
	TGRegistry(const TGRegistry &) = delete;
	TGRegistry &operator=(const TGRegistry &) = delete;

	// The integer value of that name; the default unless it exists as an integer.
	int ReadInteger(std::string_view name, int defaultValue) const;
	// Stores an integer value; raises "TGRegistry.WriteInteger failed (Name)" when it cannot be saved.
	void WriteInteger(std::string_view name, int value);
	// The bytes of that name when it exists as a byte-array value, otherwise empty.
	std::vector<uint8_t> ReadBinary(std::string_view name) const;
	// Stores a byte-array value; raises "TGRegistry.WriteBinary failed (Name)" when it cannot be saved.
	void WriteBinary(std::string_view name, const std::vector<uint8_t> &bytes);
	// Whether a value of that name exists, of any type.
	bool ValueExists(std::string_view name) const;

private:
	// The open key.
	std::unique_ptr<platform::TKeyValueStore> Store;
};

} // namespace vantero
