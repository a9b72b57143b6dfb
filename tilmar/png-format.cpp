#include "tilmar/png-format.h"

#include <zlib.h>

#include <cctype>
#include <cstdint>
#include <cstring>

namespace tilmar {

namespace {

std::uint32_t read_be32(std::vector<unsigned char> const& buf, std::size_t offset) {
    return std::uint32_t{buf.at(offset)} << 24 | std::uint32_t{buf.at(offset + 1)} << 16 |
           std::uint32_t{buf.at(offset + 2)} << 8 | buf.at(offset + 3);
}

}  // namespace

Png_chunks check_png_chunks(std::vector<unsigned char> const& file) {
    std::size_t const signature_size = sizeof png::signature;
    if (file.size() < signature_size || std::memcmp(file.data(), png::signature, signature_size) != 0)
        return {Png_chunks_check::not_png, 0};
    std::size_t at = signature_size;
    for (;;) {
        if (file.size() - at < 12) return {Png_chunks_check::cut_short, 0};
        std::uint32_t const length = read_be32(file, at);
        if (length > file.size() - at - 12) return {Png_chunks_check::cut_short, 0};
        unsigned char const* const type = file.data() + at + 4;
        uLong const crc = crc32_z(crc32(0L, Z_NULL, 0), type, std::size_t{length} + 4);
        if (crc != read_be32(file, at + 8 + length)) return {Png_chunks_check::bad_crc, static_cast<long long>(at)};
        if (std::memcmp(type, "IEND", 4) == 0) return {Png_chunks_check::ok, 0};
        at += 12 + static_cast<std::size_t>(length);
    }
}

bool png_file_name(char const* name) {
    std::size_t const size = std::strlen(name);
    if (size < 4) return false;
    char const* const end = name + size - 4;
    return end[0] == '.' && std::tolower(static_cast<unsigned char>(end[1])) == 'p' &&
           std::tolower(static_cast<unsigned char>(end[2])) == 'n' &&
           std::tolower(static_cast<unsigned char>(end[3])) == 'g';
}

}  // namespace tilmar
