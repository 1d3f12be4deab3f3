#include "faces/FaceFile.h"

#include <benchmark/benchmark.h>

namespace {

using namespace fontlathe;

// Reading an installed X11 face whole, from the gzipped file to every glyph keyed by character:
// 6x13 has about 4,000 glyphs, 18x18ko about 28,000, the most of any installed face.
void BM_ReadInstalledFace(benchmark::State& state, const char* path) {
    for (auto _ : state) {
        BitmapFace face;
        if (const Result read = ReadFaceFile(QString::fromLatin1(path), face); !read) {
            state.SkipWithError("the face is not installed (scripts/install-deps.sh --for-tests)");
            return;
        }
        benchmark::DoNotOptimize(face.glyphs.size());
    }
}
BENCHMARK_CAPTURE(BM_ReadInstalledFace, 6x13, "/usr/share/fonts/X11/misc/6x13.pcf.gz")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadInstalledFace, 18x18ko, "/usr/share/fonts/X11/misc/18x18ko.pcf.gz")
    ->Unit(benchmark::kMillisecond);

} // namespace
