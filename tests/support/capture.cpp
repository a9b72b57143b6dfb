#include "support/capture.h"

#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace test_support {

std::string capture_stdout(std::function<void()> const& fn) {
    std::fflush(stdout);
    std::FILE* tmp = std::tmpfile();
    if (tmp == nullptr) throw std::runtime_error("tmpfile failed");
    int saved = dup(fileno(stdout));
    dup2(fileno(tmp), fileno(stdout));
    try {
        fn();
    } catch (...) {
        std::fflush(stdout);
        dup2(saved, fileno(stdout));
        close(saved);
        std::fclose(tmp);
        throw;
    }
    std::fflush(stdout);
    dup2(saved, fileno(stdout));
    close(saved);
    std::string out;
    std::rewind(tmp);
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, tmp)) > 0) out.append(buf, n);
    std::fclose(tmp);
    return out;
}

}  // namespace test_support
