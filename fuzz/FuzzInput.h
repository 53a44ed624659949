// The input helpers shared by the fuzz targets, with the standard headers
// they all use.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzzin {

inline void Check(bool condition) {
  if (!condition) std::abort();
}

// The input cut at every byte `separator` into at most `fields` fields (the
// last takes the rest, separators included).
inline std::vector<std::string> Fields(const std::uint8_t* data, std::size_t size, std::size_t fields,
                                       std::uint8_t separator = 1) {
  std::vector<std::string> out(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == separator && out.size() < fields)
      out.emplace_back();
    else
      out.back() += static_cast<char>(data[i]);
  }
  out.resize(fields);
  return out;
}

// The bytes from `from` up to `to` (at most the end) as text.
inline std::string Text(const std::uint8_t* data, std::size_t size, std::size_t from,
                        std::size_t to = SIZE_MAX) {
  return from >= size ? std::string()
                      : std::string(reinterpret_cast<const char*>(data) + from, std::min(to, size) - from);
}

}  // namespace fuzzin
