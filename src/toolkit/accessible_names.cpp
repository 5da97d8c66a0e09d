// Names of the controls for screen readers, derived from their captions and hints.
#include "toolkit/accessible_names.h"

#include <QAccessible>
#include <QVariant>
#include <QWidget>

#include "toolkit/hints.h"

namespace toolkit {

namespace {
constexpr char kNamedFromHintProperty[] = "toolkitNamedFromHint";

void NameFromHint(QWidget* control) {
    const QString name = ShortHint(Hint(control));
    if (name.isEmpty()) {
        return;
    }
    control->setAccessibleName(name);
    control->setProperty(kNamedFromHintProperty, true);
}
}  // namespace

void NameControlsForAccessibility(QWidget* window) {
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (AccessibleName(control).isEmpty()) {
            NameFromHint(control);
        }
    }
}

void FollowHintInAccessibleName(QWidget* control) {
    if (control->property(kNamedFromHintProperty).toBool()) {
        NameFromHint(control);
    }
}

QString AccessibleName(QWidget* control) {
    const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible == nullptr ? QString() : accessible->text(QAccessible::Name);
}

}  // namespace toolkit
