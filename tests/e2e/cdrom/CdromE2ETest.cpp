// The pressed demo disk run from a CD-ROM drive. run-from-cd.sh presses the
// disk, extracts the image as drive D: of type CD-ROM with the product's
// SourceDir on it and runs this test under Wine; afterwards it checks that
// nothing on D: changed. Here: the program started from D: opens with every
// capsule, lists only the fixed drives in its disk-space box, and selects
// and installs a capsule.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/E2ESupport.h"

namespace {

using e2e::TextOf;
using e2e::WaitUntil;

constexpr const char* kProgram = "D:\\access\\VERavevi.exe";
constexpr const char* kCaption = "Velmora Bonus Software";
constexpr int kNote = 1003, kTree = 1004, kInstall = 1006, kDiskSpace = 1008;
constexpr LRESULT kCapsules = 6;  // the demo disk's [Packages]
constexpr int kMusic = 3;         // a capsule that installs without asking

// The letters of the drives of the kind, in the system's order.
std::string DrivesOfType(UINT type) {
  char roots[512] = {};
  std::string letters;
  ::GetLogicalDriveStringsA(sizeof roots, roots);
  for (const char* root = roots; *root != '\0'; root += std::char_traits<char>::length(root) + 1)
    if (::GetDriveTypeA(root) == type) letters += root[0];
  return letters;
}

// The first letters of the text's lines.
std::string LineLetters(const std::string& text) {
  std::string letters;
  bool lineStart = true;
  for (char c : text) {
    if (lineStart && c != '\r' && c != '\n') letters += c;
    lineStart = c == '\r' || c == '\n';
  }
  return letters;
}

TEST(CdromE2E, OpensFromTheCdListsFixedDrivesAndInstalls) {
  ASSERT_EQ(DrivesOfType(DRIVE_CDROM), "D") << "D: is not the one CD-ROM drive";
  const std::string log = e2e::TempDir() + "\\VelmoraDemoInstalls.log";
  ::DeleteFileA(log.c_str());
  e2e::StartupFolder startUp("VERavevi.lnk");
  // Autorun starts the program in the root of the CD.
  e2e::Process program(kProgram, "", "D:\\");
  ASSERT_TRUE(program.Started());
  HWND dialog = e2e::WaitForWindow("#32770", kCaption, [](HWND w) {
    return ::IsWindowVisible(w) && ::SendMessageA(::GetDlgItem(w, kTree), TVM_GETCOUNT, 0, 0) == kCapsules;
  });
  ASSERT_NE(dialog, nullptr) << "no main dialog with every capsule";

  const std::string space = TextOf(::GetDlgItem(dialog, kDiskSpace));
  EXPECT_EQ(LineLetters(space), DrivesOfType(DRIVE_FIXED)) << space;
  EXPECT_EQ(LineLetters(space).find('D'), std::string::npos) << space;

  HWND tree = ::GetDlgItem(dialog, kTree);
  LRESULT item = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
  for (int i = 0; i < kMusic; ++i) item = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, item);
  ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, item);
  EXPECT_EQ(TextOf(::GetDlgItem(dialog, kNote)), "Play and organise your music.");

  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kInstall, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, kInstall)));
  HWND installed = e2e::WaitForWindow("#32770", "Music Setup", [](HWND w) { return ::IsWindowVisible(w); });
  ASSERT_NE(installed, nullptr) << "the capsule's installer did not start from D:";
  EXPECT_EQ(e2e::ReadText(log), "Music \r\n");
  ::PostMessageA(installed, WM_COMMAND, IDOK, 0);

  ::PostMessageA(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit());
  EXPECT_EQ(program.ExitCode(), 0u);
}

}  // namespace
