#include "pakrun/tool-io.h"

#include <sys/stat.h>

#include <new>

namespace pakrun {

File openRegular(char const* name, char const* mode) {
    struct stat status;
    if (stat(name, &status) == 0 && !S_ISREG(status.st_mode)) return File();
    File file(std::fopen(name, mode));
    if (file && (fstat(fileno(file.get()), &status) != 0 || !S_ISREG(status.st_mode))) file.reset();
    return file;
}

bool sameFile(char const* first, char const* second) {
    struct stat a;
    struct stat b;
    return stat(first, &a) == 0 && stat(second, &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

long myFileSize(std::FILE* file) {
    long const here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return -1;
    long const size = std::ftell(file);
    if (std::fseek(file, here, SEEK_SET) != 0) return -1;
    return size;
}

bool allocate(std::vector<unsigned char>& buffer, long size) {
    try {
        buffer.resize(static_cast<std::size_t>(size));
    } catch (std::bad_alloc const&) {
        return false;
    }
    return true;
}

}  // namespace pakrun
