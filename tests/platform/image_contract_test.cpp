// Images the same on every backend: pixels, sizes, files, resources.
#include "platform/bitmap_files.h"
#include "platform/image.h"
#include "platform/pixel_probe.h"
#include "platform/test_window.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

constexpr keslColor kRed = 0xFF0000FFu;
constexpr keslColor kGreen = 0x00FF00FFu;
constexpr keslColor kBlue = 0x0000FFFFu;
constexpr keslColor kWhite = 0xFFFFFFFFu;
constexpr keslColor kBlack = 0x000000FFu;
constexpr keslColor kKeyGreen = 0x1DFF52FFu;
constexpr int kTestPatternResource = 990;

// Images log what they do; each test keeps its lines to itself.
class ImageContract : public ::testing::Test {
protected:
    LogCapture log;
};

class ImageResources : public ImageContract {};

// Four quadrants of a 2 x 2 picture.
void paintQuadrants(keslImage& image) {
    image.setPixel(0, 0, kRed);
    image.setPixel(1, 0, kGreen);
    image.setPixel(0, 1, kBlue);
    image.setPixel(1, 1, kWhite);
}

TEST_F(ImageContract, WithoutAPictureEverythingIsEmpty) {
    keslImage image;
    EXPECT_EQ(image.getWidth(), 0);
    EXPECT_EQ(image.getHeight(), 0);
    EXPECT_EQ(image.getPixel(0, 0), 0xFFE4B5FFu);
    image.setPixel(0, 0, kRed);
    image.resizeTo(10, 10);
    image.crop(0, 0, 1, 1);
    EXPECT_EQ(image.getWidth(), 0);
}

TEST_F(ImageContract, BlankImageHasItsSizeAndColour) {
    keslImage image;
    ASSERT_TRUE(image.initWithSizeAndColor(7, 5, kBlue));
    EXPECT_EQ(image.getWidth(), 7);
    EXPECT_EQ(image.getHeight(), 5);
    EXPECT_EQ(image.getPixel(6, 4), kBlue);
}

TEST_F(ImageContract, PixelsOutsideReadMoccasinAndIgnoreWrites) {
    keslImage image;
    ASSERT_TRUE(image.initWithSizeAndColor(4, 3, kBlack));
    EXPECT_EQ(image.getPixel(-1, 0), 0xFFE4B5FFu);
    EXPECT_EQ(image.getPixel(4, 0), 0xFFE4B5FFu);
    EXPECT_EQ(image.getPixel(0, 3), 0xFFE4B5FFu);
    image.setPixel(-1, 0, kRed);
    image.setPixel(4, 0, kRed);
    EXPECT_TRUE(findInk(image, kBlack).empty());
}

TEST_F(ImageContract, MultiplyPixelTruncatesAndClampsEachChannel) {
    keslImage image;
    ASSERT_TRUE(image.initWithSizeAndColor(2, 2, makeColor(200, 10, 0)));
    image.multiplyPixel(1, 1, 2.0f, 2.0f, 2.0f);
    EXPECT_EQ(image.getPixel(1, 1), makeColor(255, 20, 0));
    image.multiplyPixel(0, 0, 0.5f, 0.55f, 1.0f);
    EXPECT_EQ(image.getPixel(0, 0), makeColor(100, 5, 0));
}

TEST_F(ImageContract, ResizeByHalfTruncatesOddSides) {
    keslImage image;
    ASSERT_TRUE(image.initWithSizeAndColor(101, 51, kRed));
    image.resizeByFactor(0.5f);
    EXPECT_EQ(image.getWidth(), 50);
    EXPECT_EQ(image.getHeight(), 25);
    EXPECT_EQ(image.getPixel(49, 24), kRed);
}

TEST_F(ImageContract, ResizeToNothingKeepsThePicture) {
    keslImage image;
    ASSERT_TRUE(image.initWithSizeAndColor(10, 4, kRed));
    image.resizeByFactor(0.01f);
    image.resizeTo(0, 4);
    image.resizeTo(-3, -3);
    EXPECT_EQ(image.getWidth(), 10);
    EXPECT_EQ(image.getHeight(), 4);
    EXPECT_EQ(image.getPixel(9, 3), kRed);
}

TEST_F(ImageContract, ResizeRepeatsPixelsWithoutSmoothing) {
    keslImage image;
    ASSERT_TRUE(image.initWithSizeAndColor(2, 2, kBlack));
    paintQuadrants(image);
    image.resizeTo(4, 4);
    EXPECT_EQ(image.getPixel(0, 0), kRed);
    EXPECT_EQ(image.getPixel(1, 1), kRed);
    EXPECT_EQ(image.getPixel(2, 1), kGreen);
    EXPECT_EQ(image.getPixel(1, 2), kBlue);
    EXPECT_EQ(image.getPixel(3, 3), kWhite);
}

TEST_F(ImageContract, ResizeToTheCurrentSizeChangesNothing) {
    keslImage image;
    ASSERT_TRUE(image.initWithSizeAndColor(2, 2, kBlack));
    paintQuadrants(image);
    image.resizeTo(2, 2);
    EXPECT_EQ(image.getPixel(1, 0), kGreen);
    EXPECT_EQ(image.getPixel(0, 1), kBlue);
}

TEST_F(ImageContract, CropKeepsTheRegionStartingAtXY) {
    keslImage image;
    ASSERT_TRUE(image.initWithSizeAndColor(6, 4, kBlack));
    image.setPixel(2, 1, kRed);
    image.setPixel(4, 2, kGreen);
    image.crop(2, 1, 3, 2);
    ASSERT_EQ(image.getWidth(), 3);
    ASSERT_EQ(image.getHeight(), 2);
    EXPECT_EQ(image.getPixel(0, 0), kRed);
    EXPECT_EQ(image.getPixel(2, 1), kGreen);
}

TEST_F(ImageContract, CropRefusesRegionsThatAreNotStrictlyInside) {
    keslImage image;
    ASSERT_TRUE(image.initWithSizeAndColor(6, 4, kBlack));
    image.crop(0, 0, 6, 2);   // full width
    image.crop(0, 0, 2, 4);   // full height
    image.crop(-1, 0, 2, 2);  // origin left of the picture
    image.crop(6, 0, 2, 2);   // origin right of it
    image.crop(0, 0, 0, 2);   // nothing left
    EXPECT_EQ(image.getWidth(), 6);
    EXPECT_EQ(image.getHeight(), 4);
}

TEST_F(ImageContract, DrawTextPaintsIntoTheImage) {
    keslImage image;
    ASSERT_TRUE(image.initWithSizeAndColor(60, 20, kBlack));
    keslTextParams params;
    params.color = kWhite;
    EXPECT_GT(image.drawText(2, 2, "Sky", params), 0);
    EXPECT_FALSE(findInk(image, kBlack).empty());
}

class ImageFiles : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& contents) {
        const std::string path = folder.file(name);
        writeFile(path, contents);
        return path;
    }
    static BitmapPicture threeByTwo(int bitsPerPixel, bool topDown) {
        return BitmapPicture{3, 2, bitsPerPixel, topDown, {kBlack, kRed, kGreen, kBlue, kWhite, makeColor(1, 2, 3)}};
    }
    LogCapture log;
    TempFolder folder;
};

TEST_F(ImageFiles, ReadsTwentyFourAndThirtyTwoBitsBothWaysUp) {
    for (const int bits : {24, 32}) {
        for (const bool topDown : {false, true}) {
            keslImage image;
            const std::string path = write("p.bmp", makeBitmapFile(threeByTwo(bits, topDown)));
            ASSERT_TRUE(image.initWithFile(path.c_str(), false)) << bits << topDown;
            EXPECT_EQ(image.getWidth(), 3);
            EXPECT_EQ(image.getHeight(), 2);
            EXPECT_EQ(image.getPixel(1, 0), kRed) << bits << topDown;
            EXPECT_EQ(image.getPixel(0, 1), kBlue) << bits << topDown;
            EXPECT_EQ(image.getPixel(2, 1), makeColor(1, 2, 3)) << bits << topDown;
            EXPECT_FALSE(image.hasTransparentColor());
        }
    }
}

TEST_F(ImageFiles, TopLeftKeyMakesEveryBlackPixelTransparent) {
    keslImage image;
    const std::string path = write("k.bmp", makeBitmapFile(threeByTwo(24, false)));
    ASSERT_TRUE(image.initWithFile(path.c_str(), true));
    EXPECT_TRUE(image.hasTransparentColor());
    EXPECT_EQ(image.getTransparentColor(), kBlack);

    auto host = makeTestWindow(8, 8);
    host->window().clearWithColor(kGreen);
    image.drawOn(&host->window(), 1, 1);
    EXPECT_EQ(host->window().getPixel(1, 1), kGreen);
    EXPECT_EQ(host->window().getPixel(2, 1), kRed);
}

TEST_F(ImageFiles, MissingOrUnnamedFilesFail) {
    keslImage image;
    EXPECT_FALSE(image.initWithFile(nullptr, false));
    EXPECT_FALSE(image.initWithFile("", false));
    EXPECT_FALSE(image.initWithFile(folder.file("absent.bmp").c_str(), false));
    EXPECT_TRUE(log.contains("keslImage.initWithFile: file does not exist:[" + folder.file("absent.bmp") + "]"));
    EXPECT_FALSE(image.initWithFile(folder.path().c_str(), false));
    EXPECT_EQ(image.getWidth(), 0);
}

TEST_F(ImageFiles, MalformedBitmapsFail) {
    const std::string good = makeBitmapFile(threeByTwo(24, false));
    std::string badOffset = good;
    badOffset[10] = static_cast<char>(0xF0);  // pixels start past the end
    std::string absurd = good;
    absurd[21] = 0x40;  // width of about a billion
    const std::string cases[] = {good.substr(0, good.size() - 5), good.substr(0, 30), "BM", badOffset, absurd,
                                 "not a bitmap at all"};
    int index = 0;
    for (const std::string& contents : cases) {
        keslImage image;
        const std::string path = write("bad" + std::to_string(index) + ".bmp", contents);
        EXPECT_FALSE(image.initWithFile(path.c_str(), false)) << index;
        EXPECT_EQ(image.getWidth(), 0) << index;
        EXPECT_TRUE(log.contains("#4653: image.loadFromFile failed:" + path)) << index;
        ++index;
    }
}

TEST_F(ImageResources, LoadsABitmapResourceByNumber) {
    keslImage image;
    ASSERT_TRUE(image.initWithResource_impl(kTestPatternResource));
    EXPECT_EQ(image.getWidth(), 5);
    EXPECT_EQ(image.getHeight(), 3);
    EXPECT_EQ(image.getPixel(0, 0), kRed);
    EXPECT_EQ(image.getPixel(4, 0), kKeyGreen);
    EXPECT_EQ(image.getPixel(2, 1), makeColor(200, 100, 50));
    EXPECT_EQ(image.getPixel(2, 2), makeColor(250, 240, 230));
    EXPECT_FALSE(image.hasTransparentColor());
}

TEST_F(ImageResources, ASecondLoadFailsAndKeepsThePicture) {
    keslImage image;
    ASSERT_TRUE(image.initWithSizeAndColor(2, 2, kBlue));
    EXPECT_FALSE(image.initWithResource_impl(kTestPatternResource));
    EXPECT_EQ(image.getWidth(), 2);
    EXPECT_EQ(image.getPixel(0, 0), kBlue);
}

TEST_F(ImageResources, AnUnknownNumberFails) {
    keslImage image;
    EXPECT_FALSE(image.initWithResource_impl(31999));
    EXPECT_EQ(image.getWidth(), 0);
    EXPECT_TRUE(log.contains("#4653b: image.initWithResource_impl failed:31999"));
}

}  // namespace
