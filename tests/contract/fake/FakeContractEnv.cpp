// The contract environment of the native build: a fresh FakePlatform per
// case, arranged through its own helpers.
#include "platform/fake/FakePlatform.h"
#include "tests/contract/ContractEnv.h"

namespace contract {
namespace {

class FakeContractEnv final : public ContractEnv {
 public:
  FakeContractEnv() {
    fake_.AddFolder(kScratch);
    fake_.AddRegKey(plat::RegRoot::CurrentUser, kRegKey);
  }

  plat::Platform& Platform() override { return fake_; }
  std::string Scratch() override { return kScratch; }
  void WriteFile(const std::string& path, const std::string& bytes) override { fake_.AddFile(path, bytes); }
  void MakeFolder(const std::string& path) override { fake_.AddFolder(path); }
  bool PathExists(const std::string& path) override { return fake_.HasFile(path) || fake_.HasFolder(path); }

  void SetEnvironmentVariable(const std::string& name, const std::string& value) override {
    fake_.environment[name] = value;
  }

  std::string RegTestKey() override { return kRegKey; }
  void RegWrite(const std::string& subKey, const std::string& name, std::uint32_t type,
                const std::string& data) override {
    fake_.SetRegValue(plat::RegRoot::CurrentUser, subKey, name, plat::RegValue{type, data});
  }

  plat::WindowHandle CreateTopLevelWindow(const std::string& caption) override {
    return fake_.AddWindow(caption, kTestWindowClass, fake_.modulePath);
  }
  plat::IconHandle StockIcon() override { return 0x7F00; }

  std::string UniqueName() override { return "Fake" + std::to_string(++serial_); }

 private:
  static constexpr const char* kScratch = "C:\\SCRATCH";
  static constexpr const char* kRegKey = "Software\\VelmoraContractTest\\Fake";
  plat::FakePlatform fake_;
  int serial_ = 0;
};

}  // namespace

std::unique_ptr<ContractEnv> MakeContractEnv() { return std::make_unique<FakeContractEnv>(); }

}  // namespace contract
