// The tray across real processes: a copy of VERavevi.exe in a scratch
// folder (with the program's description marker, so that the folder is
// also the data folder), driven through its hidden frame's messages.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"
#include "tests/e2e/E2ESupport.h"

namespace {

using e2e::FileExists;
using e2e::Process;
using e2e::ProcessOf;
using e2e::SendAndWait;
using e2e::TextOf;
using e2e::TopWindows;
using e2e::WaitUntil;

constexpr const char* kTitle = "Velmora Tray E2E";
// The tray's hidden frame as other processes see it: its window class and
// caption, the icon id of its notifications (WM_USER), the Disable Tray Icon
// command and that dialog's No button.
constexpr const char* kFrameClass = "VERaveviTrayFrame";
constexpr const char* kFrameTitle = "Velmora Bonus Software";
constexpr UINT kIconId = 3;
constexpr UINT kDisableCommand = 32027;
constexpr int kNoButton = 1001;
constexpr UINT kOpenCommand = 32023;
constexpr UINT kQuitCommand = 32024;
constexpr int kShowNextTime = 1000;
constexpr int kOrderText = 1026;
constexpr int kLogEdit = 59648;

// Top-level dialog windows with the caption, of any process.
std::vector<HWND> DialogsTitled(const char* caption) { return TopWindows("#32770", caption); }

// Waits for a top-level dialog with the caption that has a control `childId`.
HWND DialogWithControl(const char* caption, int childId) {
  return e2e::WaitForWindow("#32770", caption, [&](HWND w) { return ::GetDlgItem(w, childId) != nullptr; });
}

class TrayE2E : public ::testing::Test {
 protected:
  void TearDown() override { processes_.clear(); }

  // The program folder holds the marker and the main configuration.
  void Configure(const std::string& tuneUp, bool marker = true) {
    ASSERT_TRUE(::CopyFileA(e2e::WindowsPath(VERAVEVI_EXE).c_str(), program_.c_str(), FALSE));
    if (marker) {
      ASSERT_TRUE(e2e::WriteText(folder_.In("VERavevi.rtf"), "{\\rtf1 }"));
    }
    ASSERT_TRUE(e2e::WriteText(folder_.In("VERavevi.cfg"),
                               "[TuneUp]\r\nWindowTitle=" + std::string(kTitle) + "\r\n" + tuneUp));
  }

  Process& Start(const std::string& parameter) {
    processes_.push_back(std::make_unique<Process>(program_, parameter, folder_.Path()));
    EXPECT_TRUE(processes_.back()->Started());
    return *processes_.back();
  }

  // A tray-only process (tray_), once its hidden frame (frame_) is there and
  // its StartUp shortcut is written; without the marker its disk is missing.
  void StartTray(bool marker = true) {
    Configure("", marker);
    tray_ = &Start("0");
    const DWORD id = tray_->Id();
    frame_ = e2e::WaitForWindow(kFrameClass, kFrameTitle, [id](HWND w) { return ProcessOf(w) == id; });
    ASSERT_NE(frame_, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return FileExists(startup_.Link()); }));
  }

  // The tray process ends through the frame's quit command.
  void Quit() {
    ::PostMessageA(frame_, WM_COMMAND, kQuitCommand, 0);
    EXPECT_TRUE(tray_->WaitForExit());
  }

  // The shortcut starts this copy tray-only, from its folder, with its icon.
  void ExpectTrayLink() {
    auto link = platform_.LoadShellLink(startup_.Link());
    ASSERT_TRUE(link);
    EXPECT_EQ(::lstrcmpiA(link->target.c_str(), program_.c_str()), 0) << link->target;
    EXPECT_EQ(link->arguments, "0");
    EXPECT_EQ(::lstrcmpiA(link->workingDir.c_str(), folder_.Path().c_str()), 0) << link->workingDir;
    EXPECT_EQ(::lstrcmpiA(link->iconPath.c_str(), program_.c_str()), 0) << link->iconPath;
    EXPECT_EQ(link->iconIndex, 0);
    EXPECT_EQ(link->showCommand, 1);
  }

  e2e::StartupFolder startup_{"VERaveviTrayIcon.lnk"};
  e2e::ScratchFolder folder_{"tray-e2e"};
  const std::string program_ = folder_.In("VERavevi.exe");
  std::vector<std::unique_ptr<Process>> processes_;
  Process* tray_ = nullptr;
  HWND frame_ = nullptr;
  plat::Win32Platform platform_;
};

TEST_F(TrayE2E, TrayOnlyStartWritesTheStartupShortcutAndKeepsAHiddenFrame) {
  ASSERT_NO_FATAL_FAILURE(StartTray());
  EXPECT_FALSE(::IsWindowVisible(frame_));
  EXPECT_EQ(TextOf(frame_), kFrameTitle);
  ExpectTrayLink();
  // A close request only hides the frame.
  EXPECT_EQ(SendAndWait(frame_, WM_CLOSE, 0, 0), 0);
  EXPECT_TRUE(tray_->Running());
  EXPECT_TRUE(::IsWindow(frame_));
  Quit();
}

TEST_F(TrayE2E, DoubleClickOpensTheMainDialogAndASecondOneOnlyRaisesIt) {
  ASSERT_NO_FATAL_FAILURE(StartTray());
  // The first double click runs the main dialog modally inside the frame's
  // handler, so it is posted.
  ASSERT_TRUE(::PostMessageA(frame_, WM_USER, kIconId, WM_LBUTTONDBLCLK));
  ASSERT_TRUE(WaitUntil([] { return DialogsTitled(kTitle).size() == 1; }));
  HWND dialog = DialogsTitled(kTitle)[0];
  EXPECT_EQ(ProcessOf(dialog), tray_->Id());

  // The second is served by the dialog's loop and only raises it.
  EXPECT_EQ(SendAndWait(frame_, WM_USER, kIconId, WM_LBUTTONDBLCLK), 1);
  EXPECT_EQ(DialogsTitled(kTitle).size(), 1u);
  EXPECT_EQ(TextOf(::GetDlgItem(frame_, kLogEdit)),
            "Tray notification: ID=3, lEvent=0x0203 WM_LBUTTONDBLCLK\r\n"
            "Tray notification: ID=3, lEvent=0x0203 WM_LBUTTONDBLCLK\r\n");

  // Closing the dialog leaves the tray; the Open command opens it again.
  ::PostMessageA(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([] { return DialogsTitled(kTitle).empty(); }));
  EXPECT_TRUE(tray_->Running());
  ASSERT_TRUE(::PostMessageA(frame_, WM_COMMAND, kOpenCommand, 0));
  ASSERT_TRUE(WaitUntil([] { return DialogsTitled(kTitle).size() == 1; }));
  ::PostMessageA(DialogsTitled(kTitle)[0], WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([] { return DialogsTitled(kTitle).empty(); }));
  Quit();
}

// How the Disable Tray Icon dialog ends: the button clicked (0: closed).
struct DisableCase {
  const char* name;
  int button;
  bool ticked;
};

class DisableTrayIconE2E : public TrayE2E, public ::testing::WithParamInterface<DisableCase> {};

// Yes ends the tray; the StartUp shortcut stays exactly when the box is
// ticked (every combination is the native table's; here each way of ending
// the real dialog once).
TEST_P(DisableTrayIconE2E, ShortcutAndTrayFollowTheAnswer) {
  const DisableCase& c = GetParam();
  ASSERT_NO_FATAL_FAILURE(StartTray());
  ASSERT_TRUE(::PostMessageA(frame_, WM_COMMAND, kDisableCommand, 0));
  HWND dialog = DialogWithControl(kTitle, kNoButton);
  ASSERT_NE(dialog, nullptr);
  HWND check = ::GetDlgItem(dialog, kShowNextTime);
  // The configuration lies in the program folder: the box starts clear.
  EXPECT_EQ(SendAndWait(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  if (c.ticked) SendAndWait(check, BM_CLICK, 0, 0);
  if (c.button != 0) {
    ::PostMessageA(::GetDlgItem(dialog, c.button), BM_CLICK, 0, 0);
  } else {
    ::PostMessageA(dialog, WM_CLOSE, 0, 0);
  }
  if (c.button == IDOK) {
    EXPECT_TRUE(tray_->WaitForExit());
  } else {
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
    // A round trip through the frame: the dialog's handlers are done.
    EXPECT_EQ(SendAndWait(frame_, WM_USER, kIconId, WM_MOUSEMOVE), 0);
    EXPECT_TRUE(tray_->Running());
  }
  EXPECT_EQ(FileExists(startup_.Link()), c.ticked);
  if (c.ticked) ExpectTrayLink();
  if (c.button != IDOK) Quit();
}

INSTANTIATE_TEST_SUITE_P(Table, DisableTrayIconE2E,
                         ::testing::Values(DisableCase{"YesTicked", IDOK, true},
                                           DisableCase{"NoClear", kNoButton, false},
                                           DisableCase{"CloseClear", 0, false}),
                         [](const auto& row) { return std::string(row.param.name); });

// A quit while the disk prompt is up ends the prompt for good: a message
// box that a quit ended answers OK, and so would every later one at once.
TEST_F(TrayE2E, DisablingTheTrayWhileTheDiskPromptIsUpEndsTheProcess) {
  if (platform_.RegQueryValue(plat::RegRoot::LocalMachine, "SOFTWARE\\Velmora Network\\5.0", "SourceDir"))
    GTEST_SKIP() << "the prefix records a source folder";
  ASSERT_NO_FATAL_FAILURE(StartTray(false));
  ASSERT_TRUE(::PostMessageA(frame_, WM_COMMAND, kOpenCommand, 0));
  ASSERT_TRUE(WaitUntil([] { return DialogsTitled(kTitle).size() == 1; }));
  // The frame's menu is served by the prompt's loop.
  ASSERT_TRUE(::PostMessageA(frame_, WM_COMMAND, kDisableCommand, 0));
  HWND dialog = DialogWithControl(kTitle, kNoButton);
  ASSERT_NE(dialog, nullptr);
  ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(tray_->WaitForExit());
}

TEST_F(TrayE2E, TheOrderDialogAppearsWhenTheDiskIsMissingAndAnOrderPageIsConfigured) {
  if (platform_.RegQueryValue(plat::RegRoot::LocalMachine, "SOFTWARE\\Velmora Network\\5.0", "SourceDir"))
    GTEST_SKIP() << "the prefix records a source folder";
  // Without the marker the main file is looked for in the product's data
  // folder, which this prefix does not have.
  Configure("OrderURLmsg=Order %s now.\\nIt is on CD.\r\nOrderURL=http://order.example.invalid/\r\n", false);
  Process& process = Start("");

  HWND order = DialogWithControl(kTitle, kOrderText);
  ASSERT_NE(order, nullptr);
  EXPECT_EQ(TextOf(::GetDlgItem(order, kOrderText)), "Order Velmora 5.0 now.\nIt is on CD.");

  // OK looks for the disk again: the dialog comes back.
  ::PostMessageA(::GetDlgItem(order, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(order); }));
  ASSERT_NE(order = DialogWithControl(kTitle, kOrderText), nullptr);
  EXPECT_TRUE(process.Running());

  // Cancel gives up; in dialog-only mode the process ends.
  ::PostMessageA(::GetDlgItem(order, IDCANCEL), BM_CLICK, 0, 0);
  EXPECT_TRUE(process.WaitForExit());
  EXPECT_TRUE(DialogsTitled(kTitle).empty());
}

}  // namespace
