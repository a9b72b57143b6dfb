// The operations return their reports rather than print them; anything that still reaches
// stdout must not mix with the fuzzer's own output.
#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return std::freopen("/dev/null", "w", stdout) == nullptr ? 1 : 0;
}
