// The program's own code run over a disk in the in-memory machine: what the
// simulation records of the set-up, the selections, the installs and the
// first-time runs, and what reaches the machine (nothing that acts).
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "checker/Simulation.h"
#include "platform/fake/FakePlatform.h"

namespace {

using check::PlatformCall;

class SimulationTest : public ::testing::Test {
 protected:
  plat::FakePlatform host;
  check::CheckerLayout Layout() {
    check::CheckerLayout layout;
    layout.dataFolder = "D:";
    layout.diskFolder = "C:\\disk";
    layout.windowsDir = "C:\\WINDOWS";
    return layout;
  }
  void Capsule(const std::string& name, const std::string& cfg) {
    host.AddFile("C:\\disk\\" + name + "\\" + name + ".cfg", cfg);
    host.AddFile("C:\\disk\\" + name + "\\" + name + ".rtf", "{\\rtf1 x}");
  }
  static bool Has(const std::vector<PlatformCall>& calls, PlatformCall::Kind kind, const std::string& path) {
    return std::any_of(calls.begin(), calls.end(),
                       [&](const PlatformCall& c) { return c.kind == kind && c.path == path; });
  }
};

TEST_F(SimulationTest, SetUpStopsAtAMissingCapsuleFileAndTheRestIsReadAnyway) {
  host.AddFile("C:\\disk\\VERavevi.cfg", "[Packages]\nA\nB\nC\n");
  Capsule("A", "[TuneUp]\nTitle=A\n");
  Capsule("C", "[TuneUp]\nTitle=C\nNote=late\n");
  check::Simulation sim(host, Layout());
  sim.SetUp();
  ASSERT_TRUE(sim.StoppedAt());
  EXPECT_EQ(*sim.StoppedAt(), 1);
  // The installer's own error box, written down, not shown.
  const auto& calls = sim.Platform().Calls();
  EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [](const PlatformCall& c) {
    return c.kind == PlatformCall::Kind::MessageBox && c.text == "Error: D:\\B\\B.cfg doesn't exist.";
  }));
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_TRUE(sim.View().ended);
  // Only A got a tree item; C was read with its own index all the same.
  ASSERT_EQ(sim.View().items.size(), 1u);
  EXPECT_EQ(CBonusConfig::At(sim.AfterSetUp().m_saNote, 2), "late");
  ASSERT_EQ(sim.Log().reads.size(), 3u);
  EXPECT_TRUE(sim.Log().reads[0].main);
  EXPECT_EQ(sim.Log().reads[2].capsule, 2);
  // C is still selected and installed, so its own findings are not lost.
  sim.SelectAndInstallAll();
  ASSERT_EQ(sim.Runs().size(), 2u);
  EXPECT_EQ(sim.Runs()[1].capsule, 2);
  EXPECT_EQ(sim.Runs()[1].selected, 2);
}

// Where each value and entry came from is shown in the fixtures' reports
// (key-twice, title-duplicate, capsule-file-missing).
TEST_F(SimulationTest, SelectingByTitleAndInstallingRecordsWhatWouldHappen) {
  host.AddFile("C:\\disk\\VERavevi.cfg", "[TuneUp]\nWindowTitle=Bonus\n[Packages]\nA\nB\n");
  Capsule("A",
          "[TuneUp]\nTitle=Same\nRun={SRC_DIR}\\A\\setup.exe,/s\nDisclaimer=1\n[Version]\n"
          "Registry=HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\1.0\nVersion=1.0\nAskMsg=Again?\n");
  Capsule("B", "[TuneUp]\nTitle=Same\nRun=setup.exe\n");
  host.AddFile("C:\\disk\\A\\setup.exe");
  host.AddFile("C:\\disk\\A\\A.tmp");
  host.AddRegKey(plat::RegRoot::LocalMachine, "SOFTWARE\\A\\1.0");
  check::Simulation sim(host, Layout());
  sim.SetUp();
  sim.SelectAndInstallAll();
  ASSERT_EQ(sim.Runs().size(), 2u);
  const check::CapsuleRun& a = sim.Runs()[0];
  EXPECT_EQ(a.selected, 0);
  EXPECT_TRUE(a.descriptionLoaded);
  EXPECT_EQ(a.command.program, "D:\\A\\setup.exe");
  EXPECT_EQ(a.command.argument, "/s");
  // The version check asked its question (and was answered Yes).
  ASSERT_EQ(a.checkBoxes.size(), 1u);
  EXPECT_EQ(a.checkBoxes[0].text, "Again?");
  EXPECT_TRUE(a.checkGoesOn);
  EXPECT_TRUE(Has(a.installCalls, PlatformCall::Kind::ShellExecute, "D:\\A\\setup.exe"));
  EXPECT_TRUE(Has(a.installCalls, PlatformCall::Kind::CreateProcess, "D:\\A\\A.tmp"));
  EXPECT_TRUE(a.moreInfoTimerStarted);
  // The second capsule's title selects the first.
  EXPECT_EQ(sim.Runs()[1].selected, 0);
  // Nothing reached the machine.
  EXPECT_TRUE(host.processes.empty());
  EXPECT_TRUE(host.shellCalls.empty());
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(SimulationTest, FirstTimeRunsGoThroughTheProgramsOwnStart) {
  host.AddFile("C:\\disk\\VERavevi.cfg", "[TuneUp]\nWindowTitle=Bonus\nRun1=intro.exe,3\nRun2=outro.exe,0\n");
  host.AddFile("C:\\disk\\intro.exe");
  check::Simulation sim(host, Layout());
  sim.SetUp();
  const auto run1 = sim.FirstTimeRun(1);
  EXPECT_TRUE(Has(run1, PlatformCall::Kind::CreateProcess, "D:\\intro.exe"));
  EXPECT_TRUE(std::any_of(run1.begin(), run1.end(), [](const PlatformCall& c) {
    return c.kind == PlatformCall::Kind::Sleep && c.number == 3000;
  }));
  const auto run2 = sim.FirstTimeRun(2);
  EXPECT_FALSE(std::any_of(run2.begin(), run2.end(), [](const PlatformCall& c) {
    return c.kind == PlatformCall::Kind::CreateProcess;
  }));
  EXPECT_TRUE(host.processes.empty());
  EXPECT_TRUE(host.sleeps.empty());
}

}  // namespace
