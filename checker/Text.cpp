#include "checker/Text.h"

#include "platform/Text.h"

namespace checker {

std::string Q(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b >= 0x7F) {
      out += "\\x" + plat::HexByte(b);
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

std::size_t Utf8Sequence(const std::string& text, std::size_t at, char32_t& codePoint) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  }
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || at + length > text.size()) return 0;
  char32_t value = lead & (0x7Fu >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return 0;
    value = (value << 6) | (next & 0x3Fu);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  codePoint = value;
  return length;
}

std::size_t Utf16Length(const std::string& text) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < text.size();) {
    char32_t codePoint = 0;
    const std::size_t length = Utf8Sequence(text, i, codePoint);
    units += length > 0 && codePoint >= 0x10000 ? 2 : 1;
    i += length > 0 ? length : 1;
  }
  return units;
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    char32_t codePoint = 0;
    const std::size_t length = Utf8Sequence(text, i, codePoint);
    if (b == '"' || b == '\\') {
      out += '\\';
      out += text[i];
    } else if (b < 0x20 || length == 0) {
      out += "\\u00" + plat::HexByte(b);
    } else {
      out.append(text, i, length);
      i += length;
      continue;
    }
    ++i;
  }
  return out + "\"";
}

}  // namespace checker
