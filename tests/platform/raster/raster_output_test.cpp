// What the Linux host takes from a raster window: presented frames and PNG files.
#include "platform/raster/png_writer.h"
#include "platform/window.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

#include <png.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

class RasterWindow : public ::testing::Test {
protected:
    LogCapture log;
};

TEST_F(RasterWindow, FlushPresentsWhatTheWindowShows) {
    keslWindow window(4, 3);
    int presented = 0;
    keslPixel seen = 0;
    window.setPresenter([&](const keslPixelSurface& shown) {
        ++presented;
        seen = shown.at(1, 1);
    });
    window.clearWithColor(0x11223344u);
    window.flush();
    EXPECT_EQ(presented, 1);
    EXPECT_EQ(seen, 0x112233u);
}

TEST_F(RasterWindow, PngHoldsThePixelsOfTheSurface) {
    keslWindow window(3, 2);
    window.clearWithColor(0x0000FFFFu);
    window.setPixel(2, 1, 0xFF8000FFu);
    window.flush();
    TempFolder folder;
    const std::string path = folder.file("frame.png");
    ASSERT_TRUE(keslWritePng(window.shownSurface(), path));

    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_file(&image, path.c_str()), 0);
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_NE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr), 0);
    EXPECT_EQ(image.width, 3u);
    EXPECT_EQ(image.height, 2u);
    EXPECT_EQ(rgb[2], 0xFF);              // (0, 0) blue
    EXPECT_EQ(rgb[5 * 3 + 0], 0xFF);      // (2, 1) orange
    EXPECT_EQ(rgb[5 * 3 + 1], 0x80);
}

TEST_F(RasterWindow, PngOfAnEmptySurfaceOrAnUnwritablePathFails) {
    EXPECT_FALSE(keslWritePng(keslPixelSurface(), "/tmp/never.png"));
    EXPECT_FALSE(keslWritePng(keslPixelSurface(2, 2), "/no/such/folder/frame.png"));
}

}  // namespace
