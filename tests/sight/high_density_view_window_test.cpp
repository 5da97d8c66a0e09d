// The view on a high-density screen: run with QT_SCALE_FACTOR=2 (see tests/CMakeLists.txt),
// where the layout doubles as a whole and the view shows the scene with its physical pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "toolkit/image_control.h"
#include "ui/exercise_window.h"
#include "ui/forms.h"
#include "ui/mode_window.h"
#include "window_test_support.h"

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr int kNearlyWhite = 250;

// The high-density run asks Qt for a scale factor of 2; there these tests must really get
// it, so a scale factor Qt ignored fails them instead of skipping them.
bool HighDensityRun() {
    return qgetenv("QT_SCALE_FACTOR") == "2";
}

QImage Grab(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(HighDensityImageControlTest, AOnePixelLineOfTheSceneStaysOneHardBlackPhysicalColumn) {
    if (!HighDensityRun()) {
        GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    }
    ASSERT_EQ(qApp->devicePixelRatio(), 2.0);
    // The scene's size in the view's size, with one black column at an odd picture x, where
    // a downscale to logical pixels would have to share it with its white neighbour.
    constexpr int kLine = 301;
    raster::Bitmap picture(1152, 864, 0xFFFFFF);
    for (int y = 0; y < picture.height(); ++y) {
        picture.setPixel(kLine, y, 0x000000);
    }
    QWidget parent;
    parent.resize(600, 450);
    auto* view = new toolkit::ImageControl(&parent);
    view->setGeometry(8, 8, 576, 413);
    view->SetScaling(toolkit::ImageControl::Scaling::Stretch);
    view->SetPicture(picture);

    const QImage shown = Grab(view);
    ASSERT_EQ(shown.size(), QSize(1152, 826));
    for (int row = 0; row < shown.height(); row += 25) {
        SCOPED_TRACE(testing::Message() << "physical row " << row);
        EXPECT_EQ(shown.pixel(kLine, row), kBlack);
        // Smoothing may leave a trace of the black beside it, never a grey half of it.
        EXPECT_GE(qGray(shown.pixel(kLine - 1, row)), kNearlyWhite);
        EXPECT_GE(qGray(shown.pixel(kLine + 1, row)), kNearlyWhite);
    }
}

class HighDensityViewTest : public ProgramTest {
  protected:
    void SetUp() override {
        if (!HighDensityRun()) {
            GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
        }
        ASSERT_EQ(qApp->devicePixelRatio(), 2.0);
        ProgramTest::SetUp();
        started_ = true;
        QTest::mouseClick(Form4->BitBtn1, Qt::LeftButton);
        QTest::mouseClick(Form2->BitBtn1, Qt::LeftButton);
        Form2->Tmr1->Tick();
        Form2->Tmr1->Tick();
    }
    void TearDown() override {
        if (started_) {
            ProgramTest::TearDown();
        }
    }

    bool started_ = false;

    static void moveOver(QPoint mouse) {
        QMouseEvent move(QEvent::MouseMove, QPointF(mouse),
                         QPointF(Form2->SeeImage->mapToGlobal(mouse)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(Form2->SeeImage, &move);
    }
};

TEST_F(HighDensityViewTest, TheReticleLinesStayBlackColumnsBesideAnUndarkenedScene) {
    const QPoint mouse(300, 200);
    moveOver(mouse);
    const QImage shown = Grab(Form2->SeeImage);
    // 576 x 413 logical pixels are 1152 x 826 physical ones: the scene's full width.
    ASSERT_EQ(shown.size(), QSize(1152, 826));

    const raster::Bitmap& reticle = Form2->setka->Picture();
    const raster::Bitmap& view = Form2->SeeImage->Picture();
    const int left = 2 * mouse.x() - reticle.width() / 2;
    const int top = 2 * mouse.y() - reticle.height() / 2;
    // The vertical line under the reticle's centre: picture columns 220..222, rows 262..323
    // of the reticle, white on both sides.
    ASSERT_EQ(reticle.pixel(219, 300), 0xFFFFFFu);
    ASSERT_EQ(reticle.pixel(223, 300), 0xFFFFFFu);
    for (int y = 264; y <= 321; ++y) {
        const int row = (top + y) * shown.height() / view.height();
        SCOPED_TRACE(testing::Message() << "reticle row " << y);
        for (int x = 220; x <= 222; ++x) {
            ASSERT_EQ(reticle.pixel(x, y), 0u);
            EXPECT_EQ(shown.pixel(left + x, row), kBlack);
        }
        // The scene beside the line keeps its brightness instead of taking part of the black.
        for (const int x : {219, 223}) {
            const int scene = qGray(QRgb(view.pixel(left + x, top + y)));
            EXPECT_GE(qGray(shown.pixel(left + x, row)), scene * 3 / 4);
        }
    }
}

TEST_F(HighDensityViewTest, APartialRepaintDrawsTheSamePhysicalPixelsAsAWholeOne) {
    moveOver({300, 200});
    toolkit::ImageControl* view = Form2->SeeImage;
    QImage whole(view->size() * 2, QImage::Format_RGB32);
    whole.setDevicePixelRatio(2);
    view->render(&whole);

    // An odd place and size, so the part starts and ends between picture rows.
    const QRect part(101, 57, 61, 43);
    QImage partial(view->size() * 2, QImage::Format_RGB32);
    partial.setDevicePixelRatio(2);
    partial.fill(Qt::magenta);
    view->render(&partial, part.topLeft(), QRegion(part));
    for (int y = 0; y < whole.height(); ++y) {
        for (int x = 0; x < whole.width(); ++x) {
            const bool inside = part.contains(x / 2, y / 2);
            ASSERT_EQ(partial.pixel(x, y), inside ? whole.pixel(x, y) : QColor(Qt::magenta).rgb())
                << x << "," << y;
        }
    }
}

}  // namespace
