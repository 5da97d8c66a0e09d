// Shared set-up of the window tests.
#include "window_test_support.h"

#include <QLocale>
#include <QRadioButton>
#include <QTest>

#include "app/program.h"
#include "exercise/exercise_state.h"
#include "exercise/round_setup.h"
#include "toolkit/fonts.h"
#include "toolkit/handler.h"
#include "toolkit/timer.h"
#include "ui/completion_dialog.h"
#include "ui/exercise_window.h"
#include "ui/forms.h"
#include "ui/mode_window.h"

namespace {
unsigned clockMilliseconds = 0;
}

void PrepareWindowTests() {
    toolkit::Timer::SetManualTicks(true);
    // The classroom's locale, whatever the machine's: the decimal separator is a comma.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    toolkit::InstallFontSubstitutes();
}

void MakeNativeWindowNow(QWidget* window) {
    window->winId();
}

void ProgramTest::SetUp() {
    ExerciseState = TExerciseState{};
    clockMilliseconds = 0;
    exercise::SetRoundClock([] { return clockMilliseconds; });
    toolkit::SetErrorReporter([this](const QString& message) { errors << message; });
    app::SetTerminateHook([this] { ++terminations; });
    app::StartProgram();
    // The mode window's was made as it was shown.
    MakeNativeWindowNow(Form2);
    MakeNativeWindowNow(Form3);
}

void ProgramTest::TearDown() {
    app::EndProgram();
}

void ProgramTest::SetClock(unsigned milliseconds) {
    clockMilliseconds = milliseconds;
}

void ProgramTest::ChooseMode(int item) {
    QRadioButton* button = Form4->RadioGroup1->Button(item);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}
