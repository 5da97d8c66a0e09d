// A push button with a small picture to the left of its caption.
#pragma once

#include <QPushButton>
#include <functional>

#include "raster/bitmap.h"

namespace toolkit {

// Where a glyph button draws its glyph and its caption inside `face`: the two centred
// together with 4 pixels between them; either one alone is centred by itself.
struct GlyphButtonLayout {
    QRect glyph;
    QRect caption;
};
GlyphButtonLayout LayOutGlyphAndCaption(const QRect& face, QSize glyph, QSize caption);

class GlyphButton : public QPushButton {
    Q_OBJECT
  public:
    explicit GlyphButton(QWidget* parent = nullptr);

    // A glyph of one state, or of two side by side (normal, disabled; each half the width).
    // The colour of the glyph's bottom-left pixel is see-through.
    void SetGlyph(const raster::Bitmap& glyph, int states = 1);
    const raster::Bitmap& Glyph() const { return glyph_; }
    int GlyphStates() const { return states_; }

    void SetCaption(const QString& caption) { setText(caption); }
    QString Caption() const { return text(); }

    std::function<void()> OnClick;
    std::function<void(Qt::KeyboardModifiers, int x, int y)> OnMouseMove;

    QSize sizeHint() const override;

    // Where the glyph and the caption are drawn at the button's present size and state.
    GlyphButtonLayout ContentLayout() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QSize captionSize() const;

    raster::Bitmap glyph_;
    int states_ = 1;
    // Pressed with the mouse, and not released yet.
    bool heldByMouse_ = false;
    QPixmap normal_;
    QPixmap disabled_;
};

}  // namespace toolkit
