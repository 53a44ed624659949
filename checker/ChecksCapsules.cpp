// Capsule files and icons: a missing capsule file, icons that shift,
// titles, descriptions and sounds, what a capsule's links and Install
// start, and the names of the disk's files.
#include <algorithm>
#include <cstring>
#include <map>
#include <set>

#include "checker/CheckContext.h"
#include "checker/Checks.h"
#include "checker/Text.h"
#include "platform/Text.h"

namespace checker {

namespace {

void CheckIcons(CheckContext& ctx) {
  const RecordingView& view = ctx.sim.View();
  // A disk without any icons shows none anywhere: nothing shifts.
  if (view.icons.empty()) return;
  const int reached = ctx.sim.StoppedAt() ? *ctx.sim.StoppedAt() : ctx.LastCapsule() + 1;
  std::set<int> withIcon;
  for (const RecordingView::Icon& icon : view.icons) withIcon.insert(icon.capsule);
  // What each tree item shows: image k is the k-th icon appended.
  std::map<int, std::string> wrong;
  std::map<int, int> shown;  // image number -> capsule whose icon it shows, -1 none
  for (const RecordingView::Item& item : view.items) {
    const std::size_t k = static_cast<std::size_t>(item.image);
    const int owner = k < view.icons.size() ? view.icons[k].capsule : -1;
    if (owner == item.image) continue;
    shown[item.image] = owner;
    wrong[item.image] =
        owner < 0 ? Q(item.text) + " shows none" : Q(item.text) + " shows the icon of " + ctx.Label(owner);
  }
  for (int k = 0; k < reached; ++k) {
    if (withIcon.count(k) != 0) continue;
    const std::string icon = ctx.Folder(k) + "\\" + ctx.Name(k) + ".ico";
    const bool exists = ctx.sim.Dialog().m_config.FileExists(icon, false, CString());
    std::string message =
        exists ? ctx.Rel(icon) + " holds no icon the system can read, so " + ctx.Label(k) + " has none"
               : "no icon " + ctx.Rel(icon) + " for " + ctx.Label(k);
    std::vector<std::string> affected;
    bool moved = false;
    for (const auto& [image, text] : wrong) {
      if (image < k) continue;
      affected.push_back(text);
      moved = moved || image > k || shown[image] >= 0;
    }
    // When no item shows another capsule's picture (the last capsule has
    // none), the item simply shows a blank place, which a disk may want.
    if (!moved) continue;
    message += ": every later icon moves up one place: ";
    for (std::size_t i = 0; i < affected.size(); ++i) message += (i > 0 ? ", " : "") + affected[i];
    ctx.Warning(Rule::IconMissing, ctx.EntryLoc(k), message,
                "give every capsule an icon: the tree's images are counted by capsule, not by item");
  }
}

void CheckTitles(CheckContext& ctx) {
  std::map<std::string, int> first;
  for (int k = 0; k <= ctx.LastCapsule(); ++k) {
    if (ctx.sim.StoppedAt() && k == *ctx.sim.StoppedAt()) continue;
    const std::string title = ctx.Title(k);
    if (title.empty()) {
      ctx.Warning(Rule::TitleEmpty, ctx.KeyLoc("Title", k),
                  "capsule " + std::to_string(k) + " (" + Q(ctx.Rel(ctx.Folder(k))) +
                      ") has no Title: it gets no tree item and cannot be selected or installed",
                  {}, {ctx.NoteAt(ctx.EntryLoc(k), "listed here as capsule " + std::to_string(k))});
      continue;
    }
    auto [it, fresh] = first.emplace(title, k);
    if (!fresh) {
      ctx.Error(Rule::TitleDuplicate, ctx.KeyLoc("Title", k),
                "the Title " + Q(title) + " is also the title of capsule " + std::to_string(it->second) +
                    ": selecting either selects that one, so this capsule can never be selected",
                "give every capsule its own Title",
                {ctx.NoteAt(ctx.KeyLoc("Title", it->second),
                            "capsule " + std::to_string(it->second) + " has the same Title here")});
    }
  }
}

void CheckMoreInfo(CheckContext& ctx, int k, const CapsuleRun* run) {
  const std::string title = ctx.Value("MoreInfoTitle", k);
  const std::string value = plat::TrimLeft(ctx.Value("MoreInfoRun", k));
  if (value.empty()) {
    if (!title.empty())
      ctx.Warning(Rule::MoreInfoTargetMissing, ctx.KeyLoc("MoreInfoTitle", k),
                  "MoreInfoTitle without MoreInfoRun: the link never shows");
    return;
  }
  if (title.empty())
    ctx.Warning(Rule::MoreInfoTargetMissing, ctx.KeyLoc("MoreInfoRun", k),
                "MoreInfoRun without MoreInfoTitle: at selection the link shows with no text, and after an "
                "install it is hidden");
  const std::string first = plat::Trim(value.substr(0, value.find(',')));
  if (!first.empty() && first.front() == '"') {
    ctx.Error(Rule::MoreInfoQuoted, ctx.KeyLoc("MoreInfoRun", k),
              "MoreInfoRun is in double quotes: at selection the quotes stay part of the file name, so the "
              "link stays hidden",
              "write it without quotes (a comma cannot be protected by quotes anyway)");
    return;
  }
  if (run == nullptr || run->selected != k || title.empty()) return;
  if (run->moreInfoShown.value_or(false)) return;
  if (ctx.platform.OnDisk(run->moreInfoPath))
    ctx.Warning(
        Rule::MoreInfoTargetMissing, ctx.KeyLoc("MoreInfoRun", k),
        "the MoreInfo target " + ctx.Rel(run->moreInfoPath) + " is not on the disk: the link stays hidden",
        value.find('{') == std::string::npos ? "without a macro the path is taken in the capsule's folder"
                                             : std::string());
}

bool Launched(const CapsuleRun& run) {
  for (const PlatformCall& call : run.installCalls) {
    if (call.kind == PlatformCall::Kind::ShellExecute || call.kind == PlatformCall::Kind::LoadLibrary)
      return true;
    if (call.kind == PlatformCall::Kind::CreateProcess &&
        std::find(run.companionShorts.begin(), run.companionShorts.end(), call.path) ==
            run.companionShorts.end())
      return true;
  }
  return false;
}

void CheckRun(CheckContext& ctx, int k, const CapsuleRun* run) {
  const std::string raw = ctx.Value("Run", k);
  const std::string value = plat::TrimLeft(raw);
  const auto at = ctx.KeyLoc("Run", k);
  if (value.empty()) {
    bool companion = false;
    if (run != nullptr)
      for (const std::string& s : run->companionShorts) companion = companion || !s.empty();
    if (run != nullptr && run->selected == k && !companion)
      ctx.Warning(Rule::RunMissing, at, "no Run for " + ctx.Label(k) + ": Install starts nothing", {},
                  {ctx.NoteAt(ctx.EntryLoc(k), "listed here as capsule " + std::to_string(k))});
    return;
  }
  const bool macro = value.find('{') != std::string::npos;
  if (!macro && value.find(',') != std::string::npos) {
    ctx.Error(Rule::RunComma, at,
              "Run has no macro, so " + Q(value) +
                  " is one file name, comma included: the argument is never passed",
              "start the value with a folder macro to pass an argument: {SRC_DIR}\\" +
                  ctx.Rel(ctx.Folder(k)) + "\\" + value.substr(0, value.find(',')) + "," +
                  plat::TrimLeft(value.substr(value.find(',') + 1)));
    return;
  }
  if (!macro && value.front() == '"') {
    ctx.Error(Rule::RunComma, at,
              "Run has no macro, so its double quotes are part of the file name: nothing is started",
              "write it without quotes");
    return;
  }
  if (run == nullptr || run->selected != k) return;
  const std::string& program = run->command.program;
  if (Launched(*run)) {
    for (const PlatformCall& call : run->installCalls) {
      if (call.kind == PlatformCall::Kind::LoadLibrary && call.handle == 0)
        ctx.Warning(Rule::RunMissing, at,
                    "Run names the script " + ctx.Rel(program) + ", but the script library " +
                        CBonusConfig::GetLastPathPart(call.path) +
                        " is neither beside the program nor in the system folders: nothing is started");
    }
    const auto dot = program.rfind('.');
    if (dot != std::string::npos && program.size() - dot == 2 && !run->command.argument.empty())
      ctx.Warning(
          Rule::RunMissing, at,
          "a program with a one-letter extension is started by process creation, without its argument " +
              Q(run->command.argument));
    return;
  }
  const bool exists = ctx.sim.Dialog().m_config.FileExists(program, false, CString());
  if (!exists) {
    if (ctx.platform.OnDisk(program) || !macro)
      ctx.Error(Rule::RunMissing, at,
                "Run names " + ctx.Rel(program) + ", which is not on the disk: Install starts nothing",
                macro ? std::string() : "without a macro the path is taken in the capsule's folder");
    return;
  }
  const auto dot = program.rfind('.');
  if (dot == std::string::npos || dot + 1 == program.size())
    ctx.Error(Rule::RunMissing, at,
              "the program " + ctx.Rel(program) + " has no extension: Install starts nothing");
}

void CheckDisabled(CheckContext& ctx, int k) {
  const std::string value = ctx.Value("Disabled", k);
  const std::string trimmed = plat::TrimLeft(value);
  if (trimmed.empty() || trimmed == "1" || trimmed == "0") return;
  ctx.Warning(Rule::DisabledValue, ctx.KeyLoc("Disabled", k),
              "Disabled=" + value + " leaves the Install button enabled: only \"1\" disables it",
              "write Disabled=1, or remove the line");
}

void CheckDisclaimer(CheckContext& ctx, int k) {
  const std::string value = plat::TrimLeft(ctx.Value("Disclaimer", k));
  if (value.empty() || IsInteger(value)) return;
  const bool shown = plat::ParseLeadingInt(value) != 0;
  ctx.Warning(Rule::DisclaimerNotNumber, ctx.KeyLoc("Disclaimer", k),
              "Disclaimer " + Q(value) + " is not a number: it reads as " +
                  std::to_string(plat::ParseLeadingInt(value)) +
                  (shown ? ", so the confirmation is shown" : ", so no confirmation is shown"),
              "write Disclaimer=1 for the confirmation, or 0");
}

}  // namespace

void CheckCapsules(CheckContext& ctx) {
  const int last = ctx.LastCapsule();
  const std::optional<int> stopped = ctx.sim.StoppedAt();
  if (stopped) {
    ctx.Error(Rule::CapsuleFileMissing, ctx.EntryLoc(*stopped),
              "the capsule file " + ctx.Rel(ctx.CapsuleFile(*stopped)) +
                  " does not exist: the installer shows \"Error: ... doesn't exist.\" and closes; capsules "
                  "from here on are never shown",
              Q(ctx.Name(*stopped) + ".cfg") +
                  " must lie in the capsule folder; an entry is taken whole (\"=\" and \";\" included) and "
                  "named after its last \"\\\" part");
  }
  CheckIcons(ctx);
  CheckTitles(ctx);
  bool anySound = false;
  for (const CapsuleRun& run : ctx.sim.Runs())
    if (run.selected == run.capsule && !run.soundPlayed.empty()) anySound = true;
  for (int k = 0; k <= last; ++k) {
    if (stopped && k == *stopped) continue;
    const CapsuleRun* run = ctx.sim.RunOf(k);
    const bool selectable = run != nullptr && run->selected == k;
    if (selectable) {
      if (!run->descriptionLoaded)
        ctx.Warning(
            Rule::DescriptionMissing, ctx.EntryLoc(k),
            "no description " + ctx.Rel(ctx.Folder(k) + "\\" + ctx.Name(k) + ".rtf") + " for " +
                ctx.Label(k) +
                ": selecting it leaves the pane as it was (the picture, or the capsule selected before)");
      if (anySound && run->soundPlayed.empty())
        ctx.Warning(Rule::SoundMissing, ctx.EntryLoc(k),
                    "no sound " + ctx.Rel(ctx.Folder(k) + "\\" + ctx.Name(k) + ".wav") + " for " +
                        ctx.Label(k) + ", while other capsules have one");
    }
    CheckMoreInfo(ctx, k, run);
    CheckRun(ctx, k, run);
    CheckDisabled(ctx, k);
    CheckDisclaimer(ctx, k);
    CheckTokens(ctx, k);
    CheckVersionKeys(ctx, k);
    CheckMacros(ctx, k);
  }
}

std::string JolietProblem(const std::string& name) {
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) return "holds a control character, which Joliet forbids";
    if (std::strchr("*/:;?\\", c) != nullptr) return std::string("holds \"") + c + "\", which Joliet forbids";
  }
  const std::size_t units = Utf16Length(name);
  if (units > 64) return "is " + std::to_string(units) + " characters long, and Joliet keeps at most 64";
  return {};
}

void CheckDiskNames(CheckContext& ctx, const std::vector<std::string>& tree) {
  for (const std::string& relative : tree) {
    const std::string name = relative.substr(relative.rfind('/') + 1);
    const std::string problem = JolietProblem(name);
    if (problem.empty()) continue;
    std::string path = ctx.platform.Layout().dataFolder + "\\" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    ctx.Error(Rule::JolietName, {path, 0},
              "the name " + Q(name) + " " + problem + ": it cannot be pressed as it is",
              "rename it: at most 64 characters, none of * / : ; ? \\ and no control characters");
  }
}

}  // namespace checker
