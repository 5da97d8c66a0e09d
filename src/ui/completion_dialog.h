// TForm3, the completion dialog "Завершение".
#pragma once

#include "toolkit/form.h"
#include "toolkit/glyph_button.h"
#include "toolkit/image_control.h"
#include "toolkit/static_text.h"

class TForm3 : public toolkit::Form {
    Q_OBJECT
  public:
    TForm3();

    // Handlers (app/exit_unit.cpp).
    void FormShow() override;
    void FormActivate() override;
    void BitBtn2MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void FormMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();

    toolkit::ImageControl* Image1;
    toolkit::ImageControl* Image2;
    toolkit::ImageControl* Image3;
    toolkit::GlyphButton* BitBtn1;
    toolkit::GlyphButton* BitBtn2;
    toolkit::StaticText* StaticText1;
    toolkit::StaticText* StaticText2;
    toolkit::StaticText* StaticText3;
    toolkit::StaticText* StaticText4;
    toolkit::StaticText* StaticText5;
    toolkit::StaticText* StaticText6;
    toolkit::GlyphButton* BitBtn3;
    toolkit::StaticText* StaticText7;

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};
