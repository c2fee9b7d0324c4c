// Parsing and naming rules shared by removal, backup and restore.
#include "remedy/records.h"

#include "base/text.h"
#include "base/whole_file.h"
#include "remedy/path_canon.h"
#include "ui/result_texts.h"

namespace veltrane {

namespace {

constexpr std::string_view kSeparator = ":-";
constexpr std::string_view kValueMark = "--";

std::string TrimmedCopy(std::string_view text) {
  return std::string(TrimSpaces(text));
}

// Splits a key part at its first backslash into root name and sub-key, both trimmed.
void SplitKey(std::string_view key, std::string& root, std::string& subKey) {
  size_t slash = key.find('\\');
  if (slash == std::string_view::npos) {
    root = TrimmedCopy(key);
    subKey.clear();
  } else {
    root = TrimmedCopy(key.substr(0, slash));
    subKey = TrimmedCopy(key.substr(slash + 1));
  }
}

}  // namespace

std::optional<BackupRecord> ParseBackupRecord(std::string_view line) {
  if (TrimSpaces(line).empty()) return std::nullopt;
  size_t first = line.find(kSeparator);
  if (first == std::string_view::npos) return std::nullopt;
  std::string_view rest = TrimSpaces(line.substr(first + kSeparator.size()));
  size_t second = rest.find(kSeparator);
  if (second == std::string_view::npos) return std::nullopt;
  BackupRecord record;
  record.item = TrimmedCopy(line.substr(0, first));
  record.path = TrimmedCopy(rest.substr(0, second));
  record.category = TrimmedCopy(rest.substr(second + kSeparator.size()));
  return record;
}

bool IsDriveCategory(std::string_view category) {
  return EqualsIgnoreCase(category, kCategoryDrives);
}
bool IsRegistryCategory(std::string_view category) {
  return EqualsIgnoreCase(category, kCategoryRegistry);
}

RegistryRemovalTarget SplitRemovalRecord(std::string_view text) {
  RegistryRemovalTarget target;
  size_t last = text.rfind(kValueMark);
  std::string_view key = text;
  if (last != std::string_view::npos) {
    target.valueName = TrimmedCopy(text.substr(last + kValueMark.size()));
    key = text.substr(0, text.find(kValueMark));
  }
  SplitKey(TrimSpaces(key), target.rootName, target.subKey);
  return target;
}

std::optional<RegKey> RemovalRoot(std::string_view rootName) {
  if (rootName == "HKEY_CLASSES_ROOT") return kHkeyClassesRoot;
  if (rootName == "HKEY_LOCAL_MACHINE") return kHkeyLocalMachine;
  if (rootName == "HKEY_CURRENT_USER") return kHkeyCurrentUser;
  return std::nullopt;
}

RegistryRestoreTarget SplitRestoreRecord(std::string_view text) {
  RegistryRestoreTarget target;
  // A "--" at the very start does not open a value part; positions here are 0-based.
  size_t last = text.rfind(kValueMark);
  if (last != std::string_view::npos && last >= 1)
    target.valueName = TrimmedCopy(text.substr(last + kValueMark.size()));
  size_t first = text.find(kValueMark);
  std::string_view key;
  if (first == std::string_view::npos || first < 1) {
    key = TrimSpaces(text);
  } else {
    key = TrimSpaces(text.substr(0, first));
    if (last != std::string_view::npos && last > first + kValueMark.size()) {
      size_t dataStart = first + kValueMark.size();
      target.data = TrimmedCopy(text.substr(dataStart, last - dataStart));
    }
  }
  SplitKey(key, target.rootName, target.subKey);
  return target;
}

std::optional<RegKey> RestoreRoot(std::string_view rootName) {
  return RemovalRoot(Upper(rootName));
}

std::string BackupBaseName(std::string_view listPath) {
  std::string_view name = FileNamePart(listPath);
  size_t dot = name.rfind('.');
  return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

bool IsSafeName(std::string_view name) {
  if (TrimSpaces(name).empty()) return false;
  bool onlyDots = true;
  for (char c : name) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) return false;
    if (c != '.' && c != ' ') onlyDots = false;
  }
  return !onlyDots;
}

std::optional<std::string> CopyName(std::string_view foundPath) {
  std::string_view path = TrimSpaces(foundPath);
  while (!path.empty() && path.back() == '\\') {
    path.remove_suffix(1);
    path = TrimSpaces(path);
  }
  size_t slash = path.rfind('\\');
  if (slash == std::string_view::npos) return std::nullopt;
  std::string name = TrimmedCopy(path.substr(slash + 1));
  if (!IsSafeName(name)) return std::nullopt;
  return name;
}

// Names the file system takes for one ("x.dll", "X.DLL", "x.dll.") share their slots.
int CopySlots::Next(std::string_view copyName) {
  return ++seen_[CanonicalFileName(copyName)];
}

std::string SlotFolder(std::string_view backupFolder, int slot) {
  std::string folder(backupFolder);
  if (slot > 1) folder += "\\" + std::to_string(slot);
  return folder;
}

std::string CopiesLine(std::string_view folderName) {
  return std::string(kCopiesCategory) + ":-" + std::string(folderName) + ":-" + std::string(kCopiesCategory) +
         "\r\n";
}

std::optional<std::string> CopiesFolderOf(std::string_view plain) {
  std::vector<std::string_view> lines = SplitLines(plain);
  if (lines.empty()) return std::nullopt;
  std::optional<BackupRecord> first = ParseBackupRecord(lines.front());
  if (!first || !EqualsIgnoreCase(first->category, kCopiesCategory)) return std::nullopt;
  return first->path;
}

std::string CopiesFolderName(std::string_view baseName, int number) {
  return std::string(baseName) + " (" + std::to_string(number) + ")";
}

std::vector<PlannedCopy> PlanCopies(std::string_view plain) {
  std::vector<PlannedCopy> plan;
  CopySlots slots;
  for (std::string_view line : SplitLines(plain)) {
    std::optional<BackupRecord> record = ParseBackupRecord(line);
    if (!record || !IsDriveCategory(record->category)) continue;
    std::optional<std::string> name = CopyName(record->path);
    if (!name) continue;
    int slot = slots.Next(*name);
    plan.push_back({record->path, *name, static_cast<int>(plan.size()) + 1, slot});
  }
  return plan;
}

bool SharesSlotFolder(const PlannedCopy& copy, const std::vector<PlannedCopy>& plan) {
  if (copy.name.empty() || copy.name.size() > 9 || copy.name[0] == '0' ||
      copy.name.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  int number = std::stoi(copy.name);
  for (const PlannedCopy& other : plan) {
    if (number >= 2 && other.slot == number) return true;
  }
  return false;
}

std::string BackupIndexPath(std::string_view backupsFolder) {
  std::string path(backupsFolder);
  if (path.empty() || path.back() != '\\') path += '\\';
  return path + "Backup";
}

bool IndexLineNames(std::string_view line, std::string_view listPath) {
  size_t first = line.find(kSeparator);
  if (first == std::string_view::npos) return false;
  std::string_view rest = line.substr(first + kSeparator.size());
  size_t second = rest.find(kSeparator);
  if (second == std::string_view::npos) return false;
  return EqualsIgnoreCase(rest.substr(0, second), listPath);
}

}  // namespace veltrane
