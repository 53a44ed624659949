// Demo helper: focuses a running main dialog's capsule tree and selects one
// of its items, as a click would, so that a screenshot can show a description.
// Usage: DemoSelect.exe <window caption> <item number, from 0> [<button id> | hover]
// With a button id the button is then clicked (BN_CLICKED); with "hover" the
// mouse pointer is put on the selected item, where the capsule's tip shows
// once the pointer moves a little and rests (tools/preview).
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
// clang-format on

#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 3) return 2;
  HWND dialog = ::FindWindowW(nullptr, argv[1]);
  const int wanted = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
  const bool hover = argc > 3 && std::wstring(argv[3]) == L"hover";
  const int button = argc > 3 && !hover ? static_cast<int>(std::wcstol(argv[3], nullptr, 10)) : 0;
  ::LocalFree(argv);
  if (dialog == nullptr) return 1;
  HWND tree = ::GetDlgItem(dialog, 1004);
  if (tree == nullptr) return 1;
  LRESULT item = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
  for (int i = 0; i < wanted && item != 0; ++i) item = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, item);
  if (item == 0) return 1;
  // Give the tree the keyboard focus as a click would (the MoreInfo link
  // takes its colour then), then select.
  const DWORD self = ::GetCurrentThreadId();
  const DWORD owner = ::GetWindowThreadProcessId(tree, nullptr);
  ::AttachThreadInput(self, owner, TRUE);
  ::SetForegroundWindow(dialog);
  ::SetFocus(tree);
  ::AttachThreadInput(self, owner, FALSE);
  ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, item);
  if (hover) {
    // The selection scrolled the item into view; its row counts from the
    // first visible one.
    int row = 0;
    for (LRESULT i = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0); i != 0 && i != item;
         i = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, i))
      ++row;
    const int height = static_cast<int>(::SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0));
    POINT point = {height + 24, row * height + height / 2};
    ::ClientToScreen(tree, &point);
    ::SetCursorPos(point.x, point.y);
  }
  if (button != 0) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, button)));
  }
  return 0;
}
