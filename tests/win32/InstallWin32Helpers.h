// Helpers of the install engine's tests on the real system: paths and the
// records the fixture programs write.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "platform/win32/Win32Api.h"
#include "tests/e2e/E2ESupport.h"

namespace installtest {

using e2e::ScratchFolder;

inline bool SamePath(const std::string& a, const std::string& b) {
  auto norm = [](const std::string& p) {
    char buffer[1024] = "";
    const DWORD n = ::GetLongPathNameA(p.c_str(), buffer, sizeof buffer);
    std::string full = n == 0 || n >= sizeof buffer ? p : std::string(buffer, n);
    while (full.size() > 3 && full.back() == '\\') full.pop_back();
    return full;
  };
  return ::lstrcmpiA(norm(a).c_str(), norm(b).c_str()) == 0;
}

inline std::string Fixture(const std::string& name) { return e2e::ModuleDir() + "\\fixtures\\" + name; }

// The record a started fixture writes beside itself; waits for the program
// to write it (it runs on its own), giving up after a generous while.
inline std::vector<std::string> WaitForRecord(const std::string& program) {
  const std::string record = program + ".record.txt";
  if (!e2e::WaitUntil([&] { return e2e::FileExists(record); }, 60000)) return {};
  std::vector<std::string> lines;
  std::ifstream in(record);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace installtest
