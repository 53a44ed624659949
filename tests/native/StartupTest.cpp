// The start-up road: the mode a start chooses, and what it does when
// something is missing or already running, each compared as a whole.
#include <gtest/gtest.h>

#include <source_location>

#include "app/BonusApp.h"
#include "tests/native/StartupFakes.h"

using namespace startup_test;

namespace {

using Strings = std::vector<std::string>;
const std::string kRun1 = "MainDialogFirstTimeRunning";
const std::string kRun2 = "AfterMainDialogFirstTimeRunning";
const std::string kTray = "justSTI";
const std::string kStop = "V50_StopAutoRun_Mutex";

// ---- the mode ----------------------------------------------------------------

// The windows, the mutexes in order, Run1's wait, then the programs started,
// the handles closed (only RunMainDialog closes its own) and the boxes.
const std::string kOwned = kStop + " owned";
const Strings kTrayOnly{"tray", kRun1, kRun2, kTray, "0 started, 0 closed, 0 boxes"};
const Strings kDialogAndTray{"tray", "main 2", kRun1,        kTray,
                             kOwned, kOwned,   "sleep 2000", "1 started, 1 closed, 0 boxes"};
const Strings kDialogOnly{"main 2", kRun1, kOwned, kOwned, "sleep 2000", "1 started, 1 closed, 0 boxes"};
const Strings kNoWindow{kRun1, "sleep 2000", "1 started, 0 closed, 0 boxes"};

TEST(StartUpMode, ChoosesTheModeAndCreatesTheMutexesInOrder) {
  // Markers: files in the program folder; a trailing backslash makes a
  // folder of that name instead.
  const struct {
    std::vector<Strings> arguments;  // each gives the same outcome
    Strings markers, expected;
  } cases[] = {
      {{{"0"}, {"/0"}, {"\t0 "}}, {}, kTrayOnly},
      {{{"1"}, {"-1"}, {"  1  "}, {"x", "1"}}, {}, kDialogAndTray},
      {{{}, {"   "}}, {}, kDialogOnly},
      {{{"x"}, {"01"}, {"1", "x"}}, {}, kNoWindow},
      {{{"1"}}, {"0.RTF"}, kTrayOnly},
      {{{}}, {"0.rtf"}, kTrayOnly},
      {{{}, {"x"}}, {"1.RTF"}, kDialogAndTray},
      {{{"0"}}, {"1.RTF"}, kTrayOnly},
      {{{}}, {"0.RTF", "1.RTF"}, kTrayOnly},
      {{{}}, {"0.RTF\\"}, kDialogOnly},
      {{{"x"}}, {"1.RTF\\"}, kNoWindow},
  };
  for (const auto& c : cases)
    for (const Strings& arguments : c.arguments) {
      SCOPED_TRACE(testing::PrintToString(arguments) + testing::PrintToString(c.markers));
      plat::FakePlatform fake;
      InstallProduct(fake);
      fake.AddFile(kDataConfig, TuneUp({"WindowTitle=Bonus", "Run1=splash.exe,2"}));
      fake.AddFile(std::string(kDataDir) + "\\splash.exe");
      fake.AddFile(kProgramConfig, TuneUp({"WindowTitle=Bonus"}));
      fake.AddFile(std::string(kDataDir) + "\\0.RTF");  // markers count only in the program folder
      for (const auto& m : c.markers)
        m.back() == '\\' ? fake.AddFolder(kProgramDir + ("\\" + m.substr(0, m.size() - 1)))
                         : fake.AddFile(kProgramDir + ("\\" + m));
      fake.arguments = arguments;
      RecordingWindows windows(fake);
      EXPECT_TRUE(CBonusApp(fake, windows).InitInstance());
      Strings out = windows.calls;
      for (const auto& mutex : fake.MutexLog()) out.push_back(mutex);
      for (auto ms : fake.sleeps) out.push_back("sleep " + std::to_string(ms));
      out.push_back(std::to_string(fake.processes.size()) + " started, " +
                    std::to_string(fake.closedHandles.size()) + " closed, " +
                    std::to_string(fake.boxes.size()) + " boxes");
      EXPECT_EQ(out, c.expected);
    }
}

// ---- something missing or already running -------------------------------------

std::string NotInstalledBox(const std::string& caption) {
  return "0x0|" + caption + "|You have to install  \"Velmora 5.0\"  first.";
}
const std::string kNotInstalled = NotInstalledBox("Bonus");

// A machine with the product installed, its disk inserted (title "Bonus")
// and a program folder copy of the configuration (title "Local Bonus").
struct Machine {
  plat::FakePlatform fake;
  RecordingWindows windows{fake};

  Machine() {
    InstallProduct(fake);
    fake.AddFile(kDataConfig, TuneUp({"WindowTitle=Bonus"}));
    fake.AddFile(kProgramConfig, TuneUp({"WindowTitle=Local Bonus"}));
  }
  Machine& Eject() {
    fake.RemovePath(kDataConfig);
    return *this;
  }
  Machine& Data(const Strings& lines) {
    fake.AddFile(kDataConfig, TuneUp(lines));
    return *this;
  }
  Machine& Program(const Strings& lines) {
    fake.AddFile(kProgramConfig, TuneUp(lines));
    return *this;
  }
  Machine& NoProduct() {
    fake.DeleteRegKey(plat::RegRoot::LocalMachine, kProductKey);
    return *this;
  }
  // The product's source folder stays recorded, its InstallDir goes.
  Machine& Uninstall(const Strings& dataLines) {
    InstallProduct(NoProduct().Data(dataLines).fake, false);
    return *this;
  }
  Machine& Answers(std::deque<int> answers) {
    fake.answers = std::move(answers);
    return *this;
  }
  Machine& Dialog(const std::string& caption, const std::string& program = kProgram,
                  const std::string& className = "#32770") {
    fake.AddWindow(caption, className, program);
    return *this;
  }

  // One start's boxes, windows, windows raised (by the order they were
  // added, from 1), then the "V50_StopAutoRun_Mutex" handles left open and
  // whether start-up goes on.
  Strings Start(const Strings& arguments) {
    fake.boxes.clear();
    fake.foregrounded.clear();
    windows.calls.clear();
    fake.arguments = arguments;
    const bool goesOn = CBonusApp(fake, windows).InitInstance();
    Strings out = BoxLog(fake);
    out.insert(out.end(), windows.calls.begin(), windows.calls.end());
    for (plat::WindowHandle raised : fake.foregrounded) out.push_back("raise " + WindowName(fake, raised));
    out.push_back("V50 " + std::to_string(fake.OpenHandles(kStop)));
    out.push_back(goesOn ? "goes on" : "ends");
    return out;
  }
};

// Starts a machine set up by `arrange` with `arguments` and compares the
// transcript of the start.
void ExpectStart(const Strings& arguments, const Strings& transcript,
                 const std::function<void(Machine&)>& arrange,
                 std::source_location at = std::source_location::current()) {
  testing::ScopedTrace trace(at.file_name(), static_cast<int>(at.line()), "row");
  Machine m;
  arrange(m);
  EXPECT_EQ(m.Start(arguments), transcript);
}

TEST(StartUp, ReactsToWhatIsMissingOrRunning) {
  const std::string prompt = PromptBox("Local Bonus"), defaultPrompt = PromptBox(kDefaultTitle);
  const Strings ends = {kNotInstalled, "V50 0", "ends"}, main = {"main 2", "V50 1", "goes on"};
  // The installation test: "Test" is compared as trimmed text.
  ExpectStart({}, ends, [](auto& m) { m.Uninstall({"WindowTitle=Bonus", "Test= 1 \t"}); });
  ExpectStart({}, main, [](auto& m) { m.Uninstall({"WindowTitle=Bonus", "Test=01"}); });
  ExpectStart({}, main, [](auto& m) {
    m.Data({"Test=1"})
        .fake.SetRegValue(plat::RegRoot::LocalMachine, kProductKey, "InstallDir", {plat::kRegSz, ""});
  });
  ExpectStart({}, {NotInstalledBox(""), "V50 0", "ends"}, [](auto& m) {
    m.NoProduct()
        .Data({"Test=1"})
        .Program({"Test=1"})
        .fake.AddFile(kProgramDir + std::string("\\VERavevi.rtf"));
  });
  // Without the product the check reads the program folder's copy; with it, the disk's.
  ExpectStart({}, {NotInstalledBox("Local Bonus"), "V50 0", "ends"}, [](auto& m) {
    m.Program({"WindowTitle=Local Bonus", "Test=1"}).NoProduct();
  });
  ExpectStart({}, main, [](auto& m) { InstallProduct(m.Program({"Test=1"}).NoProduct().fake, false); });
  ExpectStart({}, {prompt, NotInstalledBox("Local Bonus"), "V50 1", "goes on"}, [](auto& m) {
    m.Eject().Program({"WindowTitle=Local Bonus", "Test=1"});
    m.fake.onBox = [&m](const auto& box) {
      if (box.text == kPromptText) m.NoProduct();
    };
  });
  // The insert-disk prompt.
  ExpectStart({}, {prompt, prompt, prompt, "V50 3", "goes on"}, [](auto& m) {
    m.Eject().Answers({1, 1, 2});
  });
  ExpectStart({"1"}, {prompt, "tray", "V50 1", "goes on"}, [](auto& m) { m.Eject().Answers({2}); });
  ExpectStart({}, {prompt, "main 3", "V50 2", "goes on"},
              [](auto& m) { m.Eject().fake.onBox = [&m](const auto&) { m.Data({"WindowTitle=Bonus"}); }; });
  ExpectStart({}, {defaultPrompt, "V50 1", "goes on"},
              [](auto& m) { m.Eject().Answers({2}).fake.RemovePath(kProgramConfig); });
  ExpectStart({"0"}, {"tray", "V50 0", "goes on"},
              [](auto& m) { m.Eject().fake.RemovePath(kProgramConfig); });
  // The order dialog instead, with both its message and its address; OK asks again.
  ExpectStart({}, {"order 2", "order 4", "order 6", "V50 6", "goes on"}, [](auto& m) {
    m.Eject().Program({"OrderURLmsg=Order %s at", "OrderURL=http://e"}).windows.results = {1, 1, 2};
  });
  ExpectStart({}, {defaultPrompt, "V50 1", "goes on"},
              [](auto& m) { m.Eject().Program({"OrderURLmsg=Order"}).Answers({2}); });
  ExpectStart({}, {defaultPrompt, "V50 1", "goes on"},
              [](auto& m) { m.Eject().Program({"OrderURL=http://e"}).Answers({2}); });
  // An open main dialog is raised; an empty title counts only this program's untitled dialog.
  ExpectStart({}, {"raise window 1", "V50 1", "goes on"},
              [](auto& m) { m.Dialog("Bonus", "C:\\Other\\VERavevi.exe"); });
  ExpectStart({}, {"raise window 2", "V50 1", "goes on"},
              [](auto& m) { m.Eject().Program({}).Dialog("").Dialog(kDefaultTitle); });
  ExpectStart({}, main, [](auto& m) {
    m.Data({}).Dialog("", "C:\\Windows\\notepad.exe").Dialog("", kProgram, "Shell_TrayWnd").Dialog("", "");
  });
  ExpectStart({}, {"raise window 1", "V50 1", "goes on"},
              [](auto& m) { m.Data({}).Dialog("", "c:\\program files\\velmora\\veravevi.EXE"); });
  // A tray alive elsewhere, or a tray frame that cannot be made.
  ExpectStart({"1"}, main, [](auto& m) { m.fake.CreateMutex("justSTI", false); });
  ExpectStart({"0"}, {"V50 0", "ends"}, [](auto& m) { m.fake.CreateMutex("justSTI", false); });
  for (const char* mode : {"0", "1"})
    ExpectStart({mode}, {"tray", "V50 0", "ends"}, [](auto& m) { m.windows.trayCreatable = false; });
  // A product that is not installed ends every mode before any mutex or Run1.
  for (const char* param : {"0", "1", "", "x"}) {
    Machine m;
    m.Uninstall({"WindowTitle=Bonus", "Test=1", "Run1=splash.exe,0"})
        .fake.AddFile(kDataDir + std::string("\\splash.exe"));
    EXPECT_EQ(m.Start({param}), ends) << param;
    EXPECT_TRUE(m.fake.mutexCalls.empty() && m.fake.processes.empty()) << param;
  }
}

TEST(StartUp, ALiveTrayOnlyProcessEndsASecondTrayAndSuppressesLaterRun1) {
  Machine m;
  m.Data({"WindowTitle=Bonus", "Run1=splash.exe,1"}).fake.AddFile(kDataDir + std::string("\\splash.exe"));
  ASSERT_EQ(m.Start({"0"}), (Strings{"tray", "V50 0", "goes on"}));  // alive on the same machine
  EXPECT_EQ(m.Start({"0"}), (Strings{"V50 0", "ends"}));
  EXPECT_EQ(m.Start({}), (Strings{"main 2", "V50 1", "goes on"}));
  EXPECT_EQ(m.Start({"x"}), (Strings{"V50 1", "goes on"}));
  EXPECT_TRUE(m.fake.processes.empty());
}

}  // namespace
