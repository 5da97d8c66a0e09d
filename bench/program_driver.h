// Runs the whole program in-process for the benchmarks, as the window tests do: a trainee's
// mouse moves, clicks and answers, with timer ticks fired by hand.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <utility>
#include <vector>

class QWidget;

namespace bench {

// Counts the paint events Qt delivers to the widgets of one window, and the area they paint.
class PaintWatch : public QObject {
  public:
    // Watches every widget whose window is `window()` at the time of the event.
    explicit PaintWatch(QWidget* (*window)());
    ~PaintWatch() override;

    int paints = 0;
    long long paintedPixels = 0;  // logical pixels, summed over the painted regions
    // Each paint's widget and region, in the widget's coordinates.
    std::vector<std::pair<const QWidget*, QRegion>> paintedParts;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* (*window_)();
};

// Resets the program-wide state and starts the program: the mode window shown.
void StartFreshProgram();
// Ends it: every window destroyed.
void EndRunningProgram();

// Delivers every pending update request now, so the views paint into the window's backing
// store before this returns, as the event loop would on its next pass.
void PaintPendingUpdates();
// Runs the event loop once over everything that is waiting.
void ProcessPendingEvents();

// From the mode window: starts a test of the shooting (1) or range (0) exercise and the first
// round, with the marker ticks that enable the view.
void StartTest(int exercise);
void StartRound();

// A mouse move over the exercise window's view delivered through Qt, as the window system
// would deliver it.
void MoveOverView(QPoint mouse);

// Plays `rounds` whole rounds: mouse moves with painting, then a shot (with the fixed view)
// or a range answer; ten make a test, after which the dialog's "Повтор" leads back to the
// mode window and the next test alternates the exercise.
void PlayRounds(int rounds);

// The largest resident set of the process so far, in megabytes.
double PeakResidentMegabytes();

}  // namespace bench
