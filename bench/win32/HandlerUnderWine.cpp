// The selection handler alone under the real platform (files, registry,
// drives and sounds through Wine), with the controls left out: what one
// selection change costs the program's own code there, to set beside the
// driver's figure for the whole dialog.
//
// Usage: bench_handler.exe [selections]; the data folder is the product's
// SourceDir, and its main file must be named bench_handler.cfg.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "browser/BonusDlg.h"
#include "browser/RecordingView.h"
#include "platform/win32/Win32Platform.h"

int main(int argc, char** argv) {
  const int selections = argc > 1 ? std::atoi(argv[1]) : 200;
  plat::Win32Platform platform;
  browser::CRecordingView view;
  view.recording = false;
  browser::CBonusDlg dlg(platform, view);
  LARGE_INTEGER freq, t0, t1;
  ::QueryPerformanceFrequency(&freq);
  ::QueryPerformanceCounter(&t0);
  if (!dlg.OnInitDialog() || view.items.empty()) {
    std::fprintf(stderr, "set-up failed\n");
    return 1;
  }
  ::QueryPerformanceCounter(&t1);
  const auto ms = [&](LARGE_INTEGER a, LARGE_INTEGER b) {
    return static_cast<double>(b.QuadPart - a.QuadPart) * 1e3 / static_cast<double>(freq.QuadPart);
  };
  std::printf("handler set-up with %zu capsules: %.1f ms\n", view.items.size(), ms(t0, t1));
  std::vector<double> times;
  const int n = static_cast<int>(view.items.size());
  for (int i = 0; i < selections; ++i) {
    view.selected = (i + 1) % n;
    ::QueryPerformanceCounter(&t0);
    dlg.OnSelChangedCapsule();
    ::QueryPerformanceCounter(&t1);
    times.push_back(ms(t0, t1));
  }
  std::sort(times.begin(), times.end());
  std::printf("handler selection change: median %.2f ms over %zu\n", times[times.size() / 2], times.size());
  dlg.OnCancel();
  return 0;
}
