// Dragging tiles on the real window, with input through Qt's own dispatch.
#include "board_arrangement.h"
#include "form_fixture.h"

#include <QtTest>

using namespace window_test;

class DragTest : public QObject {
    Q_OBJECT
private slots:
    void theGrabbedPointFollowsThePointer_data()
    {
        QTest::addColumn<QPoint>("grab");
        QTest::newRow("inner top-left corner") << QPoint(1, 1);
        QTest::newRow("middle") << QPoint(93, 60);
        QTest::newRow("near the bottom-right corner") << QPoint(185, 185);
    }
    void theGrabbedPointFollowsThePointer()
    {
        QFETCH(QPoint, grab);
        ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, {1, 1, 1, 1, 3, 1, 1, 1, 1});
        QWindow *w = shown.window();
        const BoardSnapshot before = snapshot(form);

        QTest::mousePress(w, Qt::LeftButton, {}, onPicture(form, 3, 4, grab));
        QVERIFY(shown.holding());
        QVERIFY(shown.windowHoldsCapture());
        QCOMPARE(form.dragState().dragIndex, std::int16_t(4));
        QCOMPARE(form.dragState().grabX, window::twipsFromPixels(grab.x() - 1));
        QCOMPARE(form.dragState().grabY, window::twipsFromPixels(grab.y() - 1));
        QVERIFY(snapshot(form) == before); // the press moves nothing

        const QPoint o = panelOrigin(form);
        // Across the board, to the panel's corner (left and top go negative,
        // nothing clamps them), one pixel at a time and a long jump.
        const QPoint path[] = {o + QPoint(400, 300), o + QPoint(401, 300), o + QPoint(401, 302),
                               o + QPoint(2, 3),     o + QPoint(650, 520), o + QPoint(100, 90)};
        for (const QPoint &p : path) {
            QTest::mouseMove(w, p);
            const QPointF at = heldTilePlace(form, p, grab);
            QCOMPARE(tileMismatch(form, 4, at.x(), at.y()), QString());
        }
        QTest::mouseRelease(w, Qt::LeftButton, {}, path[5]);
        QVERIFY(!shown.holding());
        QVERIFY(!shown.windowHoldsCapture());
        const QPointF dropped = heldTilePlace(form, path[5], grab);
        QCOMPARE(tileMismatch(form, 4, dropped.x(), dropped.y()), QString());
        // The pressed pixel lies one border width off the pointer: the tile's
        // place is its outer corner, the grab point is measured inside.
        QCOMPARE(form.picture(3, 4).mapTo(&form, grab), path[5] + QPoint(1, 1));

        // Once let go, moves leave it where it was dropped.
        QTest::mouseMove(w, o + QPoint(300, 300));
        QTest::mouseMove(w, QPoint(5, 300));
        QCOMPARE(tileMismatch(form, 4, dropped.x(), dropped.y()), QString());
        for (std::int16_t i = 0; i < 9; ++i)
            if (i != 4)
                QCOMPARE(tileMismatch(form, i, (i % 3) * 2800.0f, (i / 3) * 2800.0f), QString());
    }

    void aPressAndReleaseWithoutAMoveLeaveTheTileExactlyInPlace()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, kUpright);
        moveTile(form, 2, 1117.5f, 22.5f); // not on whole pixels: any re-placing would show
        const BoardSnapshot before = snapshot(form);
        const QPoint at = onPicture(form, 1, 2, QPoint(50, 50));
        QTest::mousePress(shown.window(), Qt::LeftButton, {}, at);
        QVERIFY(shown.holding());
        QTest::mouseRelease(shown.window(), Qt::LeftButton, {}, at);
        QVERIFY(!shown.holding());
        QVERIFY(snapshot(form) == before);
    }

    void theTileStaysWhereTheLastMoveBeforeTheReleasePutIt()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, kUpright);
        QWindow *w = shown.window();
        const QPoint grab(40, 30);
        const QPoint o = panelOrigin(form);
        QTest::mousePress(w, Qt::LeftButton, {}, onPicture(form, 1, 0, grab));
        QTest::mouseMove(w, o + QPoint(300, 200));
        // Qt moves the pointer to a release point before it reports the release,
        // so the tile is there; the release itself adds nothing.
        QTest::mouseRelease(w, Qt::LeftButton, {}, o + QPoint(320, 260));
        const QPointF last = heldTilePlace(form, o + QPoint(320, 260), grab);
        QCOMPARE(tileMismatch(form, 0, last.x(), last.y()), QString());
        QVERIFY(!shown.holding());
    }

    void onlyTheLeftButtonTakesHold_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }
    void onlyTheLeftButtonTakesHold()
    {
        QFETCH(Qt::MouseButton, button);
        ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, kUpright);
        const BoardSnapshot before = snapshot(form);
        QWindow *w = shown.window();
        QTest::mousePress(w, button, {}, onPicture(form, 1, 4, QPoint(90, 90)));
        QVERIFY(!shown.holding());
        QVERIFY(!shown.windowHoldsCapture());
        QTest::mouseMove(w, panelOrigin(form) + QPoint(20, 20));
        QTest::mouseMove(w, QPoint(5, 300));
        QTest::mouseRelease(w, button, {}, QPoint(5, 300));
        QVERIFY(!shown.holding());
        QVERIFY(snapshot(form) == before);
    }

    void modifierKeysMakeNoDifference_data()
    {
        QTest::addColumn<Qt::KeyboardModifiers>("keys");
        QTest::newRow("shift") << Qt::KeyboardModifiers(Qt::ShiftModifier);
        QTest::newRow("ctrl") << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("alt") << Qt::KeyboardModifiers(Qt::AltModifier);
        QTest::newRow("all three") << (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    }
    void modifierKeysMakeNoDifference()
    {
        QFETCH(Qt::KeyboardModifiers, keys);
        ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, kUpright);
        QWindow *w = shown.window();
        const QPoint grab(20, 70);
        QTest::mousePress(w, Qt::LeftButton, keys, onPicture(form, 1, 8, grab));
        QVERIFY(shown.holding());
        const QPoint to = panelOrigin(form) + QPoint(33, 44);
        QTest::mouseMove(w, to);
        QTest::mouseRelease(w, Qt::LeftButton, keys, to);
        const QPointF at = heldTilePlace(form, to, grab);
        QCOMPARE(tileMismatch(form, 8, at.x(), at.y()), QString());
        QVERIFY(!shown.holding());
    }

    void movesWhileNothingIsHeldChangeNothing()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, {2, 1, 4, 1, 3, 1, 1, 2, 1});
        const BoardSnapshot before = snapshot(form);
        QWindow *w = shown.window();
        // Over the window's own area (which hears moves with no button down),
        // over tiles, over the button.
        const QPoint points[] = {QPoint(5, 300), QPoint(5, 5), onPicture(form, 4, 2, QPoint(30, 30)),
                                 shown.at(form.command1(), QPoint(5, 5)), QPoint(770, 580)};
        for (const QPoint &p : points)
            QTest::mouseMove(w, p);
        QVERIFY(!shown.holding());
        QVERIFY(snapshot(form) == before);
    }

    void aReleaseWhileNothingIsHeldStillReleasesTheCapture()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, kUpright);
        const BoardSnapshot before = snapshot(form);
        QWindow *w = shown.window();
        // The window holds the capture with no tile held, so even a press on a
        // tile goes to the window, which takes no presses.
        form.mouseCapture().setCapture(form.effectiveWinId());
        const QPoint on4 = onPicture(form, 1, 4, QPoint(60, 60));
        QTest::mousePress(w, Qt::LeftButton, {}, on4);
        QVERIFY(!shown.holding());
        QTest::mouseMove(w, on4 + QPoint(25, 25));
        QTest::mouseRelease(w, Qt::LeftButton, {}, on4 + QPoint(25, 25));
        QVERIFY(!shown.holding());
        QVERIFY(!shown.windowHoldsCapture());
        QVERIFY(snapshot(form) == before);
        // Input goes back to the control under the pointer: the tile takes hold.
        QTest::mousePress(w, Qt::LeftButton, {}, on4);
        QVERIFY(shown.holding());
        QTest::mouseRelease(w, Qt::LeftButton, {}, on4);
        QVERIFY(snapshot(form) == before);
    }

    void aRightClickDuringAHoldEndsIt()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, kUpright);
        QWindow *w = shown.window();
        const QPoint grab(10, 10);
        const QPoint o = panelOrigin(form);
        QTest::mousePress(w, Qt::LeftButton, {}, onPicture(form, 1, 6, grab));
        QTest::mouseMove(w, o + QPoint(250, 250));
        QTest::mousePress(w, Qt::RightButton, {}, o + QPoint(250, 250));
        QVERIFY(shown.holding()); // the window takes no presses
        QTest::mouseRelease(w, Qt::RightButton, {}, o + QPoint(250, 250));
        QVERIFY(!shown.holding());
        QVERIFY(!shown.windowHoldsCapture());
        const QPointF dropped = heldTilePlace(form, o + QPoint(250, 250), grab);
        // The left button is still down; the tile no longer follows.
        QTest::mouseMove(w, o + QPoint(400, 100));
        QTest::mouseMove(w, QPoint(5, 300));
        QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(5, 300));
        QCOMPARE(tileMismatch(form, 6, dropped.x(), dropped.y()), QString());
    }

    void aDragFollowsOutOfThePanelAndTheWindow()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, kUpright);
        QWindow *w = shown.window();
        const QPoint grab(100, 100);
        QTest::mousePress(w, Qt::LeftButton, {}, onPicture(form, 1, 5, grab));
        const QPoint path[] = {
            QPoint(5, 5),                                // the window's own area, left of the panel
            QPoint(form.width() - 3, form.height() - 3), // right of and below the panel
            QPoint(form.width() + 150, 200),             // outside the window
            QPoint(-80, -60),                            // above and left of it
        };
        for (const QPoint &p : path) {
            if (p.x() >= form.width() || p.y() >= form.height()) // QTest warns only past these edges
                QTest::ignoreMessage(QtWarningMsg, QRegularExpression("outside target window"));
            QTest::mouseMove(w, p);
            const QPointF at = heldTilePlace(form, p, grab);
            QCOMPARE(tileMismatch(form, 5, at.x(), at.y()), QString());
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("outside target window"));
        QTest::mouseMove(w, QPoint(form.width() + 250, form.height() + 250));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("outside target window"));
        QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(form.width() + 250, form.height() + 250));
        QVERIFY(!shown.holding());
        QVERIFY(!shown.windowHoldsCapture());
        const QPointF dropped = heldTilePlace(form, QPoint(form.width() + 250, form.height() + 250), grab);
        QCOMPARE(tileMismatch(form, 5, dropped.x(), dropped.y()), QString());
        QVERIFY(form.picture(1, 5).twips().left() > 11260.0f); // wholly beyond the panel
        QTest::mouseMove(w, QPoint(5, 5));
        QCOMPARE(tileMismatch(form, 5, dropped.x(), dropped.y()), QString());
    }

    void aLayerOneTileDroppedOnALayerTwoTileLiesBeneathIt()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, {1, 2, 1, 1, 1, 1, 1, 1, 1});
        QWindow *w = shown.window();
        // Tile 0 (layer 1) over tile 1 (layer 2), half across it.
        QTest::mousePress(w, Qt::LeftButton, {}, onPicture(form, 1, 0, QPoint(90, 90)));
        QTest::mouseMove(w, onPicture(form, 2, 1, QPoint(0, 90)));
        QTest::mouseRelease(w, Qt::LeftButton, {}, onPicture(form, 2, 1, QPoint(0, 90)));
        QVERIFY(form.picture(1, 0).geometry().intersects(form.picture(2, 1).geometry()));
        const QPoint overlap = onPicture(form, 2, 1, QPoint(20, 90));
        QCOMPARE(form.childAt(overlap), &form.picture(2, 1));
        const float left0 = form.picture(1, 0).twips().left();
        const float top0 = form.picture(1, 0).twips().top();
        QTest::mousePress(w, Qt::LeftButton, {}, overlap);
        QCOMPARE(form.dragState().dragIndex, std::int16_t(1));
        QTest::mouseMove(w, overlap + QPoint(0, 200));
        QTest::mouseRelease(w, Qt::LeftButton, {}, overlap + QPoint(0, 200));
        const QPointF at = heldTilePlace(form, overlap + QPoint(0, 200), QPoint(20, 90));
        QCOMPARE(tileMismatch(form, 1, at.x(), at.y()), QString());
        QCOMPARE(tileMismatch(form, 0, left0, top0), QString()); // the lower tile stayed
    }

    void ofTwoTilesOnOneLayerTheLowerIndexLiesAbove()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, kUpright);
        QWindow *w = shown.window();
        // Drag 5 over 3, then 3 over 5: tile 3 ends on top both times.
        for (std::int16_t moved : {5, 3}) {
            const std::int16_t other = moved == 5 ? 3 : 5;
            QTest::mousePress(w, Qt::LeftButton, {}, onPicture(form, 1, moved, QPoint(93, 93)));
            QTest::mouseMove(w, onPicture(form, 1, other, QPoint(120, 93)));
            QTest::mouseRelease(w, Qt::LeftButton, {}, onPicture(form, 1, other, QPoint(120, 93)));
            const QPoint overlap = onPicture(form, 1, other, QPoint(100, 93));
            QVERIFY(form.picture(1, moved).geometry().contains(form.picture5().mapFrom(&form, overlap)));
            QCOMPARE(form.childAt(overlap), &form.picture(1, 3));
            QTest::mousePress(w, Qt::LeftButton, {}, overlap);
            QCOMPARE(form.dragState().dragIndex, std::int16_t(3));
            QTest::mouseRelease(w, Qt::LeftButton, {}, overlap);
        }
    }

    void aLayerOneTilePassesBeneathTheButtonOtherLayersCoverIt_data()
    {
        QTest::addColumn<int>("layer");
        QTest::newRow("layer 1") << 1;
        QTest::newRow("layer 2") << 2;
        QTest::newRow("layer 3") << 3;
        QTest::newRow("layer 4") << 4;
    }
    void aLayerOneTilePassesBeneathTheButtonOtherLayersCoverIt()
    {
        QFETCH(int, layer);
        ShownForm shown;
        window::Form1 &form = shown.form();
        std::array<int, 9> layers = kUpright;
        layers[8] = layer;
        layOutGrid(form, layers);
        QWindow *w = shown.window();
        const QPoint onButton = shown.at(form.command1(), QPoint(10, 10));
        // Tile 8's pressed point ends 10 pixels inside the button.
        QTest::mousePress(w, Qt::LeftButton, {}, onPicture(form, layer, 8, QPoint(1, 1)));
        QTest::mouseMove(w, onButton);
        QTest::mouseRelease(w, Qt::LeftButton, {}, onButton);
        QVERIFY(form.picture(layer, 8).geometry().contains(form.picture5().mapFrom(&form, onButton)));

        const int drawsBefore = shown.random.draws;
        QTest::mouseClick(w, Qt::LeftButton, {}, onButton);
        if (layer == 1) {
            QCOMPARE(form.childAt(onButton), &form.command1());
            QCOMPARE(shown.random.draws, drawsBefore + 18); // a new game
            for (std::int16_t i = 0; i < 9; ++i)
                QVERIFY(form.picture(1, i).twips().left() < 8400.0f); // back on the board
        } else {
            QCOMPARE(form.childAt(onButton), &form.picture(layer, 8));
            QCOMPARE(shown.random.draws, drawsBefore);
            QVERIFY(!shown.holding());
            QCOMPARE(form.dragState().dragIndex, std::int16_t(8));
        }
    }

    void aNewGameDuringAHoldKeepsTheTileFollowing()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();
        // Tile 4 shows layer 2, which the new game's set-up hides first thing.
        layOutGrid(form, {1, 1, 1, 1, 2, 1, 1, 1, 1});
        QWindow *w = shown.window();
        const QPoint grab(50, 40);
        QTest::mousePress(w, Qt::LeftButton, {}, onPicture(form, 2, 4, grab));
        // Space on the button starts a new game with the left button still down.
        form.command1().setFocus();
        const int drawsBefore = shown.random.draws;
        QTest::keyClick(w, Qt::Key_Space);
        QCOMPARE(shown.random.draws, drawsBefore + 18);
        QVERIFY(shown.holding());
        const QPoint to = panelOrigin(form) + QPoint(500, 450);
        QTest::mouseMove(w, to);
        const QPointF at = heldTilePlace(form, to, grab);
        QCOMPARE(tileMismatch(form, 4, at.x(), at.y()), QString());
        QTest::mouseRelease(w, Qt::LeftButton, {}, to);
        QVERIFY(!shown.holding());
        QVERIFY(!shown.windowHoldsCapture());
    }

    void aHoldOutlivesALostCapture()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, kUpright);
        QWindow *w = shown.window();
        const QPoint grab(30, 30);
        const QPoint on1 = onPicture(form, 1, 1, grab);
        QTest::mousePress(w, Qt::LeftButton, {}, on1);
        form.mouseCapture().releaseCapture(); // the platform took it away
        // The release goes to the tile picture, which takes no releases.
        QTest::mouseRelease(w, Qt::LeftButton, {}, on1);
        QVERIFY(shown.holding());
        // A move that reaches the window still moves the held tile.
        QTest::mouseMove(w, QPoint(5, 200));
        const QPointF at = heldTilePlace(form, QPoint(5, 200), grab);
        QCOMPARE(tileMismatch(form, 1, at.x(), at.y()), QString());
        // A left press on a tile starts a hold of that tile, and the release
        // that reaches the window ends it.
        QTest::mousePress(w, Qt::LeftButton, {}, onPicture(form, 1, 7, QPoint(9, 9)));
        QCOMPARE(form.dragState().dragIndex, std::int16_t(7));
        QVERIFY(shown.windowHoldsCapture());
        QTest::mouseRelease(w, Qt::LeftButton, {}, onPicture(form, 1, 7, QPoint(9, 9)));
        QVERIFY(!shown.holding());
        QCOMPARE(tileMismatch(form, 1, at.x(), at.y()), QString());
    }
};

QTEST_MAIN(DragTest)
#include "drag_test.moc"
