// Entry of the window tests: a QApplication on Qt's offscreen platform unless told otherwise.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "window_test_support.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    PrepareWindowTests();
    return RUN_ALL_TESTS();
}
