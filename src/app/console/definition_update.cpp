// The definition update: check, decode and read the new set first, keep the installed set, then replace
// it file by file, putting back what was replaced as soon as one step fails.
#include "app/console/definition_update.h"

#include <array>
#include <stdexcept>

#include "app/console/definition_set.h"
#include "base/errors.h"
#include "base/text.h"
#include "program/app.h"
#include "program/whole_file.h"

namespace veltrane {
namespace {

struct UpdateFailure {
  std::string message;
};

[[noreturn]] void Fail(std::string message) {
  throw UpdateFailure{std::move(message)};
}

void Require(int error, const std::string& what) {
  if (error != kErrNone) Fail(what + ": " + std::string(ErrorDescription(error)));
}

// The contents of each file of the set, in the order of kDefinitionFiles; nullopt for an absent file.
using FileSet = std::array<std::optional<std::string>, kDefinitionFiles.size()>;

std::string Join(std::string folder, std::string_view name) {
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder + "\\" + std::string(name);
}

std::optional<std::string> ReadIfPresent(IFileSystem& files, const std::string& path) {
  if (!IsFile(files, path)) return std::nullopt;
  std::string contents;
  Require(files.ReadFile(path, contents), path + " cannot be read");
  return contents;
}

FileSet ReadSet(IFileSystem& files, const std::string& folder) {
  FileSet set;
  for (size_t i = 0; i < set.size(); ++i) set[i] = ReadIfPresent(files, Join(folder, kDefinitionFiles[i]));
  return set;
}

std::string HexSha256(IDigest& digest, std::string_view data) {
  std::optional<std::string> hash = digest.Sha256(data);
  if (!hash) Fail("SHA-256 is not available on this system");
  return ToHexLower(*hash);
}

void CheckSums(IDigest& digest, const FileSet& set, const std::string& sumsPath,
               const std::string& sumsText) {
  std::optional<Sha256Sums> sums;
  try {
    sums.emplace(sumsText);
  } catch (const std::invalid_argument& error) {
    Fail(sumsPath + ": " + error.what());
  }
  for (size_t i = 0; i < set.size(); ++i) {
    if (!set[i]) continue;
    std::string name(kDefinitionFiles[i]);
    std::optional<std::string> expected = sums->Find(name);
    if (!expected) Fail(name + " is not listed in " + sumsPath);
    if (HexSha256(digest, *set[i]) != *expected) Fail(name + " does not match its SHA-256 in " + sumsPath);
  }
}

// Lines that sha256sum -c and Get-FileHash comparisons read alike.
std::string SumsText(IDigest& digest, const FileSet& set) {
  std::string text;
  for (size_t i = 0; i < set.size(); ++i) {
    if (set[i]) text += HexSha256(digest, *set[i]) + "  " + std::string(kDefinitionFiles[i]) + "\n";
  }
  return text;
}

// Decodes and reads every file of the set in a scratch folder with the program's own loaders.
DefinitionCounts ProveReadable(App& app, const FileSet& set) {
  IFileSystem& files = app.os.files;
  const std::string staging = app.ProgramFile(kStagingFolder);
  if (files.PathFileExists(staging)) Require(files.DeleteFolder(staging), staging + " cannot be emptied");
  Require(files.CreateFolder(staging), staging + " cannot be created");
  struct Cleanup {
    IFileSystem& files;
    const std::string& folder;
    ~Cleanup() { files.DeleteFolder(folder); }
  } cleanup{files, staging};
  for (size_t i = 0; i < set.size(); ++i) {
    std::string path = Join(staging, kDefinitionFiles[i]);
    if (set[i]) Require(WriteFileWhole(files, path, *set[i]), path + " cannot be written");
  }
  DefinitionCounts counts = LoadDefinitionSet(app, staging, app.os.dialogs);
  if (counts.failures != 0) Fail("the new definitions could not be decoded and read");
  for (size_t i = 0; i < set.size(); ++i) {
    if (set[i] && counts.fields[i] == 0) Fail(std::string(kDefinitionFiles[i]) + " holds no definitions");
  }
  return counts;
}

// Writes the file whole, or deletes it for an absent one.
int Put(IFileSystem& files, const std::string& path, const std::optional<std::string>& contents) {
  if (contents) return WriteFileWhole(files, path, *contents);
  return IsFile(files, path) ? files.DeleteFile(path) : kErrNone;
}

// Keeps the installed set, then puts the new one in its place; on a failure the files already replaced
// get their earlier contents back.
void InstallSet(App& app, IDigest& digest, const FileSet& next) {
  IFileSystem& files = app.os.files;
  const FileSet installed = ReadSet(files, app.ProgramFolder());

  // The kept set's sums go first and come back last, so a half-written kept set is never taken for whole.
  const std::string kept = app.ProgramFile(kKeptDefinitionsFolder);
  const std::string keptSums = Join(kept, kSumsFile);
  if (IsFile(files, keptSums)) Require(files.DeleteFile(keptSums), keptSums + " cannot be replaced");
  if (!files.PathFileExists(kept)) Require(files.CreateFolder(kept), kept + " cannot be created");
  bool anyInstalled = false;
  for (size_t i = 0; i < installed.size(); ++i) {
    std::string path = Join(kept, kDefinitionFiles[i]);
    Require(Put(files, path, installed[i]), path + " cannot be written");
    anyInstalled = anyInstalled || installed[i].has_value();
  }
  if (anyInstalled)
    Require(WriteFileWhole(files, keptSums, SumsText(digest, installed)), keptSums + " cannot be written");

  for (size_t i = 0; i < next.size(); ++i) {
    std::string target = app.ProgramFile(kDefinitionFiles[i]);
    int error = Put(files, target, next[i]);
    if (error == kErrNone) continue;
    std::string message = target + " cannot be replaced: " + std::string(ErrorDescription(error));
    for (size_t done = i; done-- > 0;) {
      std::string undone = app.ProgramFile(kDefinitionFiles[done]);
      if (Put(files, undone, installed[done]) != kErrNone)
        message +=
            "; " + undone + " could not be put back (veltrane update --rollback restores the kept set)";
    }
    Fail(message + "; the installed definitions are unchanged");
  }
}

void PrintInstalled(std::ostream& out, std::string_view what, const DefinitionCounts& counts) {
  out << "Installed " << what << ": protection count " << counts.protectionCount << "\n";
}

template <class Body>
int Run(std::ostream& err, Body&& body) {
  try {
    body();
    return 0;
  } catch (const UpdateFailure& failure) {
    err << "veltrane update: " << failure.message << "\n";
    return 2;
  }
}

}  // namespace

Sha256Sums::Sha256Sums(std::string_view text) {
  std::vector<std::string_view> lines = SplitLines(text);
  for (size_t n = 0; n < lines.size(); ++n) {
    std::string_view line = lines[n];
    if (TrimSpaces(line).empty()) continue;
    bool hex = line.size() > 66 &&
               line.substr(0, 64).find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos;
    if (!hex || line[64] != ' ' || (line[65] != ' ' && line[65] != '*'))
      throw std::invalid_argument("line " + std::to_string(n + 1) + " is not \"SHA-256  name\"");
    entries_.emplace_back(std::string(line.substr(66)), Lower(line.substr(0, 64)));
  }
}

std::optional<std::string> Sha256Sums::Find(std::string_view name) const {
  for (const auto& [entryName, hash] : entries_) {
    if (EqualsIgnoreCase(entryName, name)) return hash;
  }
  return std::nullopt;
}

int UpdateDefinitions(App& app, IDigest& digest, const std::string& folder, std::ostream& out,
                      std::ostream& err) {
  return Run(err, [&] {
    IFileSystem& files = app.os.files;
    FileSet next = ReadSet(files, folder);
    for (size_t i = 0; i < next.size(); ++i) {
      if (!next[i]) Fail(Join(folder, kDefinitionFiles[i]) + " is missing; an update brings all four files");
    }
    const std::string sumsPath = Join(folder, kSumsFile);
    if (std::optional<std::string> sums = ReadIfPresent(files, sumsPath)) {
      CheckSums(digest, next, sumsPath, *sums);
    } else {
      out << "No " << kSumsFile << " in " << folder << ": the files are checked by reading them only\n";
    }
    DefinitionCounts counts = ProveReadable(app, next);
    InstallSet(app, digest, next);
    PrintInstalled(out, "the definitions of " + folder, counts);
  });
}

int RollBackDefinitions(App& app, IDigest& digest, std::ostream& out, std::ostream& err) {
  return Run(err, [&] {
    IFileSystem& files = app.os.files;
    const std::string kept = app.ProgramFile(kKeptDefinitionsFolder);
    std::optional<std::string> sums = ReadIfPresent(files, Join(kept, kSumsFile));
    if (!sums) Fail("there is no kept definition set to put back");
    FileSet previous = ReadSet(files, kept);
    CheckSums(digest, previous, Join(kept, kSumsFile), *sums);
    DefinitionCounts counts = ProveReadable(app, previous);
    InstallSet(app, digest, previous);
    PrintInstalled(out, "the kept definitions", counts);
  });
}

}  // namespace veltrane
