// Entry of the window tests: a QApplication on Qt's offscreen platform unless told otherwise.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "toolkit/qt_compat.h"
#include "window_test_support.h"

namespace {
// The offscreen platform cannot raise windows and says so every time; that is no news.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith("This plugin does not support")) {
        return;
    }
    qt_message_output(type, context, message);
}
}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    toolkit::EnableHighDensityScaling();
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    PrepareWindowTests();
    return RUN_ALL_TESTS();
}
