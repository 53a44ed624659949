#include "install/Launcher.h"

#include "install/InstallText.h"
#include "platform/Text.h"

namespace install {

std::optional<std::string> ExpandEnvironment(plat::Platform& platform, const std::string& text) {
  auto expanded = platform.ExpandEnvironmentStrings(text);
  // The system reports the size it would need instead of failing when the
  // result is longer than the buffer; such a result was never written.
  if (!expanded || !plat::FitsMaxPath(*expanded)) return std::nullopt;
  return expanded;
}

std::string ShortPath(plat::Platform& platform, const std::string& path) {
  std::string shortPath = platform.ShortPathName(path);
  if (!plat::FitsMaxPath(shortPath)) return {};
  return shortPath;
}

namespace {

// The program part of a command value: one double quote removed from each
// end when it begins and ends with one, then environment variables expanded
// (kept as it is when that fails).
std::string ProgramPart(plat::Platform& platform, std::string program) {
  if (!program.empty() && program.front() == '"' && program.back() == '"')
    program = program.size() >= 2 ? program.substr(1, program.size() - 2) : std::string();
  if (auto expanded = ExpandEnvironment(platform, program)) program = *expanded;
  return program;
}

}  // namespace

Command ResolveMacroCommand(CBonusConfig& config, const std::string& value,
                            const MacroExpander& expandMacros) {
  plat::Platform& platform = config.Platform();
  config.SplitIntoList(expandMacros(plat::TrimLeft(value)), ",");
  const CStringArray& parts = config.m_saList;
  Command command;
  if (parts.empty()) return command;
  command.program = ProgramPart(platform, parts[0]);

  if (parts.size() >= 2) {
    std::string argument = parts[1];
    if (config.FileExists(argument, false, "")) {
      if (auto expanded = ExpandEnvironment(platform, argument)) argument = ShortPath(platform, *expanded);
    }
    command.argument = argument;
  }
  return command;
}

Command ResolveRunCommand(CBonusConfig& config, const std::string& capsuleFolder, const std::string& run,
                          const MacroExpander& expandMacros) {
  if (run.find('{') != std::string::npos) return ResolveMacroCommand(config, run, expandMacros);
  return Command{capsuleFolder + "\\" + plat::TrimLeft(run), {}};
}

Command ResolveMoreInfo(CBonusConfig& config, const std::string& capsuleFolder,
                        const std::string& moreInfoRun, const MacroExpander& expandMacros, MoreInfoUse use) {
  Command command;
  if (use == MoreInfoUse::kOpen) {
    command = ResolveMacroCommand(config, moreInfoRun, expandMacros);
  } else {
    config.SplitIntoList(expandMacros(plat::TrimLeft(moreInfoRun)), ",");
    if (!config.m_saList.empty()) {
      command.program = config.m_saList.front();
      if (use == MoreInfoUse::kRefresh)
        command.program = ProgramPart(config.Platform(), plat::TrimRight(command.program));
    }
  }
  if (moreInfoRun.find('{') == std::string::npos)
    command.program = capsuleFolder + "\\" + command.program;
  else
    command.program = plat::TrimLeft(command.program);
  return command;
}

bool OpenMoreInfo(CBonusConfig& config, const Command& target) {
  if (!config.FileExists(target.program, false, "")) return false;
  plat::Platform& platform = config.Platform();
  platform.SetCurrentDirectory(CBonusConfig::GetFolderPart(target.program));
  platform.ShellExecute(0, "open", target.program, target.argument, "", kShowNormal);
  return true;
}

void LaunchByExtension(CBonusConfig& config, const std::string& program, const std::string& argument,
                       const ScriptRunner& runScript) {
  plat::Platform& platform = config.Platform();
  std::size_t dot = program.rfind('.');
  if (!config.FileExists(program, false, "") || dot == std::string::npos) return;
  std::string extension = program.substr(dot + 1);

  if (extension.size() >= 2) {
    if (plat::AsciiLower(extension) == "cfg") {
      runScript(program);
      return;
    }
    platform.SetCurrentDirectory(CBonusConfig::GetFolderPart(program));
    platform.ShellExecute(0, "open", program, argument, "", kShowNormal);
  } else if (extension.size() == 1) {
    std::string shortPath = ShortPath(platform, program);
    platform.SetCurrentDirectory(CBonusConfig::GetFolderPart(program));
    if (config.FileExists(shortPath, false, "")) platform.CreateProcess(shortPath);
  }
}

}  // namespace install
