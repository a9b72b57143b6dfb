#include "apercu/png-rvb.h"

#include <png.h>
#include <zlib.h>

#include <new>
#include <stdexcept>

namespace Apercu {

namespace {

// Called from libpng's C frames, which no exception may cross.
void ecrire(png_structp png, png_bytep octets, png_size_t taille) {
    auto* sortie = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
    try {
        sortie->insert(sortie->end(), octets, octets + taille);
    } catch (std::bad_alloc const&) {
        png_error(png, "out of memory");
    }
}

void vider(png_structp) {}

}  // namespace

std::vector<unsigned char> png_rvb(Image_rvb const& image) {
    std::vector<unsigned char> sortie;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png == nullptr ? nullptr : png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        throw std::bad_alloc();
    }
    std::vector<png_bytep> lignes(static_cast<std::size_t>(image.hauteur()));
    for (int y = 0; y < image.hauteur(); ++y)
        lignes[static_cast<std::size_t>(y)] = const_cast<png_bytep>(image.octets().data()) +
                                              static_cast<std::size_t>(y) * static_cast<std::size_t>(image.largeur()) * 3;
    // libpng reports its failures by a long jump back here: only plain data lives across it.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("png_rvb: libpng refused the picture");
    }
    png_set_write_fn(png, &sortie, ecrire, vider);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.largeur()), static_cast<png_uint_32>(image.hauteur()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 1);
    png_set_compression_strategy(png, Z_RLE);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(png, info);
    png_write_image(png, lignes.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return sortie;
}

}  // namespace Apercu
