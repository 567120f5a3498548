// The bitmap reading the pictures take: pixel for pixel what Qt's own bitmap
// reader gives, for every built-in picture and for the depths and row orders
// a bitmap file may hold, and nothing at all for a file it does not take,
// which Qt's reader then reads instead.
#include "assets/picture_paths.h"
#include "file_bytes.h"
#include "puzzle/board_setup.h"
#include "window/bitmap_file.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QResource>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QImage readByQt(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "bmp");
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

QByteArray written(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(image))
        qFatal("could not write a bitmap");
    return bytes;
}

// A picture of odd width, so that every row is padded.
QImage pattern(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 37 % 256, y * 53 % 256, (x + y) * 11 % 256));
    return image;
}

void putLittleEndian(QByteArray &bytes, qsizetype at, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = char(value >> (8 * i) & 0xff);
}

// A file of 32 bits a pixel, which Qt reads and decodeBitmap leaves to it.
QByteArray written32(const QImage &image)
{
    const qsizetype pixels = qsizetype(image.width()) * image.height() * 4;
    QByteArray bytes(14 + 40, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    putLittleEndian(bytes, 2, quint32(bytes.size() + pixels), 4);
    putLittleEndian(bytes, 10, 14 + 40, 4);
    putLittleEndian(bytes, 14, 40, 4);
    putLittleEndian(bytes, 18, quint32(image.width()), 4);
    putLittleEndian(bytes, 22, quint32(image.height()), 4);
    putLittleEndian(bytes, 26, 1, 2);
    putLittleEndian(bytes, 28, 32, 2);
    for (int y = image.height() - 1; y >= 0; --y)
        bytes.append(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * 4);
    return bytes;
}

// The same file with its rows stored top row first, as a negative height says.
QByteArray topRowFirst(const QByteArray &bytes)
{
    const assets_test::Bytes fields(bytes.begin(), bytes.end());
    const auto pixelsAt = qsizetype(assets_test::u32At(fields, 10));
    const int width = assets_test::i32At(fields, 18);
    const int height = assets_test::i32At(fields, 22);
    const auto stride = qsizetype(assets_test::bmpRowBytes(width, assets_test::u16At(fields, 28)));
    QByteArray flipped = bytes;
    for (int y = 0; y < height; ++y)
        flipped.replace(pixelsAt + y * stride, stride, bytes.mid(pixelsAt + (height - 1 - y) * stride, stride));
    putLittleEndian(flipped, 22, quint32(-height), 4);
    return flipped;
}

} // namespace

class BitmapFileTest : public QObject {
    Q_OBJECT

private slots:
    void everyBuiltInPictureAsQtReadsIt()
    {
        QStringList paths{assets::decorationPath()};
        for (int layer = 1; layer <= puzzle::kLayers; ++layer)
            for (int tile = 0; tile < puzzle::kTiles; ++tile)
                paths.append(assets::tilePath(tile, layer));
        for (const QString &path : paths) {
            const QByteArray bytes = QResource(path).uncompressedData();
            const QImage decoded = window::decodeBitmap(bytes);
            QVERIFY2(!decoded.isNull(), qPrintable(path));
            QCOMPARE(decoded.format(), QImage::Format_RGB32);
            QVERIFY2(decoded == readByQt(bytes), qPrintable(path));
        }
    }

    void eachDepthAndRowOrderAsQtReadsIt_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QImage colours = pattern(13, 7);
        QImage grey = colours.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_Indexed8);
        QTest::newRow("24 bits") << written(colours);
        QTest::newRow("24 bits, top row first") << topRowFirst(written(colours));
        QTest::newRow("8 bits") << written(grey);
        QTest::newRow("8 bits, top row first") << topRowFirst(written(grey));
        QTest::newRow("1 bit") << written(colours.convertToFormat(QImage::Format_Mono));
        QTest::newRow("one pixel") << written(pattern(1, 1));
    }

    void eachDepthAndRowOrderAsQtReadsIt()
    {
        QFETCH(QByteArray, file);
        const QImage decoded = window::decodeBitmap(file);
        QVERIFY(!decoded.isNull());
        QCOMPARE(decoded.format(), QImage::Format_RGB32);
        QCOMPARE(decoded, readByQt(file));
    }

    void takesNothingItDoesNotRead_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray colours = written(pattern(13, 7));
        const QByteArray grey =
            written(pattern(13, 7).convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_Indexed8));
        auto with = [](QByteArray bytes, qsizetype at, quint32 value, int size) {
            putLittleEndian(bytes, at, value, size);
            return bytes;
        };
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not a bitmap") << with(colours, 0, 'X', 1);
        QTest::newRow("header cut short") << colours.left(40);
        QTest::newRow("pixels cut short") << colours.left(colours.size() - 1);
        QTest::newRow("palette cut short") << grey.left(14 + 40 + 100);
        QTest::newRow("pixels beyond the file") << with(colours, 10, quint32(colours.size()), 4);
        QTest::newRow("compressed") << with(colours, 30, 1, 4);
        QTest::newRow("32 bits") << with(colours, 28, 32, 2);
        QTest::newRow("two planes") << with(colours, 26, 2, 2);
        QTest::newRow("no width") << with(colours, 18, 0, 4);
        QTest::newRow("no height") << with(colours, 22, 0, 4);
        QTest::newRow("too wide") << with(colours, 18, 1u << 20, 4);
        QTest::newRow("too high, top row first") << with(colours, 22, quint32(-(1 << 20)), 4);
        QTest::newRow("short header") << with(colours, 14, 12, 4);
        QTest::newRow("colour beyond the palette") << with(grey, 46, 2, 4);
        QTest::newRow("colour just beyond the palette")
            << with(written(pattern(13, 7).convertToFormat(QImage::Format_Mono)), 46, 1, 4);
        QTest::newRow("palette larger than the depth") << with(grey, 46, 257, 4);
    }

    void takesNothingItDoesNotRead()
    {
        QFETCH(QByteArray, file);
        QVERIFY(window::decodeBitmap(file).isNull());
    }

    // A file outside the resources, or one it does not take, goes to Qt.
    void readsWhatItDoesNotTakeByQt()
    {
        const QByteArray deeper = written32(pattern(13, 7));
        QVERIFY(window::decodeBitmap(deeper).isNull());
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const QByteArray &bytes : {written(pattern(13, 7)), deeper}) {
            QFile file(dir.filePath(QStringLiteral("picture.bmp")));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
            file.close();
            const QImage read = window::readBitmap(file.fileName());
            QVERIFY(!read.isNull());
            QCOMPARE(read.convertToFormat(QImage::Format_RGB32), pattern(13, 7));
        }
    }
};

QTEST_GUILESS_MAIN(BitmapFileTest)
#include "bitmap_file_test.moc"
