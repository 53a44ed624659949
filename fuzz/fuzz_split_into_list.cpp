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
  // The contract step by step, with what is left of the text kept as the
  // window [at, end) rather than erased and trimmed into a new string each
  // round (quadratic in the number of parts).
  std::vector<std::string> expected;
  std::string text = f[1];
  bool more = !text.empty();
  std::erase(text, '\t');  // every round deletes the TABs, and no step brings one back
  for (std::size_t at = 0, end = text.size(); more; more = at < end) {
    const std::string part = plat::Trim(text.substr(at, std::min(text.find_first_of(f[0], at), end) - at));
    expected.push_back(part);
    if (!part.empty()) at = text.find(part, at) + part.size();
    while (at < end && plat::IsWhiteSpace(text[at])) ++at;
    while (end > at && plat::IsWhiteSpace(text[end - 1])) --end;
    if (at < end) ++at;
  }
  static plat::FakePlatform fake;
  static CBonusConfig store(fake);
  store.m_saList = {"left over"};
  store.SplitIntoList(f[1], f[0]);
  fuzzin::Check(store.m_saList == expected);
  return 0;
}
