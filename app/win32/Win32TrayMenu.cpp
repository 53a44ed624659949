#include "app/win32/Win32TrayMenu.h"

#include <utility>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Win32Api.h"

namespace app::win32 {

namespace {

// Owns the loaded menu resource; the submenu belongs to it.
class LoadedPopup final : public PopupMenu {
 public:
  LoadedPopup(plat::win32::UniqueMenu menu, HMENU popup) : m_menu(std::move(menu)), m_popup(popup) {}

  void SetDefaultItem(int position) override {
    ::SetMenuDefaultItem(m_popup, static_cast<UINT>(position), TRUE);
  }
  unsigned ItemCommand(int position) override {
    UINT id = ::GetMenuItemID(m_popup, position);
    return id == static_cast<UINT>(-1) ? 0 : id;
  }
  void Track(ScreenPoint at, plat::WindowHandle owner) override {
    ::TrackPopupMenu(m_popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, at.x, at.y, 0, reinterpret_cast<HWND>(owner),
                     nullptr);
  }

 private:
  plat::win32::UniqueMenu m_menu;
  HMENU m_popup;
};

}  // namespace

std::unique_ptr<PopupMenu> Win32MenuSource::LoadFirstSubmenu(unsigned menuId) {
  plat::win32::UniqueMenu menu(
      ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(static_cast<WORD>(menuId))));
  if (!menu) return nullptr;
  HMENU popup = ::GetSubMenu(menu.Get(), 0);
  if (popup == nullptr) return nullptr;
  return std::make_unique<LoadedPopup>(std::move(menu), popup);
}

ScreenPoint Win32MenuSource::CursorPosition() {
  POINT point{};
  ::GetCursorPos(&point);
  return ScreenPoint{point.x, point.y};
}

}  // namespace app::win32
