// The browsers' store locations, profiles.ini, and the store references of Result rows.
#include "scan/browser_stores.h"

#include "base/text.h"
#include "program/app.h"

namespace veltrane {

namespace {

const CookieTable kFirefoxTable{"moz_cookies", "host"};
const CookieTable kChromiumTable{"cookies", "host_key"};
constexpr std::string_view kFirefoxStoreName = "cookies.sqlite";
constexpr std::string_view kChromiumStoreName = "Cookies";

// The Chromium family's "User Data" folders. Opera keeps its one profile in the folder itself.
struct ChromiumBrowser {
  std::string_view name;
  std::string_view variable;  // "LOCALAPPDATA" or "APPDATA"
  std::string_view folder;
  bool profilesInside;
};
constexpr ChromiumBrowser kChromium[] = {
    {"Google Chrome", "LOCALAPPDATA", "Google\\Chrome\\User Data", true},
    {"Microsoft Edge", "LOCALAPPDATA", "Microsoft\\Edge\\User Data", true},
    {"Brave", "LOCALAPPDATA", "BraveSoftware\\Brave-Browser\\User Data", true},
    {"Vivaldi", "LOCALAPPDATA", "Vivaldi\\User Data", true},
    {"Opera", "APPDATA", "Opera Software\\Opera Stable", false},
    {"Opera GX", "APPDATA", "Opera Software\\Opera GX Stable", false},
};
// Chromium names its profiles "Default", "Profile 1", "Profile 2", ... and keeps the names of deleted
// ones unused, so numbers are tried up to this one rather than stopping at the first gap.
constexpr int kLastNumberedProfile = 99;

std::string Join(std::string_view folder, std::string_view name) {
  std::string joined(folder);
  if (!joined.empty() && joined.back() != '\\') joined += '\\';
  joined += name;
  return joined;
}

bool IsFullPath(std::string_view path) {
  return (path.size() >= 3 && path[1] == ':' && path[2] == '\\') || path.rfind("\\\\", 0) == 0;
}

bool ContainsIgnoreCase(std::string_view text, std::string_view part) {
  return Upper(text).find(Upper(part)) != std::string::npos;
}

void AddFirefoxStores(App& app, std::vector<BrowserStore>& stores) {
  std::string appData = app.os.environment.GetVariable("APPDATA");
  if (appData.empty()) return;
  std::string firefox = Join(appData, "Mozilla\\Firefox");
  std::string ini = Join(firefox, "profiles.ini");
  std::string text;
  if (!IsFile(app.os.files, ini) || app.os.files.ReadFile(ini, text) != 0) return;
  for (const std::string& profile : ProfilesIniFolders(text, firefox)) {
    std::string store = Join(profile, kFirefoxStoreName);
    if (IsFile(app.os.files, store)) stores.push_back({"Firefox", store, kFirefoxTable});
  }
}

void AddChromiumProfile(App& app, const ChromiumBrowser& browser, const std::string& profile,
                        std::vector<BrowserStore>& stores) {
  // Newer versions keep the store in Network; older ones beside it. Both are looked at.
  for (std::string_view place : {"Network\\Cookies", "Cookies"}) {
    std::string store = Join(profile, place);
    if (IsFile(app.os.files, store)) stores.push_back({std::string(browser.name), store, kChromiumTable});
  }
}

void AddChromiumStores(App& app, std::vector<BrowserStore>& stores) {
  for (const ChromiumBrowser& browser : kChromium) {
    std::string base = app.os.environment.GetVariable(std::string(browser.variable));
    if (base.empty()) continue;
    std::string userData = Join(base, browser.folder);
    if (!IsFolder(app.os.files, userData)) continue;
    if (!browser.profilesInside) {
      AddChromiumProfile(app, browser, userData, stores);
      continue;
    }
    std::vector<std::string> profiles = {"Default", "Guest Profile"};
    for (int i = 1; i <= kLastNumberedProfile; ++i) profiles.push_back("Profile " + std::to_string(i));
    for (const std::string& profile : profiles) {
      std::string folder = Join(userData, profile);
      if (IsFolder(app.os.files, folder)) AddChromiumProfile(app, browser, folder, stores);
    }
  }
}

std::string BrowserOfChromiumStore(std::string_view store) {
  for (const ChromiumBrowser& browser : kChromium) {
    if (ContainsIgnoreCase(store, "\\" + std::string(browser.folder) + "\\"))
      return std::string(browser.name);
  }
  return "the browser";
}

}  // namespace

std::vector<std::string> ProfilesIniFolders(std::string_view ini, std::string_view firefoxFolder) {
  struct Section {
    std::string path;
    bool relative = true;
  };
  std::vector<Section> sections;
  bool inProfile = false;
  size_t start = 0;
  while (start <= ini.size()) {
    size_t end = ini.find('\n', start);
    if (end == std::string_view::npos) end = ini.size();
    std::string line = Trim(ini.substr(start, end - start));
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      // Only [ProfileN] sections name profiles; [InstallXXXX] and [General] point at them or hold settings.
      inProfile = Upper(line).rfind("[PROFILE", 0) == 0;
      if (inProfile) sections.emplace_back();
      continue;
    }
    size_t equals = line.find('=');
    if (!inProfile || equals == std::string::npos) continue;
    std::string key = Trim(std::string_view(line).substr(0, equals));
    std::string value = Trim(std::string_view(line).substr(equals + 1));
    if (EqualsIgnoreCase(key, "Path")) sections.back().path = value;
    if (EqualsIgnoreCase(key, "IsRelative")) sections.back().relative = value != "0";
  }
  std::vector<std::string> folders;
  for (const Section& section : sections) {
    if (section.path.empty()) continue;
    std::string path = section.path;
    for (char& c : path) {
      if (c == '/') c = '\\';
    }
    std::string folder = section.relative ? Join(firefoxFolder, path) : path;
    // A relative path that climbs out, or an absolute one that is not full, names no profile of this user.
    if (!IsFullPath(folder) || folder.find("..") != std::string::npos) continue;
    bool seen = false;
    for (const std::string& earlier : folders) seen = seen || EqualsIgnoreCase(earlier, folder);
    if (!seen) folders.push_back(folder);
  }
  return folders;
}

std::vector<BrowserStore> FindBrowserStores(App& app) {
  std::vector<BrowserStore> stores;
  AddFirefoxStores(app, stores);
  AddChromiumStores(app, stores);
  return stores;
}

std::string StoreReference(std::string_view store, std::string_view host) {
  return std::string(store) + "|" + std::string(host);
}

std::optional<StoreHost> ParseStoreReference(std::string_view text) {
  size_t bar = text.find('|');
  if (bar == std::string_view::npos) return std::nullopt;
  std::string store(text.substr(0, bar));
  std::string host(text.substr(bar + 1));
  if (host.empty() || !IsFullPath(store)) return std::nullopt;
  size_t slash = store.find_last_of('\\');
  std::string_view name = std::string_view(store).substr(slash + 1);
  if (EqualsIgnoreCase(name, kFirefoxStoreName)) return StoreHost{{"Firefox", store, kFirefoxTable}, host};
  if (EqualsIgnoreCase(name, kChromiumStoreName)) {
    return StoreHost{{BrowserOfChromiumStore(store), store, kChromiumTable}, host};
  }
  return std::nullopt;
}

}  // namespace veltrane
