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
  auto put = [&pe](std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> fields) {
    for (const auto& [at, value] : fields)
      for (std::size_t i = 0; i < 4; ++i) pe[at + i] = static_cast<char>(value >> (8 * i));
  };
  const bool plus = (data[8] & 1) != 0, decoys = (data[8] & 2) != 0;
  const std::uint32_t opt = 0x58, count = plus ? 108 : 92, section = opt + count + 4 + 16 * 8, root = 0x200,
                      magic = plus ? 0x20B : 0x10B, virtualSize = (data[8] & 4) != 0 ? 0x3000 : 0x200,
                      entries = decoys ? 0x20001 : 0x10000, rtVersion = root + (decoys ? 32 : 16);
  // Offset and value pairs, in order (a later field may overwrite the zero
  // upper half of an earlier one): "MZ" and the PE header's offset; "PE\0\0",
  // one section and the optional header's size; the magic, and the
  // resources' RVA and size among 16 data directories; the section's virtual
  // size, RVA, raw size and raw offset. Then the resource tree at file offset
  // 0x200 (RVA 0x1000): the root's named and id entries (with decoys first,
  // a named entry and RT_ICON to an empty directory), RT_VERSION, name 1,
  // language 0x409, the data entry, and VS_VERSIONINFO's lengths and
  // VS_FIXEDFILEINFO's signature; then its name and the product version.
  put({{0, 0x5A4D}, {0x3C, 0x40}, {0x40, 0x4550}, {0x46, 1}, {0x54, section - opt}, {opt, magic}});
  put({{opt + count, 16}, {opt + count + 20, 0x1000}, {opt + count + 24, 0x100}, {section + 8, virtualSize}});
  put({{section + 12, 0x1000}, {section + 16, 0x200}, {section + 20, 0x200}, {root + 12, entries}});
  put({{root + 16, 0x800000E0}, {root + 20, 0x800000F0}, {root + 24, 3}, {root + 28, 0x800000F0}});
  put({{rtVersion, 16}, {rtVersion + 4, 0x80000040}, {root + 0x4E, 1}, {root + 0x50, 1}});
  put({{root + 0x54, 0x80000060}, {root + 0x6E, 1}, {root + 0x70, 0x409}, {root + 0x74, 0x80}});
  put({{root + 0x80, 0x1090}, {root + 0x84, 92}, {root + 0x90, 92 | (52 << 16)}, {root + 0xB8, 0xFEEF04BD}});
  const std::string key = "VS_VERSION_INFO";
  for (std::size_t i = 0; i < key.size(); ++i) pe[root + 0x96 + 2 * i] = key[i];
  for (std::size_t i = 0; i < 8; ++i) pe[root + 0xC8 + (i ^ 2)] = static_cast<char>(data[i]);
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
