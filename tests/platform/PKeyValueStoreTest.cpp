#include "platform/PKeyValueStore.h"

#include "../config/LayoutTestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vantero;
using namespace vantero::platform;
using namespace vantero::testing;
namespace fs = std::filesystem;

namespace {

class StoreTest : public ::testing::Test {
protected:
	std::unique_ptr<TKeyValueStore> OpenStore() { return TKeyValueStore::Open(File); }

	TTempFolder Temp;
	const std::string File = Temp / "config/Vantero Vista/test.store";
};

} // namespace

TEST_F(StoreTest, FileHoldsVersionValuesAndTrailer)
{
	auto store = OpenStore();
	ASSERT_TRUE(store);
	ASSERT_TRUE(store->SetInteger("Full Screen", -5));
	ASSERT_TRUE(store->SetBytes("100%\xC3\xA9", {0x00, 0xAB, 0xFF}));
	EXPECT_EQ(ReadTextFile(File), "VanteroStore 1\nB 100%25%C3%A9 00abff\nI Full%20Screen -5\nend 2\n");

	const auto again = OpenStore();
	EXPECT_EQ(again->Integer("Full Screen"), -5);
	EXPECT_EQ(again->Bytes("100%\xC3\xA9"), (std::vector<uint8_t>{0x00, 0xAB, 0xFF}));
	EXPECT_FALSE(again->Integer("100%\xC3\xA9"));
	EXPECT_FALSE(again->Contains("Full"));
}

TEST_F(StoreTest, WriteReplacesTheFileInsteadOfRewritingIt)
{
	auto store = OpenStore();
	ASSERT_TRUE(store->SetInteger("A", 1));
	const std::string before = ReadTextFile(File);
	const int oldFile = ::open(File.c_str(), O_RDONLY);
	ASSERT_GE(oldFile, 0);

	ASSERT_TRUE(store->SetBytes("B", std::vector<uint8_t>(10000, 0x5A)));

	// The old file is untouched: readers never see a half-written one.
	std::string oldText(before.size() + 100, '\0');
	const ssize_t count = ::pread(oldFile, oldText.data(), oldText.size(), 0);
	::close(oldFile);
	oldText.resize(count > 0 ? static_cast<size_t>(count) : 0);
	EXPECT_EQ(oldText, before);
	EXPECT_EQ(store->Bytes("B")->size(), 10000u);
	EXPECT_FALSE(fs::exists(File + ".tmp"));
}

TEST_F(StoreTest, CrashBeforeTheRenameKeepsTheOldValues)
{
	ASSERT_TRUE(OpenStore()->SetInteger("LoadingTime", 1234));
	const pid_t child = ::fork();
	ASSERT_GE(child, 0);
	if (child == 0) {
		SetStoreCommitHookForTesting([] { ::_exit(3); }); // dies with the new file written but not in place
		TKeyValueStore::Open(File)->SetInteger("LoadingTime", 9999);
		::_exit(0);
	}
	int status = 0;
	::waitpid(child, &status, 0);
	ASSERT_TRUE(WIFEXITED(status));
	ASSERT_EQ(WEXITSTATUS(status), 3) << "the write did not reach the commit point";

	auto store = OpenStore();
	EXPECT_EQ(store->Integer("LoadingTime"), 1234);
	EXPECT_FALSE(fs::exists(File + ".corrupt"));
	ASSERT_TRUE(store->SetInteger("LoadingTime", 42)); // a stale temporary file does not hinder the next write
	EXPECT_EQ(OpenStore()->Integer("LoadingTime"), 42);
}

TEST_F(StoreTest, UnparsableFilesAreMovedAside)
{
	const char *const bad[] = {
		"garbage",
		"VanteroStore 2\nend 0\n",
		"VanteroStore 1\nI A 1\n",
		"VanteroStore 1\nI A 1\nend 2\n",
		"VanteroStore 1\nI A 1\nend 1",
		"VanteroStore 1\nI A 1\nend 1\nI B 2\n",
		"VanteroStore 1\nI A 99999999999\nend 1\n",
		"VanteroStore 1\nI A 1x\nend 1\n",
		"VanteroStore 1\nB A 0g\nend 1\n",
		"VanteroStore 1\nB A abc\nend 1\n",
		"VanteroStore 1\nX A 1\nend 1\n",
		"VanteroStore 1\nI A%2 1\nend 1\n",
		"VanteroStore 1\nI A 1 2\nend 1\n",
		"",
	};
	for (const char *text : bad) {
		SCOPED_TRACE(text);
		WriteTextFile(File, text);
		fs::remove(File + ".corrupt");
		auto store = OpenStore();
		ASSERT_TRUE(store);
		EXPECT_FALSE(store->Contains("A"));
		EXPECT_FALSE(fs::exists(File));
		EXPECT_EQ(ReadTextFile(File + ".corrupt"), text);
		ASSERT_TRUE(store->SetInteger("A", 7));
		EXPECT_EQ(OpenStore()->Integer("A"), 7);
	}
}

TEST_F(StoreTest, OpenFailsWhenTheFileCannotBeHad)
{
	WriteTextFile(Temp / "file", "x");
	EXPECT_FALSE(TKeyValueStore::Open(Temp / "file/sub/test.store"));
	MakeFolder(File); // a folder where the file should be
	EXPECT_FALSE(OpenStore());
	EXPECT_FALSE(TKeyValueStore::Open(""));
}

TEST_F(StoreTest, WritersInTwoProcessesLoseNothing)
{
	ASSERT_TRUE(OpenStore());
	const int writes = 40;
	const pid_t child = ::fork();
	ASSERT_GE(child, 0);
	auto write = [&](const char *prefix) {
		auto store = TKeyValueStore::Open(File);
		bool ok = store != nullptr;
		for (int i = 0; i < writes && ok; ++i)
			ok = store->SetInteger(prefix + std::to_string(i), i);
		return ok;
	};
	if (child == 0)
		::_exit(write("child") ? 0 : 1);
	EXPECT_TRUE(write("parent"));
	int status = 0;
	::waitpid(child, &status, 0);
	EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

	const auto store = OpenStore();
	for (int i = 0; i < writes; ++i) {
		EXPECT_EQ(store->Integer("parent" + std::to_string(i)), i);
		EXPECT_EQ(store->Integer("child" + std::to_string(i)), i);
	}
}
