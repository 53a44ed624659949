#include "app/win32/Win32TrayMenu.h"

#include "platform/win32/Win32Api.h"

namespace tray::win32 {

namespace {

// Owns the loaded menu resource; the submenu belongs to it.
class LoadedPopup final : public PopupMenu {
 public:
  LoadedPopup(HMENU menu, HMENU popup) : menu_(menu), popup_(popup) {}
  ~LoadedPopup() override { ::DestroyMenu(menu_); }
  LoadedPopup(const LoadedPopup&) = delete;
  LoadedPopup& operator=(const LoadedPopup&) = delete;

  void SetDefaultItem(int position) override {
    ::SetMenuDefaultItem(popup_, static_cast<UINT>(position), TRUE);
  }
  unsigned ItemCommand(int position) override {
    UINT id = ::GetMenuItemID(popup_, position);
    return id == static_cast<UINT>(-1) ? 0 : id;
  }
  void Track(ScreenPoint at, plat::WindowHandle owner) override {
    ::TrackPopupMenu(popup_, TPM_LEFTALIGN | TPM_LEFTBUTTON, at.x, at.y, 0, reinterpret_cast<HWND>(owner),
                     nullptr);
  }

 private:
  HMENU menu_;
  HMENU popup_;
};

}  // namespace

std::unique_ptr<PopupMenu> Win32MenuSource::LoadFirstSubmenu(unsigned menuId) {
  HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(static_cast<WORD>(menuId)));
  if (menu == nullptr) return nullptr;
  HMENU popup = ::GetSubMenu(menu, 0);
  if (popup == nullptr) {
    ::DestroyMenu(menu);
    return nullptr;
  }
  return std::make_unique<LoadedPopup>(menu, popup);
}

ScreenPoint Win32MenuSource::CursorPosition() {
  POINT point{};
  ::GetCursorPos(&point);
  return ScreenPoint{point.x, point.y};
}

}  // namespace tray::win32
