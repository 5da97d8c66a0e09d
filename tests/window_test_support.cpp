// Shared set-up of the window tests.
#include "window_test_support.h"

#include "app/program.h"
#include "exercise/exercise_state.h"
#include "exercise/round_setup.h"
#include "toolkit/fonts.h"
#include "toolkit/handler.h"
#include "toolkit/timer.h"

namespace {
unsigned clockMilliseconds = 0;
}

void PrepareWindowTests() {
    toolkit::Timer::SetManualTicks(true);
    toolkit::InstallFontSubstitutes();
}

void ProgramTest::SetUp() {
    ExerciseState = TExerciseState{};
    clockMilliseconds = 0;
    exercise::SetRoundClock([] { return clockMilliseconds; });
    toolkit::SetErrorReporter([this](const QString& message) { errors << message; });
    app::SetTerminateHook([this] { ++terminations; });
    app::StartProgram();
}

void ProgramTest::TearDown() {
    app::EndProgram();
}

void ProgramTest::SetClock(unsigned milliseconds) {
    clockMilliseconds = milliseconds;
}
