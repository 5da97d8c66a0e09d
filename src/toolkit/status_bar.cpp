// A status bar in simple mode whose text follows the hints under the mouse.
#include "toolkit/status_bar.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include "toolkit/hints.h"
#include "toolkit/qt_compat.h"

namespace toolkit {

namespace {
constexpr int kTextMargin = 3;
}  // namespace

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {}

void StatusBar::SetSimpleText(const QString& text) {
    // The sight writes the same text at every frame; only a new one needs a repaint.
    if (text == text_) {
        return;
    }
    text_ = text;
    update();
}

void StatusBar::SetAutoHint(bool on) {
    if (on == autoHint_) {
        return;
    }
    autoHint_ = on;
    if (on) {
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
    }
}

QString StatusBar::InheritedHint(const QWidget* control) {
    for (; control != nullptr; control = control->parentWidget()) {
        const QString hint = Hint(control);
        if (!hint.isEmpty()) {
            return hint;
        }
        if (control->isWindow()) {
            break;
        }
    }
    return {};
}

bool StatusBar::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::MouseMove && type != QEvent::Enter && type != QEvent::Leave) ||
        !watched->isWidgetType()) {
        return false;
    }
    const auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != window()) {
        return false;
    }
    if (type == QEvent::MouseMove) {
        followMouse(EventGlobalPosition(*static_cast<QMouseEvent*>(event)).toPoint());
    } else if (type == QEvent::Enter) {
        followMouse(EventGlobalPosition(*static_cast<QEnterEvent*>(event)).toPoint());
    } else if (widget == window()) {
        showHint({});  // the mouse left the window
    }
    return false;
}

void StatusBar::followMouse(QPoint globalPosition) {
    QWidget* holder = window();
    const QPoint position = holder->mapFromGlobal(globalPosition);
    if (!holder->rect().contains(position)) {
        showHint({});
        return;
    }
    showHint(LongHint(InheritedHint(toolkit::ControlAt(holder, position))));
}

void StatusBar::showHint(const QString& hint) {
    // Only a change of hint writes the text, so a text a handler wrote stays while the
    // mouse moves within the same hinted area.
    if (hint == hintUnderMouse_) {
        return;
    }
    hintUnderMouse_ = hint;
    SetSimpleText(hint);
}

void StatusBar::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.state |= QStyle::State_Sunken;
    frame.lineWidth = 1;
    frame.midLineWidth = 0;
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
    const QRect textArea = rect().adjusted(kTextMargin, 1, -kTextMargin, -1);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     fontMetrics().elidedText(text_, Qt::ElideRight, textArea.width()));
}

}  // namespace toolkit
