// The implementations the native build tests: the in-memory fakes and the portable host's services.
#include <filesystem>
#include <random>

#include <signal.h>
#include <sys/resource.h>

#include "contract_host.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_services.h"
#include "platform/std/case_folding_files.h"
#include "platform/std/std_file_system.h"
#include "platform/std/std_services.h"

namespace veltrane::contract {
namespace {

namespace fs = std::filesystem;

class FakeHost : public ContractHost {
 public:
  FakeHost() {
    files_.AddFolder(files_.systemDirectory);
    files_.AddFolder(kScratch);
    files_.currentFolder = kScratch;
  }
  IFileSystem& Files() override { return files_; }
  ISettingsStore& Settings() override { return settings_; }
  IRegistry* Registry() override { return &registry_; }
  std::string Scratch() override { return kScratch; }
  std::string CurrentFolder() override { return files_.currentFolder; }
  bool SetAttributes(const std::string& path, uint32_t attributes) override {
    files_.SetAttributes(path, attributes);
    return true;
  }
  std::optional<std::string> ShortName(const std::string& path) override {
    const std::string shortPath = std::string(kScratch) + "\\ALONGF~1.TEX";
    files_.AddShortName(shortPath, path);
    return shortPath;
  }
  bool StampsWrites() override { return false; }
  bool FillDisk(uint64_t roomLeft) override {
    files_.freeBytes = roomLeft;
    return true;
  }
  void EmptyDisk() override { files_.freeBytes.reset(); }
  std::optional<RawRegistryValue> RawValue(const std::string& subKey, const std::string& name) override {
    auto value = registry_.GetValue(kHkeyCurrentUser, subKey, name);
    if (!value) return std::nullopt;
    return RawRegistryValue(value->type, value->data);
  }

 private:
  static constexpr const char* kScratch = "C:\\Contract";
  fakes::FakeFileSystem files_;
  fakes::FakeRegistry registry_;
  fakes::FakeSettingsStore settings_;
};

class StdHost : public ContractHost {
 public:
  StdHost()
      : scratch_((fs::temp_directory_path() / ("veltrane-contract-" + std::to_string(std::random_device{}())))
                     .string()) {
    fs::create_directories(scratch_);
  }
  ~StdHost() override {
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(scratch_, ignored)) {
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(scratch_, ignored);
  }
  IFileSystem& Files() override { return files_; }
  ISettingsStore& Settings() override { return settings_; }
  std::string Scratch() override { return scratch_; }
  std::string CurrentFolder() override { return fs::current_path().string(); }
  // Only read-only has a counterpart here, and only on files.
  bool SetAttributes(const std::string& path, uint32_t attributes) override {
    fs::path host = StdFileSystem::ToPath(path);
    if ((attributes & ~kAttributeReadOnly) != 0 || !fs::is_regular_file(host)) return false;
    fs::permissions(host, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    return true;
  }
  std::optional<std::string> ShortName(const std::string&) override { return std::nullopt; }
  // A file size limit makes every write past it fail as a full disk would, whoever runs the tests.
  bool FillDisk(uint64_t roomLeft) override {
    ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limit = saved_;
    limit.rlim_cur = roomLeft;
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  void EmptyDisk() override { ::setrlimit(RLIMIT_FSIZE, &saved_); }

 private:
  rlimit saved_{};
  std::string scratch_;
  StdFileSystem hostFiles_;
  CaseFoldingFiles files_{hostFiles_};
  InMemorySettingsStore settings_;
};

}  // namespace

std::vector<Implementation> Implementations() {
  return {{"Fakes", [] { return std::make_unique<FakeHost>(); }, true},
          {"PortableHost", [] { return std::make_unique<StdHost>(); }, false}};
}

}  // namespace veltrane::contract
