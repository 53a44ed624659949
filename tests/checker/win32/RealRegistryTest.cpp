// capsule-check on the real system: without --registry the installed-version
// check reads the real registry. The test writes its own keys under
// HKEY_CURRENT_USER\Software\VelmoraCapsuleCheckTest and its own disk in the
// temporary folder, and removes both.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "checker/CapsuleCheck.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kTestKey = "Software\\VelmoraCapsuleCheckTest";

class RealRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    disk = fs::temp_directory_path() / "capsule-check-real-registry";
    fs::remove_all(disk);
    fs::create_directories(disk / "Chess");
    std::ofstream(disk / "VERavevi.cfg") << "[TuneUp]\nWindowTitle=Bonus\n[Packages]\nChess\n";
    std::ofstream(disk / "Chess" / "Chess.cfg")
        << "[TuneUp]\nTitle=Chess\nRun=setup.exe\n[Version]\nRegistry=HKEY_CURRENT_USER\\" << kTestKey
        << "\\Chess\\Version\nVersion=2.0\nAskMsg=Chess again?\n";
    for (const char* name : {"Chess"}) {
      std::ofstream(disk / name / "setup.exe") << "MZ";
      std::ofstream(disk / name / (std::string(name) + ".rtf")) << "{\\rtf1 " << name << "}";
    }
    SetValue("Chess", "Version", REG_SZ, "2.5", 4);
  }
  void SetValue(const std::string& subKey, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(kTestKey) + "\\" + subKey).c_str(), 0,
                                nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(key);
  }
  void TearDown() override {
    ::RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kTestKey) + "\\Chess").c_str());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
    fs::remove_all(disk);
  }
  fs::path disk;
};

TEST_F(RealRegistry, TheVersionCheckReadsIt) {
  const auto host = checker::MakeHost();
  std::ostringstream out, err;
  const int status = checker::RunCapsuleCheck({disk.string(), "--explain"}, *host, out, err);
  const std::string text = out.str();
  EXPECT_EQ(err.str(), "");
  // No icons or sounds anywhere: nothing to report.
  EXPECT_EQ(status, 0) << text;
  EXPECT_NE(text.find("value \"Version\": REG_SZ \"2.5\", raw data 32 2E 35 00"), std::string::npos) << text;
  EXPECT_NE(text.find("verdict: the question \"Chess again?\" is asked"), std::string::npos) << text;
}

}  // namespace
