// SplitIntoList against a plain model of its contract, for any text and
// any set of delimiters (white space and NUL among them).
//
// Input: delimiters, byte 0x01, text.

#include "config/BonusConfig.h"
#include "fuzz/FuzzInput.h"
#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto f = fuzzin::Fields(data, size, 2);
  std::vector<std::string> expected;
  for (std::string text = f[1]; !text.empty();) {
    std::erase(text, '\t');
    const std::string part = plat::Trim(text.substr(0, text.find_first_of(f[0])));
    expected.push_back(part);
    if (!part.empty()) text.erase(0, text.find(part) + part.size());
    text = plat::Trim(text);
    if (!text.empty()) text.erase(0, 1);
  }
  static plat::FakePlatform fake;
  static CBonusConfig store(fake);
  store.m_saList = {"left over"};
  store.SplitIntoList(f[1], f[0]);
  fuzzin::Check(store.m_saList == expected);
  for (const auto& part : store.m_saList)
    fuzzin::Check(part.find('\t') == std::string::npos && part == plat::Trim(part));
  return 0;
}
