// A harmless stand-in for a capsule's installer on the demo disk. Copied
// into a capsule folder as <Name>Setup.exe, it shows "Installed <Name>",
// appends its command line to %TEMP%\VelmoraDemoInstalls.log and, when its
// argument names a ".txt" file, writes that file (so that a MoreInfo link
// waiting for it appears).
#include <windows.h>

#include <string>

namespace {

std::string ProgramName() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name = path;
  name = name.substr(name.find_last_of("\\/") + 1);
  name = name.substr(0, name.find('.'));
  const std::string suffix = "Setup";
  if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
    name.resize(name.size() - suffix.size());
  }
  return name;
}

// The command line after the program's own name.
std::string Argument() {
  std::string line = ::GetCommandLineA();
  std::size_t i = 0;
  if (!line.empty() && line[0] == '"') {
    i = line.find('"', 1);
    i = i == std::string::npos ? line.size() : i + 1;
  } else {
    i = line.find(' ');
    if (i == std::string::npos) i = line.size();
  }
  while (i < line.size() && line[i] == ' ') ++i;
  return line.substr(i);
}

void AppendLine(const std::string& file, const std::string& text) {
  HANDLE h = ::CreateFileA(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  const std::string line = text + "\r\n";
  ::WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  ::CloseHandle(h);
}

bool EndsWithTxt(const std::string& text) {
  if (text.size() < 4) return false;
  std::string tail = text.substr(text.size() - 4);
  for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return tail == ".txt";
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string name = ProgramName();
  std::string argument = Argument();
  if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"') {
    argument = argument.substr(1, argument.size() - 2);
  }

  char temp[MAX_PATH] = {};
  if (::GetTempPathA(MAX_PATH, temp) != 0) AppendLine(std::string(temp) + "VelmoraDemoInstalls.log", name + " " + argument);

  if (EndsWithTxt(argument)) {
    const std::string folder = argument.substr(0, argument.find_last_of('\\'));
    ::CreateDirectoryA(folder.c_str(), nullptr);
    AppendLine(argument, "Installed " + name + " (demo stand-in installer).");
  }

  std::string text = "Installed " + name;
  if (!argument.empty()) text += "\n\nArgument: " + argument;
  ::MessageBoxA(nullptr, text.c_str(), (name + " Setup").c_str(), MB_OK | MB_ICONINFORMATION);
  return 0;
}
