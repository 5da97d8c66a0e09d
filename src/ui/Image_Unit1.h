// TForm1, the never-shown store of the scene, target, burst and smoke pictures.
#pragma once

#include "toolkit/form.h"
#include "toolkit/image_control.h"

class TForm1 : public toolkit::Form {
    Q_OBJECT
  public:
    TForm1();

    // Creates the exercise window (app/Image_Unit1.cpp).
    void FormCreate() override;

    toolkit::ImageControl* Image1;
    toolkit::ImageControl* b50;
    toolkit::ImageControl* b45;
    toolkit::ImageControl* b35;
    toolkit::ImageControl* b30;
    toolkit::ImageControl* b25;
    toolkit::ImageControl* b40;
    toolkit::ImageControl* b80;
    toolkit::ImageControl* b65;
    toolkit::ImageControl* b75;
    toolkit::ImageControl* splash;
    toolkit::ImageControl* Dim;

    // The target sprite of a given name ("b25" .. "b80"), or null.
    toolkit::ImageControl* Sprite(const QString& name) const;
};
