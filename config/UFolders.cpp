#include "config/UFolders.h"

#include "config/UUtils.h"
#include "platform/PInstanceLock.h"
#include "platform/PPaths.h"

#include <cctype>
#include <memory>
#include <utility>
#include <vector>

namespace vantero {

namespace {

char Lower(char c)
{
	return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Folders on the way down from the listed root, to stop at links that lead back up.
using TFolderPath = std::vector<std::pair<uint64_t, uint64_t>>;

void AppendListing(const std::string &folder, std::string &listing, TFolderPath &path)
{
	const auto entries = platform::ListFolder(folder);
	if (!entries)
		return;
	for (const platform::TFolderEntry &entry : *entries) {
		const std::string entryPath = folder + "/" + entry.Name;
		listing += Format("%s,%u,%lld,%lld\\n", entryPath.c_str(), entry.Attributes,
			static_cast<long long>(entry.Size), static_cast<long long>(entry.ModifiedTime));
		if (!entry.IsFolder)
			continue;
		listing += "\\n";
		const std::pair<uint64_t, uint64_t> id(entry.Device, entry.Inode);
		bool cycle = false;
		for (const auto &visited : path)
			cycle = cycle || visited == id;
		if (cycle)
			continue;
		path.push_back(id);
		AppendListing(entryPath, listing, path);
		path.pop_back();
	}
}

bool DeleteMatching(const std::string &folder, std::string_view mask, bool recursive)
{
	const auto entries = platform::ListFolder(folder);
	if (!entries)
		return !platform::FolderExists(folder) && !platform::FileExists(folder);
	bool allDeleted = true;
	for (const platform::TFolderEntry &entry : *entries) {
		const std::string entryPath = folder + "/" + entry.Name;
		if (entry.IsFolder && !entry.IsLink) {
			if (recursive && !DeleteMatching(entryPath, mask, recursive))
				allDeleted = false;
		} else if (!entry.IsFolder && MatchesMask(entry.Name, mask) && !platform::RemoveFile(entryPath)) {
			allDeleted = false;
		}
	}
	return allDeleted;
}

} // namespace

std::string CacheFolder()
{
	const auto home = platform::CacheHomeFolder();
	if (!home || !platform::ForceFolders(*home))
		RaiseGameError("SHGetSpecialFolderPath failed!");
	const std::string folder = *home + "/Vantero Vista/";
	if (!platform::ForceFolders(folder))
		RaiseGameError("SHGetSpecialFolderPath failed!");
	return folder;
}

bool MatchesMask(std::string_view name, std::string_view mask)
{
	if (mask == "*.*")
		return true;
	// Greedy matching with one back-track point: the last '*' seen.
	size_t n = 0, m = 0;
	size_t starMask = std::string_view::npos, starName = 0;
	while (n < name.size()) {
		if (m < mask.size() && (mask[m] == '?' || Lower(mask[m]) == Lower(name[n]))) {
			++n;
			++m;
		} else if (m < mask.size() && mask[m] == '*') {
			starMask = m++;
			starName = n;
		} else if (starMask != std::string_view::npos) {
			m = starMask + 1;
			n = ++starName;
		} else {
			return false;
		}
	}
	while (m < mask.size() && mask[m] == '*')
		++m;
	return m == mask.size();
}

bool FileMatchExists(const std::string &folder, std::string_view mask)
{
	const auto entries = platform::ListFolder(folder);
	if (!entries)
		return false;
	for (const platform::TFolderEntry &entry : *entries)
		if (!entry.IsFolder && MatchesMask(entry.Name, mask))
			return true;
	return false;
}

bool DeleteFiles(const std::string &folder, std::string_view mask, bool recursive)
{
	try {
		return DeleteMatching(folder, mask, recursive);
	} catch (...) {
		return false;
	}
}

std::string FolderListing(const std::string &folder)
{
	std::string listing;
	TFolderPath path;
	if (const auto root = platform::StatEntry(folder))
		path.emplace_back(root->Device, root->Inode);
	AppendListing(folder, listing, path);
	return listing;
}

uint32_t FolderChecksum(const std::string &folder)
{
	std::string listing = FolderListing(folder);
	listing.append((4 - listing.size() % 4) % 4, '\0');
	uint32_t checksum = 0;
	for (size_t i = 0; i < listing.size(); i += 4) {
		uint32_t word = 0;
		for (size_t k = 0; k < 4; ++k)
			word |= static_cast<uint32_t>(static_cast<unsigned char>(listing[i + k])) << (8 * k);
		checksum ^= word;
	}
	return checksum;
}

bool IsSingleInstance(std::string_view mutexName)
{
	// Kept until the process ends; the kernel lets go of it then.
	static std::vector<std::unique_ptr<platform::TInstanceLock>> held;
	auto lock = std::make_unique<platform::TInstanceLock>(mutexName);
	const auto state = lock->State();
	if (state == platform::TInstanceLock::TState::Held)
		held.push_back(std::move(lock));
	// A lock file that cannot be opened does not say that another copy runs.
	return state != platform::TInstanceLock::TState::HeldElsewhere;
}

bool RunMediaCenter()
{
	return false;
}

} // namespace vantero
