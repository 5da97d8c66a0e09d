// The mode-selection window's layout.
#include "assets/pictures.h"
#include "toolkit/fonts.h"
#include "toolkit/handler.h"
#include "ui/layout_helpers.h"
#include "ui/mode_window.h"

using toolkit::DesignFont;

TForm4::TForm4() : toolkit::Form(Frame::Dialog) {
    setObjectName("Form4");
    SetCaption("Тренажер");
    setFont(toolkit::WindowFont());
    setWindowIcon(ui::WindowIcon());
    SetClientSize(390, 201);
    SetScreenPlace(299, 209);

    RadioGroup1 = new toolkit::RadioGroup(this);
    ui::Place(RadioGroup1, 48, 40, 289, 105);
    RadioGroup1->setFont(DesignFont("Arial Black", 16, false, true));
    RadioGroup1->setTitle("Режим");
    RadioGroup1->SetItems({"Определение дальности", "Стрельба"});
    RadioGroup1->setCursor(Qt::ArrowCursor);

    StaticText1 = new toolkit::StaticText(this);
    ui::SetUpLabel(StaticText1, 48, 8, "Выберите режим контроля",
                   DesignFont("Arial Black", 19, false, true), ui::kNavy);

    BitBtn1 = new toolkit::GlyphButton(this);
    ui::Place(BitBtn1, 96, 160, 75, 25);
    BitBtn1->SetCaption("Начать");
    BitBtn1->SetGlyph(assets::LoadPicture("glyph_mode_start"), 2);

    BitBtn2 = new toolkit::GlyphButton(this);
    ui::Place(BitBtn2, 216, 160, 75, 25);
    BitBtn2->SetCaption("Выход");
    BitBtn2->SetGlyph(assets::LoadPicture("glyph_mode_exit"), 1);
    SetDefaultButton(BitBtn2);

    setTabOrder(RadioGroup1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    BitBtn1->OnClick = toolkit::Handler(this, &TForm4::BitBtn1Click);
    BitBtn2->OnClick = toolkit::Handler(this, &TForm4::BitBtn2Click);
}
