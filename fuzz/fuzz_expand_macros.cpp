// The main dialog's macro expansion on any value with any ten tokens (a
// token in brackets names a section of the capsule file, whose text is part
// of the input too): no crash, nothing written, no box but the missing-file
// one, and a value without "{" comes back as it was.
//
// Input: value, 0x01, Token1, ..., 0x01, Token10, 0x01, extra capsule file text.

#include "browser/BonusDlg.h"
#include "fuzz/FuzzInput.h"
#include "tests/native/DialogTestSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto f = fuzzin::Fields(data, size, 12);
  browser::testing::DiskMachine m;
  m.fake.SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\T", "V", "registry text");
  m.fake.SetRegValue(plat::RegRoot::LocalMachine, "SOFTWARE\\T", "Long",
                     plat::RegValue{plat::kRegSz, std::string(300, 'L')});
  m.Main("[Packages]\nGames\n");
  std::string capsule = "[TuneUp]\nTitle=Games\n";
  for (std::size_t i = 1; i <= 10; ++i) {
    std::replace_if(
        f[i].begin(), f[i].end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    capsule += "Token" + std::to_string(i) + "=" + f[i] + "\n";
  }
  capsule += "[Reg]\nKey=HKEY_LOCAL_MACHINE\\SOFTWARE\\T\nValue=V\n" + f[11];
  m.Capsule("Games", capsule);
  browser::CRecordingView view;
  browser::CBonusDlg dlg(m.fake, view);
  if (!dlg.OnInitDialog()) return 0;
  view.selected = 0;
  dlg.OnSelChangedCapsule();
  const auto before = m.fake.Snapshot();
  m.fake.boxes.clear();
  const std::string got = dlg.ExpandMacros(f[0], 0);
  fuzzin::Check(got == f[0] || f[0].find('{') != std::string::npos);
  fuzzin::Check(m.fake.Snapshot() == before && !view.ended);
  return 0;
}
