#pragma once
// The recipe table: how every sound of the catalogue is made. A catalogue name without a
// recipe is an error, so the catalogue and the generator cannot drift apart.

#include "tools/audiogen/Dsp.h"

#include <string>
#include <string_view>
#include <vector>

namespace vantero::audiogen {

enum class TSoundKind { Music, Effect };

// What recipes may need besides their own code.
struct TRecipeContext {
	std::string SoundFont; // General MIDI soundfont for the rendered pieces
};

struct TRecipe {
	const char *Name;   // catalogue name ("fx/gem select", "tracks/menu")
	TSoundKind Kind;    // loudness class and encoder quality
	TAudio (*Make)(const TRecipeContext &context);
};

// Every recipe, in catalogue order.
const std::vector<TRecipe> &Recipes();
// The recipe of a catalogue name, or nullptr.
const TRecipe *FindRecipe(std::string_view name);

// Recipe functions, grouped by the file that makes them.
TAudio MakeMenuTrack(const TRecipeContext &);
TAudio MakeLevel01Track(const TRecipeContext &);
TAudio MakeLevel02Track(const TRecipeContext &);
TAudio MakeLevel03Track(const TRecipeContext &);
TAudio MakeLevel04Track(const TRecipeContext &);
TAudio MakeLevel05Track(const TRecipeContext &);
TAudio MakeLevel06Track(const TRecipeContext &);
TAudio MakeLevel07Track(const TRecipeContext &);
TAudio MakeScaryTrack(const TRecipeContext &);
TAudio MakeJingleLost(const TRecipeContext &);
TAudio MakeJingleWon(const TRecipeContext &);

TAudio MakeGemSelect(const TRecipeContext &);
TAudio MakeGemFall(const TRecipeContext &);
TAudio MakeCombination3(const TRecipeContext &);
TAudio MakeCombination4(const TRecipeContext &);
TAudio MakeCombination5(const TRecipeContext &);
TAudio MakeHint(const TRecipeContext &);
TAudio MakeBonus12Appear(const TRecipeContext &);
TAudio MakeBonus1Explode(const TRecipeContext &);
TAudio MakeBonus2Explode(const TRecipeContext &);
TAudio MakeBonus3Appear(const TRecipeContext &);
TAudio MakeBonus3Explode(const TRecipeContext &);
TAudio MakeCubeAppear(const TRecipeContext &);
TAudio MakeCubeFallOnConveyor(const TRecipeContext &);
TAudio MakeCubeFall(const TRecipeContext &);
TAudio MakeDraggingBlock(const TRecipeContext &);
TAudio MakeWorkerExplode(const TRecipeContext &);
TAudio MakeLifeUp(const TRecipeContext &);
TAudio MakeMenuItem(const TRecipeContext &);
TAudio MakeButtonPress(const TRecipeContext &);
TAudio MakeButtonRelease(const TRecipeContext &);
TAudio MakeGong(const TRecipeContext &);
TAudio MakeFirework(const TRecipeContext &);

} // namespace vantero::audiogen
