// An in-memory fake of the browsers' cookie stores: stores by path, stores a browser holds, and saved
// cookies written as files of the fake file system.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "fakes/fake_file_system.h"
#include "fakes/fault_injector.h"
#include "platform/cookie_stores.h"

namespace veltrane::fakes {

struct FakeCookie {
  std::string host;
  std::string name;
  std::string value;
  bool operator==(const FakeCookie&) const = default;
};

class FakeCookieStores : public ICookieStores, public FaultInjector {
 public:
  explicit FakeCookieStores(FakeFileSystem& files) : files_(files) {}
  int ReadHosts(const std::string& store, const CookieTable& table, const HostVisitor& visit) override;
  int DeleteCookies(const std::string& store, const CookieTable& table, const std::string& host,
                    uint64_t& deleted) override;
  int SaveCookies(const std::string& store, const CookieTable& table, const std::string& host,
                  const std::string& savedFile, uint64_t& saved) override;
  int RestoreCookies(const std::string& store, const CookieTable& table, const std::string& savedFile,
                     uint64_t& restored) override;

  // Makes a store file of the given layout with these cookies (and the file in the fake file system).
  void AddStore(const std::string& path, const CookieTable& table, std::vector<FakeCookie> cookies);
  const std::vector<FakeCookie>& Cookies(const std::string& path) const;
  // Stores a browser holds: they read, but every write fails as held.
  std::set<std::string> held;  // by upper-case path

 private:
  struct Store {
    CookieTable table;
    std::vector<FakeCookie> cookies;
  };
  Store* Find(const std::string& path, const CookieTable& table, int& error);
  FakeFileSystem& files_;
  std::map<std::string, Store> stores_;  // by upper-case path
};

}  // namespace veltrane::fakes
