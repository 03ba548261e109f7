#include "tools/audiogen/Recipes.h"

namespace vantero::audiogen {

const std::vector<TRecipe> &Recipes()
{
	static const std::vector<TRecipe> recipes = {
		{"tracks/menu", TSoundKind::Music, MakeMenuTrack},
		{"tracks/level01", TSoundKind::Music, MakeLevel01Track},
		{"tracks/level02", TSoundKind::Music, MakeLevel02Track},
		{"tracks/level03", TSoundKind::Music, MakeLevel03Track},
		{"tracks/level04", TSoundKind::Music, MakeLevel04Track},
		{"tracks/level05", TSoundKind::Music, MakeLevel05Track},
		{"tracks/level06", TSoundKind::Music, MakeLevel06Track},
		{"tracks/level07", TSoundKind::Music, MakeLevel07Track},
		{"tracks/scary", TSoundKind::Music, MakeScaryTrack},
		{"fx/jingle 1", TSoundKind::Effect, MakeJingleLost},
		{"fx/jingle 2", TSoundKind::Effect, MakeJingleWon},
		{"fx/gem select", TSoundKind::Effect, MakeGemSelect},
		{"fx/gem fall", TSoundKind::Effect, MakeGemFall},
		{"fx/combination3 delete", TSoundKind::Effect, MakeCombination3},
		{"fx/combination4 delete", TSoundKind::Effect, MakeCombination4},
		{"fx/combination5-7 delete", TSoundKind::Effect, MakeCombination5},
		{"fx/hint", TSoundKind::Effect, MakeHint},
		{"fx/bonus1-2 appear", TSoundKind::Effect, MakeBonus12Appear},
		{"fx/bonus1 explode", TSoundKind::Effect, MakeBonus1Explode},
		{"fx/bonus2 explode", TSoundKind::Effect, MakeBonus2Explode},
		{"fx/bonus3 appear", TSoundKind::Effect, MakeBonus3Appear},
		{"fx/bonus3 explode", TSoundKind::Effect, MakeBonus3Explode},
		{"fx/cube appear", TSoundKind::Effect, MakeCubeAppear},
		{"fx/cube fall on conveyer", TSoundKind::Effect, MakeCubeFallOnConveyor},
		{"fx/cube fall", TSoundKind::Effect, MakeCubeFall},
		{"fx/dragging the block", TSoundKind::Effect, MakeDraggingBlock},
		{"fx/worker explode", TSoundKind::Effect, MakeWorkerExplode},
		{"fx/life up", TSoundKind::Effect, MakeLifeUp},
		{"fx/menu item", TSoundKind::Effect, MakeMenuItem},
		{"fx/button press", TSoundKind::Effect, MakeButtonPress},
		{"fx/button release", TSoundKind::Effect, MakeButtonRelease},
		{"fx/gong", TSoundKind::Effect, MakeGong},
		{"fx/firework", TSoundKind::Effect, MakeFirework},
	};
	return recipes;
}

const TRecipe *FindRecipe(std::string_view name)
{
	for (const TRecipe &recipe : Recipes())
		if (name == recipe.Name)
			return &recipe;
	return nullptr;
}

} // namespace vantero::audiogen
