# The Wayland host speaks three protocols beyond the core: layer-shell (its
# description is kept in the tree, Debian packages none), xdg-output (where
# each output lies on the desktop) and xdg-shell (layer-shell's popups name
# it). Their client code is generated at build time by wayland-scanner and
# compiled beside the app floor, the only one that includes Wayland headers.
pkg_check_modules(ORVANEL_WAYLAND REQUIRED IMPORTED_TARGET wayland-client)
pkg_get_variable(ORVANEL_WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
pkg_get_variable(ORVANEL_WAYLAND_SCANNER wayland-scanner wayland_scanner)
if(NOT ORVANEL_WAYLAND_PROTOCOLS_DIR OR NOT ORVANEL_WAYLAND_SCANNER)
  message(FATAL_ERROR "wayland-protocols and wayland-scanner are needed (scripts/setup.sh installs them)")
endif()

set(ORVANEL_WAYLAND_GENERATED ${CMAKE_BINARY_DIR}/wayland-protocols)
file(MAKE_DIRECTORY ${ORVANEL_WAYLAND_GENERATED})
set(ORVANEL_WAYLAND_XMLS
  ${CMAKE_SOURCE_DIR}/src/app/wayland/protocols/wlr-layer-shell-unstable-v1.xml
  ${ORVANEL_WAYLAND_PROTOCOLS_DIR}/unstable/xdg-output/xdg-output-unstable-v1.xml
  ${ORVANEL_WAYLAND_PROTOCOLS_DIR}/stable/xdg-shell/xdg-shell.xml)

# The generated header and code of each protocol description, as sources.
function(orvanel_wayland_protocol_sources out)
  set(sources)
  foreach(xml IN LISTS ARGN)
    get_filename_component(name ${xml} NAME_WE)
    set(header ${ORVANEL_WAYLAND_GENERATED}/${name}-client-protocol.h)
    set(code ${ORVANEL_WAYLAND_GENERATED}/${name}-protocol.c)
    add_custom_command(
      OUTPUT ${header} ${code}
      COMMAND ${ORVANEL_WAYLAND_SCANNER} client-header ${xml} ${header}
      COMMAND ${ORVANEL_WAYLAND_SCANNER} private-code ${xml} ${code}
      DEPENDS ${xml}
      COMMENT "wayland-scanner ${name}")
    list(APPEND sources ${header} ${code})
  endforeach()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

orvanel_wayland_protocol_sources(ORVANEL_WAYLAND_SOURCES ${ORVANEL_WAYLAND_XMLS})
# A library of its own, so the checks' Wayland test window can use it too.
add_library(orvanel_wayland_protocols STATIC ${ORVANEL_WAYLAND_SOURCES})
target_include_directories(orvanel_wayland_protocols PUBLIC ${ORVANEL_WAYLAND_GENERATED})
target_link_libraries(orvanel_wayland_protocols PUBLIC PkgConfig::ORVANEL_WAYLAND)
target_link_libraries(orvanel_app PUBLIC orvanel_wayland_protocols)
