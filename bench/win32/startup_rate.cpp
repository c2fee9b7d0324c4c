// The start-up under Wine or Windows: from the splash's timer tick, which starts the load, to the main
// window's first paint, with the real windows, beside the bare decode and parse of the same lists in the
// same process. Run it as startup_rate.exe [rounds]; it works in a folder of its own under %TEMP%. A
// message box (a list that cannot be read) would stop it, as it stops the program.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "app/gui/gui_app.h"
#include "codec/codec_files.h"
#include "codec/crypto_graphy.h"
#include "definition_text.h"
#include "platform/win32/win32_host.h"
#include "startup/field_reader.h"

namespace veltrane {
namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kLists[] = {"spyList", "RegistrySpyList", "spyExtList", "SpywareCookies"};

// The Windows services with the program's folder moved to the benchmark's own.
class FolderEnvironment : public win32::Win32Environment {
 public:
  std::string folder;
  std::string ProgramFolder() override { return folder; }
};

double Milliseconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// What the hooks saw of one start.
struct Start {
  HWND main = nullptr;
  Clock::time_point shown{};
  Clock::time_point tick{};
  Clock::time_point painted{};
  // The splash's status captions as they were set, with their time: where the start-up spends it.
  std::vector<std::pair<std::string, Clock::time_point>> captions;
  Clock::time_point hiddenAt{};
  bool hidden = false;
  bool ticked = false;
  bool visible = false;
  bool done = false;
};
Start gStart;

LRESULT CALLBACK OnGetMessage(int code, WPARAM wParam, LPARAM lParam) {
  const MSG& message = *reinterpret_cast<const MSG*>(lParam);
  if (code >= 0 && wParam == PM_REMOVE) {
    // The first tick is the splash's Timer1, which runs the start-up sequence.
    if (message.message == WM_TIMER && !gStart.ticked) {
      gStart.ticked = true;
      gStart.tick = Clock::now();
    }
    if (message.message == WM_PAINT && message.hwnd == gStart.main && gStart.visible && !gStart.done) {
      gStart.done = true;
      gStart.painted = Clock::now();
      ::PostMessageA(gStart.main, WM_CLOSE, 0, 0);
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK OnCallWindow(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code >= 0 && call.hwnd == gStart.main && call.message == WM_SHOWWINDOW && call.wParam) {
    gStart.visible = true;
    gStart.captions.emplace_back("main window shown", Clock::now());
  }
  if (code >= 0 && call.message == WM_SHOWWINDOW && !call.wParam && gStart.ticked && !gStart.visible) {
    gStart.captions.emplace_back("splash hidden (start of its ShowWindow)", Clock::now());
    if (!gStart.hidden) gStart.hiddenAt = Clock::now();
    gStart.hidden = true;
  }
  if (code >= 0 && call.message == WM_SETTEXT && gStart.ticked && !gStart.visible && call.lParam != 0) {
    std::string text = reinterpret_cast<const char*>(call.lParam);
    if (text.rfind("Loading", 0) == 0) gStart.captions.emplace_back(text, Clock::now());
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// One run of the program's start: the splash, its one-second timer, the load, the main window.
bool StartProgram(HINSTANCE instance, win32::Win32Host& host, FolderEnvironment& environment,
                  double& fromTick, double& toHide, double& fromSplash, int32_t& fields, bool printSteps) {
  Services services{host.processes, host.registry, host.files, host.fileInfo, host.settings,    host.shell,
                    host.dialogs,   host.events,   host.clock, environment,   host.cookieStores};
  gui::GuiApp gui(instance, services, [&host](HWND owner) { host.SetOwnerWindow(owner); });
  gStart = Start{};
  gui.onStarted = [&] {
    gStart.main = gui.MainWindowHandle();
    gStart.shown = Clock::now();
  };
  HHOOK messages = ::SetWindowsHookExA(WH_GETMESSAGE, OnGetMessage, nullptr, ::GetCurrentThreadId());
  HHOOK calls = ::SetWindowsHookExA(WH_CALLWNDPROC, OnCallWindow, nullptr, ::GetCurrentThreadId());
  gui.Run();
  ::UnhookWindowsHookEx(messages);
  ::UnhookWindowsHookEx(calls);
  fromTick = Milliseconds(gStart.tick, gStart.painted);
  toHide = Milliseconds(gStart.tick, gStart.hiddenAt);
  fromSplash = Milliseconds(gStart.shown, gStart.painted);
  fields = gui.app.definitions.lDefinitionCount;
  if (printSteps) {
    for (const auto& [text, time] : gStart.captions) {
      std::printf("    %8.1f ms after the tick: %s\n", Milliseconds(gStart.tick, time), text.c_str());
    }
  }
  return gStart.done && gStart.ticked;
}

// The same lists read, decoded in memory and split into fields, with nothing else around it.
double BareLoad(IFileSystem& files, const std::string& folder, size_t& fields) {
  auto start = Clock::now();
  // Each list's fields in a pair of vectors of its own, as the program keeps them.
  std::vector<std::vector<std::string>> kept;
  kept.reserve(2 * std::size(kLists));  // the references below stay valid
  fields = 0;
  for (const char* list : kLists) {
    std::string encoded;
    if (files.ReadFile(folder + "\\" + list, encoded) != 0) return -1;
    std::string text;
    clsCryptoGraphy codec;
    codec.Decompress(encoded, text);
    std::string_view field;
    // Counted first and sized once, as the program does: the bare load is the quickest plain way.
    size_t count = 0;
    for (FieldReader counter(text); counter.Next(field);) ++count;
    std::vector<std::string>& names = kept.emplace_back();
    std::vector<std::string>& partners = kept.emplace_back();
    names.reserve((count + 1) / 2);
    partners.reserve(count / 2);
    FieldReader reader(text);
    for (size_t position = 0; reader.Next(field); ++position) {
      (position % 2 == 0 ? names : partners).emplace_back(field);
      ++fields;
    }
  }
  return Milliseconds(start, Clock::now());
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace
}  // namespace veltrane

int main(int argc, char** argv) {
  using namespace veltrane;
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof(controls),
                                ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  ::OleInitialize(nullptr);
  win32::Win32Host host;
  FolderEnvironment environment;
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  environment.folder = std::string(temp) + "VeltraneStartupRate";
  ::CreateDirectoryA(environment.folder.c_str(), nullptr);
  const std::string folder = environment.folder;
  Services encoderServices{host.processes, host.registry, host.files,       host.fileInfo,
                           host.settings,  host.shell,    host.dialogs,     host.events,
                           host.clock,     environment,   host.cookieStores};
  App encoder(encoderServices, nullptr);

  int failures = 0;
  for (const char* kind : {"bundled", "1,000,000 fields"}) {
    // The bundled plain lists from the source tree, or a spyList of a million fields beside them.
    for (const char* list : kLists) {
      std::string plain;
      std::string source = std::string(VELTRANE_DEFINITIONS_DIR) + "\\" + list + ".txt";
      host.files.ReadFile(source, plain);
      if (std::string(kind) != "bundled" && std::string(list) == "spyList")
        plain = veltrane::bench::MakeDefinitions(1000000);
      host.files.WriteFile(folder + "\\plain", plain);
      CompressFile(encoder, folder + "\\plain", folder + "\\" + list);
    }
    host.files.DeleteFile(folder + "\\plain");
    std::vector<double> bare;
    std::vector<double> fromTick;
    std::vector<double> toHide;
    std::vector<double> fromSplash;
    size_t bareFields = 0;
    int32_t loaded = 0;
    for (int round = 0; round < rounds; ++round) {
      bare.push_back(BareLoad(host.files, folder, bareFields));
      double tick = 0;
      double splash = 0;
      double hide = 0;
      if (!StartProgram(instance, host, environment, tick, hide, splash, loaded, round == rounds - 1))
        ++failures;
      fromTick.push_back(tick);
      fromSplash.push_back(splash);
      toHide.push_back(hide);
    }
    double bareMs = Median(bare);
    double readyMs = Median(fromTick);
    std::printf("%s definitions (%d fields), median of %d rounds:\n", kind, loaded, rounds);
    std::printf("  bare decode and parse:                %9.1f ms (%zu fields)\n", bareMs, bareFields);
    std::printf(
        "  timer tick to main window painted:    %9.1f ms  = %.2fx the bare load (goal: 1.3x or less)\n",
        readyMs, readyMs / bareMs);
    std::printf(
        "  timer tick to the splash's hiding:    %9.1f ms  = %.2fx the bare load (the load and Form_Load)\n",
        Median(toHide), Median(toHide) / bareMs);
    std::printf("  splash shown to main window painted:  %9.1f ms  (includes the splash's 1 s timer)\n",
                Median(fromSplash));
    if (loaded != static_cast<int32_t>(bareFields)) ++failures;
  }
  for (const char* list : kLists) host.files.DeleteFile(folder + "\\" + list);
  ::RemoveDirectoryA(folder.c_str());
  ::OleUninitialize();
  if (failures != 0) std::printf("%d starts failed or loaded another number of fields\n", failures);
  return failures == 0 ? 0 : 1;
}
