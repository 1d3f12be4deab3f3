// How the editor keeps up with a user: a paint stroke on the largest glyph at the largest zoom,
// and a refresh of the whole character table.
#include "app/Application.h"
#include "app/ControlIds.h"
#include "views/CharTableView.h"
#include "views/GlyphView.h"
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

CanvasMouseEvent DragTo(int step) {
    CanvasMouseEvent move = LeftPressAt(step);
    move.kind = CanvasMouseEvent::Kind::Move;
    return move;
}

// One drag event of a stroke that the history records: the glyph is copied at the press, never
// on a drag, and every 64 events the stroke ends and becomes a step.
void BM_PaintStrokeWithHistory(benchmark::State& state) {
    EditorSession session;
    Dispatcher& dispatcher = session.application.dispatcher();
    QWidget* viewport = session.application.window().glyphView()->viewport();
    int step = 0;
    for (auto _ : state) {
        if (step % 64 == 0) {
            CanvasMouseEvent release = DragTo(step);
            release.kind = CanvasMouseEvent::Kind::LeftRelease;
            dispatcher.ControlEvent(Control::GlyphCanvas, release);
            dispatcher.ControlEvent(Control::GlyphCanvas, LeftPressAt(step));
        }
        dispatcher.ControlEvent(Control::GlyphCanvas, DragTo(step++));
        viewport->repaint();
    }
}
BENCHMARK(BM_PaintStrokeWithHistory)->Unit(benchmark::kMicrosecond);

// Undo then redo, with every refresh, of a paint step on a 127 x 127 glyph (argument 0) or of a
// whole-set step such as Generate (argument 1), on the largest set.
void BM_UndoRedo(benchmark::State& state) {
    EditorSession session;
    Dispatcher& dispatcher = session.application.dispatcher();
    if (state.range(0) == 0) {
        dispatcher.ControlEvent(Control::GlyphCanvas, LeftPressAt(1));
        CanvasMouseEvent release = DragTo(1);
        release.kind = CanvasMouseEvent::Kind::LeftRelease;
        dispatcher.ControlEvent(Control::GlyphCanvas, release);
    } else {
        // The step keeps the largest set, which undo brings back.
        session.environment.fontAnswers.push_back(
            {QStringLiteral("DejaVu Sans"), 24, false, false, false});
        dispatcher.MenuCommand(Menu::GenerateNormal);
    }
    for (auto _ : state) {
        dispatcher.MenuCommand(Menu::Undo);
        dispatcher.MenuCommand(Menu::Redo);
    }
    state.counters["steps"] = double(dispatcher.history().StepCount());
}
BENCHMARK(BM_UndoRedo)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
