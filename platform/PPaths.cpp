#include "platform/PPaths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace vantero::platform {

namespace {

std::optional<std::string> AbsoluteEnvironment(const char *name)
{
	const char *value = std::getenv(name);
	if (!value || value[0] != '/')
		return std::nullopt;
	std::string result(value);
	while (result.size() > 1 && result.back() == '/')
		result.pop_back();
	return result;
}

std::optional<std::string> XdgFolder(const char *variable, const char *homeRelative)
{
	if (auto folder = AbsoluteEnvironment(variable))
		return folder;
	auto home = AbsoluteEnvironment("HOME");
	if (!home)
		return std::nullopt;
	if (*home == "/")
		home->clear();
	return *home + homeRelative;
}

TFolderEntry EntryFromStat(const std::string &name, const struct stat &info, bool isLink)
{
	TFolderEntry entry;
	entry.Name = name;
	entry.IsFolder = S_ISDIR(info.st_mode);
	entry.IsLink = isLink;
	entry.Attributes = static_cast<uint32_t>(info.st_mode);
	entry.Size = static_cast<int64_t>(info.st_size);
	entry.ModifiedTime = static_cast<int64_t>(info.st_mtim.tv_sec);
	entry.Device = static_cast<uint64_t>(info.st_dev);
	entry.Inode = static_cast<uint64_t>(info.st_ino);
	return entry;
}

std::optional<TFolderEntry> Stat(const std::string &path, const std::string &name)
{
	struct stat linkInfo {};
	if (::lstat(path.c_str(), &linkInfo) != 0)
		return std::nullopt;
	const bool isLink = S_ISLNK(linkInfo.st_mode);
	struct stat info {};
	if (isLink && ::stat(path.c_str(), &info) == 0)
		return EntryFromStat(name, info, true);
	// Not a link, or a dangling one: describe the entry itself.
	return EntryFromStat(name, linkInfo, isLink);
}

} // namespace

std::optional<std::string> ConfigHomeFolder()
{
	return XdgFolder("XDG_CONFIG_HOME", "/.config");
}

std::optional<std::string> CacheHomeFolder()
{
	return XdgFolder("XDG_CACHE_HOME", "/.cache");
}

std::optional<std::string> RuntimeFolder()
{
	return AbsoluteEnvironment("XDG_RUNTIME_DIR");
}

std::string ProgramFilePath()
{
	std::string buffer(4096, '\0');
	const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
	if (length <= 0 || static_cast<size_t>(length) >= buffer.size())
		return std::string();
	buffer.resize(static_cast<size_t>(length));
	return buffer;
}

std::string ProgramFolder()
{
	const std::string path = ProgramFilePath();
	const size_t slash = path.rfind('/');
	if (slash == std::string::npos)
		return std::string();
	return slash == 0 ? std::string("/") : path.substr(0, slash);
}

bool FolderExists(const std::string &path)
{
	struct stat info {};
	return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool FileExists(const std::string &path)
{
	struct stat info {};
	return !path.empty() && ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool ForceFolders(const std::string &path)
{
	if (path.empty())
		return false;
	if (FolderExists(path))
		return true;
	size_t position = 0;
	while (position != std::string::npos) {
		position = path.find('/', position + 1);
		const std::string part = path.substr(0, position);
		if (part.empty() || FolderExists(part))
			continue;
		if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
			return false;
	}
	return FolderExists(path);
}

bool RemoveFile(const std::string &path)
{
	return ::unlink(path.c_str()) == 0;
}

std::optional<std::vector<TFolderEntry>> ListFolder(const std::string &path)
{
	DIR *folder = ::opendir(path.c_str());
	if (!folder)
		return std::nullopt;
	std::vector<TFolderEntry> entries;
	const std::string prefix = path.empty() || path.back() == '/' ? path : path + "/";
	while (const dirent *item = ::readdir(folder)) {
		const std::string name(item->d_name);
		if (name == "." || name == "..")
			continue;
		if (auto entry = Stat(prefix + name, name))
			entries.push_back(std::move(*entry));
	}
	::closedir(folder);
	std::sort(entries.begin(), entries.end(),
		[](const TFolderEntry &a, const TFolderEntry &b) { return a.Name < b.Name; });
	return entries;
}

std::optional<TFolderEntry> StatEntry(const std::string &path)
{
	const size_t slash = path.rfind('/');
	return Stat(path, slash == std::string::npos ? path : path.substr(slash + 1));
}

} // namespace vantero::platform
