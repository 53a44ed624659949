#include "config/DiskPrompt.h"

#include <optional>

#include "platform/VGui.h"
#include "resources/StringTable.h"

ConfigSearchResult LocateConfigOrPrompt(plat::Platform& platform, CBonusConfig* store,
                                        const ConfigSearch& rules, const DiskAsk& ask) {
  ConfigSearchResult result;
  std::optional<CBonusConfig> own;
  for (;;) {
    if (store == nullptr || own) {
      own.emplace(platform);
      store = &*own;
    }
    CBonusConfig& config = *store;
    result.file = config.LocateConfigFile(rules.preferProgramFolder);
    if (rules.readBeforeTest) config.ParseConfigFile(result.file, 0);
    if (config.FileExists(result.file, rules.reportMissing, CString())) {
      if (!rules.readBeforeTest && rules.readWhenFound) config.ParseConfigFile(result.file, 0);
      result.found = true;
      result.caption = config.m_sWelcomeCaption;
      return result;
    }
    result.file = config.LocateConfigFile(true);
    if (rules.readFallbackForCaption) config.ParseConfigFile(result.file, 0);
    result.caption =
        rules.defaultCaption ? res::TitleOrDefault(config.m_sWelcomeCaption) : config.m_sWelcomeCaption;
    result.prompted = true;
    const bool again = ask ? ask(config, result.caption) : AskForDisk(platform, result.caption);
    if (!again) return result;
  }
}

bool LooksAgain(plat::Platform& platform, int answer) {
  return answer == plat::kIdOk && !platform.QuitPending();
}

bool AskForDisk(plat::Platform& platform, const std::string& caption) {
  return LooksAgain(platform, VMessageBox(platform, 0, res::InsertDiskPrompt(), caption,
                                          plat::kMbOkCancel | plat::kMbIconStop));
}
