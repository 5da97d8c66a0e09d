// The completion dialog's handlers: leave the program, go back to the test, or start anew.
#include "app/program.h"
#include "exercise/exercise_state.h"
#include "toolkit/native_frame.h"
#include "ui/completion_dialog.h"
#include "ui/exercise_window.h"
#include "ui/forms.h"
#include "ui/mode_window.h"

void TForm3::FormShow() {
    StaticText2->SetCaption(Form2->StaticText6->Caption());
    // Where the compositor places the windows, it puts the dialog over the exercise window.
    toolkit::TieToOwner(this, Form2);
}

void TForm3::FormActivate() {
    // A finished test stays finished, however the trainee moves between the windows: going
    // back into it would start a round with no attempts left and lose the final grade.
    BitBtn1->setEnabled(Form2 == nullptr || Form2->StaticText4->Caption() != "0");
}

void TForm3::BitBtn2MouseMove(Qt::KeyboardModifiers, int, int) {
    BitBtn2->SetGlyph(Image1->Picture(), 2);
    ExerciseState.ExitHover = 1;
}

void TForm3::FormMouseMove(Qt::KeyboardModifiers, int, int) {
    if (ExerciseState.ExitHover == 1) {
        BitBtn2->SetGlyph(Image2->Picture(), 2);
    }
}

void TForm3::BitBtn2Click() {
    app::Terminate();
}

void TForm3::BitBtn1Click() {
    ExerciseState.Suspended = 0;
    Hide();
    if (ExerciseState.NotStarted == 1) {
        return;
    }
    const QString attemptsLeft = Form2->StaticText4->Caption();
    const QString hits = Form2->StaticText3->Caption();
    ui::DestroyWindow(Form2);
    ui::CreateForm(Form2);
    Form2->Show();
    Form2->StaticText4->SetCaption(attemptsLeft);
    Form2->StaticText3->SetCaption(hits);
    // The interrupted round is dropped without using an attempt; a new one begins at once.
    Form2->Bitbtn1Click();
}

void TForm3::BitBtn3Click() {
    Hide();
    ui::DestroyWindow(Form2);
    ui::CreateForm(Form2);
    Hide();
    Form4->Show();
}
