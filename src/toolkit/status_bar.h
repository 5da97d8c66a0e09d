// A status bar in simple mode: one text across its width, fed by the hints under the mouse.
#pragma once

#include <QWidget>

namespace toolkit {

class StatusBar : public QWidget {
    Q_OBJECT
  public:
    explicit StatusBar(QWidget* parent = nullptr);

    QString SimpleText() const { return text_; }
    void SetSimpleText(const QString& text);

    // Follows the mouse over the window: the long part of the hint of the topmost visible
    // control under the mouse (disabled ones too), or of its nearest parent with a hint,
    // replaces the text whenever that hint changes; no hint clears it.
    void SetAutoHint(bool on);

    // The hint of `control` or of its nearest parent that has one.
    static QString InheritedHint(const QWidget* control);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void followMouse(QPoint globalPosition);
    void showHint(const QString& hint);

    QString text_;
    bool autoHint_ = false;
    // The long hint last shown; the window opens with none.
    QString hintUnderMouse_;
};

}  // namespace toolkit
