// How the editor keeps up with a user: a paint stroke on the largest glyph at the largest zoom,
// and a refresh of the whole character table.
#include "app/Application.h"
#include "app/ControlIds.h"
#include "edit/PixelEdits.h"
#include "edit/WholeSetEdit.h"
#include "support/FakeEnvironment.h"
#include "support/SampleSets.h"
#include "views/CharTableView.h"
#include "views/GlyphView.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

namespace {

using namespace fontlathe;

struct EditorSession {
    test::FakeEnvironment environment;
    Application application{environment};

    // Edits glyph code: 65 ('A'), which the sample text does not use, or 84 ('T'), which the
    // preview draws first.
    explicit EditorSession(int code = 65) {
        application.Start({QStringLiteral("fontlathe")});
        Document& document = application.document();
        application.window().SetStateIfChanged(Control::CharList, code);
        application.window().SetStateIfChanged(Control::ZoomBar, 24);
        document.Apply(std::make_unique<ReplaceSet>(QString(), test::LargestSet()));
        QCoreApplication::processEvents();
    }
};

// A mouse event on the canvas, as the window delivers it, at a place that moves with step.
void SendMouse(EditorSession& session, QEvent::Type type, int step) {
    QWidget* canvas = session.application.window().glyphView()->canvas();
    const QPointF at((step * 7) % 280, (step * 5) % 200);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, canvas->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(canvas, &event);
}

// One press on the canvas (paint, the refresh of its row, canvas cell and preview), then the
// visible part of the canvas painted; with argument 1 also every other repaint it asked for (the
// table row, the preview).
void BM_CanvasPaintEvent(benchmark::State& state) {
    EditorSession session;
    QWidget* viewport = session.application.window().glyphView()->viewport();
    const bool allRepaints = state.range(0) == 1;
    int step = 0;
    for (auto _ : state) {
        SendMouse(session, QEvent::MouseButtonPress, step++);
        viewport->repaint();
        if (allRepaints) {
            QCoreApplication::processEvents();
        }
    }
}
BENCHMARK(BM_CanvasPaintEvent)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Moving a selection one pixel on a 127 x 127 glyph: the edit alone, as the document applies it
// into the ongoing move run, without the redraw (the window is not started).
void BM_MoveSelectionOnePixel(benchmark::State& state) {
    Document document;
    document.Apply(std::make_unique<ReplaceSet>(QString(), test::LargestSet()));
    FloatingPixels floating = Lifted(document.set().GlyphAt(65)->raster, {10, 10, 100, 100});
    int step = 0;
    for (auto _ : state) {
        floating.at += QPoint(step++ % 2 == 0 ? 1 : -1, 0);
        document.Apply(std::make_unique<FloatPixels>(65, QStringLiteral("Move Pixels"), floating));
    }
    benchmark::DoNotOptimize(document.set().GlyphAt(65)->raster.constBits());
}
BENCHMARK(BM_MoveSelectionOnePixel)->Unit(benchmark::kMicrosecond);

// One drag event of a stroke that the history records, with every repaint it asks for: the glyph
// is copied at the press, never on a drag, and every 64 events the stroke ends and becomes a
// step. The argument is the glyph painted: 65 is not in the preview, 84 is.
void BM_PaintStrokeWithHistory(benchmark::State& state) {
    EditorSession session(static_cast<int>(state.range(0)));
    int step = 0;
    for (auto _ : state) {
        if (step % 64 == 0) {
            SendMouse(session, QEvent::MouseButtonRelease, step);
            SendMouse(session, QEvent::MouseButtonPress, step);
        }
        SendMouse(session, QEvent::MouseMove, step++);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_PaintStrokeWithHistory)->Arg(65)->Arg(84)->Unit(benchmark::kMicrosecond);

// Undo then redo, with every refresh, of a paint step on a 127 x 127 glyph (argument 0) or of a
// whole-set step such as Generate (argument 1), on the largest set.
void BM_UndoRedo(benchmark::State& state) {
    EditorSession session;
    Dispatcher& dispatcher = session.application.dispatcher();
    if (state.range(0) == 0) {
        SendMouse(session, QEvent::MouseButtonPress, 1);
        SendMouse(session, QEvent::MouseButtonRelease, 1);
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
    Presenter& presenter = session.application.dispatcher().presenter();
    for (auto _ : state) {
        presenter.UpdateTableRows(-1);
    }
}
BENCHMARK(BM_UpdateTableRowsAll)->Unit(benchmark::kMicrosecond);

// The same, with the visible rows painted.
void BM_UpdateTableRowsAllAndPaint(benchmark::State& state) {
    EditorSession session;
    Presenter& presenter = session.application.dispatcher().presenter();
    QWidget* rows = session.application.window().charList()->viewport();
    for (auto _ : state) {
        presenter.UpdateTableRows(-1);
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
