#pragma once
#include <cstdio>
#include <memory>
#include <vector>

namespace pakrun {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
// An open C stdio stream, closed when it goes out of scope.
using File = std::unique_ptr<std::FILE, FileCloser>;

// Opens a file with the given mode; empty when it cannot be opened or when the name leads to
// something other than a regular file: a folder opens for reading but can be neither measured
// nor read, and opening a pipe would wait for its other end forever.
File openRegular(char const* name, char const* mode);

// Whether the two names lead to one existing file (through links or another path).
bool sameFile(char const* first, char const* second);

// Length of the file open on the stream, whose position is left where it was; -1 when the
// stream cannot be measured.
long myFileSize(std::FILE* file);

// Sizes the buffer to `size` bytes; false when that memory is not available.
bool allocate(std::vector<unsigned char>& buffer, long size);

}  // namespace pakrun
