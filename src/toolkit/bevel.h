// A lowered rectangular frame line that groups controls.
#pragma once

#include <QFrame>

namespace toolkit {

class Bevel : public QFrame {
    Q_OBJECT
  public:
    explicit Bevel(QWidget* parent = nullptr);
};

}  // namespace toolkit
