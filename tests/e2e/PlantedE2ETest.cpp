// Planted libraries: copies of version.dll, winmm.dll and riched20.dll
// beside a copy of VERavevi.exe and in its current folder, of VScript.DLL in
// the current folder only (the program's own lies beside it); each records
// its loading and fails every call. Wine searches as Windows does only for a
// program with native overrides in its AppDefaults key. Wine's own user32
// imports version.dll, so that copy is loaded into every program there: it
// is judged by the version check still reading the real version resource.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <string>

#include "E2ESupport.h"

namespace {

constexpr const char* kTitle = "Velmora Planted E2E";
constexpr const char* kAsk = "Script Pack is already installed. Again?";
constexpr const char* kOverrides = "Software\\Wine\\AppDefaults\\VERavevi.exe\\DllOverrides";
constexpr int kTree = 1004, kNote = 1003, kInstall = 1006;

// A WAVE file of eight silent 8-bit samples at 8 kHz.
std::string Wave() {
  const char header[] =
      "RIFF\x2c\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x08\0data\x08\0\0\0";
  return std::string(header, sizeof header - 1) + std::string(8, '\x80');
}

class PlantedE2E : public ::testing::Test {
 protected:
  e2e::StartupFolder startUp_{"VERavevi.lnk"};
  e2e::ScratchFolder folder_{"planted-e2e"};
  const std::string programDir_ = folder_.Folder("Program"), currentDir_ = folder_.Folder("Current");
  const std::string program_ = programDir_ + "\\VERavevi.exe", script_ = programDir_ + "\\Script\\Setup.cfg",
                    ownScripts_ = programDir_ + "\\VScript.DLL";
  HWND dialog_ = nullptr;

  void SetUp() override {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyA(HKEY_CURRENT_USER, kOverrides, &key), ERROR_SUCCESS);
    for (const char* dll : {"version", "winmm", "riched20"}) {
      ::RegSetValueExA(key, dll, 0, REG_SZ, reinterpret_cast<const BYTE*>("native,builtin"), 15);
      for (const std::string& dir : {programDir_, currentDir_})
        ASSERT_TRUE(::CopyFileA(Planted(dll).c_str(), (dir + "\\" + dll + ".dll").c_str(), FALSE));
    }
    ::RegCloseKey(key);
    ASSERT_TRUE(::CopyFileA(Planted("VScript").c_str(), (currentDir_ + "\\VScript.DLL").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA(e2e::WindowsPath(SCRIPT_LIBRARY).c_str(), ownScripts_.c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA(e2e::WindowsPath(VERAVEVI_EXE).c_str(), program_.c_str(), FALSE));
    ASSERT_TRUE(e2e::WriteText(programDir_ + "\\VERavevi.rtf", "{\\rtf1 }"));
    ASSERT_TRUE(e2e::WriteText(programDir_ + "\\VERavevi.cfg", std::string("[TuneUp]\r\nWindowTitle=") +
                                                                   kTitle + "\r\n[Packages]\r\nScript\r\n"));
    folder_.Folder("Program\\Script");
    // The copy's product version 5.0.0.0 is not newer: the install asks.
    ASSERT_TRUE(
        e2e::WriteText(programDir_ + "\\Script\\Script.cfg",
                       "[TuneUp]\r\nTitle=Script Pack\r\nNote=Installs by script.\r\nRun=Setup.cfg\r\n"
                       "[Version]\r\nVersion=5.0.0.0\r\nFile=" +
                           program_ + "\r\nAskMsg=" + kAsk + "\r\n"));
    ASSERT_TRUE(e2e::WriteText(script_, "; script\r\n"));
    for (const char* sound : {"\\VERavevi.wav", "\\Script\\Script.wav"})
      ASSERT_TRUE(e2e::WriteText(programDir_ + sound, Wave()));
  }
  void TearDown() override {
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kOverrides);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\VERavevi.exe");
  }

  static std::string Planted(const char* dll) {
    return e2e::WindowsPath(PLANTED_DIR "/" + std::string(dll) + ".dll");
  }

  // Presses Install and answers Yes to the reinstall question; returns once
  // the command has ended.
  void InstallAnsweringYes() {
    ::PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(kInstall, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog_, kInstall)));
    HWND box = e2e::WaitForWindow(
        "#32770", kTitle, [](HWND w) { return ::IsWindowVisible(w) && ::GetDlgItem(w, kTree) == nullptr; });
    ASSERT_NE(box, nullptr) << "no reinstall question: the version resource was not read";
    EXPECT_EQ(e2e::TextOf(::GetDlgItem(box, 0xFFFF)), kAsk);
    ::PostMessageA(box, WM_COMMAND, IDYES, 0);
    ASSERT_TRUE(e2e::WaitUntil([box] { return !::IsWindow(box); }));
    EXPECT_EQ(e2e::SendAndWait(dialog_, WM_NULL, 0, 0), 0);
  }

  // Opens the dialog from the current folder, selects the capsule, installs
  // with the program's own script library and again without it, and closes.
  void UseTheProgram() {
    e2e::Process process(program_, "", currentDir_);
    ASSERT_TRUE(process.Started());
    dialog_ = e2e::WaitForWindow("#32770", kTitle, [](HWND w) {
      return ::IsWindowVisible(w) && ::SendMessageA(::GetDlgItem(w, kTree), TVM_GETCOUNT, 0, 0) == 1;
    });
    ASSERT_NE(dialog_, nullptr) << "no main dialog with its capsule";
    HWND tree = ::GetDlgItem(dialog_, kTree);
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    EXPECT_EQ(e2e::TextOf(::GetDlgItem(dialog_, kNote)), "Installs by script.");
    ASSERT_NO_FATAL_FAILURE(InstallAnsweringYes());
    EXPECT_EQ(e2e::ReadText(ownScripts_ + ".record.txt").substr(0, script_.size()), script_);
    // With no script library beside the program, none is found at all.
    ASSERT_TRUE(::DeleteFileA(ownScripts_.c_str()));
    ASSERT_NO_FATAL_FAILURE(InstallAnsweringYes());

    ::PostMessageA(dialog_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(process.WaitForExit());
    EXPECT_EQ(process.ExitCode(), 0u);
  }
};

TEST_F(PlantedE2E, NoPlantedCopyIsLoadedAndTheProgramStillWorks) {
  UseTheProgram();
  for (const std::string& dir : {programDir_, currentDir_})
    for (const char* dll : {"winmm.dll", "riched20.dll"})
      EXPECT_FALSE(e2e::FileExists(dir + "\\" + dll + ".loaded")) << dir << "\\" << dll;
  EXPECT_FALSE(e2e::FileExists(currentDir_ + "\\VScript.DLL.loaded"));
}

}  // namespace
