#pragma once
#include <png.h>

namespace tilmar {

// libpng's simplified reader and writer keep their state behind the image; freeing it is safe
// at any step, whichever way the work ends. They catch libpng's errors themselves, so no
// longjmp crosses the frames that use it.
struct Png_image {
    png_image image{};
    Png_image() { image.version = PNG_IMAGE_VERSION; }
    ~Png_image() { png_image_free(&image); }
    Png_image(Png_image const&) = delete;
    Png_image& operator=(Png_image const&) = delete;
};

}  // namespace tilmar
