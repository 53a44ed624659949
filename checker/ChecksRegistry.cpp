// Tokens and the sections they name, registry paths, the version check's
// keys, and macros.
#include <array>
#include <set>

#include "checker/CheckContext.h"
#include "checker/Text.h"
#include "install/VersionCheck.h"
#include "platform/Text.h"
#include "resources/StringTable.h"

namespace checker {

namespace {

// A registry path's root as the program finds it.
void CheckRoot(CheckContext& ctx, const Place& at, const std::string& what, const std::string& path,
               const std::string& consequence) {
  const std::string p = plat::TrimLeft(path);
  if (p.empty()) return;
  const RegistryRootName* found = FindRegistryRoot(p);
  if (found == nullptr) {
    const std::string first = p.substr(0, p.find('\\'));
    std::string hint =
        "write the root in full and in capitals: HKEY_LOCAL_MACHINE\\, HKEY_CURRENT_USER\\, "
        "HKEY_CLASSES_ROOT\\ or HKEY_USERS\\";
    const std::string f = plat::AsciiLower(first);
    if (f == "hklm") hint = "write HKEY_LOCAL_MACHINE\\";
    if (f == "hkcu") hint = "write HKEY_CURRENT_USER\\";
    if (f == "hkcr") hint = "write HKEY_CLASSES_ROOT\\";
    if (f == "hku") hint = "write HKEY_USERS\\";
    if (f == "hkey_local_machine" && first == "HKEY_LOCAL_MACHINE" && p.size() == first.size())
      hint = "HKEY_LOCAL_MACHINE needs the \"\\\" and a key after it";
    ctx.Error(Rule::RegistryRoot, at,
              what + " " + Q(p) + " starts with no root the program recognises: " + consequence, hint);
    return;
  }
  const std::size_t pos = p.find(found->name);
  const std::string name(found->name);
  const std::string bare = name.back() == '\\' ? name.substr(0, name.size() - 1) : name;
  if (p.find('/') != std::string::npos) {
    ctx.Error(
        Rule::RegistryRoot, at,
        what + " " + Q(p) +
            " holds \"/\": registry keys are separated by \"\\\", and \"/\" is part of a key's name, so " +
            consequence,
        "write \"\\\" between the keys");
    return;
  }
  if (pos != 0) {
    ctx.Error(Rule::RegistryRoot, at,
              what + " " + Q(p) + " does not start with its root " + bare +
                  ": the program still takes that root but cuts the path by its length",
              "start the path with the root");
    return;
  }
  if (p.size() > found->prefixLength - 1 && p[found->prefixLength - 1] != '\\')
    ctx.Error(Rule::RegistryRoot, at,
              what + " " + Q(p) + ": " + bare +
                  " must be followed by \"\\\", or the character after it is cut off in its place",
              "write " + bare + "\\...");
}

void CheckTokenSection(CheckContext& ctx, int k, const std::string& keyName, const std::string& token,
                       const std::string& file) {
  const auto at = ctx.KeyLoc(keyName, k);
  if (!ctx.sim.Dialog().m_config.FileExists(file, false, CString())) return;
  struct Collector : IConfigLineObserver {
    void OnConfigLine(const ConfigLineEvent& e) override {
      if (e.kind == ConfigLineEvent::Kind::KnownHeader && headerLine == 0) headerLine = e.number;
      if (e.kind == ConfigLineEvent::Kind::OtherHeader &&
          plat::AsciiLower(e.text) == plat::AsciiLower(header)) {
        sameFolded = std::string(e.text);
        sameFoldedLine = e.number;
      }
      if (e.kind == ConfigLineEvent::Kind::Key) {
        (e.key == "Key" ? keyLine : valueLine) = e.number;
        if (e.key == "Key") keyValue = std::string(e.value);
      }
      if (e.kind == ConfigLineEvent::Kind::NoKey) {
        const std::string t(e.text);
        const auto eq = t.find('=');
        const std::string name = eq == std::string::npos ? t : plat::TrimRight(t.substr(0, eq));
        if (plat::AsciiLower(name) == "key" || plat::AsciiLower(name) == "value")
          miscased.push_back({e.number, name});
      }
    }
    std::string header;
    std::size_t headerLine = 0;
    std::string sameFolded;
    std::size_t sameFoldedLine = 0, keyLine = 0, valueLine = 0;
    std::string keyValue;
    std::vector<std::pair<std::size_t, std::string>> miscased;
  } collector;
  collector.header = token;
  // A fresh store: the dialog's own would carry the Key of an earlier section.
  CBonusConfig store(ctx.platform);
  store.m_pLineObserver = &collector;
  store.ReadSectionRegistryValue(file, token);
  // A section that is there but incomplete is mended at its header.
  const std::vector<Note> named = {ctx.NoteAt(at, keyName + " names the section " + token + " here")};
  if (collector.headerLine == 0) {
    if (!collector.sameFolded.empty())
      ctx.Error(Rule::TokenSectionIncomplete, {file, collector.sameFoldedLine},
                collector.sameFolded + " is not " + token + ", the section " + keyName +
                    " names: section headers compare in exact case",
                "write " + token, named);
    else
      ctx.Error(Rule::TokenSectionIncomplete, at,
                keyName + " names the section " + token + ", which is not in " + ctx.Rel(file) +
                    ": the token reads whatever key an earlier section left behind, or nothing",
                "add the section, with Key= and Value= lines, to " + ctx.Name(k) + ".cfg");
    return;
  }
  for (const auto& [number, name] : collector.miscased)
    ctx.report.Error(Rule::TokenSectionIncomplete, file, number,
                     Q(name) + " is neither Key nor Value: names compare in exact case",
                     "write \"" + std::string(plat::AsciiLower(name) == "key" ? "Key" : "Value") + "\"");
  const Place header = {file, collector.headerLine};
  if (collector.keyLine == 0) {
    ctx.Error(Rule::TokenSectionIncomplete, header,
              "the section " + token +
                  " has no Key line: the token reads whatever key an earlier section left behind, or nothing",
              "add Key=HKEY_LOCAL_MACHINE\\...", named);
  } else {
    CheckRoot(ctx, {file, collector.keyLine}, "the Key", collector.keyValue, "the token reads nothing");
  }
  if (collector.valueLine == 0)
    ctx.Warning(Rule::TokenSectionIncomplete, header,
                "the section " + token + " has no Value line: the key's default value is read",
                "add Value=<name>, or an empty Value= to say that the default value is meant", named);
}

void CheckFileVersionText(CheckContext& ctx, int k, const std::string& version) {
  CBonusConfig scratch(ctx.platform);
  scratch.SplitIntoList(version, ".,");
  const std::array<int, 4> fields = install::ReferenceVersion(scratch, version);
  std::string parsed;
  for (std::size_t i = 0; i < 4; ++i) parsed += (i > 0 ? "." : "") + std::to_string(fields[i]);
  bool ok = !scratch.m_saList.empty();
  for (std::size_t i = 0; i < scratch.m_saList.size() && i < 4; ++i)
    if (!IsDigits(scratch.m_saList[i])) ok = false;
  if (!ok)
    ctx.Error(Rule::VersionUnparsable, ctx.KeyLoc("Version", k),
              "Version " + Q(version) + " does not parse for the file check: it reads as " + parsed +
                  " (missing fields are -1)",
              "write up to four numbers separated by \".\" or \",\", e.g. 5.0.0.0");
  else if (scratch.m_saList.size() > 4)
    ctx.Warning(Rule::VersionUnparsable, ctx.KeyLoc("Version", k),
                "Version " + Q(version) + " has more than four numbers: only " + parsed + " count");
}

}  // namespace

void CheckTokens(CheckContext& ctx, int k) {
  const std::string file = ctx.CapsuleFile(k);
  for (int n = 1; n <= 10; ++n) {
    const std::string keyName = "Token" + std::to_string(n);
    const std::string token = plat::TrimLeft(ctx.Value(keyName, k));
    const std::string macro = TokenMacro(n);
    // Macros of this token used with an empty token.
    if (token.empty()) {
      for (const char* use : {"Run", "MoreInfoRun", "File"}) {
        if (ctx.Value(use, k).find(macro) != std::string::npos)
          ctx.Warning(Rule::TokenEmpty, ctx.KeyLoc(use, k),
                      std::string(use) + " uses " + macro + ", but " + keyName + " of " + ctx.Label(k) +
                          " is empty: the macro is removed");
      }
      continue;
    }
    if (token.front() != '[') continue;
    if (token.back() != ']') {
      ctx.Warning(
          Rule::TokenSectionIncomplete, ctx.KeyLoc(keyName, k),
          keyName + " " + Q(token) + " has no closing \"]\": it is taken as literal text, not as a section");
      continue;
    }
    CheckTokenSection(ctx, k, keyName, token, file);
  }
}

void CheckVersionKeys(CheckContext& ctx, int k) {
  const std::string registry = plat::TrimLeft(ctx.Value("Registry", k));
  const std::string version = plat::TrimLeft(ctx.Value("Version", k));
  const std::string file = ctx.Value("File", k);
  const std::string askMsg = ctx.Value("AskMsg", k);
  if (!registry.empty()) {
    CheckRoot(ctx, ctx.KeyLoc("Registry", k), "Registry", registry,
              "the check always lets the install go on");
    if (!file.empty())
      ctx.Warning(Rule::VersionKeys, ctx.KeyLoc("File", k),
                  "File is never checked: Registry is set, and only the registry check runs");
    if (version.empty())
      ctx.Warning(Rule::VersionKeys, ctx.KeyLoc("Registry", k),
                  "Registry without Version: every text compares at least equal, so the question is asked "
                  "whenever the key exists");
    if (askMsg.empty())
      ctx.Warning(Rule::VersionKeys, ctx.KeyLoc("Registry", k),
                  "Registry without AskMsg: the registry check shows an empty question box");
    return;
  }
  if (!file.empty()) {
    if (version.empty()) {
      ctx.Warning(Rule::VersionKeys, ctx.KeyLoc("File", k),
                  "File without Version: every installed file passes without a question");
    } else {
      CheckFileVersionText(ctx, k, version);
    }
    if (askMsg.empty())
      ctx.Warning(Rule::VersionKeys, ctx.KeyLoc("File", k), "File without AskMsg: the file check never asks");
    CBonusConfig scratch(ctx.platform);
    scratch.SplitIntoList(ctx.sim.Expand(plat::TrimLeft(file), k), ",");
    if (scratch.m_saList.size() >= 2 && scratch.m_saList[1] == "test")
      ctx.Warning(Rule::VersionUnparsable, ctx.KeyLoc("File", k),
                  "File ends in \",test\": the diagnostic box \"Bonus Test\" is shown at every install",
                  "remove \",test\" before the disk is pressed");
    return;
  }
  if (!version.empty())
    ctx.Warning(Rule::VersionKeys, ctx.KeyLoc("Version", k),
                "Version has no effect without Registry or File");
  if (!askMsg.empty())
    ctx.Warning(Rule::VersionKeys, ctx.KeyLoc("AskMsg", k), "AskMsg is never asked without Registry or File");
}

void CheckMacros(CheckContext& ctx, int k) {
  std::set<std::string> known(FolderMacroNames().begin(), FolderMacroNames().end());
  for (int n = 1; n <= 10; ++n) known.insert(TokenMacro(n));
  for (const char* keyName : {"Run", "MoreInfoRun", "File", "Token1", "Token2", "Token3", "Token4", "Token5",
                              "Token6", "Token7", "Token8", "Token9", "Token10"}) {
    const std::string value = ctx.Value(keyName, k);
    for (std::size_t open = value.find('{'); open != std::string::npos; open = value.find('{', open + 1)) {
      const auto close = value.find('}', open);
      if (close == std::string::npos) break;
      const std::string macro = value.substr(open, close - open + 1);
      if (known.count(macro) != 0) continue;
      std::string hint;
      for (const std::string& m : known)
        if (plat::AsciiLower(m) == plat::AsciiLower(macro)) hint = "macros compare in exact case: write " + m;
      ctx.Warning(
          Rule::UnknownMacro, ctx.KeyLoc(keyName, k),
          std::string(keyName) + " holds " + macro + ", which is no macro: it stays in the text as written",
          hint);
    }
  }
}

}  // namespace checker
