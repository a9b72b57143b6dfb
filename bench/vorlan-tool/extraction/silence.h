#pragma once
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

// Sends what the commands print to /dev/null for as long as it lives, so that the benchmark's
// own report stays readable.
class Silence {
public:
    Silence() : sauve_(dup(fileno(stdout))) {
        std::fflush(stdout);
        int const nul = open("/dev/null", O_WRONLY);
        dup2(nul, fileno(stdout));
        close(nul);
    }
    ~Silence() {
        std::fflush(stdout);
        dup2(sauve_, fileno(stdout));
        close(sauve_);
    }
    Silence(Silence const&) = delete;
    Silence& operator=(Silence const&) = delete;

private:
    int sauve_;
};
