// Start-up across real processes: a copy of VERavevi.exe in a scratch folder
// that carries the program's own description marker, so that the folder is
// also the data folder and no registry value is needed.
#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

// Upper bound for waits that normally end within a second; only a hung
// program reaches it.
constexpr DWORD kGuardMs = 30000;
constexpr const char* kTitle = "Velmora Start-up E2E";
constexpr const char* kFirstTimeProgram = "AppendRun.exe";

// A path of the build machine as the Windows side sees it (Wine maps the
// Linux root to Z:).
std::string WindowsPath(std::string path) {
  if (path.empty() || path[0] != '/') return path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return "Z:" + path;
}

bool WriteText(const std::string& path, const std::string& text) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(file);
  return ok && written == text.size();
}

std::string ReadText(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[512];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  ::CloseHandle(file);
  return text;
}

template <typename Condition>
bool WaitUntil(Condition condition) {
  for (DWORD waited = 0; waited < kGuardMs; waited += 20) {
    if (condition()) return true;
    ::Sleep(20);
  }
  return condition();
}

bool MutexExists(const char* name) {
  HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, name);
  if (mutex == nullptr) return false;
  ::CloseHandle(mutex);
  return true;
}

bool ProcessRunning(const char* fileName) {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return true;  // cannot tell: keep waiting
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = ::Process32First(snapshot, &entry); more && !found;
       more = ::Process32Next(snapshot, &entry)) {
    const char* name = entry.szExeFile;
    if (const char* slash = std::strrchr(name, '\\')) name = slash + 1;
    found = ::lstrcmpiA(name, fileName) == 0;
  }
  ::CloseHandle(snapshot);
  return found;
}

// A started program; ended by force if it is still running when dropped.
class Process {
 public:
  Process(const std::string& program, const std::string& parameter, const std::string& folder) {
    std::string commandLine = "\"" + program + "\"";
    if (!parameter.empty()) commandLine += " " + parameter;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    started_ = ::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                folder.c_str(), &startup, &info_) != FALSE;
    if (started_) ::CloseHandle(info_.hThread);
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process() {
    if (!started_) return;
    if (Running()) {
      ::TerminateProcess(info_.hProcess, 99);
      ::WaitForSingleObject(info_.hProcess, kGuardMs);
    }
    ::CloseHandle(info_.hProcess);
  }

  bool Started() const { return started_; }
  bool Running() const { return ::WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
  bool WaitForExit() const { return ::WaitForSingleObject(info_.hProcess, kGuardMs) == WAIT_OBJECT_0; }
  // Waits until the program reads its message queue.
  bool WaitForIdle() const { return ::WaitForInputIdle(info_.hProcess, kGuardMs) == 0; }
  DWORD ExitCode() const {
    DWORD code = 0;
    ::GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION info_ = {};
};

class StartupE2E : public ::testing::Test {
 protected:
  std::string folder_;
  std::string program_;

  void SetUp() override {
    char temp[MAX_PATH] = {};
    ASSERT_NE(::GetTempPathA(MAX_PATH, temp), 0u);
    folder_ = std::string(temp) + "velmora-startup-e2e-" + std::to_string(::GetCurrentProcessId());
    ASSERT_TRUE(::CreateDirectoryA(folder_.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    program_ = folder_ + "\\VERavevi.exe";
    ASSERT_TRUE(::CopyFileA(WindowsPath(VERAVEVI_EXE).c_str(), program_.c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA(WindowsPath(APPEND_RUN_EXE).c_str(), InFolder(kFirstTimeProgram).c_str(), FALSE));
    ASSERT_TRUE(WriteText(InFolder("VERavevi.rtf"), "{\\rtf1 }"));
    ASSERT_TRUE(WriteText(InFolder("VERavevi.cfg"), std::string("[TuneUp]\r\nWindowTitle=") + kTitle +
                                                        "\r\nRun1=" + kFirstTimeProgram + ",0\r\n"));
  }

  void TearDown() override {
    WaitUntil([] { return !ProcessRunning(kFirstTimeProgram); });
    for (const char* name : {"VERavevi.exe", kFirstTimeProgram, "VERavevi.rtf", "VERavevi.cfg", "runs.txt"})
      ::DeleteFileA(InFolder(name).c_str());
    ::RemoveDirectoryA(folder_.c_str());
  }

  std::string InFolder(const std::string& name) const { return folder_ + "\\" + name; }

  std::unique_ptr<Process> Start(const std::string& parameter) {
    auto process = std::make_unique<Process>(program_, parameter, folder_);
    EXPECT_TRUE(process->Started()) << parameter;
    return process;
  }

  // How often the first-time program has run, once no copy of it is left
  // running.
  int FirstTimeRuns() {
    EXPECT_TRUE(WaitUntil([] { return !ProcessRunning(kFirstTimeProgram); }));
    const std::string runs = ReadText(InFolder("runs.txt"));
    int count = 0;
    for (std::size_t at = runs.find("run"); at != std::string::npos; at = runs.find("run", at + 1)) ++count;
    return count;
  }
};

TEST_F(StartupE2E, ASecondTrayOnlyStartEndsWhileTheFirstLives) {
  auto first = Start("0");
  ASSERT_TRUE(WaitUntil([] { return MutexExists("justSTI"); }));
  ASSERT_TRUE(first->WaitForIdle());

  auto second = Start("0");
  ASSERT_TRUE(second->WaitForExit());
  EXPECT_EQ(second->ExitCode(), 0u);
  EXPECT_TRUE(first->Running());

  // The live tray-only process keeps every later start from running Run1.
  auto third = Start("x");
  ASSERT_TRUE(third->WaitForExit());
  EXPECT_EQ(FirstTimeRuns(), 0);
  EXPECT_TRUE(first->Running());
}

TEST_F(StartupE2E, Run1StartedByTheFirstProcessIsNotStartedAgainByTheSecond) {
  auto first = Start("1");
  ASSERT_TRUE(WaitUntil([this] { return FirstTimeRuns() == 1; }));
  ASSERT_TRUE(first->WaitForIdle());

  auto second = Start("");
  ASSERT_TRUE(second->WaitForExit());
  EXPECT_EQ(FirstTimeRuns(), 1);
  EXPECT_TRUE(first->Running());
}

TEST_F(StartupE2E, AnUnrecognisedParameterStartsRun1AndEndsWithoutWindow) {
  auto process = Start("x");
  ASSERT_TRUE(process->WaitForExit());
  EXPECT_EQ(process->ExitCode(), 0u);
  EXPECT_EQ(FirstTimeRuns(), 1);
  EXPECT_EQ(::FindWindowA(nullptr, kTitle), nullptr);
}

}  // namespace
