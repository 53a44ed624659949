#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace plat {

int Win32Platform::MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                              unsigned type) {
  return ::MessageBoxA(reinterpret_cast<HWND>(owner), text.c_str(), caption.c_str(), type);
}

bool Win32Platform::QuitPending() {
  MSG message;
  return ::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

}  // namespace plat
