#include "config/UConfigKeys.h"

#include "config/UConfig.h"
#include "config/UUtils.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace vantero {

namespace {

const TXMLElement &Root()
{
	if (!Config)
		throw EGameError("The configuration document is not loaded");
	return *Config;
}

std::string Quoted(std::string_view text)
{
	return "\"" + std::string(text) + "\"";
}

std::optional<double> ParseReal(std::string_view text)
{
	std::string trimmed = Trim(text);
	if (trimmed.empty())
		return std::nullopt;
	for (char &c : trimmed) {
		if (c == '.')
			return std::nullopt;
		if (c == ',')
			c = '.';
	}
	double value = 0.0;
	const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
	if (error != std::errc() || end != trimmed.data() + trimmed.size() || !std::isfinite(value))
		return std::nullopt;
	return value;
}

int ToInteger(const std::optional<std::string> &value, std::string_view owner, std::string_view name)
{
	if (!value)
		throw EGameError("Could not convert " + std::string(owner) + " key " + Quoted(name) + " (missing) to an integer");
	const auto parsed = ParseInteger(*value);
	if (!parsed)
		throw EGameError("Could not convert " + std::string(owner) + " key " + Quoted(name) + " (" + Quoted(*value)
			+ ") to an integer");
	return *parsed;
}

double ToReal(const std::optional<std::string> &value, std::string_view owner, std::string_view name)
{
	if (!value)
		throw EGameError("Could not convert " + std::string(owner) + " key " + Quoted(name) + " (missing) to a real number");
	const auto parsed = ParseReal(*value);
	if (!parsed)
		throw EGameError("Could not convert " + std::string(owner) + " key " + Quoted(name) + " (" + Quoted(*value)
			+ ") to a real number");
	return *parsed;
}

} // namespace

std::optional<std::string> ConfigValue(std::string_view key)
{
	return Root().GetAttribute(key);
}

std::string ConfigText(std::string_view key)
{
	return ConfigValue(key).value_or(std::string());
}

int ConfigInteger(std::string_view key)
{
	return ToInteger(ConfigValue(key), "configuration", key);
}

double ConfigReal(std::string_view key)
{
	return ToReal(ConfigValue(key), "configuration", key);
}

bool ConfigEquals(std::string_view key, std::string_view literal)
{
	const auto value = ConfigValue(key);
	return value && *value == literal;
}

int AttributeInteger(const TXMLElement &element, std::string_view name)
{
	return ToInteger(element.GetAttribute(name), element.NodeName(), name);
}

double AttributeReal(const TXMLElement &element, std::string_view name)
{
	return ToReal(element.GetAttribute(name), element.NodeName(), name);
}

double ConfigStrToFloat(std::string_view text)
{
	const auto parsed = ParseReal(text);
	if (!parsed)
		throw EGameError(Quoted(text) + " is not a valid floating point value");
	return *parsed;
}

std::optional<int> ParseInteger(std::string_view text)
{
	const std::string trimmed = Trim(text);
	if (trimmed.empty())
		return std::nullopt;
	const char *first = trimmed.data();
	if (*first == '+')
		++first;
	int value = 0;
	const auto [end, error] = std::from_chars(first, trimmed.data() + trimmed.size(), value);
	if (error != std::errc() || end != trimmed.data() + trimmed.size())
		return std::nullopt;
	return value;
}

} // namespace vantero
