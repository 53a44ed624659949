// The contract environment on the real system: a scratch folder under the
// temporary folder, a registry key under HKCU\Software\VelmoraContractTest,
// real windows; all removed again when the environment goes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"
#include "tests/contract/ContractEnv.h"

namespace contract {
namespace {

constexpr const char* kRegParent = "Software\\VelmoraContractTest";

// Opens the key under HKEY_CURRENT_USER, creating it and its parents.
plat::win32::UniqueRegKey CreateKey(const std::string& subKey) {
  plat::win32::UniqueRegKey key;
  EXPECT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              key.Receive(), nullptr),
            ERROR_SUCCESS)
      << subKey;
  return key;
}

class Win32ContractEnv final : public ContractEnv {
 public:
  Win32ContractEnv() {
    static unsigned long serial = 0;
    unique_ = std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++serial);
    savedCurrentDir_ = platform_.CurrentDirectory();

    char temp[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathA(sizeof temp, temp);
    std::string base = length > 0 && length < sizeof temp ? std::string(temp, length) : std::string("C:\\");
    if (const std::string shortBase = platform_.ShortPathName(base); !shortBase.empty()) base = shortBase;
    while (!base.empty() && base.back() == '\\') base.pop_back();
    for (unsigned long attempt = 0; attempt < 1000 && scratch_.empty(); ++attempt) {
      const std::string candidate =
          base + "\\VC" + std::to_string((::GetTickCount() + attempt * 7919) % 1000000);
      if (::CreateDirectoryA(candidate.c_str(), nullptr)) scratch_ = candidate;
    }
    EXPECT_FALSE(scratch_.empty()) << "no scratch folder under " << base;
    regKey_ = std::string(kRegParent) + "\\" + unique_;
    CreateKey(regKey_);
  }

  ~Win32ContractEnv() override {
    for (HWND window : windows_) ::DestroyWindow(window);
    for (const std::string& name : variables_) ::SetEnvironmentVariableA(name.c_str(), nullptr);
    ::SetCurrentDirectoryA(savedCurrentDir_.c_str());
    if (!scratch_.empty()) {
      const std::string from = scratch_ + std::string(2, '\0');
      SHFILEOPSTRUCTA remove{};
      remove.wFunc = FO_DELETE;
      remove.pFrom = from.c_str();
      remove.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
      ::SHFileOperationA(&remove);
    }
    ::SHDeleteKeyA(HKEY_CURRENT_USER, regKey_.c_str());
    // Goes only when no other run still has a key below it.
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegParent);
  }

  plat::Platform& Platform() override { return platform_; }
  std::string Scratch() override { return scratch_; }

  void WriteFile(const std::string& path, const std::string& bytes) override {
    plat::win32::UniqueFileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << "cannot create " << path;
    DWORD written = 0;
    ASSERT_TRUE(bytes.empty() ||
                ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ASSERT_EQ(written, bytes.size()) << path;
  }

  void MakeFolder(const std::string& path) override {
    ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS)
        << path;
  }

  bool PathExists(const std::string& path) override {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  // The variables are the cases' own, unset before and after.
  void SetEnvironmentVariable(const std::string& name, const std::string& value) override {
    variables_.push_back(name);
    ASSERT_TRUE(::SetEnvironmentVariableA(name.c_str(), value.c_str()));
  }

  std::string RegTestKey() override { return regKey_; }

  void RegWrite(const std::string& subKey, const std::string& name, std::uint32_t type,
                const std::string& data) override {
    // The system counts a zero that follows a string's data as part of it;
    // a byte other than zero after the data keeps the count exact.
    const std::string buffer = data + "X";
    ASSERT_EQ(::RegSetValueExA(CreateKey(subKey).Get(), name.c_str(), 0, type,
                               reinterpret_cast<const BYTE*>(buffer.data()), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS)
        << subKey << " " << name;
  }

  plat::WindowHandle CreateTopLevelWindow(const std::string& caption) override {
    HWND window =
        ::CreateWindowExA(0, kTestWindowClass, caption.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                          CW_USEDEFAULT, 200, 100, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(window, nullptr) << caption;
    if (window != nullptr) windows_.push_back(window);
    return reinterpret_cast<plat::WindowHandle>(window);
  }
  plat::IconHandle StockIcon() override {
    return reinterpret_cast<plat::IconHandle>(::LoadIconA(nullptr, MAKEINTRESOURCEA(32512)));
  }

  std::string UniqueName() override { return unique_; }

 private:
  plat::Win32Platform platform_;
  std::string unique_, scratch_, savedCurrentDir_, regKey_;
  std::vector<HWND> windows_;
  std::vector<std::string> variables_;
};

}  // namespace

std::unique_ptr<ContractEnv> MakeContractEnv() { return std::make_unique<Win32ContractEnv>(); }

}  // namespace contract
