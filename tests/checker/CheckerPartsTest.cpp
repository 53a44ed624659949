// The checker's parts on their own: the registry export reader, the version
// resource and icon readers, the platform layer that maps the disk and writes
// calls down, the report's order, and the invisible characters it names.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "CheckerTestSupport.h"
#include "checker/CheckerPlatform.h"
#include "checker/Checks.h"
#include "checker/PeVersion.h"
#include "checker/RegFile.h"
#include "checker/Report.h"
#include "platform/fake/FakePlatform.h"

#ifndef _WIN32
#include "checker/PosixPlatform.h"
#endif

namespace {

namespace fs = std::filesystem;
using plat::RegRoot;

using checktest::ReadBytes;
using checktest::SourceDir;

// ---- registry exports ------------------------------------------------------------

TEST(RegFile, ReadsKeysAndValuesOfEveryKind) {
  const check::RegFile reg = check::RegFile::Parse(
      "REGEDIT4\r\n\r\n"
      "; a comment\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Chess]\r\n"
      "\"Path\"=\"C:\\\\Games\\\\Chess \\\"Deluxe\\\"\"\r\n"
      "@=\"default\"\r\n"
      "\"Build\"=dword:0000002a\r\n"
      "\"Blob\"=hex:01,02,\\\r\n"
      "  ff\r\n"
      "\"Expand\"=hex(2):25,00\r\n"
      "[HKCU\\Software\\Deep\\Key]\r\n");
  EXPECT_TRUE(reg.Problems().empty());
  auto path = reg.Value(RegRoot::LocalMachine, "software\\chess", "PATH");
  ASSERT_TRUE(path);
  EXPECT_EQ(path->type, plat::kRegSz);
  EXPECT_EQ(path->data, std::string("C:\\Games\\Chess \"Deluxe\"\0", 24));
  EXPECT_EQ(reg.Value(RegRoot::LocalMachine, "SOFTWARE\\Chess", "")->data, std::string("default\0", 8));
  auto build = reg.Value(RegRoot::LocalMachine, "SOFTWARE\\Chess", "Build");
  ASSERT_TRUE(build);
  EXPECT_EQ(build->type, plat::kRegDword);
  EXPECT_EQ(build->data, std::string("\x2a\0\0\0", 4));
  EXPECT_EQ(reg.Value(RegRoot::LocalMachine, "SOFTWARE\\Chess", "Blob")->data, "\x01\x02\xff");
  EXPECT_EQ(reg.Value(RegRoot::LocalMachine, "SOFTWARE\\Chess", "Expand")->type, plat::kRegExpandSz);
  // A key exists when it or a key below it is listed.
  EXPECT_TRUE(reg.KeyExists(RegRoot::CurrentUser, "Software\\Deep"));
  EXPECT_TRUE(reg.KeyExists(RegRoot::CurrentUser, "Software\\Deep\\Key"));
  EXPECT_FALSE(reg.KeyExists(RegRoot::CurrentUser, "Software\\De"));
  EXPECT_FALSE(reg.KeyExists(RegRoot::LocalMachine, "SOFTWARE\\Chess\\Path"));
  EXPECT_FALSE(reg.Value(RegRoot::CurrentUser, "Software\\Chess", "Path"));
}

TEST(RegFile, DeletionsAndUnicodeExports) {
  const check::RegFile reg = check::RegFile::Parse(
      "REGEDIT4\n[HKEY_USERS\\.DEFAULT\\A]\n\"x\"=\"1\"\n\"y\"=\"2\"\n\"y\"=-\n[HKEY_USERS\\.DEFAULT\\B\\C]"
      "\n[-HKEY_USERS\\.DEFAULT\\B]\n");
  EXPECT_TRUE(reg.Value(RegRoot::Users, ".DEFAULT\\A", "x"));
  EXPECT_FALSE(reg.Value(RegRoot::Users, ".DEFAULT\\A", "y"));
  EXPECT_FALSE(reg.KeyExists(RegRoot::Users, ".DEFAULT\\B"));

  std::string wide = "\xFF\xFE";
  for (char c :
       std::string("Windows Registry Editor Version 5.00\r\n[HKEY_CLASSES_ROOT\\.chs]\r\n@=\"Chess\"\r\n")) {
    wide.push_back(c);
    wide.push_back('\0');
  }
  const check::RegFile unicode = check::RegFile::Parse(wide);
  EXPECT_TRUE(unicode.Problems().empty());
  EXPECT_EQ(unicode.Value(RegRoot::ClassesRoot, ".chs", "")->data, std::string("Chess\0", 6));
}

TEST(RegFile, ListsTheLinesItCannotRead) {
  const check::RegFile reg = check::RegFile::Parse(
      "REGEDIT5\n\"orphan\"=\"x\"\n[HKEY_NOWHERE\\X]\n[HKLM\\Y]\n\"a\"=dword:12345678901\n\"b\"=\"open\nc="
      "1\n\"d\"=hex:1g\n");
  std::vector<std::size_t> lines;
  for (const auto& p : reg.Problems()) lines.push_back(p.line);
  EXPECT_EQ(lines, (std::vector<std::size_t>{1, 2, 3, 5, 6, 7, 8}));
}

// ---- version resources and icons -----------------------------------------------

// The product version of a program is read in the explain fixture. Files
// without one, cut or damaged, read as "no version" or as some version, never
// past their end (the sanitizer build watches).
TEST(PeVersion, CutAndDamagedFilesAreReadSafely) {
  const std::string exe = ReadBytes(SourceDir() / "tests/checker/fixtures/explain/Chess/chess.exe");
  ASSERT_TRUE(check::PeProductVersion(exe));
  EXPECT_FALSE(check::PeProductVersion(""));
  EXPECT_FALSE(check::PeProductVersion("MZ"));
  EXPECT_FALSE(
      check::PeProductVersion(ReadBytes(SourceDir() / "tests/checker/fixtures/clean/Chess/setup.exe")));
  for (std::size_t cut : {std::size_t{64}, std::size_t{300}, exe.size() / 2})
    EXPECT_FALSE(check::PeProductVersion(exe.substr(0, cut))) << cut;
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (int round = 0; round < 3000; ++round) {
    std::string damaged = exe;
    for (int n = 0; n < 4; ++n) damaged[next() % damaged.size()] = static_cast<char>(next() >> 8);
    if (round % 3 == 0) damaged.resize(next() % damaged.size());
    (void)check::PeProductVersion(damaged);
    (void)check::IsIconFile(damaged);
  }
  for (int round = 0; round < 500; ++round) {
    std::string text = "REGEDIT4\n[HKLM\\X]\n\"a\"=hex(2):00,\\\n";
    static const char kPieces[] = "[]\"=:,\\@-hexdword0123\n\r\xFF";
    for (int n = 0; n < 40; ++n) text.push_back(kPieces[next() % (sizeof kPieces - 1)]);
    (void)check::RegFile::Parse(text);
  }
}

TEST(IconFile, NeedsAHeaderAndAnImage) {
  EXPECT_TRUE(check::IsIconFile(ReadBytes(SourceDir() / "tests/checker/fixtures/clean/Chess/Chess.ico")));
  EXPECT_FALSE(check::IsIconFile(""));
  EXPECT_FALSE(check::IsIconFile(std::string("\0\0\1\0\0\0", 6) + std::string(16, '\0')));
  EXPECT_FALSE(check::IsIconFile(ReadBytes(SourceDir() / "tests/checker/fixtures/clean/Chess/Chess.rtf")));
}

// ---- the platform layer ------------------------------------------------------------

class CheckerPlatformTest : public ::testing::Test {
 protected:
  plat::FakePlatform host;
  check::RegFile reg = check::RegFile::Parse("REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\X]\n\"V\"=\"9\"\n");
  check::CheckerPlatform Make(bool withRegistry) {
    check::CheckerLayout layout;
    layout.dataFolder = "D:\\";
    layout.diskFolder = "C:\\work\\disk";
    layout.windowsDir = "C:\\WIN";
    layout.registry = withRegistry ? &reg : nullptr;
    return check::CheckerPlatform(host, layout);
  }
};

// Every fixture run reads its disk through this layer; these are the edges.
TEST_F(CheckerPlatformTest, ShowsTheDiskUnderTheDataFolderWithTheProgramBesideIt) {
  host.AddFile("C:\\work\\disk\\Chess\\Chess.cfg", "[TuneUp]\n");
  auto p = Make(false);
  EXPECT_EQ(p.Layout().dataFolder, "D:");
  EXPECT_TRUE(p.GetFileAttributes("D:\\VERavevi.rtf"));
  EXPECT_TRUE(p.GetFileAttributes("d:/chess/CHESS.CFG"));
  EXPECT_FALSE(p.GetFileAttributes("D:\\Chess\\Chess.ico"));
  EXPECT_EQ(p.ToHost("D:\\Chess"), "C:\\work\\disk\\Chess");
  EXPECT_EQ(p.ToHost("D:"), "C:\\work\\disk");
  EXPECT_EQ(p.ToHost("DX:\\Chess"), "DX:\\Chess");
  EXPECT_EQ(p.ShortPathName("D:\\Chess\\Chess.cfg"), "D:\\Chess\\Chess.cfg");
  EXPECT_TRUE(p.OnDisk("D:\\Chess\\x"));
  EXPECT_FALSE(p.OnDisk("C:\\work\\disk\\x"));
  EXPECT_EQ(p.DiskRelative("D:\\Chess\\Chess.cfg"), "Chess\\Chess.cfg");
  EXPECT_EQ(p.DiskRelative("C:\\WIN\\x"), "C:\\WIN\\x");
  EXPECT_EQ(p.SystemDirectory(), "C:\\WIN\\system32");
}

TEST_F(CheckerPlatformTest, WritesDownWhatWouldActAndActsOnNothing) {
  host.AddFile("C:\\work\\disk\\setup.exe");
  auto p = Make(false);
  EXPECT_TRUE(p.CreateProcess("D:\\setup.exe"));
  EXPECT_GT(p.ShellExecute(0, "open", "D:\\setup.exe", "/s", "", 1), 32);
  EXPECT_TRUE(p.DeleteFile("D:\\setup.exe"));
  EXPECT_TRUE(p.SaveShellLink({}, "C:\\WIN\\x.lnk"));
  EXPECT_FALSE(p.CreateMutex("MainDialogFirstTimeRunning", false).alreadyExisted);
  EXPECT_TRUE(p.SetCurrentDirectory("D:"));
  p.Sleep(3000);
  EXPECT_EQ(p.MessageBox(0, "Error", "c", plat::kMbOk | plat::kMbIconStop), plat::kIdOk);
  EXPECT_EQ(p.MessageBox(0, "Insert", "c", plat::kMbOkCancel | plat::kMbIconStop), plat::kIdCancel);
  EXPECT_EQ(p.MessageBox(0, "Again?", "c", plat::kMbYesNo | plat::kMbIconQuestion), plat::kIdYes);
  EXPECT_EQ(p.MessageBox(0, "About to", "c", plat::kMbOkCancel), plat::kIdOk);
  EXPECT_TRUE(host.HasFile("C:\\work\\disk\\setup.exe"));
  EXPECT_TRUE(host.processes.empty());
  EXPECT_TRUE(host.boxes.empty());
  using K = check::PlatformCall::Kind;
  std::vector<K> kinds;
  for (const auto& c : p.Calls()) kinds.push_back(c.kind);
  EXPECT_EQ(kinds, (std::vector<K>{K::CreateProcess, K::ShellExecute, K::DeleteFile, K::SaveShellLink,
                                   K::CreateMutex, K::SetCurrentDirectory, K::Sleep, K::MessageBox,
                                   K::MessageBox, K::MessageBox, K::MessageBox}));
  EXPECT_EQ(p.Calls()[1].argument, "/s");
  EXPECT_EQ(p.CurrentDirectory(), "D:");
  // A library is "loaded" only when it can be found.
  EXPECT_EQ(p.LoadLibrary("VScript.DLL"), 0u);
  host.AddFile("C:\\WIN\\system32\\VScript.DLL");
  const plat::ModuleHandle module = p.LoadLibrary("VScript.DLL");
  EXPECT_NE(module, 0u);
  EXPECT_NE(p.GetProcAddress(module, "Install"), 0u);
  EXPECT_EQ(p.CallScriptInstall(1, "D:\\x.cfg"), 0);
  EXPECT_EQ(p.Calls().back().path, "D:\\x.cfg");
}

TEST_F(CheckerPlatformTest, RegistryReadsComeFromTheExportWhenGivenAndAreWrittenDown) {
  host.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\X", "V", "host");
  auto withExport = Make(true);
  EXPECT_EQ(withExport.RegQueryValue(RegRoot::LocalMachine, "SOFTWARE\\X", "V")->data, std::string("9\0", 2));
  EXPECT_TRUE(withExport.RegKeyExists(RegRoot::LocalMachine, "SOFTWARE"));
  EXPECT_FALSE(withExport.RegQueryValue(RegRoot::LocalMachine, "SOFTWARE\\X", "W"));
  ASSERT_EQ(withExport.Calls().size(), 3u);
  EXPECT_TRUE(withExport.Calls()[0].found);
  EXPECT_EQ(withExport.Calls()[0].path, "SOFTWARE\\X");
  EXPECT_FALSE(withExport.Calls()[2].found);
  auto fromHost = Make(false);
  EXPECT_EQ(fromHost.RegQueryValue(RegRoot::LocalMachine, "SOFTWARE\\X", "V")->data,
            std::string("host\0", 5));
}

TEST_F(CheckerPlatformTest, TheMainDialogCanBeTakenAsOpen) {
  auto p = Make(false);
  EXPECT_EQ(p.FindWindowByCaption("Bonus"), 0u);
  p.SetMainDialogOpen("Bonus");
  EXPECT_NE(p.FindWindowByCaption("Bonus"), 0u);
  EXPECT_EQ(p.FindWindowByCaption("Other"), 0u);
  ASSERT_EQ(p.TopLevelWindows().size(), 1u);
  EXPECT_EQ(p.TopLevelWindows()[0].className, "#32770");
}

#ifndef _WIN32
TEST(PosixPlatform, FindsNamesInAnyCaseAsWineShowsThem) {
  const fs::path dir = fs::temp_directory_path() / "capsule-check-posix";
  fs::remove_all(dir);
  fs::create_directories(dir / "Games" / "Chess");
  std::ofstream(dir / "Games" / "Chess" / "Chess.CFG") << "x";
  const std::string windows = check::PosixPlatform::WindowsPath(dir.string());
  EXPECT_EQ(windows.substr(0, 3), "Z:\\");
  check::PosixPlatform p;
  EXPECT_TRUE(p.GetFileAttributes(windows + "\\games\\CHESS\\chess.cfg"));
  EXPECT_TRUE(p.GetFileAttributes(windows + "\\Games\\.\\x\\..\\Chess")->directory);
  EXPECT_FALSE(p.GetFileAttributes(windows + "\\Games\\Chess\\Chess.ico"));
  EXPECT_FALSE(p.GetFileAttributes("C:\\windows"));
  std::string bytes;
  EXPECT_TRUE(p.ReadFileBytes(windows + "/GAMES/chess/chess.cfg", bytes));
  EXPECT_EQ(bytes, "x");
  EXPECT_FALSE(p.ReadFileBytes(windows + "\\Games", bytes));
  EXPECT_EQ(*check::PosixPlatform::HostPath(windows + "\\games\\chess\\CHESS.cfg"),
            (dir / "Games" / "Chess" / "Chess.CFG").string());
  EXPECT_EQ(p.ShortPathName(windows + "\\games"), windows + "\\games");
  EXPECT_EQ(p.ShortPathName(windows + "\\none"), "");
  fs::remove_all(dir);
}
#endif

// ---- the report -----------------------------------------------------------------------

// Each fixture's exit status is held against its summary line (FixtureTest).
TEST(Report, SortedByFileThenLineThenOrderFound) {
  check::Report report;
  report.Warning("b.cfg", 3, "w1");
  report.Error("a.cfg", 9, "e1", "hint");
  report.Warning("a.cfg", 2, "w2");
  report.Error("b.cfg", 3, "e2");
  report.Error("b.cfg", 3, "e2");  // the same finding once
  std::ostringstream out;
  report.Print(out, [](const std::string& f) { return "disk/" + f; });
  EXPECT_EQ(out.str(),
            "disk/a.cfg:2: warning: w2\n"
            "disk/a.cfg:9: error: e1\n"
            "disk/a.cfg:9: note: hint\n"
            "disk/b.cfg:3: warning: w1\n"
            "disk/b.cfg:3: error: e2\n"
            "2 errors, 2 warnings\n");
}

// The byte-order mark and both no-break spaces are named in the
// header-lookalike and key-invisible-blank fixtures.
TEST(Invisible, NamesAControlCharacter) {
  EXPECT_EQ(check::TrailingInvisible("Tip\x01").length, 1u);
  EXPECT_EQ(check::TrailingInvisible("Tip\x01").what, "a control character");
}

}  // namespace
