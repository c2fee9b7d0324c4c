// Extended and ordinary path forms, decided by text alone.
#include "base/path_forms.h"

#include "base/text.h"

namespace veltrane {
namespace {

constexpr std::string_view kExtended = "\\\\?\\";
constexpr std::string_view kDevice = "\\\\.\\";

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool HasPrefix(std::string_view path, std::string_view prefix) {
  return path.substr(0, prefix.size()) == prefix;
}

// The names after the root: none empty (a trailing separator allowed), none "." or "..".
bool NamesArePlain(std::string_view names) {
  size_t start = 0;
  while (start < names.size()) {
    size_t end = start;
    while (end < names.size() && !IsSeparator(names[end])) ++end;
    std::string_view name = names.substr(start, end - start);
    if (name.empty() || name == "." || name == "..") return false;
    if (end + 1 == names.size()) return true;
    start = end + 1;
  }
  return true;
}

// How long the share root "\\server\share" of a UNC path is, 0 when the path is none.
size_t ShareRootLength(std::string_view path) {
  if (path.size() < 5 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return 0;
  size_t server = 2;
  while (server < path.size() && !IsSeparator(path[server])) ++server;
  if (server == 2 || server >= path.size()) return 0;
  size_t share = server + 1;
  while (share < path.size() && !IsSeparator(path[share])) ++share;
  if (share == server + 1) return 0;
  std::string_view serverName = path.substr(2, server - 2);
  return serverName == "?" || serverName == "." ? 0 : share;
}

bool IsDriveRoot(std::string_view path) {
  char letter = path.size() >= 3 ? static_cast<char>(path[0] | 0x20) : '\0';
  return letter >= 'a' && letter <= 'z' && path[1] == ':' && IsSeparator(path[2]);
}

std::string Backslashes(std::string_view path) {
  std::string result(path);
  for (char& c : result) {
    if (c == '/') c = '\\';
  }
  return result;
}

}  // namespace

bool IsPlainFullPath(std::string_view path) {
  if (IsDriveRoot(path)) return NamesArePlain(path.substr(3));
  size_t share = ShareRootLength(path);
  return share != 0 && (share == path.size() || NamesArePlain(path.substr(share + 1)));
}

std::string ExtendedPath(std::string_view path) {
  if (HasPrefix(path, kExtended) || HasPrefix(path, kDevice)) return std::string(path);
  if (!IsPlainFullPath(path)) return std::string();
  if (IsDriveRoot(path)) return std::string(kExtended) + Backslashes(path);
  return std::string(kExtended) + "UNC\\" + Backslashes(path.substr(2));
}

std::string OrdinaryPath(std::string_view path) {
  if (!HasPrefix(path, kExtended)) return std::string(path);
  std::string_view rest = path.substr(kExtended.size());
  if (rest.size() >= 4 && EqualsIgnoreCase(rest.substr(0, 4), "UNC\\"))
    return "\\\\" + std::string(rest.substr(4));
  return std::string(rest);
}

}  // namespace veltrane
