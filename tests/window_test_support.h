// What every window test shares: a quiet, deterministic application and the running program.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

// Timers tick only when a test fires them, and nothing waits on the real clock.
void PrepareWindowTests();

class QWidget;

// A window system answers activation requests only when the message loop runs, and so does
// Qt 6's offscreen platform. Qt 5.15's also hands out every activation it still owes whenever
// it makes a native window (a window's first show), in the middle of the program's own work,
// where no window system would. A test that plays the window system's notices itself makes
// its windows' native windows up front, before it plays them.
void MakeNativeWindowNow(QWidget* window);

// Runs the whole program in-process for one test: the windows created in their order and
// the mode window shown, with a fixed clock for the random draws, error boxes and the end of
// the program recorded instead of happening.
class ProgramTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The clock the random draws read, in milliseconds of the day.
    void SetClock(unsigned milliseconds);

    // Clicks an exercise in the mode window, on its round button as a trainee would: the
    // click activates the mode window first, as the window manager's would.
    static void ChooseMode(int item);

    QStringList errors;
    int terminations = 0;
};
