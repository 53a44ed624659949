// The tray icon's pop-up menu as the portable code sees it: the first
// submenu of a menu resource, shown at the cursor. The Win32 layer loads and
// tracks real menus; tests use a recording fake.
#pragma once

#include <memory>

#include "platform/Platform.h"

namespace app {

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

class PopupMenu {
 public:
  virtual ~PopupMenu() = default;
  // Makes the item at `position` the default item (drawn bold).
  virtual void SetDefaultItem(int position) = 0;
  // The command id of the item at `position`; 0 for a separator, a submenu
  // or a position past the end.
  virtual unsigned ItemCommand(int position) = 0;
  // Shows the menu as a pop-up whose left edge is at `at`, tracking the left
  // button; the chosen command goes to `owner`. Returns when the menu closes.
  virtual void Track(ScreenPoint at, plat::WindowHandle owner) = 0;
};

class MenuSource {
 public:
  virtual ~MenuSource() = default;
  // The first submenu of menu resource `menuId`; nullptr when the resource
  // or that submenu is missing. The menu is released with the object.
  virtual std::unique_ptr<PopupMenu> LoadFirstSubmenu(unsigned menuId) = 0;
  // The cursor's position on the screen.
  virtual ScreenPoint CursorPosition() = 0;
};

}  // namespace app
