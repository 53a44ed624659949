#include "browser/TextUtil.h"

#include <climits>
#include <cstddef>

namespace bonus {

std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) return text;
  std::string out;
  std::size_t start = 0;
  for (;;) {
    std::size_t hit = text.find(from, start);
    if (hit == std::string::npos) break;
    out.append(text, start, hit - start);
    out += to;
    start = hit + from.size();
  }
  out.append(text, start, std::string::npos);
  return out;
}

int ParseLeadingInt(const std::string& text) {
  std::size_t i = text.find_first_not_of(kWhiteSpace);
  if (i == std::string::npos) return 0;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') {
    negative = text[i] == '-';
    ++i;
  }
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  if (value < INT_MIN) value = INT_MIN;
  return static_cast<int>(value);
}

}  // namespace bonus
