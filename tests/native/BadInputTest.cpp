// Bad input and faults, row by row: each row builds a damaged disk or
// machine, runs the main dialog through set-up, selection of every item and
// (where the row asks) the install command and closing, and checks the
// outcome, that the run ends, and that nothing was written but the dialog's
// StartUp shortcut (which closing removes again).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/native/DialogTestSupport.h"

namespace browser::testing {
namespace {

const std::string kLong(300, 'p');
const std::string kEveryMacro =
    "{TOKEN1}{TOKEN2}{TOKEN3}{TOKEN4}{TOKEN5}{TOKEN6}{TOKEN7}{TOKEN8}{TOKEN9}{TOKEN10}"
    "{WIN_DIR}{WIN_SYS_DIR}{RUN_DIR}{TEMP}{DESKTOP}{STARTUP}{PROGRAMS}{START_MENU}{FAVORITES_DIR}"
    "{SRC_DIR}{ANY_DIR}";

struct Row {
  const char* name;
  std::function<void(DiskMachine&)> setUp;
  std::string outcome;     // see Outcome()
  bool install = false;    // also the install command, timer 202 and the link
  const char* probe = "";  // text expanded after the run
};

void OneCapsule(DiskMachine& m, const std::string& capsuleText) {
  m.Main("[TuneUp]\nWindowTitle=Bonus\n[Packages]\nA\n");
  m.Capsule("A", capsuleText);
}

std::vector<Row> Rows() {
  auto alpha = [](DiskMachine& m) { OneCapsule(m, "[TuneUp]\nTitle=Alpha\n"); };
  return {
      {"a 1 MB title with NUL bytes is kept whole",
       [](DiskMachine& m) {
         OneCapsule(m, "[TuneUp]\nTitle=" + std::string(1u << 20, 't') + std::string("Al\0pha\n", 7));
       },
       "items 1 (1048582) rtf 0 sounds 0 ended 0 boxes \n"},
      {"a binary file named like a capsule .cfg",
       [](DiskMachine& m) {
         std::string bytes;  // every value, NUL, CR and LF included
         for (unsigned i = 0; i < (256u << 10); ++i) bytes += static_cast<char>((i * 2654435761u) >> 24);
         OneCapsule(m, bytes);
       },
       "items 0 rtf 0 sounds 0 ended 0 boxes Bonus|There is nothing selected for installation.;\n", true},
      {"CR-only line ends make one line that is no header",
       [](DiskMachine& m) { OneCapsule(m, "[TuneUp]\rTitle=Alpha\rNote=Beta\r"); },
       "items 0 rtf 0 sounds 0 ended 0 boxes Bonus|There is nothing selected for installation.;\n", true},
      {"a section token naming a section that occurs 1,000 times takes the last",
       [](DiskMachine& m) {
         std::string text = "[TuneUp]\nTitle=Alpha\nToken1=[Reg]\n";
         for (int i = 0; i < 1000; ++i)
           text += "[Reg]\nKey=HKEY_LOCAL_MACHINE\\SOFTWARE\\T\nValue=V" + std::to_string(i) + "\n";
         OneCapsule(m, text);
         m.fake.SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\T", "V0", "first");
         m.fake.SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\T", "V999", "last");
       },
       "items 1 (5) rtf 0 sounds 0 ended 0 boxes \n<last>", false, "<{TOKEN1}>"},
      {"300-character values through every macro and launcher",
       [](DiskMachine& m) {
         std::string t = "[TuneUp]\nTitle=Alpha\nRun=" + kEveryMacro + kLong + ".exe, " + kLong +
                         "\nMoreInfoTitle=" + kLong + "\nMoreInfoRun=" + kEveryMacro + kLong +
                         ".htm\nDescription=" + kEveryMacro + kLong + ".rtf\n";
         for (int i = 1; i <= 10; ++i) t += "Token" + std::to_string(i) + "=" + kLong + "\n";
         OneCapsule(m, t + "[Version]\nVersion=1.2.3.4\nFile=" + kEveryMacro + kLong +
                           "\nRegistry=HKEY_LOCAL_MACHINE\\" + kLong + "\n");
       },
       "items 1 (5) rtf 0 sounds 0 ended 0 boxes \n", true},
      {"300-character Windows and system folders expand to nothing",
       [](DiskMachine& m) {
         m.fake.windowsDir = "C:\\" + kLong;
         m.fake.systemDir = "C:\\" + kLong + "\\SYSTEM";
         OneCapsule(m, "[TuneUp]\nTitle=Alpha\nRun={WIN_DIR}\\{WIN_SYS_DIR}\\x.exe\n");
       },
       "items 1 (5) rtf 0 sounds 0 ended 0 boxes \n|", true, "{WIN_DIR}|{WIN_SYS_DIR}"},
      {"a 300-byte SourceDir is not used: the disk prompt, then Cancel",
       [=](DiskMachine& m) {
         alpha(m);
         m.fake.SetRegString(plat::RegRoot::LocalMachine, kProductKey, kSourceDirValue, "D:" + kLong);
         m.fake.answers = {plat::kIdCancel};
       },
       "items 0 rtf 0 sounds 0 ended 1 boxes Velmora Bonus Software Installer|" + std::string(kPrompt) +
           ";\n"},
      {"SourceDir of unexpected types is read as text up to its first zero",
       [=](DiskMachine& m) {
         alpha(m);
         m.fake.SetRegValue(plat::RegRoot::LocalMachine, kProductKey, kSourceDirValue,
                            {plat::kRegBinary, std::string("D:\0junk", 7)});
       },
       "items 1 (5) rtf 0 sounds 0 ended 0 boxes \n"},
      {"a folder named like a capsule .cfg ends set-up with the error box, without the opening sound",
       [](DiskMachine& m) {
         m.Main("[TuneUp]\nWindowTitle=Bonus\n[Packages]\nA\nB\nC\n");
         m.Capsule("A", "[TuneUp]\nTitle=Alpha\n");
         m.fake.AddFolder("D:\\access\\B\\B.cfg");
         m.Capsule("C", "[TuneUp]\nTitle=Gamma\n");
         m.fake.AddFile("C:\\Program Files\\Velmora\\VERavevi.wav", "RIFF");
       },
       "items 1 (5) rtf 0 sounds 0 ended 1 boxes Bonus|Error: D:\\access\\B\\B.cfg doesn't exist.;\n"},
      {"a capsule .cfg missing, no WindowTitle: the default caption",
       [](DiskMachine& m) { m.Main("[Packages]\nA\n"); },
       "items 0 rtf 0 sounds 0 ended 1 boxes Velmora Bonus Software Installer|Error: D:\\access\\A\\A.cfg "
       "doesn't "
       "exist.;\n"},
      {"folders named like the .ico, .rtf and .wav are no files",
       [=](DiskMachine& m) {
         alpha(m);
         for (const char* ext : {".ico", ".rtf", ".wav"})
           m.fake.AddFolder("D:\\access\\A\\A" + std::string(ext));
       },
       "items 1 (5) rtf 0 sounds 0 ended 0 boxes \n"},
  };
}

TEST(BadInput, OutcomeAndNothingWritten) {
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.name);
    DiskMachine m;
    CRecordingView view;
    row.setUp(m);
    const auto before = m.fake.Snapshot();
    view.recording = false;
    CBonusDlg dlg(m.fake, view);
    if (dlg.OnInitDialog() && !view.ended) {
      for (int i = 0; i <= static_cast<int>(view.items.size()); ++i) {
        view.selected = i == static_cast<int>(view.items.size()) ? 0 : i;  // the first again at the end
        dlg.OnSelChangedCapsule();
      }
      if (row.install) {
        dlg.OnInstall();
        dlg.OnTimer(kTimerMoreInfo);
        dlg.RunMoreInfo();
      }
    }
    // Item count (first item's length), descriptions streamed, sounds, ended, boxes.
    std::string outcome = "items " + std::to_string(view.items.size());
    if (!view.items.empty()) outcome += " (" + std::to_string(view.items[0].text.size()) + ")";
    outcome += " rtf " + std::to_string(view.descriptionsStreamed) + " sounds " +
               std::to_string(m.fake.sounds.size()) + " ended " + std::to_string(view.ended) + " boxes ";
    for (const auto& b : m.fake.boxes) outcome += b.caption + "|" + b.text + ";";
    for (const auto& b : view.boxes) outcome += b.caption + "|" + b.text + ";";
    EXPECT_EQ(outcome + "\n" + dlg.ExpandMacros(row.probe, 0), row.outcome);
    if (view.ended)
      dlg.OnDestroy();  // the window goes after EndDialog
    else
      dlg.OnCancel();
    EXPECT_FALSE(m.fake.HasFile(DiskMachine::kLink)) << "the StartUp shortcut outlives the dialog";
    EXPECT_EQ(WrittenOutsideStartUp(before, m.fake.Snapshot()), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace browser::testing
