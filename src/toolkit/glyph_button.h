// A push button with a small picture to the left of its caption.
#pragma once

#include <QPushButton>
#include <functional>

#include "toolkit/bitmap.h"

namespace toolkit {

class GlyphButton : public QPushButton {
    Q_OBJECT
public:
    explicit GlyphButton(QWidget* parent = nullptr);

    // A glyph of one state, or of two side by side (normal, disabled; each half the width).
    // The colour of the glyph's bottom-left pixel is see-through.
    void SetGlyph(const Bitmap& glyph, int states = 1);
    const Bitmap& Glyph() const { return glyph_; }
    int GlyphStates() const { return states_; }

    void SetCaption(const QString& caption) { setText(caption); }
    QString Caption() const { return text(); }

    std::function<void()> OnClick;
    std::function<void(Qt::KeyboardModifiers, int x, int y)> OnMouseMove;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    Bitmap glyph_;
    int states_ = 1;
    QPixmap normal_;
    QPixmap disabled_;
};

}  // namespace toolkit
