#include "config/ConfigDump.h"

#include <algorithm>

#include "platform/Text.h"

namespace {

class Dumper {
 public:
  void Text(const char* name, std::string_view value) {
    out_ += name;
    out_ += " = ";
    out_ += QuoteDumpText(value);
    out_ += '\n';
  }
  void Flag(const char* name, bool value) {
    out_ += name;
    out_ += value ? " = true\n" : " = false\n";
  }
  void List(const char* name, const CStringArray& list) {
    out_ += name;
    out_ += ": ";
    out_ += std::to_string(list.size());
    out_ += '\n';
    for (std::size_t i = 0; i < list.size(); ++i) {
      out_ += "  [";
      out_ += std::to_string(i);
      out_ += "] = ";
      out_ += QuoteDumpText(list[i]);
      out_ += '\n';
    }
  }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_ = "# CBonusConfig dump 1\n";
};

}  // namespace

std::string QuoteDumpText(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default:
        if (byte < 0x20 || byte >= 0x7F) {
          out += "\\x" + plat::HexByte(byte);
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

std::string DumpConfig(const CBonusConfig& c) {
  Dumper d;
  d.Text("m_sWindowsDir", c.m_sWindowsDir);
  d.Text("m_sSystemDir", c.m_sSystemDir);
  const char* linkEnd = std::find(c.m_szLinkPath, c.m_szLinkPath + sizeof c.m_szLinkPath, '\0');
  d.Text("m_szLinkPath", std::string_view(c.m_szLinkPath, static_cast<std::size_t>(linkEnd - c.m_szLinkPath)));
  d.Text("m_sModulePath", c.m_sModulePath);
  d.Text("m_sModuleDir", c.m_sModuleDir);
  d.Text("m_sDataDir", c.m_sDataDir);
  d.Text("m_sModuleFileName", c.m_sModuleFileName);
  d.Text("m_sModuleBaseName", c.m_sModuleBaseName);
  d.List("m_saPackages", c.m_saPackages);
  d.Text("m_sHeight", c.m_sHeight);
  d.Text("m_sDistance", c.m_sDistance);
  d.Text("m_sWelcomeCaption", c.m_sWelcomeCaption);
  d.Text("m_sWelcomeTitle", c.m_sWelcomeTitle);
  d.Text("m_sWelcomeText", c.m_sWelcomeText);
  d.Text("m_sMessage", c.m_sMessage);
  d.Text("m_sSplash1", c.m_sSplash1);
  d.Text("m_sSplash2", c.m_sSplash2);
  d.Text("m_sInscdMsg", c.m_sInscdMsg);
  d.Text("m_sInscdURL", c.m_sInscdURL);
  d.List("m_saTitle", c.m_saTitle);
  d.List("m_saNote", c.m_saNote);
  d.List("m_saDisclaimer", c.m_saDisclaimer);
  d.List("m_saTip", c.m_saTip);
  d.List("m_saRun", c.m_saRun);
  d.List("m_saDescription", c.m_saDescription);
  d.List("m_saMoreInfoTitle", c.m_saMoreInfoTitle);
  d.List("m_saMoreInfoRun", c.m_saMoreInfoRun);
  d.List("m_saCapButton1", c.m_saCapButton1);
  d.List("m_saCapButton2", c.m_saCapButton2);
  d.List("m_saCapButton1Disabled", c.m_saCapButton1Disabled);
  d.List("m_saCapToken1", c.m_saCapToken1);
  d.List("m_saCapToken2", c.m_saCapToken2);
  d.List("m_saCapToken3", c.m_saCapToken3);
  d.List("m_saCapToken4", c.m_saCapToken4);
  d.List("m_saCapToken5", c.m_saCapToken5);
  d.List("m_saCapToken6", c.m_saCapToken6);
  d.List("m_saCapToken7", c.m_saCapToken7);
  d.List("m_saCapToken8", c.m_saCapToken8);
  d.List("m_saCapToken9", c.m_saCapToken9);
  d.List("m_saCapToken10", c.m_saCapToken10);
  d.Text("m_sRegKey", c.m_sRegKey);
  d.Text("m_sRegValue", c.m_sRegValue);
  d.Text("m_sSourceDir", c.m_sSourceDir);
  d.Text("m_sLine", c.m_sLine);
  d.Text("m_sSectionName", c.m_sSectionName);
  d.Text("m_sConfigPath", c.m_sConfigPath);
  d.Flag("m_bInSection", c.m_bInSection);
  d.Flag("m_bInPackages", c.m_bInPackages);
  d.List("m_saVersion", c.m_saVersion);
  d.List("m_saRegistry", c.m_saRegistry);
  d.List("m_saFile", c.m_saFile);
  d.List("m_saFileExcluded", c.m_saFileExcluded);
  d.List("m_saPromptType", c.m_saPromptType);
  d.List("m_saAskMsg", c.m_saAskMsg);
  d.Flag("m_bInTuneUp", c.m_bInTuneUp);
  d.Flag("m_bInVersion", c.m_bInVersion);
  d.Text("m_sInstallFlag", c.m_sInstallFlag);
  d.List("m_saList", c.m_saList);
  return d.Take();
}
