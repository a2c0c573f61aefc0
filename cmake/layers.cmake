# The code is built as one static library per floor, each linking only the
# floors under it. Each library also sees only its own folders and those of
# the floors under it (through a tree of links in the build folder), so an
# include that points up fails to compile instead of quietly tangling the
# layers. Backend folders join their floor only on their own platform; files
# ending in _main.cpp are program entry points and stay out of the libraries.
#
# A floor: orvanel_layer(<name> DIRS <folders under src> [WIN32_DIRS ...]
#                        [POSIX_DIRS ...] [BELOW <floors>])

set(ORVANEL_LAYER_ROOT ${CMAKE_BINARY_DIR}/layers)
set(ORVANEL_TEST_DIRS "")

function(orvanel_glob_dirs out root)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${root}/${dir}/*.cpp)
    list(APPEND files ${found})
  endforeach()
  list(FILTER files EXCLUDE REGEX "_main\\.cpp$")
  set(${out} ${files} PARENT_SCOPE)
endfunction()

function(orvanel_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "" "DIRS;WIN32_DIRS;POSIX_DIRS;BELOW")
  set(dirs ${LAYER_DIRS})
  if(WIN32)
    list(APPEND dirs ${LAYER_WIN32_DIRS})
  else()
    list(APPEND dirs ${LAYER_POSIX_DIRS})
  endif()
  orvanel_glob_dirs(sources ${CMAKE_SOURCE_DIR}/src ${dirs})

  # The folders this floor may include: its own and every one below.
  set(visible ${LAYER_DIRS})
  foreach(below IN LISTS LAYER_BELOW)
    get_property(below_visible GLOBAL PROPERTY ORVANEL_VISIBLE_${below})
    list(APPEND visible ${below_visible})
  endforeach()
  list(REMOVE_DUPLICATES visible)
  set_property(GLOBAL PROPERTY ORVANEL_VISIBLE_${name} ${visible})

  set(include_root ${ORVANEL_LAYER_ROOT}/${name})
  file(REMOVE_RECURSE ${include_root})
  file(MAKE_DIRECTORY ${include_root})
  foreach(dir IN LISTS visible)
    if(NOT dir MATCHES "/")
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${dir} ${include_root}/${dir} SYMBOLIC)
    endif()
  endforeach()

  add_library(orvanel_${name} STATIC ${sources})
  target_include_directories(orvanel_${name} PUBLIC ${include_root})
  foreach(below IN LISTS LAYER_BELOW)
    target_link_libraries(orvanel_${name} PUBLIC orvanel_${below})
  endforeach()

  set(test_dirs ${ORVANEL_TEST_DIRS} ${dirs})
  set(ORVANEL_TEST_DIRS ${test_dirs} PARENT_SCOPE)
endfunction()

function(orvanel_collect_tests out)
  orvanel_glob_dirs(files ${CMAKE_SOURCE_DIR}/tests ${ORVANEL_TEST_DIRS} support)
  set(${out} ${files} PARENT_SCOPE)
endfunction()
