// What every family of checks shares: the simulated run, where its findings
// go, and the names and places of capsules and keys as a finding tells them.
// Each family lives in its own file; RunChecks (Checks.cpp) calls them in the
// order their findings are reported.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "checker/Keys.h"
#include "checker/Report.h"
#include "checker/Simulation.h"

namespace checker {

// A file and a line number (0: the file as a whole).
using Place = std::pair<std::string, std::size_t>;

struct CheckContext {
  CheckContext(Simulation& simulation, Report& findings);

  Simulation& sim;
  Report& report;
  const LineLog& log;
  const CBonusConfig& config;
  CheckerPlatform& platform;

  const std::string& FileOf(LineRef ref) const { return log.ReadOf(ref).path; }
  std::size_t NumberOf(LineRef ref) const { return log.lines[ref].number; }
  Place At(LineRef ref) const { return {FileOf(ref), NumberOf(ref)}; }
  std::string Rel(const std::string& path) const { return platform.DiskRelative(path); }

  // The capsules the set-up counted; entries added later are never loaded.
  int LastCapsule() const { return sim.Dialog().m_nLastCapsule; }
  std::string Folder(int k) const { return CBonusConfig::At(config.m_saPackages, k); }
  std::string Name(int k) const { return CBonusConfig::GetLastPathPart(Folder(k)); }
  std::string CapsuleFile(int k) const { return Folder(k) + "\\" + Name(k) + ".cfg"; }
  std::string Title(int k) const { return CBonusConfig::At(config.m_saTitle, k); }
  // "capsule 2 (Games\Chess)", or its title when it has one.
  std::string Label(int k) const;
  // The value of a key for capsule k (the dialog's own for a dialog-wide key).
  const CString& Value(const KeyInfo& key, int k) const;
  const CString& Value(std::string_view keyName, int k) const { return Value(*FindKey(keyName), k); }

  // The [Packages] line of capsule k: file and line, or the main file as a whole.
  Place EntryLoc(int k) const;
  // Where the key's value for capsule k came from; when no line set it, the
  // first line of the capsule's file, where the key would be added (the main
  // file as a whole for a dialog-wide key).
  Place KeyLoc(std::string_view key, int k) const;

  void Error(Rule rule, const Place& at, std::string message, std::string hint = {},
             std::vector<Note> notes = {});
  void Warning(Rule rule, const Place& at, std::string message, std::string hint = {},
               std::vector<Note> notes = {});
  static Note NoteAt(const Place& at, std::string message) {
    return {at.first, at.second, std::move(message)};
  }
};

// Keys and headers (ChecksLines.cpp): files that cannot be read as text, line
// by line, headers, and where keys stand.
void CheckFiles(CheckContext& ctx);
void CheckLines(CheckContext& ctx);
void CheckHeaders(CheckContext& ctx);
void CheckKeyPlacement(CheckContext& ctx);

// Capsule files, icons and what a capsule starts (ChecksCapsules.cpp); calls
// the per-capsule checks of the other families for each capsule in turn.
void CheckCapsules(CheckContext& ctx);
// The names of every file and folder below the disk folder (`tree`, as
// CheckerHost::Tree tells them).
void CheckDiskNames(CheckContext& ctx, const std::vector<std::string>& tree);

// Tokens, sections, registry and version checks and macros of capsule k
// (ChecksRegistry.cpp).
void CheckTokens(CheckContext& ctx, int k);
void CheckVersionKeys(CheckContext& ctx, int k);
void CheckMacros(CheckContext& ctx, int k);

// The dialog-wide values: icon and row sizes, the order messages, and the
// first-time runs (ChecksDialog.cpp).
void CheckDialogValues(CheckContext& ctx);
void CheckFirstTimeRuns(CheckContext& ctx);

}  // namespace checker
