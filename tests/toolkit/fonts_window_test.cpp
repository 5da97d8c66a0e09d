// Tests that the design's fonts resolve to installed faces with Cyrillic glyphs.
#include <gtest/gtest.h>

#include <QFontInfo>

#include "toolkit/fonts.h"

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

}  // namespace
