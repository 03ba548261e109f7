#include "platform/PInstanceLock.h"

#include "../config/LayoutTestSupport.h"
#include "config/UFolders.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vantero;
using namespace vantero::platform;
using namespace vantero::testing;

TEST(InstanceLock, HeldByAnotherProcessUntilItDies)
{
	const TTempFolder temp;
	const TScopedEnv runtime("XDG_RUNTIME_DIR", temp.Path());
	int ready[2];
	ASSERT_EQ(::pipe(ready), 0);
	const pid_t child = ::fork();
	ASSERT_GE(child, 0);
	if (child == 0) {
		const bool single = IsSingleInstance("Vantero Vista");
		const char answer = single ? 'y' : 'n';
		(void)!::write(ready[1], &answer, 1);
		for (;;)
			::pause();
	}
	char answer = 0;
	ASSERT_EQ(::read(ready[0], &answer, 1), 1);
	EXPECT_EQ(answer, 'y');

	{
		const TInstanceLock second("Vantero Vista");
		EXPECT_EQ(second.State(), TInstanceLock::TState::HeldElsewhere);
		EXPECT_EQ(second.Path(), temp / "Vantero Vista.lock");
	}

	::kill(child, SIGKILL); // no clean-up runs: the kernel must let go of the lock
	::waitpid(child, nullptr, 0);
	::close(ready[0]);
	::close(ready[1]);
	const TInstanceLock after("Vantero Vista");
	EXPECT_EQ(after.State(), TInstanceLock::TState::Held);
	const TInstanceLock other("Vantero Vista");
	EXPECT_EQ(other.State(), TInstanceLock::TState::HeldElsewhere);
}

TEST(InstanceLock, FallsBackToTmpAndNeverBlocksWhenUnavailable)
{
	{
		const TScopedEnv runtime("XDG_RUNTIME_DIR", std::nullopt);
		const TInstanceLock lock("Vantero Vista lock test");
		EXPECT_EQ(lock.Path(), "/tmp/Vantero Vista lock test-" + std::to_string(::getuid()) + ".lock");
		EXPECT_EQ(lock.State(), TInstanceLock::TState::Held);
		::unlink(lock.Path().c_str());
	}
	const TScopedEnv runtime("XDG_RUNTIME_DIR", "/nonexistent-vantero-runtime");
	const TInstanceLock lock("Vantero Vista");
	EXPECT_EQ(lock.State(), TInstanceLock::TState::Unavailable);
	EXPECT_TRUE(IsSingleInstance("Vantero Vista"));
}
