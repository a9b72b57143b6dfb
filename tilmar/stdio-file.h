#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace tilmar {

// Whether the two paths lead to one existing file (through links or another spelling).
bool same_file(std::string const& first, std::string const& second);

// One open C stdio stream, closed when the object goes.
class Stdio_file {
public:
    Stdio_file(std::string const& path, char const* mode);
    ~Stdio_file();
    Stdio_file(Stdio_file const&) = delete;
    Stdio_file& operator=(Stdio_file const&) = delete;

    // False when the file could not be opened, or is no regular file.
    bool is_open() const { return stream_ != nullptr; }
    // Size in bytes, or -1 when the stream cannot tell it.
    long long size();
    // Reads `count` bytes at `offset` into `bytes` (resized to what arrived); false when fewer arrive.
    bool read_at(long long offset, std::size_t count, std::vector<unsigned char>& bytes);
    // Reads from the start to the end of the file. Throws std::bad_alloc when it does not fit in memory.
    bool read_all(std::vector<unsigned char>& bytes);
    // Writes all the bytes at `offset`; a position past the end leaves a gap of zero bytes.
    bool write_at(long long offset, std::vector<unsigned char> const& bytes);
    // Flushes and closes; false when anything written could not be stored.
    bool close();

private:
    bool seek(long long offset);

    std::FILE* stream_;
};

}  // namespace tilmar
