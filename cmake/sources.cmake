# Every subsystem folder is globbed, so adding a file never means editing the
# build. Backend folders join only on their own platform; files ending in
# _main.cpp are program entry points and stay out of the core library.
set(ORVANEL_PORTABLE_DIRS app world sprites moon quotes settings telemetry net platform util)
if(WIN32)
  set(ORVANEL_BACKEND_DIRS app/win32 platform/gdi platform/win32 net/win32 settings/win32)
else()
  set(ORVANEL_BACKEND_DIRS app/linux platform/raster platform/posix net/posix)
endif()

function(orvanel_glob_dirs out root)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${root}/${dir}/*.cpp)
    list(APPEND files ${found})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

function(orvanel_collect_sources out)
  orvanel_glob_dirs(files ${CMAKE_SOURCE_DIR}/src ${ORVANEL_PORTABLE_DIRS} ${ORVANEL_BACKEND_DIRS})
  list(FILTER files EXCLUDE REGEX "_main\\.cpp$")
  set(${out} ${files} PARENT_SCOPE)
endfunction()

function(orvanel_collect_tests out)
  set(test_dirs)
  foreach(dir IN LISTS ORVANEL_PORTABLE_DIRS ORVANEL_BACKEND_DIRS)
    list(APPEND test_dirs ${dir})
  endforeach()
  orvanel_glob_dirs(files ${CMAKE_SOURCE_DIR}/tests ${test_dirs} support)
  list(FILTER files EXCLUDE REGEX "_main\\.cpp$")
  set(${out} ${files} PARENT_SCOPE)
endfunction()
