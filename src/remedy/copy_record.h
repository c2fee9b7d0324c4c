// What each copy of a backup must be: recorded beside the copies when they are made, checked before
// restore writes a copy back, so that a cut-short or changed copy is never restored as the user's file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/digest.h"
#include "platform/files.h"

namespace veltrane {

// The record's file in a copies folder. A copies folder without it was made by an earlier version.
inline constexpr std::string_view kCopyRecordName = "Copies record.txt";
// Larger copies are recorded by their size alone: their SHA-256 would mean holding them in memory whole.
inline constexpr uint64_t kHashedCopyLimit = 64ull * 1024 * 1024;

// One file of a copy: its path below the copies folder ("2\kit\x.dll"), size and lower-case hex SHA-256
// (empty when not recorded).
struct CopiedFile {
  std::string relative;
  uint64_t size = 0;
  std::string sha256;
};

// Every file of the copy in copiesFolder\number, in a stable order. False when the copy holds a link or an
// entry that cannot be read (nothing can be vouched for then). The SHA-256 is taken when digest is given
// and the file is at most kHashedCopyLimit.
bool DescribeCopy(IFileSystem& files, IDigest* digest, const std::string& copiesFolder, int number,
                  std::vector<CopiedFile>& described);

// The record's text, one line per file: relative ":-" size ":-" SHA-256, then CR LF.
std::string CopyRecordText(const std::vector<CopiedFile>& copies);
// The files of a record's text; nullopt when any line cannot be read.
std::optional<std::vector<CopiedFile>> ParseCopyRecord(std::string_view text);

// True when the copy in copiesFolder\number holds exactly the files the record lists for it, of the
// recorded sizes and (where recorded and a digest is given) SHA-256.
bool CopyMatchesRecord(IFileSystem& files, IDigest* digest, const std::string& copiesFolder, int number,
                       const std::vector<CopiedFile>& record);

}  // namespace veltrane
