// A run-time error raised by a platform service inside an event procedure is
// reported on standard error, abandons only that procedure, and leaves the
// window working.
#include "board_arrangement.h"
#include "form_fixture.h"
#include "stderr_capture.h"

#include "puzzle/board.h"
#include "puzzle/runtime_error.h"

#include <QtTest>

#include <string>

namespace {

using window_test::ShownForm;
using test_support::StderrCapture;

// Makes the n-th read of the time of day or of its second, counted from now,
// fail as a failed platform call does.
void failAtRead(test_support::FakeTimeOfDay &time, int n)
{
    auto reads = std::make_shared<int>(0);
    time.onRead = [reads, n] {
        if (++*reads == n)
            throw puzzle::RuntimeError(puzzle::RuntimeError::Code::Overflow, "Overflow");
    };
}

// A held tile follows the pointer: a further move of (20, 10) pixels moves
// all four of its pictures by (300, 150) twips, and the release lets it go.
void verifyDragMovesTile(ShownForm &shown, std::int16_t index)
{
    window::Form1 &form = shown.form();
    const QPoint from = shown.tileCentre(index);
    QTest::mousePress(shown.window(), Qt::LeftButton, {}, from);
    QTest::mouseMove(shown.window(), from + QPoint(1, 1));
    const float left = form.board().left(1, index);
    const float top = form.board().top(1, index);
    QTest::mouseMove(shown.window(), from + QPoint(21, 11));
    QTest::mouseRelease(shown.window(), Qt::LeftButton, {}, from + QPoint(21, 11));
    for (int layer = 1; layer <= puzzle::kLayers; ++layer) {
        QCOMPARE(form.board().left(layer, index), left + 300.0f);
        QCOMPARE(form.board().top(layer, index), top + 150.0f);
    }
    QVERIFY(!form.dragState().dragging);
}

} // namespace

class RuntimeErrorTest : public QObject {
    Q_OBJECT
private slots:
    void aTickWhoseTimeReadFailsIsReportedAndLaterTicksGoOn()
    {
        ShownForm shown;
        StderrCapture errors;
        QVERIFY(errors.active());
        const QString before = shown.form().label1().text();

        failAtRead(shown.time, 1);
        shown.tick();
        QCOMPARE(QString::fromStdString(errors.take()),
                 QStringLiteral("quillamon: run-time error 6 in Timer1_Timer: Overflow\n"));
        QCOMPARE(shown.form().label1().text(), before);

        shown.time.onRead = nullptr;
        shown.time.now += 65.0;
        shown.tick();
        QCOMPARE(shown.form().label1().text(), QStringLiteral(" 0: 1: 5"));
        verifyDragMovesTile(shown, 4);
        QCOMPARE(errors.take(), std::string());
    }

    void aNewGameThatFailsStopsWhereItGot_data()
    {
        QTest::addColumn<int>("failingRead");
        QTest::addColumn<int>("drawsBeforeFailing");
        // The set-up reads the second once per pass: nine exchanges, then
        // nine turns; the new start time is read after it.
        QTest::newRow("before the first exchange") << 1 << 0;
        QTest::newRow("before the first turn") << 10 << 9;
        QTest::newRow("reading the new start time") << 19 << 18;
    }

    void aNewGameThatFailsStopsWhereItGot()
    {
        QFETCH(int, failingRead);
        QFETCH(int, drawsBeforeFailing);
        ShownForm shown;
        StderrCapture errors;
        window::Form1 &form = shown.form();
        const double firstStart = form.startTime();
        const int draws = shown.random.draws;

        shown.time.now += 100.0;
        failAtRead(shown.time, failingRead);
        shown.clickNewGame();
        QCOMPARE(QString::fromStdString(errors.take()),
                 QStringLiteral("quillamon: run-time error 6 in Command1_Click: Overflow\n"));
        QCOMPARE(shown.random.draws, draws + drawsBeforeFailing);
        QCOMPARE(form.startTime(), firstStart);
        for (std::int16_t i = 0; i < puzzle::kTiles; ++i)
            QVERIFY2(shown.visibleLayer(i) != 0, qPrintable(QStringLiteral("tile %1").arg(i)));
        if (drawsBeforeFailing == 0) {
            // Laid out, not yet scrambled: the solved layout, upright.
            for (std::int16_t i = 0; i < puzzle::kTiles; ++i) {
                QCOMPARE(window_test::tileMismatch(form, i, puzzle::kCellPitch * (i % 3), puzzle::kCellPitch * (i / 3)),
                         QString());
                QCOMPARE(shown.visibleLayer(i), 1);
            }
        }

        // The window goes on: a tick counts from the old start, a new game
        // restarts the clock, and tiles still drag.
        shown.time.onRead = nullptr;
        shown.tick();
        QCOMPARE(form.label1().text(), QStringLiteral(" 0: 1: 40"));
        shown.clickNewGame();
        QCOMPARE(shown.random.draws, draws + drawsBeforeFailing + 18);
        QCOMPARE(form.startTime(), shown.time.now);
        verifyDragMovesTile(shown, 0);
        QCOMPARE(errors.take(), std::string());
    }

    void aStartUpThatFailsLeavesTheWindowOpenForANewGame()
    {
        StderrCapture errors;
        ShownForm shown(ShownForm::Start::Later);
        // The start-up's first read is the start time, before the set-up.
        failAtRead(shown.time, 1);
        shown.load();
        QVERIFY(shown.show());
        QCOMPARE(QString::fromStdString(errors.take()),
                 QStringLiteral("quillamon: run-time error 6 in Form_Load: Overflow\n"));
        QCOMPARE(shown.random.draws, 0);

        shown.time.onRead = nullptr;
        shown.clickNewGame();
        QCOMPARE(shown.random.draws, 18);
        for (std::int16_t i = 0; i < puzzle::kTiles; ++i)
            QVERIFY2(shown.visibleLayer(i) != 0, qPrintable(QStringLiteral("tile %1").arg(i)));
        QCOMPARE(errors.take(), std::string());
    }
};

QTEST_MAIN(RuntimeErrorTest)
#include "runtime_error_test.moc"
