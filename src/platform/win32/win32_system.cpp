// The window-event pump, the local clock and locale formats, and the process environment.
#include "platform/win32/win32_system.h"

#include "platform/win32/win32_api.h"

#include <shellapi.h>

#include "platform/win32/win32_text.h"
#include "platform/win32/win32_wide.h"

namespace veltrane::win32 {
namespace {

// The program's separators are single characters of its UTF-8 text: a locale's no-break space (French
// groups thousands with one) is written as a space, any other character past ASCII as the fallback.
char LocaleCharacter(LCTYPE type, char fallback) {
  wchar_t buffer[16] = {};
  if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 16) <= 1) return fallback;
  if (buffer[0] < 0x80) return static_cast<char>(buffer[0]);
  return buffer[0] == 0x00A0 || buffer[0] == 0x202F ? ' ' : fallback;
}

}  // namespace

void Win32EventPump::DoEvents() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The quit request belongs to the main message loop; put it back for that loop to see.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
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
  wchar_t date[128] = {};
  wchar_t clock[128] = {};
  int dateLength = ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 128);
  int timeLength = ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 128);
  if (dateLength <= 0 || timeLength <= 0) return std::string();
  return Narrow(date) + " " + Narrow(clock);
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
  std::wstring wideName = Wide(name);
  DWORD size = ::GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  // The value can change between the two calls; a second round covers one change.
  for (int attempt = 0; attempt < 2 && size > 0; ++attempt) {
    std::wstring value(size, L'\0');
    DWORD length = ::GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
    if (length < size) {
      value.resize(length);
      return Narrow(value);
    }
    size = length;
  }
  return std::string();
}

std::string Win32Environment::ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  while (true) {
    DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::string();
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return FolderOf(Narrow(path));
}

std::vector<std::string> CommandLineArguments() {
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> result;
  if (arguments == nullptr) return result;
  for (int i = 1; i < count; ++i) result.push_back(Narrow(arguments[i]));
  ::LocalFree(arguments);
  return result;
}

void UseUtf8Console() {
  ::SetConsoleOutputCP(CP_UTF8);
}

std::string Win32Environment::ToUtf8(const std::string& text) {
  if (text.empty()) return text;
  int size = static_cast<int>(text.size());
  int wideLength = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  if (wideLength <= 0) return std::string();
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), wideLength);
  return Narrow(wide);
}

}  // namespace veltrane::win32
