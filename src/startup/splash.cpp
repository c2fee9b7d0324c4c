// The start-up sequence run by the splash window's timer, and the main window's load and unload.
#include "startup/splash.h"

#include <string>

#include "base/errors.h"
#include "base/text.h"
#include "program/app.h"
#include "program/error_report.h"
#include "program/settings_store.h"
#include "remedy/ignore_list_load.h"
#include "startup/loaders.h"

namespace veltrane {

namespace frmSplash {

void Form_Paint(App& app) {
  if (app.startupStarted || app.quitRequested) return;
  app.splash.Timer1.SetEnabled(true);
}

void Timer1_Timer(App& app) {
  app.splash.Timer1.SetEnabled(false);
  // The loaders yield to window events while they decode; a paint handled then re-enables the timer,
  // and its tick must not start a second load into the same lists.
  if (app.startupStarted || app.quitRequested) return;
  app.startupStarted = true;

  // The ignore list is read from, and everything after writes into, the folder chosen here.
  app.ChooseDataFolder();
  Label& status = app.splash.lblsplash;
  status.SetCaption("Loading ignorelist...");
  FillIgnoreList(app);
  status.SetCaption("Loading scanlist...");
  FillScanList(app);
  status.SetCaption("Loading scan items definition...");
  FillScanItemList(app);
  status.SetCaption("Loading registry items definition...");
  FillRegistryScanItemList(app);
  status.SetCaption("Loading ext definitions...");
  FillScanItemExtList(app);
  status.SetCaption("Loading cookie definitions...");
  FillCookieList(app);
  ReportUnreadDefinitions(app);

  app.splash.SetVisible(false);
  frmMain::Form_Load(app);
  app.main.SetVisible(true);
}

void Form_KeyPress(App& app) {
  app.splash.Timer1.SetEnabled(false);
  app.splash.SetVisible(false);
  // With no other window open yet, closing the splash ends the program; once the sequence runs, it
  // goes on and opens the main window.
  if (!app.startupStarted) app.quitRequested = true;
}

}  // namespace frmSplash

namespace frmMain {

void Form_Load(App& app) {
  MainWindow& main = app.main;
  main.fmMain.SetVisible(true);
  for (Frame* screen : {&main.fmScanResult, &main.fmScanLog, &main.fmContinue, &main.fmBackUp}) {
    screen->SetVisible(false);
  }
  // A damaged stored choice is reported but must not keep the protection count from showing.
  Guarded(app.os.dialogs, "Form_Load",
          [&] { app.Dialog().chkStartup.SetValue(CheckBoxSetting(app, settings::kRunAtStartup)); });
  main.lblSpyCount.SetCaption(std::to_string(app.definitions.lDefinitionCount));
}

void Form_Unload(App& app) {
  app.UnloadDialog();
  app.quitRequested = true;
}

}  // namespace frmMain

}  // namespace veltrane
