// Holds a cookie store the way a running browser does: opens it in exclusive locking mode, takes the
// lock with an empty exclusive transaction (nothing in the store changes), and keeps it for the given
// seconds. Used by the wine-labelled cookie-store test. Usage: veltrane-store-holder STORE SECONDS
#include <sqlite3.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: veltrane-store-holder STORE SECONDS\n");
    return 2;
  }
  sqlite3* db = nullptr;
  if (sqlite3_open(argv[1], &db) != SQLITE_OK) return 1;
  const char* hold = "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT;";
  if (sqlite3_exec(db, hold, nullptr, nullptr, nullptr) != SQLITE_OK) {
    std::fprintf(stderr, "holder: %s\n", sqlite3_errmsg(db));
    return 1;
  }
  std::printf("held\n");
  std::fflush(stdout);
  ::Sleep(static_cast<DWORD>(std::atoi(argv[2])) * 1000);
  sqlite3_close(db);
  return 0;
}
