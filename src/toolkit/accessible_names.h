// Names of the controls for screen readers and UI automation.
#pragma once

#include <QString>

class QWidget;

namespace toolkit {

// Qt names buttons, labels and group boxes after their text. Every other control of `window`
// with a hint, a button without caption among them, is named after the hint's short part.
// Runs once the window's layout is built; controls that have neither text nor hint are named
// by the layout itself.
void NameControlsForAccessibility(QWidget* window);

// A control named from its hint follows later changes of the hint.
void FollowHintInAccessibleName(QWidget* control);

// The name a screen reader announces for the control.
QString AccessibleName(QWidget* control);

}  // namespace toolkit
