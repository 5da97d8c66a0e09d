// Tests that screen readers find every control of the program's windows by a name: captions
// and label texts where the control has them, the hint's short part or a layout name where not.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QWidget>

#include "toolkit/accessible_names.h"
#include "toolkit/glyph_button.h"
#include "toolkit/hints.h"
#include "toolkit/static_text.h"
#include "ui/completion_dialog.h"
#include "ui/exercise_window.h"
#include "ui/forms.h"
#include "ui/mode_window.h"
#include "window_test_support.h"

namespace {

QString Description(QWidget* control) {
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Description);
}

TEST(AccessibleNames, ControlsWithoutTextTakeTheShortHintAndFollowItsChanges) {
    QWidget window;
    auto* captionless = new toolkit::GlyphButton(&window);
    toolkit::SetHint(captionless, "Подтвердить|Подтвердите ваше решение");
    auto* captioned = new toolkit::GlyphButton(&window);
    captioned->SetCaption("Начать");
    toolkit::SetHint(captioned, "Начать контроль");
    auto* label = new toolkit::StaticText(&window);
    label->SetCaption("Попыток");
    toolkit::SetHint(label, "Количество попыток|Вам предоставляется  всего 10 попыток ");
    toolkit::NameControlsForAccessibility(&window);

    EXPECT_EQ(toolkit::AccessibleName(captionless), "Подтвердить");
    EXPECT_EQ(toolkit::AccessibleName(captioned), "Начать");
    EXPECT_EQ(toolkit::AccessibleName(label), "Попыток");
    EXPECT_EQ(Description(captionless), "Подтвердите ваше решение");
    EXPECT_EQ(Description(label), "Вам предоставляется  всего 10 попыток ");

    // Later changes: a caption-less control's name follows its hint; a captioned one keeps
    // following its caption.
    toolkit::SetHint(captionless, "Ответ|Подтвердите ответ");
    toolkit::SetHint(captioned, "Продолжить контроль");
    captioned->SetCaption("Продолжить ");
    label->SetCaption("Осталось");
    EXPECT_EQ(toolkit::AccessibleName(captionless), "Ответ");
    EXPECT_EQ(toolkit::AccessibleName(captioned), "Продолжить ");
    EXPECT_EQ(toolkit::AccessibleName(label), "Осталось");
    EXPECT_EQ(Description(captionless), "Подтвердите ответ");
}

// Every control of the window that the layout does not hide, found by walking the
// accessibility tree as a screen reader does.
void CollectShownControls(QAccessibleInterface* node, const QWidget* window,
                          std::vector<QAccessibleInterface*>& controls) {
    for (int index = 0; index < node->childCount(); ++index) {
        QAccessibleInterface* child = node->child(index);
        const auto* widget = qobject_cast<const QWidget*>(child->object());
        if (widget != nullptr && !widget->isVisibleTo(window)) {
            continue;
        }
        controls.push_back(child);
        CollectShownControls(child, window, controls);
    }
}

class WindowAccessibleNames : public ProgramTest {};

TEST_F(WindowAccessibleNames, EveryShownControlOfEveryShownWindowHasAName) {
    // The image store is never shown, so nothing of it reaches a screen reader.
    for (QWidget* window : std::initializer_list<QWidget*>{Form2, Form3, Form4}) {
        SCOPED_TRACE(window->objectName().toStdString());
        std::vector<QAccessibleInterface*> controls;
        CollectShownControls(QAccessible::queryAccessibleInterface(window), window, controls);
        ASSERT_GT(controls.size(), 4U);
        for (QAccessibleInterface* control : controls) {
            const QAccessible::Role role = control->role();
            // Bevels are decoration; a label with no text has nothing to read.
            if (role == QAccessible::Border ||
                (role == QAccessible::StaticText && control->text(QAccessible::Name).isEmpty() &&
                 qobject_cast<const toolkit::StaticText*>(control->object())->text().isEmpty())) {
                continue;
            }
            EXPECT_FALSE(control->text(QAccessible::Name).isEmpty())
                << control->object()->metaObject()->className() << " "
                << control->object()->objectName().toStdString() << " role " << role;
        }
    }
}

struct NamedControl {
    QWidget* control;
    QString name;
};

TEST_F(WindowAccessibleNames, ControlsWithoutTextAreNamedAfterTheirHintOrWhatTheyShow) {
    const NamedControl cases[] = {
        {Form2->SeeImage, "Прицел"},     {Form2->SpinEdit1, "Ввод дальности"},
        {Form2->BitBtn3, "Подтвердить"}, {Form2->Wind, "Ветер"},
        {Form2->Wind_l, "Ветер"},        {Form2->Wind_diag, "Ветер"},
        {Form2->Wind_diag_l, "Ветер"},   {Form2->StatusBar1, "Строка состояния"},
        {Form2->BitBtn1, "Начать"},      {Form2->StaticText6, "5"},
        {Form3->Image3, "Вопрос"},       {Form3->BitBtn2, "Выход"},
        {Form4->RadioGroup1, "Режим"},   {Form4->StaticText1, "Выберите режим контроля"},
    };
    for (const NamedControl& row : cases) {
        EXPECT_EQ(toolkit::AccessibleName(row.control), row.name) << row.name.toStdString();
    }
}

TEST_F(WindowAccessibleNames, TheExerciseWindowCreatedAnewIsNamedToo) {
    ui::DestroyWindow(Form2);
    ui::CreateForm(Form2);
    EXPECT_EQ(toolkit::AccessibleName(Form2->BitBtn3), "Подтвердить");
    EXPECT_EQ(toolkit::AccessibleName(Form2->SpinEdit1), "Ввод дальности");
}

}  // namespace
