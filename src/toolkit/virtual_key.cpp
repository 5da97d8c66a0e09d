// Windows virtual-key codes of Qt key presses, as the key handlers of the windows expect them.
#include "toolkit/virtual_key.h"

#include <QKeyEvent>
#include <array>
#include <utility>

namespace toolkit {

namespace {
constexpr int kNumpad0 = 0x60;

constexpr std::array<std::pair<int, int>, 33> kNamedKeys{{
    {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},      {Qt::Key_Backtab, 0x09},
    {Qt::Key_Return, 0x0D},    {Qt::Key_Enter, 0x0D},    {Qt::Key_Shift, 0x10},
    {Qt::Key_Control, 0x11},   {Qt::Key_Alt, 0x12},      {Qt::Key_Pause, 0x13},
    {Qt::Key_CapsLock, 0x14},  {Qt::Key_Escape, 0x1B},   {Qt::Key_Space, 0x20},
    {Qt::Key_PageUp, 0x21},    {Qt::Key_PageDown, 0x22}, {Qt::Key_End, 0x23},
    {Qt::Key_Home, 0x24},      {Qt::Key_Left, 0x25},     {Qt::Key_Up, 0x26},
    {Qt::Key_Right, 0x27},     {Qt::Key_Down, 0x28},     {Qt::Key_Insert, 0x2D},
    {Qt::Key_Delete, 0x2E},    {Qt::Key_Meta, 0x5B},     {Qt::Key_Semicolon, 0xBA},
    {Qt::Key_Equal, 0xBB},     {Qt::Key_Plus, 0xBB},     {Qt::Key_Comma, 0xBC},
    {Qt::Key_Minus, 0xBD},     {Qt::Key_Period, 0xBE},   {Qt::Key_Slash, 0xBF},
    {Qt::Key_QuoteLeft, 0xC0}, {Qt::Key_NumLock, 0x90},  {Qt::Key_ScrollLock, 0x91},
}};

// Keys of the numeric keypad that have codes of their own.
constexpr std::array<std::pair<int, int>, 6> kKeypadKeys{{
    {Qt::Key_Asterisk, 0x6A},
    {Qt::Key_Plus, 0x6B},
    {Qt::Key_Minus, 0x6D},
    {Qt::Key_Period, 0x6E},
    {Qt::Key_Comma, 0x6E},
    {Qt::Key_Slash, 0x6F},
}};
}  // namespace

int VirtualKeyCode(const QKeyEvent& event) {
    const int key = event.key();
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return keypad ? kNumpad0 + (key - Qt::Key_0) : key;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return key;  // Qt's letter keys are the uppercase ASCII codes, as are the Windows ones
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return 0x70 + (key - Qt::Key_F1);
    }
    if (keypad) {
        for (const auto& [qtKey, code] : kKeypadKeys) {
            if (qtKey == key) {
                return code;
            }
        }
    }
    for (const auto& [qtKey, code] : kNamedKeys) {
        if (qtKey == key) {
            return code;
        }
    }
    return 0;
}

}  // namespace toolkit
