#include "render/UBundleCache.h"

#include "config/UConfigKeyParser.h"
#include "config/UConfigKeys.h"
#include "config/UFolders.h"
#include "config/UUtils.h"
#include "config/UXMLBinding.h"
#include "platform/PPaths.h"
#include "render/UD3DDevice.h"
#include "render/USpritePool.h"

#include <chrono>

namespace vantero {

std::vector<TBundleGroup> BundleGroups()
{
	const std::string language = LanguageFolder + "/";
	const std::string resolution = ResolutionTag + "/";
	return {
		{"base/",
			{"ui/confirm", "ui/mapscreen", "ui/options", "ui/mainmenu", "ui/newplayer", "ui/playas", "ui/help",
				"ui/tips", "ui/highscores", "ui/ControllerEnterName", "stuff", "scores", "elements", "bricks",
				"characters", "fonts"}},
		{language,
			{"ui/congrats", "ui/rollmenu", "ui/confirm", "ui/mapscreen", "ui/options", "ui/mainmenu", "ui/playas",
				"ui/credits", "ui/help", "ui/tips", "ui/highscores", "loading", "stuff"}},
		{"base/" + resolution,
			{"ui/mapscreen", "ui/mainmenu", "ui/credits", "ui/help", "ui/help/ElementsForHelp", "ui/highscores",
				"ui/ControllerEnterName", "elements", "stuff"}},
		{language + resolution, {"ui/mainmenu", "ui/help", "ui/highscores"}},
	};
}

std::vector<std::string> BundleLevelFolders()
{
	const std::string kinds[] = {"base/levels/", "base/" + ResolutionTag + "/levels/", LanguageFolder + "/levels/",
		LanguageFolder + "/" + ResolutionTag + "/levels/"};
	std::vector<std::string> folders;
	for (const std::string &kind : kinds)
		for (int level = 1; level <= 7; ++level)
			folders.push_back(kind + TwoDigits(level));
	return folders;
}

std::vector<std::string> BundlePackIds()
{
	std::vector<std::string> ids;
	for (const TBundleGroup &group : BundleGroups())
		ids.push_back(FlattenPath(std::string_view(group.Prefix)));
	for (const std::string &folder : BundleLevelFolders())
		ids.push_back(FlattenPath(std::string_view(folder)));
	return ids;
}

void RebuildBundleCache()
{
	const auto started = std::chrono::steady_clock::now();
	DeleteFiles(CacheFolder(), "*.*", false);
	if (ConfigEquals("AllocConsole", "1") || ConfigEquals("AllocConsole", "true"))
		AllocDebugConsole();

	TSpritePool pool(false);
	for (const TBundleGroup &group : BundleGroups()) {
		const std::string packId = FlattenPath(std::string_view(group.Prefix));
		for (const std::string &folder : group.Folders)
			pool.LoadFolder(group.Prefix + folder, packId, true, true);
		pool.SaveBundle(packId);
		pool.Clear();
	}
	for (const std::string &folder : BundleLevelFolders()) {
		const std::string packId = FlattenPath(std::string_view(folder));
		pool.Clear();
		pool.LoadFolder(folder, packId, true, true);
		pool.SaveBundle(packId);
	}

	if (ConsoleAllocated) {
		const auto elapsed =
			std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
		DebugLine("Total loading time: " + ConfigFloatToStr(static_cast<double>(elapsed.count()) * 0.001));
	}
}

bool CheckBundles(const TD3DDevice &device)
{
	for (const std::string &packId : BundlePackIds())
		if (!platform::FileExists(BundleFileName(packId, device.Use16Bit)))
			return false;
	return true;
}

} // namespace vantero
