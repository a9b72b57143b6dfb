#include "tilmar/png-reader.h"

#include <png.h>

#include <cstdint>
#include <utility>

#include "tilmar/png-format.h"
#include "tilmar/png-image.h"

namespace tilmar {

namespace {

Png_status undecodable(png_image const& image) { return {Png_check::undecodable, 0, image.message}; }

Png_status begin_read(std::vector<unsigned char> const& file, Png_image& png) {
    Png_chunks const chunks = check_png_chunks(file);
    switch (chunks.check) {
    case Png_chunks_check::ok: break;
    case Png_chunks_check::not_png: return {Png_check::not_png, 0, ""};
    case Png_chunks_check::cut_short: return {Png_check::cut_short, 0, ""};
    case Png_chunks_check::bad_crc: return {Png_check::bad_crc, chunks.chunk_at, ""};
    }
    if (png_image_begin_read_from_memory(&png.image, file.data(), file.size()) == 0) return undecodable(png.image);
    return {};
}

}  // namespace

Png_status read_png_header(std::vector<unsigned char> const& file, Png_header& header) {
    Png_image png;
    Png_status const status = begin_read(file, png);
    if (status.check != Png_check::ok) return status;
    header.width = png.image.width;
    header.height = png.image.height;
    header.palette = (png.image.format & PNG_FORMAT_FLAG_COLORMAP) != 0;
    return status;
}

Png_status read_png_colours(std::vector<unsigned char> const& file, Colour_picture& picture) {
    Png_image png;
    Png_status const status = begin_read(file, png);
    if (status.check != Png_check::ok) return status;
    png.image.format = PNG_FORMAT_RGBA;
    png.image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
    std::uint64_t const size = std::uint64_t{png.image.width} * png.image.height * rgba_size;
    if (size > 0xFFFFFFFFu) return {Png_check::too_large, 0, ""};
    std::vector<unsigned char> rgba(static_cast<std::size_t>(size));
    if (png_image_finish_read(&png.image, nullptr, rgba.data(), 0, nullptr) == 0) return undecodable(png.image);
    picture.width = png.image.width;
    picture.height = png.image.height;
    picture.rgba = std::move(rgba);
    return status;
}

Png_status read_png_indexes(std::vector<unsigned char> const& file, Index_picture& picture, Colours& palette) {
    Png_image png;
    Png_status const status = begin_read(file, png);
    if (status.check != Png_check::ok) return status;
    // Read with a colour map, a palette file keeps its own entries and its pixels' indexes.
    png.image.format = PNG_FORMAT_RGB_COLORMAP;
    std::uint64_t const size = std::uint64_t{png.image.width} * png.image.height;
    if (size > 0xFFFFFFFFu) return {Png_check::too_large, 0, ""};
    std::vector<unsigned char> indexes(static_cast<std::size_t>(size));
    unsigned char colours[3 * 256];
    if (png_image_finish_read(&png.image, nullptr, indexes.data(), 0, colours) == 0) return undecodable(png.image);
    for (unsigned char index : indexes)
        if (index >= png.image.colormap_entries) return {Png_check::index_past_palette, 0, ""};
    Colours entries;
    for (png_uint_32 i = 0; i < png.image.colormap_entries && i < 256; ++i)
        entries.push_back(std::uint32_t{colours[3 * i]} << 16 | std::uint32_t{colours[3 * i + 1]} << 8 | colours[3 * i + 2]);
    picture.width = png.image.width;
    picture.height = png.image.height;
    picture.indexes = std::move(indexes);
    palette = std::move(entries);
    return status;
}

}  // namespace tilmar
