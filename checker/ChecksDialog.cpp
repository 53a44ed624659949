// The dialog-wide values: icon and row sizes, the order messages, and the
// programs of the first-time runs.
#include <algorithm>
#include <cstdlib>

#include "checker/CheckContext.h"
#include "checker/Text.h"
#include "config/FirstTimeRun.h"
#include "platform/Text.h"

namespace checker {

void CheckDialogValues(CheckContext& ctx) {
  const std::string height = ctx.config.m_sHeight;
  if (!height.empty() && !IsInteger(plat::TrimLeft(height))) {
    const int size = plat::ParseLeadingInt(height);
    ctx.Warning(Rule::HeightDistance, ctx.KeyLoc("Height", -1),
                "Height " + Q(height) + " is not a number: the icons are " +
                    std::to_string(size > 0 ? size : 42) + " x " + std::to_string(size > 0 ? size : 42) +
                    " pixels");
  }
  const std::string distance = ctx.config.m_sDistance;
  if (!distance.empty() && !IsInteger(plat::TrimLeft(distance))) {
    const int rows = plat::ParseLeadingInt(distance);
    ctx.Warning(Rule::HeightDistance, ctx.KeyLoc("Distance", -1),
                "Distance " + Q(distance) + " is not a number: the rows are " +
                    std::to_string(rows != 0 ? rows : 16) + " pixels high");
  }
  const std::string message = ctx.config.m_sInscdMsg;
  if (!message.empty()) {
    int strings = 0;
    for (std::size_t i = 0; i < message.size(); ++i) {
      if (message[i] != '%') continue;
      if (i + 1 < message.size() && message[i + 1] == '%') {
        ++i;
        continue;
      }
      if (i + 1 < message.size() && message[i + 1] == 's') {
        ++strings;
        ++i;
        continue;
      }
      const std::size_t end = std::min(message.size(), i + 2);
      ctx.Error(Rule::OrderMessage, ctx.KeyLoc("OrderURLmsg", -1),
                "OrderURLmsg holds the format directive " + Q(message.substr(i, end - i)) +
                    ": the message is a format with one argument, the product name, so only \"%s\" (and "
                    "\"%%\") may stand in it",
                "write %% for a percent sign");
      strings = -1;
      break;
    }
    if (strings > 1)
      ctx.Error(Rule::OrderMessage, ctx.KeyLoc("OrderURLmsg", -1),
                "OrderURLmsg holds \"%s\" " + std::to_string(strings) +
                    " times: the message has only one argument, the product name");
  }
  if (ctx.config.m_sInscdMsg.empty() != ctx.config.m_sInscdURL.empty()) {
    const char* set = ctx.config.m_sInscdMsg.empty() ? "OrderURL" : "OrderURLmsg";
    const char* missing = ctx.config.m_sInscdMsg.empty() ? "OrderURLmsg" : "OrderURL";
    ctx.Warning(
        Rule::OrderMessage, ctx.KeyLoc(set, -1),
        std::string(set) + " without " + missing + ": the order dialog is offered only when both are set");
  }
}

void CheckFirstTimeRuns(CheckContext& ctx) {
  for (int mode = 1; mode <= 2; ++mode) {
    const std::string keyName = mode == 1 ? "Run1" : "Run2";
    const std::string value = mode == 1 ? ctx.config.m_sSplash1 : ctx.config.m_sSplash2;
    if (value.empty()) continue;
    const auto at = ctx.KeyLoc(keyName, -1);
    const std::vector<PlatformCall> calls = ctx.sim.FirstTimeRun(mode);
    bool started = false;
    for (const PlatformCall& call : calls)
      if (call.kind == PlatformCall::Kind::CreateProcess) started = true;
    const std::string command = plat::TrimLeft(value);
    const auto comma = command.find(',');
    const std::string program = plat::TrimRight(command.substr(0, comma));
    if (!started)
      ctx.Error(
          Rule::Run1Run2, at,
          keyName + " names " + Q(program) + ", which is not on the disk: nothing is started",
          command.find('{') != std::string::npos
              ? "macros are not expanded here: the path is taken in the data folder as written"
              : "the path is taken in the data folder (" +
                    std::string(ctx.Rel(ctx.config.m_sDataDir).empty() ? "the disk's top folder"
                                                                       : ctx.Rel(ctx.config.m_sDataDir)) +
                    ")");
    if (comma == std::string::npos) {
      ctx.Warning(Rule::Run1Run2, at,
                  keyName + " has no \",seconds\": the pause is read from the whole value, which gives 0");
      continue;
    }
    const std::string seconds = plat::Trim(command.substr(comma + 1));
    if (!IsDecimal(seconds)) {
      ctx.Warning(Rule::Run1Run2, at,
                  keyName + " seconds " + Q(seconds) + " is not a number: it reads as " +
                      std::to_string(FirstTimeRunPauseSeconds(seconds)));
      continue;
    }
    const double asked = std::atof(seconds.c_str());
    if (asked < 0)
      ctx.Error(Rule::Run1Run2, at,
                keyName + " asks for a negative number of seconds (" + seconds + "): no pause is made",
                "write 0 for no pause");
    else if (mode == 1 && asked >= CFirstTimeRun::kMaxPauseSeconds + 1)
      ctx.Warning(Rule::Run1Run2, at,
                  "Run1 asks for " + seconds + " seconds: the pause is held to " +
                      std::to_string(CFirstTimeRun::kMaxPauseSeconds));
    else if (mode == 2 && asked >= 1)
      ctx.Warning(Rule::Run1Run2, at, "Run2 never waits: its " + seconds + " seconds have no effect",
                  "write 0");
  }
}

}  // namespace checker
