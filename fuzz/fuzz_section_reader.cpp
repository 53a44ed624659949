// The registry-section reader against its plain model, on an arbitrary
// capsule file, section header and starting state.
//
// Input: one byte of flags (bit 0 m_bInSection; bit 1 a Key left by an
// earlier read), one byte n, n bytes of section header, then the file text.

#include "fuzz/FuzzInput.h"
#include "fuzz/ReferenceConfig.h"
#include "platform/fake/FakePlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2 || size < 2u + data[1]) return 0;
  const std::string header = fuzzin::Text(data, size, 2, 2u + data[1]);
  const std::string text = fuzzin::Text(data, size, 2u + data[1]);
  static plat::FakePlatform fake = [] {
    plat::FakePlatform m;
    m.SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\X", "Path", "C:\\Program Files\\X");
    m.SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\X", "", "default");
    m.SetRegString(plat::RegRoot::Users, ".DEFAULT\\X", "V", "users");
    m.SetRegString(plat::RegRoot::CurrentUser, "Software\\X", "Path", "user");
    m.SetRegString(plat::RegRoot::ClassesRoot, ".x", "", "class");
    return m;
  }();
  fake.AddFile("C:\\Capsule\\Capsule.cfg", text);
  CBonusConfig store(fake), model(fake);
  for (CBonusConfig* c : {&store, &model}) {
    c->m_bInSection = (data[0] & 1) != 0;
    if ((data[0] & 2) != 0) {
      c->m_sRegKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\X";
      c->m_sRegValue = "Path";
    }
  }
  const std::string got = store.ReadSectionRegistryValue("C:\\Capsule\\Capsule.cfg", header);
  // A text file ends at its first Ctrl-Z.
  fuzzin::Check(got == reference::ReadSection(model, text.substr(0, text.find('\x1A')), header));
  fuzzin::Check(store.m_sRegKey == model.m_sRegKey && store.m_sRegValue == model.m_sRegValue);
  fuzzin::Check(store.m_bInSection == model.m_bInSection);
  fuzzin::Check(store.m_sLine.empty() && store.m_sSectionName.empty() && fake.boxes.empty());
  return 0;
}
