# Encodes the bundled definition sources into <build>/program, where the program and veltrane-load read them.
set(VELTRANE_CODEC_TOOL "" CACHE FILEPATH
    "veltrane-codec used to encode the definitions; empty: the one built in this tree (not runnable in a cross build)")

set(_veltrane_codec_depends "")
if(VELTRANE_CODEC_TOOL)
  set(_veltrane_codec "${VELTRANE_CODEC_TOOL}")
elseif(CMAKE_CROSSCOMPILING)
  message(WARNING "Definitions are not encoded: set VELTRANE_CODEC_TOOL to a native veltrane-codec "
                  "(for example build/native/tools/codec/veltrane-codec).")
  return()
elseif(TARGET veltrane-codec)
  set(_veltrane_codec "$<TARGET_FILE:veltrane-codec>")
  set(_veltrane_codec_depends veltrane-codec)
else()
  message(WARNING "Definitions are not encoded: there is no veltrane-codec target.")
  return()
endif()

set(_veltrane_definition_outputs "")
foreach(pair "spyList.txt=Spylist" "RegistrySpyList.txt=RegistrySpylist" "spyExtList.txt=spyExtList"
             "SpywareCookies.txt=SpywareCookies")
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 sourceName)
  list(GET pair 1 targetName)
  set(source "${PROJECT_SOURCE_DIR}/definitions/${sourceName}")
  set(target "${VELTRANE_PROGRAM_DIR}/${targetName}")
  add_custom_command(
    OUTPUT "${target}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${VELTRANE_PROGRAM_DIR}"
    COMMAND "${_veltrane_codec}" encode "${source}" "${target}"
    DEPENDS "${source}" ${_veltrane_codec_depends}
    COMMENT "Encoding definitions/${sourceName} -> program/${targetName}"
    VERBATIM)
  list(APPEND _veltrane_definition_outputs "${target}")
endforeach()

add_custom_target(definitions ALL DEPENDS ${_veltrane_definition_outputs})
