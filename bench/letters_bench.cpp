// Add Letters: every letter of cp1250, cp1251 and cp1253 into a generated Latin-1 font, and every
// letter of cp1250 into every font of a bundle of about 50 MB through the command line.
#include "charset/CharCodec.h"
#include "cli/CliApp.h"
#include "generate/DrawingFont.h"
#include "generate/Rasterizer.h"
#include "letters/AddLetters.h"
#include "support/BundleBuilder.h"
#include "text/CodePage.h"

#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

namespace {

using namespace fontlathe;

const GenerationFont DejaVu{QStringLiteral("DejaVu Sans"), 12, 0, QString()};

// All 256 codes stored, 224 of them drawn, as a game's main font.
Charset LatinFontOf(const GenerationFont& face) {
    Charset set;
    set.NewCharset(1);
    GenerateCharset(set, MakeDrawingFont(face), GenerationStyle::Normal);
    set.SetNumChars(256);
    return set;
}

const Charset& LatinFont() {
    static const Charset font = LatinFontOf(DejaVu);
    return font;
}

// Every letter of a page added to a Latin-1 font, what nothing else makes drawn with DejaVu Sans:
// cp1250's letters are composed, cp1251's and cp1253's mostly built by recipes or drawn.
void BM_AddEveryLetterToLatinFont(benchmark::State& state, const char* page) {
    AddLettersRequest request;
    request.toPage = *CodePage::Standard(QString::fromLatin1(page));
    request.letters = EveryLetterOf(request.toPage);
    request.drawWith = MakeDrawingFont(DejaVu);
    AddLettersPlan plan;
    for (auto _ : state) {
        Charset result = LatinFont();
        plan = PlanAddLetters(result, request);
        ApplyAddLetters(plan, result);
        benchmark::DoNotOptimize(result.glyphs().data());
    }
    state.counters["composed"] = plan.Count(LetterSource::Composed);
    state.counters["drawn"] = plan.Count(LetterSource::Drawn);
    state.counters["missing"] = plan.Count(LetterSource::Missing);
}
BENCHMARK_CAPTURE(BM_AddEveryLetterToLatinFont, cp1250, "cp1250")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AddEveryLetterToLatinFont, cp1251, "cp1251")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AddEveryLetterToLatinFont, cp1253, "cp1253")->Unit(benchmark::kMillisecond);

// The same into an 8-pixel monospaced font, where many letters come out alike and recipes ask
// for each other's letters to tell them apart.
void BM_AddEveryLetterToSmallMonospacedFont(benchmark::State& state, const char* page) {
    static const Charset small = LatinFontOf({QStringLiteral("DejaVu Sans Mono"), 8, 0, QString()});
    AddLettersRequest request;
    request.toPage = *CodePage::Standard(QString::fromLatin1(page));
    request.letters = EveryLetterOf(request.toPage);
    request.drawWith = MakeDrawingFont(DejaVu);
    for (auto _ : state) {
        Charset result = small;
        ApplyAddLetters(PlanAddLetters(result, request), result);
        benchmark::DoNotOptimize(result.glyphs().data());
    }
}
BENCHMARK_CAPTURE(BM_AddEveryLetterToSmallMonospacedFont, cp1251, "cp1251")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AddEveryLetterToSmallMonospacedFont, cp1253, "cp1253")
    ->Unit(benchmark::kMillisecond);

// Forty rooms of a large sound each and a Latin-1 font in every fourth room, as version 5 keeps
// them.
struct LargeBundle {
    QTemporaryDir folder;
    test::BuiltBundle built;
    QString index;

    LargeBundle() {
        EncodedBlock block;
        EncodeCharset(LatinFont(), DirtyBytes::Off, block);
        test::BundleBuilder builder(5);
        for (int room = 1; room <= 40; ++room) {
            builder.Room(room).Add("SCRP", room, 2000);
            if (room % 4 == 1) {
                builder.Font(room, block.bytes);
            }
            builder.Add("SOUN", room, 1300 * 1000).Add("COST", room, 4000);
        }
        built = builder.Build();
    }
    void Restore() {
        index = test::WriteBundleFiles(folder.path(), QStringLiteral("GAME"), 5, built);
    }
};

void BM_AddEveryCp1250LetterToEveryFontOf50MBBundle(benchmark::State& state) {
    static LargeBundle large;
    for (auto _ : state) {
        state.PauseTiming();
        large.Restore();
        state.ResumeTiming();
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        if (RunCli({QStringLiteral("add-letters"), large.index, QStringLiteral("--font"),
                    QStringLiteral("all"), QStringLiteral("--codepage"), QStringLiteral("cp1250"),
                    QStringLiteral("--all"), QStringLiteral("--draw-with"),
                    QStringLiteral("DejaVu Sans")},
                   outStream, errStream) != ExitSuccess) {
            state.SkipWithError(err.toStdString().c_str());
            return;
        }
    }
    state.counters["MB"] = double(large.built.data.size()) / 1e6;
}
BENCHMARK(BM_AddEveryCp1250LetterToEveryFontOf50MBBundle)->Unit(benchmark::kMillisecond);

} // namespace
