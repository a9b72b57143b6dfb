// Every fuzz target drives operations that report on stdout: keep the run's output clean.
#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (std::freopen("/dev/null", "w", stdout) == nullptr) return 1;
    return 0;
}
