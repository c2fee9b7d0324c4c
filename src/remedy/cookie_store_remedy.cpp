// Cookies in browsers' stores: deleted, saved into a backup and put back, one store and host at a time.
#include "remedy/cookie_store_remedy.h"

#include "base/errors.h"
#include "base/text.h"
#include "program/app.h"
#include "program/error_report.h"
#include "remedy/removal.h"
#include "scan/browser_stores.h"
#include "ui/result_texts.h"

namespace veltrane {

namespace {

constexpr std::string_view kSavedFolder = "Cookie stores";

StoreHost StoreOf(std::string_view pathFound) {
  std::optional<StoreHost> parsed = ParseStoreReference(pathFound);
  if (!parsed) Raise(kErrBadFileName);
  return *parsed;
}

void ShowStoreHeld(App& app, const StoreHost& target, std::string_view action) {
  const std::string& browser = target.store.browser;
  ShowMessage(app,
              target.store.path + "\r\n" + browser + " is using this cookie store, so the cookies of " +
                  target.host + " were not " + std::string(action) + ". Close " + browser + " and " +
                  (action == "removed" ? "remove" : "restore") + " again.",
              MsgButtons::kOk, MsgIcon::kExclamation);
}

}  // namespace

bool IsCookieStoreFinding(std::string_view category, std::string_view pathFound) {
  return EqualsIgnoreCase(category, kCategoryCookie) && ParseStoreReference(pathFound).has_value();
}

bool DeleteCookieStoreResult(App& app, int index1Based) {
  bool removed = false;
  Guarded(app.os.dialogs, "DeleteCookieStoreResult", [&] {
    ListView& results = app.main.lvwScanDriveResult;
    if (index1Based < 1 || static_cast<size_t>(index1Based) > results.Count()) return;
    StoreHost target = StoreOf(results.Row(static_cast<size_t>(index1Based - 1)).SubItem(1));
    uint64_t deleted = 0;
    int error =
        app.os.cookieStores.DeleteCookies(target.store.path, target.store.table, target.host, deleted);
    if (error == kErrFileAlreadyOpen) {
      ShowStoreHeld(app, target, "removed");
      return;
    }
    Check(error);
    removed = true;
    if (deleted > 0) RaiseRemovalCounter(app);
  });
  return removed;
}

std::string SavedCookiesPath(std::string_view backupFolder, int number) {
  return std::string(backupFolder) + "\\" + std::string(kSavedFolder) + "\\" + std::to_string(number) +
         ".sqlite";
}

bool BackupCookieStore(App& app, const BackupRecord& record, const std::string& backupFolder, int number) {
  bool saved = false;
  Guarded(app.os.dialogs, "BackupCookieStore", [&] {
    StoreHost target = StoreOf(record.path);
    IFileSystem& files = app.os.files;
    std::string folder = backupFolder + "\\" + std::string(kSavedFolder);
    if (!files.PathFileExists(backupFolder)) Check(files.CreateFolder(backupFolder));
    if (!files.PathFileExists(folder)) Check(files.CreateFolder(folder));
    std::string savedPath = SavedCookiesPath(backupFolder, number);
    // A save left by an earlier backup of the same name belongs to that list's records, not to these.
    if (files.PathFileExists(savedPath)) Check(files.DeleteFile(savedPath));
    uint64_t count = 0;
    Check(app.os.cookieStores.SaveCookies(target.store.path, target.store.table, target.host, savedPath,
                                          count));
    saved = true;
  });
  return saved;
}

bool RestoreCookieStore(App& app, const BackupRecord& record, const std::string& backupFolder, int number) {
  bool putBack = false;
  Guarded(app.os.dialogs, "RestoreCookieStore", [&] {
    StoreHost target = StoreOf(record.path);
    std::string saved = SavedCookiesPath(backupFolder, number);
    if (!app.os.files.PathFileExists(saved)) return;
    uint64_t restored = 0;
    int error = app.os.cookieStores.RestoreCookies(target.store.path, target.store.table, saved, restored);
    if (error == kErrFileAlreadyOpen) {
      ShowStoreHeld(app, target, "restored");
      return;
    }
    Check(error);
    putBack = true;
  });
  return putBack;
}

}  // namespace veltrane
