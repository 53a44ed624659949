// Shared by the checker's tests: the source tree and its files.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace checktest {

// The source tree as this system names it (a POSIX path is Z:\ under Wine).
inline std::filesystem::path SourceDir() {
  std::string dir = VELMORA_SOURCE_DIR;
#ifdef _WIN32
  if (!dir.empty() && dir.front() == '/') dir = "Z:" + dir;
#endif
  return std::filesystem::path(dir);
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

}  // namespace checktest
