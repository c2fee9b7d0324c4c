// The window-event pump, the local clock and locale formats, and the process environment.
#include "platform/win32/win32_system.h"

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_text.h"

namespace veltrane::win32 {
namespace {

char LocaleCharacter(LCTYPE type, char fallback) {
  char buffer[16] = {};
  if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) <= 1) return fallback;
  return buffer[0];
}

}  // namespace

void Win32EventPump::DoEvents() {
  MSG message{};
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The quit request belongs to the main message loop; put it back for that loop to see.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

DateTime Win32Clock::Now() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

uint64_t Win32Clock::MonotonicMs() {
  return ::GetTickCount64();
}

int Win32Clock::UtcOffsetMinutes() {
  TIME_ZONE_INFORMATION zone{};
  DWORD kind = ::GetTimeZoneInformation(&zone);
  LONG bias = zone.Bias;
  if (kind == TIME_ZONE_ID_STANDARD) bias += zone.StandardBias;
  if (kind == TIME_ZONE_ID_DAYLIGHT) bias += zone.DaylightBias;
  return static_cast<int>(-bias);
}

std::string Win32Clock::GeneralDate(const DateTime& value) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(value.year);
  time.wMonth = static_cast<WORD>(value.month);
  time.wDay = static_cast<WORD>(value.day);
  time.wHour = static_cast<WORD>(value.hour);
  time.wMinute = static_cast<WORD>(value.minute);
  time.wSecond = static_cast<WORD>(value.second);
  char date[128] = {};
  char clock[128] = {};
  int dateLength = ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof date);
  int timeLength = ::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, sizeof clock);
  if (dateLength <= 0 || timeLength <= 0) return std::string();
  return std::string(date) + " " + clock;
}

char Win32Clock::ThousandsSeparator() {
  return LocaleCharacter(LOCALE_STHOUSAND, ',');
}
char Win32Clock::DateSeparator() {
  return LocaleCharacter(LOCALE_SDATE, '/');
}
char Win32Clock::TimeSeparator() {
  return LocaleCharacter(LOCALE_STIME, ':');
}

std::string Win32Environment::GetVariable(const std::string& name) {
  DWORD size = ::GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  // The value can change between the two calls; a second round covers one change.
  for (int attempt = 0; attempt < 2 && size > 0; ++attempt) {
    std::string value(size, '\0');
    DWORD length = ::GetEnvironmentVariableA(name.c_str(), value.data(), size);
    if (length < size) {
      value.resize(length);
      return value;
    }
    size = length;
  }
  return std::string();
}

std::string Win32Environment::ProgramFolder() {
  std::string path(MAX_PATH, '\0');
  while (true) {
    DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::string();
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return FolderOf(path);
}

std::string Win32Environment::ToUtf8(const std::string& text) {
  if (text.empty()) return text;
  int size = static_cast<int>(text.size());
  int wideLength = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  if (wideLength <= 0) return std::string();
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), wideLength);
  int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::string();
  std::string result(static_cast<size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, result.data(), length, nullptr, nullptr);
  return result;
}

}  // namespace veltrane::win32
