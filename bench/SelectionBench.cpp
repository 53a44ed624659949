// Cost of one selection change in the main dialog as the disk grows
// (10 to 10,000 capsules, real files), and the resident memory after
// 10,000 selection changes on the 1,000-capsule disk against after the first.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchReport.h"
#include "bench/DiskOnFiles.h"
#include "browser/BonusDlg.h"
#include "browser/RecordingView.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Opened {
  bench::DiskOnFiles platform;
  browser::CRecordingView view;
  browser::CBonusDlg dlg;
  explicit Opened(const std::string& root) : platform(root), dlg(platform, view) { view.recording = false; }
  void Select(int i) {
    view.selected = i;
    dlg.OnSelChangedCapsule();
    platform.extractIconCalls.clear();
  }
};

}  // namespace

int main() {
  namespace fs = std::filesystem;
  const std::string base = (bench::ScratchFolder() / ("velmora-sel-" + std::to_string(::getpid()))).string();
  bool ok = true;
  std::printf("selection change (CBonusDlg::OnSelChangedCapsule, real files)\n");
  for (int n : {10, 100, 1000, 10000}) {
    const std::string root = base + "-" + std::to_string(n);
    bench::WriteDisk(root, n);
    Opened o(root);
    if (!o.dlg.OnInitDialog() || static_cast<int>(o.view.items.size()) != n) {
      std::printf("  set-up failed for %d capsules\n", n);
      return 1;
    }
    const int changes = n >= 10000 ? 300 : 1000;
    for (int i = 0; i < 10; ++i) o.Select(i % n);  // warm
    auto t0 = Clock::now();
    for (int i = 0; i < changes; ++i) o.Select(static_cast<int>((static_cast<long>(i) * 7919) % n));
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count() / changes;
    char label[64];
    std::snprintf(label, sizeof label, "%5d capsules: ms per selection", n);
    if (n == 1000) {
      ok &= bench::Check(label, ms, 1.0, " ms");
    } else {
      std::printf("  %-42s %9.3f ms\n", label, ms);
    }
    if (n == 1000) {
      Opened m(root);
      m.dlg.OnInitDialog();
      m.Select(0);
      const std::size_t first = bench::ResidentBytes();
      for (int i = 1; i <= 10000; ++i) m.Select(static_cast<int>((static_cast<long>(i) * 7919) % n));
      const std::size_t after = bench::ResidentBytes();
      const double growth = (static_cast<double>(after) - static_cast<double>(first)) / (1024.0 * 1024.0);
      std::printf("  RSS after first selection %.2f MiB, after 10,000: %.2f MiB\n",
                  static_cast<double>(first) / 1048576.0, static_cast<double>(after) / 1048576.0);
      ok &= bench::Check("RSS growth over 10,000 selections", growth, 1.0, " MiB");
    }
    fs::remove_all(root);
  }
  return ok ? 0 : 1;
}
