#include "checker/Text.h"

#include "platform/Text.h"

namespace checker {

std::string Q(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b >= 0x7F) {
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 0xF];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

bool IsDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool IsInteger(const std::string& text) {
  std::string t = plat::TrimRight(plat::TrimLeft(text));
  if (!t.empty() && (t.front() == '+' || t.front() == '-')) t.erase(0, 1);
  return IsDigits(t);
}

bool IsDecimal(const std::string& text) {
  std::string t = plat::TrimRight(plat::TrimLeft(text));
  if (!t.empty() && (t.front() == '+' || t.front() == '-')) t.erase(0, 1);
  const auto dot = t.find('.');
  if (dot == std::string::npos) return IsDigits(t);
  const std::string whole = t.substr(0, dot);
  const std::string fraction = t.substr(dot + 1);
  return (whole.empty() || IsDigits(whole)) && (fraction.empty() || IsDigits(fraction)) &&
         !(whole.empty() && fraction.empty());
}

}  // namespace checker
