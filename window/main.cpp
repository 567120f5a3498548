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

} // namespace

int main(int argc, char *argv[])
{
    const QtMessageHandler previous = qInstallMessageHandler(reportStartFailure);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);

    window::SystemTimeOfDay time;
    puzzle::RandomGenerator random;
    window::Form1 form(time, random);
    form.load();
    form.show();
    return app.exec();
}
