// Tests of the glyph button: where glyph and caption go, which glyph half it shows, and
// its pointer and click.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "toolkit/fonts.h"
#include "toolkit/glyph_button.h"

namespace {

constexpr std::uint32_t kOlive = 0x808000;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF;

// The bounding box of the pixels of exactly `colour`, empty when there are none.
QRect PixelsOf(const QImage& image, std::uint32_t colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == colour) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

struct LayoutRow {
    const char* what;
    QRect face;
    QSize glyph, caption;
    QRect expectedGlyph, expectedCaption;
};

TEST(GlyphButtonLayout, CentresGlyphAndCaptionTogetherFourPixelsApart) {
    const LayoutRow rows[] = {
        {"both", {0, 0, 97, 25}, {17, 12}, {40, 13}, {18, 7, 17, 12}, {39, 6, 40, 13}},
        {"odd leftover", {0, 0, 75, 25}, {16, 16}, {30, 13}, {12, 5, 16, 16}, {32, 6, 30, 13}},
        {"offset face", {3, 2, 69, 21}, {16, 16}, {30, 13}, {12, 5, 16, 16}, {32, 6, 30, 13}},
        {"glyph alone", {0, 0, 42, 41}, {16, 16}, {}, {13, 13, 16, 16}, {}},
        {"caption alone", {0, 0, 75, 25}, {}, {30, 13}, {}, {22, 6, 30, 13}},
    };
    for (const LayoutRow& row : rows) {
        const toolkit::GlyphButtonLayout layout =
            toolkit::LayOutGlyphAndCaption(row.face, row.glyph, row.caption);
        EXPECT_EQ(layout.glyph, row.expectedGlyph) << row.what;
        EXPECT_EQ(layout.caption, row.expectedCaption) << row.what;
    }
}

class GlyphButtonTest : public testing::Test {
  protected:
    void SetUp() override {
        button.setFont(toolkit::WindowFont());
        button.resize(97, 25);
        button.SetCaption("Начать");
        button.OnClick = [this] { ++clicks; };
    }

    QImage grab() { return button.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    toolkit::GlyphButton button;
    int clicks = 0;
};

TEST_F(GlyphButtonTest, DrawsTheGlyphWithoutItsKeyColourFourPixelsLeftOfTheCaption) {
    raster::Bitmap glyph(17, 12, kRed);
    glyph.setPixel(0, 11, kOlive);
    glyph.setPixel(8, 0, kOlive);
    button.SetGlyph(glyph);
    const QImage shown = grab();
    const toolkit::GlyphButtonLayout layout = button.ContentLayout();
    EXPECT_EQ(PixelsOf(shown, kRed), layout.glyph);
    EXPECT_TRUE(PixelsOf(shown, kOlive).isEmpty());
    EXPECT_EQ(layout.caption.left(), layout.glyph.right() + 1 + 4);

    // Nothing but the face lies in the gap; the caption's ink starts right of it.
    toolkit::GlyphButton blank;
    blank.resize(button.size());
    const QImage face = blank.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int inkedColumns = 0;
    for (int x = layout.glyph.right() + 1; x <= layout.caption.right(); ++x) {
        int ink = 0;
        for (int y = layout.caption.top(); y <= layout.caption.bottom(); ++y) {
            ink += shown.pixel(x, y) != face.pixel(x, y) ? 1 : 0;
        }
        EXPECT_TRUE(x >= layout.caption.left() || ink == 0) << "ink in the gap at " << x;
        inkedColumns += ink > 0 ? 1 : 0;
    }
    EXPECT_GT(inkedColumns, layout.caption.width() / 2);
}

TEST_F(GlyphButtonTest, ATwoStateGlyphShowsItsRightHalfWhileDisabled) {
    raster::Bitmap glyph(32, 16, kRed);
    for (int y = 0; y < 16; ++y) {
        for (int x = 16; x < 32; ++x) {
            glyph.setPixel(x, y, kBlue);
        }
    }
    glyph.setPixel(0, 15, kOlive);
    button.SetGlyph(glyph, 2);
    EXPECT_EQ(PixelsOf(grab(), kRed).size(), QSize(16, 16));
    EXPECT_TRUE(PixelsOf(grab(), kBlue).isEmpty());

    button.setEnabled(false);
    EXPECT_TRUE(PixelsOf(grab(), kRed).isEmpty());
    EXPECT_EQ(PixelsOf(grab(), kBlue).size(), QSize(16, 16));
}

TEST_F(GlyphButtonTest, AOneStateGlyphIsGreyedWhileDisabled) {
    raster::Bitmap glyph(17, 12, kRed);
    glyph.setPixel(0, 11, kOlive);
    button.SetGlyph(glyph);
    button.setEnabled(false);
    const QImage shown = grab();
    EXPECT_TRUE(PixelsOf(shown, kRed).isEmpty());
    const QRgb inside = shown.pixel(button.ContentLayout().glyph.center());
    EXPECT_LT(std::abs(qRed(inside) - qGreen(inside)), 40);
}

TEST_F(GlyphButtonTest, ShowsAPointingHandAndClicksWithMouseAndSpaceWhileEnabled) {
    EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
    button.setFocus();
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(clicks, 2);
    button.setEnabled(false);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 2);
    // The program moves the keyboard focus on between the press and the release (a timer's
    // handler): the click still counts.
    QWidget window;
    auto* held = new toolkit::GlyphButton(&window);
    auto* field = new QLineEdit(&window);
    field->move(0, 40);
    held->OnClick = [this] { ++clicks; };
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::mousePress(held, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_TRUE(held->hasFocus());
    field->setFocus(Qt::OtherFocusReason);
    QTest::mouseRelease(held, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 3);
    EXPECT_FALSE(held->isDown());
}

}  // namespace
