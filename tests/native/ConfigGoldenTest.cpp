// Golden pictures of whole stores: every tests/golden/<scenario>.cfg is read
// as the main file of a disk, each of its capsules from
// tests/golden/<scenario>.d/<name>.cfg when that exists, then the main file
// once more (as a selection change does); then each capsule file's
// [InstallDir] section is read by a fresh store. The dump of the store, then
// every line the readers told their observer and each section's value, is
// compared with tests/golden/<scenario>.expected.
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

#include "config/BonusConfig.h"
#include "config/ConfigDump.h"
#include "config/ConfigLineObserver.h"
#include "platform/fake/FakePlatform.h"

namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDir = fs::path(VELMORA_SOURCE_DIR) / "tests" / "golden";

std::vector<std::string> Scenarios() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kGoldenDir))
    if (entry.is_regular_file() && entry.path().extension() == ".cfg")
      names.push_back(entry.path().stem().string());
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

class ConfigGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(ConfigGolden, DumpMatches) {
  const std::string scenario = GetParam();
  const std::string dump = ReadDisk(scenario);
  const fs::path expectedFile = kGoldenDir / (scenario + ".expected");
  const char* update = std::getenv("VELMORA_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::ofstream(expectedFile, std::ios::binary) << dump;
    GTEST_SKIP() << "wrote " << expectedFile;
  }
  ASSERT_TRUE(fs::is_regular_file(expectedFile))
      << expectedFile << " is missing; run with VELMORA_UPDATE_GOLDEN=1";
  EXPECT_EQ(dump, ReadBytes(expectedFile)) << scenario;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ConfigGolden, ::testing::ValuesIn(Scenarios()),
                         [](const ::testing::TestParamInfo<std::string>& param) { return param.param; });

TEST(ConfigDump, QuotesEveryByteReadably) {
  EXPECT_EQ(QuoteDumpText(std::string("a\\b\"c\t\r\n\0\x7F\xE9 z", 13)),
            "\"a\\\\b\\\"c\\t\\r\\n\\x00\\x7F\\xE9 z\"");
}

}  // namespace
