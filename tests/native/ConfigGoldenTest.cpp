// Golden pictures of whole stores: every tests/golden/<scenario>.cfg is read
// as the main file of a disk, each of its capsules from
// tests/golden/<scenario>.d/<name>.cfg when that exists, then the main file
// once more (as a selection change does); then each capsule file's
// [InstallDir] section is read by a fresh store. The dump of the store, then
// every line the readers told their observer and each section's value, is
// compared with tests/golden/<scenario>.expected. Every
// tests/golden/<name>.machine is a script of steps on a fake machine (see
// RunMachine), its transcript compared with tests/golden/<name>.expected.
//
// VELMORA_UPDATE_GOLDEN=1 writes the expected files from the current code
// instead of comparing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/CmdLineInfo.h"
#include "config/BonusConfig.h"
#include "config/ConfigDump.h"
#include "config/ConfigLineObserver.h"
#include "config/FirstTimeRun.h"
#include "config/MainDialogSearch.h"
#include "platform/fake/FakePlatform.h"

namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDir = fs::path(VELMORA_SOURCE_DIR) / "tests" / "golden";

std::vector<std::string> Scenarios() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kGoldenDir))
    if (entry.is_regular_file() &&
        (entry.path().extension() == ".cfg" || entry.path().extension() == ".machine"))
      names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class CTranscript : public IConfigLineObserver {
 public:
  void OnConfigLine(const ConfigLineEvent& e) override {
    static const char* const kKinds[] = {"Skipped", "KnownHeader", "OtherHeader", "Entry",
                                         "Key",     "NoKey",       "Outside"};
    text += std::string(e.file) + ":" + std::to_string(e.number) + " " + kKinds[static_cast<int>(e.kind)] +
            " " + std::string(e.section) + " " + QuoteDumpText(e.key) + "=" + QuoteDumpText(e.value) +
            " raw " + QuoteDumpText(e.raw) + " text " + QuoteDumpText(e.text) + "\n";
  }
  std::string text;
};

std::string ReadDisk(const std::string& scenario) {
  plat::FakePlatform fake;
  CTranscript transcript;
  fake.SetRegString(plat::RegRoot::LocalMachine, kProductKey, kSourceDirValue, "E:\\Velmora");
  CBonusConfig config(fake);
  config.m_pLineObserver = &transcript;
  const std::string mainFile = config.LocateConfigFile(false);
  fake.AddFile(mainFile, ReadBytes(kGoldenDir / (scenario + ".cfg")));
  EXPECT_TRUE(config.ParseConfigFile(mainFile, 0));
  const CStringArray capsules = config.m_saPackages;
  for (std::size_t i = 0; i < capsules.size(); ++i) {
    const std::string name = CBonusConfig::GetLastPathPart(capsules[i]);
    const fs::path fixture = kGoldenDir / (scenario + ".d") / (name + ".cfg");
    if (fs::is_regular_file(fixture)) fake.AddFile(capsules[i] + "\\" + name + ".cfg", ReadBytes(fixture));
    config.ParseConfigFile(capsules[i] + "\\" + name + ".cfg", static_cast<int>(i));
  }
  EXPECT_TRUE(config.ParseConfigFile(mainFile, 0));
  fake.SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\Chess", "Path", "C:\\Games\\Chess");
  for (const std::string& capsule : capsules) {  // each capsule's own [InstallDir], by a fresh store
    CBonusConfig section(fake);
    section.m_pLineObserver = &transcript;
    const std::string got = section.ReadSectionRegistryValue(
        capsule + "\\" + CBonusConfig::GetLastPathPart(capsule) + ".cfg", "[InstallDir]");
    transcript.text += "[InstallDir] = " + QuoteDumpText(got) + " from " + section.m_sRegKey + "|" +
                       section.m_sRegValue + "\n";
  }
  EXPECT_TRUE(fake.boxes.empty());
  return DumpConfig(config) + transcript.text;
}

// An argument of a machine script, where %t stands for a TAB, %n for a line
// feed, %r for a carriage return and %0 for a zero byte.
std::string Unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i] == '%' && i + 1 < s.size() ? s[++i] : '\0';
    out += c == '\0' ? s[i] : c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c == '0' ? '\0' : c;
  }
  return out;
}

// Each command-line token as the program is told it.
class CTokens : public CCommandLineInfo {
 public:
  void ParseParam(const std::string& param, bool isFlag, bool isLast) override {
    text += QuoteDumpText(param) + (isFlag ? " flag" : "") + (isLast ? " last" : "") + "; ";
  }
  std::string text;
};

// Runs a machine script, one step a line ("step arg|arg|..."; "#" starts a
// comment) on one fake machine with one store, and returns each step with
// what it returned and the boxes, processes, pauses and mutexes it made.
std::string RunMachine(const std::string& script) {
  plat::FakePlatform fake;
  CBonusConfig config(fake);
  std::string out;
  std::size_t mutexes = 0;
  std::istringstream in(script);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> a;
    for (std::size_t from = line.find(' ') + 1, bar = 0; from != 0 && bar != std::string::npos;
         from = bar + 1)
      a.push_back(Unescape(line.substr(from, (bar = line.find('|', from)) - from)));
    const std::vector<std::string> args = a;
    a.resize(4);
    const std::string step = line.substr(0, line.find(' '));
    const plat::RegRoot root = a[0] == "CU"   ? plat::RegRoot::CurrentUser
                               : a[0] == "CR" ? plat::RegRoot::ClassesRoot
                               : a[0] == "US" ? plat::RegRoot::Users
                                              : plat::RegRoot::LocalMachine;
    std::string got;
    if (step == "reg")
      fake.SetRegString(root, a[1], a[2], a[3]);
    else if (step == "regdel")
      fake.DeleteRegKey(root, a[1]);
    else if (step == "file")
      fake.AddFile(a[0], a[1]);
    else if (step == "folder")
      fake.AddFolder(a[0]);
    else if (step == "rm")
      fake.RemovePath(a[0]);
    else if (step == "lock")
      fake.LockFile(a[0]);
    else if (step == "short")
      fake.SetShortName(a[0], a[1]);
    else if (step == "module")
      fake.modulePath = a[0];
    else if (step == "window")
      got = std::to_string(fake.AddWindow(a[0], a[1].empty() ? "#32770" : a[1], a[2]));
    else if (step == "nowindows")
      fake.windows.clear();
    else if (step == "freemutexes")
      fake.mutexNames.clear();
    else if (step == "failstart")
      fake.failCreateProcess = a[0] == "1";
    else if (step == "datadir")
      config.m_sDataDir = a[0];
    else if (step == "locate")
      got = config.LocateConfigFile(a[0] == "1") + " config " + config.m_sConfigPath + " data " +
            config.m_sDataDir + " source " + config.m_sSourceDir + " module " + config.m_sModuleDir + "|" +
            config.m_sModuleFileName + "|" + config.m_sModuleBaseName;
    else if (step == "parse")
      got = config.ParseConfigFile(a[0], std::stoi(a[1])) ? "true" : "false";
    else if (step == "text")
      config.ParseConfigText(a[0], std::stoi(a[1]));
    else if (step == "packages")
      for (const auto& entry : config.m_saPackages) got += entry + ";";
    else if (step == "exists")
      got = config.FileExists(a[0], a[1] == "1", a[2]) ? "true" : "false";
    else if (step == "regkey")
      config.m_sRegKey = a[0], config.m_sRegValue = a[1];
    else if (step == "section")
      got = QuoteDumpText(config.ReadSectionRegistryValue(a[0], a[1]));
    else if (step == "dump")
      got = DumpConfig(config);
    else if (step == "regread")
      got = QuoteDumpText(config.ReadRegistryString(a[0], a[1]));
    else if (step == "run")
      CFirstTimeRun(fake).RunOnce(std::stoi(a[0]));
    else if (step == "cmdline") {
      CTokens tokens;
      CMyCmdLineInfo startUp;
      fake.arguments = args;
      ParseCommandLine(fake, tokens);
      ParseCommandLine(args, startUp);
      got = tokens.text + "param " + QuoteDumpText(startUp.m_sParam);
    } else if (step == "find")
      got = std::to_string(FindMainDialog(fake, a[0]));
    else
      ADD_FAILURE() << "unknown step: " << line;
    out += "> " + line + "\n" + (got.empty() ? "" : "  = " + got + "\n");
    for (const auto& b : fake.boxes)
      out += "  box " + std::to_string(b.owner) + " " + std::to_string(b.type) + " " + b.caption + ": " +
             b.text + "\n";
    for (const auto& p : fake.processes) out += "  started " + p.application + "\n";
    for (const auto s : fake.sleeps) out += "  slept " + std::to_string(s) + "\n";
    for (; mutexes < fake.mutexCalls.size(); ++mutexes)
      out += "  mutex " + fake.mutexCalls[mutexes].name +
             (fake.mutexCalls[mutexes].alreadyExisted ? " existed\n" : "\n");
    fake.boxes.clear(), fake.processes.clear(), fake.sleeps.clear();
  }
  for (const auto& [name, handles] : fake.mutexNames) out += name + " open " + std::to_string(handles) + "\n";
  return out + std::to_string(fake.closedHandles.size()) + " handles closed\n";
}

class ConfigGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(ConfigGolden, Matches) {
  const fs::path file = kGoldenDir / GetParam();
  const std::string got =
      file.extension() == ".cfg" ? ReadDisk(file.stem().string()) : RunMachine(ReadBytes(file));
  const fs::path expectedFile = fs::path(file).replace_extension(".expected");
  const char* update = std::getenv("VELMORA_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::ofstream(expectedFile, std::ios::binary) << got;
    GTEST_SKIP() << "wrote " << expectedFile;
  }
  ASSERT_TRUE(fs::is_regular_file(expectedFile))
      << expectedFile << " is missing; run with VELMORA_UPDATE_GOLDEN=1";
  EXPECT_EQ(got, ReadBytes(expectedFile));
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ConfigGolden, ::testing::ValuesIn(Scenarios()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                           return param.param.substr(0, param.param.find('.')) + "_" +
                                  param.param.substr(param.param.find('.') + 1);
                         });

}  // namespace
