// A static label that sizes itself to its text, growing and shrinking with it.
#pragma once

#include <QLabel>

namespace toolkit {

class StaticText : public QLabel {
    Q_OBJECT
  public:
    explicit StaticText(QWidget* parent = nullptr);

    void SetCaption(const QString& caption);
    QString Caption() const { return text(); }

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void fitToText();
};

}  // namespace toolkit
