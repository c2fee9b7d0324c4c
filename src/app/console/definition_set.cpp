// Loading a definition set on a scratch program: same services, another folder, another store.
#include "app/console/definition_set.h"

#include "program/app.h"
#include "settings/dialog_settings.h"
#include "startup/loaders.h"

namespace veltrane {
namespace {

// The environment of the running program, with another program folder.
class FolderEnvironment : public IEnvironment {
 public:
  FolderEnvironment(IEnvironment& inner, std::string folder) : inner_(inner), folder_(std::move(folder)) {}
  std::string GetVariable(const std::string& name) override { return inner_.GetVariable(name); }
  std::string ProgramFolder() override { return folder_; }
  std::string ToUtf8(const std::string& text) override { return inner_.ToUtf8(text); }

 private:
  IEnvironment& inner_;
  std::string folder_;
};

// Counts the failure messages that pass through to the dialogs it wraps.
class CountingDialogs : public IDialogs {
 public:
  explicit CountingDialogs(IDialogs& inner) : inner_(inner) {}
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                       MsgIcon icon) override {
    // Loaders show only failures: error reports and the decoder's messages.
    ++failures;
    return inner_.MessageBox(text, title, buttons, icon);
  }
  std::optional<std::string> SaveFileDialog(const SaveFileRequest& request) override {
    return inner_.SaveFileDialog(request);
  }
  uint64_t failures = 0;

 private:
  IDialogs& inner_;
};

}  // namespace

MsgAnswer QuietDialogs::MessageBox(const std::string&, const std::string&, MsgButtons buttons, MsgIcon) {
  return buttons == MsgButtons::kYesNo ? MsgAnswer::kYes : MsgAnswer::kOk;
}

DefinitionCounts LoadDefinitionSet(App& app, const std::string& folder, IDialogs& dialogs) {
  FolderEnvironment environment(app.os.environment, folder);
  CountingDialogs counting(dialogs);
  Services services{app.os.processes, app.os.registry, app.os.files,       app.os.fileInfo,
                    app.os.settings,  app.os.shell,    counting,           app.os.events,
                    app.os.clock,     environment,     app.os.cookieStores};
  App scratch(services, LoadSettingsDialog);
  using Loader = void (*)(App&);
  constexpr std::array<Loader, 4> kLoaders{FillScanItemList, FillRegistryScanItemList, FillScanItemExtList,
                                           FillCookieList};
  DefinitionCounts counts;
  for (size_t i = 0; i < kLoaders.size(); ++i) {
    int32_t before = scratch.definitions.lDefinitionCount;
    kLoaders[i](scratch);
    counts.fields[i] = scratch.definitions.lDefinitionCount - before;
  }
  counts.protectionCount = scratch.definitions.lDefinitionCount;
  counts.failures = counting.failures;
  return counts;
}

}  // namespace veltrane
