#include "config/ULevelCheck.h"

#include "config/UConfigKeys.h"
#include "config/UUtils.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace vantero {

namespace {

// Sublevels per pass and cells per field, fixed by the game.
constexpr int SubLevelsPerPass = 7;
constexpr int FieldSide = 10;
constexpr int FieldCellCount = FieldSide * FieldSide;
constexpr std::string_view KnownCells = "#.@$1234567abcxy";

std::string Quoted(std::string_view text)
{
	return "\"" + std::string(text) + "\"";
}

// --- Manifest files ---

std::vector<std::string> ManifestLines(const std::string &folder, const std::string &file, std::vector<int> &numbers)
{
	const std::string path = folder + "/" + file;
	std::ifstream stream(path);
	if (!stream)
		throw EGameError("Cannot read the manifest file " + Quoted(path));
	std::vector<std::string> lines;
	std::string line;
	for (int number = 1; std::getline(stream, line); ++number) {
		const std::string trimmed = Trim(line);
		if (trimmed.empty() || trimmed[0] == '#')
			continue;
		lines.push_back(trimmed);
		numbers.push_back(number);
	}
	return lines;
}

[[noreturn]] void ManifestError(const std::string &file, int line, const std::string &what)
{
	throw EGameError("Manifest " + file + ", line " + std::to_string(line) + ": " + what);
}

std::vector<std::string> Words(std::string_view text)
{
	std::vector<std::string> words;
	std::istringstream stream{std::string(text)};
	for (std::string word; stream >> word;)
		words.push_back(word);
	return words;
}

// --- Values converted to numbers ---

// Why the value does not convert, or nothing when it does.
std::optional<std::string> ConversionProblem(const std::string &value, const std::string &conversion)
{
	if (conversion == "int")
		return ParseInteger(value) ? std::nullopt : std::optional<std::string>("not an integer");
	if (conversion == "real") {
		try {
			ConfigStrToFloat(value);
			return std::nullopt;
		} catch (const EGameError &) {
			return "not a number with \",\" as the decimal separator";
		}
	}
	std::string separated = value;
	std::replace(separated.begin(), separated.end(), ',', ' ');
	const std::vector<std::string> items = Words(separated);
	if (items.empty())
		return "empty, but integers are needed";
	for (const std::string &item : items)
		if (!ParseInteger(item))
			return "not a list of integers";
	return std::nullopt;
}

// The fault of one numeric attribute of an element, or nothing.
std::optional<std::string> NumberFault(const TXMLElement &element, const TLevelCheckManifest::TNumberKey &key)
{
	const auto value = element.GetAttribute(key.Name);
	if (!value) {
		if (key.Optional)
			return std::nullopt;
		return "has no " + Quoted(key.Name) + " (read as a number)";
	}
	if (const auto problem = ConversionProblem(*value, key.Conversion))
		return Quoted(key.Name) + " is " + Quoted(*value) + ", " + *problem;
	return std::nullopt;
}

// --- What a field holds ---

struct TFieldFacts {
	bool Present = false;
	std::vector<std::string> Cells;
	std::set<std::string> Unknown;
	int Holes = 0;
	int Dollars = 0;
	int Boxes = 0;
	std::set<int> SpawnColumns;  // columns of "@" cells
	std::map<int, int> Digits;   // digit value -> index of its first cell
	int Solid = -1;              // SolidCellsByDefault, -1 when unreadable
};

TFieldFacts FieldFactsOf(const TXMLSubLevelType &subLevel)
{
	TFieldFacts facts;
	const pugi::xml_node fieldNode = subLevel.DomNode().child("Field");
	if (!fieldNode)
		return facts;
	facts.Present = true;
	const TXMLFieldType &field = subLevel.Field();
	facts.Cells = FieldCells(field.Text());
	if (const auto solid = field.GetAttribute("SolidCellsByDefault"))
		facts.Solid = ParseInteger(*solid).value_or(-1);
	for (int i = 0; i < static_cast<int>(facts.Cells.size()); ++i) {
		const std::string &cell = facts.Cells[i];
		if (cell.size() != 1 || KnownCells.find(cell[0]) == std::string_view::npos) {
			facts.Unknown.insert(cell);
			continue;
		}
		const char c = cell[0];
		if (c == '#')
			++facts.Holes;
		else if (c == '$')
			++facts.Dollars;
		else if (c == '@')
			facts.SpawnColumns.insert(i % FieldSide);
		else if (c == 'x' || c == 'y')
			++facts.Boxes;
		else if (c >= '1' && c <= '7')
			facts.Digits.emplace(c - '0', i);
	}
	return facts;
}

// The columns of "@" cells where boxes can appear (never the outer columns 0 and 9).
std::set<int> UsableSpawnColumns(const TFieldFacts &facts)
{
	std::set<int> usable;
	for (const int column : facts.SpawnColumns)
		if (column >= 1 && column <= FieldSide - 2)
			usable.insert(column);
	return usable;
}

// The distinct gem kinds (SpriteIndex values) of the Elements entries; unreadable entries are skipped.
std::vector<int> ElementKinds(const TXMLSubLevelType &subLevel)
{
	std::vector<int> kinds;
	for (const TXMLElementType &element : subLevel.Element())
		kinds.push_back(element.GetAttribute("SpriteIndex") ? ParseInteger(*element.GetAttribute("SpriteIndex")).value_or(-1) : -1);
	return kinds;
}

int DistinctKinds(const std::vector<int> &kinds)
{
	std::set<int> distinct;
	for (const int kind : kinds)
		if (kind >= 0)
			distinct.insert(kind);
	return static_cast<int>(distinct.size());
}

// The gem distributions "P" + number of a sublevel, by number.
std::map<int, std::string> Distributions(const TXMLSubLevelType &subLevel)
{
	std::map<int, std::string> result;
	for (const pugi::xml_attribute &attribute : subLevel.DomNode().attributes()) {
		const std::string name = attribute.name();
		if (name.size() < 2 || name[0] != 'P' || !std::all_of(name.begin() + 1, name.end(), [](char c) { return c >= '0' && c <= '9'; }))
			continue;
		if (const auto number = ParseInteger(name.substr(1)))
			result.emplace(*number, attribute.value());
	}
	return result;
}

std::string CellName(int index)
{
	return "row " + std::to_string(index / FieldSide + 1) + ", column " + std::to_string(index % FieldSide + 1);
}

// --- The checker ---

class TChecker {
public:
	TChecker(const TXMLVanteroType &root, const TLevelCheckManifest &manifest) : Root(root), Manifest(manifest)
	{
		for (const auto &key : Manifest.NumberKeys)
			if (!key.Element.empty())
				KeysByElement[key.Element].push_back(&key);
	}

	std::vector<std::string> Run()
	{
		CheckRootKeys();
		CheckTexts();
		CheckSounds();
		for (const char *name : {"Blink", "FontRowSpace"})
			CheckItems(name);
		CheckLevels();
		return Faults;
	}

private:
	void Fault(const std::string &where, const std::string &what) { Faults.push_back(where + ": " + what); }

	void CheckNumbers(const TXMLElement &element, const std::string &elementName, const std::string &where)
	{
		const auto found = KeysByElement.find(elementName);
		if (found == KeysByElement.end())
			return;
		for (const auto *key : found->second)
			if (const auto fault = NumberFault(element, *key))
				Fault(where, *fault);
	}

	void CheckItems(const char *name)
	{
		const TXMLList<TXMLBoundElement> items(Root.DomNode(), name);
		for (int i = 0; i < items.Count(); ++i)
			CheckNumbers(items[i], name, std::string(name) + " " + std::to_string(i + 1));
	}

	void CheckRootKeys()
	{
		for (const auto &key : Manifest.NumberKeys) {
			if (!key.Element.empty())
				continue;
			const auto value = Root.GetAttribute(key.Name);
			if (!value) {
				if (!key.Optional)
					Fault("Configuration", "missing key " + Quoted(key.Name) + " (read as a number)");
			} else if (const auto problem = ConversionProblem(*value, key.Conversion)) {
				Fault("Configuration", "key " + Quoted(key.Name) + " is " + Quoted(*value) + ", " + *problem);
			}
		}
	}

	void CheckTextElement(const TXMLTextType &text, const std::string &where)
	{
		CheckNumbers(text, "Text", where);
		try {
			if (text.HasAttribute("HAlign"))
				text.HAlign();
			if (text.HasAttribute("VAlign"))
				text.VAlign();
		} catch (const EGameError &error) {
			Fault(where, error.what());
		}
	}

	void CheckTexts()
	{
		std::set<std::string> lists;
		for (const auto &text : Manifest.TextIds) {
			if (!text.Id) {
				if (!Root.DomNode().child(text.List.c_str()))
					Fault("Texts", "missing text element " + Quoted(text.List));
				else
					CheckTextElement(Root.TextElement(text.List.c_str()), text.List);
				continue;
			}
			lists.insert(text.List);
			if (!TextList(text.List).FindById(*text.Id))
				Fault("Texts", "missing " + text.List + " text with Id " + std::to_string(*text.Id));
		}
		for (const std::string &name : lists) {
			const IXMLTextTypeList &list = TextList(name);
			for (int i = 0; i < list.Count(); ++i) {
				const std::string where = name + " " + std::to_string(i + 1);
				const auto id = list[i].GetAttribute("Id");
				if (!id || !ParseInteger(*id))
					Fault(where, "has no integer \"Id\", so it can never be found");
				CheckTextElement(list[i], where);
			}
		}
	}

	const IXMLTextTypeList &TextList(const std::string &name) { return Root.TextList(name.c_str()); }

	void CheckSounds()
	{
		std::set<std::string> catalogue;
		const auto &sounds = Root.Sound();
		for (int i = 0; i < sounds.Count(); ++i) {
			const std::string where = "Sound " + std::to_string(i + 1);
			CheckNumbers(sounds[i], "Sound", where);
			const std::string src = sounds[i].Src();
			if (src.size() <= 4)
				Fault(where, "Src " + Quoted(src) + " is too short for a name and a three-letter extension");
			else
				catalogue.insert(src.substr(0, src.size() - 4));
		}
		for (const std::string &name : Manifest.SoundNames)
			if (!catalogue.count(name))
				Fault("Sounds", "sound " + Quoted(name) + " is played by the game but not catalogued");
		const std::string press = Root.ButtonPressSound();
		if (!press.empty() && !catalogue.count(press))
			Fault("Sounds", "ButtonPressSound " + Quoted(press) + " is not catalogued");
		const auto &levels = Root.Level();
		for (int i = 0; i < levels.Count(); ++i) {
			const std::string track = levels[i].Track();
			const std::string where = MonumentName(i);
			if (track.empty())
				Fault(where, "has no Track");
			else if (!catalogue.count(track))
				Fault(where, "Track " + Quoted(track) + " is not catalogued");
		}
	}

	std::string MonumentName(int level) const
	{
		const TXMLLevelType &item = Root.Level()[level];
		const std::string title = item.Title();
		return "Monument " + std::to_string(level + 1) + (title.empty() ? std::string() : " " + Quoted(title));
	}

	void CheckLevels()
	{
		const auto &levels = Root.Level();
		if (const auto count = Root.GetAttribute("MaxLevelCount"); count && ParseInteger(*count)
			&& *ParseInteger(*count) != levels.Count())
			Fault("Levels", "MaxLevelCount is " + *count + " but there are " + std::to_string(levels.Count()) + " Level elements");
		for (int l = 0; l < levels.Count(); ++l) {
			const TXMLLevelType &level = levels[l];
			const std::string monument = MonumentName(l);
			CheckNumbers(level, "Level", monument);
			for (int i = 0; i < level.BackgroundAnimation().Count(); ++i)
				CheckNumbers(level.BackgroundAnimation()[i], "BackgroundAnimation",
					monument + ", BackgroundAnimation " + std::to_string(i + 1));
			for (int i = 0; i < level.SmallWorker().Count(); ++i)
				CheckNumbers(level.SmallWorker()[i], "SmallWorker", monument + ", SmallWorker " + std::to_string(i + 1));
			const auto &passes = level.Pass();
			if (passes.Count() == 0)
				Fault(monument, "has no Pass");
			for (int p = 0; p < passes.Count(); ++p) {
				const TXMLPassType &pass = passes[p];
				const std::string passName = monument + ", pass " + std::to_string(p + 1);
				if (pass.Count() != SubLevelsPerPass)
					Fault(passName, "has " + std::to_string(pass.Count()) + " SubLevels, needs " + std::to_string(SubLevelsPerPass));
				for (int s = 0; s < pass.Count(); ++s)
					CheckSubLevel(pass[s], passName + ", sublevel " + std::to_string(s + 1));
			}
		}
	}

	void CheckSubLevel(const TXMLSubLevelType &subLevel, const std::string &where)
	{
		CheckNumbers(subLevel, "SubLevel", where);
		const std::vector<int> kinds = ElementKinds(subLevel);
		for (int i = 0; i < subLevel.Element().Count(); ++i)
			CheckNumbers(subLevel.Element()[i], "Element", where + ", Element " + std::to_string(i + 1));
		for (int i = 0; i < subLevel.Block().Count(); ++i)
			CheckNumbers(subLevel.Block()[i], "Block", where + ", Block " + std::to_string(i + 1));
		for (int i = 0; i < subLevel.Worker().Count(); ++i)
			CheckNumbers(subLevel.Worker()[i], "Worker", where + ", Worker " + std::to_string(i + 1));

		if (const auto limit = subLevel.GetAttribute("TimeLimit"); limit && ParseInteger(*limit) && *ParseInteger(*limit) <= 0)
			Fault(where, "TimeLimit must be positive, is " + *limit);
		CheckField(subLevel, kinds, where);
		CheckGemKinds(subLevel, kinds, where);
		CheckBoxes(subLevel, where);
		if (subLevel.Worker().Count() == 0)
			Fault(where, "has no workers, so it is lost at once");
	}

	void CheckField(const TXMLSubLevelType &subLevel, const std::vector<int> &kinds, const std::string &where)
	{
		const TFieldFacts facts = FieldFactsOf(subLevel);
		if (!facts.Present) {
			Fault(where, "has no Field");
			return;
		}
		CheckNumbers(subLevel.Field(), "Field", where + ", Field");
		if (facts.Cells.size() != FieldCellCount)
			Fault(where, "field has " + std::to_string(facts.Cells.size()) + " cells, needs exactly " + std::to_string(FieldCellCount));
		for (const std::string &cell : facts.Unknown)
			Fault(where, "field has the unknown cell character " + Quoted(cell));
		for (const auto &[digit, index] : facts.Digits)
			if (digit >= static_cast<int>(kinds.size()))
				Fault(where, "field cell " + Quoted(std::to_string(digit)) + " at " + CellName(index) + " names Element entry "
					+ std::to_string(digit) + ", but there are only " + std::to_string(kinds.size()) + " entries (counted from 0)");
	}

	void CheckGemKinds(const TXMLSubLevelType &subLevel, const std::vector<int> &kinds, const std::string &where)
	{
		const int distinct = DistinctKinds(kinds);
		if (distinct < 3)
			Fault(where, "offers " + std::to_string(distinct) + " gem kinds; the start fill avoids matches and needs at least 3");
		for (const auto &[number, text] : Distributions(subLevel)) {
			const std::string name = "P" + std::to_string(number);
			std::vector<int> picked;
			bool valid = !text.empty();
			for (const char c : text) {
				const int index = c - '0';
				if (c < '0' || c > '9' || index >= static_cast<int>(kinds.size())) {
					valid = false;
					Fault(where, "distribution " + name + " " + Quoted(text) + " has " + Quoted(std::string(1, c))
						+ ", which is no Element entry");
					break;
				}
				picked.push_back(kinds[index]);
			}
			if (text.empty())
				Fault(where, "distribution " + name + " is empty");
			else if (valid && DistinctKinds(picked) < 3)
				Fault(where, "distribution " + name + " " + Quoted(text) + " offers " + std::to_string(DistinctKinds(picked))
					+ " gem kinds; the start fill avoids matches and needs at least 3");
		}
	}

	void CheckBoxes(const TXMLSubLevelType &subLevel, const std::string &where)
	{
		const auto &blocks = subLevel.Block();
		for (int i = 0; i < blocks.Count(); ++i) {
			const auto sprite = blocks[i].GetAttribute("SpriteIndex");
			const auto number = sprite ? ParseInteger(*sprite) : std::nullopt;
			if (number && *number != 1 && *number != 2)
				Fault(where, "Block " + std::to_string(i + 1) + " has SpriteIndex " + *sprite + "; only boxes 1 and 2 exist");
		}
		if (blocks.Count() == 0)
			return;
		const TFieldFacts facts = FieldFactsOf(subLevel);
		if (!facts.Present)
			return;
		const std::set<int> usable = UsableSpawnColumns(facts);
		const std::string boxes = std::to_string(blocks.Count()) + (blocks.Count() == 1 ? " box" : " boxes");
		if (usable.empty())
			Fault(where, "has " + boxes + " but no \"@\" spawn cell in columns 1 to 8 (counted from 0)");
		else if (blocks.Count() > 1 && usable.size() < 2)
			Fault(where, "has " + boxes + " but \"@\" spawn cells in one column only; two boxes in a row never use the same column");
	}

	// What is checked against what.
	const TXMLVanteroType &Root;
	const TLevelCheckManifest &Manifest;
	std::map<std::string, std::vector<const TLevelCheckManifest::TNumberKey *>> KeysByElement;
	// The result.
	std::vector<std::string> Faults;
};

// --- Summary ---

// The text right-aligned in a column of the width, then one blank.
std::string Column(const std::string &text, size_t width)
{
	return text.size() >= width ? text + " " : std::string(width - text.size(), ' ') + text + " ";
}

// A table row without its trailing blanks, and the line break.
std::string Row(std::string text)
{
	while (!text.empty() && text.back() == ' ')
		text.pop_back();
	return text + "\n";
}

} // namespace

TLevelCheckManifest LoadLevelCheckManifest(const std::string &folder)
{
	TLevelCheckManifest manifest;
	std::vector<int> numbers;
	const std::string keysFile = "config-number-keys.txt";
	const auto keyLines = ManifestLines(folder, keysFile, numbers);
	for (size_t i = 0; i < keyLines.size(); ++i) {
		const std::vector<std::string> words = Words(keyLines[i]);
		TLevelCheckManifest::TNumberKey key;
		if (words.size() < 2 || words.size() > 3 || (words.size() == 3 && words[2] != "optional"))
			ManifestError(keysFile, numbers[i], "expected a key, a conversion and maybe \"optional\"");
		if (words[1] != "int" && words[1] != "real" && words[1] != "intlist")
			ManifestError(keysFile, numbers[i], "unknown conversion " + Quoted(words[1]));
		const size_t dot = words[0].find('.');
		key.Element = dot == std::string::npos ? std::string() : words[0].substr(0, dot);
		key.Name = dot == std::string::npos ? words[0] : words[0].substr(dot + 1);
		key.Conversion = words[1];
		key.Optional = words.size() == 3;
		manifest.NumberKeys.push_back(key);
	}
	numbers.clear();
	const std::string textsFile = "text-ids.txt";
	const auto textLines = ManifestLines(folder, textsFile, numbers);
	for (size_t i = 0; i < textLines.size(); ++i) {
		const std::vector<std::string> words = Words(textLines[i]);
		TLevelCheckManifest::TTextId text;
		if (words.empty() || words.size() > 2 || (words.size() == 2 && !ParseInteger(words[1])))
			ManifestError(textsFile, numbers[i], "expected an element name and maybe an Id");
		text.List = words[0];
		if (words.size() == 2)
			text.Id = ParseInteger(words[1]);
		manifest.TextIds.push_back(text);
	}
	numbers.clear();
	manifest.SoundNames = ManifestLines(folder, "sound-names.txt", numbers);
	return manifest;
}

std::vector<std::string> FieldCells(const std::string &text)
{
	std::vector<std::string> cells;
	for (size_t i = 0; i < text.size();) {
		const unsigned char c = static_cast<unsigned char>(text[i]);
		size_t length = 1;
		if (c >= 0xF0)
			length = 4;
		else if (c >= 0xE0)
			length = 3;
		else if (c >= 0xC0)
			length = 2;
		if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
			cells.push_back(text.substr(i, length));
		i += length;
	}
	return cells;
}

std::vector<std::string> CheckConfiguration(const TXMLVanteroType &root, const TLevelCheckManifest &manifest)
{
	return TChecker(root, manifest).Run();
}

std::string SummarizeLevels(const TXMLVanteroType &root, const std::vector<int> &maxTileLetters)
{
	std::ostringstream out;
	const auto &levels = root.Level();
	for (int l = 0; l < levels.Count(); ++l) {
		const TXMLLevelType &level = levels[l];
		const int maxTile = l < static_cast<int>(maxTileLetters.size()) ? maxTileLetters[l] : -1;
		const auto &passes = level.Pass();
		for (int p = 0; p < passes.Count(); ++p) {
			const TXMLPassType &pass = passes[p];
			out << "Monument " << (l + 1);
			if (!level.Title().empty())
				out << " \"" << level.Title() << "\"";
			out << ", pass " << (p + 1) << " of " << passes.Count();
			if (maxTile >= 0)
				out << " (tile letters a.." << static_cast<char>('a' + maxTile) << ")";
			out << "\n";
			out << Row(Column("Sub", 4) + Column("Kinds", 6) + Column("P", 3) + Column("Holes", 6) + Column("Tiles", 6)
				+ Column("Layer", 6) + Column("$", 4) + Column("Hits", 5) + Column("Boxes", 6) + Column("Spawn", 6)
				+ Column("Workers", 8) + Column("Time", 5));
			for (int s = 0; s < pass.Count(); ++s) {
				const TXMLSubLevelType &subLevel = pass[s];
				const TFieldFacts facts = FieldFactsOf(subLevel);
				const int board = static_cast<int>(facts.Cells.size()) - facts.Holes;
				std::string layer = "?";
				std::string hits = "-";
				if (facts.Solid == 0) {
					layer = "1";
					if (maxTile >= 0)
						hits = std::to_string(board - facts.Dollars + facts.Dollars * maxTile);
				} else if (facts.Solid > 0) {
					layer = maxTile >= 0 ? std::to_string(maxTile) : "max";
					if (maxTile >= 0)
						hits = std::to_string((board - facts.Dollars) * maxTile + facts.Dollars);
				}
				std::string boxes = std::to_string(subLevel.Block().Count());
				if (facts.Boxes > 0)
					boxes += "+" + std::to_string(facts.Boxes);
				out << Row(Column(std::to_string(s + 1), 4) + Column(std::to_string(DistinctKinds(ElementKinds(subLevel))), 6)
					+ Column(std::to_string(Distributions(subLevel).size()), 3) + Column(std::to_string(facts.Holes), 6)
					+ Column(std::to_string(board), 6) + Column(layer, 6) + Column(std::to_string(facts.Dollars), 4)
					+ Column(hits, 5) + Column(boxes, 6) + Column(std::to_string(UsableSpawnColumns(facts).size()), 6)
					+ Column(std::to_string(subLevel.Worker().Count()), 8)
					+ Column(subLevel.GetAttribute("TimeLimit").value_or("?"), 5));
			}
			out << "\n";
		}
	}
	out << "Kinds: distinct gem kinds; P: gem distributions; Tiles: cells on the board; Layer: starting tile\n"
		   "level of ordinary cells; $: cells with the opposite level; Hits: removals needed to clear every tile\n"
		   "(when the tile pictures are known); Boxes: Block entries (+ pre-placed boxes); Spawn: columns 1 to 8\n"
		   "with \"@\" cells; Time: TimeLimit in seconds.\n";
	return out.str();
}

} // namespace vantero
