// SplitIntoList against a plain model of its contract, for any text and
// any set of delimiters (white space and NUL among them).
//
// Input: delimiters, byte 0x01, text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/BonusConfig.h"
#include "fuzz/FuzzInput.h"
#include "platform/fake/FakePlatform.h"

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsSpace(s[b])) ++b;
  while (e > b && IsSpace(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::vector<std::string> Model(std::string text, const std::string& delimiters) {
  std::vector<std::string> list;
  while (!text.empty()) {
    std::string noTabs;
    for (char c : text)
      if (c != '\t') noTabs += c;
    text = noTabs;
    const std::size_t cut = text.find_first_of(delimiters);
    const std::string part = Trim(text.substr(0, cut));
    list.push_back(part);
    if (!part.empty()) text.erase(0, text.find(part) + part.size());
    text = Trim(text);
    if (!text.empty()) text.erase(0, 1);
  }
  return list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto f = fuzzin::Fields(data, size, 2);
  plat::FakePlatform fake;
  CBonusConfig store(fake);
  store.m_saList = {"left over"};
  store.SplitIntoList(f[1], f[0]);
  const auto expected = Model(f[1], f[0]);
  fuzzin::Check(store.m_saList == expected);
  for (const auto& part : store.m_saList) {
    fuzzin::Check(part.find('\t') == std::string::npos);
    fuzzin::Check(part == Trim(part));
  }
  return 0;
}
