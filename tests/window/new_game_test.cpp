// The new-game button on the real window: what it does to a played board, to
// a tile held mid-drag and to the clock label. All input goes through the
// QWindow overloads, so it takes Qt's real dispatch.
#include "board_arrangement.h"
#include "form_fixture.h"

#include "window/twips.h"

#include <QtTest>

#include <cmath>
#include <set>
#include <utility>

namespace {

using window_test::ShownForm;

void drag(ShownForm &shown, std::int16_t index, QPoint by)
{
    const QPoint from = shown.tileCentre(index);
    QTest::mousePress(shown.window(), Qt::LeftButton, {}, from);
    QTest::mouseMove(shown.window(), from + by / 2);
    QTest::mouseMove(shown.window(), from + by);
    QTest::mouseRelease(shown.window(), Qt::LeftButton, {}, from + by);
}

// A dragged tile lands where the pointer puts it, give or take the pixel
// rounding of the place and the tile's border.
bool withinAPixelOrTwo(float twips, float expected) { return std::abs(twips - expected) <= 30.0f; }

// Whether a tile's four pictures share one place and that place, in twips
// and on the screen, is one of the nine cells.
bool onACell(ShownForm &shown, std::int16_t index, std::pair<float, float> &cell)
{
    window::Form1 &form = shown.form();
    const float left = form.board().left(1, index);
    const float top = form.board().top(1, index);
    const auto isPlace = [](float v) { return v == 0.0f || v == 2800.0f || v == 5600.0f; };
    if (!isPlace(left) || !isPlace(top) || !window_test::tileMismatch(form, index, left, top).isEmpty())
        return false;
    cell = {left, top};
    return true;
}

} // namespace

class NewGameTest : public QObject {
    Q_OBJECT
private slots:
    void laysAPlayedBoardOutAgain()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();

        // Turn three tiles, one of them twice, then drag four off the grid,
        // the last one over another tile.
        const int layerOf1 = shown.visibleLayer(1);
        QTest::mouseDClick(shown.window(), Qt::LeftButton, {}, shown.tileCentre(1));
        QTest::mouseDClick(shown.window(), Qt::LeftButton, {}, shown.tileCentre(6));
        QTest::mouseDClick(shown.window(), Qt::LeftButton, {}, shown.tileCentre(7));
        QTest::mouseDClick(shown.window(), Qt::LeftButton, {}, shown.tileCentre(7));
        QCOMPARE(shown.visibleLayer(1), layerOf1 % 4 + 1);
        const float leftOf0 = form.picture(1, 0).twips().left();
        drag(shown, 0, QPoint(40, 25));
        drag(shown, 4, QPoint(-30, 45));
        drag(shown, 8, QPoint(50, -35));
        drag(shown, 5, shown.tileCentre(3) - shown.tileCentre(5) + QPoint(11, 13));
        QVERIFY(withinAPixelOrTwo(form.picture(1, 0).twips().left(), leftOf0 + 600.0f));
        QVERIFY(!form.dragState().dragging);
        for (std::int16_t dragged : {0, 4, 8, 5}) {
            std::pair<float, float> cell;
            QVERIFY(!onACell(shown, dragged, cell));
        }

        shown.time.now += 4.0;
        shown.tick();
        const QString lastGame = form.label1().text();
        QCOMPARE(lastGame, QStringLiteral(" 0: 0: 4"));

        shown.clickNewGame();

        QCOMPARE(shown.random.draws, 36);
        std::set<std::pair<float, float>> cells;
        for (std::int16_t i = 0; i < puzzle::kTiles; ++i) {
            std::pair<float, float> cell;
            QVERIFY2(onACell(shown, i, cell), qPrintable(QStringLiteral("tile %1 off the grid").arg(i)));
            cells.insert(cell);
            QVERIFY2(shown.visibleLayer(i) != 0, qPrintable(QStringLiteral("tile %1 not one picture").arg(i)));
        }
        QCOMPARE(cells.size(), std::size_t{9});

        // The label keeps the last game's time until the next tick.
        QCOMPARE(form.label1().text(), lastGame);
        shown.tick();
        QCOMPARE(form.label1().text(), QStringLiteral(" 0: 0: 0"));
    }

    void aNewGameDuringAHoldLeavesTheHoldOn()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();
        QVERIFY(QTest::qWaitForWindowActive(shown.window()));

        // Turned off its upright picture first, so that the set-up hides the
        // very picture the press went to.
        const std::int16_t held = 2;
        while (shown.visibleLayer(held) == 1)
            QTest::mouseDClick(shown.window(), Qt::LeftButton, {}, shown.tileCentre(held));
        const QPoint pressed = shown.tileCentre(held);
        const float leftAtPress = form.picture(1, held).twips().left();
        const float topAtPress = form.picture(1, held).twips().top();
        QTest::mousePress(shown.window(), Qt::LeftButton, {}, pressed);
        QVERIFY(form.dragState().dragging);

        // The button is pressed from the keyboard while the mouse button is
        // still down on the tile.
        form.command1().setFocus();
        QTest::keyClick(shown.window(), Qt::Key_Space);
        QCOMPARE(shown.random.draws, 36);

        QVERIFY(form.dragState().dragging);
        QCOMPARE(form.dragState().dragIndex, held);
        QVERIFY(shown.windowHoldsCapture());

        // The next move carries the tile on from its new cell by the same
        // grab point, so it lands where the pointer says.
        const QPoint by(-20, 30);
        QTest::mouseMove(shown.window(), pressed + by);
        for (int layer = 1; layer <= puzzle::kLayers; ++layer) {
            QVERIFY(withinAPixelOrTwo(form.picture(layer, held).twips().left(),
                                      leftAtPress + window::twipsFromPixels(by.x())));
            QVERIFY(withinAPixelOrTwo(form.picture(layer, held).twips().top(),
                                      topAtPress + window::twipsFromPixels(by.y())));
        }
        QTest::mouseRelease(shown.window(), Qt::LeftButton, {}, pressed + by);
        QVERIFY(!form.dragState().dragging);
        QVERIFY(!shown.anythingHoldsCapture());
    }
};

QTEST_MAIN(NewGameTest)
#include "new_game_test.moc"
