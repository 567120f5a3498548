// The window's icon as the window reads it from the built-in icon file: each
// size the file holds, the image of most colours where it holds several of a
// size, pixel for pixel what Qt's own reading of the file gives.
#include "form_fixture.h"

#include "assets/picture_paths.h"
#include "window/window_icon.h"

#include <QIcon>
#include <QImage>
#include <QtTest>

#include <algorithm>

namespace {

QList<int> sides(const QIcon &icon)
{
    QList<int> out;
    for (const QSize &size : icon.availableSizes()) {
        if (size.width() != size.height())
            return {};
        out.append(size.width());
    }
    std::sort(out.begin(), out.end());
    return out;
}

QImage pixels(const QIcon &icon, int side)
{
    return icon.pixmap(side).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class WindowIconTest : public QObject {
    Q_OBJECT

private slots:
    void holdsEverySizeOfTheFileAsQtReadsIt()
    {
        const QIcon read = window::iconFromResource(assets::iconPath());
        const QIcon byQt(assets::iconPath());
        QCOMPARE(sides(read), (QList<int>{16, 32, 48, 128, 256}));
        QCOMPARE(sides(read), sides(byQt));
        // The stored sizes, and sizes between and beyond them, which the
        // platform scales from the nearest.
        for (int side : {16, 32, 48, 128, 256, 24, 64, 512})
            QVERIFY2(pixels(read, side) == pixels(byQt, side), qPrintable(QString::number(side)));
    }

    void readsOnlyTheSizesAskedFor_data()
    {
        QTest::addColumn<int>("largestSide");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("below the smallest") << 15 << QList<int>{};
        QTest::newRow("the small ones") << 48 << QList<int>{16, 32, 48};
        QTest::newRow("between two") << 100 << QList<int>{16, 32, 48};
        QTest::newRow("all but the PNG") << 255 << QList<int>{16, 32, 48, 128};
        QTest::newRow("all") << 256 << QList<int>{16, 32, 48, 128, 256};
    }

    void readsOnlyTheSizesAskedFor()
    {
        QFETCH(int, largestSide);
        QFETCH(QList<int>, expected);
        const QIcon read = window::iconFromResource(assets::iconPath(), largestSide);
        QCOMPARE(sides(read), expected);
        const QIcon byQt(assets::iconPath());
        for (int side : expected)
            QVERIFY2(pixels(read, side) == pixels(byQt, side), qPrintable(QString::number(side)));
    }

    // The small sizes from the start, the rest once the window has painted.
    void theWindowShowsIt()
    {
        window_test::ShownForm shown(window_test::ShownForm::Start::Later);
        QCOMPARE(sides(shown.form().windowIcon()), (QList<int>{16, 32, 48}));
        shown.load();
        QVERIFY(shown.show());
        QTRY_COMPARE(sides(shown.form().windowIcon()), (QList<int>{16, 32, 48, 128, 256}));
        QVERIFY(pixels(shown.form().windowIcon(), 48) == pixels(QIcon(assets::iconPath()), 48));
        QVERIFY(pixels(shown.form().windowIcon(), 256) == pixels(QIcon(assets::iconPath()), 256));
    }
};

QTEST_MAIN(WindowIconTest)
#include "window_icon_test.moc"
