// The checker's host on Windows: the real platform, with full path names
// from the system.
#include <vector>

#include "checker/CapsuleCheck.h"
#include "platform/win32/SizedText.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace checker {

namespace {

class Win32Host final : public CheckerHost {
 public:
  plat::Platform& Platform() override { return m_platform; }
  std::string SystemPath(const std::string& argument) override {
    const DWORD needed = ::GetFullPathNameA(argument.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return argument;
    std::vector<char> buffer(needed + 1);
    const DWORD length =
        ::GetFullPathNameA(argument.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0 || length >= buffer.size()) return argument;
    return std::string(buffer.data(), length);
  }
  char Separator() const override { return '\\'; }
  std::vector<std::string> Tree(const std::string& folder) override {
    return TreeBelow(std::filesystem::path(plat::win32::Widen(folder)));
  }

 private:
  plat::Win32Platform m_platform;
};

}  // namespace

std::unique_ptr<CheckerHost> MakeHost() { return std::make_unique<Win32Host>(); }

}  // namespace checker
