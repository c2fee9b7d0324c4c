// veltrane-load: runs the program's start-up sequence on a program folder and prints what it loaded.
#include <iostream>
#include <string>

#include "platform/std/std_host.h"
#include "program/app.h"
#include "settings/dialog_settings.h"
#include "startup/splash.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: veltrane-load PROGRAM_FOLDER\n";
    return 2;
  }
  veltrane::StdHost host(argv[1], std::cerr);
  veltrane::App app(host.MakeServices(), veltrane::LoadSettingsDialog);

  veltrane::frmSplash::Form_Paint(app);
  veltrane::frmSplash::Timer1_Timer(app);

  const veltrane::DefinitionStore& store = app.definitions;
  std::cout << "Protection Count: " << app.main.lblSpyCount.Caption() << '\n'
            << "sScanItemName: " << store.sScanItemName.size() << '\n'
            << "sScanItemFile: " << store.sScanItemFile.size() << '\n'
            << "sRegistryItemName: " << store.sRegistryItemName.size() << '\n'
            << "sRegistryItemKey: " << store.sRegistryItemKey.size() << '\n'
            << "sScanItemExt: " << store.sScanItemExt.size() << '\n'
            << "sCookieItem: " << store.sCookieItem.size() << '\n'
            << "lvwIgnorList: " << app.Dialog().lvwIgnorList.Count() << '\n';
  // Every message the sequence showed has been printed; any at all means the load was not clean.
  return host.dialogs.Shown() == 0 ? 0 : 1;
}
