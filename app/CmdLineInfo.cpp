#include "app/CmdLineInfo.h"

void CCommandLineInfo::ParseParam(const std::string&, bool, bool) {}

void ParseCommandLine(const std::vector<std::string>& arguments, CCommandLineInfo& info) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& token = arguments[i];
    const bool isFlag = !token.empty() && (token[0] == '/' || token[0] == '-');
    info.ParseParam(isFlag ? token.substr(1) : token, isFlag, i + 1 == arguments.size());
  }
}

void ParseCommandLine(plat::Platform& platform, CCommandLineInfo& info) {
  ParseCommandLine(platform.CommandLineArguments(), info);
}

void CMyCmdLineInfo::ParseParam(const std::string& param, bool, bool) { m_sParam = param; }
