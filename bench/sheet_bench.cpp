#include "sheet/GlyphSheet.h"
#include "support/SampleSets.h"
#include "text/TextCoverage.h"

#include <benchmark/benchmark.h>

namespace {

using namespace fontlathe;

// The largest set the format holds, 256 glyphs of 127 x 127 at 4 bits: a 2049 x 2049 sheet.
void BM_EncodeSheetLargest(benchmark::State& state) {
    const Charset largest = test::LargestSet();
    QByteArray png;
    for (auto _ : state) {
        if (!EncodeSheet(largest, std::nullopt, png)) {
            state.SkipWithError("the largest set did not export");
            return;
        }
        benchmark::DoNotOptimize(png.data());
    }
    state.counters["bytes"] = static_cast<double>(png.size());
}
BENCHMARK(BM_EncodeSheetLargest)->Unit(benchmark::kMillisecond);

void BM_DecodeSheetLargest(benchmark::State& state) {
    QByteArray png;
    if (!EncodeSheet(test::LargestSet(), std::nullopt, png)) {
        state.SkipWithError("the largest set did not export");
        return;
    }
    Charset set;
    for (auto _ : state) {
        if (!DecodeSheet(png, set)) {
            state.SkipWithError("the sheet did not import");
            return;
        }
        benchmark::DoNotOptimize(set.glyphs()[255].raster.constBits());
    }
}
BENCHMARK(BM_DecodeSheetLargest)->Unit(benchmark::kMillisecond);

// 1 MB of a translation: mostly Latin letters with Polish and French accents, punctuation, line
// breaks and now and then a character beyond the BMP.
QByteArray OneMegabyteOfText() {
    const QByteArray paragraph =
        QStringLiteral("Zażółć gęślą jaźń, dit l'élève à côté du château. The quick brown fox "
                       "jumps over the lazy dog \U0001F600.\r\n")
            .toUtf8();
    QByteArray text;
    while (text.size() + paragraph.size() <= 1024 * 1024) {
        text += paragraph;
    }
    return text;
}

Charset LatinOneSet() {
    Charset set;
    set.NewCharset(1);
    for (int code = 32; code < 256; ++code) {
        test::SetGlyph(set, code, 1, 1, [](int, int) { return 1; });
    }
    return set;
}

// What fontlathe-cli coverage does with a text file: validate, then count.
void BM_CoverageUtf8OneMegabyte(benchmark::State& state) {
    const QByteArray text = OneMegabyteOfText();
    const Charset set = LatinOneSet();
    for (auto _ : state) {
        if (FirstInvalidUtf8Byte(text) >= 0) {
            state.SkipWithError("the text is not UTF-8");
            return;
        }
        const TextCoverage coverage = CheckCoverageUtf8(set, text);
        benchmark::DoNotOptimize(coverage.missing.data());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_CoverageUtf8OneMegabyte)->Unit(benchmark::kMillisecond);

// What the window does with its sample text.
void BM_CoverageUtf16OneMegabyte(benchmark::State& state) {
    const QString text = QString::fromUtf8(OneMegabyteOfText());
    const Charset set = LatinOneSet();
    for (auto _ : state) {
        const TextCoverage coverage = CheckCoverage(set, text);
        benchmark::DoNotOptimize(coverage.missing.data());
    }
}
BENCHMARK(BM_CoverageUtf16OneMegabyte)->Unit(benchmark::kMillisecond);

} // namespace
