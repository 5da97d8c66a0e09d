// A static label that sizes itself to its text, growing and shrinking with it.
#include "toolkit/static_text.h"

#include <QEvent>
#include <QFontMetrics>
#include <algorithm>

namespace toolkit {

StaticText::StaticText(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setFocusPolicy(Qt::NoFocus);
    setMargin(0);
    setIndent(0);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fitToText();
}

void StaticText::SetCaption(const QString& caption) {
    setText(caption);
    fitToText();
}

void StaticText::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        fitToText();
    }
}

void StaticText::fitToText() {
    const QFontMetrics metrics(font());
    // An italic last letter leans past its advance; the ink must not be cut off.
    const int inkRight = text().isEmpty() ? 0 : metrics.boundingRect(text()).right() + 1;
    const int width = std::max(metrics.horizontalAdvance(text()), inkRight);
    resize(width, metrics.height());
}

}  // namespace toolkit
