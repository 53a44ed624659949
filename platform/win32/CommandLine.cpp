#include "platform/win32/CommandLine.h"

namespace plat::win32 {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> SplitCommandLineArguments(const std::string& commandLine) {
  std::vector<std::string> arguments;
  const std::size_t end = commandLine.size();
  std::size_t i = 0;

  if (i < end && commandLine[i] == '"') {
    const std::size_t close = commandLine.find('"', i + 1);
    i = close == std::string::npos ? end : close + 1;
  } else {
    while (i < end && !IsBlank(commandLine[i])) ++i;
  }

  for (;;) {
    while (i < end && IsBlank(commandLine[i])) ++i;
    if (i >= end) break;
    std::string argument;
    bool quoted = false;
    while (i < end && (quoted || !IsBlank(commandLine[i]))) {
      const char c = commandLine[i];
      if (c == '\\') {
        std::size_t slashes = 0;
        while (i < end && commandLine[i] == '\\') {
          ++slashes;
          ++i;
        }
        if (i < end && commandLine[i] == '"') {
          argument.append(slashes / 2, '\\');
          if (slashes % 2 == 1) {
            argument.push_back('"');
            ++i;
          }
        } else {
          argument.append(slashes, '\\');
        }
        continue;
      }
      if (c == '"') {
        if (quoted && i + 1 < end && commandLine[i + 1] == '"') {
          argument.push_back('"');
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
        continue;
      }
      argument.push_back(c);
      ++i;
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

}  // namespace plat::win32
