// A run-time error raised by a platform service inside an event procedure is
// reported on standard error, abandons only that procedure, and leaves the
// window working.
#include "form_fixture.h"
#include "stderr_capture.h"

#include "puzzle/board.h"
#include "puzzle/runtime_error.h"

#include <QtTest>

#include <string>

namespace {

using testing_support::ShownForm;
using testing_support::StderrCapture;

// The timer's tick, delivered to the timer through Qt's event dispatch.
void tick(window::Form1 &form)
{
    QTimerEvent event(form.timer1().timerId());
    QCoreApplication::sendEvent(&form.timer1(), &event);
}

void clickNewGame(ShownForm &shown)
{
    const QWidget &button = shown.form().command1();
    QTest::mouseClick(shown.window(), Qt::LeftButton, {}, shown.at(button, button.rect().center()));
}

// Makes the n-th read of the time of day or of its second, counted from now,
// fail as a failed platform call does.
void failAtRead(testing_support::FakeTimeOfDay &time, int n)
{
    auto reads = std::make_shared<int>(0);
    time.onRead = [reads, n] {
        if (++*reads == n)
            throw puzzle::RuntimeError(puzzle::RuntimeError::Code::Overflow, "Overflow");
    };
}

bool tileOnItsSolvedCell(window::Form1 &form, std::int16_t index)
{
    for (int layer = 1; layer <= puzzle::kLayers; ++layer) {
        if (form.board().left(layer, index) != puzzle::kCellPitch * (index % 3)
            || form.board().top(layer, index) != puzzle::kCellPitch * (index / 3))
            return false;
    }
    return true;
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
        tick(shown.form());
        QCOMPARE(QString::fromStdString(errors.take()),
                 QStringLiteral("quillamon: run-time error 6 in Timer1_Timer: Overflow\n"));
        QCOMPARE(shown.form().label1().text(), before);

        shown.time.onRead = nullptr;
        shown.time.now += 65.0;
        tick(shown.form());
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
        clickNewGame(shown);
        QCOMPARE(QString::fromStdString(errors.take()),
                 QStringLiteral("quillamon: run-time error 6 in Command1_Click: Overflow\n"));
        QCOMPARE(shown.random.draws, draws + drawsBeforeFailing);
        QCOMPARE(form.startTime(), firstStart);
        for (std::int16_t i = 0; i < puzzle::kTiles; ++i)
            QVERIFY2(shown.visibleLayer(i) != 0, qPrintable(QStringLiteral("tile %1").arg(i)));
        if (drawsBeforeFailing == 0) {
            // Laid out, not yet scrambled: the solved layout, upright.
            for (std::int16_t i = 0; i < puzzle::kTiles; ++i) {
                QVERIFY(tileOnItsSolvedCell(form, i));
                QCOMPARE(shown.visibleLayer(i), 1);
            }
        }

        // The window goes on: a tick counts from the old start, a new game
        // restarts the clock, and tiles still drag.
        shown.time.onRead = nullptr;
        tick(form);
        QCOMPARE(form.label1().text(), QStringLiteral(" 0: 1: 40"));
        clickNewGame(shown);
        QCOMPARE(shown.random.draws, draws + drawsBeforeFailing + 18);
        QCOMPARE(form.startTime(), shown.time.now);
        verifyDragMovesTile(shown, 0);
        QCOMPARE(errors.take(), std::string());
    }

    void aStartUpThatFailsLeavesTheWindowOpenForANewGame()
    {
        StderrCapture errors;
        testing_support::FakeTimeOfDay time;
        testing_support::ScriptedRandom random;
        // The start-up's first read is the start time, before the set-up.
        failAtRead(time, 1);
        window::Form1 form(time, random);
        form.load();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(QString::fromStdString(errors.take()),
                 QStringLiteral("quillamon: run-time error 6 in Form_Load: Overflow\n"));
        QCOMPARE(random.draws, 0);

        time.onRead = nullptr;
        const QWidget &button = form.command1();
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, button.mapTo(&form, button.rect().center()));
        QCOMPARE(random.draws, 18);
        for (std::int16_t i = 0; i < puzzle::kTiles; ++i) {
            int shown = 0;
            for (int layer = 1; layer <= puzzle::kLayers; ++layer)
                shown += form.picture(layer, i).isVisible() ? 1 : 0;
            QCOMPARE(shown, 1);
        }
        QCOMPARE(errors.take(), std::string());
    }
};

QTEST_MAIN(RuntimeErrorTest)
#include "runtime_error_test.moc"
