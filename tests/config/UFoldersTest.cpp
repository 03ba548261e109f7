#include "config/UFolders.h"

#include "LayoutTestSupport.h"
#include "config/UUtils.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

using namespace vantero;
using namespace vantero::testing;
namespace fs = std::filesystem;

namespace {

void SetTime(const std::string &path, int64_t seconds)
{
	const auto time = fs::file_time_type::clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(seconds)));
	fs::last_write_time(path, time);
}

struct stat StatOf(const std::string &path)
{
	struct stat info {};
	::stat(path.c_str(), &info);
	return info;
}

// A small tree: a.txt, s/ and s/b, with fixed modes and times.
void MakeTree(const std::string &root, bool reversed)
{
	MakeFolder(root);
	if (reversed) {
		WriteTextFile(root + "/s/b", "");
		WriteTextFile(root + "/a.txt", "abc");
	} else {
		WriteTextFile(root + "/a.txt", "abc");
		WriteTextFile(root + "/s/b", "");
	}
	fs::permissions(root + "/a.txt", fs::perms(0644));
	fs::permissions(root + "/s/b", fs::perms(0600));
	SetTime(root + "/a.txt", 1000000000);
	SetTime(root + "/s/b", 2000000000);
	SetTime(root + "/s", 1500000000);
}

uint32_t XorOfWords(std::string bytes)
{
	bytes.append((4 - bytes.size() % 4) % 4, '\0');
	uint32_t result = 0;
	for (size_t i = 0; i < bytes.size(); i += 4)
		result ^= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i]))
			| static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8
			| static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 2])) << 16
			| static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 3])) << 24;
	return result;
}

} // namespace

TEST(Folders, CacheFolderIsCreatedUnderTheCacheHome)
{
	const TTempFolder temp;
	{
		const TScopedEnv cache("XDG_CACHE_HOME", temp / "cache");
		EXPECT_EQ(CacheFolder(), temp / "cache/Vantero Vista/");
		EXPECT_TRUE(fs::is_directory(temp / "cache/Vantero Vista"));
	}
	const TScopedEnv unset("XDG_CACHE_HOME", std::nullopt);
	const TScopedEnv home("HOME", temp / "home");
	EXPECT_EQ(CacheFolder(), temp / "home/.cache/Vantero Vista/");
}

TEST(Folders, CacheFolderFailsWithoutAUsableFolder)
{
	const TTempFolder temp;
	WriteTextFile(temp / "file", "x");
	for (const auto &cacheHome : {std::optional<std::string>(temp / "file"), std::optional<std::string>()}) {
		const TScopedEnv cache("XDG_CACHE_HOME", cacheHome);
		const TScopedEnv home("HOME", std::nullopt);
		try {
			CacheFolder();
			ADD_FAILURE() << "no error";
		} catch (const EGameError &error) {
			EXPECT_STREQ(error.what(), "SHGetSpecialFolderPath failed!");
		}
	}
	ErrorRaised = false;
}

TEST(Folders, MatchesMask)
{
	const struct {
		const char *Name, *Mask;
		bool Matches;
	} cases[] = {
		{"base.pak", "*.pak", true}, {"BASE.PAK", "*.pak", true}, {"base.pak.old", "*.pak", false},
		{"L1036-R800x600.gfx", "L1036*.gfx", true}, {"L1036.gfx", "L1036*.gfx", true},
		{"L10360.gfx", "L1036*.gfx", true}, {"xL1036.gfx", "L1036*.gfx", false}, {"L1036.gfxx", "L1036*.gfx", false},
		{"noextension", "*.*", true}, {"a.b", "?.b", true}, {"ab.b", "?.b", false}, {"", "*", true},
		{"aXbXc", "*X*c", true}, {"aXbXd", "*X*c", false},
	};
	for (const auto &c : cases)
		EXPECT_EQ(MatchesMask(c.Name, c.Mask), c.Matches) << c.Name << " / " << c.Mask;
}

TEST(Folders, DeleteFilesByMask)
{
	const TTempFolder temp;
	const std::string root = temp / "cache";
	for (const char *file : {"a.pak", "B.PAK", "keep.txt", "sub/c.pak", "sub/deeper/d.pak", "sub/keep.txt"})
		WriteTextFile(root + "/" + file, "x");
	WriteTextFile(temp / "outside/e.pak", "x");
	fs::create_directory_symlink(temp / "outside", root + "/link");

	EXPECT_TRUE(DeleteFiles(root, "*.pak", false));
	EXPECT_FALSE(fs::exists(root + "/a.pak"));
	EXPECT_FALSE(fs::exists(root + "/B.PAK"));
	EXPECT_TRUE(fs::exists(root + "/sub/c.pak"));

	EXPECT_TRUE(DeleteFiles(root, "*.pak", true));
	EXPECT_FALSE(fs::exists(root + "/sub/c.pak"));
	EXPECT_FALSE(fs::exists(root + "/sub/deeper/d.pak"));
	EXPECT_TRUE(fs::exists(root + "/keep.txt"));
	EXPECT_TRUE(fs::exists(root + "/sub/keep.txt"));
	EXPECT_TRUE(fs::exists(temp / "outside/e.pak")) << "followed a link out of the folder";

	EXPECT_TRUE(DeleteFiles(temp / "missing", "*.pak", true));
}

TEST(Folders, FolderChecksumListsEveryEntryAndXorsItsWords)
{
	const TTempFolder temp;
	const std::string root = temp / "g";
	MakeTree(root, false);
	const struct stat sub = StatOf(root + "/s");

	const std::string expected = root + "/a.txt,33188,3,1000000000\\n" + root + "/s,"
		+ std::to_string(sub.st_mode) + "," + std::to_string(sub.st_size) + ",1500000000\\n\\n" + root
		+ "/s/b,33152,0,2000000000\\n";
	EXPECT_EQ(FolderListing(root), expected);
	EXPECT_EQ(FolderChecksum(root), XorOfWords(expected));

	EXPECT_EQ(FolderChecksum(temp / "missing"), 0u);
	MakeFolder(temp / "empty");
	EXPECT_EQ(FolderChecksum(temp / "empty"), 0u);
}

TEST(Folders, FolderChecksumFollowsChangesNotCreationOrder)
{
	const TTempFolder temp;
	const std::string root = temp / "g";
	MakeTree(root, false);
	const uint32_t first = FolderChecksum(root);
	EXPECT_EQ(FolderChecksum(root), first);

	fs::remove_all(root);
	MakeTree(root, true);
	EXPECT_EQ(FolderChecksum(root), first);

	WriteTextFile(root + "/s/b", "grown");
	SetTime(root + "/s/b", 2000000000);
	EXPECT_NE(FolderChecksum(root), first);
}

TEST(Folders, FolderChecksumStopsAtLinkCycles)
{
	const TTempFolder temp;
	const std::string root = temp / "g";
	WriteTextFile(root + "/a", "x");
	fs::create_directory_symlink(root, root + "/loop");
	const std::string listing = FolderListing(root);
	EXPECT_NE(listing.find(root + "/loop,"), std::string::npos);
	EXPECT_EQ(listing.find(root + "/loop/"), std::string::npos);
}

TEST(Folders, SingleInstanceAndMediaCenter)
{
	const TTempFolder temp;
	const TScopedEnv runtime("XDG_RUNTIME_DIR", temp.Path());
	EXPECT_TRUE(IsSingleInstance("Vantero Vista test"));
	EXPECT_TRUE(fs::exists(temp / "Vantero Vista test.lock"));
	EXPECT_FALSE(IsSingleInstance("Vantero Vista test"));
	EXPECT_FALSE(RunMediaCenter());
}
