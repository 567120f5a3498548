// Turning tiles on the real window by double-clicks through Qt's own dispatch.
#include "board_arrangement.h"
#include "form_fixture.h"

#include <QtTest>

using namespace window_test;

namespace {

// The board as it should be once tile `index` shows `layer`, all else as in `s`.
BoardSnapshot withLayer(BoardSnapshot s, std::int16_t index, int layer)
{
    for (int k = 1; k <= 4; ++k)
        s.pictures[(k - 1) * 9 + index][2] = k == layer ? 1.0f : 0.0f;
    return s;
}

} // namespace

class TurnTest : public QObject {
    Q_OBJECT
private slots:
    void eachDoubleClickTurnsOneLayerAndFourBringTheTileBack_data()
    {
        QTest::addColumn<int>("tile");
        QTest::addColumn<int>("start");
        QTest::newRow("tile 0 from layer 2") << 0 << 2;
        QTest::newRow("tile 4 from layer 1") << 4 << 1;
        QTest::newRow("tile 8 from layer 4") << 8 << 4;
        QTest::newRow("tile 3 from layer 3") << 3 << 3;
    }
    void eachDoubleClickTurnsOneLayerAndFourBringTheTileBack()
    {
        QFETCH(int, tile);
        QFETCH(int, start);
        const auto index = static_cast<std::int16_t>(tile);
        ShownForm shown;
        window::Form1 &form = shown.form();
        std::array<int, 9> layers = kUpright;
        layers[index] = start;
        layOutGrid(form, layers);
        // Off whole pixels, so that any re-placing would show.
        moveTile(form, index, 2800.0f * (index % 3) + 7.5f, 2800.0f * (index / 3) + 22.5f);
        const BoardSnapshot before = snapshot(form);
        QWindow *w = shown.window();
        const QPoint at = onPicture(form, start, index, QPoint(77, 88));

        const int drawsBefore = shown.random.draws;
        int layer = start;
        for (int turn = 1; turn <= 4; ++turn) {
            QTest::mouseDClick(w, Qt::LeftButton, {}, at);
            layer = layer % 4 + 1;
            QCOMPARE(shown.visibleLayer(index), layer);
            QVERIFY(snapshot(form) == withLayer(before, index, layer));
            QVERIFY(!shown.holding());
            QVERIFY(!shown.anythingHoldsCapture());
        }
        QCOMPARE(layer, start);
        QVERIFY(snapshot(form) == before);
        QCOMPARE(shown.random.draws, drawsBefore); // no game judged, none started
    }

    void whereTilesOverlapOnlyTheTopOneTurns()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, {1, 3, 1, 1, 1, 1, 1, 1, 1});
        moveTile(form, 1, 1400, 0); // tile 1 (layer 3) half over tile 0 (layer 1)
        const BoardSnapshot before = snapshot(form);
        const QPoint overlap = panelOrigin(form) + QPoint(150, 90);
        QTest::mouseDClick(shown.window(), Qt::LeftButton, {}, overlap);
        QVERIFY(snapshot(form) == withLayer(before, 1, 4));
    }

    void aTurnDuringAHoldKeepsItAndTheNextMovePlacesTheNewPicture()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, {1, 1, 1, 1, 2, 1, 1, 1, 1});
        QWindow *w = shown.window();
        const QPoint grab(60, 50);
        const QPoint on4 = onPicture(form, 2, 4, grab);
        QTest::mousePress(w, Qt::LeftButton, {}, on4);
        // The window loses the capture: the left release then goes to the tile
        // picture, which takes no releases, so the hold goes on.
        form.mouseCapture().releaseCapture();
        QTest::mouseRelease(w, Qt::LeftButton, {}, on4);
        QVERIFY(shown.holding());
        // A right-button double-click reaches the tile and turns it; a right
        // press starts no hold.
        QTest::mouseDClick(w, Qt::RightButton, {}, on4);
        QCOMPARE(shown.visibleLayer(4), 3);
        QVERIFY(shown.holding());
        QCOMPARE(form.dragState().dragIndex, std::int16_t(4));
        QCOMPARE(form.dragState().grabX, window::twipsFromPixels(59));
        QCOMPARE(form.dragState().grabY, window::twipsFromPixels(49));
        // A move over the window's own area places all four pictures, the
        // newly visible one among them.
        const QPoint to(6, 400);
        QTest::mouseMove(w, to);
        const QPoint inPanel = to - panelOrigin(form) - (grab - QPoint(1, 1));
        QCOMPARE(tileMismatch(form, 4, window::twipsFromPixels(inPanel.x()), window::twipsFromPixels(inPanel.y())),
                 QString());
        QVERIFY(form.picture(3, 4).isVisible());
        // A release that reaches the window ends the hold.
        QTest::mouseClick(w, Qt::LeftButton, {}, to);
        QVERIFY(!shown.holding());
    }

    void turningLayerFourToOneDropsTheTileBeneathTilesAndTheButton()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();
        // Tile 8 (layer 4) lies over the button and over tile 7 (layer 2).
        layOutGrid(form, {1, 1, 1, 1, 1, 1, 1, 2, 4});
        moveTile(form, 8, 8800, 5800);
        moveTile(form, 7, 6500, 6400);
        QWindow *w = shown.window();
        const QPoint onButton = shown.at(form.command1(), QPoint(8, 8));
        const QPoint onSeven = onPicture(form, 2, 7, QPoint(170, 100));
        QCOMPARE(form.childAt(onButton), &form.picture(4, 8));
        QCOMPARE(form.childAt(onSeven), &form.picture(4, 8));

        QTest::mouseDClick(w, Qt::LeftButton, {}, onButton);
        QCOMPARE(shown.visibleLayer(8), 1);
        QCOMPARE(form.childAt(onButton), &form.command1());
        QCOMPARE(form.childAt(onSeven), &form.picture(2, 7));
        // The next press there drags tile 7; a click there starts a new game.
        QTest::mousePress(w, Qt::LeftButton, {}, onSeven);
        QCOMPARE(form.dragState().dragIndex, std::int16_t(7));
        QTest::mouseRelease(w, Qt::LeftButton, {}, onSeven);
        const int drawsBefore = shown.random.draws;
        QTest::mouseClick(w, Qt::LeftButton, {}, onButton);
        QCOMPARE(shown.random.draws, drawsBefore + 18);
    }

    void turningLayerOneToTwoLiftsTheTileOverTheButton()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, kUpright);
        moveTile(form, 8, 8800, 5800);
        QWindow *w = shown.window();
        const QPoint onButton = shown.at(form.command1(), QPoint(8, 8));
        QCOMPARE(form.childAt(onButton), &form.command1());
        // The double-click goes where the tile shows, off the button.
        QTest::mouseDClick(w, Qt::LeftButton, {}, onPicture(form, 1, 8, QPoint(20, 20)));
        QCOMPARE(shown.visibleLayer(8), 2);
        QCOMPARE(form.childAt(onButton), &form.picture(2, 8));
        const int drawsBefore = shown.random.draws;
        QTest::mousePress(w, Qt::LeftButton, {}, onButton);
        QVERIFY(shown.holding());
        QCOMPARE(form.dragState().dragIndex, std::int16_t(8));
        QTest::mouseRelease(w, Qt::LeftButton, {}, onButton);
        QCOMPARE(shown.random.draws, drawsBefore);
    }
};

QTEST_MAIN(TurnTest)
#include "turn_test.moc"
