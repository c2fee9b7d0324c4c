// The running program: its services, definition store, windows and the settings dialog's lifetime.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/outcome.h"
#include "base/product.h"
#include "platform/services.h"
#include "program/definition_store.h"
#include "program/scan_state.h"
#include "program/yielder.h"
#include "ui/main_window.h"
#include "ui/settings_dialog.h"
#include "ui/splash_window.h"

namespace veltrane {

class App;

// The settings dialog's load handler. It belongs to the settings subsystem, which sits above the program
// aggregate, so the front end hands it over when it makes the App.
using DialogLoad = void (*)(App& app, SettingsDialog& dialog, bool reloadIgnoreList);

class App {
 public:
  App(Services services, DialogLoad loadDialog);
  App(const App&) = delete;
  App& operator=(const App&) = delete;
  ~App();

  Services os;
  Yielder yielder;
  DefinitionStore definitions;
  SplashWindow splash;
  MainWindow main;
  ScanState scan;

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
  // The Path found of each row the last backup vouches for: its list was written, and its copy (where it
  // needs one) is whole. A removal that follows a backup removes these alone.
  std::vector<std::string> lastBackedUp;

  // Set once the start-up sequence has begun, so that it never runs twice.
  bool startupStarted = false;
  // Set when the program has been asked to end (exit picture, closed main window, key on the splash).
  bool quitRequested = false;
  // What the last Remove tried and which findings are still there, for front ends that report it.
  Outcome lastRemoval;

 private:
  std::unique_ptr<SettingsDialog> dialog_;
  bool dialogCreatedAtStartup_ = false;
  DialogLoad loadDialog_;
};

}  // namespace veltrane
