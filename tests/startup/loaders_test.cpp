// The definition loaders: pairing by position, the cookie and extension rules and the load cycle's failures.
#include "startup/loaders.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "startup/definition_files.h"

namespace veltrane {
namespace {

using List = std::vector<std::string>;
using testing::PutEncoded;

class LoadersTest : public ::testing::Test {
 protected:
  fakes::FakeSystem system;
  std::unique_ptr<App> app = system.MakeApp();
  DefinitionStore& store = app->definitions;

  bool Exists(const std::string& name) { return system.files.Exists(app->ProgramFile(name)); }
  // Each message shown as its title and text.
  List Shown() {
    List shown;
    for (const auto& message : system.dialogs.shown) shown.push_back(message.title + "|" + message.text);
    return shown;
  }
};

// The non-empty lists of the store, as "list: field|field" joined by "; ".
std::string Lists(const DefinitionStore& store) {
  std::string text;
  for (const auto& [label, list] : {std::pair{"names", &store.sScanItemName},
                                    {"files", &store.sScanItemFile},
                                    {"registry names", &store.sRegistryItemName},
                                    {"keys", &store.sRegistryItemKey},
                                    {"cookies", &store.sCookieItem},
                                    {"extensions", &store.sScanItemExt}}) {
    if (list->empty()) continue;
    text += std::string(text.empty() ? "" : "; ") + label + ":";
    for (size_t i = 0; i < list->size(); ++i) text += (i == 0 ? " " : "|") + (*list)[i];
  }
  return text;
}

// Each file's fields pair by position whatever the lines; the count takes every field.
TEST_F(LoadersTest, FieldsGoToTheirListsByPosition) {
  const struct Case {
    const char* file;
    std::string plain;
    void (*fill)(App&);
    const char* lists;
    int32_t count;
  } cases[] = {
      {"spyList", "A,a\r\nB\r\nb\r\n", FillScanItemList, "names: A|B; files: a|b", 4},
      {"RegistrySpyList", "A,a,B", FillRegistryScanItemList, "registry names: A|B; keys: a", 3},
      {"spyList", "\"Gator,gator.exe\"\r\nGator,gator.exe\r\n", FillScanItemList,
       "names: Gator,gator.exe|gator.exe; files: Gator", 3},
      {"SpywareCookies", "P,Q\r\nR,S\r\n", FillCookieList, "cookies: Q|S", 4},
      {"SpywareCookies", "P,Q,R", FillCookieList, "cookies: Q|R", 3},
      {"spyExtList", "com,scr", FillScanItemExtList, "extensions: exe|dll|log|lnk",
       2},  // counted, then fixed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.plain);
    store = DefinitionStore();
    PutEncoded(system, *app, c.file, c.plain);
    c.fill(*app);
    EXPECT_EQ(Lists(store), c.lists);
    EXPECT_EQ(store.lDefinitionCount, c.count);
    EXPECT_FALSE(Exists(std::string(c.file) + "Temp"));
    EXPECT_TRUE(Shown().empty());
  }
}

TEST_F(LoadersTest, MissingFilesAreSilentAndLeaveOnlyTheExtensions) {
  for (auto* fill :
       {FillScanList, FillScanItemList, FillRegistryScanItemList, FillScanItemExtList, FillCookieList})
    fill(*app);
  EXPECT_EQ(store.lDefinitionCount, 0);
  EXPECT_EQ(Lists(store), "extensions: exe|dll|log|lnk");
  EXPECT_TRUE(Shown().empty());
}

TEST_F(LoadersTest, AFileOfTheUsersNamedLikeThePlainCopyIsNeitherReadNorTouched) {
  system.files.AddFile(app->ProgramFile("spyListTemp"), "Stale,entry\r\n");
  system.files.AddFile(app->ProgramFile("spyListTemp~1"), "Other,entry\r\n");
  system.files.AddFile(app->ProgramFile("SpywareCookiesTemp"), "x");
  PutEncoded(system, *app, "SpywareCookies", "C,c\r\n");
  // A run starting at symbol 256 lies outside the byte table: the decoder raises instead of writing.
  system.files.AddFile(app->ProgramFile("spyList"), std::string("\x00\x01\x00\x01\x01\x00\xff\x0f", 8));
  FillScanItemList(*app);
  FillCookieList(*app);
  EXPECT_TRUE(store.sScanItemName.empty());
  EXPECT_EQ(store.lDefinitionCount, 2);
  EXPECT_EQ((List{*system.files.Contents(app->ProgramFile("spyListTemp")),
                  *system.files.Contents(app->ProgramFile("spyListTemp~1")),
                  *system.files.Contents(app->ProgramFile("SpywareCookiesTemp"))}),
            (List{"Stale,entry\r\n", "Other,entry\r\n", "x"}));
  EXPECT_EQ(system.files.ListTree(app->ProgramFolder()).size(), 5u) << "no plain copy is left";
  ASSERT_FALSE(Shown().empty());
  EXPECT_EQ(Shown()[0].substr(0, 15), "DecompressFile|");
}

// A list that decodes whole but holds no field is named like a damaged one.
TEST_F(LoadersTest, ADamagedOrEmptyFileReadsAsEmptyAndIsNamed) {
  system.files.AddFile(app->ProgramFile("spyList"), std::string("\x61", 1));
  FillScanItemList(*app);
  PutEncoded(system, *app, "RegistrySpyList", "\r\n \r\n");
  FillRegistryScanItemList(*app);
  EXPECT_EQ(Shown(), (List{"Veltrane|Fatal error reading counts"}));
  EXPECT_EQ(Lists(store), "");
  EXPECT_EQ(store.lDefinitionCount, 0);
  EXPECT_EQ(store.unreadLists, (List{app->ProgramFile("spyList"), app->ProgramFile("RegistrySpyList")}));
}

TEST_F(LoadersTest, AnUnreadableFileIsReportedAndKeepsEarlierFields) {
  PutEncoded(system, *app, "spyList", "A,a\r\n");
  PutEncoded(system, *app, "RegistrySpyList", "R,HKEY_CURRENT_USER\\Software\\R\r\n");
  FillScanItemList(*app);

  // The encoded file cannot be opened for reading: the decoder reports it.
  system.files.FailNthCall(1, kErrPermissionDenied, "OpenFileReader");
  FillRegistryScanItemList(*app);

  EXPECT_EQ(Shown(), (List{"DecompressFile|70:Permission denied"}));
  EXPECT_TRUE(store.sRegistryItemName.empty());
  EXPECT_EQ(store.sScanItemName, (List{"A"}));
  EXPECT_EQ(store.lDefinitionCount, 2);

  FillRegistryScanItemList(*app);
  EXPECT_EQ(store.sRegistryItemKey, (List{"HKEY_CURRENT_USER\\Software\\R"}));
}

TEST_F(LoadersTest, TheExtensionsAreSetEvenWhenTheirFileCannotBeRead) {
  PutEncoded(system, *app, "spyExtList", "exe,dll,log,lnk,com");
  system.files.FailFromCall(1, kErrDeviceIo, "ReadPiece");
  FillScanItemExtList(*app);
  EXPECT_FALSE(Shown().empty());
  EXPECT_EQ(store.sScanItemExt, (List{"exe", "dll", "log", "lnk"}));
}

TEST_F(LoadersTest, LargeListsLoadCompletely) {
  std::string plain;
  for (int i = 0; i < 20000; ++i)
    plain += "\"Name " + std::to_string(i) + "\",\"file" + std::to_string(i) + ".exe\"\r\n";
  PutEncoded(system, *app, "spyList", plain);
  FillScanItemList(*app);
  ASSERT_EQ(store.sScanItemName.size(), 20000u);
  EXPECT_EQ(store.sScanItemName.back(), "Name 19999");
  EXPECT_EQ(store.sScanItemFile.back(), "file19999.exe");
  EXPECT_EQ(store.lDefinitionCount, 40000);
}

}  // namespace
}  // namespace veltrane
