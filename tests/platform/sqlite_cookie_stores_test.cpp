// The SQLite cookie-store service on real stores in a temporary folder, shaped as Firefox's and Chrome's.
#include "platform/sqlite/sqlite_cookie_stores.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>

#include "base/errors.h"

namespace veltrane {
namespace {

namespace fs = std::filesystem;

const CookieTable kFirefox{"moz_cookies", "host"};

class SqliteCookieStoresTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("veltrane-stores-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    store = (folder / "cookies.sqlite").string();
    Exec(store,
         "CREATE TABLE moz_cookies (id INTEGER PRIMARY KEY, originAttributes TEXT NOT NULL DEFAULT '', name "
         "TEXT,"
         " value TEXT, host TEXT, path TEXT, expiry INTEGER, isSecure INTEGER,"
         " CONSTRAINT moz_uniqueid UNIQUE (name, host, path, originAttributes));"
         "INSERT INTO moz_cookies (name, value, host, path, expiry, isSecure) VALUES"
         " ('id', 'a', '.ads.com', '/', 1, 1), ('uid', x'00ff', '.ads.com', '/', 2, 0),"
         " ('s', 'n', '.news.com', '/', 3, 0), ('t', 'x', 'x.ads.com', '/', 4, 0);");
  }
  void TearDown() override {
    if (holder) sqlite3_close(holder);
    fs::remove_all(folder);
  }
  static void Exec(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
  }
  static std::string Query(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    std::string text;
    sqlite3_exec(
        db, sql.c_str(),
        [](void* out, int columns, char** values, char**) {
          for (int i = 0; i < columns; ++i)
            *static_cast<std::string*>(out) +=
                (values[i] ? values[i] : "NULL") + std::string(i + 1 < columns ? "," : ";");
          return 0;
        },
        &text, nullptr);
    sqlite3_close(db);
    return text;
  }
  // A browser holding its store: exclusive locking mode, with a write done so the lock is taken.
  void Hold(bool wal) {
    ASSERT_EQ(sqlite3_open(store.c_str(), &holder), SQLITE_OK);
    std::string sql = std::string(wal ? "PRAGMA journal_mode=WAL;" : "") +
                      "PRAGMA locking_mode=EXCLUSIVE; INSERT INTO moz_cookies (name, value, host, path)"
                      " VALUES ('new', 'v', '.late.ads.com', '/');";
    ASSERT_EQ(sqlite3_exec(holder, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
  }
  std::vector<std::string> Hosts() {
    std::vector<std::string> hosts;
    EXPECT_EQ(stores.ReadHosts(store, kFirefox, [&](std::string_view host) { hosts.emplace_back(host); }),
              kErrNone);
    std::sort(hosts.begin(), hosts.end());
    return hosts;
  }

  fs::path folder;
  std::string store;
  sqlite3* holder = nullptr;
  SqliteCookieStores stores;
};

TEST_F(SqliteCookieStoresTest, ReadsDistinctHostsWithoutChangingTheStore) {
  auto before = fs::last_write_time(store);
  EXPECT_EQ(Hosts(), (std::vector<std::string>{".ads.com", ".ads.com", ".news.com", "x.ads.com"}));
  EXPECT_EQ(fs::last_write_time(store), before);
  EXPECT_FALSE(fs::exists(store + "-journal"));
  std::vector<std::string> hosts;
  auto collect = [&](std::string_view host) { hosts.emplace_back(host); };
  EXPECT_EQ(stores.ReadHosts(store, {"cookies", "host_key"}, collect), kErrNone);  // no such table: no hosts
  EXPECT_TRUE(hosts.empty());
  EXPECT_EQ(stores.ReadHosts((folder / "absent").string(), kFirefox, collect), kErrFileNotFound);
  fs::path junk = folder / "junk";
  std::FILE* file = std::fopen(junk.string().c_str(), "wb");
  std::fputs("this is not a database at all, not even a little bit of one", file);
  std::fclose(file);
  EXPECT_EQ(stores.ReadHosts(junk.string(), kFirefox, collect), kErrPathFileAccess);
}

TEST_F(SqliteCookieStoresTest, AHeldStoreIsStillReadAlsoFromItsWriteAheadLogButNotWritten) {
  for (bool wal : {false, true}) {
    SetUp();
    Hold(wal);
    std::vector<std::string> expected = {".ads.com", ".ads.com", ".late.ads.com", ".news.com", "x.ads.com"};
    // Without a log the store is read as it stands on disk; the holder's last write is in it then.
    EXPECT_EQ(Hosts(), expected) << "wal " << wal;
    uint64_t deleted = 0;
    EXPECT_EQ(stores.DeleteCookies(store, kFirefox, ".ads.com", deleted), kErrFileAlreadyOpen);
    EXPECT_EQ(deleted, 0u);
    sqlite3_close(holder);
    holder = nullptr;
    EXPECT_EQ(Query(store, "SELECT count(*) FROM moz_cookies WHERE host = '.ads.com'"), "2;");
  }
}

TEST_F(SqliteCookieStoresTest, DeleteSaveAndRestoreWholeRowsInOneTransactionEach) {
  std::string saved = (folder / "saved.sqlite").string();
  uint64_t count = 0;
  ASSERT_EQ(stores.SaveCookies(store, kFirefox, ".ads.com", saved, count), kErrNone);
  EXPECT_EQ(count, 2u);
  EXPECT_EQ(stores.SaveCookies(store, kFirefox, ".ads.com", saved, count), kErrFileExists);
  ASSERT_EQ(stores.DeleteCookies(store, kFirefox, ".ads.com", count), kErrNone);
  EXPECT_EQ(count, 2u);
  EXPECT_EQ(Query(store, "SELECT host FROM moz_cookies ORDER BY id"), ".news.com;x.ads.com;");
  // The browser set one of them again meanwhile, under a row ID the saved row also had.
  Exec(store,
       "INSERT INTO moz_cookies (id, name, value, host, path) VALUES (1, 'id', 'newer', '.ads.com', '/')");
  ASSERT_EQ(stores.RestoreCookies(store, kFirefox, saved, count), kErrNone);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(Query(store, "SELECT hex(value), expiry, isSecure FROM moz_cookies WHERE name = 'uid'"),
            "00FF,2,0;");
  EXPECT_EQ(Query(store, "SELECT value FROM moz_cookies WHERE name = 'id'"), "newer;");
  EXPECT_EQ(Query(store, "PRAGMA integrity_check"), "ok;");
}

}  // namespace
}  // namespace veltrane
