// The checker's .reg reader: any bytes read without a crash, and an export
// written from the input's values as the Registry Editor writes one (8-bit
// text, or UTF-16LE with its byte-order mark, where REG_EXPAND_SZ and
// REG_MULTI_SZ data are UTF-16 too; long hex data goes on over lines ending
// in "\") read back without a problem, every value as it was last written
// to a key and name that compare equal without regard to case.
//
// Input: bytes read as they are when the first is above 3; else that byte's
// flags (bit 0 UTF-16, bit 1 the "Version 5.00" header in 8-bit text), then
// values separated by 0x01, each a byte (bits 0-1 the root; bits 2-3
// "text", dword:, hex(T) with T its bits 4-7, or hex(T) with T the data's
// first four bytes), key, 0x02, name, 0x02, data.

#include <cstdio>

#include "checker/RegFile.h"
#include "fuzz/FuzzInput.h"
#include "platform/Text.h"

namespace {

struct Written {
  plat::RegRoot root;
  std::string key, name;
  plat::RegValue value;
};

std::string Quote(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

// Each byte as two hexadecimal digits, between commas; 16 bytes a line.
std::string Hex(const std::string& bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i != 0) out += i % 16 == 0 ? ",\\\n  " : ",";
    out += "0123456789abcdef"[(bytes[i] >> 4) & 15];
    out += "0123456789abcdef"[bytes[i] & 15];
  }
  return out;
}

// UTF-16LE of 8-bit text: each byte one code unit.
std::string Wide(const std::string& s) {
  std::string out;
  for (char c : s) out += {c, '\0'};
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || data[0] > 3) {
    (void)checker::RegFile::Parse(fuzzin::Text(data, size, 0));
    return 0;
  }
  const bool wide = (data[0] & 1) != 0;
  std::string text = wide || (data[0] & 2) != 0 ? "Windows Registry Editor Version 5.00\n" : "REGEDIT4\n";
  std::vector<Written> written;
  for (std::string entry : fuzzin::Fields(data + 1, size - 1, 16)) {
    if (entry.empty()) continue;
    std::replace(entry.begin(), entry.end(), '\n', ' ');  // one line each
    const auto f =
        fuzzin::Fields(reinterpret_cast<const std::uint8_t*>(entry.data()) + 1, entry.size() - 1, 3, 2);
    const unsigned flags = static_cast<unsigned char>(entry[0]), kind = (flags >> 2) & 3;
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < 4 && i < f[2].size(); ++i)
      number |= std::uint32_t{static_cast<unsigned char>(f[2][i])} << (8 * i);
    Written w{static_cast<plat::RegRoot>(flags & 3), f[0], f[1], {}};
    while (!w.key.empty() && w.key.back() == '\\') w.key.pop_back();
    char hex[16];
    std::string line = (w.name.empty() ? "@" : Quote(w.name)) + "=";
    if (kind == 0) {
      w.value = {plat::kRegSz, f[2] + '\0'};
      line += Quote(f[2]);
    } else if (kind == 1) {
      for (int i = 0; i < 4; ++i) w.value.data += static_cast<char>(number >> (8 * i));
      w.value.type = plat::kRegDword;
      std::snprintf(hex, sizeof hex, "dword:%08x", number);
      line += hex;
    } else {
      w.value = {kind == 2 ? flags >> 4 : number,
                 kind == 2 ? f[2] : f[2].substr(std::min<std::size_t>(4, f[2].size()))};
      const bool utf16 = wide && (w.value.type == plat::kRegExpandSz || w.value.type == plat::kRegMultiSz);
      const std::string bytes = utf16 ? Wide(w.value.data) : w.value.data;
      std::snprintf(hex, sizeof hex, "hex(%x):", w.value.type);
      line += (w.value.type == plat::kRegBinary ? std::string("hex:") : hex) + Hex(bytes);
    }
    text += "\n[" + std::string(checker::RootName(w.root)) + "\\" + w.key + "]\n" + line + "\n";
    written.push_back(w);
  }
  const auto file = checker::RegFile::Parse(wide ? "\xFF\xFE" + Wide(text) : text);
  fuzzin::Check(file.Problems().empty());
  std::vector<std::string> seen;
  for (auto w = written.rbegin(); w != written.rend(); ++w) {
    const std::string id =
        std::to_string(int(w->root)) + plat::AsciiLower(w->key) + '\0' + plat::AsciiLower(w->name);
    if (std::find(seen.begin(), seen.end(), id) != seen.end()) continue;
    seen.push_back(id);
    const auto got = file.Value(w->root, w->key, w->name);
    fuzzin::Check(got && got->type == w->value.type && got->data == w->value.data);
  }
  return 0;
}
