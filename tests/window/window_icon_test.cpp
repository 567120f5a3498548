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

    void theWindowShowsIt()
    {
        window_test::ShownForm shown;
        const QIcon icon = shown.form().windowIcon();
        QCOMPARE(sides(icon), (QList<int>{16, 32, 48, 128, 256}));
        QVERIFY(pixels(icon, 48) == pixels(QIcon(assets::iconPath()), 48));
    }
};

QTEST_MAIN(WindowIconTest)
#include "window_icon_test.moc"
