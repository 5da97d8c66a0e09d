// Program entry of the sight trainer.
#include <QApplication>
#include <cstdio>

#include "app/platform_checks.h"
#include "app/program.h"
#include "toolkit/fonts.h"
#include "toolkit/qt_compat.h"

int main(int argc, char** argv) {
    // Without a display Qt would abort with a backtrace; say what is wrong in one line instead.
    if (app::DisplayMissing()) {
        std::fputs(
            "sight-trainer: no display to open its windows on; to try it without one, run: "
            "xvfb-run -a sight-trainer\n",
            stderr);
        return 1;
    }
    // Qt would take a Wayland session's own display, on which the windows cannot place
    // themselves; the person's choice in QT_QPA_PLATFORM is left as it is.
    if (const QByteArray platform = app::PlatformToUse(); !platform.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", platform);
    }
    toolkit::EnableHighDensityScaling();
    QApplication application(argc, argv);
    // Desktops match the windows to the installed menu entry and its icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(SIGHT_APP_ID));
    QApplication::setQuitOnLastWindowClosed(false);
    if (!app::SystemHasDesignFonts()) {
        toolkit::InstallFontSubstitutes();
    }
    app::StartProgram();
    const int status = QApplication::exec();
    app::EndProgram();
    return status;
}
