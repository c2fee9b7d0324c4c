// Browsers' cookie stores: SQLite databases read without being changed, and cookies deleted, saved and
// put back by host.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// Where a browser keeps its cookies inside its store: the table and the column holding each cookie's host.
struct CookieTable {
  std::string table;
  std::string hostColumn;
};

// Paths are the platform's full paths. Every call returns an error number from core/errors.h (0 on
// success): kErrFileAlreadyOpen when the browser holds the store and it cannot be written now,
// kErrFileNotFound when there is no store, kErrPathFileAccess when the file is not a readable store.
class ICookieStores {
 public:
  virtual ~ICookieStores() = default;
  // Calls visit with the host of every cookie of the store, in the store's order (a host of several
  // cookies comes several times; the view lasts only for the call). Never changes the store, and reads
  // it also while a browser holds it locked. A store without the table has no cookies.
  using HostVisitor = std::function<void(std::string_view host)>;
  virtual int ReadHosts(const std::string& store, const CookieTable& table, const HostVisitor& visit) = 0;
  // Deletes every cookie whose host is exactly the given one, in one transaction; nothing is deleted on a
  // failure. deleted is the number of cookies deleted.
  virtual int DeleteCookies(const std::string& store, const CookieTable& table, const std::string& host,
                            uint64_t& deleted) = 0;
  // Writes every cookie of the host, whole rows, into a new file at savedFile (which must not exist); the
  // store is only read. saved is the number of cookies written.
  virtual int SaveCookies(const std::string& store, const CookieTable& table, const std::string& host,
                          const std::string& savedFile, uint64_t& saved) = 0;
  // Puts the cookies of a file written by SaveCookies back into the store, in one transaction. A cookie
  // the store holds again meanwhile is kept as it is. restored is the number of cookies put back.
  virtual int RestoreCookies(const std::string& store, const CookieTable& table, const std::string& savedFile,
                             uint64_t& restored) = 0;
};

}  // namespace veltrane
