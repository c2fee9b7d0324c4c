// Process and file detail records, appended to the log under their process or file line.
#include "log/detail_records.h"

#include <optional>

#include "base/errors.h"
#include "base/text.h"
#include "log/log_text.h"
#include "log/version_block.h"
#include "program/app.h"
#include "program/error_report.h"

namespace veltrane {
namespace {

constexpr std::string_view kProcessIndent = "          ";  // 10 spaces
constexpr std::string_view kFileIndent = "     ";          // 5 spaces

struct VersionKey {
  std::string_view key;
  size_t distance;
};

// The start of each value: the key's length plus one, rounded up to a multiple of 4.
constexpr VersionKey kKeyCompanyName{"CompanyName", 12};
constexpr VersionKey kKeyFileDescription{"FileDescription", 16};
constexpr VersionKey kKeyFileVersion{"FileVersion", 12};
constexpr VersionKey kKeyInternalName{"InternalName", 16};
constexpr VersionKey kKeyLegalCopyright{"LegalCopyright", 16};
constexpr VersionKey kKeyOriginalFilename{"OriginalFilename", 20};
constexpr VersionKey kKeyProductName{"ProductName", 12};
constexpr VersionKey kKeyProductVersion{"ProductVersion", 16};

std::string Value(const std::optional<std::string>& block, const VersionKey& key) {
  if (!block) return {};
  return IsWideVersionBlock(*block) ? WideVersionValue(*block, key.key)
                                    : VersionValue(*block, key.key, key.distance);
}

void ProcessLine(LogText& text, std::string_view label, std::string_view value) {
  text.Line(std::string(kProcessIndent) + std::string(label) + std::string(value));
}

void FileLine(LogText& text, std::string_view label, std::string_view value = {}) {
  text.Line(std::string(kFileIndent) + std::string(label) + std::string(value));
}

// The last-access time of a file, or empty when its times cannot be read.
std::string AccessText(App& app, const std::string& path) {
  auto times = app.os.fileInfo.GetFileTimes(path);
  return times ? AccessTimeText(times->lastAccess) : std::string();
}

}  // namespace

void PrintIdentifiedProcessInfo(App& app, size_t index) {
  Guarded(app.os.dialogs, "PrintIdentifiedProcessInfo", [&] {
    if (index == 0) Raise(kErrSubscriptOutOfRange);
    const ListRow& row = app.main.lvwRunningProcessess.Row(index - 1);
    LogText text;
    ProcessLine(text, "         Threads: ", row.SubItem(1));
    ProcessLine(text, "           ProcID: ", row.SubItem(2));
    ProcessLine(text, "ParendProcID: ", row.SubItem(3));
    ProcessLine(text, "    BasePriority: ", row.SubItem(4));
    text.Line();
    text.FlushTo(app.main.rtfScanLog);
  });
}

void PrintIdentifiedProcessInfoForNT(App& app, size_t index) {
  Guarded(app.os.dialogs, "PrintIdentifiedProcessInfoForNT", [&] {
    if (index == 0) Raise(kErrSubscriptOutOfRange);
    const ListRow& row = app.main.lvwRunningProcessess.Row(index - 1);
    std::string path = row.text;
    // Paths like \SystemRoot\System32\smss.exe name a file of the system folder.
    if (!path.empty() && path.front() == '\\') {
      path = Trim(app.os.files.GetSystemDirectory()) + "\\" + std::string(FileNamePart(path));
      if (!app.os.files.PlainFileExists(path)) return;
    }
    if (!app.os.files.PlainFileExists(path)) Raise(kErrFileNotFound);
    LogText text;
    ProcessLine(text, "    ThreadCreationTime: ", AccessText(app, path));
    ProcessLine(text, "                         ProcID: ", row.SubItem(2));
    ProcessLine(text, "                  BasePriority: ", row.SubItem(4));
    text.Line();
    text.FlushTo(app.main.rtfScanLog);
  });
}

void PrintIdentifiedFileInfo(App& app, size_t index) {
  Guarded(app.os.dialogs, "PrintIdentifiedFileInfo", [&] {
    if (index == 0) Raise(kErrSubscriptOutOfRange);
    GetFileVersionData(app, app.main.lvwScanDriveResult.Row(index - 1).SubItem(1));
  });
}

void GetFileVersionData(App& app, const std::string& path) {
  try {
    uint64_t length = 0;
    DateTime written;
    Check(app.os.files.FileLength(path, length));
    Check(app.os.files.FileDateTime(path, written));
    IClock& clock = app.os.clock;
    std::string sizeText = SizeText(length, clock.ThousandsSeparator());
    std::string dateText = DateText(written, clock.DateSeparator(), clock.TimeSeparator());
    if (!app.os.files.PlainFileExists(path)) return;
    std::string accessText = AccessText(app, path);

    auto block = app.os.fileInfo.GetFileVersionInfo(path);
    std::string description =
        block ? Value(block, kKeyFileDescription) : "File Description:No information available.";

    LogText text;
    FileLine(text, "FileSize :", sizeText);
    FileLine(text, "FileCreation time :", dateText);
    FileLine(text, "Last accessed :", accessText);
    FileLine(text, "OS : No executable");
    std::string extension = Upper(ExtensionAfterFirstDot(path));
    if (extension == "EXE" || extension == "DLL") {
      FileLine(text, "FileVersion:", Value(block, kKeyFileVersion));
      FileLine(text, "ProductVersion:", Value(block, kKeyProductVersion));
      FileLine(text, "Copyright:", Value(block, kKeyLegalCopyright));
      FileLine(text, "CompanyName:", Value(block, kKeyCompanyName));
      FileLine(text, "FileDescription:", description);
      FileLine(text, "InternalName:", Value(block, kKeyInternalName));
      FileLine(text, "OriginalFileName:", Value(block, kKeyOriginalFilename));
      FileLine(text, "ProductName:", Value(block, kKeyProductName));
      text.Line();
    }
    text.FlushTo(app.main.rtfScanLog);
  } catch (const RuntimeError& error) {
    // The record ends after its message: asking again would repeat it without end for a file that is gone.
    ShowMessage(
        app,
        "Error " + std::to_string(error.Number()) + ": " + error.Description() + " in GetFileVersionData",
        MsgButtons::kOk, MsgIcon::kNone);
  }
}

}  // namespace veltrane
