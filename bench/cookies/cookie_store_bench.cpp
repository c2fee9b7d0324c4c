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

Spent BareSelect(const std::string& path, size_t& rows) {
  Stopwatch watch;
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
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
  std::vector<Spent> bare;
  std::vector<Spent> read;
  std::vector<Spent> scan;
  size_t bareRows = 0;
  size_t readRows = 0;
  size_t scanRows = 0;
  // Side by side, alternating, so that all meet the same load of the machine; every other round the other
  // way round, so that none always runs with the caches as the one before left them.
  for (int round = 0; round < kRounds; ++round) {
    if (round % 2 == 0) {
      bare.push_back(BareSelect(store, bareRows));
      read.push_back(StoreRead(store, readRows));
      scan.push_back(CookieScan(store, scanRows));
    } else {
      scan.push_back(CookieScan(store, scanRows));
      read.push_back(StoreRead(store, readRows));
      bare.push_back(BareSelect(store, bareRows));
    }
  }
  auto median = [](const std::vector<Spent>& spent, double Spent::*part) {
    std::vector<double> values;
    for (const Spent& one : spent) values.push_back(one.*part);
    return Median(values);
  };
  std::printf("store: %d cookies, %d hosts; %d cookie definitions; median of %d rounds\n", kCookies, kHosts,
              kDefinitions, kRounds);
  std::printf("                       %10s %10s\n", "CPU", "clock");
  std::printf("bare SELECT host:      %7.2f ms %7.2f ms (%zu rows)\n", median(bare, &Spent::cpu),
              median(bare, &Spent::wall), bareRows);
  std::printf("store read, no matching:%6.2f ms %7.2f ms (%zu rows)\n", median(read, &Spent::cpu),
              median(read, &Spent::wall), readRows);
  std::printf("cookie scan of store:  %7.2f ms %7.2f ms (%zu result rows)\n", median(scan, &Spent::cpu),
              median(scan, &Spent::wall), scanRows);
  std::printf("ratio scan / bare:     %8.2fx  %8.2fx (goal: 1.25 or less)\n",
              median(scan, &Spent::cpu) / median(bare, &Spent::cpu),
              median(scan, &Spent::wall) / median(bare, &Spent::wall));
  fs::remove_all(folder);
  return 0;
}
