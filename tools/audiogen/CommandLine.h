#pragma once
// The sound tools' command-line walk: each argument in turn, and the value that follows an option.

#include "config/UUtils.h"

#include <string>

namespace vantero::audiogen {

class TCommandLine {
public:
	TCommandLine(int argc, char **argv) : Argc(argc), Argv(argv) {}

	// Moves to the next argument; false once they are all read.
	bool Next()
	{
		if (++Index >= Argc)
			return false;
		Current = Argv[Index];
		return true;
	}
	// The argument moved to by Next.
	const std::string &Arg() const { return Current; }
	// Consumes the argument after the current option; throws EGameError when there is none.
	std::string Value()
	{
		if (Index + 1 >= Argc)
			throw EGameError("missing value after " + Current);
		return Argv[++Index];
	}

private:
	// The arguments as main received them, and where the walk stands.
	int Argc;
	char **Argv;
	int Index = 0;
	std::string Current;
};

} // namespace vantero::audiogen
