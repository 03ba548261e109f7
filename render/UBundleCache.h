#pragma once
// The per-user bundle cache: the folder groups and level folders it is built from, the first-run
// rebuild that fills it, and the check whether it is complete for the device's texture depth.

#include <string>
#include <vector>

namespace vantero {

class TD3DDevice;

// One group of the rebuild: the folders (relative to "graphics/" + Prefix) bundled under
// FlattenPath(Prefix).
struct TBundleGroup {
	std::string Prefix;
	std::vector<std::string> Folders;
};

// The four folder groups for the current LanguageFolder and ResolutionTag, in rebuild order.
std::vector<TBundleGroup> BundleGroups();
// The 28 level folders in rebuild order: each kind of level folder for levels 01 to 07.
std::vector<std::string> BundleLevelFolders();
// The PackId of every bundle the rebuild writes (groups first, then levels).
std::vector<std::string> BundlePackIds();

// The first-run initialisation: empties the cache folder and writes every bundle again from the
// graphics folders (each folder's ".gfx" is written on the way).
void RebuildBundleCache();

// Whether every bundle of BundlePackIds exists for the device's texture depth
// (install as TD3DDevice::BundleCheck).
bool CheckBundles(const TD3DDevice &device);

} // namespace vantero
