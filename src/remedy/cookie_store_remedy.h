// Removal, backup and restore of the cookies that a "Spyware Cookie" row names by store and host.
#pragma once

#include <string>
#include <string_view>

#include "remedy/records.h"

namespace veltrane {

class App;

// True for a cookie row (category "Spyware Cookie", case ignored) whose Path found names a store and a host.
bool IsCookieStoreFinding(std::string_view category, std::string_view pathFound);

// Deletes the host's cookies from the store in one transaction and counts the row; true when done. When the
// browser holds the store, nothing is deleted and a message asks the user to close it and remove again.
bool DeleteCookieStoreResult(App& app, int index1Based);

// The file in a backup folder that keeps the cookies of a list's n-th store record (n from 1).
std::string SavedCookiesPath(std::string_view backupFolder, int number);

// Saves the whole rows of the record's cookies beside the other copies of the backup; an older save of
// the same number is replaced; true when saved.
bool BackupCookieStore(App& app, const BackupRecord& record, const std::string& backupFolder, int number);
// Puts the saved cookies of the record back into its store; false when the save is missing or the store
// could not take them.
bool RestoreCookieStore(App& app, const BackupRecord& record, const std::string& backupFolder, int number);

}  // namespace veltrane
