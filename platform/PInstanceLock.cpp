#include "platform/PInstanceLock.h"

#include "platform/PPaths.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace vantero::platform {

namespace {

std::string LockFilePath(std::string_view name)
{
	std::string fileName;
	for (const char c : name)
		fileName += (c == '/' || c == '\0') ? '_' : c;
	if (auto runtime = RuntimeFolder())
		return *runtime + "/" + fileName + ".lock";
	// /tmp is shared by every user: keep one lock per user, as the runtime folder would.
	return "/tmp/" + fileName + "-" + std::to_string(::getuid()) + ".lock";
}

} // namespace

TInstanceLock::TInstanceLock(std::string_view name) : FilePath(LockFilePath(name))
{
	const int handle = ::open(FilePath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
	if (handle < 0)
		return;
	int result;
	while ((result = ::flock(handle, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
	}
	if (result == 0) {
		Handle = handle;
		LockState = TState::Held;
		return;
	}
	LockState = errno == EWOULDBLOCK ? TState::HeldElsewhere : TState::Unavailable;
	::close(handle);
}

TInstanceLock::~TInstanceLock()
{
	if (Handle >= 0)
		::close(Handle);
}

} // namespace vantero::platform
