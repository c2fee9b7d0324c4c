# nlohmann::json for the scan report, from Debian's nlohmann-json3-dev (header-only; the set-up script
# installs it). Only its headers are copied into the build tree, so the Windows build sees them without
# seeing the rest of the host's /usr/include.
set(VELTRANE_JSON_PACKAGE_DIR "/usr/include/nlohmann" CACHE PATH "The nlohmann folder of nlohmann-json3-dev")
if(NOT EXISTS "${VELTRANE_JSON_PACKAGE_DIR}/json.hpp")
  message(FATAL_ERROR "nlohmann/json.hpp is missing: install nlohmann-json3-dev (scripts/lib/setup.sh does)")
endif()
file(STRINGS "${VELTRANE_JSON_PACKAGE_DIR}/detail/abi_macros.hpp" _veltrane_json_major REGEX "#define NLOHMANN_JSON_VERSION_MAJOR")
string(REGEX MATCH "[0-9]+" _veltrane_json_major "${_veltrane_json_major}")
if(NOT _veltrane_json_major EQUAL 3)
  message(FATAL_ERROR "nlohmann::json 3.x is needed; ${VELTRANE_JSON_PACKAGE_DIR} holds ${_veltrane_json_major}.x")
endif()
set(VELTRANE_JSON_INCLUDE "${CMAKE_BINARY_DIR}/third_party/include")
file(COPY "${VELTRANE_JSON_PACKAGE_DIR}" DESTINATION "${VELTRANE_JSON_INCLUDE}")
