// What one pointer move costs while a tile is held: through Qt's whole
// dispatch (platform event, the capture, the window's move procedure, four
// picture moves) with the repaint it causes, on the offscreen platform.
//
//   QT_QPA_PLATFORM=offscreen bench/drag_move_bench
//
// One iteration is one move, so "Time" (wall) and "CPU" are the cost of a
// move, to hold against the 1000 us that a 1000 Hz mouse leaves between
// reports; "moves/s" is the rate on the CPU time.
#include "window/form1.h"
#include "window/system_time_of_day.h"

#include "puzzle/board_table.h"
#include "puzzle/drag.h"
#include "puzzle/random_generator.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Counts the repaints of the window: the update requests it handles.
class PaintCounter : public QObject {
public:
    long paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::UpdateRequest)
            ++paints;
        return false;
    }
};

// The real window, loaded and shown, tile 4 held by its visible picture.
struct HeldTileWindow {
    window::SystemTimeOfDay time;
    puzzle::RandomGenerator random;
    std::unique_ptr<window::Form1> form = std::make_unique<window::Form1>(time, random);
    window::PictureBox *held = nullptr;
    QPoint panel;

    HeldTileWindow()
    {
        form->load();
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            qFatal("the window never showed");
        for (int layer = 1; layer <= 4; ++layer)
            if (form->picture(layer, 4).isVisible())
                held = &form->picture(layer, 4);
        panel = form->picture5().mapTo(form.get(), form->picture5().contentsRect().topLeft());
        QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, held->mapTo(form.get(), QPoint(90, 90)));
        if (!form->dragState().dragging)
            qFatal("the press took no hold");
    }
    ~HeldTileWindow() { QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, {}, panel + QPoint(300, 300)); }

    // A pointer path over the board that changes at every step.
    QPoint step(long i) const { return panel + QPoint(200 + int(i % 97) * 3, 150 + int(i % 89) * 2); }
};

void setCounters(benchmark::State &state, long paints)
{
    const double moves = static_cast<double>(state.iterations());
    state.counters["moves/s"] = benchmark::Counter(moves, benchmark::Counter::kIsRate);
    state.counters["paints/move"] = benchmark::Counter(static_cast<double>(paints) / moves);
}

// One move as the player makes it: the platform reports it, Qt dispatches it
// and then runs the repaint it caused before the next one comes.
void BM_DragMoveWithRepaint(benchmark::State &state)
{
    HeldTileWindow w;
    PaintCounter counter;
    w.form->installEventFilter(&counter);
    QWindow *window = w.form->windowHandle();
    long i = 0;
    for (auto _ : state)
        QTest::mouseMove(window, w.step(i++)); // dispatches, then processes the pending repaint
    setCounters(state, counter.paints);
    if (!w.form->dragState().dragging)
        state.SkipWithError("the hold ended during the run");
}
BENCHMARK(BM_DragMoveWithRepaint)->Unit(benchmark::kMicrosecond);

// The same moves through Qt's dispatch, with the repaints left to pile up and
// run once at the end: the share of the move handling itself.
void BM_DragMoveDispatchOnly(benchmark::State &state)
{
    HeldTileWindow w;
    PaintCounter counter;
    w.form->installEventFilter(&counter);
    QWindow *window = w.form->windowHandle();
    long i = 0;
    for (auto _ : state) {
        const QPoint at = w.step(i++);
        qt_handleMouseEvent(window, at, window->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, QEvent::MouseMove,
                            Qt::NoModifier, static_cast<int>(i));
    }
    QCoreApplication::processEvents(); // after the timed loop
    setCounters(state, counter.paints);
}
BENCHMARK(BM_DragMoveDispatchOnly)->Unit(benchmark::kMicrosecond);

// The drag arithmetic alone, on the board without a window.
void BM_MoveHeldTileOnTable(benchmark::State &state)
{
    puzzle::BoardTable board;
    const puzzle::DragState drag{true, 1335.0f, 1335.0f, 4};
    float x = 0;
    for (auto _ : state) {
        puzzle::moveHeldTile(board, drag, 3000.0f + x, 2000.0f + x);
        x = x < 3000.0f ? x + 15.0f : 0.0f;
        benchmark::DoNotOptimize(board);
    }
    setCounters(state, 0);
}
BENCHMARK(BM_MoveHeldTileOnTable)->Unit(benchmark::kNanosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
