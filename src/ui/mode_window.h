// TForm4, the mode-selection window "Тренажер", the program's main window.
#pragma once

#include "toolkit/form.h"
#include "toolkit/glyph_button.h"
#include "toolkit/radio_group.h"
#include "toolkit/static_text.h"

class TForm4 : public toolkit::Form {
    Q_OBJECT
  public:
    TForm4();

    // Handlers (app/Mode_unit.cpp).
    void FormShow() override;
    void FormActivate() override;
    void BitBtn1Click();
    void BitBtn2Click();

    toolkit::RadioGroup* RadioGroup1;
    toolkit::StaticText* StaticText1;
    toolkit::GlyphButton* BitBtn1;
    toolkit::GlyphButton* BitBtn2;
};
