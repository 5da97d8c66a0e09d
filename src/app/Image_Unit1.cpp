// The image store's creation handler, which creates the exercise window.
#include "ui/Image_Unit1.h"

#include "ui/exercise_window.h"
#include "ui/forms.h"

void TForm1::FormCreate() {
    ui::CreateForm(Form2);
}
