// Small owners of SQLite connections and statements, SQLite's results in the program's error numbers, and
// the ways a cookie store is opened for reading without being changed.
#pragma once

#include <filesystem>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace veltrane::sqlite {

class Connection {
 public:
  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection();
  // Opens a URI with SQLite's open flags; returns SQLite's result.
  int Open(const std::string& uri, int flags);
  void Close();
  int Exec(const char* sql);
  sqlite3* Db() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

class Statement {
 public:
  Statement(sqlite3* db, const std::string& sql);
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement();
  // SQLite's result of preparing the statement.
  int Prepared() const { return prepared_; }
  sqlite3_stmt* Get() const { return stmt_; }
  int Step();
  void BindText(int index, const std::string& text);

 private:
  sqlite3_stmt* stmt_ = nullptr;
  int prepared_ = 0;
};

// The program's error number for a SQLite result (0 for SQLITE_OK and SQLITE_DONE).
int ErrorFrom(int sqliteResult);
// A name quoted for SQL: "name", with inner quotes doubled.
std::string QuoteName(const std::string& name);
// A URI for a path, with query parameters ("mode=ro", "immutable=1") when given.
std::string Uri(const std::string& path, const std::string& query = {});
std::filesystem::path HostPath(const std::string& utf8Path);
bool TableExists(sqlite3* db, const std::string& schema, const std::string& table);

// A store opened for reading without any change to it. First as it is, read-only, which also sees what the
// browser keeps in its write-ahead log. When the browser's lock keeps readers out: a store without a
// write-ahead log is read as it stands on disk (immutable: SQLite takes no lock and writes nothing); a
// store with one is read from a snapshot copy of both files in a private temporary folder, deleted again.
class ReadableStore {
 public:
  ReadableStore() = default;
  ReadableStore(const ReadableStore&) = delete;
  ReadableStore& operator=(const ReadableStore&) = delete;
  ~ReadableStore();
  // Returns an error number; kErrFileNotFound when there is no file at the path.
  int Open(const std::string& utf8Path);
  sqlite3* Db() const { return connection_.Db(); }

 private:
  int TryOpen(const std::string& uri, int flags);
  int OpenSnapshot(const std::string& utf8Path);
  Connection connection_;
  std::filesystem::path snapshot_;
};

}  // namespace veltrane::sqlite
