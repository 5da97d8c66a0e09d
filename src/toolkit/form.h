// A top-level window of the program: fixed layout, design caption and place, and the
// creation, show, activation and deactivation handlers run by the focus model.
#pragma once

#include <QPushButton>
#include <QWidget>

namespace toolkit {

class Form : public QWidget {
    Q_OBJECT
  public:
    enum class Frame {
        Sizeable,  // resizable, system menu with minimise and maximise
        Single,    // fixed size, system menu with close and minimise
        Dialog,    // fixed size, no title-bar buttons
    };

    explicit Form(Frame frame);
    ~Form() override;

    // Handlers; a window overrides the ones it has.
    virtual void FormCreate() {}
    virtual void FormShow() {}
    virtual void FormActivate() {}
    virtual void FormDeactivate() {}

    // Show: the show handler if hidden, visible, in front, and the focused window.
    void Show();
    void Hide();
    // Whether the program shows the window; the screen follows once the focus model has
    // finished the change under way.
    bool Visible() const { return shown_; }
    void BringToFront();

    // The control that gets the keyboard focus whenever the window has it. Setting it makes
    // this window the focused window, even while it is hidden.
    void SetActiveControl(QWidget* control);
    QWidget* ActiveControl() const { return activeControl_; }

    void SetCaption(const QString& caption) { setWindowTitle(caption); }
    QString Caption() const { return windowTitle(); }
    void SetClientSize(int width, int height);
    void SetClientHeight(int height) { SetClientSize(width(), height); }
    // The designed place of the window's outer top-left corner on the screen.
    void SetScreenPlace(int left, int top);

    Frame frame() const { return frame_; }

    // Screen readers present the window as an application window, or as a dialog. The
    // window system is told no such thing: a dialog type there would make window managers
    // keep it above every other window of the program.
    void SetReadAsDialog(bool dialog) { readAsDialog_ = dialog; }
    bool ReadAsDialog() const { return readAsDialog_; }

    // Enter presses the focused button, or else this one.
    void SetDefaultButton(QPushButton* button) { defaultButton_ = button; }

    // Called by the focus model when the window becomes or stops being the focused one.
    void giveKeyboardFocus();

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    friend class FocusModel;
    Frame frame_;
    bool shown_ = false;
    bool readAsDialog_ = false;
    QWidget* activeControl_ = nullptr;
    QPushButton* defaultButton_ = nullptr;
};

}  // namespace toolkit
