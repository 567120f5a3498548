// How the real window shows its built-in pictures: a picture box draws its
// bitmap at the bitmap's own size from the top-left corner of its inner area,
// cut off at the inner area's edges, never scaled, with the box's background
// where the bitmap does not reach. The expected pixels are decoded here from
// the embedded files' bytes, not by the bitmap reader the boxes use.
#include "board_arrangement.h"
#include "form_fixture.h"

#include "assets/picture_paths.h"
#include "file_bytes.h"

#include <QFile>
#include <QImage>
#include <QtTest>

#include <array>
#include <optional>

namespace {

// An uncompressed bottom-up bitmap of 4 or 24 bits a pixel, as RGB colours.
QImage decodeBitmap(const QString &resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray raw = file.readAll();
    const assets_test::Bytes b(raw.begin(), raw.end());
    const int offset = int(assets_test::u32At(b, 10)), width = assets_test::i32At(b, 18),
              height = assets_test::i32At(b, 22);
    const int bits = assets_test::u16At(b, 28);
    const int rowBytes = int(assets_test::bmpRowBytes(width, bits));
    if (b.size() < std::size_t(offset + rowBytes * height) || (bits != 4 && bits != 24))
        return {};
    QImage out(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const int row = offset + rowBytes * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            int at = 0;
            if (bits == 24) {
                at = row + 3 * x;
            } else {
                const std::uint8_t byte = std::uint8_t(b[row + x / 2]);
                at = 54 + 4 * ((x % 2 == 0) ? byte >> 4 : byte & 0x0F);
            }
            out.setPixel(x, y, qRgb(std::uint8_t(b[at + 2]), std::uint8_t(b[at + 1]), std::uint8_t(b[at])));
        }
    }
    return out;
}

// The first pixel of `shown` that differs from what a box of this size
// should show: `border` pixels of `borderColour` all round, then the bitmap
// from the inner top-left, then `background`.
std::optional<QString> firstMismatch(const QImage &shown, const QImage &bitmap, int border, QRgb borderColour,
                                     QRgb background)
{
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const int bx = x - border, by = y - border;
            QRgb want = background;
            if (x < border || y < border || x >= shown.width() - border || y >= shown.height() - border)
                want = borderColour;
            else if (bx < bitmap.width() && by < bitmap.height())
                want = bitmap.pixel(bx, by);
            const QRgb got = shown.pixel(x, y);
            if (qRed(got) != qRed(want) || qGreen(got) != qGreen(want) || qBlue(got) != qBlue(want))
                return QStringLiteral("pixel (%1, %2) is #%3, should be #%4")
                    .arg(x)
                    .arg(y)
                    .arg(got & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                    .arg(want & 0xFFFFFF, 6, 16, QLatin1Char('0'));
        }
    return std::nullopt;
}

QImage grabbed(QWidget &w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); }

bool isWhite(QRgb c) { return (c & 0xFFFFFF) == 0xFFFFFF; }

// The colours a half-figure's body may have.
bool isBodyColour(QRgb c)
{
    const QRgb rgb = c & 0xFFFFFF;
    return rgb == 0xFF0000 || rgb == 0xC0C0C0 || rgb == 0xFFFF00 || rgb == 0x00FF00;
}

struct LineReading {
    int figurePixels = 0;      // not white
    std::array<int, 4> body{}; // red, grey, yellow, green
    int mostBody() const { return int(std::max_element(body.begin(), body.end()) - body.begin()); }
};

LineReading readLine(const QImage &img, QPoint from, QPoint step, int length, std::vector<bool> &figure)
{
    LineReading r;
    figure.assign(std::size_t(length), false);
    for (int i = 0; i < length; ++i) {
        const QRgb c = img.pixel(from + step * i);
        if (isWhite(c))
            continue;
        ++r.figurePixels;
        figure[std::size_t(i)] = true;
        const QRgb rgb = c & 0xFFFFFF;
        if (isBodyColour(c))
            ++r.body[rgb == 0xFF0000 ? 0 : rgb == 0xC0C0C0 ? 1 : rgb == 0xFFFF00 ? 2 : 3];
    }
    return r;
}

} // namespace

class PictureDisplayTest : public QObject {
    Q_OBJECT

    // Across every inner edge of a 3 x 3 arrangement, the two halves that
    // touch show one insect: on the last shown line of one tile and the first
    // of the next, the figures have one body colour and lie side by side.
    void checkWholeInsects(window::Form1 &form, const std::array<std::int16_t, 9> &tileAt)
    {
        const QImage panel = grabbed(form.picture5());
        for (int cell = 0; cell < 9; ++cell) {
            for (bool acrossRight : {true, false}) {
                if ((acrossRight && cell % 3 == 2) || (!acrossRight && cell >= 6))
                    continue;
                const int next = acrossRight ? cell + 1 : cell + 3;
                auto box = [&](int c) -> window::PictureBox & {
                    const std::int16_t t = tileAt[std::size_t(c)];
                    for (int layer = 1; layer <= puzzle::kLayers; ++layer)
                        if (form.picture(layer, t).isVisible())
                            return form.picture(layer, t);
                    return form.picture(1, t);
                };
                window::PictureBox &a = box(cell), &b = box(next);
                const QRect ia = a.contentsRect().translated(a.pos()), ib = b.contentsRect().translated(b.pos());
                std::vector<bool> fa, fb;
                LineReading ra, rb;
                if (acrossRight) {
                    const int top = std::max(ia.top(), ib.top()), length = std::min(ia.bottom(), ib.bottom()) - top + 1;
                    ra = readLine(panel, QPoint(ia.right(), top), QPoint(0, 1), length, fa);
                    rb = readLine(panel, QPoint(ib.left(), top), QPoint(0, 1), length, fb);
                } else {
                    const int left = std::max(ia.left(), ib.left()),
                              length = std::min(ia.right(), ib.right()) - left + 1;
                    ra = readLine(panel, QPoint(left, ia.bottom()), QPoint(1, 0), length, fa);
                    rb = readLine(panel, QPoint(left, ib.top()), QPoint(1, 0), length, fb);
                }
                int sideBySide = 0;
                for (std::size_t i = 0; i < fa.size(); ++i)
                    sideBySide += fa[i] && fb[i] ? 1 : 0;
                const QByteArray where = QStringLiteral("cells %1 and %2").arg(cell).arg(next).toUtf8();
                // A chord is 85 px across a left-right edge and 93 px across a
                // top-bottom one; the two halves' middles may lie a pixel or two apart.
                const int chord = acrossRight ? 85 : 93;
                QVERIFY2(ra.figurePixels >= chord - 4 && ra.figurePixels <= chord, where.constData());
                QVERIFY2(rb.figurePixels >= chord - 4 && rb.figurePixels <= chord, where.constData());
                QVERIFY2(sideBySide >= chord - 6, where.constData());
                QVERIFY2(ra.mostBody() == rb.mostBody(), where.constData());
            }
        }
    }

private slots:
    void tilePictureShowsItsBitmapAtTheInnerTopLeftUnscaledAndCut()
    {
        window_test::ShownForm shown;
        for (int layer = 1; layer <= puzzle::kLayers; ++layer)
            for (std::int16_t tile = 0; tile < puzzle::kTiles; ++tile) {
                const QByteArray name = assets::tilePath(tile, layer).toUtf8();
                window::PictureBox &box = shown.form().picture(layer, tile);
                window_test::placeTile(shown.form(), tile, layer, 0, 0);
                const QImage bitmap = decodeBitmap(assets::tilePath(tile, layer));
                QVERIFY2(!bitmap.isNull(), name.constData());
                const QImage shownImage = grabbed(box);
                // 2800 twips: 187 px with a 1-px border, so 185 px inside:
                // every tile bitmap, 185 to 190 px, is cut at the right and bottom.
                QCOMPARE(shownImage.size(), QSize(187, 187));
                QCOMPARE(box.contentsRect(), QRect(1, 1, 185, 185));
                // The border is the one colour Qt draws a plain frame in, the
                // window text's; Qt has no role for the window-frame colour.
                const auto mismatch =
                    firstMismatch(shownImage, bitmap, 1, box.palette().color(QPalette::WindowText).rgb(),
                                  box.palette().color(QPalette::Base).rgb());
                QVERIFY2(!mismatch, (QString::fromUtf8(name) + QStringLiteral(": ") + mismatch.value_or(QString()))
                                        .toUtf8()
                                        .constData());
            }
    }

    void backgroundShowsWhereTheBitmapDoesNotReach()
    {
        // A box larger than its bitmap: the bitmap stays at its own size in
        // the top-left corner, neither scaled nor centred.
        window_test::ShownForm shown;
        window::PictureBox &box = shown.form().picture(1, 0);
        window_test::placeTile(shown.form(), 0, 1, 0, 0);
        box.twips().setWidth(3300);
        box.twips().setHeight(3150);
        const QImage bitmap = decodeBitmap(assets::tilePath(0, 1));
        QCOMPARE(bitmap.size(), QSize(185, 185));
        const QImage shownImage = grabbed(box);
        QCOMPARE(shownImage.size(), QSize(220, 210));
        const QRgb background = box.palette().color(QPalette::Base).rgb();
        QVERIFY(qGray(background) != qGray(box.palette().color(QPalette::WindowText).rgb()));
        const auto mismatch =
            firstMismatch(shownImage, bitmap, 1, box.palette().color(QPalette::WindowText).rgb(), background);
        QVERIFY2(!mismatch, mismatch.value_or(QString()).toUtf8().constData());
    }

    void decorationShowsItsTopLeftPartWithoutBorder()
    {
        window_test::ShownForm shown;
        window::PictureBox &box = shown.form().picture6();
        const QImage bitmap = decodeBitmap(assets::decorationPath());
        QCOMPARE(bitmap.size(), QSize(125, 93));
        const QImage shownImage = grabbed(box);
        QCOMPARE(shownImage.size(), QSize(121, 89));
        const auto mismatch = firstMismatch(shownImage, bitmap, 0, 0, box.palette().color(QPalette::Button).rgb());
        QVERIFY2(!mismatch, mismatch.value_or(QString()).toUtf8().constData());
        // What is cut off is only the pale grey field.
        for (int y = 0; y < bitmap.height(); ++y)
            for (int x = 0; x < bitmap.width(); ++x)
                if (x >= 121 || y >= 89)
                    QCOMPARE(bitmap.pixel(x, y) & 0xFFFFFF, QRgb(0xEBE9ED));
    }

    void panelHasASunkenBorderAroundTheButtonFace()
    {
        window_test::ShownForm shown;
        window::PictureBox &panel = shown.form().picture5();
        const QImage img = grabbed(panel);
        const QRect inner = panel.contentsRect();
        QVERIFY(inner.left() >= 1 && inner.top() >= 1);
        const int midY = inner.top() + window::pixelsFromTwips(4400),
                  midX = inner.left() + window::pixelsFromTwips(8700);
        // Between the board and the controls beside it only the panel shows.
        QCOMPARE(img.pixel(midX, midY), panel.palette().color(QPalette::Button).rgb());
        // Sunken: shadow along the top and left, light along the bottom and right.
        QVERIFY(qGray(img.pixel(0, midY)) < qGray(img.pixel(img.width() - 1, midY)));
        QVERIFY(qGray(img.pixel(midX, 0)) < qGray(img.pixel(midX, img.height() - 1)));
    }

    void solvedLayoutShowsWholeInsectsAcrossEveryInnerEdge()
    {
        window_test::ShownForm shown;
        window_test::layOutGrid(shown.form(), window_test::kUpright);
        checkWholeInsects(shown.form(), {0, 1, 2, 3, 4, 5, 6, 7, 8});
    }

    void secondArrangementShowsWholeInsectsAcrossEveryInnerEdge()
    {
        // Row by row: 5 in layer 2, 0, 8 / 1 in layer 2, 3, 4 / 2 in layer 2, 6, 7.
        window_test::ShownForm shown;
        const std::array<std::int16_t, 9> tileAt{5, 0, 8, 1, 3, 4, 2, 6, 7};
        const std::array<int, 9> layerAt{2, 1, 1, 2, 1, 1, 2, 1, 1};
        for (int cell = 0; cell < 9; ++cell)
            window_test::placeTile(shown.form(), tileAt[std::size_t(cell)], layerAt[std::size_t(cell)],
                                   puzzle::kCellPitch * (cell % 3), puzzle::kCellPitch * (cell / 3));
        checkWholeInsects(shown.form(), tileAt);
    }
};

QTEST_MAIN(PictureDisplayTest)
#include "picture_display_test.moc"
