#include "qt_start_settings.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QString>
#include <QtGlobal>

namespace window {

namespace {

// Sets one of Qt's own settings for this process, unless whoever started it
// chose otherwise.
void setQtDefault(const char *name, const char *value)
{
    if (!qEnvironmentVariableIsSet(name))
        qputenv(name, value);
}

// Accessibility here speaks to assistive tools over the session bus, which Qt
// looks for as the first caption is set. Where no bus is named and none lies
// at its usual place, libdbus would start dbus-launch to find or start one;
// where that program is not installed either, the attempt can only fail, and
// it costs a fork of the whole process before the first paint. Then the bus
// is named as absent. Wherever a desktop or an assistive tool can offer a bus,
// nothing changes.
void skipFutileSessionBusLaunch()
{
    if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS") || qEnvironmentVariableIsSet("AT_SPI_BUS_ADDRESS"))
        return;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus")))
        return;
    if (QFileInfo::exists(QStringLiteral("/usr/bin/dbus-launch"))
        || !QStandardPaths::findExecutable(QStringLiteral("dbus-launch")).isEmpty())
        return;
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

} // namespace

void applyQtStartSettings()
{
    // The window's pixels reach the X server through a shared-memory image,
    // as Qt does by default: the window-sized image then lies in memory the
    // server shares rather than in the program's own, and measured beside
    // sending the pixels through the connection, neither the first paint nor
    // a drag move nor the clock's tick costs more.
    // Qt's own event loop: it wakes less often than GLib's, and nothing here
    // needs GLib's.
    setQtDefault("QT_NO_GLIB", "1");
    // Nothing in the window takes text, so no input method is loaded.
    setQtDefault("QT_IM_MODULE", "none");
    skipFutileSessionBusLaunch();
}

} // namespace window
