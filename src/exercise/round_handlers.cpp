// The round set-up and the wind blink of the exercise window.
#include "exercise/exercise_state.h"
#include "exercise/round_setup.h"
#include "exercise/scenario_table.h"
#include "exercise/wind_table.h"
#include "toolkit/hints.h"
#include "ui/Image_Unit1.h"
#include "ui/completion_dialog.h"
#include "ui/exercise_window.h"
#include "ui/forms.h"

namespace exercise {

RandomDraw& RoundRandom() {
    static RandomDraw random;
    return random;
}

void SetRoundClock(RandomDraw::Clock clock) {
    RoundRandom() = RandomDraw(std::move(clock));
}

}  // namespace exercise

namespace {
toolkit::ImageControl* WindArrowControl(TForm2* window, exercise::WindArrow arrow) {
    for (toolkit::ImageControl* control :
         {window->Wind, window->Wind_diag, window->Wind_l, window->Wind_diag_l}) {
        if (exercise::WindArrowFromTag(control->Tag) == arrow) {
            return control;
        }
    }
    return nullptr;
}
}  // namespace

void TForm2::Bitbtn1Click() {
    using exercise::RoundRandom;
    TExerciseState& state = ExerciseState;
    if (StaticText4->Caption() == "0") {
        Hide();
        Form3->Show();
        Form3->BitBtn1->setEnabled(false);
    }
    // A fixed view still pending from the last shot would draw a stale sight over this round.
    Timer2->SetEnabled(false);
    BitBtn1->setEnabled(false);
    if (state.WindIndicator != nullptr) {
        state.WindIndicator->hide();
    }
    if (state.RepeatTarget == 0 && state.ExerciseMode == 0) {
        const exercise::WindChoice wind =
            exercise::WindForDraw(RoundRandom().Draw(exercise::WindDrawCount));
        state.WindIndicator = WindArrowControl(this, wind.arrow);
        state.ImpactX += wind.impactShift;
    }
    Timer1->SetEnabled(true);
    state.Suspended = 0;
    state.NotStarted = 0;
    BitBtn3->setEnabled(true);
    BitBtn1->SetCaption("Продолжить ");
    toolkit::SetHint(BitBtn1, "Продолжить контроль");
    if (state.ExerciseMode == 0) {
        BitBtn3->setEnabled(false);
    }
    SetClientHeight(450);
    HelpImage->SetPicture(Form1->Image1->Picture());
    AssignPicture(SeeImage, HelpImage->Picture());
    state.ExerciseRunning = 1;
    Tmr1->Tag = 0;
    if (state.RepeatTarget == 0) {
        const auto& placement = exercise::ScenarioTable[RoundRandom().Draw(
            exercise::ScenarioDrawCount(state.ExerciseMode))];
        state.TargetX = placement.TargetX;
        state.TargetY = placement.TargetY;
        man4->SetPicture(
            Form1->Sprite(QString::fromUtf8(placement.sprite.data(), int(placement.sprite.size())))
                ->Picture());
    }
}

void TForm2::Timer1Timer() {
    toolkit::ImageControl* arrow = ExerciseState.WindIndicator;
    if (arrow == nullptr) {
        return;
    }
    // The arrow's own flag: isVisible() is false for every control of a hidden window.
    arrow->setVisible(arrow->isHidden());
    StatusBar1->SetSimpleText(exercise::WindStatusText(exercise::WindArrowFromTag(arrow->Tag)));
}
