// What every window test shares: a quiet, deterministic application and the running program.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

// Timers tick only when a test fires them, and nothing waits on the real clock.
void PrepareWindowTests();

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
