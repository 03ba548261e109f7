#include "config/UGRegistry.h"

#include "LayoutTestSupport.h"
#include "config/UUtils.h"

#include <gtest/gtest.h>

using namespace vantero;
using namespace vantero::testing;

namespace {

class RegistryTest : public ::testing::Test {
protected:
	~RegistryTest() override { ErrorRaised = false; }

	TTempFolder Temp;
	TScopedEnv ConfigHome{"XDG_CONFIG_HOME", Temp / "config"};
};

} // namespace

TEST_F(RegistryTest, StoreFileLiesUnderTheConfigHome)
{
	EXPECT_EQ(RegistryStoreFile(), Temp / "config/Vantero Vista/Vantero Vista_16.store");
	{
		const TScopedEnv relative("XDG_CONFIG_HOME", "relative/config");
		const TScopedEnv home("HOME", Temp / "home");
		EXPECT_EQ(RegistryStoreFile(), Temp / "home/.config/Vantero Vista/Vantero Vista_16.store");
	}
	TGRegistry registry; // creates the folder of the key
	EXPECT_TRUE(std::filesystem::is_directory(Temp / "config/Vantero Vista"));
}

TEST_F(RegistryTest, ValuesKeepTheirTypeAndDefaults)
{
	TGRegistry registry;
	EXPECT_EQ(registry.ReadInteger("LoadingTime", 10000), 10000);
	EXPECT_FALSE(registry.ValueExists("CheckSum"));
	EXPECT_TRUE(registry.ReadBinary("DataVista").empty());

	registry.WriteInteger("CheckSum", -12345);
	const std::vector<uint8_t> data{0, 1, 0x7F, 0x80, 0xFF, '\n', ' '};
	registry.WriteBinary("DataVista", data);
	registry.WriteBinary("Empty", {});

	EXPECT_EQ(registry.ReadInteger("CheckSum", 0), -12345);
	EXPECT_EQ(registry.ReadBinary("DataVista"), data);
	EXPECT_TRUE(registry.ValueExists("Empty"));
	// A value of the other type is not read.
	EXPECT_EQ(registry.ReadInteger("DataVista", 7), 7);
	EXPECT_TRUE(registry.ReadBinary("CheckSum").empty());
	// Names are exact, with case.
	EXPECT_FALSE(registry.ValueExists("checksum"));

	registry.WriteInteger("DataVista", 3); // a write replaces the value and its type
	EXPECT_EQ(registry.ReadInteger("DataVista", 0), 3);
	EXPECT_TRUE(registry.ReadBinary("DataVista").empty());
}

TEST_F(RegistryTest, ObjectsOnTheKeySeeEachOthersWrites)
{
	TGRegistry first;
	TGRegistry second;
	first.WriteInteger("FullScreen", 0);
	second.WriteInteger("SplashScreen", 0);
	EXPECT_EQ(second.ReadInteger("FullScreen", 1), 0);
	EXPECT_EQ(first.ReadInteger("SplashScreen", 1), 0);

	const TGRegistry later;
	EXPECT_EQ(later.ReadInteger("FullScreen", 1), 0);
	EXPECT_EQ(later.ReadInteger("SplashScreen", 1), 0);
}

TEST_F(RegistryTest, CreateFailsWhenTheKeyCannotBeOpened)
{
	WriteTextFile(Temp / "blocked", "a file where a folder should be");
	for (const auto &home : {std::optional<std::string>(Temp / "blocked"), std::optional<std::string>()}) {
		const TScopedEnv config("XDG_CONFIG_HOME", home);
		const TScopedEnv noHome("HOME", std::nullopt);
		ErrorRaised = false;
		try {
			TGRegistry registry;
			ADD_FAILURE() << "Create did not fail";
		} catch (const EGameError &error) {
			EXPECT_STREQ(error.what(), "TGRegistry.Create failed");
			EXPECT_TRUE(ErrorRaised);
		}
	}
}

TEST_F(RegistryTest, CorruptStoreIsMovedAsideAndDefaultsAreUsed)
{
	const std::string file = RegistryStoreFile();
	WriteTextFile(file, "VanteroStore 1\nI FullScreen 0\n"); // no trailer: cut short
	TGRegistry registry;
	EXPECT_EQ(registry.ReadInteger("FullScreen", 1), 1);
	EXPECT_EQ(ReadTextFile(file + ".corrupt"), "VanteroStore 1\nI FullScreen 0\n");
	registry.WriteInteger("FullScreen", 0);
	EXPECT_EQ(TGRegistry().ReadInteger("FullScreen", 1), 0);
}
