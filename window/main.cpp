#include "form1.h"
#include "system_time_of_day.h"

#include "puzzle/random_generator.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

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

// Sets one of Qt's own settings for this process, unless whoever started it
// chose otherwise.
void setQtDefault(const char *name, const char *value)
{
    if (!qEnvironmentVariableIsSet(name))
        qputenv(name, value);
}

} // namespace

int main()
{
    // The window sends its pixels through the X connection rather than a
    // shared-memory image: that image costs a round trip to the server before
    // every repaint (once a second for the clock, once a move in a drag),
    // which is dearer than the few small pieces a repaint here sends.
    setQtDefault("QT_XCB_NO_MITSHM", "1");
    // Qt's own event loop: it wakes less often than GLib's, and nothing here
    // needs GLib's.
    setQtDefault("QT_NO_GLIB", "1");
    // Nothing in the window takes text, so no input method is loaded.
    setQtDefault("QT_IM_MODULE", "none");

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
    form.show();
    return app.exec();
}
