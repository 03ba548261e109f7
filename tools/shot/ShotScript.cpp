#include "ShotScript.h"

#include <cctype>
#include <map>
#include <sstream>
#include <stdexcept>

namespace vantero::shot {

namespace {

const std::map<std::string, size_t> &Arity()
{
	static const std::map<std::string, size_t> arity{
		{"wait", 1}, {"loaded", 0}, {"move", 2}, {"click", 2}, {"key", 1}, {"save", 1}};
	return arity;
}

bool IsNumber(const std::string &text)
{
	if (text.empty())
		return false;
	for (const char c : text)
		if (!std::isdigit(static_cast<unsigned char>(c)))
			return false;
	return true;
}

} // namespace

std::vector<TShotCommand> ParseShotScript(const std::string &text)
{
	std::vector<TShotCommand> commands;
	std::string normalised = text;
	for (char &c : normalised)
		if (c == ';')
			c = '\n';
	std::istringstream lines(normalised);
	std::string line;
	int number = 0;
	while (std::getline(lines, line)) {
		++number;
		if (const size_t hash = line.find('#'); hash != std::string::npos)
			line.erase(hash);
		std::istringstream words(line);
		TShotCommand command;
		command.Line = number;
		if (!(words >> command.Verb))
			continue;
		for (std::string word; words >> word;)
			command.Arguments.push_back(word);
		const auto known = Arity().find(command.Verb);
		if (known == Arity().end())
			throw std::runtime_error("line " + std::to_string(number) + ": unknown command \"" + command.Verb + "\"");
		if (command.Arguments.size() != known->second)
			throw std::runtime_error("line " + std::to_string(number) + ": \"" + command.Verb + "\" takes "
				+ std::to_string(known->second) + " argument(s)");
		const bool numeric = command.Verb == "wait" || command.Verb == "move" || command.Verb == "click";
		for (const std::string &argument : command.Arguments)
			if (numeric && !IsNumber(argument))
				throw std::runtime_error("line " + std::to_string(number) + ": \"" + argument + "\" is not a number");
		commands.push_back(std::move(command));
	}
	return commands;
}

int ShotKeyCode(const std::string &name)
{
	if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
		return std::toupper(static_cast<unsigned char>(name[0]));
	static const std::map<std::string, int> keys{{"Enter", 0x0D}, {"Escape", 0x1B}, {"Space", 0x20}, {"Left", 0x25},
		{"Up", 0x26}, {"Right", 0x27}, {"Down", 0x28}, {"Tab", 0x09}, {"Back", 0x08}};
	if (const auto found = keys.find(name); found != keys.end())
		return found->second;
	if (name.size() >= 2 && name[0] == 'F' && IsNumber(name.substr(1))) {
		const int n = std::stoi(name.substr(1));
		if (n >= 1 && n <= 12)
			return 0x6F + n;
	}
	return 0;
}

} // namespace vantero::shot
