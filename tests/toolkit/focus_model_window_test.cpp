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
#include "window_test_support.h"

namespace {

std::vector<std::string> journal;

class RecordingForm : public toolkit::Form {
  public:
    explicit RecordingForm(std::string name)
        : toolkit::Form(Frame::Single), name_(std::move(name)) {
        setObjectName(QString::fromStdString(name_));
    }

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
        for (auto* form : {a.get(), b.get(), c.get(), d.get()})
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
    std::unique_ptr<RecordingForm> d = std::make_unique<RecordingForm>("D");
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

// The model's rules, one row per state and notice (the table in focus_model.h). In each row B
// is the model's window; A another visible window the screen activated earlier, its sends
// answered; C a window asked for before B whose answer never came; D a window shown and
// activated earlier that is hidden. Before B was shown the trainee worked in another program.
// The notice comes `after` ms into the state.
using State = toolkit::FocusModel::State;
enum class Notice {
    Ours,
    LateAnswer,
    Replacement,
    Choice,
    HiddenWindow,
    Press,
    Key,
    ChoiceAfterReplacementGrace,
    TimeOut,
    ChoiceAfterHorizon,
    PressThenOurLateAnswer,
    LateAnswersAroundATimeOut,
    LateAnswerRepeated,
    MappedBeside,
    ReplacementAfterAnEarlierAnswer,
    ChoiceOfAWindowARetryAskedFor,
};

struct Cell {
    const char* name;
    State state;
    Notice notice;
    qint64 after;
    Journal handlers;
    State then;
    const char* focusedThen;
    bool askedAgain;
};

TEST_F(FocusModelTest, EveryStateAndNoticeDoesWhatTheTableSays) {
    using S = State;
    using N = Notice;
    const Journal none;
    const Journal toA{"B.deactivate", "A.activate"};
    const Cell cells[] = {
        {"settled, our window's echo", S::Settled, N::Ours, 0, none, S::Settled, "B", false},
        {"settled, the late answer to an overtaken request", S::Settled, N::LateAnswer, 0, none,
         S::Asking, "B", true},
        {"settled, the replacement for a window that left", S::Settled, N::Replacement, 0, none,
         S::Asking, "B", true},
        {"settled, the trainee's choice", S::Settled, N::Choice, 0, toA, S::Settled, "A", false},
        {"settled, a hidden window", S::Settled, N::HiddenWindow, 0, none, S::Settled, "B", false},
        {"settled, a press", S::Settled, N::Press, 0, toA, S::Asking, "A", false},
        {"settled, a key into another window", S::Settled, N::Key, 0, none, S::Asking, "B", true},
        // As the end of a test: the dialog shown, the exercise window hidden, the dialog's
        // answer; the trainee's choice comes later than a replacement would.
        {"settled, the trainee's choice after a window left and ours was answered",
         S::Settled,
         N::ChoiceAfterReplacementGrace,
         0,
         {"D.deactivate", "A.activate"},
         S::Settled,
         "A",
         false},
        {"asking, the answer", S::Asking, N::Ours, 0, none, S::Settled, "B", false},
        // Not the trainee's choice at any time within the horizon, nor after the time-out.
        {"asking, a late answer", S::Asking, N::LateAnswer, 2499, none, S::Asking, "B", false},
        {"asking, a late answer after a time-out", S::Asking, N::LateAnswer, 3000, none, S::Asking,
         "B", false},
        {"asking, the replacement", S::Asking, N::Replacement, 0, none, S::Asking, "B", false},
        {"asking, the trainee's choice", S::Asking, N::Choice, 500, toA, S::Settled, "A", false},
        {"asking, the trainee's choice after a retry", S::Asking, N::Choice, 3750, toA, S::Settled,
         "A", false},
        {"asking, a hidden window", S::Asking, N::HiddenWindow, 0, none, S::Asking, "B", false},
        {"asking, a press", S::Asking, N::Press, 0, toA, S::Asking, "A", false},
        {"asking, a key into another window", S::Asking, N::Key, 0, none, S::Asking, "B", false},
        {"asking, the time-out", S::Asking, N::TimeOut, 0, none, S::Asking, "B", true},
        {"asking, an answer older than its horizon",
         S::Asking,
         N::ChoiceAfterHorizon,
         0,
         {"B.deactivate", "C.activate"},
         S::Settled,
         "C",
         false},
        // The window manager answers B after the trainee clicked A: the click stays.
        {"asking, a press, then our request's late answer", S::Asking, N::PressThenOurLateAnswer, 0,
         toA, S::Asking, "A", false},
        // A slow window manager: C's old answer, our time-out and retry, B's answer at 3 s.
        {"asking, late answers around a time-out", S::Asking, N::LateAnswersAroundATimeOut, 0, none,
         S::Settled, "B", true},
        {"asking, a late answer repeated", S::Asking, N::LateAnswerRepeated, 0, none, S::Asking,
         "B", false},
        // A stalled window manager answers B's first request after the retry went out; the
        // trainee clicks A, then picks B from the task bar: the retry gets no answer of its own.
        {"asking, the trainee's choice of a window a retry asked for",
         S::Asking,
         N::ChoiceOfAWindowARetryAskedFor,
         0,
         {"A.deactivate", "B.activate"},
         S::Settled,
         "B",
         false},
        // As at start-up: the losing window shows the dialog while another comes up; the
        // window manager activates the dialog as it maps it.
        {"settled, a window mapped beside the one that wins", S::Settled, N::MappedBeside, 0, none,
         S::Asking, "A", false},
        // C destroyed a second into B's request, B asked for again; the answer to the first
        // send comes before the window manager saw C go, and the replacement a second later.
        {"asking, the replacement a second after the answer to a send before the departure",
         S::Asking, N::ReplacementAfterAnEarlierAnswer, 0, none, S::Asking, "B", true},
        {"refused, our window at last", S::Refused, N::Ours, 0, none, S::Settled, "B", false},
        {"refused, the trainee's choice", S::Refused, N::Choice, 0, toA, S::Settled, "A", false},
        {"refused, a hidden window", S::Refused, N::HiddenWindow, 0, none, S::Refused, "B", false},
        {"refused, a press", S::Refused, N::Press, 0, toA, S::Asking, "A", false},
        {"refused, a key into the window the screen kept", S::Refused, N::Key, 0, none, S::Asking,
         "B", true},
        {"refused, a stale tick", S::Refused, N::TimeOut, 0, none, S::Refused, "B", false},
    };
    using Step = toolkit::FocusModel::ScreenStep;
    for (const Cell& cell : cells) {
        SCOPED_TRACE(cell.name);
        now += 1000000;
        a = std::make_unique<RecordingForm>("A");
        b = std::make_unique<RecordingForm>("B");
        c = std::make_unique<RecordingForm>("C");
        d = std::make_unique<RecordingForm>("D");
        for (QWidget* window : {a.get(), b.get(), c.get(), d.get()})
            MakeNativeWindowNow(window);
        QPushButton defaultButton("Выход", a.get());
        int pressed = 0;
        QObject::connect(&defaultButton, &QPushButton::clicked, [&pressed] { ++pressed; });
        a->SetDefaultButton(&defaultButton);
        d->Show();
        QApplication::setActiveWindow(d.get());
        a->Show();
        QApplication::setActiveWindow(a.get());
        d->Hide();
        QApplication::setActiveWindow(nullptr);  // the trainee works in another program
        now += 5 * toolkit::FocusModel::kAnswerHorizonMs;
        c->Show();
        if (cell.notice == N::ChoiceAfterHorizon) {
            now += toolkit::FocusModel::kAnswerHorizonMs;
        }
        b->Show();
        if (cell.state == S::Settled) {
            QApplication::setActiveWindow(b.get());
        } else if (cell.state == S::Refused) {
            for (int send = 0; send <= toolkit::FocusModel::kRequestRetries; ++send) {
                timeOut();
            }
        }
        ASSERT_EQ(model.state(), cell.state);
        if (cell.notice == N::Replacement) {
            // The dialog shown over B and hidden again: the screen had it active.
            d->Show();
            QApplication::setActiveWindow(d.get());
            d->Hide();
            if (cell.state == S::Settled) {
                QApplication::setActiveWindow(b.get());
            }
        }
        now += cell.after;
        if (cell.after > toolkit::FocusModel::kRequestTimeoutMs) {
            model.requestTimedOut();
        }
        journal.clear();
        bool askedAgain = false;
        model.setScreenObserver(
            [&askedAgain, ours = b.get()](Step step, const toolkit::Form* window) {
                askedAgain |= step == Step::Activate && window == ours;
            });
        switch (cell.notice) {
            case N::Ours:
                QApplication::setActiveWindow(b.get());
                break;
            case N::LateAnswer:
            case N::ChoiceAfterHorizon:
                QApplication::setActiveWindow(c.get());
                break;
            case N::Replacement:
            case N::Choice:
                QApplication::setActiveWindow(a.get());
                break;
            case N::HiddenWindow:
                QApplication::setActiveWindow(d.get());
                break;
            case N::Press:
                QTest::mousePress(a.get(), Qt::LeftButton);
                QTest::mouseRelease(a.get(), Qt::LeftButton);
                break;
            case N::Key:
                QTest::keyClick(a.get(), Qt::Key_Return);
                break;
            case N::ChoiceAfterReplacementGrace:
                d->Show();
                b->Hide();
                QApplication::setActiveWindow(d.get());
                now += toolkit::FocusModel::kReplacementGraceMs + 1;
                journal.clear();
                QApplication::setActiveWindow(a.get());
                break;
            case N::PressThenOurLateAnswer:
                QTest::mousePress(a.get(), Qt::LeftButton);
                QTest::mouseRelease(a.get(), Qt::LeftButton);
                now += 3000;
                QApplication::setActiveWindow(b.get());
                break;
            case N::LateAnswersAroundATimeOut:
                now += 500;
                QApplication::setActiveWindow(c.get());
                now += toolkit::FocusModel::kRequestTimeoutMs - 500;
                model.requestTimedOut();
                now += 500;
                QApplication::setActiveWindow(b.get());
                break;
            case N::LateAnswerRepeated: {
                QApplication::setActiveWindow(c.get());
                QEvent again(QEvent::WindowActivate);
                QApplication::sendEvent(c.get(), &again);
                break;
            }
            case N::MappedBeside:
                b->onDeactivate = [this] { d->Show(); };
                a->Show();
                b->onDeactivate = nullptr;
                journal.clear();
                QApplication::setActiveWindow(d.get());
                break;
            case N::ReplacementAfterAnEarlierAnswer:
                now += 1000;
                c.reset();
                now += 1000;
                b->Show();
                QApplication::setActiveWindow(b.get());
                now += 1000;
                askedAgain = false;
                QApplication::setActiveWindow(a.get());
                c = std::make_unique<RecordingForm>("C");
                break;
            case N::TimeOut:
                now += toolkit::FocusModel::kRequestTimeoutMs;
                model.requestTimedOut();
                break;
            case N::ChoiceOfAWindowARetryAskedFor:
                now += toolkit::FocusModel::kRequestTimeoutMs;
                model.requestTimedOut();
                QApplication::setActiveWindow(b.get());
                QTest::mousePress(a.get(), Qt::LeftButton);
                QTest::mouseRelease(a.get(), Qt::LeftButton);
                QApplication::setActiveWindow(a.get());
                now += 1000;
                journal.clear();
                askedAgain = false;
                QApplication::setActiveWindow(b.get());
                break;
        }
        model.setScreenObserver(nullptr);
        EXPECT_EQ(journal, cell.handlers);
        EXPECT_EQ(model.state(), cell.then);
        EXPECT_EQ(model.focused() ? model.focused()->objectName() : QString(),
                  QString(cell.focusedThen));
        EXPECT_EQ(askedAgain, cell.askedAgain) << "whether our window was asked for again";
        EXPECT_EQ(pressed, 0) << "a key went to a window the model does not hold";
        a->SetDefaultButton(nullptr);
    }
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
