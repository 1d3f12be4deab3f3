// A bundle of about 50 MB, as a game's data file ordinarily is: listing its fonts and putting a
// larger font into it.
#include "bundle/BundleRewrite.h"
#include "bundle/GameBundle.h"
#include "support/BundleBuilder.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace fontlathe;

// Forty rooms of a large sound each, a font in every fourth room; XOR-encrypted as version 5 is.
struct LargeBundle {
    QTemporaryDir folder;
    test::BuiltBundle built;
    QString index;

    LargeBundle() {
        test::BundleBuilder builder(5);
        for (int room = 1; room <= 40; ++room) {
            builder.Room(room).Add("SCRP", room, 2000);
            if (room % 4 == 1) {
                builder.Font(room, test::SampleFontBlock(2, 100, std::uint32_t(room)));
            }
            builder.Add("SOUN", room, 1300 * 1000).Add("COST", room, 4000);
        }
        built = builder.Build();
        Restore();
    }
    void Restore() {
        index = test::WriteBundleFiles(folder.path(), QStringLiteral("GAME"), 5, built);
    }
};

LargeBundle& Large() {
    static LargeBundle bundle;
    return bundle;
}

void BM_ListFontsOf50MBBundle(benchmark::State& state) {
    LargeBundle& large = Large();
    for (auto _ : state) {
        GameBundle bundle;
        if (!GameBundle::Open(large.index, bundle) || bundle.fonts().size() != 10) {
            state.SkipWithError("the bundle was not read");
            return;
        }
        benchmark::DoNotOptimize(bundle.fonts().data());
    }
    state.counters["MB"] = double(large.built.data.size()) / 1e6;
}
BENCHMARK(BM_ListFontsOf50MBBundle)->Unit(benchmark::kMillisecond);

// Open, replace font 21 (in the middle) by a larger one, check and write both files.
void BM_InsertLargerFontInto50MBBundle(benchmark::State& state) {
    LargeBundle& large = Large();
    const QByteArray larger = test::SampleFontBlock(2, 200, 99);
    for (auto _ : state) {
        state.PauseTiming();
        large.Restore();
        state.ResumeTiming();
        GameBundle bundle;
        RewrittenBundle rewritten;
        QString message;
        if (!GameBundle::Open(large.index, bundle) || !ReplaceFont(bundle, 21, larger, rewritten) ||
            !rewritten.indexChanged || !WriteBundle(bundle, std::move(rewritten), message)) {
            state.SkipWithError("the font was not put in");
            return;
        }
    }
}
BENCHMARK(BM_InsertLargerFontInto50MBBundle)->Unit(benchmark::kMillisecond);

} // namespace
