# cmake -DRESOURCE_DIR=... -DOUTPUT=... -P generate_resource_table.cmake
cmake_minimum_required(VERSION 3.25)
# Writes a C++ file defining keslFindResource over every bitmap and sound.
file(GLOB bitmaps ${RESOURCE_DIR}/bitmaps/*.bmp)
file(GLOB sounds ${RESOURCE_DIR}/sounds/*.wav)
list(SORT bitmaps)
list(SORT sounds)

set(arrays "")
set(entries "")
set(seen "")
foreach(kind bitmap sound)
  if(kind STREQUAL "bitmap")
    set(files ${bitmaps})
  else()
    set(files ${sounds})
  endif()
  foreach(file IN LISTS files)
    get_filename_component(name ${file} NAME)
    if(NOT name MATCHES "^([0-9]+)([-_.])")
      message(FATAL_ERROR "Resource ${file}: the file name must start with its numeric id")
    endif()
    set(id ${CMAKE_MATCH_1})
    math(EXPR id "${id}")
    if("${kind}${id}" IN_LIST seen)
      message(FATAL_ERROR "Resource ${file}: ${kind} id ${id} is used twice")
    endif()
    list(APPEND seen "${kind}${id}")
    file(READ ${file} hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    # Break the initialiser into lines so the compiler sees no giant line.
    string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
    string(APPEND arrays "// ${name}\nconst unsigned char k_${kind}_${id}[] = {\n${bytes}};\n\n")
    string(APPEND entries "    {keslResourceKind::${kind}, ${id}, k_${kind}_${id}, sizeof(k_${kind}_${id})},\n")
  endforeach()
endforeach()

file(WRITE ${OUTPUT}.tmp
"// Generated from resources/ at build time; do not edit.
#include \"system/resource_table.h\"

namespace {

${arrays}struct Entry {
    keslResourceKind kind;
    int id;
    const unsigned char* data;
    size_t size;
};

const Entry kEntries[] = {
${entries}    {keslResourceKind::bitmap, 0, nullptr, 0},
};

}  // namespace

keslResourceBytes keslFindResource(keslResourceKind kind, int id) {
    for (const Entry& entry : kEntries) {
        if (entry.data != nullptr && entry.kind == kind && entry.id == id) {
            return {entry.data, entry.size};
        }
    }
    return {};
}
")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
