// shot: runs the real game headless on the software renderer with a fixed frame time and a
// small script, and writes the frames it is told to as PNG files.

#include "ShotPng.h"
#include "ShotScript.h"

#include "config/ULanguage.h"
#include "config/UUtils.h"
#include "render/UD3DDevice.h"
#include "shell/UVanteroForm.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <chrono>

namespace {

void PrintHelp()
{
	std::cout << "usage: shot [options] (--script FILE | -e COMMANDS)\n"
				 "Runs the game folder headless (software renderer, dummy video and audio) with a fixed\n"
				 "frame time and writes the frames the script asks for.\n\n"
				 "options:\n"
				 "  --game DIR        the staged game folder (default: the current folder)\n"
				 "  --step SECONDS    frame time of every frame (default 0.02)\n"
				 "  --desktop WxH     the desktop size the game sees (default: the video driver's)\n"
				 "  --home DIR        keep settings, cache and lock under DIR instead of the user's folders\n"
				 "  --script FILE     read the commands from FILE\n"
				 "  -e COMMANDS       commands separated by ';'\n"
				 "  -h, --help        this text\n\n"
				 "commands: wait N | loaded | move X Y | click X Y | key NAME | save FILE.png\n";
}

void SetEnvironment(const char *name, const std::string &value)
{
	::setenv(name, value.c_str(), 1);
}

} // namespace

int main(int argc, char **argv)
{
	using namespace vantero;
	std::string game = ".";
	std::string scriptText;
	double step = 0.02;
	for (int i = 1; i < argc; ++i) {
		const std::string arg = argv[i];
		auto next = [&]() -> std::string {
			if (i + 1 >= argc) {
				std::cerr << "shot: " << arg << " needs a value\n";
				std::exit(2);
			}
			return argv[++i];
		};
		if (arg == "-h" || arg == "--help") {
			PrintHelp();
			return 0;
		} else if (arg == "--game")
			game = next();
		else if (arg == "--step")
			step = std::atof(next().c_str());
		else if (arg == "--desktop")
			SetEnvironment("VANTERO_DESKTOP", next());
		else if (arg == "--home") {
			const std::filesystem::path home = std::filesystem::absolute(next());
			for (const char *sub : {"config", "cache", "runtime"})
				std::filesystem::create_directories(home / sub);
			SetEnvironment("XDG_CONFIG_HOME", (home / "config").string());
			SetEnvironment("XDG_CACHE_HOME", (home / "cache").string());
			SetEnvironment("XDG_RUNTIME_DIR", (home / "runtime").string());
		} else if (arg == "--script") {
			std::ifstream file(next());
			std::stringstream text;
			text << file.rdbuf();
			scriptText = text.str();
		} else if (arg == "-e")
			scriptText = next();
		else {
			std::cerr << "shot: unknown option " << arg << " (see --help)\n";
			return 2;
		}
	}
	if (step <= 0.0) {
		std::cerr << "shot: --step must be positive\n";
		return 2;
	}

	std::vector<shot::TShotCommand> commands;
	try {
		commands = shot::ParseShotScript(scriptText);
	} catch (const std::exception &error) {
		std::cerr << "shot: " << error.what() << '\n';
		return 2;
	}

	SetEnvironment("SDL_VIDEODRIVER", "dummy");
	SetEnvironment("SDL_AUDIODRIVER", "dummy");
	SetEnvironment("VANTERO_RENDERER", "software");
	std::error_code ignored;
	std::filesystem::current_path(game, ignored);
	if (ignored) {
		std::cerr << "shot: cannot enter the game folder " << game << '\n';
		return 2;
	}

	char name[] = "VanteroVista";
	char *gameArgv[] = {name, nullptr};
	InitUtils(1, gameArgv);
	SetFixedFrameStep(step);
	ChooseLanguage();
	TVanteroForm form;
	form.FormCreate();
	form.Window().Show();

	for (const shot::TShotCommand &command : commands) {
		if (command.Verb == "wait") {
			for (int n = std::stoi(command.Arguments[0]); n > 0; --n)
				form.GameTimerTimer();
		} else if (command.Verb == "loaded") {
			for (int n = 0; n < 6000 && form.GetStage() < stLoaded; ++n) {
				form.GameTimerTimer();
				std::this_thread::sleep_for(std::chrono::milliseconds(form.GetStage() == stLoading ? 15 : 0));
			}
		} else if (command.Verb == "move")
			form.OnMouseMove(std::stoi(command.Arguments[0]), std::stoi(command.Arguments[1]));
		else if (command.Verb == "click") {
			const int x = std::stoi(command.Arguments[0]);
			const int y = std::stoi(command.Arguments[1]);
			form.OnMouseMove(x, y);
			form.OnMouseDown(platform::TMouseButton::Left, x, y);
			form.OnMouseUp(platform::TMouseButton::Left, x, y);
		} else if (command.Verb == "key") {
			const int key = shot::ShotKeyCode(command.Arguments[0]);
			if (key == 0) {
				std::cerr << "shot: line " << command.Line << ": unknown key " << command.Arguments[0] << '\n';
				return 2;
			}
			form.OnKeyDown(key, 0);
		} else if (command.Verb == "save") {
			if (!RenderDevice || !RenderDevice->Device) {
				std::cerr << "shot: no render device to read back\n";
				return 1;
			}
			const std::vector<uint32_t> pixels = RenderDevice->Device->ReadPixels();
			if (!shot::WriteFramePng(command.Arguments[0], RenderDevice->Width, RenderDevice->Height, pixels)) {
				std::cerr << "shot: cannot write " << command.Arguments[0] << '\n';
				return 1;
			}
			std::cout << "shot: wrote " << command.Arguments[0] << " (" << RenderDevice->Width << "x"
					  << RenderDevice->Height << ")\n";
		}
	}
	std::fflush(stdout);
	std::_Exit(0);
}
