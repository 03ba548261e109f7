#include "config/UConfigPreprocessor.h"

#include "config/UConfig.h"
#include "config/UUtils.h"
#include "text/UTextConvert.h"
#include "text/UUnicode.h"

#include <pugixml.hpp>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>

namespace vantero {

std::u16string ChangeResolutionTemplate;

namespace fs = std::filesystem;

namespace {

// The loaded configuration document and its binding; Config points into them.
std::unique_ptr<pugi::xml_document> ConfigDocument;
std::unique_ptr<TXMLVanteroType> ConfigBinding;

const std::string MsgPrefix = "Config preprocessing: ";

// A directive path as a file-system path: "\" is accepted as a separator.
fs::path ToFsPath(std::u16string_view path)
{
	std::string text = Utf16ToUtf8(path);
	std::replace(text.begin(), text.end(), '\\', '/');
	return fs::path(text);
}

std::u16string FromFsPath(const fs::path &path)
{
	return Utf8ToUtf16(path.string());
}

fs::path MakeAbsolute(std::u16string_view path)
{
	return fs::absolute(ToFsPath(path)).lexically_normal();
}

std::string Quoted(const std::u16string &text)
{
	return "\"" + Utf16ToUtf8(text) + "\"";
}

bool IsRegularFile(const fs::path &path)
{
	std::error_code error;
	return fs::is_regular_file(path, error);
}

bool IsHidden(const fs::path &name)
{
	const std::string text = name.filename().string();
	return !text.empty() && text[0] == '.';
}

// ASCII case-insensitive test whether the text begins with the keyword.
bool StartsWithKeyword(std::u16string_view text, std::u16string_view keyword)
{
	if (text.size() < keyword.size())
		return false;
	for (size_t i = 0; i < keyword.size(); ++i) {
		char16_t c = text[i];
		if (c >= u'a' && c <= u'z')
			c = static_cast<char16_t>(c - u'a' + u'A');
		if (c != keyword[i])
			return false;
	}
	return true;
}

bool SameKeyword(std::u16string_view text, std::u16string_view keyword)
{
	return text.size() == keyword.size() && StartsWithKeyword(text, keyword);
}

bool HasWildcards(std::u16string_view mask)
{
	return mask.find_first_of(u"*?") != std::u16string_view::npos;
}

// File-name mask matching with "*" and "?", ignoring case.
bool MatchesMask(std::u16string_view name, std::u16string_view mask)
{
	const std::u16string n = WideUpperCase(name);
	const std::u16string m = WideUpperCase(mask);
	size_t ni = 0, mi = 0;
	size_t starMask = std::u16string::npos, starName = 0;
	while (ni < n.size()) {
		if (mi < m.size() && (m[mi] == u'?' || m[mi] == n[ni])) {
			++ni;
			++mi;
		} else if (mi < m.size() && m[mi] == u'*') {
			starMask = mi++;
			starName = ni;
		} else if (starMask != std::u16string::npos) {
			mi = starMask + 1;
			ni = ++starName;
		} else
			return false;
	}
	while (mi < m.size() && m[mi] == u'*')
		++mi;
	return mi == m.size();
}

// The sorted entries of a folder (none when it cannot be listed), hidden entries left out.
std::vector<fs::directory_entry> ListFolder(const fs::path &folder)
{
	std::vector<fs::directory_entry> entries;
	std::error_code error;
	for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
		if (!IsHidden(it->path()))
			entries.push_back(*it);
	std::sort(entries.begin(), entries.end(),
		[](const fs::directory_entry &a, const fs::directory_entry &b) { return a.path().filename() < b.path().filename(); });
	return entries;
}

// Replaces the extension (after the last dot of the last path component) or appends one.
std::u16string ChangeFileExt(std::u16string_view path, std::u16string_view extension)
{
	const size_t separator = path.find_last_of(u"/\\");
	const size_t dot = path.rfind(u'.');
	const bool hasExtension = dot != std::u16string_view::npos && (separator == std::u16string_view::npos || dot > separator);
	return std::u16string(path.substr(0, hasExtension ? dot : path.size())) + std::u16string(extension);
}

// Makes a folder current for the lifetime of the guard and restores the previous one.
class TCurrentDirGuard {
public:
	explicit TCurrentDirGuard(const fs::path &folder) : Previous(fs::current_path()) { fs::current_path(folder); }
	~TCurrentDirGuard()
	{
		std::error_code error;
		fs::current_path(Previous, error);
	}
	TCurrentDirGuard(const TCurrentDirGuard &) = delete;
	TCurrentDirGuard &operator=(const TCurrentDirGuard &) = delete;

private:
	fs::path Previous;
};

// Keeps a file on the include chain for the lifetime of the guard.
class TChainGuard {
public:
	TChainGuard(std::vector<std::u16string> &chain, std::u16string name) : Chain(chain) { Chain.push_back(std::move(name)); }
	~TChainGuard() { Chain.pop_back(); }
	TChainGuard(const TChainGuard &) = delete;
	TChainGuard &operator=(const TChainGuard &) = delete;

private:
	std::vector<std::u16string> &Chain;
};

// Joins tokens with single blanks; a token that would not survive SplitTokens again is quoted.
std::u16string JoinTokens(const std::vector<std::u16string> &tokens, size_t first)
{
	std::u16string out;
	for (size_t i = first; i < tokens.size(); ++i) {
		if (i > first)
			out.push_back(u' ');
		const std::u16string &token = tokens[i];
		const bool needsQuotes = token.empty() || std::any_of(token.begin(), token.end(), [](char16_t c) { return c <= u' '; });
		out += needsQuotes ? u"\"" + token + u"\"" : token;
	}
	return out;
}

} // namespace

void TGConfigPreprocessor::AddDefine(std::u16string_view name)
{
	DefineList.push_back(WideLowerCase(name));
}

bool TGConfigPreprocessor::IsDefined(std::u16string_view name) const
{
	const std::u16string lower = WideLowerCase(name);
	return std::find(DefineList.begin(), DefineList.end(), lower) != DefineList.end();
}

std::u16string TGConfigPreprocessor::ProcessText(std::u16string_view text)
{
	return Expand(text);
}

std::u16string TGConfigPreprocessor::Expand(std::u16string_view text)
{
	TGConfigKeyParser parser;
	parser.Parse(text);
	if (parser.Count() == 0)
		return std::u16string(text);
	std::u16string out(text.substr(0, static_cast<size_t>(parser.Items(0).Start - 1)));
	for (int i = 0; i < parser.Count(); ++i) {
		const TGConfigKey &key = parser.Items(i);
		out += ExpandDirective(key.Text, true);
		const size_t after = static_cast<size_t>(key.Start - 1 + key.Length);
		const size_t next = i + 1 < parser.Count() ? static_cast<size_t>(parser.Items(i + 1).Start - 1) : text.size();
		out += text.substr(after, next - after);
	}
	return out;
}

std::u16string TGConfigPreprocessor::ProcessFile(std::u16string_view fileName)
{
	const fs::path path = MakeAbsolute(fileName);
	const std::u16string name = FromFsPath(path);
	if (!IsRegularFile(path))
		throw EGameError(MsgPrefix + "File not found: " + Quoted(name));
	for (const std::u16string &entry : Chain)
		if (WideSameText(entry, name))
			throw EGameError(MsgPrefix + " Circular reference. File " + Quoted(Chain.back()) + " references file " +
				Quoted(name) + ", which includes " + Quoted(Chain.back()));
	const TChainGuard chainGuard(Chain, name);
	TWideStringList lines;
	lines.LoadFromFile(path.string());
	const TCurrentDirGuard dirGuard(path.parent_path());
	return Expand(lines.Text());
}

std::u16string TGConfigPreprocessor::ExpandDirective(std::u16string_view directive, bool enabled)
{
	if (StartsWithKeyword(directive, u"IFDEF"))
		return DoIfDef(directive, enabled);
	if (StartsWithKeyword(directive, u"INCLUDE_RUNTIME"))
		return DoIncludeRuntime(directive, enabled);
	if (StartsWithKeyword(directive, u"INCLUDE"))
		return DoInclude(directive);
	return DoCurrentDir(directive);
}

std::u16string TGConfigPreprocessor::DoIfDef(std::u16string_view directive, bool enabled)
{
	const std::vector<std::u16string> tokens = SplitTokens(directive);
	if (tokens.size() < 2)
		throw EGameError(MsgPrefix + "Missing name in directive " + Quoted(std::u16string(directive)));
	const bool condition = enabled && IsDefined(tokens[1]);
	return ExpandDirective(JoinTokens(tokens, 2), condition);
}

std::u16string TGConfigPreprocessor::DoIncludeRuntime(std::u16string_view directive, bool enabled)
{
	const std::vector<std::u16string> tokens = SplitTokens(directive);
	if (tokens.size() < 2)
		throw EGameError(MsgPrefix + "Missing path in directive " + Quoted(std::u16string(directive)));
	const std::u16string &source = tokens[1];
	std::u16string snapshotPath = ChangeFileExt(source, u".tfx");
	if (snapshotPath.starts_with(u"cfg"))
		snapshotPath.erase(0, std::min<size_t>(4, snapshotPath.size()));
	const std::u16string snapshotName = u"cfg/" + FlattenPath(snapshotPath);
	const fs::path snapshot = ToFsPath(snapshotName);

	if (IsRegularFile(ToFsPath(source))) {
		const std::u16string content = DoInclude(directive);
		std::error_code error;
		fs::create_directories(snapshot.parent_path(), error);
		WriteWideTextFile(snapshot.string(), ScrambleText(content));
	}
	if (!IsRegularFile(snapshot))
		throw EGameError("Tfx file <" + Utf16ToUtf8(snapshotName) + "> was not found!");
	if (!enabled)
		return {};
	// Read without line splitting: a scrambled text is not line-structured.
	return ScrambleText(ReadWideTextFile(snapshot.string()));
}

std::u16string TGConfigPreprocessor::DoInclude(std::u16string_view directive)
{
	const std::vector<std::u16string> tokens = SplitTokens(directive);
	if (tokens.size() < 2)
		return {};
	const bool recursive = tokens.size() == 3 && SameKeyword(tokens[2], u"R");
	const fs::path pattern = MakeAbsolute(WideTrim(tokens[1]));
	return IncludeFiles(FromFsPath(pattern), recursive);
}

std::u16string TGConfigPreprocessor::DoCurrentDir(std::u16string_view directive) const
{
	if (!SameKeyword(directive, u"CURRENTDIR"))
		return {};
	std::string dir = fs::current_path().string();
	while (dir.size() > 1 && dir.back() == '/')
		dir.pop_back();
	return Utf8ToUtf16(dir);
}

std::u16string TGConfigPreprocessor::IncludeFiles(std::u16string_view pattern, bool recursive)
{
	const fs::path path = ToFsPath(pattern);
	const fs::path folder = path.parent_path();
	const std::u16string mask = FromFsPath(path.filename());
	const std::vector<fs::directory_entry> entries = ListFolder(folder);
	std::u16string out;
	bool matched = false;
	for (const fs::directory_entry &entry : entries) {
		std::error_code error;
		if (entry.is_regular_file(error) && MatchesMask(FromFsPath(entry.path().filename()), mask)) {
			matched = true;
			out += ProcessFile(FromFsPath(entry.path()));
		}
	}
	// A single file named without wildcards must exist: report it rather than include nothing.
	if (!matched && !recursive && !mask.empty() && !HasWildcards(mask))
		return ProcessFile(pattern);
	if (recursive)
		for (const fs::directory_entry &entry : entries) {
			std::error_code error;
			// Linked folders are not followed, so a link back to a parent cannot recurse forever.
			if (entry.is_directory(error) && !entry.is_symlink(error))
				out += IncludeFiles(FromFsPath(entry.path() / ToFsPath(mask)), true);
		}
	return out;
}

std::u16string ExpandConfigFile()
{
	TGConfigPreprocessor preprocessor;
	preprocessor.AddDefine(Utf8ToUtf16(ResolutionTag));
	preprocessor.AddDefine(Utf8ToUtf16(LanguageFolder));

	if (IsRegularFile("Config.xml")) {
		TWideStringList source;
		source.LoadFromFile("Config.xml");
		WriteWideTextFile("Vantero.cfg", ScrambleText(source.Text()));
	}
	// Read without line splitting: a scrambled text is not line-structured.
	const std::u16string plain = ScrambleText(ReadWideTextFile("Vantero.cfg"));
	return preprocessor.ProcessText(plain);
}

void LoadConfig()
{
	const std::string expanded = Utf16ToUtf8(ExpandConfigFile());

	auto document = std::make_unique<pugi::xml_document>();
	const pugi::xml_parse_result result =
		document->load_buffer(expanded.data(), expanded.size(), pugi::parse_default, pugi::encoding_utf8);
	if (!result)
		throw EGameError(Format("Configuration document is not well-formed XML: %s (offset %lld)", result.description(),
			static_cast<long long>(result.offset)));
	std::unique_ptr<TXMLVanteroType> binding = GetVantero(*document);
	std::u16string resolutionTemplate = Utf8ToUtf16(binding->DomNode().child("ChangeResolutionText2").text().get());

	Config = binding.get();
	ConfigBinding = std::move(binding);
	ConfigDocument = std::move(document);
	ChangeResolutionTemplate = std::move(resolutionTemplate);
}

void FreeConfig()
{
	Config = nullptr;
	ConfigBinding.reset();
	ConfigDocument.reset();
	ChangeResolutionTemplate.clear();
}

} // namespace vantero
