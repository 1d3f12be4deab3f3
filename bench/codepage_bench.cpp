#include "text/CodePage.h"

#include <benchmark/benchmark.h>

namespace {

using namespace fontlathe;

// A megabyte of UTF-8 text in a Cyrillic translation's mix: mostly Cyrillic letters, spaces and
// punctuation, a line break now and then, and some characters the page does not hold.
QString TranslationText() {
    const QString line =
        QStringLiteral("Привет, мир! Где ключ от сундука? Ёлка — 42 «рубля». ✓\r\n");
    const qsizetype lineBytes = line.toUtf8().size();
    return line.repeated((1024 * 1024 + lineBytes - 1) / lineBytes);
}

void BM_TextToCodesCp1251(benchmark::State& state) {
    const CodePage page = *CodePage::Standard(QStringLiteral("cp1251"));
    const QString text = TranslationText();
    for (auto _ : state) {
        std::vector<int> codes = page.CodesOf(text);
        benchmark::DoNotOptimize(codes.data());
    }
    state.SetBytesProcessed(state.iterations() * text.toUtf8().size());
}
BENCHMARK(BM_TextToCodesCp1251)->Unit(benchmark::kMillisecond);

} // namespace
