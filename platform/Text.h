// Small text operations shared by every layer, with the semantics of the
// framework's counted string: white space is blank, TAB, LF, VT, FF and CR,
// and case folding touches the ASCII letters only (the system's own
// case-insensitive comparisons of paths and window classes do the same for
// the names this program compares).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plat {

constexpr bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

constexpr std::string_view TrimLeft(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsWhiteSpace(s[i])) ++i;
  return s.substr(i);
}

constexpr std::string_view TrimRight(std::string_view s) {
  std::size_t n = s.size();
  while (n > 0 && IsWhiteSpace(s[n - 1])) --n;
  return s.substr(0, n);
}

constexpr std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

// The same for owned text, so that callers holding a std::string get one back.
inline std::string TrimLeft(const std::string& s) { return std::string(TrimLeft(std::string_view(s))); }
inline std::string TrimRight(const std::string& s) { return std::string(TrimRight(std::string_view(s))); }
inline std::string Trim(const std::string& s) { return std::string(Trim(std::string_view(s))); }

constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// ASCII letters lowered; every other byte unchanged.
std::string AsciiLower(std::string_view text);

// Equal when compared with ASCII letters folded.
bool EqualsNoCase(std::string_view a, std::string_view b);

// Every occurrence of `from` replaced by `to`, left to right, without overlap;
// the inserted text is not scanned again. An empty `from` changes nothing.
std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to);

// The leading decimal number of `text` as atoi reads it (white space, an
// optional sign, digits; 0 when there is none), held to the int range.
int ParseLeadingInt(std::string_view text);

// `byte` as two hexadecimal digits, upper case.
inline std::string HexByte(unsigned char byte) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[byte >> 4], kDigits[byte & 15]};
}

inline bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace plat
