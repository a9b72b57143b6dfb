#include "tilmar/stdio-file.h"

#include <sys/stat.h>

#include <limits>

namespace tilmar {

bool same_file(std::string const& first, std::string const& second) {
    struct stat a;
    struct stat b;
    return stat(first.c_str(), &a) == 0 && stat(second.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

// Only a regular file is opened: a folder or a pipe can be neither measured nor addressed,
// and opening a pipe would wait for its other end forever, so its name is checked first.
Stdio_file::Stdio_file(std::string const& path, char const* mode) : stream_(nullptr) {
    struct stat status;
    if (stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) return;
    stream_ = std::fopen(path.c_str(), mode);
    if (stream_ != nullptr && (fstat(fileno(stream_), &status) != 0 || !S_ISREG(status.st_mode))) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
}

Stdio_file::~Stdio_file() {
    if (stream_ != nullptr) std::fclose(stream_);
}

bool Stdio_file::seek(long long offset) {
    if (offset < 0 || offset > std::numeric_limits<long>::max()) return false;
    return std::fseek(stream_, static_cast<long>(offset), SEEK_SET) == 0;
}

long long Stdio_file::size() {
    if (std::fseek(stream_, 0, SEEK_END) != 0) return -1;
    long const end = std::ftell(stream_);
    return end < 0 || !seek(0) ? -1 : end;
}

bool Stdio_file::read_at(long long offset, std::size_t count, std::vector<unsigned char>& bytes) {
    bytes.resize(count);
    std::size_t const got = seek(offset) ? std::fread(bytes.data(), 1, count, stream_) : 0;
    bytes.resize(got);
    return got == count;
}

bool Stdio_file::read_all(std::vector<unsigned char>& bytes) {
    bytes.clear();
    if (!seek(0)) return false;
    unsigned char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, stream_)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    return std::ferror(stream_) == 0;
}

bool Stdio_file::write_at(long long offset, std::vector<unsigned char> const& bytes) {
    return seek(offset) && std::fwrite(bytes.data(), 1, bytes.size(), stream_) == bytes.size();
}

bool Stdio_file::close() {
    std::FILE* const stream = stream_;
    stream_ = nullptr;
    return stream != nullptr && std::fclose(stream) == 0;
}

}  // namespace tilmar
