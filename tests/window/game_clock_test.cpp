// The clock label of the real window, its timer and the new-game button, on a
// time of day the test sets. Ticks reach the window through Qt's dispatch: a
// timer event for Timer1's own id, sent to the timer while its own ticks are
// held back, or, in one test, the running timer itself.
#include "form_fixture.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

using test_support::FakeTimeOfDay;
using window_test::ShownForm;

const QString kDesignCaption = QStringLiteral(" 0\uFF1A0\uFF1A0");

// The shown window and its clock label.
class ClockedForm : public ShownForm {
public:
    using ShownForm::ShownForm;

    QString caption() { return form().label1().text(); }
};

// Makes every read of the second of the minute (the set-up reads it eighteen
// times) take `seconds` of the time of day, so the set-up has a duration.
void slowSetUp(FakeTimeOfDay &time, double seconds)
{
    time.onRead = [&time, seconds, last = time.secondReads]() mutable {
        if (time.secondReads != last) {
            last = time.secondReads;
            time.now += seconds;
        }
    };
}

} // namespace

class GameClockTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheDesignCaptionUntilTheFirstTick()
    {
        ClockedForm shown;
        QCOMPARE(shown.caption(), kDesignCaption);
        QCOMPARE(shown.form().startTime(), 36000.0);

        // The first tick, a second after start-up.
        shown.time.now += 1.0;
        shown.tick();
        QCOMPARE(shown.caption(), QStringLiteral(" 0: 0: 1"));
        QVERIFY(!shown.caption().contains(QChar(0xFF1A)));
    }

    void ticksShowTheElapsedTime_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("now");
        QTest::addColumn<QString>("caption");
        QTest::newRow("0.4 s") << 36000.0 << 36000.4 << " 0: 0: 0";
        QTest::newRow("2.5 s, half to even") << 36000.0 << 36002.5 << " 0: 0: 2";
        QTest::newRow("59.5 s") << 36000.0 << 36059.5 << " 0: 1: 0";
        QTest::newRow("an hour and a minute") << 36000.0 << 39660.0 << " 1: 1: 0";
        QTest::newRow("clock set back 65 s") << 36000.0 << 35935.0 << " 0:-1:-5";
        QTest::newRow("clock set back 0.5 s") << 36000.0 << 35999.5 << " 0: 0: 0";
        QTest::newRow("largest count") << 36000.0 << 36000.0 + 32767.4 << " 9: 6: 7";
        QTest::newRow("past 9:06:07") << 36000.0 << 36000.0 + 32767.5 << " 9: 6: 8";
        QTest::newRow("eleven hours") << 36000.0 << 76000.0 << " 11: 6: 40";
        QTest::newRow("across midnight") << 86000.0 << 100.0 << " 0: 8: 20";
        QTest::newRow("across midnight at the largest count") << 53633.0 << 0.0 << " 9: 6: 7";
    }

    void ticksShowTheElapsedTime()
    {
        QFETCH(double, start);
        QFETCH(double, now);
        QFETCH(QString, caption);
        ClockedForm shown;
        shown.time.now = start;
        shown.clickNewGame();
        QCOMPARE(shown.form().startTime(), start);
        shown.time.now = now;
        shown.tick();
        QCOMPARE(shown.caption(), caption);
    }

    void outOfRangeTheClockGoesOnAndANewGameBringsItBack()
    {
        ClockedForm shown;
        // A game begun at 10:00 runs past its largest count and on across
        // midnight.
        shown.time.now = 86398.0;
        shown.tick();
        QCOMPARE(shown.caption(), QStringLiteral(" 13: 59: 58"));
        for (const char *expected : {" 13: 59: 59", " 14: 0: 0", " 14: 0: 1"}) {
            shown.time.now += 1.0;
            if (shown.time.now >= 86400.0)
                shown.time.now -= 86400.0;
            shown.tick();
            QCOMPARE(shown.caption(), QString::fromLatin1(expected));
        }
        // Still usable: a new game counts from zero again.
        shown.clickNewGame();
        shown.time.now += 1.0;
        shown.tick();
        QCOMPARE(shown.caption(), QStringLiteral(" 0: 0: 1"));
    }

    void aLateTickShowsTheWholeTimeAndTheNextIsNotBehind()
    {
        ClockedForm shown;
        shown.time.now = 36001.0;
        shown.tick();
        QCOMPARE(shown.caption(), QStringLiteral(" 0: 0: 1"));
        // The thread was busy: the tick due at 2 s comes at 4.6 s.
        shown.time.now = 36004.6;
        shown.tick();
        QCOMPARE(shown.caption(), QStringLiteral(" 0: 0: 5"));
        shown.time.now = 36005.6;
        shown.tick();
        QCOMPARE(shown.caption(), QStringLiteral(" 0: 0: 6"));
        // A tick within the same rounded second writes the same text again:
        // the label is marked first, so that a skipped write would show.
        shown.form().label1().setText(QStringLiteral("marked"));
        shown.time.now = 36005.9;
        shown.tick();
        QCOMPARE(shown.caption(), QStringLiteral(" 0: 0: 6"));
    }

    void aNewGameJustBeforeATickShowsZeroHoweverLongTheSetUpTook()
    {
        ClockedForm shown;
        shown.time.now = 36003.3;
        shown.tick();
        QCOMPARE(shown.caption(), QStringLiteral(" 0: 0: 3"));

        slowSetUp(shown.time, 100.0); // a set-up of half an hour
        shown.clickNewGame();
        shown.time.onRead = nullptr;
        QCOMPARE(shown.time.now, 36003.3 + 1800.0);
        QCOMPARE(shown.form().startTime(), shown.time.now);

        shown.time.now += 0.5;
        shown.tick();
        QCOMPARE(shown.caption(), QStringLiteral(" 0: 0: 0"));
        shown.time.now += 0.9;
        shown.tick();
        QCOMPARE(shown.caption(), QStringLiteral(" 0: 0: 1"));
    }

    void aNewGameJustAfterATickKeepsTheOldTextUntilTheNext()
    {
        ClockedForm shown;
        shown.time.now = 36007.2;
        shown.tick();
        QCOMPARE(shown.caption(), QStringLiteral(" 0: 0: 7"));

        shown.time.now += 0.05;
        shown.clickNewGame();
        QCOMPARE(shown.caption(), QStringLiteral(" 0: 0: 7"));

        shown.time.now += 0.95;
        shown.tick();
        QCOMPARE(shown.caption(), QStringLiteral(" 0: 0: 1"));
    }

    void theFirstGameCountsFromBeforeItsScrambleANewOneFromAfter()
    {
        // Loaded here rather than by the fixture, so the set-up is slow from
        // the very first scramble on.
        ClockedForm shown(ShownForm::Start::Later);
        slowSetUp(shown.time, 0.3); // 5.4 s for the eighteen reads
        shown.load();
        QCOMPARE(shown.form().startTime(), 36000.0);
        QCOMPARE(shown.time.now, 36000.0 + 18 * 0.3);
        QVERIFY(shown.show());

        shown.tick();
        QCOMPARE(shown.caption(), QStringLiteral(" 0: 0: 5"));

        shown.clickNewGame();
        QCOMPARE(shown.form().startTime(), shown.time.now);
        shown.tick();
        QCOMPARE(shown.caption(), QStringLiteral(" 0: 0: 0"));
    }

    // The one test whose clock is the real timer.
    void aNewGameLeavesTheTimerRunningOnItsPhase()
    {
        ClockedForm shown(ShownForm::Start::Now, ShownForm::Ticks::ByTheRealTimer);
        QTimer &timer = shown.form().timer1();
        const int id = timer.timerId();
        QVERIFY(timer.isActive());
        QSignalSpy timeouts(&timer, &QTimer::timeout);

        // Late in an interval, so that a restart would show as a longer wait.
        // A tick between the two looks at the remaining time starts a new
        // interval as well: then look again in the next one.
        bool measured = false;
        for (int attempt = 0; attempt < 5 && !measured; ++attempt) {
            QTRY_VERIFY(timer.remainingTime() >= 0 && timer.remainingTime() < 500);
            const qsizetype ticksBefore = timeouts.count();
            const int remaining = timer.remainingTime();
            shown.clickNewGame();
            shown.clickNewGame();
            const int after = timer.remainingTime();
            if (timeouts.count() == ticksBefore) {
                QVERIFY2(after <= remaining, "the new game restarted the interval");
                measured = true;
            }
        }
        QVERIFY2(measured, "the timer ticked during each of five pairs of clicks");
        QCOMPARE(timer.timerId(), id);
        QVERIFY(timer.isActive());
        QVERIFY(!timer.isSingleShot());
        QCOMPARE(timer.interval(), 1000);

        // And it still ticks by itself.
        shown.time.now += 2.0;
        QTRY_COMPARE(shown.caption(), QStringLiteral(" 0: 0: 2"));
    }
};

QTEST_MAIN(GameClockTest)
#include "game_clock_test.moc"
