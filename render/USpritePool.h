#pragma once
// The sprite pool owns sequences and the texture packs behind them and finds a sequence by name.

#include "render/USprite.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantero {

class TSpritePool {
public:
	explicit TSpritePool(bool unclipped) : Unclipped(unclipped) {}
	TSpritePool(const TSpritePool &) = delete;
	TSpritePool &operator=(const TSpritePool &) = delete;

	// The first sequence, in load order, whose name ends with the lower-cased request; null when none.
	TSequence *FindSequence(std::string_view name) const;
	// Appends a sequence under a PackId (the pool owns it).
	TSequence &AddSequence(const std::string &packId, std::unique_ptr<TSequence> sequence);

public:
	struct TSequenceEntry {
		std::string PackId;
		std::unique_ptr<TSequence> Sequence;
	};
	// Sequences in load order.
	std::vector<TSequenceEntry> Sequences;
	bool UseAlphaDefault = true;
	bool Unclipped = false;
};

// The game's global pool (owned by the main form).
extern TSpritePool *SpritePool;

} // namespace vantero
