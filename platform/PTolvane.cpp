#include "platform/PTolvane.h"

#include "platform/PPaths.h"
#include "vistautil/Tolvane.h"

#include <dlfcn.h>

namespace vantero::platform {

namespace {

struct TTolvane {
	decltype(&::CheckIsVistaRunning) CheckIsVistaRunning = nullptr;
	decltype(&::VerifyAccess) VerifyAccess = nullptr;
	std::string File;
};

const char *const kLibraryName = "libTolvane.so";

TTolvane Bind()
{
	TTolvane library;
	void *handle = nullptr;
	const std::string folder = ProgramFolder();
	if (!folder.empty()) {
		library.File = folder + "/" + kLibraryName;
		handle = ::dlopen(library.File.c_str(), RTLD_NOW | RTLD_LOCAL);
	}
	if (!handle) {
		library.File = kLibraryName;
		handle = ::dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
	}
	if (!handle) {
		library.File.clear();
		return library;
	}
	// The handle stays open for the life of the process.
	library.CheckIsVistaRunning = reinterpret_cast<decltype(library.CheckIsVistaRunning)>(
		::dlsym(handle, "CheckIsVistaRunning"));
	library.VerifyAccess = reinterpret_cast<decltype(library.VerifyAccess)>(::dlsym(handle, "VerifyAccess"));
	return library;
}

const TTolvane &Library()
{
	static const TTolvane library = Bind();
	return library;
}

} // namespace

int CallCheckIsVistaRunning()
{
	return Library().CheckIsVistaRunning ? Library().CheckIsVistaRunning() : 1;
}

int CallVerifyAccess(const std::u16string &programPath)
{
	return Library().VerifyAccess ? Library().VerifyAccess(programPath.c_str()) : 1;
}

bool TolvaneLoaded()
{
	return Library().CheckIsVistaRunning && Library().VerifyAccess;
}

std::string TolvaneFile()
{
	return Library().File;
}

} // namespace vantero::platform
