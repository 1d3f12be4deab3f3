#include "render/TextPreview.h"
#include "support/SampleSets.h"

#include <benchmark/benchmark.h>

namespace {

using namespace fontlathe;

const QString SampleText =
    QStringLiteral("The quick brown fox jumps over the lazy dog.\r\n1234567890");

// The sample text at the largest zoom with the largest glyphs the format holds.
void BM_RenderPreviewLargestZoom6(benchmark::State& state) {
    const Charset set = test::LargestSet();
    for (auto _ : state) {
        QImage preview = RenderPreview(set, SampleText, 6);
        benchmark::DoNotOptimize(preview.bits());
    }
}
BENCHMARK(BM_RenderPreviewLargestZoom6)->Unit(benchmark::kMicrosecond);

// Ordinary glyphs (9 x 12) at zoom 2: every character of the sample shows.
void BM_RenderPreviewSmallZoom2(benchmark::State& state) {
    Charset set;
    set.NewCharset(2);
    set.SetFontHeight(14);
    for (int code = 32; code < 256; ++code) {
        test::SetGlyph(set, code, 9, 12, [code](int x, int y) { return (x * y + code) % 4; });
    }
    for (auto _ : state) {
        QImage preview = RenderPreview(set, SampleText, 2);
        benchmark::DoNotOptimize(preview.bits());
    }
}
BENCHMARK(BM_RenderPreviewSmallZoom2)->Unit(benchmark::kMicrosecond);

} // namespace
