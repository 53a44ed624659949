#include "app/OrderDialogLogic.h"

#include "config/BonusConfig.h"
#include "resources/StringTable.h"

namespace app {

OrderDialogContent LoadOrderDialogContent(plat::Platform& platform) {
  CBonusConfig config(platform);
  OrderDialogContent content;
  content.configFile = config.LocateConfigFile(true);
  config.ParseConfigFile(content.configFile, 0);
  content.title = config.m_sWelcomeCaption;
  content.caption = res::TitleOrDefault(content.title);
  content.message = FormatOrderMessage(config.m_sInscdMsg, res::kProductName);
  content.url = config.m_sInscdURL;
  return content;
}

std::string FormatOrderMessage(const std::string& format, const std::string& productName) {
  std::string formatted;
  formatted.reserve(format.size() + productName.size());
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      if (format[i + 1] == 's') {
        formatted += productName;
        ++i;
        continue;
      }
      if (format[i + 1] == '%') {
        formatted += '%';
        ++i;
        continue;
      }
    }
    formatted += format[i];
  }

  std::string message;
  message.reserve(formatted.size());
  for (std::size_t i = 0; i < formatted.size(); ++i) {
    if (formatted[i] == '\\' && i + 1 < formatted.size() && formatted[i + 1] == 'n') {
      message += '\n';
      ++i;
    } else {
      message += formatted[i];
    }
  }
  return message;
}

void OpenOrderPage(plat::Platform& platform, plat::WindowHandle owner, const std::string& url) {
  constexpr int kShowNormal = 1;
  platform.ShellExecute(owner, "open", url, "", "", kShowNormal);
}

}  // namespace app
