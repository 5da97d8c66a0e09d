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
    const int chosen = RadioGroup1->ItemIndex();
    if (ExerciseState.NotStarted == 0) {
        // The exercise window still holds a test that was started (the mode window stays
        // open beneath it and can be reached): the new test gets a fresh window, as after
        // "Повтор", so no hits, grade or round of the old one carry over into it.
        Form3->BitBtn3Click();
        RadioGroup1->SetItemIndex(chosen);
    }
    Form2->StaticText4->SetCaption("10");
    ExerciseState.ExerciseMode = chosen == 1 ? 0 : 1;
    Form3->Hide();
    Form2->Show();
}

void TForm4::BitBtn2Click() {
    app::Terminate();
}
