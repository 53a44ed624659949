// The configuration grammar against its plain model, on arbitrary text, an
// arbitrary capsule index and arbitrary section flags left by earlier reads:
// a file's first read into a store appends every [Packages] entry, as the
// model does. Then the same file read again and again must not grow the
// store without bound.
//
// Input: two bytes of capsule index (little-endian, signed, taken modulo
// 64 with its sign: a larger index takes the same branches, only with longer
// lists to fill and compare), one byte of starting flags (bit 0
// m_bInSection, 1 m_bInPackages, 2 m_bInTuneUp, 3 m_bInVersion), then the
// text.

#include "fuzz/FuzzInput.h"
#include "fuzz/ReferenceConfig.h"
#include "platform/fake/FakePlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const int index = static_cast<std::int16_t>(static_cast<std::uint16_t>(data[0] | (data[1] << 8))) % 64;
  const std::string text = fuzzin::Text(data, size, 3);
  static plat::FakePlatform fake;
  fake.AddFile("C:\\fuzz.cfg", text);
  CBonusConfig store(fake), model(fake);
  for (CBonusConfig* c : {&store, &model}) {
    c->m_sDataDir = "D:\\data";
    c->m_bInSection = (data[2] & 1) != 0;
    c->m_bInPackages = (data[2] & 2) != 0;
    c->m_bInTuneUp = (data[2] & 4) != 0;
    c->m_bInVersion = (data[2] & 8) != 0;
  }
  fuzzin::Check(store.ParseConfigFile("C:\\fuzz.cfg", index));
  // A text file ends at its first Ctrl-Z.
  reference::ParseText(model, std::string_view(text).substr(0, text.find('\x1A')), index);
  fuzzin::Check(reference::SameRead(store, model));

  // Read twice more: the first read's packages stay where they are, and
  // once the section flags have settled (after the first read) a further
  // read adds none.
  const CStringArray first = store.m_saPackages;
  fuzzin::Check(store.ParseConfigFile("c:/FUZZ.cfg", index));
  const CStringArray second = store.m_saPackages;
  fuzzin::Check(std::equal(first.begin(), first.end(), second.begin()));
  fuzzin::Check(store.ParseConfigFile("C:\\fuzz.cfg", index) && store.m_saPackages == second);
  fuzzin::Check(fake.boxes.empty());
  return 0;
}
