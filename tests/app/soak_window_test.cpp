// A randomized soak of the whole program: seeded sequences of every input a trainee can give,
// delivered to the real windows, with the program's invariants checked after every step.
//
// SIGHT_SOAK_SEED=<seed> replays one seed alone, SIGHT_SOAK_STEPS=<n> changes the length, and
// SIGHT_SOAK_TRACE=1 prints every step.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QRadioButton>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <vector>

#include "app/program.h"
#include "exercise/exercise_state.h"
#include "exercise/grade.h"
#include "toolkit/beep.h"
#include "toolkit/focus_model.h"
#include "toolkit/pointer.h"
#include "ui/completion_dialog.h"
#include "ui/exercise_window.h"
#include "ui/forms.h"
#include "ui/mode_window.h"
#include "window_test_support.h"

namespace {

// Each build runs seeds of its own, so that the normal and the sanitizer build together play
// through a hundred thousand steps; the sanitizer's tree runs about three times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr unsigned kSeeds[] = {101, 211, 307, 401, 503, 601, 701, 809};
#else
constexpr unsigned kSeeds[] = {11, 23, 37, 41, 53, 61, 73, 83, 97, 107, 113, 127};
#endif
constexpr int kStepsPerSeed = 5000;

int EnvironmentNumber(const char* name, int otherwise) {
    bool isNumber = false;
    const int value = qEnvironmentVariableIntValue(name, &isNumber);
    return isNumber ? value : otherwise;
}

// What an input that must change nothing leaves alone.
struct Snapshot {
    const void* exerciseWindow;
    const toolkit::Form* focused;
    QString attempts, hits, grade, headline, dialogGrade, startCaption, range;
    bool exerciseVisible, dialogVisible, modeVisible, startEnabled, confirmEnabled, cancelEnabled,
        viewEnabled;
    int pointer, mode, suspended, notStarted, repeatTarget, running, targetX, targetY;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take() {
    const TExerciseState& state = ExerciseState;
    return {Form2,
            toolkit::FocusModel::instance().focused(),
            Form2->StaticText4->Caption(),
            Form2->StaticText3->Caption(),
            Form2->StaticText6->Caption(),
            Form3->StaticText7->Caption(),
            Form3->StaticText2->Caption(),
            Form2->BitBtn1->Caption(),
            Form2->SpinEdit1->Text(),
            Form2->isVisible(),
            Form3->isVisible(),
            Form4->isVisible(),
            Form2->BitBtn1->isEnabled(),
            Form2->BitBtn3->isEnabled(),
            Form3->BitBtn1->isEnabled(),
            Form2->SeeImage->isEnabled(),
            toolkit::PointerDisplayCount(),
            state.ExerciseMode,
            state.Suspended,
            state.NotStarted,
            state.RepeatTarget,
            state.ExerciseRunning,
            state.TargetX,
            state.TargetY};
}

// A counter label as a number, or nullopt when it is not whole decimal text.
std::optional<int> Counter(const QString& text) {
    bool isNumber = false;
    const int value = text.toInt(&isNumber);
    if (!isNumber || QString::number(value) != text) {
        return std::nullopt;
    }
    return value;
}

// How far the random inputs went, so that a quiet soak can be told from a shallow one.
struct Coverage {
    int skipped = 0, exits = 0, rounds = 0, evaluations = 0, finishedTests = 0, newWindows = 0,
        refusedAnswers = 0, disabledInputs = 0, notices = 0, unfocusedKeys = 0;
    QPointer<TForm2> last;
    void count(const Snapshot& before, const QString& done, qsizetype errorCount) {
        skipped += done.contains("(impossible") ? 1 : 0;
        exits += app::Terminated() ? 1 : 0;
        refusedAnswers += int(errorCount);
        disabledInputs += done.contains("disabled)") ? 1 : 0;
        unfocusedKeys += done.contains("(not the model's window)") ? 1 : 0;
        if (last.isNull() || last != Form2) {
            last = Form2;
            ++newWindows;
            return;
        }
        rounds += before.running == 0 && ExerciseState.ExerciseRunning == 1 ? 1 : 0;
        const QString attempts = Form2->StaticText4->Caption();
        evaluations += attempts.toInt() < before.attempts.toInt() ? 1 : 0;
        finishedTests += attempts == "0" && before.attempts == "1" ? 1 : 0;
    }
    QString summary() const {
        return QString(
                   "%1 inputs impossible in their state and skipped, %2 exits, %3 rounds "
                   "started, %4 shots or answers, %5 tests finished, %6 exercise windows "
                   "created, %7 answers refused, %8 inputs to disabled controls, %9 activation "
                   "notices delivered, %10 keys into a window the model does not hold")
            .arg(skipped)
            .arg(exits)
            .arg(rounds)
            .arg(evaluations)
            .arg(finishedTests)
            .arg(newWindows)
            .arg(refusedAnswers)
            .arg(disabledInputs)
            .arg(notices)
            .arg(unfocusedKeys);
    }
};

// A hostile window system between the program and its windows: it answers our requests up to
// five seconds late or not at all, may activate a window as it maps it, puts another window
// in place of an active one that leaves, handles its queue in order but may swap the answer
// and the replacement of one change, drops notices and repeats them. The platform's own
// activations never reach the program; only this one's do.
class HostileWindowSystem : public QObject {
  public:
    explicit HostileWindowSystem(std::mt19937& random) : random_(random) {}

    int delivered = 0;

    // The one place a notice of the window system reaches the program: the window that had
    // the keyboard loses it, the new one gains it.
    void deliver(toolkit::Form* window) {
        if (window != told_) {
            if (!told_.isNull()) {
                send(told_, QEvent::WindowDeactivate);
            }
            told_ = window;
            if (window != nullptr) {
                send(window, QEvent::WindowActivate);
                ++delivered;
            }
        }
    }
    void repeat(toolkit::Form* window) { send(window, QEvent::WindowActivate); }

    // What the program told the screen, from the focus model's observer.
    void told(toolkit::FocusModel::ScreenStep step, const toolkit::Form* window, qint64 now) {
        using Step = toolkit::FocusModel::ScreenStep;
        // Most answers come at once; a slow spell answers up to five seconds late. What the
        // program told it at one moment it handles together, after what it told it before.
        if (now != batchAt_) {
            batchAt_ = now;
            batchDelay_ = pick(100) < 60 ? qint64(pick(200)) : qint64(pick(5001));
            batchQueued_ = false;
        }
        if (step == Step::Activate && pick(100) < 15) {
            return;  // refused: focus stealing prevention
        }
        if (step == Step::Show && pick(100) >= 20) {
            return;  // mapped without activating it
        }
        Item item{step == Step::Hide ? Item::Left : Item::Activate, serial(window),
                  QPointer<const QObject>(window), false};
        item.due = std::max(lastDue_, now + batchDelay_);
        if (step == Step::Hide) {
            if (batchQueued_ && pick(100) < 30) {
                // The replacement before the answer of the same change.
                item.due = queue_.back().due;
                queue_.insert(queue_.end() - 1, item);
                return;
            }
            item.due += qint64(pick(100));
        }
        lastDue_ = item.due;
        batchQueued_ = true;
        queue_.push_back(item);
    }

    // The trainee picks a window from its title bar, the task bar or Alt-Tab: the window
    // system handles that after what it still owes.
    void traineeChooses(toolkit::Form* window, qint64 now) {
        Item item{Item::Choice, serial(window), QPointer<const QObject>(window), true};
        item.due = std::max(lastDue_, now);
        lastDue_ = item.due;
        queue_.push_back(item);
    }

    // Works through what is due by `until`, each at its time; returns whether a notice that
    // stems from the trainee's choice reached the program.
    bool catchUp(qint64& clock, qint64 until, const std::function<void()>& atEach) {
        bool choice = false;
        while (!queue_.empty() && queue_.front().due <= until) {
            const Item item = queue_.front();
            queue_.pop_front();
            clock = std::max(clock, item.due);
            atEach();
            if (item.kind == Item::Left) {
                if (active_ != item.id || pick(100) < 20) {
                    continue;
                }
                // The window manager's pick in place of the one that went.
                toolkit::Form* next = nullptr;
                for (toolkit::Form* form : toolkit::FocusModel::instance().stacking()) {
                    if (serial(form) != item.id && form->isVisible()) {
                        next = form;
                    }
                }
                activate(next);
                continue;
            }
            if (item.window.isNull() ||
                !static_cast<const QWidget*>(item.window.data())->isVisible()) {
                continue;
            }
            choice |= item.fromTrainee;
            activate(
                const_cast<toolkit::Form*>(static_cast<const toolkit::Form*>(item.window.data())));
        }
        clock = std::max(clock, until);
        atEach();
        return choice;
    }

    // The window that has the keyboard on the screen.
    toolkit::Form* active() const {
        for (toolkit::Form* form : toolkit::FocusModel::instance().stacking()) {
            if (serial(form) == active_ && form->isVisible()) {
                return form;
            }
        }
        return nullptr;
    }
    void toAnotherApplication() {
        active_ = 0;
        deliver(nullptr);
    }
    void reset() {
        queue_.clear();
        active_ = 0;
        told_ = nullptr;
        lastDue_ = 0;
        batchAt_ = -1;
    }

  protected:
    // Only the events sent here pass, also when the handlers they run make the platform
    // flush activations of its own.
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        return event != sending_ &&
               (type == QEvent::WindowActivate || type == QEvent::WindowDeactivate ||
                type == QEvent::ActivationChange);
    }

  private:
    struct Item {
        enum Kind { Activate, Left, Choice } kind;
        // Windows by a number of their own: a new window may take the memory of one destroyed.
        quint64 id;
        QPointer<const QObject> window;
        bool fromTrainee;
        qint64 due = 0;
    };
    unsigned pick(unsigned count) { return random_() % count; }
    void send(QWidget* window, QEvent::Type type) {
        QEvent event(type);
        const QEvent* const outer = sending_;
        sending_ = &event;
        QApplication::sendEvent(window, &event);
        sending_ = outer;
    }
    static quint64 serial(const QObject* window) {
        static quint64 next = 0;
        auto* object = const_cast<QObject*>(window);
        if (!object->property("soakSerial").isValid()) {
            object->setProperty("soakSerial", ++next);
        }
        return object->property("soakSerial").toULongLong();
    }
    void activate(toolkit::Form* window) {
        active_ = window != nullptr ? serial(window) : 0;
        if (window == nullptr || pick(100) < 5) {
            return;  // the notice is lost
        }
        deliver(window);
        if (pick(100) < 5) {
            repeat(window);
        }
    }

    std::mt19937& random_;
    std::deque<Item> queue_;
    quint64 active_ = 0;
    qint64 lastDue_ = 0;
    qint64 batchAt_ = -1;
    qint64 batchDelay_ = 0;
    bool batchQueued_ = false;
    const QEvent* sending_ = nullptr;
    QPointer<toolkit::Form> told_;
};

class SoakTest : public ProgramTest {
  protected:
    void SetUp() override {
        toolkit::SetBeepHandler([] {});
        // The focus model's echo rule reads a clock; on the steps' own clock a seed replays
        // exactly.
        toolkit::FocusModel& model = toolkit::FocusModel::instance();
        model.setClock([this] { return stepClock; });
        QApplication::instance()->installEventFilter(&screen);
        model.setScreenObserver(
            [this](toolkit::FocusModel::ScreenStep step, const toolkit::Form* window) {
                screen.told(step, window, stepClock);
            });
        model.setFocusObserver(
            [this](const toolkit::Form*, const toolkit::Form*) { ++focusChanges; });
        ProgramTest::SetUp();
        begin();
    }
    void TearDown() override {
        ProgramTest::TearDown();
        toolkit::SetBeepHandler({});
        toolkit::FocusModel& model = toolkit::FocusModel::instance();
        model.setClock(nullptr);
        model.setScreenObserver(nullptr);
        model.setFocusObserver(nullptr);
        QApplication::instance()->removeEventFilter(&screen);
    }

    // A new run of the program, as a new process would start: the pointer count at rest.
    void restart() {
        ProgramTest::TearDown();
        errors.clear();
        terminations = 0;
        screen.reset();
        ProgramTest::SetUp();
        begin();
    }
    void begin() {
        while (toolkit::PointerDisplayCount() < 0) {
            toolkit::ShowCursor(true);
        }
        while (toolkit::PointerDisplayCount() > 0) {
            toolkit::ShowCursor(false);
        }
        for (toolkit::GlyphButton* exit : {Form4->BitBtn2, Form3->BitBtn2}) {
            QObject::connect(exit, &QAbstractButton::clicked, [this] { exitPressed = true; });
        }
        window = Form2;
        evaluated = false;
    }

    static toolkit::Form* focusedWindow() { return toolkit::FocusModel::instance().focused(); }
    unsigned pick(unsigned count) { return random() % count; }
    bool chance(unsigned percent) { return pick(100) < percent; }

    // One step: an input chosen at random, delivered as the trainee or the window system
    // would deliver it. Returns what was done, for the failure message.
    QString step();
    QString anyInput();
    QString clickButton();
    QString mouseOverView();
    QString mouseOverWindow();
    QString key();
    QString answer();
    QString focusNotice();
    QString tick();
    QString timePasses(qint64 milliseconds);
    // The window system delivers what is due by `until`; returns the broken rule, or empty.
    QString catchUp(qint64 until);

    // Checks what must hold after every step; returns the broken rule, or empty.
    QString broken(const Snapshot& before, const QString& done);

    std::mt19937 random;
    HostileWindowSystem screen{random};
    bool exitPressed = false;
    bool disabledTarget = false;
    // The input went to a window that did not hold the focus, which it chose first.
    bool choseWindow = false;
    // The step was no act of the trainee at the program's windows (the window system, time, a
    // key the model must drop); what the window system's deliveries broke, checked apart from
    // the step's own input.
    bool noAct = false;
    bool unfocusedKey = false;
    QString windowSystemFault;
    int focusChanges = 0;
    QPointer<TForm2> window;
    bool evaluated = false;
    // Milliseconds: the trainee's inputs come a tenth of a second apart.
    qint64 stepClock = 0;
    static constexpr qint64 kStepMs = 100;
};

QString SoakTest::step() {
    SetClock(random());
    // An input the trainee cannot give in this state is drawn again, a few times.
    QString done;
    for (int draw = 0; draw < 4; ++draw) {
        done = anyInput();
        if (!done.contains("(impossible")) {
            break;
        }
    }
    return done;
}

QString SoakTest::anyInput() {
    const unsigned dice = pick(100);
    if (dice < 14) {
        return clickButton();
    }
    if (dice < 40) {
        return mouseOverView();
    }
    if (dice < 45) {
        return mouseOverWindow();
    }
    if (dice < 60) {
        return key();
    }
    if (dice < 66) {
        return focusNotice();
    }
    if (dice < 67) {
        if (!Form2->isVisible()) {
            return "close of the hidden exercise window (impossible, skipped)";
        }
        Form2->close();
        return "close of the exercise window from its title bar";
    }
    if (dice < 77) {
        return answer();
    }
    if (dice < 80) {
        QApplication::processEvents();
        return timePasses(qint64(pick(300)));
    }
    return tick();
}

QString SoakTest::clickButton() {
    // Weighted so that a sequence gets deep into tests before a "Выход" ends the program.
    struct Named {
        const char* name;
        QAbstractButton* button;
        unsigned weight;
    };
    const Named buttons[] = {
        {"Form4 Начать", Form4->BitBtn1, 6},
        {"Form4 Выход", Form4->BitBtn2, 1},
        {"Form4 Определение дальности", Form4->RadioGroup1->Button(0), 4},
        {"Form4 Стрельба", Form4->RadioGroup1->Button(1), 4},
        {"Form2 Начать/Продолжить", Form2->BitBtn1, 24},
        {"Form2 Выход", Form2->BitBtn2, 6},
        {"Form2 confirm", Form2->BitBtn3, 16},
        {"Form3 Отмена", Form3->BitBtn1, 10},
        {"Form3 Выход", Form3->BitBtn2, 1},
        {"Form3 Повтор", Form3->BitBtn3, 6},
    };
    unsigned total = 0;
    for (const Named& button : buttons) {
        total += button.weight;
    }
    unsigned draw = pick(total);
    const Named* pickedButton = buttons;
    while (draw >= pickedButton->weight) {
        draw -= pickedButton->weight;
        ++pickedButton;
    }
    const Named& chosen = *pickedButton;
    if (!chosen.button->window()->isVisible()) {
        return QString("click on %1 in a hidden window (impossible, skipped)").arg(chosen.name);
    }
    // A click on another window chooses that window first, disabled control or not.
    disabledTarget = !chosen.button->isEnabled() && chosen.button->window() == focusedWindow();
    choseWindow = chosen.button->window() != focusedWindow();
    QTest::mouseClick(chosen.button, Qt::LeftButton);
    return QString("click on %1%2").arg(chosen.name, disabledTarget ? " (disabled)" : "");
}

QString SoakTest::mouseOverView() {
    if (!Form2->isVisible()) {
        return "mouse over the view of the hidden exercise window (impossible, skipped)";
    }
    toolkit::ImageControl* view = Form2->SeeImage;
    // Mostly inside, sometimes on the very edges, sometimes beyond them (as while the button
    // is held and the pointer leaves the control).
    const auto coordinate = [this](int size) {
        const unsigned kind = pick(10);
        if (kind == 0) {
            const int edges[] = {-1, 0, 1, size - 1, size, size + 1};
            return edges[pick(6)];
        }
        if (kind == 1) {
            return int(pick(unsigned(3 * size))) - size;
        }
        return int(pick(unsigned(size)));
    };
    const QPoint at(coordinate(view->width()), coordinate(view->height()));
    const QPointF global(view->mapToGlobal(at));
    const bool enabled = view->isEnabled();
    const auto send = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), global, button, held, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    };
    const unsigned kind = pick(10);
    const QString where =
        QString("(%1, %2)%3").arg(at.x()).arg(at.y()).arg(enabled ? "" : ", disabled");
    if (kind < 7) {
        send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
        return "mouse move over the view at " + where;
    }
    disabledTarget = !enabled && Form2 == focusedWindow();
    if (kind < 9) {
        const Qt::MouseButton button = chance(85) ? Qt::LeftButton : Qt::RightButton;
        send(QEvent::MouseButtonPress, button, button);
        send(QEvent::MouseButtonRelease, button, Qt::NoButton);
        return QString("%1 click on the view at ")
                   .arg(button == Qt::LeftButton ? "left" : "right") +
               where;
    }
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    send(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    return "double click on the view at " + where;
}

QString SoakTest::mouseOverWindow() {
    toolkit::Form* const windows[] = {Form2, Form3, Form4};
    toolkit::Form* form = windows[pick(3)];
    if (!form->isVisible()) {
        return QString("mouse over hidden %1 (impossible, skipped)").arg(form->objectName());
    }
    const QPoint at(int(pick(unsigned(form->width()))), int(pick(unsigned(form->height()))));
    QWidget* target = form->childAt(at);
    if (target == nullptr) {
        target = form;
    }
    const QPoint local = target->mapFrom(form, at);
    QMouseEvent event(QEvent::MouseMove, QPointF(local), QPointF(target->mapToGlobal(local)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
    return QString("mouse move over %1 at (%2, %3)")
        .arg(form->objectName())
        .arg(at.x())
        .arg(at.y());
}

QString SoakTest::key() {
    // Mostly into the window the model holds; sometimes into the one the window system gave
    // the keyboard, which may be another.
    toolkit::Form* form = toolkit::FocusModel::instance().focused();
    if (chance(30) && screen.active() != nullptr) {
        form = screen.active();
    }
    if (form == nullptr || !form->isVisible()) {
        return "key with no visible focused window (skipped)";
    }

    // A click into the range field first gives it the keyboard, as the trainee would.
    if (form == Form2 && chance(20)) {
        QTest::mouseClick(Form2->SpinEdit1, Qt::LeftButton, {},
                          QPoint(int(pick(60)) + 2, int(pick(35)) + 2));
    }
    // A key into a window the model does not hold is no act of the trainee; a click is.
    unfocusedKey = form != focusedWindow();
    noAct = unfocusedKey;
    const QPointer<QWidget> target = form->focusWidget() != nullptr ? form->focusWidget() : form;
    const QString into = QString(" into %1 of %2%3")
                             .arg(target->metaObject()->className(), form->objectName(),
                                  unfocusedKey ? " (not the model's window)" : "");
    // Press and release as separate events: the press may close the window it went to.
    const auto press = [&target](int key, Qt::KeyboardModifiers modifiers, const QString& text) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            if (target.isNull()) {
                return;
            }
            QKeyEvent event(type, key, modifiers, text);
            QApplication::sendEvent(target, &event);
        }
    };
    const unsigned kind = pick(100);
    if (kind < 40) {
        const QString characters = "0123456789-+,. aZж";
        const QString text = characters.at(int(pick(unsigned(characters.size()))));
        const int code = text.at(0).isDigit() ? Qt::Key_0 + text.toInt() : 0;
        press(code, Qt::NoModifier, text);
        return QString("typed '%1'").arg(text) + into;
    }
    if (kind < 50) {
        const QString clips[] = {"",           "-",          "+",           ",",
                                 "--1",        "1-",         " 250",        "250 ",
                                 "2147483647", "2147483648", "-2147483649", QString(5000, u'7'),
                                 "3e2",        "400",        "-0",          "１２"};
        QGuiApplication::clipboard()->setText(clips[pick(std::size(clips))]);
        press(Qt::Key_V, Qt::ControlModifier, {});
        return QString("paste of '%1'").arg(QGuiApplication::clipboard()->text().left(20)) + into;
    }
    struct NamedKey {
        const char* name;
        Qt::Key key;
        const char* text;
    };
    const NamedKey keys[] = {
        {"Return", Qt::Key_Return, "\r"}, {"Enter", Qt::Key_Enter, "\r"},
        {"Return", Qt::Key_Return, "\r"}, {"Up", Qt::Key_Up, ""},
        {"Down", Qt::Key_Down, ""},       {"Backspace", Qt::Key_Backspace, "\b"},
        {"Delete", Qt::Key_Delete, ""},   {"Space", Qt::Key_Space, " "},
        {"Tab", Qt::Key_Tab, "\t"},       {"Escape", Qt::Key_Escape, ""},
        {"Left", Qt::Key_Left, ""},       {"End", Qt::Key_End, ""}};
    const NamedKey& chosen = keys[pick(std::size(keys))];
    // In the mode window and the dialog these keys press a button, often "Выход"; rarely, so
    // that a sequence gets deep into tests first.
    const bool pressesButton =
        chosen.key == Qt::Key_Return || chosen.key == Qt::Key_Enter || chosen.key == Qt::Key_Space;
    if (pressesButton && form != Form2 && !unfocusedKey && !chance(10)) {
        return "key that would press a button of the mode window or the dialog (impossible, "
               "redrawn)";
    }
    const Qt::KeyboardModifiers modifiers =
        chosen.key == Qt::Key_Left && chance(50) ? Qt::ShiftModifier : Qt::NoModifier;
    press(chosen.key, modifiers, chosen.text);
    return QString("key %1").arg(chosen.name) + into;
}

// A trainee's whole answer: a click into the range field, all of its text selected, a range
// typed and Enter, every one an event of its own.
QString SoakTest::answer() {
    if (!Form2->isVisible()) {
        return "answer into the hidden exercise window (impossible, skipped)";
    }
    const QPointer<toolkit::SpinEdit> field = Form2->SpinEdit1;
    choseWindow = Form2 != focusedWindow();
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(20, 20));
    const QString range = QString::number(int(pick(12)) * 50 + 100 + int(pick(3)) - 1);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    for (const QChar digit : range) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + digit.digitValue(), Qt::NoModifier, digit);
        QApplication::sendEvent(field, &press);
    }
    QTest::keyClick(field, Qt::Key_Return);
    return QString("answer %1 typed into the range field with Return%2")
        .arg(range, field->isEnabled() ? "" : " (field disabled)");
}

QString SoakTest::focusNotice() {
    if (chance(20)) {
        // Another application takes the keyboard: the program hears of it and runs nothing.
        screen.toAnotherApplication();
        return "focus to another application";
    }
    toolkit::Form* const windows[] = {Form2, Form3, Form4};
    toolkit::Form* form = windows[pick(3)];
    if (!form->isVisible()) {
        return QString("choice of hidden %1 (impossible, skipped)").arg(form->objectName());
    }
    // The mode window lies beneath every test; leaving a test for it every few steps would
    // keep the sequences from ever finishing one.
    if (form == Form4 && (Form2->isVisible() || Form3->isVisible()) && !chance(20)) {
        return "choice of the mode window beneath a test (impossible, redrawn)";
    }
    screen.traineeChooses(form, stepClock);
    return QString("%1 chosen from its title bar or the task bar").arg(form->objectName());
}

QString SoakTest::timePasses(qint64 milliseconds) {
    noAct = true;
    if (const QString fault = catchUp(stepClock + milliseconds); windowSystemFault.isEmpty()) {
        windowSystemFault = fault;
    }
    return QString("%1 ms pass and the window system catches up").arg(milliseconds);
}

QString SoakTest::catchUp(qint64 until) {
    const Snapshot before = Take();
    const int changes = focusChanges;
    toolkit::FocusModel& model = toolkit::FocusModel::instance();
    if (screen.catchUp(stepClock, until, [&model] { model.requestTimedOut(); })) {
        return {};  // the trainee's own choice of a window arrived
    }
    if (focusChanges != changes) {
        return QString("%1 focus changes without an act of the trainee")
            .arg(focusChanges - changes);
    }
    if (before.notStarted == 0 && before.exerciseVisible &&
        (Form2 != before.exerciseWindow || !Form2->isVisible())) {
        return "a test left the screen without an act of the trainee";
    }
    return {};
}

QString SoakTest::tick() {
    struct Named {
        const char* name;
        toolkit::Timer* timer;
    };
    const Named timers[] = {{"Tmr1", Form2->Tmr1},
                            {"Tmr2", Form2->Tmr2},
                            {"Timer1", Form2->Timer1},
                            {"Timer2", Form2->Timer2}};
    const unsigned which = pick(5);
    if (which == 4) {
        // A slow spell: up to six seconds, past a request's time-out and its retries.
        return timePasses(qint64(pick(6000)));
    }
    const Named& chosen = timers[which];
    if (!chosen.timer->Enabled()) {
        return QString("%1 is disabled and cannot tick (impossible, skipped)").arg(chosen.name);
    }
    chosen.timer->Tick();
    return QString("%1 ticks").arg(chosen.name);
}

QString SoakTest::broken(const Snapshot& before, const QString& done) {
    if (terminations > 0 && (!exitPressed || noAct)) {
        return "the program ended without a press of \"Выход\"";
    }
    if (exitPressed && terminations != 1) {
        return "\"Выход\" did not end the program";
    }
    if (ui::LiveWindowCount() != 4) {
        return QString("%1 windows live instead of 4").arg(ui::LiveWindowCount());
    }
    // One visible window holds the focus after every input. Only inside start-up does a
    // hidden window hold it (the exercise window, from its creation until the mode window
    // comes up), and no input arrives before start-up has ended.
    toolkit::Form* focused = toolkit::FocusModel::instance().focused();
    if (focused == nullptr || !focused->isVisible()) {
        return "no visible window holds the focus";
    }
    for (const QString& error : errors) {
        if (!done.contains("Return") && !done.contains("Enter") && !done.contains("Space") &&
            !done.contains("confirm")) {
            return "an error box after something other than a confirmation: " + error;
        }
        if (error != QString("'%1' is not a valid integer value").arg(before.range)) {
            return "an error box other than the field's conversion error: " + error;
        }
    }
    if (!errors.isEmpty() && !choseWindow && !(Take() == before)) {
        return "a refused answer changed something";
    }
    if (disabledTarget && !(Take() == before)) {
        return "an input to a disabled control changed something";
    }
    // The window system alone, late, repeated or refusing, runs no handler and ends no test;
    // only the trainee's own choice of a window, once it arrives, may.
    if (!windowSystemFault.isEmpty()) {
        return windowSystemFault;
    }
    if (unfocusedKey && !(Take() == before)) {
        return "a key into a window the model does not hold acted in it";
    }
    if (Form3->isVisible() && Form2->StaticText4->Caption() == "0" && Form3->BitBtn1->isEnabled()) {
        return "\"Отмена\" leads back into a test with no attempts left";
    }
    const std::optional<int> attempts = Counter(Form2->StaticText4->Caption());
    const std::optional<int> hits = Counter(Form2->StaticText3->Caption());
    if (!attempts || *attempts < 0 || *attempts > 10) {
        return "attempts label " + Form2->StaticText4->Caption();
    }
    if (!hits || *hits < 0 || *hits > 10 || *hits + *attempts > 10) {
        return QString("hits label %1 with %2 attempts left")
            .arg(Form2->StaticText3->Caption())
            .arg(*attempts);
    }
    // A fresh exercise window shows its design grade until its first evaluation; an
    // evaluation always uses an attempt or follows one in this window.
    if (window.isNull() || window != Form2) {
        window = Form2;
        evaluated = false;
    } else if (before.exerciseWindow == Form2 && Counter(before.attempts) &&
               *attempts < *Counter(before.attempts)) {
        evaluated = true;
    }
    const QString grade = QString::number(exercise::Grade(*hits, *attempts));
    if (Form2->StaticText6->Caption() != grade &&
        (evaluated || Form2->StaticText6->Caption() != "5")) {
        return QString("grade label %1 where hits %2 and attempts %3 give %4")
            .arg(Form2->StaticText6->Caption())
            .arg(*hits)
            .arg(*attempts)
            .arg(grade);
    }
    // Only the moving sight of a running round hides the pointer; the end of every round and
    // every leaving of the exercise window show it again.
    if (ExerciseState.ExerciseRunning == 0 && toolkit::PointerDisplayCount() < 0) {
        return QString("the pointer is hidden (count %1) with no round running")
            .arg(toolkit::PointerDisplayCount());
    }
    if (Form2->SeeImage->isEnabled() && ExerciseState.ExerciseRunning == 0) {
        return "the view takes the mouse with no round running";
    }
    return {};
}

TEST_F(SoakTest, NoSequenceOfClicksKeysAndTicksBreaksTheProgram) {
    std::vector<unsigned> seeds(std::begin(kSeeds), std::end(kSeeds));
    if (const int only = EnvironmentNumber("SIGHT_SOAK_SEED", -1); only >= 0) {
        seeds = {unsigned(only)};
    }
    const int steps = EnvironmentNumber("SIGHT_SOAK_STEPS", kStepsPerSeed);
    const bool trace = qEnvironmentVariableIsSet("SIGHT_SOAK_TRACE");
    Coverage seen;
    for (const unsigned seed : seeds) {
        random.seed(seed);
        restart();
        QStringList recent;
        for (int number = 1; number <= steps; ++number) {
            // The window system delivers what fell due meanwhile, each at its time, and is
            // judged apart from the input that follows.
            stepClock += kStepMs;
            focusChanges = 0;
            windowSystemFault = catchUp(stepClock);
            const Snapshot before = Take();
            exitPressed = false;
            disabledTarget = false;
            choseWindow = false;
            noAct = false;
            unfocusedKey = false;
            const QString done = step();
            recent.append(QString("  %1: %2").arg(number).arg(done));
            if (recent.size() > 12) {
                recent.removeFirst();
            }
            if (trace) {
                std::printf("%d: %s; attempts %s, hits %s, focus on %s\n", number,
                            done.toUtf8().constData(), qPrintable(Form2->StaticText4->Caption()),
                            qPrintable(Form2->StaticText3->Caption()),
                            qPrintable(toolkit::FocusModel::instance().focused()->objectName()));
            }
            const QString fault = broken(before, done);
            seen.count(before, done, errors.size());
            if (!fault.isEmpty()) {
                FAIL() << "seed " << seed << " step " << number << ": " << fault.toStdString()
                       << "\nreplay with SIGHT_SOAK_SEED=" << seed << " SIGHT_SOAK_STEPS=" << number
                       << "\nlast steps:\n"
                       << recent.join('\n').toStdString();
            }
            errors.clear();
            if (terminations > 0) {
                restart();
            }
        }
    }
    seen.notices = screen.delivered;
    std::printf("soak: %zu seeds, %d steps each; %s\n", seeds.size(), steps,
                seen.summary().toUtf8().constData());
}

}  // namespace
