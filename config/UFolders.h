#pragma once
// Folders and files of the game: the per-user cache folder, deleting files by mask, the checksum
// that tells whether the graphics changed, the single-instance lock and the Media Center start.

#include <cstdint>
#include <string>
#include <string_view>

namespace vantero {

// The user's cache folder followed by "/Vantero Vista/", both created when missing;
// raises "SHGetSpecialFolderPath failed!" when no such folder can be had.
std::string CacheFolder();

// Whether the file name matches a mask of '*' (any run) and '?' (one character), compared
// without regard to ASCII case; "*.*" matches every name.
bool MatchesMask(std::string_view name, std::string_view mask);
// Whether the folder holds a file (not a folder) whose name matches the mask.
bool FileMatchExists(const std::string &folder, std::string_view mask);

// Deletes every file matching Mask in Folder (and in its subfolders when Recursive, not following
// links to folders); true when every matching file was deleted (also when there was none).
bool DeleteFiles(const std::string &folder, std::string_view mask, bool recursive);

// The 32-bit checksum of a folder tree: the exclusive-or of the little-endian words of its listing.
uint32_t FolderChecksum(const std::string &folder);
// The listing FolderChecksum sums, before its padding (for diagnostics).
std::string FolderListing(const std::string &folder);

// Takes the lock named MutexName for the rest of the process; false when someone already holds it.
bool IsSingleInstance(std::string_view mutexName);

// Starts the Media Center shell; there is none on this system, so false.
bool RunMediaCenter();

} // namespace vantero
