// The 16 colours of the classic palette and the making of two-state button glyphs.
#pragma once

#include <QImage>

namespace artwork {

namespace Vga {
constexpr QRgb kBlack = 0x000000;
constexpr QRgb kMaroon = 0x800000;
constexpr QRgb kGreen = 0x008000;
constexpr QRgb kOlive = 0x808000;
constexpr QRgb kNavy = 0x000080;
constexpr QRgb kPurple = 0x800080;
constexpr QRgb kTeal = 0x008080;
constexpr QRgb kSilver = 0xC0C0C0;
constexpr QRgb kGrey = 0x808080;
constexpr QRgb kRed = 0xFF0000;
constexpr QRgb kLime = 0x00FF00;
constexpr QRgb kYellow = 0xFFFF00;
constexpr QRgb kBlue = 0x0000FF;
constexpr QRgb kFuchsia = 0xFF00FF;
constexpr QRgb kAqua = 0x00FFFF;
constexpr QRgb kWhite = 0xFFFFFF;
}  // namespace Vga

// Puts the disabled look beside `normal`: its darker pixels become grey with a white relief
// one pixel down and right, on the see-through colour of the bottom-left pixel.
QImage TwoStateGlyph(const QImage& normal);

}  // namespace artwork
