#include "render/UGSoftwareSurface.h"

#include <algorithm>

namespace vantero {

TGSoftwareSurface::TGSoftwareSurface(int width, int height, uint32_t fill)
	: FWidth(std::max(0, width)), FHeight(std::max(0, height)),
	  FPixels(static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight), fill)
{
}

} // namespace vantero
