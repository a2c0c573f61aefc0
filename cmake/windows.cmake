# Windows modules link the C and C++ runtimes statically so that they import
# nothing but the system's own DLLs.
target_compile_definitions(orvanel_system PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
target_link_libraries(orvanel_system PUBLIC comctl32 shell32 user32 gdi32 msimg32 winmm kernel32 advapi32)
# The configuration sheet: the colour chooser and the unthemed controls.
target_link_libraries(orvanel_settings PUBLIC comdlg32 uxtheme comctl32 shell32)
add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(ORVANEL_SCR_NAME Orvanel64)
else()
  set(ORVANEL_SCR_NAME Orvanel)
endif()

# windres does not report what the script includes, so the build names it.
file(GLOB ORVANEL_RC_INPUTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc ${CMAKE_SOURCE_DIR}/resources/icons/*.ico
     ${CMAKE_SOURCE_DIR}/resources/orvanel.manifest)
set_source_files_properties(resources/orvanel.rc PROPERTIES OBJECT_DEPENDS "${ORVANEL_RC_INPUTS}")

add_executable(orvanel_scr WIN32 src/app/win32/scr_main.cpp resources/orvanel.rc)
set_target_properties(orvanel_scr PROPERTIES OUTPUT_NAME ${ORVANEL_SCR_NAME} SUFFIX ".scr")
target_link_libraries(orvanel_scr PRIVATE orvanel_core)
orvanel_copy_translations(orvanel_scr)
# The exported dialog procedure keeps its plain name (no stdcall decoration).
target_link_options(orvanel_scr PRIVATE -Wl,--kill-at)

# The GDI frame timing (bench/): a console program run under Wine.
add_executable(orvanel_gdi_frame_bench bench/gdi_frame_main.cpp resources/orvanel.rc)
target_link_libraries(orvanel_gdi_frame_bench PRIVATE orvanel_core)
target_link_options(orvanel_gdi_frame_bench PRIVATE -mconsole)
