# The portable program folder as a zip: the programs, the encoded definitions and the pictures, laid out
# by the build in <build>/program, packed by `cpack` in the build folder.
if(NOT WIN32)
  return()
endif()

install(DIRECTORY "${VELTRANE_PROGRAM_DIR}/" DESTINATION "." USE_SOURCE_PERMISSIONS
        PATTERN "*.new" EXCLUDE PATTERN "*Temp" EXCLUDE)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME "Veltrane")
set(CPACK_PACKAGE_VENDOR "Veltrane")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME "Veltrane-${PROJECT_VERSION}-win64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/package")
include(CPack)
