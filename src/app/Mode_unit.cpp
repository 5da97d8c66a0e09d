// The mode-selection window's handlers.
#include "app/program.h"
#include "exercise/exercise_state.h"
#include "ui/completion_dialog.h"
#include "ui/exercise_window.h"
#include "ui/forms.h"
#include "ui/mode_window.h"

void TForm4::FormShow() {
    Form2->Hide();
    Form3->Hide();
}

void TForm4::FormActivate() {
    // Every activation resets the choice to range estimation and closes the other windows.
    RadioGroup1->SetItemIndex(0);
    Form2->Hide();
    Form3->Hide();
}

void TForm4::BitBtn1Click() {
    Form2->StaticText4->SetCaption("10");
    ExerciseState.ExerciseMode = RadioGroup1->ItemIndex() == 1 ? 0 : 1;
    Form3->Hide();
    Form2->Show();
}

void TForm4::BitBtn2Click() {
    app::Terminate();
}
