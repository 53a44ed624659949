#include "checker/RegFile.h"

#include <cstdint>

#include "platform/Text.h"

namespace checker {

namespace {

// A .reg line without the blanks, TABs and CRs around it.
std::string TrimRegLine(const std::string& s) {
  const auto begin = s.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return {};
  const auto end = s.find_last_not_of(" \t\r");
  return s.substr(begin, end - begin + 1);
}

// 8-bit text of a UTF-16LE byte sequence: each unit's low byte, "?" above 0xFF.
std::string NarrowUtf16(const std::string& bytes, std::size_t from) {
  std::string out;
  for (std::size_t i = from; i + 1 < bytes.size(); i += 2) {
    const unsigned unit = static_cast<unsigned char>(bytes[i]) |
                          (static_cast<unsigned>(static_cast<unsigned char>(bytes[i + 1])) << 8);
    out.push_back(unit > 0xFF ? '?' : static_cast<char>(unit));
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "01,02,ff" (blanks allowed) into bytes; nothing when malformed.
std::optional<std::string> HexBytes(const std::string& text) {
  std::string out;
  std::string digits;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const char c = i < text.size() ? text[i] : ',';
    if (c == ' ' || c == '\t') continue;
    if (c == ',') {
      if (digits.empty()) {
        if (i == text.size()) break;
        return std::nullopt;
      }
      if (digits.size() > 2) return std::nullopt;
      int value = 0;
      for (char d : digits) {
        const int h = HexDigit(d);
        if (h < 0) return std::nullopt;
        value = value * 16 + h;
      }
      out.push_back(static_cast<char>(value));
      digits.clear();
      continue;
    }
    digits.push_back(c);
  }
  return out;
}

// A quoted string starting at text[pos] == '"': its content, and pos moved
// past the closing quote; nothing when it does not close.
std::optional<std::string> Quoted(const std::string& text, std::size_t& pos) {
  std::string out;
  for (std::size_t i = pos + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      out.push_back(text[++i]);
      continue;
    }
    if (c == '"') {
      pos = i + 1;
      return out;
    }
    out.push_back(c);
  }
  return std::nullopt;
}

}  // namespace

std::optional<plat::RegRoot> RootFromName(const std::string& name) {
  const std::string n = plat::AsciiLower(name);
  if (n == "hkey_local_machine" || n == "hklm") return plat::RegRoot::LocalMachine;
  if (n == "hkey_current_user" || n == "hkcu") return plat::RegRoot::CurrentUser;
  if (n == "hkey_classes_root" || n == "hkcr") return plat::RegRoot::ClassesRoot;
  if (n == "hkey_users" || n == "hku") return plat::RegRoot::Users;
  return std::nullopt;
}

const char* RootName(plat::RegRoot root) {
  switch (root) {
    case plat::RegRoot::LocalMachine:
      return "HKEY_LOCAL_MACHINE";
    case plat::RegRoot::CurrentUser:
      return "HKEY_CURRENT_USER";
    case plat::RegRoot::ClassesRoot:
      return "HKEY_CLASSES_ROOT";
    case plat::RegRoot::Users:
      return "HKEY_USERS";
  }
  return "";
}

std::string RegFile::KeyOf(plat::RegRoot root, const std::string& subKey) {
  std::string path = plat::AsciiLower(subKey);
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return std::to_string(static_cast<int>(root)) + "|" + path;
}

void RegFile::Set(plat::RegRoot root, const std::string& subKey, const std::string& name,
                  plat::RegValue value) {
  m_keys[KeyOf(root, subKey)][plat::AsciiLower(name)] = std::move(value);
}

bool RegFile::KeyExists(plat::RegRoot root, const std::string& subKey) const {
  const std::string key = KeyOf(root, subKey);
  if (m_keys.count(key) != 0) return true;
  const std::string below = key.back() == '|' ? key : key + "\\";
  auto it = m_keys.lower_bound(below);
  return it != m_keys.end() && it->first.compare(0, below.size(), below) == 0;
}

std::optional<plat::RegValue> RegFile::Value(plat::RegRoot root, const std::string& subKey,
                                             const std::string& name) const {
  auto key = m_keys.find(KeyOf(root, subKey));
  if (key == m_keys.end()) return std::nullopt;
  auto value = key->second.find(plat::AsciiLower(name));
  if (value == key->second.end()) return std::nullopt;
  return value->second;
}

RegFile RegFile::Parse(const std::string& raw) {
  RegFile file;
  const bool wide = raw.size() >= 2 && static_cast<unsigned char>(raw[0]) == 0xFF &&
                    static_cast<unsigned char>(raw[1]) == 0xFE;
  std::string text = wide ? NarrowUtf16(raw, 2) : raw;
  if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);

  // Physical lines, with continuation lines ("\" at the end) joined.
  struct Line {
    std::size_t number;
    std::string text;
  };
  std::vector<Line> lines;
  std::size_t number = 0;
  bool continuing = false;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (continuing) {
      lines.back().text += TrimRegLine(line);
    } else {
      lines.push_back({number, line});
    }
    std::string& joined = lines.back().text;
    continuing = !joined.empty() && joined.back() == '\\' && joined.find("=hex") != std::string::npos;
    if (continuing) joined.pop_back();
    if (end == text.size()) break;
    start = end + 1;
  }

  std::optional<plat::RegRoot> root;
  std::string subKey;
  bool inKey = false;
  bool sawHeader = false;
  for (const Line& line : lines) {
    const std::string t = TrimRegLine(line.text);
    if (t.empty() || t.front() == ';') continue;
    if (!sawHeader) {
      sawHeader = true;
      if (t == "REGEDIT4" || t == "Windows Registry Editor Version 5.00") continue;
      file.m_problems.push_back({line.number, "the first line is not \"REGEDIT4\""});
      continue;
    }
    if (t.front() == '[') {
      if (t.back() != ']') {
        file.m_problems.push_back({line.number, "a key header without \"]\""});
        inKey = false;
        continue;
      }
      std::string path = t.substr(1, t.size() - 2);
      const bool remove = !path.empty() && path.front() == '-';
      if (remove) path.erase(0, 1);
      const auto slash = path.find('\\');
      root = RootFromName(path.substr(0, slash));
      if (!root) {
        file.m_problems.push_back({line.number, "unknown root key \"" + path.substr(0, slash) + "\""});
        inKey = false;
        continue;
      }
      subKey = slash == std::string::npos ? std::string() : path.substr(slash + 1);
      if (remove) {
        const std::string key = KeyOf(*root, subKey);
        for (auto it = file.m_keys.begin(); it != file.m_keys.end();) {
          if (it->first == key || it->first.compare(0, key.size() + 1, key + "\\") == 0)
            it = file.m_keys.erase(it);
          else
            ++it;
        }
        inKey = false;
        continue;
      }
      file.m_keys[KeyOf(*root, subKey)];
      inKey = true;
      continue;
    }
    if (!inKey) {
      file.m_problems.push_back({line.number, "a value outside any key"});
      continue;
    }
    std::string name;
    std::size_t pos = 0;
    if (t.front() == '@') {
      pos = 1;
    } else if (t.front() == '"') {
      auto quoted = Quoted(t, pos);
      if (!quoted) {
        file.m_problems.push_back({line.number, "a value name without its closing quote"});
        continue;
      }
      name = *quoted;
    } else {
      file.m_problems.push_back({line.number, "neither a key header nor a value"});
      continue;
    }
    while (pos < t.size() && (t[pos] == ' ' || t[pos] == '\t')) ++pos;
    if (pos >= t.size() || t[pos] != '=') {
      file.m_problems.push_back({line.number, "a value without \"=\""});
      continue;
    }
    std::string data = TrimRegLine(t.substr(pos + 1));
    plat::RegValue value;
    if (data == "-") {
      auto key = file.m_keys.find(KeyOf(*root, subKey));
      if (key != file.m_keys.end()) key->second.erase(plat::AsciiLower(name));
      continue;
    }
    if (!data.empty() && data.front() == '"') {
      std::size_t q = 0;
      auto quoted = Quoted(data, q);
      if (!quoted) {
        file.m_problems.push_back({line.number, "a string without its closing quote"});
        continue;
      }
      value.type = plat::kRegSz;
      value.data = *quoted + std::string(1, '\0');
    } else if (plat::AsciiLower(data.substr(0, 6)) == "dword:") {
      const std::string digits = data.substr(6);
      std::uint32_t number32 = 0;
      bool ok = !digits.empty() && digits.size() <= 8;
      for (char c : digits) {
        const int h = HexDigit(c);
        if (h < 0) ok = false;
        number32 = number32 * 16 + static_cast<std::uint32_t>(h < 0 ? 0 : h);
      }
      if (!ok) {
        file.m_problems.push_back({line.number, "a dword that is not eight hexadecimal digits"});
        continue;
      }
      value.type = plat::kRegDword;
      for (int i = 0; i < 4; ++i) value.data.push_back(static_cast<char>((number32 >> (8 * i)) & 0xFF));
    } else if (plat::AsciiLower(data.substr(0, 3)) == "hex") {
      const auto colon = data.find(':');
      if (colon == std::string::npos) {
        file.m_problems.push_back({line.number, "hex data without \":\""});
        continue;
      }
      value.type = plat::kRegBinary;
      const std::string kind = data.substr(3, colon - 3);
      if (!kind.empty()) {
        if (kind.size() < 3 || kind.front() != '(' || kind.back() != ')') {
          file.m_problems.push_back({line.number, "hex data of an unreadable type"});
          continue;
        }
        std::uint32_t type = 0;
        bool readable = true;  // any 32-bit type is valid, 0xFFFFFFFF included
        for (char c : kind.substr(1, kind.size() - 2)) {
          const int h = HexDigit(c);
          if (h < 0) {
            readable = false;
            break;
          }
          type = type * 16 + static_cast<std::uint32_t>(h);
        }
        if (!readable) {
          file.m_problems.push_back({line.number, "hex data of an unreadable type"});
          continue;
        }
        value.type = type;
      }
      auto bytes = HexBytes(data.substr(colon + 1));
      if (!bytes) {
        file.m_problems.push_back({line.number, "hex data that is not a list of bytes"});
        continue;
      }
      value.data = *bytes;
      if (wide && (value.type == plat::kRegExpandSz || value.type == plat::kRegMultiSz))
        value.data = NarrowUtf16(value.data, 0);
    } else {
      file.m_problems.push_back({line.number, "value data of an unknown form"});
      continue;
    }
    file.m_keys[KeyOf(*root, subKey)][plat::AsciiLower(name)] = std::move(value);
  }
  return file;
}

}  // namespace checker
