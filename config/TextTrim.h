// Removing white space (blank, TAB, line feed, vertical tab, form feed,
// carriage return) from the ends of a text.
#pragma once

#include <string>

namespace text {

inline bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

inline std::string TrimLeft(const std::string& s) {
  std::size_t begin = 0;
  while (begin < s.size() && IsWhiteSpace(s[begin])) ++begin;
  return s.substr(begin);
}

inline std::string TrimRight(const std::string& s) {
  std::size_t end = s.size();
  while (end > 0 && IsWhiteSpace(s[end - 1])) --end;
  return s.substr(0, end);
}

inline std::string Trim(const std::string& s) { return TrimRight(TrimLeft(s)); }

}  // namespace text
