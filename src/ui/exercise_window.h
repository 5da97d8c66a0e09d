// TForm2, the exercise window: the sight view, the range entry and the counters.
#pragma once

#include "toolkit/bevel.h"
#include "toolkit/form.h"
#include "toolkit/glyph_button.h"
#include "toolkit/image_control.h"
#include "toolkit/spin_edit.h"
#include "toolkit/static_text.h"
#include "toolkit/status_bar.h"
#include "toolkit/timer.h"

class TForm2 : public toolkit::Form {
    Q_OBJECT
  public:
    TForm2();

    // Window handlers (app/exercise_window_handlers.cpp).
    void FormCreate() override;
    void FormActivate() override;
    void FormShow() override;
    void FormDeactivate() override;

    // Round set-up and answers (exercise/round_handlers.cpp, exercise/answer_handlers.cpp).
    void Bitbtn1Click();
    void Timer1Timer();
    void Bitbtn3Click();
    void SeeImageDblClick();
    void SpinEdit1KeyDown(int key, Qt::KeyboardModifiers shift);

    // Drawing of the sight (sight/sight_handlers.cpp).
    void SeeImageMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void Tmr1Timer();
    void Tmr2Timer();
    void Timer2Timer();

    // Controls, in the order of creation, which is also their stacking order.
    toolkit::Bevel* Bevel1;
    toolkit::ImageControl* SeeImage;
    toolkit::ImageControl* setka;
    toolkit::ImageControl* man;
    toolkit::ImageControl* HelpImage;
    toolkit::ImageControl* Box;
    toolkit::ImageControl* man4;
    toolkit::Bevel* Bevel3;
    toolkit::ImageControl* Wind;
    toolkit::ImageControl* Wind_diag_l;
    toolkit::ImageControl* Wind_l;
    toolkit::ImageControl* Wind_diag;
    toolkit::SpinEdit* SpinEdit1;
    toolkit::GlyphButton* BitBtn1;
    toolkit::GlyphButton* BitBtn2;
    toolkit::GlyphButton* BitBtn3;
    toolkit::StaticText* StaticText1;
    toolkit::StaticText* StaticText2;
    toolkit::StaticText* StaticText3;
    toolkit::StaticText* StaticText4;
    toolkit::StatusBar* StatusBar1;
    toolkit::StaticText* StaticText5;
    toolkit::StaticText* StaticText6;
    toolkit::StaticText* StaticText7;

    toolkit::Timer* Tmr1;
    toolkit::Timer* Tmr2;
    toolkit::Timer* Timer1;
    toolkit::Timer* Timer2;

    // Gives an image control another picture while its drawing surface keeps its copy mode, as
    // the handlers expect of a surface they draw on.
    static void AssignPicture(toolkit::ImageControl* image, const raster::Bitmap& picture);

  protected:
    void resizeEvent(QResizeEvent* event) override;
};
