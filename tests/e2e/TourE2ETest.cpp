// A tour of the real program under the real platform: a scratch disk of
// four capsules beside a copy of VERavevi.exe (its description marker makes
// the program folder the data folder). The scripted tour selects every
// capsule, installs with each answer to the confirmation and to the
// reinstall question, follows a capsule's MoreInfo link with real mouse
// clicks, starts Run2 once after the dialog shows, and closes (the tray's
// own ways are the tray test's); the random walk (fixed seed, bounded steps
// and time; VELMORA_WALK_STEPS and VELMORA_WALK_SEED make it a soak without
// a time bound) selects, installs, starts second instances, also in tray
// mode, takes the disk away and gives it back at the prompt, and closes and
// reopens, checking after every step that there is at most one main dialog,
// that its StartUp shortcut exists exactly while it is open, and that
// nothing else under the Windows folder changed.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "E2ESupport.h"

namespace {

using e2e::FileExists;
using e2e::Process;
using e2e::TextOf;
using e2e::WaitUntil;

constexpr const char* kTitle = "Velmora Tour E2E";
constexpr int kTree = 1004, kNote = 1003, kInstall = 1006, kMoreInfo = 1010;

// Visible top-level windows with the caption: main dialogs (with the capsule
// tree) and the program's message boxes.
struct Windows {
  std::vector<HWND> dialogs, boxes;
};
Windows TitledWindows() {
  Windows w;
  for (HWND h : e2e::TopWindows("#32770", kTitle))
    if (::IsWindowVisible(h)) (::GetDlgItem(h, kTree) != nullptr ? w.dialogs : w.boxes).push_back(h);
  return w;
}

// Every file under `folder` with its size and last write time.
void Tree(const std::string& folder, std::map<std::string, std::uint64_t>& out) {
  WIN32_FIND_DATAA data;
  HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = data.cFileName, path = folder + "\\" + name;
    if (name == "." || name == "..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      Tree(path, out);
    } else {
      out[path] = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                   data.ftLastWriteTime.dwLowDateTime) ^
                  (static_cast<std::uint64_t>(data.nFileSizeLow) << 1);
    }
  } while (::FindNextFileA(find, &data));
  ::FindClose(find);
}

struct Capsule {
  const char* folder;
  const char* title;
  const char* note;
  bool disclaimer;
  bool moreInfo;          // a MoreInfo link to Info\ReadMe.exe, a stand-in that records its runs
  const char* reinstall;  // the question asked because the program's own copy counts as installed
};
const Capsule kCapsules[] = {
    {"Chess", "Chess Master", "A game of chess.", true, false, nullptr},
    {"Paint", "Paint Studio", "Draw and paint.", false, true, nullptr},
    {"Tools\\Zip", "Zip Tools", "Pack files.", true, false, nullptr},
    {"Music", "Music Box", "Play your songs.", false, false, "Music Box is already installed. Again?"},
};

// Posts a left click at client point (x, y) of `window`, as the mouse would.
void Click(HWND window, int x, int y) {
  ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  ::PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

class TourE2E : public ::testing::Test {
 protected:
  e2e::StartupFolder startUp_{"VERavevi.lnk"};
  e2e::StartupFolder trayStartUp_{"VERaveviTrayIcon.lnk"};
  e2e::ScratchFolder folder_{"tour-e2e"};
  const std::string program_ = folder_.In("VERavevi.exe"), link_ = startUp_.Link(),
                    trayLink_ = trayStartUp_.Link();
  std::string windowsDir_;
  std::map<std::string, std::uint64_t> windowsBefore_;
  std::unique_ptr<Process> process_;
  HWND dialog_ = nullptr;

  std::string Runs(const Capsule& c) const { return folder_.In(std::string(c.folder) + "\\runs.txt"); }

  void SetUp() override {
    char windows[MAX_PATH] = {};
    ASSERT_NE(::GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    windowsDir_ = windows;
    ASSERT_TRUE(::CopyFileA(e2e::WindowsPath(VERAVEVI_EXE).c_str(), program_.c_str(), FALSE));
    ASSERT_TRUE(e2e::WriteText(folder_.In("VERavevi.rtf"), "{\\rtf1 }"));
    // Run2: a program started once the dialog has shown (timer 200).
    std::string main =
        std::string("[TuneUp]\r\nWindowTitle=") + kTitle + "\r\nRun2=Later\\Later.exe,0\r\n[Packages]\r\n";
    ASSERT_TRUE(::CopyFileA(e2e::WindowsPath(APPEND_RUN_EXE).c_str(),
                            (folder_.Folder("Later") + "\\Later.exe").c_str(), FALSE));
    folder_.Folder("Tools");
    for (const Capsule& c : kCapsules) {
      main += std::string(c.folder) + "\r\n";
      const std::string dir = folder_.Folder(c.folder), name = dir.substr(dir.find_last_of('\\'));
      std::string cfg =
          std::string("[TuneUp]\r\nTitle=") + c.title + "\r\nNote=" + c.note + "\r\nRun=Setup.exe\r\n";
      if (c.disclaimer) cfg += "Disclaimer=1\r\n";
      if (c.reinstall != nullptr)  // the copy's product version 5.0.0.0 is not newer than this one
        cfg += "[Version]\r\nVersion=5.0.0.0\r\nFile=" + program_ + "\r\nAskMsg=" + c.reinstall + "\r\n";
      if (c.moreInfo) {
        cfg += "MoreInfoTitle=Read me\r\nMoreInfoRun=Info\\ReadMe.exe\r\n";
        ASSERT_TRUE(::CopyFileA(e2e::WindowsPath(APPEND_RUN_EXE).c_str(),
                                (folder_.Folder(std::string(c.folder) + "\\Info") + "\\ReadMe.exe").c_str(),
                                FALSE));
      }
      ASSERT_TRUE(e2e::WriteText(dir + name + ".cfg", cfg));
      ASSERT_TRUE(e2e::WriteText(dir + name + ".rtf", std::string("{\\rtf1 ") + c.title + "\\par}"));
      ASSERT_TRUE(
          ::CopyFileA(e2e::WindowsPath(APPEND_RUN_EXE).c_str(), (dir + "\\Setup.exe").c_str(), FALSE));
    }
    ASSERT_TRUE(e2e::WriteText(folder_.In("VERavevi.cfg"), main));
    Tree(windowsDir_, windowsBefore_);
  }

  void TearDown() override {
    if (dialog_ != nullptr && ::IsWindow(dialog_)) ::PostMessageA(dialog_, WM_CLOSE, 0, 0);
    if (process_) process_->WaitForExit();
    process_.reset();
  }

  void Open() {
    process_ = std::make_unique<Process>(program_);
    ASSERT_TRUE(process_->Started());
    ASSERT_NO_FATAL_FAILURE(WaitForDialog());
  }
  void WaitForDialog() {
    dialog_ = e2e::WaitForWindow("#32770", kTitle, [](HWND w) {
      return ::IsWindowVisible(w) &&
             ::SendMessageA(::GetDlgItem(w, kTree), TVM_GETCOUNT, 0, 0) == LRESULT(std::size(kCapsules));
    });
    ASSERT_NE(dialog_, nullptr) << "no main dialog with every capsule";
  }
  void Close() {
    ::PostMessageA(dialog_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(process_->WaitForExit()) << "the program did not end after closing";
    process_.reset();
    dialog_ = nullptr;
  }
  // Selects capsule `i` and returns the note line then shown.
  std::string Select(std::size_t i) {
    ::SendMessageA(::GetDlgItem(dialog_, kTree), TVM_SELECTITEM, TVGN_CARET, Item(i));
    return TextOf(::GetDlgItem(dialog_, kNote));
  }
  // The tree item of capsule `i` (0 when there is none).
  LRESULT Item(std::size_t i) const {
    HWND tree = ::GetDlgItem(dialog_, kTree);
    LRESULT item = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    for (std::size_t k = 0; k < i && item != 0; ++k)
      item = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, item);
    return item;
  }
  // Presses Install; answers a confirmation box or reinstall question with
  // `answer` if one comes, after checking its text when `text` is given.
  void Install(bool expectBox, int answer, const char* text = nullptr) {
    ::PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(kInstall, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog_, kInstall)));
    if (!expectBox) return;
    HWND box = e2e::WaitForWindow(
        "#32770", kTitle, [](HWND w) { return ::IsWindowVisible(w) && ::GetDlgItem(w, kTree) == nullptr; });
    ASSERT_NE(box, nullptr) << "no confirmation box";
    if (text != nullptr) {
      EXPECT_EQ(TextOf(::GetDlgItem(box, 0xFFFF)), text);  // the message box's text
    }
    ::PostMessageA(box, WM_COMMAND, answer, 0);
    ASSERT_TRUE(WaitUntil([&] { return TitledWindows().boxes.empty(); }));
  }
  void CheckInvariants(const std::string& step) {
    SCOPED_TRACE(step);
    auto w = TitledWindows();
    ASSERT_LE(w.dialogs.size(), 1u) << "two main dialogs";
    const bool open = !w.dialogs.empty();
    EXPECT_EQ(FileExists(link_), open) << "the StartUp shortcut exists exactly while the dialog is open";
    if (process_) {
      EXPECT_TRUE(open || !process_->Running());
      if (!process_->Running()) {
        EXPECT_EQ(process_->ExitCode(), 0u);
      }
    }
    std::map<std::string, std::uint64_t> now;
    Tree(windowsDir_, now);
    now.erase(link_);  // absent from the snapshot: StartupFolder removed them
    now.erase(trayLink_);
    std::vector<std::string> changed;
    for (const auto& [p, v] : now)
      if (!windowsBefore_.count(p) || windowsBefore_[p] != v) changed.push_back(p);
    for (const auto& [p, v] : windowsBefore_)
      if (!now.count(p)) changed.push_back("gone: " + p);
    EXPECT_EQ(changed, std::vector<std::string>{});
  }
};

TEST_F(TourE2E, SelectsInstallsWithEachAnswerAndCloses) {
  Open();
  EXPECT_TRUE(FileExists(link_));
  const std::string later = folder_.In("Later\\runs.txt");
  EXPECT_TRUE(WaitUntil([&] { return e2e::ReadText(later) == "run\r\n"; })) << "Run2 after the dialog showed";
  for (std::size_t i = 0; i < std::size(kCapsules); ++i) {
    EXPECT_TRUE(WaitUntil([&] { return Select(i) == kCapsules[i].note; }, 5000)) << kCapsules[i].title;
  }
  // Chess asks: Cancel starts nothing, OK starts its installer.
  Select(0);
  Install(true, IDCANCEL);
  ::Sleep(500);
  EXPECT_FALSE(FileExists(Runs(kCapsules[0])));
  Install(true, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return e2e::ReadText(Runs(kCapsules[0])) == "run\r\n"; }))
      << e2e::ReadText(Runs(kCapsules[0]));
  // A click on Paint Studio selects it and gives the tree the focus, which
  // arms the link; the link shows because its target exists.
  HWND tree = ::GetDlgItem(dialog_, kTree), link = ::GetDlgItem(dialog_, kMoreInfo);
  const int row = static_cast<int>(::SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0));
  ASSERT_GT(row, 0);
  Click(tree, 20, row + row / 2);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(::GetDlgItem(dialog_, kNote)) == kCapsules[1].note; }))
      << TextOf(::GetDlgItem(dialog_, kNote));
  EXPECT_TRUE(::IsWindowVisible(link));
  EXPECT_EQ(::SendMessageA(link, TVM_GETCOUNT, 0, 0), 1);

  // A click on the link opens its target once and hides the link.
  const std::string infoRuns = folder_.In("Paint\\Info\\runs.txt");
  Click(link, 10, 4);
  EXPECT_TRUE(WaitUntil([&] { return e2e::ReadText(infoRuns) == "run\r\n"; })) << e2e::ReadText(infoRuns);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(link); }));

  // Paint does not ask.
  Install(false, 0);
  EXPECT_TRUE(WaitUntil([&] { return e2e::ReadText(Runs(kCapsules[1])) == "run\r\n"; }));
  // Music Box counts as installed: No keeps it, Yes installs it again.
  Select(3);
  Install(true, IDNO, kCapsules[3].reinstall);
  ::Sleep(500);
  EXPECT_FALSE(FileExists(Runs(kCapsules[3])));
  Install(true, IDYES, kCapsules[3].reinstall);
  EXPECT_TRUE(WaitUntil([&] { return e2e::ReadText(Runs(kCapsules[3])) == "run\r\n"; }))
      << e2e::ReadText(Runs(kCapsules[3]));
  CheckInvariants("after the installs");
  Close();
  CheckInvariants("after closing");
  EXPECT_FALSE(FileExists(link_));
  EXPECT_EQ(e2e::ReadText(folder_.In("Paint\\Info\\runs.txt")), "run\r\n")
      << "MoreInfo's target ran more than once";
  EXPECT_EQ(e2e::ReadText(later), "run\r\n") << "Run2 ran more than once";
}

// A visible box of the dialog's process (the insert-disk prompt), of any
// caption.
HWND PromptOf(DWORD process) {
  for (HWND h : e2e::TopWindows("#32770", nullptr))
    if (::IsWindowVisible(h) && e2e::ProcessOf(h) == process && ::GetDlgItem(h, kTree) == nullptr) return h;
  return nullptr;
}

unsigned long FromEnvironment(const char* name, unsigned long fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::strtoul(value, nullptr, 10) : fallback;
}

TEST_F(TourE2E, RandomWalkKeepsTheInvariants) {
  const unsigned long seed = FromEnvironment("VELMORA_WALK_SEED", 20261206u);
  const unsigned long maxSteps = FromEnvironment("VELMORA_WALK_STEPS", 0);
  const DWORD timeLimit = maxSteps == 0 ? 90000 : 0xFFFFFFFFu;
  std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
  std::vector<std::unique_ptr<Process>> trays;
  int prompts = 0;
  Open();
  const DWORD start = ::GetTickCount();
  unsigned long steps = 0;
  for (; steps < (maxSteps == 0 ? 200 : maxSteps) && ::GetTickCount() - start < timeLimit; ++steps) {
    const unsigned action = random() % 12;
    std::string step = "step " + std::to_string(steps) + " action " + std::to_string(action);
    if (dialog_ == nullptr) {
      Open();
    } else if (action < 6) {
      const std::size_t i = random() % std::size(kCapsules);
      EXPECT_EQ(Select(i), kCapsules[i].note) << step;
    } else if (action == 6) {
      // Install with whatever answer, for the capsule now selected.
      const std::string note = TextOf(::GetDlgItem(dialog_, kNote));
      const Capsule* selected = nullptr;
      for (const Capsule& c : kCapsules)
        if (note == c.note) selected = &c;
      if (selected == nullptr) continue;
      const bool yes = random() % 2 != 0;
      if (selected->reinstall != nullptr) {
        Install(true, yes ? IDYES : IDNO);
      } else {
        Install(selected->disclaimer, yes ? IDOK : IDCANCEL);
      }
    } else if (action == 7) {
      // A second start finds the open dialog and ends.
      Process second(program_);
      ASSERT_TRUE(second.Started());
      EXPECT_TRUE(second.WaitForExit()) << step;
    } else if (action == 8) {
      Close();
    } else if (action == 9) {
      ::Sleep(50);
    } else if (action == 10) {
      // A start in tray mode lives on beside the dialog while no other
      // tray-only process does, and ends at once otherwise.
      trays.push_back(std::make_unique<Process>(program_, "0", folder_.Path()));
      ASSERT_TRUE(trays.back()->Started());
      ASSERT_TRUE(trays.back()->WaitForIdle() || !trays.back()->Running()) << step;
    } else {
      // The disk goes: the next selection asks for it; it comes back and OK
      // looks again, finding it.
      const std::string cfg = folder_.In("VERavevi.cfg"), away = cfg + ".away";
      ASSERT_TRUE(::MoveFileA(cfg.c_str(), away.c_str()));
      const std::size_t i = random() % std::size(kCapsules);
      HWND tree = ::GetDlgItem(dialog_, kTree);
      const LRESULT item = Item(i);
      HWND prompt = nullptr;
      if (item != ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)) {
        ::PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET, item);
        WaitUntil([&] { return (prompt = PromptOf(process_->Id())) != nullptr; });
      }
      ASSERT_TRUE(::MoveFileA(away.c_str(), cfg.c_str()));
      if (item == 0 || prompt == nullptr) {
        ASSERT_EQ(TextOf(::GetDlgItem(dialog_, kNote)), kCapsules[i].note)
            << step << ": no insert-disk prompt";
        continue;
      }
      ::PostMessageA(prompt, WM_COMMAND, IDOK, 0);
      ++prompts;
      ASSERT_TRUE(WaitUntil([&] { return PromptOf(process_->Id()) == nullptr; })) << step;
      // The selection goes on after the box has gone.
      EXPECT_TRUE(WaitUntil([&] { return TextOf(::GetDlgItem(dialog_, kNote)) == kCapsules[i].note; }))
          << step << ": " << TextOf(::GetDlgItem(dialog_, kNote));
    }
    if (::testing::Test::HasFatalFailure()) return;
    CheckInvariants(step);
    if (::testing::Test::HasFailure()) return;
  }
  RecordProperty("steps", static_cast<int>(steps));
  std::printf("walk: seed %lu, %lu steps, %zu tray-mode starts, %d disk prompts answered\n", seed, steps,
              trays.size(), prompts);
  if (dialog_ != nullptr) Close();
  trays.clear();
  CheckInvariants("end");
}

}  // namespace
