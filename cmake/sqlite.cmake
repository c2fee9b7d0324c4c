# SQLite, compiled from the pinned amalgamation (scripts/lib/sqlite.sh fetches it) as a static library
# for the cookie-store service. It is built without the project's warning flags: it is not our code.
set(VELTRANE_SQLITE_DIR "" CACHE PATH "Folder holding sqlite3.c and sqlite3.h (empty: fetch the pinned ones)")
if(NOT VELTRANE_SQLITE_DIR)
  execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/lib/sqlite.sh
                  OUTPUT_VARIABLE veltraneSqliteDir OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE veltraneSqliteFetch)
  if(NOT veltraneSqliteFetch EQUAL 0 OR NOT EXISTS "${veltraneSqliteDir}/sqlite3.c")
    message(FATAL_ERROR "The SQLite sources could not be fetched (scripts/lib/sqlite.sh).")
  endif()
else()
  set(veltraneSqliteDir "${VELTRANE_SQLITE_DIR}")
endif()

enable_language(C)
add_library(veltrane_sqlite STATIC "${veltraneSqliteDir}/sqlite3.c")
target_include_directories(veltrane_sqlite SYSTEM PUBLIC "${veltraneSqliteDir}")
# One thread uses a connection at a time; no extensions are loaded; URIs carry the read-only and
# immutable opens of the stores.
target_compile_definitions(veltrane_sqlite PRIVATE
  SQLITE_THREADSAFE=0
  SQLITE_DEFAULT_MEMSTATUS=0
  SQLITE_DQS=0
  SQLITE_OMIT_LOAD_EXTENSION
  SQLITE_OMIT_DEPRECATED
  SQLITE_OMIT_SHARED_CACHE
  SQLITE_OMIT_PROGRESS_CALLBACK
  SQLITE_USE_URI=1
  SQLITE_LIKE_DOESNT_MATCH_BLOBS
)
set_target_properties(veltrane_sqlite PROPERTIES C_STANDARD 99 POSITION_INDEPENDENT_CODE ON)
target_compile_options(veltrane_sqlite PRIVATE -w)
if(NOT WIN32)
  target_link_libraries(veltrane_sqlite PUBLIC m)
endif()
