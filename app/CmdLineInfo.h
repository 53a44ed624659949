// The start-up parameter.
//
// The program takes one parameter that chooses its mode: "0" tray only, "1"
// dialog and tray, none dialog only (see CBonusApp). The command line is
// walked token by token, as the platform splits it into program arguments
// (blanks separate, double quotes group), and each token is handed to a
// CCommandLineInfo.
#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"

// Receiver of the command-line walk.
class CCommandLineInfo {
 public:
  virtual ~CCommandLineInfo() = default;

  // Called once per token, left to right. `param` is the token without its
  // first character when that is "/" or "-" (then `isFlag` is true);
  // `isLast` is true for the last token. The base ignores every token.
  virtual void ParseParam(const std::string& param, bool isFlag, bool isLast);
};

// Walks `arguments` (the program's arguments without the program name) into
// `info`.
void ParseCommandLine(const std::vector<std::string>& arguments, CCommandLineInfo& info);

// Walks the running program's own arguments (Platform::CommandLineArguments).
void ParseCommandLine(plat::Platform& platform, CCommandLineInfo& info);

// Collects the start-up parameter: the last token wins, with its flag
// character removed; no token leaves it empty. The text is kept as it is
// (start-up trims it before comparing).
class CMyCmdLineInfo : public CCommandLineInfo {
 public:
  std::string m_sParam;

  void ParseParam(const std::string& param, bool isFlag, bool isLast) override;
};
