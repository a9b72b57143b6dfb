#include "tilmar/bmp-format.h"

#include <stdexcept>

namespace tilmar {

namespace {

void require_field(std::size_t buf_size, std::size_t offset, std::size_t size) {
    if (size > 4 || offset > buf_size || size > buf_size - offset) throw std::out_of_range("field outside the buffer");
}

}  // namespace

std::uint32_t read_le(std::vector<unsigned char> const& buf, std::size_t offset, std::size_t size) {
    require_field(buf.size(), offset, size);
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = (value << 8) | buf[offset + i];
    return value;
}

void write_le(std::vector<unsigned char>& buf, std::size_t offset, std::size_t size, std::uint32_t value) {
    require_field(buf.size(), offset, size);
    for (std::size_t i = 0; i < size; ++i) buf[offset + i] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace tilmar
