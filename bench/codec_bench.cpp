#include "charset/CharCodec.h"
#include "support/SampleSets.h"

#include <benchmark/benchmark.h>

namespace {

using namespace fontlathe;

// The largest set the format allows: 256 glyphs of 127 x 127 at 4 bits per pixel (~2 MB).
void BM_DecodeEncodeLargest(benchmark::State& state) {
    const Charset largest = test::LargestSet();
    EncodedBlock block;
    if (!EncodeCharset(largest, DirtyBytes::Off, block)) {
        state.SkipWithError("the largest set did not encode");
        return;
    }
    const QByteArray bytes = block.bytes;
    Charset set;
    for (auto _ : state) {
        if (!DecodeCharset(bytes, set) || !EncodeCharset(set, DirtyBytes::Off, block)) {
            state.SkipWithError("round trip failed");
            return;
        }
        benchmark::DoNotOptimize(block.bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size() * 2);
}
BENCHMARK(BM_DecodeEncodeLargest)->Unit(benchmark::kMillisecond);

void BM_DecodeLargest(benchmark::State& state) {
    EncodedBlock block;
    EncodeCharset(test::LargestSet(), DirtyBytes::Off, block);
    Charset set;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeCharset(block.bytes, set).ok());
    }
}
BENCHMARK(BM_DecodeLargest)->Unit(benchmark::kMillisecond);

void BM_EncodeLargest(benchmark::State& state) {
    const Charset largest = test::LargestSet();
    EncodedBlock block;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EncodeCharset(largest, DirtyBytes::Off, block).ok());
    }
}
BENCHMARK(BM_EncodeLargest)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
