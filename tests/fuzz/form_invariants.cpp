#include "form_invariants.h"

#include "window/twips.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>

namespace fuzz_test {

namespace {

const QString kDesignCaption = QStringLiteral(" 0\uFF1A0\uFF1A0");

std::string text(const QString &s) { return s.toStdString(); }

} // namespace

FormInvariants::FormInvariants(window_test::ShownForm &shown) : shown_(shown)
{
    window::Form1 &form = shown_.form();
    // Only the tiles move; everything else keeps its place for good.
    for (QWidget *control : std::initializer_list<QWidget *>{&form.picture5(), &form.picture6(), &form.label1(),
                                                             &form.label2(), &form.label3(), &form.command1()})
        fixedControls_.emplace_back(control, control->geometry());
    // Filters on the controls themselves see only what really reaches them,
    // after the capture has redirected what it takes.
    form.installEventFilter(this);
    for (QWidget *control : form.findChildren<QWidget *>())
        control->installEventFilter(this);
    connect(&form.command1(), &QPushButton::clicked, this, [this] {
        arrivals_.push_back({Arrival::Kind::Click, &shown_.form().command1(), Qt::LeftButton, {}, true});
    });
    before_ = take();
}

bool FormInvariants::eventFilter(QObject *receiver, QEvent *event)
{
    Arrival::Kind kind;
    switch (event->type()) {
    case QEvent::Hide:
        if (receiver == lastPressed_.receiver)
            lastPressed_ = {};
        return false;
    case QEvent::MouseButtonPress: kind = Arrival::Kind::Press; break;
    case QEvent::MouseButtonRelease: kind = Arrival::Kind::Release; break;
    case QEvent::MouseMove: kind = Arrival::Kind::Move; break;
    case QEvent::MouseButtonDblClick: kind = Arrival::Kind::DoubleClick; break;
    default: return false;
    }
    const auto *mouse = static_cast<const QMouseEvent *>(event);
    const auto *widget = static_cast<const QWidget *>(receiver);
    arrivals_.push_back({kind, receiver, mouse->button(), mouse->position(), widget->isVisible()});
    if (kind == Arrival::Kind::DoubleClick
        && (receiver != lastPressed_.receiver || mouse->button() != lastPressed_.button))
        pairingFaults_.push_back("a double-click reached a " + text(receiver->metaObject()->className())
                                 + " that took no press of that button just before, or was hidden since");
    if (kind == Arrival::Kind::Press)
        lastPressed_ = {receiver, mouse->button()};
    else if (kind == Arrival::Kind::DoubleClick)
        lastPressed_ = {};
    return false;
}

FormInvariants::Snapshot FormInvariants::take()
{
    window::Form1 &form = shown_.form();
    Snapshot s;
    for (std::int16_t i = 0; i < puzzle::kTiles; ++i) {
        s.place[i] = QPointF(form.board().left(1, i), form.board().top(1, i));
        s.layer[i] = shown_.visibleLayer(i);
    }
    s.startTime = form.startTime();
    s.draws = shown_.random.draws;
    s.caption = form.label1().text();
    s.drag = form.dragState();
    return s;
}

bool FormInvariants::tileOf(const QObject *receiver, int &layer, std::int16_t &index) const
{
    window::Form1 &form = shown_.form();
    for (layer = 1; layer <= puzzle::kLayers; ++layer)
        for (index = 0; index < puzzle::kTiles; ++index)
            if (receiver == &form.picture(layer, index))
                return true;
    return false;
}

void FormInvariants::checkTiles(std::vector<std::string> &faults)
{
    window::Form1 &form = shown_.form();
    for (std::int16_t i = 0; i < puzzle::kTiles; ++i) {
        int visible = 0;
        for (int layer = 1; layer <= puzzle::kLayers; ++layer)
            visible += form.picture(layer, i).isVisible() ? 1 : 0;
        if (visible != 1)
            faults.push_back("tile " + std::to_string(i) + " has " + std::to_string(visible) + " visible pictures");
        const window::PictureBox &first = form.picture(1, i);
        for (int layer = 2; layer <= puzzle::kLayers; ++layer) {
            const window::PictureBox &other = form.picture(layer, i);
            if (form.board().left(layer, i) != form.board().left(1, i)
                || form.board().top(layer, i) != form.board().top(1, i) || other.geometry() != first.geometry()) {
                std::ostringstream out;
                out << "tile " << i << ": layer " << layer << " at (" << form.board().left(layer, i) << ", "
                    << form.board().top(layer, i) << ") twips, layer 1 at (" << form.board().left(1, i) << ", "
                    << form.board().top(1, i) << ")";
                faults.push_back(out.str());
            }
        }
    }
}

void FormInvariants::checkControlsStayed(std::vector<std::string> &faults)
{
    // The focus is only ever on a control that shows and can take it.
    const QWidget *focus = QApplication::focusWidget();
    if (focus && focus->window() == &shown_.form() && (!focus->isVisible() || focus->focusPolicy() == Qt::NoFocus))
        faults.push_back("the keyboard focus is on a hidden or focusless " + text(focus->metaObject()->className()));
    for (const auto &[control, geometry] : fixedControls_) {
        if (control->geometry() != geometry || !control->isVisible())
            faults.push_back("a control that never moves moved or hid: " + text(control->metaObject()->className()));
    }
}

bool FormInvariants::play(Snapshot &model, std::vector<std::string> &faults)
{
    window::Form1 &form = shown_.form();
    const QPoint panelInner = form.picture5().mapTo(&form, form.picture5().contentsRect().topLeft());
    bool newGame = false;
    for (const Arrival &a : arrivals_) {
        if (a.kind == Arrival::Kind::Click) {
            newGame = true;
            continue;
        }
        const char *kind = a.kind == Arrival::Kind::Press     ? "press"
                           : a.kind == Arrival::Kind::Release ? "release"
                           : a.kind == Arrival::Kind::Move    ? "move"
                                                              : "double-click";
        if (a.receiver != &form) {
            const std::string control = text(a.receiver->metaObject()->className());
            if (model.drag.dragging)
                faults.push_back(std::string("a ") + kind + " reached a " + control
                                 + " while the window held the capture");
            if (!a.receiverVisible)
                faults.push_back(std::string("a ") + kind + " reached a hidden " + control);
        }
        int layer = 0;
        std::int16_t index = 0;
        if (tileOf(a.receiver, layer, index)) {
            if (a.kind == Arrival::Kind::Press && a.button == Qt::LeftButton) {
                const QPointF inner = a.position - QPointF(form.picture(layer, index).contentsRect().topLeft());
                model.drag.dragging = true;
                model.drag.grabX = window::twipsFromPixels(inner.x());
                model.drag.grabY = window::twipsFromPixels(inner.y());
                model.drag.dragIndex = index;
                ++counts_.holds;
            } else if (a.kind == Arrival::Kind::DoubleClick) {
                if (!newGame && model.layer[index] != layer)
                    faults.push_back("a double-click reached layer " + std::to_string(layer) + " of tile "
                                     + std::to_string(index) + ", which shows layer "
                                     + std::to_string(model.layer[index]));
                model.layer[index] = layer == puzzle::kLayers ? 1 : layer + 1; // a quarter turn counter-clockwise
                ++counts_.turns;
            }
        } else if (a.receiver == &form) {
            if (a.kind == Arrival::Kind::Move && model.drag.dragging) {
                const float px = window::twipsFromPixels(a.position.x()) - window::twipsFromPixels(panelInner.x());
                const float py = window::twipsFromPixels(a.position.y()) - window::twipsFromPixels(panelInner.y());
                model.place[model.drag.dragIndex] = QPointF(px - model.drag.grabX, py - model.drag.grabY);
                ++counts_.tileMoves;
            } else if (a.kind == Arrival::Kind::Release) {
                model.drag.dragging = false;
            }
        }
    }
    arrivals_.clear();
    return !newGame;
}

std::string FormInvariants::afterEvent(const EventFacts &facts)
{
    std::vector<std::string> faults;
    faults.swap(pairingFaults_);
    checkTiles(faults);
    checkControlsStayed(faults);

    const int clicks = static_cast<int>(std::count_if(arrivals_.begin(), arrivals_.end(),
                                                      [](const Arrival &a) { return a.kind == Arrival::Kind::Click; }));
    Snapshot model = before_;
    const bool samePlaces = play(model, faults);
    const Snapshot now = take();

    if (now.drag.dragging != model.drag.dragging || now.drag.dragIndex != model.drag.dragIndex
        || now.drag.grabX != model.drag.grabX || now.drag.grabY != model.drag.grabY) {
        std::ostringstream out;
        out << "the drag state is (" << now.drag.dragging << ", tile " << now.drag.dragIndex << ", grab "
            << now.drag.grabX << ", " << now.drag.grabY << "), not (" << model.drag.dragging << ", tile "
            << model.drag.dragIndex << ", grab " << model.drag.grabX << ", " << model.drag.grabY << ")";
        faults.push_back(out.str());
    }

    const int drawn = now.draws - before_.draws;
    if (drawn != 18 * clicks)
        faults.push_back(std::to_string(clicks) + " clicks of the button drew " + std::to_string(drawn)
                         + " random values");
    if (clicks > 0) {
        counts_.newGames += clicks;
        if (before_.drag.dragging)
            counts_.newGamesWhileHeld += clicks;
        // The nine tiles on the nine cells.
        std::set<std::pair<int, int>> cells;
        for (std::int16_t i = 0; i < puzzle::kTiles; ++i) {
            const QPointF p = now.place[i];
            const auto cell = [](double twips) {
                for (int c = 0; c < 3; ++c)
                    if (twips == puzzle::kCellPitch * c)
                        return c;
                return -1;
            };
            const int column = cell(p.x());
            const int row = cell(p.y());
            if (column < 0 || row < 0) {
                std::ostringstream out;
                out << "after a new game tile " << i << " lies off the grid at (" << p.x() << ", " << p.y() << ")";
                faults.push_back(out.str());
            }
            cells.emplace(column, row);
        }
        if (cells.size() != puzzle::kTiles)
            faults.push_back("after a new game two tiles share a cell");
        if (facts.timeStandsStill && now.startTime != shown_.time.now)
            faults.push_back("a new game did not restart the clock at the time of day");
    } else if (now.startTime != before_.startTime) {
        faults.push_back("the start time changed without a new game");
    }
    if (samePlaces) {
        for (int i = 0; i < puzzle::kTiles; ++i) {
            if (std::abs(now.place[i].x() - model.place[i].x()) > 0.01
                || std::abs(now.place[i].y() - model.place[i].y()) > 0.01) {
                std::ostringstream out;
                out << "tile " << i << " lies at (" << now.place[i].x() << ", " << now.place[i].y()
                    << ") twips, not at (" << model.place[i].x() << ", " << model.place[i].y() << ")";
                faults.push_back(out.str());
            }
            if (now.layer[i] != model.layer[i] && now.layer[i] != 0)
                faults.push_back("tile " + std::to_string(i) + " shows layer " + std::to_string(now.layer[i])
                                 + ", not layer " + std::to_string(model.layer[i]));
        }
    }

    // The clock: the design caption until the first tick, then the clock's
    // form; exact while the elapsed time is within the count's range.
    if (facts.tick) {
        ticked_ = true;
        ++counts_.ticks;
    }
    if (!ticked_) {
        if (now.caption != kDesignCaption)
            faults.push_back("before the first tick the clock reads '" + text(now.caption) + "'");
    } else if (!hasClockForm(now.caption)) {
        faults.push_back("the clock reads '" + text(now.caption) + "', not hours:minutes:seconds");
    }
    if (!facts.tick && now.caption != before_.caption)
        faults.push_back("the clock changed without a tick");
    if (facts.tick && facts.timeStandsStill) {
        const double elapsed = shown_.time.now - now.startTime;
        const std::string expected = expectedCaption(elapsed);
        if (!expected.empty() && text(now.caption) != expected) {
            std::ostringstream out;
            out.precision(17);
            out << "after " << elapsed << " s the clock reads '" << text(now.caption) << "', not '" << expected << "'";
            faults.push_back(out.str());
        }
    }

    before_ = now;
    std::string all;
    for (const std::string &fault : faults)
        all += (all.empty() ? "" : "; ") + fault;
    return all;
}

std::string FormInvariants::expectedCaption(double elapsedSeconds)
{
    if (!(elapsedSeconds >= -32768.5 && elapsedSeconds < 32767.5))
        return {};
    const int n = static_cast<int>(std::nearbyint(elapsedSeconds)); // ties to even
    const auto number = [](int v) { return v < 0 ? QString::number(v) : QStringLiteral(" ") + QString::number(v); };
    return text(number(n / 3600) + QStringLiteral(":") + number(n / 60 % 60) + QStringLiteral(":") + number(n % 60));
}

bool FormInvariants::hasClockForm(const QString &caption)
{
    static const QRegularExpression form(
        QStringLiteral(R"(^( (?:0|[1-9]\d*)|-[1-9]\d*):( (?:0|[1-9]\d*)|-[1-9]\d*):( (?:0|[1-9]\d*)|-[1-9]\d*)$)"));
    const QRegularExpressionMatch match = form.match(caption);
    if (!match.hasMatch())
        return false;
    const int minutes = match.captured(2).trimmed().toInt();
    const int seconds = match.captured(3).trimmed().toInt();
    if (std::abs(minutes) > 59 || std::abs(seconds) > 59)
        return false;
    // The fields of one count share its sign.
    bool negative = false, positive = false;
    for (int field = 1; field <= 3; ++field) {
        const int v = match.captured(field).trimmed().toInt();
        negative = negative || v < 0;
        positive = positive || v > 0;
    }
    return !(negative && positive);
}

} // namespace fuzz_test
