#include "shell/UInitialLoading.h"

#include <exception>

namespace vantero {

TInitialLoading::TInitialLoading(std::function<void()> body) : Body(std::move(body))
{
	Thread = std::thread([this] { Execute(); });
}

TInitialLoading::~TInitialLoading()
{
	if (Thread.joinable())
		Thread.join();
}

void TInitialLoading::WaitFor()
{
	if (Thread.joinable())
		Thread.join();
}

void TInitialLoading::Execute()
{
	Error.clear();
	try {
		if (Body)
			Body();
	} catch (const std::exception &error) {
		Error = error.what();
		if (Error.empty())
			Error = "Unknown error while loading";
	} catch (...) {
		Error = "Unknown error while loading";
	}
	Done.store(true, std::memory_order_release);
}

} // namespace vantero
