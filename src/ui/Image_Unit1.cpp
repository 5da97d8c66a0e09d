// The image store's layout: twelve pictures in a window that is never shown.
#include "ui/Image_Unit1.h"

#include "assets/pictures.h"
#include "ui/layout_helpers.h"

namespace {
toolkit::ImageControl* StoredPicture(QWidget* parent, const char* name, int left, int top,
                                     int width, int height, bool autoSize) {
    auto* image = new toolkit::ImageControl(parent);
    image->setObjectName(name);
    image->SetAutoSize(autoSize);
    image->SetScaling(autoSize ? toolkit::ImageControl::Scaling::None
                               : toolkit::ImageControl::Scaling::Stretch);
    ui::SetUpImage(image, left, top, width, height, assets::LoadPicture(name));
    image->setAttribute(Qt::WA_TransparentForMouseEvents);
    return image;
}
}  // namespace

TForm1::TForm1() : toolkit::Form(Frame::Sizeable) {
    setObjectName("Form1");
    SetCaption("Form1");
    setWindowIcon(ui::WindowIcon());
    SetClientSize(396, 344);
    SetScreenPlace(143, 140);

    Image1 = StoredPicture(this, "Image1", 16, 0, 105, 105, false);
    b50 = StoredPicture(this, "b50", 136, 0, 77, 50, true);
    b45 = StoredPicture(this, "b45", 136, 64, 69, 45, true);
    b35 = StoredPicture(this, "b35", 136, 120, 54, 35, true);
    b30 = StoredPicture(this, "b30", 120, 168, 46, 30, true);
    b25 = StoredPicture(this, "b25", 208, 128, 38, 25, true);
    b40 = StoredPicture(this, "b40", 200, 168, 62, 40, true);
    b80 = StoredPicture(this, "b80", 0, 120, 118, 80, true);
    b65 = StoredPicture(this, "b65", 248, 64, 96, 65, true);
    b75 = StoredPicture(this, "b75", 240, -16, 110, 75, true);
    splash = StoredPicture(this, "splash", 280, 168, 64, 64, true);
    Dim = StoredPicture(this, "Dim", 120, 184, 100, 100, true);
}

toolkit::ImageControl* TForm1::Sprite(const QString& name) const {
    for (toolkit::ImageControl* sprite : {b25, b30, b35, b40, b45, b50, b65, b75, b80}) {
        if (sprite->objectName() == name) {
            return sprite;
        }
    }
    return nullptr;
}
