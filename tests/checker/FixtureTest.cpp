// One small disk per trap: tests/checker/fixtures/<trap>/ is checked as
//   capsule-check <trap> --source-dir D:\ --windows-dir C:\WINDOWS [args]
// from the fixtures folder (extra arguments, one a line, in <trap>/args),
// and the whole output is compared with <trap>/expected.txt; the exit
// status must be the one its summary line implies. Where the fixture has
// expected.json or expected.sarif, --format=json or sarif must write it.
// Every fixture's SARIF log must pass the SARIF 2.1.0 schema. The
// examples/ demo disk must check clean.
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

#include "CheckerTestSupport.h"
#include "checker/CapsuleCheck.h"

namespace {

namespace fs = std::filesystem;

using checktest::SourceDir;

fs::path FixturesDir() { return SourceDir() / "tests" / "checker" / "fixtures"; }

std::vector<std::string> Fixtures() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(FixturesDir()))
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Separators differ between hosts: file names are shown with the host's.
std::string Portable(std::string text) {
#ifdef _WIN32
  std::replace(text.begin(), text.end(), '\\', '/');
#endif
  return text;
}

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome Check(const std::vector<std::string>& arguments) {
  const fs::path previous = fs::current_path();
  fs::current_path(FixturesDir());
  const auto host = checker::MakeHost();
  std::ostringstream out, err;
  const int status = checker::RunCapsuleCheck(arguments, *host, out, err);
  fs::current_path(previous);
  return {status, out.str(), err.str()};
}

int StatusOf(const std::string& output) {
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    unsigned long errors = 0, warnings = 0;
    char e[16] = {}, w[16] = {};
    if (std::sscanf(line.c_str(), "%lu %15[a-z], %lu %15[a-z]", &errors, e, &warnings, w) == 4 &&
        std::string(e).compare(0, 5, "error") == 0)
      return errors > 0 ? 2 : warnings > 0 ? 1 : 0;
  }
  return -1;
}

class Fixture : public ::testing::TestWithParam<std::string> {};

Outcome CheckFixture(const std::string& name, const std::string& format = "text") {
  std::vector<std::string> arguments = {name,          "--source-dir",      "D:\\", "--windows-dir",
                                        "C:\\WINDOWS", "--format=" + format};
  std::istringstream extra(checktest::ReadBytes(FixturesDir() / name / "args"));
  // The dump and the dry run are text only.
  for (std::string line; std::getline(extra, line);)
    if (!line.empty() && (format == "text" || (line != "--dump" && line != "--explain")))
      arguments.push_back(line);
  return Check(arguments);
}

TEST_P(Fixture, ReportsItsTrapAtItsFileAndLine) {
  const std::string name = GetParam();
  const fs::path textFile = FixturesDir() / name / "expected.txt";
  ASSERT_TRUE(fs::exists(textFile) || std::getenv("VELMORA_UPDATE_GOLDEN") != nullptr) << textFile;
  const int status = StatusOf(checktest::ReadBytes(textFile));
  for (const std::string format : {"text", "json", "sarif"}) {
    const fs::path expectedFile = FixturesDir() / name / ("expected." + (format == "text" ? "txt" : format));
    if (format != "text" && !fs::exists(expectedFile)) continue;
    const Outcome outcome = CheckFixture(name, format);
    EXPECT_EQ(outcome.err, "");
    if (std::getenv("VELMORA_UPDATE_GOLDEN") != nullptr) {
      std::ofstream(expectedFile, std::ios::binary) << outcome.out;
      continue;
    }
    EXPECT_EQ(Portable(outcome.out), Portable(checktest::ReadBytes(expectedFile))) << format;
    EXPECT_EQ(outcome.status, status) << format;
  }
}

INSTANTIATE_TEST_SUITE_P(Traps, Fixture, ::testing::ValuesIn(Fixtures()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                           std::string id = param.param;
                           std::replace(id.begin(), id.end(), '-', '_');
                           return id;
                         });

#ifndef _WIN32
// The validator runs on Node.js, with the npm packages that tools/setup
// installs in tools/sarif (VELMORA_SARIF_TOOLS names another such folder,
// for a copy of the sources without them).
TEST(Sarif, EveryFixtureLogPassesTheSchema) {
  const char* other = std::getenv("VELMORA_SARIF_TOOLS");
  const fs::path tools =
      other != nullptr && *other != '\0' ? fs::path(other) : SourceDir() / "tools" / "sarif";
  ASSERT_TRUE(fs::exists(tools / "node_modules")) << "run tools/setup";
  const fs::path dir = fs::temp_directory_path() / "capsule-check-sarif";
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::string command = "node \"" + (tools / "validate.js").string() + "\"";
  for (const std::string& name : Fixtures()) {
    std::ofstream(dir / (name + ".sarif"), std::ios::binary) << CheckFixture(name, "sarif").out;
    command += " \"" + (dir / (name + ".sarif")).string() + "\"";
  }
  const fs::path errors = dir / "errors.txt";
  EXPECT_EQ(std::system((command + " >\"" + errors.string() + "\"").c_str()), 0)
      << checktest::ReadBytes(errors);
  fs::remove_all(dir);
}
#endif

// The demo disk as tools/demo presses it: examples/demo/access seen as
// C:\VelmoraCD\access, with the product's registry values, and the stand-in
// installer in every capsule folder as <name>Setup.exe (an empty file
// stands in for it here: only its presence counts).
class DemoDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path source = SourceDir() / "examples" / "demo" / "access";
    if (!fs::exists(source / "VERavevi.cfg")) GTEST_SKIP() << "no demo disk in examples/demo";
    // A folder of its own per test: ctest runs the cases side by side.
    staged = fs::temp_directory_path() /
             (std::string("capsule-check-demo-") +
              ::testing::UnitTest::GetInstance()->current_test_info()->name()) /
             "access";
    fs::remove_all(staged.parent_path());
    fs::create_directories(staged);
    fs::copy(source, staged, fs::copy_options::recursive);
    for (const auto& entry : fs::recursive_directory_iterator(staged)) {
      if (!entry.is_directory()) continue;
      const std::string name = entry.path().filename().string();
      if (fs::exists(entry.path() / (name + ".cfg")))
        std::ofstream(entry.path() / (name + "Setup.exe")) << "MZ";
    }
  }
  void TearDown() override {
    if (!staged.empty()) fs::remove_all(staged.parent_path());
  }
  fs::path staged;
};

TEST_F(DemoDisk, ChecksCleanAndExplainsEveryInstall) {
  const std::string reg = (SourceDir() / "tests" / "checker" / "demo.reg").string();
  const Outcome outcome =
      Check({staged.string(), "--source-dir", "C:\\VelmoraCD\\access", "--registry", reg, "--explain"});
  EXPECT_EQ(outcome.status, 0) << outcome.out << outcome.err;
  // One section per capsule, each with its install explained, and the
  // verdicts the installer reaches on the demo prefix.
  const fs::path expectedFile = SourceDir() / "tests" / "checker" / "demo-explain.txt";
  if (std::getenv("VELMORA_UPDATE_GOLDEN") != nullptr)
    std::ofstream(expectedFile, std::ios::binary) << outcome.out;
  EXPECT_EQ(Portable(outcome.out), Portable(checktest::ReadBytes(expectedFile)));
}

TEST(CommandLine, UsageAndBadArguments) {
  const fs::path reg = fs::temp_directory_path() / "capsule-check-broken.reg";
  std::ofstream(reg) << "REGEDIT4\n\n[HKLM\\SOFTWARE\\X]\n\"A\"=dword:xyz\n";
  const struct {
    std::vector<std::string> arguments;
    int status;
    std::string out, err;  // a part of each
  } rows[] = {{{"--help"}, 0, "", ""},
              {{}, 2, "", "usage: capsule-check"},
              {{"clean", "--frobnicate"}, 2, "", ""},
              {{"clean", "dump"}, 2, "", ""},
              {{"clean", "--format=xml"}, 2, "", "--format is text, json or sarif, not xml"},
              {{"clean", "--format", "json", "--explain"}, 2, "", "use them with --format=text"},
              {{"no-such-disk"}, 2, "", "no-such-disk: no such folder or file"},
              {{"key-case/Chess", "--source-dir=D:\\"}, 2, "there is no VERavevi.cfg", ""},
              {{"clean", "--source-dir=D:\\", "--registry", reg.string()},
               2,
               ":4: error: registry export: a dword that is not eight hexadecimal digits",
               ""}};
  for (const auto& r : rows) {
    const Outcome outcome = Check(r.arguments);
    SCOPED_TRACE(outcome.out + outcome.err);
    EXPECT_EQ(outcome.status, r.status);
    EXPECT_NE(outcome.out.find(r.out), std::string::npos);
    EXPECT_NE(outcome.err.find(r.err), std::string::npos);
  }
  fs::remove(reg);
  // The main file may be named directly.
  const Outcome byFolder = Check({"key-case", "--source-dir=D:\\"});
  const Outcome byFile = Check({"key-case/VERavevi.cfg", "--source-dir=D:\\"});
  EXPECT_EQ(byFile.status, byFolder.status);
  EXPECT_EQ(Portable(byFile.out), Portable(byFolder.out));
}

}  // namespace
