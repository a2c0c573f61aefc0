#include "platform/raster/png_writer.h"

#include "util/log.h"

#include <png.h>

#include <cstring>
#include <vector>

bool keslWritePng(const keslPixelSurface& surface, const std::string& fileName) {
    if (surface.width() == 0 || surface.height() == 0) {
        logError("#8720: keslWritePng(%s): the surface is empty", fileName.c_str());
        return false;
    }
    std::vector<png_byte> rgb(static_cast<size_t>(surface.width()) * static_cast<size_t>(surface.height()) * 3);
    size_t i = 0;
    for (const keslPixel* p = surface.data(); p != surface.data() + surface.pixelCount(); ++p) {
        rgb[i++] = static_cast<png_byte>(*p >> 16);
        rgb[i++] = static_cast<png_byte>(*p >> 8);
        rgb[i++] = static_cast<png_byte>(*p);
    }
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(surface.width());
    image.height = static_cast<png_uint_32>(surface.height());
    image.format = PNG_FORMAT_RGB;
    if (png_image_write_to_file(&image, fileName.c_str(), 0, rgb.data(), 0, nullptr) == 0) {
        logError("#8721: keslWritePng(%s) failed: %s", fileName.c_str(), image.message);
        png_image_free(&image);
        return false;
    }
    return true;
}
