// Feeds any bytes to the restore reader, as the plain text of a backup list from elsewhere: the record
// parsers must hand out trimmed pieces of the line only, copy names must stay single safe names, and a
// whole restore over the fakes must end, copy nothing but its own backup folder's files and write no
// registry key outside the three roots restore accepts (its root parser hands out no other).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/text.h"
#include "codec/crypto_graphy.h"
#include "remedy/path_canon.h"
#include "remedy/records.h"
#include "remedy/restore.h"

#include "fakes/fake_services.h"

namespace {

using namespace veltrane;

void Require(bool condition) {
  if (!condition) std::abort();
}

bool IsPieceOf(std::string_view piece, std::string_view whole) {
  return piece.empty() || whole.find(piece) != std::string_view::npos;
}

void CheckRecord(std::string_view line) {
  std::optional<BackupRecord> record = ParseBackupRecord(line);
  if (!record) return;
  Require(line.find(":-") != std::string_view::npos);
  for (const std::string* part : {&record->item, &record->path, &record->category}) {
    Require(IsPieceOf(*part, line));
    Require(part->empty() || (part->front() != ' ' && part->back() != ' '));
  }
  Require(record->path.find(":-") == std::string::npos);

  std::optional<std::string> name = CopyName(record->path);
  if (name) {
    Require(IsSafeName(*name));
    Require(name->find_first_of("\\/:") == std::string::npos);
    // Inside any folder, the copy's canonical path stays below that folder.
    std::string folder = CanonicalPath("C:\\P\\list");
    for (int slot : {1, 2, 17}) {
      std::string source = CanonicalPath(SlotFolder("C:\\P\\list", slot) + "\\" + *name);
      Require(source != folder && IsSameOrInside(source, folder));
    }
  }

  RegistryRestoreTarget restore = SplitRestoreRecord(record->path);
  RegistryRemovalTarget removal = SplitRemovalRecord(record->path);
  for (const std::string* part : {&restore.rootName, &restore.subKey, &restore.valueName, &restore.data,
                                  &removal.rootName, &removal.subKey, &removal.valueName}) {
    Require(IsPieceOf(*part, record->path));
  }
  if (std::optional<RegKey> root = RestoreRoot(restore.rootName)) {
    Require(*root == kHkeyClassesRoot || *root == kHkeyCurrentUser || *root == kHkeyLocalMachine);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view plain(reinterpret_cast<const char*>(data), size);
  for (std::string_view line : SplitLines(plain)) CheckRecord(line);
  (void)CanonicalPath(plain);
  (void)CanonicalFileName(plain);

  // A whole restore over the fakes, with a canary beside the backup folder that no record may reach.
  fakes::FakeSystem system;
  const std::string program = "C:\\Program Files\\Veltrane";
  const std::string list = "C:\\Downloads\\list.bwk";
  system.files.AddFile(program + "\\canary.txt", "CANARY");
  system.files.AddFile(program + "\\list\\ok.txt", "own");
  system.files.AddFile(program + "\\list\\2\\ok.txt", "own");
  system.files.AddFile(program + "\\list (1)\\Backup list.txt", list);
  system.files.AddFile(program + "\\list (1)\\1\\ok.txt", "own");
  system.files.AddFolder("C:\\T");
  std::string encoded;
  clsCryptoGraphy().Compress(plain, encoded);
  system.files.AddFile(list, encoded);
  auto app = system.MakeApp();
  Require(RestoreBackupList(*app, list));
  for (const std::string& path : system.files.ListTree()) {
    if (EqualsIgnoreCase(path, program + "\\canary.txt")) continue;
    Require(system.files.Contents(path).value_or("") != "CANARY");
  }
  Require(system.files.Contents(list) == encoded);
  return 0;
}
