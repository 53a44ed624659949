#include "checker/Checks.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

#include "platform/Text.h"
#include "checker/Keys.h"
#include "checker/Text.h"
#include "config/FirstTimeRun.h"
#include "install/VersionCheck.h"
#include "resources/StringTable.h"

namespace check {

namespace {

using Kind = ConfigLineEvent::Kind;

struct Mark {
  const char* bytes;
  const char* what;
};

// Longest first, so that a UTF-8 sequence is not taken for its first byte.
constexpr Mark kInvisibleMarks[] = {
    {"\xEF\xBB\xBF", "a UTF-8 byte-order mark"},
    {"\xE2\x80\x8B", "a zero-width space"},
    {"\xE2\x80\x8C", "a zero-width non-joiner"},
    {"\xE2\x80\x8D", "a zero-width joiner"},
    {"\xE2\x80\x83", "an em space"},
    {"\xE2\x80\x82", "an en space"},
    {"\xC2\xA0", "a UTF-8 no-break space"},
    {"\xFF\xFE", "a UTF-16 byte-order mark"},
    {"\xFE\xFF", "a UTF-16 byte-order mark"},
    {"\xA0", "a no-break space"},
};

// One invisible mark at position `at` of `text` (from the end when
// `backwards`), or nothing.
const Mark* MarkAt(const std::string& text, std::size_t at, bool backwards) {
  for (const Mark& mark : kInvisibleMarks) {
    const std::string m = mark.bytes;
    if (backwards) {
      if (at >= m.size() && text.compare(at - m.size(), m.size(), m) == 0) return &mark;
    } else if (text.compare(at, m.size(), m) == 0) {
      return &mark;
    }
  }
  return nullptr;
}

bool IsControl(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b < 0x20 && c != '\t') || b == 0x7F;
}

}  // namespace

Invisible LeadingInvisible(const std::string& text) {
  Invisible out;
  while (out.length < text.size()) {
    if (const Mark* mark = MarkAt(text, out.length, false)) {
      if (out.what.empty()) out.what = mark->what;
      out.length += std::string(mark->bytes).size();
    } else if (IsControl(text[out.length]) || text[out.length] == ' ') {
      if (out.what.empty() && text[out.length] != ' ') out.what = "a control character";
      ++out.length;
    } else {
      break;
    }
  }
  if (out.what.empty()) out.length = 0;
  return out;
}

Invisible TrailingInvisible(const std::string& text) {
  Invisible out;
  std::size_t end = text.size();
  while (end > 0) {
    if (const Mark* mark = MarkAt(text, end, true)) {
      if (out.what.empty()) out.what = mark->what;
      end -= std::string(mark->bytes).size();
    } else if (IsControl(text[end - 1]) || text[end - 1] == ' ') {
      if (out.what.empty() && text[end - 1] != ' ') out.what = "a control character";
      --end;
    } else {
      break;
    }
  }
  out.length = out.what.empty() ? 0 : text.size() - end;
  return out;
}

namespace {

class Checker {
 public:
  Checker(Simulation& sim, Report& report)
      : sim_(sim), report_(report), log_(sim.Log()), config_(sim.AfterSetUp()), platform_(sim.Platform()) {}

  void Run() {
    CheckFiles();
    CheckLines();
    CheckHeaders();
    CheckKeyPlacement();
    CheckCapsules();
    CheckDialogValues();
    CheckFirstTimeRuns();
  }

 private:
  // ---- locations and names ------------------------------------------------------

  const std::string& FileOf(LineRef ref) const { return log_.ReadOf(ref).path; }
  std::size_t NumberOf(LineRef ref) const { return log_.lines[ref].number; }
  std::string Where(LineRef ref) const {
    return platform_.DiskRelative(FileOf(ref)) + ":" + std::to_string(NumberOf(ref));
  }

  // The capsules the set-up counted; entries added later are never loaded.
  int LastCapsule() const { return sim_.Dialog().m_nLastCapsule; }
  std::string Folder(int k) const { return CBonusConfig::At(config_.m_saPackages, k); }
  std::string Name(int k) const { return CBonusConfig::GetLastPathPart(Folder(k)); }
  std::string CapsuleFile(int k) const { return Folder(k) + "\\" + Name(k) + ".cfg"; }
  std::string Rel(const std::string& path) const { return platform_.DiskRelative(path); }
  const CString& Value(const KeyInfo& key, int k) const {
    return key.DialogWide() ? config_.*key.scalar : CBonusConfig::At(config_.*key.list, k);
  }
  const CString& Value(std::string_view keyName, int k) const { return Value(*FindKey(keyName), k); }
  std::string Title(int k) const { return CBonusConfig::At(config_.m_saTitle, k); }
  // "capsule 2 (Games\Chess)", or its title when it has one.
  std::string Label(int k) const {
    const std::string title = Title(k);
    if (!title.empty()) return Q(title);
    return "capsule " + std::to_string(k) + " (" + Q(Rel(Folder(k))) + ")";
  }

  // The [Packages] line of capsule k: file and line, or the main file as a whole.
  std::pair<std::string, std::size_t> EntryLoc(int k) const {
    if (k >= 0 && static_cast<std::size_t>(k) < log_.entries.size()) {
      const LineRef ref = log_.entries[static_cast<std::size_t>(k)];
      return {FileOf(ref), NumberOf(ref)};
    }
    return {config_.m_sConfigPath, 0};
  }
  // Where the key's value for capsule k came from; the capsule's entry when
  // no line set it.
  std::pair<std::string, std::size_t> KeyLoc(std::string_view key, int k) const {
    const KeyInfo* info = FindKey(key);
    if (auto ref = log_.Origin(std::string(key), info != nullptr && info->DialogWide() ? -1 : k))
      return {FileOf(*ref), NumberOf(*ref)};
    return EntryLoc(k);
  }

  void Error(const std::pair<std::string, std::size_t>& at, std::string message, std::string hint = {}) {
    report_.Error(at.first, at.second, std::move(message), std::move(hint));
  }
  void Warning(const std::pair<std::string, std::size_t>& at, std::string message, std::string hint = {}) {
    report_.Warning(at.first, at.second, std::move(message), std::move(hint));
  }
  std::pair<std::string, std::size_t> At(LineRef ref) const { return {FileOf(ref), NumberOf(ref)}; }

  // ---- the files ------------------------------------------------------------------

  void CheckFiles() {
    for (const FileRead& read : log_.reads) {
      for (std::size_t i = 0; i < read.lineCount; ++i) {
        const LoggedLine& line = log_.lines[read.firstLine + i];
        if (line.raw.find('\0') != std::string::npos) {
          report_.Error(read.path, 1, "the file is saved as UTF-16 text: the reader finds no header and no key in it",
                        "save it as plain 8-bit (ANSI) text");
          break;
        }
      }
    }
  }

  // ---- line by line -----------------------------------------------------------------

  void CheckLines() {
    for (LineRef ref = 0; ref < log_.lines.size(); ++ref) {
      const LoggedLine& line = log_.lines[ref];
      if (line.kind == Kind::Skipped) continue;
      if (line.raw.find('\0') != std::string::npos) continue;
      if (line.kind == Kind::KnownHeader || line.kind == Kind::OtherHeader) continue;
      if (CheckHeaderLookalike(ref)) continue;
      if (CheckAheadOfFirstHeader(ref)) continue;
      if (line.kind == Kind::NoKey) CheckNoKey(ref);
      if (line.kind == Kind::Key) CheckKeyLine(ref);
      if (line.kind == Kind::Entry) CheckEntry(ref);
    }
  }

  // A line that looks like a header but is not one.
  bool CheckHeaderLookalike(LineRef ref) {
    const LoggedLine& line = log_.lines[ref];
    const std::string& text = line.text;
    const std::string effect = line.kind == Kind::Entry
                                   ? "it is taken as a capsule folder of [Packages]"
                                   : line.section.empty() ? "it changes nothing"
                                                          : "it changes nothing, and " + line.section + " stays open";
    const Invisible lead = LeadingInvisible(text);
    if (lead.length > 0) {
      const std::string rest = text.substr(lead.length);
      if (!rest.empty() && rest.front() == '[' && rest.back() == ']') {
        Error(At(ref), Q(rest) + " is no header, because " + lead.what + " stands before it: " + effect,
              "save the file as plain 8-bit (ANSI) text, without a byte-order mark");
        return true;
      }
    }
    if (!text.empty() && text.front() == '[' && text.back() != ']') {
      const auto close = text.find(']');
      if (close != std::string::npos) {
        const std::string after = plat::TrimLeft(text.substr(close + 1));
        std::string hint = "a header line must end with \"]\"";
        if (!after.empty() && after.front() == ';') hint += "; there are no comments after a header: put them on a line of their own";
        Error(At(ref), Q(text) + " is no header, because it does not end with \"]\": " + effect, hint);
      } else {
        Error(At(ref), Q(text) + " looks like a header but has no closing \"]\": " + effect);
      }
      return true;
    }
    return false;
  }

  // Lines before a file's first header.
  bool CheckAheadOfFirstHeader(LineRef ref) {
    const LoggedLine& line = log_.lines[ref];
    if (!line.header.empty()) return false;
    const FileRead& read = log_.ReadOf(ref);
    const bool keyLike = line.text.find('=') != std::string::npos;
    if (line.kind == Kind::Outside) {
      if (keyLike)
        Error(At(ref), Q(line.text) + " stands before the file's first header and is ignored",
              "put it under the header of its section ([TuneUp] or [Version])");
      else
        Warning(At(ref), Q(line.text) + " stands before the file's first header and is ignored");
      return true;
    }
    // In a capsule file the line belongs to the section the previous file left open.
    const std::string previous = read.firstLine > 0 ? Rel(log_.ReadOf(read.firstLine - 1).path) : std::string();
    std::string what = line.kind == Kind::Entry ? "it adds a capsule folder"
                       : line.kind == Kind::Key ? "it sets " + line.key
                                                : "it belongs there";
    Error(At(ref),
          Q(line.text) + " stands before the file's first header, so it belongs to " + line.section +
              ", which " + previous + " left open: " + what,
          "start every file with a header");
    return true;
  }

  void CheckNoKey(LoggedLine const& line, LineRef ref, const std::string& name) {
    const KeySection section =
        line.section == SectionHeader(KeySection::Version) ? KeySection::Version : KeySection::TuneUp;
    const std::string header(SectionHeader(section));
    // Invisible characters around the name.
    const Invisible lead = LeadingInvisible(name);
    const Invisible trail = TrailingInvisible(name);
    const std::string bare = name.substr(lead.length, name.size() - lead.length - trail.length);
    if (lead.length + trail.length > 0) {
      if (const KeyInfo* key = FindKey(bare)) {
        const std::string what = lead.length > 0 ? lead.what + " before the name" : trail.what + " after the name";
        if (key->section == section)
          Error(At(ref), Q(name) + " names no key of " + header + " only because of " + what,
                "remove it; save the file as plain 8-bit (ANSI) text");
        else
          Error(At(ref), Q(name) + " names no key: " + what + "; and " + std::string(key->name) + " is a key of " +
                    std::string(SectionHeader(key->section)) + ", not of " + header);
        return;
      }
    }
    // A key of the other section.
    if (const KeyInfo* key = FindKey(bare)) {
      Error(At(ref), std::string(key->name) + " is a key of " + std::string(SectionHeader(key->section)) +
                         "; in " + header + " it has no effect",
            "move it under " + std::string(SectionHeader(key->section)));
      return;
    }
    // Letter case.
    for (const KeyInfo& key : AllKeys()) {
      if (plat::AsciiLower(key.name) != plat::AsciiLower(bare)) continue;
      if (key.section == section)
        Error(At(ref), Q(name) + " names no key of " + header + ": key names compare in exact case",
              "write \"" + std::string(key.name) + "\"");
      else
        Error(At(ref), Q(name) + " names no key: key names compare in exact case, and \"" + std::string(key.name) +
                  "\" is a key of " + std::string(SectionHeader(key.section)) + ", where it would have to stand");
      return;
    }
    if (bare == "Key" || bare == "Value") {
      Warning(At(ref), bare + " belongs in a registry section named by a token; in " + header + " it has no effect");
      return;
    }
    // A near miss.
    const KeyInfo* nearest = nullptr;
    std::size_t best = 3;
    for (const KeyInfo& key : AllKeys()) {
      if (key.section != section || key.name.size() < 4) continue;
      const std::size_t d = FoldedDistance(bare, key.name, 2);
      if (d < best) {
        best = d;
        nearest = &key;
      }
    }
    if (nearest != nullptr) {
      Error(At(ref), Q(name) + " is no key of " + header + " and is ignored",
            "did you mean \"" + std::string(nearest->name) + "\"?");
      return;
    }
    Warning(At(ref), Q(name) + " is no key of " + header + " and is ignored");
  }

  void CheckNoKey(LineRef ref) {
    const LoggedLine& line = log_.lines[ref];
    const auto equals = line.text.find('=');
    if (equals == std::string::npos) {
      const std::string& t = line.text;
      if (t.front() == '#' || t.compare(0, 2, "//") == 0 || plat::AsciiLower(t.substr(0, 4)) == "rem ")
        Warning(At(ref), Q(t) + " is no comment: only lines that start with \";\" are", "start it with \";\"");
      else if (const KeyInfo* key = FindKey(t.substr(0, t.find_first_of(" :"))))
        Error(At(ref), Q(t) + " has no \"=\", so " + std::string(key->name) + " is not set",
              "write \"" + std::string(key->name) + "=...\"");
      else
        Warning(At(ref), Q(t) + " has no \"=\" and is ignored");
      return;
    }
    const std::string name = plat::TrimRight(line.text.substr(0, equals));
    CheckNoKey(line, ref, name);
  }

  void CheckKeyLine(LineRef ref) {
    const LoggedLine& line = log_.lines[ref];
    // An end-of-line comment is part of the value.
    const auto semicolon = line.value.find(" ;");
    if (semicolon != std::string::npos)
      Warning(At(ref), line.key + " is " + Q(line.value) + ": a \";\" after the value is part of it, not a comment",
              "put comments on a line of their own");
    // A TAB inside the value is deleted, not turned into a blank.
    const auto equals = line.raw.find('=');
    if (equals != std::string::npos) {
      const std::string rawValue = plat::Trim(line.raw.substr(equals + 1));
      const auto tab = rawValue.find('\t');
      if (tab != std::string::npos && tab > 0 && rawValue.find_first_not_of('\t', tab) != std::string::npos)
        Warning(At(ref), "a TAB in the value of " + line.key + " is deleted, not turned into a blank: the value reads " +
                             Q(line.value),
                "use blanks");
    }
  }

  void CheckEntry(LineRef ref) {
    const LoggedLine& line = log_.lines[ref];
    const FileRead& read = log_.ReadOf(ref);
    if (!read.main) {
      Error(At(ref), "a [Packages] entry in a capsule file: the capsule tree was counted before this file was read, so " +
                         Q(line.text) + " is never shown",
            "list every capsule folder in the main file");
    }
  }

  // ---- headers --------------------------------------------------------------------------

  void CheckHeaders() {
    for (LineRef ref = 0; ref < log_.lines.size(); ++ref) {
      const LoggedLine& line = log_.lines[ref];
      if (line.kind != Kind::OtherHeader) continue;
      const FileRead& read = log_.ReadOf(ref);
      const std::string& text = line.text;
      // A registry section that a token of this capsule names is what it should be.
      bool named = false;
      for (int n = 1; n <= 10; ++n)
        if (plat::TrimLeft(Value("Token" + std::to_string(n), read.capsule)) == text) named = true;
      if (!read.main && named) continue;
      const std::string inner = text.substr(1, text.size() - 2);
      // Blanks and invisible characters inside the brackets.
      std::string squeezed;
      for (std::size_t i = 0; i < inner.size();) {
        const Invisible inv = LeadingInvisible(inner.substr(i));
        if (inv.length > 0) {
          i += inv.length;
          continue;
        }
        if (inner[i] != ' ') squeezed.push_back(inner[i]);
        ++i;
      }
      bool reported = false;
      for (std::string_view known : KnownHeaders()) {
        const std::string k(known);
        if ("[" + squeezed + "]" == k) {
          Error(At(ref), Q(text) + " is not " + k + ": blanks and invisible characters inside the brackets count; the lines up to the next known header are ignored",
                "write " + k);
          reported = true;
        } else if (plat::AsciiLower("[" + squeezed + "]") == plat::AsciiLower(k)) {
          Error(At(ref), Q(text) + " is not " + k + ": headers compare in exact case; the lines up to the next known header are ignored",
                "write " + k);
          reported = true;
        } else if (FoldedDistance(squeezed, k.substr(1, k.size() - 2), 2) <= 2) {
          Error(At(ref), "unknown header " + Q(text) + ": the lines up to the next known header are ignored",
                "did you mean " + k + "?");
          reported = true;
        }
        if (reported) break;
      }
      if (reported) continue;
      if (std::find(UnreadHeaders().begin(), UnreadHeaders().end(), text) != UnreadHeaders().end()) {
        Warning(At(ref), "nothing reads a section " + text + ": its lines have no effect");
        continue;
      }
      if (read.main) {
        Warning(At(ref), "unknown header " + Q(text) + " in the main file: the lines up to the next known header are ignored",
                "registry sections belong in the capsule file whose token names them");
        continue;
      }
      if (!named)
        Warning(At(ref), "section " + text + " is named by no token of " + Label(read.capsule) + ": nothing reads it",
                "name it with a token, e.g. \"Token1=" + text + "\", or remove it");
    }
  }

  // ---- where keys stand -------------------------------------------------------------

  void CheckKeyPlacement() {
    // Height and Distance are taken before the capsule files are read; Test,
    // Run1, Run2 and the order dialog's keys are read from the main file only.
    static const std::set<std::string> kNoEffectInCapsule = {"Test", "Height", "Distance", "Run1", "Run2",
                                                             "OrderURLmsg", "OrderURL"};
    for (const auto& [slot, refs] : log_.keyLines) {
      const std::string& keyName = slot.first;
      const KeyInfo* key = FindKey(keyName);
      if (key == nullptr) continue;
      // The same key twice in one read.
      for (std::size_t i = 1; i < refs.size(); ++i) {
        if (log_.lines[refs[i]].read == log_.lines[refs[i - 1]].read)
          Warning(At(refs[i]), keyName + " is set again (first on line " + std::to_string(NumberOf(refs[i - 1])) +
                                   "): the last line wins");
      }
      for (LineRef ref : refs) {
        const FileRead& read = log_.ReadOf(ref);
        if (key->DialogWide() && !read.main) {
          if (kNoEffectInCapsule.count(keyName) != 0)
            Warning(At(ref), keyName + " has no effect in a capsule file: it is taken from the main file only",
                    "move it to the main file");
          else
            Warning(At(ref), keyName + " is a key of the whole dialog: set in a capsule file it replaces the main file's value once this file is read",
                    "set it in the main file only");
        }
        if (!key->DialogWide() && read.main) {
          const auto own = log_.Origin(keyName, 0);
          if (LastCapsule() < 0) {
            Warning(At(ref), keyName + " is a key of one capsule: in the main file it is stored for capsule 0, and there is none");
          } else if (own && !log_.ReadOf(*own).main) {
            Warning(At(ref), keyName + " is a key of one capsule: in the main file it is stored for capsule 0 (" +
                                 Label(0) + "), whose own file sets it again at " + Where(*own) + ", so this line has no effect",
                    "per-capsule keys in the main file are no defaults for all capsules");
          } else {
            Warning(At(ref), keyName + " is a key of one capsule: in the main file it is stored for capsule 0 (" + Label(0) + ") only",
                    "per-capsule keys in the main file are no defaults for all capsules; set it in the capsule's own file");
          }
        }
        if (keyName == "Description")
          Warning(At(ref), "Description is kept but never used: the description pane shows the capsule's own " +
                               (read.main ? std::string("<name>.rtf") : Name(read.capsule) + ".rtf"));
        if (keyName == "PromptType") Warning(At(ref), "PromptType is kept but never used: it has no effect");
      }
    }
  }

  // ---- per capsule --------------------------------------------------------------------

  void CheckCapsules() {
    const int last = LastCapsule();
    const std::optional<int> stopped = sim_.StoppedAt();
    if (stopped) {
      Error(EntryLoc(*stopped),
            "the capsule file " + Rel(CapsuleFile(*stopped)) + " does not exist: the installer shows \"Error: ... doesn't exist.\" and closes; capsules from here on are never shown",
            Q(Name(*stopped) + ".cfg") + " must lie in the capsule folder; an entry is taken whole (\"=\" and \";\" included) and named after its last \"\\\" part");
    }
    CheckIcons();
    CheckTitles();
    bool anySound = false;
    for (const CapsuleRun& run : sim_.Runs())
      if (run.selected == run.capsule && !run.soundPlayed.empty()) anySound = true;
    for (int k = 0; k <= last; ++k) {
      if (stopped && k == *stopped) continue;
      const CapsuleRun* run = sim_.RunOf(k);
      const bool selectable = run != nullptr && run->selected == k;
      if (selectable) {
        if (!run->descriptionLoaded)
          Warning(EntryLoc(k), "no description " + Rel(Folder(k) + "\\" + Name(k) + ".rtf") + " for " + Label(k) +
                                   ": selecting it leaves the pane as it was (the picture, or the capsule selected before)");
        if (anySound && run->soundPlayed.empty())
          Warning(EntryLoc(k), "no sound " + Rel(Folder(k) + "\\" + Name(k) + ".wav") + " for " + Label(k) +
                                   ", while other capsules have one");
      }
      CheckMoreInfo(k, run);
      CheckRun(k, run);
      CheckDisabled(k);
      CheckDisclaimer(k);
      CheckTokens(k);
      CheckVersionKeys(k);
      CheckMacros(k);
    }
  }

  void CheckIcons() {
    const RecordingView& view = sim_.View();
    // A disk without any icons shows none anywhere: nothing shifts.
    if (view.icons.empty()) return;
    const int reached = sim_.StoppedAt() ? *sim_.StoppedAt() : LastCapsule() + 1;
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
      wrong[item.image] = owner < 0 ? Q(item.text) + " shows none" : Q(item.text) + " shows the icon of " + Label(owner);
    }
    for (int k = 0; k < reached; ++k) {
      if (withIcon.count(k) != 0) continue;
      const std::string icon = Folder(k) + "\\" + Name(k) + ".ico";
      const bool exists = sim_.Dialog().m_config.FileExists(icon, false, CString());
      std::string message = exists ? Rel(icon) + " holds no icon the system can read, so " + Label(k) + " has none"
                                   : "no icon " + Rel(icon) + " for " + Label(k);
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
      Warning(EntryLoc(k), message, "give every capsule an icon: the tree's images are counted by capsule, not by item");
    }
  }

  void CheckTitles() {
    std::map<std::string, int> first;
    for (int k = 0; k <= LastCapsule(); ++k) {
      if (sim_.StoppedAt() && k == *sim_.StoppedAt()) continue;
      const std::string title = Title(k);
      if (title.empty()) {
        Warning(EntryLoc(k), "capsule " + std::to_string(k) + " (" + Q(Rel(Folder(k))) +
                                 ") has no Title: it gets no tree item and cannot be selected or installed");
        continue;
      }
      auto [it, fresh] = first.emplace(title, k);
      if (!fresh) {
        const auto earlier = KeyLoc("Title", it->second);
        Error(KeyLoc("Title", k),
              "the Title " + Q(title) + " is also the title of capsule " + std::to_string(it->second) + " (" +
                  platform_.DiskRelative(earlier.first) + ":" + std::to_string(earlier.second) +
                  "): selecting either selects that one, so this capsule can never be selected",
              "give every capsule its own Title");
      }
    }
  }

  void CheckMoreInfo(int k, const CapsuleRun* run) {
    const std::string title = Value("MoreInfoTitle", k);
    const std::string value = plat::TrimLeft(Value("MoreInfoRun", k));
    if (value.empty()) {
      if (!title.empty())
        Warning(KeyLoc("MoreInfoTitle", k), "MoreInfoTitle without MoreInfoRun: the link never shows");
      return;
    }
    if (title.empty())
      Warning(KeyLoc("MoreInfoRun", k),
              "MoreInfoRun without MoreInfoTitle: at selection the link shows with no text, and after an install it is hidden");
    const std::string first = plat::Trim(value.substr(0, value.find(',')));
    if (!first.empty() && first.front() == '"') {
      Error(KeyLoc("MoreInfoRun", k),
            "MoreInfoRun is in double quotes: at selection the quotes stay part of the file name, so the link stays hidden",
            "write it without quotes (a comma cannot be protected by quotes anyway)");
      return;
    }
    if (run == nullptr || run->selected != k || title.empty()) return;
    if (run->moreInfoShown.value_or(false)) return;
    if (platform_.OnDisk(run->moreInfoPath))
      Warning(KeyLoc("MoreInfoRun", k),
              "the MoreInfo target " + Rel(run->moreInfoPath) + " is not on the disk: the link stays hidden",
              value.find('{') == std::string::npos ? "without a macro the path is taken in the capsule's folder"
                                                   : std::string());
  }

  bool Launched(const CapsuleRun& run) const {
    for (const PlatformCall& call : run.installCalls) {
      if (call.kind == PlatformCall::Kind::ShellExecute || call.kind == PlatformCall::Kind::LoadLibrary) return true;
      if (call.kind == PlatformCall::Kind::CreateProcess &&
          std::find(run.companionShorts.begin(), run.companionShorts.end(), call.path) == run.companionShorts.end())
        return true;
    }
    return false;
  }

  void CheckRun(int k, const CapsuleRun* run) {
    const std::string raw = Value("Run", k);
    const std::string value = plat::TrimLeft(raw);
    const auto at = KeyLoc("Run", k);
    if (value.empty()) {
      bool companion = false;
      if (run != nullptr)
        for (const std::string& s : run->companionShorts) companion = companion || !s.empty();
      if (run != nullptr && run->selected == k && !companion)
        Warning(at, "no Run for " + Label(k) + ": Install starts nothing");
      return;
    }
    const bool macro = value.find('{') != std::string::npos;
    if (!macro && value.find(',') != std::string::npos) {
      Error(at, "Run has no macro, so " + Q(value) + " is one file name, comma included: the argument is never passed",
            "start the value with a folder macro to pass an argument: {SRC_DIR}\\" + Rel(Folder(k)) + "\\" +
                value.substr(0, value.find(',')) + "," + plat::TrimLeft(value.substr(value.find(',') + 1)));
      return;
    }
    if (!macro && value.front() == '"') {
      Error(at, "Run has no macro, so its double quotes are part of the file name: nothing is started",
            "write it without quotes");
      return;
    }
    if (run == nullptr || run->selected != k) return;
    const std::string& program = run->command.program;
    if (Launched(*run)) {
      for (const PlatformCall& call : run->installCalls) {
        if (call.kind == PlatformCall::Kind::LoadLibrary && call.handle == 0)
          Warning(at, "Run names the script " + Rel(program) + ", but the script library " + call.path +
                          " is neither beside the program nor in the system folders: nothing is started");
      }
      const auto dot = program.rfind('.');
      if (dot != std::string::npos && program.size() - dot == 2 && !run->command.argument.empty())
        Warning(at, "a program with a one-letter extension is started by process creation, without its argument " +
                        Q(run->command.argument));
      return;
    }
    const bool exists = sim_.Dialog().m_config.FileExists(program, false, CString());
    if (!exists) {
      if (platform_.OnDisk(program) || !macro)
        Error(at, "Run names " + Rel(program) + ", which is not on the disk: Install starts nothing",
              macro ? std::string() : "without a macro the path is taken in the capsule's folder");
      return;
    }
    const auto dot = program.rfind('.');
    if (dot == std::string::npos || dot + 1 == program.size())
      Error(at, "the program " + Rel(program) + " has no extension: Install starts nothing");
  }

  void CheckDisabled(int k) {
    const std::string value = Value("Disabled", k);
    const std::string trimmed = plat::TrimLeft(value);
    if (trimmed.empty() || trimmed == "1" || trimmed == "0") return;
    Warning(KeyLoc("Disabled", k), "Disabled=" + value + " leaves the Install button enabled: only \"1\" disables it",
            "write Disabled=1, or remove the line");
  }

  void CheckDisclaimer(int k) {
    const std::string value = plat::TrimLeft(Value("Disclaimer", k));
    if (value.empty() || IsInteger(value)) return;
    const bool shown = plat::ParseLeadingInt(value) != 0;
    Warning(KeyLoc("Disclaimer", k),
            "Disclaimer " + Q(value) + " is not a number: it reads as " + std::to_string(plat::ParseLeadingInt(value)) +
                (shown ? ", so the confirmation is shown" : ", so no confirmation is shown"),
            "write Disclaimer=1 for the confirmation, or 0");
  }

  // A registry path's root as the program finds it.
  void CheckRoot(const std::pair<std::string, std::size_t>& at, const std::string& what, const std::string& path,
                 const std::string& consequence) {
    const std::string p = plat::TrimLeft(path);
    if (p.empty()) return;
    struct Root {
      const char* search;
      std::size_t prefix;
    };
    static constexpr Root kRoots[] = {{"HKEY_LOCAL_MACHINE\\", 19}, {"HKEY_CLASSES_ROOT", 18},
                                      {"HKEY_USERS", 11}, {"HKEY_CURRENT_USER", 18}};
    const Root* found = nullptr;
    std::size_t pos = std::string::npos;
    for (const Root& root : kRoots) {
      pos = p.find(root.search);
      if (pos != std::string::npos) {
        found = &root;
        break;
      }
    }
    if (found == nullptr) {
      const std::string first = p.substr(0, p.find('\\'));
      std::string hint = "write the root in full and in capitals: HKEY_LOCAL_MACHINE\\, HKEY_CURRENT_USER\\, HKEY_CLASSES_ROOT\\ or HKEY_USERS\\";
      const std::string f = plat::AsciiLower(first);
      if (f == "hklm") hint = "write HKEY_LOCAL_MACHINE\\";
      if (f == "hkcu") hint = "write HKEY_CURRENT_USER\\";
      if (f == "hkcr") hint = "write HKEY_CLASSES_ROOT\\";
      if (f == "hku") hint = "write HKEY_USERS\\";
      if (f == "hkey_local_machine" && first == "HKEY_LOCAL_MACHINE" && p.size() == first.size())
        hint = "HKEY_LOCAL_MACHINE needs the \"\\\" and a key after it";
      Error(at, what + " " + Q(p) + " starts with no root the program recognises: " + consequence, hint);
      return;
    }
    const std::string name(found->search);
    const std::string bare = name.back() == '\\' ? name.substr(0, name.size() - 1) : name;
    if (p.find('/') != std::string::npos) {
      Error(at, what + " " + Q(p) + " holds \"/\": registry keys are separated by \"\\\", and \"/\" is part of a key's name, so " + consequence,
            "write \"\\\" between the keys");
      return;
    }
    if (pos != 0) {
      Error(at, what + " " + Q(p) + " does not start with its root " + bare +
                    ": the program still takes that root but cuts the path by its length",
            "start the path with the root");
      return;
    }
    if (p.size() > found->prefix - 1 && p[found->prefix - 1] != '\\')
      Error(at, what + " " + Q(p) + ": " + bare + " must be followed by \"\\\", or the character after it is cut off in its place",
            "write " + bare + "\\...");
  }

  void CheckTokens(int k) {
    const std::string file = CapsuleFile(k);
    for (int n = 1; n <= 10; ++n) {
      const std::string keyName = "Token" + std::to_string(n);
      const std::string token = plat::TrimLeft(Value(keyName, k));
      const std::string macro = TokenMacro(n);
      // Macros of this token used with an empty token.
      if (token.empty()) {
        for (const char* use : {"Run", "MoreInfoRun", "File"}) {
          if (Value(use, k).find(macro) != std::string::npos)
            Warning(KeyLoc(use, k), std::string(use) + " uses " + macro + ", but " + keyName + " of " + Label(k) +
                                        " is empty: the macro is removed");
        }
        continue;
      }
      if (token.front() != '[') continue;
      if (token.back() != ']') {
        Warning(KeyLoc(keyName, k), keyName + " " + Q(token) + " has no closing \"]\": it is taken as literal text, not as a section");
        continue;
      }
      CheckTokenSection(k, keyName, token, file);
    }
  }

  void CheckTokenSection(int k, const std::string& keyName, const std::string& token, const std::string& file) {
    const auto at = KeyLoc(keyName, k);
    if (!sim_.Dialog().m_config.FileExists(file, false, CString())) return;
    struct Collector : IConfigLineObserver {
      void OnConfigLine(const ConfigLineEvent& e) override {
        if (e.kind == ConfigLineEvent::Kind::KnownHeader) found = true;
        if (e.kind == ConfigLineEvent::Kind::OtherHeader && plat::AsciiLower(e.text) == plat::AsciiLower(header)) sameFolded = std::string(e.text);
        if (e.kind == ConfigLineEvent::Kind::Key) {
          (e.key == "Key" ? keyLine : valueLine) = e.number;
          if (e.key == "Key") keyValue = std::string(e.value);
        }
        if (e.kind == ConfigLineEvent::Kind::NoKey) {
          const std::string t(e.text);
          const auto eq = t.find('=');
          const std::string name = eq == std::string::npos ? t : plat::TrimRight(t.substr(0, eq));
          if (plat::AsciiLower(name) == "key" || plat::AsciiLower(name) == "value") miscased.push_back({e.number, name});
        }
      }
      std::string header;
      bool found = false;
      std::string sameFolded;
      std::size_t keyLine = 0, valueLine = 0;
      std::string keyValue;
      std::vector<std::pair<std::size_t, std::string>> miscased;
    } collector;
    collector.header = token;
    // A fresh store: the dialog's own would carry the Key of an earlier section.
    CBonusConfig store(platform_);
    store.m_pLineObserver = &collector;
    store.ReadSectionRegistryValue(file, token);
    if (!collector.found) {
      if (!collector.sameFolded.empty())
        Error(at, keyName + " names the section " + token + ", but " + Rel(file) + " has only " + collector.sameFolded +
                      ": section headers compare in exact case",
              "write the header exactly as the token names it");
      else
        Error(at, keyName + " names the section " + token + ", which is not in " + Rel(file) +
                      ": the token reads whatever key an earlier section left behind, or nothing",
              "add the section, with Key= and Value= lines, to " + Name(k) + ".cfg");
      return;
    }
    for (const auto& [number, name] : collector.miscased)
      report_.Error(file, number, Q(name) + " is neither Key nor Value: names compare in exact case",
                    "write \"" + std::string(plat::AsciiLower(name) == "key" ? "Key" : "Value") + "\"");
    if (collector.keyLine == 0) {
      Error(at, "the section " + token + " has no Key line: the token reads whatever key an earlier section left behind, or nothing",
            "add Key=HKEY_LOCAL_MACHINE\\...");
    } else {
      CheckRoot({file, collector.keyLine}, "the Key", collector.keyValue, "the token reads nothing");
    }
    if (collector.valueLine == 0)
      Warning(at, "the section " + token + " has no Value line: the key's default value is read",
              "add Value=<name>, or an empty Value= to say that the default value is meant");
  }

  void CheckVersionKeys(int k) {
    const std::string registry = plat::TrimLeft(Value("Registry", k));
    const std::string version = plat::TrimLeft(Value("Version", k));
    const std::string file = Value("File", k);
    const std::string askMsg = Value("AskMsg", k);
    if (!registry.empty()) {
      CheckRoot(KeyLoc("Registry", k), "Registry", registry, "the check always lets the install go on");
      if (!file.empty())
        Warning(KeyLoc("File", k), "File is never checked: Registry is set, and only the registry check runs");
      if (version.empty())
        Warning(KeyLoc("Registry", k), "Registry without Version: every text compares at least equal, so the question is asked whenever the key exists");
      if (askMsg.empty())
        Warning(KeyLoc("Registry", k), "Registry without AskMsg: the registry check shows an empty question box");
      return;
    }
    if (!file.empty()) {
      if (version.empty()) {
        Warning(KeyLoc("File", k), "File without Version: every installed file passes without a question");
      } else {
        CheckFileVersionText(k, version);
      }
      if (askMsg.empty()) Warning(KeyLoc("File", k), "File without AskMsg: the file check never asks");
      CBonusConfig scratch(platform_);
      scratch.SplitIntoList(sim_.Expand(plat::TrimLeft(file), k), ",");
      if (scratch.m_saList.size() >= 2 && scratch.m_saList[1] == "test")
        Warning(KeyLoc("File", k), "File ends in \",test\": the diagnostic box \"Bonus Test\" is shown at every install",
                "remove \",test\" before the disk is pressed");
      return;
    }
    if (!version.empty())
      Warning(KeyLoc("Version", k), "Version has no effect without Registry or File");
    if (!askMsg.empty()) Warning(KeyLoc("AskMsg", k), "AskMsg is never asked without Registry or File");
  }

  void CheckFileVersionText(int k, const std::string& version) {
    CBonusConfig scratch(platform_);
    scratch.SplitIntoList(version, ".,");
    const std::array<int, 4> fields = inst::ReferenceVersion(scratch, version);
    std::string parsed;
    for (std::size_t i = 0; i < 4; ++i) parsed += (i > 0 ? "." : "") + std::to_string(fields[i]);
    bool ok = !scratch.m_saList.empty();
    for (std::size_t i = 0; i < scratch.m_saList.size() && i < 4; ++i)
      if (!IsDigits(scratch.m_saList[i])) ok = false;
    if (!ok)
      Error(KeyLoc("Version", k),
            "Version " + Q(version) + " does not parse for the file check: it reads as " + parsed +
                " (missing fields are -1)",
            "write up to four numbers separated by \".\" or \",\", e.g. 5.0.0.0");
    else if (scratch.m_saList.size() > 4)
      Warning(KeyLoc("Version", k), "Version " + Q(version) + " has more than four numbers: only " + parsed + " count");
  }

  void CheckMacros(int k) {
    std::set<std::string> known(FolderMacroNames().begin(), FolderMacroNames().end());
    for (int n = 1; n <= 10; ++n) known.insert(TokenMacro(n));
    for (const char* keyName : {"Run", "MoreInfoRun", "File", "Token1", "Token2", "Token3", "Token4", "Token5",
                                "Token6", "Token7", "Token8", "Token9", "Token10"}) {
      const std::string value = Value(keyName, k);
      for (std::size_t open = value.find('{'); open != std::string::npos; open = value.find('{', open + 1)) {
        const auto close = value.find('}', open);
        if (close == std::string::npos) break;
        const std::string macro = value.substr(open, close - open + 1);
        if (known.count(macro) != 0) continue;
        std::string hint;
        for (const std::string& m : known)
          if (plat::AsciiLower(m) == plat::AsciiLower(macro)) hint = "macros compare in exact case: write " + m;
        Warning(KeyLoc(keyName, k), std::string(keyName) + " holds " + macro + ", which is no macro: it stays in the text as written",
                hint);
      }
    }
  }

  // ---- dialog-wide values ---------------------------------------------------------------

  void CheckDialogValues() {
    const std::string height = config_.m_sHeight;
    if (!height.empty() && !IsInteger(plat::TrimLeft(height))) {
      const int size = plat::ParseLeadingInt(height);
      Warning(KeyLoc("Height", -1), "Height " + Q(height) + " is not a number: the icons are " +
                                        std::to_string(size > 0 ? size : 42) + " x " + std::to_string(size > 0 ? size : 42) + " pixels");
    }
    const std::string distance = config_.m_sDistance;
    if (!distance.empty() && !IsInteger(plat::TrimLeft(distance))) {
      const int rows = plat::ParseLeadingInt(distance);
      Warning(KeyLoc("Distance", -1), "Distance " + Q(distance) + " is not a number: the rows are " +
                                          std::to_string(rows != 0 ? rows : 16) + " pixels high");
    }
    const std::string message = config_.m_sInscdMsg;
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
        Error(KeyLoc("OrderURLmsg", -1),
              "OrderURLmsg holds the format directive " + Q(message.substr(i, end - i)) +
                  ": the message is a format with one argument, the product name, so only \"%s\" (and \"%%\") may stand in it",
              "write %% for a percent sign");
        strings = -1;
        break;
      }
      if (strings > 1)
        Error(KeyLoc("OrderURLmsg", -1), "OrderURLmsg holds \"%s\" " + std::to_string(strings) +
                                             " times: the message has only one argument, the product name");
    }
    if (config_.m_sInscdMsg.empty() != config_.m_sInscdURL.empty()) {
      const char* set = config_.m_sInscdMsg.empty() ? "OrderURL" : "OrderURLmsg";
      const char* missing = config_.m_sInscdMsg.empty() ? "OrderURLmsg" : "OrderURL";
      Warning(KeyLoc(set, -1), std::string(set) + " without " + missing + ": the order dialog is offered only when both are set");
    }
  }

  // ---- Run1 and Run2 -----------------------------------------------------------------------

  void CheckFirstTimeRuns() {
    for (int mode = 1; mode <= 2; ++mode) {
      const std::string keyName = mode == 1 ? "Run1" : "Run2";
      const std::string value = mode == 1 ? config_.m_sSplash1 : config_.m_sSplash2;
      if (value.empty()) continue;
      const auto at = KeyLoc(keyName, -1);
      const std::vector<PlatformCall> calls = sim_.FirstTimeRun(mode);
      bool started = false;
      for (const PlatformCall& call : calls)
        if (call.kind == PlatformCall::Kind::CreateProcess) started = true;
      const std::string command = plat::TrimLeft(value);
      const auto comma = command.find(',');
      const std::string program = plat::TrimRight(command.substr(0, comma));
      if (!started)
        Error(at, keyName + " names " + Q(program) + ", which is not on the disk: nothing is started",
              command.find('{') != std::string::npos
                  ? "macros are not expanded here: the path is taken in the data folder as written"
                  : "the path is taken in the data folder (" + std::string(Rel(config_.m_sDataDir).empty() ? "the disk's top folder" : Rel(config_.m_sDataDir)) + ")");
      if (comma == std::string::npos) {
        Warning(at, keyName + " has no \",seconds\": the pause is read from the whole value, which gives 0");
        continue;
      }
      const std::string seconds = plat::Trim(command.substr(comma + 1));
      if (!IsDecimal(seconds)) {
        Warning(at, keyName + " seconds " + Q(seconds) + " is not a number: it reads as " +
                        std::to_string(FirstTimeRunPauseSeconds(seconds)));
        continue;
      }
      const double asked = std::atof(seconds.c_str());
      if (asked < 0)
        Error(at, keyName + " asks for a negative number of seconds (" + seconds + "): no pause is made",
              "write 0 for no pause");
      else if (mode == 1 && asked >= CFirstTimeRun::kMaxPauseSeconds + 1)
        Warning(at, "Run1 asks for " + seconds + " seconds: the pause is held to " +
                        std::to_string(CFirstTimeRun::kMaxPauseSeconds));
      else if (mode == 2 && asked >= 1)
        Warning(at, "Run2 never waits: its " + seconds + " seconds have no effect", "write 0");
    }
  }

  Simulation& sim_;
  Report& report_;
  const LineLog& log_;
  const CBonusConfig& config_;
  CheckerPlatform& platform_;
};

}  // namespace

void RunChecks(Simulation& sim, Report& report) { Checker(sim, report).Run(); }

}  // namespace check
