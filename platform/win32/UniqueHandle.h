// Move-only owners of Windows handles.
//
// UniqueHandle<Traits> owns one handle and closes it when it goes. Traits
// describes the kind:
//   using Type = ...;                   the handle type
//   static Type Invalid() noexcept;     the value that owns nothing
//   static void Close(Type) noexcept;   gives a valid handle back
#pragma once

// The Windows headers come before the common controls.
// clang-format off
#include "platform/win32/Win32Api.h"
#include <commctrl.h>
// clang-format on

namespace plat::win32 {

template <typename Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Type handle) noexcept : m_handle(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  Type Get() const noexcept { return m_handle; }
  explicit operator bool() const noexcept { return m_handle != Traits::Invalid(); }

  // Gives up ownership without closing.
  Type Release() noexcept {
    Type handle = m_handle;
    m_handle = Traits::Invalid();
    return handle;
  }
  void Reset(Type handle = Traits::Invalid()) noexcept {
    if (m_handle != Traits::Invalid()) Traits::Close(m_handle);
    m_handle = handle;
  }
  // Closes what is owned and hands out the slot for a call that returns a
  // new handle through a pointer.
  Type* Receive() noexcept {
    Reset();
    return &m_handle;
  }

 private:
  Type m_handle = Traits::Invalid();
};

// Kernel objects whose "none" is null: processes, threads, mutexes.
struct KernelHandleTraits {
  using Type = HANDLE;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type handle) noexcept { ::CloseHandle(handle); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

// Files opened with CreateFileA, whose "none" is INVALID_HANDLE_VALUE.
struct FileHandleTraits {
  using Type = HANDLE;
  static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Type handle) noexcept { ::CloseHandle(handle); }
};
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;

struct RegKeyTraits {
  using Type = HKEY;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type key) noexcept { ::RegCloseKey(key); }
};
using UniqueRegKey = UniqueHandle<RegKeyTraits>;

// Modules loaded with LoadLibraryA.
struct ModuleTraits {
  using Type = HMODULE;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type module) noexcept { ::FreeLibrary(module); }
};
using UniqueModule = UniqueHandle<ModuleTraits>;

// Icons extracted from files (ExtractIconA), destroyed when they go.
struct IconTraits {
  using Type = HICON;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type icon) noexcept { ::DestroyIcon(icon); }
};
using UniqueIcon = UniqueHandle<IconTraits>;

// The owner of an icon the program took from a file; none for no icon and
// for the program's own icon resource `resourceId`, which LoadIconA shares
// and which is never destroyed.
inline UniqueIcon OwnExtractedIcon(HICON icon, int resourceId) {
  const HICON shared =
      ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(static_cast<WORD>(resourceId)));
  return UniqueIcon(icon == shared ? nullptr : icon);
}

// Menus loaded from resources (LoadMenuA) and not attached to a window.
struct MenuTraits {
  using Type = HMENU;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type menu) noexcept { ::DestroyMenu(menu); }
};
using UniqueMenu = UniqueHandle<MenuTraits>;

// A COM interface pointer, released when it goes.
template <typename Interface>
struct ComTraits {
  using Type = Interface*;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type object) noexcept { object->Release(); }
};
template <typename Interface>
using ComPtr = UniqueHandle<ComTraits<Interface>>;

// GDI objects (fonts, brushes, bitmaps) of CreateXxx calls.
template <typename Object>
struct GdiObjectTraits {
  using Type = Object;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type object) noexcept { ::DeleteObject(object); }
};
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;

// Image lists of ImageList_Create.
struct ImageListTraits {
  using Type = HIMAGELIST;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type list) noexcept { ::ImageList_Destroy(list); }
};
using UniqueImageList = UniqueHandle<ImageListTraits>;

// Windows created by CreateWindowExA. A window that an owner or parent has
// already taken down with it is left alone.
struct WindowTraits {
  using Type = HWND;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type window) noexcept {
    if (::IsWindow(window)) ::DestroyWindow(window);
  }
};
using UniqueWindow = UniqueHandle<WindowTraits>;

}  // namespace plat::win32
