// Both exercises played in the real exercise window: rounds, answers, shots, counters, grade
// and the end of a test, with timer ticks fired by hand and a fixed clock.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QToolTip>
#include <cstdlib>
#include <map>

#include "assets/range_table.h"
#include "exercise/exercise_state.h"
#include "toolkit/beep.h"
#include "toolkit/focus_model.h"
#include "ui/Image_Unit1.h"
#include "ui/completion_dialog.h"
#include "ui/exercise_window.h"
#include "ui/forms.h"
#include "ui/mode_window.h"
#include "window_test_support.h"

namespace {

class ExerciseTest : public ProgramTest {
  protected:
    void startTest(int modeItem) {
        ChooseMode(modeItem);
        QTest::mouseClick(Form4->BitBtn1, Qt::LeftButton);
        ASSERT_TRUE(Form2->Visible());
    }
    // "Начать" or "Продолжить " in the exercise window, then the two marker ticks that enable
    // the view.
    void startRound() {
        QTest::mouseClick(Form2->BitBtn1, Qt::LeftButton);
        Form2->Tmr1->Tick();
        Form2->Tmr1->Tick();
    }
    int trueRange() const { return assets::RangeForHeight(Form2->man4->Picture().height()); }
    void answer(const QString& text) {
        Form2->SpinEdit1->SetText(text);
        QTest::keyClick(Form2->SpinEdit1, Qt::Key_Return);
    }
    // Aims so that the point of impact falls on the target as the lens shows it, wind and drop
    // included, and returns the mouse point.
    QPoint aimAtTarget() const {
        const int targetX = ExerciseState.TargetX;
        const int targetY = ExerciseState.TargetY;
        int wind = 0;
        if (ExerciseState.WindIndicator != nullptr) {
            wind = std::map<int, int>{{1, -60}, {2, -30}, {3, 72}, {4, 30}}.at(
                ExerciseState.WindIndicator->Tag);
        }
        const int drop =
            std::map<int, int>{{200, 2}, {300, 32}, {400, 60}, {500, 95}}.at(trueRange());
        // The lens shows the target at 6t - 4m for mouse m; the shot lands at 2m + wind and
        // 2m - 60 + drop.
        return {(6 * targetX - wind) / 6, (6 * targetY + 60 - drop) / 6};
    }
    // A mouse move delivered to the view as the window system would deliver it.
    static void moveOver(QPoint mouse) {
        QMouseEvent move(QEvent::MouseMove, QPointF(mouse),
                         QPointF(Form2->SeeImage->mapToGlobal(mouse)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(Form2->SeeImage, &move);
    }
    void shootAt(QPoint mouse) {
        moveOver(mouse);
        QTest::mouseClick(Form2->SeeImage, Qt::LeftButton, {}, mouse);
    }
};

TEST_F(ExerciseTest, TenRightRangeAnswersEndTheTestWithGradeFive) {
    startTest(0);
    startRound();
    for (int attempt = 0; attempt < 10; ++attempt) {
        answer(QString::number(trueRange() + 99));
    }
    EXPECT_EQ(Form2->StaticText4->Caption(), "0");
    EXPECT_EQ(Form2->StaticText3->Caption(), "10");
    EXPECT_EQ(Form2->StaticText6->Caption(), "5");
    EXPECT_FALSE(Form2->Visible());
    EXPECT_TRUE(Form3->Visible());
    EXPECT_EQ(Form3->StaticText7->Caption(), "Контроль окончен !");
    EXPECT_FALSE(Form3->StaticText2->isHidden());
    EXPECT_EQ(Form3->StaticText2->Caption(), "5");
    EXPECT_FALSE(Form3->BitBtn1->isEnabled());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ExerciseTest, TenWrongRangeAnswersGiveGradeZeroCountingTheLastAnswerToo) {
    startTest(0);
    startRound();
    for (int attempt = 0; attempt < 10; ++attempt) {
        answer(QString::number(trueRange() + 100));
    }
    EXPECT_EQ(Form2->StaticText3->Caption(), "0");
    EXPECT_EQ(Form2->StaticText6->Caption(), "0");
    EXPECT_EQ(Form3->StaticText2->Caption(), "0");
}

TEST_F(ExerciseTest, AWrongRangeAnswerShowsTheSameTargetAgain) {
    startTest(0);
    SetClock(12345678);
    startRound();
    const int targetX = ExerciseState.TargetX;
    const int targetY = ExerciseState.TargetY;
    const int height = Form2->man4->Picture().height();
    // Range estimation has no wind: no arrow blinks and no wind text stands in the status bar.
    EXPECT_EQ(ExerciseState.WindIndicator, nullptr);
    Form2->Timer1->Tick();
    for (const toolkit::ImageControl* arrow :
         {Form2->Wind, Form2->Wind_diag, Form2->Wind_l, Form2->Wind_diag_l}) {
        EXPECT_TRUE(arrow->isHidden());
    }
    EXPECT_FALSE(Form2->StatusBar1->SimpleText().contains("Ветер"));
    SetClock(777);
    answer(QString::number(trueRange() - 100));
    EXPECT_EQ(ExerciseState.TargetX, targetX);
    EXPECT_EQ(ExerciseState.TargetY, targetY);
    EXPECT_EQ(Form2->man4->Picture().height(), height);
    EXPECT_EQ(Form2->StaticText4->Caption(), "9");
}

// Every kind of text the trainee can put into the range field, typed key by key or pasted
// from the clipboard, then confirmed with Enter: a whole number is judged; anything else gets
// the conversion error and costs nothing; what the field refuses never gets in.
TEST_F(ExerciseTest, EveryKindOfTextInTheRangeFieldIsJudgedOrRefusedWithNothingElseChanged) {
    enum class Outcome { Judged, ErrorBox, RefusedByTheField };
    enum class Entry { Typed, Pasted };
    struct Row {
        QString text;
        Entry entry;
        Outcome outcome;
    };
    const QString longDigits(5000, u'7');
    const Row rows[] = {
        {"", Entry::Typed, Outcome::ErrorBox},
        {"-", Entry::Typed, Outcome::ErrorBox},
        {"+", Entry::Typed, Outcome::ErrorBox},
        {",", Entry::Typed, Outcome::ErrorBox},
        {".", Entry::Pasted, Outcome::RefusedByTheField},  // not the locale's separator
        {"--1", Entry::Typed, Outcome::ErrorBox},
        {"1-", Entry::Typed, Outcome::ErrorBox},
        {"2,5", Entry::Pasted, Outcome::ErrorBox},
        {"2147483648", Entry::Typed, Outcome::ErrorBox},
        {"-2147483649", Entry::Pasted, Outcome::ErrorBox},
        {longDigits, Entry::Pasted, Outcome::ErrorBox},
        {" 250", Entry::Pasted, Outcome::RefusedByTheField},
        {"250 ", Entry::Pasted, Outcome::RefusedByTheField},
        {"abc", Entry::Typed, Outcome::RefusedByTheField},
        {"3e2", Entry::Pasted, Outcome::RefusedByTheField},
        {"\uFF12\uFF15\uFF10", Entry::Pasted, Outcome::RefusedByTheField},  // full-width digits
        {"2147483647", Entry::Typed, Outcome::Judged},
        {"-2147483648", Entry::Pasted, Outcome::Judged},
        {"+0400", Entry::Typed, Outcome::Judged},
        {"-0", Entry::Pasted, Outcome::Judged},
    };
    int beeps = 0;
    toolkit::SetBeepHandler([&beeps] { ++beeps; });
    startTest(0);
    startRound();
    toolkit::SpinEdit* field = Form2->SpinEdit1;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.left(12).toStdString());
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        ASSERT_EQ(field->Text(), "");
        const int beepsBefore = beeps;
        if (row.entry == Entry::Typed) {
            for (const QChar character : row.text) {
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, character,
                                    Qt::NoModifier);
            }
        } else {
            QGuiApplication::clipboard()->setText(row.text);
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        }
        if (row.outcome == Outcome::RefusedByTheField) {
            EXPECT_EQ(field->Text(), "");
            EXPECT_GT(beeps, beepsBefore);
            continue;
        }
        ASSERT_EQ(field->Text(), row.text);
        EXPECT_EQ(beeps, beepsBefore);
        const QString attempts = Form2->StaticText4->Caption();
        const QString hits = Form2->StaticText3->Caption();
        const QString grade = Form2->StaticText6->Caption();
        const int targetX = ExerciseState.TargetX;
        const qsizetype errorsBefore = errors.size();
        QTest::keyClick(field, Qt::Key_Return);
        if (row.outcome == Outcome::Judged) {
            EXPECT_EQ(errors.size(), errorsBefore);
            EXPECT_EQ(Form2->StaticText4->Caption(), QString::number(attempts.toInt() - 1));
            continue;
        }
        ASSERT_EQ(errors.size(), errorsBefore + 1);
        EXPECT_EQ(errors.last(), QString("'%1' is not a valid integer value").arg(row.text));
        EXPECT_EQ(Form2->StaticText4->Caption(), attempts);
        EXPECT_EQ(Form2->StaticText3->Caption(), hits);
        EXPECT_EQ(Form2->StaticText6->Caption(), grade);
        EXPECT_EQ(ExerciseState.TargetX, targetX);
        EXPECT_EQ(ExerciseState.ExerciseRunning, 1);
        EXPECT_TRUE(Form2->BitBtn3->isEnabled());
    }
    toolkit::SetBeepHandler({});
    // After all of that a right answer still counts.
    const QString attempts = Form2->StaticText4->Caption();
    answer(QString::number(trueRange()));
    EXPECT_EQ(Form2->StaticText4->Caption(), QString::number(attempts.toInt() - 1));
    EXPECT_EQ(Form2->StaticText3->Caption(), "1");
}

TEST_F(ExerciseTest, EnterUsesNoAttemptWhileConfirmingIsDisabled) {
    startTest(1);
    startRound();
    shootAt({10, 10});
    const QString attempts = Form2->StaticText4->Caption();
    answer("200");
    EXPECT_EQ(Form2->StaticText4->Caption(), attempts);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ExerciseTest, TenHitsInTheShootingExerciseGiveGradeFiveAndAFinishedTestCannotBeReentered) {
    startTest(1);
    for (int shot = 0; shot < 10; ++shot) {
        SetClock(1000u * 3607u * unsigned(shot + 1));
        startRound();
        ASSERT_TRUE(Form2->SeeImage->isEnabled());
        shootAt(aimAtTarget());
        EXPECT_EQ(ExerciseState.RepeatTarget, 0) << "shot " << shot;
        Form2->Timer2->Tick();
    }
    EXPECT_EQ(Form2->StaticText4->Caption(), "0");
    EXPECT_EQ(Form2->StaticText3->Caption(), "10");
    EXPECT_EQ(Form2->StaticText6->Caption(), "5");
    EXPECT_TRUE(Form3->Visible());
    EXPECT_TRUE(Form2->Visible());
    EXPECT_EQ(Form3->StaticText2->Caption(), "5");
    EXPECT_FALSE(Form3->BitBtn1->isEnabled());
}

TEST_F(ExerciseTest, TenMissedShotsGiveGradeZeroRepeatTheTargetAndCannotBeReentered) {
    startTest(1);
    startRound();
    const int targetX = ExerciseState.TargetX;
    const toolkit::ImageControl* const wind = ExerciseState.WindIndicator;
    ASSERT_NE(wind, nullptr);
    for (int shot = 0; shot < 10; ++shot) {
        shootAt({570, 400});
        EXPECT_EQ(ExerciseState.RepeatTarget, 1);
        if (shot < 9) {
            // A fresh draw at this clock would give another wind; the repeat keeps it.
            SetClock(2000u * unsigned(shot + 1));
            startRound();
            EXPECT_EQ(ExerciseState.TargetX, targetX);
            EXPECT_EQ(ExerciseState.WindIndicator, wind);
        }
    }
    EXPECT_EQ(Form2->StaticText6->Caption(), "0");
    EXPECT_EQ(Form3->StaticText2->Caption(), "0");
    // The exercise window stays open behind the dialog: a click on it and the task bar back
    // to the dialog used to enable "Отмена" again, which re-entered the finished test and
    // put the new window's "5" in place of the final grade.
    QTest::mouseClick(Form2->StaticText1, Qt::LeftButton);
    ASSERT_EQ(toolkit::FocusModel::instance().focused(), Form2);
    QApplication::processEvents();
    toolkit::FocusModel::instance().systemActivated(Form3);
    ASSERT_EQ(toolkit::FocusModel::instance().focused(), Form3);
    EXPECT_FALSE(Form3->BitBtn1->isEnabled());
    QTest::mouseClick(Form3->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(Form3->StaticText7->Caption(), "Контроль окончен !");
    EXPECT_EQ(Form3->StaticText2->Caption(), "0");
}

TEST_F(ExerciseTest, ANewRoundDropsTheFixedViewStillPendingFromTheLastShot) {
    startTest(1);
    startRound();
    shootAt({100, 300});
    EXPECT_TRUE(Form2->Timer2->Enabled());
    startRound();
    EXPECT_FALSE(Form2->Timer2->Enabled());
}

// At the view's last column the lens centre stops one column short of the pointer, and the
// reticle must stay on the lens centre.
TEST_F(ExerciseTest, AMouseMoveDrawsTheReticleOnTheLensCentreOverTheMagnifiedScene) {
    startTest(1);
    startRound();
    for (const QPoint mouse : {QPoint(150, 120), QPoint(575, 200)}) {
        SCOPED_TRACE(QString("mouse at %1, %2").arg(mouse.x()).arg(mouse.y()).toStdString());
        moveOver(mouse);
        const int cx = 2 * std::min(mouse.x(), 574);
        const int cy = 2 * mouse.y();
        const raster::Bitmap& view = Form2->SeeImage->Picture();
        const raster::Bitmap& clean = Form2->HelpImage->Picture();
        const raster::Bitmap& reticle = Form2->setka->Picture();
        // Inside the centre square the view shows the clean scene three times enlarged,
        // except where the reticle is black.
        int compared = 0;
        for (int dy = -140; dy <= 140; dy += 7) {
            for (int dx = -140; dx <= 140; dx += 7) {
                if (cx + dx >= view.width()) {
                    continue;
                }
                if (reticle.pixel(225 + dx, 225 + dy) != 0xFFFFFF) {
                    EXPECT_EQ(view.pixel(cx + dx, cy + dy), 0u);
                    continue;
                }
                const int sourceX = cx - 50 + (dx + 150) / 3;
                const int sourceY = cy - 50 + (dy + 150) / 3;
                if (std::abs(2 * ExerciseState.TargetX - (cx + dx)) < 80 &&
                    std::abs(2 * ExerciseState.TargetY - (cy + dy)) < 80) {
                    continue;  // the magnified target may lie here
                }
                EXPECT_EQ(view.pixel(cx + dx, cy + dy), clean.pixel(sourceX, sourceY));
                ++compared;
            }
        }
        EXPECT_GT(compared, 500);
        EXPECT_EQ(ExerciseState.ImpactY, cy - 60);
    }
}

// The arrows let the mouse through to the view; a tip is asked of the view and must belong
// to the arrow there, and only one of them has its tip switched on. Qt closes a tip on moves
// of the widget it belongs to, and the arrow gets none: the tip stayed over the view.
TEST_F(ExerciseTest, OnlyTheRightwardWindArrowShowsATipWhichGoesWhenTheSightLeavesOrItBlinksOff) {
    startTest(0);
    // What the window system still owes the program arrives first: the wait for the tip to
    // go below would deliver it, and a window activated meanwhile takes any tip away.
    QApplication::processEvents();
    ASSERT_EQ(toolkit::FocusModel::instance().focused(), Form2);
    toolkit::ImageControl* const view = Form2->SeeImage;
    const auto askForTip = [view](toolkit::ImageControl* arrow) {
        const QPoint atArrow = view->mapFrom(Form2, arrow->geometry().center());
        QHelpEvent help(QEvent::ToolTip, atArrow, view->mapToGlobal(atArrow));
        QApplication::sendEvent(view, &help);
    };
    // Qt takes a tip away 300 ms after the move that leaves it, and any tip after 10 s.
    const auto tipGoesSoon = [] {
        for (int waited = 0; waited < 3000 && QToolTip::isVisible(); waited += 20) {
            QTest::qWait(20);
        }
        return !QToolTip::isVisible();
    };
    const std::pair<toolkit::ImageControl*, QString> arrows[] = {{Form2->Wind_diag, ""},
                                                                 {Form2->Wind_l, ""},
                                                                 {Form2->Wind_diag_l, ""},
                                                                 {Form2->Wind, "Ветер"}};
    for (const auto& [arrow, tip] : arrows) {
        SCOPED_TRACE(arrow->objectName().toStdString());
        arrow->setVisible(true);
        askForTip(arrow);
        EXPECT_EQ((QToolTip::isVisible() ? QToolTip::text() : QString()).toStdString(),
                  tip.toStdString());
    }
    ASSERT_TRUE(QToolTip::isVisible());
    moveOver(view->mapFrom(Form2, Form2->Wind->geometry().center()));
    EXPECT_TRUE(QToolTip::isVisible()) << "a move within the arrow took the tip away";
    moveOver({300, 200});
    EXPECT_TRUE(tipGoesSoon()) << "the tip stayed when the sight left the arrow";

    askForTip(Form2->Wind);
    ASSERT_TRUE(QToolTip::isVisible());
    Form2->Wind->setVisible(false);
    EXPECT_TRUE(tipGoesSoon()) << "the tip stayed when the arrow blinked off";
}

// A move repaints only the rows of the old and the new lens that changed. What has reached the
// screen after small steps, jumps, the edges, a frame left by the single marker, a shot with
// its burst and fixed view and a new round must still be the whole view as it now is.
TEST_F(ExerciseTest, TheScreenShowsTheWholeViewAfterMovesThatRepaintOnlyWhatChanged) {
    startTest(1);
    startRound();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form2));
    const auto paint = [] { QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest); };
    const auto moveAlong = [&](std::initializer_list<QPoint> path) {
        for (const QPoint mouse : path) {
            moveOver(mouse);
            paint();
        }
    };
    moveAlong({{300, 200}, {301, 200}, {304, 202}, {10, 10}, {575, 412}, {574, 0}, {0, 412}});
    Form2->Tmr2->Tick();  // lays the frame once more: it stays until a frame paints over it
    paint();
    const QPoint target(ExerciseState.TargetX, ExerciseState.TargetY);
    moveAlong({target + QPoint(-60, 0), target + QPoint(-30, 4), target, target + QPoint(2, 1)});
    shootAt(target + QPoint(40, 20));
    paint();
    Form2->Timer2->Tick();
    paint();
    startRound();
    paint();
    moveAlong({{200, 300}, {203, 301}, {420, 120}});

    toolkit::ImageControl* view = Form2->SeeImage;
    const QImage whole = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint topLeft = view->mapTo(Form2, QPoint(0, 0));
    const QImage screen =
        Form2->screen()
            ->grabWindow(Form2->winId(), topLeft.x(), topLeft.y(), view->width(), view->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(screen.size(), whole.size());
    for (int y = 0; y < whole.height(); ++y) {
        for (int x = 0; x < whole.width(); ++x) {
            ASSERT_EQ(screen.pixel(x, y), whole.pixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(ExerciseTest, TheMarkerLaysTheFrameOnItsFirstTickAndTakesItAwayOnItsSecond) {
    startTest(0);
    QTest::mouseClick(Form2->BitBtn1, Qt::LeftButton);
    Form2->Tmr2->SetEnabled(false);  // the single frame of a window's first round, apart
    const raster::Bitmap clean = Form2->SeeImage->Picture();
    const int frameLeft = 2 * ExerciseState.TargetX - 32;
    const int frameTop = 2 * ExerciseState.TargetY - 32;
    Form2->Tmr1->Tick();
    EXPECT_FALSE(Form2->SeeImage->isEnabled());
    // The frame's yellow inverts the red and green of the scene beneath it.
    EXPECT_EQ(Form2->SeeImage->Picture().pixel(frameLeft + 1, frameTop + 1),
              clean.pixel(frameLeft + 1, frameTop + 1) ^ 0xFFFF00u);
    Form2->Tmr1->Tick();
    EXPECT_TRUE(Form2->SeeImage->isEnabled());
    EXPECT_EQ(Form2->SeeImage->Picture().pixel(frameLeft + 1, frameTop + 1),
              clean.pixel(frameLeft + 1, frameTop + 1));
    EXPECT_EQ(Form2->Tmr1->Tag, 2);
}

TEST_F(ExerciseTest, TheFixedViewAfterAHitStandsSmokeOnThePointOfImpactAndFocusesTheRangeField) {
    startTest(1);
    startRound();
    shootAt(aimAtTarget());
    ASSERT_EQ(ExerciseState.RepeatTarget, 0);
    Form2->Timer2->Tick();
    EXPECT_FALSE(Form2->Timer2->Enabled());
    EXPECT_EQ(Form2->ActiveControl(), Form2->SpinEdit1);
    const raster::Bitmap& smoke = Form1->Dim->Picture();
    const raster::Bitmap& view = Form2->SeeImage->Picture();
    const raster::Bitmap& reticle = Form2->setka->Picture();
    const int left = ExerciseState.ImpactX - smoke.width() / 2;
    const int top = ExerciseState.ImpactY - smoke.height();
    int blackDots = 0;
    for (int y = 0; y < smoke.height(); ++y) {
        for (int x = 0; x < smoke.width(); ++x) {
            if (smoke.pixel(x, y) == 0) {
                EXPECT_EQ(view.pixel(left + x, top + y), 0u) << x << "," << y;
                ++blackDots;
            }
        }
    }
    EXPECT_GT(blackDots, 50);
    // The reticle is drawn over the smoke, centred on the fixed sight.
    const int cx = 2 * ExerciseState.CursorX;
    const int cy = 2 * ExerciseState.CursorY;
    EXPECT_EQ(reticle.pixel(12, 225), 0u);
    EXPECT_EQ(view.pixel(cx - 225 + 12, cy), 0u);
}

TEST_F(ExerciseTest, AMissLeavesNoSmokeInTheFixedView) {
    startTest(1);
    startRound();
    shootAt({400, 380});
    ASSERT_EQ(ExerciseState.RepeatTarget, 1);
    Form2->Timer2->Tick();
    const raster::Bitmap& smoke = Form1->Dim->Picture();
    const raster::Bitmap& view = Form2->SeeImage->Picture();
    const raster::Bitmap& clean = Form2->HelpImage->Picture();
    const raster::Bitmap& reticle = Form2->setka->Picture();
    const int left = ExerciseState.ImpactX - smoke.width() / 2;
    const int top = ExerciseState.ImpactY - smoke.height();
    const int cx = 2 * ExerciseState.CursorX;
    const int cy = 2 * ExerciseState.CursorY;
    // Where the smoke would stand, the lens shows the scene enlarged and nothing else.
    int compared = 0;
    for (int y = 0; y < smoke.height(); ++y) {
        for (int x = 0; x < smoke.width(); ++x) {
            const int dx = left + x - cx;
            const int dy = top + y - cy;
            if (std::abs(dx) >= 150 || std::abs(dy) >= 150 || smoke.pixel(x, y) != 0 ||
                reticle.pixel(225 + dx, 225 + dy) != 0xFFFFFF) {
                continue;
            }
            EXPECT_EQ(view.pixel(cx + dx, cy + dy),
                      clean.pixel(cx - 50 + (dx + 150) / 3, cy - 50 + (dy + 150) / 3));
            ++compared;
        }
    }
    EXPECT_GT(compared, 50);
}

}  // namespace
