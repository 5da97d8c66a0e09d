// Tests that the design's fonts, and the windows' controls in them, resolve to installed faces
// with Cyrillic glyphs at their designed pixel sizes.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QWidget>

#include "toolkit/fonts.h"
#include "ui/completion_dialog.h"
#include "ui/exercise_window.h"
#include "ui/forms.h"
#include "ui/mode_window.h"
#include "window_test_support.h"

namespace {

struct ResolvedFont {
    QFont font;
    QString family;
    int pixelSize;
    int weight;
    bool italic;
};

TEST(Fonts, DesignFamiliesResolveToTheirStandIns) {
    toolkit::InstallFontSubstitutes();
    const ResolvedFont cases[] = {
        {toolkit::WindowFont(), "Liberation Sans", 11, QFont::Normal, false},
        {toolkit::DesignFont("MS Sans Serif", 24, true), "Liberation Sans", 24, QFont::Bold, false},
        {toolkit::DesignFont("Arial Black", 16, false, true), "Roboto", 16, QFont::Black, true},
        {toolkit::DesignFont("Arial Black", 19, false, true), "Roboto", 19, QFont::Black, true},
    };
    for (const ResolvedFont& row : cases) {
        const QFontInfo resolved(row.font);
        SCOPED_TRACE(row.font.toString().toStdString());
        EXPECT_EQ(resolved.family(), row.family);
        EXPECT_EQ(resolved.pixelSize(), row.pixelSize);
        EXPECT_EQ(resolved.weight(), row.weight);
        EXPECT_EQ(resolved.italic(), row.italic);
    }
}

struct ControlFont {
    const char* control;
    const QWidget* widget;
    QString family;
    int pixelSize;
    int weight;
    bool italic;
};

class WindowFonts : public ProgramTest {};

TEST_F(WindowFonts, ControlsOfTheWindowsShowTheirDesignedFacesAtTheirPixelSizes) {
    const ControlFont cases[] = {
        {"Form2 StaticText1", Form2->StaticText1, "Roboto", 16, QFont::Black, true},
        {"Form2 StaticText6", Form2->StaticText6, "Liberation Sans", 32, QFont::Bold, false},
        {"Form2 StaticText3", Form2->StaticText3, "Liberation Sans", 24, QFont::Bold, false},
        {"Form2 SpinEdit1", Form2->SpinEdit1, "Liberation Sans", 24, QFont::Normal, false},
        {"Form2 BitBtn1", Form2->BitBtn1, "Liberation Sans", 11, QFont::Normal, false},
        {"Form3 StaticText7", Form3->StaticText7, "Liberation Sans", 24, QFont::Bold, false},
        {"Form3 StaticText2", Form3->StaticText2, "Liberation Sans", 32, QFont::Normal, false},
        {"Form3 StaticText3", Form3->StaticText3, "Liberation Sans", 19, QFont::Normal, false},
        {"Form4 StaticText1", Form4->StaticText1, "Roboto", 19, QFont::Black, true},
        {"Form4 RadioGroup1", Form4->RadioGroup1, "Roboto", 16, QFont::Black, true},
        {"Form4 BitBtn2", Form4->BitBtn2, "Liberation Sans", 11, QFont::Normal, false},
    };
    for (const ControlFont& row : cases) {
        SCOPED_TRACE(row.control);
        const QFontInfo resolved = row.widget->fontInfo();
        EXPECT_EQ(resolved.family(), row.family);
        EXPECT_EQ(resolved.pixelSize(), row.pixelSize);
        EXPECT_EQ(resolved.weight(), row.weight);
        EXPECT_EQ(resolved.italic(), row.italic);
    }
}

}  // namespace
