// The record of a backup's copies: describing a copy, the record's text, and checking a copy against it.
#include "remedy/copy_record.h"

#include <algorithm>
#include <charconv>

#include "base/errors.h"
#include "base/text.h"

namespace veltrane {

namespace {

bool IsLink(IFileSystem& files, const std::string& path) {
  uint32_t attributes = files.GetFileAttributes(path);
  return attributes == kInvalidFileAttributes || (attributes & kAttributeReparsePoint) != 0;
}

// Walks a folder of a copy; links are never entered and make the copy one that cannot be vouched for.
bool Walk(IFileSystem& files, IDigest* digest, const std::string& folder, const std::string& relative,
          std::vector<CopiedFile>& described) {
  std::vector<FileEntry> entries;
  if (files.ListFiles(folder, entries) != kErrNone) return false;
  for (const FileEntry& entry : entries) {
    if (IsLink(files, entry.fullPath)) return false;
    CopiedFile file{relative + "\\" + entry.name, 0, {}};
    if (files.FileLength(entry.fullPath, file.size) != kErrNone) return false;
    if (digest != nullptr && file.size <= kHashedCopyLimit) {
      std::string data;
      if (files.ReadFile(entry.fullPath, data) != kErrNone) return false;
      std::optional<std::string> hash = digest->Sha256(data);
      if (hash) file.sha256 = ToHexLower(*hash);
    }
    described.push_back(std::move(file));
  }
  if (files.ListFolders(folder, entries) != kErrNone) return false;
  for (const FileEntry& entry : entries) {
    if (IsLink(files, entry.fullPath)) return false;
    if (!Walk(files, digest, entry.fullPath, relative + "\\" + entry.name, described)) return false;
  }
  return true;
}

void SortByName(std::vector<CopiedFile>& copies) {
  std::ranges::sort(copies, {}, [](const CopiedFile& file) { return Upper(file.relative); });
}

}  // namespace

bool DescribeCopy(IFileSystem& files, IDigest* digest, const std::string& copiesFolder, int number,
                  std::vector<CopiedFile>& described) {
  std::string folder = copiesFolder + "\\" + std::to_string(number);
  if (!IsFolder(files, folder) || IsLink(files, folder)) return false;
  std::vector<CopiedFile> found;
  if (!Walk(files, digest, folder, std::to_string(number), found)) return false;
  SortByName(found);
  described.insert(described.end(), found.begin(), found.end());
  return true;
}

std::string CopyRecordText(const std::vector<CopiedFile>& copies) {
  std::string text;
  for (const CopiedFile& file : copies)
    text += file.relative + ":-" + std::to_string(file.size) + ":-" + file.sha256 + "\r\n";
  return text;
}

std::optional<std::vector<CopiedFile>> ParseCopyRecord(std::string_view text) {
  std::vector<CopiedFile> copies;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) return std::nullopt;  // a record cut short
    std::string_view line = text.substr(start, end - start);
    start = end + 2;
    size_t hashAt = line.rfind(":-");
    size_t sizeAt = hashAt == std::string_view::npos || hashAt == 0 ? hashAt : line.rfind(":-", hashAt - 1);
    if (sizeAt == std::string_view::npos || sizeAt == 0) return std::nullopt;
    CopiedFile file{std::string(line.substr(0, sizeAt)), 0, std::string(line.substr(hashAt + 2))};
    std::string_view size = line.substr(sizeAt + 2, hashAt - sizeAt - 2);
    auto [stop, error] = std::from_chars(size.data(), size.data() + size.size(), file.size);
    if (error != std::errc() || stop != size.data() + size.size() || size.empty()) return std::nullopt;
    copies.push_back(std::move(file));
  }
  return copies;
}

bool CopyMatchesRecord(IFileSystem& files, IDigest* digest, const std::string& copiesFolder, int number,
                       const std::vector<CopiedFile>& record) {
  std::string prefix = Upper(std::to_string(number) + "\\");
  std::vector<CopiedFile> expected;
  for (const CopiedFile& file : record) {
    if (Upper(file.relative).starts_with(prefix)) expected.push_back(file);
  }
  std::vector<CopiedFile> found;
  if (!DescribeCopy(files, digest, copiesFolder, number, found)) return false;
  SortByName(expected);
  if (found.size() != expected.size()) return false;
  for (size_t i = 0; i < found.size(); ++i) {
    const CopiedFile& want = expected[i];
    const CopiedFile& have = found[i];
    if (Upper(want.relative) != Upper(have.relative) || want.size != have.size) return false;
    // Where the record has a digest and this run can take one, the content must be the same too.
    if (!want.sha256.empty() && !have.sha256.empty() && want.sha256 != have.sha256) return false;
  }
  return true;
}

}  // namespace veltrane
