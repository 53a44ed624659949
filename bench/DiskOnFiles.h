// A platform for the benchmarks whose drive D: is a real folder of this
// machine: files are read and tested with POSIX calls, everything else is
// the in-memory fake's. Sounds are not recorded, so long runs do not grow.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/fake/FakePlatform.h"

namespace bench {

class DiskOnFiles : public plat::FakePlatform {
 public:
  // `root` is the folder that stands for "D:\".
  explicit DiskOnFiles(std::string root);

  std::optional<plat::FileAttributes> GetFileAttributes(const std::string& path) override;
  bool ReadFileBytes(const std::string& path, std::string& bytes) override;
  bool PlaySound(const std::string& path, std::uint32_t flags) override;

  // The local path of a "D:\..." path; "" for any other drive.
  std::string Local(const std::string& path) const;

 private:
  std::string root_;
};

// Reads a whole file with one fread into `bytes`; false when it cannot be opened.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Writes a generated product disk of `capsules` capsules under `root`:
// access/VERavevi.cfg and access/Cap<i>/Cap<i>.cfg (about 40 CR LF lines
// each), with a .rtf for each capsule. Returns the total bytes of the .cfg files.
std::size_t WriteDisk(const std::string& root, int capsules);

// Resident set size of this process in bytes.
std::size_t ResidentBytes();

// Minor page faults this process has taken so far.
long MinorFaults();

}  // namespace bench

namespace bench {
// Where generated disks go: $VELMORA_BENCH_DIR, else /dev/shm when it exists
// (so the figures do not depend on the build machine's disk), else the temp folder.
std::filesystem::path ScratchFolder();
}  // namespace bench
