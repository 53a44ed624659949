// The registry-section reader against its plain model, on an arbitrary
// capsule file, section header and starting state, over a registry that
// holds values of every awkward size.
//
// Input: one byte of flags (bit 0 m_bInSection; bit 1 a Key left by an
// earlier read), one byte n, n bytes of section header, then the file text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/BonusConfig.h"
#include "fuzz/ReferenceConfig.h"
#include "platform/fake/FakePlatform.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void FillRegistry(plat::FakePlatform& fake) {
  using plat::RegRoot;
  fake.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\X", "Path", "C:\\Program Files\\X");
  fake.SetRegString(RegRoot::LocalMachine, "SOFTWARE\\X", "", "default");
  fake.SetRegValue(RegRoot::LocalMachine, "SOFTWARE\\X", "Full",
                   plat::RegValue{plat::kRegSz, std::string(plat::kMaxPath, 'f')});
  fake.SetRegValue(RegRoot::LocalMachine, "SOFTWARE\\X", "Over",
                   plat::RegValue{plat::kRegSz, std::string(plat::kMaxPath + 1, 'o')});
  fake.SetRegDword(RegRoot::LocalMachine, "SOFTWARE\\X", "N", 0x00434241);
  fake.SetRegString(RegRoot::CurrentUser, "Software\\X", "Path", "user");
  fake.SetRegString(RegRoot::Users, ".DEFAULT\\X", "V", "users");
  fake.SetRegString(RegRoot::ClassesRoot, ".x", "", "class");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const unsigned flags = data[0];
  const std::size_t headerLength = data[1];
  if (size < 2 + headerLength) return 0;
  const std::string header(reinterpret_cast<const char*>(data) + 2, headerLength);
  const std::string text(reinterpret_cast<const char*>(data) + 2 + headerLength, size - 2 - headerLength);

  plat::FakePlatform fake;
  FillRegistry(fake);
  fake.AddFile("C:\\Capsule\\Capsule.cfg", text);
  CBonusConfig store(fake);
  CBonusConfig model(fake);
  for (CBonusConfig* c : {&store, &model}) {
    c->m_bInSection = (flags & 1) != 0;
    if ((flags & 2) != 0) {
      c->m_sRegKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\X";
      c->m_sRegValue = "Path";
    }
  }
  const std::string got = store.ReadSectionRegistryValue("C:\\Capsule\\Capsule.cfg", header);
  const std::string expected = reference::ReadSection(model, text, header);
  Check(got == expected);
  Check(got.size() <= plat::kMaxPath);
  Check(store.m_sRegKey == model.m_sRegKey && store.m_sRegValue == model.m_sRegValue);
  Check(store.m_bInSection == model.m_bInSection);
  Check(store.m_sLine.empty() && store.m_sSectionName.empty());
  // The key path read directly gives the same text.
  Check(store.ReadRegistryString(store.m_sRegKey, store.m_sRegValue) ==
        reference::ReadRegistryString(fake, store.m_sRegKey, store.m_sRegValue));
  Check(fake.boxes.empty());
  return 0;
}
