#include "platform/win32/CommandLine.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace plat {

using win32::NoThrow;
using win32::UniqueKernelHandle;

bool Win32Platform::CreateProcess(const std::string& application) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  // A show value of normal that the start-up flags do not mark as valid:
  // the new program appears in its own default way.
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(application.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
    return false;
  UniqueKernelHandle process(started.hProcess);
  UniqueKernelHandle thread(started.hThread);
  return true;
}

void Win32Platform::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

std::vector<std::string> Win32Platform::CommandLineArguments() {
  return NoThrow<std::vector<std::string>>({}, [] {
    const char* commandLine = ::GetCommandLineA();
    return win32::SplitCommandLineArguments(commandLine != nullptr ? commandLine : "");
  });
}

}  // namespace plat
