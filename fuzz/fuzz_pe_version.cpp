// The checker's version-resource reader (and icon-file test) on any bytes,
// then on a PE file built with a given product version, which it must read
// back; the same file with some of its bytes overwritten must only be read
// without a crash.
//
// Input: the version (four 16-bit little-endian numbers: major, minor, build,
// revision); a layout byte (bit 0 PE32+; bit 1 a named entry and an RT_ICON
// entry before RT_VERSION; bit 2 a section whose virtual size exceeds its raw
// data); then overwrites of three bytes each (a 16-bit offset into the
// file, taken modulo its size, and the byte written there).

#include "checker/PeVersion.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes = fuzzin::Text(data, size, 0);
  (void)checker::PeProductVersion(bytes);
  (void)checker::IsIconFile(bytes);
  if (size < 9) return 0;
  std::string pe(0x400, '\0');
  auto put = [&pe](std::size_t at, std::uint32_t value, int width = 4) {
    for (int i = 0; i < width; ++i)
      pe[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
  };
  const bool plus = (data[8] & 1) != 0, decoys = (data[8] & 2) != 0;
  const std::size_t opt = 0x58, count = plus ? 108 : 92, optSize = count + 4 + 16 * 8,
                    section = opt + optSize;
  put(0, 0x5A4D, 2);  // "MZ", then the PE header's offset
  put(0x3C, 0x40);
  put(0x40, 0x4550);  // "PE\0\0", one section, the optional header's size
  put(0x46, 1, 2);
  put(0x54, static_cast<std::uint32_t>(optSize), 2);
  put(opt, plus ? 0x20B : 0x10B, 2);
  put(opt + count, 16);  // data directories: the resources' RVA and size
  put(opt + count + 4 + 16, 0x1000);
  put(opt + count + 4 + 20, 0x100);
  put(section + 8, (data[8] & 4) != 0 ? 0x3000 : 0x200);  // virtual size, RVA, raw size, raw offset
  put(section + 12, 0x1000);
  put(section + 16, 0x200);
  put(section + 20, 0x200);
  // The resource tree at file offset 0x200 (RVA 0x1000): type, name and
  // language directories, the data entry, then VS_VERSIONINFO.
  const std::size_t root = 0x200;
  put(root + 12, decoys ? 1 : 0, 2);
  put(root + 14, decoys ? 2 : 1, 2);
  if (decoys) {
    put(root + 16, 0x800000E0);  // a named entry and an RT_ICON entry, to an empty directory
    put(root + 20, 0x800000F0);
    put(root + 24, 3);
    put(root + 28, 0x800000F0);
  }
  put(root + (decoys ? 32 : 16), 16);
  put(root + (decoys ? 36 : 20), 0x80000040);
  put(root + 0x40 + 14, 1, 2);
  put(root + 0x40 + 16, 1);
  put(root + 0x40 + 20, 0x80000060);
  put(root + 0x60 + 14, 1, 2);
  put(root + 0x60 + 16, 0x409);
  put(root + 0x60 + 20, 0x80);
  put(root + 0x80, 0x1090);
  put(root + 0x84, 92);
  put(root + 0x90, 92, 2);
  put(root + 0x92, 52, 2);
  const std::string key = "VS_VERSION_INFO";
  for (std::size_t i = 0; i < key.size(); ++i)
    put(root + 0x96 + 2 * i, static_cast<unsigned char>(key[i]), 2);
  put(root + 0x90 + 40, 0xFEEF04BD);
  for (std::size_t i = 0; i < 8; ++i) pe[root + 0x90 + 40 + 16 + (i ^ 2)] = static_cast<char>(data[i]);
  for (std::size_t i = 9; i + 3 <= size; i += 3)
    pe[(data[i] | (data[i + 1] << 8)) % pe.size()] = static_cast<char>(data[i + 2]);

  const auto version = checker::PeProductVersion(pe);
  if (size >= 12) return 0;
  fuzzin::Check(version && version->major == (data[0] | (data[1] << 8)) &&
                version->minor == (data[2] | (data[3] << 8)) &&
                version->build == (data[4] | (data[5] << 8)) &&
                version->revision == (data[6] | (data[7] << 8)));
  return 0;
}
