// Tests of the numeric entry: which keys it refuses, how it steps, what focus selects, and
// that the window's key handler runs first.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <QWheelEvent>
#include <limits>

#include "toolkit/beep.h"
#include "toolkit/spin_edit.h"

namespace {

class SpinEditTest : public testing::Test {
  protected:
    void SetUp() override {
        toolkit::SetBeepHandler([this] { ++beeps; });
        window.resize(300, 100);
        before->setGeometry(10, 10, 100, 30);
        spin->setGeometry(150, 10, 82, 39);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void TearDown() override { toolkit::SetBeepHandler({}); }

    // Puts `text` into the field with the caret at its end and the keyboard focus on it.
    void start(const QString& text) {
        spin->SetText(text);
        spin->setFocus();
        edit()->deselect();
        edit()->end(false);
    }

    QLineEdit* edit() const { return spin->findChild<QLineEdit*>(); }

    void press(Qt::Key key, const QString& text = {}, Qt::KeyboardModifiers modifiers = {}) {
        QTest::sendKeyEvent(QTest::Click, spin, key, text, modifiers);
    }

    std::string text() const { return spin->Text().toStdString(); }

    int beeps = 0;
    QWidget window;
    QLineEdit* before = new QLineEdit("раньше", &window);
    toolkit::SpinEdit* spin = new toolkit::SpinEdit(&window);
};

struct KeyRow {
    const char* what;
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers;
};

TEST_F(SpinEditTest, RefusesEveryOtherCharacterWithABeepAndKeepsItsText) {
    const KeyRow rows[] = {
        {"a Latin letter", Qt::Key_A, "a", {}},
        {"a Cyrillic letter", Qt::Key_unknown, "я", {}},
        {"a space", Qt::Key_Space, " ", {}},
        {"Enter", Qt::Key_Return, "\r", {}},
        {"the keypad's Enter", Qt::Key_Enter, "\r", Qt::KeypadModifier},
        {"an asterisk", Qt::Key_Asterisk, "*", {}},
    };
    for (const KeyRow& row : rows) {
        start("12");
        const int beepsBefore = beeps;
        press(row.key, row.text, row.modifiers);
        EXPECT_EQ(text(), "12") << row.what;
        EXPECT_EQ(beeps, beepsBefore + 1) << row.what;
    }
}

TEST_F(SpinEditTest, TakesDigitsSignsAndTheLocalesDecimalSeparatorSilentlyAndNotTheOther) {
    struct LocaleRow {
        QLocale locale;
        const char* taken;
        const char* refused;
    };
    const LocaleRow rows[] = {{QLocale(QLocale::Russian, QLocale::Russia), ",", "."},
                              {QLocale(QLocale::English, QLocale::UnitedStates), ".", ","}};
    const QLocale before = QLocale();
    for (const LocaleRow& row : rows) {
        QLocale::setDefault(row.locale);
        start("");
        QTest::keyClicks(spin, QString("+-0123456789") + row.taken);
        EXPECT_EQ(text(), std::string("+-0123456789") + row.taken);
        EXPECT_EQ(beeps, 0);
        QTest::keyClicks(spin, row.refused);
        EXPECT_EQ(text(), std::string("+-0123456789") + row.taken);
        EXPECT_EQ(beeps, 1);
        beeps = 0;
    }
    QLocale::setDefault(before);
}

TEST_F(SpinEditTest, PasteOfTextWithARefusedCharacterIsRefusedAsAWhole) {
    start("12");
    QGuiApplication::clipboard()->setText("3a4");
    press(Qt::Key_V, "v", Qt::ControlModifier);
    EXPECT_EQ(text(), "12");
    EXPECT_EQ(beeps, 1);

    edit()->paste();  // as the context menu does
    EXPECT_EQ(text(), "12");
    EXPECT_EQ(beeps, 2);

    QGuiApplication::clipboard()->setText("-34");
    press(Qt::Key_V, "v", Qt::ControlModifier);
    EXPECT_EQ(text(), "12-34");
    EXPECT_EQ(beeps, 2);
}

TEST_F(SpinEditTest, TextSetByTheProgramIsKeptWithoutABeep) {
    spin->SetText("abc");
    EXPECT_EQ(text(), "abc");
    EXPECT_EQ(spin->Value(), 0);
    EXPECT_EQ(beeps, 0);
}

struct StepRow {
    const char* what;
    QString text;
    int minValue;
    int maxValue;
    Qt::Key key;
    QString expected;
};

TEST_F(SpinEditTest, UpAndDownKeysAddAndSubtractTheStep) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    const StepRow rows[] = {
        {"up", "5", 0, 0, Qt::Key_Up, "6"},
        {"below zero without limits", "0", 0, 0, Qt::Key_Down, "-1"},
        {"a decimal counts as the lower limit", "1,5", 0, 0, Qt::Key_Up, "1"},
        {"a lone sign counts as the lower limit", "-", 0, 0, Qt::Key_Down, "-1"},
        {"the largest integer stays", QString::number(kMax), 0, 0, Qt::Key_Up,
         QString::number(kMax)},
        {"the smallest integer stays", QString::number(kMin), 0, 0, Qt::Key_Down,
         QString::number(kMin)},
        {"too long a number counts as the lower limit", "99999999999", 0, 0, Qt::Key_Up, "1"},
        {"the upper limit holds", "10", 5, 10, Qt::Key_Up, "10"},
        {"a text that is no number starts from the lower limit", "1.5", 5, 10, Qt::Key_Up, "6"},
        {"a value under the lower limit is raised to it", "3", 5, 10, Qt::Key_Up, "5"},
        {"Page Up does not step", "5", 0, 0, Qt::Key_PageUp, "5"},
        {"Page Down does not step", "5", 0, 0, Qt::Key_PageDown, "5"},
    };
    for (const StepRow& row : rows) {
        spin->MinValue = row.minValue;
        spin->MaxValue = row.maxValue;
        start(row.text);
        press(row.key);
        EXPECT_EQ(text(), row.expected.toStdString()) << row.what;
    }
    EXPECT_EQ(beeps, 0);
}

TEST_F(SpinEditTest, TheWheelStepsTooByOneEvenWithControlHeld) {
    start("7");
    for (const Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::ControlModifier}) {
        QWheelEvent wheel(QPointF(10, 10), QPointF(spin->mapToGlobal(QPoint(10, 10))), QPoint(),
                          QPoint(0, 120), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(spin, &wheel);
    }
    EXPECT_EQ(text(), "9");
}

TEST_F(SpinEditTest, SelectsItsWholeTextWhenFocusedOtherThanByAClick) {
    spin->SetText("250");
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    ASSERT_TRUE(spin->hasFocus());
    EXPECT_EQ(edit()->selectedText(), "250");

    before->setFocus();
    edit()->deselect();
    spin->setFocus();
    EXPECT_EQ(edit()->selectedText(), "250");
}

TEST_F(SpinEditTest, AClickIntoTheFieldPlacesTheCaretWithoutSelecting) {
    spin->SetText("250");
    before->setFocus();
    const QPoint inField = edit()->mapTo(&window, QPoint(2, edit()->height() / 2));
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, inField);
    ASSERT_TRUE(spin->hasFocus());
    EXPECT_FALSE(edit()->hasSelectedText());
    EXPECT_EQ(edit()->cursorPosition(), 0);
}

struct KeyDownRow {
    const char* what;
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers;
    int expectedCode;
    std::string textAfter;
    int beepsAfter;
};

TEST_F(SpinEditTest, KeyDownHandlerRunsFirstWithTheVirtualKeyCode) {
    int code = -1;
    std::string textSeen;
    int beepsSeen = -1;
    spin->OnKeyDown = [&](int key, Qt::KeyboardModifiers) {
        code = key;
        textSeen = text();
        beepsSeen = beeps;
    };
    const KeyDownRow rows[] = {
        {"a digit", Qt::Key_7, "7", {}, 55, "17", 0},
        {"Enter", Qt::Key_Return, "\r", {}, 13, "1", 1},
        {"the keypad's Enter", Qt::Key_Enter, "\r", Qt::KeypadModifier, 13, "1", 1},
        {"Up", Qt::Key_Up, "", {}, 38, "2", 0},
        {"a small letter", Qt::Key_A, "a", {}, 65, "1", 1},
        {"a keypad digit", Qt::Key_5, "5", Qt::KeypadModifier, 101, "15", 0},
        {"minus", Qt::Key_Minus, "-", {}, 189, "1-", 0},
        {"Backspace", Qt::Key_Backspace, "\b", {}, 8, "", 0},
    };
    for (const KeyDownRow& row : rows) {
        start("1");
        beeps = 0;
        code = -1;
        press(row.key, row.text, row.modifiers);
        EXPECT_EQ(code, row.expectedCode) << row.what;
        EXPECT_EQ(textSeen, "1") << row.what;
        EXPECT_EQ(beepsSeen, 0) << row.what;
        EXPECT_EQ(text(), row.textAfter) << row.what;
        EXPECT_EQ(beeps, row.beepsAfter) << row.what;
    }
}

}  // namespace
