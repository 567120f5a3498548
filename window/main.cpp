#include "form1.h"
#include "qt_start_settings.h"
#include "read_only_file_pages.h"
#include "system_time_of_day.h"

#include "puzzle/random_generator.h"

#include <QApplication>
#include <QEvent>

#include <cstdio>
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// Qt ends the program with an abort when it finds no display to open the
// window on; say plainly what is missing and exit with an error instead.
void reportStartFailure(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        return;
    }
    std::fprintf(stderr,
                 "quillamon: cannot open its window: %s\n"
                 "quillamon needs a graphical display (an X11 server, with DISPLAY set).\n",
                 qPrintable(message));
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

// Runs once, as soon as the window's first paint has been handed to the
// window system, and after whatever else the window left until then.
class AfterFirstPaint : public QObject {
public:
    explicit AfterFirstPaint(QWidget *window) : QObject(window) { window->installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Of low priority, so that the work the window posted at its
            // first paint comes first and what that work frees goes too.
            QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::LowEventPriority);
        }
        return false;
    }

protected:
    void customEvent(QEvent *) override
    {
        window::releaseReadOnlyFilePages();
#if defined(__GLIBC__)
        // What start-up freed (the font configuration, the icon's file,
        // decoding buffers) glibc keeps resident until told.
        malloc_trim(0);
#endif
        deleteLater();
    }
};

} // namespace

int main()
{
    window::applyQtStartSettings();

    // The game takes no command line. Qt acts on options of its own in one (a
    // window title, size and place, another platform or display, a style,
    // right to left), so it is handed only the program's name, whatever the
    // game was started with.
    static char programName[] = "quillamon";
    int qtArgc = 1;
    char *qtArgv[] = {programName, nullptr};
    const QtMessageHandler previous = qInstallMessageHandler(reportStartFailure);
    QApplication app(qtArgc, qtArgv);
    qInstallMessageHandler(previous);

    window::SystemTimeOfDay time;
    puzzle::RandomGenerator random;
    window::Form1 form(time, random);
    form.load();
    new AfterFirstPaint(&form);
    form.show();
    return app.exec();
}
