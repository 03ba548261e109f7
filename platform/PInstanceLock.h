#pragma once
// A lock named by a text that one process at a time can hold: a lock file in the user's runtime
// folder ($XDG_RUNTIME_DIR, else /tmp with the user id in the name) held with flock, so that the
// kernel releases it when the process ends, however it ends.

#include <string>
#include <string_view>

namespace vantero::platform {

class TInstanceLock {
public:
	enum class TState {
		Held,          // this object holds the lock
		HeldElsewhere, // another holder (another process, or another object of this one) has it
		Unavailable    // the lock file could not be opened: nobody can tell
	};

	// Tries once to take the lock of that name.
	explicit TInstanceLock(std::string_view name);
	// Releases the lock when held.
	~TInstanceLock();
	TInstanceLock(const TInstanceLock &) = delete;
	TInstanceLock &operator=(const TInstanceLock &) = delete;

	// The outcome of the attempt.
	TState State() const { return LockState; }
	// The lock file used.
	const std::string &Path() const { return FilePath; }

private:
	// The lock file and its open handle (-1 when not held).
	std::string FilePath;
	int Handle = -1;
	TState LockState = TState::Unavailable;
};

} // namespace vantero::platform
