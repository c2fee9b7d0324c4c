// Layout tables of the splash, the main window and the settings dialog.
#include "app/gui/form_layouts.h"

#include <array>
#include <cstring>

namespace veltrane::gui {

namespace {

// Screens share one place inside Picture1; twin buttons sit just beyond the right edge of their screen,
// where the screen's window clips them out of sight.
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 366;
constexpr int kTwinX = kScreenWidth + 20;
constexpr int kButtonRow = 318;

constexpr Placement kMain[] = {
    {"Image1", Kind::kPicture, "", 0, 0, 560, 64},
    {"Image2", Kind::kPicture, "", 560, 0, 80, 64},
    {"Picture1", Kind::kFrame, "", 0, 64, kScreenWidth, kScreenHeight},
    {"Label20(1)", Kind::kLabel, "", 12, 442, 250, 18},
    {"lblProtectionCount", Kind::kLabel, "", 440, 442, 110, 18},
    {"lblSpyCount", Kind::kLabel, "", 552, 442, 80, 18},
    {"cmdEncryptSpyListFile", Kind::kTwin, "", kMainWidth + 20, 0, 80, 24},
    {"tmrProgressBar", Kind::kTimer, "", 0, 0, 0, 0},

    {"fmMain", Kind::kFrame, "Picture1", 0, 0, kScreenWidth, kScreenHeight},
    {"Label20(0)", Kind::kHeading, "fmMain", 40, 24, 560, 22},
    {"imgStartScan", Kind::kPicture, "fmMain", 60, 70, 150, 44},
    {"cmdStartScanning", Kind::kTwin, "fmMain", kTwinX, 70, 90, 26},
    {"imgconfig", Kind::kPicture, "fmMain", 60, 130, 150, 44},
    {"cmdConfigurations", Kind::kTwin, "fmMain", kTwinX, 130, 90, 26},
    {"imgBackups", Kind::kPicture, "fmMain", 60, 190, 150, 44},
    {"cmdBackups", Kind::kTwin, "fmMain", kTwinX, 190, 90, 26},
    {"imgExit", Kind::kPicture, "fmMain", 60, 250, 150, 44},

    {"fmScanResult", Kind::kFrame, "Picture1", 0, 0, kScreenWidth, kScreenHeight},
    {"lblScanningResult", Kind::kHeading, "fmScanResult", 20, 10, 140, 20},
    {"lblScanningStatus", Kind::kHeading, "fmScanResult", 170, 10, 300, 20},
    {"lblCurrentProcess", Kind::kLabel, "fmScanResult", 20, 34, 380, 18},
    {"Frame2", Kind::kGroup, "fmScanResult", 20, 56, 380, 236},
    {"lblIdentifiedFilesCaption", Kind::kLabel, "Frame2", 14, 24, 250, 18},
    {"lblIdentifiedFiles", Kind::kLabel, "Frame2", 270, 24, 90, 18},
    {"lblIdentifiedProcessCaption", Kind::kLabel, "Frame2", 14, 45, 250, 18},
    {"lblIdentifiedProcess", Kind::kLabel, "Frame2", 270, 45, 90, 18},
    {"lblIdentifiedRegistryKeysCaption", Kind::kLabel, "Frame2", 14, 66, 250, 18},
    {"lblIdentifiedRegistryKeys", Kind::kLabel, "Frame2", 270, 66, 90, 18},
    {"lblIdentifiedFoldersCaption", Kind::kLabel, "Frame2", 14, 87, 250, 18},
    {"lblIdentifiedFolders", Kind::kLabel, "Frame2", 270, 87, 90, 18},
    {"lblComponentsIgnoredCaption", Kind::kLabel, "Frame2", 14, 108, 250, 18},
    {"lblComponentsIgnored", Kind::kLabel, "Frame2", 270, 108, 90, 18},
    {"lblComponentsRecognisedCaption", Kind::kLabel, "Frame2", 14, 129, 250, 18},
    {"lblComponentsRecognised", Kind::kLabel, "Frame2", 270, 129, 90, 18},
    {"lblNewComponentsCaption", Kind::kLabel, "Frame2", 14, 150, 250, 18},
    {"lblNewComponents", Kind::kLabel, "Frame2", 270, 150, 90, 18},
    {"lblRunningProcessesCaption", Kind::kLabel, "Frame2", 14, 171, 250, 18},
    {"lblRunningProcesses", Kind::kLabel, "Frame2", 270, 171, 90, 18},
    {"lblFoldersProcessedCaption", Kind::kLabel, "Frame2", 14, 192, 250, 18},
    {"lblFoldersProcessed", Kind::kLabel, "Frame2", 270, 192, 90, 18},
    {"lblItemCountCaption", Kind::kLabel, "fmScanResult", 420, 64, 110, 18},
    {"lblItemCount", Kind::kLabel, "fmScanResult", 530, 64, 90, 18},
    {"lblScanningFinished1", Kind::kHeading, "fmScanResult", 420, 100, 200, 20},
    {"lblPatience", Kind::kLabel, "fmScanResult", 20, 298, 600, 18},
    {"imgShowLog", Kind::kPicture, "fmScanResult", 250, kButtonRow, 120, 36},
    {"cmdShowLog", Kind::kTwin, "fmScanResult", kTwinX, 230, 90, 26},
    {"imgCancel", Kind::kPicture, "fmScanResult", 380, kButtonRow, 120, 36},
    {"cmdCancel", Kind::kTwin, "fmScanResult", kTwinX, 260, 90, 26},
    {"imgContinue", Kind::kPicture, "fmScanResult", 510, kButtonRow, 120, 36},
    {"cmdContinue", Kind::kTwin, "fmScanResult", kTwinX, 290, 90, 26},

    {"fmContinue", Kind::kFrame, "Picture1", 0, 0, kScreenWidth, kScreenHeight},
    {"lvwScanDriveResult", Kind::kList, "fmContinue", 10, 10, 620, 298},
    {"imgContinue1", Kind::kPicture, "fmContinue", 250, kButtonRow, 120, 36},
    {"cmdGotoMain", Kind::kTwin, "fmContinue", kTwinX, 230, 90, 26},
    {"imgBackUpFiles", Kind::kPicture, "fmContinue", 380, kButtonRow, 120, 36},
    {"cmdBackUp", Kind::kTwin, "fmContinue", kTwinX, 260, 90, 26},
    {"ImgExclude", Kind::kPicture, "fmContinue", 510, kButtonRow, 120, 36},
    {"cmdExclude", Kind::kTwin, "fmContinue", kTwinX, 290, 90, 26},

    {"fmScanLog", Kind::kFrame, "Picture1", 0, 0, kScreenWidth, kScreenHeight},
    {"lblLogCreation", Kind::kHeading, "fmScanLog", 10, 8, 100, 18},
    {"lblScanInitializeTime", Kind::kLabel, "fmScanLog", 112, 8, 300, 18},
    {"rtfScanLog", Kind::kLog, "fmScanLog", 10, 30, 620, 176},
    {"lvwRunningProcessess", Kind::kList, "fmScanLog", 10, 212, 620, 98},
    {"imgBack", Kind::kPicture, "fmScanLog", 380, kButtonRow, 120, 36},
    {"cmdBack", Kind::kTwin, "fmScanLog", kTwinX, 260, 90, 26},
    {"imgSaveLog", Kind::kPicture, "fmScanLog", 510, kButtonRow, 120, 36},
    {"cmdSaveLog", Kind::kTwin, "fmScanLog", kTwinX, 290, 90, 26},

    {"fmBackUp", Kind::kFrame, "Picture1", 0, 0, kScreenWidth, kScreenHeight},
    {"lvwBackUp", Kind::kList, "fmBackUp", 10, 10, 620, 298},
    {"imgOk", Kind::kPicture, "fmBackUp", 250, kButtonRow, 120, 36},
    {"cmdOk", Kind::kTwin, "fmBackUp", kTwinX, 230, 90, 26},
    {"imgClean", Kind::kPicture, "fmBackUp", 380, kButtonRow, 120, 36},
    {"cmdClean", Kind::kTwin, "fmBackUp", kTwinX, 260, 90, 26},
    {"imgRestore", Kind::kPicture, "fmBackUp", 510, kButtonRow, 120, 36},
    {"cmdRestore", Kind::kTwin, "fmBackUp", kTwinX, 290, 90, 26},
};

// Tab pages lie over the tab strip's display area; the button without caption or action stays out of sight.
constexpr int kPageX = 16;
constexpr int kPageY = 40;
constexpr int kPageWidth = 448;
constexpr int kPageHeight = 262;

constexpr Placement kDialog[] = {
    {"tabCustomSettings", Kind::kTab, "", 8, 8, 464, 302},
    {"cmdProceed", Kind::kButton, "", 282, 320, 90, 28},
    {"cmdCancel", Kind::kButton, "", 382, 320, 90, 28},
    {"Command2", Kind::kTwin, "", kDialogWidth + 20, 320, 40, 28},

    {"fmTab0", Kind::kFrame, "", kPageX, kPageY, kPageWidth, kPageHeight},
    {"lblPaths", Kind::kHeading, "fmTab0", 8, 6, 300, 18},
    {"lblLogFiles", Kind::kLabel, "fmTab0", 8, 39, 80, 18},
    {"txtLogFilesPath", Kind::kText, "fmTab0", 92, 36, 300, 22},
    {"cmdLogfilesBrowse", Kind::kButton, "fmTab0", 398, 36, 36, 22},
    {"lblRefFiles", Kind::kLabel, "fmTab0", 8, 79, 80, 18},
    {"txtRefFilesPath", Kind::kText, "fmTab0", 92, 76, 300, 22},
    {"cmdRefFilesBrowse", Kind::kButton, "fmTab0", 398, 76, 36, 22},
    {"lblKelvane", Kind::kLabel, "fmTab0", 8, 119, 80, 18},
    {"txtKelvanePath", Kind::kText, "fmTab0", 92, 116, 300, 22},
    {"cmdKelvaneBrowse", Kind::kButton, "fmTab0", 398, 116, 36, 22},
    {"lblWaveFiles", Kind::kLabel, "fmTab0", 8, 159, 80, 18},
    {"txtWaveFilesPath", Kind::kText, "fmTab0", 92, 156, 300, 22},
    {"cmdWaveFileBrowse", Kind::kButton, "fmTab0", 398, 156, 36, 22},
    {"lblBackups", Kind::kLabel, "fmTab0", 8, 199, 80, 18},
    {"txtBackupsPath", Kind::kText, "fmTab0", 92, 196, 300, 22},
    {"cmdBackupsBrowse", Kind::kButton, "fmTab0", 398, 196, 36, 22},

    {"fmTab1", Kind::kFrame, "", kPageX, kPageY, kPageWidth, kPageHeight},
    {"lvwIgnorList", Kind::kList, "fmTab1", 4, 4, 440, 218},
    {"cmdRemove", Kind::kButton, "fmTab1", 4, 228, 170, 28},

    {"fmtab2", Kind::kFrame, "", kPageX, kPageY, kPageWidth, kPageHeight},
    {"imgAbout", Kind::kPicture, "fmtab2", 12, 12, 96, 96},
    {"lblAbout", Kind::kLabel, "fmtab2", 124, 30, 310, 60},

    {"fmTab3", Kind::kFrame, "", kPageX, kPageY, kPageWidth, kPageHeight},
    {"lblGeneralOptions", Kind::kHeading, "fmTab3", 8, 6, 300, 18},
    {"chkReferenceByDefault", Kind::kCheck, "fmTab3", 16, 30, 400, 20},
    {"chkRemoveComponent", Kind::kCheck, "fmTab3", 16, 54, 400, 20},
    {"chkSafeMode", Kind::kCheck, "fmTab3", 16, 78, 400, 20},
    {"chkStartup", Kind::kCheck, "fmTab3", 16, 102, 400, 20},
    {"chkAutoSave", Kind::kCheck, "fmTab3", 16, 126, 400, 20},
    {"lblLanguage", Kind::kHeading, "fmTab3", 8, 162, 100, 18},
    {"cmbLanguage", Kind::kCombo, "fmTab3", 110, 158, 160, 120},
    {"cmdReset", Kind::kButton, "fmTab3", 16, 206, 100, 28},

    {"fmTab4", Kind::kFrame, "", kPageX, kPageY, kPageWidth, kPageHeight},
    {"lblPlusOptions", Kind::kHeading, "fmTab4", 8, 6, 300, 18},
    {"lblLogfileDetail", Kind::kLabel, "fmTab4", 16, 28, 300, 18},
    {"chkIncludeAdditionalProcessInfo", Kind::kCheck, "fmTab4", 28, 48, 400, 20},
    {"chkIncludeExternalFileInfo", Kind::kCheck, "fmTab4", 28, 70, 400, 20},
    {"chkRemoveFilesinUse", Kind::kCheck, "fmTab4", 16, 100, 420, 20},
    {"chkHideSplashScreen", Kind::kCheck, "fmTab4", 16, 122, 420, 20},
    {"chkPlaySound", Kind::kCheck, "fmTab4", 16, 144, 420, 20},
    {"chkScanWithBrackwood", Kind::kCheck, "fmTab4", 16, 166, 420, 20},
    {"lblTotalComponentsRemovedCaption", Kind::kLabel, "fmTab4", 16, 206, 180, 18},
    {"lblTotalComponentsRemoved", Kind::kLabel, "fmTab4", 200, 206, 100, 18},
};

constexpr Placement kSplash[] = {
    {"imgSplash", Kind::kPicture, "", 0, 0, kSplashWidth, 240},
    {"lblsplash", Kind::kLabel, "", 12, 244, kSplashWidth - 24, 20},
    {"Timer1", Kind::kTimer, "", 0, 0, 0, 0},
};

struct DesignPicture {
  const char* control;
  const char* file;
};

constexpr DesignPicture kDesignPictures[] = {
    {"Image1", "banner.gif"},
    {"Image2", "banner2.gif"},
    {"imgSplash", "splash.gif"},
    {"imgAbout", "about.gif"},
    {"imgStartScan", "start-in.gif"},
    {"imgconfig", "configin.gif"},
    {"imgBackups", "backup-in.gif"},
    {"imgExit", "exitin.gif"},
    {"imgCancel", "cancelout.gif"},
    {"imgContinue", "continueout.gif"},
    {"imgShowLog", "showlog.gif"},
    {"imgContinue1", "continue1.gif"},
    {"imgBackUpFiles", "backupfiles.gif"},
    {"ImgExclude", "exclude.gif"},
    {"imgBack", "back.gif"},
    {"imgSaveLog", "savelog.gif"},
    {"imgOk", "ok.gif"},
    {"imgClean", "clean.gif"},
    {"imgRestore", "restore.gif"},
};

constexpr PictureButton kPictureButtons[] = {
    {"imgStartScan", "cmdStartScanning", nullptr, nullptr},
    {"imgconfig", "cmdConfigurations", nullptr, nullptr},
    {"imgBackups", "cmdBackups", nullptr, "View backups from a previous session."},
    {"imgExit", nullptr, "E&xit", nullptr},
    {"imgShowLog", "cmdShowLog", nullptr, nullptr},
    {"imgCancel", "cmdCancel", nullptr, nullptr},
    {"imgContinue", "cmdContinue", nullptr, nullptr},
    {"imgContinue1", "cmdGotoMain", nullptr, nullptr},
    {"imgBackUpFiles", "cmdBackUp", nullptr, nullptr},
    {"ImgExclude", "cmdExclude", nullptr, nullptr},
    {"imgBack", "cmdBack", nullptr, nullptr},
    {"imgSaveLog", "cmdSaveLog", nullptr, nullptr},
    {"imgOk", "cmdOk", nullptr, nullptr},
    {"imgClean", "cmdClean", nullptr, nullptr},
    {"imgRestore", "cmdRestore", nullptr, nullptr},
};

}  // namespace

std::span<const PictureButton> PictureButtons() {
  return kPictureButtons;
}

const PictureButton* PictureButtonOf(std::string_view pictureName) {
  for (const auto& button : kPictureButtons) {
    if (pictureName == button.picture) return &button;
  }
  return nullptr;
}

std::string WithoutAccessKey(std::string_view caption) {
  std::string text;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    text += caption[i];
  }
  return text;
}

std::span<const Placement> MainPlacements() {
  return kMain;
}
std::span<const Placement> DialogPlacements() {
  return kDialog;
}
std::span<const Placement> SplashPlacements() {
  return kSplash;
}

const char* DesignTimePicture(std::string_view controlName) {
  for (const auto& picture : kDesignPictures) {
    if (controlName == picture.control) return picture.file;
  }
  return nullptr;
}

}  // namespace veltrane::gui
