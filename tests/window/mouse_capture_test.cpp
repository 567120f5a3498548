// The mouse as the drag meets it: a press measured in the pressed picture's
// inner frame, and the window's capture, which sends every move and release to
// the window's procedures wherever the pointer is until it is released.
#include "board_arrangement.h"
#include "form_fixture.h"

#include "window/twips.h"

#include <QMouseEvent>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

using window_test::panelPoint;
using window_test::kUpright;
using window_test::layOutGrid;

// Records the mouse events that reach the window itself, where it would see them.
class WindowMouseSpy : public QObject {
public:
    struct Seen {
        QEvent::Type type;
        QPointF at;
    };
    explicit WindowMouseSpy(QWidget &window) : window_(window) { window_.installEventFilter(this); }
    ~WindowMouseSpy() override { window_.removeEventFilter(this); }

    std::vector<Seen> seen;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
            seen.push_back({event->type(), static_cast<QMouseEvent *>(event)->position()});
            break;
        default: break;
        }
        return false;
    }

private:
    QWidget &window_;
};

// A point inside a picture's inner area, in the window's frame.
QPoint innerPoint(window_test::ShownForm &shown, const window::PictureBox &box, QPoint inner)
{
    return shown.at(box, box.contentsRect().topLeft() + inner);
}

} // namespace

class MouseCaptureTest : public QObject {
    Q_OBJECT
private slots:
    void aPressIsMeasuredInThePicturesInnerFrame()
    {
        struct Point {
            QPoint inner; // pixels from the inner area's top-left corner
            float x, y;   // twips the press reports
        };
        // A 2800-twip box is 186 2/3 pixels, here 187 with a one-pixel border
        // each side: 185 inner pixels, the last of them 2760 twips in, within
        // a pixel of the 2770 that the box's true inner size gives.
        static constexpr Point points[] = {{{0, 0}, 0, 0}, {{40, 25}, 600, 375}, {{184, 184}, 2760, 2760}};
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        for (int layer = 1; layer <= puzzle::kLayers; ++layer) {
            for (std::int16_t index = 0; index < puzzle::kTiles; ++index) {
                layOutGrid(form, kUpright);
                window_test::placeTile(form, index, layer, form.board().left(1, index), form.board().top(1, index));
                window::PictureBox &box = form.picture(layer, index);
                QCOMPARE(box.contentsRect().size(), QSize(185, 185));
                for (const Point &p : points) {
                    const QPoint at = innerPoint(shown, box, p.inner);
                    QTest::mousePress(shown.window(), Qt::LeftButton, {}, at);
                    const QString what = QStringLiteral("Picture%1(%2) at %3,%4")
                                             .arg(layer)
                                             .arg(index)
                                             .arg(p.inner.x())
                                             .arg(p.inner.y());
                    QVERIFY2(form.dragState().dragging, qPrintable(what));
                    QVERIFY2(form.dragState().dragIndex == index, qPrintable(what));
                    QVERIFY2(form.dragState().grabX == p.x, qPrintable(what));
                    QVERIFY2(form.dragState().grabY == p.y, qPrintable(what));
                    QTest::mouseRelease(shown.window(), Qt::LeftButton, {}, at);
                    QVERIFY2(!form.dragState().dragging, qPrintable(what));
                }
            }
        }
    }

    void whileCapturedMovesAndTheReleaseReachTheWindowWherever()
    {
        struct Target {
            const char *name;
            std::function<QPoint(window_test::ShownForm &)> at;
        };
        const Target targets[] = {
            {"the panel beside the board", [](auto &s) { return panelPoint(s.form(), 8700, 4000); }},
            {"another tile", [](auto &s) { return s.tileCentre(8); }},
            {"the button", [](auto &s) { return s.centreOf(s.form().command1()); }},
            {"the clock", [](auto &s) { return s.centreOf(s.form().label1()); }},
            {"the hint", [](auto &s) { return s.centreOf(s.form().label2()); }},
            {"the clock's caption", [](auto &s) { return s.centreOf(s.form().label3()); }},
            {"the decorative picture", [](auto &s) { return s.centreOf(s.form().picture6()); }},
            {"the window around the panel",
             [](auto &s) { return QPoint(s.form().width() - 4, s.form().height() - 4); }},
            {"outside the window, right and below", [](auto &) { return QPoint(900, 700); }},
            {"outside the window, left and above", [](auto &) { return QPoint(-40, -30); }},
        };
        for (const Target &target : targets) {
            window_test::ShownForm shown;
            window::Form1 &form = shown.form();
            layOutGrid(form, kUpright);
            const int draws = shown.random.draws;
            WindowMouseSpy spy(form);
            const QPoint to = target.at(shown);
            const QPoint panelOrigin = panelPoint(form, 0, 0);

            // Held 30 x 20 pixels into tile 4's inner area: grab point 450, 300.
            QTest::mousePress(shown.window(), Qt::LeftButton, {}, innerPoint(shown, form.picture(1, 4), {30, 20}));
            QVERIFY2(form.dragState().dragging, target.name);
            QVERIFY2(shown.windowHoldsCapture(), target.name);

            QTest::mouseMove(shown.window(), to);
            QVERIFY2(!spy.seen.empty() && spy.seen.back().type == QEvent::MouseMove, target.name);
            QVERIFY2(spy.seen.back().at == QPointF(to), target.name);
            // The move reached Form_MouseMove in the window's frame: the tile's
            // grab point now lies under the pointer.
            const float left = window::twipsFromPixels(to.x() - panelOrigin.x()) - 450;
            const float top = window::twipsFromPixels(to.y() - panelOrigin.y()) - 300;
            for (int layer = 1; layer <= puzzle::kLayers; ++layer) {
                QVERIFY2(form.board().left(layer, 4) == left, target.name);
                QVERIFY2(form.board().top(layer, 4) == top, target.name);
            }

            QTest::mouseRelease(shown.window(), Qt::LeftButton, {}, to);
            QVERIFY2(spy.seen.back().type == QEvent::MouseButtonRelease, target.name);
            QVERIFY2(spy.seen.back().at == QPointF(to), target.name);
            QVERIFY2(!form.dragState().dragging, target.name);
            QVERIFY2(!shown.anythingHoldsCapture(), target.name);
            // The control under the pointer saw none of it.
            QVERIFY2(shown.random.draws == draws, target.name);

            // Dropped: later moves leave the tile where it lies.
            QTest::mouseMove(shown.window(), QPoint(form.width() - 2, form.height() - 2));
            QVERIFY2(form.board().left(1, 4) == left && form.board().top(1, 4) == top, target.name);
        }
    }

    void withNoButtonDownMovesStillReachTheCapturingWindow()
    {
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, kUpright);
        WindowMouseSpy spy(form);
        const QPoint over[] = {shown.tileCentre(4), shown.centreOf(form.command1()), shown.centreOf(form.label2()),
                               shown.centreOf(form.picture6()), panelPoint(form, 8700, 4000)};

        // Not captured: a move over a control is that control's alone.
        for (const QPoint &at : over) {
            QTest::mouseMove(shown.window(), at);
            QVERIFY(spy.seen.empty());
        }
        form.mouseCapture().setCapture(form.effectiveWinId());
        for (const QPoint &at : over) {
            spy.seen.clear();
            QTest::mouseMove(shown.window(), at + QPoint(1, 1));
            QCOMPARE(spy.seen.size(), std::size_t(1));
            QCOMPARE(spy.seen.back().type, QEvent::MouseMove);
            QCOMPARE(spy.seen.back().at, QPointF(at + QPoint(1, 1)));
        }
        form.mouseCapture().releaseCapture();
        spy.seen.clear();
        QTest::mouseMove(shown.window(), shown.tileCentre(4));
        QVERIFY(spy.seen.empty());
    }

    void aClickWhileTheWindowHoldsTheCaptureGoesToTheWindow()
    {
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, kUpright);
        const int draws = shown.random.draws;
        const QPoint button = shown.centreOf(form.command1());

        QCOMPARE(form.mouseCapture().setCapture(form.effectiveWinId()), WId(0));
        // The press does not reach the tile: no drag starts.
        QTest::mousePress(shown.window(), Qt::LeftButton, {}, shown.tileCentre(4));
        QVERIFY(!form.dragState().dragging);
        // The release reaches Form_MouseUp, which releases the capture.
        QTest::mouseRelease(shown.window(), Qt::LeftButton, {}, shown.tileCentre(4));
        QCOMPARE(form.mouseCapture().owner(), nullptr);

        QVERIFY(form.mouseCapture().setCapture(form.effectiveWinId()) == 0);
        QTest::mouseClick(shown.window(), Qt::LeftButton, {}, button);
        QCOMPARE(shown.random.draws, draws);
        QCOMPARE(form.mouseCapture().owner(), nullptr);
        // Released, the button takes the next click.
        QTest::mouseClick(shown.window(), Qt::LeftButton, {}, button);
        QCOMPARE(shown.random.draws, draws + 18);
    }

    void releasingTheCaptureGivesInputBackToTheControlUnderThePointer()
    {
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, kUpright);
        const int draws = shown.random.draws;
        const QPoint button = shown.centreOf(form.command1());

        QCOMPARE(form.mouseCapture().setCapture(form.effectiveWinId()), WId(0));
        QVERIFY(form.mouseCapture().releaseCapture());
        QVERIFY(!form.mouseCapture().releaseCapture());
        QTest::mouseClick(shown.window(), Qt::LeftButton, {}, button);
        QCOMPARE(shown.random.draws, draws + 18);

        // A drag dropped over the button: the button takes the next click and
        // a tile the next press.
        layOutGrid(form, kUpright);
        QTest::mousePress(shown.window(), Qt::LeftButton, {}, shown.tileCentre(4));
        QTest::mouseMove(shown.window(), button);
        QTest::mouseRelease(shown.window(), Qt::LeftButton, {}, button);
        QCOMPARE(shown.random.draws, draws + 18);
        QTest::mouseClick(shown.window(), Qt::LeftButton, {}, button);
        QCOMPARE(shown.random.draws, draws + 36);
        layOutGrid(form, kUpright);
        QTest::mousePress(shown.window(), Qt::LeftButton, {}, shown.tileCentre(0));
        QVERIFY(form.dragState().dragging);
        QCOMPARE(form.dragState().dragIndex, std::int16_t(0));
        QTest::mouseRelease(shown.window(), Qt::LeftButton, {}, shown.tileCentre(0));
    }

    void aDestroyedOwnerLeavesNoRedirectBehind()
    {
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, kUpright);
        const int draws = shown.random.draws;

        auto other = std::make_unique<QWidget>();
        other->resize(100, 100);
        other->show();
        QVERIFY(QTest::qWaitForWindowExposed(other.get()));
        const WId handle = other->effectiveWinId();
        QCOMPARE(form.mouseCapture().setCapture(handle), WId(0));
        QCOMPARE(form.mouseCapture().owner(), other.get());
        // Taking the capture for the window gives back the handle that held it.
        QCOMPARE(form.mouseCapture().setCapture(form.effectiveWinId()), handle);
        QCOMPARE(form.mouseCapture().setCapture(handle), form.effectiveWinId());

        other.reset();
        QCOMPARE(form.mouseCapture().owner(), nullptr);
        QTest::mousePress(shown.window(), Qt::LeftButton, {}, shown.tileCentre(2));
        QVERIFY(form.dragState().dragging);
        QCOMPARE(form.dragState().dragIndex, std::int16_t(2));
        QCOMPARE(form.mouseCapture().owner(), &form);
        QTest::mouseRelease(shown.window(), Qt::LeftButton, {}, shown.tileCentre(2));
        QTest::mouseClick(shown.window(), Qt::LeftButton, {}, shown.centreOf(form.command1()));
        QCOMPARE(shown.random.draws, draws + 18);

        // A handle that names no window captures nothing.
        QCOMPARE(form.mouseCapture().setCapture(WId(0)), WId(0));
        QCOMPARE(form.mouseCapture().owner(), nullptr);
    }

    void aWindowClosedMidDragLeavesTheNextOneWorking()
    {
        {
            window_test::ShownForm first;
            layOutGrid(first.form(), kUpright);
            QTest::mousePress(first.window(), Qt::LeftButton, {}, first.tileCentre(4));
            QVERIFY(first.form().dragState().dragging);
        }
        window_test::ShownForm second;
        window::Form1 &form = second.form();
        layOutGrid(form, kUpright);
        const int draws = second.random.draws;
        // The first window's button never came up.
        QTest::mouseRelease(second.window(), Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mousePress(second.window(), Qt::LeftButton, {}, second.tileCentre(5));
        QVERIFY(form.dragState().dragging);
        QCOMPARE(form.dragState().dragIndex, std::int16_t(5));
        QTest::mouseRelease(second.window(), Qt::LeftButton, {}, second.tileCentre(5));
        QVERIFY(!form.dragState().dragging);
        QTest::mouseClick(second.window(), Qt::LeftButton, {}, second.centreOf(form.command1()));
        QCOMPARE(second.random.draws, draws + 18);
    }
};

QTEST_MAIN(MouseCaptureTest)
#include "mouse_capture_test.moc"
