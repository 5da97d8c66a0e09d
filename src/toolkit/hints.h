// Hints of controls: a short part for the tooltip and a long part for the status bar.
#pragma once

#include <QPoint>
#include <QString>

class QWidget;

namespace toolkit {

// The part before the first "|", or the whole hint when it has none.
QString ShortHint(const QString& hint);
// The part after the first "|", or the whole hint when it has none.
QString LongHint(const QString& hint);

// Any widget can carry a hint; the status bar's hint tracking reads it from there.
void SetHint(QWidget* control, const QString& hint);
QString Hint(const QWidget* control);

// Tooltips show the short part of the hint, and only where switched on, also for a disabled
// control that lets the mouse through to what lies beneath (the wind arrow over the view).
void SetShowHint(QWidget* control, bool on);
bool ShowsHint(const QWidget* control);

// The topmost visible widget of `window` at `windowPosition`, whether or not it takes mouse
// events; `window` itself where no child lies there. Its hint is the one the trainee points
// at.
QWidget* ControlAt(QWidget* window, QPoint windowPosition);

}  // namespace toolkit
