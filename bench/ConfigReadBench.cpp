// Configuration reading throughput on a generated disk of 10,000 capsules:
// the store's locate-and-read of every file, the same files parsed by inih
// into a map, and the bare read of every byte (the I/O floor), side by side
// in one run. Each measure is the best of several interleaved rounds.
#include <ini.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "bench/BenchReport.h"
#include "bench/DiskOnFiles.h"
#include "config/BonusConfig.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Disk {
  std::string root;
  std::vector<std::string> files;  // local paths: main file, then capsule files
  std::size_t bytes = 0;
};

// (a) The store: locate the main file, read it, then every capsule file.
std::size_t StoreRead(bench::DiskOnFiles& platform) {
  CBonusConfig config(platform);
  const CString main = config.LocateConfigFile(false);
  config.ParseConfigFile(main, 0);
  const std::size_t count = config.m_saPackages.size();
  for (std::size_t i = 0; i < count; ++i) {
    const CString folder = config.m_saPackages[i];
    config.ParseConfigFile(folder + "\\" + CBonusConfig::GetLastPathPart(folder) + ".cfg",
                           static_cast<int>(i));
  }
  return config.m_saTitle.size() + config.m_saPackages.size();
}

// (b) inih into a std::map of (file, section, key) -> value.
using IniMap = std::map<std::string, std::string>;
int OnIniValue(void* user, const char* section, const char* name, const char* value) {
  auto* map = static_cast<IniMap*>(user);
  std::string key = section;
  key += '\x1f';
  key += name;
  (*map)[std::move(key)] = value;
  return 1;
}
std::size_t InihRead(const Disk& disk) {
  std::vector<IniMap> maps(disk.files.size());
  std::size_t entries = 0;
  for (std::size_t i = 0; i < disk.files.size(); ++i) {
    ini_parse(disk.files[i].c_str(), OnIniValue, &maps[i]);
    entries += maps[i].size();
  }
  return entries;
}

// (c) Every byte read, lines counted.
std::size_t FloorRead(const Disk& disk) {
  std::string bytes;
  std::size_t lines = 0;
  for (const auto& f : disk.files) {
    bench::ReadWholeFile(f, bytes);
    lines += static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
  }
  return lines;
}

template <class F>
double Seconds(F&& f, std::size_t& sink) {
  auto t0 = Clock::now();
  sink += f();
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int capsules = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
  namespace fs = std::filesystem;
  Disk disk;
  disk.root = (bench::ScratchFolder() / ("velmora-bench-" + std::to_string(::getpid()))).string();
  disk.bytes = bench::WriteDisk(disk.root, capsules);
  disk.files.push_back(disk.root + "/access/VERavevi.cfg");
  for (int i = 0; i < capsules; ++i) {
    std::string n = "Cap" + std::to_string(i);
    disk.files.push_back(disk.root + "/access/" + n + "/" + n + ".cfg");
  }
  bench::DiskOnFiles platform(disk.root);

  std::size_t sink = 0;
  // One warm-up of each so every round reads from the page cache.
  StoreRead(platform);
  InihRead(disk);
  FloorRead(disk);
  double a = 1e9, b = 1e9, c = 1e9;
  long faultsA = 0, faultsC = 0;  // minor page faults of the last round
  for (int r = 0; r < rounds; ++r) {
    long before = bench::MinorFaults();
    a = std::min(a, Seconds([&] { return StoreRead(platform); }, sink));
    faultsA = bench::MinorFaults() - before;
    b = std::min(b, Seconds([&] { return InihRead(disk); }, sink));
    before = bench::MinorFaults();
    c = std::min(c, Seconds([&] { return FloorRead(disk); }, sink));
    faultsC = bench::MinorFaults() - before;
  }
  fs::remove_all(disk.root);

  const double mb = static_cast<double>(disk.bytes) / 1e6;
  std::printf("config read: %d capsules, %zu files, %.2f MB, best of %d rounds\n", capsules,
              disk.files.size(), mb, rounds);
  std::printf("  (a) store locate-and-read  %8.2f ms  %8.1f MB/s\n", a * 1e3, mb / a);
  std::printf("  (b) inih into std::map     %8.2f ms  %8.1f MB/s\n", b * 1e3, mb / b);
  std::printf("  (c) read every byte        %8.2f ms  %8.1f MB/s\n", c * 1e3, mb / c);
  std::printf("  minor page faults per read: (a) %ld, (c) %ld\n", faultsA, faultsC);
  bool ok = true;
  ok &= bench::Check("a/b (time, store vs inih)", a / b, 0.55);
  ok &= bench::Check("a/c (time, store vs I/O floor)", a / c, 1.25);
  std::printf("  (sink %zu)\n", sink % 10);
  return ok ? 0 : 1;
}
