#include "play/UBoardBot.h"

#include "config/UConfig.h"
#include "config/UConfigKeys.h"
#include "config/UResolution.h"
#include "config/UUtils.h"
#include "render/USpritePool.h"

#include "config/UConfigPreprocessor.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>

namespace vantero {

namespace {

// A frame that draws nothing.
class TBlankSprite : public TSprite {
public:
	TBlankSprite(int width, int height)
	{
		Width = width;
		Height = height;
	}
	void Draw(TRect, int, uint8_t, double, double, double) override {}
	void DrawPieces(TRect, int, uint8_t, double, double, double) override {}
};

void AddBlank(TSpritePool &pool, const std::string &name, int frames, int width, int height)
{
	auto sequence = std::make_unique<TSequence>(name, true);
	for (int i = 0; i < frames; ++i)
		sequence->AddFrame(std::make_unique<TBlankSprite>(width, height));
	pool.AddSequence("bot", std::move(sequence));
}

// A layout value from the configuration when it has it, else the 800x600 value.
double LayoutValue(const char *key, double fallback)
{
	if (Config == nullptr)
		return fallback;
	const std::optional<std::string> text = ConfigValue(key);
	if (!text.has_value())
		return fallback;
	try {
		return ConfigStrToFloat(*text);
	} catch (const EGameError &) {
		return fallback;
	}
}

} // namespace

// --- Stand-ins ---

void TBotTipQueue::ShowTip(int Index, uint8_t Flags, double, double, double ArrowX, double ArrowY, double Distance)
{
	for (const TRequest &request : Shown)
		if (request.Index == Index)
			return;
	Shown.push_back(TRequest{Index, Flags, ArrowX, ArrowY, Distance});
}

double TBotConveyor::BusyTime(int SpriteNo, double X, double Y)
{
	const double conveyerY = LayoutValue("ConveyerY", 548);
	const double leftBound = LayoutValue("LeftBound", 300);
	const double rightBound = LayoutValue("RightBound", 760);
	const double fallBound = LayoutValue(SpriteNo == 2 ? "LeftBlockFallBound2" : "LeftBlockFallBound1", 292);
	const double carriersX = LayoutValue("GameWorkersPosForBlockCarringX", 200);
	const double gdx = LayoutValue("GDX", 4);
	const double boxX = X + 25;
	const double fall = std::max(0.0, conveyerY - Y) / 400;
	const double mechanic = 1.5 + std::abs((leftBound + rightBound) / 2 - (boxX + (SpriteNo == 1 ? 10 : 0))) / 40 + 0.4;
	const double slide = std::max(0.0, boxX - fallBound) / 25 + 0.425;
	const double carriers = 3.5 + (carriersX + 113 - 18) / 40 + 0.67 + 0.5;
	const double x0 = carriersX - 20 + (SpriteNo == 2 ? -6 : gdx);
	const double drag = 1.2 + std::ceil((x0 + 50) / 10) * 0.5;
	return fall + mechanic + slide + carriers + drag;
}

void TBotConveyor::PushBlock(int SpriteNo, double X, double Y)
{
	++Pushed;
	FallLeft = std::max(0.0, LayoutValue("ConveyerY", 548) - Y) / 400;
	BusyLeft = BusyTime(SpriteNo, X, Y);
	if (FallLeft <= 0)
		++Delivered;
}

void TBotConveyor::Advance(double Seconds)
{
	if (FallLeft > 0) {
		FallLeft -= Seconds;
		if (FallLeft <= 0)
			++Delivered;
	}
	if (BusyLeft > 0)
		BusyLeft -= Seconds;
}

TBotGameScreen::TBotGameScreen(TXMLLevelType *Level, TXMLSubLevelType &SubLevel, int LevelNo)
	: Level(Level), SubLevel(SubLevel), LevelNo(LevelNo)
{
}

std::string TBotGameScreen::GetLevelFolder()
{
	return "levels/" + TwoDigits(LevelNo) + "/";
}

void TBotGameScreen::ShowMessage(uint8_t Number, bool, bool)
{
	Messages.push_back(Number);
}

void AddBoardSequences(TSpritePool &Pool, int CellSize, int MaxLetter)
{
	for (int kind = 1; kind <= 20; ++kind) {
		const std::string nn = TwoDigits(kind);
		AddBlank(Pool, "elements/marble" + nn, 10, CellSize, CellSize);
		AddBlank(Pool, "elements/marble" + nn + "sel", 20, CellSize, CellSize);
		AddBlank(Pool, "elements/marble" + nn + "kill", 12, CellSize, CellSize);
		AddBlank(Pool, "elements/marble" + nn + "symblink", 15, CellSize, CellSize);
	}
	for (int box = 1; box <= 2; ++box) {
		const std::string nn = TwoDigits(box);
		AddBlank(Pool, "elements/box" + nn, 1, 50, 50);
		AddBlank(Pool, "elements/box" + nn + "light", 25, 70, 70);
		AddBlank(Pool, "elements/box" + nn + "dropped", 1, 50, 50);
		AddBlank(Pool, "elements/box" + nn + "rotate", 10, 70, 70);
	}
	for (int bonus = 1; bonus <= 3; ++bonus) {
		const std::string nn = TwoDigits(bonus);
		AddBlank(Pool, "elements/bonus" + nn, 10, CellSize, CellSize);
		AddBlank(Pool, "elements/bonus" + nn + "sel", 10, CellSize, CellSize);
		AddBlank(Pool, "elements/bonus" + nn + "kill", 12, CellSize, CellSize);
		AddBlank(Pool, "elements/bonuslight" + nn, 10, 90, 90);
	}
	AddBlank(Pool, "elements/fireball01", 8, 60, 60);
	AddBlank(Pool, "elements/fireball02", 8, 60, 60);
	AddBlank(Pool, "elements/cellselection", 4, CellSize, CellSize);
	AddBlank(Pool, "stuff/meblink01", 12, 48, 48);
	AddBlank(Pool, "stuff/dust", 12, 40, 40);
	for (const int points : {0, 30, 50, 60, 100, 150, 200, 300})
		AddBlank(Pool, "scores/" + Format("%03d", points), 1, 64, 32);
	for (int level = 1; level <= 7; ++level)
		for (int letter = 0; letter <= MaxLetter; ++letter)
			AddBlank(Pool, "levels/" + TwoDigits(level) + "/field" + static_cast<char>('a' + letter), 1, 10 * CellSize,
				10 * CellSize);
}

// --- The bot ---

namespace {

// What a cell holds, for the bot's look-ahead: a gem kind (>= 0), or one of these.
constexpr int kNone = -1;
constexpr int kBox = -2;
constexpr int kBonusBase = -10; // bonus n is kBonusBase - n

struct TBoardView {
	std::array<std::array<int, 10>, 10> Kind{};
	std::array<std::array<int, 10>, 10> Tile{};
	std::array<std::array<bool, 10>, 10> Hole{};
};

TBoardView ReadBoard(const TField &field)
{
	TBoardView view;
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c) {
			const TCell &cell = field.Cell(r, c);
			view.Hole[r][c] = cell.Hole;
			view.Tile[r][c] = cell.TileLevel;
			const TElement *e = cell.Element.get();
			if (e == nullptr || e->Dying)
				view.Kind[r][c] = kNone;
			else if (e->Kind == ekBox)
				view.Kind[r][c] = kBox;
			else if (e->Kind == ekBonus)
				view.Kind[r][c] = kBonusBase - e->Value;
			else
				view.Kind[r][c] = e->Value;
		}
	return view;
}

bool BoxAbove(const TBoardView &view, int row, int column)
{
	for (int r = row - 1; r >= 0; --r)
		if (view.Kind[r][column] == kBox)
			return true;
	return false;
}

// The value of the combinations on the view (0 when there is none).
double ComboValue(const TBoardView &view)
{
	std::array<std::array<bool, 10>, 10> marked{};
	bool any = false;
	const auto gem = [&view](int r, int c) { return view.Kind[r][c] >= 0 ? view.Kind[r][c] : -100 - r * 10 - c; };
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c) {
			if (r <= 7 && gem(r, c) == gem(r + 1, c) && gem(r, c) == gem(r + 2, c)) {
				marked[r][c] = marked[r + 1][c] = marked[r + 2][c] = true;
				any = true;
			}
			if (c <= 7 && gem(r, c) == gem(r, c + 1) && gem(r, c) == gem(r, c + 2)) {
				marked[r][c] = marked[r][c + 1] = marked[r][c + 2] = true;
				any = true;
			}
		}
	if (!any)
		return 0;
	// Group the marked cells by flood fill over equal neighbours.
	std::array<std::array<bool, 10>, 10> seen{};
	double value = 0;
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c) {
			if (!marked[r][c] || seen[r][c])
				continue;
			int size = 0;
			std::vector<std::pair<int, int>> stack{{r, c}};
			seen[r][c] = true;
			while (!stack.empty()) {
				const auto [y, x] = stack.back();
				stack.pop_back();
				++size;
				value += view.Tile[y][x] > 0 ? 10.0 * view.Tile[y][x] : 1.0;
				if (BoxAbove(view, y, x))
					value += 15;
				value += 0.5 * y;
				const int dy[] = {1, -1, 0, 0};
				const int dx[] = {0, 0, 1, -1};
				for (int k = 0; k < 4; ++k) {
					const int ny = y + dy[k];
					const int nx = x + dx[k];
					if (ny >= 0 && ny < 10 && nx >= 0 && nx < 10 && marked[ny][nx] && !seen[ny][nx]
						&& view.Kind[ny][nx] == view.Kind[y][x]) {
						seen[ny][nx] = true;
						stack.push_back({ny, nx});
					}
				}
			}
			if (size == 4)
				value += 40;
			else if (size >= 5)
				value += 80;
		}
	return value;
}

// The value of a bonus exploding at (row, column).
double BonusValue(const TBoardView &view, int bonus, int row, int column)
{
	double value = 60 + (view.Tile[row][column] > 0 ? 10 : 0);
	const auto ray = [&](int dr, int dc) {
		for (int r = row + dr, c = column + dc; r >= 0 && r < 10 && c >= 0 && c < 10; r += dr, c += dc) {
			if (view.Hole[r][c] || view.Kind[r][c] == kNone || view.Kind[r][c] == kBox)
				break;
			value += view.Tile[r][c] > 0 ? 10.0 * view.Tile[r][c] : 1.0;
			if (BoxAbove(view, r, c))
				value += 15;
		}
	};
	if (bonus == 1 || bonus == 2) {
		ray(0, 1);
		ray(0, -1);
	}
	if (bonus == 2) {
		ray(1, 0);
		ray(-1, 0);
	}
	if (bonus == 3)
		value += 80;
	return value;
}

double SwapValue(TBoardView &view, int r1, int c1, int r2, int c2)
{
	int &a = view.Kind[r1][c1];
	int &b = view.Kind[r2][c2];
	if (view.Hole[r1][c1] || view.Hole[r2][c2] || a == kNone || b == kNone || a == kBox || b == kBox)
		return 0;
	std::swap(a, b);
	double value = 0;
	// After the swap the element of the first cell stands in the second and vice versa.
	if (b <= kBonusBase - 1)
		value += BonusValue(view, kBonusBase - b, r2, c2);
	if (a <= kBonusBase - 1)
		value += BonusValue(view, kBonusBase - a, r1, c1);
	value += ComboValue(view);
	std::swap(a, b);
	return value;
}

} // namespace

bool PickBotMove(TField &Field, TBotPolicy Policy, TCellPos &First, TCellPos &Second)
{
	if (Policy == TBotPolicy::FindMove && Field.FindMove(First, Second))
		return true;
	TBoardView view = ReadBoard(Field);
	double best = 0;
	bool found = false;
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c)
			for (const auto &[dr, dc] : {std::pair{0, 1}, std::pair{1, 0}}) {
				const int r2 = r + dr;
				const int c2 = c + dc;
				if (r2 > 9 || c2 > 9)
					continue;
				const double value = SwapValue(view, r, c, r2, c2);
				if (value > best) {
					best = value;
					First = TCellPos{c, r};
					Second = TCellPos{c2, r2};
					found = true;
				}
			}
	return found;
}

void ClickCell(TField &Field, const TCellPos &Cell)
{
	double x = 0;
	double y = 0;
	CellToPixel(Cell.Column, Cell.Row, x, y);
	Field.MouseMove(static_cast<int>(x) + CellSize / 2, static_cast<int>(y) + CellSize / 2);
	Field.MouseDown();
	Field.MouseUp();
}

TBotResult PlaySubLevel(TXMLLevelType *Level, TXMLSubLevelType &SubLevel, int LevelNo, const TBotOptions &Options)
{
	SeedRandom(Options.Seed);
	TBotGameScreen screen(Level, SubLevel, LevelNo);
	TBotManager manager;
	TField field(screen, 0, manager);
	TBotResult result;
	result.TimeLimit = Options.TimeLimit > 0 ? Options.TimeLimit : SubLevel.TimeLimit();
	const int blocks = SubLevel.Block().Count();
	const double savedFrameTime = FrameTime;
	FrameTime = 0.01;
	field.Start();
	double clock = 0;
	double idleFor = 0;
	double gapLeft = 0;
	bool secondPending = false;
	TCellPos first;
	TCellPos second;
	while (clock < result.TimeLimit) {
		const uint8_t before = field.State;
		const size_t queued = field.SpecialsQueue.size();
		field.Update();
		screen.Conveyor.Advance(FrameTime);
		clock += FrameTime;
		if (before == fsCheck && field.State == fsRemoving)
			++result.Cascades;
		if (queued > 0 && field.SpecialsQueue.empty() && field.State == fsGravity)
			result.BonusesMade += static_cast<int>(queued);
		if (field.AllCleared() && screen.Conveyor.Delivered + field.BoxesInBottomRow() >= blocks) {
			result.Won = true;
			break;
		}
		if (field.State == fsIdle && !secondPending) {
			idleFor += FrameTime;
			if (idleFor >= Options.ThinkTime && PickBotMove(field, Options.Policy, first, second)) {
				ClickCell(field, first);
				secondPending = field.State == fsSelected;
				gapLeft = Options.ClickGap;
				idleFor = 0;
			}
		} else if (field.State == fsSelected && secondPending) {
			gapLeft -= FrameTime;
			if (gapLeft <= 0) {
				ClickCell(field, second);
				secondPending = false;
				if (field.State == fsSwap)
					++result.Moves;
			}
		} else {
			idleFor = 0;
			secondPending = false;
		}
	}
	result.Seconds = clock;
	result.AllCleared = field.AllCleared();
	result.AllBoxesOut = screen.Conveyor.Delivered + field.BoxesInBottomRow() >= blocks;
	result.Points = screen.Score;
	result.ClearedFraction = field.ClearedFraction();
	for (const int message : screen.Messages) {
		if (message == 0)
			++result.SuperBonuses;
		if (message == 2)
			++result.Reshuffles;
	}
	FrameTime = savedFrameTime;
	return result;
}

std::string LoadGameDataCopy(const std::string &SourceFolder, const std::string &Resolution, const std::string &Language)
{
	namespace fs = std::filesystem;
	std::random_device device;
	const fs::path folder = fs::temp_directory_path() / ("vantero-board-" + std::to_string(device()));
	fs::create_directories(folder);
	fs::copy(SourceFolder, folder, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
	const fs::path previous = fs::current_path();
	ResolutionTag = Resolution;
	LanguageFolder = Language;
	fs::current_path(folder);
	try {
		LoadConfig();
	} catch (...) {
		fs::current_path(previous);
		throw;
	}
	fs::current_path(previous);
	const size_t x = Resolution.find('x');
	if (Resolution.size() > 1 && x != std::string::npos) {
		GameWidth = std::stoi(Resolution.substr(1, x - 1));
		GameHeight = std::stoi(Resolution.substr(x + 1));
		ScreenWidth = GameWidth;
		ScreenHeight = GameHeight;
	}
	ReadLayoutValues();
	return folder.string();
}

} // namespace vantero
