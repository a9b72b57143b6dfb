// Compression with the indexed search and with the plain search, and decompression, on
// 1 MiB of text-like data and 1 MiB of random data.
#include <benchmark/benchmark.h>

#include <cstring>

#include "pakrun/codec-decoder.h"
#include "pakrun/codec-encoder.h"
#include "reference-encoder.h"
#include "sample-data.h"

namespace {

using pakrun_samples::Bytes;

constexpr std::size_t mebibyte = 1 << 20;

Bytes const& sample(int kind) {
    static Bytes const text = pakrun_samples::textLike(mebibyte, 1);
    static Bytes const random = pakrun_samples::randomBytes(mebibyte, 2);
    return kind == 0 ? text : random;
}

Bytes compressed(Bytes const& input) {
    Bytes out(static_cast<std::size_t>(pakrun::pkCompBound(static_cast<long>(input.size()))));
    out.resize(static_cast<std::size_t>(pakrun::pkComp(input.data(), out.data(), static_cast<int>(input.size()))));
    return out;
}

template <int (*compress)(unsigned char const*, unsigned char*, int)>
void compression(benchmark::State& state) {
    Bytes const& input = sample(static_cast<int>(state.range(0)));
    Bytes const expected = compressed(input);
    Bytes out(static_cast<std::size_t>(pakrun::pkCompBound(static_cast<long>(input.size()))));
    int size = 0;
    for (auto _ : state) {
        size = compress(input.data(), out.data(), static_cast<int>(input.size()));
        benchmark::DoNotOptimize(out.data());
    }
    if (static_cast<std::size_t>(size) != expected.size() || std::memcmp(out.data(), expected.data(), expected.size()) != 0) {
        state.SkipWithError("output differs from the tool's encoder");
    }
    state.SetLabel(state.range(0) == 0 ? "text" : "random");
    state.counters["ratio"] = static_cast<double>(size) / static_cast<double>(input.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

void decompression(benchmark::State& state) {
    Bytes const& input = sample(static_cast<int>(state.range(0)));
    Bytes const packed = compressed(input);
    Bytes out(input.size());
    for (auto _ : state) {
        int const consumed = pakrun::pkDecomp(packed.data(), static_cast<int>(packed.size()), out.data(),
                                              static_cast<int>(input.size()));
        benchmark::DoNotOptimize(consumed);
    }
    if (out != input) state.SkipWithError("round trip failed");
    state.SetLabel(state.range(0) == 0 ? "text" : "random");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

BENCHMARK(compression<pakrun::pkComp>)->Name("pkComp/indexed")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(compression<pakrun_reference::pkComp>)
    ->Name("pkComp/plain")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK(decompression)->Name("pkDecomp")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
