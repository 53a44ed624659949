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
  install::LibraryLoader load = [this](const std::string& name) { return fake.LoadLibrary(name); };
  const std::string dll = "C:\\Program Files\\Velmora\\VScript.DLL";
};

// RunScript needs the library and its Install entry, calls it with the path
// and frees the library; CallScriptInstall reports whether Install returned
// zero, and the library is freed once, by the object that holds it.
TEST_F(ScriptLibrary, RunScriptAndCallScriptInstall) {
  install::RunScript(fake, load, "a.cfg");  // no library
  fake.AddLibrary(dll, {{{"_Install@16", 0}}});
  install::RunScript(fake, load, "a.cfg");  // no entry: loaded and freed
  install::RunScript(fake, install::LibraryLoader(), "a.cfg");
  EXPECT_TRUE(fake.scriptCalls.empty());
  fake.AddLibrary(dll, {{{"Install", 3}}});
  fake.loadedLibraries.clear();
  install::RunScript(fake, load, "D:\\access\\inst\\setup.cfg");
  EXPECT_EQ(fake.loadedLibraries, std::vector<std::string>{"VScript.DLL"});
  EXPECT_EQ(
      fake.scriptCalls.size() == 1 ? fake.scriptCalls[0].entry + " " + fake.scriptCalls[0].scriptPath : "",
      "Install D:\\access\\inst\\setup.cfg");
  EXPECT_EQ(fake.freedLibraries.size(), 2u);
  {
    install::CScriptLibrary library(fake, load);
    EXPECT_FALSE(library.CallScriptInstall("a.cfg"));  // nothing loaded yet
    EXPECT_NE(library.LoadScriptLibrary(), 0u);
    EXPECT_FALSE(library.CallScriptInstall(nullptr));
    EXPECT_FALSE(library.CallScriptInstall("a.cfg"));
    install::CScriptLibrary moved(std::move(library));
    EXPECT_EQ(fake.freedLibraries.size(), 2u);
  }
  EXPECT_EQ(fake.freedLibraries.size(), 3u);
  EXPECT_EQ(fake.scriptCalls.size(), 2u);  // not for a null path
  fake.AddLibrary(dll, {{{"Install", 0}}});
  install::CScriptLibrary library(fake, load);
  library.LoadScriptLibrary();
  EXPECT_TRUE(library.CallScriptInstall("a.cfg"));
}

TEST(Companions, OnlyFilesPresentBeforeTheLaunchStart) {
  plat::FakePlatform fake;
  CBonusConfig config(fake);
  fake.AddFile("D:\\access\\Ab\\Ab.tmp");
  fake.AddFile("D:\\access\\Ab\\_clear.ab");
  auto shortPaths = install::CompanionShortPaths(fake, "D:\\access\\Ab");
  // The installer creates one after the short paths were taken, and removes another.
  fake.AddFile("D:\\access\\Ab\\uninst.ab");
  fake.RemovePath("D:\\access\\Ab\\Ab.tmp");
  fake.currentDir = "D:\\access";
  install::StartCompanions(config, shortPaths);
  EXPECT_EQ(browser::testing::Started(fake), "run D:\\access\\Ab\\_clear.ab in D:\\access\n");
}

}  // namespace
