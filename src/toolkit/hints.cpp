// Hints of controls, kept as dynamic properties so that any widget can carry one.
#include "toolkit/hints.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPointer>
#include <QToolTip>
#include <QVariant>
#include <QWidget>
#include <ranges>

#include "toolkit/accessible_names.h"

namespace toolkit {

namespace {
constexpr char kHintProperty[] = "toolkitHint";
constexpr char kShowHintProperty[] = "toolkitShowHint";
constexpr QChar kSeparator = u'|';

void UpdateToolTip(QWidget* control) {
    control->setToolTip(ShowsHint(control) ? ShortHint(Hint(control)) : QString());
}

// Qt asks the widget under the mouse for its tooltip, skipping widgets that let the mouse
// through; the tooltip belongs to the control the trainee sees there. Qt takes a tip away
// when a mouse move of the widget it was shown for leaves the tip's rectangle, and such a
// control gets no moves: the tip is shown for the widget that does, over the control's place
// in it, and goes with the control when it is hidden (the wind arrow blinks).
class ToolTipLookup : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && watched == shownFor_ && shownFor_ != nullptr) {
            shownFor_ = nullptr;
            QToolTip::hideText();
            return false;
        }
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType()) {
            return false;
        }
        auto* receiver = static_cast<QWidget*>(watched);
        const auto* help = static_cast<QHelpEvent*>(event);
        QWidget* window = receiver->window();
        QWidget* control = ControlAt(window, window->mapFromGlobal(help->globalPos()));
        if (control == receiver || control->toolTip().isEmpty()) {
            return false;
        }
        const QRect place(receiver->mapFrom(window, control->mapTo(window, QPoint())),
                          control->size());
        QToolTip::showText(help->globalPos(), control->toolTip(), receiver, place);
        shownFor_ = control;
        return true;
    }

  private:
    QPointer<QWidget> shownFor_;
};

void LookUpToolTipsUnderTheMouse() {
    static const bool installed = [] {
        QApplication::instance()->installEventFilter(new ToolTipLookup(QApplication::instance()));
        return true;
    }();
    Q_UNUSED(installed);
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
    if (on) {
        LookUpToolTipsUnderTheMouse();
    }
}

bool ShowsHint(const QWidget* control) {
    return control->property(kShowHintProperty).toBool();
}

QWidget* ControlAt(QWidget* window, QPoint windowPosition) {
    QWidget* found = window;
    QPoint position = windowPosition;
    // Later children lie over earlier ones, so the search runs from the end of the list;
    // Qt's own lookup would skip disabled and mouse-transparent widgets.
    bool descended = true;
    while (descended) {
        descended = false;
        for (QObject* object : found->children() | std::views::reverse) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child == nullptr || child->isWindow() || child->isHidden() ||
                !child->geometry().contains(position)) {
                continue;
            }
            position -= child->pos();
            found = child;
            descended = true;
            break;
        }
    }
    return found;
}

}  // namespace toolkit
