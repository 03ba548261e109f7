#pragma once
// The screenshot tool's little script language: one command per line or per ';'.
//   wait N          run N frames
//   loaded          run frames until loading is over (at most 6000)
//   move X Y        move the mouse to (X, Y) in window coordinates
//   click X Y       press and release the left button at (X, Y)
//   key NAME        press a key: a letter, a digit, Enter, Escape, Space, Left, Right, Up, Down, F1..F12
//   save FILE       write the current back buffer as a PNG

#include <string>
#include <vector>

namespace vantero::shot {

struct TShotCommand {
	std::string Verb;
	std::vector<std::string> Arguments;
	int Line = 0;
};

// Splits a script into commands; throws std::runtime_error naming the line of an unknown verb or bad arguments.
std::vector<TShotCommand> ParseShotScript(const std::string &text);
// The virtual-key code of a key name; 0 when unknown.
int ShotKeyCode(const std::string &name);

} // namespace vantero::shot
