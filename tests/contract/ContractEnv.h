// What a platform contract case needs besides the platform it tests.
//
// The cases in this folder are written once against ContractEnv and run
// twice: against plat::FakePlatform natively (fake/FakeContractEnv.cpp) and
// against plat::Win32Platform on the real system (win32/Win32ContractEnv.cpp).
// The environment gives the platform under test and the arrangements that
// the read-only Platform does not offer. Everything an environment makes is
// its own (a scratch folder and a registry key unique to it) and is removed
// when it goes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Platform.h"

namespace contract {

// A class of the system's own, so that no case needs to register one.
inline constexpr const char* kTestWindowClass = "Static";

class ContractEnv {
 public:
  virtual ~ContractEnv() = default;

  virtual plat::Platform& Platform() = 0;

  // An existing, empty folder for this environment alone: absolute, without
  // trailing "\", every component already in short (8.3) form.
  virtual std::string Scratch() = 0;
  // Writes a file with exactly these bytes (its folder must exist).
  virtual void WriteFile(const std::string& path, const std::string& bytes) = 0;
  virtual void MakeFolder(const std::string& path) = 0;
  // Whether anything exists at the path, asked without the platform.
  virtual bool PathExists(const std::string& path) = 0;

  // Sets a variable of the process environment for the environment's life.
  virtual void SetEnvironmentVariable(const std::string& name, const std::string& value) = 0;

  // A key of HKEY_CURRENT_USER for this environment alone, existing, as a
  // sub-key path ("Software\\VelmoraContractTest\\<unique>").
  virtual std::string RegTestKey() = 0;
  // Writes a value with exactly these data bytes under HKEY_CURRENT_USER,
  // making the key and its parents as needed; "" names the default value.
  virtual void RegWrite(const std::string& subKey, const std::string& name, std::uint32_t type,
                        const std::string& data) = 0;

  // A hidden top-level window with this caption, of the class
  // kTestWindowClass, owned by this process; destroyed with the environment.
  virtual plat::WindowHandle CreateTopLevelWindow(const std::string& caption) = 0;
  // An icon the system itself provides.
  virtual plat::IconHandle StockIcon() = 0;

  // A text unique to this environment, for names of system-wide objects.
  virtual std::string UniqueName() = 0;
};

// The environment of the build: the fake one natively, the real one on Windows.
std::unique_ptr<ContractEnv> MakeContractEnv();

}  // namespace contract
