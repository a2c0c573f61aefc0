// Writes what a raster surface shows to a PNG file: the headless Linux program's
// frames, and pictures for looking at a test failure.
#pragma once

#include "platform/raster/pixel_surface.h"

#include <string>

// False, after a log line, when the file cannot be written.
bool keslWritePng(const keslPixelSurface& surface, const std::string& fileName);
