// The exercise window's layout: every control with its place, size, font, text, hint and state.
#include <QResizeEvent>

#include "assets/pictures.h"
#include "toolkit/fonts.h"
#include "toolkit/handler.h"
#include "toolkit/hints.h"
#include "ui/exercise_window.h"
#include "ui/layout_helpers.h"

using toolkit::DesignFont;
using toolkit::ImageControl;
using toolkit::SetHint;
using toolkit::SetShowHint;

namespace {
constexpr int kClientWidth = 746;
constexpr int kDesignClientHeight = 448;
constexpr int kStatusBarHeight = 19;

ImageControl* WindArrow(QWidget* parent, const char* name, int tag, int left, int top, int height,
                        ImageControl::Scaling scaling, const QString& hint, bool tooltip) {
    auto* arrow = new ImageControl(parent);
    ui::SetUpImage(arrow, left, top, 33, height, assets::LoadPicture(name));
    arrow->setObjectName(name);
    arrow->Tag = tag;
    arrow->SetTransparent(true);
    arrow->SetScaling(scaling);
    arrow->setEnabled(false);
    arrow->hide();
    SetHint(arrow, hint);
    SetShowHint(arrow, tooltip);
    return arrow;
}
}  // namespace

TForm2::TForm2() : toolkit::Form(Frame::Single) {
    setObjectName("Form2");
    SetCaption("Контроль по теме \"Определение дальности до цели с помощью оптических прицелов\" ");
    setFont(toolkit::WindowFont());
    setWindowIcon(ui::WindowIcon());
    SetClientSize(kClientWidth, kDesignClientHeight);
    SetScreenPlace(201, 164);

    Bevel1 = new toolkit::Bevel(this);
    ui::Place(Bevel1, 0, 0, 593, 425);

    SeeImage = new ImageControl(this);
    SeeImage->setObjectName("SeeImage");
    ui::Place(SeeImage, 8, 8, 576, 413);
    SeeImage->SetScaling(ImageControl::Scaling::Stretch);
    SeeImage->setCursor(Qt::ArrowCursor);
    SeeImage->setAccessibleName("Прицел");

    setka = new ImageControl(this);
    ui::SetUpImage(setka, 76, 100, 450, 450, assets::LoadPicture("setka"));
    setka->SetScaling(ImageControl::Scaling::Stretch);
    setka->SetAutoSize(true);
    setka->hide();

    man = new ImageControl(this);
    ui::SetUpImage(man, 296, 320, 18, 12, assets::LoadPicture("man"));
    man->SetAutoSize(true);
    man->hide();

    HelpImage = new ImageControl(this);
    ui::Place(HelpImage, 66, 131, 350, 250);
    HelpImage->SetScaling(ImageControl::Scaling::Stretch);
    HelpImage->hide();

    Box = new ImageControl(this);
    ui::SetUpImage(Box, 448, 365, 64, 64, assets::LoadPicture("Box"));
    Box->SetAutoSize(true);
    Box->hide();

    man4 = new ImageControl(this);
    ui::SetUpImage(man4, 192, 48, 35, 50, assets::LoadPicture("man4"));
    man4->SetAutoSize(true);
    man4->hide();

    Bevel3 = new toolkit::Bevel(this);
    ui::Place(Bevel3, 616, 352, 129, 73);

    const QString perpendicular = "Ветер|Ветер перпендикулярно плоскости стрельбы 4 м/с";
    const QString acute = "Ветер|Ветер под острым углом к плоскости стрельбы 4 м/с";
    Wind = WindArrow(this, "Wind", 1, 16, 16, 73, ImageControl::Scaling::Proportional,
                     perpendicular, true);
    Wind_diag_l = WindArrow(this, "Wind_diag_l", 4, 544, 96, 65, ImageControl::Scaling::Stretch,
                            acute, false);
    Wind_l = WindArrow(this, "Wind_l", 3, 544, 16, 73, ImageControl::Scaling::Stretch,
                       perpendicular, false);
    Wind_diag = WindArrow(this, "Wind_diag", 2, 16, 96, 65, ImageControl::Scaling::Proportional,
                          acute, false);

    SpinEdit1 = new toolkit::SpinEdit(this);
    ui::Place(SpinEdit1, 663, 216, 82, 39);
    SpinEdit1->setFont(DesignFont("MS Sans Serif", 24));
    {
        QPalette palette = SpinEdit1->palette();
        palette.setColor(QPalette::Text, ui::kGreen);
        SpinEdit1->setPalette(palette);
    }
    SpinEdit1->SetText("0");
    SetHint(SpinEdit1, "Ввод дальности|Введите определенную вами дальность");
    SetShowHint(SpinEdit1, true);

    BitBtn1 = new toolkit::GlyphButton(this);
    ui::Place(BitBtn1, 632, 360, 97, 25);
    BitBtn1->SetCaption("Начать");
    BitBtn1->SetGlyph(assets::LoadPicture("glyph_exercise_start"), 1);
    SetHint(BitBtn1, "Начать контроль");

    BitBtn2 = new toolkit::GlyphButton(this);
    ui::Place(BitBtn2, 632, 392, 97, 25);
    BitBtn2->SetCaption("Выход");
    BitBtn2->SetGlyph(assets::LoadPicture("glyph_exercise_exit"), 2);
    SetHint(BitBtn2, "Закончить контроль");

    BitBtn3 = new toolkit::GlyphButton(this);
    ui::Place(BitBtn3, 615, 216, 42, 41);
    BitBtn3->SetGlyph(assets::LoadPicture("glyph_exercise_confirm"), 2);
    SetHint(BitBtn3, "Подтвердить|Подтвердите ваше решение");
    SetShowHint(BitBtn3, true);

    const QFont captionFont = DesignFont("Arial Black", 16, false, true);
    const QFont counterFont = DesignFont("MS Sans Serif", 24, true);

    StaticText1 = new toolkit::StaticText(this);
    ui::SetUpLabel(StaticText1, 607, 36, "Попыток", captionFont);
    SetHint(StaticText1, "Количество попыток|Вам предоставляется  всего 10 попыток ");
    SetShowHint(StaticText1, true);

    StaticText2 = new toolkit::StaticText(this);
    ui::SetUpLabel(StaticText2, 607, 64, "Попаданий", captionFont);
    SetHint(StaticText2, "Количество попаданий|Количество попаданий");
    SetShowHint(StaticText2, true);

    StaticText3 = new toolkit::StaticText(this);
    ui::SetUpLabel(StaticText3, 718, 58, "0", counterFont, ui::kBlue);

    StaticText4 = new toolkit::StaticText(this);
    ui::SetUpLabel(StaticText4, 718, 22, "0", counterFont, ui::kBlue);
    {
        // The system's active-border colour behind the attempts left.
        QPalette palette = StaticText4->palette();
        palette.setColor(QPalette::Window, QColor(0xB4, 0xB4, 0xB4));
        StaticText4->setPalette(palette);
        StaticText4->setAutoFillBackground(true);
    }

    StatusBar1 = new toolkit::StatusBar(this);
    ui::Place(StatusBar1, 0, kDesignClientHeight - kStatusBarHeight, kClientWidth,
              kStatusBarHeight);
    StatusBar1->SetAutoHint(true);
    StatusBar1->setAccessibleName("Строка состояния");

    StaticText5 = new toolkit::StaticText(this);
    ui::SetUpLabel(StaticText5, 607, 128, " Оценка", counterFont, ui::kGreen);

    StaticText6 = new toolkit::StaticText(this);
    ui::SetUpLabel(StaticText6, 721, 120, "5", DesignFont("MS Sans Serif", 32, true), ui::kRed);
    StaticText6->setEnabled(false);
    SetHint(StaticText6, "Ваша оценка");
    SetShowHint(StaticText6, true);

    StaticText7 = new toolkit::StaticText(this);
    ui::SetUpLabel(StaticText7, 607, 16, "Осталось", captionFont);

    setTabOrder(SpinEdit1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, BitBtn3);

    Tmr1 = new toolkit::Timer(this, 500, true);
    Tmr2 = new toolkit::Timer(this, 400, true);
    Timer1 = new toolkit::Timer(this, 1000, false);
    Timer2 = new toolkit::Timer(this, 1000, false);

    SeeImage->OnClick = toolkit::Handler(this, &TForm2::SeeImageDblClick);
    SeeImage->OnDblClick = toolkit::Handler(this, &TForm2::SeeImageDblClick);
    SeeImage->OnMouseMove = [this](Qt::KeyboardModifiers shift, int x, int y) {
        toolkit::RunHandler([&] { SeeImageMouseMove(shift, x, y); });
    };
    SpinEdit1->OnKeyDown = [this](int key, Qt::KeyboardModifiers shift) {
        toolkit::RunHandler([&] { SpinEdit1KeyDown(key, shift); });
    };
    BitBtn1->OnClick = toolkit::Handler(this, &TForm2::Bitbtn1Click);
    BitBtn2->OnClick = toolkit::Handler(this, &TForm2::FormDeactivate);
    BitBtn3->OnClick = toolkit::Handler(this, &TForm2::Bitbtn3Click);
    Tmr1->OnTimer = [this] { Tmr1Timer(); };
    Tmr2->OnTimer = [this] { Tmr2Timer(); };
    Timer1->OnTimer = [this] { Timer1Timer(); };
    Timer2->OnTimer = [this] { Timer2Timer(); };

    // Hints follow the mouse over every control, so every control reports its moves.
    setMouseTracking(true);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->setMouseTracking(true);
    }
}

void TForm2::AssignPicture(ImageControl* image, const raster::Bitmap& picture) {
    const raster::CopyMode mode = image->Picture().copyMode();
    image->SetPicture(picture);
    image->Picture().setCopyMode(mode);
    image->Invalidate();
}

void TForm2::resizeEvent(QResizeEvent* event) {
    // The status bar keeps to the bottom edge when the round set-up makes the window taller.
    StatusBar1->move(0, event->size().height() - kStatusBarHeight);
    toolkit::Form::resizeEvent(event);
}
