#include "generate/DrawingFont.h"
#include "generate/Rasterizer.h"

#include <benchmark/benchmark.h>

namespace {

using namespace fontlathe;

// A whole run: 224 codes, each drawn in every copy its style asks for, found, trimmed.
void BM_GenerateSize24(benchmark::State& state) {
    const auto style = static_cast<GenerationStyle>(state.range(0));
    const QFont font = MakeDrawingFont({QStringLiteral("DejaVu Sans"), 24, 0});
    Charset set;
    set.NewCharset(1);
    for (auto _ : state) {
        if (!GenerateCharset(set, font, style)) {
            state.SkipWithError("the run was refused");
            return;
        }
    }
}
BENCHMARK(BM_GenerateSize24)
    ->Arg(static_cast<int>(GenerationStyle::Normal))
    ->Arg(static_cast<int>(GenerationStyle::Outlined))
    ->Unit(benchmark::kMillisecond);

} // namespace
