// Tests of the image control: where and how it draws its picture, and its mouse events.
#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QTest>

#include "toolkit/image_control.h"

namespace {

using Scaling = toolkit::ImageControl::Scaling;

constexpr QRgb kBackground = 0xFF00FF00;
constexpr std::uint32_t kPictureColour = 0x3366CC;

// An image control on a parent of a known colour, so that what the control leaves out
// shows that colour in a grab of the parent.
class ImageControlTest : public testing::Test {
  protected:
    void SetUp() override {
        parent.resize(200, 200);
        parent.setAutoFillBackground(true);
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(kBackground));
        parent.setPalette(palette);
        image->move(0, 0);
    }

    QImage grab() { return parent.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QWidget parent;
    toolkit::ImageControl* image = new toolkit::ImageControl(&parent);
};

struct ScalingRow {
    const char* what;
    QSize picture;
    QSize control;
    Scaling scaling;
    QRect drawn;
};

TEST_F(ImageControlTest, DrawsThePictureIntoTheRectangleItsScalingGives) {
    const ScalingRow rows[] = {
        {"stretch", {64, 128}, {33, 73}, Scaling::Stretch, {0, 0, 33, 73}},
        {"stretch larger", {10, 10}, {40, 25}, Scaling::Stretch, {0, 0, 40, 25}},
        {"tall, aspect kept", {64, 128}, {33, 73}, Scaling::Proportional, {0, 0, 33, 66}},
        {"tall, height-bound", {64, 128}, {33, 65}, Scaling::Proportional, {0, 0, 32, 65}},
        {"wide, aspect kept", {100, 50}, {40, 40}, Scaling::Proportional, {0, 0, 40, 20}},
        {"wide, enlarged", {10, 5}, {60, 90}, Scaling::Proportional, {0, 0, 60, 30}},
        {"own size", {20, 10}, {50, 50}, Scaling::None, {0, 0, 20, 10}},
        {"own size, cut off", {80, 80}, {50, 40}, Scaling::None, {0, 0, 50, 40}},
    };
    for (const ScalingRow& row : rows) {
        image->resize(row.control);
        image->SetScaling(row.scaling);
        image->SetPicture(
            raster::Bitmap(row.picture.width(), row.picture.height(), kPictureColour));
        const QImage shown = grab();
        SCOPED_TRACE(row.what);
        const QRect drawn = row.drawn;
        EXPECT_EQ(shown.pixel(drawn.left(), drawn.top()), 0xFF000000 | kPictureColour);
        EXPECT_EQ(shown.pixel(drawn.right(), drawn.bottom()), 0xFF000000 | kPictureColour);
        if (drawn.right() + 1 < row.control.width()) {
            EXPECT_EQ(shown.pixel(drawn.right() + 1, drawn.top()), kBackground);
        }
        if (drawn.bottom() + 1 < row.control.height()) {
            EXPECT_EQ(shown.pixel(drawn.left(), drawn.bottom() + 1), kBackground);
        }
        EXPECT_EQ(image->destinationRect().intersected(image->rect()), drawn);
    }
}

TEST_F(ImageControlTest, SizeToPictureTakesTheSizeOfEveryAssignedPicture) {
    image->resize(105, 105);
    image->SetAutoSize(true);
    image->SetPicture(raster::Bitmap(77, 50));
    EXPECT_EQ(image->size(), QSize(77, 50));
    image->SetPicture(raster::Bitmap(38, 25));
    EXPECT_EQ(image->size(), QSize(38, 25));
    image->SetPicture(raster::Bitmap());
    EXPECT_EQ(image->size(), QSize(38, 25));
}

TEST_F(ImageControlTest, TransparentLeavesOutTheColourOfTheBottomLeftPixel) {
    // Black key, as the wind arrows have it, with one more black pixel inside.
    raster::Bitmap picture(4, 3, 0xFF0000);
    picture.setPixel(0, 2, 0x000000);
    picture.setPixel(2, 1, 0x000000);
    picture.setPixel(3, 0, 0x010000);
    image->resize(4, 3);
    image->SetPicture(picture);

    image->SetTransparent(true);
    QImage shown = grab();
    EXPECT_EQ(shown.pixel(0, 2), kBackground);
    EXPECT_EQ(shown.pixel(2, 1), kBackground);
    EXPECT_EQ(shown.pixel(3, 0), 0xFF010000u);
    EXPECT_EQ(shown.pixel(1, 1), 0xFFFF0000u);

    image->SetTransparent(false);
    shown = grab();
    EXPECT_EQ(shown.pixel(0, 2), 0xFF000000u);
    EXPECT_EQ(shown.pixel(2, 1), 0xFF000000u);
}

TEST_F(ImageControlTest, DownscalesSmoothly) {
    // Alternate black and white columns and rows halve into grey, not into one of them.
    raster::Bitmap picture(1152, 864);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.setPixel(x, y, (x + y) % 2 == 0 ? 0xFFFFFF : 0x000000);
        }
    }
    parent.resize(600, 450);
    image->resize(576, 413);
    image->SetScaling(Scaling::Stretch);
    image->SetPicture(picture);
    const QImage shown = grab();
    for (const QPoint point : {QPoint(10, 10), QPoint(288, 200), QPoint(575, 412)}) {
        const int grey = qGray(shown.pixel(point));
        EXPECT_GT(grey, 60) << point.x() << "," << point.y();
        EXPECT_LT(grey, 195) << point.x() << "," << point.y();
    }
}

TEST_F(ImageControlTest, APartialRepaintDrawsWithinItsPartTheSamePixelsAsAWholeOne) {
    raster::Bitmap picture(1152, 864);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.setPixel(
                x, y, std::uint32_t((x * 7) % 256) << 16 | ((y * 5) % 256) << 8 | ((x ^ y) % 256));
        }
    }
    image->resize(576, 413);
    image->SetScaling(Scaling::Stretch);
    image->SetPicture(picture);
    QImage whole(image->size(), QImage::Format_RGB32);
    image->render(&whole);

    // Into 32-bit pixels the control writes the scaled picture itself, into 24-bit ones it
    // paints it: the same pixels either way.
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGB888}) {
        const QRect part(101, 57, 60, 43);
        QImage partial(image->size(), format);
        partial.fill(Qt::magenta);
        image->render(&partial, part.topLeft(), QRegion(part));
        for (int y = 0; y < whole.height(); y += 3) {
            for (int x = 0; x < whole.width(); x += 3) {
                if (part.contains(x, y)) {
                    ASSERT_EQ(partial.pixel(x, y), whole.pixel(x, y)) << x << "," << y;
                } else {
                    ASSERT_EQ(partial.pixel(x, y), QColor(Qt::magenta).rgb()) << x << "," << y;
                }
            }
        }
    }
}

// Records the region of each paint of a widget.
class PaintRecorder : public QObject {
  public:
    QRegion painted;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

// The exercise window's view: the 1152 x 864 scene stretched over 576 x 413.
class SceneViewTest : public ImageControlTest {
  protected:
    void ShowSceneSizedView() {
        parent.resize(600, 450);
        image->resize(576, 413);
        image->SetScaling(Scaling::Stretch);
        image->SetPicture(raster::Bitmap(1152, 864));
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    }
};

TEST_F(SceneViewTest, InvalidatingAPictureAreaRepaintsOnlyTheControlAreaShowingIt) {
    ASSERT_NO_FATAL_FAILURE(ShowSceneSizedView());
    PaintRecorder recorder;
    image->installEventFilter(&recorder);

    image->Invalidate(raster::Rect{200, 300, 400, 420});
    QCoreApplication::processEvents();

    // Picture x 200..400 is control x 100..200, picture y 300..420 control y 143.4..200.6.
    const QRect shown(QPoint(100, 144), QPoint(199, 200));
    const QRect bounds = recorder.painted.boundingRect();
    EXPECT_TRUE(bounds.contains(shown))
        << bounds.x() << "," << bounds.y() << " " << bounds.width() << "x" << bounds.height();
    EXPECT_TRUE(shown.adjusted(-2, -2, 2, 2).contains(bounds));
}

TEST_F(SceneViewTest, PartsInvalidatedTogetherOnTheSameRowsRepaintNothingBetweenThem) {
    ASSERT_NO_FATAL_FAILURE(ShowSceneSizedView());
    PaintRecorder recorder;
    image->installEventFilter(&recorder);

    raster::ChangedRows left;
    raster::ChangedRows right;
    raster::ChangedRows touching;
    left.include(raster::Rect{100, 300, 140, 340});
    right.include(raster::Rect{900, 310, 940, 360});
    touching.include(raster::Rect{140, 320, 160, 330});
    image->Invalidate({&left, &right, &touching});
    QCoreApplication::processEvents();

    // Control x is half the picture's, control y about 0.478 of it.
    for (const QPoint inside : {QPoint(60, 153), QPoint(460, 160), QPoint(75, 155)}) {
        EXPECT_TRUE(recorder.painted.contains(inside)) << inside.x() << "," << inside.y();
    }
    for (const QPoint between : {QPoint(250, 155), QPoint(100, 155), QPoint(400, 160)}) {
        EXPECT_FALSE(recorder.painted.contains(between)) << between.x() << "," << between.y();
    }
}

class ImageControlMouseTest : public ImageControlTest {
  protected:
    void SetUp() override {
        ImageControlTest::SetUp();
        image->setGeometry(10, 10, 100, 80);
        image->SetPicture(raster::Bitmap(100, 80, 0x808080));
        image->OnClick = [this] { ++clicks; };
        image->OnDblClick = [this] { ++doubleClicks; };
        image->OnMouseMove = [this](Qt::KeyboardModifiers, int x, int y) {
            moves.push_back({x, y});
        };
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    }

    QWindow* window() { return parent.windowHandle(); }

    int clicks = 0;
    int doubleClicks = 0;
    std::vector<QPoint> moves;
};

TEST_F(ImageControlMouseTest, AClickIsAPressAndAReleaseInsideAndADoubleClickAddsOne) {
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(150, 150));
    EXPECT_EQ(clicks, 0);
    QTest::mouseDClick(window(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(ImageControlMouseTest, AControlDisabledByItsClickHandlerIgnoresTheDoubleClick) {
    image->OnClick = [this] {
        ++clicks;
        image->setEnabled(false);
    };
    QTest::mouseDClick(window(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubleClicks, 0);
}

TEST_F(ImageControlMouseTest, ADisabledSeeThroughPictureLetsTheMouseThroughToTheControlBeneath) {
    auto* arrow = new toolkit::ImageControl(&parent);
    arrow->setGeometry(20, 20, 33, 73);
    arrow->SetPicture(raster::Bitmap(64, 128, 0));
    arrow->SetScaling(Scaling::Proportional);
    arrow->SetTransparent(true);
    arrow->setEnabled(false);
    arrow->show();
    int arrowClicks = 0;
    arrow->OnClick = [&] { ++arrowClicks; };

    QTest::mouseMove(window(), QPoint(30, 40));
    QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(30, 40));
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back(), QPoint(20, 30));
    EXPECT_EQ(clicks, 1);

    arrow->setEnabled(true);
    QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(30, 40));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(arrowClicks, 1);
}

}  // namespace
