#pragma once
// Tolvane: the game's system utilities, exported by name with C linkage.
// Texts are UTF-16 and zero-terminated.

#include <cstdint>

#define TOLVANE_EXPORT __attribute__((visibility("default")))

// The result VerifyAccess gives for a null path (E_INVALIDARG).
#define TOLVANE_E_INVALIDARG static_cast<int32_t>(0x80070057u)

extern "C" {

// 0 when the system is Windows NT 6 (Vista) or later, 1 otherwise (always 1 here).
TOLVANE_EXPORT int32_t CheckIsVistaRunning(void);
// Whether parental controls let the current user run the program at Path: 0 allowed,
// 1 refused or not determinable, TOLVANE_E_INVALIDARG for a null Path.
TOLVANE_EXPORT int32_t VerifyAccess(const char16_t *path);

} // extern "C"
