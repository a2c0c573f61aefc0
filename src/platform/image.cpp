#include "platform/image.h"

#include "system/rect_ops.h"
#include "util/file_system.h"
#include "util/log.h"

bool keslImage::initWithFile(const char* fileName, bool transparentFromTopLeft) {
    if (fileName == nullptr || *fileName == '\0') {
        logWarning("keslImage.initWithFile(): empty filename");
        return false;
    }
    if (!keslFileSystemMini::fileExists(fileName)) {
        logWarning("keslImage.initWithFile: file does not exist:[%s]", fileName);
        return false;
    }
    if (!initWithFile_impl(fileName)) {
        logWarning("keslImage.initWithFile() failed to load:[%s]", fileName);
        return false;
    }
    m_hasTransparentColor = transparentFromTopLeft;
    if (transparentFromTopLeft) {
        m_transparentColor = getPixel(0, 0);
    }
    logInfo("keslImage.initWithFile(%s) OK. W:%i H:%i", fileName, getWidth(), getHeight());
    return true;
}

bool keslImage::inside(int x, int y) {
    return keslContains(keslRect<int>(0, 0, getWidth(), getHeight()), keslPoint<int>{x, y});
}

keslColor keslImage::getPixel(int x, int y) {
    if (!inside(x, y)) {
        return kOutsideColor;
    }
    return keslImagePlatform::getPixel(x, y);
}

void keslImage::setPixel(int x, int y, keslColor color) {
    if (inside(x, y)) {
        keslImagePlatform::setPixel(x, y, color);
    }
}

void keslImage::resizeTo(int width, int height) {
    if (width == getWidth() && height == getHeight()) {
        return;
    }
    resizeTo_impl(width, height);
}

void keslImage::crop(int x, int y, int width, int height) {
    const int currentWidth = getWidth();
    const int currentHeight = getHeight();
    const bool originInside = x >= 0 && y >= 0 && x < currentWidth && y < currentHeight;
    // An empty region would leave no picture at all, so it is refused as well.
    const bool smaller = width > 0 && height > 0 && width < currentWidth && height < currentHeight;
    if (!originInside || !smaller || getSurfaceHandle() == nullptr) {
        return;
    }
    crop_impl(x, y, width, height);
}
