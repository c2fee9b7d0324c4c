// The cookie-store service over SQLite. SQLite is portable, so this one implementation serves the Windows
// programs and the portable host alike; each hands it the way to turn its paths into SQLite's (UTF-8).
#pragma once

#include <functional>
#include <string>

#include "platform/cookie_stores.h"

namespace veltrane {

class SqliteCookieStores : public ICookieStores {
 public:
  using PathConverter = std::function<std::string(const std::string&)>;
  // toSqlitePath turns a path of the platform into the UTF-8 path SQLite opens; identity by default.
  explicit SqliteCookieStores(PathConverter toSqlitePath = {});

  int ReadHosts(const std::string& store, const CookieTable& table, const HostVisitor& visit) override;
  int DeleteCookies(const std::string& store, const CookieTable& table, const std::string& host,
                    uint64_t& deleted) override;
  int SaveCookies(const std::string& store, const CookieTable& table, const std::string& host,
                  const std::string& savedFile, uint64_t& saved) override;
  int RestoreCookies(const std::string& store, const CookieTable& table, const std::string& savedFile,
                     uint64_t& restored) override;

 private:
  std::string Converted(const std::string& path) const;
  PathConverter toSqlitePath_;
};

}  // namespace veltrane
