// Bad input and faults, row by row: each row builds a damaged disk or
// machine, runs the main dialog through set-up, selection and (where the row
// asks) the install command and closing, and checks the outcome, that the
// run ends, and that nothing was written but the dialog's StartUp shortcut
// (which closing removes again).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/native/DialogTestSupport.h"

namespace bonus::testing {
namespace {

constexpr const char* kStartUpFolder = "c:\\windows\\start menu\\programs\\startup\\";

struct Machine {
  DiskMachine m;
  CRecordingView view;
  std::unique_ptr<CBonusDlg> dlg;

  bool BoxSaid(const std::string& part) const {
    auto said = [&](const auto& b) { return b.text.find(part) != std::string::npos; };
    return std::any_of(m.fake.boxes.begin(), m.fake.boxes.end(), said) ||
           std::any_of(view.boxes.begin(), view.boxes.end(), said);
  }
  bool NothingStarted() const {
    return m.fake.processes.empty() && m.fake.shellCalls.empty() && m.fake.scriptCalls.empty();
  }
};

struct Row {
  const char* name;
  std::function<void(Machine&)> setUp;
  std::function<void(Machine&)> expect;
  bool install = false;
  // Selects every item when set, else only the first and the last.
  bool selectAll = true;
};

// Deterministic bytes of every value, NUL, CR and LF included.
std::string BinaryBytes(std::size_t n) {
  std::string out(n, '\0');
  std::uint32_t x = 0x9e3779b9u;
  for (char& c : out) {
    x = x * 1664525u + 1013904223u;
    c = static_cast<char>(x >> 24);
  }
  return out;
}

void OneCapsule(Machine& r, const std::string& capsuleText, const std::string& entry = "A") {
  r.m.Main("[TuneUp]\nWindowTitle=Bonus\n[Packages]\n" + entry + "\n");
  r.m.Capsule(entry, capsuleText);
}

const std::string kLong(300, 'p');
const std::string kEveryMacro =
    "{TOKEN1}{TOKEN2}{TOKEN3}{TOKEN4}{TOKEN5}{TOKEN6}{TOKEN7}{TOKEN8}{TOKEN9}{TOKEN10}"
    "{WIN_DIR}{WIN_SYS_DIR}{RUN_DIR}{TEMP}{DESKTOP}{STARTUP}{PROGRAMS}{START_MENU}{FAVORITES_DIR}"
    "{SRC_DIR}{ANY_DIR}";

std::vector<Row> Rows() {
  std::vector<Row> rows;
  rows.push_back(
      {"a 10 MB title line is kept whole",
       [](Machine& r) { OneCapsule(r, "[TuneUp]\nTitle=" + std::string(10u << 20, 't') + "\nNote=n\n"); },
       [](Machine& r) {
         ASSERT_EQ(r.view.items.size(), 1u);
         EXPECT_EQ(r.view.items[0].text.size(), 10u << 20);
         EXPECT_EQ(r.view.note, "n");
       }});
  rows.push_back({"NUL bytes inside lines stay part of the value",
                  [](Machine& r) { OneCapsule(r, std::string("[TuneUp]\nTitle=Al\0pha\nNote=n\0te\n", 30)); },
                  [](Machine& r) {
                    ASSERT_EQ(r.view.items.size(), 1u);
                    EXPECT_EQ(r.view.items[0].text, std::string("Al\0pha", 6));
                  }});
  rows.push_back({"a binary file named like a capsule .cfg",
                  [](Machine& r) { OneCapsule(r, BinaryBytes(256u << 10)); },
                  [](Machine& r) { EXPECT_LE(r.view.items.size(), 1u); }, true});
  rows.push_back({"a binary main file", [](Machine& r) { r.m.Main(BinaryBytes(256u << 10)); },
                  [](Machine& r) { EXPECT_TRUE(r.NothingStarted()); }});
  rows.push_back({"CR-only line ends make one line that is no header",
                  [](Machine& r) { OneCapsule(r, "[TuneUp]\rTitle=Alpha\rNote=Beta\r"); },
                  [](Machine& r) { EXPECT_TRUE(r.view.items.empty()); }, true});
  rows.push_back({"100,000 [Packages] entries",
                  [](Machine& r) {
                    std::string main = "[TuneUp]\nWindowTitle=Bonus\n[Packages]\n";
                    main.reserve(main.size() + 200000);
                    for (int i = 0; i < 100000; ++i) main += "A\n";
                    r.m.Main(main);
                    r.m.Capsule("A", "[TuneUp]\nTitle=Alpha\nNote=first\n");
                  },
                  [](Machine& r) {
                    EXPECT_EQ(r.view.items.size(), 100000u);
                    EXPECT_EQ(r.dlg->m_nCapsule, 0);
                    EXPECT_EQ(r.view.note, "first");
                  },
                  false, false});
  rows.push_back({"a section token naming a section that occurs 1,000 times takes the last",
                  [](Machine& r) {
                    std::string text = "[TuneUp]\nTitle=Alpha\nToken1=[Reg]\n";
                    for (int i = 0; i < 1000; ++i)
                      text +=
                          "[Reg]\nKey=HKEY_LOCAL_MACHINE\\SOFTWARE\\T\nValue=V" + std::to_string(i) + "\n";
                    OneCapsule(r, text);
                    r.m.fake.SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\T", "V0", "first");
                    r.m.fake.SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\T", "V999", "last");
                  },
                  [](Machine& r) { EXPECT_EQ(r.dlg->ExpandMacros("<{TOKEN1}>", 0), "<last>"); }});
  rows.push_back({"300-character values through every macro and launcher",
                  [](Machine& r) {
                    std::string t = "[TuneUp]\nTitle=Alpha\n";
                    for (int i = 1; i <= 10; ++i) t += "Token" + std::to_string(i) + "=" + kLong + "\n";
                    t += "Run=" + kEveryMacro + kLong + ".exe, " + kLong + "\n";
                    t += "MoreInfoTitle=" + kLong + "\nMoreInfoRun=" + kEveryMacro + kLong + ".htm\n";
                    t += "Description=" + kEveryMacro + kLong + ".rtf\n";
                    t += "[Version]\nVersion=1.2.3.4\nFile=" + kEveryMacro + kLong +
                         "\nRegistry=" + "HKEY_LOCAL_MACHINE\\" + kLong + "\n";
                    OneCapsule(r, t);
                  },
                  [](Machine& r) {
                    EXPECT_GT(r.dlg->ExpandMacros(kEveryMacro + kLong, 0).size(), 3000u);
                    r.dlg->OnTimer(kTimerMoreInfo);
                    r.dlg->RunMoreInfo();
                  },
                  true});
  rows.push_back({"300-character Windows, system and program folders",
                  [](Machine& r) {
                    r.m.fake.windowsDir = "C:\\" + kLong;
                    r.m.fake.systemDir = "C:\\" + kLong + "\\SYSTEM";
                    OneCapsule(r, "[TuneUp]\nTitle=Alpha\nRun={WIN_DIR}\\{WIN_SYS_DIR}\\x.exe\n");
                  },
                  [](Machine& r) { EXPECT_EQ(r.dlg->ExpandMacros("{WIN_DIR}|{WIN_SYS_DIR}", 0), "|"); },
                  true});
  rows.push_back({"a 300-byte SourceDir is not used: the disk prompt, then Cancel",
                  [](Machine& r) {
                    OneCapsule(r, "[TuneUp]\nTitle=Alpha\n");
                    r.m.fake.SetRegString(plat::RegRoot::LocalMachine, kProductKey, kSourceDirValue,
                                          "D:" + kLong);
                    r.m.fake.answers = {plat::kIdCancel};
                  },
                  [](Machine& r) {
                    EXPECT_TRUE(r.BoxSaid(kPrompt));
                    EXPECT_TRUE(r.view.items.empty());
                  }});
  rows.push_back({"SourceDir of unexpected types is read as text up to its first zero",
                  [](Machine& r) {
                    OneCapsule(r, "[TuneUp]\nTitle=Alpha\n");
                    r.m.fake.SetRegValue(plat::RegRoot::LocalMachine, kProductKey, kSourceDirValue,
                                         {plat::kRegBinary, std::string("D:\0junk", 7)});
                  },
                  [](Machine& r) { EXPECT_EQ(r.view.items.size(), 1u); }});
  rows.push_back({"version registry values of 1,000 bytes and of DWORD type",
                  [](Machine& r) {
                    OneCapsule(
                        r,
                        "[TuneUp]\nTitle=Alpha\nRun=setup.exe\n[Version]\nVersion=1.0\n"
                        "Registry=HKEY_LOCAL_MACHINE\\SOFTWARE\\V\\Big,HKEY_LOCAL_MACHINE\\SOFTWARE\\V\\Num\n"
                        "PromptType=1\nAskMsg=Again?\n");
                    r.m.fake.SetRegValue(plat::RegRoot::LocalMachine, "SOFTWARE\\V", "Big",
                                         {plat::kRegSz, std::string(1000, '9')});
                    r.m.fake.SetRegValue(plat::RegRoot::LocalMachine, "SOFTWARE\\V", "Num",
                                         {plat::kRegDword, std::string("\x05\0\0\0", 4)});
                    r.m.fake.SetRegValue(plat::RegRoot::LocalMachine, "SOFTWARE\\V\\Big", "",
                                         {plat::kRegMultiSz, std::string(600, '\0')});
                    r.m.Capsule("A", "", "");
                    r.m.fake.AddFile("D:\\access\\A\\setup.exe");
                  },
                  [](Machine&) {}, true});
  rows.push_back({"a folder named like the capsule .cfg ends set-up with the error box",
                  [](Machine& r) {
                    r.m.Main("[Packages]\nA\n");
                    r.m.fake.AddFolder("D:\\access\\A\\A.cfg");
                  },
                  [](Machine& r) {
                    EXPECT_TRUE(r.BoxSaid("D:\\access\\A\\A.cfg doesn't exist."));
                    EXPECT_EQ(r.view.ended, true);
                  }});
  rows.push_back({"folders named like the .ico, .rtf and .wav are no files",
                  [](Machine& r) {
                    OneCapsule(r, "[TuneUp]\nTitle=Alpha\n");
                    for (const char* ext : {".ico", ".rtf", ".wav"})
                      r.m.fake.AddFolder("D:\\access\\A\\A" + std::string(ext));
                  },
                  [](Machine& r) {
                    EXPECT_EQ(r.view.items.size(), 1u);
                    EXPECT_EQ(r.view.descriptionsStreamed, 0);
                    EXPECT_TRUE(r.m.fake.sounds.empty());
                  }});
  rows.push_back({"a description that vanishes between the test and the read",
                  [](Machine& r) {
                    OneCapsule(r, "[TuneUp]\nTitle=Alpha\n");
                    r.m.Capsule("A", "{\\rtf1 A}", ".rtf");
                    r.m.Capsule("A", "ICON", ".ico");
                    r.m.fake.onRead = [&r](const std::string& path) {
                      if (path.size() > 4 && path.compare(path.size() - 4, 4, ".rtf") == 0)
                        r.m.fake.RemovePath(path);
                    };
                  },
                  [](Machine& r) {
                    EXPECT_EQ(r.view.descriptionsStreamed, 0);
                    EXPECT_EQ(r.view.items.size(), 1u);
                    r.m.fake.onRead = nullptr;
                    r.m.Capsule("A", "{\\rtf1 A}", ".rtf");  // back, so only the program's writing counts
                  }});
  return rows;
}

// Paths written or deleted by the run, beyond the StartUp folder.
std::vector<std::string> WrittenOutsideStartUp(const std::map<std::string, std::string>& before,
                                               const std::map<std::string, std::string>& after) {
  std::vector<std::string> out;
  auto outside = [](const std::string& p) { return p.rfind(kStartUpFolder, 0) != 0; };
  for (const auto& [path, content] : after) {
    auto it = before.find(path);
    if ((it == before.end() || it->second != content) && outside(path)) out.push_back("written " + path);
  }
  for (const auto& [path, content] : before)
    if (!after.count(path) && outside(path)) out.push_back("deleted " + path);
  return out;
}

void RunRow(const Row& row) {
  Machine r;
  row.setUp(r);
  const auto before = r.m.fake.Snapshot();
  r.view.recording = false;
  r.dlg = std::make_unique<CBonusDlg>(r.m.fake, r.view);
  if (r.dlg->OnInitDialog() && !r.view.ended) {
    const std::size_t n = r.view.items.size();
    for (std::size_t i = 0; i < n; ++i) {
      if (!row.selectAll && i != 0 && i + 1 != n) continue;
      r.view.selected = static_cast<int>(i);
      r.dlg->OnSelChangedCapsule();
    }
    if (n > 0) {
      r.view.selected = 0;
      r.dlg->OnSelChangedCapsule();
    }
    if (row.install) {
      r.dlg->OnInstall();
      r.dlg->OnTimer(kTimerMoreInfo);
    }
  }
  row.expect(r);
  r.m.fake.onRead = nullptr;
  r.dlg->OnCancel();
  EXPECT_FALSE(r.m.fake.HasFile(DiskMachine::kLink)) << "the StartUp shortcut outlives the dialog";
  EXPECT_EQ(WrittenOutsideStartUp(before, r.m.fake.Snapshot()), std::vector<std::string>{});
}

TEST(BadInput, OutcomeAndNothingWritten) {
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.name);
    RunRow(row);
  }
}

}  // namespace
}  // namespace bonus::testing
