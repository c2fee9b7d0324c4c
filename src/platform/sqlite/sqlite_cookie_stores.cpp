// Reading, deleting, saving and restoring a store's cookies by host, each write in one transaction.
#include "platform/sqlite/sqlite_cookie_stores.h"

#include <sqlite3.h>

#include <filesystem>

#include "base/errors.h"
#include "base/text.h"
#include "platform/sqlite/sqlite_reading.h"

namespace veltrane {

using sqlite::Connection;
using sqlite::ErrorFrom;
using sqlite::QuoteName;
using sqlite::Statement;

namespace {

// How long a write waits for the browser's own short transactions before the store counts as held.
constexpr int kWriteBusyMs = 1000;
// Pages a one-pass read of the hosts keeps: the path from the table's root to the page being read. SQLite's
// default (2 MiB) costs more to allocate than reading a large store does, and no page is read twice.
constexpr const char* kReadCache = "PRAGMA cache_size = 16";
// The table of a file written by SaveCookies.
constexpr const char* kSavedTable = "cookies";

// Opens an existing store for writing and starts a write transaction; kErrFileAlreadyOpen when the
// browser holds it. A store that exists but cannot even be opened is held by its browser too (a browser
// may open it without sharing).
int BeginWrite(Connection& connection, const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(sqlite::HostPath(path), error)) return kErrFileNotFound;
  int result = connection.Open(sqlite::Uri(path), SQLITE_OPEN_READWRITE);
  if ((result & 0xFF) == SQLITE_CANTOPEN) return kErrFileAlreadyOpen;
  if (result != SQLITE_OK) return ErrorFrom(result);
  sqlite3_busy_timeout(connection.Db(), kWriteBusyMs);
  return ErrorFrom(connection.Exec("BEGIN IMMEDIATE"));
}

// Commits, or rolls back when the commit fails, so that a failure leaves the store as it was.
int Commit(Connection& connection) {
  int result = connection.Exec("COMMIT");
  if (result != SQLITE_OK) connection.Exec("ROLLBACK");
  return ErrorFrom(result);
}

int Fail(Connection& connection, int result) {
  connection.Exec("ROLLBACK");
  return ErrorFrom(result);
}

struct Column {
  std::string name;
  std::string type;
  bool rowIdAlias = false;
};

std::vector<Column> Columns(sqlite3* db, const std::string& schema, const std::string& table) {
  std::vector<Column> columns;
  Statement info(db, "PRAGMA " + QuoteName(schema) + ".table_info(" + QuoteName(table) + ")");
  int keys = 0;
  while (info.Prepared() == SQLITE_OK && info.Step() == SQLITE_ROW) {
    auto text = [&](int i) {
      const unsigned char* value = sqlite3_column_text(info.Get(), i);
      return value == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(value));
    };
    Column column{text(1), text(2)};
    if (sqlite3_column_int(info.Get(), 5) > 0) {
      ++keys;
      column.rowIdAlias = EqualsIgnoreCase(column.type, "INTEGER");
    }
    columns.push_back(column);
  }
  // Only a lone INTEGER PRIMARY KEY stands for the row ID; the store hands out new ones itself.
  if (keys != 1) {
    for (Column& column : columns) column.rowIdAlias = false;
  }
  return columns;
}

}  // namespace

SqliteCookieStores::SqliteCookieStores(PathConverter toSqlitePath) : toSqlitePath_(std::move(toSqlitePath)) {}

std::string SqliteCookieStores::Converted(const std::string& path) const {
  return toSqlitePath_ ? toSqlitePath_(path) : path;
}

int SqliteCookieStores::ReadHosts(const std::string& store, const CookieTable& table,
                                  const HostVisitor& visit) {
  sqlite::ReadableStore readable;
  if (int error = readable.Open(Converted(store))) return error;
  if (!sqlite::TableExists(readable.Db(), "main", table.table)) return kErrNone;
  sqlite3_exec(readable.Db(), kReadCache, nullptr, nullptr, nullptr);
  Statement select(readable.Db(),
                   "SELECT " + QuoteName(table.hostColumn) + " FROM " + QuoteName(table.table));
  if (select.Prepared() != SQLITE_OK) return ErrorFrom(select.Prepared());
  int result;
  while ((result = select.Step()) == SQLITE_ROW) {
    const unsigned char* text = sqlite3_column_text(select.Get(), 0);
    if (text == nullptr) continue;
    visit(std::string_view(reinterpret_cast<const char*>(text),
                           static_cast<size_t>(sqlite3_column_bytes(select.Get(), 0))));
  }
  return ErrorFrom(result);
}

int SqliteCookieStores::DeleteCookies(const std::string& store, const CookieTable& table,
                                      const std::string& host, uint64_t& deleted) {
  deleted = 0;
  Connection connection;
  if (int error = BeginWrite(connection, Converted(store))) return error;
  if (!sqlite::TableExists(connection.Db(), "main", table.table)) return Commit(connection);
  Statement remove(connection.Db(), "DELETE FROM " + QuoteName(table.table) + " WHERE " +
                                        QuoteName(table.hostColumn) + " = ?1");
  if (remove.Prepared() != SQLITE_OK) return Fail(connection, remove.Prepared());
  remove.BindText(1, host);
  int result = remove.Step();
  if (result != SQLITE_DONE) return Fail(connection, result);
  uint64_t changes = static_cast<uint64_t>(sqlite3_changes64(connection.Db()));
  if (int error = Commit(connection)) return error;
  deleted = changes;
  return kErrNone;
}

int SqliteCookieStores::SaveCookies(const std::string& store, const CookieTable& table,
                                    const std::string& host, const std::string& savedFile, uint64_t& saved) {
  saved = 0;
  sqlite::ReadableStore readable;
  if (int error = readable.Open(Converted(store))) return error;
  std::string savedPath = Converted(savedFile);
  std::error_code error;
  if (std::filesystem::exists(sqlite::HostPath(savedPath), error)) return kErrFileExists;
  if (!sqlite::TableExists(readable.Db(), "main", table.table)) return kErrPathFileAccess;

  Statement select(readable.Db(), "SELECT * FROM " + QuoteName(table.table) + " WHERE " +
                                      QuoteName(table.hostColumn) + " = ?1");
  if (select.Prepared() != SQLITE_OK) return ErrorFrom(select.Prepared());
  select.BindText(1, host);
  int columns = sqlite3_column_count(select.Get());
  std::string create = std::string("CREATE TABLE ") + kSavedTable + "(";
  std::string insert = std::string("INSERT INTO ") + kSavedTable + " VALUES(";
  for (int i = 0; i < columns; ++i) {
    const char* type = sqlite3_column_decltype(select.Get(), i);
    create += (i ? ", " : "") + QuoteName(sqlite3_column_name(select.Get(), i)) + " " + (type ? type : "");
    insert += (i ? ", ?" : "?") + std::to_string(i + 1);
  }
  create += ")";
  insert += ")";

  Connection target;
  int result = target.Open(sqlite::Uri(savedPath), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  if (result != SQLITE_OK) return ErrorFrom(result);
  bool written = false;
  auto finish = [&](int code) {
    target.Close();
    if (!written) std::filesystem::remove(sqlite::HostPath(savedPath), error);
    return code;
  };
  if ((result = target.Exec("BEGIN")) != SQLITE_OK || (result = target.Exec(create.c_str())) != SQLITE_OK) {
    return finish(ErrorFrom(result));
  }
  Statement add(target.Db(), insert);
  if (add.Prepared() != SQLITE_OK) return finish(ErrorFrom(add.Prepared()));
  uint64_t count = 0;
  while ((result = select.Step()) == SQLITE_ROW) {
    for (int i = 0; i < columns; ++i)
      sqlite3_bind_value(add.Get(), i + 1, sqlite3_column_value(select.Get(), i));
    int added = add.Step();
    sqlite3_reset(add.Get());
    if (added != SQLITE_DONE) return finish(ErrorFrom(added));
    ++count;
  }
  if (result != SQLITE_DONE) return finish(ErrorFrom(result));
  if ((result = target.Exec("COMMIT")) != SQLITE_OK) return finish(ErrorFrom(result));
  written = true;
  saved = count;
  return finish(kErrNone);
}

int SqliteCookieStores::RestoreCookies(const std::string& store, const CookieTable& table,
                                       const std::string& savedFile, uint64_t& restored) {
  restored = 0;
  std::string savedPath = Converted(savedFile);
  std::error_code error;
  if (!std::filesystem::is_regular_file(sqlite::HostPath(savedPath), error)) return kErrFileNotFound;
  Connection connection;
  std::string storePath = Converted(store);
  if (!std::filesystem::is_regular_file(sqlite::HostPath(storePath), error)) return kErrFileNotFound;
  int result = connection.Open(sqlite::Uri(storePath), SQLITE_OPEN_READWRITE);
  if ((result & 0xFF) == SQLITE_CANTOPEN) return kErrFileAlreadyOpen;
  if (result != SQLITE_OK) return ErrorFrom(result);
  sqlite3_busy_timeout(connection.Db(), kWriteBusyMs);
  {
    Statement attach(connection.Db(), "ATTACH DATABASE ?1 AS saved");
    attach.BindText(1, sqlite::Uri(savedPath, "mode=ro"));
    if ((result = attach.Step()) != SQLITE_DONE) return ErrorFrom(result);
  }
  if (!sqlite::TableExists(connection.Db(), "main", table.table) ||
      !sqlite::TableExists(connection.Db(), "saved", kSavedTable)) {
    return kErrPathFileAccess;
  }
  std::vector<Column> savedColumns = Columns(connection.Db(), "saved", kSavedTable);
  std::string names;
  for (const Column& column : Columns(connection.Db(), "main", table.table)) {
    if (column.rowIdAlias) continue;
    for (const Column& savedColumn : savedColumns) {
      if (!EqualsIgnoreCase(savedColumn.name, column.name)) continue;
      names += (names.empty() ? "" : ", ") + QuoteName(column.name);
      break;
    }
  }
  if (names.empty()) return kErrPathFileAccess;
  if (int begin = ErrorFrom(connection.Exec("BEGIN IMMEDIATE"))) return begin;
  // A cookie the browser has set again since keeps its newer value.
  std::string copy = "INSERT OR IGNORE INTO main." + QuoteName(table.table) + "(" + names + ") SELECT " +
                     names + " FROM saved." + kSavedTable;
  if ((result = connection.Exec(copy.c_str())) != SQLITE_OK) return Fail(connection, result);
  uint64_t changes = static_cast<uint64_t>(sqlite3_changes64(connection.Db()));
  if (int commit = Commit(connection)) return commit;
  restored = changes;
  return kErrNone;
}

}  // namespace veltrane
