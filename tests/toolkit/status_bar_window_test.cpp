// Tests of the status bar that follows the hints under the mouse.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include "toolkit/hints.h"
#include "toolkit/image_control.h"
#include "toolkit/status_bar.h"

namespace {

// A window like the exercise window: a view without a hint, disabled see-through arrows
// over it and over a button, hinted and unhinted controls, and the status bar.
class StatusBarTest : public testing::Test {
  protected:
    void SetUp() override {
        window.resize(400, 200);
        view->setGeometry(10, 10, 200, 150);
        view->SetPicture(raster::Bitmap(200, 150, 0x336699));
        button->setGeometry(250, 10, 80, 25);
        toolkit::SetHint(button, "Начать контроль");
        disabledButton->setGeometry(250, 50, 80, 25);
        toolkit::SetHint(disabledButton, "Подтвердить|Подтвердите ваше решение");
        disabledButton->setEnabled(false);
        panel->setGeometry(250, 100, 100, 50);
        toolkit::SetHint(panel, "Панель|Подсказка панели");
        inner->setGeometry(10, 10, 30, 30);
        placeArrow(arrow, QRect(20, 20, 30, 60), "Ветер|Ветер перпендикулярно плоскости");
        placeArrow(hiddenArrow, QRect(100, 20, 30, 60), "Ветер|Скрытая стрелка");
        hiddenArrow->hide();
        placeArrow(arrowOverButton, QRect(250, 10, 20, 25), "Ветер|Ветер под острым углом");
        statusBar->setGeometry(0, 181, 400, 19);
        statusBar->SetAutoHint(true);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void placeArrow(toolkit::ImageControl* image, const QRect& place, const QString& hint) {
        image->setGeometry(place);
        image->SetPicture(raster::Bitmap(place.width(), place.height(), 0));
        image->SetTransparent(true);
        image->setEnabled(false);
        toolkit::SetHint(image, hint);
    }

    void moveTo(QPoint position) { QTest::mouseMove(window.windowHandle(), position); }

    QWidget window;
    toolkit::ImageControl* view = new toolkit::ImageControl(&window);
    QPushButton* button = new QPushButton("Начать", &window);
    QPushButton* disabledButton = new QPushButton("OK", &window);
    QWidget* panel = new QWidget(&window);
    QWidget* inner = new QWidget(panel);
    toolkit::ImageControl* arrow = new toolkit::ImageControl(&window);
    toolkit::ImageControl* hiddenArrow = new toolkit::ImageControl(&window);
    toolkit::ImageControl* arrowOverButton = new toolkit::ImageControl(&window);
    toolkit::StatusBar* statusBar = new toolkit::StatusBar(&window);
};

struct MouseStep {
    const char* what;
    QPoint position;
    QString writtenByHandler;  // set just before the move when not empty
    QString expected;
};

TEST_F(StatusBarTest, ShowsTheLongHintOnlyWhenTheHintUnderTheMouseChanges) {
    const MouseStep steps[] = {
        {"the view has no hint", {100, 100}, "", ""},
        {"a disabled see-through arrow over the view shows its own hint",
         {30, 40},
         "",
         "Ветер перпендикулярно плоскости"},
        {"a handler's text stays within the same arrow", {35, 45}, "Попадание", "Попадание"},
        {"moving onto the view without a hint clears the text", {100, 100}, "", ""},
        {"a handler's text stays while no hint is under the mouse", {110, 110}, "Промах", "Промах"},
        {"a hidden arrow shows no hint", {115, 40}, "", "Промах"},
        {"a hint without a bar is its own long part", {300, 20}, "", "Начать контроль"},
        {"a disabled arrow over a button shows the arrow's hint",
         {255, 20},
         "",
         "Ветер под острым углом"},
        {"a disabled button shows its hint", {260, 60}, "", "Подтвердите ваше решение"},
        {"a control with a hint", {255, 105}, "", "Подсказка панели"},
        {"a child without a hint takes its parent's, which has not changed",
         {265, 115},
         "Текст обработчика",
         "Текст обработчика"},
        {"the window's own surface has no hint", {5, 5}, "", ""},
    };
    for (const MouseStep& step : steps) {
        if (!step.writtenByHandler.isEmpty()) {
            statusBar->SetSimpleText(step.writtenByHandler);
        }
        moveTo(step.position);
        EXPECT_EQ(statusBar->SimpleText().toStdString(), step.expected.toStdString()) << step.what;
    }
}

// Qt asks the widget it finds under the mouse, which is the view beneath the arrow: the
// arrow's tooltip never showed.
TEST_F(StatusBarTest, ADisabledSeeThroughArrowShowsItsTooltipOverTheView) {
    toolkit::SetShowHint(arrow, true);
    const QPoint position(30, 40);
    QWidget* asked = window.childAt(position);
    ASSERT_EQ(asked, view);
    QHelpEvent help(QEvent::ToolTip, asked->mapFrom(&window, position),
                    window.mapToGlobal(position));
    QApplication::sendEvent(asked, &help);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text().toStdString(), "Ветер");
    QToolTip::hideText();
}

TEST_F(StatusBarTest, LeavingTheWindowClearsTheHint) {
    moveTo({300, 20});
    ASSERT_EQ(statusBar->SimpleText().toStdString(), "Начать контроль");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&window, &leave);
    EXPECT_EQ(statusBar->SimpleText().toStdString(), "");
}

}  // namespace
