// The tray menu on real menus: LoadMenuA from the program's resources, its
// first submenu shown with TrackPopupMenu at the cursor.
#pragma once

#include "app/TrayMenu.h"

namespace app::win32 {

class Win32MenuSource final : public MenuSource {
 public:
  std::unique_ptr<PopupMenu> LoadFirstSubmenu(unsigned menuId) override;
  ScreenPoint CursorPosition() override;
};

}  // namespace app::win32
