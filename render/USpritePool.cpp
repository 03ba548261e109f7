#include "render/USpritePool.h"

#include "config/UConfigKeyParser.h"
#include "config/UConfigKeys.h"
#include "config/UFolders.h"
#include "config/UUtils.h"
#include "platform/PPaths.h"
#include "render/UD3DDevice.h"
#include "render/UGfxFile.h"
#include "render/UGraphicsFile.h"
#include "render/USpriteBundle.h"
#include "render/UValueStream.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <new>

namespace vantero {

TSpritePool *SpritePool = nullptr;

namespace {

const char *const Extensions[] = {"png", "gif", "jpg"};

const std::array<const char *, 12> AlphaKindZeroNames = {"MainMenu.jpg", "LoadingScreen.jpg", "Mapscreen.jpg",
	"highscores.png", "Help.png", "shutter1.jpg", "ControllerEnterName.jpg", "back.jpg", "fielda.jpg", "fieldb.jpg",
	"fieldc.jpg", "SplashScreen.png"};

const std::array<const char *, 48> LowVideoMemoryNames = {"prorab02.33.gif", "prorab03.36.gif", "prorab04.53.gif",
	"prorab05.32.gif", "workertravmate.21.gif", "mediccarrying.16.gif", "medicpickingup.15.gif", "medicrun.16.gif",
	"workerwalkwithfood.16.gif", "workerturnwithfood.8.gif", "workertakefood.10.gif", "workereat.92.gif",
	"hawkerwalk.10.gif", "hawkerstand.37.gif", "hawkercallfeeder.32.gif", "girlcharm.24.gif", "girlturn.8.gif",
	"girlwalk.16.gif", "workerrunmad.17.gif", "workerhappy01.36.gif", "workerhappy02.23.gif", "workerhappy03.55.gif",
	"workerhappy04.57.gif", "workerhappy05.48.gif", "workerhappy06.48.gif", "workerbasta01.39.gif", "bug.42.gif",
	"flower.16.gif", "butterfly.33.gif", "fish.24.png", "waterani01.gif", "bstar.30.gif", "fallingstar.16.gif",
	"moon.13.gif", "star.30.gif", "starshine.45.gif", "dust2.51.gif", "dust.30.gif", "snake.22.gif", "flags.60.jpg",
	"wave.png", "bolt.9.gif", "dolphin.19.gif", "eyes.45.gif", "gik.70.gif", "ship.13.gif", "stone.gif",
	"seagull.106.gif"};

template <size_t N>
bool EndsWithAny(std::string_view path, const std::array<const char *, N> &names)
{
	const std::string lower = LowerCase(path);
	for (const char *name : names) {
		const std::string ending = LowerCase(name);
		if (lower.size() >= ending.size() && lower.compare(lower.size() - ending.size(), ending.size(), ending) == 0)
			return true;
	}
	return false;
}

bool EndsWithNoCase(std::string_view text, std::string_view ending)
{
	return text.size() >= ending.size() && LowerCase(text.substr(text.size() - ending.size())) == LowerCase(ending);
}

} // namespace

std::string SequenceNameFromPath(std::string_view path)
{
	std::string name = LowerCase(path);
	constexpr std::string_view Prefix = "graphics/";
	if (name.compare(0, Prefix.size(), Prefix) == 0)
		name.erase(0, Prefix.size());
	const size_t dot = name.find('.');
	if (dot != std::string::npos)
		name.erase(dot);
	return name;
}

bool IsAlphaKindZeroName(std::string_view path)
{
	return EndsWithAny(path, AlphaKindZeroNames);
}

bool IsLowVideoMemoryName(std::string_view path)
{
	return EndsWithAny(path, LowVideoMemoryNames);
}

std::string GfxFileName(const std::string &folder)
{
	return "graphics/" + FlattenPath(std::string_view(folder)) + ".gfx";
}

std::string BundleFileName(const std::string &packId, bool use16Bit)
{
	return CacheFolder() + packId + "." + (use16Bit ? "16" : "32") + ".pak";
}

std::string BundleFileName(const std::string &packId)
{
	return BundleFileName(packId, RenderDevice != nullptr && RenderDevice->Use16Bit);
}

TSpritePool::~TSpritePool()
{
	Clear();
}

TSequence *TSpritePool::FindSequence(std::string_view name) const
{
	const std::string wanted = LowerCase(name);
	for (const auto &entry : Sequences) {
		const std::string &candidate = entry.Sequence->Name;
		// The first occurrence of the request inside the name must end exactly at its end.
		const size_t at = candidate.find(wanted);
		if (at != std::string::npos && at + wanted.size() == candidate.size())
			return entry.Sequence.get();
	}
	return nullptr;
}

TSequence &TSpritePool::GetSequence(std::string_view name) const
{
	TSequence *sequence = FindSequence(name);
	if (!sequence)
		RaiseGameError("Sequence '" + std::string(name) + "' not loaded");
	return *sequence;
}

TSequence &TSpritePool::AddSequence(const std::string &packId, std::unique_ptr<TSequence> sequence)
{
	Sequences.push_back(TSequenceEntry{packId, std::move(sequence)});
	return *Sequences.back().Sequence;
}

TTexturePack *TSpritePool::FindPack(std::string_view packId) const
{
	for (const TPackEntry &entry : Packs)
		if (entry.PackId == packId)
			return entry.Pack.get();
	return nullptr;
}

TTexturePack &TSpritePool::GetPack(const std::string &packId, bool systemMemory)
{
	if (TTexturePack *pack = FindPack(packId)) {
		if (pack->SystemMemory != systemMemory)
			RaiseGameError("TSpritePool.GetPack");
		return *pack;
	}
	Packs.push_back(TPackEntry{packId, std::make_unique<TTexturePack>(systemMemory)});
	return *Packs.back().Pack;
}

void TSpritePool::RemovePack(const std::string &packId)
{
	TResourceLock lock;
	std::erase_if(Sequences, [&](const TSequenceEntry &entry) { return entry.PackId == packId; });
	std::erase_if(Packs, [&](const TPackEntry &entry) { return entry.PackId == packId; });
}

void TSpritePool::Clear()
{
	TResourceLock lock;
	Sequences.clear();
	Packs.clear();
}

int TSpritePool::TextureCount() const
{
	int count = 0;
	for (const TPackEntry &entry : Packs)
		count += entry.Pack->TextureCount();
	return count;
}

std::unique_ptr<TGraphicsFile> TSpritePool::Decode(const std::string &path, const std::vector<uint8_t> &data,
	bool fromGfx) const
{
	std::unique_ptr<TGraphicsFile> file = DecodeGraphicsFile(path, data.data(), data.size());
	if (!file) {
		if (fromGfx)
			RaiseGameError("TSpritePool.InternalLoad: Unknown extension");
		RaiseGameError(Format("Unsupported file format: \"%s\"", FileExtension3(path).c_str()));
	}
	return file;
}

void TSpritePool::LoadPicture(const std::string &path, const std::vector<uint8_t> &data, const std::string *companionPath,
	const std::vector<uint8_t> *companionData, uint8_t alphaKind, const std::string &packId, bool systemMemory,
	bool fromGfx)
{
	std::unique_ptr<TGraphicsFile> picture = Decode(path, data, fromGfx);
	std::unique_ptr<TGraphicsFile> companion;
	if (companionPath && companionData)
		companion = Decode(*companionPath, *companionData, fromGfx);
	if (RenderDevice && RenderDevice->TextureDepth == 1 && ConfigInteger("Dithering") != 0) {
		picture->Dither();
		if (companion)
			companion->Dither();
	}
	if (VideoMemoryLow && IsLowVideoMemoryName(path))
		return;
	std::unique_ptr<TSequence> sequence = CreateSequence(SequenceNameFromPath(path), *picture, Unclipped, alphaKind,
		GetPack(packId, systemMemory), companion.get());
	sequence->SetUseAlpha(UseAlphaDefault);
	AddSequence(packId, std::move(sequence));
}

void TSpritePool::ScanFolder(const std::string &folder, const std::string &packId, bool systemMemory, TGfxWriter *gfx)
{
	DebugLine("processing folder: " + folder);
	std::string directory = "graphics/" + folder;
	if (directory.empty() || directory.back() != '/')
		directory += '/';
	const auto listing = platform::ListFolder(directory);
	if (!listing)
		return;
	std::vector<std::string> files;
	for (const platform::TFolderEntry &entry : *listing)
		if (!entry.IsFolder)
			files.push_back(entry.Name);

	for (const char *extension : Extensions) {
		const std::string ending = std::string(".") + extension;
		for (const std::string &name : files) {
			if (!EndsWithNoCase(name, ending) || name.find("_a.") != std::string::npos)
				continue;
			// The companion: the first file named like the picture up to its first dot, then "_a.".
			const std::string prefix = LowerCase(name.substr(0, name.find('.'))) + "_a.";
			const std::string *companion = nullptr;
			for (const std::string &other : files) {
				if (LowerCase(other).compare(0, prefix.size(), prefix) == 0) {
					companion = &other;
					break;
				}
			}
			const std::string path = directory + name;
			const uint8_t alphaKind = IsAlphaKindZeroName(path) ? 0 : 2;
			const std::vector<uint8_t> data = ReadFileBytes(path);
			std::string companionPath;
			std::vector<uint8_t> companionData;
			if (companion) {
				companionPath = directory + *companion;
				companionData = ReadFileBytes(companionPath);
			}
			if (gfx) {
				const TGfxPicture picture{alphaKind, path, data};
				const TGfxPicture alpha{alphaKind, companionPath, companionData};
				gfx->WriteEntry(picture, companion ? &alpha : nullptr);
			} else {
				LoadPicture(path, data, companion ? &companionPath : nullptr, companion ? &companionData : nullptr,
					alphaKind, packId, systemMemory, false);
			}
		}
	}
}

void TSpritePool::ReadGfx(const std::string &path, const std::string &packId, bool systemMemory)
{
	TGfxReader reader(path, ReadFileBytes(path));
	TGfxEntry entry;
	while (reader.Next(entry)) {
		const TGfxPicture *companion = entry.Companion ? &*entry.Companion : nullptr;
		LoadPicture(entry.Picture.Path, entry.Picture.Data, companion ? &companion->Path : nullptr,
			companion ? &companion->Data : nullptr, static_cast<uint8_t>(entry.Picture.AlphaKind), packId, systemMemory,
			true);
	}
}

void TSpritePool::LoadFolder(const std::string &folder, const std::string &packId, bool systemMemory, bool makeGfx)
{
	const std::string directory = "graphics/" + folder;
	if (ConfigInteger("LoadFromGFX") == 0) {
		if (!platform::FolderExists(directory))
			RaiseGameError("Directory \"" + directory + "\" was not found!");
		ScanFolder(folder, packId, systemMemory, nullptr);
		return;
	}
	const std::string gfxPath = GfxFileName(folder);
	if (platform::FolderExists(directory)) {
		if (makeGfx) {
			TGfxWriter gfx(gfxPath);
			ScanFolder(folder, packId, systemMemory, &gfx);
			gfx.Finish();
		} else {
			ScanFolder(folder, packId, systemMemory, nullptr);
		}
	}
	if (makeGfx) {
		if (!platform::FileExists(gfxPath))
			RaiseGameError("GFX for \"" + folder + "\" was not found!");
		ReadGfx(gfxPath, packId, systemMemory);
	}
}

void TSpritePool::SaveBundle(const std::string &packId)
{
	DebugLine("saving pack: " + packId);
	const std::string path = BundleFileName(packId);
	// Written beside the bundle and renamed when complete, so that an interrupted write never
	// leaves a bundle that looks complete.
	const std::string partial = path + ".tmp";
	try {
		TZlibFileSink sink(partial, 1);
		{
			TValueWriter writer(sink, 10240);
			writer.WriteString(packId);
			const TTexturePack *pack = FindPack(packId);
			writer.WriteBoolean(pack != nullptr);
			if (pack)
				WriteTexturePack(writer, *pack);
			const auto count = std::count_if(Sequences.begin(), Sequences.end(),
				[&](const TSequenceEntry &entry) { return entry.PackId == packId; });
			writer.WriteInteger(static_cast<int32_t>(count));
			for (const TSequenceEntry &entry : Sequences) {
				if (entry.PackId != packId)
					continue;
				writer.WriteString(entry.PackId);
				WriteSequence(writer, *entry.Sequence);
			}
			writer.FlushBuffer();
		}
		sink.Finish();
		std::error_code error;
		std::filesystem::rename(partial, path, error);
		if (error)
			RaiseGameError("Cannot create file \"" + path + "\"");
	} catch (...) {
		platform::RemoveFile(partial);
		throw;
	}
}

bool TSpritePool::LoadBundle(const std::string &packId, bool systemMemory)
{
	const std::string path = BundleFileName(packId);
	if (!platform::FileExists(path))
		RaiseGameError(Format("TSpritePool.LoadBundle failed (PackId: %s)", packId.c_str()));
	bool replaced = false;
	try {
		TZlibSource source(path);
		TValueReader reader(source, 10240);
		if (reader.ReadString() != packId)
			RaiseGameError("TSpritePool.LoadBundle failed!");
		if (reader.ReadBoolean()) {
			replaced = true;
			RemovePack(packId);
			TTexturePack &pack = GetPack(packId, systemMemory);
			ReadTexturePack(reader, pack);
			const int count = reader.ReadInteger();
			for (int i = 0; i < count; ++i) {
				// Every sequence must belong to this bundle: its sprites live in this pack.
				if (reader.ReadString() != packId)
					RaiseGameError("TSpritePool.LoadBundle failed!");
				AddSequence(packId, ReadSequence(reader, Unclipped, pack));
			}
		}
	} catch (const std::exception &failure) {
		// A bundle that cannot be read is dropped, so that the cache counts as incomplete and is
		// rebuilt at the next start instead of failing every time.
		if (replaced)
			RemovePack(packId);
		platform::RemoveFile(path);
		if (dynamic_cast<const EStreamError *>(&failure) || dynamic_cast<const std::bad_alloc *>(&failure))
			RaiseGameError("TSpritePool.LoadBundle failed!");
		throw;
	}
	return true;
}

} // namespace vantero
