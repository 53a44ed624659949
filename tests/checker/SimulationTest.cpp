// The program's own code run over a disk in the in-memory machine. What the
// installs record is shown whole by the explain fixture, the first-time runs
// by run1-run2; here, a set-up that stops at a missing capsule file.
#include <gtest/gtest.h>

#include <algorithm>

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

}  // namespace
