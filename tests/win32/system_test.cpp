// The clock, the environment, the window-event pump and the dialogs, answered by a helper thread.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>

#include "base/text.h"
#include "base/utf8.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_digest.h"
#include "test_context.h"

namespace veltrane::win32test {
namespace {

constexpr UINT kTestMessage = WM_APP + 7;
std::atomic<int> gTestMessages{0};

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTestMessage) {
    ++gTestMessages;
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

// Presses a button of the first dialog with the given title that appears within a few seconds.
std::thread Answer(const char* title, int button, const std::string& fileName = "") {
  return std::thread([title, button, fileName] {
    for (int attempt = 0; attempt < 200; ++attempt) {
      HWND dialog = ::FindWindowA("#32770", title);
      if (dialog != nullptr) {
        ::Sleep(300);  // let the dialog finish its own start-up
        if (!fileName.empty()) {
          // The file-name box is a combo box in the explorer-style dialog, an edit box in the old one.
          if (!::SetDlgItemTextA(dialog, 0x47C, fileName.c_str()))
            ::SetDlgItemTextA(dialog, 0x480, fileName.c_str());
        }
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return;
      }
      ::Sleep(25);
    }
  });
}

}  // namespace

TEST(Win32System, ClockEnvironmentAndDigest) {
  TestContext& context = Context();
  IClock& clock = context.host.clock;
  SYSTEMTIME local{};
  ::GetLocalTime(&local);
  DateTime now = clock.Now();
  EXPECT_TRUE(now.year == local.wYear && now.month == local.wMonth && now.day == local.wDay);
  uint64_t start = clock.MonotonicMs();
  ::Sleep(120);
  uint64_t elapsed = clock.MonotonicMs() - start;
  EXPECT_TRUE(elapsed >= 100 && elapsed < 5000) << elapsed;

  std::string general = clock.GeneralDate({2004, 12, 5, 9, 3, 5});
  std::printf("  general date: \"%s\", separators '%c' '%c' '%c'\n", general.c_str(),
              clock.ThousandsSeparator(), clock.DateSeparator(), clock.TimeSeparator());
  EXPECT_TRUE(general.find("2004") != std::string::npos || general.find("04") != std::string::npos)
      << general;
  EXPECT_TRUE(general.find(std::string("03") + clock.TimeSeparator() + "05") != std::string::npos) << general;
  EXPECT_TRUE(clock.ThousandsSeparator() != '\0' && clock.DateSeparator() != '\0' &&
              clock.TimeSeparator() != '\0');

  IEnvironment& environment = context.host.environment;
  ::SetEnvironmentVariableA("VELTRANE_TEST_VALUE", "C:\\Documents and Settings\\user1");
  EXPECT_EQ(environment.GetVariable("VELTRANE_TEST_VALUE"), "C:\\Documents and Settings\\user1");
  EXPECT_EQ(environment.GetVariable("veltrane_test_value"), "C:\\Documents and Settings\\user1");
  ::SetEnvironmentVariableA("VELTRANE_TEST_VALUE", std::string(5000, 'q').c_str());
  EXPECT_EQ(environment.GetVariable("VELTRANE_TEST_VALUE").size(), 5000u);
  EXPECT_EQ(environment.GetVariable("VELTRANE_TEST_UNSET"), "");
  EXPECT_FALSE(environment.GetVariable("UserProfile").empty());
  ::SetEnvironmentVariableW(L"VELTRANE_TEST_VALUE", L"C:\\Users\\\u7528\u6237\\\U0001F600");
  EXPECT_EQ(environment.GetVariable("VELTRANE_TEST_VALUE"),
            "C:\\Users\\\xE7\x94\xA8\xE6\x88\xB7\\\xF0\x9F\x98\x80");

  // The report's conversions and times: ASCII passes unchanged, a code-page character becomes UTF-8.
  EXPECT_EQ(environment.ToUtf8("C:\\a \"b\"\x01"), "C:\\a \"b\"\x01");
  if (::GetACP() == 1252) {
    EXPECT_EQ(environment.ToUtf8("caf\xE9 \x80"), "caf\xC3\xA9 \xE2\x82\xAC");
  }
  int offset = clock.UtcOffsetMinutes();
  EXPECT_TRUE(offset > -15 * 60 && offset < 15 * 60 && offset % 15 == 0) << offset;
  win32::Win32Digest digest;
  std::optional<std::string> hash = digest.Sha256("abc");
  EXPECT_TRUE(hash.has_value() && hash->size() == 32 && static_cast<unsigned char>((*hash)[0]) == 0xBA &&
              static_cast<unsigned char>((*hash)[31]) == 0xAD);

  char self[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder = environment.ProgramFolder();
  EXPECT_TRUE(!folder.empty() && folder.back() != '\\');
  EXPECT_EQ(folder + "\\" + std::string(self).substr(folder.size() + 1), std::string(self));
}

// The core's upper-case table (base/utf8.h) against the system's own comparison of names and its
// invariant upper-case mapping, for every character of the BMP.
TEST(Win32System, NamesCompareInTheCaseTheSystemUses) {
  std::string differences;
  int count = 0;
  for (char32_t code = 1; code < 0x10000; ++code) {
    if (code >= 0xD800 && code < 0xE000) continue;
    wchar_t given = static_cast<wchar_t>(code);
    wchar_t upper = static_cast<wchar_t>(UpperCodePoint(code));
    wchar_t mapped = 0;
    ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, &given, 1, &mapped, 1, nullptr, nullptr, 0);
    if (::CompareStringOrdinal(&given, 1, &upper, 1, TRUE) != CSTR_EQUAL || mapped != upper) {
      char entry[40];
      std::snprintf(entry, sizeof entry, " U+%04X:%04X/%04X", static_cast<unsigned>(code),
                    static_cast<unsigned>(upper), static_cast<unsigned>(mapped));
      if (++count <= 40) differences += entry;
    }
  }
  EXPECT_EQ(count, 0) << differences;
}

TEST(Win32System, TheEventPumpDispatchesAndKeepsAQuit) {
  TestContext& context = Context();
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = CountingProcedure;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "VeltraneTestPump";
  ::RegisterClassA(&windowClass);
  HWND window = ::CreateWindowExA(0, "VeltraneTestPump", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  for (int i = 0; i < 3; ++i) ::PostMessageA(window, kTestMessage, 0, 0);
  context.host.events.DoEvents();
  EXPECT_EQ(gTestMessages.load(), 3);
  MSG message{};
  EXPECT_TRUE(!::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));

  // A quit request met while yielding stays for the main loop.
  ::PostMessageA(window, kTestMessage, 0, 0);
  ::PostQuitMessage(4);
  context.host.events.DoEvents();
  EXPECT_EQ(gTestMessages.load(), 4);
  EXPECT_TRUE(::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) && message.message == WM_QUIT &&
              message.wParam == 4);
  ::DestroyWindow(window);
}

TEST(Win32System, DialogsAnswerWithTheButtonPressed) {
  TestContext& context = Context();
  if (::GetSystemMetrics(SM_CXSCREEN) == 0) GTEST_SKIP() << "no display";
  IDialogs& dialogs = context.host.dialogs;
  std::thread answer = Answer("Veltrane box test", IDNO);
  EXPECT_TRUE(dialogs.MessageBox("Really continue", "Veltrane box test", MsgButtons::kYesNo,
                                 MsgIcon::kInformation) == MsgAnswer::kNo);
  answer.join();
  answer = Answer("Veltrane box test", IDCANCEL);
  EXPECT_TRUE(dialogs.MessageBox("Remove?", "Veltrane box test", MsgButtons::kOkCancel, MsgIcon::kQuestion) ==
              MsgAnswer::kCancel);
  answer.join();
  answer = Answer("Veltrane box test", IDOK);
  EXPECT_TRUE(dialogs.MessageBox("Done", "Veltrane box test", MsgButtons::kOk, MsgIcon::kCritical) ==
              MsgAnswer::kOk);
  answer.join();

  SaveFileRequest request{"Veltrane Files (*.vlt)|*.vlt", context.work, ""};
  std::string chosen = context.work + "\\chosen backup";
  answer = Answer("Save As", IDOK, chosen);
  auto saved = dialogs.SaveFileDialog(request);
  answer.join();
  EXPECT_TRUE(saved && EqualsIgnoreCase(*saved, chosen)) << saved.value_or("<cancelled>");
  answer = Answer("Save As", IDCANCEL);
  EXPECT_FALSE(dialogs.SaveFileDialog(request).has_value());
  answer.join();
}

}  // namespace veltrane::win32test
