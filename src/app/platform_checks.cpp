// The program's only code that knows a particular system: the display check and the choice
// between X11 and Wayland on Unix desktops, and the fonts Windows has of its own. Elsewhere Qt
// hides the system.
#include "app/platform_checks.h"

#include <QByteArray>
#include <QtGlobal>

namespace app {

bool DisplayMissing() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool needsDisplay =
        platform.isEmpty() || platform.startsWith("xcb") || platform.startsWith("wayland");
    return needsDisplay && qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

QByteArray PlatformToUse() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        return {};
    }
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (x11) {
        return wayland ? QByteArrayLiteral("xcb;wayland") : QByteArrayLiteral("xcb");
    }
    return wayland ? QByteArrayLiteral("wayland") : QByteArray();
#else
    return {};
#endif
}

bool SystemHasDesignFonts() {
#if defined(Q_OS_WIN)
    return true;
#else
    return false;
#endif
}

}  // namespace app
