// The game's own data, staged the way the build stages it, expands for both layouts and passes
// every check of the level checker.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

TEST(ShippedData, StagedConfigurationPassesTheLevelChecker)
{
	const fs::path root = fs::temp_directory_path() / ("vantero-shipped-" + std::to_string(::getpid()));
	fs::remove_all(root);
	fs::create_directories(root);
	const fs::path bin = VANTERO_BINARY_DIR;
	const fs::path log = root / "log.txt";
	const std::string stage = "'" + (bin / "tools/cfgbuild/cfgbuild").string() + "' '" VANTERO_SOURCE_DIR "/data' '"
		+ root.string() + "' >'" + log.string() + "' 2>&1";
	ASSERT_EQ(std::system(stage.c_str()), 0) << "staging failed, see " << log;
	EXPECT_TRUE(fs::exists(root / "Vantero.cfg"));
	EXPECT_FALSE(fs::exists(root / "Config.xml")) << "the staged folder ships only the scrambled files";

	const std::string check = "'" + (bin / "tools/levelcheck/levelcheck").string() + "' --game '" + root.string()
		+ "' --manifest '" VANTERO_SOURCE_DIR "/data/manifest' >>'" + log.string() + "' 2>&1";
	const int status = std::system(check.c_str());
	std::ifstream file(log);
	std::stringstream output;
	output << file.rdbuf();
	EXPECT_EQ(status, 0) << output.str();
	fs::remove_all(root);
}
