// Which clicks turn a tile: two quick clicks make a double-click only when
// both went to the same tile picture, and it stayed shown between them. Qt
// pairs clicks by top-level window, so every case here is one that Qt alone
// would make a double-click of. Input goes through Qt's window-system entry.
#include "board_arrangement.h"
#include "form_fixture.h"
#include "seam_spots.h"
#include "tile_double_clicks.h"
#include "timed_pointer.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QtTest>

#include <vector>

using window_test::BoardSnapshot;
using window_test::layOutGrid;
using window_test::onPicture;
using window_test::Seam;
using window_test::SeamSpots;
using window_test::ShownForm;
using window_test::snapshot;
using window_test::TileDoubleClicks;
using window_test::TimedPointer;

namespace {

// A quick second click: well within the double-click time.
constexpr int kQuickMs = 60;

// Twips of a press at window pixel `at`, in a tile picture's inner frame.
QPointF grabAt(window::Form1 &form, int layer, std::int16_t tile, QPoint at)
{
    const window::PictureBox &box = form.picture(layer, tile);
    return QPointF(box.mapFrom(&form, at) - box.contentsRect().topLeft()) * window::kTwipsPerPixel;
}

// After a press at `at`: tile `tile` is held from that point, captured.
QString heldFrom(ShownForm &shown, int layer, std::int16_t tile, QPoint at)
{
    const puzzle::DragState &d = shown.form().dragState();
    const QPointF grab = grabAt(shown.form(), layer, tile, at);
    if (d.dragging && shown.windowHoldsCapture() && d.dragIndex == tile && d.grabX == float(grab.x())
        && d.grabY == float(grab.y()))
        return {};
    return QStringLiteral("held %1, captured %2, tile %3, grab %4,%5; wanted tile %6 from %7,%8")
        .arg(d.dragging)
        .arg(shown.windowHoldsCapture())
        .arg(d.dragIndex)
        .arg(d.grabX)
        .arg(d.grabY)
        .arg(tile)
        .arg(grab.x())
        .arg(grab.y());
}

} // namespace

Q_DECLARE_METATYPE(Seam)

class DoubleClickTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The cases rely on Qt pairing them itself: 4 pixels and kQuickMs apart.
        QVERIFY(QGuiApplication::styleHints()->mouseDoubleClickDistance() >= 4);
        QVERIFY(QGuiApplication::styleHints()->mouseDoubleClickInterval() > 2 * kQuickMs);
    }

    void aQuickClickOnAnotherControlIsNoDoubleClick_data()
    {
        QTest::addColumn<Seam>("seam");
        QTest::addColumn<bool>("tileFirst");
        QTest::newRow("tile, then its neighbour") << Seam::NeighbourTile << true;
        QTest::newRow("tile, then a tile in another layer") << Seam::TileOfAnotherLayer << true;
        QTest::newRow("tile in another layer, then a tile") << Seam::TileOfAnotherLayer << false;
        QTest::newRow("tile, then the button") << Seam::Button << true;
        QTest::newRow("tile, then a label") << Seam::Label << true;
        QTest::newRow("tile, then the decoration") << Seam::Decoration << true;
        QTest::newRow("tile, then the panel") << Seam::Panel << true;
        QTest::newRow("button pressed and let go off it, then a tile") << Seam::Button << false;
        QTest::newRow("label, then a tile") << Seam::Label << false;
        QTest::newRow("decoration, then a tile") << Seam::Decoration << false;
        QTest::newRow("panel, then a tile") << Seam::Panel << false;
    }
    void aQuickClickOnAnotherControlIsNoDoubleClick()
    {
        QFETCH(Seam, seam);
        QFETCH(bool, tileFirst);
        ShownForm shown;
        window::Form1 &form = shown.form();
        window_test::layOutSeams(form);
        const SeamSpots s = window_test::seamSpots(form, seam);
        QCOMPARE(form.childAt(s.onTile), &form.picture(s.tileLayer, s.tile));
        QCOMPARE(form.childAt(s.onOther), s.other);

        struct Spot {
            QPoint at;
            QWidget *control;
            std::int16_t tile;
            int layer;
        };
        const Spot onTile{s.onTile, &form.picture(s.tileLayer, s.tile), s.tile, s.tileLayer};
        const int otherLayer = s.otherTile < 0 ? 0 : shown.visibleLayer(s.otherTile);
        const Spot onOther{s.onOther, s.other, s.otherTile, otherLayer};
        const Spot first = tileFirst ? onTile : onOther;
        const Spot second = tileFirst ? onOther : onTile;
        const bool onButton = second.control == &form.command1();

        TileDoubleClicks doubleClicks(form);
        TimedPointer pointer(shown.window());
        if (first.control == &form.command1()) {
            // Let go off the button, so that this first click starts no game.
            pointer.press(first.at);
            pointer.move(second.at);
            pointer.release(second.at);
        } else {
            pointer.click(first.at);
        }
        QVERIFY(!shown.holding());
        const BoardSnapshot before = snapshot(form);
        const int drawsBefore = shown.random.draws;

        pointer.press(second.at, kQuickMs);
        if (second.tile >= 0)
            QCOMPARE(heldFrom(shown, second.layer, second.tile, second.at), QString());
        else
            QVERIFY(!shown.holding());
        pointer.release(second.at);

        QCOMPARE(doubleClicks.count, 0);
        QVERIFY(!shown.holding());
        QVERIFY(!shown.anythingHoldsCapture());
        QCOMPARE(shown.random.draws, drawsBefore + (onButton ? 18 : 0)); // the button's click: one new game
        if (!onButton)
            QVERIFY(snapshot(form) == before);
        // The press put the focus where a lone click there puts it.
        QWidget *const focus = form.focusWidget();
        pointer.click(second.at, 2 * QGuiApplication::styleHints()->mouseDoubleClickInterval());
        QCOMPARE(form.focusWidget(), focus);
    }

    void twoClicksOnOnePictureTurnItOnlyAsADoubleClick_data()
    {
        QTest::addColumn<int>("gapMs");           // from the first press to the second
        QTest::addColumn<QPoint>("dragInFirst");  // the pointer's move while the first click is down
        QTest::addColumn<QPoint>("secondOffset"); // the second press, from the first
        QTest::addColumn<Qt::MouseButton>("secondButton");
        QTest::addColumn<bool>("afterNeighbour"); // a quick click on the neighbour came first
        QTest::addColumn<bool>("turns");
        const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
        const int reach = QGuiApplication::styleHints()->mouseDoubleClickDistance();
        QTest::newRow("still") << kQuickMs << QPoint() << QPoint() << Qt::LeftButton << false << true;
        QTest::newRow("moved a few pixels between the clicks")
            << kQuickMs << QPoint() << QPoint(3, -2) << Qt::LeftButton << false << true;
        QTest::newRow("moved a few pixels while the first was down")
            << kQuickMs << QPoint(2, 1) << QPoint(1, 1) << Qt::LeftButton << false << true;
        QTest::newRow("right button") << kQuickMs << QPoint() << QPoint() << Qt::RightButton << false << true;
        QTest::newRow("after a quick click on the neighbour")
            << kQuickMs << QPoint() << QPoint() << Qt::LeftButton << true << true;
        QTest::newRow("just within the double-click time")
            << interval - 1 << QPoint() << QPoint() << Qt::LeftButton << false << true;
        QTest::newRow("the double-click time apart")
            << interval << QPoint() << QPoint() << Qt::LeftButton << false << false;
        QTest::newRow("further apart than the double-click distance")
            << kQuickMs << QPoint() << QPoint(reach + 1, 0) << Qt::LeftButton << false << false;
        QTest::newRow("left, then right") << kQuickMs << QPoint() << QPoint() << Qt::RightButton << false << false;
    }
    void twoClicksOnOnePictureTurnItOnlyAsADoubleClick()
    {
        QFETCH(int, gapMs);
        QFETCH(QPoint, dragInFirst);
        QFETCH(QPoint, secondOffset);
        QFETCH(Qt::MouseButton, secondButton);
        QFETCH(bool, afterNeighbour);
        QFETCH(bool, turns);
        const bool bothRight = secondButton == Qt::RightButton && turns;
        const Qt::MouseButton firstButton = bothRight ? Qt::RightButton : Qt::LeftButton;
        ShownForm shown;
        window::Form1 &form = shown.form();
        window_test::layOutSeams(form);
        const SeamSpots s = window_test::seamSpots(form, Seam::NeighbourTile);
        const std::int16_t tile = s.otherTile; // tile 1, with tile 0 as the neighbour
        const QPoint first = s.onOther;
        const QPoint second = first + dragInFirst + secondOffset;
        QCOMPARE(form.childAt(first), &form.picture(1, tile));
        TileDoubleClicks doubleClicks(form);
        TimedPointer pointer(shown.window());
        if (afterNeighbour)
            pointer.click(s.onTile); // 4 pixels off: Qt pairs it with the next click
        pointer.press(first, kQuickMs, firstButton);
        const int firstPressAt = QTest::lastMouseTimestamp;
        pointer.move(first + dragInFirst);
        pointer.release(first + dragInFirst, 1, firstButton);
        const float left = form.picture(1, tile).twips().left();
        const float top = form.picture(1, tile).twips().top();
        QCOMPARE(left != 2800.0f, !dragInFirst.isNull()); // the first click's drag moved the tile

        pointer.press(second, firstPressAt + gapMs - QTest::lastMouseTimestamp, secondButton);
        if (turns) {
            QCOMPARE(shown.visibleLayer(tile), 2);
            QVERIFY(!shown.holding());
        } else {
            QCOMPARE(shown.visibleLayer(tile), 1);
            QCOMPARE(shown.holding(), secondButton == Qt::LeftButton);
        }
        pointer.release(second, 1, secondButton);
        QCOMPARE(doubleClicks.count, turns ? 1 : 0);
        QVERIFY(!shown.holding());
        QCOMPARE(shown.visibleLayer(0), 1);
        QCOMPARE(window_test::tileMismatch(form, tile, left, top), QString());
    }

    void aPictureHiddenBetweenTheClicksTakesAPress_data()
    {
        QTest::addColumn<std::vector<float>>("newGame"); // the generator's 18 draws for it
        QTest::addColumn<int>("nowOnTop");               // tile at the centre afterwards
        QTest::addColumn<int>("nowLayer");
        std::vector<float> same; // no exchanges; tile 4 back in layer 2, the rest upright
        for (int c = 0; c < 9; ++c)
            same.push_back(float(c) / 9.0f);
        for (int c = 0; c < 9; ++c)
            same.push_back(c == 4 ? 0.25f : 0.0f);
        std::vector<float> other = same; // tile 0 and tile 4 change places; all upright
        other[0] = 4.0f / 9.0f;
        other[9 + 4] = 0.0f;
        QTest::newRow("the same picture shows there again") << same << 4 << 2;
        QTest::newRow("another tile lies there now") << other << 0 << 1;
    }
    void aPictureHiddenBetweenTheClicksTakesAPress()
    {
        QFETCH(std::vector<float>, newGame);
        QFETCH(int, nowOnTop);
        QFETCH(int, nowLayer);
        ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, {1, 1, 1, 1, 2, 1, 1, 1, 1});
        QWindow *w = shown.window();
        const QPoint at = onPicture(form, 2, 4, QPoint(90, 80));
        TileDoubleClicks doubleClicks(form);
        TimedPointer pointer(w);
        pointer.click(at);

        // A new game from the keyboard: Tab to the button, then Space.
        for (int tabs = 0; tabs < 50 && !form.command1().hasFocus(); ++tabs)
            QTest::keyClick(w, Qt::Key_Tab);
        QVERIFY(form.command1().hasFocus());
        shown.random.script.assign(newGame.begin(), newGame.end());
        const int drawsBefore = shown.random.draws;
        QTest::keyClick(w, Qt::Key_Space);
        QCOMPARE(shown.random.draws, drawsBefore + 18);
        QCOMPARE(shown.visibleLayer(std::int16_t(nowOnTop)), nowLayer);
        QCOMPARE(form.childAt(at), &form.picture(nowLayer, std::int16_t(nowOnTop)));

        pointer.press(at, kQuickMs);
        QCOMPARE(heldFrom(shown, nowLayer, std::int16_t(nowOnTop), at), QString());
        pointer.release(at);
        QVERIFY(!shown.holding());
        QCOMPARE(doubleClicks.count, 0);
        QCOMPARE(shown.visibleLayer(std::int16_t(nowOnTop)), nowLayer);
    }
};

QTEST_MAIN(DoubleClickTest)
#include "double_click_test.moc"
