#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/BonusConfig.h"
#include "install/Companions.h"
#include "install/ScriptLibrary.h"
#include "platform/fake/FakePlatform.h"
#include "tests/native/DialogTestSupport.h"

namespace {

class ScriptLibrary : public ::testing::Test {
 protected:
  plat::FakePlatform fake;
  inst::LibraryLoader load = [this](const std::string& name) { return fake.LoadLibrary(name); };
  const std::string dll = "C:\\Program Files\\Velmora\\VScript.DLL";
};

TEST_F(ScriptLibrary, RunScriptCallsInstallWithThePathThenFreesTheLibraryAndNeedsBoth) {
  inst::RunScript(fake, load, "a.cfg");  // no library
  fake.AddLibrary(dll, {{{"_Install@16", 0}}});
  inst::RunScript(fake, load, "a.cfg");  // no entry: loaded and freed
  inst::RunScript(fake, inst::LibraryLoader(), "a.cfg");
  EXPECT_TRUE(fake.scriptCalls.empty());
  EXPECT_EQ(fake.freedLibraries.size(), 1u);

  fake.AddLibrary(dll, {{{"Install", 0}}});
  fake.loadedLibraries.clear();
  inst::RunScript(fake, load, "D:\\access\\inst\\setup.cfg");
  EXPECT_EQ(fake.loadedLibraries, std::vector<std::string>{"VScript.DLL"});
  ASSERT_EQ(fake.scriptCalls.size(), 1u);
  EXPECT_EQ(fake.scriptCalls[0].entry, "Install");
  EXPECT_EQ(fake.scriptCalls[0].scriptPath, "D:\\access\\inst\\setup.cfg");
  EXPECT_EQ(fake.freedLibraries.size(), 2u);
}

TEST_F(ScriptLibrary, CallScriptInstallReportsWhetherInstallReturnedZero) {
  fake.AddLibrary(dll, {{{"Install", 3}}});
  {
    inst::CScriptLibrary library(fake, load);
    EXPECT_FALSE(library.CallScriptInstall("a.cfg"));  // nothing loaded yet
    EXPECT_NE(library.LoadScriptLibrary(), 0u);
    EXPECT_FALSE(library.CallScriptInstall(nullptr));
    EXPECT_TRUE(fake.scriptCalls.empty());
    EXPECT_FALSE(library.CallScriptInstall("a.cfg"));
    inst::CScriptLibrary moved(std::move(library));
    EXPECT_TRUE(fake.freedLibraries.empty());
  }
  EXPECT_EQ(fake.freedLibraries.size(), 1u);  // once, by the object that held it
  fake.AddLibrary(dll, {{{"Install", 0}}});
  inst::CScriptLibrary library(fake, load);
  library.LoadScriptLibrary();
  EXPECT_TRUE(library.CallScriptInstall("a.cfg"));
}

TEST(Companions, OnlyFilesPresentBeforeTheLaunchStart) {
  plat::FakePlatform fake;
  CBonusConfig config(fake);
  fake.AddFile("D:\\access\\Ab\\Ab.tmp");
  fake.AddFile("D:\\access\\Ab\\_clear.ab");
  auto shortPaths = inst::CompanionShortPaths(fake, "D:\\access\\Ab");
  // The installer creates one after the short paths were taken, and removes another.
  fake.AddFile("D:\\access\\Ab\\uninst.ab");
  fake.RemovePath("D:\\access\\Ab\\Ab.tmp");
  fake.currentDir = "D:\\access";
  inst::StartCompanions(config, shortPaths);
  EXPECT_EQ(bonus::testing::Started(fake), "run D:\\access\\Ab\\_clear.ab in D:\\access\n");
}

}  // namespace
