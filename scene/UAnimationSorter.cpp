#include "scene/UAnimationSorter.h"

#include <utility>

namespace vantero {

void TAnimationSorter::SortByY()
{
	// The current state is computed once per item; asking again would give the same value.
	const size_t count = Items.size();
	YCache.resize(count);
	for (size_t i = 0; i < count; ++i)
		YCache[i] = Items[i]->GetCurrent().Y;
	for (size_t i = 0; i < count; ++i) {
		for (size_t j = i; j < count; ++j) {
			if (YCache[i] > YCache[j]) {
				std::swap(Items[i], Items[j]);
				std::swap(YCache[i], YCache[j]);
			}
		}
	}
}

void TAnimationSorter::RenderAll()
{
	for (TAnimation *item : Items)
		item->Render();
}

} // namespace vantero
