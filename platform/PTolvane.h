#pragma once
// The Tolvane library, bound by name when first needed: libTolvane.so from the program's own
// folder, else from the default library search path. Without the library (or an export) the
// answers are those of a system that is not Vista.

#include <string>

namespace vantero::platform {

// CheckIsVistaRunning of the library: 0 means Vista or later; 1 when the library is missing.
int CallCheckIsVistaRunning();
// VerifyAccess of the library with the UTF-16 program path: 0 allowed, 1 refused; 1 when the
// library is missing (access cannot be determined).
int CallVerifyAccess(const std::u16string &programPath);
// Whether the library was found and both exports bound.
bool TolvaneLoaded();
// The file the library was loaded from; empty when it was not found.
std::string TolvaneFile();

} // namespace vantero::platform
