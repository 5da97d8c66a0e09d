// Tests of the label that sizes itself to its text.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "toolkit/fonts.h"
#include "toolkit/static_text.h"

namespace {

TEST(StaticText, GrowsAndShrinksWithItsText) {
    toolkit::StaticText label;
    label.setFont(toolkit::DesignFont("MS Sans Serif", 24, true));
    label.SetCaption("0");
    const QSize designed = label.size();

    label.SetCaption("10");
    EXPECT_GT(label.width(), designed.width());
    EXPECT_EQ(label.height(), designed.height());

    label.SetCaption("0");
    EXPECT_EQ(label.size(), designed);
}

TEST(StaticText, FitsItsTextExactlyInItsFont) {
    const QFont fonts[] = {toolkit::WindowFont(), toolkit::DesignFont("MS Sans Serif", 32, true),
                           toolkit::DesignFont("Arial Black", 16, false, true)};
    for (const QFont& font : fonts) {
        toolkit::StaticText label;
        label.setFont(font);
        label.SetCaption("Попаданий");
        const QFontMetrics metrics(font);
        SCOPED_TRACE(font.toString().toStdString());
        EXPECT_GE(label.width(), metrics.horizontalAdvance("Попаданий"));
        EXPECT_LE(label.width(),
                  metrics.horizontalAdvance("Попаданий") + metrics.averageCharWidth());
        EXPECT_EQ(label.height(), metrics.height());
    }
}

TEST(StaticText, RefitsWhenItsFontChangesAfterTheText) {
    toolkit::StaticText label;
    // Starts in the windows' small font: the platform's default differs (12 points on Qt 5's
    // offscreen platform, 9 on Qt 6's).
    label.setFont(toolkit::WindowFont());
    label.SetCaption("Осталось");
    const int smallWidth = label.width();
    label.setFont(toolkit::DesignFont("Arial Black", 16, false, true));
    EXPECT_GT(label.width(), smallWidth);
    EXPECT_EQ(label.height(), QFontMetrics(label.font()).height());
}

TEST(StaticText, AnItalicHeavyCaptionIsNotCutOff) {
    toolkit::StaticText label;
    label.setFont(toolkit::DesignFont("Arial Black", 16, false, true));
    label.SetCaption("Попыток");
    const QFontMetrics metrics(label.font());
    EXPECT_GE(label.width(), metrics.boundingRect("Попыток").right() + 1);
}

}  // namespace
