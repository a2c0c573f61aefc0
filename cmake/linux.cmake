find_package(PkgConfig REQUIRED)
pkg_check_modules(ORVANEL_RASTER REQUIRED IMPORTED_TARGET freetype2 fontconfig libpng)
target_link_libraries(orvanel_platform PUBLIC PkgConfig::ORVANEL_RASTER)
# The usage statistics post through libcurl.
pkg_check_modules(ORVANEL_CURL REQUIRED IMPORTED_TARGET libcurl)
target_link_libraries(orvanel_net PUBLIC PkgConfig::ORVANEL_CURL)
# Sounds go to the user's PulseAudio (or PipeWire) server.
pkg_check_modules(ORVANEL_PULSE REQUIRED IMPORTED_TARGET libpulse-simple)
target_link_libraries(orvanel_system PUBLIC PkgConfig::ORVANEL_PULSE)
# The X11 host shows frames with XPutImage, through MIT-SHM (Xext) when offered,
# holds off the X server's screensaver through its extension (Xss), and asks
# RandR (Xinerama as the fallback) for the monitors under the root window.
pkg_check_modules(ORVANEL_X11 REQUIRED IMPORTED_TARGET x11 xext xscrnsaver xrandr xinerama)
target_link_libraries(orvanel_app PUBLIC PkgConfig::ORVANEL_X11)
include(cmake/wayland.cmake)
include(cmake/resources.cmake)

add_executable(orvanel src/app/linux/orvanel_main.cpp)
target_link_libraries(orvanel PRIVATE orvanel_core)
orvanel_copy_translations(orvanel)
