#pragma once
// Reading the game's cfg fragments as plain text for the art tools: the whole file with its
// preprocessor notes ([% ... %]) and XML comments blanked out, so simple patterns can scan it.
// Header-only: artgen and contactsheet both use it.

#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>

namespace vantero::art {

// The text of a cfg file without notes and comments; throws std::runtime_error("cannot read <path>").
inline std::string ReadConfigText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::stringstream ss;
    ss << in.rdbuf();
    std::string text = ss.str();
    text = std::regex_replace(text, std::regex(R"(\[%[\s\S]*?%\])"), " ");
    return std::regex_replace(text, std::regex(R"(<!--[\s\S]*?-->)"), " ");
}

}  // namespace vantero::art
