#pragma once
// Draws a set of animation objects in painter's order by their current vertical position.

#include "scene/UAnimation.h"

#include <vector>

namespace vantero {

class TAnimationSorter {
public:
	TAnimationSorter() = default;
	TAnimationSorter(const TAnimationSorter &) = delete;
	TAnimationSorter &operator=(const TAnimationSorter &) = delete;

	// Appends an object (held, not owned).
	void Add(TAnimation &animation) { Items.push_back(&animation); }
	// Empties the list, keeping its storage for the next frame.
	void Clear() { Items.clear(); }
	// Exchange sort on the current Y, topmost first; equal values are never exchanged.
	void SortByY();
	// Renders every item in list order.
	void RenderAll();

public:
	// The objects to draw (not owned).
	std::vector<TAnimation *> Items;

private:
	// Current Y of each item, reused from frame to frame.
	std::vector<double> YCache;
};

} // namespace vantero
