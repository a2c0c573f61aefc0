# cmake -DRESOURCE_DIR=... -DOUTPUT=... -P generate_resource_table.cmake
cmake_minimum_required(VERSION 3.25)
# Writes a C++ file defining keslFindResource over every bitmap and sound.
# The assembler reads the files themselves (.incbin): spelling megabytes of
# sound out as an array initialiser made the compiler the slowest step of
# every build. Each file's hash is written beside it so a compiler cache
# never mistakes a changed resource for the one it saw before.
file(GLOB bitmaps ${RESOURCE_DIR}/bitmaps/*.bmp)
file(GLOB sounds ${RESOURCE_DIR}/sounds/*.wav)
list(SORT bitmaps)
list(SORT sounds)

set(assembly "")
set(declarations "")
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
    if(file MATCHES "[\"\\\\\n]")
      message(FATAL_ERROR "Resource ${file}: the path cannot be quoted for the assembler")
    endif()
    list(APPEND seen "${kind}${id}")
    file(SHA256 ${file} hash)
    set(symbol orvanel_resource_${kind}_${id})
    string(APPEND assembly
"// ${name} sha256 ${hash}
asm(\".globl ${symbol}\\n\"
    \".globl ${symbol}_size\\n\"
    ORVANEL_RESOURCE_SECTION_BEGIN
    \".balign 16\\n\"
    \"${symbol}:\\n\"
    \".incbin \\\"${file}\\\"\\n\"
    \"${symbol}_end:\\n\"
    \".balign 4\\n\"
    \"${symbol}_size:\\n\"
    \".4byte ${symbol}_end - ${symbol}\\n\"
    ORVANEL_RESOURCE_SECTION_END);
")
    string(APPEND declarations
      "extern \"C\" const unsigned char ${symbol}[] asm(\"${symbol}\");\n"
      "extern \"C\" const unsigned int ${symbol}_size asm(\"${symbol}_size\");\n")
    string(APPEND entries "    {keslResourceKind::${kind}, ${id}, ${symbol}, &${symbol}_size},\n")
  endforeach()
endforeach()

file(WRITE ${OUTPUT}.tmp
"// Generated from resources/ at build time; do not edit.
#include \"system/resource_table.h\"

// COFF has no section stack; GCC and Clang emit a section directive before
// each function or variable of their own, so ending in .text is safe there.
#if defined(_WIN32)
#define ORVANEL_RESOURCE_SECTION_BEGIN \".section .rdata,\\\"dr\\\"\\n\"
#define ORVANEL_RESOURCE_SECTION_END \".text\\n\"
#else
#define ORVANEL_RESOURCE_SECTION_BEGIN \".pushsection .rodata\\n\"
#define ORVANEL_RESOURCE_SECTION_END \".popsection\\n\"
#endif

${assembly}
${declarations}
namespace {

struct Entry {
    keslResourceKind kind;
    int id;
    const unsigned char* data;
    const unsigned int* size;
};

const Entry kEntries[] = {
${entries}    {keslResourceKind::bitmap, 0, nullptr, nullptr},
};

}  // namespace

keslResourceBytes keslFindResource(keslResourceKind kind, int id) {
    for (const Entry& entry : kEntries) {
        if (entry.data != nullptr && entry.kind == kind && entry.id == id) {
            return {entry.data, *entry.size};
        }
    }
    return {};
}
")
# Only a changed table is rewritten, so an unchanged one compiles no more.
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
