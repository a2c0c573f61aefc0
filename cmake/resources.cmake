# The Linux build has no resource section, so the bitmaps and sounds in
# resources/ become a generated id -> bytes table built into the core (the
# bytes themselves are assembled from the files, see generate_resource_table).
# Files are named by id: resources/bitmaps/<id>[-<what>].bmp and
# resources/sounds/<id>[-<what>].wav.
file(GLOB ORVANEL_RESOURCE_FILES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/resources/bitmaps/*.bmp
  ${CMAKE_SOURCE_DIR}/resources/sounds/*.wav)
set(ORVANEL_RESOURCE_TABLE ${CMAKE_BINARY_DIR}/generated/resource_table.cpp)
add_custom_command(
  OUTPUT ${ORVANEL_RESOURCE_TABLE}
  COMMAND ${CMAKE_COMMAND} -DRESOURCE_DIR=${CMAKE_SOURCE_DIR}/resources -DOUTPUT=${ORVANEL_RESOURCE_TABLE}
          -P ${CMAKE_SOURCE_DIR}/cmake/generate_resource_table.cmake
  DEPENDS ${ORVANEL_RESOURCE_FILES} ${CMAKE_SOURCE_DIR}/cmake/generate_resource_table.cmake
  COMMENT "Generating the resource table"
  VERBATIM)
target_sources(orvanel_system PRIVATE ${ORVANEL_RESOURCE_TABLE})
