// The portable services: local time through <chrono>, environment variables, console messages.
#include "platform/std/std_services.h"

#include <chrono>
#include <cstdlib>
#include <ctime>

#include "base/errors.h"
#include "base/product.h"
#include "base/text.h"

namespace veltrane {

DateTime StdClock::Now() {
  std::time_t seconds = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local = *std::localtime(&seconds);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

uint64_t StdClock::MonotonicMs() {
  auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

int StdClock::UtcOffsetMinutes() {
  // The UTC calendar fields read back as local time are behind the present by the offset.
  std::time_t now = std::time(nullptr);
  std::tm local = *std::localtime(&now);
  std::tm utc = *std::gmtime(&now);
  utc.tm_isdst = local.tm_isdst;
  return static_cast<int>(std::difftime(now, std::mktime(&utc)) / 60);
}

std::string StdClock::GeneralDate(const DateTime& value) {
  auto two = [](int number) { return (number < 10 ? "0" : "") + std::to_string(number); };
  int hour = value.hour % 12 == 0 ? 12 : value.hour % 12;
  return std::to_string(value.month) + "/" + std::to_string(value.day) + "/" + std::to_string(value.year) +
         " " + std::to_string(hour) + ":" + two(value.minute) + ":" + two(value.second) +
         (value.hour < 12 ? " AM" : " PM");
}

std::string StdEnvironment::GetVariable(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value != nullptr ? value : "";
}

std::string StdEnvironment::ToUtf8(const std::string& text) {
  // A host without Windows' code pages reads earlier files as the Western European one.
  return Windows1252ToUtf8(text);
}

MsgAnswer ConsoleDialogs::MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                                     MsgIcon icon) {
  // Multi-line questions stay on one line so that every message is one line of the output.
  std::string oneLine = text;
  for (char& c : oneLine) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  out_ << title << ": " << oneLine << '\n';
  ++shown_;
  lastText_ = text;
  if (title != kAppTitle || icon == MsgIcon::kCritical || icon == MsgIcon::kExclamation ||
      text.rfind("Error", 0) == 0) {
    ++failures_;
    reports_.push_back({title, text});
  }
  return buttons == MsgButtons::kYesNo ? MsgAnswer::kYes : MsgAnswer::kOk;
}

std::optional<std::string> ConsoleDialogs::SaveFileDialog(const SaveFileRequest&) {
  auto name = std::move(saveName_);
  saveName_.reset();
  return name;
}

// Names match in any letter case and text ends at its first NUL, as in the registry that holds settings
// on Windows.
std::string InMemorySettingsStore::GetSetting(const std::string& appName, const std::string& section,
                                              const std::string& key, const std::string& defaultValue) {
  auto found = values_.find(Upper(appName + "|" + section + "|" + key));
  return found != values_.end() ? found->second : defaultValue;
}

int InMemorySettingsStore::SaveSetting(const std::string& appName, const std::string& section,
                                       const std::string& key, const std::string& value) {
  values_[Upper(appName + "|" + section + "|" + key)] = value.substr(0, value.find('\0'));
  return kErrNone;
}

int UnavailableShell::SaveShortcut(const std::string&, const ShortcutProperties&) {
  return kErrCannotCreateObject;
}

}  // namespace veltrane
