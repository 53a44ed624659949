// Helpers of the Wine tests: an emptied message queue.
#pragma once

#include "platform/win32/Win32Api.h"

namespace traywin32 {

// Drops messages the tests' windows left in the queue (a WM_QUIT included).
inline void DrainQueue() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != WM_QUIT) ::DispatchMessageA(&message);
  }
}

}  // namespace traywin32
