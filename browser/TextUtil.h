// Small text operations of the main dialog and the install engine, with the
// semantics of the framework's counted string.
#pragma once

#include <string>

namespace bonus {

// The characters that leading/trailing white-space trimming removes.
inline constexpr const char* kWhiteSpace = " \t\r\n\v\f";

inline std::string TrimLeft(const std::string& text) {
  auto pos = text.find_first_not_of(kWhiteSpace);
  return pos == std::string::npos ? std::string() : text.substr(pos);
}

inline std::string TrimRight(const std::string& text) {
  auto pos = text.find_last_not_of(kWhiteSpace);
  return pos == std::string::npos ? std::string() : text.substr(0, pos + 1);
}

// Every occurrence of `from` replaced by `to`, left to right, without overlap;
// the inserted text is not scanned again. An empty `from` changes nothing.
std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to);

// The leading decimal number of `text` as atoi reads it (white space, an
// optional sign, digits; 0 when there is none), held to the int range.
int ParseLeadingInt(const std::string& text);

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace bonus
