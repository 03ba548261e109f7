#pragma once
// Where the game keeps its per-user files (XDG base folders), where the program itself lies,
// and the few folder and file operations the utilities need (listing, creating, deleting).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantero::platform {

// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config; nothing without a usable $HOME.
std::optional<std::string> ConfigHomeFolder();
// $XDG_CACHE_HOME when it is an absolute path, else $HOME/.cache; nothing without a usable $HOME.
std::optional<std::string> CacheHomeFolder();
// $XDG_RUNTIME_DIR when it is an absolute path, else nothing (callers fall back to /tmp).
std::optional<std::string> RuntimeFolder();

// Full path of the running program file; empty when it cannot be read.
std::string ProgramFilePath();
// Folder of the running program file, without a trailing slash; empty when unknown.
std::string ProgramFolder();

// Whether the path names a folder (symbolic links followed).
bool FolderExists(const std::string &path);
// Whether the path names something other than a folder (symbolic links followed).
bool FileExists(const std::string &path);
// Creates the folder and every missing parent; true when the folder exists afterwards.
bool ForceFolders(const std::string &path);
// Removes one file (or symbolic link); true on success.
bool RemoveFile(const std::string &path);

// One entry of a folder as the checksum and the file masks see it.
struct TFolderEntry {
	std::string Name;
	bool IsFolder = false;      // a folder, or a symbolic link to one
	bool IsLink = false;        // the entry itself is a symbolic link
	uint32_t Attributes = 0;    // st_mode of the entry (of its target for links)
	int64_t Size = 0;           // st_size
	int64_t ModifiedTime = 0;   // modification time, seconds since 1970
	uint64_t Device = 0;        // st_dev and st_ino: identify folders to stop at link cycles
	uint64_t Inode = 0;
};

// Every entry of the folder but "." and "..", hidden ones included, sorted by name (bytewise);
// nothing when the folder cannot be read.
std::optional<std::vector<TFolderEntry>> ListFolder(const std::string &path);
// The same facts for one path (symbolic links followed); nothing when it does not exist.
std::optional<TFolderEntry> StatEntry(const std::string &path);

} // namespace vantero::platform
