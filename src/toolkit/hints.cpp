// Hints of controls, kept as dynamic properties so that any widget can carry one.
#include "toolkit/hints.h"

#include <QVariant>
#include <QWidget>

#include "toolkit/accessible_names.h"

namespace toolkit {

namespace {
constexpr char kHintProperty[] = "toolkitHint";
constexpr char kShowHintProperty[] = "toolkitShowHint";
constexpr QChar kSeparator = u'|';

void UpdateToolTip(QWidget* control) {
    control->setToolTip(ShowsHint(control) ? ShortHint(Hint(control)) : QString());
}
}  // namespace

QString ShortHint(const QString& hint) {
    const qsizetype separator = hint.indexOf(kSeparator);
    return separator < 0 ? hint : hint.left(separator);
}

QString LongHint(const QString& hint) {
    const qsizetype separator = hint.indexOf(kSeparator);
    return separator < 0 ? hint : hint.mid(separator + 1);
}

void SetHint(QWidget* control, const QString& hint) {
    control->setProperty(kHintProperty, hint);
    UpdateToolTip(control);
    // The long part is what the status bar shows sighted users; screen readers read it as the
    // control's description.
    control->setAccessibleDescription(LongHint(hint));
    FollowHintInAccessibleName(control);
}

QString Hint(const QWidget* control) {
    return control->property(kHintProperty).toString();
}

void SetShowHint(QWidget* control, bool on) {
    control->setProperty(kShowHintProperty, on);
    UpdateToolTip(control);
}

bool ShowsHint(const QWidget* control) {
    return control->property(kShowHintProperty).toBool();
}

}  // namespace toolkit
