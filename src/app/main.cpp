// Program entry of the sight trainer.
#include <QApplication>
#include <cstdio>

#include "app/program.h"
#include "toolkit/fonts.h"

namespace {
// Without a display Qt would abort with a backtrace; say what is wrong in one line instead.
bool DisplayMissing() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool needsDisplay =
        platform.isEmpty() || platform.startsWith("xcb") || platform.startsWith("wayland");
    return needsDisplay && qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}
}  // namespace

int main(int argc, char** argv) {
    if (DisplayMissing()) {
        std::fputs(
            "sight-trainer: no display to open its windows on; to try it without one, run: "
            "xvfb-run -a sight-trainer\n",
            stderr);
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    toolkit::InstallFontSubstitutes();
    app::StartProgram();
    const int status = QApplication::exec();
    app::EndProgram();
    return status;
}
