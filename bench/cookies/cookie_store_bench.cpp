// The cookie scan of a Firefox store of 100,000 cookies against 1,000 cookie definitions, timed next to a
// bare "SELECT host" over the same store, both in this run. Prints the medians and their ratios, by the
// CPU time of this process (which other programs on the machine do not inflate) and by the clock.
#include <sqlite3.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fakes/fake_services.h"
#include "platform/sqlite/sqlite_cookie_stores.h"
#include "program/app.h"
#include "scan/cookie_scan.h"
#include "settings/dialog_settings.h"

namespace {

using namespace veltrane;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The time of one piece of work: CPU time of this process, and time by the clock, in milliseconds.
struct Spent {
  double cpu = 0;
  double wall = 0;
};

double CpuMs() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

class Stopwatch {
 public:
  Spent Stop() const {
    return {CpuMs() - cpu_, std::chrono::duration<double, std::milli>(Clock::now() - wall_).count()};
  }

 private:
  double cpu_ = CpuMs();
  Clock::time_point wall_ = Clock::now();
};

constexpr int kCookies = 100000;
constexpr int kHosts = 20000;
constexpr int kDefinitions = 1000;
constexpr int kRounds = 15;
const std::string kRoaming = "C:\\Users\\u\\AppData\\Roaming";
const std::string kStore = kRoaming + "\\Mozilla\\Firefox\\Profiles\\a.default\\cookies.sqlite";

void MakeStore(const std::string& path) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  sqlite3_exec(db,
               "CREATE TABLE moz_cookies (id INTEGER PRIMARY KEY, originAttributes TEXT NOT NULL DEFAULT '',"
               " name TEXT, value TEXT, host TEXT, path TEXT, expiry INTEGER, lastAccessed INTEGER,"
               " creationTime INTEGER, isSecure INTEGER, isHttpOnly INTEGER,"
               " CONSTRAINT moz_uniqueid UNIQUE (name, host, path, originAttributes)); BEGIN",
               nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(db,
                     "INSERT INTO moz_cookies (name, value, host, path, expiry) VALUES (?1, ?2, ?3, '/', ?4)",
                     -1, &insert, nullptr);
  for (int i = 0; i < kCookies; ++i) {
    int host = i % kHosts;
    std::string name = "c" + std::to_string(i / kHosts);
    std::string value = "value-" + std::to_string(i * 7919);
    std::string hostName =
        (host % 3 == 0 ? "." : "www.") + std::string("site") + std::to_string(host) + ".example.com";
    sqlite3_bind_text(insert, 1, name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 2, value.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 3, hostName.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int64(insert, 4, 1900000000 + i);
    sqlite3_step(insert);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The bare query, with SQLite's default page cache or with the small one the scan reads with.
Spent BareSelect(const std::string& path, size_t& rows, bool smallCache) {
  Stopwatch watch;
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  if (smallCache) sqlite3_exec(db, "PRAGMA cache_size = 16", nullptr, nullptr, nullptr);
  sqlite3_stmt* select = nullptr;
  sqlite3_prepare_v2(db, "SELECT host FROM moz_cookies", -1, &select, nullptr);
  size_t bytes = 0;
  rows = 0;
  while (sqlite3_step(select) == SQLITE_ROW) {
    bytes += static_cast<size_t>(sqlite3_column_bytes(select, 0));
    ++rows;
  }
  sqlite3_finalize(select);
  sqlite3_close(db);
  Spent spent = watch.Stop();
  return bytes > 0 ? spent : Spent{-1, -1};
}

// The store layer alone: every host handed to a visitor that does nothing with it.
Spent StoreRead(const std::string& path, size_t& rows) {
  SqliteCookieStores stores;
  Stopwatch watch;
  rows = 0;
  int error = stores.ReadHosts(path, CookieTable{"moz_cookies", "host"}, [&](std::string_view) { ++rows; });
  Spent spent = watch.Stop();
  return error == 0 ? spent : Spent{-1, -1};
}

Spent CookieScan(const std::string& path, size_t& rows) {
  fakes::FakeSystem fake;
  fake.environment.variables["APPDATA"] = kRoaming;
  fake.files.AddFolder("C:\\Documents and Settings\\user1\\Cookies");
  fake.files.AddFile(kRoaming + "\\Mozilla\\Firefox\\profiles.ini", "[Profile0]\nPath=Profiles/a.default\n");
  fake.files.AddFile(kStore, "store");
  SqliteCookieStores stores([&](const std::string&) { return path; });
  App app(Services{fake.processes, fake.registry, fake.files, fake.fileInfo, fake.settings, fake.shell,
                   fake.dialogs, fake.events, fake.clock, fake.environment, stores},
          LoadSettingsDialog);
  app.Dialog();
  app.main.cmdCancel.SetEnabled(true);
  // One definition in a hundred occurs in some hosts; the rest occur nowhere, as most definitions do.
  for (int i = 0; i < kDefinitions; ++i) {
    app.definitions.sCookieItem.push_back(i % 100 == 0 ? "Site" + std::to_string(i * 19) + ".example"
                                                       : "Tracker" + std::to_string(i));
  }
  Stopwatch watch;
  ScanForCookies(app);
  Spent spent = watch.Stop();
  rows = app.main.lvwScanDriveResult.Count();
  return spent;
}

}  // namespace

int main() {
  fs::path folder = fs::temp_directory_path() / "veltrane-cookie-store-bench";
  fs::remove_all(folder);
  fs::create_directories(folder);
  std::string store = (folder / "cookies.sqlite").string();
  MakeStore(store);
  // Each piece of work, in a fixed order that turns round every other round, so that all meet the same load
  // of the machine and none always runs with the caches as the one before left them.
  enum Work { kBare, kBareSmallCache, kStoreRead, kScan, kWorks };
  std::vector<Spent> spent[kWorks];
  size_t rows[kWorks] = {};
  for (int round = 0; round < kRounds; ++round) {
    for (int step = 0; step < kWorks; ++step) {
      const int work = round % 2 == 0 ? step : kWorks - 1 - step;
      switch (work) {
        case kBare:
          spent[work].push_back(BareSelect(store, rows[work], false));
          break;
        case kBareSmallCache:
          spent[work].push_back(BareSelect(store, rows[work], true));
          break;
        case kStoreRead:
          spent[work].push_back(StoreRead(store, rows[work]));
          break;
        default:
          spent[work].push_back(CookieScan(store, rows[work]));
          break;
      }
    }
  }
  auto median = [&](int work, double Spent::*part) {
    std::vector<double> values;
    for (const Spent& one : spent[work]) values.push_back(one.*part);
    return Median(values);
  };
  auto line = [&](const char* name, int work, const char* counted) {
    std::printf("%-36s %7.2f ms %7.2f ms (%zu %s)\n", name, median(work, &Spent::cpu),
                median(work, &Spent::wall), rows[work], counted);
  };
  auto ratio = [&](const char* name, int over, const char* goal) {
    std::printf("%-36s %8.2fx   %8.2fx%s\n", name, median(kScan, &Spent::cpu) / median(over, &Spent::cpu),
                median(kScan, &Spent::wall) / median(over, &Spent::wall), goal);
  };
  std::printf("store: %d cookies, %d hosts; %d cookie definitions; median of %d rounds\n", kCookies, kHosts,
              kDefinitions, kRounds);
  std::printf("%-36s %10s %10s\n", "", "CPU", "clock");
  line("bare SELECT host:", kBare, "rows");
  line("bare SELECT host, 16-page cache:", kBareSmallCache, "rows");
  line("store read, no matching:", kStoreRead, "rows");
  line("cookie scan of store:", kScan, "result rows");
  ratio("ratio scan / bare:", kBare, " (goal: 1.25 or less)");
  ratio("ratio scan / bare, same cache:", kBareSmallCache, " (the matching's own cost)");
  fs::remove_all(folder);
  return 0;
}
