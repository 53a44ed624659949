// capsule-check: the authoring checker's command line.
//
//   capsule-check DISK_FOLDER_OR_MAIN_CFG [--source-dir DIR] [--windows-dir DIR]
//                 [--registry FILE.reg] [--format=text|json|sarif] [--dump] [--explain]
//
// Reads the disk with the program's own code, prints every trap found,
// compiler style and sorted by file and line (or as JSON or SARIF), then
// the dump and the dry run when asked (text only). Exit status: 0 clean, 1 warnings only, 2 errors (also for
// a disk or option that cannot be used).
#pragma once

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace checker {

// The machine the checker runs on.
class CheckerHost {
 public:
  virtual ~CheckerHost() = default;
  // The host's platform: its files, and on Windows its registry.
  virtual plat::Platform& Platform() = 0;
  // The system's full name of a path given on the command line (a Windows
  // path given on a POSIX host is taken as it stands).
  virtual std::string SystemPath(const std::string& argument) = 0;
  // The separator of the host's own paths, used to show file names.
  virtual char Separator() const = 0;
  // Every file and folder below `folder` (a path of Platform()), each as its
  // path relative to the folder with "/" between the names, in UTF-8 (on
  // POSIX systems the bytes as stored); nothing when it cannot be read.
  virtual std::vector<std::string> Tree(const std::string& folder) = 0;
};

// Every file and folder below `folder`, as CheckerHost::Tree tells them.
std::vector<std::string> TreeBelow(const std::filesystem::path& folder);

// The host of this build: checker::PosixPlatform on POSIX systems, the real
// Win32 platform on Windows.
std::unique_ptr<CheckerHost> MakeHost();

// True for "X:..." and "\\server\..." paths.
bool IsWindowsAbsolute(const std::string& path);

// The whole program; `arguments` without the program's name.
int RunCapsuleCheck(const std::vector<std::string>& arguments, CheckerHost& host, std::ostream& out,
                    std::ostream& err);

}  // namespace checker
