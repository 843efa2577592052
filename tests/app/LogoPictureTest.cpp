#include "app/AppFixture.h"

#include "app/AppFiles.h"
#include "app/LogoPicture.h"
#include "platform/ui/JpegPicture.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>

namespace {

class LogoPictureTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        // The real modal loop: the window must close itself.
        SetModalRunner({});
    }
};

}  // namespace

TEST(AppFiles, PictureNameFollowsTheExecutable) {
    EXPECT_EQ(PicturePathOf("/opt/v/Valdorine"), "/opt/v/Valdorine.jpg");
    EXPECT_EQ(PicturePathOf("/opt/v/VALDORINE.EXE"), "/opt/v/VALDORINE.jpg");
    EXPECT_EQ(PicturePathOf("/opt/v.d/Valdorine"), "/opt/v.d/Valdorine.jpg");
    EXPECT_EQ(PicturePathOf("Valdorine.bin"), "Valdorine.jpg");
}

TEST(ShippedPicture, DecodesTo565By335) {
    const QImage picture = LoadJpegPicture(std::filesystem::path(SOURCE_ROOT) / "src/app/pictures/Valdorine.jpg");
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(565, 335));
    // Top left: the pale green of the sky, as drawn.
    const QColor corner = picture.pixelColor(10, 10);
    EXPECT_NEAR(corner.red(), 235, 12);
    EXPECT_NEAR(corner.green(), 243, 12);
    EXPECT_NEAR(corner.blue(), 227, 12);
}

TEST_F(LogoPictureTest, WithoutPictureTheWindowIsSkipped) {
    TLogoPictureForm logo;
    EXPECT_FALSE(logo.HasPicture());
}

TEST_F(LogoPictureTest, TheWindowTakesThePicturesSize) {
    ShipPicture();
    TLogoPictureForm logo;
    ASSERT_TRUE(logo.HasPicture());
    EXPECT_EQ(logo.size(), QSize(565, 335));
    auto* image = logo.FindComponentAs<QLabel>(QStringLiteral("Image1"));
    EXPECT_EQ(image->size(), QSize(565, 335));
    EXPECT_EQ(image->pixmap().size(), QSize(565, 335));
    EXPECT_TRUE(logo.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(logo.Timer1().interval(), 3000);
    EXPECT_TRUE(logo.Timer1().isActive());
    EXPECT_EQ(logo.Timer1().objectName(), QStringLiteral("Timer1"));
}

TEST_F(LogoPictureTest, TheTimerClosesTheWindow) {
    ShipPicture();
    const int previous = SetLogoPictureInterval(50);
    TLogoPictureForm logo;
    SetLogoPictureInterval(previous);
    QElapsedTimer clock;
    clock.start();
    logo.ShowModal();
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_FALSE(logo.isVisible());
}

TEST_F(LogoPictureTest, AClickClosesItAtOnce) {
    ShipPicture();
    TLogoPictureForm logo;
    auto* image = logo.FindComponentAs<QLabel>(QStringLiteral("Image1"));
    QTimer::singleShot(0, image, [image] { QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(100, 100)); });
    QElapsedTimer clock;
    clock.start();
    logo.ShowModal();
    EXPECT_LT(clock.elapsed(), 2500);
    EXPECT_FALSE(logo.Timer1().isActive());
}
