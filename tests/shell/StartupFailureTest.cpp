// Start-up failures of the real program: each ends with its message on stderr, a non-zero
// exit status, and nothing written to the settings store.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct TRunResult {
	int ExitStatus = -1;
	std::string Output;
};

class StartupFailure : public ::testing::Test {
protected:
	void SetUp() override
	{
		Root = fs::temp_directory_path() / ("vantero-startup-" + std::to_string(::getpid()) + "-"
			+ ::testing::UnitTest::GetInstance()->current_test_info()->name());
		fs::remove_all(Root);
		Game = Root / "game";
		fs::create_directories(Game / "graphics/base/R800x600");
		fs::create_directories(Game / "graphics/L1033");
		fs::create_directories(Root / "config");
		fs::create_directories(Root / "cache");
		fs::create_directories(Root / "runtime");
		fs::copy_file(fs::path(VANTERO_BINARY_DIR) / "VanteroVista", Game / "VanteroVista");
		fs::copy_file(fs::path(VANTERO_BINARY_DIR) / "libTolvane.so", Game / "libTolvane.so");
	}

	void TearDown() override { fs::remove_all(Root); }

	void WriteConfigXml(const std::string &text) const
	{
		std::ofstream(Game / "Config.xml") << text;
	}

	TRunResult Run() const
	{
		const std::string command = "cd '" + Game.string() + "' && env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy"
			+ " XDG_CONFIG_HOME='" + (Root / "config").string() + "' XDG_CACHE_HOME='" + (Root / "cache").string()
			+ "' XDG_RUNTIME_DIR='" + (Root / "runtime").string() + "' LANG=en_US.UTF-8 timeout 20 ./VanteroVista 2>&1";
		TRunResult result;
		FILE *pipe = ::popen(command.c_str(), "r");
		std::array<char, 512> buffer{};
		while (pipe && std::fgets(buffer.data(), buffer.size(), pipe))
			result.Output += buffer.data();
		const int status = pipe ? ::pclose(pipe) : -1;
		result.ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
		return result;
	}

	bool StoreWritten() const
	{
		return fs::exists(Root / "config" / "Vantero Vista" / "Vantero Vista_16.store");
	}

	fs::path Root;
	fs::path Game;
};

} // namespace

TEST_F(StartupFailure, MissingConfigurationFile)
{
	const TRunResult result = Run();
	EXPECT_NE(result.ExitStatus, 0);
	EXPECT_NE(result.Output.find("Vantero.cfg"), std::string::npos) << result.Output;
	EXPECT_FALSE(StoreWritten());
}

TEST_F(StartupFailure, MalformedDocument)
{
	WriteConfigXml("<Vantero CellSize=\"50\"><Unclosed></Vantero>");
	const TRunResult result = Run();
	EXPECT_NE(result.ExitStatus, 0);
	EXPECT_NE(result.Output.find("not well-formed"), std::string::npos) << result.Output;
	EXPECT_FALSE(StoreWritten());
}

TEST_F(StartupFailure, WrongRootElement)
{
	WriteConfigXml("<Game/>");
	const TRunResult result = Run();
	EXPECT_NE(result.ExitStatus, 0);
	EXPECT_NE(result.Output.find("Vantero"), std::string::npos) << result.Output;
	EXPECT_FALSE(StoreWritten());
}

TEST_F(StartupFailure, MissingLanguageFolder)
{
	fs::remove_all(Game / "graphics/L1033");
	const TRunResult result = Run();
	EXPECT_NE(result.ExitStatus, 0);
	EXPECT_NE(result.Output.find("Can not find \"graphics/L1033\""), std::string::npos) << result.Output;
	EXPECT_FALSE(StoreWritten());
}

TEST_F(StartupFailure, MissingLayoutFolder)
{
	fs::remove_all(Game / "graphics/base/R800x600");
	const TRunResult result = Run();
	EXPECT_NE(result.ExitStatus, 0);
	EXPECT_NE(result.Output.find("Can not find \"graphics/R800x600\""), std::string::npos) << result.Output;
	EXPECT_FALSE(StoreWritten());
}

TEST_F(StartupFailure, SecondInstance)
{
	// A first instance holds the lock: a child that takes it the way the game does.
	WriteConfigXml("<Vantero/>");
	const std::string lock = (Root / "runtime").string();
	const std::string holder = "exec 9>'" + lock + "/Vantero Vista.lock'; flock -n 9 && exec sleep 30";
	const pid_t child = ::fork();
	if (child == 0) {
		::execl("/bin/sh", "sh", "-c", holder.c_str(), static_cast<char *>(nullptr));
		::_exit(127);
	}
	::usleep(300000);
	const TRunResult result = Run();
	::kill(child, SIGKILL);
	::waitpid(child, nullptr, 0);
	EXPECT_NE(result.ExitStatus, 0);
	EXPECT_NE(result.Output.find("Vantero already running!"), std::string::npos) << result.Output;
	EXPECT_FALSE(StoreWritten());
}
