// SQLite connections and statements, error numbers, and the read-only ways into a cookie store.
#include "platform/sqlite/sqlite_reading.h"

#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <system_error>

#include "base/errors.h"

namespace veltrane::sqlite {

namespace fs = std::filesystem;

namespace {

// How long a reader waits for a browser's short write before it reads another way.
constexpr int kReadBusyMs = 250;

uint64_t SnapshotNumber() {
  static std::atomic<uint64_t> counter{0};
  auto now = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  return now ^ (++counter << 48);
}

}  // namespace

Connection::~Connection() {
  Close();
}

int Connection::Open(const std::string& uri, int flags) {
  Close();
  int result = sqlite3_open_v2(uri.c_str(), &db_, flags | SQLITE_OPEN_URI, nullptr);
  if (result != SQLITE_OK) Close();
  return result;
}

void Connection::Close() {
  if (db_ != nullptr) sqlite3_close_v2(db_);
  db_ = nullptr;
}

int Connection::Exec(const char* sql) {
  return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
}

Statement::Statement(sqlite3* db, const std::string& sql) {
  prepared_ = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr);
}

Statement::~Statement() {
  sqlite3_finalize(stmt_);
}

int Statement::Step() {
  return sqlite3_step(stmt_);
}

void Statement::BindText(int index, const std::string& text) {
  sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

int ErrorFrom(int sqliteResult) {
  switch (sqliteResult & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW:
      return kErrNone;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return kErrFileAlreadyOpen;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return kErrPermissionDenied;
    case SQLITE_FULL:
      return kErrDiskFull;
    case SQLITE_IOERR:
      return kErrDeviceIo;
    case SQLITE_NOMEM:
      return kErrOutOfMemory;
    default:
      return kErrPathFileAccess;
  }
}

std::string QuoteName(const std::string& name) {
  std::string quoted = "\"";
  for (char c : name) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + "\"";
}

std::string Uri(const std::string& path, const std::string& query) {
  std::string uri = "file:";
  // A drive path becomes file:///C:/...; a rooted path file:///...
  uri += path.size() >= 2 && path[1] == ':' ? "///" : "//";
  for (char c : path) {
    if (c == '\\') {
      uri += '/';
    } else if (c == '%' || c == '?' || c == '#') {
      static const char kHex[] = "0123456789ABCDEF";
      uri += '%';
      uri += kHex[(static_cast<unsigned char>(c) >> 4) & 0xF];
      uri += kHex[static_cast<unsigned char>(c) & 0xF];
    } else {
      uri += c;
    }
  }
  if (!query.empty()) uri += "?" + query;
  return uri;
}

fs::path HostPath(const std::string& utf8Path) {
  return fs::path(std::u8string(utf8Path.begin(), utf8Path.end()));
}

bool TableExists(sqlite3* db, const std::string& schema, const std::string& table) {
  Statement query(db,
                  "SELECT 1 FROM " + QuoteName(schema) + ".sqlite_master WHERE type = 'table' AND name = ?1");
  if (query.Prepared() != SQLITE_OK) return false;
  query.BindText(1, table);
  return query.Step() == SQLITE_ROW;
}

ReadableStore::~ReadableStore() {
  connection_.Close();
  if (!snapshot_.empty()) {
    std::error_code ignored;
    fs::remove_all(snapshot_, ignored);
  }
}

int ReadableStore::TryOpen(const std::string& uri, int flags) {
  int result = connection_.Open(uri, flags);
  if (result != SQLITE_OK) return result;
  sqlite3_busy_timeout(connection_.Db(), kReadBusyMs);
  // Reading the schema takes the read lock the browser may refuse, and proves the file is a database.
  result = connection_.Exec("SELECT count(*) FROM sqlite_master");
  if (result != SQLITE_OK) connection_.Close();
  return result;
}

int ReadableStore::Open(const std::string& utf8Path) {
  std::error_code error;
  fs::path host = HostPath(utf8Path);
  if (!fs::is_regular_file(host, error)) return kErrFileNotFound;
  int result = TryOpen(Uri(utf8Path, "mode=ro"), SQLITE_OPEN_READONLY);
  if (result == SQLITE_OK) return kErrNone;
  int busy = result & 0xFF;
  if (busy != SQLITE_BUSY && busy != SQLITE_LOCKED && busy != SQLITE_CANTOPEN) return ErrorFrom(result);
  fs::path wal = host;
  wal += "-wal";
  bool hasLog = fs::file_size(wal, error) > 0 && !error;
  if (!hasLog && TryOpen(Uri(utf8Path, "immutable=1"), SQLITE_OPEN_READONLY) == SQLITE_OK) return kErrNone;
  return OpenSnapshot(utf8Path);
}

int ReadableStore::OpenSnapshot(const std::string& utf8Path) {
  std::error_code error;
  fs::path temp = fs::temp_directory_path(error);
  if (error) return kErrPathNotFound;
  // A folder made here and now, never one that was there already.
  for (int attempt = 0; attempt < 16 && snapshot_.empty(); ++attempt) {
    fs::path candidate = temp / ("veltrane-store-" + std::to_string(SnapshotNumber()));
    if (fs::create_directory(candidate, error)) snapshot_ = candidate;
  }
  if (snapshot_.empty()) return kErrPathFileAccess;
  fs::path source = HostPath(utf8Path);
  fs::path copy = snapshot_ / "store";
  if (!fs::copy_file(source, copy, error)) return kErrFileAlreadyOpen;
  fs::path wal = source;
  wal += "-wal";
  if (fs::exists(wal, error)) {
    fs::path walCopy = copy;
    walCopy += "-wal";
    if (!fs::copy_file(wal, walCopy, error)) return kErrFileAlreadyOpen;
  }
  // The copy is ours: opened for writing, SQLite reads the log into it as the browser would.
  std::u8string copyPath = copy.u8string();
  int result = TryOpen(Uri(std::string(copyPath.begin(), copyPath.end())), SQLITE_OPEN_READWRITE);
  return ErrorFrom(result);
}

}  // namespace veltrane::sqlite
