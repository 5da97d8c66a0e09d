// The exercise window's creation, activation, show and deactivation handlers.
#include "exercise/exercise_state.h"
#include "toolkit/hints.h"
#include "toolkit/pointer.h"
#include "ui/Image_Unit1.h"
#include "ui/completion_dialog.h"
#include "ui/exercise_window.h"
#include "ui/forms.h"
#include "ui/mode_window.h"

namespace {
const QString kShootingCaption =
    "Контроль по теме \"Стрельба из РПГ-7 и РПГ-7В с помощью оптичкского прицела\".";
const QString kRangeCaption =
    "Контроль по теме \"Определение расстояния с помощью оптичкского прицела\".";
}  // namespace

void TForm2::FormCreate() {
    // One mode window serves the whole run: the mode window a creation would make is the one
    // that already exists, so windows do not pile up over a day of training.
    if (Form4 == nullptr) {
        ui::CreateForm(Form4);
    }
    ExerciseState.ExerciseRunning = 0;
    ExerciseState.NotStarted = 1;
    AssignPicture(SeeImage, HelpImage->Picture());
    BitBtn3->setEnabled(false);
    FormActivate();
    BringToFront();
    SeeImage->setEnabled(false);
    HelpImage->Picture().setCopyMode(raster::CopyMode::SrcCopy);
    Tmr1->Tag = 0;
    toolkit::SetHint(StaticText7, toolkit::Hint(StaticText1));
    toolkit::SetHint(StaticText4, toolkit::Hint(StaticText1));
}

void TForm2::FormActivate() {
    ExerciseState.RepeatTarget = 0;
    ExerciseState.WindIndicator = nullptr;
    if (ExerciseState.NotStarted == 1 && ExerciseState.ExerciseMode == 1) {
        SetActiveControl(BitBtn1);
    } else {
        SetActiveControl(SpinEdit1);
    }
    Tmr1->Tag = 0;
    AssignPicture(SeeImage, Form1->Image1->Picture());
    if (ExerciseState.ExerciseMode == 0) {
        SetCaption(kShootingCaption);
        SetActiveControl(BitBtn1);
    }
    if (ExerciseState.ExerciseMode == 1) {
        SetCaption(kRangeCaption);
        SpinEdit1->setEnabled(true);
    }
}

void TForm2::FormShow() {
    if (ExerciseState.WindIndicator != nullptr) {
        ExerciseState.WindIndicator->hide();
    }
}

void TForm2::FormDeactivate() {
    ExerciseState.Suspended = 1;
    toolkit::ShowPointer();
    Form3->StaticText7->SetCaption(StaticText4->Caption() == "0" ? "Контроль окончен !"
                                                                 : "Контроль не окончен !");
    if (ExerciseState.NotStarted == 1) {
        Form3->StaticText1->hide();
        Form3->StaticText2->hide();
    }
    Form3->Show();
}
