// Move-only owners of Windows handles.
//
// UniqueHandle<Traits> owns one handle and closes it when it goes. Traits
// describes the kind:
//   using Type = ...;                   the handle type
//   static Type Invalid() noexcept;     the value that owns nothing
//   static void Close(Type) noexcept;   gives a valid handle back
#pragma once

#include "platform/win32/Win32Api.h"

namespace plat::win32 {

template <typename Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Type handle) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  Type Get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

  // Gives up ownership without closing.
  Type Release() noexcept {
    Type handle = handle_;
    handle_ = Traits::Invalid();
    return handle;
  }
  void Reset(Type handle = Traits::Invalid()) noexcept {
    if (handle_ != Traits::Invalid()) Traits::Close(handle_);
    handle_ = handle;
  }
  // Closes what is owned and hands out the slot for a call that returns a
  // new handle through a pointer.
  Type* Receive() noexcept {
    Reset();
    return &handle_;
  }

 private:
  Type handle_ = Traits::Invalid();
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

}  // namespace plat::win32
