// The window as it is defined: its controls' places and sizes in twips, the
// captions, fonts, colours and borders, the keyboard focus and tab order, the
// stacking of the controls as the mouse finds it, and the event bindings.
#include "board_arrangement.h"
#include "form_fixture.h"

#include "window/twips.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QScopeGuard>
#include <QTextLayout>
#include <QtTest>

#include <cmath>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using window_test::panelPoint;
using window_test::kUpright;
using window_test::layOutGrid;
using window_test::placeTile;

struct Control {
    QWidget *widget;
    window::TwipsGeometry *twips;
};

// The controls other than the tile pictures, by the names the game gives them.
Control control(window::Form1 &form, std::string_view name)
{
    if (name == "Picture5")
        return {&form.picture5(), &form.picture5().twips()};
    if (name == "Picture6")
        return {&form.picture6(), &form.picture6().twips()};
    if (name == "Command1")
        return {&form.command1(), &form.command1().twips()};
    if (name == "Label1")
        return {&form.label1(), &form.label1().twips()};
    if (name == "Label2")
        return {&form.label2(), &form.label2().twips()};
    if (name == "Label3")
        return {&form.label3(), &form.label3().twips()};
    qFatal("no control named %s", std::string(name).c_str());
}

QString describe(std::string_view name) { return QString::fromUtf8(name.data(), qsizetype(name.size())); }

// Where a control with this twips geometry must lie, in pixels, in its
// container's frame: measured from inside the container's border.
QRect expectedPixels(const QWidget &widget, float left, float top, float width, float height)
{
    const QPoint inner = widget.parentWidget()->contentsRect().topLeft();
    return QRect(inner.x() + window::pixelsFromTwips(left), inner.y() + window::pixelsFromTwips(top),
                 window::pixelsFromTwips(width), window::pixelsFromTwips(height));
}

int missingGlyphs(const QFont &font, const QString &text)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    int missing = 0;
    for (const QGlyphRun &run : layout.glyphRuns())
        for (quint32 glyph : run.glyphIndexes())
            missing += glyph == 0;
    return missing;
}

bool holds(const QFont &font, const QString &text)
{
    const QFontMetrics metrics(font);
    for (char32_t c : text.toUcs4())
        if (!metrics.inFontUcs4(c))
            return false;
    return missingGlyphs(font, text) == 0;
}

} // namespace

class FormDefinitionTest : public QObject {
    Q_OBJECT
private slots:
    void controlsLieWhereTheDefinitionPutsThem()
    {
        struct Row {
            std::string_view name;
            float left, top, width, height;
        };
        // The panel's place is the one start-up gives it; the others keep
        // their design places.
        static constexpr Row rows[] = {
            {"Picture5", 190, 120, 11260, 8500}, {"Command1", 9360, 7800, 1095, 375},
            {"Picture6", 9000, 480, 1815, 1335}, {"Label3", 9120, 150, 495, 255},
            {"Label2", 9000, 7440, 1695, 255},   {"Label1", 9720, 120, 975, 375},
        };
        window_test::ShownForm shown;
        for (const Row &row : rows) {
            const Control c = control(shown.form(), row.name);
            const QString what = describe(row.name);
            QVERIFY2(c.twips->left() == row.left, qPrintable(what));
            QVERIFY2(c.twips->top() == row.top, qPrintable(what));
            QVERIFY2(c.twips->width() == row.width, qPrintable(what));
            QVERIFY2(c.twips->height() == row.height, qPrintable(what));
            QCOMPARE(c.widget->geometry(), expectedPixels(*c.widget, row.left, row.top, row.width, row.height));
            QVERIFY2(c.widget->isVisible(), qPrintable(what));
        }
    }

    void tilePicturesAreSquaresOnTheCellsOfTheGrid()
    {
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        std::set<std::pair<float, float>> cells;
        for (std::int16_t i = 0; i < puzzle::kTiles; ++i) {
            const float left = form.board().left(1, i);
            const float top = form.board().top(1, i);
            cells.insert({left, top});
            QVERIFY(left == 0 || left == 2800 || left == 5600);
            QVERIFY(top == 0 || top == 2800 || top == 5600);
            for (int layer = 1; layer <= puzzle::kLayers; ++layer) {
                window::PictureBox &box = form.picture(layer, i);
                QVERIFY(box.twips().width() == 2800.0f);
                QVERIFY(box.twips().height() == 2800.0f);
                QVERIFY(form.board().left(layer, i) == left);
                QVERIFY(form.board().top(layer, i) == top);
                QCOMPARE(box.geometry(), expectedPixels(box, left, top, 2800, 2800));
                QCOMPARE(box.parentWidget(), &form.picture5());
            }
        }
        QCOMPARE(cells.size(), std::size_t(9));
    }

    void geometryReadsBackExactlyWhatWasWritten()
    {
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        // Halves, fractions no pixel can show, negatives, places far off the panel.
        static constexpr float values[] = {1234.5f, -7.5f, 22.5f, 0.1f, 8399.99f, -2800.0f, 40000.25f};
        for (float value : values) {
            form.board().setLeft(3, 4, value);
            form.board().setTop(3, 4, -value);
            QVERIFY(form.board().left(3, 4) == value);
            QVERIFY(form.board().top(3, 4) == -value);
            form.board().move(2, 7, value, value / 2);
            QVERIFY(form.board().left(2, 7) == value);
            QVERIFY(form.board().top(2, 7) == value / 2);
            // Moving leaves the size alone.
            QVERIFY(form.picture(2, 7).twips().width() == 2800.0f);
            QVERIFY(form.picture(2, 7).twips().height() == 2800.0f);
        }
        // The four pictures of a tile moved to one place in twips land on one
        // pixel, whatever the fraction.
        for (float value : values) {
            placeTile(form, 5, 2, value, value + 0.5f);
            const QPoint first = form.picture(1, 5).pos();
            for (int layer = 2; layer <= puzzle::kLayers; ++layer)
                QCOMPARE(form.picture(layer, 5).pos(), first);
        }
    }

    void clientAreaIsTheDesignedOneBeforeAndAfterLoad()
    {
        window_test::ShownForm shown(window_test::ShownForm::Start::Later);
        window::Form1 &form = shown.form();
        // 11640 x 8775 twips.
        QCOMPARE(form.size(), QSize(776, 585));
        // Before load the panel stands where the definition put it.
        window::TwipsGeometry &panel = form.picture5().twips();
        QVERIFY(panel.left() == 120 && panel.top() == 120 && panel.width() == 11200 && panel.height() == 8480);
        QCOMPARE(form.picture5().geometry(), QRect(8, 8, 747, 565));

        shown.load();
        QCOMPARE(form.size(), QSize(776, 585));
        QVERIFY(form.rect().contains(form.picture5().geometry()));
    }

    void resizingTheWindowMovesNothing()
    {
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        std::vector<QRect> before;
        const QList<QWidget *> controls = form.findChildren<QWidget *>();
        for (QWidget *w : controls)
            before.push_back(w->geometry());
        for (QSize size : {QSize(300, 200), QSize(1200, 900)}) {
            form.resize(size);
            QTRY_COMPARE(form.size(), size);
            for (qsizetype i = 0; i < controls.size(); ++i)
                QCOMPARE(controls[i]->geometry(), before[std::size_t(i)]);
        }
    }

    void theWindowHoldsOnlyThePanelAndThePanelHoldsEverythingElse()
    {
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        QCOMPARE(form.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly),
                 QList<QWidget *>{&form.picture5()});
        // 36 tile pictures, the button, the decoration and three labels; with
        // the panel and the timer that makes 43 controls.
        QCOMPARE(form.picture5().findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly).size(), 41);
        QCOMPARE(form.timer1().interval(), 1000);
        QVERIFY(form.timer1().isActive());
        QVERIFY(!form.timer1().isSingleShot());
    }

    void captionsReadCharacterForCharacter()
    {
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();

        const QString head =
            QStringLiteral("Quillamon V1.0") + QString(28, u' ') + QStringLiteral("dorn_pell") + QString(2, u' ');
        const QString title = form.windowTitle();
        QVERIFY2(title.startsWith(head), qPrintable(title));
        const QString address = title.mid(head.size());
        QVERIFY2(!address.isEmpty() && !address.startsWith(u' ') && !address.contains(u' ') && address.count(u'@') == 1,
                 qPrintable(address));
        // The title bar shows it as it is.
        QCOMPARE(shown.window()->title(), title);

        QCOMPARE(form.label3().text(), QString::fromUtf16(u"\u8BA1\u65F6:"));
        QCOMPARE(form.label1().text(), QString::fromUtf16(u" 0\uFF1A0\uFF1A0"));
        QCOMPARE(form.label2().text(), QString::fromUtf16(u"\u53CC\u51FB\u56FE\u7247\u9006\u65F6\u9488\u65CB\u8F6C"));
        QCOMPARE(form.command1().text(), QString::fromUtf16(u"\u66F4\u65B0"));
        // Shown as plain text: nothing in a caption is taken as markup.
        QCOMPARE(form.label1().textFormat(), Qt::PlainText);
        QVERIFY(!form.windowIcon().isNull());
    }

    void clockFontIsTimesNewRomanWithFallbacksThatHoldItsText()
    {
        window_test::ShownForm shown;
        const QFont font = shown.form().label1().font();
        QCOMPARE(font.family(), QStringLiteral("Times New Roman"));
        QCOMPARE(font.pointSizeF(), 10.5);
        QCOMPARE(font.weight(), QFont::Weight(400));
        QVERIFY(!font.italic());
        QVERIFY(!font.underline());
        QVERIFY(!font.strikeOut());
        // Every family named after the first is one that is really there:
        // Times New Roman's metric twin for the digits, then one with the
        // full-width colons.
        const QStringList installed = QFontDatabase::families();
        const QStringList families = font.families();
        QCOMPARE(families.value(0), QStringLiteral("Times New Roman"));
        QVERIFY(families.size() > 1);
        for (const QString &family : families.mid(1))
            QVERIFY2(installed.contains(family), qPrintable(family));
        QCOMPARE(QFontInfo(font).family(), QStringLiteral("Liberation Serif"));
        // What the clock will ever show: blanks, signs, digits, full-width colons.
        QVERIFY(holds(font, QString::fromUtf16(u" -0123456789\uFF1A")));
    }

    void otherCaptionsUseTheDefaultFontAndItHoldsThem()
    {
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        for (QWidget *w : {static_cast<QWidget *>(&form.label2()), static_cast<QWidget *>(&form.label3()),
                           static_cast<QWidget *>(&form.command1())}) {
            QVERIFY2(!w->testAttribute(Qt::WA_SetFont), w->metaObject()->className());
            QCOMPARE(w->font(), QApplication::font(w));
        }
        QVERIFY(holds(form.label2().font(), form.label2().text()));
        QVERIFY(holds(form.label3().font(), form.label3().text()));
        QVERIFY(holds(form.command1().font(), form.command1().text()));
    }

    void captionsFitTheirLabels()
    {
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        for (QLabel *label : {static_cast<QLabel *>(&form.label1()), static_cast<QLabel *>(&form.label2()),
                              static_cast<QLabel *>(&form.label3())}) {
            const QFontMetrics metrics(label->font());
            const QSize text(metrics.horizontalAdvance(label->text()), metrics.height());
            QVERIFY2(label->contentsRect().width() >= text.width(), qPrintable(label->text()));
            QVERIFY2(label->contentsRect().height() >= text.height(), qPrintable(label->text()));
        }
    }

    void coloursAreSystemColoursByRole()
    {
        struct Row {
            std::string_view name;
            QPalette::ColorRole background;
            QPalette::ColorRole foreground;
        };
        static constexpr Row rows[] = {
            {"Picture5", QPalette::Button, QPalette::ButtonText}, {"Picture6", QPalette::Button, QPalette::WindowText},
            {"Command1", QPalette::Button, QPalette::ButtonText}, {"Label1", QPalette::Button, QPalette::ButtonText},
            {"Label2", QPalette::Button, QPalette::ButtonText},   {"Label3", QPalette::Button, QPalette::ButtonText},
        };
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        QCOMPARE(form.backgroundRole(), QPalette::Button);
        for (const Row &row : rows) {
            QWidget *w = control(form, row.name).widget;
            QVERIFY2(w->backgroundRole() == row.background, qPrintable(describe(row.name)));
            QVERIFY2(w->foregroundRole() == row.foreground, qPrintable(describe(row.name)));
        }
        for (int layer = 1; layer <= puzzle::kLayers; ++layer) {
            for (std::int16_t i = 0; i < puzzle::kTiles; ++i) {
                QCOMPARE(form.picture(layer, i).backgroundRole(), QPalette::Base);
                QCOMPARE(form.picture(layer, i).foregroundRole(), QPalette::WindowText);
            }
        }
    }

    void coloursFollowTheUsersScheme()
    {
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, kUpright);
        const QPalette before = QApplication::palette();
        QPalette scheme = before;
        const QColor face(0x12, 0x34, 0x56);
        const QColor frame(0xc0, 0x10, 0x20);
        scheme.setColor(QPalette::Button, face);
        scheme.setColor(QPalette::WindowText, frame);
        QApplication::setPalette(scheme);
        const auto restore = qScopeGuard([&before] { QApplication::setPalette(before); });
        // The change reaches the controls as a posted event.
        QTRY_COMPARE(form.label2().palette().color(QPalette::Button), face);

        // Opaque backgrounds in the button-face colour: the panel between the
        // board and the controls at its right, the window around the panel,
        // and a label past the end of its text.
        const QImage panel = form.picture5().grab().toImage();
        const QPoint gap = form.picture5().mapFrom(&form, panelPoint(form, 8700, 4000));
        QCOMPARE(panel.pixelColor(gap), face);
        QCOMPARE(form.grab().toImage().pixelColor(3, 3), face);
        const QImage hint = form.label2().grab().toImage();
        QCOMPARE(hint.pixelColor(hint.width() - 1, hint.height() - 1), face);
        // The tile's one-pixel border in the frame colour.
        const QImage tile = form.picture(1, 4).grab().toImage();
        QCOMPARE(tile.pixelColor(0, 0), frame);
        QCOMPARE(tile.pixelColor(tile.width() - 1, tile.height() / 2), frame);
    }

    void bordersAndTheInnerAreasTheyLeave()
    {
        struct Row {
            std::string_view name;
            QFrame::Shape shape;
            QFrame::Shadow shadow;
            int inset; // pixels of border on every side
        };
        static constexpr Row rows[] = {
            {"Picture5", QFrame::Panel, QFrame::Sunken, 2}, {"Picture6", QFrame::NoFrame, QFrame::Plain, 0},
            {"Label1", QFrame::NoFrame, QFrame::Plain, 0},  {"Label2", QFrame::NoFrame, QFrame::Plain, 0},
            {"Label3", QFrame::NoFrame, QFrame::Plain, 0},
        };
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        for (const Row &row : rows) {
            auto *frame = qobject_cast<QFrame *>(control(form, row.name).widget);
            QVERIFY(frame);
            QVERIFY2(frame->frameShape() == row.shape, qPrintable(describe(row.name)));
            if (row.shape != QFrame::NoFrame)
                QVERIFY2(frame->frameShadow() == row.shadow, qPrintable(describe(row.name)));
            QCOMPARE(frame->contentsRect(), frame->rect().adjusted(row.inset, row.inset, -row.inset, -row.inset));
        }
        // The decoration box is 121 x 89 pixels with no border.
        QCOMPARE(form.picture6().size(), QSize(121, 89));
        for (int layer = 1; layer <= puzzle::kLayers; ++layer) {
            for (std::int16_t i = 0; i < puzzle::kTiles; ++i) {
                window::PictureBox &box = form.picture(layer, i);
                QCOMPARE(box.frameShape(), QFrame::Box);
                QCOMPARE(box.frameShadow(), QFrame::Plain);
                QCOMPARE(box.contentsRect(), box.rect().adjusted(1, 1, -1, -1));
            }
        }
        QVERIFY(!form.command1().isDefault());
        QVERIFY(!form.command1().autoDefault());
        QVERIFY(!form.command1().isFlat());
    }

    void focusStartsOnThePanelAndTabFollowsTheTabOrder()
    {
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        QVERIFY(QTest::qWaitForWindowActive(shown.window()));
        QCOMPARE(QApplication::focusWidget(), &form.picture5());

        // Tab order 0..41: the panel, Picture1(8)..(0), the button, Label1,
        // Picture2(8)..(0), Picture3, Picture4, Label2, Label3, Picture6.
        // Labels and hidden pictures take no focus.
        std::vector<QWidget *> order{&form.picture5()};
        for (std::int16_t i = 8; i >= 0; --i)
            order.push_back(&form.picture(1, i));
        order.push_back(&form.command1());
        for (int layer = 2; layer <= puzzle::kLayers; ++layer)
            for (std::int16_t i = 8; i >= 0; --i)
                order.push_back(&form.picture(layer, i));
        order.push_back(&form.picture6());
        auto tabRound = [&](const char *board) {
            std::vector<QWidget *> expected;
            for (QWidget *w : order)
                if (w->isVisible())
                    expected.push_back(w);
            QVERIFY2(expected.size() == std::size_t(1 + 9 + 1 + 1), board);
            form.picture5().setFocus();
            for (std::size_t step = 1; step <= expected.size(); ++step) {
                QTest::keyClick(shown.window(), Qt::Key_Tab);
                QVERIFY2(QApplication::focusWidget() == expected[step % expected.size()], board);
            }
            QTest::keyClick(shown.window(), Qt::Key_Backtab, Qt::ShiftModifier);
            QVERIFY2(QApplication::focusWidget() == expected.back(), board);
        };
        // The scrambled board, then every tile in one layer, for each layer.
        tabRound("scrambled");
        if (QTest::currentTestFailed())
            return;
        static const char *const boards[] = {"all layer 1", "all layer 2", "all layer 3", "all layer 4"};
        for (int layer = 1; layer <= puzzle::kLayers; ++layer) {
            for (std::int16_t i = 0; i < puzzle::kTiles; ++i)
                placeTile(form, i, layer, 2800.0f * (i % 3), 2800.0f * (i / 3));
            tabRound(boards[layer - 1]);
            if (QTest::currentTestFailed())
                return;
        }

        for (QWidget *w : {static_cast<QWidget *>(&form.label1()), static_cast<QWidget *>(&form.label2()),
                           static_cast<QWidget *>(&form.label3())})
            QCOMPARE(w->focusPolicy(), Qt::NoFocus);
    }

    void keysOnThePanelDoNothing()
    {
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        QVERIFY(QTest::qWaitForWindowActive(shown.window()));
        layOutGrid(form, kUpright);
        const int draws = shown.random.draws;
        // The button is no default or cancel button: Return and Escape start
        // no game, and no key moves or turns a tile.
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space, Qt::Key_Left})
            QTest::keyClick(shown.window(), key);
        QCOMPARE(shown.random.draws, draws);
        QVERIFY(form.isVisible());
        for (std::int16_t i = 0; i < puzzle::kTiles; ++i) {
            QCOMPARE(shown.visibleLayer(i), 1);
            QVERIFY(form.board().left(1, i) == 2800.0f * (i % 3) && form.board().top(1, i) == 2800.0f * (i / 3));
        }
    }

    void aPressGoesToTheTopmostVisibleControl()
    {
        struct Placement {
            std::int16_t index;
            int layer; // 0: all four pictures hidden
            float left, top;
        };
        struct Case {
            const char *name;
            std::vector<Placement> placements; // in this order, on the solved board
            float x, y;                        // the press, panel frame, twips
            int held;                          // tile held after the press, or -1
            bool newGame;                      // the press and release click the button
        };
        const Case cases[] = {
            {"a layer-1 tile dropped over a layer-2 tile lies beneath it",
             {{4, 2, 2800, 2800}, {0, 1, 3500, 3500}},
             4200,
             4200,
             4,
             false},
            {"layer beats index: layer 4 of tile 8 over layer 3 of tile 0",
             {{0, 3, 0, 0}, {8, 4, 1000, 1000}},
             2000,
             2000,
             8,
             false},
            {"same layer: tile 3 above tile 5 when 5 was moved last",
             {{3, 1, 0, 2800}, {5, 1, 1400, 2800}},
             2000,
             3500,
             3,
             false},
            {"same layer: tile 3 above tile 5 when 3 was moved last",
             {{5, 1, 5600, 2800}, {3, 1, 4200, 2800}},
             5000,
             3500,
             3,
             false},
            {"same layer 4: tile 3 above tile 5", {{3, 4, 0, 2800}, {5, 4, 1400, 2800}}, 2000, 3500, 3, false},
            {"hidden and shown again, tile 3 keeps its level",
             {{3, 1, 0, 2800}, {5, 1, 1400, 2800}, {3, 0, 0, 2800}, {3, 1, 0, 2800}},
             2000,
             3500,
             3,
             false},
            {"shown again, tile 5 does not rise above tile 3",
             {{3, 1, 0, 2800}, {5, 1, 1400, 2800}, {5, 0, 1400, 2800}, {5, 1, 1400, 2800}},
             2000,
             3500,
             3,
             false},
            {"a layer-1 tile passes beneath the button", {{8, 1, 8400, 6600}}, 9907, 7987, -1, true},
            {"a layer-2 tile covers the button", {{8, 2, 8400, 6600}}, 9907, 7987, 8, false},
            {"a layer-3 tile covers the button", {{8, 3, 8400, 6600}}, 9907, 7987, 8, false},
            {"a layer-4 tile covers the button", {{8, 4, 8400, 6600}}, 9907, 7987, 8, false},
            {"a tile covers the hint", {{2, 1, 8600, 6900}}, 9100, 7500, 2, false},
            {"a tile covers the decorative picture", {{6, 1, 8800, 300}}, 9500, 1000, 6, false},
            {"a tile covers the clock", {{7, 1, 9000, 0}}, 9800, 200, 7, false},
            {"a tile covers the clock's caption", {{1, 1, 8500, 0}}, 9200, 250, 1, false},
            {"hidden pictures take no press", {{4, 0, 2800, 2800}}, 4200, 4200, -1, false},
        };
        for (const Case &c : cases) {
            window_test::ShownForm shown;
            window::Form1 &form = shown.form();
            layOutGrid(form, kUpright);
            for (const Placement &p : c.placements)
                placeTile(form, p.index, p.layer, p.left, p.top);
            const int draws = shown.random.draws;

            const QPoint at = panelPoint(form, c.x, c.y);
            QTest::mousePress(shown.window(), Qt::LeftButton, {}, at);
            QVERIFY2(form.dragState().dragging == (c.held >= 0), c.name);
            if (c.held >= 0)
                QVERIFY2(form.dragState().dragIndex == c.held, c.name);
            QTest::mouseRelease(shown.window(), Qt::LeftButton, {}, at);
            QVERIFY2(!form.dragState().dragging, c.name);
            QVERIFY2(shown.random.draws == draws + (c.newGame ? 18 : 0), c.name);
        }
    }

    void aTileTurnedToLayerOneDropsBeneathTheOthers()
    {
        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, kUpright);
        placeTile(form, 4, 2, 2800, 2800);
        placeTile(form, 0, 4, 1400, 1400); // over tile 4's top-left quarter
        const QPoint overlap = panelPoint(form, 3500, 3500);
        QTest::mousePress(shown.window(), Qt::LeftButton, {}, overlap);
        QCOMPARE(form.dragState().dragIndex, std::int16_t(0));
        QTest::mouseRelease(shown.window(), Qt::LeftButton, {}, overlap);

        // Three quarter turns counter-clockwise and one more: upright again.
        QTest::mouseDClick(shown.window(), Qt::LeftButton, {}, panelPoint(form, 1600, 1600));
        QCOMPARE(shown.visibleLayer(0), 1);
        QVERIFY(form.board().left(1, 0) == 1400.0f && form.board().top(1, 0) == 1400.0f);
        QTest::mousePress(shown.window(), Qt::LeftButton, {}, overlap);
        QVERIFY(form.dragState().dragging);
        QCOMPARE(form.dragState().dragIndex, std::int16_t(4));
        QTest::mouseRelease(shown.window(), Qt::LeftButton, {}, overlap);
    }

    // Each of the thirteen events, sent through Qt's dispatch, runs its own
    // procedure: the one that shows the effect checked here.
    void eachEventRunsItsOwnProcedure_data()
    {
        QTest::addColumn<QString>("event");
        QTest::addColumn<int>("layer");
        QTest::newRow("Form_Load") << "Load" << 0;
        QTest::newRow("Form_MouseMove") << "MouseMove" << 0;
        QTest::newRow("Form_MouseUp") << "MouseUp" << 0;
        for (int layer = 1; layer <= puzzle::kLayers; ++layer)
            QTest::addRow("Picture%d_MouseDown", layer) << "MouseDown" << layer;
        for (int layer = 1; layer <= puzzle::kLayers; ++layer)
            QTest::addRow("Picture%d_DblClick", layer) << "DblClick" << layer;
        QTest::newRow("Command1_Click") << "Click" << 0;
        QTest::newRow("Timer1_Timer") << "Timer" << 0;
    }

    void eachEventRunsItsOwnProcedure()
    {
        QFETCH(QString, event);
        QFETCH(int, layer);
        if (event == "Load") {
            // The platform's load event, before the first show: the first
            // game's start time is read and its board scrambled.
            window_test::ShownForm shown(window_test::ShownForm::Start::Later);
            QCOMPARE(shown.random.draws, 0);
            QCOMPARE(shown.time.timeReads, 0);
            shown.load();
            QCOMPARE(shown.random.draws, 18);
            QCOMPARE(shown.form().startTime(), shown.time.now);
            QVERIFY(shown.time.timeReads > 0);
            return;
        }

        window_test::ShownForm shown;
        window::Form1 &form = shown.form();
        layOutGrid(form, kUpright);
        const std::int16_t tile = 4; // the middle cell
        placeTile(form, tile, layer ? layer : 1, 2800, 2800);
        const QPoint centre = shown.tileCentre(tile);
        const int draws = shown.random.draws;

        if (event == "MouseDown") {
            QTest::mousePress(shown.window(), Qt::LeftButton, {}, centre);
            QVERIFY(form.dragState().dragging);
            QCOMPARE(form.dragState().dragIndex, tile);
            QTest::mouseRelease(shown.window(), Qt::LeftButton, {}, centre);
        } else if (event == "MouseMove" || event == "MouseUp") {
            QTest::mousePress(shown.window(), Qt::LeftButton, {}, centre);
            if (event == "MouseUp") {
                QTest::mouseRelease(shown.window(), Qt::LeftButton, {}, centre);
                QVERIFY(!form.dragState().dragging);
            }
            // A held tile follows the pointer (20 by 10 pixels, give or take
            // the rounding of its place to a pixel); a released one stays put.
            QTest::mouseMove(shown.window(), centre + QPoint(20, 10));
            const float right = form.board().left(1, tile) - 2800.0f;
            const float down = form.board().top(1, tile) - 2800.0f;
            if (event == "MouseMove")
                QVERIFY2(std::abs(right - 300.0f) <= 30.0f && std::abs(down - 150.0f) <= 30.0f,
                         qPrintable(QStringLiteral("moved by %1, %2 twips").arg(right).arg(down)));
            else
                QVERIFY(right == 0.0f && down == 0.0f);
            if (event == "MouseMove")
                QTest::mouseRelease(shown.window(), Qt::LeftButton, {}, centre + QPoint(20, 10));
        } else if (event == "DblClick") {
            QTest::mouseDClick(shown.window(), Qt::LeftButton, {}, centre);
            QCOMPARE(shown.visibleLayer(tile), layer % 4 + 1);
        } else if (event == "Click") {
            shown.time.now += 50.0;
            shown.clickNewGame();
            QCOMPARE(shown.random.draws, draws + 18);
            QCOMPARE(form.startTime(), shown.time.now);
        } else if (event == "Timer") {
            shown.time.now += 3.0;
            shown.tick();
            QCOMPARE(form.label1().text(), QStringLiteral(" 0: 0: 3"));
        } else {
            QFAIL("an event with no case");
        }
        // No event but the button's and the load starts a game.
        if (event != "Click")
            QCOMPARE(shown.random.draws, draws);
    }
};

QTEST_MAIN(FormDefinitionTest)
#include "form_definition_test.moc"
