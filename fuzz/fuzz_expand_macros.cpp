// The macro expansion of capsule values (the main dialog's ExpandMacros: the
// ten tokens, then its folder macros) on any value with any ten tokens and
// TextExcluded (a token in brackets names a section of the capsule file,
// whose text is part of the input too): no crash, nothing written, no box
// (the capsule file exists), and a value without "{" comes back as it was.
//
// Input: value, 0x01, Token1, ..., 0x01, Token10, 0x01, capsule file text
// after its [Reg] section, 0x01, TextExcluded.

#include "fuzz/FuzzInput.h"
#include "install/PathMacros.h"
#include "platform/fake/FakePlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto f = fuzzin::Fields(data, size, 13);
  // Built once: the expansion only reads the machine.
  static plat::FakePlatform fake = [] {
    plat::FakePlatform m;
    m.SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\T", "V", "registry text");
    m.SetRegValue(plat::RegRoot::LocalMachine, "SOFTWARE\\T", "Long",
                  plat::RegValue{plat::kRegSz, std::string(300, 'L')});
    return m;
  }();
  static const auto folders =
      install::FolderMacros(fake.windowsDir, fake.systemDir, "C:\\Program Files\\Velmora", "D:");
  fake.AddFile("D:\\access\\Games\\Games.cfg",
               "[TuneUp]\nTitle=Games\n[Reg]\nKey=HKEY_LOCAL_MACHINE\\SOFTWARE\\T\nValue=V\n" + f[11]);
  CBonusConfig config(fake);
  config.m_saPackages = {"D:\\access\\Games"};
  config.m_saFileExcluded = {f[12]};
  for (int n = 1; n <= 10; ++n) *config.TokenList(n) = {f[static_cast<std::size_t>(n)]};
  std::string token;
  const std::string got = install::ExpandMacros(config, f[0], 0, folders, token);
  fuzzin::Check(got == f[0] || f[0].find('{') != std::string::npos);
  fuzzin::Check(fake.boxes.empty() && fake.deletions.empty() && fake.linkSaves.empty());
  return 0;
}
