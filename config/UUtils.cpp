#include "config/UUtils.h"

#include "platform/PPaths.h"
#include "platform/PSystem.h"
#include "platform/PTolvane.h"
#include "text/UTextConvert.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <iostream>
#include <mutex>
#include <random>
#include <vector>

namespace vantero {

int ScreenWidth = 800;
int ScreenHeight = 600;
int GameWidth = 800;
int GameHeight = 600;
int GameOffsetX = 0;
int GameOffsetY = 0;
bool FramedLayout = false;
std::string ResolutionTag = "R800x600";

int LanguageId = 1033;
std::string LanguageFolder = "L1033";
std::string LanguageName;

bool ErrorRaised = false;
bool IsVista = false;
bool MediaCenterMode = false;
bool VideoMemoryLow = false;
bool VideoMemoryMedium = false;
bool LowDetail = false;
bool ConsoleAllocated = false;
int D3DLastError = 0;
double IdleCountdown = 0.0;

double FrameTime = 0.0;
uint32_t LastTick = 0;

namespace {

std::mt19937 &Generator()
{
	static std::mt19937 generator(5489u);
	return generator;
}

std::recursive_mutex &ResourceLock()
{
	static std::recursive_mutex lock;
	return lock;
}

std::mutex &ConsoleLock()
{
	static std::mutex lock;
	return lock;
}

std::vector<std::string> &CommandLine()
{
	static std::vector<std::string> args;
	return args;
}

} // namespace

void ResetFrameTimer()
{
	FrameTime = 0.0;
	LastTick = platform::GetTickCount32();
}

namespace {
double FixedFrameStep = 0.0;
} // namespace

void SetFixedFrameStep(double seconds)
{
	FixedFrameStep = seconds > 0.0 ? seconds : 0.0;
}

void TickFrameTimer()
{
	if (FixedFrameStep > 0.0) {
		FrameTime = FixedFrameStep;
		return;
	}
	const uint32_t now = platform::GetTickCount32();
	const uint32_t elapsed = now - LastTick;
	FrameTime = elapsed * 0.001;
	LastTick = now;
}

void AddFrameTime(double &t)
{
	t += FrameTime;
}

void SubFrameTime(double &t)
{
	t -= FrameTime;
}

void RaiseGameError(const std::string &message)
{
	ErrorRaised = true;
	throw EGameError(message);
}

void RaiseGameErrorAt(const std::string &where, const std::string &message)
{
	RaiseGameError(where + ": " + message);
}

void FatalError(const std::string &message)
{
	ErrorRaised = true;
	platform::ShowErrorBox("Vantero", message);
	platform::ExitAfterFatalError(message);
}

void AssertionFailed(const std::string &message, const std::string &unit, int line, uintptr_t address)
{
	RaiseGameError(Format("%s (%s, line %d, address $%lx, D3DLastError: %s)", message.c_str(), unit.c_str(), line,
		static_cast<unsigned long>(address - 1), std::to_string(D3DLastError).c_str()));
}

bool CheckD3D(int result)
{
	D3DLastError = result;
	return result == 0;
}

int RoundHalfEven(double value)
{
	return static_cast<int>(std::nearbyint(value));
}

void SeedRandom(uint32_t seed)
{
	Generator().seed(seed);
}

int RandomInt(int n)
{
	if (n <= 0)
		return 0;
	return std::uniform_int_distribution<int>(0, n - 1)(Generator());
}

double RandomReal(double a, double b)
{
	const double r = std::generate_canonical<double, 53>(Generator());
	return a + (r < 1.0 ? r : 0.0) * (b - a);
}

bool RandomBoolean()
{
	return RandomInt(2) == 0;
}

std::string TwoDigits(int n)
{
	return (n < 10 ? "0" : "") + std::to_string(n);
}

TRect MirrorRect(const TRect &rect)
{
	return TRect{rect.Right, rect.Top, rect.Left, rect.Bottom};
}

std::string FileExtension3(std::string_view path)
{
	const std::string_view tail = path.size() > 3 ? path.substr(path.size() - 3) : path;
	return LowerCase(tail);
}

void SetCommandLine(int argc, char **argv)
{
	CommandLine().assign(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool HasSwitch(std::string_view switchText)
{
	const std::string wanted = LowerCase(Trim(switchText));
	const auto &args = CommandLine();
	return std::any_of(args.begin(), args.end(),
		[&](const std::string &arg) { return LowerCase(Trim(arg)) == wanted; });
}

std::string Trim(std::string_view text)
{
	size_t first = 0;
	size_t last = text.size();
	while (first < last && static_cast<unsigned char>(text[first]) <= 32)
		++first;
	while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32)
		--last;
	return std::string(text.substr(first, last - first));
}

std::string LowerCase(std::string_view text)
{
	std::string result(text);
	for (char &c : result)
		c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
	return result;
}

std::string Format(const char *format, ...)
{
	va_list args;
	va_start(args, format);
	va_list copy;
	va_copy(copy, args);
	const int size = std::vsnprintf(nullptr, 0, format, copy);
	va_end(copy);
	std::string result(size > 0 ? static_cast<size_t>(size) : 0, '\0');
	if (size > 0)
		std::vsnprintf(result.data(), result.size() + 1, format, args);
	va_end(args);
	return result;
}

void Lock()
{
	ResourceLock().lock();
}

void Unlock()
{
	ResourceLock().unlock();
}

void AllocDebugConsole()
{
	ConsoleAllocated = true;
}

void DebugLine(const std::string &text)
{
	if (!ConsoleAllocated)
		return;
	const std::lock_guard<std::mutex> guard(ConsoleLock());
	std::cerr << text << '\n';
}

std::string ProgramPath()
{
	return platform::ProgramFilePath();
}

int VerifyProgramAccess(const std::string &programPath)
{
	return platform::CallVerifyAccess(Utf8ToUtf16(programPath));
}

void InitUtils(int argc, char **argv)
{
	ResetFrameTimer();
	SeedRandom(std::random_device{}());
	IsVista = platform::CallCheckIsVistaRunning() == 0;
	SetCommandLine(argc, argv);
	MediaCenterMode = HasSwitch("-mce");
}

} // namespace vantero
