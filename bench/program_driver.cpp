// Runs the whole program in-process for the benchmarks, as the window tests do.
#include "program_driver.h"

#include <sys/resource.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTest>
#include <cmath>

#include "app/program.h"
#include "exercise/exercise_state.h"
#include "exercise/round_setup.h"
#include "ui/completion_dialog.h"
#include "ui/exercise_window.h"
#include "ui/forms.h"
#include "ui/mode_window.h"

namespace bench {

PaintWatch::PaintWatch(QWidget* (*window)()) : window_(window) {
    QApplication::instance()->installEventFilter(this);
}

PaintWatch::~PaintWatch() {
    QApplication::instance()->removeEventFilter(this);
}

bool PaintWatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched->isWidgetType()) {
        QWidget* window = window_();
        auto* widget = static_cast<QWidget*>(watched);
        if (window != nullptr && widget->window() == window) {
            ++paints;
            const QRegion& region = static_cast<QPaintEvent*>(event)->region();
            for (const QRect& part : region) {
                paintedPixels += qint64(part.width()) * part.height();
            }
            paintedParts.emplace_back(widget, region);
        }
    }
    return false;
}

void StartFreshProgram() {
    ExerciseState = TExerciseState{};
    exercise::SetRoundClock([] { return 1234567u; });
    app::SetTerminateHook([] {});
    app::StartProgram();
}

void EndRunningProgram() {
    app::EndProgram();
    ProcessPendingEvents();
}

void PaintPendingUpdates() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

void ProcessPendingEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void StartTest(int exercise) {
    Form4->RadioGroup1->SetItemIndex(exercise);
    QTest::mouseClick(Form4->BitBtn1, Qt::LeftButton);
    StartRound();
}

void StartRound() {
    QTest::mouseClick(Form2->BitBtn1, Qt::LeftButton);
    Form2->Tmr1->Tick();
    Form2->Tmr1->Tick();
}

void MoveOverView(QPoint mouse) {
    QMouseEvent move(QEvent::MouseMove, QPointF(mouse),
                     QPointF(Form2->SeeImage->mapToGlobal(mouse)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(Form2->SeeImage, &move);
}

void PlayRounds(int rounds) {
    constexpr int kAttemptsPerTest = 10;
    constexpr int kMovesPerRound = 20;
    for (int round = 0; round < rounds; ++round) {
        const int attempt = round % kAttemptsPerTest;
        const bool shooting = (round / kAttemptsPerTest) % 2 == 0;
        if (attempt == 0) {
            StartTest(shooting ? 1 : 0);
        } else if (shooting) {
            StartRound();
        } else {
            // A range answer starts the next round itself; the marker still has to enable
            // the view.
            Form2->Tmr1->Tick();
            Form2->Tmr1->Tick();
        }
        for (int move = 0; move < kMovesPerRound; ++move) {
            MoveOverView(QPoint(100 + 17 * move + round % 7, 90 + 11 * move));
            PaintPendingUpdates();
        }
        if (shooting) {
            QTest::mouseClick(Form2->SeeImage, Qt::LeftButton, {}, QPoint(300, 200));
            Form2->Timer2->Tick();
        } else {
            Form2->SpinEdit1->SetText("300");
            QTest::keyClick(Form2->SpinEdit1, Qt::Key_Return);
        }
        ProcessPendingEvents();
        if (attempt == kAttemptsPerTest - 1) {
            // "Повтор": back to the mode window for the next test.
            QTest::mouseClick(Form3->BitBtn3, Qt::LeftButton);
            ProcessPendingEvents();
        }
    }
}

double PeakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

}  // namespace bench
