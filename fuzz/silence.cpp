// Every operation reports on stdout: keep the fuzzer's own output readable.
#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return std::freopen("/dev/null", "w", stdout) == nullptr ? 1 : 0;
}
