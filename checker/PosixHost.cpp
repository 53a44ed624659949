// The checker's host on POSIX systems.
#include "checker/CapsuleCheck.h"
#include "checker/PosixPlatform.h"

namespace checker {

namespace {

class PosixHost final : public CheckerHost {
 public:
  plat::Platform& Platform() override { return m_platform; }
  std::string SystemPath(const std::string& argument) override {
    return IsWindowsAbsolute(argument) ? argument : PosixPlatform::WindowsPath(argument);
  }
  char Separator() const override { return '/'; }
  std::vector<std::string> Tree(const std::string& folder) override {
    const auto path = PosixPlatform::HostPath(folder);
    return path ? TreeBelow(*path) : std::vector<std::string>();
  }

 private:
  PosixPlatform m_platform;
};

}  // namespace

std::unique_ptr<CheckerHost> MakeHost() { return std::make_unique<PosixHost>(); }

}  // namespace checker
