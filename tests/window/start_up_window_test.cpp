// Start-up of the real window on an offscreen screen of 1024 x 768 pixels
// (15360 x 11520 twips): the window's outer size, its centring by the size it
// really took, and the panel's place.
#include "form_fixture.h"

#include "window/twips.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

} // namespace

class StartUpWindowTest : public QObject {
    Q_OBJECT
private slots:
    void theScreenIsTheConfiguredOne()
    {
        // Guards the set-up below: every figure in this file assumes it.
        QScreen *screen = QGuiApplication::primaryScreen();
        QVERIFY(screen);
        QCOMPARE(screen->geometry(), QRect(0, 0, kScreenWidth, kScreenHeight));
    }

    void outerSizeIsHeldInWholePixels()
    {
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        // 11760 - 120 twips of frame is exactly 776 pixels; 9280 - 510 is
        // 584 2/3 pixels, which the window holds as 585: it reports 9285.
        QCOMPARE(form.placement().outerWidth(), 11760.0f);
        QCOMPARE(form.placement().outerHeight(), 9285.0f);
        QCOMPARE(form.size(), QSize(776, 585));
    }

    void centresByTheOuterSizeReadBack()
    {
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        // (15360 - 11760) / 2 and (11520 - 9285) / 2: the half twip is kept.
        QCOMPARE(form.placement().windowLeft(), 1800.0f);
        QCOMPARE(form.placement().windowTop(), 1117.5f);

        // The client area lies inside the designed frame: 60 twips in, 450
        // down, brought to whole pixels (1567.5 twips is 104.5 pixels).
        QCOMPARE(form.geometry().topLeft(), QPoint(124, 105));

        // The outer rectangle the window reports is centred on the screen to
        // within the half pixel that whole pixels cost.
        window::WindowPlacement &placement = form.placement();
        const QRectF outer(form.geometry().left() - placement.kFrameLeft / window::kTwipsPerPixel,
                           form.geometry().top() - placement.kFrameTop / window::kTwipsPerPixel,
                           placement.outerWidth() / window::kTwipsPerPixel,
                           placement.outerHeight() / window::kTwipsPerPixel);
        QVERIFY(qAbs(outer.center().x() - kScreenWidth / 2.0) <= 0.5);
        QVERIFY(qAbs(outer.center().y() - kScreenHeight / 2.0) <= 0.5);
    }

    void placesThePanelInsideTheClientArea()
    {
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        window::TwipsGeometry &panel = form.picture5().twips();
        QCOMPARE(panel.left(), 190.0f);
        QCOMPARE(panel.top(), 120.0f);
        QCOMPARE(panel.width(), 11260.0f);
        QCOMPARE(panel.height(), 8500.0f);

        // 190 twips is 12 2/3 pixels, 11260 is 750 2/3, 8500 is 566 2/3.
        QCOMPARE(form.picture5().geometry(), QRect(13, 8, 751, 567));
        QVERIFY(form.rect().contains(form.picture5().geometry()));
        QCOMPARE(form.picture5().parentWidget(), &form);
    }
};

int main(int argc, char *argv[])
{
    // The offscreen platform's screen is described by a file given with the
    // platform's name; each run writes its own, so parallel runs never meet.
    QTemporaryDir dir;
    if (!dir.isValid())
        return 2;
    const QString path = dir.filePath(QStringLiteral("screen.json"));
    QFile config(path);
    if (!config.open(QIODevice::WriteOnly))
        return 2;
    config.write(QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1, "height": %2,
                                    "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                     .arg(kScreenWidth)
                     .arg(kScreenHeight)
                     .toUtf8());
    config.close();
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QFile::encodeName(path));

    QApplication app(argc, argv);
    StartUpWindowTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "start_up_window_test.moc"
