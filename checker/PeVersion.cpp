#include "checker/PeVersion.h"

#include <cstdint>
#include <vector>

namespace checker {

namespace {

class Bytes {
 public:
  explicit Bytes(const std::string& b) : b_(b) {}
  bool Has(std::size_t offset, std::size_t size) const {
    return offset <= b_.size() && size <= b_.size() - offset;
  }
  std::uint32_t U16(std::size_t o) const { return Byte(o) | (Byte(o + 1) << 8); }
  std::uint32_t U32(std::size_t o) const { return U16(o) | (U16(o + 2) << 16); }

 private:
  std::uint32_t Byte(std::size_t o) const { return static_cast<unsigned char>(b_[o]); }
  const std::string& b_;
};

struct Section {
  std::uint32_t virtualAddress;
  std::uint32_t virtualSize;
  std::uint32_t rawSize;
  std::uint32_t rawOffset;
};

constexpr std::uint32_t kRtVersion = 16;
constexpr std::uint32_t kVsVersionInfo = 1;
constexpr std::uint32_t kFixedSignature = 0xFEEF04BDu;
constexpr std::uint32_t kSubdirectory = 0x80000000u;

}  // namespace

std::optional<plat::ProductVersion> PeProductVersion(const std::string& bytes) {
  const Bytes b(bytes);
  if (!b.Has(0, 0x40) || b.U16(0) != 0x5A4D) return std::nullopt;  // "MZ"
  const std::size_t pe = b.U32(0x3C);
  if (!b.Has(pe, 24) || b.U32(pe) != 0x00004550u) return std::nullopt;  // "PE\0\0"
  const std::size_t coff = pe + 4;
  const std::uint32_t sectionCount = b.U16(coff + 2);
  const std::uint32_t optionalSize = b.U16(coff + 16);
  const std::size_t opt = coff + 20;
  if (!b.Has(opt, 2)) return std::nullopt;
  const std::uint32_t magic = b.U16(opt);
  std::size_t countOffset;
  if (magic == 0x10B)
    countOffset = 92;
  else if (magic == 0x20B)
    countOffset = 108;
  else
    return std::nullopt;
  if (!b.Has(opt, countOffset + 4) || optionalSize < countOffset + 4) return std::nullopt;
  const std::uint32_t directoryCount = b.U32(opt + countOffset);
  if (directoryCount <= 2 || optionalSize < countOffset + 4 + 3 * 8) return std::nullopt;
  const std::size_t resourceEntry = opt + countOffset + 4 + 2 * 8;
  if (!b.Has(resourceEntry, 8)) return std::nullopt;
  const std::uint32_t resourceRva = b.U32(resourceEntry);
  if (resourceRva == 0) return std::nullopt;

  std::vector<Section> sections;
  const std::size_t table = opt + optionalSize;
  for (std::uint32_t i = 0; i < sectionCount; ++i) {
    const std::size_t s = table + i * 40u;
    if (!b.Has(s, 40)) return std::nullopt;
    sections.push_back({b.U32(s + 12), b.U32(s + 8), b.U32(s + 16), b.U32(s + 20)});
  }
  auto fileOffset = [&](std::uint32_t rva) -> std::optional<std::size_t> {
    for (const Section& s : sections) {
      const std::uint32_t span = s.virtualSize > s.rawSize ? s.virtualSize : s.rawSize;
      if (rva >= s.virtualAddress && rva - s.virtualAddress < span) {
        const std::uint32_t into = rva - s.virtualAddress;
        if (into >= s.rawSize) return std::nullopt;
        return std::size_t{s.rawOffset} + into;
      }
    }
    return std::nullopt;
  };
  const auto root = fileOffset(resourceRva);
  if (!root) return std::nullopt;

  // One level of the resource tree: the entry with `id`, or, with `anyId`,
  // the first entry (the id entry `id` preferred).
  auto child = [&](std::size_t directory, std::uint32_t id, bool anyId) -> std::optional<std::uint32_t> {
    if (!b.Has(directory, 16)) return std::nullopt;
    const std::uint32_t named = b.U16(directory + 12);
    const std::uint32_t ids = b.U16(directory + 14);
    std::optional<std::uint32_t> first;
    for (std::uint32_t i = 0; i < named + ids; ++i) {
      const std::size_t e = directory + 16 + i * 8u;
      if (!b.Has(e, 8)) return std::nullopt;
      const std::uint32_t name = b.U32(e);
      const std::uint32_t target = b.U32(e + 4);
      if (!first) first = target;
      if (i >= named && name == id) return target;
    }
    return anyId ? first : std::nullopt;
  };
  const auto types = child(*root, kRtVersion, false);
  if (!types || (*types & kSubdirectory) == 0) return std::nullopt;
  const auto names = child(*root + (*types & ~kSubdirectory), kVsVersionInfo, true);
  if (!names || (*names & kSubdirectory) == 0) return std::nullopt;
  const auto languages = child(*root + (*names & ~kSubdirectory), 0, true);
  if (!languages || (*languages & kSubdirectory) != 0) return std::nullopt;
  const std::size_t dataEntry = *root + *languages;
  if (!b.Has(dataEntry, 8)) return std::nullopt;
  const auto info = fileOffset(b.U32(dataEntry));
  const std::uint32_t infoSize = b.U32(dataEntry + 4);
  if (!info || !b.Has(*info, infoSize) || infoSize < 40 + 52) return std::nullopt;

  // VS_VERSIONINFO: wLength, wValueLength, wType, L"VS_VERSION_INFO" and its
  // zero, padding to 32 bits, then VS_FIXEDFILEINFO.
  const std::uint32_t valueLength = b.U16(*info + 2);
  const std::size_t fixed = *info + 40;
  if (valueLength < 52 || b.U32(fixed) != kFixedSignature) return std::nullopt;
  const std::uint32_t ms = b.U32(fixed + 16);
  const std::uint32_t ls = b.U32(fixed + 20);
  plat::ProductVersion version;
  version.major = static_cast<std::uint16_t>(ms >> 16);
  version.minor = static_cast<std::uint16_t>(ms & 0xFFFF);
  version.build = static_cast<std::uint16_t>(ls >> 16);
  version.revision = static_cast<std::uint16_t>(ls & 0xFFFF);
  return version;
}

bool IsIconFile(const std::string& bytes) {
  const Bytes b(bytes);
  if (!b.Has(0, 6 + 16)) return false;
  if (b.U16(0) != 0 || b.U16(2) != 1 || b.U16(4) == 0) return false;
  const std::uint32_t size = b.U32(6 + 8);
  const std::uint32_t offset = b.U32(6 + 12);
  return size != 0 && b.Has(offset, size);
}

}  // namespace checker
