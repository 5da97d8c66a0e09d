// Tests of the glyph button: where glyph and caption go, which glyph half it shows, and
// its pointer and events.
#include <gtest/gtest.h>

#include <QTest>

#include "toolkit/fonts.h"
#include "toolkit/glyph_button.h"

namespace {

constexpr std::uint32_t kOlive = 0x808000;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF;

// A glyph of solid `colour` with the see-through olive in its bottom-left corner.
toolkit::Bitmap SolidGlyph(int width, int height, std::uint32_t colour) {
    toolkit::Bitmap glyph(width, height, colour);
    glyph.setPixel(0, height - 1, kOlive);
    return glyph;
}

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
    QSize glyph;
    QSize caption;
    QRect expectedGlyph;
    QRect expectedCaption;
};

TEST(GlyphButtonLayout, CentresGlyphAndCaptionTogetherFourPixelsApart) {
    const LayoutRow rows[] = {
        {"glyph and caption", {0, 0, 97, 25}, {17, 12}, {40, 13}, {18, 7, 17, 12}, {39, 6, 40, 13}},
        {"an odd leftover goes right",
         {0, 0, 75, 25},
         {16, 16},
         {30, 13},
         {12, 5, 16, 16},
         {32, 6, 30, 13}},
        {"an offset face", {3, 2, 69, 21}, {16, 16}, {30, 13}, {12, 5, 16, 16}, {32, 6, 30, 13}},
        {"no caption: the glyph alone is centred",
         {0, 0, 42, 41},
         {16, 16},
         {},
         {13, 13, 16, 16},
         {}},
        {"no glyph: the caption alone is centred",
         {0, 0, 75, 25},
         {},
         {30, 13},
         {},
         {22, 6, 30, 13}},
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
        toolkit::InstallFontSubstitutes();
        button.setFont(toolkit::WindowFont());
        button.resize(97, 25);
        button.SetCaption("Начать");
        button.OnClick = [this] { ++clicks; };
    }

    QImage grab() { return button.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    toolkit::GlyphButton button;
    int clicks = 0;
};

TEST_F(GlyphButtonTest, DrawsTheGlyphLeftOfTheCaptionFourPixelsApart) {
    button.SetGlyph(SolidGlyph(17, 12, kRed));
    const QImage shown = grab();
    const QRect glyph = PixelsOf(shown, kRed);
    const toolkit::GlyphButtonLayout layout = button.ContentLayout();
    EXPECT_EQ(glyph, layout.glyph);
    EXPECT_EQ(layout.caption.left(), glyph.right() + 1 + 4);

    // The caption's ink lies right of the gap, and the pair sits in the middle.
    const QImage plain = [&] {
        toolkit::GlyphButton blank;
        blank.setFont(button.font());
        blank.resize(button.size());
        blank.SetGlyph(SolidGlyph(17, 12, kRed));
        return blank.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }();
    int inkLeft = shown.width();
    int inkRight = -1;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = glyph.right() + 1; x < shown.width(); ++x) {
            if (shown.pixel(x, y) != plain.pixel(x, y)) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
        }
    }
    EXPECT_GE(inkLeft, glyph.right() + 1 + 4);
    EXPECT_LE(inkLeft, glyph.right() + 1 + 6);
    EXPECT_LE(std::abs((glyph.left() - 0) - (shown.width() - 1 - inkRight)), 4);
}

TEST_F(GlyphButtonTest, LeavesOutTheColourOfTheGlyphsBottomLeftPixel) {
    toolkit::Bitmap glyph(10, 10, kOlive);
    glyph.setPixel(5, 5, kRed);
    button.SetGlyph(glyph);
    const QImage shown = grab();
    EXPECT_TRUE(PixelsOf(shown, kOlive).isEmpty());
    EXPECT_EQ(PixelsOf(shown, kRed).size(), QSize(1, 1));
}

TEST_F(GlyphButtonTest, ATwoStateGlyphShowsItsRightHalfWhileDisabled) {
    toolkit::Bitmap glyph(32, 16, kRed);
    for (int y = 0; y < 16; ++y) {
        for (int x = 16; x < 32; ++x) {
            glyph.setPixel(x, y, kBlue);
        }
    }
    glyph.setPixel(0, 15, kOlive);
    button.SetGlyph(glyph, 2);

    QImage shown = grab();
    EXPECT_EQ(PixelsOf(shown, kRed).size(), QSize(16, 16));
    EXPECT_TRUE(PixelsOf(shown, kBlue).isEmpty());

    button.setEnabled(false);
    shown = grab();
    EXPECT_TRUE(PixelsOf(shown, kRed).isEmpty());
    EXPECT_EQ(PixelsOf(shown, kBlue).size(), QSize(16, 16));
}

TEST_F(GlyphButtonTest, AOneStateGlyphLooksDifferentWhileDisabled) {
    button.SetGlyph(SolidGlyph(17, 12, kRed));
    button.setEnabled(false);
    const QImage shown = grab();
    EXPECT_TRUE(PixelsOf(shown, kRed).isEmpty());
    const QRect place = button.ContentLayout().glyph;
    const QRgb inside = shown.pixel(place.center());
    EXPECT_LT(std::abs(qRed(inside) - qGreen(inside)), 40) << "a greyed glyph";
}

TEST_F(GlyphButtonTest, AGlyphReplacedAtRunTimeIsShown) {
    button.SetGlyph(SolidGlyph(16, 16, kRed));
    ASSERT_FALSE(PixelsOf(grab(), kRed).isEmpty());
    button.SetGlyph(SolidGlyph(16, 16, kBlue));
    const QImage shown = grab();
    EXPECT_TRUE(PixelsOf(shown, kRed).isEmpty());
    EXPECT_EQ(PixelsOf(shown, kBlue).size(), QSize(16, 16));
}

TEST_F(GlyphButtonTest, WithoutACaptionTheGlyphIsCentred) {
    button.resize(42, 41);
    button.SetCaption("");
    button.SetGlyph(SolidGlyph(16, 16, kRed));
    const QRect glyph = PixelsOf(grab(), kRed);
    EXPECT_LE(std::abs(glyph.left() - (42 - 1 - glyph.right())), 1);
    EXPECT_LE(std::abs(glyph.top() - (41 - 1 - glyph.bottom())), 1);
}

TEST_F(GlyphButtonTest, ShowsAPointingHand) {
    EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(GlyphButtonTest, ClicksAndSpaceRunTheClickHandlerWhileEnabled) {
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
    button.setFocus();
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(clicks, 2);
    button.setEnabled(false);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 2);
}

TEST_F(GlyphButtonTest, MouseMovesWithoutAButtonReachTheMoveHandler) {
    std::vector<QPoint> moves;
    button.OnMouseMove = [&](Qt::KeyboardModifiers, int x, int y) { moves.push_back({x, y}); };
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    QTest::mouseMove(button.windowHandle(), QPoint(20, 12));
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], QPoint(20, 12));
}

}  // namespace
