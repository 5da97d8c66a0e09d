// The shot or fixing of the sight, the confirmed range answer, and the grade.
#include "assets/range_table.h"
#include "exercise/exercise_state.h"
#include "exercise/grade.h"
#include "exercise/hit_test.h"
#include "exercise/range_answer.h"
#include "exercise/range_drop.h"
#include "toolkit/counters.h"
#include "toolkit/pointer.h"
#include "ui/Image_Unit1.h"
#include "ui/completion_dialog.h"
#include "ui/exercise_window.h"
#include "ui/forms.h"

namespace {
constexpr int kEnterKey = 13;

void StepCounter(toolkit::StaticText* counter, int step) {
    counter->SetCaption(toolkit::IntToStr(toolkit::StrToInt(counter->Caption()) + step));
}

void WriteGrade(TForm2* window) {
    const int grade = exercise::Grade(toolkit::StrToInt(window->StaticText3->Caption()),
                                      toolkit::StrToInt(window->StaticText4->Caption()));
    window->StaticText6->SetCaption(toolkit::IntToStr(grade));
}

// The dialog comes up with the grade line showing the final grade.
void ShowFinalGrade(TForm2* window) {
    Form3->StaticText1->show();
    Form3->StaticText2->SetCaption(window->StaticText6->Caption());
    Form3->StaticText2->show();
    Form3->Show();
}

int TargetRange(const TForm2* window) {
    return assets::RangeForHeight(window->man4->Picture().height());
}
}  // namespace

void TForm2::SeeImageDblClick() {
    TExerciseState& state = ExerciseState;
    const bool shooting = state.ExerciseMode == 0;
    Timer1->SetEnabled(false);
    if (shooting) {
        BitBtn1->setEnabled(true);
        StepCounter(StaticText4, -1);
    }
    StatusBar1->SetSimpleText("");
    SeeImage->setEnabled(false);
    state.ExerciseRunning = 0;
    SetActiveControl(SpinEdit1);
    toolkit::ShowPointer();
    if (!shooting) {
        BitBtn3->setEnabled(true);
    }
    state.ImpactY = exercise::ImpactYAfterDrop(state.ImpactY, TargetRange(this));
    if (shooting) {
        const raster::Bitmap& burst = Form1->splash->Picture();
        const int halfWidth = burst.width() / 2;
        SeeImage->Invalidate(
            SeeImage->Picture().copyRect({state.ImpactX - halfWidth, state.ImpactY - burst.height(),
                                          state.ImpactX + halfWidth, state.ImpactY},
                                         burst, {0, 0, burst.width(), burst.height()}));
        Timer2->SetEnabled(true);
    }
    state.RepeatTarget = shooting ? 1 : 0;
    if (shooting && exercise::ShotHits(state)) {
        StepCounter(StaticText3, +1);
        state.RepeatTarget = 0;
    }
    WriteGrade(this);
    if (StaticText4->Caption() == "0") {
        ShowFinalGrade(this);
    }
}

void TForm2::Bitbtn3Click() {
    TExerciseState& state = ExerciseState;
    // A typo must not cost an attempt: text that is not a whole number stops the confirmation
    // before anything has changed.
    const int answer = toolkit::StrToInt(SpinEdit1->Text());
    state.NotStarted = 0;
    StepCounter(StaticText4, -1);
    BitBtn3->setEnabled(false);
    if (exercise::RangeAnswerHits(answer, TargetRange(this))) {
        StepCounter(StaticText3, +1);
    } else {
        state.RepeatTarget = 1;
    }
    // The grade counts the answer just judged, so the dialog's grade counts all ten.
    WriteGrade(this);
    if (StaticText4->Caption() == "0") {
        ShowFinalGrade(this);
        BitBtn1->setEnabled(true);
    }
    Bitbtn1Click();
}

void TForm2::SpinEdit1KeyDown(int key, Qt::KeyboardModifiers) {
    // Enter confirms only while confirming is possible; otherwise it gets no more than the
    // field's own refusal, and no attempt is ever used by a key press.
    if (key == kEnterKey && BitBtn3->isEnabled()) {
        Bitbtn3Click();
    }
}
