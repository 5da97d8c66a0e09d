// An image control: a rectangle showing a Bitmap that handlers draw on.
#pragma once

#include <QWidget>
#include <functional>
#include <initializer_list>
#include <span>

#include "raster/bitmap.h"
#include "raster/changed_rows.h"
#include "raster/smooth_scale.h"

namespace toolkit {

// The largest rectangle at the top-left of `area` that shows `picture` undistorted.
QRect ProportionalRect(QSize picture, QSize area);

class ImageControl : public QWidget {
    Q_OBJECT
  public:
    enum class Scaling {
        None,          // the picture at its own size at the top-left
        Stretch,       // fitted to the rectangle, aspect not kept
        Proportional,  // as large as fits without distortion, at the top-left
    };

    explicit ImageControl(QWidget* parent = nullptr);

    raster::Bitmap& Picture() { return picture_; }
    const raster::Bitmap& Picture() const { return picture_; }
    // Assigns a copy of `picture`; with AutoSize the control takes the picture's size.
    void SetPicture(const raster::Bitmap& picture);

    void SetScaling(Scaling scaling);
    Scaling scaling() const { return scaling_; }
    void SetAutoSize(bool on);
    bool AutoSize() const { return autoSize_; }
    // Leaves out the colour of the picture's bottom-left pixel.
    void SetTransparent(bool on);
    bool Transparent() const { return transparent_; }

    int Tag = 0;

    // Tells the control that handlers drew into `pictureArea` of its picture: only that part
    // of the control is repainted. The whole picture when no area is given.
    void Invalidate(const raster::Rect& pictureArea);
    void Invalidate(const raster::ChangedRows& pictureRows);
    // The same for several parts at once, in one repaint: on each control row the spans that
    // show them there, a part apart from the others (the tiny target far from the lens, the
    // old lens far from the new one) kept apart rather than united with all between.
    void Invalidate(std::initializer_list<const raster::ChangedRows*> pictureParts);
    void Invalidate();

    // Where the picture is drawn, in control coordinates.
    QRect destinationRect() const;

    // Events, in control coordinates.
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void(Qt::KeyboardModifiers, int x, int y)> OnMouseMove;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void updateMouseTransparency();
    void updateOpaqueness();
    // Whether the control scales its picture itself rather than through QPainter: an opaque
    // picture scaled at a whole device pixel ratio.
    bool scalesItself() const;
    int deviceRatio() const;
    // The scale from the picture onto the destination's device pixels, made anew when either
    // size changed.
    const raster::SmoothScale& currentScale();

    raster::Bitmap picture_;
    raster::SmoothScale scale_;
    QImage scaled_;  // the scaled parts, where they cannot be written where they are shown
    Scaling scaling_ = Scaling::None;
    bool autoSize_ = false;
    bool transparent_ = false;
    bool pressed_ = false;
};

}  // namespace toolkit
