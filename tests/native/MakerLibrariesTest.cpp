#include <gtest/gtest.h>

#include "platform/VUtils.h"
#include "platform/fake/FakePlatform.h"

namespace {

// The file beside the program wins; otherwise the name is loaded as given.
TEST(LoadZBLibrary, PrefersTheFileBesideTheProgram) {
  const std::string beside = "C:\\Velmora\\VScript.DLL";
  const struct {
    const char* name;
    bool besideFile, besideFolder, system, loads;
    std::string loaded;
  } rows[] = {
      {"both", true, false, true, true, beside},
      {"system only", false, false, true, true, "VScript.DLL"},
      {"a folder beside", false, true, false, false, "VScript.DLL"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    plat::FakePlatform fake;
    fake.modulePath = "C:\\Velmora\\VERavevi.exe";
    if (r.besideFile) fake.AddLibrary(beside, {});
    if (r.besideFolder) fake.AddFolder(beside);
    if (r.system) fake.AddLibrary("C:\\WINDOWS\\SYSTEM32\\VScript.DLL", {});
    EXPECT_EQ(LoadZBLibraryEx(fake, "VScript.DLL") != 0, r.loads);
    EXPECT_EQ(fake.loadedLibraries, std::vector<std::string>{r.loaded});
  }
}

}  // namespace
