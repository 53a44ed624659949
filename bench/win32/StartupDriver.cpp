// Measures the program from outside, as a user would see it: starts
// VERavevi.exe, waits for its main dialog (found by caption) to list every
// capsule in tree 1004, then selects capsules one after another and waits
// for each selection's note (1003) to appear. Prints the figures and closes
// the dialog.
//
// Usage: bench_startup_driver.exe <program> <dialog caption> <capsules> [selections]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

std::string Text(HWND control) {
  char buffer[1024] = {};
  ::SendMessageA(control, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s <program> <caption> <capsules> [selections]\n", argv[0]);
    return 2;
  }
  const std::string program = argv[1];
  const char* caption = argv[2];
  const LRESULT capsules = std::atol(argv[3]);
  const int selections = argc > 4 ? std::atoi(argv[4]) : 50;

  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string commandLine = "\"" + program + "\"";
  const double t0 = Now();
  if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi)) {
    std::fprintf(stderr, "cannot start %s (%lu)\n", program.c_str(), ::GetLastError());
    return 1;
  }
  HWND dialog = nullptr, tree = nullptr, note = nullptr;
  double shown = 0;
  const double deadline = t0 + 60;
  while (Now() < deadline) {
    if (dialog == nullptr) dialog = ::FindWindowA(nullptr, caption);
    if (dialog != nullptr && tree == nullptr) tree = ::GetDlgItem(dialog, 1004);
    if (tree != nullptr && ::IsWindowVisible(dialog) &&
        ::SendMessageA(tree, TVM_GETCOUNT, 0, 0) >= capsules) {
      shown = Now();
      break;
    }
    ::Sleep(1);
  }
  if (shown == 0) {
    std::fprintf(stderr, "the main dialog did not list %ld items in time\n", static_cast<long>(capsules));
    ::TerminateProcess(pi.hProcess, 1);
    return 1;
  }
  note = ::GetDlgItem(dialog, 1003);
  std::printf("start to main dialog with %ld items: %.1f ms\n", static_cast<long>(capsules), (shown - t0) * 1e3);

  std::vector<LRESULT> items;
  for (LRESULT item = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0); item != 0;
       item = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, item))
    items.push_back(item);

  // Two kinds of change: to the next item (a click on a visible item or the
  // arrow key), and a jump across the list (the tree scrolls as well).
  std::string last = Text(note);
  for (const bool jump : {false, true}) {
    std::vector<double> times;
    for (int i = 0; i < selections && !items.empty(); ++i) {
      const int n = static_cast<int>(items.size());
      const int index = jump ? (i * 7919 + 1) % n : (i + 1) % n;
      const LRESULT item = items[static_cast<std::size_t>(index)];
      const double s0 = Now();
      ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, item);
      std::string now;
      while ((now = Text(note)) == last && Now() - s0 < 5) ::Sleep(0);
      times.push_back((Now() - s0) * 1e3);
      last = now;
    }
    std::sort(times.begin(), times.end());
    if (!times.empty())
      std::printf("selection change (%s): median %.2f ms, max %.2f ms over %zu changes\n",
                  jump ? "jump" : "next", times[times.size() / 2], times.back(), times.size());
  }

  ::PostMessageA(dialog, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(pi.hProcess, 1);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return 0;
}
