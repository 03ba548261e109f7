#pragma once
// Small shared services: errors and assertions, the frame timer, random numbers,
// the global resource lock, the debug console and the resolution globals.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vantero {

// The one exception type of the game; carries the message unchanged.
class EGameError : public std::runtime_error {
public:
	explicit EGameError(const std::string &message) : std::runtime_error(message) {}
};

// Integer rectangle, right and bottom exclusive.
struct TRect {
	int Left = 0;
	int Top = 0;
	int Right = 0;
	int Bottom = 0;

	bool operator==(const TRect &) const = default;
};

// --- Resolution and layout globals (set once at start-up) ---
extern int ScreenWidth;
extern int ScreenHeight;
extern int GameWidth;
extern int GameHeight;
extern int GameOffsetX;
extern int GameOffsetY;
extern bool FramedLayout;
extern std::string ResolutionTag;

// --- Language (chosen before the main form exists) ---
extern int LanguageId;
extern std::string LanguageFolder;
extern std::string LanguageName;

// --- Start-up flags shared by the shell and the device ---
extern bool ErrorRaised;
extern bool IsVista;
extern bool MediaCenterMode;
extern bool VideoMemoryLow;
extern bool VideoMemoryMedium;
extern bool LowDetail;
extern bool ConsoleAllocated;
extern int D3DLastError;
extern double IdleCountdown;

// --- Frame timer ---
extern double FrameTime;
extern uint32_t LastTick;

// FrameTime := 0, LastTick := now.
void ResetFrameTimer();
// FrameTime := seconds since LastTick (wrap-safe), LastTick := now.
void TickFrameTimer();
// Makes every TickFrameTimer advance by exactly this many seconds (tools and tests); 0 or less: the clock again.
void SetFixedFrameStep(double seconds);
// T := T + FrameTime.
void AddFrameTime(double &t);
// T := T - FrameTime.
void SubFrameTime(double &t);

// --- Errors and assertions ---
// Sets ErrorRaised and throws EGameError with the message.
[[noreturn]] void RaiseGameError(const std::string &message);
// RaiseGameError with "Where: Message".
[[noreturn]] void RaiseGameErrorAt(const std::string &where, const std::string &message);
// Sets ErrorRaised, shows the message in an error box and on stderr, ends the process (non-zero).
[[noreturn]] void FatalError(const std::string &message);
// Raises the assertion text "M (Unit, line L, address $A, D3DLastError: E)".
[[noreturn]] void AssertionFailed(const std::string &message, const std::string &unit, int line, uintptr_t address);
// Stores the result in D3DLastError; true when it is 0.
bool CheckD3D(int result);

// Assertion of the game's own logic: unit names the source unit ("UD3DDevice").
#define VANTERO_ASSERT(condition, unit) \
	do { \
		if (!(condition)) \
			::vantero::AssertionFailed("Assertion failure", unit, __LINE__, \
				reinterpret_cast<uintptr_t>(__builtin_return_address(0))); \
	} while (false)

// --- Rounding and random numbers ---
// Round to the nearest integer, halves to even.
int RoundHalfEven(double value);
// Seeds the one global generator.
void SeedRandom(uint32_t seed);
// Uniform integer in [0, n); 0 when n <= 0.
int RandomInt(int n);
// A + r * (B - A) with r uniform in [0, 1).
double RandomReal(double a, double b);
// True with probability one half.
bool RandomBoolean();

// --- Text and small helpers ---
// Decimal text of N with a leading "0" when N < 10.
std::string TwoDigits(int n);
// The rectangle with Left and Right exchanged.
TRect MirrorRect(const TRect &rect);
// The last three characters of a path, lower-cased.
std::string FileExtension3(std::string_view path);
// True when any command-line argument, trimmed and lower-cased, equals the trimmed, lower-cased switch.
bool HasSwitch(std::string_view switchText);
// Remembers the command line for HasSwitch.
void SetCommandLine(int argc, char **argv);
// Trims blanks and control characters (code 32 or less) from both ends.
std::string Trim(std::string_view text);
// ASCII lower-casing.
std::string LowerCase(std::string_view text);
// printf-style formatting into a std::string.
std::string Format(const char *format, ...) __attribute__((format(printf, 1, 2)));

// --- Global resource lock (recursive; created on first use) ---
// Enters the global resource lock.
void Lock();
// Leaves the global resource lock.
void Unlock();

// RAII guard for the global resource lock.
class TResourceLock {
public:
	TResourceLock() { Lock(); }
	~TResourceLock() { Unlock(); }
	TResourceLock(const TResourceLock &) = delete;
	TResourceLock &operator=(const TResourceLock &) = delete;
};

// --- Debug console ---
// Opens the debug console (stderr) and sets ConsoleAllocated.
void AllocDebugConsole();
// Writes the text and a line break to the console when it is allocated.
void DebugLine(const std::string &text);

// --- The Tolvane library (bound by name on first use) ---
// Full path of the running program.
std::string ProgramPath();
// Tolvane's VerifyAccess for the program at that path: 0 allowed, 1 refused by parental controls
// (also when the library is missing); other values are no refusal.
int VerifyProgramAccess(const std::string &programPath);

// Start of the program: frame timer, random seed, IsVista (Tolvane's CheckIsVistaRunning = 0), MediaCenterMode.
void InitUtils(int argc, char **argv);

} // namespace vantero
