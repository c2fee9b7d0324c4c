// The start-up loaders that fill the definition store from the encoded definition files.
#pragma once

#include <array>
#include <string_view>

namespace veltrane {

class App;

// The extensions the memory scan tries, whatever the extension file holds.
inline constexpr std::array<std::string_view, 4> kScanItemExtensions{"exe", "dll", "log", "lnk"};

// Does nothing; the splash shows its step all the same.
void FillScanList(App& app);
// "spyList": odd fields to sScanItemName, even fields to sScanItemFile.
void FillScanItemList(App& app);
// "RegistrySpyList": odd fields to sRegistryItemName, even fields to sRegistryItemKey.
void FillRegistryScanItemList(App& app);
// "spyExtList": read and counted, then sScanItemExt becomes the four fixed extensions.
void FillScanItemExtList(App& app);
// "SpywareCookies": sCookieItem keeps the second field of every pair (the last field when unpaired).
void FillCookieList(App& app);

// Names every definition list that the loaders could not read whole, in one message; nothing when all
// were read.
void ReportUnreadDefinitions(App& app);

}  // namespace veltrane
