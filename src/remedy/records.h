// The texts removal, backup and restore read and write: backup list records, registry record texts,
// the names derived from a backup list's path, copy slots and backup index lines. Pure functions.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace veltrane {

// One line of a backup list: Searched Item ":-" Path found ":-" Scan Result, each part trimmed.
struct BackupRecord {
  std::string item;
  std::string path;
  std::string category;
};

// The record of one line, or nullopt for a line restore passes over (blank, or fewer than two ":-").
std::optional<BackupRecord> ParseBackupRecord(std::string_view line);

bool IsDriveCategory(std::string_view category);     // "Scan drives", case ignored
bool IsRegistryCategory(std::string_view category);  // "Scan registry", case ignored

// A registry record text split the way removal reads it: the root name as written, the sub-key and the
// value name (the data between the "--" marks is not needed to delete a value).
struct RegistryRemovalTarget {
  std::string rootName;
  std::string subKey;
  std::string valueName;
};
RegistryRemovalTarget SplitRemovalRecord(std::string_view text);
// Removal accepts three roots, spelled exactly.
std::optional<RegKey> RemovalRoot(std::string_view rootName);

// A registry record text split the way restore reads it, with the value data.
struct RegistryRestoreTarget {
  std::string rootName;
  std::string subKey;
  std::string valueName;
  std::string data;
};
RegistryRestoreTarget SplitRestoreRecord(std::string_view text);
// Restore accepts the same three roots in any letter case.
std::optional<RegKey> RestoreRoot(std::string_view rootName);

// The base name N a backup list's path gives (the file name up to its last "."), used for the backup
// folder; a dot in a folder name does not count.
std::string BackupBaseName(std::string_view listPath);

// True when a name can stand as one folder or file name inside the backup folder: not blank, not made
// of dots and blanks only, and free of separators, drive or stream colons and wildcard characters.
bool IsSafeName(std::string_view name);

// The name a found path's copy carries in the backup folder: the trimmed text after its last backslash
// (trailing backslashes of a folder path are dropped first); nullopt when the path has no backslash or
// the name is not safe.
std::optional<std::string> CopyName(std::string_view foundPath);

// Same-named copies share a backup folder: the first one lies directly in it, the n-th in a sub-folder
// named n. Backup and restore count the drive records of a list in the same order, so the n-th record
// whose copy has a given name (case ignored) finds the n-th copy.
class CopySlots {
 public:
  // The slot of the next record with this copy name: 1 for the first, 2 for the second, ...
  int Next(std::string_view copyName);

 private:
  std::map<std::string, int> seen_;
};
// The folder that holds the copy of the given slot.
std::string SlotFolder(std::string_view backupFolder, int slot);

// A backup list made now keeps its copies in a folder of its own in the program's folder, named on the
// list's first line, "Backup copies:-FOLDER:-Backup copies". Earlier restores pass that line over.
inline constexpr std::string_view kCopiesCategory = "Backup copies";
// The file in such a folder that marks it as one (it holds the path of the list it was made for).
inline constexpr std::string_view kCopiesMarker = "Backup list.txt";
// The first line of a list whose copies lie in the folder of that name, with its CR LF.
std::string CopiesLine(std::string_view folderName);
// The folder a list's first line names (not yet checked for safety), or nullopt for a list made the
// earlier way, whose copies lie in the folder of its base name.
std::optional<std::string> CopiesFolderOf(std::string_view plain);
// The name of a new copies folder: base name, a blank and the number in brackets, "monday (2)".
std::string CopiesFolderName(std::string_view baseName, int number);

// One drive record of a list that has a copy: number counts these records from 1 in list order (each
// copy lies in FOLDER\number\name), slot is its place among same-named copies in the earlier layout.
struct PlannedCopy {
  std::string path;
  std::string name;
  int number = 0;
  int slot = 0;
};
// Backup and restore both read the list's plain text through this, so they count the same records.
std::vector<PlannedCopy> PlanCopies(std::string_view plain);
// In the earlier layout a found folder named like a slot number ("2") shares its copy's place with the
// slot folder of that number; true when the list uses that slot, so the copy is not this record's own.
bool SharesSlotFolder(const PlannedCopy& copy, const std::vector<PlannedCopy>& plan);

// The backup index: "Backup" in the backups folder, with or without a trailing backslash there.
std::string BackupIndexPath(std::string_view backupsFolder);
// True when an index line's "Name" field (between its first and second ":-") is the list path.
bool IndexLineNames(std::string_view line, std::string_view listPath);

}  // namespace veltrane
