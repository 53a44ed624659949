#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace plat {

int Win32Platform::MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                              unsigned type) {
  return ::MessageBoxA(reinterpret_cast<HWND>(owner), text.c_str(), caption.c_str(), type);
}

}  // namespace plat
