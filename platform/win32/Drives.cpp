#include "platform/win32/SizedText.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace plat {

using win32::NoThrow;

namespace {

using GetDiskFreeSpaceExFn = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

// The extended call is looked up at run time: the first systems of the
// program's kind do not have it.
GetDiskFreeSpaceExFn FindDiskFreeSpaceEx() {
  return win32::LookUp<GetDiskFreeSpaceExFn>("KERNEL32.DLL", "GetDiskFreeSpaceExA");
}

}  // namespace

std::vector<std::string> Win32Platform::LogicalDriveRoots() {
  return NoThrow<std::vector<std::string>>({}, [] {
    const std::string list = win32::ReadSizedText(
        [](char* buffer, DWORD size) { return ::GetLogicalDriveStringsA(size, buffer); });
    std::vector<std::string> roots;
    std::size_t start = 0;
    while (start < list.size()) {
      std::size_t end = list.find('\0', start);
      if (end == std::string::npos) end = list.size();
      if (end > start) roots.push_back(list.substr(start, end - start));
      start = end + 1;
    }
    return roots;
  });
}

std::uint32_t Win32Platform::DriveType(const std::string& root) { return ::GetDriveTypeA(root.c_str()); }

bool Win32Platform::HasDiskFreeSpaceEx() { return FindDiskFreeSpaceEx() != nullptr; }

bool Win32Platform::DiskFreeSpaceEx(const std::string& root, DiskFreeEx& out) {
  const GetDiskFreeSpaceExFn query = FindDiskFreeSpaceEx();
  if (query == nullptr) return false;
  ULARGE_INTEGER available{}, total{}, totalFree{};
  if (!query(root.c_str(), &available, &total, &totalFree)) return false;
  out.availableToCaller = available.QuadPart;
  out.totalBytes = total.QuadPart;
  out.totalFreeBytes = totalFree.QuadPart;
  return true;
}

bool Win32Platform::DiskFreeSpace(const std::string& root, DiskFreeClusters& out) {
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  if (!::GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
    return false;
  out.sectorsPerCluster = sectorsPerCluster;
  out.bytesPerSector = bytesPerSector;
  out.freeClusters = freeClusters;
  out.totalClusters = totalClusters;
  return true;
}

std::uint32_t Win32Platform::SetErrorMode(std::uint32_t mode) { return ::SetErrorMode(mode); }

std::u16string Win32Platform::FormatByteSizeW(std::int64_t bytes) {
  return NoThrow<std::u16string>({}, [&] {
    wchar_t buffer[64] = {};
    if (::StrFormatByteSizeW(bytes, buffer, static_cast<UINT>(sizeof buffer / sizeof buffer[0])) == nullptr)
      return std::u16string();
    std::u16string text;
    for (const wchar_t* p = buffer; *p != L'\0'; ++p) text.push_back(static_cast<char16_t>(*p));
    return text;
  });
}

}  // namespace plat
