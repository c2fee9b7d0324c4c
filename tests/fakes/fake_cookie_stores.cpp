// The cookie-store fake's behaviour: what a store holds, held stores, saves as tab-separated lines.
#include "fakes/fake_cookie_stores.h"

#include <algorithm>

#include "base/errors.h"
#include "base/text.h"

namespace veltrane::fakes {

void FakeCookieStores::AddStore(const std::string& path, const CookieTable& table,
                                std::vector<FakeCookie> cookies) {
  stores_[Upper(path)] = Store{table, std::move(cookies)};
  files_.AddFile(path, "SQLite format 3");
}

const std::vector<FakeCookie>& FakeCookieStores::Cookies(const std::string& path) const {
  static const std::vector<FakeCookie> kNone;
  auto found = stores_.find(Upper(path));
  return found == stores_.end() ? kNone : found->second.cookies;
}

FakeCookieStores::Store* FakeCookieStores::Find(const std::string& path, const CookieTable& table,
                                                int& error) {
  auto found = stores_.find(Upper(path));
  if (found == stores_.end() || !files_.PathFileExists(path)) {
    error = kErrFileNotFound;
    return nullptr;
  }
  // A store of another layout has not the table asked for.
  if (found->second.table.table != table.table || found->second.table.hostColumn != table.hostColumn) {
    error = kErrPathFileAccess;
    return nullptr;
  }
  return &found->second;
}

int FakeCookieStores::ReadHosts(const std::string& store, const CookieTable& table,
                                const HostVisitor& visit) {
  if (int error = Inject("ReadHosts")) return error;
  int error = kErrNone;
  Store* found = Find(store, table, error);
  if (found == nullptr) return error;
  for (const FakeCookie& cookie : found->cookies) visit(cookie.host);
  return kErrNone;
}

int FakeCookieStores::DeleteCookies(const std::string& store, const CookieTable& table,
                                    const std::string& host, uint64_t& deleted) {
  deleted = 0;
  if (int error = Inject("DeleteCookies")) return error;
  int error = kErrNone;
  Store* found = Find(store, table, error);
  if (found == nullptr) return error;
  if (held.count(Upper(store)) != 0) return kErrFileAlreadyOpen;
  std::erase_if(found->cookies, [&](const FakeCookie& cookie) {
    if (cookie.host != host) return false;
    ++deleted;
    return true;
  });
  return kErrNone;
}

int FakeCookieStores::SaveCookies(const std::string& store, const CookieTable& table, const std::string& host,
                                  const std::string& savedFile, uint64_t& saved) {
  saved = 0;
  if (int error = Inject("SaveCookies")) return error;
  int error = kErrNone;
  Store* found = Find(store, table, error);
  if (found == nullptr) return error;
  if (files_.PathFileExists(savedFile)) return kErrFileExists;
  std::string lines;
  for (const FakeCookie& cookie : found->cookies) {
    if (cookie.host != host) continue;
    lines += cookie.host + "\t" + cookie.name + "\t" + cookie.value + "\n";
    ++saved;
  }
  return files_.WriteFile(savedFile, lines);
}

int FakeCookieStores::RestoreCookies(const std::string& store, const CookieTable& table,
                                     const std::string& savedFile, uint64_t& restored) {
  restored = 0;
  if (int error = Inject("RestoreCookies")) return error;
  int error = kErrNone;
  Store* found = Find(store, table, error);
  if (found == nullptr) return error;
  if (held.count(Upper(store)) != 0) return kErrFileAlreadyOpen;
  std::string lines;
  if (int read = files_.ReadFile(savedFile, lines)) return read;
  std::vector<FakeCookie> restoredCookies;
  for (std::string_view line : SplitLines(lines)) {
    size_t tab1 = line.find('\t');
    size_t tab2 = line.find('\t', tab1 + 1);
    if (tab2 == std::string::npos) return kErrPathFileAccess;
    restoredCookies.push_back({std::string(line.substr(0, tab1)),
                               std::string(line.substr(tab1 + 1, tab2 - tab1 - 1)),
                               std::string(line.substr(tab2 + 1))});
  }
  for (const FakeCookie& cookie : restoredCookies) {
    if (std::any_of(found->cookies.begin(), found->cookies.end(), [&](const FakeCookie& existing) {
          return existing.host == cookie.host && existing.name == cookie.name;
        }))
      continue;
    found->cookies.push_back(cookie);
    ++restored;
  }
  return kErrNone;
}

}  // namespace veltrane::fakes
