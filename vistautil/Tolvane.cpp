#include "vistautil/Tolvane.h"

// This system is not Windows: there is no Windows version to read, and no Game Explorer and
// no parental-control policy to ask, so every program is allowed.

extern "C" {

TOLVANE_EXPORT int32_t CheckIsVistaRunning(void)
{
	return 1;
}

TOLVANE_EXPORT int32_t VerifyAccess(const char16_t *path)
{
	if (!path)
		return TOLVANE_E_INVALIDARG;
	return 0;
}

} // extern "C"
