// The completion dialog's layout.
#include <QMouseEvent>

#include "assets/pictures.h"
#include "toolkit/fonts.h"
#include "toolkit/handler.h"
#include "toolkit/hints.h"
#include "toolkit/qt_compat.h"
#include "ui/completion_dialog.h"
#include "ui/layout_helpers.h"

using toolkit::DesignFont;

namespace {
toolkit::GlyphButton* DialogButton(QWidget* parent, int left, const QString& caption,
                                   const char* glyph, const QString& hint) {
    auto* button = new toolkit::GlyphButton(parent);
    ui::Place(button, left, 152, 75, 25);
    button->SetCaption(caption);
    button->SetGlyph(assets::LoadPicture(glyph), 2);
    toolkit::SetHint(button, hint);
    toolkit::SetShowHint(button, true);
    return button;
}
}  // namespace

TForm3::TForm3() : toolkit::Form(Frame::Dialog) {
    setObjectName("Form3");
    SetCaption("Завершение");
    SetReadAsDialog(true);
    setFont(toolkit::WindowFont());
    SetClientSize(383, 197);
    SetScreenPlace(303, 208);

    Image1 = new toolkit::ImageControl(this);
    ui::SetUpImage(Image1, 0, 160, 33, 17, assets::LoadPicture("dialog_bulb_lit"));
    Image1->hide();
    Image2 = new toolkit::ImageControl(this);
    ui::SetUpImage(Image2, 8, 144, 33, 17, assets::LoadPicture("dialog_bulb_unlit"));
    Image2->hide();
    Image3 = new toolkit::ImageControl(this);
    ui::SetUpImage(Image3, 16, 40, 105, 97, assets::LoadPicture("dialog_question"));
    Image3->SetScaling(toolkit::ImageControl::Scaling::Stretch);
    Image3->setAccessibleName("Вопрос");

    BitBtn1 = DialogButton(this, 152, "Отмена", "glyph_dialog_cancel",
                           "Возврат в незавершенное упражнение");
    BitBtn2 = DialogButton(this, 48, "Выход", "dialog_bulb_unlit", "Завершение контроля");

    const QFont questionFont = DesignFont("MS Sans Serif", 19);
    StaticText1 = new toolkit::StaticText(this);
    ui::SetUpLabel(StaticText1, 136, 40, "Ваша оценка", questionFont, ui::kNavy);
    StaticText2 = new toolkit::StaticText(this);
    ui::SetUpLabel(StaticText2, 280, 32, "2", DesignFont("MS Sans Serif", 32), ui::kRed);
    StaticText3 = new toolkit::StaticText(this);
    ui::SetUpLabel(StaticText3, 136, 64, "Вы действительно", questionFont, ui::kNavy);
    StaticText4 = new toolkit::StaticText(this);
    ui::SetUpLabel(StaticText4, 176, 88, "", toolkit::WindowFont());
    StaticText5 = new toolkit::StaticText(this);
    ui::SetUpLabel(StaticText5, 136, 88, "хотите завершить", questionFont, ui::kNavy);
    StaticText6 = new toolkit::StaticText(this);
    ui::SetUpLabel(StaticText6, 136, 112, "работу ?", questionFont, ui::kNavy);

    BitBtn3 = DialogButton(this, 256, "Повтор", "glyph_dialog_repeat", "Повторный контроль");

    StaticText7 = new toolkit::StaticText(this);
    ui::SetUpLabel(StaticText7, 40, 0, " Контроль не окончен!",
                   DesignFont("MS Sans Serif", 24, true), ui::kNavy);

    setTabOrder(BitBtn2, BitBtn1);
    setTabOrder(BitBtn1, BitBtn3);

    BitBtn1->OnClick = toolkit::Handler(this, &TForm3::BitBtn1Click);
    BitBtn2->OnClick = toolkit::Handler(this, &TForm3::BitBtn2Click);
    BitBtn3->OnClick = toolkit::Handler(this, &TForm3::BitBtn3Click);
    BitBtn2->OnMouseMove = [this](Qt::KeyboardModifiers shift, int x, int y) {
        toolkit::RunHandler([&] { BitBtn2MouseMove(shift, x, y); });
    };
    setMouseTracking(true);
    BitBtn2->setMouseTracking(true);
}

void TForm3::mouseMoveEvent(QMouseEvent* event) {
    // Moves over the dialog's own background; a control under the mouse takes its own moves.
    if (childAt(toolkit::EventPosition(*event).toPoint()) == nullptr) {
        const QPoint at = toolkit::EventPosition(*event).toPoint();
        toolkit::RunHandler([&] { FormMouseMove(event->modifiers(), at.x(), at.y()); });
    }
    toolkit::Form::mouseMoveEvent(event);
}
