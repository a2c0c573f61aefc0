#include "platform/raster/image_raster.h"

#include "platform/bitmap_reader.h"
#include "system/resource_table.h"
#include "util/log.h"

void keslImageRaster::replaceBitmap(keslPixelSurface&& pixels) {
    if (m_bitmap) {
        pixels.textColor = m_bitmap->textColor;
        pixels.characterExtra = m_bitmap->characterExtra;
    }
    m_bitmap = std::make_unique<keslPixelSurface>(std::move(pixels));
    m_target = m_bitmap.get();
}

bool keslImageRaster::initWithSizeAndColor(int width, int height, keslColor color) {
    if (m_bitmap) {
        logError("keslImageRaster.initWithSizeAndColor() called but the bitmap is not null");
    }
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxBitmapPixels) {
        logError("#8730: keslImageRaster.initWithSizeAndColor(%i, %i): no picture of that size", width, height);
        return false;
    }
    replaceBitmap(keslPixelSurface(width, height));
    m_tools.fillRect(keslRect<int>(0, 0, width, height), color);
    return true;
}

bool keslImageRaster::initWithResource_impl(int resourceNumber) {
    if (m_bitmap) {
        logError("keslImageRaster.initWithResource_impl(%i) called but the bitmap is not null", resourceNumber);
        return false;
    }
    const keslResourceBytes bytes = keslFindResource(keslResourceKind::bitmap, resourceNumber);
    if (!bytes) {
        logError("#4653b: image.initWithResource_impl failed:%i: no such bitmap resource", resourceNumber);
        return false;
    }
    keslBitmapPixels bitmap;
    std::string whyNot;
    if (!keslReadBitmap(bytes.data, bytes.size, bitmap, whyNot)) {
        logError("#4653b: image.initWithResource_impl failed:%i: %s", resourceNumber, whyNot.c_str());
        return false;
    }
    replaceBitmap(keslPixelSurface(bitmap.width, bitmap.height, std::move(bitmap.pixels)));
    return true;
}

bool keslImageRaster::initWithFile_impl(const char* fileName) {
    if (m_bitmap) {
        logError("keslImageRaster.initWithFile(%s) called but the bitmap is not null", fileName);
        return false;
    }
    keslBitmapPixels bitmap;
    std::string whyNot;
    if (!keslReadBitmapFile(fileName, bitmap, whyNot)) {
        logError("#4653: image.loadFromFile failed:%s", fileName);
        logError("        %s", whyNot.c_str());
        return false;
    }
    replaceBitmap(keslPixelSurface(bitmap.width, bitmap.height, std::move(bitmap.pixels)));
    return true;
}

void keslImageRaster::resizeTo_impl(int width, int height) {
    if (!m_bitmap) {
        return;
    }
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxBitmapPixels) {
        logWarning("#8731: keslImageRaster.resizeTo_impl(%i, %i): no picture of that size, kept as it is", width,
                   height);
        return;
    }
    // Nearest source pixel for each target pixel, with lines dropped or
    // repeated as they fall: what StretchBlt does in COLORONCOLOR mode.
    const keslPixelSurface& source = *m_bitmap;
    keslPixelSurface scaled(width, height);
    for (int y = 0; y < height; ++y) {
        const int sy = static_cast<int>(static_cast<long long>(y) * source.height() / height);
        const keslPixel* src = source.row(sy);
        keslPixel* dst = scaled.row(y);
        for (int x = 0; x < width; ++x) {
            dst[x] = src[static_cast<long long>(x) * source.width() / width];
        }
    }
    replaceBitmap(std::move(scaled));
    logInfo("keslImageRaster.resizeTo_impl() exiting with new w=%i, new h=%i", getWidth(), getHeight());
}

void keslImageRaster::crop_impl(int x, int y, int width, int height) {
    if (!m_bitmap) {
        return;
    }
    // A region reaching past the picture's edge gets black there.
    keslPixelSurface cropped(width, height);
    keslPixelSurface* croppedTarget = &cropped;
    keslDrawingToolsRaster(&croppedTarget).drawImage(-x, -y, m_bitmap.get(), x + width, y + height, std::nullopt);
    replaceBitmap(std::move(cropped));
}
