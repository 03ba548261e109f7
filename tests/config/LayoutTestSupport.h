#pragma once
// Helpers of the layout, registry, folder and language tests: fresh folders under /tmp,
// environment variables set for one test, and FatalError turned into an exception.

#include "config/UUtils.h"
#include "platform/PSystem.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace vantero::testing {

// A fresh folder under /tmp, removed with everything in it at the end of the test.
class TTempFolder {
public:
	TTempFolder()
	{
		std::string pattern = "/tmp/vantero-layout-XXXXXX";
		if (!::mkdtemp(pattern.data()))
			throw std::runtime_error("mkdtemp failed");
		Root = pattern;
	}
	~TTempFolder()
	{
		std::error_code ignored;
		std::filesystem::remove_all(Root, ignored);
	}
	TTempFolder(const TTempFolder &) = delete;
	TTempFolder &operator=(const TTempFolder &) = delete;

	// Root + "/" + relative.
	std::string operator/(const std::string &relative) const { return Root + "/" + relative; }
	const std::string &Path() const { return Root; }

private:
	std::string Root;
};

// Sets (or with nothing, unsets) an environment variable until the end of the scope.
class TScopedEnv {
public:
	TScopedEnv(const char *name, const std::optional<std::string> &value) : Name(name)
	{
		if (const char *old = std::getenv(name))
			Old = old;
		if (value)
			::setenv(name, value->c_str(), 1);
		else
			::unsetenv(name);
	}
	~TScopedEnv()
	{
		if (Old)
			::setenv(Name.c_str(), Old->c_str(), 1);
		else
			::unsetenv(Name.c_str());
	}
	TScopedEnv(const TScopedEnv &) = delete;
	TScopedEnv &operator=(const TScopedEnv &) = delete;

private:
	std::string Name;
	std::optional<std::string> Old;
};

// FatalError throws EGameError with its message instead of ending the process, for the scope.
class TFatalErrorThrows {
public:
	TFatalErrorThrows()
	{
		::setenv("SDL_VIDEODRIVER", "dummy", 0);
		platform::SetFatalExitHandler([](const std::string &message) { throw EGameError(message); });
	}
	~TFatalErrorThrows()
	{
		platform::SetFatalExitHandler(nullptr);
		ErrorRaised = false;
	}
	TFatalErrorThrows(const TFatalErrorThrows &) = delete;
	TFatalErrorThrows &operator=(const TFatalErrorThrows &) = delete;
};

inline void MakeFolder(const std::string &path)
{
	std::filesystem::create_directories(path);
}

inline void WriteTextFile(const std::string &path, const std::string &text)
{
	std::filesystem::create_directories(std::filesystem::path(path).parent_path());
	std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadTextFile(const std::string &path)
{
	std::ifstream file(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace vantero::testing
