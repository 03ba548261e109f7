#pragma once
// Events: an operation called with its sender, only when set.

#include <functional>

namespace vantero {

template <typename Sender>
using TNotifyEvent = std::function<void(Sender &)>;

// Calls the event with the sender when it is set.
template <typename Sender>
void CallEvent(const TNotifyEvent<Sender> &event, Sender &sender)
{
	if (event)
		event(sender);
}

} // namespace vantero
