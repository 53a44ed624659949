#include "app/AppWindows.h"

#include "config/DiskPrompt.h"
#include "config/MutexNames.h"

bool RunMainDialog(plat::Platform& platform, IAppWindows& windows) {
  const auto mutex = platform.CreateMutex(kStopAutoRunMutex, true);
  windows.ShowMainDialog();
  if (mutex.handle != 0) platform.CloseHandle(mutex.handle);
  return true;
}

bool RunOrderDialog(plat::Platform& platform, IAppWindows& windows) {
  // Kept open: the name must outlive the order dialog.
  platform.CreateMutex(kStopAutoRunMutex, true);
  return !LooksAgain(platform, windows.ShowOrderDialog());
}
