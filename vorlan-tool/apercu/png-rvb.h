#pragma once
#include <vector>

#include "apercu/image-rvb.h"

namespace Apercu {

// The picture as the bytes of an 8-bit RGB PNG file. Compressed for speed (runs only, no
// filter): a preview of a whole script is hundreds of pages, and its pictures are runs of a
// few colours.
std::vector<unsigned char> png_rvb(Image_rvb const& image);

}  // namespace Apercu
