#include "picture_files.h"

#include <zlib.h>

#include <cstdlib>
#include <stdexcept>

namespace tilmar_test {

namespace {

constexpr int tile_side = 12;
constexpr int tile_bytes = 18;

std::string le(std::uint32_t value, int size) {
    std::string bytes;
    for (int i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i));
    return bytes;
}

std::uint32_t field_le(std::string const& file, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size; i-- > 0;) value = value << 8 | static_cast<unsigned char>(file.at(at + i));
    return value;
}

std::uint32_t field_be(std::string const& file, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(file.at(at + i));
    return value;
}

unsigned channel8(Colour colour, int shift) { return colour >> shift & 0xFF; }

// An 8-bit channel value in a field of `max` + 1 levels, rounded.
std::uint32_t scaled(unsigned value, std::uint32_t max) { return (value * std::uint64_t{max} + 127) / 255; }

std::uint32_t to_mask(unsigned value, std::uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while ((mask >> shift & 1) == 0) ++shift;
    return scaled(value, mask >> shift) << shift;
}

std::size_t palette_index(std::vector<Colour> const& palette, Colour colour, bool with_alpha) {
    Colour const wanted = with_alpha ? colour : colour & 0xFFFFFF;
    for (std::size_t i = 0; i < palette.size(); ++i)
        if ((with_alpha ? palette[i] : palette[i] & 0xFFFFFF) == wanted) return i;
    throw std::invalid_argument("a colour of the drawing is not in the palette");
}

// Appends `bits` bits of `value` to a row packed most significant bit first.
void put_bits(std::string& row, int& used, unsigned value, int bits) {
    for (int b = bits; b-- > 0;) {
        if (used % 8 == 0) row += '\0';
        if (value >> b & 1) row.back() = static_cast<char>(row.back() | 0x80 >> (used % 8));
        ++used;
    }
}

int png_channels(int type) {
    switch (type) {
    case png_grey: return 1;
    case png_rgb: return 3;
    case png_palette: return 1;
    case png_grey_alpha: return 2;
    default: return 4;
    }
}

// The samples of one pixel at the form's depth.
std::vector<std::uint32_t> png_samples(Colour colour, Png_form const& form) {
    if (form.type == png_palette) return {static_cast<std::uint32_t>(palette_index(form.palette, colour, true))};
    std::uint32_t const max = (1u << form.bit_depth) - 1;
    std::vector<unsigned> channels;
    if (form.type == png_grey || form.type == png_grey_alpha) channels.push_back(channel8(colour, 16));
    if (form.type == png_rgb || form.type == png_rgba)
        channels.insert(channels.end(), {channel8(colour, 16), channel8(colour, 8), channel8(colour, 0)});
    if (form.type == png_grey_alpha || form.type == png_rgba) channels.push_back(channel8(colour, 24));
    std::vector<std::uint32_t> samples;
    for (unsigned c : channels) samples.push_back(scaled(c, max));
    return samples;
}

unsigned char paeth(int a, int b, int c) {
    int const p = a + b - c;
    int const pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return static_cast<unsigned char>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// The row filtered by `filter` (0 to 4) against the previous row of its pass.
std::string filtered(std::string const& row, std::string const& previous, int filter, std::size_t step) {
    std::string out(1, static_cast<char>(filter));
    for (std::size_t i = 0; i < row.size(); ++i) {
        int const x = static_cast<unsigned char>(row[i]);
        int const a = i >= step ? static_cast<unsigned char>(row[i - step]) : 0;
        int const b = previous.empty() ? 0 : static_cast<unsigned char>(previous[i]);
        int const c = i >= step && !previous.empty() ? static_cast<unsigned char>(previous[i - step]) : 0;
        int const predicted = filter == 0 ? 0 : filter == 1 ? a : filter == 2 ? b : filter == 3 ? (a + b) / 2 : paeth(a, b, c);
        out += static_cast<char>((x - predicted) & 0xFF);
    }
    return out;
}

std::string unfiltered(std::string const& line, std::string const& previous, std::size_t step) {
    std::string row = line.substr(1);
    int const filter = static_cast<unsigned char>(line[0]);
    for (std::size_t i = 0; i < row.size(); ++i) {
        int const a = i >= step ? static_cast<unsigned char>(row[i - step]) : 0;
        int const b = previous.empty() ? 0 : static_cast<unsigned char>(previous[i]);
        int const c = i >= step && !previous.empty() ? static_cast<unsigned char>(previous[i - step]) : 0;
        int const predicted = filter == 0 ? 0 : filter == 1 ? a : filter == 2 ? b : filter == 3 ? (a + b) / 2 : paeth(a, b, c);
        row[i] = static_cast<char>((static_cast<unsigned char>(row[i]) + predicted) & 0xFF);
    }
    return row;
}

std::string compressed(std::string const& data) {
    uLongf size = compressBound(data.size());
    std::string out(size, '\0');
    if (compress(reinterpret_cast<Bytef*>(&out[0]), &size, reinterpret_cast<Bytef const*>(data.data()), data.size()) != Z_OK)
        throw std::runtime_error("zlib could not compress");
    out.resize(size);
    return out;
}

}  // namespace

Mask sheet_mask(std::string const& tiles, int columns) {
    int const count = static_cast<int>(tiles.size()) / tile_bytes;
    Mask mask;
    mask.width = tile_side * columns;
    mask.height = tile_side * ((count + columns - 1) / columns);
    mask.drawn.assign(static_cast<std::size_t>(mask.width) * mask.height, false);
    for (int k = 0; k < count; ++k)
        for (int bit = 0; bit < tile_side * tile_side; ++bit) {
            unsigned char const byte = static_cast<unsigned char>(tiles[k * tile_bytes + bit / 8]);
            mask.set(k % columns * tile_side + bit % tile_side, k / columns * tile_side + bit / tile_side,
                     (byte >> (7 - bit % 8) & 1) != 0);
        }
    return mask;
}

std::string mask_tiles(Mask const& mask, int columns, int count) {
    std::string tiles(static_cast<std::size_t>(count) * tile_bytes, '\0');
    for (int k = 0; k < count; ++k)
        for (int bit = 0; bit < tile_side * tile_side; ++bit)
            if (mask.at(k % columns * tile_side + bit % tile_side, k / columns * tile_side + bit / tile_side))
                tiles[k * tile_bytes + bit / 8] = static_cast<char>(tiles[k * tile_bytes + bit / 8] | 0x80 >> (bit % 8));
    return tiles;
}

Drawing paint(Mask const& mask, std::vector<Colour> const& drawn, std::vector<Colour> const& blank) {
    Drawing drawing{mask.width, mask.height, {}};
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            std::vector<Colour> const& shades = mask.at(x, y) ? drawn : blank;
            drawing.pixels.push_back(shades[static_cast<std::size_t>(x * 7 + y * 3) % shades.size()]);
        }
    return drawing;
}

Drawing with_alphas(Drawing drawing, std::vector<unsigned> const& alphas, Mask const& mask, Mask& kept) {
    kept = mask;
    for (int y = 0; y < drawing.height; ++y)
        for (int x = 0; x < drawing.width; ++x) {
            unsigned const alpha = alphas[static_cast<std::size_t>(x + 3 * y) % alphas.size()];
            Colour& pixel = drawing.pixels[static_cast<std::size_t>(y) * drawing.width + x];
            pixel = (pixel & 0xFFFFFF) | alpha << 24;
            if (alpha < 0x80) kept.set(x, y, false);
        }
    return drawing;
}

std::string bmp_of(Drawing const& drawing, Bmp_form const& form) {
    std::array<std::uint32_t, 4> masks = form.masks;
    if (!form.bit_fields && form.bits == 16) masks = {0x7C00, 0x03E0, 0x001F, 0};
    if (!form.bit_fields && form.bits == 32) masks = {0xFF0000, 0xFF00, 0xFF, 0};
    std::size_t const row_size = (static_cast<std::size_t>(drawing.width) * form.bits + 31) / 32 * 4;
    std::string pixels;
    for (int stored = 0; stored < drawing.height; ++stored) {
        int const y = form.top_down ? stored : drawing.height - 1 - stored;
        std::string row;
        int used = 0;
        for (int x = 0; x < drawing.width; ++x) {
            Colour const colour = drawing.at(x, y);
            if (form.bits <= 8) {
                put_bits(row, used, static_cast<unsigned>(palette_index(form.palette, colour, false)), form.bits);
            } else if (form.bits == 24) {
                row += le(colour & 0xFFFFFF, 3);
            } else {
                std::uint32_t const value = to_mask(channel8(colour, 16), masks[0]) | to_mask(channel8(colour, 8), masks[1]) |
                                            to_mask(channel8(colour, 0), masks[2]) | to_mask(channel8(colour, 24), masks[3]);
                row += le(value, form.bits / 8);
            }
        }
        row.resize(row_size, '\0');
        pixels += row;
    }

    bool const masks_after = form.bit_fields && form.info_size == 40;
    std::string info = le(form.info_size, 4) + le(drawing.width, 4) +
                       le(static_cast<std::uint32_t>(form.top_down ? -drawing.height : drawing.height), 4) + le(1, 2) +
                       le(form.bits, 2) + le(form.bit_fields ? 3 : 0, 4) + le(static_cast<std::uint32_t>(pixels.size()), 4) +
                       le(2835, 4) + le(2835, 4) + le(form.colours_used, 4) + le(0, 4);
    if (form.info_size >= 52) {
        // The masks, given even when unused as editors do (52 bytes: no alpha), then for the
        // longer headers the sRGB colour space.
        std::array<std::uint32_t, 4> const written =
            form.bit_fields ? masks : std::array<std::uint32_t, 4>{0xFF0000, 0xFF00, 0xFF, 0xFF000000};
        for (int i = 0; i < (form.info_size == 52 ? 3 : 4); ++i) info += le(written[i], 4);
        if (form.info_size >= 108) info += le(0x73524742, 4);
        info.resize(form.info_size, '\0');
    }
    if (masks_after)
        for (int i = 0; i < 3; ++i) info += le(masks[i], 4);
    for (Colour entry : form.palette) info += le(entry & 0xFFFFFF, 4);
    std::uint32_t const data_offset = static_cast<std::uint32_t>(14 + info.size());
    return "BM" + le(static_cast<std::uint32_t>(data_offset + pixels.size()), 4) + le(0, 4) + le(data_offset, 4) + info +
           pixels;
}

std::string be32(std::uint32_t value) {
    std::string bytes;
    for (int i = 4; i-- > 0;) bytes += static_cast<char>(value >> (8 * i));
    return bytes;
}

std::string png_chunk(std::string const& type, std::string const& data) {
    std::string const body = type + data;
    uLong const crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<Bytef const*>(body.data()), static_cast<uInt>(body.size()));
    return be32(static_cast<std::uint32_t>(data.size())) + body + be32(static_cast<std::uint32_t>(crc));
}

std::string png_of(Drawing const& drawing, Png_form const& form) {
    int const sample_bits = form.bit_depth;
    int const pixel_bits = png_channels(form.type) * sample_bits;
    std::size_t const step = static_cast<std::size_t>(pixel_bits < 8 ? 1 : pixel_bits / 8);
    struct Pass {
        int x0, y0, dx, dy;
    };
    std::vector<Pass> passes{{0, 0, 1, 1}};
    if (form.interlaced) passes = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    std::string stream;
    int line = 0;
    for (Pass const& pass : passes) {
        std::string previous;
        for (int y = pass.y0; y < drawing.height; y += pass.dy) {
            if (pass.x0 >= drawing.width) break;
            std::string row;
            int used = 0;
            for (int x = pass.x0; x < drawing.width; x += pass.dx)
                for (std::uint32_t sample : png_samples(drawing.at(x, y), form)) {
                    if (sample_bits < 8) put_bits(row, used, sample, sample_bits);
                    else if (sample_bits == 8) row += static_cast<char>(sample);
                    else row += std::string{static_cast<char>(sample >> 8), static_cast<char>(sample)};
                }
            stream += filtered(row, previous, line++ % 5, step);
            previous = row;
        }
    }

    std::string const header = be32(drawing.width) + be32(drawing.height) + static_cast<char>(form.bit_depth) +
                               static_cast<char>(form.type) + std::string(2, '\0') + static_cast<char>(form.interlaced ? 1 : 0);
    std::string file = png_signature + png_chunk("IHDR", header);
    if (form.type == png_palette) {
        std::string entries, alphas;
        std::size_t last_translucent = 0;
        for (std::size_t i = 0; i < form.palette.size(); ++i) {
            entries += std::string{static_cast<char>(form.palette[i] >> 16), static_cast<char>(form.palette[i] >> 8),
                                   static_cast<char>(form.palette[i])};
            alphas += static_cast<char>(form.palette[i] >> 24);
            if (form.palette[i] >> 24 != 0xFF) last_translucent = i + 1;
        }
        file += png_chunk("PLTE", entries);
        if (last_translucent != 0) file += png_chunk("tRNS", alphas.substr(0, last_translucent));
    }
    // Two IDAT chunks, as a writer flushing its buffer would leave them.
    std::string const data = compressed(stream);
    file += png_chunk("IDAT", data.substr(0, data.size() / 2)) + png_chunk("IDAT", data.substr(data.size() / 2));
    return file + png_chunk("IEND", "");
}

Read_back read_1bit_bmp(std::string const& file) {
    if (file.substr(0, 2) != "BM" || field_le(file, 28, 2) != 1) throw std::invalid_argument("not a 1-bit BMP");
    Read_back back;
    back.mask.width = static_cast<int>(field_le(file, 18, 4));
    int const height = static_cast<std::int32_t>(field_le(file, 22, 4));
    back.mask.height = std::abs(height);
    back.mask.drawn.assign(static_cast<std::size_t>(back.mask.width) * back.mask.height, false);
    back.palette = {field_le(file, 54, 3), field_le(file, 58, 3)};
    std::size_t const row_size = (static_cast<std::size_t>(back.mask.width) + 31) / 32 * 4;
    std::size_t const data = field_le(file, 10, 4);
    for (int y = 0; y < back.mask.height; ++y) {
        std::size_t const stored = height < 0 ? y : back.mask.height - 1 - y;
        for (int x = 0; x < back.mask.width; ++x)
            back.mask.set(x, y, (static_cast<unsigned char>(file.at(data + stored * row_size + x / 8)) >> (7 - x % 8) & 1) != 0);
    }
    return back;
}

Read_back read_1bit_png(std::string const& file) {
    if (file.substr(0, 8) != png_signature) throw std::invalid_argument("not a PNG file");
    Read_back back;
    std::string idat;
    for (std::size_t at = 8; at < file.size();) {
        std::uint32_t const length = field_be(file, at);
        std::string const type = file.substr(at + 4, 4);
        std::string const data = file.substr(at + 8, length);
        if (type == "IHDR") {
            back.mask.width = static_cast<int>(field_be(data, 0));
            back.mask.height = static_cast<int>(field_be(data, 4));
            if (data.substr(8) != std::string("\x01\x03\0\0\0", 5)) throw std::invalid_argument("not a 1-bit palette PNG");
        } else if (type == "PLTE") {
            if (data.size() != 6) throw std::invalid_argument("not a palette of two entries");
            for (int i = 0; i < 2; ++i)
                back.palette[i] = static_cast<unsigned char>(data[3 * i]) << 16 | static_cast<unsigned char>(data[3 * i + 1]) << 8 |
                                  static_cast<unsigned char>(data[3 * i + 2]);
        } else if (type == "IDAT") {
            idat += data;
        }
        at += 12 + length;
    }
    std::size_t const row_size = (static_cast<std::size_t>(back.mask.width) + 7) / 8;
    uLongf size = (row_size + 1) * back.mask.height;
    std::string stream(size, '\0');
    if (uncompress(reinterpret_cast<Bytef*>(&stream[0]), &size, reinterpret_cast<Bytef const*>(idat.data()), idat.size()) != Z_OK ||
        size != stream.size())
        throw std::invalid_argument("image data of the wrong size");
    back.mask.drawn.assign(static_cast<std::size_t>(back.mask.width) * back.mask.height, false);
    std::string previous;
    for (int y = 0; y < back.mask.height; ++y) {
        std::string const row = unfiltered(stream.substr(y * (row_size + 1), row_size + 1), previous, 1);
        for (int x = 0; x < back.mask.width; ++x)
            back.mask.set(x, y, (static_cast<unsigned char>(row[x / 8]) >> (7 - x % 8) & 1) != 0);
        previous = row;
    }
    return back;
}

}  // namespace tilmar_test
