# The translation files live beside the program, where the configuration
# sheet looks for them; every build puts a fresh copy there.
file(GLOB ORVANEL_TRANSLATION_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/lang/Orvanel.*.txt)

function(orvanel_copy_translations target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ORVANEL_TRANSLATION_FILES} $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
