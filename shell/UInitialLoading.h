#pragma once
// The loading thread: runs the main form's loading body beside the main thread and
// reports its end (and any error message) back to the main thread.

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace vantero {

class TInitialLoading {
public:
	// Starts the thread at once with the body to run.
	explicit TInitialLoading(std::function<void()> body);
	// Waits for the thread to end.
	~TInitialLoading();
	TInitialLoading(const TInitialLoading &) = delete;
	TInitialLoading &operator=(const TInitialLoading &) = delete;

	// Whether the body has returned (normally or by an exception).
	bool Finished() const { return Done.load(std::memory_order_acquire); }
	// Joins the thread; call once Finished() is true.
	void WaitFor();
	// The message of the exception that ended the body; empty when it ended normally.
	const std::string &ErrorMessage() const { return Error; }

	// Run in the main thread after the thread has ended (the owner polls and calls it).
	std::function<void()> OnTerminate;

private:
	void Execute();

private:
	// What the thread runs and how it ended.
	std::function<void()> Body;
	std::string Error;
	std::atomic<bool> Done{false};
	// The thread itself (started last, after the fields above exist).
	std::thread Thread;
};

} // namespace vantero
