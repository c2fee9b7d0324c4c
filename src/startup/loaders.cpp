// The definition load cycle: decode the encoded file in memory and read its fields.
#include "startup/loaders.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include "base/errors.h"
#include "codec/codec_files.h"
#include "program/app.h"
#include "program/error_report.h"
#include "program/whole_file.h"
#include "startup/field_reader.h"

namespace veltrane {
namespace {

// Whether a list that cannot be read is named to the user: the extensions have their fixed four.
enum class Unread { kNamed, kSilent };

// Runs the load cycle of one definition file as the procedure named; reserve(fields) learns how many fields
// follow, then store(position, field) receives every field with its 0-based position in the file. A missing
// file raises no error. The list is decoded in memory, so a scan needs no write access to the program's
// folder and no plain copy is ever left behind.
template <class Reserve, class Store>
void LoadDefinitionFile(App& app, std::string_view procedure, std::string_view fileName, Unread unread,
                        Reserve&& reserve, Store&& store) {
  const std::string source = app.ProgramFile(fileName);
  bool whole = false;
  Guarded(app.os.dialogs, procedure, [&] {
    IFileSystem& files = app.os.files;
    if (files.PathFileExists(source)) {
      std::string text;
      bool decoded = DecompressToText(app, source, text);
      // Sources are UTF-8; lists encoded by earlier versions hold the code page's bytes.
      text = StoredTextAsUtf8(app.os.environment, std::move(text));
      std::string_view field;
      // Counting first costs a pass over the text, a small part of what growing the lists step by step
      // would: each step copies every definition read so far.
      size_t fields = 0;
      for (FieldReader counter(text); counter.Next(field);) ++fields;
      reserve(fields);
      FieldReader reader(text);
      size_t position = 0;
      int32_t& count = app.definitions.lDefinitionCount;
      while (reader.Next(field)) {
        if (count == std::numeric_limits<int32_t>::max()) Raise(kErrOverflow);
        ++count;
        store(position, field);
        ++position;
      }
      // A list that decodes to no field at all is as useless to a scan as a damaged one.
      whole = decoded && position > 0;
    }
  });
  std::vector<std::string>& unreadLists = app.definitions.unreadLists;
  if (!whole && unread == Unread::kNamed &&
      std::find(unreadLists.begin(), unreadLists.end(), source) == unreadLists.end()) {
    unreadLists.push_back(source);
  }
}

// The first field of each pair goes to names, the second to values; an odd last field has no partner.
void ReservePairs(std::vector<std::string>& names, std::vector<std::string>& values, size_t fields) {
  names.reserve(names.size() + (fields + 1) / 2);
  values.reserve(values.size() + fields / 2);
}

}  // namespace

void FillScanList(App&) {}

void FillScanItemList(App& app) {
  DefinitionStore& store = app.definitions;
  LoadDefinitionFile(
      app, "FillScanItemList", "spyList", Unread::kNamed,
      [&](size_t fields) { ReservePairs(store.sScanItemName, store.sScanItemFile, fields); },
      [&](size_t position, std::string_view field) {
        (position % 2 == 0 ? store.sScanItemName : store.sScanItemFile).emplace_back(field);
      });
}

void FillRegistryScanItemList(App& app) {
  DefinitionStore& store = app.definitions;
  LoadDefinitionFile(
      app, "FillRegistryScanItemList", "RegistrySpyList", Unread::kNamed,
      [&](size_t fields) { ReservePairs(store.sRegistryItemName, store.sRegistryItemKey, fields); },
      [&](size_t position, std::string_view field) {
        (position % 2 == 0 ? store.sRegistryItemName : store.sRegistryItemKey).emplace_back(field);
      });
}

void FillScanItemExtList(App& app) {
  DefinitionStore& store = app.definitions;
  LoadDefinitionFile(
      app, "FillScanItemExtList", "spyExtList", Unread::kSilent, [](size_t) {},
      [&](size_t, std::string_view field) { store.sScanItemExt.emplace_back(field); });
  // The memory scan counts on exactly these four, so they are set even when reading the file failed.
  store.sScanItemExt.assign(kScanItemExtensions.begin(), kScanItemExtensions.end());
}

void FillCookieList(App& app) {
  std::vector<std::string>& cookies = app.definitions.sCookieItem;
  // The first field of a pair takes a new element and its partner overwrites it.
  LoadDefinitionFile(
      app, "FillCookieList", "SpywareCookies", Unread::kNamed,
      [&](size_t fields) { cookies.reserve(cookies.size() + (fields + 1) / 2); },
      [&](size_t position, std::string_view field) {
        if (position % 2 == 0) {
          cookies.emplace_back(field);
        } else {
          cookies.back().assign(field);
        }
      });
}

void ReportUnreadDefinitions(App& app) {
  const std::vector<std::string>& unreadLists = app.definitions.unreadLists;
  if (unreadLists.empty()) return;
  std::string text = "These definition lists are missing or damaged, so scans cannot find what they list:";
  for (const std::string& path : unreadLists) text += "\r\n" + path;
  ShowMessage(app, text, MsgButtons::kOk, MsgIcon::kExclamation);
}

}  // namespace veltrane
