# The resource script: resources/VERavevi.rc with its fragments in
# resources/rc/, the art in resources/art/ and the STRINGTABLE generated from
# resources/strings.inc. Sets VELMORA_RC for the targets that link resources.
file(GLOB VELMORA_RC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc)
file(GLOB VELMORA_RC_PARTS CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/resources/rc/* ${CMAKE_SOURCE_DIR}/resources/art/*.ico
     ${CMAKE_SOURCE_DIR}/resources/art/*.bmp ${CMAKE_SOURCE_DIR}/resources/ResourceIds.h)

set(VELMORA_GENERATED ${CMAKE_BINARY_DIR}/generated)
set(VELMORA_STRINGS_RC ${VELMORA_GENERATED}/strings.rc)
add_custom_command(
  OUTPUT ${VELMORA_STRINGS_RC}
  COMMAND ${CMAKE_COMMAND} -DIN=${CMAKE_SOURCE_DIR}/resources/strings.inc -DOUT=${VELMORA_STRINGS_RC}
          -P ${CMAKE_SOURCE_DIR}/cmake/StringsRc.cmake
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/strings.inc ${CMAKE_SOURCE_DIR}/cmake/StringsRc.cmake
  COMMENT "Generating the string table of the resource script")

set_source_files_properties(${VELMORA_RC} PROPERTIES
  OBJECT_DEPENDS "${VELMORA_STRINGS_RC};${VELMORA_RC_PARTS}"
  INCLUDE_DIRECTORIES "${VELMORA_GENERATED};${CMAKE_SOURCE_DIR}")
