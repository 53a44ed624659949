#include <cstddef>
#include <cstring>

#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace plat {

bool Win32Platform::ShellNotifyIcon(std::uint32_t command, const NotifyIconData& data) {
  // The first form of the record, which every shell accepts: the fields up
  // to a tooltip of 64 characters.
  constexpr DWORD kFirstFormSize = offsetof(NOTIFYICONDATAA, szTip) + sizeof data.szTip;
#if !defined(_WIN64)
  static_assert(kFirstFormSize == 88, "the 88-byte NOTIFYICONDATAA");
#endif
  NOTIFYICONDATAA record{};
  record.cbSize = kFirstFormSize;
  record.hWnd = reinterpret_cast<HWND>(data.hWnd);
  record.uID = data.uID;
  record.uFlags = data.uFlags;
  record.uCallbackMessage = data.uCallbackMessage;
  record.hIcon = reinterpret_cast<HICON>(data.hIcon);
  static_assert(sizeof data.szTip == 64, "a tooltip of 64 characters");
  std::memcpy(record.szTip, data.szTip, sizeof data.szTip);
  record.szTip[sizeof data.szTip - 1] = '\0';
  return ::Shell_NotifyIconA(command, &record) != FALSE;
}

}  // namespace plat
