#include "checker/PosixPlatform.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "checker/PeVersion.h"
#include "platform/Text.h"

namespace checker {

namespace {

// Components of a path split at "\" and "/", "." dropped and ".." applied.
std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    const char c = i < path.size() ? path[i] : '\\';
    if (c != '\\' && c != '/') {
      part.push_back(c);
      continue;
    }
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    part.clear();
  }
  return parts;
}

bool Exists(const std::string& hostPath) {
  struct stat st {};
  return ::stat(hostPath.c_str(), &st) == 0;
}

// The entry of `folder` named `name` in any case (the exact name first).
std::optional<std::string> FindEntry(const std::string& folder, const std::string& name) {
  const std::string joined = folder == "/" ? "/" + name : folder + "/" + name;
  if (Exists(joined)) return joined;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return std::nullopt;
  std::optional<std::string> found;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string candidate = entry->d_name;
    if (plat::EqualsNoCase(candidate, name)) {
      found = folder == "/" ? "/" + candidate : folder + "/" + candidate;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

}  // namespace

std::optional<std::string> PosixPlatform::HostPath(const std::string& windowsPath, bool allowMissingLeaf) {
  if (windowsPath.size() < 2 || windowsPath[1] != ':' || plat::AsciiLower(windowsPath[0]) != 'z')
    return std::nullopt;
  if (windowsPath.size() > 2 && windowsPath[2] != '\\' && windowsPath[2] != '/') return std::nullopt;
  const std::vector<std::string> parts = Components(windowsPath.substr(2));
  std::string host = "/";
  for (std::size_t i = 0; i < parts.size(); ++i) {
    auto entry = FindEntry(host, parts[i]);
    if (!entry) {
      if (allowMissingLeaf && i + 1 == parts.size())
        return host == "/" ? "/" + parts[i] : host + "/" + parts[i];
      return std::nullopt;
    }
    host = *entry;
  }
  return host;
}

std::string PosixPlatform::WindowsPath(const std::string& hostPath) {
  std::string absolute = hostPath;
  if (absolute.empty() || absolute.front() != '/') {
    std::vector<char> buffer(4096);
    const char* cwd = ::getcwd(buffer.data(), buffer.size());
    absolute = std::string(cwd != nullptr ? cwd : "/") + "/" + hostPath;
  }
  std::string out = "Z:";
  for (const std::string& part : Components(absolute)) out += "\\" + part;
  if (out == "Z:") out += "\\";
  return out;
}

std::optional<plat::FileAttributes> PosixPlatform::GetFileAttributes(const std::string& path) {
  const auto host = HostPath(path);
  if (!host) return std::nullopt;
  struct stat st {};
  if (::stat(host->c_str(), &st) != 0) return std::nullopt;
  plat::FileAttributes attributes;
  attributes.directory = S_ISDIR(st.st_mode);
  return attributes;
}

bool PosixPlatform::ReadFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  const auto host = HostPath(path);
  if (!host) return false;
  struct stat st {};
  if (::stat(host->c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  std::ifstream in(*host, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  bytes = content.str();
  return true;
}

std::string PosixPlatform::ShortPathName(const std::string& path) {
  return GetFileAttributes(path) ? path : std::string();
}

bool PosixPlatform::SetCurrentDirectory(const std::string& path) {
  const auto attributes = GetFileAttributes(path);
  if (!attributes || !attributes->directory) return false;
  m_currentDir = path;
  return true;
}

std::optional<std::string> PosixPlatform::ExpandEnvironmentStrings(const std::string& text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t open = text.find('%', i);
    if (open == std::string::npos) break;
    const std::size_t close = text.find('%', open + 1);
    if (close == std::string::npos) break;
    out.append(text, i, open - i);
    const std::string name = text.substr(open + 1, close - open - 1);
    const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
    if (value != nullptr) {
      out += value;
      i = close + 1;
    } else {
      out.append(text, open, close - open);
      i = close;
    }
  }
  out.append(text, i, std::string::npos);
  return out;
}

std::uint32_t PosixPlatform::DriveType(const std::string& root) {
  return !root.empty() && plat::AsciiLower(root[0]) == 'z' ? plat::kDriveFixed : plat::kDriveNoRootDir;
}

bool PosixPlatform::DiskFreeSpaceEx(const std::string& root, plat::DiskFreeEx& out) {
  if (DriveType(root) != plat::kDriveFixed) return false;
  struct statvfs st {};
  if (::statvfs("/", &st) != 0) return false;
  out.totalBytes = std::uint64_t{st.f_blocks} * st.f_frsize;
  out.totalFreeBytes = std::uint64_t{st.f_bfree} * st.f_frsize;
  out.availableToCaller = std::uint64_t{st.f_bavail} * st.f_frsize;
  return true;
}

std::uint32_t PosixPlatform::SetErrorMode(std::uint32_t mode) {
  const std::uint32_t previous = m_errorMode;
  m_errorMode = mode;
  return previous;
}

std::u16string PosixPlatform::FormatByteSizeW(std::int64_t bytes) {
  static const char* const kUnits[] = {"bytes", "KB", "MB", "GB", "TB", "PB"};
  double value = static_cast<double>(bytes);
  std::size_t unit = 0;
  while (value >= 1024.0 && unit + 1 < std::size(kUnits)) {
    value /= 1024.0;
    ++unit;
  }
  char text[64];
  if (unit == 0)
    std::snprintf(text, sizeof text, "%lld %s", static_cast<long long>(bytes), kUnits[0]);
  else
    std::snprintf(text, sizeof text, "%.2f %s", value, kUnits[unit]);
  std::u16string wide;
  for (const char* p = text; *p != '\0'; ++p)
    wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(*p)));
  return wide;
}

plat::IconHandle PosixPlatform::ExtractIcon(const std::string& file, int index) {
  std::string bytes;
  if (index != 0 || !ReadFileBytes(file, bytes) || !IsIconFile(bytes)) return 0;
  return ++m_nextIcon;
}

std::optional<plat::ProductVersion> PosixPlatform::FileProductVersion(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return std::nullopt;
  return PeProductVersion(bytes);
}

}  // namespace checker
