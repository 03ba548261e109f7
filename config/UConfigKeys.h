#pragma once
// Key lookup on the configuration root, with the conversions every reader uses.
// No key has a built-in default: a missing key read as a number is an error naming the key.

#include <optional>
#include <string>
#include <string_view>

namespace vantero {

class TXMLElement;

// The key's text on the root, or nothing when the root has no such attribute.
std::optional<std::string> ConfigValue(std::string_view key);
// The key's text; the empty text when absent.
std::string ConfigText(std::string_view key);
// The key as a decimal integer; EGameError naming the key when absent or not a number.
int ConfigInteger(std::string_view key);
// The key as a real with "," as the decimal separator; EGameError naming the key when absent or bad.
double ConfigReal(std::string_view key);
// Whether the key's text equals the literal exactly.
bool ConfigEquals(std::string_view key, std::string_view literal);

// The same conversions on any element's attribute (level, sublevel, ...).
int AttributeInteger(const TXMLElement &element, std::string_view name);
double AttributeReal(const TXMLElement &element, std::string_view name);

// Parses a real with "," as the decimal separator, whatever the locale; EGameError when not a number.
double ConfigStrToFloat(std::string_view text);
// Parses a decimal integer (blanks around it allowed); nothing when not an integer.
std::optional<int> ParseInteger(std::string_view text);

} // namespace vantero
