// The running program: its services, definition store, windows and the settings dialog's lifetime.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/services.h"
#include "core/yielder.h"
#include "remedy/outcome.h"
#include "startup/definition_store.h"
#include "ui/main_window.h"
#include "ui/settings_dialog.h"
#include "ui/splash_window.h"

namespace veltrane {

// The application title: message-box captions and the settings store's application name.
inline constexpr std::string_view kAppTitle = "Veltrane";
// The product name, as the version information and the start-up shortcut carry it.
inline constexpr std::string_view kProductName = "Veltrane!";

class App {
 public:
  explicit App(Services services);
  App(const App&) = delete;
  App& operator=(const App&) = delete;
  ~App();

  Services os;
  Yielder yielder;
  DefinitionStore definitions;
  SplashWindow splash;
  MainWindow main;

  // The settings dialog, created (and loaded) on first use, like a form that loads when touched.
  SettingsDialog& Dialog();
  bool DialogLoaded() const { return dialog_ != nullptr; }
  // Closes the dialog; its ignore list goes with it.
  void UnloadDialog();

  // The folder of the executable, without a trailing backslash.
  std::string ProgramFolder();
  // The program's folder, a backslash and the name.
  std::string ProgramFile(std::string_view name);

  // What the last backup and restore did, item by item, for front ends that report it on exit.
  Outcome lastBackup;
  Outcome lastRestore;

  // Set once the start-up sequence has begun, so that it never runs twice.
  bool startupStarted = false;
  // Set when the program has been asked to end (exit picture, closed main window, key on the splash).
  bool quitRequested = false;
  // What the last Remove tried and which findings are still there, for front ends that report it.
  Outcome lastRemoval;

 private:
  std::unique_ptr<SettingsDialog> dialog_;
  bool dialogCreatedAtStartup_ = false;
  friend void LoadSettingsDialog(App& app, SettingsDialog& dialog, bool reloadIgnoreList);
};

// Runs the dialog's load handler, and on every creation after the first one reloads the ignore list from
// its file, so that an ignore list never silently vanishes with a closed dialog. Defined with the dialog.
void LoadSettingsDialog(App& app, SettingsDialog& dialog, bool reloadIgnoreList);

}  // namespace veltrane
