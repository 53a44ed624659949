// The configuration grammar against its plain model, on arbitrary text, an
// arbitrary capsule index and arbitrary section flags left by earlier reads;
// then the same text as a file read again and again, which must not grow
// the store without bound.
//
// Input: two bytes of capsule index (little-endian, signed, taken modulo
// 512 with its sign, so that lists stay small enough to compare), one byte of
// starting flags (bit 0 m_bInSection, 1 m_bInPackages, 2 m_bInTuneUp,
// 3 m_bInVersion), then the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/BonusConfig.h"
#include "config/ConfigDump.h"
#include "fuzz/ReferenceConfig.h"
#include "platform/fake/FakePlatform.h"

namespace {

void SetFlags(CBonusConfig& config, unsigned flags) {
  config.m_bInSection = (flags & 1) != 0;
  config.m_bInPackages = (flags & 2) != 0;
  config.m_bInTuneUp = (flags & 4) != 0;
  config.m_bInVersion = (flags & 8) != 0;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const int index = static_cast<std::int16_t>(static_cast<std::uint16_t>(data[0] | (data[1] << 8))) % 512;
  const unsigned flags = data[2];
  const std::string text(reinterpret_cast<const char*>(data) + 3, size - 3);

  plat::FakePlatform fake;
  CBonusConfig store(fake);
  CBonusConfig model(fake);
  store.m_sDataDir = model.m_sDataDir = "D:\\data";
  SetFlags(store, flags);
  SetFlags(model, flags);
  store.ParseConfigText(text, index);
  reference::ParseText(model, text, index);
  Check(DumpConfig(store) == DumpConfig(model));

  // The same text as a file, read three times: the first read's packages
  // stay where they are, and once the section flags have settled (after the
  // first read) a further read adds none.
  fake.AddFile("C:\\fuzz.cfg", text);
  CBonusConfig reread(fake);
  reread.m_sDataDir = "D:\\data";
  SetFlags(reread, flags);
  Check(reread.ParseConfigFile("C:\\fuzz.cfg", index));
  const CStringArray first = reread.m_saPackages;
  Check(reread.ParseConfigFile("c:/FUZZ.cfg", index));
  const CStringArray second = reread.m_saPackages;
  Check(std::equal(first.begin(), first.end(), second.begin()));
  Check(reread.ParseConfigFile("C:\\fuzz.cfg", index));
  Check(reread.m_saPackages == second);
  Check(fake.boxes.empty());
  return 0;
}
