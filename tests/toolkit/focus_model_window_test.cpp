// The focus model: the order of show, activation and deactivation handlers, nested calls,
// hiding the focused window, and the window system's notices.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/focus_model.h"
#include "toolkit/form.h"

namespace {

std::vector<std::string> journal;

class RecordingForm : public toolkit::Form {
  public:
    explicit RecordingForm(std::string name)
        : toolkit::Form(Frame::Single), name_(std::move(name)) {}

    void FormShow() override { record("show"); }
    void FormActivate() override {
        record("activate");
        if (onActivate)
            onActivate();
    }
    void FormDeactivate() override {
        record("deactivate");
        if (onDeactivate)
            onDeactivate();
    }

    std::function<void()> onActivate;
    std::function<void()> onDeactivate;

  private:
    void record(const std::string& what) { journal.push_back(name_ + "." + what); }
    std::string name_;
};

class FocusModelTest : public testing::Test {
  protected:
    void SetUp() override {
        journal.clear();
        // A monotonic clock across the tests, as the model's own is: what one test left on
        // its way has long timed out in the next.
        now += 1000000;
        model.setClock([] { return now; });
    }
    void TearDown() override {
        for (auto* form : {a.get(), b.get(), c.get()})
            form->QWidget::hide();
        model.setClock(nullptr);
        model.setScreenObserver(nullptr);
    }

    // The request's time runs out and its timer ticks.
    void timeOut() {
        now += toolkit::FocusModel::kRequestTimeoutMs;
        model.requestTimedOut();
    }

    static inline qint64 now = 0;

    std::unique_ptr<RecordingForm> a = std::make_unique<RecordingForm>("A");
    std::unique_ptr<RecordingForm> b = std::make_unique<RecordingForm>("B");
    std::unique_ptr<RecordingForm> c = std::make_unique<RecordingForm>("C");
    toolkit::FocusModel& model = toolkit::FocusModel::instance();
};

using Journal = std::vector<std::string>;

TEST_F(FocusModelTest, ShowRunsTheShowHandlerThenMovesTheFocusWithDeactivationFirst) {
    a->Show();
    b->Show();
    EXPECT_EQ(journal, (Journal{"A.show", "A.activate", "B.show", "A.deactivate", "B.activate"}));
    EXPECT_EQ(model.focused(), b.get());
}

TEST_F(FocusModelTest, ShowingTheFocusedVisibleWindowAgainRunsNoHandler) {
    a->Show();
    journal.clear();
    a->Show();
    EXPECT_TRUE(journal.empty());
}

TEST_F(FocusModelTest, SettingAnActiveControlFocusesEvenAHiddenWindow) {
    a->Show();
    QPushButton button(b.get());
    journal.clear();
    b->SetActiveControl(&button);
    EXPECT_EQ(journal, (Journal{"A.deactivate", "B.activate"}));
    EXPECT_EQ(model.focused(), b.get());
    EXPECT_FALSE(b->Visible());
}

TEST_F(FocusModelTest, HidingTheFocusedWindowFocusesTheTopmostVisibleOtherWindow) {
    a->Show();
    b->Show();
    c->Show();
    journal.clear();
    c->Hide();
    EXPECT_EQ(journal, (Journal{"C.deactivate", "B.activate"}));
    EXPECT_EQ(model.focused(), b.get());
}

TEST_F(FocusModelTest, HidingAWindowWithoutTheFocusRunsNoHandler) {
    a->Show();
    b->Show();
    journal.clear();
    a->Hide();
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(model.focused(), b.get());
}

// Counts the times a window really appears, which a window manager would see.
class ShowCounter : public QObject {
  public:
    int shows = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        shows += event->type() == QEvent::Show ? 1 : 0;
        return false;
    }
};

TEST_F(FocusModelTest, AWindowShownFromADeactivationHandlerRunsNestedAndTheRequestedWindowWins) {
    // As at start-up: the exercise window, losing the focus, shows the dialog; the window
    // that was being shown still ends up focused, after its activation handler. The dialog,
    // shown and hidden inside one change, never reaches the screen: xfwm4 and icewm mapped
    // such a window after its hide and left it there.
    ShowCounter screen;
    c->installEventFilter(&screen);
    a->Show();
    a->onDeactivate = [&] { c->Show(); };
    b->onActivate = [&] { c->Hide(); };
    journal.clear();
    b->Show();
    EXPECT_EQ(journal, (Journal{"B.show", "A.deactivate", "C.show", "B.deactivate", "C.activate",
                                "C.deactivate", "B.activate"}));
    EXPECT_EQ(model.focused(), b.get());
    EXPECT_FALSE(c->Visible());
    EXPECT_EQ(screen.shows, 0);
    EXPECT_TRUE(b->isVisible());
}

TEST_F(FocusModelTest, ShowingTheWindowThatIsGainingTheFocusFromItsOwnHandlersChangesNothing) {
    // The exit button of the exercise window shows the dialog, whose show deactivates the
    // exercise window, whose deactivation shows the dialog again.
    a->Show();
    a->onDeactivate = [&] { b->Show(); };
    journal.clear();
    b->Show();
    EXPECT_EQ(journal, (Journal{"B.show", "A.deactivate", "B.activate"}));
}

TEST_F(FocusModelTest, TheSystemReportingTheFocusedWindowActiveIsAnEcho) {
    a->Show();
    b->Show();
    journal.clear();
    model.systemActivated(b.get());
    EXPECT_TRUE(journal.empty());
}

TEST_F(FocusModelTest, TheSystemReportingAnotherWindowActiveAfterOurRequestSettledMovesTheFocus) {
    a->Show();
    b->Show();
    model.systemActivated(b.get());  // our request arrived
    journal.clear();
    model.systemActivated(a.get());  // the trainee clicked the other window
    EXPECT_EQ(journal, (Journal{"B.deactivate", "A.activate"}));
    EXPECT_EQ(model.focused(), a.get());
}

// The window manager may still be working through what came before our request (kwin takes
// its time): a notice for another window waits for the request's time to run out.
TEST_F(FocusModelTest, ANoticeForAnotherWindowWhileOurRequestIsOnItsWayCountsOnlyAfterItsTime) {
    a->Show();
    b->Show();
    ASSERT_TRUE(model.requestPending());
    journal.clear();
    now += toolkit::FocusModel::kRequestTimeoutMs - 1;
    model.systemActivated(a.get());
    EXPECT_TRUE(journal.empty());
    now += 1;
    model.systemActivated(a.get());
    EXPECT_EQ(journal, (Journal{"B.deactivate", "A.activate"}));
}

// The focus went back to the window that was still active while the request for the other
// was on its way; when the window manager then answers that old request, the window it
// activates is not the trainee's choice.
TEST_F(FocusModelTest, TheAnswerToARequestThatWasOvertakenDoesNotMoveTheFocus) {
    a->Show();
    b->Show();
    ASSERT_TRUE(model.requestPending());
    QApplication::setActiveWindow(a.get());
    model.focus(a.get());
    journal.clear();
    model.systemActivated(b.get());
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(model.focused(), a.get());
}

// A window manager that refuses activation (focus stealing prevention, a slow or remote
// desktop) keeps the other window active without a notice: that is no act of the trainee,
// and the mode window taking the focus so would close a running test.
TEST_F(FocusModelTest, ARefusedRequestIsSentAgainThenTheModelKeepsItsWindowUntilTheTraineeActs) {
    a->Show();
    QApplication::setActiveWindow(a.get());
    b->Show();
    ASSERT_TRUE(model.requestPending());
    journal.clear();
    for (int retry = 0; retry < toolkit::FocusModel::kRequestRetries; ++retry) {
        timeOut();
        EXPECT_TRUE(model.requestPending());
    }
    timeOut();
    EXPECT_FALSE(model.requestPending());
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(model.focused(), b.get());
    EXPECT_TRUE(b->Visible());
    // The trainee types into the window the screen shows active.
    QTest::keyClick(a.get(), Qt::Key_Space);
    EXPECT_EQ(journal, (Journal{"B.deactivate", "A.activate"}));
    EXPECT_EQ(model.focused(), a.get());
}

// The trainee chose the other window from its title bar or the task bar while our request
// was on its way, and the window manager never came back to ours.
TEST_F(FocusModelTest, AWindowTheTraineeActivatedWhileOurRequestWasOnItsWayStaysChosen) {
    a->Show();
    QApplication::setActiveWindow(a.get());
    QApplication::setActiveWindow(nullptr);  // the trainee works in another program
    b->Show();
    ASSERT_TRUE(model.requestPending());
    journal.clear();
    now += 500;
    QApplication::setActiveWindow(a.get());
    EXPECT_TRUE(journal.empty());
    std::vector<toolkit::FocusModel::ScreenStep> requests;
    model.setScreenObserver([&requests](toolkit::FocusModel::ScreenStep step, const auto*) {
        requests.push_back(step);
    });
    timeOut();
    EXPECT_EQ(journal, (Journal{"B.deactivate", "A.activate"}));
    EXPECT_EQ(model.focused(), a.get());
    EXPECT_TRUE(requests.empty()) << "our window was asked for again over the trainee's choice";
}

// Each request gets its own retries and its own time, also after a slow one.
TEST_F(FocusModelTest, EveryRequestHasItsOwnRetriesAndItsOwnDeadline) {
    a->Show();
    QApplication::setActiveWindow(a.get());
    b->Show();
    for (int retry = 0; retry < toolkit::FocusModel::kRequestRetries; ++retry) {
        timeOut();
    }
    QApplication::setActiveWindow(b.get());  // answered at last
    ASSERT_FALSE(model.requestPending());
    a->Show();
    ASSERT_TRUE(model.requestPending());
    timeOut();
    EXPECT_TRUE(model.requestPending()) << "the new request gave up after one time-out";

    // A tick due when the request before was asked is no time-out of a newer one.
    now += 2000;
    c->Show();
    now += toolkit::FocusModel::kRequestTimeoutMs - 2000;
    model.requestTimedOut();
    for (int retry = 0; retry < toolkit::FocusModel::kRequestRetries; ++retry) {
        timeOut();
        EXPECT_TRUE(model.requestPending()) << "an early tick counted as a time-out";
    }
}

// After a retry the window manager may still be catching up with what came before it.
TEST_F(FocusModelTest, ANoticeForAnotherWindowSoonAfterARetryIsStillTheWindowManagerCatchingUp) {
    a->Show();
    QApplication::setActiveWindow(a.get());
    QApplication::setActiveWindow(nullptr);
    b->Show();
    timeOut();
    ASSERT_TRUE(model.requestPending());
    now += toolkit::FocusModel::kRequestTimeoutMs / 2;
    journal.clear();
    QApplication::setActiveWindow(a.get());
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(model.focused(), b.get());
}

// "Отмена" destroys the exercise window and shows a new one: the window manager (or Wine,
// after its X window went) activates the mode window in place of the destroyed one, before or
// after it answers our request for the new window. The mode window's activation would close
// the test.
TEST_F(FocusModelTest, AWindowTheWindowManagerActivatesInPlaceOfADestroyedOneIsNoChoice) {
    for (const bool answeredFirst : {true, false}) {
        SCOPED_TRACE(answeredFirst ? "our request answered first" : "the replacement first");
        a->Show();
        QApplication::setActiveWindow(a.get());
        b->Show();
        QApplication::setActiveWindow(b.get());
        c->Show();
        b.reset();
        journal.clear();
        if (answeredFirst) {
            QApplication::setActiveWindow(c.get());
            ASSERT_FALSE(model.requestPending());
            QApplication::setActiveWindow(a.get());
            EXPECT_TRUE(model.requestPending()) << "the new window was not asked for again";
        } else {
            QApplication::setActiveWindow(a.get());
            timeOut();
            EXPECT_TRUE(model.requestPending()) << "the replacement was taken for a choice";
        }
        EXPECT_TRUE(journal.empty());
        EXPECT_EQ(model.focused(), c.get());
        // Later, the same notice is the trainee's.
        QApplication::setActiveWindow(c.get());
        now += toolkit::FocusModel::kRequestTimeoutMs;
        QApplication::setActiveWindow(a.get());
        EXPECT_EQ(model.focused(), a.get());
        b = std::make_unique<RecordingForm>("B");
        c->Hide();
        now += toolkit::FocusModel::kRequestTimeoutMs;
    }
}

// As "Отмена" does: the active dialog hidden and the exercise window destroyed in one
// handler; Wine activated the mode window in place of each.
TEST_F(FocusModelTest, EveryWindowThatLeftTheScreenMayHaveItsReplacement) {
    a->Show();
    QApplication::setActiveWindow(a.get());
    b->Show();
    QApplication::setActiveWindow(b.get());
    c->Show();
    QApplication::setActiveWindow(c.get());
    c->Hide();
    b.reset();
    c->Show();
    journal.clear();
    QApplication::setActiveWindow(a.get());
    QApplication::setActiveWindow(c.get());
    QApplication::setActiveWindow(a.get());
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(model.focused(), c.get());
    EXPECT_TRUE(model.requestPending());
    b = std::make_unique<RecordingForm>("B");
}

TEST_F(FocusModelTest, TheScreenHearsOfShownWindowsThenTheActivationThenHiddenWindows) {
    a->Show();
    b->Show();
    using Step = toolkit::FocusModel::ScreenStep;
    std::vector<std::pair<Step, const toolkit::Form*>> screen;
    model.setScreenObserver(
        [&screen](Step step, const toolkit::Form* window) { screen.emplace_back(step, window); });
    b->onDeactivate = [&] { b->Hide(); };
    c->Show();
    const std::vector<std::pair<Step, const toolkit::Form*>> expected{
        {Step::Show, c.get()}, {Step::Activate, c.get()}, {Step::Hide, b.get()}};
    EXPECT_EQ(screen, expected);
}

TEST_F(FocusModelTest, AMousePressOnAnotherWindowChoosesItEvenWhileARequestIsOnItsWay) {
    a->Show();
    b->Show();
    ASSERT_TRUE(model.requestPending());
    journal.clear();
    QTest::mousePress(a.get(), Qt::LeftButton);
    EXPECT_EQ(journal, (Journal{"B.deactivate", "A.activate"}));
    EXPECT_EQ(model.focused(), a.get());
    QTest::mouseRelease(a.get(), Qt::LeftButton);
}

TEST_F(FocusModelTest, ANoticeForAHiddenWindowIsIgnored) {
    a->Show();
    b->Show();
    model.systemActivated(b.get());
    a->Hide();
    journal.clear();
    model.systemActivated(a.get());
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(model.focused(), b.get());
}

TEST_F(FocusModelTest, ADestroyedWindowLeavesTheModelWithoutRunningHandlers) {
    a->Show();
    b->Show();
    journal.clear();
    b.reset();
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(model.focused(), nullptr);
    b = std::make_unique<RecordingForm>("B");
}

TEST_F(FocusModelTest, ClosingASingleFrameWindowFromItsTitleBarOnlyHidesItThroughTheModel) {
    a->Show();
    b->Show();
    model.systemActivated(b.get());
    journal.clear();
    b->close();
    EXPECT_FALSE(b->Visible());
    EXPECT_EQ(journal, (Journal{"B.deactivate", "A.activate"}));
}

}  // namespace
