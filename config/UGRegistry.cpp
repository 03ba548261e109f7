#include "config/UGRegistry.h"

#include "config/UUtils.h"
#include "platform/PKeyValueStore.h"
#include "platform/PPaths.h"

namespace vantero {

namespace {

// "Vantero Vista_16": the last part of the key names the store file.
std::string KeyLeaf()
{
	const size_t slash = RegistryKey.rfind('\\');
	return std::string(RegistryKey.substr(slash + 1));
}

std::unique_ptr<platform::TKeyValueStore> OpenStore(const std::string &file)
{
	auto store = file.empty() ? nullptr : platform::TKeyValueStore::Open(file);
	if (!store)
		RaiseGameError("TGRegistry.Create failed");
	return store;
}

} // namespace

std::string RegistryStoreFile()
{
	const auto home = platform::ConfigHomeFolder();
	if (!home)
		return std::string();
	return *home + "/Vantero Vista/" + KeyLeaf() + ".store";
}

TGRegistry::TGRegistry() : TGRegistry(RegistryStoreFile()) {}

TGRegistry::TGRegistry(const std::string &storeFile) : Store(OpenStore(storeFile)) {}

TGRegistry::~TGRegistry() = default;

int TGRegistry::ReadInteger(std::string_view name, int defaultValue) const
{
	return Store->Integer(name).value_or(defaultValue);
}

void TGRegistry::WriteInteger(std::string_view name, int value)
{
	if (!Store->SetInteger(name, value))
		RaiseGameError("TGRegistry.WriteInteger failed (" + std::string(name) + ")");
}

std::vector<uint8_t> TGRegistry::ReadBinary(std::string_view name) const
{
	return Store->Bytes(name).value_or(std::vector<uint8_t>());
}

void TGRegistry::WriteBinary(std::string_view name, const std::vector<uint8_t> &bytes)
{
	if (!Store->SetBytes(name, bytes))
		RaiseGameError("TGRegistry.WriteBinary failed (" + std::string(name) + ")");
}

bool TGRegistry::ValueExists(std::string_view name) const
{
	return Store->Contains(name);
}

} // namespace vantero
