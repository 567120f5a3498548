// Drags and a double-click on the real window under X11, with the pointer
// moved and pressed by xdotool through the X server, as a player's mouse is.
#include "board_arrangement.h"
#include "form_fixture.h"
#include "xdotool_driver.h"

#include <QtTest>

using window_test::heldTilePlace;
using window_test::layOutGrid;
using window_test::onPicture;
using window_test::ShownForm;
using window_test::tileMismatch;

namespace {

constexpr int kWaitMs = window_test::kXWaitMs;
using window_test::moveTo;
using window_test::xdotool;

} // namespace

class X11PointerTest : public QObject {
    Q_OBJECT
private:
    // The window must be where Qt believes it is before screen points are worked out.
    static bool settled(window::Form1 &form)
    {
        return QTest::qWaitFor([&] { return form.windowHandle()->isExposed(); }, kWaitMs);
    }

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs the xcb platform on an X server");
    }

    void aDragPutsTheGrabbedPointUnderThePointer()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();
        QVERIFY(settled(form));
        layOutGrid(form, {1, 1, 1, 1, 2, 1, 1, 1, 1});
        const QPoint grab(60, 50);
        const QPoint press = onPicture(form, 2, 4, grab);
        const QPoint path[] = {press + QPoint(30, 20), press + QPoint(-150, 140), press + QPoint(210, -90)};

        QVERIFY(xdotool(moveTo(form.mapToGlobal(press)) << QStringLiteral("mousedown") << QStringLiteral("1")));
        QTRY_VERIFY_WITH_TIMEOUT(form.dragState().dragging, kWaitMs);
        QCOMPARE(form.dragState().dragIndex, std::int16_t(4));
        for (const QPoint &p : path) {
            QVERIFY(xdotool(moveTo(form.mapToGlobal(p))));
            const QPointF at = heldTilePlace(form, p, grab);
            QTRY_COMPARE_WITH_TIMEOUT(tileMismatch(form, 4, at.x(), at.y()), QString(), kWaitMs);
        }
        QVERIFY(xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}));
        QTRY_VERIFY_WITH_TIMEOUT(!form.dragState().dragging, kWaitMs);
        QVERIFY(!form.mouseCapture().owner());
        const QPointF dropped = heldTilePlace(form, path[2], grab);
        QCOMPARE(tileMismatch(form, 4, dropped.x(), dropped.y()), QString());
        QVERIFY(form.picture(2, 4).isVisible());
    }

    void aDragThatLeavesTheWindowFollowsAndEndsOutside()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();
        QVERIFY(settled(form));
        layOutGrid(form, {1, 1, 1, 1, 1, 1, 1, 1, 1});
        const QPoint grab(100, 100);
        const QPoint press = onPicture(form, 1, 5, grab);
        // Beyond the window's right edge, then below and left of it: on the
        // screen, off the window.
        const QPoint outside[] = {QPoint(form.width() + 120, 200), QPoint(-60, form.height() + 70)};
        const QRect screen = form.screen()->geometry();
        for (const QPoint &p : outside) {
            QVERIFY(!form.rect().contains(p));
            QVERIFY(screen.contains(form.mapToGlobal(p)));
        }

        QVERIFY(xdotool(moveTo(form.mapToGlobal(press)) << QStringLiteral("mousedown") << QStringLiteral("1")));
        QTRY_VERIFY_WITH_TIMEOUT(form.dragState().dragging, kWaitMs);
        for (const QPoint &p : outside) {
            QVERIFY(xdotool(moveTo(form.mapToGlobal(p))));
            const QPointF at = heldTilePlace(form, p, grab);
            QTRY_COMPARE_WITH_TIMEOUT(tileMismatch(form, 5, at.x(), at.y()), QString(), kWaitMs);
        }
        QVERIFY(xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}));
        QTRY_VERIFY_WITH_TIMEOUT(!form.dragState().dragging, kWaitMs);
        QVERIFY(!form.mouseCapture().owner());
        const QPointF dropped = heldTilePlace(form, outside[1], grab);
        QCOMPARE(tileMismatch(form, 5, dropped.x(), dropped.y()), QString());

        // Back over the window with no button down: the tile stays. The
        // move's arrival is seen on the pointer Qt reports.
        const QPoint back = form.mapToGlobal(QPoint(5, 300));
        QVERIFY(xdotool(moveTo(back)));
        QTRY_COMPARE_WITH_TIMEOUT(QCursor::pos(), back, kWaitMs);
        QCOMPARE(tileMismatch(form, 5, dropped.x(), dropped.y()), QString());
    }

    void aDoubleClickTurnsTheTileWhereItLies()
    {
        ShownForm shown;
        window::Form1 &form = shown.form();
        QVERIFY(settled(form));
        layOutGrid(form, {1, 1, 1, 1, 1, 1, 1, 1, 4});
        const float left = form.picture(4, 8).twips().left();
        const float top = form.picture(4, 8).twips().top();
        const QPoint at = onPicture(form, 4, 8, QPoint(93, 93));

        QVERIFY(xdotool(moveTo(form.mapToGlobal(at))
                        << QStringLiteral("click") << QStringLiteral("--repeat") << QStringLiteral("2")
                        << QStringLiteral("--delay") << QStringLiteral("80") << QStringLiteral("1")));
        QTRY_COMPARE_WITH_TIMEOUT(shown.visibleLayer(8), 1, kWaitMs);
        QCOMPARE(tileMismatch(form, 8, left, top), QString());
        QVERIFY(!form.dragState().dragging);
        QVERIFY(!form.mouseCapture().owner());
        // A second one turns it on by one more layer.
        QVERIFY(xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
                         QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")}));
        QTRY_COMPARE_WITH_TIMEOUT(shown.visibleLayer(8), 2, kWaitMs);
        QCOMPARE(tileMismatch(form, 8, left, top), QString());
        QVERIFY(!form.dragState().dragging);
    }
};

QTEST_MAIN(X11PointerTest)
#include "x11_pointer_test.moc"
