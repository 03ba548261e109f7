#include "config/UConfigKeyParser.h"

#include "text/UUnicode.h"

namespace vantero {

namespace {

template <typename TString, typename TView>
TString Flatten(TView path)
{
	TString out;
	out.reserve(path.size());
	for (size_t i = 0; i < path.size(); ++i) {
		const auto c = path[i];
		const bool separator = c == '/' || c == '\\';
		if (!separator)
			out.push_back(c);
		else if (i + 1 < path.size())
			out.push_back('-');
	}
	return out;
}

} // namespace

void TGConfigKeyParser::Parse(std::u16string_view text)
{
	Keys.clear();
	bool open = false;
	size_t tagStart = 0;
	for (size_t i = 0; i + 1 < text.size(); ++i) {
		if (!open && text[i] == u'[' && text[i + 1] == u'%') {
			open = true;
			tagStart = i;
		} else if (open && text[i] == u'%' && text[i + 1] == u']') {
			TGConfigKey key;
			key.Start = static_cast<int>(tagStart) + 1;
			key.Length = static_cast<int>(i - tagStart) + 2;
			key.Text = WideTrim(i > tagStart + 2 ? text.substr(tagStart + 2, i - tagStart - 2) : std::u16string_view());
			Keys.push_back(std::move(key));
			open = false;
		}
	}
}

std::u16string ScrambleText(std::u16string_view text)
{
	std::u16string out(text);
	for (char16_t &unit : out)
		unit = static_cast<char16_t>(unit ^ 0x5C1D);
	return out;
}

std::vector<std::u16string> SplitTokens(std::u16string_view text)
{
	enum class TState { None, Unquoted, Quoted };
	std::vector<std::u16string> tokens;
	std::u16string token;
	TState state = TState::None;
	std::u16string marked(text);
	marked.push_back(u'"');
	for (const char16_t c : marked) {
		if (c == u'"') {
			if (state == TState::Quoted) {
				tokens.push_back(std::move(token));
				token.clear();
				state = TState::None;
			} else {
				if (state == TState::Unquoted) {
					tokens.push_back(std::move(token));
					token.clear();
				}
				state = TState::Quoted;
			}
		} else if (c <= u' ') {
			if (state == TState::Unquoted) {
				tokens.push_back(std::move(token));
				token.clear();
				state = TState::None;
			} else if (state == TState::Quoted)
				token.push_back(c);
		} else {
			if (state == TState::None)
				state = TState::Unquoted;
			token.push_back(c);
		}
	}
	return tokens;
}

std::u16string FlattenPath(std::u16string_view path)
{
	return Flatten<std::u16string>(path);
}

std::string FlattenPath(std::string_view path)
{
	return Flatten<std::string>(path);
}

} // namespace vantero
