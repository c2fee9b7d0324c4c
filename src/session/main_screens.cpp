// Screen changes, the modal settings dialog, the exit and the pressed-look pictures of the main window.
#include "session/main_screens.h"

#include <string_view>

#include "program/app.h"

namespace veltrane::frmMain {

namespace {

void ShowPicture(App& app, Picture& picture, std::string_view file) {
  std::string name = "images\\";
  name += file;
  picture.SetPictureFile(app.ProgramFile(name));
}

}  // namespace

void cmdBack_Click(App& app) {
  app.main.fmScanResult.SetVisible(true);
  app.main.fmScanLog.SetVisible(false);
}

void imgBack_Click(App& app) {
  cmdBack_Click(app);
}

void cmdConfigurations_Click(App& app) {
  app.Dialog().SetVisible(true);
}

void imgconfig_Click(App& app) {
  cmdConfigurations_Click(app);
}

void imgExit_Click(App& app) {
  app.quitRequested = true;
}

void imgStartScan_MouseDown(App& app) {
  ShowPicture(app, app.main.imgStartScan, "start-out.gif");
}
void imgStartScan_MouseUp(App& app) {
  ShowPicture(app, app.main.imgStartScan, "start-in.gif");
}
void imgconfig_MouseDown(App& app) {
  ShowPicture(app, app.main.imgconfig, "configout.gif");
}
void imgconfig_MouseUp(App& app) {
  ShowPicture(app, app.main.imgconfig, "configin.gif");
}
void imgBackups_MouseDown(App& app) {
  ShowPicture(app, app.main.imgBackups, "backup-out.gif");
}
void imgBackups_MouseUp(App& app) {
  ShowPicture(app, app.main.imgBackups, "backup-in.gif");
}
void imgExit_MouseDown(App& app) {
  ShowPicture(app, app.main.imgExit, "exitout.gif");
}
void imgExit_MouseUp(App& app) {
  ShowPicture(app, app.main.imgExit, "exitin.gif");
}
void imgCancel_MouseDown(App& app) {
  ShowPicture(app, app.main.imgCancel, "cancelin.gif");
}
void imgCancel_MouseUp(App& app) {
  ShowPicture(app, app.main.imgCancel, "cancelout.gif");
}
void imgContinue_MouseDown(App& app) {
  ShowPicture(app, app.main.imgContinue, "continuein.gif");
}
void imgContinue_MouseUp(App& app) {
  ShowPicture(app, app.main.imgContinue, "continueout.gif");
}

}  // namespace veltrane::frmMain
