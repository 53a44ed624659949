#include <map>

#include "platform/win32/SystemLibrary.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace plat {

using win32::NoThrow;
using win32::UniqueKernelHandle;

namespace {

HWND AsWindow(WindowHandle window) { return reinterpret_cast<HWND>(window); }

BOOL CALLBACK CollectWindow(HWND window, LPARAM collected) {
  // No exception may unwind through the system's enumeration.
  return NoThrow(FALSE, [&] {
    reinterpret_cast<std::vector<HWND>*>(collected)->push_back(window);
    return TRUE;
  });
}

std::string WindowCaption(HWND window) {
  const int length = ::GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string caption(static_cast<std::size_t>(length) + 1, '\0');
  const int got = ::GetWindowTextA(window, caption.data(), length + 1);
  caption.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return caption;
}

std::string WindowClassName(HWND window) {
  char name[257] = {};  // class names hold at most 256 characters
  const int got = ::GetClassNameA(window, name, static_cast<int>(sizeof name));
  return got > 0 ? std::string(name, static_cast<std::size_t>(got)) : std::string();
}

using QueryFullProcessImageNameFn = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);
using GetModuleFileNameExFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);

// The program file of a process: QueryFullProcessImageNameA where the
// system has it, otherwise the process's main module through
// GetModuleFileNameExA (in KERNEL32.DLL on later systems, PSAPI.DLL on
// earlier ones); "" when neither answers.
std::string ProcessImagePath(DWORD processId) {
  const auto queryFull = win32::LookUp<QueryFullProcessImageNameFn>("KERNEL32.DLL", "QueryFullProcessImageNameA");
  if (queryFull != nullptr) {
    UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (process) {
      for (DWORD capacity = MAX_PATH; capacity <= 0x10000; capacity *= 2) {
        std::string path(capacity, '\0');
        DWORD size = capacity;
        if (queryFull(process.Get(), 0, path.data(), &size)) {
          path.resize(size);
          return path;
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
      }
    }
  }
  auto moduleFileName = win32::LookUp<GetModuleFileNameExFn>("KERNEL32.DLL", "K32GetModuleFileNameExA");
  win32::UniqueModule psapi;
  if (moduleFileName == nullptr) {
    psapi.Reset(win32::LoadSystemLibrary("psapi.dll"));
    if (!psapi) return {};
    moduleFileName = reinterpret_cast<GetModuleFileNameExFn>(
        reinterpret_cast<void*>(::GetProcAddress(psapi.Get(), "GetModuleFileNameExA")));
    if (moduleFileName == nullptr) return {};
  }
  UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process) return {};
  for (DWORD capacity = MAX_PATH; capacity <= 0x10000; capacity *= 2) {
    std::string path(capacity, '\0');
    const DWORD length = moduleFileName(process.Get(), nullptr, path.data(), capacity);
    if (length == 0) return {};
    if (length < capacity) {
      path.resize(length);
      return path;
    }
  }
  return {};
}

}  // namespace

WindowHandle Win32Platform::FindWindowByCaption(const std::string& caption) {
  return reinterpret_cast<WindowHandle>(::FindWindowA(nullptr, caption.c_str()));
}

std::vector<WindowInfo> Win32Platform::TopLevelWindows() {
  return NoThrow<std::vector<WindowInfo>>({}, [] {
    std::vector<HWND> handles;
    ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&handles));
    std::map<DWORD, std::string> imageByProcess;
    std::vector<WindowInfo> windows;
    windows.reserve(handles.size());
    for (HWND handle : handles) {
      WindowInfo info;
      info.handle = reinterpret_cast<WindowHandle>(handle);
      info.caption = WindowCaption(handle);
      info.className = WindowClassName(handle);
      DWORD processId = 0;
      if (::GetWindowThreadProcessId(handle, &processId) != 0) {
        auto known = imageByProcess.find(processId);
        if (known == imageByProcess.end())
          known = imageByProcess.emplace(processId, ProcessImagePath(processId)).first;
        info.processImagePath = known->second;
      }
      windows.push_back(std::move(info));
    }
    return windows;
  });
}

void Win32Platform::SetForegroundWindow(WindowHandle window) { ::SetForegroundWindow(AsWindow(window)); }

std::intptr_t Win32Platform::SendMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                         std::intptr_t lParam) {
  return static_cast<std::intptr_t>(::SendMessageA(AsWindow(window), message, static_cast<WPARAM>(wParam),
                                                   static_cast<LPARAM>(lParam)));
}

bool Win32Platform::PostMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
  return ::PostMessageA(AsWindow(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)) !=
         FALSE;
}

}  // namespace plat
