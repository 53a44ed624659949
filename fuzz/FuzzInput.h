// Splitting of a fuzz input into fields, shared by the fuzz targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzzin {

inline void Check(bool condition) {
  if (!condition) std::abort();
}

// The input cut at every byte 0x01 into at most `fields` fields (the last
// takes the rest, separators included).
inline std::vector<std::string> Fields(const std::uint8_t* data, std::size_t size, std::size_t fields) {
  std::vector<std::string> out(1);
  for (std::size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\x01' && out.size() < fields)
      out.emplace_back();
    else
      out.back() += c;
  }
  out.resize(fields);
  return out;
}

}  // namespace fuzzin
