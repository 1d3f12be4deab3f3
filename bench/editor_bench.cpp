// How the editor keeps up with a user: a paint stroke on the largest glyph at the largest zoom,
// and a refresh of the whole character table.
#include "app/Application.h"
#include "app/ControlIds.h"
#include "editor/CharTableView.h"
#include "editor/GlyphView.h"
#include "support/FakeEnvironment.h"
#include "support/SampleSets.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

using namespace fontlathe;

struct EditorSession {
    test::FakeEnvironment environment;
    Application application{environment};

    EditorSession() {
        application.Start({QStringLiteral("fontlathe")});
        application.state().charset = test::LargestSet();
        application.window().SetStateIfChanged(Control::CharList, 65);
        application.window().SetStateIfChanged(Control::ZoomBar, 24);
        application.dispatcher().RefreshAll(65);
        application.dispatcher().RefreshHeader();
        QCoreApplication::processEvents();
    }
};

CanvasMouseEvent LeftPressAt(int step) {
    CanvasMouseEvent press;
    press.kind = CanvasMouseEvent::Kind::LeftPress;
    press.buttons = CanvasMouseEvent::LeftButton;
    press.position = QPoint((step * 7) % 280, (step * 5) % 200);
    return press;
}

// One canvas event (paint, the refresh of its row, canvas and preview, the palette bar), then the
// visible part of the canvas painted; with argument 1 also every other repaint it asked for (the
// table row, the preview, the palette bar).
void BM_CanvasPaintEvent(benchmark::State& state) {
    EditorSession session;
    Dispatcher& dispatcher = session.application.dispatcher();
    QWidget* viewport = session.application.window().glyphView()->viewport();
    const bool allRepaints = state.range(0) == 1;
    int step = 0;
    for (auto _ : state) {
        dispatcher.ControlEvent(Control::GlyphCanvas, LeftPressAt(step++));
        viewport->repaint();
        if (allRepaints) {
            QCoreApplication::processEvents();
        }
    }
}
BENCHMARK(BM_CanvasPaintEvent)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_UpdateTableRowsAll(benchmark::State& state) {
    EditorSession session;
    Dispatcher& dispatcher = session.application.dispatcher();
    for (auto _ : state) {
        dispatcher.UpdateTableRows(-1);
    }
}
BENCHMARK(BM_UpdateTableRowsAll)->Unit(benchmark::kMicrosecond);

// The same, with the visible rows painted.
void BM_UpdateTableRowsAllAndPaint(benchmark::State& state) {
    EditorSession session;
    Dispatcher& dispatcher = session.application.dispatcher();
    QWidget* rows = session.application.window().charList()->viewport();
    for (auto _ : state) {
        dispatcher.UpdateTableRows(-1);
        rows->repaint();
    }
}
BENCHMARK(BM_UpdateTableRowsAllAndPaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
