#pragma once
// The configuration preprocessor and the start-up loading of the configuration document.
// Directive tags "[%" ... "%]" in the text are expanded: IFDEF, INCLUDE_RUNTIME, INCLUDE, CURRENTDIR.

#include "config/UConfigKeyParser.h"

#include <string>
#include <string_view>
#include <vector>

namespace vantero {

class TGConfigPreprocessor {
public:
	TGConfigPreprocessor() = default;
	TGConfigPreprocessor(const TGConfigPreprocessor &) = delete;
	TGConfigPreprocessor &operator=(const TGConfigPreprocessor &) = delete;

	// Appends the lower-cased name to the defines.
	void AddDefine(std::u16string_view name);
	// Whether the name is defined (compared in lower case).
	bool IsDefined(std::u16string_view name) const;
	// The defined names, lower-cased, in order of definition.
	const std::vector<std::u16string> &Defines() const { return DefineList; }
	// Full paths of the files being expanded, outermost first.
	const std::vector<std::u16string> &IncludeChain() const { return Chain; }

	// Expands every tag of a text that comes from no file.
	std::u16string ProcessText(std::u16string_view text);
	// Reads and expands a file with its folder as the current directory.
	std::u16string ProcessFile(std::u16string_view fileName);
	// Dispatches a directive text by its keyword; Enabled false suppresses inclusion.
	std::u16string ExpandDirective(std::u16string_view directive, bool enabled);
	// IFDEF name rest...: the rest, enabled only when the name is defined.
	std::u16string DoIfDef(std::u16string_view directive, bool enabled);
	// INCLUDE_RUNTIME path [R]: regenerates the snapshot from path when it exists, then inserts it.
	std::u16string DoIncludeRuntime(std::u16string_view directive, bool enabled);
	// INCLUDE pattern [R]: the expansions of every matching file, in subfolders too with "R".
	std::u16string DoInclude(std::u16string_view directive);
	// CURRENTDIR: the current directory without a trailing separator; any other text: nothing.
	std::u16string DoCurrentDir(std::u16string_view directive) const;
	// The concatenated expansions of the files matching the pattern (sorted by name).
	std::u16string IncludeFiles(std::u16string_view pattern, bool recursive);

private:
	// Expands the tags of one text (top level or file content).
	std::u16string Expand(std::u16string_view text);

	// Defined names, lower-cased.
	std::vector<std::u16string> DefineList;
	// Files under expansion, outermost first.
	std::vector<std::u16string> Chain;
};

// The text of the root's child element ChangeResolutionText2 as loaded (empty when absent).
extern std::u16string ChangeResolutionTemplate;

// The first steps of LoadConfig: scrambles "Config.xml" into "Vantero.cfg" when present, then reads
// "Vantero.cfg" and expands it with ResolutionTag and LanguageFolder defined; returns the expanded text.
std::u16string ExpandConfigFile();
// Builds the configuration document from "Config.xml" / "Vantero.cfg" in the current directory,
// with ResolutionTag and LanguageFolder defined; sets Config and ChangeResolutionTemplate.
void LoadConfig();
// Releases the configuration document; Config becomes null.
void FreeConfig();

} // namespace vantero
