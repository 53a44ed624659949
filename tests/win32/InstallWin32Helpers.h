// Helpers of the install engine's tests on the real system: paths, the
// records the fixture programs write, and folders of a test's own.
#pragma once

#include "platform/win32/Win32Api.h"

#include <fstream>
#include <string>
#include <vector>

namespace installtest {

inline std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

inline std::string LongPath(const std::string& path) {
  char buffer[1024] = "";
  DWORD n = ::GetLongPathNameA(path.c_str(), buffer, sizeof buffer);
  return n == 0 || n >= sizeof buffer ? path : std::string(buffer, n);
}

inline bool SamePath(const std::string& a, const std::string& b) {
  auto norm = [](std::string p) {
    p = Lower(LongPath(p));
    while (p.size() > 3 && p.back() == '\\') p.pop_back();
    return p;
  };
  return norm(a) == norm(b);
}

inline std::string ProgramFolder() {
  char buffer[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  std::string path(buffer);
  return path.substr(0, path.find_last_of('\\'));
}

inline std::string Fixture(const std::string& name) { return ProgramFolder() + "\\fixtures\\" + name; }

inline std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The record a started fixture writes beside itself; waits for the program
// to write it (it runs on its own), giving up after a generous while.
inline std::vector<std::string> WaitForRecord(const std::string& program) {
  const std::string record = program + ".record.txt";
  for (int i = 0; i < 1200; ++i) {
    if (::GetFileAttributesA(record.c_str()) != INVALID_FILE_ATTRIBUTES) return ReadLines(record);
    ::Sleep(50);
  }
  return {};
}

// A folder of the test's own, removed again with everything in it.
class TempFolder {
 public:
  // velmora-install-<process>-<name> in the system's temporary folder.
  explicit TempFolder(const std::string& name) : TempFolder(SystemTemp(), name) {}
  // velmora-install-<process>-<name> in `parent`.
  TempFolder(const std::string& parent, const std::string& name) {
    path_ = parent + "\\velmora-install-" + std::to_string(::GetCurrentProcessId()) + "-" + name;
    Remove();
    ::CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    // A folder that is the current directory cannot be removed.
    char current[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, current);
    if (Lower(current).rfind(Lower(path_), 0) == 0) {
      std::string parent = path_.substr(0, path_.find_last_of('\\'));
      ::SetCurrentDirectoryA(parent.c_str());
    }
    // A program started from the folder may still be ending and hold its file.
    for (int i = 0; i < 200 && Remove(); ++i) ::Sleep(50);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  // Creates the sub-folder `name` and returns its path.
  std::string Folder(const std::string& name) const {
    std::string p = path_ + "\\" + name;
    ::CreateDirectoryA(p.c_str(), nullptr);
    return p;
  }

 private:
  static std::string SystemTemp() {
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    std::string path = LongPath(temp);
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
  }
  // True while the folder is still there.
  bool Remove() {
    if (::GetFileAttributesA(path_.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    // SHFileOperation wants a list ending in two zeros.
    std::string from = path_ + std::string(2, '\0');
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationA(&op);
    return ::GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  std::string path_;
};

}  // namespace installtest
